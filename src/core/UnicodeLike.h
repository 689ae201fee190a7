#pragma once

#include <QString>
#include <QVector>

struct sqlite3;

// SQL `like` that ignores letter case for every letter (é matches É), not
// just ASCII, and accents (e matches é): texts compare as foldForSearch
// gives them. '%' matches any run of characters and '_' any one character;
// an escape character, when given, makes the next one literal.
//
// Matching takes time proportional to the text's length times the pattern's,
// whatever the pattern: a keyword such as "_%_%_%_%_%z" cannot freeze the
// search.

// A pattern folded and read once, then matched against many texts.
class LikePattern
{
public:
    LikePattern(const QString &pattern, QChar escape = QChar());

    // Whether `foldedText` (as foldForSearch gives it) matches the whole pattern.
    bool matchesFolded(const QString &foldedText) const;
    bool matches(const QString &text) const;

    // The escape character the pattern was read with, as given.
    QChar escapeArgument() const { return m_escapeArgument; }

private:
    enum class Kind : char { Literal, AnyOne, AnyRun };
    struct Token
    {
        Kind kind;
        QChar character; // for Literal
    };
    QVector<Token> m_tokens;
    QChar m_escapeArgument;
    QChar m_escape;
};

// Replaces the connection's `like` (two and three arguments) with LikePattern.
bool registerUnicodeLike(sqlite3 *handle);
