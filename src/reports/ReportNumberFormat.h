#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Number formats of the report layouts. A layout names its formats
// ("percent 1", "currency 0 signed", ...); the figures follow the report's
// language: English 12.5% and $1,234,567, French 12,5 % and 1 234 567 $
// with no-break spaces.

enum class ReportLanguage { English, French };

enum class NumberKind {
    Number,   // plain figure with decimals (ratios)
    Percent,  // the value is already in percentage points
    Points,   // a difference of two percentages: "pts" / "points de %"
    Currency, // dollars
    Integer,  // counts
    Equals    // a flag: true when the value equals `target`
};

struct NumberFormat
{
    NumberKind kind = NumberKind::Number;
    int decimals = 0;
    bool showSign = false; // "+" before positive figures (variances)
    double target = 0;     // for Equals
};

// The no-break space that French figures use before % and $ and between
// thousands.
inline constexpr QChar kNoBreakSpace = QChar(0x00A0);

// The report language for a language letter or word ("F", "fr", "French").
ReportLanguage reportLanguageFromText(const QString &text);

// Parses a layout's format text: a kind ("number", "percent", "points",
// "currency", "integer", "equals"), then decimals (or the target of "equals"), then
// optionally "signed". Empty when the text is not a format.
std::optional<NumberFormat> parseNumberFormat(const QString &text);

// A figure in the format and language.
QString formatNumber(double value, const NumberFormat &format, ReportLanguage language);

// The figure of a database value: null or blank values give `missing`;
// texts that are no number are returned as they are.
QString formatValue(const QVariant &value, const NumberFormat &format, ReportLanguage language,
                    const QString &missing);

// The number in a database value (numbers stored as text included).
std::optional<double> numericValue(const QVariant &value);
