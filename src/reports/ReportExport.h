#pragma once

#include "core/DbTools.h"
#include "reports/ReportNaming.h"
#include "reports/ReportSheets.h"

#include <QString>

// A prepared report written to a file without a window: what the report
// window's export does, for the command line.

enum class ExportFormat { Pdf, Xlsx, Csv };

// "pdf", "xlsx" or "csv".
QString exportExtension(ExportFormat format);

// The layout file of a report kind ("rat", "bal", "com") among the shipped files.
QString reportLayoutPath(const QString &kind);

// What the report is about, its data set's title read from the user
// database's volume and region titles.
ReportAbout fncReportAbout(Connection &user, const ReportIdentity &identity);

// Reads the report's tables, which its preparation left in the user
// database, and writes the report to `path`. Throws ReportError when the
// layout or its tables cannot be read; false when the file cannot be written.
bool fncWriteReportFile(Connection &user, const ReportIdentity &identity, ExportFormat format,
                        const QString &path);
