#include "support/TestSupport.h"

#include "firm/ItemDefinitions.h"
#include "firm/ShowItemDefinition.h"
#include "firm/StatementItems.h"

#include <QFile>
#include <QRegularExpression>

using namespace testsupport;

class tst_ItemDefinitions : public QObject
{
    Q_OBJECT

private slots:
    void everyItemHasADefinition_data();
    void everyItemHasADefinition();
    void definitionsFollowTheStatementItems();
    void resourceDefinesEveryItem_data();
    void resourceDefinesEveryItem();
    void resourceReadsWithoutWarnings();
    void readingTheTable_data();
    void readingTheTable();

    void joinRule_data();
    void joinRule();

    void cashBodies_data();
    void cashBodies();
    void computedItemsAreSingleParagraphs_data();
    void computedItemsAreSingleParagraphs();
    void singleLineBodiesHaveNoLineBreak();
    void letteredLinesCarryTwoBlanks();
    void subListIndent_data();
    void subListIndent();
    void inclusionWordFollowsTheLanguage();
    void capitalAssetsInclusions_data();
    void capitalAssetsInclusions();
    void joinedLinesKeepTheirBlank_data();
    void joinedLinesKeepTheirBlank();

    void shownInTheCurrentLanguage_data();
    void shownInTheCurrentLanguage();
    void labelWithoutDefinitionShowsNothing();
};

void tst_ItemDefinitions::everyItemHasADefinition_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("englishTitle");
    QTest::addColumn<QString>("frenchTitle");
    QTest::addColumn<int>("englishLines");
    QTest::addColumn<int>("frenchLines");

    struct Row
    {
        const char *label, *item, *english, *french;
        int englishLines, frenchLines;
    };
    const Row rows[] = {
        {"lblCash", "Cash", "CASH AND DEPOSITS DEFINITION", "DÉFINITION ENCAISSE ET DÉPÔTS", 8, 8},
        {"lblReceivables", "Ar", "ACCOUNTS RECEIVABLE DEFINITION", "DÉFINITION COMPTES DÉBITEURS",
         14, 14},
        {"lblInventory", "Inv", "INVENTORIES DEFINITION", "DÉFINITION STOCKS", 10, 10},
        {"lblCapitalAssets", "CA", "CAPITAL ASSETS DEFINITION", "DÉFINITION IMMOBILISATIONS", 15,
         13},
        {"lblOtherAssets", "OA", "OTHER ASSETS DEFINITION", "DÉFINITION AUTRES ACTIFS", 1, 1},
        {"lblTotalOA", "Toa", "TOTAL OPERATING ASSETS DEFINITION",
         "DÉFINITION TOTAL, ACTIFS D'EXPLOITATION", 1, 1},
        {"lblInvestments", "Invest", "INVESTMENT WITH AFFILIATES DEFINITION",
         "DÉFINITION PLACEMENTS AUPRÈS DE SOCIÉTÉS AFFILIÉES", 6, 6},
        {"lblPortfolio", "Ptfl", "PORTFOLIO INVESTMENTS", "DÉFINITION PLACEMENTS DE PORTEFEUILLE",
         8, 8},
        {"lblTotalAssets", "Ta", "TOTAL ASSETS DEFINITION", "DÉFINITION TOTAL,ACTIFS", 1, 1},
        {"lblOperatingRevenue", "OperatingRevenue", "ANNUAL OPERATING REVENUE DEFINITION",
         "DÉFINITION RECETTES d 'EXPLOITATION ANNUELLES", 5, 5},
        {"lblRevenue", "Sales", "SALES OF GOODS AND SERVICES DEFINITION ",
         "DÉFINITION VENTES DE BIENS ET DE SERVICES ANNUELLES", 1, 1},
        {"lblGrossProfit", "GrossProfit", "GROSS PROFIT DEFINITION ",
         "DÉFINITION BÉNÉFICE BRUTE ANNUELLES", 1, 1},
        {"lblOperatingProfit", "OperatingProfit", "OPERATING PROFIT DEFINITION ",
         "DÉFINITION REVENUS D 'EXPLOITATION ANNUELLES", 8, 8},
        {"lblInterestExpense", "InterestExpense", "INTEREST EXPENSE ON DEBT DEFINITION",
         "DÉFINITION FRAIS d 'INTÉRÊT SUR DETTES ANNUELLES", 12, 12},
        {"lblPretaxProfit", "PretaxProfit", "PRETAX PROFIT DEFINITION",
         "DÉFINITION BÉNÉFICE AVANT IMPÔTS ANNUELLES", 1, 1},
        {"lblAftertaxProfit", "ProfitAfterTax", "NET PROFIT DEFINITION",
         "DÉFINITION BÉNÉFICE NETTE ANNUELLES", 1, 1},
        {"lblAccountPayable", "AccountsPayable", "ACCOUNTS PAYABLE DEFINITION",
         "DÉFINITION COMPTES CRÉDITEURS", 7, 7},
        {"lblBanks", "Banks", "BANK LOANS DEFINITION", "DÉFINITION EMPRUNTS BANCAIRES", 5, 5},
        {"lblShortterm", "Paper", "SHORT-TERM PAPER DEFINITION ", "DÉFINITION PAPIER À COURT TERME",
         4, 4},
        {"lblMortgages", "Mtg", "MORTGAGE LOANS DEFINITION ", "DÉFINITION HYPOTHÉQUES", 1, 1},
        {"lblBonds", "Bonds", "BONDS AND DEBENTURES DEFINITION", "DÉFINITION OBLIGATIONS", 7, 7},
        {"lblOtherLoans", "Ol", "OTHER LOANS DEFINITION", "DÉFINITION AUTRES EMPRUNTS", 6, 6},
        {"lblAffiliate", "AmtsAffil",
         "AMOUNTS OWING TO PARENT, SUBSIDIARIES AND AFFILIATES DEFINITION",
         "DÉFINITION SOMMES DUES À LA SOCIÉTÉ MÈRE, AUX FILIALES ET AUX SOCIÉTÉS AFFILIÉES", 3, 3},
        {"lblOtherLiabilities", "OLiab", "OTHER LIABILITIES DEFINITION", "DÉFINITION AUTRES PASSIF",
         7, 7},
        {"lblDeferredTax", "DefTax", "DEFERRED INCOME TAXES DEFINITION",
         "DÉFINITION IMPÔTS SUR LE REVENU REPORTÉ", 3, 3},
        {"lblLiabilities", "Tliab", "TOTAL LIABILITIES DEFINITION", "DÉFINITION TOTAL, PASSIFS", 1,
         1},
        {"lblShareCapital", "ShareC", "SHARE CAPITAL DEFINITION", "DÉFINITION CAPITAL -ACTIONS", 6,
         6},
        {"lblRetainedEarnings", "RetEarn", "RETAINED EARNINGS DEFINITION",
         "DÉFINITION BÉNÉFICES NON RÉPARTIS", 2, 2},
        {"lblOther", "OtherSur", "OTHER SURPLUS DEFINITION", "DÉFINITION AUTRES SURPLUS", 6, 6},
        {"lblEquity", "Equity1", "TOTAL SHAREHOLDERS'S EQUITY DEFINITION",
         "DÉFINITION CAPITAUX PROPRES", 1, 1},
        {"lblTotal", "TotLiabShareEq", "TOTAL LIABILITIES AND SHAREHOLDERS'S EQUITY DEFINITION",
         "DÉFINITION TOTAL, PASSIFS ET CAPITAUX PROPRES", 1, 1},
        {"lblCurrentAssets", "CurrentAssets", "TOTAL CURRENT ASSETS DEFINITION ",
         "DÉFINITION ACTIFS À COURT TERME", 1, 1},
        {"lblCurrentLiabilities", "CurrentLiabilities", "TOTAL CURRENT LIABILITIES DEFINITION ",
         "DÉFINITION PASSIFS À COURT TERME", 1, 1},
    };
    for (const Row &row : rows)
        QTest::newRow(row.label) << QString::fromUtf8(row.label) << QString::fromUtf8(row.item)
                                 << QString::fromUtf8(row.english) << QString::fromUtf8(row.french)
                                 << row.englishLines << row.frenchLines;
}

void tst_ItemDefinitions::everyItemHasADefinition()
{
    QFETCH(QString, label);
    QFETCH(QString, item);
    QFETCH(QString, englishTitle);
    QFETCH(QString, frenchTitle);
    QFETCH(int, englishLines);
    QFETCH(int, frenchLines);

    const ItemDefinition *definition = findItemDefinition(label);
    QVERIFY(definition);
    QCOMPARE(definition->item, item);
    QCOMPARE(definition->english.title, englishTitle);
    QCOMPARE(definition->french.title, frenchTitle);
    QCOMPARE(definition->english.lines.size(), englishLines);
    QCOMPARE(definition->french.lines.size(), frenchLines);
    for (const DefinitionText *text : {&definition->english, &definition->french}) {
        for (const DefinitionLine &line : text->lines)
            QVERIFY2(!line.text.trimmed().isEmpty(), qPrintable(label));
        QVERIFY(!joinDefinitionBody(*text).isEmpty());
    }
}

void tst_ItemDefinitions::definitionsFollowTheStatementItems()
{
    // One definition per statement item, behind the label the screen shows.
    const auto &definitions = itemDefinitions();
    QCOMPARE(definitions.size(), kStatementItemCount);
    for (int i = 0; i < kStatementItemCount; ++i) {
        QCOMPARE(definitions.at(i).labelName, QString::fromLatin1(statementItems()[i].labelName));
        QCOMPARE(definitions.at(i).item, QString::fromLatin1(statementItems()[i].column));
    }
    QCOMPARE(findItemDefinition(QStringLiteral("lblFirmName")), nullptr);
    QCOMPARE(findItemDefinition(QStringLiteral("lblYear")), nullptr);
    QCOMPARE(findItemDefinition(QStringLiteral("lblAsset")), nullptr);
}

void tst_ItemDefinitions::resourceDefinesEveryItem_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("language");
    for (int i = 0; i < kStatementItemCount; ++i) {
        for (const int language : {0, 1})
            QTest::addRow("%s:%s", language == 0 ? "en" : "fr", statementItems()[i].column)
                << i << language;
    }
}

void tst_ItemDefinitions::resourceDefinesEveryItem()
{
    QFETCH(int, item);
    QFETCH(int, language);
    const ItemDefinition &definition = itemDefinitions().at(item);
    QCOMPARE(definition.item, QString::fromLatin1(statementItems()[item].column));
    const DefinitionText &text = definition.text(Language(language));
    QVERIFY(!text.title.trimmed().isEmpty());
    QVERIFY(!text.lines.isEmpty());
    QVERIFY(!joinDefinitionBody(text).trimmed().isEmpty());
}

void tst_ItemDefinitions::resourceReadsWithoutWarnings()
{
    // No unreadable line, no row for a column the item list does not hold.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    QFile file(QStringLiteral(":/firm/item_definitions.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QVector<ItemDefinition> read = readItemDefinitions(QString::fromUtf8(file.readAll()));
    QCOMPARE(read.size(), kStatementItemCount);
    QCOMPARE(read.at(0).english.title, itemDefinitions().at(0).english.title);
}

void tst_ItemDefinitions::readingTheTable_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("title");        // Cash's English title
    QTest::addColumn<QString>("body");         // Cash's English body
    QTest::addColumn<QStringList>("warnings"); // besides the list of missing texts
    QTest::addColumn<QString>("missing");      // how that list starts

    const QString crlf2 = QStringLiteral("\r\n\r\n");
    QTest::newRow("lines and a joined line")
        << "Cash\ten\ttitle\tT\nCash\ten\tline\tA, \nCash\ten\tjoined\tb\n"
           "Cash\ten\tline\tC\n"
        << "T"
        << "A, b" + crlf2 + "C" + crlf2 << QStringList() << "Cash/fr, Ar/en, Ar/fr";
    QTest::newRow("last line without breaks")
        << "Cash\ten\ttitle\tT\nCash\ten\tline\tA\nCash\ten\tlast\tB\n"
        << "T"
        << "A" + crlf2 + "B" << QStringList() << "Cash/fr, Ar/en, Ar/fr";
    QTest::newRow("single line without breaks") << "Cash\ten\ttitle\tT\nCash\ten\tline\tA\n"
                                                << "T"
                                                << "A" << QStringList() << "Cash/fr, Ar/en, Ar/fr";
    QTest::newRow("comments, blank lines and blanks kept")
        << "# Cash\ten\ttitle\tNo\n\nCash\ten\ttitle\t T \nCash\ten\tline\t  A \n"
        << " T "
        << "  A " << QStringList() << "Cash/fr, Ar/en, Ar/fr";
    QTest::newRow("both languages")
        << "Cash\tfr\ttitle\tTF\nCash\ten\ttitle\tT\nCash\tfr\tline\tAF\n"
           "Cash\ten\tline\tA\n"
        << "T"
        << "A" << QStringList() << "Ar/en, Ar/fr, Inv/en";
    QTest::newRow("title without body") << "Cash\ten\ttitle\tT\n"
                                        << "T"
                                        << "" << QStringList() << "Cash/en, Cash/fr, Ar/en";
    QTest::newRow("unknown part") << "Cash\ten\tnote\tA\n"
                                  << ""
                                  << "" << QStringList{"unreadable line Cash\ten\tnote\tA"}
                                  << "Cash/en, Cash/fr";
    QTest::newRow("unknown language")
        << "Cash\tde\ttitle\tT\n"
        << ""
        << "" << QStringList{"unreadable line Cash\tde\ttitle\tT"} << "Cash/en, Cash/fr";
    QTest::newRow("escaped tab and backslash")
        << "Cash\ten\ttitle\tT\\tU\nCash\ten\tline\tA\\\\B\n"
        << "T\tU"
        << "A\\B" << QStringList() << "Cash/fr, Ar/en, Ar/fr";
    QTest::newRow("tab inside a text")
        << "Cash\ten\ttitle\tT\tU\n"
        << ""
        << "" << QStringList{"unreadable line Cash\ten\ttitle\tT\tU"} << "Cash/en, Cash/fr";
    QTest::newRow("column not in the item list")
        << "Kash\ten\ttitle\tT\n"
        << ""
        << "" << QStringList{"not statement items: Kash"} << "Cash/en, Cash/fr";
}

void tst_ItemDefinitions::readingTheTable()
{
    QFETCH(QString, table);
    QFETCH(QString, title);
    QFETCH(QString, body);
    QFETCH(QStringList, warnings);
    QFETCH(QString, missing);

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^Item definitions: no title or no "
                                                           "body for ") +
                                            QRegularExpression::escape(missing + u',')));
    for (const QString &warning : warnings)
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("Item definitions: ") + warning));
    const QVector<ItemDefinition> read = readItemDefinitions(table);

    // One definition per item whatever the table holds; a missing text is empty.
    QCOMPARE(read.size(), kStatementItemCount);
    QCOMPARE(read.at(0).labelName, QStringLiteral("lblCash"));
    QCOMPARE(read.at(0).english.title, title);
    QCOMPARE(joinDefinitionBody(read.at(0).english), body);
    const ItemDefinition &receivables = read.at(1);
    QCOMPARE(receivables.item, QStringLiteral("Ar"));
    for (const DefinitionText *text : {&receivables.english, &receivables.french}) {
        QCOMPARE(text->title, QString());
        QCOMPARE(joinDefinitionBody(*text), QString());
    }
}

void tst_ItemDefinitions::joinRule_data()
{
    QTest::addColumn<QVector<DefinitionLine>>("lines");
    QTest::addColumn<bool>("endsWithBreaks");
    QTest::addColumn<QString>("body");

    QTest::newRow("single paragraph")
        << QVector<DefinitionLine>{"One."} << true << QStringLiteral("One.");
    QTest::newRow("lines each followed by two breaks")
        << QVector<DefinitionLine>{"Inclusions", "a)  one"} << true
        << QStringLiteral("Inclusions\r\n\r\na)  one\r\n\r\n");
    QTest::newRow("line continuing the previous one")
        << QVector<DefinitionLine>{"First, ", DefinitionLine("second.", true), "Third"} << true
        << QStringLiteral("First, second.\r\n\r\nThird\r\n\r\n");
    QTest::newRow("body ending without breaks")
        << QVector<DefinitionLine>{"One.", "Two."} << false << QStringLiteral("One.\r\n\r\nTwo.");
}

void tst_ItemDefinitions::joinRule()
{
    QFETCH(QVector<DefinitionLine>, lines);
    QFETCH(bool, endsWithBreaks);
    QFETCH(QString, body);
    const DefinitionText text{QStringLiteral("T"), lines,
                              endsWithBreaks ? BodyEnd::Breaks : BodyEnd::NoBreaks};
    QCOMPARE(joinDefinitionBody(text), body);
}

void tst_ItemDefinitions::cashBodies_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("body");
    const QString crlf2 = QStringLiteral("\r\n\r\n");
    QTest::newRow("en") << 0
                        << QStringList{"Inclusions",
                                       "a)  demand, notice, savings and term deposits",
                                       "b)  restricted demand deposits",
                                       "c)  guaranteed investment certificates and debentures",
                                       "d)  guaranteed savings certificates",
                                       "e)  deposit receipts",
                                       "f)  bearer deposit notes",
                                       "g)  swapped deposits"}
                                   .join(crlf2) +
                               crlf2;
    QTest::newRow("fr") << 1
                        << QStringList{"Inclure",
                                       "a)  dépôts à vue, à préavis, d'épargne et à terme",
                                       "b)  dépôts à vue restrictifs",
                                       "c)  certificats de placement garanti et obligations "
                                       "garanties et non garanties",
                                       "d)  dépôts de certificats de placement garanti",
                                       "e)  recettes sous forme de dépôts",
                                       "f)  billets au porteur",
                                       "g)  dépôts swaps"}
                                   .join(crlf2) +
                               crlf2;
}

void tst_ItemDefinitions::cashBodies()
{
    QFETCH(int, language);
    QFETCH(QString, body);
    QCOMPARE(
        joinDefinitionBody(findItemDefinition(QStringLiteral("lblCash"))->text(Language(language))),
        body);
}

void tst_ItemDefinitions::computedItemsAreSingleParagraphs_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("body");
    QTest::newRow("en:Toa") << "lblTotalOA" << 0
                            << "This amount should include all assets relevant to operating "
                               "activities.  It should also be equal to the sum of the amounts "
                               "entered above.";
    QTest::newRow("fr:Toa") << "lblTotalOA" << 1
                            << "Ce montant comprend tous actifs ayant rapport aux activités "
                               "d'exploitation.  Il devrait être égal à la somme des chiffres "
                               "ci-dessus.";
    QTest::newRow("en:Ta") << "lblTotalAssets" << 0
                           << "This amount should be the sum of the values entered for total "
                              "operating assets, investments with affiliates and portfolio "
                              "investments.";
    QTest::newRow("fr:Ta") << "lblTotalAssets" << 1
                           << "Ce montant devrait être la somme des valeurs pour total, actifs "
                              "d'exploitation, placements auprès de sociétés affiliées et "
                              "placements de portefeuille.";
    QTest::newRow("en:Tliab") << "lblLiabilities" << 0
                              << "This amount should be equal to the sum of the values entered "
                                 "above.";
    QTest::newRow("fr:Tliab") << "lblLiabilities" << 1
                              << "Ce montant devrait être égal au somme des chiffres ci-dessus.";
    QTest::newRow("en:Equity1") << "lblEquity" << 0
                                << "This amount should be equal to the sum of the values entered "
                                   "for share capital, retained earnings, and other surplus.";
    QTest::newRow("fr:Equity1") << "lblEquity" << 1
                                << "Ce montant devrait être la somme des valeurs pour "
                                   "captial-actions, bénéfices non répartis et autres surplus.";
    QTest::newRow("en:TotLiabShareEq")
        << "lblTotal" << 0
        << "This amount should be equal to the sum of the values entered for total liabilities "
           "and shareholder's equity.  It should also be equal to the amount entered for total "
           "assets.";
    QTest::newRow("fr:TotLiabShareEq")
        << "lblTotal" << 1
        << "Ce montant devrait être la somme des valeurs pour total, passifs et captaux propres.  "
           "Il devrait être égal à la chiffre total, actifs.";
}

void tst_ItemDefinitions::computedItemsAreSingleParagraphs()
{
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QString, body);
    QCOMPARE(joinDefinitionBody(findItemDefinition(label)->text(Language(language))), body);
}

void tst_ItemDefinitions::singleLineBodiesHaveNoLineBreak()
{
    for (const ItemDefinition &definition : itemDefinitions()) {
        for (const DefinitionText *text : {&definition.english, &definition.french}) {
            if (text->lines.size() == 1)
                QCOMPARE(joinDefinitionBody(*text), text->lines.first().text);
            else
                QVERIFY2(joinDefinitionBody(*text).contains(QStringLiteral("\r\n\r\n")),
                         qPrintable(definition.labelName));
        }
    }
}

void tst_ItemDefinitions::letteredLinesCarryTwoBlanks()
{
    // "a)", "iii)" and the like: exactly two blanks after the parenthesis.
    const QRegularExpression marker(QStringLiteral("^\\s*[a-z]{1,4}\\)"));
    const QRegularExpression twoBlanks(QStringLiteral("^\\s*[a-z]{1,4}\\)  \\S"));
    int lettered = 0;
    for (const ItemDefinition &definition : itemDefinitions()) {
        for (const DefinitionText *text : {&definition.english, &definition.french}) {
            for (const DefinitionLine &line : text->lines) {
                if (!marker.match(line.text).hasMatch())
                    continue;
                ++lettered;
                QVERIFY2(twoBlanks.match(line.text).hasMatch(), qPrintable(line.text));
            }
        }
    }
    QVERIFY(lettered > 100);
}

void tst_ItemDefinitions::subListIndent_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("indent");
    QTest::newRow("en:receivable") << "lblReceivables" << 0 << "     ";
    QTest::newRow("fr:receivable") << "lblReceivables" << 1 << "     ";
    QTest::newRow("en:payable") << "lblAccountPayable" << 0 << "";
    QTest::newRow("fr:payable") << "lblAccountPayable" << 1 << "";
}

void tst_ItemDefinitions::subListIndent()
{
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QString, indent);
    const QString body = joinDefinitionBody(findItemDefinition(label)->text(Language(language)));
    const QStringList lines = body.split(QStringLiteral("\r\n\r\n"), Qt::SkipEmptyParts);
    QStringList subList;
    for (const QString &line : lines) {
        if (QRegularExpression(QStringLiteral("^\\s*i+\\)")).match(line).hasMatch())
            subList << line;
    }
    QVERIFY(subList.size() >= 2);
    QVERIFY(subList.first().startsWith(indent + QStringLiteral("i)  ")));
    QVERIFY(subList.at(1).startsWith(indent + QStringLiteral("ii)  ")));
    for (const QString &line : subList)
        QCOMPARE(line.size() - line.trimmed().size(), indent.size());
}

void tst_ItemDefinitions::inclusionWordFollowsTheLanguage()
{
    int lists = 0;
    for (const ItemDefinition &definition : itemDefinitions()) {
        for (const DefinitionLine &line : definition.english.lines)
            QVERIFY2(line.text != QStringLiteral("Inclure"), qPrintable(definition.labelName));
        for (const DefinitionLine &line : definition.french.lines)
            QVERIFY2(line.text != QStringLiteral("Inclusions"), qPrintable(definition.labelName));
        const bool english = std::any_of(
            definition.english.lines.cbegin(), definition.english.lines.cend(),
            [](const DefinitionLine &line) { return line.text == QStringLiteral("Inclusions"); });
        const bool french = std::any_of(
            definition.french.lines.cbegin(), definition.french.lines.cend(),
            [](const DefinitionLine &line) { return line.text == QStringLiteral("Inclure"); });
        QCOMPARE(french, english);
        lists += english ? 1 : 0;
    }
    QVERIFY(lists >= 15);
}

void tst_ItemDefinitions::capitalAssetsInclusions_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("lastLetter");
    QTest::newRow("en") << 0 << "Inclusions"
                        << "j)  ";
    QTest::newRow("fr") << 1 << "Inclure"
                        << "h)  ";
}

void tst_ItemDefinitions::capitalAssetsInclusions()
{
    QFETCH(int, language);
    QFETCH(QString, opening);
    QFETCH(QString, lastLetter);
    const auto &lines =
        findItemDefinition(QStringLiteral("lblCapitalAssets"))->text(Language(language)).lines;
    int start = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines.at(i).text == opening)
            start = i;
    QVERIFY(start >= 0);
    int end = start + 1;
    while (end < lines.size() && lines.at(end).text.at(1) == QLatin1Char(')'))
        ++end;
    QVERIFY(lines.at(start + 1).text.startsWith(QStringLiteral("a)  ")));
    QVERIFY(lines.at(end - 1).text.startsWith(lastLetter));
}

void tst_ItemDefinitions::joinedLinesKeepTheirBlank_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("line");
    QTest::newRow("en:investments")
        << "lblInvestments" << 0
        << "An affiliate is a company that controls the firm, is controlled by it or is under the "
           "same control.";
    QTest::newRow("fr:investments")
        << "lblInvestments" << 1
        << "Une société affiliée est une société qui contrôle l'entreprise, qui est contrôlée par "
           "elle ou qui est sous le même contrôle.";
    QTest::newRow("en:operating revenue")
        << "lblOperatingRevenue" << 0
        << "Operating revenue is the revenue earned from the firm's main activities, net of "
           "returns, allowances and discounts.";
    QTest::newRow("fr:operating revenue")
        << "lblOperatingRevenue" << 1
        << "Les recettes d'exploitation sont les recettes tirées des activités principales de "
           "l'entreprise, déduction faite des rendus, rabais et escomptes.";
}

void tst_ItemDefinitions::joinedLinesKeepTheirBlank()
{
    // The first part of each of these lines ends with a blank the line relies on.
    QFETCH(QString, label);
    QFETCH(int, language);
    QFETCH(QString, line);
    const QString body = joinDefinitionBody(findItemDefinition(label)->text(Language(language)));
    QVERIFY2(body.split(QStringLiteral("\r\n\r\n")).contains(line), qPrintable(body));
}

void tst_ItemDefinitions::shownInTheCurrentLanguage_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("start");
    QTest::newRow("en:cash") << 0 << "lblCash"
                             << "CASH AND DEPOSITS DEFINITION"
                             << "Inclusions\r\n\r\na)  demand";
    QTest::newRow("fr:cash") << 1 << "lblCash"
                             << "DÉFINITION ENCAISSE ET DÉPÔTS"
                             << "Inclure\r\n\r\na)  dépôts à vue";
    QTest::newRow("en:total liabilities") << 0 << "lblLiabilities"
                                          << "TOTAL LIABILITIES DEFINITION"
                                          << "This amount should be equal";
    QTest::newRow("fr:total liabilities") << 1 << "lblLiabilities"
                                          << "DÉFINITION TOTAL, PASSIFS"
                                          << "Ce montant devrait être égal";
}

void tst_ItemDefinitions::shownInTheCurrentLanguage()
{
    QFETCH(int, language);
    QFETCH(QString, label);
    QFETCH(QString, title);
    QFETCH(QString, start);

    StateScope state;
    MessageRecorder recorder;
    // Switch languages first: the box follows the language at the click.
    appState().gintLanguage = Language(1 - language);
    subShowItemDefinition(label);
    appState().gintLanguage = Language(language);
    subShowItemDefinition(label);

    QCOMPARE(recorder.messages.size(), 2);
    const MessageRecord &shown = recorder.messages.last();
    QCOMPARE(shown.title, title);
    QVERIFY2(shown.text.startsWith(start), qPrintable(shown.text));
    QCOMPARE(shown.text, joinDefinitionBody(findItemDefinition(label)->text(Language(language))));
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QCOMPARE(shown.icon, MsgIcon::Information);
    QVERIFY(recorder.messages.first().title != title);
}

void tst_ItemDefinitions::labelWithoutDefinitionShowsNothing()
{
    MessageRecorder recorder;
    subShowItemDefinition(QStringLiteral("lblFirmName"));
    subShowItemDefinition(QStringLiteral("lblIncome"));
    QVERIFY(recorder.messages.isEmpty());
}

QUORVEL_TEST_MAIN(tst_ItemDefinitions)
#include "tst_ItemDefinitions.moc"
