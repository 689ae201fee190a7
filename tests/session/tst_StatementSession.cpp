#include "session/StatementSession.h"
#include "store/PgStatementStore.h"
#include "store/StoreLocation.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/PgServer.h"

#include <QFile>

using namespace testsupport;

Q_DECLARE_METATYPE(QList<WriteAnswer>)
Q_DECLARE_METATYPE(QList<WriteQuestion>)
Q_DECLARE_METATYPE(WriteStep::Kind)

// The statement workflow's rules, on both stores: replacing asks, a name
// spelt otherwise asks, a statement someone saved since it was opened asks
// about theirs, and versions go on across a delete.
class tst_StatementSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writeSteps_data();
    void writeSteps();
    void industryToSaveFollowsTheChoices();
    void saveRefusesAKeyItCannotKeep_data();
    void saveRefusesAKeyItCannotKeep();

private:
    // A fresh, empty store of the kind; its location in `location`.
    std::unique_ptr<StatementStore> freshStore(const QString &kind, QString &location);
    static SavedStatement statement(const QString &firm, double cash);

    std::unique_ptr<PgServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_StatementSession::initTestCase()
{
    m_server = std::make_unique<PgServer>();
    QVERIFY2(
        m_server->isRunning(),
        qPrintable(QStringLiteral("no PostgreSQL server could be started: ") + m_server->error()));
    PgStatementStore(m_server->uri()).initSchema();
    m_dir = std::make_unique<QTemporaryDir>();
}

std::unique_ptr<StatementStore> tst_StatementSession::freshStore(const QString &kind,
                                                                 QString &location)
{
    return m_server->freshStore(kind, *m_dir, &location);
}

SavedStatement tst_StatementSession::statement(const QString &firm, double cash)
{
    SavedStatement s;
    s.firmName = firm;
    s.year = 2005;
    s.amounts = healthyStatement();
    s.amounts.Cash = cash;
    s.industry = StatementIndustry{QStringLiteral("236110"), 3, QStringLiteral("ON")};
    return s;
}

void tst_StatementSession::writeSteps_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("stored"); // the name stored first (cash 1); empty: none
    QTest::addColumn<bool>("opened");    // the session opened it
    QTest::addColumn<QString>("other");  // then another user: "save" (cash 5), "delete", "recreate"
    QTest::addColumn<QString>("command"); // "save" (cash 9) or "delete"
    QTest::addColumn<QString>("firm");
    QTest::addColumn<bool>("ask"); // ask before replacing a stored statement
    QTest::addColumn<QList<WriteAnswer>>("answers");
    QTest::addColumn<QList<WriteQuestion>>("questions");
    QTest::addColumn<WriteStep::Kind>("end");
    QTest::addColumn<QString>("storedName"); // after; empty: nothing stored
    QTest::addColumn<double>("cash");
    QTest::addColumn<qint64>("version");
    // The question of a second save (answered Cancel); none when empty.
    QTest::addColumn<QList<WriteQuestion>>("next");

    using A = WriteAnswer;
    using Q = WriteQuestion;
    using K = WriteStep::Kind;
    const QString acme = QStringLiteral("Acme");
    const QString ecole = QStringLiteral("ÉCOLE Dupré");
    const QString lower = QStringLiteral("école dupré");
    const QList<A> none;
    const QList<Q> asked;
    for (const char *kind : {"sqlite", "postgresql"}) {
        const auto row = [kind](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QStringLiteral("%1:%2").arg(kind, name))) << kind;
        };
        row("new statement") << "" << false << ""
                             << "save" << acme << true << none << asked << K::Done << acme << 9.0
                             << qint64(1) << asked;
        row("replace asks: yes") << acme << false << ""
                                 << "save" << acme << true << QList<A>{A::Yes}
                                 << QList<Q>{Q::ReplaceStored} << K::Done << acme << 9.0
                                 << qint64(2) << asked;
        row("replace asks: cancel")
            << acme << false << ""
            << "save" << acme << true << QList<A>{A::Cancel} << QList<Q>{Q::ReplaceStored}
            << K::Stopped << acme << 1.0 << qint64(1) << asked;
        row("replace unasked") << acme << false << ""
                               << "save" << acme << false << none << asked << K::Done << acme << 9.0
                               << qint64(2) << asked;
        row("spelt otherwise asks: cancel")
            << ecole << false << ""
            << "save" << lower << false << QList<A>{A::Cancel} << QList<Q>{Q::ReplaceStored}
            << K::Stopped << ecole << 1.0 << qint64(1) << asked;
        row("spelt otherwise asks: yes")
            << ecole << false << ""
            << "save" << lower << false << QList<A>{A::Yes} << QList<Q>{Q::ReplaceStored} << K::Done
            << lower << 9.0 << qint64(2) << asked;
        row("theirs since opened: replace")
            << acme << true << "save"
            << "save" << acme << true << QList<A>{A::Yes} << QList<Q>{Q::ReplaceTheirs} << K::Done
            << acme << 9.0 << qint64(3) << asked;
        row("theirs since opened: keep theirs")
            << acme << true << "save"
            << "save" << acme << true << QList<A>{A::No} << QList<Q>{Q::ReplaceTheirs} << K::Stopped
            << acme << 5.0 << qint64(2) << QList<Q>{Q::ReplaceStored};
        row("theirs since opened: cancel")
            << acme << true << "save"
            << "save" << acme << true << QList<A>{A::Cancel} << QList<Q>{Q::ReplaceTheirs}
            << K::Stopped << acme << 5.0 << qint64(2) << QList<Q>{Q::ReplaceTheirs};
        // The version goes on across the delete: the screen's version 1 is
        // not the re-created statement's.
        row("deleted and re-created since opened: cancel")
            << acme << true << "recreate"
            << "save" << acme << true << QList<A>{A::Cancel} << QList<Q>{Q::ReplaceTheirs}
            << K::Stopped << acme << 5.0 << qint64(2) << asked;
        row("deleted and re-created since opened: replace")
            << acme << true << "recreate"
            << "save" << acme << true << QList<A>{A::Yes} << QList<Q>{Q::ReplaceTheirs} << K::Done
            << acme << 9.0 << qint64(3) << asked;
        row("deleted since opened: saved again") << acme << true << "delete"
                                                 << "save" << acme << true << none << asked
                                                 << K::Done << acme << 9.0 << qint64(2) << asked;
        row("delete opened") << acme << true << ""
                             << "delete" << acme << false << none << asked << K::Done << "" << -1.0
                             << qint64(0) << asked;
        row("delete theirs: yes") << acme << true << "save"
                                  << "delete" << acme << false << QList<A>{A::Yes}
                                  << QList<Q>{Q::DeleteTheirs} << K::Done << "" << -1.0 << qint64(0)
                                  << asked;
        row("delete theirs: keep theirs")
            << acme << true << "save"
            << "delete" << acme << false << QList<A>{A::No} << QList<Q>{Q::DeleteTheirs}
            << K::Stopped << acme << 5.0 << qint64(2) << asked;
        row("delete theirs: cancel")
            << acme << true << "save"
            << "delete" << acme << false << QList<A>{A::Cancel} << QList<Q>{Q::DeleteTheirs}
            << K::Stopped << acme << 5.0 << qint64(2) << asked;
        row("delete spelt otherwise") << ecole << false << ""
                                      << "delete" << QStringLiteral("ÉCOLE DUPRÉ") << false << none
                                      << asked << K::Done << "" << -1.0 << qint64(0) << asked;
        row("delete nothing stored") << "" << false << ""
                                     << "delete" << acme << false << none << asked << K::Done << ""
                                     << -1.0 << qint64(0) << asked;
    }
}

void tst_StatementSession::writeSteps()
{
    QFETCH(QString, kind);
    QFETCH(QString, stored);
    QFETCH(bool, opened);
    QFETCH(QString, other);
    QFETCH(QString, command);
    QFETCH(QString, firm);
    QFETCH(bool, ask);
    QFETCH(QList<WriteAnswer>, answers);
    QFETCH(QList<WriteQuestion>, questions);
    QFETCH(WriteStep::Kind, end);
    QFETCH(QString, storedName);
    QFETCH(double, cash);
    QFETCH(qint64, version);
    QFETCH(QList<WriteQuestion>, next);

    QString location;
    const std::unique_ptr<StatementStore> store = freshStore(kind, location);
    const std::unique_ptr<StatementStore> otherUser = fncOpenStoreUri(location);
    StatementSession session([&store]() -> StatementStore & { return *store; },
                             [] {
                                 return SessionChoices{Language::English, {3, "ON"}};
                             });
    if (!stored.isEmpty()) {
        QVERIFY(otherUser->save(statement(stored, 1), Expectation::nothing(), "luc").done);
        if (opened)
            QVERIFY(session.open(stored, 2005));
    }
    if (other == QLatin1String("delete") || other == QLatin1String("recreate"))
        QVERIFY(otherUser->remove(stored, 2005, Expectation::anything()).done);
    if (other == QLatin1String("save") || other == QLatin1String("recreate"))
        QVERIFY(otherUser->save(statement(stored, 5), Expectation::anything(), "marie").done);

    StatementWrite write = command == QLatin1String("save") ? session.save(statement(firm, 9), ask)
                                                            : session.remove(firm, 2005);
    QList<WriteQuestion> seen;
    QStringList savedBy;
    QList<QList<AmountDifference>> differences;
    const WriteStep last = fncRunWrite(write, [&](const WriteStep &step) {
        seen << step.question;
        savedBy << step.stamp.savedBy;
        differences << step.differences;
        return answers.value(int(seen.size()) - 1, WriteAnswer::Cancel);
    });
    QCOMPARE(seen, questions);
    // Asked to replace theirs, the step lists the amounts that differ: their
    // cash 5 against the 9 being saved, nothing else.
    for (int i = 0; i < seen.size(); ++i)
        QCOMPARE(differences.at(i), (seen.at(i) == WriteQuestion::ReplaceTheirs
                                         ? QList<AmountDifference>{{0, 5.0, 9.0}}
                                         : QList<AmountDifference>()));
    // Asked about theirs, the step names who saved it.
    for (int i = 0; i < seen.size(); ++i)
        QCOMPARE(savedBy.at(i), seen.at(i) == WriteQuestion::ReplaceStored
                                    ? QStringLiteral("luc")
                                    : QStringLiteral("marie"));
    QCOMPARE(last.kind, end);

    const std::optional<SavedStatement> now = otherUser->open(firm, 2005);
    QCOMPARE(now ? now->firmName : QString(), storedName);
    QCOMPARE(now ? now->amounts.Cash : -1.0, cash);
    QCOMPARE(now ? now->stamp.version : qint64(0), version);
    if (end == WriteStep::Kind::Done && command == QLatin1String("save"))
        QCOMPARE(last.stamp.version, version);

    if (next.isEmpty())
        return;
    StatementWrite again = session.save(statement(firm, 11), true);
    QList<WriteQuestion> nextSeen;
    fncRunWrite(again, [&nextSeen](const WriteStep &step) {
        nextSeen << step.question;
        return WriteAnswer::Cancel;
    });
    QCOMPARE(nextSeen, next);
}

void tst_StatementSession::industryToSaveFollowsTheChoices()
{
    SessionChoices choices{Language::French, {1, "ALL"}};
    QString location;
    const std::unique_ptr<StatementStore> store = freshStore(QStringLiteral("sqlite"), location);
    StatementSession session([&store]() -> StatementStore & { return *store; },
                             [&choices] { return choices; });
    QCOMPARE(session.industryToSave(), (StatementIndustry{QString(), 1, "ALL"}));
    session.chooseIndustry(ChosenIndustry{QStringLiteral("445110"), QStringLiteral("Épiceries")});
    choices.dataset = {3, "QC"};
    QCOMPARE(session.industryToSave(), (StatementIndustry{"445110", 3, "QC"}));
    QCOMPARE(session.language(), Language::French);
}

void tst_StatementSession::saveRefusesAKeyItCannotKeep_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("firm");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("message"); // its start; empty: saved
    QTest::addColumn<QString>("comment");
    const QString refusedComment = QStringLiteral("The comment holds a control character");
    for (const char *kind : {"sqlite", "postgresql"}) {
        const auto row = [kind](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QStringLiteral("%1:%2").arg(kind, name))) << kind;
        };
        row("NUL inside") << QStringLiteral("NUL%1inside").arg(QChar(0)) << 2005
                          << "The firm name holds a control character" << QString();
        row("tab") << "Tab\there" << 2005 << "The firm name holds a control character" << QString();
        row("line break") << "Two\nlines" << 2005 << "The firm name holds a control character"
                          << QString();
        row("year after the reference years") << "Acme" << 2010 << "Invalid year." << QString();
        row("year before them") << "Acme" << 2003 << "Invalid year." << QString();
        row("accents and symbols are no control characters")
            << "Café & Fils (2e) ‐ Ltée" << 2004 << "" << QString();
        row("comment with a NUL") << "Acme" << 2005 << refusedComment
                                  << QStringLiteral("a%1b").arg(QChar(0));
        row("comment with an escape")
            << "Acme" << 2005 << refusedComment << QStringLiteral("a%1b").arg(QChar(0x1b));
        row("comment of the longest length, lines and tabs")
            << "Acme" << 2005 << "" << QStringLiteral("a\n\tb").leftJustified(4000, u'x');
        row("comment one character longer") << "Acme" << 2005
                                            << "The comment is too long: a comment holds at "
                                               "most 4,000 characters."
                                            << QString(4001, u'x');
    }
}

void tst_StatementSession::saveRefusesAKeyItCannotKeep()
{
    QFETCH(QString, kind);
    QFETCH(QString, firm);
    QFETCH(int, year);
    QFETCH(QString, message);
    QFETCH(QString, comment);
    QString location;
    const std::unique_ptr<StatementStore> store = freshStore(kind, location);
    StatementSession session([&store]() -> StatementStore & { return *store; },
                             [] {
                                 return SessionChoices{Language::English, {3, "ON"}};
                             });
    SavedStatement s = statement(firm, 9);
    s.year = year;
    s.comment = comment;
    StatementWrite write = session.save(s, true);
    const WriteStep end = fncRunWrite(write, [](const WriteStep &) { return WriteAnswer::Yes; });
    if (message.isEmpty()) {
        QVERIFY(end.isDone());
        QCOMPARE(store->open(firm, year)->firmName, firm);
        QCOMPARE(store->open(firm, year)->comment, comment);
        return;
    }
    QCOMPARE(end.kind, WriteStep::Kind::Refused);
    QVERIFY2(end.message.startsWith(message), qPrintable(end.message));
    QVERIFY(store->list(Language::English).isEmpty());
}

QUORVEL_LOGIC_TEST_MAIN(tst_StatementSession)
#include "tst_StatementSession.moc"
