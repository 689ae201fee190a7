#pragma once

// Workbooks written part by part, as the suites need them: a zip container of
// the parts given, the parts of an Excel workbook (.xlsx) from its sheets'
// rows, and the content of an OpenDocument spreadsheet (.ods). Nothing is
// checked or filled in: a suite writes exactly the file it means to read.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace testsupport {

using ZipParts = QList<std::pair<QByteArray, QByteArray>>; // name, bytes

// A zip container at `path` holding `parts` in order; false when it could not
// be written.
bool writeZip(const QString &path, const ZipParts &parts);

// --- Excel workbooks ---------------------------------------------------------

struct XlsxSheet
{
    QString name;
    QByteArray data;         // the rows of <sheetData>
    QByteArray columns = {}; // the <col> elements
    bool hidden = false;
};

// The workbook, its relationships and one worksheet part a sheet, in order.
ZipParts xlsxParts(const QList<XlsxSheet> &sheets);

// A <row> numbered `number` (from 1) holding `cells`.
QByteArray xlsxRow(int number, const QByteArray &cells, const char *attributes = "");
// A cell holding an inline string.
QByteArray xlsxText(const char *cell, const char *value);
QByteArray xlsxNumber(const char *cell, double value);
// A formula, with its saved result when one is given.
QByteArray xlsxFormula(const char *cell, const char *formula, const char *saved = nullptr);

// --- OpenDocument spreadsheets ----------------------------------------------

// content.xml holding `tables`, with `styles` as its automatic styles.
QByteArray odsContent(const QByteArray &tables, const QByteArray &styles = {});
// The mimetype entry, the content and, when given, the manifest.
ZipParts odsParts(const QByteArray &content, const QByteArray &manifest = {});
QByteArray odsTable(const char *name, const QByteArray &body);
QByteArray odsRow(const QByteArray &cells, const char *attributes = "");
QByteArray odsText(const QByteArray &paragraph, const char *attributes = "");
QByteArray odsNumber(double value, const char *attributes = "");
// `repeat` empty cells.
QByteArray odsEmpty(qint64 repeat);

} // namespace testsupport
