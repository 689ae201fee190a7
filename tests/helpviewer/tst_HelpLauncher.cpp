#include "support/TestSupport.h"

#include "core/HelpLauncher.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFile>

using namespace testsupport;

namespace {

struct StartedProcess
{
    QString program;
    QStringList arguments;
};

} // namespace

// The command lines with which the help viewer is started.
class TestHelpLauncher : public QObject
{
    Q_OBJECT

private:
    QList<StartedProcess> m_started;
    std::unique_ptr<StateScope> m_state;
    const QString m_folder = QStringLiteral("/opt/My Programs/Quorvel");

    void recordStarts(bool result = true)
    {
        setProcessStarter([this, result](const QString &program, const QStringList &arguments) {
            m_started.append({program, arguments});
            return result;
        });
    }

private slots:
    void init()
    {
        m_state = std::make_unique<StateScope>();
        m_started.clear();
        setProgramFolderOverride(m_folder);
        appState().gstrHelpViewer = m_folder + QStringLiteral("/quorvel-help");
        recordStarts();
    }

    void cleanup() { m_state.reset(); }

    void launchHelpFile_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("helpFile"); // empty: the viewer gets no file

        QTest::newRow("en:Contents")
            << "Contents" << Language::English << "ROVA_ConceptsHelp_Eng.qch";
        QTest::newRow("fr:Contents")
            << "Contents" << Language::French << "ROVA_ConceptsHelp_Fre.qch";
        QTest::newRow("en:Tech") << "Tech" << Language::English << "ROVA_Tech_Help_Eng.qch";
        QTest::newRow("fr:Tech") << "Tech" << Language::French << "ROVA_Tech_Help_Fre.qch";
        QTest::newRow("en:tech wrong case") << "tech" << Language::English << "";
        QTest::newRow("fr:CONTENTS wrong case") << "CONTENTS" << Language::French << "";
        QTest::newRow("en:trailing blank") << "Tech " << Language::English << "";
        QTest::newRow("en:empty topic") << "" << Language::English << "";
    }

    void launchHelpFile()
    {
        QFETCH(QString, topic);
        QFETCH(Language, language);
        QFETCH(QString, helpFile);
        appState().gintLanguage = language;

        gsubLaunchHelpFile(topic);

        QCOMPARE(m_started.size(), 1);
        QCOMPARE(m_started.first().program, m_folder + QStringLiteral("/quorvel-help"));
        const QStringList expected = helpFile.isEmpty()
                                         ? QStringList()
                                         : QStringList{m_folder + QLatin1Char('/') + helpFile};
        QCOMPARE(m_started.first().arguments, expected);
    }

    void eachCallStartsAnotherViewer()
    {
        gsubLaunchHelpFile(QStringLiteral("Contents"));
        gsubLaunchHelpFile(QStringLiteral("Contents"));
        QCOMPARE(m_started.size(), 2);
        QCOMPARE(m_started.at(0).arguments, m_started.at(1).arguments);
    }

    void getHelpTopic_data()
    {
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<int>("topicId");

        QTest::newRow("English license") << "ROVA_ConceptsHelp_Eng.qch" << 9999;
        QTest::newRow("French license") << "ROVA_ConceptsHelp_Fre.qch" << 9999;
        QTest::newRow("other topic") << "ROVA_Tech_Help_Eng.qch" << 12;
    }

    void getHelpTopic()
    {
        QFETCH(QString, helpFile);
        QFETCH(int, topicId);
        // The label's file decides the language, not the program's language.
        appState().gintLanguage = Language::French;

        GetHelpTopic(helpFile, topicId);

        QCOMPARE(m_started.size(), 1);
        QCOMPARE(m_started.first().program, m_folder + QStringLiteral("/quorvel-help"));
        const QStringList expected{m_folder + QLatin1Char('/') + helpFile,
                                   QStringLiteral("--topic"), QString::number(topicId)};
        QCOMPARE(m_started.first().arguments, expected);
    }

    // A viewer that does not start is said in the current language; the
    // program carries on (no ending, no error left to end it).
    void viewerThatDoesNotStartIsSaidAndTheProgramGoesOn_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en") << Language::English
                            << QStringLiteral("The help viewer could not be started: ");
        QTest::newRow("fr") << Language::French
                            << QStringLiteral("Le visualiseur d'aide n'a pas pu être démarré : ");
    }

    void viewerThatDoesNotStartIsSaidAndTheProgramGoesOn()
    {
        QFETCH(Language, language);
        QFETCH(QString, expected);
        appState().gintLanguage = language;
        recordStarts(false);
        MessageRecorder messages;
        EndRecorder ending;
        QVERIFY(!gsubLaunchHelpFile(QStringLiteral("Contents")));
        QVERIFY(!GetHelpTopic(QStringLiteral("ROVA_ConceptsHelp_Eng.qch"), 9999));
        QCOMPARE(messages.texts(), (QStringList{expected + appState().gstrHelpViewer,
                                                expected + appState().gstrHelpViewer}));
        QCOMPARE(messages.messages.first().buttons, MsgButtons::Ok);
        QVERIFY(!ending.ended());
    }

    // Through a real process: a stand-in viewer in a folder with blanks
    // writes the arguments it receives, one a line.
    void realProcessKeepsArgumentsWhole()
    {
        setProcessStarter({});
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(QStringLiteral("Program Files/Quorvel Help"));
        QVERIFY(QDir().mkpath(folder));
        const QString viewer = folder + QStringLiteral("/quorvel-help");
        QFile script(viewer);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                     "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args.txt\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setProgramFolderOverride(folder);
        appState().gstrHelpViewer = viewer;

        GetHelpTopic(QStringLiteral("ROVA_ConceptsHelp_Eng.qch"), 9999);

        QFile args(folder + QStringLiteral("/args.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(args.exists(), 20000);
        QVERIFY(args.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(args.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList expected{folder + QStringLiteral("/ROVA_ConceptsHelp_Eng.qch"),
                                   QStringLiteral("--topic"), QStringLiteral("9999")};
        QCOMPARE(lines, expected);
    }

    void missingViewerProgramIsSaid()
    {
        setProcessStarter({});
        appState().gstrHelpViewer = QStringLiteral("/nonexistent folder/quorvel-help");
        MessageRecorder messages;
        EndRecorder ending;
        QVERIFY(!gsubLaunchHelpFile(QStringLiteral("Tech")));
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("The help viewer could not be started: "
                                            "/nonexistent folder/quorvel-help")});
        QVERIFY(!ending.ended());
    }
};

QUORVEL_TEST_MAIN(TestHelpLauncher)
#include "tst_HelpLauncher.moc"
