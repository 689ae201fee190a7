// The sheet readers on files written here part by part: workbooks whose cells
// lie far apart or beyond the sheet, hidden rows and columns, formulas saved
// without their result, several sheets, OpenDocument spreadsheets, and CSV
// files that split unevenly or come from an old Mac.
#include "import/CsvSheetReader.h"
#include "import/FormulaEvaluator.h"
#include "import/OdsSheetReader.h"
#include "import/StatementFile.h"
#include "import/XlsxSheetReader.h"
#include "support/LogicTestSupport.h"
#include "support/ZipWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
using namespace testsupport;

// --- What a table holds -----------------------------------------------------

// "[2] A1=Cash B1=1500 | [2] A3=Ar B3=20": each row with its width, then its
// cells named by the file's own row and column; "date:" marks a date.
QString dump(const ImportTable &table)
{
    QStringList rows;
    for (qsizetype r = 0; r < table.rows.size(); ++r) {
        QStringList cells{QStringLiteral("[%1]").arg(table.rows[r].size())};
        for (qsizetype c = 0; c < table.rows[r].size(); ++c) {
            const ImportCell &cell = table.rows[r][c];
            if (cell.isEmpty())
                continue;
            const QString value =
                cell.number && !cell.date ? QString::number(*cell.number, 'g', 15) : cell.text;
            cells << cellName(table.rowNumber(int(r)) - 1, table.columnNumber(int(c))) +
                         QLatin1Char('=') + (cell.date ? QStringLiteral("date:") : QString()) +
                         value;
        }
        rows << cells.join(QLatin1Char(' '));
    }
    return rows.join(QStringLiteral(" | "));
}

// Every sheet: "Name: rows (hidden rows/columns)".
QString dump(const ImportRead &read)
{
    QStringList sheets;
    for (const ImportTable &table : read.sheets) {
        QString sheet = dump(table);
        if (table.hiddenRows || table.hiddenColumns)
            sheet +=
                QStringLiteral(" (hidden %1/%2)").arg(table.hiddenRows).arg(table.hiddenColumns);
        sheets << (table.sheetName.isEmpty() ? sheet
                                             : table.sheetName + QStringLiteral(": ") + sheet);
    }
    return sheets.join(QStringLiteral(" // "));
}

// The most memory the process has held so far, in kilobytes.
qint64 peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression peak(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
    return peak.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

// A statement on one sheet: the items' names under an Amount heading.
QByteArray statementRows(int items)
{
    static const char *const names[] = {"Cash", "Accounts receivable", "Inventory"};
    QByteArray rows = xlsxRow(1, xlsxText("A1", "Item") + xlsxText("B1", "Amount"));
    for (int i = 0; i < items; ++i) {
        const QByteArray a = "A" + QByteArray::number(i + 2);
        const QByteArray b = "B" + QByteArray::number(i + 2);
        rows += xlsxRow(i + 2, xlsxText(a.constData(), names[i]) +
                                   xlsxNumber(b.constData(), 100 * (i + 1)));
    }
    return rows;
}
// The sheets of the statement tests: "Bilan=3" a statement of three items,
// "Notes=0" a sheet of notes.
QList<XlsxSheet> statementSheets(const QStringList &sheets)
{
    QList<XlsxSheet> list;
    for (const QString &sheet : sheets) {
        const int items = sheet.section(QLatin1Char('='), 1).toInt();
        list << XlsxSheet{sheet.section(QLatin1Char('='), 0, 0),
                          items > 0 ? statementRows(items)
                                    : xlsxRow(1, xlsxText("A1", "Prepared by"))};
    }
    return list;
}

QByteArray odsStatement(const QStringList &sheets)
{
    static const char *const names[] = {"Cash", "Accounts receivable", "Inventory"};
    QByteArray tables;
    for (const QString &sheet : sheets) {
        const int items = sheet.section(QLatin1Char('='), 1).toInt();
        QByteArray rows = odsRow(odsText(items > 0 ? "Item" : "Prepared by") +
                                 (items > 0 ? odsText("Amount") : QByteArray()));
        for (int i = 0; i < items; ++i)
            rows += odsRow(odsText(names[i]) + odsNumber(100 * (i + 1)));
        tables += odsTable(sheet.section(QLatin1Char('='), 0, 0).toUtf8().constData(), rows);
    }
    return odsContent(tables);
}
} // namespace

Q_DECLARE_METATYPE(ImportFault)
Q_DECLARE_METATYPE(ZipParts)
Q_DECLARE_METATYPE(QList<XlsxSheet>)

class tst_SheetReaders : public QObject
{
    Q_OBJECT

private slots:
    void formulas_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("cells");    // "B8=100 A1=Cash B3==B1*2"
        QTest::addColumn<QString>("expected"); // empty: cannot be worked out

        const auto row = [](const char *tag, const char *formula, const char *cells,
                            const char *expected) {
            QTest::newRow(tag) << QString::fromLatin1(formula) << QString::fromLatin1(cells)
                               << QString::fromLatin1(expected);
        };
        row("constants", "=95000+25000", "", "120000");
        row("without its =", "95000-25000", "", "70000");
        row("products before sums", "=2+3*4-6/3", "", "12");
        row("parentheses and signs", "=-(2+3)*-2 + +1", "", "11");
        row("cells added and subtracted", "=B8+B9-B10", "B8=100 B9=20 B10=5", "115");
        row("lower case and $", "=b8+$B$9", "B8=100 B9=20", "120");
        row("an empty cell is 0", "=B8+Z99", "B8=100", "100");
        row("SUM of a range, text left out", "=SUM(B1:B7)",
            "B1=Amount B2=1 B3=2 B5=4 B7=8 B8=1000 C2=500", "15");
        row("SUM of cells and ranges", "=sum(B2,B4,C1:C3)", "B2=1 B4=2 C1=10 C3=30 C4=99", "43");
        row("SUM of expressions, nested", "=SUM(B2*2, 1, SUM(B2:B3))", "B2=5 B3=7", "23");
        row("SUM of most of the sheet", "=SUM(A1:XFD500)", "A1=1 XFD500=2 XFD1048576=4", "3");
        row("formulas of formulas", "=B3-B1", "B1=10 B2==B1*2 B3==(B2+B1)/3", "0");
        row("a reversed range", "=SUM(B3:B1)", "B1=1 B2=2 B3=3", "6");
        row("text in arithmetic", "=A1+1", "A1=Cash", "");
        row("a formula that cannot be worked out", "=B2+1", "B2==NOW()", "");
        row("another function", "=VLOOKUP(A1,B1:C3,2,FALSE)", "A1=1", "");
        row("another sheet", "=Sheet2!B1+1", "B1=1", "");
        row("a quoted sheet", "='My sheet'!B1", "", "");
        row("a range outside SUM", "=B1:B3", "B1=1", "");
        row("a defined name", "=Revenue*2", "", "");
        row("text", "=\"100\"", "", "");
        row("a percentage", "=10%", "", "");
        row("a power", "=2^3", "", "");
        row("a division by zero", "=B1/B2", "B1=1", "");
        row("incomplete", "=1+", "", "");
        row("unbalanced", "=(1+2", "", "");
        row("a cycle", "=B1", "B1==B2+1 B2==B1+1", "");
        row("itself", "=B1+1", "B1==B1+1", "");
        row("beyond the sheet", "=A1048577+1", "", "");
    }

    void formulas()
    {
        QFETCH(QString, formula);
        QFETCH(QString, cells);
        FormulaCells sheet;
        for (const QString &cell : cells.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const qsizetype equals = cell.indexOf(QLatin1Char('='));
            const QString name = cell.left(equals);
            const QString content = cell.mid(equals + 1);
            QRegularExpressionMatch place =
                QRegularExpression(QStringLiteral("^([A-Z]+)([0-9]+)$")).match(name);
            QVERIFY2(place.hasMatch(), qPrintable(name));
            int column = 0;
            for (const QChar letter : place.captured(1))
                column = column * 26 + (letter.unicode() - 'A' + 1);
            const SheetPosition at{place.captured(2).toInt() - 1, column - 1};
            bool isNumber = false;
            const double value = content.toDouble(&isNumber);
            if (content.startsWith(QLatin1Char('=')))
                sheet[at] = FormulaCell{FormulaCell::Kind::Formula, 0, content};
            else if (isNumber)
                sheet[at] = FormulaCell{FormulaCell::Kind::Number, value, {}};
            else
                sheet[at] = FormulaCell{};
        }
        // The formula under test sits where no other cell is.
        const SheetPosition at{500, 500};
        sheet[at] = FormulaCell{FormulaCell::Kind::Formula, 0, formula};
        const std::optional<double> result = FormulaEvaluator(sheet).value(at);
        QTEST(result ? QString::number(*result, 'g', 15) : QString(), "expected");
    }

    void formulaNestedTooDeeply()
    {
        FormulaCells sheet;
        sheet[SheetPosition{0, 0}] =
            FormulaCell{FormulaCell::Kind::Formula, 0,
                        QString(100000, QLatin1Char('(')) + QLatin1Char('1') +
                            QString(100000, QLatin1Char(')'))};
        // A chain of cells each referring to the next, deeper than any sheet's.
        for (int r = 1; r <= 5000; ++r)
            sheet[SheetPosition{r, 1}] =
                FormulaCell{FormulaCell::Kind::Formula, 0, QStringLiteral("B%1+1").arg(r + 2)};
        FormulaEvaluator evaluator(sheet);
        QVERIFY(!evaluator.value(SheetPosition{0, 0}));
        QVERIFY(!evaluator.value(SheetPosition{1, 1}));
        // The end of the chain is worked out, after its start failed.
        QCOMPARE(evaluator.value(SheetPosition{4995, 1}).value_or(-1), 6.0);
    }

    void formulaTexts_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("expected"); // "-": leaves the sheet

        QTest::newRow("relative moves") << "A1*B1" << 1 << 0 << "A2*B2";
        QTest::newRow("$ stays") << "$A$1+A$1+$A1" << 2 << 1 << "$A$1+B$1+$A3";
        QTest::newRow("range and function")
            << "SUM(B2:B7)+LOG10(A1)" << 0 << 1 << "SUM(C2:C7)+LOG10(B1)";
        QTest::newRow("text untouched") << "\"A1\"&A1" << 1 << 0 << "\"A1\"&A2";
        QTest::newRow("off the sheet") << "A1+1" << -1 << 0 << "-";
        QTest::newRow("beyond the last column") << "XFD1" << 0 << 1 << "-";
    }

    void formulaTexts()
    {
        QFETCH(QString, formula);
        QFETCH(int, rows);
        QFETCH(int, columns);
        QTEST(shiftedFormula(formula, rows, columns).value_or(QStringLiteral("-")), "expected");
    }

    void openFormulas_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");

        QTest::newRow("cells") << "of:=[.B8]+[.$B$9]"
                               << "=B8+$B$9";
        QTest::newRow("range and ;") << "of:=SUM([.B2:.B7];[.C1])"
                                     << "=SUM(B2:B7,C1)";
        QTest::newRow("another sheet left") << "of:=[$Sheet2.B1]"
                                            << "=[$Sheet2.B1]";
    }

    void openFormulas()
    {
        QFETCH(QString, formula);
        QTEST(fromOpenFormula(formula), "expected");
    }

    void xlsxSheets_data()
    {
        QTest::addColumn<QList<XlsxSheet>>("sheets");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QString>("cells");

        const auto one = [](const QByteArray &data, const QByteArray &columns = {}) {
            return QList<XlsxSheet>{XlsxSheet{QStringLiteral("Sheet1"), data, columns}};
        };
        const ImportFault none = ImportFault::None;

        QTest::newRow("rows and columns compacted")
            << one(xlsxRow(1, xlsxText("A1", "Cash") + xlsxNumber("C1", 10)) +
                   xlsxRow(5, xlsxText("A5", "Ar") + xlsxNumber("D5", 20)))
            << none << QStringList() << "Sheet1: [2] A1=Cash C1=10 | [3] A5=Ar D5=20";
        QTest::newRow("the sheet's last cell")
            << one(xlsxRow(1, xlsxText("A1", "Cash")) +
                   xlsxRow(1048576, xlsxNumber("XFD1048576", 5)))
            << none << QStringList() << "Sheet1: [1] A1=Cash | [2] XFD1048576=5";
        QTest::newRow("cells without references")
            << one("<row><c t=\"inlineStr\"><is><t>Cash</t></is></c><c><v>7</v></c></row>"
                   "<row/><row><c><v>8</v></c></row>")
            << none << QStringList() << "Sheet1: [2] A1=Cash B1=7 | [1] A3=8";
        QTest::newRow("row beyond the sheet")
            << one(xlsxRow(2000000000, xlsxNumber("A2000000000", 1)))
            << ImportFault::BeyondSheetLimits << QStringList{"A2000000000"} << "";
        QTest::newRow("row beyond, cells unnamed")
            << one("<row r=\"1048577\"><c><v>1</v></c></row>") << ImportFault::BeyondSheetLimits
            << QStringList{"A1048577"} << "";
        QTest::newRow("column beyond the sheet")
            << one(xlsxRow(1, xlsxText("A1", "Cash") + xlsxNumber("ZZZZZZ1", 1)))
            << ImportFault::BeyondSheetLimits << QStringList{"ZZZZZZ1"} << "";
        QTest::newRow("column XFE") << one(xlsxRow(3, xlsxNumber("XFE3", 1)))
                                    << ImportFault::BeyondSheetLimits << QStringList{"XFE3"} << "";
        QTest::newRow("hidden column left out and counted")
            << one(xlsxRow(1,
                           xlsxText("A1", "Cash") + xlsxNumber("B1", 999) + xlsxNumber("C1", 100)),
                   "<col min=\"2\" max=\"2\" hidden=\"true\"/><col min=\"5\" max=\"16384\" "
                   "hidden=\"1\"/>")
            << none << QStringList() << "Sheet1: [2] A1=Cash C1=100 (hidden 0/1)";
        QTest::newRow("formula's saved result taken")
            << one(xlsxRow(1, xlsxFormula("A1", "1+1", "5"))) << none << QStringList()
            << "Sheet1: [1] A1=5";
        QTest::newRow("cells without a result")
            << one(xlsxRow(8, xlsxNumber("B8", 100)) + xlsxRow(9, xlsxNumber("B9", 20)) +
                   xlsxRow(10, xlsxNumber("B10", 5)) + xlsxRow(11, xlsxFormula("B11", "B8+B9-B10")))
            << none << QStringList() << "Sheet1: [1] B8=100 | [1] B9=20 | [1] B10=5 | [1] B11=115";
        QTest::newRow("SUM without a result, over a hidden row")
            << one(xlsxRow(2, xlsxNumber("B2", 1)) +
                   xlsxRow(3, xlsxNumber("B3", 2), "hidden=\"1\"") +
                   xlsxRow(7, xlsxNumber("B7", 4)) + xlsxRow(8, xlsxFormula("B8", "SUM(B2:B7)")))
            << none << QStringList() << "Sheet1: [1] B2=1 | [1] B7=4 | [1] B8=7 (hidden 1/0)";
        QTest::newRow("shared formula without results")
            << one(xlsxRow(1,
                           xlsxNumber("A1", 2) + xlsxNumber("B1", 3) +
                               "<c r=\"C1\"><f t=\"shared\" ref=\"C1:C2\" si=\"0\">A1*B1</f></c>") +
                   xlsxRow(2, xlsxNumber("A2", 4) + xlsxNumber("B2", 5) +
                                  "<c r=\"C2\"><f t=\"shared\" si=\"0\"/></c>"))
            << none << QStringList() << "Sheet1: [3] A1=2 B1=3 C1=6 | [3] A2=4 B2=5 C2=20";
        QTest::newRow("VLOOKUP without a result")
            << one(xlsxRow(2, xlsxText("A2", "Cash") +
                                  xlsxFormula("B2", "VLOOKUP(A2,D1:E9,2,FALSE)")) +
                   xlsxRow(3, xlsxFormula("B3", "B2+1")) +
                   xlsxRow(4, xlsxFormula("B4", "NOW()"), "hidden=\"1\""))
            << ImportFault::FormulaWithoutValue << QStringList{"B2", "B3"} << "";
        QTest::newRow("cells named with their sheet among several")
            << QList<XlsxSheet>{XlsxSheet{"Notes", xlsxRow(1, xlsxText("A1", "Draft"))},
                                XlsxSheet{"Balance sheet",
                                          xlsxRow(4, xlsxFormula("B4", "Notes!A1*2"))}}
            << ImportFault::FormulaWithoutValue << QStringList{"'Balance sheet'!B4"} << "";
        QTest::newRow("several sheets in order, hidden one left out")
            << QList<XlsxSheet>{XlsxSheet{"2006", xlsxRow(1, xlsxNumber("A1", 1))},
                                XlsxSheet{"Draft", xlsxRow(1, xlsxNumber("A1", 2)), {}, true},
                                XlsxSheet{"2005", xlsxRow(2, xlsxNumber("B2", 3))}}
            << none << QStringList() << "2006: [1] A1=1 // 2005: [1] B2=3";
        QTest::newRow("nothing shown")
            << one(xlsxRow(1, xlsxText("A1", "Cash"), "hidden=\"1\"")) << ImportFault::Empty
            << QStringList() << "Sheet1:  (hidden 1/0)";
        // Cells on a diagonal make every row as wide as the columns before.
        QByteArray diagonal;
        for (int i = 0; i < 1500; ++i)
            diagonal += xlsxRow(i + 1, xlsxNumber(qPrintable(cellName(SheetPosition{i, i})), 1));
        QTest::newRow("cells far apart on many rows")
            << one(diagonal) << ImportFault::TooLarge << QStringList{"1000000", "cells"} << "";
    }

    void xlsxSheets()
    {
        QFETCH(QList<XlsxSheet>, sheets);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        QVERIFY(writeZip(path, xlsxParts(sheets)));
        const ImportRead read = readXlsxWorkbook(path);
        QTEST(read.fault, "fault");
        QTEST(read.faultPlaces, "places");
        if (read.fault == ImportFault::None || read.fault == ImportFault::Empty)
            QTEST(dump(read), "cells");
    }

    void odsSheets_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("manifest");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QString>("cells");

        const ImportFault none = ImportFault::None;
        // As LibreOffice writes a sheet: the columns and rows left to the
        // sheet's end repeated, empty.
        const QByteArray columnsToTheEnd =
            "<table:table-column/><table:table-column table:visibility=\"collapse\"/>"
            "<table:table-column table:number-columns-repeated=\"16382\"/>";
        const QByteArray rowsToTheEnd =
            odsRow(odsEmpty(16384), "table:number-rows-repeated=\"1048000\"");
        QTest::newRow("repeated, hidden, dates and texts")
            << odsContent(odsTable(
                   "Bilan",
                   columnsToTheEnd +
                       odsRow(odsText("Entreprise") + odsText("Draft") +
                              odsText("Côté <text:s text:c=\"2\"/>&amp; <text:span>Fils</text:span>"
                                      "<office:annotation><text:p>note</text:p>"
                                      "</office:annotation>")) +
                       odsRow(odsText("Date") + odsEmpty(1) +
                              "<table:table-cell office:value-type=\"date\" "
                              "office:date-value=\"2006-12-31T00:00:00\"><text:p>Dec 31"
                              "</text:p></table:table-cell>") +
                       odsRow(odsEmpty(16384), "table:number-rows-repeated=\"3\"") +
                       odsRow(odsText("Encaisse") + odsEmpty(1) + odsNumber(1500)) +
                       odsRow(odsText("Brouillon") + odsEmpty(1) + odsNumber(999),
                              "table:visibility=\"collapse\"") +
                       odsRow(odsText("Stocks") + odsEmpty(1) +
                              odsNumber(7, "table:number-columns-repeated=\"2\"") +
                              odsEmpty(16000)) +
                       odsRow(odsText("Répété") + odsEmpty(1) + odsNumber(1),
                              "table:number-rows-repeated=\"2\"") +
                       "<table:table-row><table:covered-table-cell "
                       "table:number-columns-repeated=\"3\"/><table:table-cell "
                       "office:value-type=\"percentage\" office:value=\"0.25\"><text:p>25 %"
                       "</text:p></table:table-cell></table:table-row>" +
                       rowsToTheEnd))
            << QByteArray() << none << QStringList()
            << "Bilan: [2] A1=Entreprise C1=Côté   & Fils | [2] A2=Date C2=date:2006-12-31 | "
               "[2] A6=Encaisse C6=1500 | [3] A8=Stocks C8=7 D8=7 | [2] A9=Répété C9=1 | "
               "[2] A10=Répété C10=1 | [3] D11=0.25 (hidden 1/1)";
        QTest::newRow("sheets in order, hidden one left out")
            << odsContent(odsTable("2006", odsRow(odsNumber(1))) +
                              "<table:table table:name=\"Draft\" table:style-name=\"ta2\">" +
                              odsRow(odsNumber(2)) + "</table:table>" +
                              odsTable("2005", odsRow(odsEmpty(1) + odsNumber(3))),
                          "<style:style style:name=\"ta2\" style:family=\"table\">"
                          "<style:table-properties table:display=\"false\"/></style:style>")
            << QByteArray() << none << QStringList() << "2006: [1] A1=1 // 2005: [1] B1=3";
        QTest::newRow("a formula without a result")
            << odsContent(odsTable("Sheet1", odsRow(odsNumber(2) + odsNumber(3) +
                                                    "<table:table-cell table:formula=\"of:=[.A1]*"
                                                    "[.B1]+SUM([.A1:.B1])\"/>")))
            << QByteArray() << none << QStringList() << "Sheet1: [3] A1=2 B1=3 C1=11";
        QTest::newRow("a formula that cannot be worked out")
            << odsContent(
                   odsTable("Sheet1", odsRow(odsNumber(2) + "<table:table-cell "
                                                            "table:formula=\"of:=NOW()\"/>")))
            << QByteArray() << ImportFault::FormulaWithoutValue << QStringList{"B1"} << "";
        QTest::newRow("a value beyond the last column")
            << odsContent(odsTable("Sheet1", odsRow(odsEmpty(16384) + odsNumber(1))))
            << QByteArray() << ImportFault::BeyondSheetLimits << QStringList{"XFE1"} << "";
        QTest::newRow("a value beyond the last row")
            << odsContent(odsTable("Sheet1",
                                   rowsToTheEnd +
                                       odsRow(odsEmpty(1), "table:number-rows-repeated=\"576\"") +
                                       odsRow(odsNumber(1))))
            << QByteArray() << ImportFault::BeyondSheetLimits << QStringList{"A1048577"} << "";
        QTest::newRow("a filled row repeated to the sheet's end")
            << odsContent(odsTable("Sheet1", odsRow(odsNumber(1, "table:number-columns-repeated="
                                                                 "\"16384\""),
                                                    "table:number-rows-repeated=\"1048576\"")))
            << QByteArray() << ImportFault::TooLarge << QStringList{"1000000", "cells"} << "";
        QTest::newRow("encrypted")
            << QByteArray("encrypted bytes")
            << QByteArray("<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:"
                          "xmlns:manifest:1.0\"><manifest:file-entry manifest:full-path="
                          "\"content.xml\"><manifest:encryption-data/></manifest:file-entry>"
                          "</manifest:manifest>")
            << ImportFault::PasswordProtected << QStringList() << "";
        QTest::newRow("no spreadsheet in the content")
            << QByteArray("<office:document-content xmlns:office=\"urn:oasis:names:tc:"
                          "opendocument:xmlns:office:1.0\"><office:body><office:text/>"
                          "</office:body></office:document-content>")
            << QByteArray() << ImportFault::NotSpreadsheet << QStringList() << "";
    }

    void odsSheets()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, manifest);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.ods"));
        QVERIFY(writeZip(path, odsParts(content, manifest)));
        QVERIFY(isOpenDocumentSpreadsheet(path));
        const ImportRead read = readOdsWorkbook(path);
        QTEST(read.fault, "fault");
        QTEST(read.faultPlaces, "places");
        if (read.fault == ImportFault::None)
            QTEST(dump(read), "cells");
    }

    void csvSheets_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QString>("cells");

        const ImportFault none = ImportFault::None;
        const ImportFault ragged = ImportFault::RaggedCsvRow;
        QTest::newRow("the line where a quoted field's line break ends")
            << QByteArray("Item,Amount\n\"Cash\non hand\",1\nAr\t2\n") << ragged << QStringList{"4"}
            << "";
        QTest::newRow("fr:a line whole in a ; file")
            << QByteArray("Poste;Montant\nEncaisse;1 500,00\nStocks, 2 000\n") << ragged
            << QStringList{"3"} << "";
        QTest::newRow("fewer trailing fields")
            << QByteArray("Item,2006,2005\nCash,1\nBalance sheet\n") << none << QStringList()
            << "[3] A1=Item B1=2006 C1=2005 | [2] A2=Cash B2=1 | [1] A3=Balance sheet";
        QTest::newRow("fr:a title with a comma")
            << QByteArray("Bilan, 31 décembre 2006\nPoste;Montant\nEncaisse;1 500\n") << none
            << QStringList()
            << "[1] A1=Bilan, 31 décembre 2006 | [2] A2=Poste B2=Montant | [2] A3=Encaisse B3=1 "
               "500";
        QTest::newRow("blank lines and empty fields compacted")
            << QByteArray("\n\nCash,,5\n,,\n\nAr,,6\n") << none << QStringList()
            << "[2] A3=Cash C3=5 | [2] A6=Ar C6=6";
        QTest::newRow("a value after 10,000 empty fields")
            << QByteArray("Cash") + QByteArray(10000, ',') + "5\n"
            << none << QStringList() << "[2] A1=Cash NTQ1=5";
        QTest::newRow("fr:Mac Roman with CR LF")
            << QByteArray("Comptes cr\x8e"
                          "diteurs;300\r\nFa\x8d"
                          "ade;1\r\n")
            << none << QStringList() << "[2] A1=Comptes créditeurs B1=300 | [2] A2=Façade B2=1";
        QTest::newRow("fr:Windows-1252")
            << QByteArray("Cr\xe9"
                          "diteurs;300\r\nSoci\xe9t\xe9;1\r\n\xc0 payer;2\r\n")
            << none << QStringList()
            << "[2] A1=Créditeurs B1=300 | [2] A2=Société B2=1 | [2] A3=À payer B3=2";
    }

    void csvSheets()
    {
        QFETCH(QByteArray, bytes);
        const ImportRead read = readCsvSheet(bytes);
        QTEST(read.fault, "fault");
        QTEST(read.faultPlaces, "places");
        if (read.fault == ImportFault::None)
            QTEST(dump(read), "cells");
    }

    // The sheet that holds the statement, or the one named.
    void statementSheet_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("sheets"); // "name=items"
        QTest::addColumn<QString>("option");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QString>("chosen");

        const QStringList none;
        QTest::newRow("the sheet with most items")
            << "xlsx" << QStringList{"Summary=2", "Bilan=3"} << QString() << ImportFault::None
            << none << "Bilan";
        QTest::newRow("the sheet named, in other letters")
            << "xlsx" << QStringList{"Bilan=3", "2005=3", "Notes=0"} << "  bILAN "
            << ImportFault::None << none << "Bilan";
        QTest::newRow("a sheet named that is not there")
            << "xlsx" << QStringList{"Bilan=3", "2005=3"} << "2004" << ImportFault::UnknownSheet
            << QStringList{"Bilan", "2005"} << "";
        QTest::newRow("no statement anywhere: the first sheet's layout")
            << "xlsx" << QStringList{"Notes=0", "Other=0"} << QString() << ImportFault::NoItems
            << none << "Notes";
        QTest::newRow("ods, the statement on the second sheet")
            << "ods" << QStringList{"Notes=0", "Bilan=3"} << QString() << ImportFault::None << none
            << "Bilan";
        QTest::newRow("ods, two statements")
            << "ods" << QStringList{"2006=3", "2005=3"} << QString() << ImportFault::SheetNotChosen
            << QStringList{"2006", "2005"} << "";
    }

    void statementSheet()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, sheets);
        QFETCH(QString, option);
        QFETCH(ImportFault, fault);
        QTemporaryDir dir;
        // The kind is told by the bytes, never by the name.
        const QString path = dir.filePath(QStringLiteral("statement.bin"));
        QVERIFY(writeZip(path, kind == QLatin1String("xlsx") ? xlsxParts(statementSheets(sheets))
                                                             : odsParts(odsStatement(sheets))));
        ImportOptions options;
        options.sheet = option;
        const StatementFile file = readStatementFile(path, options);
        QCOMPARE(file.fault, fault);
        // The layout's own faults name what the layout names.
        if (fault != ImportFault::NoItems)
            QTEST(file.faultPlaces, "places");
        QStringList names;
        for (const QString &sheet : sheets)
            names << sheet.section(QLatin1Char('='), 0, 0);
        QCOMPARE(file.sheetNames, names);
        QTEST(file.table.sheetName, "chosen");
    }

    // Files that name cells far beyond what they hold cost what they hold.
    void farCellsCostLittle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ZipParts>("parts");
        QTest::addColumn<ImportFault>("fault");

        QTest::newRow("xlsx row 2,000,000,000")
            << "a.xlsx"
            << xlsxParts({XlsxSheet{"S", xlsxRow(2000000000, xlsxNumber("A2000000000", 1))}})
            << ImportFault::BeyondSheetLimits;
        QTest::newRow("xlsx column ZZZZZZ")
            << "b.xlsx" << xlsxParts({XlsxSheet{"S", xlsxRow(1, xlsxNumber("ZZZZZZ1", 1))}})
            << ImportFault::BeyondSheetLimits;
        QTest::newRow("xlsx first and last cells of the sheet")
            << "c.xlsx"
            << xlsxParts(
                   {XlsxSheet{"S", xlsxRow(1, xlsxText("A1", "Cash") + xlsxNumber("XFD1", 5)) +
                                       xlsxRow(1048576, xlsxText("A1048576", "Inventory") +
                                                            xlsxNumber("XFD1048576", 7))}})
            << ImportFault::None;
        QTest::newRow("ods value repeated over the whole sheet")
            << "d.ods"
            << odsParts(odsContent(
                   odsTable("S", odsRow(odsNumber(1, "table:number-columns-repeated=\"16384\""),
                                        "table:number-rows-repeated=\"1048576\""))))
            << ImportFault::TooLarge;
    }

    void farCellsCostLittle()
    {
        QFETCH(QString, name);
        QFETCH(ZipParts, parts);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(writeZip(path, parts));
        QVERIFY(QFileInfo(path).size() < 4096);
        const qint64 before = peakMemory();
        QVERIFY(before > 0);
        QElapsedTimer timer;
        timer.start();
        const StatementFile file = readStatementFile(path);
        QTEST(file.fault, "fault");
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        const qint64 grown = peakMemory() - before;
        QVERIFY2(grown < 200 * 1024, qPrintable(QStringLiteral("%1 kB").arg(grown)));
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_SheetReaders)
#include "tst_SheetReaders.moc"
