#include "import/SheetCells.h"

#include "core/LibZip.h"
#include <QRegularExpression>
#include <algorithm>
#include <memory>
#include <vector>

#include <QFile>

QString cellName(qint64 row, qint64 column)
{
    QString letters;
    for (qint64 n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
    return letters + QString::number(row + 1);
}

QString sheetPlace(const QString &sheet, const QString &place, bool severalSheets)
{
    if (!severalSheets)
        return place;
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.]*$"));
    if (plainName.match(sheet).hasMatch())
        return sheet + QLatin1Char('!') + place;
    QString quoted = sheet;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QStringLiteral("'!") + place;
}

ImportRead importFault(ImportFault fault, const QStringList &places)
{
    ImportRead read;
    read.fault = fault;
    read.faultPlaces = places;
    return read;
}

ImportRead tooLarge(qsizetype limit, bool cells)
{
    return importFault(
        ImportFault::TooLarge,
        {QString::number(limit), cells ? QStringLiteral("cells") : QStringLiteral("bytes")});
}

void HiddenLines::hide(int first, int last)
{
    if (last < first)
        return;
    auto next = m_ranges.upper_bound(first);
    if (next != m_ranges.begin()) {
        const auto before = std::prev(next);
        if (before->second >= first - 1) {
            first = before->first;
            last = std::max(last, before->second);
            next = m_ranges.erase(before);
        }
    }
    while (next != m_ranges.end() && next->first <= last + 1) {
        last = std::max(last, next->second);
        next = m_ranges.erase(next);
    }
    m_ranges.emplace(first, last);
}

bool HiddenLines::contains(int line) const
{
    const auto next = m_ranges.upper_bound(line);
    return next != m_ranges.begin() && std::prev(next)->second >= line;
}

ImportRead compactSheet(const SheetCells &cells, const HiddenLines &hiddenRows,
                        const HiddenLines &hiddenColumns, ImportTable &table)
{
    // The columns that hold something on a shown row, in order, and where
    // each one goes.
    std::vector<int> columns;
    int lastHidden = -1;
    for (const auto &[position, cell] : cells) {
        if (!hiddenRows.contains(position.row)) {
            columns.push_back(position.column);
        } else if (position.row != lastHidden) {
            ++table.hiddenRows;
            lastHidden = position.row;
        }
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    std::vector<int> keptIndex(columns.size(), -1);
    QList<int> kept;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (hiddenColumns.contains(columns[c])) {
            ++table.hiddenColumns;
        } else {
            keptIndex[c] = int(kept.size());
            kept << columns[c];
        }
    }
    const auto keptColumn = [&](int column) {
        return keptIndex[std::lower_bound(columns.begin(), columns.end(), column) -
                         columns.begin()];
    };

    // Each row runs from the first kept column to its last cell: count the
    // cells that costs before any is made.
    qsizetype size = 0;
    int lastRow = -1;
    for (auto cell = cells.cbegin(); cell != cells.cend(); ++cell) {
        const int row = cell->first.row;
        if (row == lastRow)
            continue;
        lastRow = row;
        if (hiddenRows.contains(row))
            continue;
        const auto end = cells.lower_bound(SheetPosition{row + 1, 0});
        int width = 0;
        for (auto last = end; last != cell;) {
            --last;
            const int index = keptColumn(last->first.column);
            if (index >= 0) {
                width = index + 1;
                break;
            }
        }
        size += width;
        if (size > kLargestCellCount)
            return tooLarge(kLargestCellCount, true);
    }

    for (const auto &[position, cell] : cells) {
        if (hiddenRows.contains(position.row))
            continue;
        const int column = keptColumn(position.column);
        if (column < 0)
            continue;
        if (table.rowNumbers.isEmpty() || table.rowNumbers.last() != position.row + 1) {
            table.rowNumbers << position.row + 1;
            table.rows.append(QList<ImportCell>());
        }
        QList<ImportCell> &row = table.rows.last();
        if (row.size() <= column)
            row.resize(column + 1);
        row[column] = cell;
    }
    table.columnNumbers = kept;
    return {};
}

ZipArchive openZipArchive(const QString &path)
{
    const LibZip *zip = libzip();
    if (!zip)
        return ZipArchive(nullptr, [](struct zip *) {});
    int error = 0;
    return ZipArchive(zip->open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error),
                      zip->discard);
}

PartRead readZipPart(zip *archive, const QString &name, QByteArray *bytes)
{
    bytes->clear();
    // An archive is open: the library is loaded.
    const LibZip &zip = *libzip();
    const zip_int64_t index = zip.nameLocate(archive, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return PartRead::Missing;
    zip_stat_t stat;
    zip.statInit(&stat);
    if (zip.statIndex(archive, zip_uint64_t(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        return PartRead::Damaged;
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return PartRead::Encrypted;
    if (stat.size > zip_uint64_t(kLargestPart))
        return PartRead::TooLarge;
    const std::unique_ptr<zip_file_t, decltype(&zip_fclose)> entry(
        zip.fopenIndex(archive, zip_uint64_t(index), 0), zip.fclose);
    if (!entry)
        return PartRead::Damaged;
    bytes->resize(qsizetype(stat.size));
    const zip_int64_t read = zip.fread(entry.get(), bytes->data(), stat.size);
    if (read != zip_int64_t(stat.size)) {
        bytes->clear();
        return PartRead::Damaged;
    }
    return PartRead::Read;
}

ImportRead partFault(PartRead read)
{
    switch (read) {
    case PartRead::Encrypted:
        return importFault(ImportFault::PasswordProtected);
    case PartRead::TooLarge:
        return tooLarge(kLargestPart, false);
    case PartRead::Missing:
    case PartRead::Damaged:
    case PartRead::Read:
        break;
    }
    return importFault(ImportFault::NotSpreadsheet);
}
