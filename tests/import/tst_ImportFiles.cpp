// Statement files as firms and their accountants bring them, each imported by
// quorvel-cli run as a process on a program folder of its own: trial
// balances, workbooks with formulas, hidden rows or several sheets, amounts
// in thousands, CSV files from other programs and other computers, and the
// files that must be refused. Each import's exit status, the first line it
// prints, and what the statement store then holds.
#include "firm/StatementItems.h"
#include "store/PgStatementStore.h"
#include "store/SqliteStatementStore.h"
#include "support/CliRun.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/PgServer.h"
#include "support/ZipWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>

using namespace testsupport;

namespace {
const QString kFirm = QStringLiteral("Maple Ridge Homes Ltd");
constexpr int kYear = 2006;

// The files a row writes into the program folder, by name.
using Files = QMap<QString, QByteArray>;

// The bytes of a zip container of `parts`.
QByteArray zipped(const ZipParts &parts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.zip"));
    QFile file(path);
    if (!writeZip(path, parts) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A pre-closing trial balance under a title: account numbers in their own
// column, a contra account, the year's revenue and expenses not closed but
// adding up to nothing.
const QByteArray kTrialBalance =
    "\"Maple Ridge Homes Ltd - Trial balance as at December 31, 2006\",,,\n"
    "Account No.,Description,Debit,Credit\n"
    "1000,Cash,\"12,500.00\",\n"
    "1200,Accounts receivable,8000,\n"
    "1500,Equipment,30000,\n"
    "1510,Accumulated amortization,,6000\n"
    "2000,Accounts payable,,4500\n"
    "2100,Bank loan,,10000\n"
    "3000,Common shares,,100\n"
    "3100,Retained earnings,,29900\n"
    "4000,Sales,,95000\n"
    "5000,Cost of goods sold,69000,\n"
    "5100,Wages,25000,\n"
    "5200,Interest expense,\"1,000\",\n";
const char *const kTrialBalanceSaved =
    "Cash=12500 Ar=8000 CA=24000 Toa=44500 Ta=44500 Sales=95000 InterestExpense=1000 "
    "AccountsPayable=4500 Banks=10000 Tliab=14500 ShareC=100 RetEarn=29900 Equity1=30000 "
    "TotLiabShareEq=44500";

// A trial balance as a bookkeeping program exports its balances: one column,
// credits below zero.
const QByteArray kSignedBalance = "Account,Description,Balance\n"
                                  "1000,Cash,12500\n"
                                  "1200,Accounts receivable,8000\n"
                                  "2000,Accounts payable,-4500\n"
                                  "2100,Bank loan,-10000\n"
                                  "3000,Common shares,-100\n"
                                  "3100,Retained earnings,-5900\n"
                                  "4000,Sales,-95000\n"
                                  "5000,Cost of goods sold,69000\n"
                                  "5100,Wages,25000\n"
                                  "5200,Interest expense,1000\n";

const QByteArray kInThousands = "Maple Ridge Homes Ltd,\n"
                                "Balance sheet (in thousands of dollars),\n"
                                "Item,2006\n"
                                "Cash,12.5\n"
                                "Accounts receivable,10\n"
                                "Accounts payable,12.5\n"
                                "Common shares,10\n";

const QByteArray kUnbalanced = "Item,2006\n"
                               "Cash,1250000\n"
                               "Accounts payable,1000000\n"
                               "Share capital,240000\n";

// A client's own wording for cash, which no built-in wording names.
const QByteArray kClientLabels = "Item,Amount\n"
                                 "Cash on hand and in bank,2000\n"
                                 "Accounts payable,1500\n"
                                 "Common shares,500\n";
const QByteArray kClientLabelsBefore = "Item,Amount\n"
                                       "Cash on hand and in bank,1800\n"
                                       "Accounts payable,1300\n"
                                       "Common shares,500\n";

// A workbook's statement sheet: the items' names under an Amount heading.
QByteArray xlsxStatement(const QList<std::pair<const char *, double>> &items)
{
    QByteArray rows = xlsxRow(1, xlsxText("A1", "Item") + xlsxText("B1", "Amount"));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QByteArray number = QByteArray::number(i + 2);
        rows += xlsxRow(int(i + 2), xlsxText(("A" + number).constData(), items[i].first) +
                                        xlsxNumber(("B" + number).constData(), items[i].second));
    }
    return rows;
}

QByteArray xlsx(const QList<XlsxSheet> &sheets)
{
    return zipped(xlsxParts(sheets));
}
} // namespace

class tst_ImportFiles : public QObject
{
    Q_OBJECT

    QString m_naics; // an industry of volume 1 with data for the comparison
    QTemporaryDir m_runtime;
    std::unique_ptr<PgServer> m_server;

    // Every command runs on the row's program folder; a team row's on the server.
    QStringList command(const QTemporaryDir &dir, QStringList arguments, bool team) const
    {
        for (QString &argument : arguments)
            if (argument.startsWith(QLatin1Char('@')))
                argument = dir.filePath(argument.mid(1));
        if (team)
            arguments << QStringLiteral("--store") << m_server->uri();
        return QStringList{QStringLiteral("--program-folder"), dir.path()} + arguments;
    }

    // quorvel-cli with the statements where the command says, never where the
    // test's own environment would send them, and with a runtime folder of
    // its own, so that Qt says nothing about it on standard error.
    CliRun run(const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QUORVEL_STORE"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        return runCli(arguments, environment);
    }

    QStringList importOf(const QString &file, int year, const QStringList &options = {}) const
    {
        return QStringList{QStringLiteral("import"),   QLatin1Char('@') + file,
                           QStringLiteral("--firm"),   kFirm,
                           QStringLiteral("--year"),   QString::number(year),
                           QStringLiteral("--naics"),  m_naics,
                           QStringLiteral("--volume"), QStringLiteral("1")} +
               options;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        QTemporaryDir dir;
        QVERIFY(copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb")}));
        Connection reference;
        ConnectToFile(reference, dir.filePath(QStringLiteral("ROV_DATA.mdb")),
                      QStringLiteral("unknown"), OpenMode::ReadOnly);
        m_naics = GetRS(reference,
                        QStringLiteral("select NAICS from ROVAL_Vol1_ALL_2006_Final_Ratios "
                                       "where NumberOfFirms is not null order by NAICS"),
                        QStringLiteral("read"))
                      .text(QStringLiteral("NAICS"));
        DisconnectFromDB(reference);
        QVERIFY(!m_naics.isEmpty());
    }

    void files_data()
    {
        QTest::addColumn<Files>("files");               // written into the program folder first
        QTest::addColumn<QList<QStringList>>("before"); // commands that must succeed first
        QTest::addColumn<QString>("file");              // the file imported
        QTest::addColumn<QStringList>("options");       // the import's beyond firm, year, industry
        QTest::addColumn<bool>("team");                 // every command on the team database
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("firstLine"); // how it starts; FILE: the file's path
        QTest::addColumn<QString>("saved");     // the firm's amounts then; "-": nothing saved

        const auto row = [](const char *tag, const Files &files, const QString &file,
                            const QStringList &options, int status, const QString &firstLine,
                            const QString &saved, const QList<QStringList> &before = {},
                            bool team = false) {
            QTest::newRow(tag) << files << before << file << options << team << status << firstLine
                               << saved;
        };
        const QString nothing = QStringLiteral("-");

        // --- Trial balances ------------------------------------------------
        row("trial balance, debit and credit under a title", {{"tb.csv", kTrialBalance}}, "tb.csv",
            {}, 0, "Read as a trial balance: each item is its accounts' debits less their credits",
            kTrialBalanceSaved);
        row("trial balance, one signed balance column", {{"tb.csv", kSignedBalance}}, "tb.csv", {},
            0, "Read as a trial balance of signed balances (credits below zero)",
            "Cash=12500 Ar=8000 Toa=20500 Ta=20500 Sales=95000 InterestExpense=1000 "
            "AccountsPayable=4500 Banks=10000 Tliab=14500 ShareC=100 RetEarn=5900 Equity1=6000 "
            "TotLiabShareEq=20500");
        row("trial balance, --column Debit", {{"tb.csv", kTrialBalance}}, "tb.csv",
            {"--column", "Debit"}, 0, "Read as a trial balance: each item", kTrialBalanceSaved);

        // --- Workbooks -----------------------------------------------------
        const QByteArray formulas = xlsx({XlsxSheet{
            "Balance sheet",
            xlsxRow(7, xlsxText("A7", "Item") + xlsxText("B7", "Amount")) +
                xlsxRow(8, xlsxText("A8", "Cash") + xlsxFormula("B8", "95000+25000")) +
                xlsxRow(9, xlsxText("A9", "Accounts receivable") + xlsxNumber("B9", 30000)) +
                xlsxRow(10, xlsxText("A10", "Accounts payable") + xlsxNumber("B10", 50000)) +
                xlsxRow(11,
                        xlsxText("A11", "Retained earnings") + xlsxFormula("B11", "B8+B9-B10"))}});
        row("xlsx, formulas saved without their value", {{"book.xlsx", formulas}}, "book.xlsx", {},
            0, "Amounts from the column: \"Amount\"",
            "Cash=120000 Ar=30000 Toa=150000 Ta=150000 AccountsPayable=50000 Tliab=50000 "
            "RetEarn=100000 Equity1=100000 TotLiabShareEq=150000");
        const QByteArray lookup = xlsx(
            {XlsxSheet{"Balance sheet",
                       xlsxStatement({{"Accounts receivable", 500}, {"Accounts payable", 1500}}) +
                           xlsxRow(8, xlsxText("A8", "Cash") +
                                          xlsxFormula("B8", "VLOOKUP(A8,D1:E9,2,FALSE)"))}});
        row("xlsx, a formula that cannot be worked out", {{"book.xlsx", lookup}}, "book.xlsx", {},
            4, "quorvel-cli: The workbook FILE has formulas whose values were never saved (B8)",
            nothing);
        const QByteArray hidden = xlsx({XlsxSheet{
            "Balance sheet",
            xlsxRow(1, xlsxText("A1", "Item") + xlsxText("B1", "Amount")) +
                xlsxRow(2, xlsxText("A2", "Cash") + xlsxNumber("B2", 999), "hidden=\"1\"") +
                xlsxRow(3, xlsxText("A3", "Cash") + xlsxNumber("B3", 1500)) +
                xlsxRow(4, xlsxText("A4", "Accounts payable") + xlsxNumber("B4", 1000)) +
                xlsxRow(5, xlsxText("A5", "Common shares") + xlsxNumber("B5", 500))}});
        row("xlsx, a hidden draft row for cash", {{"book.xlsx", hidden}}, "book.xlsx", {}, 0,
            "Skipped as the workbook hides them: 1 rows, 0 columns",
            "Cash=1500 Toa=1500 Ta=1500 AccountsPayable=1000 Tliab=1000 ShareC=500 Equity1=500 "
            "TotLiabShareEq=1500");
        // Under a kilobyte, naming a cell far beyond the last row of any sheet.
        const QByteArray far = xlsx({XlsxSheet{
            "Balance sheet", xlsxStatement({{"Cash", 1500}, {"Accounts payable", 1500}}) +
                                 xlsxRow(2000000000, xlsxNumber("A2000000000", 1))}});
        row("xlsx, a cell at row 2,000,000,000", {{"book.xlsx", far}}, "book.xlsx", {}, 4,
            "quorvel-cli: The file FILE has a cell beyond the last row or column a spreadsheet "
            "can hold (A2000000000)",
            nothing);
        const QByteArray ods = zipped(odsParts(odsContent(
            odsTable("Bilan", odsRow(odsText("Item") + odsText("Amount")) +
                                  odsRow(odsText("Cash") + odsNumber(1500)) +
                                  odsRow(odsText("Accounts receivable") + odsNumber(500)) +
                                  odsRow(odsText("Accounts payable") + odsNumber(1200)) +
                                  odsRow(odsText("Common shares") + odsNumber(800))))));
        row("ods statement", {{"book.ods", ods}}, "book.ods", {}, 0,
            "Amounts from the column: \"Amount\"",
            "Cash=1500 Ar=500 Toa=2000 Ta=2000 AccountsPayable=1200 Tliab=1200 ShareC=800 "
            "Equity1=800 TotLiabShareEq=2000");

        // --- Sheets --------------------------------------------------------
        const QByteArray notes = xlsxRow(1, xlsxText("A1", "Prepared by the firm's accountant"));
        const QByteArray secondSheet =
            xlsx({XlsxSheet{"Notes", notes},
                  XlsxSheet{"Bilan", xlsxStatement({{"Cash", 700}, {"Accounts payable", 700}})}});
        row("xlsx, the statement on the second sheet", {{"book.xlsx", secondSheet}}, "book.xlsx",
            {}, 0, "Sheet read: \"Bilan\"",
            "Cash=700 Toa=700 Ta=700 AccountsPayable=700 Tliab=700 TotLiabShareEq=700");
        const QByteArray twoYears =
            xlsx({XlsxSheet{"Notes", notes},
                  XlsxSheet{"2006", xlsxStatement({{"Cash", 900}, {"Accounts payable", 900}})},
                  XlsxSheet{"2005", xlsxStatement({{"Cash", 800}, {"Accounts payable", 800}})}});
        row("xlsx, two sheets hold statements", {{"book.xlsx", twoYears}}, "book.xlsx", {}, 4,
            "quorvel-cli: Several sheets of the workbook FILE hold a statement (\"2006\", "
            "\"2005\"). Name the sheet to read (with --sheet",
            nothing);
        row("xlsx, --sheet picks one of them", {{"book.xlsx", twoYears}}, "book.xlsx",
            {"--sheet", "2005"}, 0, "Sheet read: \"2005\"",
            "Cash=800 Toa=800 Ta=800 AccountsPayable=800 Tliab=800 TotLiabShareEq=800");

        // --- Units ---------------------------------------------------------
        row("in thousands of dollars, as the title says", {{"th.csv", kInThousands}}, "th.csv", {},
            0,
            "Amounts in thousands, as the file says (\"Balance sheet (in thousands of "
            "dollars)\"): each multiplied by 1,000",
            "Cash=12500 Ar=10000 Toa=22500 Ta=22500 AccountsPayable=12500 Tliab=12500 "
            "ShareC=10000 Equity1=10000 TotLiabShareEq=22500");
        row("in thousands, --scale 1 takes them as they are", {{"th.csv", kInThousands}}, "th.csv",
            {"--scale", "1"}, 0,
            "The file says its amounts are in thousands (\"Balance sheet (in thousands of "
            "dollars)\"), but they are taken as they are, as asked",
            "Cash=13 Ar=10 Toa=23 Ta=23 AccountsPayable=13 Tliab=13 ShareC=10 Equity1=10 "
            "TotLiabShareEq=23");

        // --- CSV from other programs and computers ---------------------------
        row("csv, a line split by another separator",
            {{"st.csv", "Item,Amount\nCash,1500\nAccounts payable;1500\nCommon shares,0\n"}},
            "st.csv", {}, 4,
            "quorvel-cli: Line 3 of FILE splits into a different number of columns", nothing);
        row("fr:csv from an old Mac, Mac Roman with CR line ends",
            {{"st.csv", "Poste,Montant\r"
                        "Encaisse,1500\r"
                        "\x83tat des r\x8esultats,\r"
                        "Cr\x8e"
                        "diteurs,1000\r"
                        "Imp\x99ts futurs,200\r"
                        "B\x8en\x8e"
                        "fices non r\x8epartis,300\r"}},
            "st.csv", {"--language", "fr"}, 0, "Montants de la colonne : « Montant »",
            "Cash=1500 Toa=1500 Ta=1500 AccountsPayable=1000 DefTax=200 Tliab=1200 RetEarn=300 "
            "Equity1=300 TotLiabShareEq=1500");
        row("French and English wordings",
            {{"st.csv", "Item,Amount\n"
                        "Cash,5000\n"
                        "\"Property, plant & equipment (net)\",20000\n"
                        "Fournisseurs et charges à payer,6000\n"
                        "Due to related companies,4000\n"
                        "Impôts futurs,1000\n"
                        "Common shares,100\n"
                        "Retained earnings,13900\n"
                        "Sales,50000\n"
                        "Intérêts sur la dette à long terme,1200\n"}},
            "st.csv", {}, 0, "Amounts from the column: \"Amount\"",
            "Cash=5000 CA=20000 Toa=25000 Ta=25000 Sales=50000 InterestExpense=1200 "
            "AccountsPayable=6000 AmtsAffil=4000 DefTax=1000 Tliab=11000 ShareC=100 "
            "RetEarn=13900 Equity1=14000 TotLiabShareEq=25000");

        // --- Files refused, checks failed --------------------------------------
        // The comparison of another firm, as this program exports it.
        const QString source = QStringLiteral("Source Ltd");
        const QStringList sourceImport{"import", "@tb.csv", "--firm", source,     "--year",
                                       "2006",   "--naics", m_naics,  "--volume", "1"};
        const QStringList comparison{"export", "--report", "comparison",     "--firm",
                                     source,   "--year",   "2006",           "--format",
                                     "csv",    "--output", "@comparison.csv"};
        row("this program's comparison export", {{"tb.csv", kTrialBalance}}, "comparison.csv", {},
            4, "quorvel-cli: The file FILE is a comparison or report exported by this program",
            nothing, {sourceImport, comparison});
        row("a file that fills no item",
            {{"st.csv", "Item,Amount\nCash,\nAccounts receivable,\nTotal assets,100\n"}}, "st.csv",
            {}, 4, "quorvel-cli: The file FILE gives no statement item an amount", nothing);
        row("unbalanced, refused", {{"st.csv", kUnbalanced}}, "st.csv", {}, 4,
            "quorvel-cli: Total assets 1,250,000 ≠ total liabilities and equity 1,240,000 "
            "(difference 10,000)",
            nothing);
        row("unbalanced, saved with --accept-differences", {{"st.csv", kUnbalanced}}, "st.csv",
            {"--accept-differences"}, 0,
            "Total assets 1,250,000 ≠ total liabilities and equity 1,240,000 (difference 10,000)",
            "Cash=1250000 Toa=1250000 Ta=1250000 AccountsPayable=1000000 Tliab=1000000 "
            "ShareC=240000 Equity1=240000 TotLiabShareEq=1240000");

        // --- The client's own wordings -----------------------------------------
        const Files client{{"2005.csv", kClientLabelsBefore}, {"2006.csv", kClientLabels}};
        const QStringList mapped =
            importOf(QStringLiteral("2005.csv"), 2005, {"--map", "Cash on hand and in bank=Cash"});
        const char *const clientSaved = "Cash=2000 Toa=2000 Ta=2000 AccountsPayable=1500 "
                                        "Tliab=1500 ShareC=500 Equity1=500 TotLiabShareEq=2000";
        row("client's wording unknown without a mapping", client, "2006.csv", {}, 4,
            "quorvel-cli: Total assets 0 ≠ total liabilities and equity 2,000", nothing);
        row("client's mapping remembered for the next import", client, "2006.csv", {}, 0,
            "Amounts from the column: \"Amount\"", clientSaved, {mapped});
        row("client's mapping remembered on the team database", client, "2006.csv", {}, 0,
            "Amounts from the column: \"Amount\"", clientSaved, {mapped}, true);
    }

    void files()
    {
        QFETCH(Files, files);
        QFETCH(QList<QStringList>, before);
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(bool, team);
        QFETCH(QString, firstLine);
        QFETCH(QString, saved);
        QTemporaryDir dir;
        QVERIFY(copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb"),
                                       QStringLiteral("rpt_Comparison.rpt")}));
        for (auto written = files.cbegin(); written != files.cend(); ++written) {
            QFile out(dir.filePath(written.key()));
            QVERIFY(!written.value().isEmpty());
            QVERIFY(out.open(QIODevice::WriteOnly) &&
                    out.write(written.value()) == written.value().size());
        }
        if (team) {
            if (!m_server)
                m_server = std::make_unique<PgServer>();
            QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
            PgStatementStore(m_server->uri()).initSchema();
            QCOMPARE(m_server->exec(QStringLiteral("DELETE FROM quorvel.statements; "
                                                   "DELETE FROM quorvel.retired_versions; "
                                                   "DELETE FROM quorvel.import_mappings")),
                     QString());
        }

        for (const QStringList &arguments : before) {
            const CliRun first = run(command(dir, arguments, team));
            QVERIFY2(first.status == 0, qPrintable(arguments.join(' ') + '\n' + first.err));
        }
        QElapsedTimer timer;
        timer.start();
        const CliRun import = run(command(dir, importOf(file, kYear, options), team));
        // Every import ends at once, whatever cells its file names.
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QTEST(import.status, "status");
        const QString printed = import.status == 0 ? import.out : import.err;
        firstLine.replace(QStringLiteral("FILE"), dir.filePath(file));
        QVERIFY2(printed.section(QLatin1Char('\n'), 0, 0).startsWith(firstLine),
                 qPrintable(printed));

        Connection user;
        ConnectToFile(user, dir.filePath(QStringLiteral("myData.mdb")), QStringLiteral("unknown"),
                      OpenMode::ReadOnly);
        std::optional<SavedStatement> local;
        LabelMapping localMapping;
        {
            SqliteStatementStore localStore(user);
            local = localStore.open(kFirm, kYear);
            localMapping = localStore.importMapping(kFirm);
        }
        DisconnectFromDB(user);
        std::optional<SavedStatement> statement = local;
        if (team) {
            // The team's statement, stamped by its saver; on this computer
            // neither the statement nor the client's mapping.
            QVERIFY(!local);
            QVERIFY(localMapping.isEmpty());
            statement = PgStatementStore(m_server->uri()).open(kFirm, kYear);
            if (statement) {
                QCOMPARE(statement->stamp.version, 1);
                QCOMPARE(statement->stamp.savedBy, fncCurrentUserName());
            }
        }
        QCOMPARE(statement ? nonZeroAmounts(statement->amounts) : QStringLiteral("-"), saved);
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ImportFiles)
#include "tst_ImportFiles.moc"
