// quorvel-cli import: a statement read from a spreadsheet or CSV file and
// saved under the firm and year given, with the import's summary.
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "firm/FirmRecordStore.h"
#include "import/ImportTexts.h"
#include "import/StatementImport.h"

namespace {
CliStatus run(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    if (!arguments.has(QString()))
        throw CliFailure{CliStatus::Usage, QStringLiteral("import needs the file to import")};
    const QString path = arguments.value(QString());
    FirmRecord record;
    record.firmName = arguments.required(QStringLiteral("firm")).trimmed();
    record.year = arguments.integer(QStringLiteral("year"));
    record.naics = arguments.value(QStringLiteral("naics")).trimmed();
    if (arguments.has(QStringLiteral("volume"))) {
        record.volume = arguments.integer(QStringLiteral("volume"));
        record.region = arguments.value(QStringLiteral("region")).trimmed().toUpper();
        if (record.region.isEmpty())
            record.region = QStringLiteral("ALL");
        requireCliDataset(context, record.volume, record.region);
    } else if (arguments.has(QStringLiteral("region"))) {
        throw CliFailure{CliStatus::Usage, QStringLiteral("--region needs --volume")};
    }

    const QString column = arguments.value(QStringLiteral("column"));
    const FileImport imported = importStatementFile(path, column);
    if (imported.fault != ImportFault::None)
        throw CliFailure{
            CliStatus::Unusable,
            importFaultMessage(imported.fault, path, context.language(), imported.file, column)};
    const QString year = QString::number(record.year);
    if (!arguments.has(QStringLiteral("replace")) &&
        !fncStoredFirmNames(context.user(), record.firmName, record.year).isEmpty())
        context.fail(CliStatus::Failure, kCliStatementExists, {record.firmName, year});

    record.amounts = imported.import.amounts();
    subWriteFirmRecord(context.user(), record);
    for (const QString &line : importSummaryLines(imported.import, context.language()))
        context.out() << line << '\n';
    context.out() << context.text(kCliStatementSaved).arg(record.firmName, year) << '\n';
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
