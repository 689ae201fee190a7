#pragma once

#include "import/ImportTable.h"

#include <QByteArray>
#include <QString>
#include <compare>
#include <map>
#include <memory>

struct zip;

// What the sheet readers share: cells collected by their place, so that the
// memory a file costs follows the cells it holds and not the farthest one it
// names; the formats' limits; the parts of a zip container.

// The last row and column a worksheet can have, in Excel as in LibreOffice.
inline constexpr int kSheetRows = 1048576;
inline constexpr int kSheetColumns = 16384;
// A statement has a few hundred cells, a trial balance a few thousand.
inline constexpr qsizetype kLargestCellCount = 1000000;
// The places a fault lists at most: the first ones tell what is wrong.
inline constexpr qsizetype kPlacesListed = 20;
// A part of a workbook (a sheet, its strings) larger than this is no statement.
inline constexpr qsizetype kLargestPart = 64 * 1024 * 1024;

struct SheetPosition
{
    int row = 0; // from 0
    int column = 0;

    auto operator<=>(const SheetPosition &) const = default;
};

// Only the cells that hold something, in row order.
using SheetCells = std::map<SheetPosition, ImportCell>;

// "B8" for row 7, column 1; also for a place beyond the sheet's limits.
QString cellName(qint64 row, qint64 column);
inline QString cellName(SheetPosition position)
{
    return cellName(position.row, position.column);
}

// What a fault names on a sheet: the place alone when the workbook has one
// sheet, after its sheet's name when it has several ("'Balance sheet'!B8").
QString sheetPlace(const QString &sheet, const QString &place, bool severalSheets);

ImportRead importFault(ImportFault fault, const QStringList &places = {});
// TooLarge, naming the limit: its number, then "bytes" or "cells".
ImportRead tooLarge(qsizetype limit, bool cells);

// Rows or columns a workbook hides, from 0, as ranges: a hidden range costs
// the same whatever its length.
class HiddenLines
{
public:
    void hide(int first, int last);
    bool contains(int line) const;

private:
    std::map<int, int> m_ranges; // first -> last; ranges neither overlap nor touch
};

// The sheet's cells as an ImportTable: the hidden rows and columns left out
// (and counted when they hold something), then only the rows and columns
// that hold something, with their numbers in the file. TooLarge (and
// nothing laid out) when the rows would together hold more than
// kLargestCellCount cells, which cells far apart on few rows can cost.
ImportRead compactSheet(const SheetCells &cells, const HiddenLines &hiddenRows,
                        const HiddenLines &hiddenColumns, ImportTable &table);

enum class PartRead { Read, Missing, Encrypted, Damaged, TooLarge };

// A zip container opened for reading; empty when the file is none, or when
// libzip cannot be loaded.
using ZipArchive = std::unique_ptr<zip, void (*)(zip *)>;
ZipArchive openZipArchive(const QString &path);

// A part of a zip container, whole; TooLarge beyond kLargestPart.
PartRead readZipPart(zip *archive, const QString &name, QByteArray *bytes);

// Why a workbook whose part could not be read cannot be used.
ImportRead partFault(PartRead read);
