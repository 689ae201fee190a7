#pragma once

#include "core/RecordSet.h"
#include "reports/ReportLayout.h"

#include <QVariant>

// A report as a workbook: the sheets a layout's [sheet] sections describe,
// filled from the rows of the layout's tables. Figures stay numbers, with the
// layout's format of their column; the spreadsheet writers decide how a
// format looks in a file.

struct SheetCell
{
    QVariant value;                     // a double, a text, or null for an empty cell
    std::optional<NumberFormat> format; // with a number only

    bool isNumber() const { return value.typeId() == QMetaType::Double; }
};

struct ReportSheet
{
    QString name; // the tab, as a spreadsheet accepts it
    QStringList titles;
    QStringList headings;
    QVector<QVector<SheetCell>> rows;
};

// What a report is about, as every exported file names it.
struct ReportAbout
{
    QString report; // "Ratios", "Comparison"... in the report's language
    QString naics;
    QString industry; // the industry's title
    QString dataset;  // "Volume 3: Firms with revenue of ... - Quebec"
    QString firm;     // a comparison's firm
    int year = 0;
    QString title;      // the document's title: report, firm or industry, year
    QString benchmarks; // the benchmark set's name and source, or the sample's note
};

struct ReportWorkbook
{
    ReportLanguage language = ReportLanguage::English;
    QVector<ReportSheet> sheets;
    ReportAbout about;
    QPageLayout pageLayout; // the PDF's page, which printed sheets follow
};

// The workbook of a layout over its tables (in the layout's order). Throws
// ReportError when a sheet names a table or column that is not there.
ReportWorkbook buildReportWorkbook(const ReportLayout &layout, const QVector<RecordSet> &tables);

// A sheet's tab name: at most 31 characters, none of []:*?/\, unique among
// `taken` (a number is added when needed).
QString sheetTabName(const QString &text, const QStringList &taken);
