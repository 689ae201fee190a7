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
    const QVector<BatchStatement> statements = fncBatchStatements(context.store());
    const QVector<BatchResult> results = fncExportComparisons(
        context.reference(), context.user(), context.store(), statements, folder,
        reportLayoutPath(QStringLiteral("com")), context.language(), {});
    context.out() << fncBatchSummary(results, int(statements.size()), context.language()) << '\n';
    const bool failed = std::any_of(results.cbegin(), results.cend(), [](const BatchResult &r) {
        return r.outcome == BatchOutcome::Failed;
    });
    return failed ? CliStatus::Failure : CliStatus::Success;
}
} // namespace

CliCommand exportComparisonsCommand()
{
    return {"export-comparisons", {{"folder"}}, "--folder DIR --language en|fr", run};
}
