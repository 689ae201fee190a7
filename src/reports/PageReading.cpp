#include "reports/PageReading.h"

#include <algorithm>

int ReadingTable::columnCount() const
{
    qsizetype count = headers.size();
    for (const QStringList &row : rows)
        count = std::max(count, row.size());
    return int(count);
}

QString PageReading::plainText() const
{
    QStringList lines;
    for (const Item &item : items) {
        if (item.table < 0) {
            lines << item.text;
            continue;
        }
        const ReadingTable &table = tables[item.table];
        if (!table.caption.isEmpty())
            lines << table.caption;
        if (!table.headers.isEmpty())
            lines << table.headers.join(QLatin1Char('\t'));
        for (const QStringList &row : table.rows)
            lines << row.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QString PageReading::rowSentence(const QString &firstCell) const
{
    const QString wanted = firstCell.simplified();
    for (const ReadingTable &table : tables) {
        for (const QStringList &row : table.rows) {
            // The row may mark its name (a ▼ for a ratio where lower is better).
            const QString first = row.isEmpty() ? QString() : row.first().simplified();
            if (wanted.isEmpty() ||
                (first != wanted && !first.startsWith(wanted + QLatin1Char(' '))))
                continue;
            QStringList parts;
            QString lastHeader;
            for (qsizetype column = 0; column < row.size(); ++column) {
                const QString cell = row.at(column).simplified();
                if (cell.isEmpty())
                    continue;
                const QString header = table.headers.value(column).simplified();
                // A header spanning two columns is said once.
                parts << (header.isEmpty() || header == lastHeader
                              ? cell
                              : header + QStringLiteral(": ") + cell);
                lastHeader = header;
            }
            return parts.join(QStringLiteral(", "));
        }
    }
    return QString();
}
