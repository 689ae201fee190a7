// quorvel-cli export-comparisons: every saved statement's comparison, as the
// open-existing screen's command writes them.
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "reports/ComparisonBatch.h"
#include "reports/ReportExport.h"

#include <QDir>

namespace {
CliStatus run(CliContext &context)
{
    const QString folder = context.arguments().required(QStringLiteral("folder"));
    if (!QDir().mkpath(folder))
        context.fail(CliStatus::Failure, kCliNoFolder, {folder});
    // One worker per core unless --jobs says how many.
    const int jobs = context.arguments().has(QStringLiteral("jobs"))
                         ? context.arguments().integer(QStringLiteral("jobs"))
                         : 0;
    if (jobs < 0)
        context.fail(CliStatus::Usage, kCliJobsNotCount, {QString::number(jobs)});
    const QVector<BatchStatement> statements = fncBatchStatements(context.store());
    const QVector<BatchResult> results = fncExportComparisons(
        context.reference(), context.user(), context.store(), statements, folder,
        reportLayoutPath(QStringLiteral("com")), context.language(), {}, jobs);
    context.out() << fncBatchSummary(results, int(statements.size()), context.language()) << '\n';
    const bool failed = std::any_of(results.cbegin(), results.cend(), [](const BatchResult &r) {
        return r.outcome == BatchOutcome::Failed;
    });
    return failed ? CliStatus::Failure : CliStatus::Success;
}
} // namespace

CliCommand exportComparisonsCommand()
{
    return {"export-comparisons",
            {{"folder"}, {"jobs"}},
            "--folder DIR --language en|fr [--jobs N]",
            run};
}
