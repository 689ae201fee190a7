#pragma once

#include "reports/ReportSheets.h"

// Writes a report's workbook to a file. Both return false when the file
// cannot be written.

// An Excel workbook (.xlsx): one sheet per section, figures as numbers in
// the report's formats (a percentage as a fraction shown with %, dollars
// with the report's currency pattern), empty cells for missing figures.
// Each sheet names the data set and prints as the PDF does: its paper and
// orientation, one page wide, the headings repeated, page numbers below;
// the file's properties name the report.
bool writeXlsx(const ReportWorkbook &workbook, const QString &path);

// Comma-separated values (.csv, UTF-8 with a byte order mark) as one table
// that a spreadsheet filters and pivots: one header row, then one figure a
// row, each naming the report, firm, industry, data set, year, section,
// item and measure, its value at the report's precision and its unit. The
// French file uses ";" between fields and "," for decimals, as French
// spreadsheets read them.
bool writeCsv(const ReportWorkbook &workbook, const QString &path);

// The spreadsheet number format of a report format ("0.0%", "\"$\"#,##0").
QString spreadsheetNumberFormat(const NumberFormat &format, ReportLanguage language);

// The value a spreadsheet cell holds for a figure (a percentage as a
// fraction).
double spreadsheetValue(double value, const NumberFormat &format);

// A figure as the comma-separated file writes it: plain, at the format's
// precision, with the language's decimal mark.
QString csvNumber(double value, const NumberFormat &format, ReportLanguage language);
