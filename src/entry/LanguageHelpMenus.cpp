#include "entry/LanguageHelpMenus.h"

#include "core/HelpLauncher.h"
#include "core/LanguageSwitch.h"
#include "core/ResourceString.h"
#include "core/Screen.h"
#include "core/ScreenRegistry.h"
#include "entry/frmAbout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction *namedAction(QMenu *menu, const char *name)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu *namedMenu(QMenuBar *bar, const char *name)
{
    QMenu *menu = bar->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}
} // namespace

LanguageHelpMenus LanguageHelpMenus::add(Screen *screen, std::function<void()> beforeAbout)
{
    LanguageHelpMenus menus;
    QMenuBar *bar = screen->menuBar();
    menus.mnuLanguage = namedMenu(bar, "mnuLanguage");
    menus.mnuEnglish = namedAction(menus.mnuLanguage, "mnuEnglish");
    menus.mnuFrench = namedAction(menus.mnuLanguage, "mnuFrench");
    menus.mnuHelp = namedMenu(bar, "mnuHelp");
    menus.mnuContents = namedAction(menus.mnuHelp, "mnuContents");
    menus.mnuTechnical = namedAction(menus.mnuHelp, "mnuTechnical");
    menus.mnuAbout = namedAction(menus.mnuHelp, "mnuAbout");

    QObject::connect(menus.mnuEnglish, &QAction::triggered, screen,
                     [] { switchProgramLanguage(Language::English); });
    QObject::connect(menus.mnuFrench, &QAction::triggered, screen,
                     [] { switchProgramLanguage(Language::French); });
    QObject::connect(menus.mnuContents, &QAction::triggered, screen,
                     [] { gsubLaunchHelpFile(QStringLiteral("Contents")); });
    QObject::connect(menus.mnuTechnical, &QAction::triggered, screen,
                     [] { gsubLaunchHelpFile(QStringLiteral("Tech")); });
    QObject::connect(menus.mnuAbout, &QAction::triggered, screen,
                     [screen, beforeAbout = std::move(beforeAbout)] {
                         if (beforeAbout)
                             beforeAbout();
                         frmAbout &about = ScreenRegistry::get<frmAbout>();
                         about.setOwner(screen);
                         about.showModal();
                     });
    return menus;
}

void LanguageHelpMenus::loadCaptions(Language language) const
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    mnuLanguage->setTitle(text(500));
    // Each language is named in its own tongue, whatever the program's language.
    mnuEnglish->setText(QStringLiteral("English"));
    mnuFrench->setText(QStringLiteral("Français"));
    mnuHelp->setTitle(text(298));
    mnuContents->setText(text(562));
    mnuTechnical->setText(text(564));
    mnuAbout->setText(text(380));
}
