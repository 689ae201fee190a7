// quorvel-cli import: a statement read from a spreadsheet or CSV file and
// saved under the firm and year given, with the import's summary.
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "import/ImportTexts.h"
#include "import/StatementImport.h"
#include "session/StatementSession.h"

namespace {
CliStatus run(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    if (!arguments.has(QString()))
        throw CliFailure{CliStatus::Usage, QStringLiteral("import needs the file to import")};
    const QString path = arguments.value(QString());
    SavedStatement statement;
    statement.firmName = arguments.required(QStringLiteral("firm")).trimmed();
    statement.year = arguments.integer(QStringLiteral("year"));
    DatasetChoice dataset;
    if (arguments.has(QStringLiteral("volume"))) {
        dataset.volume = arguments.integer(QStringLiteral("volume"));
        dataset.region = arguments.value(QStringLiteral("region")).trimmed().toUpper();
        if (dataset.region.isEmpty())
            dataset.region = QStringLiteral("ALL");
        requireCliDataset(context, dataset.volume, dataset.region);
    } else if (arguments.has(QStringLiteral("region"))) {
        throw CliFailure{CliStatus::Usage, QStringLiteral("--region needs --volume")};
    }

    const QString column = arguments.value(QStringLiteral("column"));
    const FileImport imported = importStatementFile(path, column);
    if (imported.fault != ImportFault::None)
        throw CliFailure{
            CliStatus::Unusable,
            importFaultMessage(imported.fault, path, context.language(), imported.file, column)};

    // The statement goes where --store, QUORVEL_STORE or the user database
    // says, through the same steps as the firm screen's save.
    StatementSession session([&context]() -> StatementStore & { return context.store(); },
                             [&context, dataset] {
                                 return SessionChoices{context.language(), dataset};
                             });
    session.chooseIndustry(ChosenIndustry{arguments.value(QStringLiteral("naics")).trimmed(), {}});
    const auto amounts = imported.import.amounts();
    for (int i = 0; i < kStatementItemCount; ++i)
        statement.amounts.*firmStatementAmounts()[i] = amounts[i];
    statement.industry = session.industryToSave();

    // Replacing a stored statement, or one someone saved meanwhile, takes --replace.
    const bool replace = arguments.has(QStringLiteral("replace"));
    StatementWrite write = session.save(statement, true);
    const WriteStep end = fncRunWrite(write, [replace](const WriteStep &) {
        return replace ? WriteAnswer::Yes : WriteAnswer::Cancel;
    });
    const QString year = QString::number(statement.year);
    if (end.kind == WriteStep::Kind::Refused)
        throw CliFailure{CliStatus::Failure, end.message};
    if (!end.isDone())
        context.fail(CliStatus::Failure, kCliStatementExists, {statement.firmName, year});

    for (const QString &line : importSummaryLines(imported.import, context.language()))
        context.out() << line << '\n';
    context.out() << context.text(kCliStatementSaved).arg(statement.firmName, year) << '\n';
    return CliStatus::Success;
}
} // namespace

CliCommand importCommand()
{
    return {"import",
            {{""},
             {"firm"},
             {"year"},
             {"naics"},
             {"volume"},
             {"region"},
             {"column"},
             {"replace", false}},
            "FILE --firm NAME --year YEAR [--naics CODE --volume N --region CODE] "
            "[--column NAME] [--replace]",
            run};
}
