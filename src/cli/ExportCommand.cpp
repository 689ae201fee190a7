// quorvel-cli export: one report to one file.
#include "benchmarks/BenchmarksInUse.h"
#include "cli/CliCommands.h"
#include "cli/CliStrings.h"
#include "core/DatasetMapping.h"
#include "firm/FirmList.h"
#include "firm/StatementIndustry.h"
#include "reports/IndustryYear.h"
#include "reports/ReportExport.h"
#include "reports/SavedComparison.h"
#include "search/IndustryLookups.h"

namespace {

QString reportKind(const CliArguments &arguments)
{
    const QString report = arguments.choice(
        QStringLiteral("report"),
        {QStringLiteral("ratios"), QStringLiteral("balance"), QStringLiteral("comparison")});
    return report.left(3); // "rat", "bal", "com"
}

ExportFormat exportFormat(const CliArguments &arguments)
{
    const QString format =
        arguments.choice(QStringLiteral("format"),
                         {QStringLiteral("pdf"), QStringLiteral("xlsx"), QStringLiteral("csv")});
    return format == QLatin1String("xlsx")  ? ExportFormat::Xlsx
           : format == QLatin1String("csv") ? ExportFormat::Csv
                                            : ExportFormat::Pdf;
}

QString industryTitle(CliContext &context, const StatementIndustry &industry)
{
    const std::optional<IndustryDefinition> definition =
        fncIndustryDefinition(context.reference(), naicsDescriptionTable(industry.volume),
                              industry.naics, context.language());
    return definition ? definition->title : QString();
}

// The industry's Ratios or Balance Sheet report of the reference year.
ReportIdentity prepareIndustryReport(CliContext &context, const QString &kind)
{
    const CliArguments &arguments = context.arguments();
    if (arguments.has(QStringLiteral("firm")) || arguments.has(QStringLiteral("year")))
        throw CliFailure{CliStatus::Usage,
                         QStringLiteral("--firm and --year belong to the comparison")};
    const StatementIndustry industry{arguments.required(QStringLiteral("naics")).trimmed(),
                                     arguments.integer(QStringLiteral("volume")),
                                     arguments.value(QStringLiteral("region")).trimmed().toUpper()};
    const QString region = industry.region.isEmpty() ? QStringLiteral("ALL") : industry.region;
    requireCliDataset(context, industry.volume, region);
    const qint16 year = qint16(lastReferenceYear());
    const QString letter =
        context.language() == Language::French ? QStringLiteral("F") : QStringLiteral("E");
    if (kind == QLatin1String("rat"))
        fncPrepareRatiosReport(context.reference(), context.user(), kind, qint16(industry.volume),
                               region, year, industry.naics, letter);
    else
        fncPrepareBalanceSheetReport(context.reference(), context.user(), kind,
                                     qint16(industry.volume), region, year, industry.naics, letter);
    if (!industryYearRow(context.user(), year, {QStringLiteral("NAICS")}))
        context.fail(CliStatus::NoData, kCliNoIndustryData,
                     {industry.naics, QString::number(year)});
    return {kind,
            context.language() == Language::French,
            industry.naics,
            industryTitle(context, {industry.naics, industry.volume, region}),
            qint16(industry.volume),
            region,
            QString(),
            year};
}

// The saved statement's comparison, against the industry given or, for what
// is not given, the one it was saved under.
ReportIdentity prepareComparison(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    const QString firm = arguments.required(QStringLiteral("firm"));
    const int year = arguments.integer(QStringLiteral("year"));
    const std::optional<SavedStatement> saved = context.store().open(firm, year);
    if (!saved)
        context.fail(CliStatus::NoData, kCliNoStatement, {firm, QString::number(year)});
    const QString storedName = saved->firmName;

    StatementIndustry industry = saved->industry.value_or(StatementIndustry{});
    if (arguments.has(QStringLiteral("naics")))
        industry.naics = arguments.required(QStringLiteral("naics")).trimmed();
    if (arguments.has(QStringLiteral("volume"))) {
        const int volume = arguments.integer(QStringLiteral("volume"));
        // A region belongs to the volume it was saved with.
        if (volume != industry.volume)
            industry.region.clear();
        industry.volume = volume;
    }
    if (arguments.has(QStringLiteral("region")))
        industry.region = arguments.required(QStringLiteral("region")).trimmed().toUpper();
    if (industry.region.isEmpty())
        industry.region = QStringLiteral("ALL");
    if (industry.naics.isEmpty() || industry.volume == 0)
        context.fail(CliStatus::Usage, kCliNoIndustryGiven, {storedName, QString::number(year)});
    requireCliDataset(context, industry.volume, industry.region);

    QString title;
    const PreparationOutcome prepared =
        fncPrepareSavedComparison(context.reference(), context.user(), context.store(), storedName,
                                  year, industry, context.language(), &title);
    if (!prepared)
        throw CliFailure{CliStatus::NoData, prepared.message};
    return {QStringLiteral("com"),
            context.language() == Language::French,
            industry.naics,
            title,
            qint16(industry.volume),
            industry.region,
            storedName,
            qint16(year)};
}

CliStatus run(CliContext &context)
{
    const CliArguments &arguments = context.arguments();
    const QString kind = reportKind(arguments);
    const ExportFormat format = exportFormat(arguments);
    const QString output = arguments.required(QStringLiteral("output"));
    const ReportIdentity identity = kind == QLatin1String("com")
                                        ? prepareComparison(context)
                                        : prepareIndustryReport(context, kind);
    if (!fncWriteReportFile(context.user(), identity, format, output))
        context.fail(CliStatus::Failure, kCliCannotWrite, {output});
    return CliStatus::Success;
}

} // namespace

CliCommand exportCommand()
{
    return {
        "export",
        {{"report"}, {"volume"}, {"region"}, {"naics"}, {"firm"}, {"year"}, {"format"}, {"output"}},
        "--report ratios|balance|comparison --volume N [--region CODE] --naics CODE\n"
        "      [--firm NAME --year YEAR] --language en|fr --format pdf|xlsx|csv --output FILE",
        run};
}
