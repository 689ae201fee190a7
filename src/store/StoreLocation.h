#pragma once

#include "store/StatementStore.h"

#include <QString>
#include <memory>

class Connection;

// Where the program keeps the statements: the user database on this computer
// (the default) or a team database. The choice lives in the user's settings
// file, which holds no password.
struct StoreLocation
{
    enum class Kind { Local, Team };
    Kind kind = Kind::Local;
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString sslMode = QStringLiteral("prefer"); // libpq's sslmode

    bool operator==(const StoreLocation &) const = default;

    // The libpq connection text of a team location (key=value pairs).
    QString conninfo() const;
};

// libpq's TLS modes, in the order the settings screen offers them.
QStringList fncSslModes();

// The program's settings file (INI) in the user's configuration folder.
QString fncSettingsFilePath();

// The choice kept in the settings file; on this computer when none is.
StoreLocation fncReadStoreLocation();
void subWriteStoreLocation(const StoreLocation &location);

// Whether a --store argument names a team database (a libpq URI).
bool fncIsTeamUri(const QString &uri);

// The store a --store argument or QUORVEL_STORE names: a libpq connection URI
// (postgresql://…) or the path of a SQLite user database, which must exist.
// Throws StoreError or DatabaseError when it cannot be opened.
std::unique_ptr<StatementStore> fncOpenStoreUri(const QString &uri);
