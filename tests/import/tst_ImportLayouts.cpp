// Files as accountants bring them: trial balances (debit and credit
// columns, or one signed balance), account numbers, amounts in thousands,
// this program's own exports, the client's own labels, and the checks a
// statement must pass before it is saved, as the summary says them.
#include "core/ResourceString.h"
#include "firm/StatementItems.h"
#include "import/ImportLabels.h"
#include "import/ImportTexts.h"
#include "import/StatementImport.h"
#include "reports/SpreadsheetExport.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QFile>

Q_DECLARE_METATYPE(ImportFault)
Q_DECLARE_METATYPE(Language)

namespace {
QString column(int item)
{
    return item < 0 ? QStringLiteral("-") : QLatin1String(statementItems()[item].column);
}

// The checks failed, "Unbalanced Ta 100/90 Negative Ar -5@3 …".
QString failed(const StatementImport &import)
{
    static const QStringList kinds{"Unbalanced", "IncomeOrder", "Negative", "FileTotal"};
    QStringList parts;
    for (const ImportCheck &check : import.checks) {
        QString part = kinds.at(int(check.kind)) + QLatin1Char(' ') + column(check.item) +
                       QLatin1Char(' ') + QString::number(check.amount, 'f', 0);
        if (check.kind != ImportCheck::Kind::Negative)
            part += QLatin1Char('/') + QString::number(check.other, 'f', 0);
        if (check.row > 0)
            part += QLatin1Char('@') + QString::number(check.row);
        parts << part;
    }
    return parts.join(QLatin1Char(' '));
}

// What else the import notes, by the file's rows: "Cash:3+4" accounts
// summed, "?5" not recognised, "6>3" a duplicate, "-7" ignored as mapped.
QString noted(const FileImport &result)
{
    QStringList parts;
    for (const SummedAccounts &summed : result.import.summed) {
        QStringList rows;
        for (const int row : summed.rows)
            rows << QString::number(row);
        parts << column(summed.item) + QLatin1Char(':') + rows.join(QLatin1Char('+'));
    }
    for (const ImportRowNote &note : result.import.unrecognised)
        parts << QStringLiteral("?%1").arg(note.row);
    for (const DuplicateRow &duplicate : result.import.duplicates)
        parts << QStringLiteral("%1>%2").arg(duplicate.row).arg(duplicate.keptRow);
    for (const int row : result.file.ignoredRows)
        parts << QStringLiteral("-%1").arg(result.file.table.rowNumber(row));
    return parts.join(QLatin1Char(' '));
}

FileImport importText(const QByteArray &text, const QString &column = {},
                      const ImportOptions &options = {})
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("statement.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return {};
    file.close();
    return importStatementFile(path, column, options);
}

// "label=Item|other=": the client's assignments, by folded label.
LabelMapping mappingOf(const QString &pairs)
{
    LabelMapping mapping;
    for (const QString &pair : pairs.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        mapping.insert(foldImportLabel(pair.section(QLatin1Char('='), 0, 0)),
                       pair.section(QLatin1Char('='), 1));
    return mapping;
}

// A pre-closing trial balance under a title: account numbers in their own
// column, a contra account, the year's revenue and expenses not closed.
const QByteArray kTrialBalance =
    "\"Maple Ridge Homes Ltd - Trial balance as at December 31, 2006\",,,\n"
    "Account No.,Account,Debit,Credit\n"
    "1000,Cash,\"12,500.00\",\n"
    "1200,Accounts receivable,8000,\n"
    "1500,Equipment,30000,\n"
    "1510,Accumulated amortization,,6000\n"
    "2000,Accounts payable,,4500\n"
    "2100,Bank loan,,10000\n"
    "3000,Common shares,,100\n"
    "3100,Retained earnings,,20900\n"
    "4000,Sales,,95000\n"
    "5000,Cost of goods sold,60000,\n"
    "5100,Wages,25000,\n"
    "5200,Interest expense,\"1,000\",\n";
const char *kTrialBalanceAmounts =
    "Cash=12500 Ar=8000 CA=24000 Toa=44500 Ta=44500 Sales=95000 InterestExpense=1000 "
    "AccountsPayable=4500 Banks=10000 Tliab=14500 ShareC=100 RetEarn=20900 Equity1=21000 "
    "TotLiabShareEq=35500";

// The same firm's balances as a French program exports them: one signed
// column, credits below zero, every account closed to zero in all.
const QByteArray kSignedBalance = "Compte;Description;Solde\n"
                                  "1010;Encaisse;5 000,00\n"
                                  "1100;Comptes clients;3 000\n"
                                  "1300;Stocks;2 000\n"
                                  "2100;Fournisseurs et charges à payer;-4 000\n"
                                  "2500;Impôts futurs;-1 000\n"
                                  "3100;Capital-actions;-100\n"
                                  "3200;Bénéfices non répartis;-4 900\n"
                                  "4000;Ventes de biens et services;-50 000\n"
                                  "5000;Coût des ventes;30 000\n"
                                  "5100;Salaires;19 000\n"
                                  "5200;Intérêts sur la dette à long terme;1 000\n";

} // namespace

class tst_ImportLayouts : public QObject
{
    Q_OBJECT

private slots:
    void layouts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("scale"); // 0: as the file says
        QTest::addColumn<QString>("mapping");
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QString>("amounts");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("firstLine"); // the summary's

        const auto row = [](const char *tag, const QByteArray &text, const char *amounts,
                            const char *checks, const char *notes, const QString &firstLine,
                            Language language = Language::English, const char *column = "",
                            int scale = 0, const char *mapping = "",
                            ImportFault fault = ImportFault::None) {
            QTest::newRow(tag) << text << QString::fromUtf8(column) << scale
                               << QString::fromUtf8(mapping) << fault << QString::fromUtf8(amounts)
                               << QString::fromUtf8(checks) << QString::fromUtf8(notes) << language
                               << firstLine;
        };
        // The year's profit is not yet in retained earnings: the sides
        // differ by it, and the summary says so first.
        row("en:debit and credit under a title, account numbers", kTrialBalance,
            kTrialBalanceAmounts, "Unbalanced Ta 44500/35500", "CA:5+6 ?12 ?13",
            "Total assets 44,500 ≠ total liabilities and equity 35,500 (difference 9,000)");
        row("en:the pair named by its debit heading", kTrialBalance, kTrialBalanceAmounts,
            "Unbalanced Ta 44500/35500", "CA:5+6 ?12 ?13",
            "Total assets 44,500 ≠ total liabilities and equity 35,500 (difference 9,000)",
            Language::English, "Debit");
        row("fr:signed balances, credits below zero", kSignedBalance,
            "Cash=5000 Ar=3000 Inv=2000 Toa=10000 Ta=10000 Sales=50000 InterestExpense=1000 "
            "AccountsPayable=4000 DefTax=1000 Tliab=5000 ShareC=100 RetEarn=4900 Equity1=5000 "
            "TotLiabShareEq=10000",
            "", "?10 ?11",
            "Lu comme une balance de vérification à soldes signés (crédits négatifs) : les "
            "soldes des passifs, des capitaux propres et des revenus sont pris avec le signe "
            "inversé",
            Language::French);
        row("en:two accounts in one item, Dr and Cr, numbered labels",
            "Account,Dr,Cr\n"
            "1000 - Cash in bank,4800,\n"
            "1010 · Petty cash,200,\n"
            "2000 Accounts payable,,4999\n"
            "3000 Capital stock,,1\n",
            "Cash=5000 Toa=5000 Ta=5000 AccountsPayable=4999 Tliab=4999 ShareC=1 Equity1=1 "
            "TotLiabShareEq=5000",
            "", "Cash:2+3",
            "Read as a trial balance: each item is its accounts' debits less their credits, or "
            "their credits less their debits for liabilities, equity and revenue");
        row("en:a statement keeps its signs and its first row",
            "Item,Amount\n"
            "Cash,100\n"
            "Cash,50\n"
            "Accounts payable,120\n"
            "Retained earnings,(20)\n",
            "Cash=100 Toa=100 Ta=100 AccountsPayable=120 Tliab=120 RetEarn=-20 Equity1=-20 "
            "TotLiabShareEq=100",
            "", "3>2", "Amounts from the column: \"Amount\"");
        row("fr:en milliers in the heading",
            "Poste;2006 (en milliers de dollars)\n"
            "Encaisse;12,5\n"
            "Créditeurs;12,5\n",
            "Cash=12500 Toa=12500 Ta=12500 AccountsPayable=12500 Tliab=12500 "
            "TotLiabShareEq=12500",
            "", "",
            QString::fromUtf8("Montants en milliers, comme l'indique le fichier (« 2006 (en "
                              "milliers de dollars) ») : chacun multiplié par 1\u00a0000"),
            Language::French);
        row("en:$000 heading", "Item,2006 $000\nCash,3\nAccounts payable,3\n",
            "Cash=3000 Toa=3000 Ta=3000 AccountsPayable=3000 Tliab=3000 TotLiabShareEq=3000", "",
            "", "Amounts in thousands, as the file says (\"2006 $000\"): each multiplied by 1,000");
        row("en:the option multiplies", "Item,Amount\nCash,7\nAccounts payable,7\n",
            "Cash=7000 Toa=7000 Ta=7000 AccountsPayable=7000 Tliab=7000 TotLiabShareEq=7000", "",
            "", "Amounts in thousands, as asked: each multiplied by 1,000", Language::English, "",
            1000);
        row("en:a row mapped to an item, one ignored, one mapped over the wordings",
            "Account,Debit,Credit\n"
            "Bank - operating,900,\n"
            "Suspense,100,\n"
            "Sales,,600\n"
            "Common shares,,400\n",
            "Cash=900 Toa=900 Ta=900 OperatingRevenue=600 ShareC=400 Equity1=400 "
            "TotLiabShareEq=400",
            "Unbalanced Ta 900/400", "-3",
            "Total assets 900 ≠ total liabilities and equity 400 (difference 500)",
            Language::English, "", 0, "Bank - operating=Cash|suspense=|SALES=OperatingRevenue");
        row("en:no item given an amount",
            "Item,Amount\nCash,\nAccounts receivable,\nTotal assets,100\n", "",
            "FileTotal Ta 100/0@4", "",
            "No statement item gets an amount from this column: nothing would be imported.",
            Language::English, "", 0, "", ImportFault::NothingFilled);
    }

    void layouts()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, column);
        QFETCH(int, scale);
        QFETCH(QString, mapping);
        QFETCH(Language, language);
        ImportOptions options;
        if (scale > 0)
            options.scale = scale;
        options.mapping = mappingOf(mapping);
        const FileImport result = importText(text, column, options);
        QTEST(result.fault, "fault");
        QTEST(testsupport::nonZeroAmounts(result.import.statement), "amounts");
        QTEST(failed(result.import), "checks");
        QTEST(noted(result), "notes");
        QTEST(importSummaryLines(result.import, language).value(0), "firstLine");
    }

    // The columns offered for the amounts, and the name that picks one.
    void offeredColumns_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("offered"); // headings, "|" between
        QTest::addColumn<QString>("name");    // asked for; must pick the first
        QTest::addColumn<QString>("amounts");

        QTest::newRow("title with a year above a trial balance's headings")
            << QByteArray("Trial balance December 31 2006,,,\n"
                          "No.,Account,Debit,Credit\n"
                          "1000,Cash,500,\n"
                          "2000,Accounts payable,,500\n")
            << "Debit / Credit"
            << "credit"
            << "Cash=500 Toa=500 Ta=500 AccountsPayable=500 Tliab=500 TotLiabShareEq=500";
        QTest::newRow("the credit's letter picks the pair")
            << QByteArray("Account,Debit,Credit\nCash,5,\nAccounts payable,,5\n")
            << "Debit / Credit"
            << "C"
            << "Cash=5 Toa=5 Ta=5 AccountsPayable=5 Tliab=5 TotLiabShareEq=5";
        QTest::newRow("account numbers without a heading")
            << QByteArray("1000,Cash,500\n1200,Accounts receivable,300\n1300,Inventory,200\n")
            << "C"
            << "c"
            << "Cash=500 Ar=300 Inv=200 Toa=1000 Ta=1000";
        QTest::newRow("NAICS and Year columns headed")
            << QByteArray("Item,NAICS,Year,Amount\nCash,236110,2006,100\nAr,236110,2006,200\n")
            << "Amount"
            << "amount"
            << "Cash=100 Ar=200 Toa=300 Ta=300";
        QTest::newRow("NAICS and Year columns without headings")
            << QByteArray("Cash,236110,2006,100\nAr,236110,2006,200\nInv,236110,2006,50\n") << "D"
            << "D"
            << "Cash=100 Ar=200 Inv=50 Toa=350 Ta=350";
        QTest::newRow("fr:n° de compte and two years")
            << QByteArray("N° de compte;Poste;2006;2005\n"
                          "1010;Encaisse;10;9\n"
                          "1100;Débiteurs;20;19\n")
            << "2006|2005"
            << "2006"
            << "Cash=10 Ar=20 Toa=30 Ta=30";
    }

    void offeredColumns()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, name);
        const FileImport result = importText(text, name);
        QStringList offered;
        for (const AmountColumn &amountColumn : result.file.amountColumns)
            offered << amountColumn.heading;
        QTEST(offered.join(QLatin1Char('|')), "offered");
        QCOMPARE(amountColumnIndex(result.file, name), 0);
        QCOMPARE(result.fault, ImportFault::None);
        QTEST(testsupport::nonZeroAmounts(result.import.statement), "amounts");
    }

    // This program's comparison, exported as CSV, is no statement: refused,
    // even when its Year column is asked for.
    void ownExportRefused_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("says");
        QTest::newRow("en:its Year column asked for") << Language::English << "Year"
                                                      << "not a firm's statement";
        QTest::newRow("fr") << Language::French << QString() << "exporté par ce programme";
    }

    void ownExportRefused()
    {
        QFETCH(Language, language);
        QFETCH(QString, column);
        QFETCH(QString, says);
        ReportWorkbook workbook;
        workbook.language =
            language == Language::French ? ReportLanguage::French : ReportLanguage::English;
        workbook.about = {QStringLiteral("Comparison"),
                          QStringLiteral("236110"),
                          QStringLiteral("Residential building construction"),
                          QStringLiteral("Volume 1"),
                          QStringLiteral("Acme"),
                          2006,
                          QStringLiteral("Comparison"),
                          QString()};
        ReportSheet sheet;
        sheet.name = QStringLiteral("Balance sheet");
        sheet.headings = {QStringLiteral("Item"), QStringLiteral("Firm"),
                          QStringLiteral("2006 Median")};
        for (const char *item : {"Cash", "Accounts receivable", "Inventory"})
            sheet.rows << QVector<SheetCell>{{QString::fromLatin1(item), {}},
                                             {1500.0, NumberFormat{}},
                                             {1200.0, NumberFormat{}}};
        workbook.sheets << sheet;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("comparison.csv"));
        QVERIFY(writeCsv(workbook, path));
        const FileImport result = importStatementFile(path, column);
        QCOMPARE(result.fault, ImportFault::OwnExport);
        QCOMPARE(testsupport::nonZeroAmounts(result.import.statement), QString());
        const QString message = importFaultMessage(result.fault, path, language, result.file);
        QVERIFY2(message.contains(says) && message.contains(path), qPrintable(message));
    }

    // The wordings accountants use, in either language, and what they name.
    void labels_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("item"); // "-": no item

        const auto row = [](const char *label, const char *item) {
            QTest::newRow(label) << QString::fromUtf8(label) << QString::fromLatin1(item);
        };
        row("Ventes de biens et services", "Sales");
        row("Sales of goods & services", "Sales");
        row("Net property and equipment", "CA");
        row("Accounts payable & accrued liabilities", "AccountsPayable");
        row("Créditeurs & charges à payer", "AccountsPayable");
        row("Accounts receivable, net", "Ar");
        row("1000 - Cash", "Cash");
        row("4000 Ventes", "Sales");
        row("Petty cash", "Cash");
        row("Amortissement cumulé", "CA");
        row("Frais payés d'avance", "OA");
        row("Loans from shareholders", "Ol");
        row("Avances des actionnaires", "Ol");
        row("Marge de crédit", "Banks");
        row("Deferred revenue", "OLiab");
        row("Revenus reportés", "OLiab");
        row("Prêt hypothécaire", "Mtg");
        row("Income taxes payable", "AccountsPayable");
        row("Actions ordinaires", "ShareC");
        row("Retained earnings (deficit)", "RetEarn");
        // The whole wording first: "net" is no noise word here.
        row("Net income", "ProfitAfterTax");
        row("Revenu net", "ProfitAfterTax");
        row("Income", "-");
        row("Net", "-");
        row("Debit", "-");
    }

    void labels()
    {
        QFETCH(QString, label);
        const std::optional<LabelMatch> match = ImportLabels::instance().match(label);
        QTEST(match && match->kind == LabelKind::Item ? column(match->item) : QStringLiteral("-"),
              "item");
    }

    // The checks, said first with both amounts and the difference.
    void checks_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QString>("firstLine");

        QTest::newRow("fr:unbalanced")
            << QByteArray("Poste;2006\nEncaisse;1 250 000\nCréditeurs;1 260 000\n")
            << Language::French << "Unbalanced Ta 1250000/1260000"
            << QString::fromUtf8("Total des actifs 1\u00a0250\u00a0000 ≠ total des passifs et "
                                 "capitaux propres 1\u00a0260\u00a0000 (écart 10\u00a0000)");
        QTest::newRow("en:cents never fail")
            << QByteArray("Item,2006\nCash,100.40\nAccounts payable,100\n") << Language::English
            << ""
            << "Amounts from the column: \"2006\"";
        QTest::newRow("en:negative receivable")
            << QByteArray("Item,2006\nCash,2200\nAccounts receivable,\"(1,200)\"\n"
                          "Accounts payable,1000\n")
            << Language::English << "Negative Ar -1200@3"
            << "Accounts receivable -1,200 is below zero, which this line cannot be (row 3)";
        QTest::newRow("en:a deficit may be negative")
            << QByteArray("Item,2006\nCash,800\nAccounts payable,1000\nRetained earnings,-200\n")
            << Language::English << ""
            << "Amounts from the column: \"2006\"";
        QTest::newRow("en:gross profit above sales")
            << QByteArray("Item,2006\nSales,40000\nGross profit,50000\n") << Language::English
            << "IncomeOrder GrossProfit 50000/40000@3"
            << "Annual gross profit 50,000 is greater than annual sales of goods and services "
               "40,000 (difference 10,000), which it is part of (row 3)";
        QTest::newRow("fr:sales above operating revenue")
            << QByteArray("Poste;2006\nRecettes d'exploitation;900\nVentes;1 000\n")
            << Language::French << "IncomeOrder Sales 1000/900@3"
            << QString::fromUtf8("Ventes annuelles de biens et services 1\u00a0000 dépasse "
                                 "recettes d'exploitation annuelles 900 (écart 100), dont il "
                                 "fait partie (ligne 3)");
        // Operating revenue besides sales can lift operating profit above
        // gross profit; a later profit can exceed an earlier one.
        QTest::newRow("en:orders that need not hold")
            << QByteArray("Item,2006\nOperating revenue,1000\nSales,600\nGross profit,100\n"
                          "Operating profit,300\nPretax profit,400\nNet income,500\n")
            << Language::English << ""
            << "Amounts from the column: \"2006\"";
        QTest::newRow("en:the file's total")
            << QByteArray("Item,2006\nCash,100\nTotal assets,90\n") << Language::English
            << "Unbalanced Ta 100/0 FileTotal Ta 90/100@3"
            << "Total assets 100 ≠ total liabilities and equity 0 (difference 100)";
    }

    void checks()
    {
        QFETCH(QByteArray, text);
        QFETCH(Language, language);
        const FileImport result = importText(text);
        QCOMPARE(result.fault, ImportFault::None);
        QTEST(failed(result.import), "checks");
        QTEST(importSummaryLines(result.import, language).value(0), "firstLine");
    }

    // Thousands of rows not recognised are summed up, not listed; a
    // negative is written with a minus.
    void summaryLists_data()
    {
        QTest::addColumn<int>("unknown");
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("negative");
        QTest::newRow("en:200 rows")
            << 200 << Language::English << 50 << "  … and 150 more rows not recognised"
            << "  Row 3: \"Wages\" (-1,200)";
        QTest::newRow("fr:200 rows")
            << 200 << Language::French << 50 << "  … et 150 autres lignes non reconnues"
            << QString::fromUtf8("  Ligne 3 : « Wages » (-1\u00a0200)");
        QTest::newRow("en:50 rows, all listed")
            << 50 << Language::English << 50 << "  Row 52: \"Account 50\" (7)"
            << "  Row 3: \"Wages\" (-1,200)";
    }

    void summaryLists()
    {
        QFETCH(int, unknown);
        QFETCH(Language, language);
        QFETCH(int, listed);
        QByteArray text = "Item,Amount\nCash,10\nWages,\"(1,200)\"\n";
        for (int n = 2; n <= unknown; ++n)
            text += "Account " + QByteArray::number(n) + ",7\n";
        const FileImport result = importText(text);
        QCOMPARE(result.import.unrecognised.size(), qsizetype(unknown));
        const QStringList lines = importSummaryLines(result.import, language);
        const QStringList rows =
            lines.filter(QRegularExpression(QStringLiteral("^  (Row|Ligne) ")));
        QCOMPARE(rows.size(), qsizetype(listed));
        QTEST(lines.last(), "last");
        QTEST(rows.first(), "negative");
    }

    // The faults of a file that cannot be used say what to do.
    void faultMessages_data()
    {
        QTest::addColumn<ImportFault>("fault");
        QTest::addColumn<QStringList>("places");
        QTest::addColumn<QString>("says");
        QTest::newRow("en:nothing filled")
            << ImportFault::NothingFilled << QStringList() << "choose the column that holds them";
        QTest::newRow("en:sheet not chosen")
            << ImportFault::SheetNotChosen << QStringList{"2006", "2005"}
            << "(\"2006\", \"2005\"). Name the sheet to read (with --sheet";
        QTest::newRow("en:formulas without values")
            << ImportFault::FormulaWithoutValue << QStringList{"Sheet1!B8", "Sheet1!B9"}
            << "(Sheet1!B8, Sheet1!B9), so their amounts are unknown. Give the formulas a "
               "value: open the file in a spreadsheet program and save it again";
        QTest::newRow("en:ragged line")
            << ImportFault::RaggedCsvRow << QStringList{"12"} << "Line 12 of statement.csv splits";
    }

    void faultMessages()
    {
        QFETCH(ImportFault, fault);
        QFETCH(QStringList, places);
        QFETCH(QString, says);
        StatementFile file;
        file.faultPlaces = places;
        const QString message =
            importFaultMessage(fault, QStringLiteral("statement.csv"), Language::English, file);
        QVERIFY2(message.contains(says), qPrintable(message));
        QVERIFY(!importFaultMessage(fault, QStringLiteral("statement.csv"), Language::French, file)
                     .isEmpty());
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ImportLayouts)
#include "tst_ImportLayouts.moc"
