#pragma once

#include <QString>

// The program's string table: English text at an even id, French at id + 1.
// A screen asks for ResourceString(id + gintLanguage). An id without text
// gives an empty string (and a warning on the console), never an error.
QString ResourceString(int id);

// The text of a bilingual pair in the current language: ResourceString(id + gintLanguage).
QString caption(int id);
