#include "reports/ReportExport.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/ProgramFolder.h"
#include "reports/ReportEngine.h"
#include "reports/ReportTitles.h"
#include "reports/SpreadsheetExport.h"

QString exportExtension(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Xlsx:
        return QStringLiteral("xlsx");
    case ExportFormat::Csv:
        return QStringLiteral("csv");
    case ExportFormat::Pdf:
        break;
    }
    return QStringLiteral("pdf");
}

QString reportLayoutPath(const QString &kind)
{
    const char *file = kind == QLatin1String("bal")   ? "/rpt_BalanceSheet.rpt"
                       : kind == QLatin1String("com") ? "/rpt_Comparison.rpt"
                                                      : "/rpt_Ratios.rpt";
    return DataFolder() + QLatin1String(file);
}

ReportAbout fncReportAbout(Connection &user, const ReportIdentity &identity)
{
    const QString letter = identity.french ? QStringLiteral("F") : QStringLiteral("E");
    const RecordSet dataset =
        GetRS(user, QStringLiteral("select ") + volumeTitleValue(letter), QStringLiteral("read"),
              {identity.region, identity.volume, letter});
    return {reportKindName(identity),
            identity.naics,
            identity.industry.trimmed(),
            dataset.RecordCount() > 0 ? dataset.field(0).toString() : QString(),
            identity.firmName.trimmed(),
            identity.year,
            reportDocumentTitle(identity),
            benchmarkNote(identity.french ? Language::French : Language::English)};
}

bool fncWriteReportFile(Connection &user, const ReportIdentity &identity, ExportFormat format,
                        const QString &path)
{
    const std::unique_ptr<ReportEngine> report =
        ReportEngine::OpenReport(reportLayoutPath(identity.kind));
    for (int number = 1; number <= report->tableCount(); ++number)
        report->table(number).setLocation(user.filePath());
    report->readThrough(user);
    if (format == ExportFormat::Pdf)
        return report->render()->exportPdf(path, reportDocumentTitle(identity), identity.french);
    ReportWorkbook workbook = buildReportWorkbook(report->layout(), report->readTables());
    workbook.about = fncReportAbout(user, identity);
    return format == ExportFormat::Xlsx ? writeXlsx(workbook, path) : writeCsv(workbook, path);
}
