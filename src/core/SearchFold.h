#pragma once

#include <QString>

// The form in which the keyword search compares texts: letter case folded and
// accents dropped, so that "electricite" finds "électricité" and "CAFE"
// finds "café"; the ligatures œ and æ read as "oe" and "ae". Characters
// other than letters (the wildcards '%' and '_' among them) stay as they are.
QString foldForSearch(const QString &text);
