#pragma once

#include "reports/ComparisonFigures.h"
#include "reports/ReportNumberFormat.h"

#include <QString>
#include <optional>

// A ratio explained where the report is read: its formula in words, the
// firm's amounts put into it, the industry's quartiles, which way is better
// and what moves it. The words come from resources/ratio_texts.tsv, from
// which the help's ratio pages are written too.

// A text of the ratio texts ("Name_NPM", "Formula_DE", ...); empty, with a
// warning, for an unknown key.
QString ratioText(const QString &key, ReportLanguage language);

// The ratio's name as the reports title it.
QString ratioName(RatioId id, ReportLanguage language);

// The ratio a report's label names, in either language, with or without the
// mark that may follow the name ("▼", "(n/m)"); none for another text.
std::optional<RatioId> ratioNamed(const QString &label);

struct RatioExplanation
{
    QString name;
    QString formula;   // in words
    QString firm;      // the firm's amounts put into the formula, with the result
    QString why;       // why the firm's ratio has no meaning; empty when it has one
    QString quartiles; // "First quartile: ..., median: ..., third quartile: ..."
    QString direction; // higher or lower is better
    QString moves;     // what moves it
};

// `year` labels the quartiles; `firm` is the compared firm, none on the
// Ratios report.
RatioExplanation explainRatio(RatioId id, const Quartiles &industry, int year,
                              const std::optional<FirmStatement> &firm, ReportLanguage language);
