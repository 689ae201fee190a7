#pragma once

#include "core/RecordSet.h"
#include "reports/ReportLayout.h"

#include <QString>
#include <QVector>
#include <kainjow/mustache.hpp>

// Turns the rows a layout's tables hold into the values its templates read.
//
// Every name is looked up without regard to case. Each table's alias stands
// for its first row (false when the table is empty). For every column C of a
// row, and every field C of a [rows] list item:
//   {{C}}         the value in the column's default format (or as text);
//                 a null figure shows the layout's not-available mark
//   {{C|f}}       the value in the layout's format f (an "equals" format
//                 gives a flag for sections)
//   {{C|raw}}     the value as stored, empty when null
//   {{#C|has}}    the value is there; {{#C|null}} it is null or blank;
//                 {{#C|nonzero}} it is a number other than 0
// {{#gauge}}better worse{{/gauge}} draws the position picture; {{page}} and
// {{pages}} are the page number and count in the header and footer.

// Markers that each page's number and the page count replace.
inline constexpr const char *kPageToken = "\x01page\x01";
inline constexpr const char *kPagesToken = "\x01pages\x01";

// The report's language: the first letter of the layout's language column
// ("F" French, anything else English).
ReportLanguage reportLanguageOf(const ReportLayout &layout, const QVector<RecordSet> &tables);

// The values of the tables, in the layout's order. Throws ReportError when a
// [rows] list names a table or column that is not there.
kainjow::mustache::data buildReportData(const ReportLayout &layout,
                                        const QVector<RecordSet> &tables, ReportLanguage language);

// Lower-cases the names inside {{ }} tags, as the values are named.
QString normaliseTagNames(const QString &templateText);

// Renders a template; throws ReportError when it is not valid.
QString renderReportTemplate(const QString &templateText, const kainjow::mustache::data &data);
