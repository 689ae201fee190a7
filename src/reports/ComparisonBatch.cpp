#include "reports/ComparisonBatch.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "reports/ReportDocument.h"
#include "reports/ReportEngine.h"
#include "reports/ReportError.h"
#include "reports/ReportNaming.h"
#include "reports/SavedComparison.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"

#include <QDir>
#include <QSet>

namespace {

bool isEnglish(Language language)
{
    return language == Language::English;
}

QString statementLabel(const BatchStatement &statement)
{
    return statement.firmName + QStringLiteral(", ") + QString::number(statement.year);
}

} // namespace

QVector<BatchStatement> fncBatchStatements(StatementStore &store)
{
    QVector<BatchStatement> statements;
    for (const StatementEntry &entry : store.list(Language::English))
        statements.append({entry.firmName, entry.year, entry.industry});
    return statements;
}

QString fncComparisonFileName(const QString &firmName, int year, const QString &naics,
                              Language language, int copy)
{
    // A leading dot would hide the file.
    QString firm = safeFileName(firmName);
    while (firm.startsWith(QLatin1Char('.')))
        firm = firm.mid(1).trimmed();
    if (firm.isEmpty())
        firm = QStringLiteral("-");
    const QString dash = QStringLiteral(" \u2013 ");
    const QString head = ResourceString(kComparisonReportName, language) + dash;
    const QString tail = dash + QString::number(year) + dash + safeFileName(naics) +
                         (copy > 1 ? QStringLiteral(" (%1)").arg(copy) : QString()) +
                         QStringLiteral(".pdf");
    const qsizetype room = kMaxComparisonFileNameBytes - (head + tail).toUtf8().size();
    if (firm.toUtf8().size() > room) {
        // Whole characters from the start, never half of a pair, then "…".
        const QString ellipsis = QStringLiteral("\u2026");
        qsizetype bytes = ellipsis.toUtf8().size();
        QString shortened;
        for (const uint letter : firm.toUcs4()) {
            const QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(&letter), 1);
            bytes += text.toUtf8().size();
            if (bytes > room)
                break;
            shortened += text;
        }
        shortened = shortened.trimmed();
        while (shortened.endsWith(QLatin1Char('.')))
            shortened.chop(1);
        firm = shortened + ellipsis;
    }
    return head + firm + tail;
}

QString BatchFileNames::claim(const QString &firmName, int year, const QString &naics,
                              Language language)
{
    for (int copy = 1;; ++copy) {
        const QString name = fncComparisonFileName(firmName, year, naics, language, copy);
        if (!m_taken.contains(name.toCaseFolded())) {
            m_taken.insert(name.toCaseFolded());
            return name;
        }
    }
}

BatchResult fncExportComparison(Connection &reference, Connection &user, StatementStore &store,
                                const BatchStatement &statement, const QString &folder,
                                const QString &layoutPath, Language language, BatchFileNames *names)
{
    BatchResult result{statement, BatchOutcome::Failed, QString(), QString()};
    if (!statement.industry || statement.industry->naics.isEmpty()) {
        result.outcome = BatchOutcome::NoIndustryRecorded;
        return result;
    }
    const StatementIndustry &industry = *statement.industry;
    try {
        if (!fncPrepareSavedComparison(reference, user, store, statement.firmName, statement.year,
                                       industry, language)) {
            result.outcome = BatchOutcome::NoIndustryData;
            return result;
        }
    } catch (const StoreError &error) {
        // The team database went away during the run: this one is said, the next tries again.
        result.detail = fncStoreErrorReason(error, language);
        return result;
    }
    try {
        std::unique_ptr<ReportEngine> report = ReportEngine::OpenReport(layoutPath);
        for (int number = 1; number <= report->tableCount(); ++number)
            report->table(number).setLocation(user.filePath());
        const std::unique_ptr<ReportDocument> document = report->render();
        const QString fileName =
            names ? names->claim(statement.firmName, statement.year, industry.naics, language)
                  : fncComparisonFileName(statement.firmName, statement.year, industry.naics,
                                          language);
        const ReportIdentity identity{QStringLiteral("com"),   !isEnglish(language),
                                      industry.naics,          QString(),
                                      qint16(industry.volume), industry.region,
                                      statement.firmName,      qint16(statement.year)};
        if (!document->exportPdf(QDir(folder).filePath(fileName), reportDocumentTitle(identity),
                                 identity.french)) {
            result.detail = QDir::toNativeSeparators(QDir(folder).filePath(fileName));
            return result;
        }
        result.outcome = BatchOutcome::Written;
        result.fileName = fileName;
    } catch (const ReportError &error) {
        result.detail = error.message();
    }
    return result;
}

QVector<BatchResult> fncExportComparisons(Connection &reference, Connection &user,
                                          StatementStore &store,
                                          const QVector<BatchStatement> &statements,
                                          const QString &folder, const QString &layoutPath,
                                          Language language,
                                          const std::function<bool(int done)> &keepGoing)
{
    QVector<BatchResult> results;
    BatchFileNames names;
    for (const BatchStatement &statement : statements) {
        if (keepGoing && !keepGoing(int(results.size())))
            break;
        results.append(fncExportComparison(reference, user, store, statement, folder, layoutPath,
                                           language, &names));
    }
    return results;
}

QString fncBatchSummary(const QVector<BatchResult> &results, int total, Language language)
{
    const auto text = [language](int id) { return ResourceString(id, language); };
    QStringList written, skipped;
    for (const BatchResult &r : results) {
        switch (r.outcome) {
        case BatchOutcome::Written:
            written << QStringLiteral("  ") + r.fileName;
            break;
        case BatchOutcome::NoIndustryRecorded:
            skipped << QStringLiteral("  ") +
                           text(kBatchNoIndustryRecorded).arg(statementLabel(r.statement));
            break;
        case BatchOutcome::NoIndustryData:
            skipped << QStringLiteral("  ") +
                           text(kBatchNoIndustryData)
                               .arg(statementLabel(r.statement), QString::number(r.statement.year));
            break;
        case BatchOutcome::Failed:
            skipped << QStringLiteral("  ") +
                           text(kBatchNotWritten).arg(statementLabel(r.statement), r.detail);
            break;
        }
    }
    QString summary = text(kBatchWrittenCount).arg(written.size()).arg(total);
    if (results.size() < total)
        summary += QLatin1Char(' ') + text(kBatchCancelled).arg(results.size());
    if (!written.isEmpty())
        summary += QLatin1String("\n\n") + text(kBatchWrittenHeading) + QLatin1Char('\n') +
                   written.join(QLatin1Char('\n'));
    if (!skipped.isEmpty())
        summary += QLatin1String("\n\n") + text(kBatchSkippedHeading) + QLatin1Char('\n') +
                   skipped.join(QLatin1Char('\n'));
    return summary;
}
