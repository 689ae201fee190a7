#pragma once

#include "core/Language.h"

#include <QString>

// The program's string table: English text at an even id, French at id + 1.
// An id without text gives an empty string (and a warning on the console),
// never an error.
QString ResourceString(int id);

// The text of the bilingual pair at `id` (its English id) in `language`.
QString ResourceString(int id, Language language);

// The text of a bilingual pair in the program's language.
QString caption(int id);
