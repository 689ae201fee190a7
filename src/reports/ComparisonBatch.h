#pragma once

#include "core/DbTools.h"
#include "core/Language.h"
#include "firm/StatementIndustry.h"

#include <QString>
#include <QVector>
#include <functional>
#include <optional>

// Every client at once: one comparison PDF per saved statement (firm, year),
// against the industry, volume and region under which it was last saved.
// Each file is written under a temporary name and renamed once whole, so a
// cancelled or failed run leaves only complete files.

struct BatchStatement
{
    QString firmName;
    int year = 0;
    std::optional<StatementIndustry> industry;
};

enum class BatchOutcome { Written, NoIndustryRecorded, NoIndustryData, Failed };

struct BatchResult
{
    BatchStatement statement;
    BatchOutcome outcome = BatchOutcome::Failed;
    QString fileName; // written file, without its folder
    QString detail;   // why a file could not be written
};

// Every saved statement, by firm name then year, with its recorded industry.
QVector<BatchStatement> fncBatchStatements(Connection &user);

// "Comparison – Maple Ridge Homes Ltd – 2006 – 236110.pdf" ("Comparaison – …"
// in French); characters no file name may hold become "-".
QString fncComparisonFileName(const QString &firmName, int year, const QString &naics,
                              Language language);

// Prepares the statement's comparison in the work tables, exactly as the
// firm screen's comparison command does, and writes it as a PDF into `folder`.
// `layoutPath` is the comparison layout; the report reads the user database's file.
BatchResult fncExportComparison(Connection &reference, Connection &user,
                                const BatchStatement &statement, const QString &folder,
                                const QString &layoutPath, Language language);

// Exports the statements in order; `keepGoing(done)` is asked before each
// one and stops the run when it answers false.
QVector<BatchResult> fncExportComparisons(Connection &reference, Connection &user,
                                          const QVector<BatchStatement> &statements,
                                          const QString &folder, const QString &layoutPath,
                                          Language language,
                                          const std::function<bool(int done)> &keepGoing);

// The end-of-run summary: what was written and what was skipped, and why.
QString fncBatchSummary(const QVector<BatchResult> &results, int total, Language language);
