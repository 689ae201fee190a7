#pragma once

#include "core/Language.h"

#include <QList>
#include <functional>

class QAction;
class QMenu;
class Screen;

// The Language and Help menus that end the menu bars of the dataset, search
// and firm screens: the same items, object names and captions on each.
// English and Français switch the program's language (see LanguageSwitch.h),
// Contents and Technical open the help documents, the topic items open one
// page of them (import, team database, backups, command line), About shows
// the about screen over the screen that has the menus.
struct LanguageHelpMenus
{
    QMenu *mnuLanguage = nullptr;
    QAction *mnuEnglish = nullptr;
    QAction *mnuFrench = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuContents = nullptr;
    QAction *mnuTechnical = nullptr;
    // mnuHelpImport, mnuHelpTeam, mnuHelpBackup, mnuHelpCommandLine.
    QList<QAction *> mnuTopics;
    QAction *mnuAbout = nullptr;

    // Adds the two menus at the end of `screen`'s menu bar. `beforeAbout`,
    // when given, is the screen's own step before the about screen shows.
    static LanguageHelpMenus add(Screen *screen, std::function<void()> beforeAbout = {});

    // The menus' captions in `language`; the screen assigns its bar's
    // mnemonics once all its captions are set.
    void loadCaptions(Language language) const;
};
