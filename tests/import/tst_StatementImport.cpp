// Reading a statement from files other programs wrote: amounts as
// spreadsheets write them, a workbook written by libxlsxwriter and a French
// CSV, the rows an import must not take silently, and every file that
// cannot be used.
#include "firm/StatementItems.h"
#include "import/ImportAmount.h"
#include "import/ImportLabels.h"
#include "import/StatementImport.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QFile>
#include <QRegularExpression>
#include <xlsxwriter.h>
#include <zip.h>

Q_DECLARE_METATYPE(DecimalComma)
Q_DECLARE_METATYPE(ImportFault)

namespace {
// What the summary lists, by row: "?3" not recognised, "4>2" a duplicate of
// row 2, "!5" not an amount, "~2" rounded, "Ta@7:999/100" a total differing.
QString noted(const StatementImport &import)
{
    QStringList parts;
    for (const ImportRowNote &note : import.unrecognised)
        parts << QStringLiteral("?%1").arg(note.row);
    for (const DuplicateRow &duplicate : import.duplicates)
        parts << QStringLiteral("%1>%2").arg(duplicate.row).arg(duplicate.keptRow);
    for (const ImportRowNote &note : import.notAmounts)
        parts << QStringLiteral("!%1").arg(note.row);
    for (const RoundedAmount &rounded : import.rounded)
        parts << QStringLiteral("~%1").arg(rounded.row);
    for (const TotalDifference &total : import.totalDifferences)
        parts << QStringLiteral("%1@%2:%3/%4")
                     .arg(QLatin1String(statementItems()[total.item].column))
                     .arg(total.row)
                     .arg(total.inFile)
                     .arg(total.computed);
    return parts.join(QLatin1Char(' '));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A workbook as an accounting program's export writes it, in libxlsxwriter's
// constant-memory mode, which writes every string inline: a title, the firm,
// the year as a date, two year columns headed by dates, an account number
// before a name, formulas with their cached results, and a date where an
// amount should be.
bool writeAccountingWorkbook(const QString &path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *workbook = workbook_new_opt(path.toUtf8().constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(workbook, "Balance Sheet");
    lxw_format *date = workbook_add_format(workbook);
    format_set_num_format(date, "mmm d, yyyy");
    lxw_datetime yearEnd{2006, 12, 31, 0, 0, 0};
    lxw_datetime yearBefore{2005, 12, 31, 0, 0, 0};
    worksheet_write_string(sheet, 0, 0, "Balance sheet and income statement", nullptr);
    worksheet_write_string(sheet, 1, 0, "Company name:", nullptr);
    worksheet_write_string(sheet, 1, 1, "Côté & Fils Ltée", nullptr);
    worksheet_write_string(sheet, 2, 0, "Fiscal year", nullptr);
    worksheet_write_datetime(sheet, 2, 1, &yearEnd, date);
    worksheet_write_string(sheet, 4, 0, "Account", nullptr);
    worksheet_write_datetime(sheet, 4, 1, &yearEnd, date);
    worksheet_write_datetime(sheet, 4, 2, &yearBefore, date);
    worksheet_write_string(sheet, 5, 0, "1000 · Cash", nullptr);
    worksheet_write_number(sheet, 5, 1, 1234.56, nullptr);
    worksheet_write_number(sheet, 5, 2, 900, nullptr);
    worksheet_write_string(sheet, 6, 0, "TRADE RECEIVABLES", nullptr);
    worksheet_write_string(sheet, 6, 1, "80,000", nullptr);
    worksheet_write_number(sheet, 6, 2, 70000, nullptr);
    worksheet_write_string(sheet, 7, 0, "Inventories", nullptr);
    worksheet_write_formula_num(sheet, 7, 1, "=1000+500", nullptr, 1500);
    worksheet_write_formula_num(sheet, 7, 2, "=1000+400", nullptr, 1400);
    worksheet_write_string(sheet, 8, 0, "Inventory counted on", nullptr);
    worksheet_write_datetime(sheet, 8, 1, &yearEnd, date);
    worksheet_write_string(sheet, 9, 0, "Total assets", nullptr);
    worksheet_write_formula_num(sheet, 9, 1, "=SUM(B6:B8)", nullptr, 82734.56);
    worksheet_write_formula_num(sheet, 9, 2, "=SUM(C6:C8)", nullptr, 72300);
    worksheet_write_string(sheet, 10, 0, "Net income", nullptr);
    worksheet_write_string(sheet, 10, 1, "(5 000)", nullptr);
    worksheet_write_number(sheet, 10, 2, 4000, nullptr);
    return workbook_close(workbook) == LXW_NO_ERROR;
}

// A zip holding one entry, encrypted when a password is given.
bool writeZip(const QString &path, const char *entry, const QByteArray &bytes,
              const char *password = nullptr)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return false;
    zip_source_t *source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    const zip_int64_t index = source ? zip_file_add(zip, entry, source, 0) : -1;
    const bool encrypted =
        !password || (index >= 0 && zip_file_set_encryption(zip, zip_uint64_t(index),
                                                            ZIP_EM_AES_256, password) == 0);
    if (index < 0 || !encrypted) {
        zip_discard(zip);
        return false;
    }
    return zip_close(zip) == 0;
}

// The signature of an encrypted Office workbook: a compound file whose
// directory names an "EncryptedPackage" stream.
QByteArray encryptedWorkbookBytes()
{
    QByteArray bytes("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8);
    bytes.append(504, '\0');
    for (const char c : QByteArrayLiteral("EncryptedPackage"))
        bytes.append(c).append('\0');
    bytes.append(1024, '\0');
    return bytes;
}
} // namespace

class tst_StatementImport : public QObject
{
    Q_OBJECT

private slots:
    void amountTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<DecimalComma>("comma");
        QTest::addColumn<QString>("expected"); // empty: not an amount

        const DecimalComma unclear = DecimalComma::WhenUnclear;
        const DecimalComma always = DecimalComma::Always;
        QTest::newRow("thousands comma") << "80,000" << unclear << "80000";
        QTest::newRow("thousands and cents") << "1,234,567.89" << unclear << "1234567.89";
        QTest::newRow("decimal comma, not three digits") << "12,5" << unclear << "12.5";
        QTest::newRow("fr:decimal comma in a ; file") << "80,000" << always << "80";
        QTest::newRow("fr:spaces and comma") << "1 234,56" << always << "1234.56";
        QTest::newRow("fr:no-break space, $ after") << "1\u00a0234 $" << always << "1234";
        QTest::newRow("points group, comma decimal") << "1.234.567,5" << unclear << "1234567.5";
        QTest::newRow("accounting parentheses") << "(1 234)" << unclear << "-1234";
        QTest::newRow("dollar sign") << "$5" << unclear << "5";
        QTest::newRow("minus before dollar") << "-$5.25" << unclear << "-5.25";
        QTest::newRow("dollar in parentheses") << "($1,000)" << unclear << "-1000";
        QTest::newRow("trailing minus") << "1234-" << unclear << "-1234";
        QTest::newRow("dash is zero") << "-" << unclear << "0";
        QTest::newRow("two signs") << "(-5)" << unclear << "";
        QTest::newRow("misplaced grouping") << "12,34,567" << unclear << "";
        QTest::newRow("percentage") << "12%" << unclear << "";
        QTest::newRow("words") << "n/a" << unclear << "";
        QTest::newRow("beyond the largest amount") << "1e300" << unclear << "";
        QTest::newRow("too many digits") << "99999999999999999999" << unclear << "";
    }

    void amountTexts()
    {
        QFETCH(QString, text);
        QFETCH(DecimalComma, comma);
        QFETCH(QString, expected);
        const std::optional<double> amount = parseImportAmount(text, comma);
        QCOMPARE(amount ? QString::number(*amount, 'f', 2).remove(QRegularExpression("\\.?0+$"))
                        : QString(),
                 expected);
    }

    void labelsNameOneThingEach()
    {
        QVERIFY2(ImportLabels::instance().ambiguous().isEmpty(),
                 qPrintable(ImportLabels::instance().ambiguous().join(QStringLiteral(", "))));
    }

    // Files as other programs write them.
    void otherPrograms_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("firm");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("amounts");
        QTest::addColumn<QString>("notes");

        QTest::newRow("xlsx, first year") << "xlsx"
                                          << "2006-12-31"
                                          << "2006-12-31"
                                          << "Côté & Fils Ltée" << 2006
                                          << "Cash=1235 Ar=80000 Inv=1500 Toa=82735 Ta=82735 "
                                             "ProfitAfterTax=-5000"
                                          << "?9 ~6 ~10";
        QTest::newRow("xlsx, year before by letter")
            << "xlsx"
            << "c"
            << "2005-12-31"
            << "Côté & Fils Ltée" << 2006
            << "Cash=900 Ar=70000 Inv=1400 Toa=72300 Ta=72300 ProfitAfterTax=4000"
            << "";
        QTest::newRow("fr:csv with BOM, ; and decimal commas")
            << "csv" << QString() << "Montant"
            << "Boulangerie Côté" << 2005
            << "Cash=1235 Ar=80000 Inv=2500 CA=-1000 Toa=82735 Ta=82735 OperatingRevenue=1500 "
               "AccountsPayable=82735 Tliab=82735 TotLiabShareEq=82735"
            << "~5 ~7 Ta@10:82734/82735";
    }

    void otherPrograms()
    {
        QFETCH(QString, kind);
        QFETCH(QString, column);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("statement.") + kind);
        if (kind == QLatin1String("xlsx")) {
            QVERIFY(writeAccountingWorkbook(path));
        } else {
            QVERIFY(writeFile(path, "\xef\xbb\xbf"
                                    "Entreprise;Boulangerie Côté\r\n"
                                    "Année;2005\r\n"
                                    "\r\n"
                                    "Poste;Montant\r\n"
                                    "  ENCAISSE ;1 234,56\r\n"
                                    "Comptes-débiteurs;\"80 000\"\r\n"
                                    "Stocks;2 500,4\r\n"
                                    "Immobilisations;(1 000)\r\n"
                                    "Créditeurs;82 735\r\n"
                                    "Total de l'actif;82 734\r\n"
                                    "Recettes d'exploitation;1.500\r\n"));
        }
        const FileImport result = importStatementFile(path, column);
        QCOMPARE(result.fault, ImportFault::None);
        QTEST(result.import.columnHeading, "heading");
        QTEST(result.import.firmName, "firm");
        QTEST(result.import.year.value_or(0), "year");
        QTEST(testsupport::nonZeroAmounts(result.import.statement), "amounts");
        QTEST(noted(result.import), "notes");
    }

    // What an import must say rather than take, and the files it refuses.
    void problems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("column");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QString>("amounts");
        QTest::addColumn<QString>("notes");

        const auto row = [](const char *tag, const char *name, const QByteArray &bytes,
                            ImportFault fault, const char *amounts = "", const char *notes = "",
                            const char *column = "") {
            QTest::newRow(tag) << QString::fromLatin1(name) << bytes << QString::fromLatin1(column)
                               << fault << QString::fromLatin1(amounts)
                               << QString::fromLatin1(notes);
        };
        row("unknown rows, duplicates, bad amounts", "s.csv",
            "Item,Amount\n"
            "Cash,100\n"
            "Goodwill,50\n"
            "cash,200\n"
            "Accounts receivable,n/a\n"
            "Inventory,12%\n"
            "Total assets,999\n"
            "Balance sheet,\n"
            "Inventory,\n"
            "Stocks,\"1,5\"\n"
            "Amount,Amount\n",
            ImportFault::None, "Cash=100 Inv=2 Toa=102 Ta=102", "?3 4>2 !5 !6 ~10 Ta@7:999/102");
        row("several columns, one named", "s.csv", "Item,2006,2005\nCash,1,2\nAr,3,4\n",
            ImportFault::None, "Cash=2 Ar=4 Toa=6 Ta=6", "", "2005");
        row("several columns, none named", "s.csv", "Item,2006,2005\nCash,1,2\n",
            ImportFault::ColumnNotChosen);
        row("column not in the file", "s.csv", "Item,2006,2005\nCash,1,2\n",
            ImportFault::UnknownColumn, "", "", "2004");
        row("no heading: the column holding amounts", "s.txt", "Cash\t10\tnote\nAr\t$20\t\n",
            ImportFault::None, "Cash=10 Ar=20 Toa=30 Ta=30");
        row("empty file", "e.csv", "", ImportFault::Empty);
        row("blank lines only", "e.csv", "\r\n ; \r\n\r\n", ImportFault::Empty);
        row("not a spreadsheet", "p.xlsx", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
            ImportFault::NotSpreadsheet);
        row("damaged zip", "d.xlsx", QByteArray("PK\x03\x04", 4) + QByteArray(200, 'x'),
            ImportFault::NotSpreadsheet);
        row("zip without a workbook", "zip", "", ImportFault::NotSpreadsheet);
        row("password-protected workbook", "x.xlsx", encryptedWorkbookBytes(),
            ImportFault::PasswordProtected);
        row("password-protected zip", "zip+password", "", ImportFault::PasswordProtected);
        row("mixed separators", "m.csv", "Item;Amount\nCash;10\nAr,20\nInv,30\n",
            ImportFault::MixedSeparators);
        row("no amount column", "n.csv", "Code,Name\nCash,Encaisse\nAr,Débiteurs\n",
            ImportFault::NoAmountColumn);
        row("no statement item", "n.csv", "Name,Phone\nBob,555-1234\n", ImportFault::NoItems);
    }

    void problems()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, column);
        QTemporaryDir dir;
        QString path = dir.filePath(name);
        if (name.startsWith(QLatin1String("zip"))) {
            path = dir.filePath(QStringLiteral("book.xlsx"));
            QVERIFY(name.endsWith(QLatin1String("password"))
                        ? writeZip(path, "xl/workbook.xml", "<workbook/>", "secret")
                        : writeZip(path, "notes.txt", "Cash,10\n"));
        } else {
            QVERIFY(writeFile(path, bytes));
        }
        const FileImport result = importStatementFile(path, column);
        QTEST(result.fault, "fault");
        QTEST(testsupport::nonZeroAmounts(result.import.statement), "amounts");
        QTEST(noted(result.import), "notes");
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_StatementImport)
#include "tst_StatementImport.moc"
