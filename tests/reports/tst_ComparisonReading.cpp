#include "reports/ComparisonReading.h"

#include <QTest>

Q_DECLARE_METATYPE(Standing)
Q_DECLARE_METATYPE(ReportLanguage)

Q_DECLARE_METATYPE(RatioScale)

// Estimated standings by ratio.
using Estimates = QHash<int, double>;

namespace {

NumberFormat currencyFormat()
{
    NumberFormat format;
    format.kind = NumberKind::Currency;
    return format;
}

const QStringList kRatioKeys = {"NPM", "PPM", "OPM", "GPM", "ORTNOA", "RONOA", "PPTA", "ROCE",
                                "ROE", "RT",  "IT",  "WC",  "DE",     "LTA",   "IC"};

// A firm whose every denominator is positive.
FirmStatement healthyFirm()
{
    FirmStatement s;
    s.Ar = 400;
    s.Inv = 250;
    s.Ta = 2000;
    s.OperatingRevenue = 5000;
    s.Sales = 4000;
    s.InterestExpense = 50;
    s.AccountsPayable = 250;
    s.Banks = 100;
    s.Equity1 = 1000;
    s.CurrentLiabilities = 350;
    return s;
}

std::array<QString, kRatioCount> englishNames()
{
    return {"Net profit margin",
            "Pretax profit margin",
            "Operating profit margin",
            "Gross profit margin",
            "Operating revenue to net operating assets",
            "Return on net operating assets",
            "Pretax profit to total assets",
            "Return on capital employed",
            "Return on equity",
            "Receivables turnover",
            "Inventory turnover",
            "Working capital ratio",
            "Debt to equity",
            "Total liabilities to total assets",
            "Interest coverage"};
}

// The ratios at these standings, each placed where its estimate in
// `estimates` puts it (by ratio), or in the middle of its quarters.
QVector<RatioStanding> standings(const QList<Standing> &list,
                                 const QHash<int, double> &estimates = {})
{
    QVector<RatioStanding> out;
    const auto names = englishNames();
    for (int i = 0; i < list.size(); ++i) {
        const auto estimate =
            estimates.contains(i) ? std::optional<double>(estimates.value(i)) : std::nullopt;
        out << RatioStanding{RatioId(i), names[i], list.at(i), standingPlace(list.at(i), estimate)};
    }
    return out;
}

} // namespace

class tst_ComparisonReading : public QObject
{
    Q_OBJECT

private slots:
    void standingFromPositions_data()
    {
        QTest::addColumn<bool>("meaningful");
        QTest::addColumn<QVariant>("better");
        QTest::addColumn<QVariant>("worse");
        QTest::addColumn<Standing>("expected");
        QTest::newRow("strongest quarter")
            << true << QVariant(75.0) << QVariant(0.0) << Standing::Top;
        QTest::newRow("above the median")
            << true << QVariant(50.0) << QVariant(25.0) << Standing::AboveMedian;
        QTest::newRow("on the median")
            << true << QVariant(25.0) << QVariant(25.0) << Standing::AtMedian;
        QTest::newRow("below the median")
            << true << QVariant(25.0) << QVariant(50.0) << Standing::BelowMedian;
        QTest::newRow("weakest quarter")
            << true << QVariant(0.0) << QVariant(75.0) << Standing::Bottom;
        QTest::newRow("no quartiles") << true << QVariant() << QVariant() << Standing::NoPosition;
        QTest::newRow("all quartile tests skipped")
            << true << QVariant(0.0) << QVariant(0.0) << Standing::NoPosition;
        QTest::newRow("not meaningful wins")
            << false << QVariant(75.0) << QVariant(0.0) << Standing::NotMeaningful;
    }

    void standingFromPositions()
    {
        QFETCH(bool, meaningful);
        QFETCH(QVariant, better);
        QFETCH(QVariant, worse);
        QFETCH(Standing, expected);
        QuartilePosition position;
        if (better.isValid())
            position.better = better.toDouble();
        if (worse.isValid())
            position.worse = worse.toDouble();
        QCOMPARE(standingOf(meaningful, position), expected);
    }

    // Every ratio at every standing, in both languages: better or worse than
    // the median, never "above" or "below", with the ratio's own direction.
    void readingOfEveryRatio_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::addColumn<Standing>("standing");
        QTest::addColumn<ReportLanguage>("language");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("direction"); // empty: no direction phrase
        const QList<std::tuple<Standing, const char *, const char *, const char *, const char *>>
            cases = {{Standing::Top, "top", "Better than the median, among the strongest",
                      "Meilleur que la médiane, parmi le quart", "Better"},
                     {Standing::AboveMedian, "above",
                      "Better than the median: ", "Meilleur que la médiane : ", "Better"},
                     {Standing::AtMedian, "median", "At the industry median.",
                      "À la médiane de l'industrie.", ""},
                     {Standing::BelowMedian, "below",
                      "Worse than the median: ", "Moins bon que la médiane : ", "Worse"},
                     {Standing::Bottom, "bottom", "Worse than the median, among the weakest",
                      "Moins bon que la médiane, parmi le quart", "Worse"},
                     {Standing::NotMeaningful, "n/m", "Not meaningful", "Non significatif", ""},
                     {Standing::NoPosition, "none", "No industry quartiles", "Aucun quartile", ""}};
        for (int r = 0; r < kRatioCount; ++r) {
            for (const auto &[standing, name, english, french, side] : cases) {
                const QString direction =
                    *side ? QStringLiteral("Dir_") + kRatioKeys.at(r) + '_' + side : QString();
                QTest::addRow("en:%s:%s", qPrintable(kRatioKeys.at(r)), name)
                    << r << standing << ReportLanguage::English << QString(english)
                    << (direction.isEmpty() ? QString()
                                            : comparisonText(direction, ReportLanguage::English));
                QTest::addRow("fr:%s:%s", qPrintable(kRatioKeys.at(r)), name)
                    << r << standing << ReportLanguage::French << QString::fromUtf8(french)
                    << (direction.isEmpty() ? QString()
                                            : comparisonText(direction, ReportLanguage::French));
            }
        }
    }

    void readingOfEveryRatio()
    {
        QFETCH(int, ratio);
        QFETCH(Standing, standing);
        QFETCH(ReportLanguage, language);
        QFETCH(QString, opening);
        QFETCH(QString, direction);
        const QString reading = ratioReading(RatioId(ratio), standing, language);
        QVERIFY2(reading.startsWith(opening), qPrintable(reading));
        if (!direction.isEmpty()) {
            QVERIFY(reading.contains(direction));
            QVERIFY(reading.contains(language == ReportLanguage::French
                                         ? QStringLiteral("l'entreprise médiane")
                                         : QStringLiteral("median firm")));
        }
        QVERIFY(!reading.contains(QStringLiteral("%1")));
        QVERIFY(!reading.contains(QStringLiteral("Above"), Qt::CaseInsensitive));
    }

    // The better and worse directions of a ratio say opposite things.
    void directionsDifferPerSide()
    {
        for (const QString &key : kRatioKeys) {
            for (const ReportLanguage language :
                 {ReportLanguage::English, ReportLanguage::French}) {
                const QString better = comparisonText("Dir_" + key + "_Better", language);
                const QString worse = comparisonText("Dir_" + key + "_Worse", language);
                QVERIFY2(!better.isEmpty() && !worse.isEmpty(), qPrintable(key));
                QVERIFY2(better != worse, qPrintable(key));
            }
        }
    }

    // Debt to equity of 0.85 against a median of 1.18, quartiles stored from
    // the weak side (Q1 > Q2 > Q3): better than the median, with less debt.
    void lowerDebtReadsBetter()
    {
        const QuartilePosition position =
            quartilePosition(RatioScale::LowerIsBetter, Quartiles{1.9, 1.18, 0.6}, 0.85);
        const Standing standing = standingOf(true, position);
        QCOMPARE(standing, Standing::AboveMedian);
        QCOMPARE(ratioReading(RatioId::DE, standing, ReportLanguage::English),
                 QStringLiteral("Better than the median: less debt than the median firm."));
        QCOMPARE(ratioReading(RatioId::DE, standing, ReportLanguage::French),
                 QStringLiteral("Meilleur que la médiane : moins de dettes que l'entreprise "
                                "médiane."));
        // And 1.5 is worse: more debt.
        const Standing worse = standingOf(
            true, quartilePosition(RatioScale::LowerIsBetter, Quartiles{1.9, 1.18, 0.6}, 1.5));
        QCOMPARE(worse, Standing::BelowMedian);
        QVERIFY(ratioReading(RatioId::DE, worse, ReportLanguage::English)
                    .endsWith(QStringLiteral("more debt than the median firm.")));
    }

    // The place of a ratio among the industry's firms, from its quartiles as
    // stored (weakest first, so falling for the lower-is-better ratios).
    void placeAmongFirms_data()
    {
        QTest::addColumn<RatioScale>("scale");
        QTest::addColumn<QVariantList>("quartiles"); // Q1, median, Q3; invalid: missing
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QVariant>("expected"); // invalid: no place
        const auto higher = RatioScale::HigherIsBetter;
        const auto lower = RatioScale::LowerIsBetter;
        const QVariantList turnover{5.94, 11.12, 20.83};
        const QVariantList debt{2.6, 1.02, 0.24};
        QTest::newRow("just above Q1")
            << higher << turnover << 6.20 << QVariant(25 + 0.26 / 5.18 * 25);
        QTest::newRow("on Q1") << higher << turnover << 5.94 << QVariant(25.0);
        QTest::newRow("on the median") << higher << turnover << 11.12 << QVariant(50.0);
        QTest::newRow("between median and Q3") << higher << turnover << 15.975 << QVariant(62.5);
        QTest::newRow("below Q1, first quarter's slope")
            << higher << turnover << 3.35 << QVariant(12.5);
        QTest::newRow("far above: 100") << higher << turnover << 1000.0 << QVariant(100.0);
        QTest::newRow("far below: 0") << higher << turnover << -50.0 << QVariant(0.0);
        QTest::newRow("lower is better, weaker half") << lower << debt << 1.81 << QVariant(37.5);
        QTest::newRow("lower is better, beyond Q3")
            << lower << debt << 0.1 << QVariant(75 + 0.14 / 0.78 * 25);
        QTest::newRow("lower is better, far above Q1: 0") << lower << debt << 9.0 << QVariant(0.0);
        QTest::newRow("Q1 equals the median, on both")
            << higher << QVariantList{2.0, 2.0, 6.0} << 2.0 << QVariant(37.5);
        QTest::newRow("beyond a quarter of no width: the other's slope")
            << higher << QVariantList{2.0, 4.0, 4.0} << 5.0 << QVariant(87.5);
        QTest::newRow("quartiles out of order: middle of the positions' quarter")
            << higher << QVariantList{2.0, 7.0, 6.0} << 6.5 << QVariant(87.5);
        QTest::newRow("a missing quartile: no place")
            << higher << QVariantList{2.0, QVariant(), 6.0} << 5.0 << QVariant();
    }

    void placeAmongFirms()
    {
        QFETCH(RatioScale, scale);
        QFETCH(QVariantList, quartiles);
        QFETCH(double, ratio);
        QFETCH(QVariant, expected);
        const auto quartile = [&](int i) {
            return quartiles.at(i).isValid() ? std::optional<double>(quartiles.at(i).toDouble())
                                             : std::nullopt;
        };
        const Quartiles q{quartile(0), quartile(1), quartile(2)};
        const Standing standing = standingOf(true, quartilePosition(scale, q, ratio));
        const std::optional<double> place = standingPlace(standing, estimatedStanding(q, ratio));
        QCOMPARE(place.has_value(), expected.isValid());
        if (place)
            QVERIFY2(qAbs(*place - expected.toDouble()) < 1e-9,
                     qPrintable(QString::number(*place)));
    }

    void verdict_data()
    {
        using S = Standing;
        QTest::addColumn<QList<Standing>>("list");
        QTest::addColumn<Estimates>("estimates");
        QTest::addColumn<QString>("expected");
        QTest::newRow("mixed, two n/m")
            << QList<Standing>{S::Top,           S::AboveMedian, S::BelowMedian, S::AtMedian,
                               S::NoPosition,    S::Bottom,      S::AboveMedian, S::Top,
                               S::NotMeaningful, S::BelowMedian, S::AboveMedian, S::Bottom,
                               S::NotMeaningful, S::AtMedian,    S::AboveMedian}
            << Estimates{}
            << QStringLiteral(
                   "Your firm is better than the industry median on 6 of the 12 ratios that could "
                   "be compared. Strongest: net profit margin and return on capital employed. "
                   "Weakest: return on net operating assets and working capital ratio. "
                   "Left out as not meaningful: return on equity and debt to equity.");
        QTest::newRow("all better: no weakest")
            << QList<Standing>(kRatioCount, S::AboveMedian) << Estimates{}
            << QStringLiteral("Your firm is better than the industry median on 15 of the 15 "
                              "ratios that could be compared. Strongest: net profit margin and "
                              "pretax profit margin.");
        QTest::newRow("only one compared, worse")
            <<
            [] {
                QList<Standing> l(kRatioCount, Standing::NoPosition);
                l[10] = Standing::Bottom;
                return l;
            }()
            << Estimates{}
            << QStringLiteral("Your firm is better than the industry median on 0 of the 1 ratios "
                              "that could be compared. Weakest: inventory turnover.");
        // Inventory turnover just above Q1 stands lowest, whatever its place in the report.
        QTest::newRow("named by estimated standing")
            <<
            [] {
                QList<Standing> l(kRatioCount, Standing::AboveMedian);
                l[10] = l[11] = l[14] = Standing::BelowMedian;
                return l;
            }()
            << Estimates{{10, 26.25}, {11, 45.0}, {14, 46.7}, {3, 80.0}, {9, 80.0}}
            << QStringLiteral("Your firm is better than the industry median on 12 of the 15 "
                              "ratios that could be compared. Strongest: gross profit margin and "
                              "receivables turnover. Weakest: inventory turnover and working "
                              "capital ratio.");
        QTest::newRow("nothing compared")
            <<
            [] {
                QList<Standing> l(kRatioCount, Standing::NoPosition);
                l[2] = Standing::NotMeaningful;
                return l;
            }()
            << Estimates{}
            << QStringLiteral("None of your firm's ratios could be placed among the industry's "
                              "firms. Left out as not meaningful: operating profit margin.");
    }

    void verdict()
    {
        QFETCH(QList<Standing>, list);
        QFETCH(Estimates, estimates);
        QFETCH(QString, expected);
        QCOMPARE(verdictText(standings(list, estimates), ReportLanguage::English), expected);
    }

    void verdictInFrench()
    {
        QList<Standing> list(kRatioCount, Standing::BelowMedian);
        list[0] = Standing::Top;
        list[8] = Standing::NotMeaningful;
        auto named = standings(list, {{13, 30.0}, {14, 20.0}});
        named[0].name = QStringLiteral("Marge bénéficiaire nette");
        named[8].name = QStringLiteral("Rendement des capitaux propres");
        named[13].name = QStringLiteral("Passif total sur l'actif total");
        named[14].name = QStringLiteral("Ratio de couverture des intérêts");
        QCOMPARE(verdictText(named, ReportLanguage::French),
                 QStringLiteral("Votre entreprise fait mieux que la médiane de l'industrie pour 1 "
                                "des 14 ratios qui ont pu être comparés. Points forts : la marge "
                                "bénéficiaire nette. Points faibles : le ratio de couverture des "
                                "intérêts et le passif total sur l'actif total. Exclus car non "
                                "significatifs : le rendement des capitaux propres."));
    }

    // Each cause of "not meaningful": the ratios it takes the meaning from,
    // and a zero numerator that leaves every ratio meaningful.
    void meaningOfRatios_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<double>("value");
        QTest::addColumn<QStringList>("withoutMeaning");
        QTest::addColumn<QString>("note");
        const auto row = [](const char *name, const char *item, double value,
                            const QStringList &ratios, const char *note) {
            QTest::newRow(name) << QString(item) << value << ratios << QString(note);
        };
        row("zero revenue", "OperatingRevenue", 0, {"NPM", "PPM", "OPM"},
            "Operating revenue is zero: net profit margin, pretax profit margin and operating "
            "profit margin have no meaning.");
        row("negative revenue", "OperatingRevenue", -10, {"NPM", "PPM", "OPM"},
            "Operating revenue is negative: net profit margin, pretax profit margin and operating "
            "profit margin have no meaning.");
        row("zero sales", "Sales", 0, {"GPM"},
            "Sales are zero: gross profit margin has no meaning.");
        row("negative net operating assets", "AccountsPayable", 2500, {"ORTNOA", "RONOA"},
            "Net operating assets (total assets less investments and accounts payable) are "
            "negative: operating revenue to net operating assets and return on net operating "
            "assets have no meaning.");
        // Capital employed (bank loan 100 + equity -400) turns negative too.
        row("negative equity", "Equity1", -400, {"ROCE", "ROE", "DE"},
            "Shareholders' equity is negative: return on equity and debt to equity have no "
            "meaning.");
        row("zero equity", "Equity1", 0, {"ROE", "DE"},
            "Shareholders' equity is zero: return on equity and debt to equity have no meaning.");
        row("no receivables", "Ar", 0, {"RT"},
            "Accounts receivable are zero: receivables turnover has no meaning.");
        row("no inventory", "Inv", 0, {"IT"},
            "Inventory is zero: inventory turnover has no meaning.");
        row("no current liabilities", "CurrentLiabilities", 0, {"WC"},
            "Current liabilities are zero: working capital ratio has no meaning.");
        row("no interest", "InterestExpense", 0, {"IC"},
            "Interest expense is zero: interest coverage has no meaning.");
        row("no profit stays meaningful", "ProfitAfterTax", 0, {}, "");
        row("a loss stays meaningful", "PretaxProfit", -300, {}, "");
    }

    void meaningOfRatios()
    {
        QFETCH(QString, item);
        QFETCH(double, value);
        QFETCH(QStringList, withoutMeaning);
        QFETCH(QString, note);
        FirmStatement s = healthyFirm();
        const QHash<QString, double FirmStatement::*> items{
            {"OperatingRevenue", &FirmStatement::OperatingRevenue},
            {"Sales", &FirmStatement::Sales},
            {"AccountsPayable", &FirmStatement::AccountsPayable},
            {"Equity1", &FirmStatement::Equity1},
            {"Ar", &FirmStatement::Ar},
            {"Inv", &FirmStatement::Inv},
            {"CurrentLiabilities", &FirmStatement::CurrentLiabilities},
            {"InterestExpense", &FirmStatement::InterestExpense},
            {"ProfitAfterTax", &FirmStatement::ProfitAfterTax},
            {"PretaxProfit", &FirmStatement::PretaxProfit}};
        s.*items.value(item) = value;
        QStringList found;
        for (int r = 0; r < kRatioCount; ++r) {
            if (!isMeaningful(s, RatioId(r)))
                found << kRatioKeys.at(r);
        }
        QCOMPARE(found, withoutMeaning);
        const QStringList notes = notMeaningfulNotes(s, englishNames(), ReportLanguage::English);
        if (note.isEmpty())
            QCOMPARE(notes, QStringList());
        else
            QVERIFY2(notes.contains(note), qPrintable(notes.join('\n')));
    }

    void notesInFrench()
    {
        FirmStatement s = healthyFirm();
        s.Equity1 = -400;
        s.Banks = 1000;
        std::array<QString, kRatioCount> names = englishNames();
        names[8] = QStringLiteral("Rendement des capitaux propres");
        names[12] = QStringLiteral("Ratio des dettes aux capitaux propres");
        QCOMPARE(notMeaningfulNotes(s, names, ReportLanguage::French),
                 QStringList{QStringLiteral(
                     "Les capitaux propres sont négatifs : le rendement des capitaux propres et "
                     "le ratio des dettes aux capitaux propres n'ont pas de sens.")});
        s = healthyFirm();
        s.Inv = 0;
        names[10] = QStringLiteral("Rotation des stocks");
        QCOMPARE(notMeaningfulNotes(s, names, ReportLanguage::French),
                 QStringList{QStringLiteral(
                     "Les stocks sont nuls : la rotation des stocks n'a pas de sens.")});
    }

    // Page 1 says it in one line when equity is negative or operations lose money.
    void alertsOfPageOne_data()
    {
        QTest::addColumn<double>("equity");
        QTest::addColumn<double>("operatingProfit");
        QTest::addColumn<ReportLanguage>("language");
        QTest::addColumn<QStringList>("expected");
        const auto en = ReportLanguage::English;
        const auto fr = ReportLanguage::French;
        QTest::newRow("healthy") << 500.0 << 80.0 << en << QStringList{};
        QTest::newRow("zero equity, zero profit") << 0.0 << 0.0 << en << QStringList{};
        QTest::newRow("deficit") << -30000.0 << 80.0 << en
                                 << QStringList{
                                        "Shareholders' equity is negative (a deficit of $30,000)."};
        QTest::newRow("both")
            << -30000.0 << -12500.0 << en
            << QStringList{"Shareholders' equity is negative (a deficit of $30,000).",
                           "Operating profit is negative (an operating loss of $12,500)."};
        QTest::newRow("fr: both")
            << -30000.0 << -12500.0 << fr
            << QStringList{QString("Les capitaux propres sont négatifs (un déficit de %1).")
                               .arg(formatNumber(30000, currencyFormat(), fr)),
                           QString("Le bénéfice d'exploitation est négatif (une perte "
                                   "d'exploitation de %1).")
                               .arg(formatNumber(12500, currencyFormat(), fr))};
    }

    void alertsOfPageOne()
    {
        QFETCH(double, equity);
        QFETCH(double, operatingProfit);
        QFETCH(ReportLanguage, language);
        QFETCH(QStringList, expected);
        FirmStatement s = healthyFirm();
        s.Equity1 = equity;
        s.OperatingProfit = operatingProfit;
        QCOMPARE(alertLines(s, language), expected);
    }

    void sizeNotePerVolume_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<double>("revenue");
        QTest::addColumn<ReportLanguage>("language");
        QTest::addColumn<QString>("expected"); // empty: no note
        const auto en = ReportLanguage::English;
        QTest::newRow("en:1.2 M on volume 1")
            << 1 << 1'200'000.0 << en
            << QStringLiteral("Size: your firm's operating revenue of $1,200,000 lies outside "
                              "this data set's band (firms with revenue of $25 million or more), "
                              "so its benchmarks describe firms of another size. The band that "
                              "fits your firm: $30,000 to $5 million (volume 3).");
        QTest::newRow("fr:1.2 M on volume 1")
            << 1 << 1'200'000.0 << ReportLanguage::French
            << QStringLiteral(
                   "Taille : les recettes d'exploitation de votre entreprise, "
                   "1\u00a0200\u00a0000\u00a0$, se situent hors de la tranche visée par "
                   "ces données (entreprises ayant des recettes de 25 millions $ ou "
                   "plus); ces repères décrivent des entreprises d'une autre taille. La tranche "
                   "qui convient à votre entreprise : 30 000 $ à 5 millions $ "
                   "(volume 3).");
        QTest::newRow("en:25 M exactly fits volume 1") << 1 << 25'000'000.0 << en << QString();
        QTest::newRow("en:just below 25 M on volume 1")
            << 1 << 24'999'999.0 << en
            << QStringLiteral("Size: your firm's operating revenue of $24,999,999 lies outside "
                              "this data set's band (firms with revenue of $25 million or more), "
                              "so its benchmarks describe firms of another size. The band that "
                              "fits your firm: $5 million to $25 million (volume 2).");
        QTest::newRow("en:12 M fits volume 2") << 2 << 12'000'000.0 << en << QString();
        QTest::newRow("en:5 M exactly fits volume 2") << 2 << 5'000'000.0 << en << QString();
        QTest::newRow("en:30 M on volume 2 fits volume 1")
            << 2 << 30'000'000.0 << en
            << QStringLiteral("Size: your firm's operating revenue of $30,000,000 lies outside "
                              "this data set's band (firms with revenue of $5 million to $25 "
                              "million), so its benchmarks describe firms of another size. The "
                              "band that fits your firm: $25 million or more (volume 1).");
        QTest::newRow("en:30,000 fits volume 3") << 3 << 30'000.0 << en << QString();
        QTest::newRow("en:below every band")
            << 3 << 12'000.0 << en
            << QStringLiteral("Size: your firm's operating revenue of $12,000 lies outside this "
                              "data set's band (firms with revenue of $30,000 to $5 million), so "
                              "its benchmarks describe firms of another size. No volume covers "
                              "firms with revenue below $30,000.");
        QTest::newRow("en:negative revenue")
            << 3 << -5.0 << en
            << QStringLiteral("Size: your firm's operating revenue of -$5 lies outside this data "
                              "set's band (firms with revenue of $30,000 to $5 million), so its "
                              "benchmarks describe firms of another size. No volume covers firms "
                              "with revenue below $30,000.");
    }

    void sizeNotePerVolume()
    {
        QFETCH(int, volume);
        QFETCH(double, revenue);
        QFETCH(ReportLanguage, language);
        QFETCH(QString, expected);
        QCOMPARE(sizeNote(volume, revenue, language), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ComparisonReading)
#include "tst_ComparisonReading.moc"
