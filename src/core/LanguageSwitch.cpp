#include "core/LanguageSwitch.h"

#include "core/ProgramLanguage.h"
#include "core/ScreenRegistry.h"

#include <QPointer>

void switchProgramLanguage(Language language)
{
    setProgramLanguage(language);
    // Guarded: a screen's reload may load another screen (it is loaded in the
    // new language) or unload one.
    QList<QPointer<Screen>> screens;
    for (Screen *screen : ScreenRegistry::loadedScreens())
        screens << QPointer<Screen>(screen);
    for (const QPointer<Screen> &screen : std::as_const(screens))
        if (screen)
            screen->reloadCaptions();
}
