// quorvel-cli init-store and copy-statements: the team database's schema, and
// every statement copied from one store to another.
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "store/PgStatementStore.h"
#include "store/StatementCopy.h"
#include "store/StoreLocation.h"

namespace {
CliStatus initStore(CliContext &context)
{
    QString uri = context.arguments().value(QStringLiteral("store"));
    if (uri.isEmpty())
        uri = qEnvironmentVariable("QUORVEL_STORE");
    if (!fncIsTeamUri(uri))
        context.fail(CliStatus::Usage, kCliInitNeedsTeam);
    PgStatementStore store(uri);
    store.initSchema();
    context.out()
        << context.text(kCliSchemaReady).arg(store.where(), QString::number(store.schemaVersion()))
        << '\n';
    return CliStatus::Success;
}

CliStatus copyStatements(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    const std::unique_ptr<StatementStore> from =
        fncOpenStoreUri(arguments.required(QStringLiteral("from")));
    const std::unique_ptr<StatementStore> to =
        fncOpenStoreUri(arguments.required(QStringLiteral("to")));
    const CopySummary summary =
        fncCopyStatements(*from, *to, arguments.has(QStringLiteral("replace")));
    context.out() << fncCopySummaryText(summary, context.language()) << '\n';
    return CliStatus::Success;
}
} // namespace

CliCommand initStoreCommand()
{
    return {"init-store", {}, "--store postgresql://…", initStore};
}

CliCommand copyStatementsCommand()
{
    return {"copy-statements",
            {{"from"}, {"to"}, {"replace", false}},
            "--from URI --to URI [--replace]",
            copyStatements};
}
