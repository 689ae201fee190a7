#pragma once

#include "core/DbTools.h"
#include "core/Language.h"
#include "firm/StatementIndustry.h"
#include "store/StatementStore.h"

#include <QSet>
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
QVector<BatchStatement> fncBatchStatements(StatementStore &store);

// "Comparison – Maple Ridge Homes Ltd – 2006 – 236110.pdf" ("Comparaison – …"
// in French), " (2)" and so on before the extension for a later `copy`.
// Characters no file name may hold become "-", invisible format characters
// go, and a firm name too long for a file name is shortened (ending in
// "…"), so that year, code and copy number always stay.
QString fncComparisonFileName(const QString &firmName, int year, const QString &naics,
                              Language language, int copy = 1);

// The longest file name written, in UTF-8 bytes: file systems take 255,
// and the temporary name a file is first written under is longer.
inline constexpr int kMaxComparisonFileNameBytes = 240;

// The file names of one export run: two statements never share one, even
// where their names differ only in letter case, which some file systems
// ignore.
class BatchFileNames
{
public:
    QString claim(const QString &firmName, int year, const QString &naics, Language language);

private:
    QSet<QString> m_taken; // case-folded
};

// Prepares the statement's comparison in the work tables, exactly as the
// firm screen's comparison command does, and writes it as a PDF into `folder`.
// `layoutPath` is the comparison layout; the report reads the user database's
// file. The statement's amounts come from `store`. `names` are the run's names
// so far; without them the statement's own name is used.
BatchResult fncExportComparison(Connection &reference, Connection &user, StatementStore &store,
                                const BatchStatement &statement, const QString &folder,
                                const QString &layoutPath, Language language,
                                BatchFileNames *names = nullptr);

// The number of workers a batch uses: `requested`, or one per core when 0.
int fncBatchWorkers(int requested);

// Exports the statements in order; `keepGoing(started)` is asked before each
// one (and again while the run waits) and stops the run when it answers
// false; the statements started are still written whole. With more than one
// worker, the statements are read from the store here, in order, and each
// worker prepares and writes on connections of its own, its report tables in
// a work file of its own (a temporary folder, removed at the end); the files,
// their names and the results' order are those of a run on one thread.
QVector<BatchResult>
fncExportComparisons(Connection &reference, Connection &user, StatementStore &store,
                     const QVector<BatchStatement> &statements, const QString &folder,
                     const QString &layoutPath, Language language,
                     const std::function<bool(int started)> &keepGoing, int workers = 0);

// The end-of-run summary: what was written and what was skipped, and why.
QString fncBatchSummary(const QVector<BatchResult> &results, int total, Language language);
