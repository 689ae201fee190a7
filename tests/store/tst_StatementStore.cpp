#include "store/PgStatementStore.h"
#include "store/SqliteStatementStore.h"
#include "store/StatementCopy.h"
#include "store/StoreError.h"
#include "store/StoreLocation.h"
#include "support/CliRun.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/LoopbackRelay.h"
#include "support/PgServer.h"

#include <QFile>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <libpq-fe.h>
#include <thread>
#include <unistd.h>

using namespace testsupport;

// The same cases run on both stores: the user database on this computer and
// the team database on a throwaway PostgreSQL server of the suite's own.
class tst_StatementStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void saveReplaceDeleteListOpen_data() { bothStores(); }
    void saveReplaceDeleteListOpen();
    void commentsRoundTrip_data() { bothStores(); }
    void commentsRoundTrip();
    void teamSchemaWithoutCommentsUpgraded();
    void twoProcessesSaveTheSameStatement_data() { bothStores(); }
    void twoProcessesSaveTheSameStatement();
    void serverStoppedMidSession();
    void frozenServerAnswersWithinTheLimit_data();
    void frozenServerAnswersWithinTheLimit();
    void roundTripsOfAWrite_data();
    void roundTripsOfAWrite();
    void errorInsideTheTransaction_data();
    void errorInsideTheTransaction();
    void passwordsNeverInMessages_data();
    void passwordsNeverInMessages();
    void copyStatementsBothWays();
    void roleWithDataRightsOnly();
    void commandLine();

private:
    static void bothStores();
    // A fresh, empty store of the row's kind; its URI in `uri`.
    std::unique_ptr<StatementStore> freshStore(const QString &kind, QString *uri = nullptr);
    static SavedStatement statement(const QString &firm, int year, double growth);
    // The server's sessions of the program (its application name), or -1.
    int programSessions() const;
    // A URI to the server through the relay.
    QString relayedUri(const LoopbackRelay &relay, const QString &user) const;

    std::unique_ptr<PgServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_StatementStore::bothStores()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("sqlite") << QStringLiteral("sqlite");
    QTest::newRow("postgresql") << QStringLiteral("postgresql");
}

void tst_StatementStore::initTestCase()
{
    m_server = std::make_unique<PgServer>();
    QVERIFY2(
        m_server->isRunning(),
        qPrintable(QStringLiteral("no PostgreSQL server could be started: ") + m_server->error()));
    PgStatementStore admin(m_server->uri());
    admin.initSchema();
    QCOMPARE(admin.schemaVersion(), kTeamSchemaVersion);
    // init-store again on a database that has the schema changes nothing.
    admin.initSchema();
    QCOMPARE(admin.schemaVersion(), kTeamSchemaVersion);
    m_dir = std::make_unique<QTemporaryDir>();
}

void tst_StatementStore::cleanup()
{
    if (m_server && !m_server->isRunning())
        QVERIFY(m_server->start());
}

std::unique_ptr<StatementStore> tst_StatementStore::freshStore(const QString &kind, QString *uri)
{
    return m_server->freshStore(kind, *m_dir, uri);
}

SavedStatement tst_StatementStore::statement(const QString &firm, int year, double growth)
{
    SavedStatement s;
    s.firmName = firm;
    s.year = year;
    s.amounts = healthyStatement(growth);
    s.industry = StatementIndustry{QStringLiteral("236110"), 3, QStringLiteral("ON")};
    return s;
}

int tst_StatementStore::programSessions() const
{
    PGconn *conn = PQconnectdb(m_server->uri().toUtf8().constData());
    PGresult *result = PQexec(conn, "SELECT count(*) FROM pg_stat_activity "
                                    "WHERE application_name = 'quorvel'");
    const int count =
        PQresultStatus(result) == PGRES_TUPLES_OK ? atoi(PQgetvalue(result, 0, 0)) : -1;
    PQclear(result);
    PQfinish(conn);
    return count;
}

QString tst_StatementStore::relayedUri(const LoopbackRelay &relay, const QString &user) const
{
    return QStringLiteral("postgresql://127.0.0.1:%1/quorvel?user=%2").arg(relay.port()).arg(user);
}

void tst_StatementStore::saveReplaceDeleteListOpen()
{
    QFETCH(QString, kind);
    const std::unique_ptr<StatementStore> store = freshStore(kind);
    QVERIFY(store->list(Language::English).isEmpty());

    // Save: a new statement, then others that sort around it.
    const WriteOutcome first = store->save(statement(QStringLiteral("Maple O'Hara Ltd"), 2005, 1),
                                           Expectation::nothing(), QStringLiteral("marie"));
    QVERIFY(first.done);
    QCOMPARE(first.stamp.version, 1);
    SavedStatement noIndustry = statement(QStringLiteral("école Bouchard"), 2006, 2);
    noIndustry.industry.reset();
    QVERIFY(store->save(noIndustry, Expectation::nothing(), QStringLiteral("luc")).done);
    QVERIFY(store
                ->save(statement(QStringLiteral("Maple O'Hara Ltd"), 2004, 3),
                       Expectation::nothing(), QStringLiteral("luc"))
                .done);

    // List: names letter case and accents aside, then years.
    const QVector<StatementEntry> list = store->list(Language::French);
    QStringList shown;
    for (const StatementEntry &e : list)
        shown << e.firmName + QLatin1Char('/') + QString::number(e.year);
    QCOMPARE(shown, (QStringList{QStringLiteral("école Bouchard/2006"),
                                 QStringLiteral("Maple O'Hara Ltd/2004"),
                                 QStringLiteral("Maple O'Hara Ltd/2005")}));
    QCOMPARE(list.at(0).industry, std::nullopt);
    QCOMPARE(list.at(1).industry,
             std::optional(StatementIndustry{QStringLiteral("236110"), 3, QStringLiteral("ON")}));

    // Open: whatever the letter case, every amount, the stamp.
    const std::optional<SavedStatement> opened =
        store->open(QStringLiteral("MAPLE o'hara LTD"), 2005);
    QVERIFY(opened);
    QCOMPARE(opened->firmName, QStringLiteral("Maple O'Hara Ltd"));
    for (double FirmStatement::*member : firmStatementAmounts())
        QCOMPARE(opened->amounts.*member, healthyStatement(1).*member);
    QCOMPARE(opened->stamp.version, 1);
    QCOMPARE(opened->stamp.savedBy, QStringLiteral("marie"));
    QVERIFY(qAbs(opened->stamp.savedAt.secsTo(QDateTime::currentDateTimeUtc())) < 60);
    QCOMPARE(store->firmYears(QStringLiteral("maple o'hara ltd")).size(), 2);
    QCOMPARE(store->open(QStringLiteral("Maple O'Hara Ltd"), 2006), std::nullopt);

    // Replace: only over the version seen; a new statement never replaces.
    const WriteOutcome refused = store->save(statement(QStringLiteral("MAPLE O'HARA LTD"), 2005, 9),
                                             Expectation::nothing(), QStringLiteral("luc"));
    QVERIFY(!refused.done);
    QCOMPARE(refused.current->stamp.savedBy, QStringLiteral("marie"));
    QVERIFY(!store
                 ->save(statement(QStringLiteral("Maple O'Hara Ltd"), 2005, 9),
                        Expectation::seen(7), QStringLiteral("luc"))
                 .done);
    const WriteOutcome replaced =
        store->save(statement(QStringLiteral("MAPLE O'HARA LTD"), 2005, 9), Expectation::seen(1),
                    QStringLiteral("luc"));
    QVERIFY(replaced.done);
    QCOMPARE(replaced.stamp.version, 2);
    QCOMPARE(store->open(QStringLiteral("Maple O'Hara Ltd"), 2005)->amounts.Cash,
             healthyStatement(9).Cash);
    QCOMPARE(store->list(Language::English).size(), 3);
    QCOMPARE(store->current(QStringLiteral("maple o'hara ltd"), 2005)->names,
             QStringList{QStringLiteral("MAPLE O'HARA LTD")});

    // Delete: not over a version saved since; then for good.
    QVERIFY(!store->remove(QStringLiteral("Maple O'Hara Ltd"), 2005, Expectation::seen(1)).done);
    QVERIFY(store->remove(QStringLiteral("maple o'hara ltd"), 2005, Expectation::seen(2)).done);
    QCOMPARE(store->open(QStringLiteral("Maple O'Hara Ltd"), 2005), std::nullopt);
    QVERIFY(store->remove(QStringLiteral("Nobody"), 2005, Expectation::anything()).done);
    QCOMPARE(store->list(Language::English).size(), 2);
}

void tst_StatementStore::commentsRoundTrip()
{
    QFETCH(QString, kind);
    const std::unique_ptr<StatementStore> store = freshStore(kind);
    const auto commentOf = [&store](int year) {
        return store->open(QStringLiteral("NOTES LTÉE"), year)->comment;
    };
    const QString written = QStringLiteral("Margins fell: a lost client.\n\tSee O'Hara's "
                                           "\"letter\" — « à revoir » 😀\n");
    SavedStatement s = statement(QStringLiteral("Notes Ltée"), 2005, 1);
    s.comment = written;
    QVERIFY(store->save(s, Expectation::nothing(), QStringLiteral("marie")).done);
    QVERIFY(store
                ->save(statement(QStringLiteral("Notes Ltée"), 2006, 2), Expectation::nothing(),
                       QStringLiteral("marie"))
                .done);
    QCOMPARE(commentOf(2005), written);
    QCOMPARE(commentOf(2006), QString());
    const QVector<SavedStatement> years = store->firmYears(QStringLiteral("notes ltée"));
    QCOMPARE(years.size(), 2);
    QCOMPARE(years.at(0).comment, written);
    QCOMPARE(years.at(1).comment, QString());

    // A save replaces the comment, an empty one too.
    s.comment = QString();
    QVERIFY(store->save(s, Expectation::seen(1), QStringLiteral("luc")).done);
    QCOMPARE(commentOf(2005), QString());
    s.comment = QStringLiteral("Second thoughts");
    QVERIFY(store->save(s, Expectation::seen(2), QStringLiteral("luc")).done);
    QCOMPARE(commentOf(2005), QStringLiteral("Second thoughts"));

    // Deleted with its statement: saved again without one, it has none.
    QVERIFY(store->remove(QStringLiteral("notes ltée"), 2005, Expectation::seen(3)).done);
    QVERIFY(store
                ->save(statement(QStringLiteral("Notes Ltée"), 2005, 1), Expectation::nothing(),
                       QStringLiteral("luc"))
                .done);
    QCOMPARE(commentOf(2005), QString());

    // Copied to the other kind of store with its statement.
    s.comment = written;
    QVERIFY(store->save(s, Expectation::anything(), QStringLiteral("luc")).done);
    const std::unique_ptr<StatementStore> other = freshStore(
        kind == QLatin1String("sqlite") ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
    QCOMPARE(fncCopyStatements(*store, *other, false).copied, 2);
    QCOMPARE(other->open(QStringLiteral("Notes Ltée"), 2005)->comment, written);
    QCOMPARE(other->open(QStringLiteral("Notes Ltée"), 2006)->comment, QString());
}

void tst_StatementStore::teamSchemaWithoutCommentsUpgraded()
{
    // A team database of the release before comments, holding a statement.
    QCOMPARE(
        m_server->exec(QStringLiteral("DROP DATABASE IF EXISTS older"), QStringLiteral("postgres")),
        QString());
    QCOMPARE(m_server->exec(QStringLiteral("CREATE DATABASE older"), QStringLiteral("postgres")),
             QString());
    PgStatementStore admin(m_server->uri(QStringLiteral("quorvel_admin"), QStringLiteral("older")));
    admin.initSchema();
    QVERIFY(admin
                .save(statement(QStringLiteral("Before Ltd"), 2005, 1), Expectation::nothing(),
                      QStringLiteral("marie"))
                .done);
    QCOMPARE(m_server->exec(QStringLiteral("ALTER TABLE quorvel.statements DROP COLUMN comment; "
                                           "UPDATE quorvel.schema_version SET version = 2"),
                            QStringLiteral("older")),
             QString());

    // This release refuses it until init-store brings it up to date.
    PgStatementStore user(m_server->uri(QStringLiteral("quorvel_admin"), QStringLiteral("older")));
    try {
        user.open(QStringLiteral("Before Ltd"), 2005);
        QFAIL("a database of an older schema was read");
    } catch (const StoreError &error) {
        QCOMPARE(error.kind(), StoreError::Kind::NoSchema);
    }
    user.initSchema();
    QCOMPARE(user.schemaVersion(), kTeamSchemaVersion);
    const std::optional<SavedStatement> before = user.open(QStringLiteral("Before Ltd"), 2005);
    QVERIFY(before);
    QCOMPARE(before->comment, QString());
    QCOMPARE(before->amounts.Cash, healthyStatement(1).Cash);
}

void tst_StatementStore::twoProcessesSaveTheSameStatement()
{
    QFETCH(QString, kind);
    QString uri;
    const std::unique_ptr<StatementStore> store = freshStore(kind, &uri);
    constexpr int kSaves = 400;
    QProcess writers[2];
    for (int i = 0; i < 2; ++i) {
        writers[i].start(
            QCoreApplication::applicationFilePath(),
            {QStringLiteral("--save-loop"), uri, QString::number(i + 1), QString::number(kSaves)});
    }
    for (QProcess &writer : writers) {
        QVERIFY(writer.waitForFinished(240000));
        const QString output = QString::fromLocal8Bit(writer.readAllStandardOutput());
        QVERIFY2(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0,
                 qPrintable(output + QString::fromLocal8Bit(writer.readAllStandardError())));
        QCOMPARE(output.trimmed(), QStringLiteral("saved %1").arg(kSaves));
    }
    // One statement, every save counted, and all of it from one writer.
    const QVector<StatementEntry> list = store->list(Language::English);
    QCOMPARE(list.size(), 1);
    const std::optional<SavedStatement> saved = store->open(QStringLiteral("Race Ltd"), 2006);
    QVERIFY(saved);
    QCOMPARE(saved->stamp.version, 2 * kSaves);
    const double growth = saved->amounts.OperatingRevenue / healthyStatement(1).OperatingRevenue;
    QVERIFY(growth == 1 || growth == 2);
    for (double FirmStatement::*member : firmStatementAmounts())
        QCOMPARE(saved->amounts.*member, healthyStatement(growth).*member);
}

void tst_StatementStore::serverStoppedMidSession()
{
    const std::unique_ptr<StatementStore> store = freshStore(QStringLiteral("postgresql"));
    QVERIFY(store
                ->save(statement(QStringLiteral("Away Ltd"), 2006, 1), Expectation::anything(),
                       QStringLiteral("marie"))
                .done);
    QVERIFY(m_server->stop());
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            store->save(statement(QStringLiteral("Away Ltd"), 2006, 2), Expectation::anything(),
                        QStringLiteral("marie"));
            QFAIL("a save with the server stopped went through");
        } catch (const StoreError &error) {
            QCOMPARE(error.kind(), StoreError::Kind::Unreachable);
        }
    }
    QVERIFY(m_server->start());
    // The next save after the restart works, and nothing of the refused one was kept.
    QCOMPARE(store->open(QStringLiteral("Away Ltd"), 2006)->amounts.Cash, healthyStatement(1).Cash);
    QVERIFY(store
                ->save(statement(QStringLiteral("Away Ltd"), 2006, 3), Expectation::seen(1),
                       QStringLiteral("marie"))
                .done);
    // A restart while the connection was idle is noticed before the next command.
    QVERIFY(m_server->stop());
    QVERIFY(m_server->start());
    QCOMPARE(store->open(QStringLiteral("Away Ltd"), 2006)->stamp.version, 2);
}

void tst_StatementStore::frozenServerAnswersWithinTheLimit_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::newRow("past the limit") << false;
    // The limit is one the test would run into were Cancel not to stop the save.
    QTest::newRow("stopped by the user") << true;
}

// A server that stops answering (its machine froze) holds a command no
// longer than the store's limit, or than the user waits (a command without
// either would wait here until the suite's own time runs out): the command
// is refused as by a server gone away, or as stopped; once the server runs
// again nothing of it is stored, and the next command works.
void tst_StatementStore::frozenServerAnswersWithinTheLimit()
{
    QFETCH(bool, stopped);
    const QString firm = stopped ? QStringLiteral("Stopped Ltd") : QStringLiteral("Frozen Ltd");
    PgStatementStore store(m_server->uri());
    store.setAnswerLimit(stopped ? 120000 : 1500);
    store.list(Language::English); // connected before the server freezes
    QVERIFY(m_server->freeze(true));
    std::thread user;
    if (stopped)
        user = std::thread([&store] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            store.requestCancel();
        });
    StoreError::Kind kind = StoreError::Kind::Other;
    try {
        store.save(statement(firm, 2005, 1), Expectation::anything(), QStringLiteral("marie"));
    } catch (const StoreError &error) {
        kind = error.kind();
    }
    if (user.joinable())
        user.join();
    // A new connection meets the same silence, and the same limit.
    StoreError::Kind again = StoreError::Kind::Unreachable;
    if (!stopped) {
        again = StoreError::Kind::Other;
        try {
            store.list(Language::English);
        } catch (const StoreError &error) {
            again = error.kind();
        }
    }
    QVERIFY(m_server->freeze(false));
    QCOMPARE(kind, stopped ? StoreError::Kind::Cancelled : StoreError::Kind::Unreachable);
    QCOMPARE(again, StoreError::Kind::Unreachable);
    // Thawed, the server reads what the save had sent, finds the client
    // gone and commits none of it.
    QTRY_COMPARE_WITH_TIMEOUT(programSessions(), 0, 20000);
    QCOMPARE(PgStatementStore(m_server->uri()).open(firm, 2005), std::nullopt);
    store.clearCancel();
    QVERIFY(
        store.save(statement(firm, 2005, 2), Expectation::nothing(), QStringLiteral("marie")).done);
}

void tst_StatementStore::roundTripsOfAWrite_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<Expectation>("expected");
    QTest::addColumn<bool>("done");
    QTest::addColumn<int>("roundTrips");
    // The key's transaction, its lock and the write, then the commit.
    QTest::newRow("save new") << "save" << Expectation::nothing() << true << 2;
    QTest::newRow("save over a version") << "save" << Expectation::seen(1) << true << 2;
    QTest::newRow("save over anything") << "save" << Expectation::anything() << true << 2;
    QTest::newRow("delete a version") << "remove" << Expectation::seen(1) << true << 2;
    QTest::newRow("delete anything") << "remove" << Expectation::anything() << true << 2;
    QTest::newRow("remember an import mapping")
        << "mapping" << Expectation::anything() << true << 2;
    // Someone saved first: the stored version is read before the commit.
    QTest::newRow("save over a version saved since")
        << "save" << Expectation::seen(7) << false << 3;
}

// Each write costs its round trips, counted on the wire between the store
// and a real server: one more would add its latency to every save.
void tst_StatementStore::roundTripsOfAWrite()
{
    QFETCH(QString, command);
    QFETCH(Expectation, expected);
    QFETCH(bool, done);
    QFETCH(int, roundTrips);
    const std::unique_ptr<StatementStore> direct = freshStore(QStringLiteral("postgresql"));
    const QString firm = QStringLiteral("Trips Ltd");
    // Stored, version 1, unless the row saves a new one.
    if (expected.kind != Expectation::Kind::Nothing)
        QVERIFY(
            direct->save(statement(firm, 2006, 1), Expectation::nothing(), QStringLiteral("marie"))
                .done);

    LoopbackRelay relay(m_server->socketFolder() + QStringLiteral("/.s.PGSQL.5432"), 0);
    QVERIFY(relay.port());
    PgStatementStore store(relayedUri(relay, QStringLiteral("quorvel_admin")));
    store.list(Language::English); // connected, its schema checked
    relay.resetRoundTrips();
    WriteOutcome outcome;
    if (command == QLatin1String("save"))
        outcome = store.save(statement(firm, 2006, 2), expected, QStringLiteral("luc"));
    else if (command == QLatin1String("remove"))
        outcome = store.remove(firm, 2006, expected);
    else
        store.rememberImportMapping(firm, {{QStringLiteral("Cash on hand"), QStringLiteral("Cash")},
                                           {QStringLiteral("Bank"), QStringLiteral("Cash")},
                                           {QStringLiteral("Notes"), QString()}});
    QCOMPARE(relay.roundTrips(), roundTrips);
    QCOMPARE(relay.connections(), 1);
    // And the write did what it says.
    const std::optional<SavedStatement> stored = direct->open(firm, 2006);
    if (command == QLatin1String("mapping")) {
        QCOMPARE(direct->importMapping(firm).size(), 3);
    } else {
        QCOMPARE(outcome.done, done);
        if (command == QLatin1String("remove"))
            QCOMPARE(stored, std::nullopt);
        else
            QCOMPARE(stored->amounts.Cash, healthyStatement(done ? 2 : 1).Cash);
    }
}

void tst_StatementStore::errorInsideTheTransaction_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("keyLocked");
    QTest::addColumn<StoreError::Kind>("kind");
    QTest::addColumn<QString>("detail");
    // The lock, the second command, fails: the write after it is skipped.
    QTest::newRow("the key locked by another session")
        << "quorvel_admin" << true << StoreError::Kind::Other
        << "canceling statement due to lock timeout";
    // The write, the last command, fails.
    QTest::newRow("no right to write") << "onlooker" << false << StoreError::Kind::Refused
                                       << "permission denied for table statements";
}

// A command of the key's transaction that fails is reported as the server
// gave it, and the connection goes on: the transaction rolled back, the
// next command runs on it.
void tst_StatementStore::errorInsideTheTransaction()
{
    QFETCH(QString, user);
    QFETCH(bool, keyLocked);
    QFETCH(StoreError::Kind, kind);
    QFETCH(QString, detail);
    const std::unique_ptr<StatementStore> direct = freshStore(QStringLiteral("postgresql"));
    // A role that may read the statements and write none.
    for (const char *sql : {"DO $$ BEGIN CREATE ROLE onlooker LOGIN; "
                            "EXCEPTION WHEN duplicate_object THEN NULL; END $$",
                            "GRANT USAGE ON SCHEMA quorvel TO onlooker",
                            "GRANT SELECT ON ALL TABLES IN SCHEMA quorvel TO onlooker"})
        QCOMPARE(m_server->exec(QLatin1String(sql)), QString());
    PGconn *holder = PQconnectdb(m_server->uri().toUtf8().constData());
    const auto run = [holder](const char *sql) {
        PGresult *result = PQexec(holder, sql);
        const ExecStatusType status = PQresultStatus(result);
        PQclear(result);
        return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    };
    if (keyLocked) {
        QVERIFY(run("BEGIN"));
        QVERIFY(run("SELECT pg_advisory_xact_lock(hashtext('locked ltd'), 2006)"));
    }

    LoopbackRelay relay(m_server->socketFolder() + QStringLiteral("/.s.PGSQL.5432"), 0);
    QVERIFY(relay.port());
    PgStatementStore store(relayedUri(relay, user));
    store.setAnswerLimit(2000); // the server's lock limit is half of it
    store.list(Language::English);
    StoreError::Kind thrown = StoreError::Kind::Cancelled;
    QString text;
    try {
        store.save(statement(QStringLiteral("Locked Ltd"), 2006, 1), Expectation::nothing(),
                   QStringLiteral("luc"));
    } catch (const StoreError &error) {
        thrown = error.kind();
        text = error.description();
    }
    run("ROLLBACK");
    PQfinish(holder);
    QCOMPARE(thrown, kind);
    QVERIFY2(text.contains(detail), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("pipeline")), qPrintable(text));

    // The same connection reads, and writes once the key is free.
    QCOMPARE(store.list(Language::English).size(), 0);
    if (keyLocked) {
        QVERIFY(store
                    .save(statement(QStringLiteral("Locked Ltd"), 2006, 1), Expectation::nothing(),
                          QStringLiteral("luc"))
                    .done);
        QCOMPARE(direct->open(QStringLiteral("locked ltd"), 2006)->stamp.version, 1);
    }
    QCOMPARE(relay.connections(), 1);
}

void tst_StatementStore::passwordsNeverInMessages_data()
{
    QTest::addColumn<QString>("uri");
    QTest::addColumn<QString>("password");
    QTest::newRow("URI cut short") << "postgresql://bob:hunter2@[::1"
                                   << "hunter2";
    QTest::newRow("percent-encoded") << "postgresql://bob:s3cr%65t@[::1"
                                     << "s3cr"; // in either form
    QTest::newRow("one slash only") << "postgres:/bob:hunter2@host/db"
                                    << "hunter2";
    QTest::newRow("query parameter") << "postgresql:///db?password=hunter2&sslmode=bogus"
                                     << "hunter2";
    QTest::newRow("key and value") << "host=/x password=hunter2 sslmode=wrong"
                                   << "hunter2";
}

// A connection text the program cannot use is named in its message, its
// password never.
void tst_StatementStore::passwordsNeverInMessages()
{
    QFETCH(QString, uri);
    QFETCH(QString, password);
    const CliRun run = runCli({QStringLiteral("list"), QStringLiteral("--store"), uri});
    QCOMPARE(run.status, 1);
    QVERIFY2(run.err.contains(QStringLiteral("quorvel-cli: ")), qPrintable(run.err));
    QVERIFY2(!run.err.contains(password), qPrintable(run.err));
    QVERIFY2(!(run.out + run.err).contains(QStringLiteral("hunter2")), qPrintable(run.err));
}

void tst_StatementStore::copyStatementsBothWays()
{
    const std::unique_ptr<StatementStore> local = freshStore(QStringLiteral("sqlite"));
    const std::unique_ptr<StatementStore> team = freshStore(QStringLiteral("postgresql"));
    for (int year : {2004, 2005, 2006})
        QVERIFY(local
                    ->save(statement(QStringLiteral("Copy Ltd"), year, year - 2003),
                           Expectation::nothing(), QStringLiteral("marie"))
                    .done);
    QVERIFY(team->save(statement(QStringLiteral("COPY LTD"), 2005, 7), Expectation::nothing(),
                       QStringLiteral("luc"))
                .done);

    // Existing firm-years are skipped, then replaced when asked.
    CopySummary summary = fncCopyStatements(*local, *team, false);
    QCOMPARE(summary.copied, 2);
    QCOMPARE(summary.skipped, QStringList{QStringLiteral("Copy Ltd, 2005")});
    QCOMPARE(team->open(QStringLiteral("Copy Ltd"), 2005)->amounts.Cash, healthyStatement(7).Cash);
    QCOMPARE(fncCopySummaryText(summary, Language::English),
             QStringLiteral("2 statements copied, 0 replaced, 1 skipped.\nSkipped (stored there "
                            "already; --replace replaces them):\n  Copy Ltd, 2005"));
    summary = fncCopyStatements(*local, *team, true);
    QCOMPARE(summary.replaced, 3);
    QCOMPARE(team->open(QStringLiteral("Copy Ltd"), 2005)->amounts.Cash, healthyStatement(2).Cash);
    QCOMPARE(team->open(QStringLiteral("Copy Ltd"), 2005)->stamp.savedBy, QStringLiteral("marie"));

    // And back to an empty user database: the same statements, with their industry.
    const std::unique_ptr<StatementStore> back = freshStore(QStringLiteral("sqlite"));
    QCOMPARE(fncCopyStatements(*team, *back, false).copied, 3);
    for (int year : {2004, 2005, 2006}) {
        const std::optional<SavedStatement> s = back->open(QStringLiteral("Copy Ltd"), year);
        QVERIFY(s);
        QCOMPARE(s->amounts.Ta, healthyStatement(year - 2003).Ta);
        QCOMPARE(s->industry, statement(QString(), 0, 1).industry);
    }
}

void tst_StatementStore::roleWithDataRightsOnly()
{
    const std::unique_ptr<StatementStore> admin = freshStore(QStringLiteral("postgresql"));
    for (const char *sql :
         {"DROP ROLE IF EXISTS clerk", "CREATE ROLE clerk LOGIN",
          "GRANT USAGE ON SCHEMA quorvel TO clerk",
          "GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA quorvel TO clerk",
          "REVOKE CREATE ON SCHEMA public FROM PUBLIC"})
        QCOMPARE(m_server->exec(QLatin1String(sql)), QString());

    // Day-to-day work needs nothing more.
    PgStatementStore clerk(m_server->uri(QStringLiteral("clerk")));
    QVERIFY(clerk
                .save(statement(QStringLiteral("Rights Ltd"), 2006, 1), Expectation::nothing(),
                      QStringLiteral("clerk"))
                .done);
    QVERIFY(clerk
                .save(statement(QStringLiteral("Rights Ltd"), 2006, 2), Expectation::seen(1),
                      QStringLiteral("clerk"))
                .done);
    QCOMPARE(clerk.list(Language::English).size(), 1);
    QCOMPARE(clerk.open(QStringLiteral("rights ltd"), 2006)->stamp.version, 2);
    QVERIFY(clerk.remove(QStringLiteral("Rights Ltd"), 2006, Expectation::seen(2)).done);

    // Creating the schema is the administrator's: refused, and said so.
    QCOMPARE(
        m_server->exec(QStringLiteral("DROP DATABASE IF EXISTS empty"), QStringLiteral("postgres")),
        QString());
    QCOMPARE(m_server->exec(QStringLiteral("CREATE DATABASE empty"), QStringLiteral("postgres")),
             QString());
    QCOMPARE(m_server->exec(QStringLiteral("REVOKE CREATE ON DATABASE empty FROM PUBLIC"),
                            QStringLiteral("postgres")),
             QString());
    PgStatementStore clerkOnEmpty(m_server->uri(QStringLiteral("clerk"), QStringLiteral("empty")));
    try {
        clerkOnEmpty.list(Language::English);
        QFAIL("a database without the schema was read");
    } catch (const StoreError &error) {
        QCOMPARE(error.kind(), StoreError::Kind::NoSchema);
    }
    try {
        clerkOnEmpty.initSchema();
        QFAIL("a role with data rights only created the schema");
    } catch (const StoreError &error) {
        QCOMPARE(error.kind(), StoreError::Kind::Refused);
    }
}

void tst_StatementStore::commandLine()
{
    const auto cli = [](const QStringList &arguments, const QString &storeVariable = QString()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVEL_STORE"), storeVariable);
        const CliRun run = runCli(arguments, environment);
        if (run.status != 0)
            qWarning() << run.err;
        return qMakePair(run.status, run.out.trimmed());
    };
    QString local, team;
    const std::unique_ptr<StatementStore> localStore = freshStore(QStringLiteral("sqlite"), &local);
    freshStore(QStringLiteral("postgresql"), &team);
    for (const char *firm : {"Line One Ltd", "Line Two Ltd"})
        QVERIFY(localStore
                    ->save(statement(QLatin1String(firm), 2006, 1), Expectation::nothing(),
                           QStringLiteral("marie"))
                    .done);

    QCOMPARE(cli({QStringLiteral("init-store"), QStringLiteral("--store"), team}),
             qMakePair(0, QStringLiteral("The team database localhost/quorvel holds the Quorvel "
                                         "schema, version 3.")));
    QCOMPARE(cli({QStringLiteral("init-store")}).first, 2);
    const QStringList copyUp{QStringLiteral("copy-statements"), QStringLiteral("--from"), local,
                             QStringLiteral("--to"), team};
    QCOMPARE(cli(copyUp),
             qMakePair(0, QStringLiteral("2 statements copied, 0 replaced, 0 skipped.")));
    QCOMPARE(cli(copyUp + QStringList{QStringLiteral("--replace"), QStringLiteral("--language"),
                                      QStringLiteral("fr")}),
             qMakePair(0, QStringLiteral("0 états copiés, 2 remplacés, 0 non copiés.")));

    // The team's statements, by --store or by QUORVEL_STORE.
    const QString listed = QStringLiteral("firm\tyear\tnaics\tvolume\tregion\n"
                                          "Line One Ltd\t2006\t236110\t3\tON\n"
                                          "Line Two Ltd\t2006\t236110\t3\tON");
    QCOMPARE(cli({QStringLiteral("list"), QStringLiteral("--store"), team}), qMakePair(0, listed));
    QCOMPARE(cli({QStringLiteral("list")}, team), qMakePair(0, listed));

    // An import goes to the team's statements too, stamped like a save from
    // the screen, and asks for --replace before replacing one.
    const QString csv = m_dir->filePath(QStringLiteral("import.csv"));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Item,Amount\nCash,1500\nAccounts receivable,2000\n");
    file.close();
    QTemporaryDir program;
    QVERIFY(
        copyProgramFiles(program, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb")}));
    const QStringList import{QStringLiteral("--program-folder"),
                             program.path(),
                             QStringLiteral("import"),
                             csv,
                             QStringLiteral("--firm"),
                             QStringLiteral("Imported Ltd"),
                             QStringLiteral("--year"),
                             QStringLiteral("2005"),
                             QStringLiteral("--naics"),
                             QStringLiteral("236110"),
                             QStringLiteral("--volume"),
                             QStringLiteral("1"),
                             QStringLiteral("--accept-differences")};
    QCOMPARE(cli(import + QStringList{QStringLiteral("--store"), team}).first, 0);
    const auto imported = [&team] {
        return PgStatementStore(team).open(QStringLiteral("imported ltd"), 2005);
    };
    QVERIFY(imported());
    QCOMPARE(imported()->amounts.Cash, 1500.0);
    QCOMPARE(imported()->stamp.version, 1);
    QCOMPARE(imported()->stamp.savedBy, fncCurrentUserName());
    QCOMPARE(imported()->industry, std::optional(StatementIndustry{"236110", 1, "ALL"}));
    const CliRun refused = runCli(import, [&team] {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVEL_STORE"), team);
        return environment;
    }());
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.err.contains(QStringLiteral("--replace")), qPrintable(refused.err));
    QCOMPARE(cli(import + QStringList{QStringLiteral("--replace")}, team).first, 0);
    QCOMPARE(imported()->stamp.version, 2);
    // Nothing went to the user database on this computer.
    Connection user;
    ConnectToFile(user, program.filePath(QStringLiteral("myData.mdb")), QStringLiteral("unknown"),
                  OpenMode::ReadWrite);
    QVERIFY(!SqliteStatementStore(user).open(QStringLiteral("Imported Ltd"), 2005));
    DisconnectFromDB(user);
}

// The writer of twoProcessesSaveTheSameStatement: saves one statement over
// and over, and says how many saves went through.
int saveLoop(const QString &uri, int writer, int count)
{
    try {
        const std::unique_ptr<StatementStore> store = fncOpenStoreUri(uri);
        SavedStatement s;
        s.firmName = writer == 1 ? QStringLiteral("Race Ltd") : QStringLiteral("RACE LTD");
        s.year = 2006;
        s.amounts = healthyStatement(writer);
        int saved = 0;
        for (int i = 0; i < count; ++i)
            saved += store->save(s, Expectation::anything(), QStringLiteral("writer")).done;
        std::printf("saved %d\n", saved);
        return saved == count ? 0 : 1;
    } catch (const DatabaseError &error) {
        std::printf("error %d: %s\n", error.number(), qPrintable(error.description()));
        return 2;
    }
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--save-loop") == 0)
        return saveLoop(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), atoi(argv[4]));
    tst_StatementStore tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_StatementStore.moc"
