#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A table of a report page as a listener meets it: the rows above its column
// headers (a section's title), the column headers, and the rows shown on the
// page, one text per column.
struct ReadingTable
{
    QString caption;
    QStringList headers;
    std::vector<QStringList> rows;

    int columnCount() const;
};

// What one report page says, in reading order: its paragraphs, and its data
// tables (those with column headers) as tables. Tables that only place text
// side by side are read as the paragraphs they hold.
struct PageReading
{
    struct Item
    {
        QString text;   // a paragraph; empty for a table
        int table = -1; // index in `tables`, or -1
    };
    std::vector<Item> items;
    std::vector<ReadingTable> tables;

    // The whole page as text: paragraphs on lines of their own, a table as
    // its caption, its headers and its rows, cells apart by tabs.
    QString plainText() const;
    // The row whose first cell reads `firstCell`, said with its headers
    // ("Ratio: Current ratio, Your firm: 1.45, …"); empty when no row does.
    QString rowSentence(const QString &firstCell) const;
};
