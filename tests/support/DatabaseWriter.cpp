#include "support/DatabaseWriter.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QtDebug>

namespace testsupport {

DatabaseWriter::DatabaseWriter(const QString &path)
    : m_ownConnection(QStringLiteral("test-writer-") + QUuid::createUuid().toString())
{
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_ownConnection);
    m_database.setDatabaseName(path);
    if (!m_database.open())
        fail(QStringLiteral("open ") + path, m_database.lastError().text());
}

DatabaseWriter::DatabaseWriter(const QSqlDatabase &database) : m_database(database)
{
    if (!m_database.isOpen())
        fail(QStringLiteral("open ") + m_database.databaseName(),
             QStringLiteral("the connection is not open"));
}

DatabaseWriter::~DatabaseWriter()
{
    if (m_ownConnection.isEmpty())
        return;
    m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_ownConnection);
}

bool DatabaseWriter::fail(const QString &sql, const QString &message)
{
    qWarning().noquote() << "test database:" << sql << "failed:" << message;
    if (m_error.isEmpty())
        m_error = sql + QStringLiteral(": ") + message;
    return false;
}

bool DatabaseWriter::beginTransaction()
{
    if (!isOk())
        return false;
    return m_database.transaction() || fail(QStringLiteral("begin"), m_database.lastError().text());
}

bool DatabaseWriter::commit()
{
    if (!m_database.commit())
        fail(QStringLiteral("commit"), m_database.lastError().text());
    return isOk();
}

bool DatabaseWriter::exec(const QString &sql, const QVariantList &values)
{
    if (!isOk())
        return false;
    QSqlQuery query(m_database);
    bool done = false;
    if (values.isEmpty()) {
        done = query.exec(sql);
    } else if (query.prepare(sql)) {
        for (const QVariant &value : values)
            query.addBindValue(value);
        done = query.exec();
    }
    return done || fail(sql, query.lastError().text());
}

bool DatabaseWriter::execAll(const QStringList &statements)
{
    for (const QString &sql : statements)
        if (!exec(sql))
            return false;
    return true;
}

bool DatabaseWriter::createTable(const QString &table, const QStringList &columns)
{
    return exec(QStringLiteral("create table ") + table + QStringLiteral(" (") +
                columns.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

bool DatabaseWriter::insert(const QString &table, const QVariantMap &values)
{
    const QStringList marks(values.size(), QStringLiteral("?"));
    return exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") +
                    values.keys().join(QStringLiteral(", ")) + QStringLiteral(") values (") +
                    marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                values.values());
}

bool DatabaseWriter::insertValues(const QString &table, const QVariantList &values)
{
    const QStringList marks(values.size(), QStringLiteral("?"));
    return exec(QStringLiteral("insert into ") + table + QStringLiteral(" values (") +
                    marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                values);
}

bool DatabaseWriter::run(QSqlQuery &query, const QString &sql, const QVariantList &values)
{
    if (!isOk())
        return false;
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return fail(sql, query.lastError().text());
    for (const QVariant &value : values)
        query.addBindValue(value);
    return query.exec() || fail(sql, query.lastError().text());
}

QList<QVariantMap> DatabaseWriter::select(const QString &sql, const QVariantList &values)
{
    QList<QVariantMap> rows;
    QSqlQuery query(m_database);
    if (!run(query, sql, values))
        return rows;
    while (query.next()) {
        const QSqlRecord record = query.record();
        QVariantMap row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), record.value(i));
        rows << row;
    }
    return rows;
}

QList<QVariantMap> DatabaseWriter::rows(const QString &table)
{
    return select(QStringLiteral("select * from ") + table + QStringLiteral(" order by rowid"));
}

QVariant DatabaseWriter::value(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(m_database);
    if (!run(query, sql, values) || !query.next())
        return {};
    return query.value(0);
}

bool writeSqliteFile(const QString &path, const QStringList &statements)
{
    DatabaseWriter writer(path);
    return writer.execAll(statements);
}

} // namespace testsupport
