#include "reports/ReportNaming.h"

#include "core/ResourceString.h"
#include "core/StringIds.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kDash = QStringLiteral(" \u2013 ");

QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString datasetName(const ReportIdentity &report)
{
    QString name = QStringLiteral("Volume %1").arg(report.volume);
    if (!report.region.isEmpty() &&
        report.region.compare(QLatin1String("ALL"), Qt::CaseInsensitive))
        name += QLatin1Char(' ') + report.region;
    return name;
}
} // namespace

QString reportKindName(const ReportIdentity &report)
{
    const int id = report.kind == QLatin1String("bal")   ? kBalanceSheetReportName
                   : report.kind == QLatin1String("com") ? kComparisonReportName
                                                         : kRatiosReportName;
    return ResourceString(id, report.french ? Language::French : Language::English);
}

QString reportDocumentTitle(const ReportIdentity &report)
{
    const QString about = report.kind == QLatin1String("com")
                              ? report.firmName.trimmed()
                              : (report.naics + QLatin1Char(' ') + report.industry).trimmed();
    return reportKindName(report) + kDash + about + kDash + QString::number(report.year);
}

QString printJobName(const ReportIdentity &report)
{
    QString name = QStringLiteral("Quorvel") + kDash + reportKindName(report) + kDash;
    if (report.kind == QLatin1String("com"))
        return name + report.firmName.trimmed() + kDash + QString::number(report.year);
    return name + (report.naics + QLatin1Char(' ') + report.industry).trimmed();
}

QString suggestedExportFileName(const ReportIdentity &report, const QString &extension)
{
    QString base = reportKindName(report) + kDash;
    if (report.kind == QLatin1String("com"))
        base += report.firmName.trimmed() + kDash + QString::number(report.year);
    else
        base += report.naics.trimmed() + kDash + datasetName(report);
    return safeFileName(base) + QLatin1Char('.') + extension;
}

QString safeFileName(const QString &text)
{
    QString name;
    name.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        // Format characters are invisible, and those that turn the text's
        // direction make a name read other than it is: they go.
        if (QChar::category(c) == QChar::Other_Format)
            continue;
        const bool refused =
            QChar::category(c) == QChar::Other_Control ||
            (c < 0x80 && QLatin1String("/\\:*?\"<>|").contains(QLatin1Char(char(c))));
        if (refused)
            name += QLatin1Char('-');
        else
            name += QString::fromUcs4(&c, 1);
    }
    name = name.simplified();
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name;
}

QString exportFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    // The documents folder, where the user has one.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberExportFolder(const QString &filePath)
{
    lastFolder() = QFileInfo(filePath).absolutePath();
}

void resetExportFolder()
{
    lastFolder().clear();
}
