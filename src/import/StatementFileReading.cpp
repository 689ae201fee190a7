#include "import/StatementFile.h"

#include "import/CsvSheetReader.h"
#include "import/XlsxSheetReader.h"

#include <QFile>

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

} // namespace

StatementFile readStatementFile(const QString &path, const ImportOptions &options)
{
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        StatementFile unreadable;
        unreadable.fault = ImportFault::CannotOpen;
        return unreadable;
    }
    const QByteArray head = input.peek(8);
    ImportRead read;
    if (head.startsWith(kZipMagic)) {
        input.close();
        read = readXlsxSheet(path);
    } else if (head.startsWith(kCompoundMagic)) {
        read.fault = isEncryptedWorkbook(input.read(kLargestText)) ? ImportFault::PasswordProtected
                                                                  : ImportFault::NotSpreadsheet;
    } else if (input.size() > kLargestText) {
        read.fault = ImportFault::NotSpreadsheet;
    } else {
        read = readCsvSheet(input.readAll());
    }
    if (read.fault != ImportFault::None) {
        StatementFile faulty;
        faulty.fault = read.fault;
        faulty.faultPlaces = read.faultPlaces;
        return faulty;
    }
    StatementFile file = layOutStatement(read.sheets.value(0), options);
    for (const ImportTable &sheet : std::as_const(read.sheets))
        file.sheetNames << sheet.sheetName;
    return file;
}

