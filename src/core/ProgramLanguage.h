#pragma once

#include "core/Language.h"

// The program's language. Switching it sets AppState's gintLanguage and puts
// Qt's own texts (the file and print dialogs, message box buttons, the line
// edits' context menus) in the same language, from Qt's installed
// translations.
void setProgramLanguage(Language language);
