#pragma once

#include "reports/ReportNumberFormat.h"

#include <QMap>
#include <QPageLayout>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

// A report layout file, parsed. The file is text in sections:
//
//   [report]    name, language (alias.Column holding the language letter),
//               missing (the not-available mark), page ("a4"/"letter" and
//               "portrait"/"landscape"), margins (millimetres)
//   [tables]    one table a line, "TableName as alias", numbered from 1;
//               "TableName as alias each" makes the alias a list of all
//               the table's rows instead of its first row
//   [formats]   "name = percent 1", "name = currency 0 signed", ...
//   [columns]   "Pattern Pattern ... = format": default format of the
//               columns whose names match (wildcards, any letter case)
//   [rows NAME] a list of rows for the template, one "key = value ..." a
//               line after a "fields = ..." line; a value is alias.Column,
//               a Column of each table named by "[rows NAME over a b c]",
//               a "quoted literal", or choices "A|B" (the first not blank);
//               "[rows NAME each a]" repeats its rows for every row of the
//               "each" table a, its Columns read from that row (for sheets;
//               the template reads such a table itself)
//   [sheet NAME] one sheet of the report's spreadsheet export: "name = "
//               the sheet's tab, "title = " a line above the table (any
//               number), "rows = " the [rows] lists it shows, one after
//               the other, then one "field = heading" a line for the lists'
//               fields it shows, in order; names and headings are values
//               joined by blanks
//   [header], [footer]  HTML templates drawn on every page
//   [template]  the HTML template of the body, to the end of the file
//
// Lines starting with "#" outside the templates are comments.
struct ReportLayout
{
    struct Table
    {
        QString name;
        QString alias; // lower case
        bool everyRow = false;
    };

    // A column pattern: a name in any letter case, where "*" stands for any
    // characters and "?" for one.
    struct ColumnFormat
    {
        QString pattern; // lower case
        QString format;  // lower case
    };

    struct RowList
    {
        QString name;       // lower case
        QStringList over;   // aliases the list is attached to; empty: the root
        QString each;       // a table read row by row: the rows repeat for each record
        QStringList fields; // lower case
        QVector<QPair<QString, QStringList>> rows; // key, one value per field
    };

    struct Sheet
    {
        QStringList name;
        QVector<QStringList> titles;
        QStringList rows;                             // lower case
        QVector<QPair<QString, QStringList>> columns; // field (lower case), heading
    };

    QString name;
    QString languageAlias;
    QString languageColumn;
    QString missing = QStringLiteral("\u2014");
    QPageLayout pageLayout;
    // The smallest scale a part between page breaks may be drawn at to stay
    // on one page ("shrink = 85%"); 1: never smaller.
    double smallestScale = 1.0;
    QVector<Table> tables;
    QMap<QString, NumberFormat> formats;
    QVector<ColumnFormat> columnFormats;
    QVector<RowList> rowLists;
    QVector<Sheet> sheets;
    QString header;
    QString footer;
    QString body;

    // The default format name of a column, or an empty text.
    QString formatOfColumn(const QString &column) const;
};

// Parses a layout's text; throws ReportError naming the line at fault.
ReportLayout parseReportLayout(const QString &text);

// Reads and parses a layout file; throws ReportError when the file is
// missing, unreadable or not a layout.
ReportLayout loadReportLayout(const QString &path);
