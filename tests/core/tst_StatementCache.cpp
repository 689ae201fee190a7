#include "support/DatabaseWriter.h"
#include "support/LogicTestSupport.h"

#include "core/DatabaseError.h"
#include "core/DbTools.h"
#include "core/StatementCache.h"
#include "core/Transaction.h"

#include <QRegularExpression>
#include <sqlite3.h>

// Statements kept prepared per connection must behave as statements
// prepared afresh every time: same results, same errors, no lock left held.
class TestStatementCache : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Connection m_connection;

    QString name() const { return m_connection.connectionName(); }

private slots:
    void init()
    {
        const QString file = m_dir.filePath(QStringLiteral("cache.mdb"));
        QFile::remove(file);
        QVERIFY(testsupport::writeSqliteFile(
            file, {QStringLiteral("create table T (Code text unique, V real)"),
                   QStringLiteral("insert into T values ('a', 1)")}));
        ConnectToFile(m_connection, file, QStringLiteral("unknown"));
    }
    void cleanup() { DisconnectFromDB(m_connection); }

    void repeatedStatementIsKeptOnceWithFreshValues()
    {
        for (int i = 0; i < 5; ++i)
            execBound(m_connection, QStringLiteral("insert into T values (?, ?)"),
                      {QStringLiteral("k%1").arg(i), i * 10});
        QCOMPARE(statementcache::size(name()), 1);
        const RecordSet rows = GetRS(m_connection, QStringLiteral("select V from T where Code = ?"),
                                     QStringLiteral("read"), {QStringLiteral("k3")});
        QCOMPARE(rows.field(0).toDouble(), 30.0);
        const RecordSet other =
            GetRS(m_connection, QStringLiteral("select V from T where Code = ?"),
                  QStringLiteral("read"), {QStringLiteral("k4")});
        QCOMPARE(other.field(0).toDouble(), 40.0);
    }

    // A kept "select *" sees columns added after it was first prepared.
    void keptStatementFollowsSchemaChanges()
    {
        const QString sql = QStringLiteral("select * from T");
        QCOMPARE(GetRS(m_connection, sql, QStringLiteral("read")).fieldCount(), 2);
        execBound(m_connection, QStringLiteral("alter table T add column Note text"));
        const RecordSet after = GetRS(m_connection, sql, QStringLiteral("read"));
        QCOMPARE(after.fieldNames(), (QStringList{"Code", "V", "Note"}));
        // A column renamed: as many columns as before, under the new name.
        execBound(m_connection, QStringLiteral("alter table T rename column V to Amount"));
        QCOMPARE(GetRS(m_connection, sql, QStringLiteral("read")).fieldNames(),
                 (QStringList{"Code", "Amount", "Note"}));
    }

    // A read leaves no statement open on the table: it can be dropped and a
    // transaction that follows can commit.
    void finishedReadsHoldNothing()
    {
        GetRS(m_connection, QStringLiteral("select * from T"), QStringLiteral("read"));
        GetRS(m_connection, QStringLiteral("select Code from T limit 1"), QStringLiteral("read"));
        {
            Transaction transaction(m_connection);
            execBound(m_connection, QStringLiteral("insert into T values ('b', 2)"));
            GetRS(m_connection, QStringLiteral("select * from T"), QStringLiteral("read"));
            transaction.commit();
        }
        execBound(m_connection, QStringLiteral("drop table T"));
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError,
            GetRS(m_connection, QStringLiteral("select * from T"), QStringLiteral("read")));
    }

    void failedStatementIsPreparedAfresh()
    {
        const QString insert = QStringLiteral("insert into T values (?, ?)");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, execBound(m_connection, insert, {"a", 5}));
        QCOMPARE(statementcache::size(name()), 0);
        QCOMPARE(execBound(m_connection, insert, {"c", 5}), 1);
        QCOMPARE(
            GetRS(m_connection, QStringLiteral("select count(*) from T"), QStringLiteral("read"))
                .field(0)
                .toInt(),
            2);
    }

    void eachConnectionKeepsItsLatestStatementsOnly()
    {
        const int extra = 10;
        for (int i = 0; i < statementcache::kMaxStatements + extra; ++i)
            GetRS(m_connection, QStringLiteral("select %1 from T").arg(i), QStringLiteral("read"));
        QCOMPARE(statementcache::size(name()), statementcache::kMaxStatements);
        // The latest statement is still there and still right.
        const RecordSet last = GetRS(
            m_connection,
            QStringLiteral("select %1 from T").arg(statementcache::kMaxStatements + extra - 1),
            QStringLiteral("read"));
        QCOMPARE(last.field(0).toInt(), statementcache::kMaxStatements + extra - 1);
    }

    // A statement run again and again stays prepared however many others
    // pass by, and every statement still gives its own rows.
    void statementInUseOutlivesThosePassingBy()
    {
        const QString inUse = QStringLiteral("select V from T where Code = ?");
        int runs = 0;
        for (int i = 0; i < 3 * statementcache::kMaxStatements; ++i) {
            const RecordSet passing =
                GetRS(m_connection, QStringLiteral("select %1 from T").arg(i), "read");
            QCOMPARE(passing.field(0).toInt(), i);
            if (i % 8 == 0) {
                QCOMPARE(GetRS(m_connection, inUse, "read", {"a"}).field(0).toDouble(), 1.0);
                ++runs;
            }
        }
        // Prepared once: the one statement ran every time.
        const statementcache::KeptStatement *kept = statementcache::find(name(), inUse);
        QVERIFY(kept);
        QCOMPARE(sqlite3_stmt_status(kept->statement, SQLITE_STMTSTATUS_RUN, 0), runs);
        QCOMPARE(statementcache::size(name()), statementcache::kMaxStatements);
    }

    // Statements whose texts differ only in their middle, at the same length,
    // are kept apart.
    void textsAlikeButForTheirMiddleAreKeptApart()
    {
        const QString padding(400, QLatin1Char(' '));
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < 10; ++i) {
                const QString sql = QStringLiteral("select V") + padding +
                                    QStringLiteral(", %1").arg(i) + padding +
                                    QStringLiteral(" from T");
                QCOMPARE(GetRS(m_connection, sql, "read").field(1).toInt(), i);
            }
        QCOMPARE(statementcache::size(name()), 10);
    }

    // Closing a connection lets its statements go first, so Qt does not
    // warn that the connection is still in use.
    void disconnectingForgetsTheStatements()
    {
        GetRS(m_connection, QStringLiteral("select * from T"), QStringLiteral("read"));
        const QString closed = name();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
        DisconnectFromDB(m_connection);
        QCOMPARE(statementcache::size(closed), 0);
    }
};

QUORVEL_LOGIC_TEST_MAIN(TestStatementCache)
#include "tst_StatementCache.moc"
