#pragma once

#include <QString>

struct sqlite3;

// SQL `like` that ignores letter case for every letter (é matches É), not
// just ASCII, and accents (e matches é): texts compare as foldForSearch
// gives them. '%' matches any run of characters and '_' any one character;
// an escape character, when given, makes the next one literal.
bool unicodeLikeMatch(const QString &pattern, const QString &text,
                      QChar escape = QChar());

// Replaces the connection's `like` (two and three arguments) with the above.
bool registerUnicodeLike(sqlite3 *handle);
