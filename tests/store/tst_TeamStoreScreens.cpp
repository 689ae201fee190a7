#include "core/LanguageSwitch.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "entry/frmMenu.h"
#include "firm/frmMyValues.h"
#include "firm/frmOpenExisting.h"
#include "reports/frmReportViewer.h"
#include "search/frmSearch.h"
#include "store/CurrentStore.h"
#include "store/PgStatementStore.h"
#include "support/FirmScreenSteps.h"
#include "support/FirmStatements.h"
#include "support/PgServer.h"
#include "support/TestSupport.h"
#include "widgets/StatementsLocation.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTimer>

using namespace testsupport;

// The firm screen on the team database: the questions asked when someone
// else saved a statement since it was opened, and a server that goes away.
class tst_TeamStoreScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void someoneElseSavedFirst_data();
    void someoneElseSavedFirst();
    void someoneElseChangedWhatIsDeleted_data();
    void someoneElseChangedWhatIsDeleted();
    void serverStoppedMidSession_data();
    void serverStoppedMidSession();
    void frozenServerNeverHoldsTheWindow_data();
    void frozenServerNeverHoldsTheWindow();
    void commitNeverAnswered_data();
    void commitNeverAnswered();
    void chooseTheLocation_data();
    void chooseTheLocation();
    void backupsAreTheServers_data();
    void backupsAreTheServers();

private:
    frmMyValues &firmWithSavedStatement();
    // Another user saves the statement over version `version`.
    void otherUserSaves(qint64 version, double cash);
    std::optional<SavedStatement> stored();

    std::unique_ptr<PgServer> m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
};

void tst_TeamStoreScreens::initTestCase()
{
    // The settings file goes to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(fncSettingsFilePath());
    m_server = std::make_unique<PgServer>();
    QVERIFY2(
        m_server->isRunning(),
        qPrintable(QStringLiteral("no PostgreSQL server could be started: ") + m_server->error()));
    PgStatementStore(m_server->uri()).initSchema();
}

void tst_TeamStoreScreens::init()
{
    if (!m_server->isRunning())
        QVERIFY(m_server->start());
    QCOMPARE(m_server->exec(QStringLiteral("DELETE FROM quorvel.statements")), QString());
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
    setProgramFolderOverride(m_dir->path());
    frmReportViewer::setDisplayPause(false);
    frmMenu &menu = ScreenRegistry::get<frmMenu>();
    menu.optVol2->setChecked(true);
    QVERIFY(menu.fncDetermineDataset());
    setStatementStore(std::make_unique<PgStatementStore>(m_server->uri()));
}

void tst_TeamStoreScreens::cleanup()
{
    m_state.reset();
    m_dir.reset();
    // Commits wait for no standby (commitNeverAnswered sets one).
    if (m_server->isRunning()) {
        m_server->exec(QStringLiteral("ALTER SYSTEM RESET synchronous_standby_names"));
        m_server->exec(QStringLiteral("SELECT pg_reload_conf()"));
    }
}

frmMyValues &tst_TeamStoreScreens::firmWithSavedStatement()
{
    frmMyValues &firm = showNewStatementScreen();
    firm.txtFirmName->setText(QStringLiteral("Team Ltd"));
    firm.cboYear->setEditText(QStringLiteral("2006"));
    firm.txtCash->setText(QStringLiteral("100"));
    MessageRecorder messages(MsgAnswer::Ok);
    firm.subSave_Firm_Record(false);
    if (messages.texts() != QStringList{QStringLiteral("Data has been saved.")})
        qWarning() << messages.texts();
    return firm;
}

void tst_TeamStoreScreens::otherUserSaves(qint64 version, double cash)
{
    SavedStatement theirs = *stored();
    theirs.amounts.Cash = cash;
    PgStatementStore other(m_server->uri());
    QVERIFY(other.save(theirs, Expectation::seen(version), QStringLiteral("marie")).done);
}

std::optional<SavedStatement> tst_TeamStoreScreens::stored()
{
    return PgStatementStore(m_server->uri()).open(QStringLiteral("team ltd"), 2006);
}

void tst_TeamStoreScreens::someoneElseSavedFirst_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<double>("storedCash");
    QTest::addColumn<bool>("stillChanged");
    // What the next save asks: the same question, or the plain replace question.
    QTest::addColumn<QString>("nextQuestion");
    // The answers' other rules are the statement session's (tst_StatementSession).
    QTest::newRow("keep theirs") << MsgAnswer::No << 555.0 << true
                                 << QStringLiteral("There are already values for Team Ltd");
}

void tst_TeamStoreScreens::someoneElseSavedFirst()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(double, storedCash);
    QFETCH(bool, stillChanged);
    QFETCH(QString, nextQuestion);
    frmMyValues &firm = firmWithSavedStatement();
    otherUserSaves(1, 555);

    firm.txtCash->setText(QStringLiteral("200"));
    MessageRecorder messages(answer);
    firm.subSave_Firm_Record(false);
    QVERIFY(!messages.messages.isEmpty());
    const QString question = messages.messages.first().text;
    QVERIFY2(question.startsWith(QStringLiteral("Team Ltd, 2006 was saved by marie on ")),
             qPrintable(question));
    QVERIFY2(question.contains(QStringLiteral("What differs:\nCash: theirs 555, yours 200\n")),
             qPrintable(question));
    QCOMPARE(messages.messages.first().buttons, MsgButtons::YesNoCancel);
    QCOMPARE(messages.messages.first().defaultAnswer, MsgAnswer::Cancel);
    QCOMPARE(stored()->amounts.Cash, storedCash);
    QCOMPARE(firm.txtCash->text(), QStringLiteral("200"));
    QCOMPARE(firm.dataChanged(), stillChanged);
    QCOMPARE(stored()->stamp.version, answer == MsgAnswer::Yes ? 3 : 2);

    if (nextQuestion.isEmpty())
        return;
    MessageRecorder next(MsgAnswer::Cancel);
    firm.subSave_Firm_Record(false);
    QVERIFY(!next.messages.isEmpty());
    QVERIFY2(next.messages.first().text.startsWith(nextQuestion),
             qPrintable(next.messages.first().text));
}

void tst_TeamStoreScreens::someoneElseChangedWhatIsDeleted_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("keep theirs") << MsgAnswer::No << false;
}

void tst_TeamStoreScreens::someoneElseChangedWhatIsDeleted()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, deleted);
    frmMyValues &firm = firmWithSavedStatement();
    otherUserSaves(1, 555);

    MessageRecorder messages;
    messages.answers = {MsgAnswer::Yes, answer}; // "Are you sure…?", then the question
    firm.subDelete_Firm_Record();
    QCOMPARE(messages.messages.size(), 2);
    QVERIFY2(messages.messages.at(1).text.contains(QStringLiteral("was saved by marie")),
             qPrintable(messages.messages.at(1).text));
    QCOMPARE(!stored().has_value(), deleted);
    // Kept: the screen still shows the statement as it was.
    QCOMPARE(firm.txtFirmName->text(),
             deleted ? firm.txtFirmName->text() : QStringLiteral("Team Ltd"));
    if (!deleted)
        QCOMPARE(stored()->amounts.Cash, 555.0);
}

void tst_TeamStoreScreens::serverStoppedMidSession_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("saved");
    QTest::newRow("en") << Language::English
                        << QStringLiteral("The statement could not be saved: the team database "
                                          "localhost/quorvel cannot be reached (")
                        << QStringLiteral("Data has been saved.");
    QTest::newRow("fr") << Language::French
                        << QStringLiteral("L'état n'a pas pu être sauvegardé : la base de données "
                                          "d'équipe localhost/quorvel est injoignable (")
                        << QStringLiteral("Les données ont été sauvegardées.");
}

void tst_TeamStoreScreens::serverStoppedMidSession()
{
    QFETCH(Language, language);
    QFETCH(QString, refusal);
    QFETCH(QString, saved);
    frmMyValues &firm = firmWithSavedStatement();
    switchProgramLanguage(language);
    QVERIFY(m_server->stop());

    firm.txtCash->setText(QStringLiteral("300"));
    {
        MessageRecorder messages(MsgAnswer::Ok);
        QVERIFY(!firm.subSave_Firm_Record(false));
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().text.startsWith(refusal),
                 qPrintable(messages.messages.first().text));
        QCOMPARE(firm.txtCash->text(), QStringLiteral("300"));
        QVERIFY(firm.dataChanged());
        // The list says why it cannot be read, not that there is nothing.
        messages.messages.clear();
        QVERIFY(!ScreenRegistry::get<frmOpenExisting>().fncLoadFirms());
        QCOMPARE(messages.messages.size(), 1);
    }

    QVERIFY(m_server->start());
    MessageRecorder messages(MsgAnswer::Ok);
    QVERIFY(firm.subSave_Firm_Record(false));
    QCOMPARE(messages.texts().last(), saved);
    QCOMPARE(stored()->amounts.Cash, 300.0);
}

void tst_TeamStoreScreens::frozenServerNeverHoldsTheWindow_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("answerLimitMs");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("past the limit")
        << false << 2000
        << QStringLiteral("The statement could not be saved: the team database "
                          "localhost/quorvel cannot be reached (no answer within 2 s)");
    // A limit the test would run into were Cancel not to stop the save.
    QTest::newRow("cancelled") << true << 120000
                               << QStringLiteral("The statement could not be saved: stopped "
                                                 "before the team database localhost/quorvel "
                                                 "answered. Nothing was written");
}

// A server whose processes are stopped (SIGSTOP): the save waits off the
// screen's thread, the wait window shows, and the save ends with a refusal,
// the statement still on the screen.
void tst_TeamStoreScreens::frozenServerNeverHoldsTheWindow()
{
    QFETCH(bool, cancel);
    QFETCH(int, answerLimitMs);
    QFETCH(QString, refusal);
    frmMyValues &firm = firmWithSavedStatement();
    dynamic_cast<PgStatementStore &>(statementStore()).setAnswerLimit(answerLimitMs);
    firm.txtCash->setText(QStringLiteral("300"));
    QVERIFY(m_server->freeze(true));

    int ticks = 0;
    bool waitShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        ++ticks;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() != QLatin1String("dlgStoreWait") || !window->isVisible())
                continue;
            waitShown = true;
            auto *stop = window->findChild<QPushButton *>(QStringLiteral("cmdStoreWaitCancel"));
            if (cancel && stop && stop->isEnabled())
                stop->click();
        }
    });
    watch.start(50);
    {
        MessageRecorder messages(MsgAnswer::Ok);
        const bool saved = firm.subSave_Firm_Record(false);
        watch.stop();
        QVERIFY(m_server->freeze(false));
        QVERIFY(!saved);
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().text.startsWith(refusal),
                 qPrintable(messages.messages.first().text));
    }
    QVERIFY(waitShown);
    QVERIFY2(ticks > 5, qPrintable(QString::number(ticks)));
    QCOMPARE(firm.txtCash->text(), QStringLiteral("300"));
    QCOMPARE(stored()->amounts.Cash, 100.0);

    MessageRecorder messages(MsgAnswer::Ok);
    QVERIFY(firm.subSave_Firm_Record(false));
    QCOMPARE(stored()->amounts.Cash, 300.0);
}

void tst_TeamStoreScreens::commitNeverAnswered_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("deleting");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("save, en") << Language::English << false
                              << QStringLiteral(
                                     "The statement may or may not have been saved: the team "
                                     "database localhost/quorvel did not confirm the write (no "
                                     "answer within 2 s). It is still on the screen; reopen the "
                                     "list of statements, or save again, to see what the team "
                                     "database holds.");
    QTest::newRow("save, fr") << Language::French << false
                              << QStringLiteral(
                                     "L'état a peut-être été sauvegardé, ou peut-être pas : la "
                                     "base de données d'équipe localhost/quorvel n'a pas confirmé "
                                     "l'écriture (no answer within 2 s). Il est toujours à "
                                     "l'écran; rouvrez la liste des états, ou sauvegardez de "
                                     "nouveau, pour voir ce que contient la base de données "
                                     "d'équipe.");
    QTest::newRow("delete, en") << Language::English << true
                                << QStringLiteral("The statement may or may not have been "
                                                  "deleted: the team database localhost/quorvel "
                                                  "did not confirm the write (no answer within "
                                                  "2 s). Reopen the list of statements to see "
                                                  "what the team database holds.");
}

// The server takes the commit and does not answer it in time: here it
// waits for a standby that never comes, the commit already written on its
// own disk. Whether the write landed is not known to the program, which
// says so instead of "nothing was written"; and it did land.
void tst_TeamStoreScreens::commitNeverAnswered()
{
    QFETCH(Language, language);
    QFETCH(bool, deleting);
    QFETCH(QString, refusal);
    // This store's commits wait for the standby the server is told of.
    auto store = std::make_unique<PgStatementStore>(
        m_server->uri() + QStringLiteral("&options=-c%20synchronous_commit%3Don"));
    store->setAnswerLimit(2000);
    setStatementStore(std::move(store));
    frmMyValues &firm = firmWithSavedStatement();
    switchProgramLanguage(language);
    // Restarted, the server waits for the standby from its first commit on.
    QCOMPARE(m_server->exec(QStringLiteral("ALTER SYSTEM SET synchronous_standby_names = "
                                           "'standby_never_there'")),
             QString());
    QVERIFY(m_server->stop());
    QVERIFY(m_server->start());

    firm.txtCash->setText(QStringLiteral("300"));
    {
        MessageRecorder messages(MsgAnswer::Ok);
        if (deleting) {
            messages.answers = {MsgAnswer::Yes}; // "Are you sure…?"
            firm.subDelete_Firm_Record();
        } else {
            QVERIFY(!firm.subSave_Firm_Record(false));
        }
        QVERIFY(!messages.messages.isEmpty());
        QCOMPARE(messages.messages.last().text, refusal);
    }
    QCOMPARE(firm.txtCash->text(), QStringLiteral("300"));

    // The standby forgotten, the waiting commit ends: the write landed.
    QCOMPARE(m_server->exec(QStringLiteral("ALTER SYSTEM RESET synchronous_standby_names")),
             QString());
    QCOMPARE(m_server->exec(QStringLiteral("SELECT pg_reload_conf()")), QString());
    if (deleting)
        QTRY_VERIFY_WITH_TIMEOUT(!stored(), 20000);
    else
        QTRY_COMPARE_WITH_TIMEOUT(stored().value_or(SavedStatement{}).amounts.Cash, 300.0, 20000);
}

void tst_TeamStoreScreens::chooseTheLocation_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("en") << Language::English
                        << QStringLiteral(" \u2014 Statements: team database localhost/quorvel");
    QTest::newRow("fr") << Language::French
                        << QStringLiteral(
                               " \u2014 États : base de données d'équipe localhost/quorvel");
}

void tst_TeamStoreScreens::chooseTheLocation()
{
    QFETCH(Language, language);
    QFETCH(QString, title);
    setStatementStore(nullptr);
    frmMyValues &firm = firmWithSavedStatement();
    switchProgramLanguage(language);
    const QString localTitle = firm.windowTitle();
    QVERIFY(!localTitle.contains(title));

    // File > Statements location…: the team database, without a host first.
    StoreLocation team;
    team.kind = StoreLocation::Kind::Team;
    team.host = m_server->socketFolder();
    team.database = QStringLiteral("quorvel");
    team.user = QStringLiteral("quorvel_admin");
    team.sslMode = QStringLiteral("disable");
    MessageRecorder messages(MsgAnswer::Ok);
    QTimer::singleShot(0, this, [&team] {
        auto *dialog = qobject_cast<dlgStatementsLocation *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(!dialog->txtHost->isEnabled());
        dialog->optTeam->setChecked(true);
        QVERIFY(dialog->txtHost->isEnabled());
        dialog->txtHost->clear();
        dialog->buttons->button(QDialogButtonBox::Ok)->click(); // no host: refused
        QVERIFY(dialog->isVisible());
        dialog->txtHost->setText(team.host);
        dialog->txtDatabase->setText(team.database);
        dialog->txtUser->setText(team.user);
        dialog->cboSslMode->setCurrentText(team.sslMode);
        dialog->buttons->button(QDialogButtonBox::Ok)->click();
    });
    firm.mnuStatementsLocation->trigger();
    QCOMPARE(messages.messages.size(), 2);
    QCOMPARE(messages.messages.at(0).text, ResourceString(2454, language));
    QVERIFY(statementStore().isTeam());
    QCOMPARE(firm.windowTitle(), localTitle + title);
    QCOMPARE(fncReadStoreLocation(), team);
    // The statement saved on this computer is not in the team database.
    QCOMPARE(statementStore().open(QStringLiteral("Team Ltd"), 2006), std::nullopt);

    // The settings file: the choice, never a password.
    QFile ini(fncSettingsFilePath());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QString kept = QString::fromUtf8(ini.readAll());
    QVERIFY2(kept.contains(QStringLiteral("location=team")), qPrintable(kept));
    QVERIFY2(!kept.contains(QStringLiteral("password"), Qt::CaseInsensitive), qPrintable(kept));

    // And back to this computer.
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<dlgStatementsLocation *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QVERIFY(dialog->optTeam->isChecked());
        dialog->optLocal->setChecked(true);
        dialog->buttons->button(QDialogButtonBox::Ok)->click();
    });
    firm.mnuStatementsLocation->trigger();
    QVERIFY(!statementStore().isTeam());
    QCOMPARE(firm.windowTitle(), localTitle);
    QCOMPARE(fncReadStoreLocation().kind, StoreLocation::Kind::Local);
}

// With the statements on the server, backing up or restoring the local
// file would copy none of them: both commands say so and touch no file.
void tst_TeamStoreScreens::backupsAreTheServers_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("back up") << "mnuBackUp";
    QTest::newRow("restore") << "mnuRestore";
}

void tst_TeamStoreScreens::backupsAreTheServers()
{
    QFETCH(QString, command);
    frmMyValues &firm = showNewStatementScreen();
    bool asked = false;
    firm.setFileChooser([&asked](bool, const QString &) {
        asked = true;
        return QString();
    });
    const QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    MessageRecorder messages(MsgAnswer::Yes);
    firm.findChild<QAction *>(command)->trigger();
    QVERIFY(!asked);
    QCOMPARE(
        messages.texts(),
        {caption(kBackupOnServerText).arg(statementStore().description(appState().gintLanguage))});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), files);
}

QUORVEL_TEST_MAIN(tst_TeamStoreScreens)
#include "tst_TeamStoreScreens.moc"
