#pragma once

#include "reports/ComparisonFigures.h"
#include "reports/ReportNumberFormat.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

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
    QString formula;       // in words
    QString firm;          // the firm's amounts put into the formula, with the result
    QString why;           // why the firm's ratio has no meaning; empty when it has one
    QString percentile;    // the firm's estimated percentile; empty without a firm
    QStringList quartiles; // "Industry, 2006: first quartile ..., median ...", a line a year
    QString direction;     // higher or lower is better
    QString moves;         // what moves it
};

// The industry's quartiles of one ratio in one year.
struct YearQuartiles
{
    int year = 0;
    Quartiles quartiles;
};

// `years` are the years the report shows, the compared year first: the
// firm's percentile is read against its quartiles. `firm` is the compared
// firm, none on the Ratios report.
RatioExplanation explainRatio(RatioId id, const std::vector<YearQuartiles> &years,
                              const std::optional<FirmStatement> &firm, ReportLanguage language);
