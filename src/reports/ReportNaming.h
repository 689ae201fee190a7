#pragma once

#include <QString>

// What a shown report is about, as its print job and exported files are
// named after it.
struct ReportIdentity
{
    QString kind; // "rat", "bal" or "com"
    bool french = false;
    QString naics;
    QString industry;
    qint16 volume = 0;
    QString region; // "ALL" for Canada as a whole
    QString firmName;
    qint16 year = 0;
};

// "Ratios", "Balance Sheet", "Comparison" in the report's language.
QString reportKindName(const ReportIdentity &report);

// The print job: "Quorvel – Ratios – 236110 Residential building
// construction"; a comparison names the firm and its year.
QString printJobName(const ReportIdentity &report);

// The title an exported document carries: "Ratios – 236110 Residential
// building construction – 2006", "Comparison – Maple Ridge Homes Ltd – 2006".
QString reportDocumentTitle(const ReportIdentity &report);

// The file name an export suggests, without folder: "Ratios – 236110 –
// Volume 1.pdf", "Comparison – Maple Ridge Homes Ltd – 2006.xlsx". Letters
// that file systems refuse become "-".
QString suggestedExportFileName(const ReportIdentity &report, const QString &extension);

// A text made fit to be a file name.
QString safeFileName(const QString &text);

// The folder an export dialog opens in: the user's documents folder (the
// home folder when there is none) the first time, afterwards the folder of
// the last export of the session.
QString exportFolder();
void rememberExportFolder(const QString &filePath);
// Forgets the session's last folder (tests start afresh).
void resetExportFolder();
