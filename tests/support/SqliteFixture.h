#pragma once

// Writes small SQLite files for the core tests, through a connection of the
// test's own (the program's layer never creates databases).

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>

inline bool writeSqliteFile(const QString &path, const QStringList &statements)
{
    const QString name = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString &sql : statements) {
            QSqlQuery query(db);
            ok = ok && query.exec(sql);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}
