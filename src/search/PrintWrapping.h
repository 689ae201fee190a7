#pragma once

#include <QString>
#include <QVector>

// Layout of a printed industry definition: the title line, then the
// definition body indented by 15 blanks and wrapped at the first blank once
// 79 characters stand on a line; words are never split.

inline constexpr int kPrintIndent = 15;
inline constexpr int kPrintWrapColumn = 80;

// The body as it is sent to the printer: every line starts with the indent, a
// carriage return marks each wrap and each line feed of the text is kept.
// Carriage returns of the text are dropped (their line feed breaks the line).
QString fncWrapDefinitionBody(const QString &text);

// One printed line and its font.
struct PrintLine
{
    QString text;
    bool bold = false;
    int pointSize = 10;

    bool operator==(const PrintLine &) const = default;
};

// Every line of the document: four blank lines, the title line (bold, 12
// points), three blank lines in the same font, then the body (10 points), one
// line per carriage return or line feed of the body.
QVector<PrintLine> fncDefinitionPrintLines(const QString &caption, const QString &definition);

// A definition as the text box holds it (line breaks as line feeds) with each
// line break written as a carriage return and a line feed, as the wrapping
// rule expects of a line break of the text.
QString withCrLfLineBreaks(const QString &text);
