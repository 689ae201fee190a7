// Exporting reports: the names and folder an export proposes, the sheets'
// tab names and number formats, and the written .xlsx and .csv files read
// back without the writer's help, for a made-up layout and for the three
// shipped reports in both languages.
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "reports/ComparisonReading.h"
#include "reports/ReportError.h"
#include "reports/ReportPageView.h"
#include "reports/SpreadsheetExport.h"
#include "reports/frmReportViewer.h"
#include "support/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cmath>

Q_DECLARE_METATYPE(ReportIdentity)

namespace {
// A layout with one figure of each kind, a literal label and missing figures.
const char *const kLayout = R"([report]
name = Test
language = t.Language
[tables]
T as t
[formats]
pct = percent 1
ratio = number 2
money = currency 0
count = integer
[columns]
P? = pct
R? = ratio
M? = money
N? = count
[rows items]
fields = label flag share turnover revenue firms
One = t.LabelOne "yes" t.P1 t.R1 t.M1 t.N1
Two = "Two, with a comma" "" t.P2 t.R2 t.M2 t.N2
[sheet items]
name = t.Section
title = t.Heading t.Detail
rows = items
label = t.HLabel
share = t.HShare
turnover = t.HTurn
revenue = t.HRev
firms = t.HFirms
[template]
<p>unused</p>
)";

RecordSet testTable(const QString &language)
{
    const QStringList columns = {
        QStringLiteral("Language"), QStringLiteral("Section"),  QStringLiteral("Heading"),
        QStringLiteral("Detail"),   QStringLiteral("LabelOne"), QStringLiteral("HLabel"),
        QStringLiteral("HShare"),   QStringLiteral("HTurn"),    QStringLiteral("HRev"),
        QStringLiteral("HFirms"),   QStringLiteral("P1"),       QStringLiteral("R1"),
        QStringLiteral("M1"),       QStringLiteral("N1"),       QStringLiteral("P2"),
        QStringLiteral("R2"),       QStringLiteral("M2"),       QStringLiteral("N2")};
    const bool french = language == QLatin1String("F");
    const QVector<QVariant> row = {
        language,
        french ? QStringLiteral("Rentabilité [%]") : QStringLiteral("Profitability [%]"),
        french ? QStringLiteral("Ratios de rendement") : QStringLiteral("Performance ratios"),
        QStringLiteral("311811"),
        french ? QStringLiteral("Marge nette") : QStringLiteral("Net margin"),
        french ? QStringLiteral("Poste") : QStringLiteral("Item"),
        french ? QStringLiteral("Part") : QStringLiteral("Share"),
        QStringLiteral("Rotation"),
        french ? QStringLiteral("Recettes") : QStringLiteral("Revenue"),
        french ? QStringLiteral("Entreprises") : QStringLiteral("Firms"),
        12.5,
        QStringLiteral("1.25"),
        1234567.0,
        42,
        QVariant(),
        QStringLiteral(" "),
        -500.0,
        QVariant()};
    return RecordSet(columns, {row});
}

// Where the first export of a session goes.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

ReportIdentity identity(const QString &kind, bool french, qint16 volume, const QString &region)
{
    ReportIdentity report;
    report.kind = kind;
    report.french = french;
    report.naics = QStringLiteral("236110");
    report.industry = QStringLiteral("Residential building construction");
    report.volume = volume;
    report.region = region;
    report.firmName = QStringLiteral("Maple Ridge Homes Ltd");
    report.year = 2006;
    return report;
}
} // namespace

class tst_ReportExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { frmReportViewer::setDisplayPause(false); }
    void init() { resetExportFolder(); }

    void fileNames_data()
    {
        QTest::addColumn<ReportIdentity>("report");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en:ratios, Canada")
            << identity(QStringLiteral("rat"), false, 1, "ALL") << "pdf"
            << "Ratios – 236110 – Volume 1.pdf";
        QTest::newRow("fr:balance sheet, Quebec")
            << identity(QStringLiteral("bal"), true, 3, "QC") << "xlsx"
            << "Bilan – 236110 – Volume 3 QC.xlsx";
        QTest::newRow("en:balance sheet")
            << identity(QStringLiteral("bal"), false, 2, "ALL") << "csv"
            << "Balance Sheet – 236110 – Volume 2.csv";
        QTest::newRow("en:comparison") << identity(QStringLiteral("com"), false, 1, "ALL") << "pdf"
                                       << "Comparison – Maple Ridge Homes Ltd – 2006.pdf";
        QTest::newRow("fr:comparison") << identity(QStringLiteral("com"), true, 1, "ALL") << "xlsx"
                                       << "Comparaison – Maple Ridge Homes Ltd – 2006.xlsx";
        ReportIdentity unsafe = identity(QStringLiteral("com"), false, 1, "ALL");
        unsafe.firmName = QStringLiteral("A/B: \"Best\" Co.");
        QTest::newRow("letters a file name refuses") << unsafe << "csv"
                                                     << "Comparison – A-B- -Best- Co. – 2006.csv";
    }

    void fileNames()
    {
        QFETCH(ReportIdentity, report);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        QCOMPARE(suggestedExportFileName(report, extension), expected);
    }

    void printJobNames_data()
    {
        QTest::addColumn<ReportIdentity>("report");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en:ratios") << identity(QStringLiteral("rat"), false, 1, "ALL")
                                   << "Quorvel – Ratios – 236110 Residential building construction";
        QTest::newRow("fr:balance sheet")
            << identity(QStringLiteral("bal"), true, 1, "ALL")
            << "Quorvel – Bilan – 236110 Residential building construction";
        QTest::newRow("en:comparison") << identity(QStringLiteral("com"), false, 1, "ALL")
                                       << "Quorvel – Comparison – Maple Ridge Homes Ltd – 2006";
    }

    void printJobNames()
    {
        QFETCH(ReportIdentity, report);
        QFETCH(QString, expected);
        QCOMPARE(printJobName(report), expected);
    }

    // The documents folder first (the home folder without one), then the
    // folder of the session's last export while it exists.
    void folderOfTheSession()
    {
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        const QString documents = home.filePath(QStringLiteral("Documents"));

        QCOMPARE(exportFolder(), QDir::homePath());
        QVERIFY(QDir().mkpath(documents));
        QCOMPARE(exportFolder(), documents);
        QTemporaryDir dir;
        rememberExportFolder(dir.filePath(QStringLiteral("report.pdf")));
        QCOMPARE(exportFolder(), QFileInfo(dir.path()).absoluteFilePath());
        rememberExportFolder(dir.filePath(QStringLiteral("gone/report.pdf")));
        QCOMPARE(exportFolder(), documents);

        qputenv("HOME", savedHome);
        if (savedConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
    }

    void tabNames_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("taken");
        QTest::addColumn<QString>("expected");
        QTest::newRow("kept") << "Rentabilité (%)" << QStringList() << "Rentabilité (%)";
        QTest::newRow("refused letters")
            << "Assets [a]: b*c?/d\\e" << QStringList() << "Assets -a-- b-c--d-e";
        QTest::newRow("31 letters at most") << "Total liabilities and shareholders' equity"
                                            << QStringList() << "Total liabilities and sharehold";
        QTest::newRow("taken, any letter case")
            << "Assets" << QStringList{"ASSETS"} << "Assets (2)";
        QTest::newRow("long and taken")
            << QString(40, QLatin1Char('x')) << QStringList{QString(31, QLatin1Char('x'))}
            << QString(27, QLatin1Char('x')) + " (2)";
        QTest::newRow("empty") << "  " << QStringList() << "Sheet";
    }

    void tabNames()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, taken);
        QFETCH(QString, expected);
        QCOMPARE(sheetTabName(text, taken), expected);
    }

    void numberFormats_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("french");
        QTest::addColumn<QString>("expected");
        QTest::newRow("percent 1") << "percent 1" << false << "0.0%";
        QTest::newRow("percent 0") << "percent 0" << true << "0%";
        QTest::newRow("signed percent") << "percent 1 signed" << false << "+0.0%;-0.0%;0.0%";
        QTest::newRow("en:signed points")
            << "points 1 signed" << false << "+0.0 \"pts\";-0.0 \"pts\";0.0 \"pts\"";
        QTest::newRow("fr:points") << "points 1" << true << "0.0 \"points de %\"";
        QTest::newRow("ratio") << "number 2" << false << "0.00";
        QTest::newRow("en:currency") << "currency 0" << false << "\"$\"#,##0;-\"$\"#,##0";
        QTest::newRow("fr:currency") << "currency 0" << true << "#,##0 \"$\";-#,##0 \"$\"";
        QTest::newRow("count") << "integer" << false << "#,##0";
    }

    void numberFormats()
    {
        QFETCH(QString, format);
        QFETCH(bool, french);
        QFETCH(QString, expected);
        const std::optional<NumberFormat> parsed = parseNumberFormat(format);
        QVERIFY(parsed);
        QCOMPARE(spreadsheetNumberFormat(*parsed,
                                         french ? ReportLanguage::French : ReportLanguage::English),
                 expected);
    }

    void workbookReadBack_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("currency");
        QTest::newRow("en") << "E"
                            << "Profitability -%-"
                            << "\"$\"#,##0;-\"$\"#,##0";
        QTest::newRow("fr") << "F"
                            << "Rentabilité -%-"
                            << "#,##0 \"$\";-#,##0 \"$\"";
    }

    void workbookReadBack()
    {
        QFETCH(QString, language);
        QFETCH(QString, tab);
        QFETCH(QString, currency);
        const ReportWorkbook workbook = buildReportWorkbook(
            parseReportLayout(QString::fromUtf8(kLayout)), {testTable(language)});
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        QVERIFY(writeXlsx(workbook, path));

        testsupport::XlsxReader reader;
        QVERIFY(reader.open(path));
        QCOMPARE(reader.sheetNames(), QStringList{tab});
        const QMap<QString, testsupport::XlsxCell> cells = reader.cells(1);
        const bool french = language == QLatin1String("F");
        QCOMPARE(cells.value("A1").text, french ? QStringLiteral("Ratios de rendement 311811")
                                                : QStringLiteral("Performance ratios 311811"));
        // The headings, in the report's language, on the row after a gap.
        QCOMPARE(cells.value("A3").text, french ? QStringLiteral("Poste") : QStringLiteral("Item"));
        QCOMPARE(cells.value("E3").text,
                 french ? QStringLiteral("Entreprises") : QStringLiteral("Firms"));
        QVERIFY(!cells.value("A3").number);

        const auto expectNumber = [&cells](const char *ref, double value, const QString &format) {
            const testsupport::XlsxCell cell = cells.value(QLatin1String(ref));
            QVERIFY2(cell.number, ref);
            QCOMPARE(cell.text.toDouble(), value);
            QCOMPARE(cell.formatCode, format);
        };
        expectNumber("B4", 0.125, QStringLiteral("0.0%")); // 12.5 percentage points
        expectNumber("C4", 1.25, QStringLiteral("0.00"));  // a ratio stored as text
        expectNumber("D4", 1234567, currency);
        expectNumber("E4", 42, QStringLiteral("#,##0"));
        QCOMPARE(cells.value("A5").text, QStringLiteral("Two, with a comma"));
        expectNumber("D5", -500, currency);
        // Missing figures (null, blank) are empty cells; the flag field is not shown.
        for (const char *ref : {"B5", "C5", "E5", "F4", "F5"})
            QVERIFY2(!cells.contains(QLatin1String(ref)), ref);

        const QString csvPath = dir.filePath(QStringLiteral("book.csv"));
        QVERIFY(writeCsv(workbook, csvPath));
        bool bom = false;
        const QList<QStringList> rows = testsupport::readCsv(csvPath, &bom, french ? ';' : ',');
        QVERIFY(bom);
        // One table: a header, then one figure a row at its format's precision,
        // with its section, item and unit.
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.at(0).size(), 13);
        const auto figure = [&rows](int row) { return rows.at(row).mid(6); };
        const QString margin =
            french ? QStringLiteral("Marge nette") : QStringLiteral("Net margin");
        QCOMPARE(figure(1).mid(0, 2), (QStringList{tab, margin}));
        // Value, Unit, Text; the last column names the benchmarks.
        QCOMPARE(figure(1).mid(3, 3), (QStringList{french ? "12,5" : "12.5", "%", ""}));
        QCOMPARE(figure(2).mid(3, 3), (QStringList{french ? "1,25" : "1.25", "", ""}));
        QCOMPARE(figure(3).mid(3, 3), (QStringList{"1234567", "$", ""}));
        QCOMPARE(figure(4).mid(3, 3), (QStringList{"42", "", ""}));
        QCOMPARE(figure(5).mid(1, 5),
                 (QStringList{"Two, with a comma", figure(5).at(2), "-500", "$", ""}));
        for (int row = 1; row < rows.size(); ++row)
            QCOMPARE(rows.at(row).size(), 13);
    }

    void unwritableFile()
    {
        const ReportWorkbook workbook =
            buildReportWorkbook(parseReportLayout(QString::fromUtf8(kLayout)), {testTable("E")});
        QTemporaryDir dir;
        QVERIFY(!writeXlsx(workbook, dir.filePath(QStringLiteral("no/such/folder/book.xlsx"))));
        QVERIFY(!writeCsv(workbook, dir.filePath(QStringLiteral("no/such/folder/book.csv"))));
    }

    // A file size limit stands for a full disk: the write fails, the export
    // says so, and neither the final name nor a temporary file is left.
    void fullDiskLeavesNothing_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("xlsx") << "xlsx";
        QTest::newRow("csv") << "csv";
    }

    void fullDiskLeavesNothing()
    {
        QFETCH(QString, format);
        ReportWorkbook workbook =
            buildReportWorkbook(parseReportLayout(QString::fromUtf8(kLayout)), {testTable("E")});
        for (int copy = 1; copy <= 200; ++copy) {
            workbook.sheets.append(workbook.sheets.first());
            workbook.sheets.last().name = QStringLiteral("Copy %1").arg(copy);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.") + format);
        bool written = true;
        {
            const testsupport::FileSizeLimit limit(4096);
            written = format == QLatin1String("xlsx") ? writeXlsx(workbook, path)
                                                      : writeCsv(workbook, path);
        }
        QVERIFY(!written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        // With room again, the same export is whole.
        QVERIFY(format == QLatin1String("xlsx") ? writeXlsx(workbook, path)
                                                : writeCsv(workbook, path));
    }

    // A firm name a spreadsheet would run as a formula is written as text.
    void formulaNamesStayText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("firm");
        QTest::addColumn<QString>("written");
        QTest::newRow("en:equals") << "E"
                                   << "=cmd|' /C calc'!A0"
                                   << "'=cmd|' /C calc'!A0";
        QTest::newRow("en:plus") << "E"
                                 << "+1+1"
                                 << "'+1+1";
        QTest::newRow("en:minus") << "E"
                                  << "-2+3"
                                  << "'-2+3";
        QTest::newRow("fr:at") << "F"
                               << "@SUM(A1)"
                               << "'@SUM(A1)";
        QTest::newRow("en:tab") << "E"
                                << "\tTab Ltd"
                                << "'\tTab Ltd";
        QTest::newRow("en:plain name") << "E"
                                       << "Acme - Ltd"
                                       << "Acme - Ltd";
        QTest::newRow("fr:negative figure stays a figure") << "F"
                                                           << "-12,5"
                                                           << "-12,5";
    }

    void formulaNamesStayText()
    {
        QFETCH(QString, language);
        QFETCH(QString, firm);
        QFETCH(QString, written);
        ReportWorkbook workbook = buildReportWorkbook(parseReportLayout(QString::fromUtf8(kLayout)),
                                                      {testTable(language)});
        workbook.about.firm = firm;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.csv"));
        QVERIFY(writeCsv(workbook, path));
        const QList<QStringList> rows =
            testsupport::readCsv(path, nullptr, language == QLatin1String("F") ? ';' : ',');
        QVERIFY(rows.size() > 1);
        QCOMPARE(rows.at(1).at(1), written);
    }

    void sheetOfUnknownList()
    {
        QString layout = QString::fromUtf8(kLayout);
        layout.replace(QStringLiteral("rows = items"), QStringLiteral("rows = others"));
        QVERIFY_THROWS_EXCEPTION(ReportError, parseReportLayout(layout));
        layout = QString::fromUtf8(kLayout);
        layout.replace(QStringLiteral("firms = t.HFirms"), QStringLiteral("staff = t.HFirms"));
        QVERIFY_THROWS_EXCEPTION(ReportError, parseReportLayout(layout));
    }

    // The three shipped reports, exported from the report window in both
    // languages: named after the report, sheets and headings in the
    // report's language, figures read from the report's tables.
    void shippedReports_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("fileBase");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("format");
        QTest::newRow("en:ratios") << "rat"
                                   << "E"
                                   << "Ratios – %1 – Volume 1"
                                   << QStringList{"Profitability (%)", "Efficiency",
                                                  "Liquidity and solvency", "Share of firms (%)"}
                                   << "Net profit margin"
                                   << "Rpt_Data_CY"
                                   << "NPMQ1"
                                   << "0.0%";
        QTest::newRow("fr:ratios")
            << "rat"
            << "F"
            << "Ratios – %1 – Volume 1"
            << QStringList{"Rentabilité (%)", "Efficacité", "Liquidité et solvabilité",
                           "Proportion des entreprises (%)"}
            << "Marge bénéficiaire nette"
            << "Rpt_Data_CY"
            << "NPMQ1"
            << "0.0%";
        QTest::newRow("en:balance sheet")
            << "bal"
            << "E"
            << "Balance Sheet – %1 – Volume 1"
            << QStringList{"Assets", "Liabilities", "Shareholders' equity", "Memo items"}
            << "Number of firms"
            << "Rpt_Data_CY"
            << "NumberOfFirms"
            << "#,##0";
        QTest::newRow("fr:balance sheet")
            << "bal"
            << "F"
            << "Bilan – %1 – Volume 1"
            << QStringList{"Actifs", "Passifs", "Capitaux propres", "Postes pour mémoire"}
            << "Nombre d'entreprises"
            << "Rpt_Data_CY"
            << "NumberOfFirms"
            << "#,##0";
        QTest::newRow("en:comparison")
            << "com"
            << "E"
            << "Comparison – Maple Ridge Homes Ltd – 2006" << QStringList() << "Cash"
            << "Rpt_Comparison"
            << "MyCash"
            << "0.0%";
        QTest::newRow("fr:comparison")
            << "com"
            << "F"
            << "Comparaison – Maple Ridge Homes Ltd – 2006" << QStringList() << "Encaisse"
            << "Rpt_Comparison"
            << "MyCash"
            << "0.0%";
    }

    void shippedReports()
    {
        QFETCH(QString, type);
        QFETCH(QString, language);
        QFETCH(QString, fileBase);
        QFETCH(QStringList, tabs);
        QFETCH(QString, firstLabel);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, format);

        QTemporaryDir dir;
        testsupport::StateScope scope;
        QVERIFY(testsupport::openShippedDatabases(dir));
        QVERIFY(testsupport::copyProgramFiles(dir, {QStringLiteral("rpt_Ratios.rpt"),
                                                    QStringLiteral("rpt_BalanceSheet.rpt"),
                                                    QStringLiteral("rpt_Comparison.rpt")}));
        setProgramFolderOverride(dir.path());
        const QString naics = firstIndustry();

        testsupport::MessageRecorder messages;
        QStringList suggested;
        QStringList written;
        QList<bool> results;
        show(type, language, naics, [&](ReportPageView &view) {
            view.setExportPathProvider([&](const QString &path, ExportFormat) {
                suggested << path;
                written << dir.filePath(QFileInfo(path).fileName());
                return written.last();
            });
            for (const ExportFormat format :
                 {ExportFormat::Pdf, ExportFormat::Xlsx, ExportFormat::Csv})
                results << view.exportReport(format);
        });
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(results, (QList<bool>{true, true, true}));
        const QString base = fileBase.arg(naics);
        QCOMPARE(suggested.first(), documentsFolder() + "/" + base + ".pdf");
        // After the first export, the folder of the last one is proposed.
        QCOMPARE(suggested.at(1), QFileInfo(dir.path()).absoluteFilePath() + "/" + base + ".xlsx");

        QFile pdf(written.at(0));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5).startsWith("%PDF"));

        testsupport::XlsxReader reader;
        QVERIFY(reader.open(written.at(1)));
        if (!tabs.isEmpty())
            QCOMPARE(reader.sheetNames(), tabs);
        QVERIFY(reader.sheetNames().size() >= 4);
        // The comparison opens on its verdict; its balance sheet comes next.
        const int firstSheet = type.startsWith(QLatin1String("com")) ? 2 : 1;
        const QMap<QString, testsupport::XlsxCell> cells = reader.cells(firstSheet);
        // Three title lines (and the comparison's data set), a gap, the
        // headings, then the section's rows.
        const QString firstRow = type.startsWith(QLatin1String("com")) ? "7" : "6";
        QCOMPARE(cells.value("A" + firstRow).text, firstLabel);
        const RecordSet rows =
            GetRS(appState().gcnUser, QStringLiteral("select %1 from %2").arg(column, table),
                  QStringLiteral("read"));
        QCOMPARE(rows.RecordCount(), 1);
        const double stored = rows.field(column).toDouble();
        const testsupport::XlsxCell figure = cells.value("B" + firstRow);
        QVERIFY(figure.number);
        QCOMPARE(figure.formatCode, format);
        const double expected = format.endsWith('%') ? stored / 100 : stored;
        QVERIFY2(qAbs(figure.text.toDouble() - expected) < 1e-9, qPrintable(figure.text));

        const QList<QStringList> csv =
            testsupport::readCsv(written.at(2), nullptr, language.startsWith('F') ? ';' : ',');
        QVERIFY(csv.size() > 10);
        QCOMPARE(csv.first().size(), 13);
        const auto firstOfSheet =
            std::find_if(csv.cbegin() + 1, csv.cend(), [&](const QStringList &r) {
                return r.value(6) == reader.sheetNames().value(firstSheet - 1);
            });
        QVERIFY(firstOfSheet != csv.cend());
        QCOMPARE(firstOfSheet->value(7), firstLabel);
    }

    // The workbook holds what the PDF shows: "What it would take" (every
    // ratio of the work table, with its amount needed or its reason, and the
    // closing sentence, in the CSV too), each ratio's first and third
    // quartiles and percentile beside its median, the days beside the
    // turnovers, and the "In short" verdict with page 1's loss line.
    void comparisonTargetsInEveryExport_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("en") << "E";
        QTest::newRow("fr") << "F";
    }

    void comparisonTargetsInEveryExport()
    {
        QFETCH(QString, language);
        QTemporaryDir dir;
        testsupport::StateScope scope;
        QVERIFY(testsupport::openShippedDatabases(dir));
        QVERIFY(testsupport::copyProgramFiles(dir, {QStringLiteral("rpt_Comparison.rpt")}));
        setProgramFolderOverride(dir.path());
        testsupport::MessageRecorder messages;
        const QString xlsx = dir.filePath(QStringLiteral("c.xlsx"));
        const QString csvPath = dir.filePath(QStringLiteral("c.csv"));
        // Without inventory, inventory turnover has no meaning: a reason, no figure.
        QStringList firm = firmValues(firstIndustry());
        firm[6] = QStringLiteral("0");
        firm[16] = QStringLiteral("-50"); // an operating loss
        show(
            QStringLiteral("com"), language, firstIndustry(),
            [&](ReportPageView &view) {
                view.setExportPathProvider([&](const QString &, ExportFormat format) {
                    return format == ExportFormat::Xlsx ? xlsx : csvPath;
                });
                QVERIFY(view.exportReport(ExportFormat::Xlsx));
                QVERIFY(view.exportReport(ExportFormat::Csv));
            },
            firm);
        QCOMPARE(messages.texts(), QStringList());

        RecordSet text =
            GetRS(appState().gcnUser, QStringLiteral("select * from Rpt_Comparison_TargetText"),
                  QStringLiteral("read"));
        const QString section = text.text(QStringLiteral("Sec_Targets"));
        RecordSet targets = GetRS(appState().gcnUser,
                                  QStringLiteral("select Ratio, AmountNeeded, Reason from "
                                                 "Rpt_Comparison_TargetRows"),
                                  QStringLiteral("read"));
        int reasons = 0;

        testsupport::XlsxReader reader;
        QVERIFY(reader.open(xlsx));
        const int sheet = int(reader.sheetNames().indexOf(section)) + 1;
        QVERIFY2(sheet > 0, qPrintable(reader.sheetNames().join(QLatin1Char('|'))));
        const QMap<QString, testsupport::XlsxCell> cells = reader.cells(sheet);
        QStringList sheetText;
        for (const testsupport::XlsxCell &cell : cells)
            sheetText << cell.text;
        QVERIFY(sheetText.contains(text.text(QStringLiteral("Note_Targets"))));

        const QList<QStringList> csv =
            testsupport::readCsv(csvPath, nullptr, language.startsWith('F') ? ';' : ',');
        // Differences of percentages carry the unit the report prints.
        const QString points =
            language.startsWith('F') ? QStringLiteral("points de %") : QStringLiteral("pts");
        QVERIFY(std::any_of(csv.cbegin(), csv.cend(),
                            [&points](const QStringList &row) { return row.value(10) == points; }));
        // A figure in Value (column 9), a text in Text (column 11), never both.
        // Every value of an item and measure (the current ratio has two rows).
        const auto csvValues = [&csv, &section](const QString &item, const QString &measure) {
            QStringList values;
            for (const QStringList &row : csv)
                if (row.value(6) == section && row.value(7) == item && row.value(8) == measure)
                    values << (row.value(9).isEmpty() ? QStringLiteral("text:") + row.value(11)
                                                      : row.value(9) + row.value(11));
            return values;
        };
        for (; !targets.eof(); targets.MoveNext()) {
            const QString ratio = targets.text(QStringLiteral("Ratio"));
            QVERIFY2(sheetText.contains(ratio), qPrintable(ratio));
            if (targets.isNull(QStringLiteral("AmountNeeded"))) {
                const QString reason = targets.text(QStringLiteral("Reason"));
                QVERIFY(!reason.isEmpty());
                ++reasons;
                QVERIFY(sheetText.contains(reason));
                QVERIFY(csvValues(ratio, text.text(QStringLiteral("Hdr_Reason")))
                            .contains(QStringLiteral("text:") + reason));
            } else {
                const double needed = targets.field(QStringLiteral("AmountNeeded")).toDouble();
                QVERIFY(csvValues(ratio, text.text(QStringLiteral("Hdr_Needed")))
                            .contains(QString::number(std::round(needed), 'f', 0)));
            }
        }
        QVERIFY(reasons > 0 && reasons < targets.RecordCount());

        RecordSet notes =
            GetRS(appState().gcnUser, QStringLiteral("select * from Rpt_Comparison_Notes"),
                  QStringLiteral("read"));
        RecordSet titles =
            GetRS(appState().gcnUser, QStringLiteral("select * from Rpt_Comparison_Titles"),
                  QStringLiteral("read"));
        RecordSet year = GetRS(appState().gcnUser, QStringLiteral("select * from Rpt_Data_CY"),
                               QStringLiteral("read"));
        // A sheet's cell in the row of `label` and the column of `heading`.
        const auto cellAt = [&reader](const QString &sheetName, const QString &label,
                                      const QString &heading) {
            const QMap<QString, testsupport::XlsxCell> all =
                reader.cells(int(reader.sheetNames().indexOf(sheetName)) + 1);
            QString column;
            QString row;
            for (auto it = all.cbegin(); it != all.cend(); ++it) {
                const QString letters = it.key().section(QRegularExpression("\\d"), 0, 0);
                if (it.value().text == heading)
                    column = letters;
                if (it.value().text == label && letters == QLatin1String("A"))
                    row = it.key().mid(1);
            }
            return all.value(column + row);
        };
        const QString profitability = titles.text(QStringLiteral("Grp_Profitability"));
        const QString npm = titles.text(QStringLiteral("Lbl_NPM"));
        for (const auto &[heading, column] :
             {std::pair{QStringLiteral("Hdr_Q1"), QStringLiteral("NPMQ1")},
              std::pair{QStringLiteral("Hdr_Q3"), QStringLiteral("NPMQ3")}}) {
            const testsupport::XlsxCell cell = cellAt(profitability, npm, notes.text(heading));
            QVERIFY2(cell.number, qPrintable(heading));
            // Percentages are fractions in the workbook.
            QCOMPARE(cell.text.toDouble(), year.field(column).toDouble() / 100);
        }
        const testsupport::XlsxCell percentile =
            cellAt(profitability, npm, notes.text(QStringLiteral("Hdr_Percentile")));
        QCOMPARE(percentile.text, notes.text(QStringLiteral("PctlN_NPM")));
        QVERIFY(notes.text(QStringLiteral("Pctl_NPM"))
                    .startsWith(notes.text(QStringLiteral("PctlN_NPM"))));
        const QString days = comparisonText(QStringLiteral("Lbl_DSO"),
                                            language.startsWith('F') ? ReportLanguage::French
                                                                     : ReportLanguage::English);
        QVERIFY(cellAt(titles.text(QStringLiteral("Grp_Efficiency")), days,
                       titles.text(QStringLiteral("Firm_Heading")))
                    .number);

        const QString verdict = notes.text(QStringLiteral("Sec_Verdict"));
        QCOMPARE(reader.sheetNames().value(0), verdict);
        QStringList verdictText;
        for (const testsupport::XlsxCell &cell : reader.cells(1))
            verdictText << cell.text;
        QVERIFY(verdictText.contains(notes.text(QStringLiteral("Verdict"))));
        QVERIFY(verdictText.contains(notes.text(QStringLiteral("Alert1"))));
        QVERIFY(!notes.text(QStringLiteral("Alert1")).isEmpty());
    }

private:
    static QString firstIndustry()
    {
        const RecordSet row = GetRS(appState().gcnReference,
                                    QStringLiteral("select NAICS from "
                                                   "ROVAL_Vol1_ALL_2006_Final_Ratios limit 1"),
                                    QStringLiteral("read"));
        return row.text(QStringLiteral("NAICS"));
    }

    static QStringList firmValues(const QString &naics)
    {
        QStringList values{QStringLiteral("Maple Ridge Homes Ltd"), QStringLiteral("2006"), naics,
                           QStringLiteral("Residential building construction")};
        for (int i = 4; i <= 36; ++i)
            values << QStringLiteral("100");
        values[12] = QStringLiteral("800");
        values[34] = QStringLiteral("800");
        return values;
    }

    // Shows a report; while it shows, runs `whileShown` on its viewer and
    // then goes back.
    static void show(const QString &type, const QString &language, const QString &naics,
                     const std::function<void(ReportPageView &)> &whileShown, QStringList firm = {})
    {
        if (firm.isEmpty() && type == QLatin1String("com"))
            firm = firmValues(naics);
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            frmReportViewer &screen = ScreenRegistry::get<frmReportViewer>();
            whileShown(*screen.viewer());
            screen.findChild<QPushButton *>(QStringLiteral("btnBack"))->click();
        });
        AppState &state = appState();
        ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
            state.gcnReference, state.gcnUser, type, 1, QStringLiteral("ALL"), 2006, naics,
            language, firm);
        QCoreApplication::processEvents();
    }
};

QUORVEL_TEST_MAIN(tst_ReportExport)
#include "tst_ReportExport.moc"
