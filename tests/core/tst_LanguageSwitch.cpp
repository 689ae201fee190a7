// One switch of language reaches every loaded screen, shown or hidden, once,
// in the order the screens were loaded, with the new language already set.
#include "support/TestSupport.h"

#include "core/LanguageSwitch.h"
#include "core/ScreenRegistry.h"

namespace {
// Each reload is written down as "<screen>:<language at that time>".
QStringList &reloads()
{
    static QStringList log;
    return log;
}

class RecordingScreen : public Screen
{
public:
    explicit RecordingScreen(const char *name) { setObjectName(QLatin1String(name)); }
    void reloadCaptions() override
    {
        reloads() << objectName() + QLatin1Char(':') +
                         QString::number(int(appState().gintLanguage));
    }
};

class MenuScreen : public RecordingScreen
{
public:
    MenuScreen() : RecordingScreen("menu") {}
};
class SearchScreen : public RecordingScreen
{
public:
    SearchScreen() : RecordingScreen("search") {}
};
class FirmScreen : public RecordingScreen
{
public:
    FirmScreen() : RecordingScreen("firm") {}
};

// Loads the firm screen while it reloads: the new screen starts in the new
// language and is not asked again.
class LoadingScreen : public RecordingScreen
{
public:
    LoadingScreen() : RecordingScreen("loading") {}
    void reloadCaptions() override
    {
        RecordingScreen::reloadCaptions();
        ScreenRegistry::get<FirmScreen>();
    }
};

// Unloads the search screen while it reloads: the search screen is skipped.
class UnloadingScreen : public RecordingScreen
{
public:
    UnloadingScreen() : RecordingScreen("unloading") {}
    void reloadCaptions() override
    {
        RecordingScreen::reloadCaptions();
        ScreenRegistry::unload<SearchScreen>();
    }
};

// Has no captions: the base's reload does nothing.
class PlainScreen : public Screen
{
};
} // namespace

class tst_LanguageSwitch : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_state = std::make_unique<testsupport::StateScope>();
        reloads().clear();
    }
    void cleanup() { m_state.reset(); }

    void reachesLoadedScreensInLoadOrder()
    {
        // Loaded out of the order of their names; the search screen shows.
        ScreenRegistry::get<MenuScreen>();
        ScreenRegistry::get<PlainScreen>();
        ScreenRegistry::get<FirmScreen>();
        ScreenRegistry::get<SearchScreen>().showScreen();
        switchProgramLanguage(Language::French);
        QCOMPARE(appState().gintLanguage, Language::French);
        QCOMPARE(reloads(), (QStringList{"menu:1", "firm:1", "search:1"}));

        // Unloaded and loaded again, a screen comes last.
        ScreenRegistry::unload<MenuScreen>();
        switchProgramLanguage(Language::English);
        ScreenRegistry::get<MenuScreen>();
        switchProgramLanguage(Language::French);
        QCOMPARE(reloads(), (QStringList{"menu:1", "firm:1", "search:1", "firm:0", "search:0",
                                         "firm:1", "search:1", "menu:1"}));
    }

    void screensLoadedOrUnloadedDuringTheSwitch()
    {
        ScreenRegistry::get<LoadingScreen>();
        ScreenRegistry::get<UnloadingScreen>();
        ScreenRegistry::get<SearchScreen>();
        switchProgramLanguage(Language::French);
        QCOMPARE(reloads(), (QStringList{"loading:1", "unloading:1"}));
        QVERIFY(ScreenRegistry::isLoaded<FirmScreen>());
        QVERIFY(!ScreenRegistry::isLoaded<SearchScreen>());
        QCOMPARE(ScreenRegistry::loadedScreens().size(), 3);
    }

    void nothingLoaded()
    {
        switchProgramLanguage(Language::French);
        QCOMPARE(appState().gintLanguage, Language::French);
        QVERIFY(reloads().isEmpty());
        QVERIFY(ScreenRegistry::loadedScreens().isEmpty());
    }

private:
    std::unique_ptr<testsupport::StateScope> m_state;
};

QUORVEL_TEST_MAIN(tst_LanguageSwitch)
#include "tst_LanguageSwitch.moc"
