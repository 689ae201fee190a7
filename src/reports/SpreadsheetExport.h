#pragma once

#include "reports/ReportSheets.h"

// Writes a report's workbook to a file. Both return false when the file
// cannot be written.

// An Excel workbook (.xlsx): one sheet per section, figures as numbers in
// the report's formats (a percentage as a fraction shown with %, dollars
// with the report's currency pattern), empty cells for missing figures.
bool writeXlsx(const ReportWorkbook &workbook, const QString &path);

// Comma-separated values (.csv, UTF-8): the sections one after the other,
// each headed by its name and separated by an empty line. Figures are
// written with a period for decimals and no thousands separator; a
// percentage keeps its % sign.
bool writeCsv(const ReportWorkbook &workbook, const QString &path);

// The spreadsheet number format of a report format ("0.0%", "\"$\"#,##0").
QString spreadsheetNumberFormat(const NumberFormat &format, ReportLanguage language);

// The value a spreadsheet cell holds for a figure (a percentage as a
// fraction).
double spreadsheetValue(double value, const NumberFormat &format);

// A figure as a comma-separated file writes it.
QString csvNumber(double value, const NumberFormat &format);
