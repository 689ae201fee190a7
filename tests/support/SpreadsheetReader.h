#pragma once

// Reads back what the report export wrote, without the writer's help: the
// .xlsx through the system's unzip and the sheets' XML, the .csv by its
// quoting rules, a PDF's page count through pdfinfo.

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>

namespace testsupport {

struct XlsxCell
{
    QString text; // the string, or the number as written
    bool number = false;
    QString formatCode; // "General" when the cell has no number format
};

class XlsxReader
{
public:
    // False when the file is not a zip archive holding a workbook.
    bool open(const QString &path);

    QStringList sheetNames() const { return m_sheetNames; }

    // The cells of sheet `number` (from 1) by reference ("B4").
    QMap<QString, XlsxCell> cells(int number) const;

private:
    QByteArray part(const QString &name) const;
    void readSharedStrings();
    void readStyles();

    QString m_path;
    QStringList m_sheetNames;
    QStringList m_strings;
    QHash<int, QString> m_cellFormats;
};

// The rows of a CSV file (RFC 4180 quoting, fields between `separator`s);
// `bom` tells whether it starts
// with the UTF-8 byte order mark.
QList<QStringList> readCsv(const QString &path, bool *bom = nullptr, char separator = ',');

// The page count pdfinfo reads in a PDF; -1 when it cannot.
int pdfPageCount(const QString &path);

} // namespace testsupport
