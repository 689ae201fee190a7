#include "firm/AmountKeys.h"
#include "firm/AmountRange.h"
#include "firm/AmountText.h"
#include "firm/PastedAmount.h"
#include "firm/ReferenceYears.h"
#include "firm/StatementItems.h"
#include "support/LogicTestSupport.h"

#include <QLocale>
#include <cmath>
#include <cstdint>
#include <optional>

class tst_FirmAmounts : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void normalForm_data();
    void normalForm();
    void doubleTextRoundTrips_data();
    void doubleTextRoundTrips();
    void doubleTextRoundTripsRandomAmounts();
    void exactSum_data();
    void exactSum();
    void subtotals_data();
    void subtotals();
    void keyClasses_data();
    void keyClasses();
    void minus_data();
    void minus();
    void pastedAmounts_data();
    void pastedAmounts();
    void rangeFaults_data();
    void rangeFaults();
    void storableAmount_data();
    void storableAmount();
    void years_data();
    void years();
    void comparisonList();
    void enterOrderSkipsSubtotals();
    void enterTargets_data();
    void enterTargets();
    void focusOrder();
    void subtotalRulesNameItems();
};

void tst_FirmAmounts::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("padded zeros") << "0012.50000" << 12.5;
    QTest::newRow("letters end it") << "7abc" << 7.0;
    QTest::newRow("comma ends it") << "1,234" << 1.0;
    QTest::newRow("blanks anywhere") << " - 1 2\t3\n" << -123.0;
    QTest::newRow("second point ends it") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("D exponent") << "1D2" << 100.0;
    QTest::newRow("negative exponent") << "25E-1" << 2.5;
    QTest::newRow("exponent without digits") << "2E+" << 2.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("plus sign") << "+42" << 42.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("scientific subtotal") << "1.234568E+07" << 12345680.0;
}

void tst_FirmAmounts::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(fncLeadingNumber(text), expected);
}

void tst_FirmAmounts::normalForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "refused" when there is no normal form
    QTest::newRow("trailing zeros") << "0012.50000"
                                    << "12.5";
    QTest::newRow("letters") << "7abc"
                             << "7";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("negative zero") << "-0"
                                   << "0";
    QTest::newRow("four decimals") << "1.23456"
                                   << "1.2346";
    QTest::newRow("half to even, down to zero") << "0.00005"
                                                << "0";
    QTest::newRow("half to even, up") << "0.00015"
                                      << "0.0002";
    QTest::newRow("half to even, down") << "0.00025"
                                        << "0.0002";
    QTest::newRow("half to even, carry") << "9.99995"
                                         << "10";
    QTest::newRow("negative") << "-3.14159"
                              << "-3.1416";
    QTest::newRow("scientific subtotal") << "1.234568E+07"
                                         << "12345680";
    QTest::newRow("many digits with decimals") << "123456789012.3456"
                                               << "123456789012.3456";
    QTest::newRow("largest whole amount") << "922337203685477"
                                          << "922337203685477";
    QTest::newRow("too large") << "1e15"
                               << "refused";
    QTest::newRow("too large negative") << "-99999999999999999999"
                                        << "refused";
    QTest::newRow("overflow") << "1e400"
                              << "refused";
}

void tst_FirmAmounts::normalForm()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const std::optional<QString> normal = fncAmountNormalForm(text);
    QCOMPARE(normal.value_or(QStringLiteral("refused")), expected);
}

void tst_FirmAmounts::doubleTextRoundTrips_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 15005123.0 << "15005123";
    QTest::newRow("negative") << -1234.0 << "-1234";
    QTest::newRow("tenth") << 0.1 << "0.1";
    QTest::newRow("never scientific") << 1e14 << "100000000000000";
    QTest::newRow("small, never scientific") << 0.00001 << "0.00001";
    // 15 significant digits would store 123456789012.346.
    QTest::newRow("above 1e11 with decimals") << 123456789012.3456 << "123456789012.3456";
    QTest::newRow("seventeen digits") << 0.30000000000000004 << "0.30000000000000004";
    QTest::newRow("largest amount") << kLargestAmount << "922337203685477.6";
}

void tst_FirmAmounts::doubleTextRoundTrips()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QString text = fncDoubleText(value);
    QCOMPARE(text, expected);
    // A reopened amount saved again stores the same number.
    QCOMPARE(fncStorableAmount(text), std::optional<double>(value));
}

void tst_FirmAmounts::doubleTextRoundTripsRandomAmounts()
{
    // Stored amounts of every size, with and without decimals.
    std::uint64_t state = 0x9e3779b97f4a7c15ULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 5000; ++i) {
        const double magnitude = std::pow(10.0, double(next() % 15));
        const double value =
            (double(next() % 1000000007) / 1000000007.0) * magnitude * (next() % 2 ? 1 : -1);
        const QString text = fncDoubleText(value);
        QVERIFY2(!text.contains(QLatin1Char('e'), Qt::CaseInsensitive), qPrintable(text));
        const std::optional<double> back = fncStorableAmount(text);
        QVERIFY2(back && *back == value, qPrintable(text));
    }
}

void tst_FirmAmounts::exactSum_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected");
    QTest::newRow("small whole amounts") << QStringList{"1", "2", "3"} << "6";
    // Single precision lost the odd digits above 2^24.
    QTest::newRow("one above 2^24 is kept") << QStringList{"16777216", "1"} << "16777217";
    QTest::newRow("odd total") << QStringList{"15000000", "5123"} << "15005123";
    QTest::newRow("left to right") << QStringList{"100000000", "1", "-100000000"} << "1";
    QTest::newRow("tenths add up exactly") << QStringList{"0.1", "0.2"} << "0.3";
    QTest::newRow("four decimals") << QStringList{"1234567890.1234", "0.0001"} << "1234567890.1235";
    QTest::newRow("text and blanks") << QStringList{"", "12abc", " 3 "} << "15";
    QTest::newRow("negative amounts") << QStringList{"-250", "100"} << "-150";
    QTest::newRow("beyond the largest amount: plain digits")
        << QStringList{"900000000000000", "900000000000000"} << "1800000000000000";
}

void tst_FirmAmounts::exactSum()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);
    QCOMPARE(fncSubtotalText(fncExactSum(texts)), expected);
}

void tst_FirmAmounts::subtotals_data()
{
    QTest::addColumn<QStringList>("entered"); // column=text pairs
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("cash alone") << QStringList{"Cash=123"}
                                << QStringList{"Toa=123", "Ta=123", "Tliab=0", "Equity1=0",
                                               "TotLiabShareEq=0"};
    QTest::newRow("ten million cash in plain digits")
        << QStringList{"Cash=12345678"}
        << QStringList{"Cash=12345678", "Toa=12345678", "Ta=12345678"};
    QTest::newRow("totals above 2^24 with odd digits")
        << QStringList{"Cash=16777217", "Ar=3", "Invest=1", "Banks=33554433", "ShareC=-16777213"}
        << QStringList{"Toa=16777220", "Ta=16777221", "Tliab=33554433", "Equity1=-16777213",
                       "TotLiabShareEq=16777220"};
    QTest::newRow("every group") << QStringList{"Cash=1",
                                                "Ar=2",
                                                "Inv=3",
                                                "CA=4",
                                                "OA=5",
                                                "Invest=10",
                                                "Ptfl=20",
                                                "AccountsPayable=1",
                                                "Banks=1",
                                                "Paper=1",
                                                "Mtg=1",
                                                "Bonds=1",
                                                "Ol=1",
                                                "AmtsAffil=1",
                                                "OLiab=1",
                                                "DefTax=1",
                                                "ShareC=30",
                                                "RetEarn=-5",
                                                "OtherSur=10.5",
                                                "CurrentAssets=999",
                                                "CurrentLiabilities=888"}
                                 << QStringList{"Toa=15",
                                                "Ta=45",
                                                "Tliab=9",
                                                "Equity1=35.5",
                                                "TotLiabShareEq=44.5",
                                                "CurrentAssets=999"};
}

void tst_FirmAmounts::subtotals()
{
    QFETCH(QStringList, entered);
    QFETCH(QStringList, expected);
    QHash<QString, QString> amounts;
    for (const StatementItem &item : statementItems())
        amounts.insert(QString::fromLatin1(item.column), QStringLiteral("0"));
    for (const QString &pair : entered)
        amounts.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    fncApplySubtotals(amounts);
    for (const QString &pair : expected)
        QCOMPARE(pair.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') +
                     amounts.value(pair.section(QLatin1Char('='), 0, 0)),
                 pair);
}

void tst_FirmAmounts::keyClasses_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("expected");
    QTest::newRow("digit 0") << int('0') << int(AmountKey::Accept);
    QTest::newRow("digit 9") << int('9') << int(AmountKey::Accept);
    QTest::newRow("backspace") << 8 << int(AmountKey::Accept);
    QTest::newRow("enter") << 13 << int(AmountKey::Enter);
    QTest::newRow("minus") << int('-') << int(AmountKey::Minus);
    QTest::newRow("decimal point") << int('.') << int(AmountKey::Reject);
    QTest::newRow("comma") << int(',') << int(AmountKey::Reject);
    QTest::newRow("blank") << int(' ') << int(AmountKey::Reject);
    QTest::newRow("plus") << int('+') << int(AmountKey::Reject);
    QTest::newRow("letter") << int('a') << int(AmountKey::Reject);
    QTest::newRow("escape") << 27 << int(AmountKey::Reject);
    QTest::newRow("paste shortcut") << 22 << int(AmountKey::Reject);
}

void tst_FirmAmounts::keyClasses()
{
    QFETCH(int, code);
    QFETCH(int, expected);
    QCOMPARE(int(fncClassifyAmountKey(code)), expected);
}

void tst_FirmAmounts::minus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("expected");
    QTest::newRow("positive") << "250" << 0 << 0 << "-250";
    QTest::newRow("already negative stays negative") << "-250" << 0 << 0 << "-250";
    QTest::newRow("zero leaves a lone sign") << "0" << 0 << 0 << "-";
    QTest::newRow("empty leaves a lone sign") << "" << 0 << 0 << "-";
    QTest::newRow("lone sign stays") << "-" << 0 << 0 << "-";
    QTest::newRow("selection removed first") << "1500" << 1 << 2 << "-10";
    QTest::newRow("whole text selected") << "1500" << 0 << 4 << "-";
    QTest::newRow("fraction") << "12.5" << 0 << 0 << "-12.5";
}

void tst_FirmAmounts::minus()
{
    QFETCH(QString, text);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, expected);
    QCOMPARE(fncTextAfterMinus(text, selectionStart, selectionLength).value_or(QString()),
             expected);
}

// Amounts as spreadsheets copy them, pasted into a box holding "5" with the
// caret at its end; "refused" when the paste is no amount.
void tst_FirmAmounts::pastedAmounts_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    const QString refused = QStringLiteral("refused");
    QTest::newRow("digits") << "80000"
                            << "580000";
    QTest::newRow("comma thousands") << "80,000"
                                     << "580000";
    QTest::newRow("copied cell with its line end") << "80,000\r\n"
                                                   << "580000";
    QTest::newRow("blank thousands") << "1 234 567"
                                     << "51234567";
    QTest::newRow("no-break space thousands") << "80\u00a0000"
                                              << "580000";
    QTest::newRow("narrow no-break space thousands") << "80\u202f000"
                                                     << "580000";
    QTest::newRow("accounting negative") << "(1 234)"
                                         << "-51234";
    QTest::newRow("leading dollar") << "$5"
                                    << "55";
    QTest::newRow("trailing dollar, French") << "80 000 $"
                                             << "580000";
    QTest::newRow("negative dollars") << "($1,234)"
                                      << "-51234";
    QTest::newRow("minus sign") << "-3"
                                << "-53";
    QTest::newRow("too large stays digits for the range check") << "1234567890123456"
                                                                << "51234567890123456";
    // Cents are rounded, half away from zero, as an import rounds them.
    QTest::newRow("fraction rounded") << "12.5"
                                      << "513";
    QTest::newRow("French decimals are no thousands") << "80 000,00 $"
                                                      << "580000";
    QTest::newRow("negative cents rounded") << "(1,234.56)"
                                            << "-51235";
    QTest::newRow("cents rounding to zero") << "0.4"
                                            << "50";
    QTest::newRow("group of four") << "8,0000" << refused;
    QTest::newRow("doubled separator") << "1  000" << refused;
    QTest::newRow("leading separator") << ",000" << refused;
    QTest::newRow("dollar alone") << "$" << refused;
    QTest::newRow("unclosed parenthesis") << "(5" << refused;
    QTest::newRow("letters") << "12abc" << refused;
}

void tst_FirmAmounts::pastedAmounts()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    const std::optional<PastedAmount> amount = fncPastedAmount(clipboard);
    QCOMPARE(amount ? fncTextAfterPaste(QStringLiteral("5"), 0, 0, 1, *amount)
                    : QStringLiteral("refused"),
             after);
}

void tst_FirmAmounts::rangeFaults_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");
    const QString largestEn = QStringLiteral("922,337,203,685,477");
    const QString largestFr = QStringLiteral("922\u00a0337\u00a0203\u00a0685\u00a0477");
    QTest::newRow("within") << QStringList{"Cash=922337203685477", "Banks=-922337203685477"} << ""
                            << ""
                            << "";
    QTest::newRow("item") << QStringList{"Cash=1234567890123456"} << "Cash"
                          << "This amount is too large. The largest amount accepted is " +
                                 largestEn + "."
                          << "Ce montant est trop élevé. Le plus grand montant accepté est " +
                                 largestFr + ".";
    QTest::newRow("negative item") << QStringList{"Ar=-922337203685478"} << "Ar"
                                   << ""
                                   << "";
    QTest::newRow("item before subtotal")
        << QStringList{"Cash=900000000000000", "Ar=900000000000000", "Sales=1e300"} << "Sales"
        << ""
        << "";
    QTest::newRow("subtotal") << QStringList{"Cash=900000000000000", "Ar=900000000000000"} << "Toa*"
                              << "With this amount, “Total operating assets” would be too "
                                 "large. The largest amount accepted is " +
                                     largestEn + "."
                              << "Avec ce montant, le «\u00a0Total, actifs d'exploitation\u00a0» "
                                 "serait trop élevé. Le plus grand montant accepté est " +
                                     largestFr + ".";
    QTest::newRow("subtotal of subtotals")
        << QStringList{"Banks=900000000000000", "ShareC=900000000000000"} << "TotLiabShareEq*"
        << ""
        << "";
}

void tst_FirmAmounts::rangeFaults()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, fault);
    QFETCH(QString, english);
    QFETCH(QString, french);
    QHash<QString, QString> texts;
    for (const QString &pair : amounts)
        texts.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    const std::optional<AmountRangeFault> found = fncAmountRangeFault(texts);
    QCOMPARE(found ? found->column + (found->subtotal ? QStringLiteral("*") : QString())
                   : QString(),
             fault);
    if (!english.isEmpty()) {
        QCOMPARE(fncAmountRangeMessage(*found, Language::English), english);
        QCOMPARE(fncAmountRangeMessage(*found, Language::French), french);
    }
}

void tst_FirmAmounts::storableAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");
    QTest::addColumn<double>("value");
    QTest::newRow("zero") << "0" << true << 0.0;
    QTest::newRow("negative fraction") << "-12.5" << true << -12.5;
    QTest::newRow("scientific subtotal") << "1.234568E+07" << true << 12345680.0;
    QTest::newRow("blanks around") << " 5 " << true << 5.0;
    QTest::newRow("letters after digits") << "12abc" << false << 0.0;
    QTest::newRow("lone sign") << "-" << false << 0.0;
    QTest::newRow("digit grouping") << "1,234" << false << 0.0;
    QTest::newRow("too large") << "1e15" << false << 0.0;
}

void tst_FirmAmounts::storableAmount()
{
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QFETCH(double, value);
    // A French default locale must not change how amounts are read.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    const std::optional<double> amount = fncStorableAmount(text);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(amount.has_value(), storable);
    if (storable)
        QCOMPARE(*amount, value);
}

void tst_FirmAmounts::years_data()
{
    QTest::addColumn<QString>("yearText");
    QTest::addColumn<bool>("passesTextTest");
    QTest::addColumn<int>("comparisonYear"); // 0: refused
    QTest::newRow("first") << "2004" << true << 2004;
    QTest::newRow("middle") << "2005" << true << 2005;
    QTest::newRow("last") << "2006" << true << 2006;
    QTest::newRow("before") << "2003" << false << 0;
    QTest::newRow("after") << "2007" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("trailing blank sorts after 2006") << "2006 " << false << 0;
    QTest::newRow("letters after a valid year") << "2005x" << true << 0;
    QTest::newRow("five digits") << "20050" << true << 0;
}

void tst_FirmAmounts::years()
{
    QFETCH(QString, yearText);
    QFETCH(bool, passesTextTest);
    QFETCH(int, comparisonYear);
    QCOMPARE(fncYearTextInRange(yearText), passesTextTest);
    QCOMPARE(int(fncComparisonYear(yearText).value_or(0)), comparisonYear);
}

void tst_FirmAmounts::comparisonList()
{
    QStringList amounts;
    for (int i = 0; i < kStatementItemCount; ++i)
        amounts << QString::number(i + 4);
    const QStringList values =
        fncComparisonValues(QStringLiteral(" Joe's "), 2005, QStringLiteral("541110"),
                            QStringLiteral("  Lawyers' offices "), amounts);
    QCOMPARE(values.size(), 37);
    QCOMPARE(values.mid(0, 4),
             (QStringList{QStringLiteral(" Joe's "), QStringLiteral("2005"),
                          QStringLiteral("541110"), QStringLiteral("Lawyers' offices")}));
    // From position 4 on, a position is the column number of MyValues.
    for (int position = 4; position < 37; ++position)
        QCOMPARE(values.at(position), QString::number(position));
    QCOMPARE(QString::fromLatin1(statementItems()[36 - 4].column),
             QStringLiteral("CurrentLiabilities"));
    // The comment, when there is one, follows the amounts.
    QCOMPARE(fncComparisonValues(QStringLiteral("Joe's"), 2005, QString(), QString(), amounts,
                                 QStringLiteral("A note\non two lines"))
                 .value(kComparisonComment),
             QStringLiteral("A note\non two lines"));
}

void tst_FirmAmounts::enterOrderSkipsSubtotals()
{
    // Following Enter from Cash visits every entered box once and never a subtotal.
    QStringList visited;
    QString column = QStringLiteral("Cash");
    for (int step = 0; step < 28; ++step) {
        visited << column;
        column = fncEnterTarget(column);
    }
    QCOMPARE(column, QStringLiteral("AccountsPayable"));
    QStringList entered;
    for (const StatementItem &item : statementItems()) {
        if (!item.computed)
            entered << QString::fromLatin1(item.column);
    }
    visited.sort();
    entered.sort();
    QCOMPARE(visited, entered);
}

void tst_FirmAmounts::enterTargets_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("target");
    QTest::newRow("within the assets") << "Cash"
                                       << "Ar";
    QTest::newRow("subtotal to the next asset") << "Toa"
                                                << "Invest";
    QTest::newRow("last asset to the first liability") << "Ptfl"
                                                       << "AccountsPayable";
    QTest::newRow("total assets to the first liability") << "Ta"
                                                         << "AccountsPayable";
    QTest::newRow("total liabilities to the equity") << "Tliab"
                                                     << "ShareC";
    QTest::newRow("over two subtotals") << "OtherSur"
                                        << "CurrentAssets";
    QTest::newRow("equity subtotal") << "Equity1"
                                     << "CurrentAssets";
    QTest::newRow("grand total") << "TotLiabShareEq"
                                 << "CurrentAssets";
    QTest::newRow("current items to the income") << "CurrentLiabilities"
                                                 << "OperatingRevenue";
    QTest::newRow("last income item back to the liabilities") << "ProfitAfterTax"
                                                              << "AccountsPayable";
    QTest::newRow("not an item") << "FirmName"
                                 << "";
}

void tst_FirmAmounts::enterTargets()
{
    QFETCH(QString, column);
    QFETCH(QString, target);
    QCOMPARE(fncEnterTarget(column), target);
}

void tst_FirmAmounts::focusOrder()
{
    // Down the assets, the liabilities and equity with the current items, then the income.
    const QStringList expected{"txtFirmName",
                               "cboYear",
                               "txtCash",
                               "txtAr",
                               "txtInv",
                               "txtCA",
                               "txtOA",
                               "txtToa",
                               "txtInvest",
                               "txtPtfl",
                               "txtTa",
                               "txtAccountsPayable",
                               "txtBanks",
                               "txtPaper",
                               "txtMtg",
                               "txtBonds",
                               "txtOl",
                               "txtAmtsAffil",
                               "txtOLiab",
                               "txtDefTax",
                               "txtTliab",
                               "txtShareC",
                               "txtRetEarn",
                               "txtOtherSur",
                               "txtEquity1",
                               "txtTotLiabShareEq",
                               "txtCurrentAssets",
                               "txtCurrentLiabilities",
                               "txtOperatingRevenue",
                               "txtSales",
                               "txtGrossProfit",
                               "txtOperatingProfit",
                               "txtInterestExpense",
                               "txtPretaxProfit",
                               "txtProfitAfterTax"};
    QCOMPARE(fncFocusOrder(), expected);
}

void tst_FirmAmounts::subtotalRulesNameItems()
{
    // The subtotals are exactly the computed items; each adds up items, and a
    // subtotal among its addends is recomputed before it.
    QStringList items, computed, done;
    for (const StatementItem &item : statementItems()) {
        items << QString::fromLatin1(item.column);
        if (item.computed)
            computed << QString::fromLatin1(item.column);
    }
    for (const SubtotalRule &rule : subtotalRules()) {
        for (const char *addend : rule.addends) {
            const QString column = QString::fromLatin1(addend);
            QVERIFY2(items.contains(column), addend);
            if (computed.contains(column))
                QVERIFY2(done.contains(column), addend);
        }
        done << QString::fromLatin1(rule.column);
    }
    done.sort();
    computed.sort();
    QCOMPARE(done, computed);
}

QUORVEL_LOGIC_TEST_MAIN(tst_FirmAmounts)
#include "tst_FirmAmounts.moc"
