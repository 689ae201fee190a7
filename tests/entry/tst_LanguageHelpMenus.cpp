// The Language and Help menus the dataset, search and firm screens share:
// where they sit on the bar, their names, captions and mnemonics in either
// language, and what their items do.
#include "support/TestSupport.h"

#include "core/HelpLauncher.h"
#include "core/MenuMnemonics.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "entry/LanguageHelpMenus.h"
#include "entry/frmAbout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {
// A screen with a menu of its own ahead of the shared ones; it writes down
// its reloads and its step before the about screen.
class HostScreen : public Screen
{
public:
    HostScreen()
    {
        menuBar()->addMenu(QStringLiteral("File"))->setObjectName(QStringLiteral("mnuFile"));
        menus = LanguageHelpMenus::add(this, [this] { steps << QStringLiteral("before about"); });
    }
    void reloadCaptions() override
    {
        steps << QStringLiteral("reload:") + QString::number(int(appState().gintLanguage));
    }

    LanguageHelpMenus menus;
    QStringList steps;
};

// Each entry as "objectName=text": a menu by its title, an item by its text.
QStringList entries(const QList<QAction *> &actions)
{
    QStringList list;
    for (const QAction *action : actions) {
        const QObject *named = action->menu() ? static_cast<QObject *>(action->menu()) : action;
        list << named->objectName() + QLatin1Char('=') + action->text();
    }
    return list;
}
} // namespace

class tst_LanguageHelpMenus : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_state = std::make_unique<testsupport::StateScope>(); }
    void cleanup() { m_state.reset(); }

    void menusCaptionsAndMnemonics_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QStringList>("bar");
        QTest::addColumn<QStringList>("languageItems");
        QTest::addColumn<QStringList>("helpItems");
        QTest::newRow("en") << Language::English
                            << QStringList{"mnuFile=&File", "mnuLanguage=&Language",
                                           "mnuHelp=&Help"}
                            << QStringList{"mnuEnglish=&English", "mnuFrench=&Français"}
                            << QStringList{"mnuContents=&Contents",
                                           "mnuTechnical=&Technical Help",
                                           "=",
                                           "mnuHelpImport=&Importing a statement",
                                           "mnuHelpTeam=Team &database",
                                           "mnuHelpBackup=&Backing up and restoring statements",
                                           "mnuHelpCommandLine=Command &line (quorvel-cli)",
                                           "=",
                                           "mnuAbout=&About ROVAL"};
        QTest::newRow("fr") << Language::French
                            << QStringList{"mnuFile=&File", "mnuLanguage=&Langue", "mnuHelp=&Aide"}
                            << QStringList{"mnuEnglish=&English", "mnuFrench=&Français"}
                            << QStringList{
                                   "mnuContents=&Contenu",
                                   "mnuTechnical=&L'aide technique",
                                   "=",
                                   "mnuHelpImport=&Importer un état financier",
                                   "mnuHelpTeam=&Base de données d'équipe",
                                   "mnuHelpBackup=Copie &de sécurité et restauration des états",
                                   "mnuHelpCommandLine=Ligne de commande (&quorvel-cli)",
                                   "=",
                                   "mnuAbout=&Au sujet de LAVOR"};
    }

    void menusCaptionsAndMnemonics()
    {
        QFETCH(Language, language);
        QFETCH(QStringList, bar);
        QFETCH(QStringList, languageItems);
        QFETCH(QStringList, helpItems);
        HostScreen host;
        host.menus.loadCaptions(language);
        assignMnemonics(host.menuBar());
        QCOMPARE(entries(host.menuBar()->actions()), bar);
        QCOMPARE(entries(host.menus.mnuLanguage->actions()), languageItems);
        QCOMPARE(entries(host.menus.mnuHelp->actions()), helpItems);
    }

    void languageItemsSwitchTheProgram()
    {
        HostScreen &host = ScreenRegistry::get<HostScreen>();
        host.menus.mnuFrench->trigger();
        QCOMPARE(appState().gintLanguage, Language::French);
        host.menus.mnuEnglish->trigger();
        QCOMPARE(appState().gintLanguage, Language::English);
        QCOMPARE(host.steps, (QStringList{"reload:1", "reload:0"}));
    }

    void aboutShowsOverTheScreenAfterItsStep()
    {
        HostScreen &host = ScreenRegistry::get<HostScreen>();
        host.showScreen();
        bool modal = false;
        QWidget *owner = nullptr;
        QStringList stepsWhenShown;
        QTimer::singleShot(0, this, [&] {
            frmAbout &about = ScreenRegistry::get<frmAbout>();
            modal = about.isShownModally();
            owner = about.parentWidget();
            stepsWhenShown = host.steps;
            about.cmdReturn->click();
        });
        host.menus.mnuAbout->trigger();
        QVERIFY(modal);
        QCOMPARE(owner, &host);
        QCOMPARE(stepsWhenShown, QStringList{"before about"});
        QVERIFY(!ScreenRegistry::get<frmAbout>().isVisible());
        QCOMPARE(Screen::lastActiveScreen(), &host);
    }

    // Each topic item opens its page of the help in the program's language.
    void topicItemsOpenTheirPage_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("item"); // index in mnuTopics
        QTest::addColumn<QString>("helpFile");
        QTest::addColumn<int>("topic");
        QTest::newRow("en:import") << Language::English << 0 << kConceptsHelpEnglish << 2010;
        QTest::newRow("fr:team") << Language::French << 1 << kConceptsHelpFrench << 2020;
        QTest::newRow("en:backup") << Language::English << 2 << kConceptsHelpEnglish << 2030;
        QTest::newRow("fr:command line") << Language::French << 3 << kTechHelpFrench << 3010;
    }

    void topicItemsOpenTheirPage()
    {
        QFETCH(Language, language);
        QFETCH(int, item);
        QFETCH(QString, helpFile);
        QFETCH(int, topic);
        QStringList arguments;
        setProcessStarter([&arguments](const QString &, const QStringList &started) {
            arguments = started;
            return true;
        });
        appState().gintLanguage = language;
        HostScreen host;
        host.menus.mnuTopics.at(item)->trigger();
        setProcessStarter({});
        QCOMPARE(arguments, (QStringList{DataFolder() + QLatin1Char('/') + helpFile,
                                         QStringLiteral("--topic"), QString::number(topic)}));
    }

private:
    std::unique_ptr<testsupport::StateScope> m_state;
};

QUORVEL_TEST_MAIN(tst_LanguageHelpMenus)
#include "tst_LanguageHelpMenus.moc"
