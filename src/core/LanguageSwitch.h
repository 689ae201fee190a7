#pragma once

#include "core/Language.h"

// Switches the program's language (see ProgramLanguage.h) and has every loaded
// screen reload its captions, shown or hidden, in the order the screens were
// loaded: the user reaches the screens in that order, so a screen reads only
// screens loaded before it (the dataset caption of the dataset screen, the
// industry of the search screen), and those already speak the new language.
void switchProgramLanguage(Language language);
