#include "store/StoreLocation.h"

#include "core/DbTools.h"
#include "store/PgStatementStore.h"
#include "store/SqliteStatementStore.h"
#include "store/StoreError.h"

#include <QSettings>
#include <QStandardPaths>

namespace {
// libpq's quoting of a value in key=value text.
QString conninfoValue(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QSettings settings()
{
    return QSettings(fncSettingsFilePath(), QSettings::IniFormat);
}
} // namespace

QString StoreLocation::conninfo() const
{
    QStringList parts;
    const auto add = [&parts](const char *key, const QString &value) {
        if (!value.trimmed().isEmpty())
            parts << QLatin1String(key) + QLatin1Char('=') + conninfoValue(value.trimmed());
    };
    add("host", host);
    add("port", port > 0 ? QString::number(port) : QString());
    add("dbname", database);
    add("user", user);
    add("sslmode", sslMode);
    return parts.join(QLatin1Char(' '));
}

QStringList fncSslModes()
{
    return {QStringLiteral("disable"), QStringLiteral("allow"),     QStringLiteral("prefer"),
            QStringLiteral("require"), QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
}

QString fncSettingsFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvel/quorvel.ini");
}

StoreLocation fncReadStoreLocation()
{
    QSettings s = settings();
    StoreLocation location;
    s.beginGroup(QStringLiteral("statements"));
    if (s.value(QStringLiteral("location")).toString() == QLatin1String("team"))
        location.kind = StoreLocation::Kind::Team;
    location.host = s.value(QStringLiteral("host")).toString();
    location.port = s.value(QStringLiteral("port"), 5432).toInt();
    location.database = s.value(QStringLiteral("database")).toString();
    location.user = s.value(QStringLiteral("user")).toString();
    const QString mode = s.value(QStringLiteral("sslmode"), location.sslMode).toString();
    if (fncSslModes().contains(mode))
        location.sslMode = mode;
    return location;
}

void subWriteStoreLocation(const StoreLocation &location)
{
    QSettings s = settings();
    s.beginGroup(QStringLiteral("statements"));
    s.setValue(QStringLiteral("location"), location.kind == StoreLocation::Kind::Team
                                               ? QStringLiteral("team")
                                               : QStringLiteral("local"));
    s.setValue(QStringLiteral("host"), location.host);
    s.setValue(QStringLiteral("port"), location.port);
    s.setValue(QStringLiteral("database"), location.database);
    s.setValue(QStringLiteral("user"), location.user);
    s.setValue(QStringLiteral("sslmode"), location.sslMode);
    s.endGroup();
    s.sync();
}

bool fncIsTeamUri(const QString &uri)
{
    return uri.startsWith(QLatin1String("postgresql://")) ||
           uri.startsWith(QLatin1String("postgres://"));
}

std::unique_ptr<StatementStore> fncOpenStoreUri(const QString &uri)
{
    if (fncIsTeamUri(uri))
        return std::make_unique<PgStatementStore>(uri);
    // The database layer knows its files by their extension.
    if (!uri.trimmed().endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        throw StoreError(StoreError::Kind::Other, fncHidePasswords(uri, uri),
                         QStringLiteral("neither a postgresql:// URI nor a user database (.mdb)"));
    Connection connection;
    ConnectToFile(connection, uri, QStringLiteral("unknown"), OpenMode::ReadWrite);
    return std::make_unique<SqliteStatementStore>(connection, true);
}
