#include "import/StatementFile.h"

#include "import/CsvSheetReader.h"
#include "import/OdsSheetReader.h"
#include "import/XlsxSheetReader.h"

#include <QFile>
#include <algorithm>

namespace {
// A comma-separated statement is a few kilobytes; a larger file is no statement.
constexpr qint64 kLargestText = 16 * 1024 * 1024;

const QByteArray kZipMagic("PK\x03\x04", 4);
const QByteArray kCompoundMagic("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8);

// An encrypted Office workbook is a compound file holding an
// "EncryptedPackage" stream (its name is written in UTF-16).
bool isEncryptedWorkbook(const QByteArray &bytes)
{
    static const QByteArray streamName = [] {
        QByteArray name;
        for (const char c : QByteArrayLiteral("EncryptedPackage"))
            name.append(c).append('\0');
        return name;
    }();
    return bytes.contains(streamName);
}

StatementFile faultyFile(ImportFault fault, const QStringList &places,
                         const QStringList &sheetNames = {})
{
    StatementFile faulty;
    faulty.fault = fault;
    faulty.faultPlaces = places;
    faulty.sheetNames = sheetNames;
    return faulty;
}

// The sheet named by the options, or the one that holds the statement: the
// most rows naming items. Two sheets as full as each other are not chosen
// between: which one is the statement is the user's to say.
StatementFile chosenSheet(const ImportRead &read, const ImportOptions &options)
{
    QStringList names;
    for (const ImportTable &sheet : read.sheets)
        names << sheet.sheetName;
    // A CSV has one table and no sheets to name.
    const bool workbook = !(read.sheets.size() == 1 && read.sheets.first().sheetName.isEmpty());
    if (!workbook)
        names.clear();
    if (!options.sheet.trimmed().isEmpty() && workbook) {
        for (const ImportTable &sheet : read.sheets) {
            if (sheet.sheetName.trimmed().compare(options.sheet.trimmed(), Qt::CaseInsensitive) ==
                0) {
                StatementFile file = layOutStatement(sheet, options);
                file.sheetNames = names;
                return file;
            }
        }
        return faultyFile(ImportFault::UnknownSheet, names, names);
    }
    QList<StatementFile> layouts;
    qsizetype most = 0;
    for (const ImportTable &sheet : read.sheets) {
        layouts << layOutStatement(sheet, options);
        most = std::max(most, layouts.last().itemRows.size());
    }
    if (layouts.isEmpty())
        return faultyFile(ImportFault::Empty, {}, names);
    QStringList fullest;
    int chosen = 0;
    for (int i = 0; i < layouts.size() && most > 0; ++i) {
        if (layouts[i].itemRows.size() == most) {
            if (fullest.isEmpty())
                chosen = i;
            fullest << names.value(i);
        }
    }
    if (fullest.size() > 1)
        return faultyFile(ImportFault::SheetNotChosen, fullest, names);
    // Without items anywhere, the first sheet's layout says why.
    StatementFile file = layouts[chosen];
    file.sheetNames = names;
    return file;
}
} // namespace

StatementFile readStatementFile(const QString &path, const ImportOptions &options)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return faultyFile(ImportFault::CannotOpen, {});
    const QByteArray head = input.peek(8);
    ImportRead read;
    if (head.startsWith(kZipMagic)) {
        input.close();
        read = isOpenDocumentSpreadsheet(path) ? readOdsWorkbook(path) : readXlsxWorkbook(path);
    } else if (head.startsWith(kCompoundMagic)) {
        read.fault = isEncryptedWorkbook(input.read(kLargestText)) ? ImportFault::PasswordProtected
                                                                   : ImportFault::NotSpreadsheet;
    } else if (input.size() > kLargestText) {
        read.fault = ImportFault::NotSpreadsheet;
    } else {
        read = readCsvSheet(input.readAll());
    }
    if (read.fault != ImportFault::None)
        return faultyFile(read.fault, read.faultPlaces);
    return chosenSheet(read, options);
}
