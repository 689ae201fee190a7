#include "SqliteFixture.h"
#include "TestSupport.h"

#include "core/DatabaseError.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "core/Startup.h"
#include "entry/frmStart.h"

#include <QFileInfo>

using namespace testsupport;

// Start-up against a program folder of the test's own.
class TestStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString file(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void init()
    {
        resetAppState();
        QVERIFY(m_dir.isValid());
        QFile::remove(file(kReferenceDatabaseFile));
        QFile::remove(file(kUserDatabaseFile));
        QVERIFY(writeSqliteFile(file(kReferenceDatabaseFile),
                                {QStringLiteral("create table datadescription (x text)")}));
        QVERIFY(writeSqliteFile(file(kUserDatabaseFile),
                                {QStringLiteral("create table MyValues (x text)")}));
        setProgramFolderOverride(m_dir.path());
    }

    void cleanup()
    {
        ScreenRegistry::clear();
        DisconnectFromDB(appState().gcnReference);
        DisconnectFromDB(appState().gcnUser);
        setProgramFolderOverride(QString());
    }

    void mainOpensBothDatabasesAndShowsStartScreen()
    {
        appState().gblnKeepFirmForm = true;
        MessageRecorder messages;
        runGuarded(Main);
        const AppState &state = appState();
        QVERIFY(state.gcnReference.isOpen());
        QVERIFY(state.gcnUser.isOpen());
        QCOMPARE(state.gintLanguage, qint16(0));
        QVERIFY(!state.gblnKeepFirmForm);
        QCOMPARE(state.gstrHelpViewer, m_dir.path() + QStringLiteral("/quorvel-help"));
        QVERIFY(ScreenRegistry::get<frmStart>().isVisible());
        QVERIFY(messages.messages.isEmpty());
    }

    void missingDatabaseEndsWithItsErrorAndCreatesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("reference") << QString::fromLatin1(kReferenceDatabaseFile);
        QTest::newRow("user") << QString::fromLatin1(kUserDatabaseFile);
    }

    void missingDatabaseEndsWithItsErrorAndCreatesNothing()
    {
        QFETCH(QString, name);
        QVERIFY(QFile::remove(m_dir.filePath(name)));
        MessageRecorder messages;
        EndRecorder ending;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, runGuarded(Main));
        QCOMPARE(ending.exitCodes, QList<int>{1});
        QCOMPARE(messages.messages.size(), 1);
        const QString text = messages.messages.first().text;
        QVERIFY2(text.startsWith(QLatin1String("Error 14:")), qPrintable(text));
        QVERIFY2(text.contains(QLatin1String("unable to open database file")), qPrintable(text));
        QVERIFY(text.contains(name));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(name)));
        QVERIFY(!ScreenRegistry::isLoaded<frmStart>());
    }

    void damagedDatabaseEndsWithItsError()
    {
        QFile damaged(file(kUserDatabaseFile));
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("this is not a database, whatever its name says");
        damaged.close();
        MessageRecorder messages;
        EndRecorder ending;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, runGuarded(Main));
        QCOMPARE(ending.exitCodes, QList<int>{1});
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY2(messages.messages.first().text.startsWith(QLatin1String("Error 26:")),
                 qPrintable(messages.messages.first().text));
    }

    void errorInAnEventHandlerEndsTheProgram()
    {
        MessageRecorder messages;
        EndRecorder ending;
        QObject target;
        bool afterError = false;
        QObject::connect(&target, &QObject::objectNameChanged, &target, [&afterError] {
            throw DatabaseError(3265, QStringLiteral("Item cannot be found"));
            afterError = true;
        });
        QMetaObject::invokeMethod(&target, [&target] { target.setObjectName("x"); },
                                  Qt::QueuedConnection);
        QCoreApplication::processEvents();
        QCOMPARE(ending.exitCodes, QList<int>{1});
        QCOMPARE(messages.texts(), QStringList{"Error 3265:\n\nItem cannot be found"});
        QVERIFY(!afterError);
    }

    void messageButtonsFollowTheLanguage()
    {
        QCOMPARE(messageButtonTexts(MsgButtons::YesNoCancel),
                 (QStringList{"Yes", "No", "Cancel"}));
        appState().gintLanguage = 1;
        QCOMPARE(messageButtonTexts(MsgButtons::YesNoCancel),
                 (QStringList{"Oui", "Non", "Annuler"}));
        QCOMPARE(messageButtonTexts(MsgButtons::OkCancel), (QStringList{"OK", "Annuler"}));
    }
};

QUORVEL_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
