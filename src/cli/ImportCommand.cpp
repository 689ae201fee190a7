// quorvel-cli import: a statement read from a spreadsheet or CSV file and
// saved under the firm and year given, with the import's summary.
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "firm/StatementItems.h"
#include "import/ImportLabels.h"
#include "import/ImportTexts.h"
#include "import/StatementImport.h"
#include "session/StatementSession.h"

namespace {
// "LABEL=ITEM": the item by its code ("Cash") or its name in either
// language; "ignore" (or nothing after "=") leaves the row out.
LabelMapping mappingOf(const CliContext &context)
{
    LabelMapping mapping;
    for (const QString &pair : context.arguments().values(QStringLiteral("map"))) {
        const qsizetype equals = pair.lastIndexOf(QLatin1Char('='));
        const QString label = foldImportLabel(pair.left(equals));
        const QString item = pair.mid(equals + 1).trimmed();
        if (equals <= 0 || label.isEmpty())
            context.fail(CliStatus::Usage, kCliBadMapping, {pair});
        if (item.isEmpty() || item.compare(QLatin1String("ignore"), Qt::CaseInsensitive) == 0) {
            mapping.insert(label, QString());
            continue;
        }
        const std::optional<LabelMatch> match = ImportLabels::instance().match(item);
        if (!match || match->kind != LabelKind::Item || statementItems()[match->item].computed)
            context.fail(CliStatus::Usage, kCliBadMapping, {pair});
        mapping.insert(label, QString::fromLatin1(statementItems()[match->item].column));
    }
    return mapping;
}

// The industry the statement is filed under: the one given, or the one the
// store already knows for the firm and year; a usage error when neither says.
StatementIndustry industryOf(CliContext &context, StatementSession &session, const QString &firm,
                             int year)
{
    const CliArguments &arguments = context.arguments();
    if (!arguments.has(QStringLiteral("naics")) && !arguments.has(QStringLiteral("volume")) &&
        !arguments.has(QStringLiteral("region")))
        if (const std::optional<SavedStatement> saved = session.store().open(firm, year))
            if (saved->industry && !saved->industry->naics.isEmpty())
                return *saved->industry;
    StatementIndustry industry;
    industry.naics = arguments.value(QStringLiteral("naics")).trimmed();
    if (industry.naics.isEmpty() || !arguments.has(QStringLiteral("volume")))
        context.fail(CliStatus::Usage, kCliImportNeedsIndustry, {firm, QString::number(year)});
    industry.volume = arguments.integer(QStringLiteral("volume"));
    industry.region = arguments.value(QStringLiteral("region")).trimmed().toUpper();
    if (industry.region.isEmpty()) {
        // Volume 3 holds the regions: which one is the user's to say.
        if (industry.volume == 3)
            context.fail(CliStatus::Usage, kCliImportNeedsRegion);
        industry.region = QStringLiteral("ALL");
    }
    requireCliDataset(context, industry.volume, industry.region);
    return industry;
}

CliStatus run(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    if (!arguments.has(QString()))
        throw CliFailure{CliStatus::Usage, QStringLiteral("import needs the file to import")};
    const QString path = arguments.value(QString());
    SavedStatement statement;
    statement.firmName = arguments.required(QStringLiteral("firm")).trimmed();
    statement.year = arguments.integer(QStringLiteral("year"));
    ImportOptions options;
    options.sheet = arguments.value(QStringLiteral("sheet"));
    if (arguments.has(QStringLiteral("scale")))
        options.scale =
            arguments.choice(QStringLiteral("scale"), {QStringLiteral("1"), QStringLiteral("1000")})
                .toDouble();
    options.mapping = mappingOf(context);

    // The statement goes where --store, QUORVEL_STORE or the user database
    // says, through the same steps as the firm screen's save.
    DatasetChoice dataset;
    StatementSession session([&context]() -> StatementStore & { return context.store(); },
                             [&context, &dataset] {
                                 return SessionChoices{context.language(), dataset};
                             });
    statement.industry = industryOf(context, session, statement.firmName, statement.year);
    dataset = {statement.industry->volume, statement.industry->region};

    const QString column = arguments.value(QStringLiteral("column"));
    const FileImport imported =
        importStatementFile(path, column, session.importOptions(statement.firmName, options));
    if (imported.fault != ImportFault::None)
        throw CliFailure{
            CliStatus::Unusable,
            importFaultMessage(imported.fault, path, context.language(), imported.file, column)};
    const QStringList summary = importSummaryLines(imported.import, context.language());
    // A statement that fails a check is saved only when the user says so.
    if (!imported.import.checks.isEmpty() && !arguments.has(QStringLiteral("accept-differences")))
        throw CliFailure{CliStatus::Unusable, summary.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                                                  context.text(kCliChecksFailed)};
    statement.amounts = imported.import.statement;
    // The comment given, else the one saved under the key: new amounts never
    // drop the accountant's comment.
    if (arguments.has(QStringLiteral("comment")))
        statement.comment = arguments.value(QStringLiteral("comment"));
    else if (const std::optional<SavedStatement> saved =
                 session.store().open(statement.firmName, statement.year))
        statement.comment = saved->comment;

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
    session.rememberMapping(statement.firmName, options.mapping);

    for (const QString &line : summary)
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
             {"sheet"},
             {"scale"},
             {"map", true, true},
             {"comment"},
             {"accept-differences", false},
             {"replace", false}},
            "FILE --firm NAME --year YEAR [--naics CODE --volume N --region CODE]\n"
            "      [--column NAME] [--sheet NAME] [--scale 1|1000] [--map \"LABEL=ITEM\"]...\n"
            "      [--comment TEXT] [--accept-differences] [--replace]",
            run};
}
