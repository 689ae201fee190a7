#include "entry/LanguageHelpMenus.h"

#include "core/HelpLauncher.h"
#include "core/LanguageSwitch.h"
#include "core/ResourceString.h"
#include "core/Screen.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "entry/frmAbout.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
// A Help menu item that opens one page of a help document.
struct TopicItem
{
    const char *name;
    int caption;
    const char *document; // "Contents" or "Tech"
    int topic;
};

constexpr TopicItem kTopicItems[] = {
    {"mnuHelpImport", kHelpImportItem, "Contents", kImportTopic},
    {"mnuHelpTeam", kHelpTeamItem, "Contents", kTeamDatabaseTopic},
    {"mnuHelpBackup", kHelpBackupItem, "Contents", kBackupTopic},
    {"mnuHelpCommandLine", kHelpCommandLineItem, "Tech", kCommandLineTopic},
};

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
    menus.mnuHelp->addSeparator();
    for (const TopicItem &item : kTopicItems) {
        QAction *action = namedAction(menus.mnuHelp, item.name);
        QObject::connect(action, &QAction::triggered, screen,
                         [item] { gsubLaunchHelpTopic(QLatin1String(item.document), item.topic); });
        menus.mnuTopics << action;
    }
    menus.mnuHelp->addSeparator();
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
    for (qsizetype i = 0; i < mnuTopics.size(); ++i)
        mnuTopics[i]->setText(text(kTopicItems[i].caption));
    mnuAbout->setText(text(380));
}
