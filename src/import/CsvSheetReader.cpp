#include "import/CsvSheetReader.h"

#include "import/SheetCells.h"

#include <QStringDecoder>
#include <array>

namespace {
constexpr std::array<QChar, 3> kSeparators{QLatin1Char(','), QLatin1Char(';'), QLatin1Char('\t')};

// How much a decoding of bytes that are not UTF-8 reads as words: its
// characters beyond ASCII that are letters, an upper-case one only where no
// lower-case letter precedes it. Read with the wrong one of Windows-1252 and
// Mac Roman, "é" becomes "Ž" or "È" in the middle of a word, and "ô" "™".
int lettersScore(const QString &text)
{
    int score = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80 || !c.isLetter())
            continue;
        if (c.isLower() || i == 0 || !text[i - 1].isLower())
            ++score;
    }
    return score;
}

// Bytes that are not UTF-8: Windows-1252 as Excel writes it on Windows, or
// Mac Roman as old Mac Excel wrote it, with CR alone ending its lines.
QString legacyDecoded(const QByteArray &bytes)
{
    QStringDecoder windows("windows-1252");
    const QString asWindows =
        windows.isValid() ? windows.decode(bytes) : QString::fromLatin1(bytes);
    QStringDecoder mac("macintosh");
    if (!mac.isValid())
        return asWindows;
    const QString asMac = mac.decode(bytes);
    const int windowsScore = lettersScore(asWindows);
    const int macScore = lettersScore(asMac);
    const bool crOnly = bytes.contains('\r') && !bytes.contains('\n');
    return macScore > windowsScore || (macScore == windowsScore && crOnly) ? asMac : asWindows;
}

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
    return legacyDecoded(body);
}

// Calls visit(line, lineNumber) for each line of `text`, the number (from 1)
// being that of the line where it starts: a quoted field may hold line breaks,
// and lines end only outside quotes. The lines are never held all at once:
// a text of blank lines costs nothing.
template <typename Visit> void forEachLine(QStringView text, Visit visit)
{
    bool quoted = false;
    qsizetype start = 0;
    int lineNumber = 1;
    int startNumber = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        if (!quoted)
            visit(text.mid(start, i - start), startNumber);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        ++lineNumber;
        if (!quoted) {
            start = i + 1;
            startNumber = lineNumber;
        }
    }
    if (start < text.size())
        visit(text.mid(start), startNumber);
}

std::array<int, 3> separatorCounts(QStringView line)
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

// Calls field(index, text) for each field of `line`; returns how many it has.
template <typename Field> int splitLine(QStringView line, QChar separator, Field field)
{
    QString text;
    int index = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            if (quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                text += c;
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == separator && !quoted) {
            field(index++, text);
            text.clear();
        } else {
            text += c;
        }
    }
    field(index++, text);
    return index;
}

// Whether a line the file's separator leaves whole splits, by another
// separator, into a label and amounts: a line from another source, whose
// amounts would otherwise be lost. A title holding a comma does not
// ("Balance sheet, December 31, 2006").
bool splitsOtherwise(QStringView line, QChar separator, DecimalComma comma)
{
    const std::array<int, 3> counts = separatorCounts(line);
    for (std::size_t s = 0; s < kSeparators.size(); ++s) {
        if (kSeparators[s] == separator || counts[s] == 0)
            continue;
        int amounts = 0;
        bool words = false;
        splitLine(line, kSeparators[s], [&](int index, const QString &text) {
            if (index == 0 || text.trimmed().isEmpty())
                return;
            if (parseImportAmount(text, comma))
                ++amounts;
            else
                words = true;
        });
        if (amounts > 0 && !words)
            return true;
    }
    return false;
}
} // namespace

ImportRead readCsvSheet(const QByteArray &bytes)
{
    bool binary = false;
    const QString text = decoded(bytes, &binary);
    if (binary)
        return importFault(ImportFault::NotSpreadsheet);

    // The separator is the one that splits the lines; lines split by one
    // separator only, some by one and some by another, are a file put
    // together from two sources, and which figure sits in which field would
    // be a guess.
    std::array<int, 3> alone{};
    std::array<int, 3> present{};
    forEachLine(text, [&](QStringView line, int) {
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
    });
    int splittingAlone = 0;
    for (const int count : alone)
        splittingAlone += count >= 2 ? 1 : 0;
    if (splittingAlone > 1)
        return importFault(ImportFault::MixedSeparators);
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

    // Rows are numbered as a spreadsheet opening the file numbers them;
    // a ragged line by the line it starts on, as an editor shows it.
    SheetCells cells;
    QStringList ragged;
    int splitLines = 0;
    int row = 0;
    bool tooMany = false;
    forEachLine(text, [&](QStringView line, int lineNumber) {
        const int fields = splitLine(line, separator, [&](int column, const QString &field) {
            ImportCell cell{field, std::nullopt, false};
            if (!cell.isEmpty() && !tooMany) {
                cells.insert_or_assign(SheetPosition{row, column}, cell);
                tooMany = qsizetype(cells.size()) > kLargestCellCount;
            }
        });
        if (fields > 1)
            ++splitLines;
        else if (ragged.size() < kPlacesListed && splitsOtherwise(line, separator, table.comma))
            ragged << QString::number(lineNumber);
        ++row;
    });
    if (tooMany)
        return tooLarge(kLargestCellCount, true);
    // Lines with fewer fields than others are as spreadsheets write them;
    // a line whole where the others split is not.
    if (splitLines >= 2 && !ragged.isEmpty())
        return importFault(ImportFault::RaggedCsvRow, ragged);

    ImportRead read = compactSheet(cells, HiddenLines(), HiddenLines(), table);
    if (read.fault != ImportFault::None)
        return read;
    if (table.rows.isEmpty())
        read.fault = ImportFault::Empty;
    read.sheets << table;
    return read;
}
