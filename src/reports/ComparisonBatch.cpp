#include "reports/ComparisonBatch.h"

#include "core/DatasetMapping.h"
#include "core/ResourceString.h"
#include "core/StringIds.h"
#include "reports/BackgroundLayout.h"
#include "reports/BatchWorkspace.h"
#include "reports/ReportDocument.h"
#include "reports/ReportEngine.h"
#include "reports/ReportError.h"
#include "reports/ReportNaming.h"
#include "reports/ReportPreparation.h"
#include "search/IndustryLookups.h"
#include "store/StoreError.h"
#include "store/StoreMessages.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <variant>

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

namespace {

// A statement read from the store on the batch's own thread, ready for the
// thread that writes its comparison.
struct BatchJob
{
    BatchStatement statement;
    QString fileName;
    FirmStatement amounts; // zeros when it was deleted since it was listed
    QVector<SavedStatement> firmYears;
    QString comment; // the accountant's, printed with the comparison
};

// The statement's job, or its result when there is nothing to write (no
// industry recorded, a team database gone away).
std::variant<BatchJob, BatchResult> readJob(StatementStore &store, const BatchStatement &statement,
                                            Language language, BatchFileNames *names)
{
    BatchResult result{statement, BatchOutcome::Failed, QString(), QString()};
    if (!statement.industry || statement.industry->naics.isEmpty()) {
        result.outcome = BatchOutcome::NoIndustryRecorded;
        return result;
    }
    BatchJob job{statement, QString(), FirmStatement{}, {}, QString()};
    try {
        if (const std::optional<SavedStatement> saved =
                store.open(statement.firmName, statement.year)) {
            job.amounts = saved->amounts;
            job.comment = saved->comment;
        }
        try {
            job.firmYears = store.firmYears(statement.firmName);
        } catch (const StoreError &) {
            // Only the trend needs the firm's other years.
        }
    } catch (const StoreError &error) {
        // The team database went away during the run: this one is said, the next tries again.
        result.detail = fncStoreErrorReason(error, language);
        return result;
    }
    const QString &naics = statement.industry->naics;
    job.fileName = names
                       ? names->claim(statement.firmName, statement.year, naics, language)
                       : fncComparisonFileName(statement.firmName, statement.year, naics, language);
    return job;
}

// Prepares the job's comparison in `work`'s tables and writes its PDF.
BatchResult writeComparison(Connection &reference, Connection &work, const BatchJob &job,
                            const QString &folder, const QString &layoutPath, Language language)
{
    const BatchStatement &statement = job.statement;
    const StatementIndustry &industry = *statement.industry;
    BatchResult result{statement, BatchOutcome::Failed, QString(), QString()};
    try {
        const std::optional<IndustryDefinition> definition = fncIndustryDefinition(
            reference, naicsDescriptionTable(industry.volume), industry.naics, language);
        const ComparisonSubject subject{
            statement.firmName, qint16(statement.year),
            industry.naics,     definition ? definition->title.trimmed() : QString(),
            job.amounts,        job.comment};
        if (!fncPrepareComparison(reference, work, qint16(industry.volume), industry.region,
                                  isEnglish(language) ? QStringLiteral("E") : QStringLiteral("F"),
                                  subject, job.firmYears)) {
            result.outcome = BatchOutcome::NoIndustryData;
            return result;
        }
        std::unique_ptr<ReportEngine> report = ReportEngine::OpenReport(layoutPath);
        for (int number = 1; number <= report->tableCount(); ++number)
            report->table(number).setLocation(work.filePath());
        report->readThrough(work);
        const std::unique_ptr<ReportDocument> document = report->render();
        const ReportIdentity identity{QStringLiteral("com"),   !isEnglish(language),
                                      industry.naics,          QString(),
                                      qint16(industry.volume), industry.region,
                                      statement.firmName,      qint16(statement.year)};
        const QString path = QDir(folder).filePath(job.fileName);
        if (!document->exportPdf(path, reportDocumentTitle(identity), identity.french)) {
            result.detail = QDir::toNativeSeparators(path);
            return result;
        }
        result.outcome = BatchOutcome::Written;
        result.fileName = job.fileName;
    } catch (const ReportError &error) {
        result.detail = error.message();
    } catch (const DatabaseError &error) {
        // A worker's own work file failing is this statement's failure, not the run's.
        result.detail = error.description();
    }
    return result;
}

// The statements handed from the batch's thread to its workers, a few at a
// time so that memory stays flat however many statements there are, and
// their results, in the statements' order.
class BatchPipeline
{
public:
    BatchPipeline(int capacity, int total) : m_capacity(capacity), m_results(total) {}

    // Waits up to `wait` for room; false when there is none yet.
    bool waitForRoom(std::chrono::milliseconds wait)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, wait, [this] { return int(m_jobs.size()) < m_capacity; });
    }
    void push(int index, BatchJob job)
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back({index, std::move(job)});
        m_changed.notify_all();
    }
    void finish(int index, BatchResult result)
    {
        const std::lock_guard lock(m_mutex);
        m_results[index] = std::move(result);
        ++m_finished;
        m_changed.notify_all();
    }
    // The next job for a worker; nothing once the batch is closed and empty.
    std::optional<std::pair<int, BatchJob>> next()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_jobs.empty() || m_closed; });
        if (m_jobs.empty())
            return std::nullopt;
        std::pair<int, BatchJob> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_changed.notify_all();
        return job;
    }
    void close()
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    // Waits up to `wait` for the `count` first results; true once they are all in.
    bool waitForResults(int count, std::chrono::milliseconds wait)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, wait, [this, count] { return m_finished >= count; });
    }
    QVector<BatchResult> results(int count) const
    {
        const std::lock_guard lock(m_mutex);
        return m_results.mid(0, count);
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<int, BatchJob>> m_jobs;
    const int m_capacity;
    QVector<BatchResult> m_results;
    int m_finished = 0;
    bool m_closed = false;
};

// How long the batch's thread waits before it asks `keepGoing` again, so that
// the progress window stays drawn and Cancel is heard.
constexpr std::chrono::milliseconds kProgressTick{50};

QVector<BatchResult> exportOneAtATime(Connection &reference, Connection &user,
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
        std::variant<BatchJob, BatchResult> job = readJob(store, statement, language, &names);
        results.append(std::holds_alternative<BatchResult>(job)
                           ? std::get<BatchResult>(std::move(job))
                           : writeComparison(reference, user, std::get<BatchJob>(job), folder,
                                             layoutPath, language));
    }
    return results;
}

} // namespace

BatchResult fncExportComparison(Connection &reference, Connection &user, StatementStore &store,
                                const BatchStatement &statement, const QString &folder,
                                const QString &layoutPath, Language language, BatchFileNames *names)
{
    std::variant<BatchJob, BatchResult> job = readJob(store, statement, language, names);
    if (std::holds_alternative<BatchResult>(job))
        return std::get<BatchResult>(std::move(job));
    return writeComparison(reference, user, std::get<BatchJob>(job), folder, layoutPath, language);
}

int fncBatchWorkers(int requested)
{
    return requested > 0 ? requested : std::max(1, QThread::idealThreadCount());
}

QVector<BatchResult>
fncExportComparisons(Connection &reference, Connection &user, StatementStore &store,
                     const QVector<BatchStatement> &statements, const QString &folder,
                     const QString &layoutPath, Language language,
                     const std::function<bool(int done)> &keepGoing, int workers)
{
    const int threadCount = std::min(fncBatchWorkers(workers), int(statements.size()));
    // Each worker's report tables in a file of its own, removed with the folder.
    QTemporaryDir scratch(QDir(QDir::tempPath()).filePath(QStringLiteral("quorvel-batch-XXXXXX")));
    if (threadCount <= 1 || !scratch.isValid())
        return exportOneAtATime(reference, user, store, statements, folder, layoutPath, language,
                                keepGoing);
    QStringList workPaths;
    for (int w = 0; w < threadCount; ++w) {
        workPaths << scratch.filePath(QStringLiteral("work-%1.mdb").arg(w + 1));
        fncCopyReportTables(user, workPaths.last());
    }

    BatchPipeline pipeline(threadCount, int(statements.size()));
    const QString referencePath = reference.filePath();
    // QThreads, not bare threads: the text layout starts Qt timers.
    std::vector<std::unique_ptr<QThread>> threads;
    for (const QString &workPath : std::as_const(workPaths)) {
        threads.emplace_back(QThread::create([&, workPath] {
            const backgroundlayout::LayOutHere layOutHere;
            std::optional<BatchWorkspace> workspace;
            QString failure;
            try {
                workspace.emplace(referencePath, workPath);
            } catch (const DatabaseError &error) {
                failure = error.description();
            }
            while (std::optional<std::pair<int, BatchJob>> job = pipeline.next()) {
                BatchResult result =
                    workspace ? writeComparison(workspace->reference, workspace->work, job->second,
                                                folder, layoutPath, language)
                              : BatchResult{job->second.statement, BatchOutcome::Failed, QString(),
                                            failure};
                pipeline.finish(job->first, std::move(result));
            }
        }));
        threads.back()->start();
    }

    // The statements are read and named here, in order, and handed out; the
    // workers write them as they come. `keepGoing` hears how many were
    // started, as the one-at-a-time run tells it how many are done.
    BatchFileNames names;
    int started = 0;
    bool stopped = false;
    for (const BatchStatement &statement : statements) {
        do {
            stopped = keepGoing && !keepGoing(started);
        } while (!stopped && !pipeline.waitForRoom(kProgressTick));
        if (stopped)
            break;
        std::variant<BatchJob, BatchResult> job = readJob(store, statement, language, &names);
        if (std::holds_alternative<BatchResult>(job))
            pipeline.finish(started, std::get<BatchResult>(std::move(job)));
        else
            pipeline.push(started, std::get<BatchJob>(std::move(job)));
        ++started;
    }
    pipeline.close();
    // The ones started are written whole, even after a cancel.
    while (!pipeline.waitForResults(started, kProgressTick))
        if (keepGoing)
            keepGoing(started);
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
    return pipeline.results(started);
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
