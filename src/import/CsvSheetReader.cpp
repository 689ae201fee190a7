#include "import/CsvSheetReader.h"

#include <QStringDecoder>
#include <array>

namespace {
constexpr std::array<QChar, 3> kSeparators{QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};

QString decoded(const QByteArray &bytes, bool *binary)
{
    *binary = false;
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        QStringDecoder utf16(bytes.startsWith("\xff\xfe") ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE);
        return utf16.decode(bytes.mid(2));
    }
    if (bytes.contains('\0')) {
        *binary = true;
        return {};
    }
    const QByteArray body = bytes.startsWith("\xef\xbb\xbf") ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows.decode(body);
    return QString::fromLatin1(body);
}

QList<QString> logicalLines(const QString &text)
{
    // A quoted field may hold line breaks: lines end only outside quotes.
    QList<QString> lines;
    QString line;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r'))) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            lines << line;
            line.clear();
            continue;
        }
        line += c;
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

std::array<int, 3> separatorCounts(const QString &line)
{
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        for (std::size_t s = 0; s < kSeparators.size(); ++s) {
            if (!quoted && c == kSeparators[s])
                ++counts[s];
        }
    }
    return counts;
}

QList<ImportCell> splitLine(const QString &line, QChar separator)
{
    QList<ImportCell> cells;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            cells << ImportCell{field, std::nullopt, false};
            field.clear();
        } else {
            field += c;
        }
    }
    cells << ImportCell{field, std::nullopt, false};
    return cells;
}
} // namespace

ImportRead readCsvSheet(const QByteArray &bytes)
{
    ImportRead read;
    bool binary = false;
    const QString text = decoded(bytes, &binary);
    if (binary) {
        read.fault = ImportFault::NotSpreadsheet;
        return read;
    }
    const QList<QString> lines = logicalLines(text);

    // The separator is the one that splits the lines; lines split by one
    // separator only, some by one and some by another, are a file put
    // together from two sources, and which figure sits in which field would
    // be a guess.
    std::array<int, 3> alone{};
    std::array<int, 3> present{};
    for (const QString &line : lines) {
        const std::array<int, 3> counts = separatorCounts(line);
        int kinds = 0;
        for (std::size_t s = 0; s < counts.size(); ++s) {
            if (counts[s] > 0) {
                ++kinds;
                ++present[s];
            }
        }
        for (std::size_t s = 0; s < counts.size() && kinds == 1; ++s) {
            if (counts[s] > 0)
                ++alone[s];
        }
    }
    int splittingAlone = 0;
    for (const int count : alone)
        splittingAlone += count >= 2 ? 1 : 0;
    if (splittingAlone > 1) {
        read.fault = ImportFault::MixedSeparators;
        return read;
    }
    // The separator standing alone on lines; else the one on most lines,
    // a tab or a semicolon before a comma, which also appears in amounts.
    std::size_t chosen = 0;
    for (const std::size_t s : {std::size_t(2), std::size_t(1), std::size_t(0)}) {
        if (alone[s] >= 2)
            chosen = s;
    }
    if (alone[chosen] < 2) {
        chosen = 2;
        for (const std::size_t s : {std::size_t(1), std::size_t(0)}) {
            if (present[s] > present[chosen])
                chosen = s;
        }
    }
    const QChar separator = kSeparators[chosen];
    ImportTable table;
    table.comma = separator == QLatin1Char(';') ? DecimalComma::Always : DecimalComma::WhenUnclear;

    bool anyCell = false;
    for (const QString &line : lines) {
        QList<ImportCell> cells = splitLine(line, separator);
        for (const ImportCell &cell : std::as_const(cells))
            anyCell = anyCell || !cell.isEmpty();
        table.rows << cells;
    }
    if (!anyCell)
        read.fault = ImportFault::Empty;
    read.sheets << table;
    return read;
}
