#include "TsvTable.h"

#include "core/TsvText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &path, int line, const QString &what)
{
    throw std::runtime_error(
        QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(what).toStdString());
}

ColumnSpec parseHeaderCell(const QString &cell, const QString &path, int line)
{
    const QStringList parts = cell.trimmed().split(QLatin1Char(':'));
    ColumnSpec spec;
    spec.name = parts.value(0);
    if (spec.name.isEmpty())
        fail(path, line, QStringLiteral("empty column name"));
    if (parts.size() > 1)
        spec.type = parts.at(1).toUpper();
    if (spec.type != QLatin1String("TEXT") && spec.type != QLatin1String("INTEGER") &&
        spec.type != QLatin1String("REAL"))
        fail(path, line, QStringLiteral("unknown type of column %1").arg(spec.name));
    if (parts.size() > 2) {
        if (parts.at(2).toUpper() != QLatin1String("KEY") || parts.size() > 3)
            fail(path, line, QStringLiteral("bad header cell %1").arg(cell));
        spec.key = true;
    }
    return spec;
}

QVariant parseCell(const QString &raw, const ColumnSpec &column, const QString &path, int line)
{
    if (raw == QLatin1String("\\N"))
        return QVariant();
    const QString text = unescapeTsvCell(raw);
    if (column.type == QLatin1String("TEXT"))
        return text;
    if (text.trimmed().isEmpty())
        return QVariant();
    bool ok = false;
    if (column.type == QLatin1String("INTEGER")) {
        const qlonglong n = text.trimmed().toLongLong(&ok);
        if (ok)
            return n;
    } else {
        const double d = text.trimmed().toDouble(&ok);
        if (ok)
            return d;
    }
    fail(path, line, QStringLiteral("not a number in column %1: %2").arg(column.name, text));
}

} // namespace

int TsvTable::columnIndex(const QString &columnName) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).name.compare(columnName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TsvTable::value(int row, const QString &columnName) const
{
    const int index = columnIndex(columnName);
    if (index < 0)
        throw std::runtime_error(
            QStringLiteral("%1 has no column %2").arg(name, columnName).toStdString());
    return rows.at(row).at(index);
}

QString TsvTable::text(int row, const QString &columnName) const
{
    return value(row, columnName).toString();
}

TsvTable readTsv(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("cannot read %1").arg(path).toStdString());
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    TsvTable table;
    table.name = QFileInfo(path).completeBaseName();
    bool haveHeader = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        const int lineNumber = i + 1;
        if (!haveHeader) {
            for (const QString &cell : cells) {
                const ColumnSpec spec = parseHeaderCell(cell, path, lineNumber);
                if (table.columnIndex(spec.name) >= 0)
                    fail(path, lineNumber, QStringLiteral("column %1 twice").arg(spec.name));
                table.columns.append(spec);
            }
            haveHeader = true;
            continue;
        }
        if (cells.size() != table.columns.size())
            fail(path, lineNumber,
                 QStringLiteral("%1 cells, the header has %2")
                     .arg(cells.size())
                     .arg(table.columns.size()));
        QVariantList row;
        for (int c = 0; c < cells.size(); ++c)
            row.append(parseCell(cells.at(c), table.columns.at(c), path, lineNumber));
        table.rows.append(row);
    }
    if (!haveHeader)
        fail(path, lines.size(), QStringLiteral("no header line"));
    return table;
}
