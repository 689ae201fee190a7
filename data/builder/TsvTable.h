#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// One column of a table source: its name, its SQLite type (TEXT, INTEGER or
// REAL) and whether it belongs to the table's primary key.
struct ColumnSpec
{
    QString name;
    QString type = QStringLiteral("TEXT");
    bool key = false;
};

// A table read from a tab-separated source file.
//
// The first line that is neither empty nor a comment ("#...") is the header:
// one cell per column, "Name", "Name:TYPE" or "Name:TYPE:KEY". Every further
// line is one row. In a cell, "\t", "\n" and "\\" stand for a tab, a line
// break and a backslash; a cell that is exactly "\N" is null, and an empty
// cell is null in a numeric column. Numeric cells are stored as numbers.
struct TsvTable
{
    QString name; // the file's base name
    QList<ColumnSpec> columns;
    QList<QVariantList> rows;

    // Index of the column `name` (case-insensitive), or -1.
    int columnIndex(const QString &name) const;
    // The cell of `row` in column `name`; throws when the column is missing.
    QVariant value(int row, const QString &name) const;
    QString text(int row, const QString &name) const;
};

// Reads a source file; throws std::runtime_error naming the file and line on
// any malformed header, row or number.
TsvTable readTsv(const QString &path);
