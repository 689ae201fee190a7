#include "SqliteFile.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>
#include <stdexcept>

QString quoteIdentifier(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void SqliteFile::fail(const QString &what) const
{
    throw std::runtime_error(
        QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))).toStdString());
}

void SqliteFile::exec(const QString &sql)
{
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(sql.left(200));
}

void SqliteFile::createTable(const QString &table, const QList<ColumnSpec> &columns)
{
    QStringList definitions;
    QStringList keys;
    for (const ColumnSpec &column : columns) {
        definitions << quoteIdentifier(column.name) + QLatin1Char(' ') + column.type;
        if (column.key)
            keys << quoteIdentifier(column.name);
    }
    if (!keys.isEmpty())
        definitions << QStringLiteral("PRIMARY KEY (%1)").arg(keys.join(QStringLiteral(", ")));
    exec(QStringLiteral("CREATE TABLE %1 (%2)")
             .arg(quoteIdentifier(table), definitions.join(QStringLiteral(", "))));
}

void SqliteFile::insertRows(const QString &table, const QList<ColumnSpec> &columns,
                            const QList<QVariantList> &rows)
{
    QStringList names;
    QStringList marks;
    for (const ColumnSpec &column : columns) {
        names << quoteIdentifier(column.name);
        marks << QStringLiteral("?");
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoteIdentifier(table), names.join(QStringLiteral(", ")),
                                    marks.join(QStringLiteral(", ")))
                               .toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sql));
    for (const QVariantList &row : rows) {
        if (row.size() != columns.size()) {
            sqlite3_finalize(statement);
            throw std::runtime_error(QStringLiteral("%1: row with %2 values for %3 columns")
                                         .arg(table)
                                         .arg(row.size())
                                         .arg(columns.size())
                                         .toStdString());
        }
        sqlite3_reset(statement);
        for (int i = 0; i < row.size(); ++i) {
            const QVariant &value = row.at(i);
            const int index = i + 1;
            if (value.isNull()) {
                sqlite3_bind_null(statement, index);
            } else if (value.typeId() == QMetaType::Double) {
                sqlite3_bind_double(statement, index, value.toDouble());
            } else if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int) {
                sqlite3_bind_int64(statement, index, value.toLongLong());
            } else {
                const QByteArray text = value.toString().toUtf8();
                sqlite3_bind_text(statement, index, text.constData(), int(text.size()),
                                  SQLITE_TRANSIENT);
            }
        }
        if (sqlite3_step(statement) != SQLITE_DONE) {
            const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
            sqlite3_finalize(statement);
            throw std::runtime_error(
                QStringLiteral("insert into %1: %2").arg(table, message).toStdString());
        }
    }
    sqlite3_finalize(statement);
}

void SqliteFile::writeTable(const TsvTable &table)
{
    createTable(table.name, table.columns);
    insertRows(table.name, table.columns, table.rows);
}

void SqliteFile::build(const QString &path, const std::function<void(SqliteFile &)> &fill)
{
    const QString temporary = path + QStringLiteral(".partial");
    QFile::remove(temporary);
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(temporary.toUtf8().constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error(QStringLiteral("cannot create %1").arg(temporary).toStdString());
    }
    try {
        SqliteFile file(db);
        // A fixed page size and no journal file: the bytes depend only on the
        // statements, and the temporary file is discarded on failure anyway.
        file.exec(QStringLiteral("PRAGMA page_size = 4096"));
        file.exec(QStringLiteral("PRAGMA journal_mode = OFF"));
        file.exec(QStringLiteral("BEGIN"));
        fill(file);
        file.exec(QStringLiteral("COMMIT"));
        file.exec(QStringLiteral("VACUUM"));
    } catch (...) {
        sqlite3_close(db);
        QFile::remove(temporary);
        throw;
    }
    if (sqlite3_close(db) != SQLITE_OK) {
        QFile::remove(temporary);
        throw std::runtime_error(QStringLiteral("cannot close %1").arg(temporary).toStdString());
    }
    // rename() replaces an existing file in one step, so readers never see a
    // half-written database.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temporary);
        throw std::runtime_error(QStringLiteral("cannot rename to %1").arg(path).toStdString());
    }
}
