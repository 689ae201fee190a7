// The report engine's pure parts: number formats in both languages, layout
// files, table numbering and the position picture.
#include "reports/ReportEngine.h"
#include "reports/ReportError.h"
#include "reports/ReportGauge.h"
#include "support/LogicTestSupport.h"

#include "reports/ReportLayout.h"
#include "reports/ReportNumberFormat.h"
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <QTemporaryDir>

Q_DECLARE_METATYPE(ReportLanguage)

namespace {
const QString nbsp(QChar(0x00A0));

QString writeFile(const QTemporaryDir &dir, const QString &name, const QString &text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(text.toUtf8());
    return file.fileName();
}

const char *kThreeTables = "[tables]\nRpt_Data_CY as cy\nRpt_Data_CYM1\nRpt_Data_CYM2 as old\n"
                           "[template]\n<p>{{#cy}}{{NAICS}}{{/cy}}</p>\n";
} // namespace

class tst_ReportEngine : public QObject
{
    Q_OBJECT

private slots:
    void formatNumber_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<ReportLanguage>("language");
        QTest::addColumn<QString>("expected");
        const auto en = ReportLanguage::English;
        const auto fr = ReportLanguage::French;
        QTest::newRow("en:percent") << 12.5 << "percent 1" << en << "12.5%";
        QTest::newRow("fr:percent") << 12.5 << "percent 1" << fr << "12,5" + nbsp + "%";
        QTest::newRow("en:percent rounds half up") << 12.25 << "percent 1" << en << "12.3%";
        QTest::newRow("en:thousands currency") << 1234567.0 << "currency 0" << en << "$1,234,567";
        QTest::newRow("fr:thousands currency")
            << 1234567.0 << "currency 0" << fr << "1" + nbsp + "234" + nbsp + "567" + nbsp + "$";
        QTest::newRow("en:negative currency") << -1234.4 << "currency 0" << en << "-$1,234";
        QTest::newRow("fr:negative currency")
            << -1234.4 << "currency 0" << fr << "-1" + nbsp + "234" + nbsp + "$";
        QTest::newRow("en:rounding carries into thousands")
            << 999999.5 << "currency 0" << en << "$1,000,000";
        QTest::newRow("en:ratio") << 1.256 << "number 2" << en << "1.26";
        QTest::newRow("fr:ratio") << 1.256 << "number 2" << fr << "1,26";
        QTest::newRow("en:count") << 1234.0 << "integer" << en << "1,234";
        QTest::newRow("fr:count") << 1234.0 << "integer" << fr << "1" + nbsp + "234";
        QTest::newRow("en:small count has no separator") << 999.0 << "integer" << en << "999";
        QTest::newRow("en:signed gain") << 3.04 << "percent 1 signed" << en << "+3.0%";
        QTest::newRow("fr:signed loss") << -3.04 << "percent 1 signed" << fr << "-3,0" + nbsp + "%";
        QTest::newRow("en:signed zero has no sign") << 0.0 << "percent 1 signed" << en << "0.0%";
        QTest::newRow("en:points of difference")
            << 2.46 << "points 1 signed" << en << QStringLiteral("+2.5\u00a0pts");
        QTest::newRow("fr:points of difference")
            << -2.46 << "points 1 signed" << fr
            << QStringLiteral("-2,5\u00a0points\u00a0de\u00a0%");
        QTest::newRow("en:tiny negative is not -0.0") << -0.04 << "percent 1" << en << "0.0%";
        QTest::newRow("fr:large percent")
            << 1234.5 << "percent 1" << fr << "1" + nbsp + "234,5" + nbsp + "%";
    }

    void formatNumber()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(ReportLanguage, language);
        QFETCH(QString, expected);
        const std::optional<NumberFormat> parsed = ::parseNumberFormat(format);
        QVERIFY(parsed.has_value());
        QCOMPARE(::formatNumber(value, *parsed, language), expected);
    }

    void formatValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("null is not available") << QVariant() << "n/a";
        QTest::newRow("blank text is not available") << QVariant(QStringLiteral("  ")) << "n/a";
        QTest::newRow("zero is a figure") << QVariant(0.0) << "0.0%";
        QTest::newRow("number stored as text") << QVariant(QStringLiteral("12.5")) << "12.5%";
        QTest::newRow("text is shown as it is") << QVariant(QStringLiteral("x")) << "x";
    }

    void formatValue()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        const NumberFormat format = *::parseNumberFormat(QStringLiteral("percent 1"));
        QCOMPARE(::formatValue(value, format, ReportLanguage::English, QStringLiteral("n/a")),
                 expected);
    }

    void parseNumberFormat_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("percent") << "percent 1" << true;
        QTest::newRow("any case") << "Currency 0 Signed" << true;
        QTest::newRow("equals") << "equals 75" << true;
        QTest::newRow("unknown kind") << "money 2" << false;
        QTest::newRow("decimals not a number") << "percent x" << false;
        QTest::newRow("equals without target") << "equals" << false;
        QTest::newRow("trailing word") << "percent 1 signed extra" << false;
        QTest::newRow("empty") << "" << false;
    }

    void parseNumberFormat()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(::parseNumberFormat(text).has_value(), valid);
    }

    void reportLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ReportLanguage>("language");
        QTest::newRow("F") << "F" << ReportLanguage::French;
        QTest::newRow("lower-case f") << "f" << ReportLanguage::French;
        QTest::newRow("E") << "E" << ReportLanguage::English;
        QTest::newRow("empty") << "" << ReportLanguage::English;
    }

    void reportLanguage()
    {
        QFETCH(QString, text);
        QFETCH(ReportLanguage, language);
        QCOMPARE(reportLanguageFromText(text), language);
    }

    void layoutErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no tables") << "[template]\n<p></p>\n";
        QTest::newRow("no template") << "[tables]\nRpt_Data_CY\n";
        QTest::newRow("unknown section") << "[tables]\nA\n[pictures]\n[template]\n";
        QTest::newRow("table name with a quote") << "[tables]\nA'B\n[template]\n";
        QTest::newRow("unknown format") << "[tables]\nA\n[columns]\nX = pct\n[template]\n";
        QTest::newRow("row with too few values")
            << "[tables]\nA\n[rows r]\nfields = a b\nk = A.x\n[template]\n";
        QTest::newRow("row before its fields") << "[tables]\nA\n[rows r]\nk = A.x\n[template]\n";
        QTest::newRow("unclosed quote")
            << "[tables]\nA\n[rows r]\nfields = a\nk = \"x\n[template]\n";
        QTest::newRow("unknown page") << "[report]\npage = a3\n[tables]\nA\n[template]\n";
    }

    void layoutErrors()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(ReportError, parseReportLayout(text));
    }

    void layoutSettings()
    {
        const ReportLayout layout = parseReportLayout(QStringLiteral(
            "# comment\n[report]\nlanguage = titles.Language\nmissing = n/a\n"
            "page = letter landscape\nmargins = 10\n[tables]\nRpt_X_Titles as Titles\n"
            "[formats]\npct = percent 1\n[columns]\n*Q? = pct\n"
            "[template]\n[not a section inside the template]\n"));
        QCOMPARE(layout.tables.size(), 1);
        QCOMPARE(layout.tables.at(0).alias, QStringLiteral("titles"));
        QCOMPARE(layout.languageAlias, QStringLiteral("titles"));
        QCOMPARE(layout.missing, QStringLiteral("n/a"));
        QCOMPARE(layout.pageLayout.orientation(), QPageLayout::Landscape);
        QCOMPARE(layout.pageLayout.pageSize().id(), QPageSize::Letter);
        QCOMPARE(layout.formatOfColumn(QStringLiteral("npmq2")), QStringLiteral("pct"));
        QCOMPARE(layout.formatOfColumn(QStringLiteral("NumberOfFirms")), QString());
        QVERIFY(layout.body.contains(QStringLiteral("[not a section inside the template]")));
    }

    // Column patterns: "*" any characters, "?" one, any letter case; the
    // first pattern that matches gives the format.
    void columnPatterns_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("format");
        QTest::newRow("exact, other case") << "NUMBEROFFIRMS"
                                           << "count";
        QTest::newRow("star at the end") << "VarianceCash"
                                         << "diff";
        QTest::newRow("star matches nothing") << "Variance"
                                              << "diff";
        QTest::newRow("question mark is one character") << "npmq2"
                                                        << "pct";
        QTest::newRow("question mark is not two") << "npmq22"
                                                  << "";
        QTest::newRow("question mark is not none") << "npmq"
                                                   << "";
        QTest::newRow("star in the middle, retried") << "A_B_C_total"
                                                     << "amount";
        QTest::newRow("star in the middle, no end") << "A_B_C_totals"
                                                    << "";
        QTest::newRow("earlier line wins") << "Varianceq1"
                                           << "diff";
        QTest::newRow("no pattern") << "MyFirmName"
                                    << "";
    }
    void columnPatterns()
    {
        QFETCH(QString, column);
        QFETCH(QString, format);
        const ReportLayout layout = parseReportLayout(QStringLiteral(
            "[tables]\nRpt_X as X\n[formats]\npct = percent 1\ndiff = percent 1\ncount = number 0\n"
            "amount = number 0\n[columns]\nVariance* = diff\nNumberOfFirms = count\n"
            "NPMQ? *q1 = pct\nA_*_total = amount\n[template]\n"));
        QCOMPARE(layout.formatOfColumn(column), format);
    }

    void tablesNumberedFromOne()
    {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("three.rpt"), QLatin1String(kThreeTables));
        std::unique_ptr<ReportEngine> report = ReportEngine::OpenReport(path);
        QCOMPARE(report->tableCount(), 3);
        QCOMPARE(report->table(1).name(), QStringLiteral("Rpt_Data_CY"));
        QCOMPARE(report->table(2).name(), QStringLiteral("Rpt_Data_CYM1"));
        QCOMPARE(report->table(3).name(), QStringLiteral("Rpt_Data_CYM2"));
        report->table(2).setLocation(QStringLiteral("/x/MyData.mdb"));
        QCOMPARE(report->table(2).location(), QStringLiteral("/x/MyData.mdb"));
        QVERIFY_THROWS_EXCEPTION(ReportError, report->table(4));
        QVERIFY_THROWS_EXCEPTION(ReportError, report->table(0));
    }

    // Each report opens its layout file anew: what the file says now, never
    // what an earlier report read or changed.
    void layoutFileReadAsItIsNow_data()
    {
        QTest::addColumn<QString>("second"); // the file's text at the second opening
        QTest::addColumn<int>("tables");     // tables then; -1: the opening fails
        QTest::newRow("unchanged") << QString::fromLatin1(kThreeTables) << 3;
        QTest::newRow("a table fewer")
            << QStringLiteral("[tables]\nRpt_Data_CY as cy\n[template]\n<p></p>\n") << 1;
        QTest::newRow("broken since") << QStringLiteral("<html>") << -1;
    }
    void layoutFileReadAsItIsNow()
    {
        QFETCH(QString, second);
        QFETCH(int, tables);
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("layout.rpt"), QLatin1String(kThreeTables));
        std::unique_ptr<ReportEngine> first = ReportEngine::OpenReport(path);
        QCOMPARE(first->tableCount(), 3);
        first->table(1).setLocation(QStringLiteral("/x/MyData.mdb"));
        writeFile(dir, QStringLiteral("layout.rpt"), second);
        if (tables < 0) {
            QVERIFY_THROWS_EXCEPTION(ReportError, ReportEngine::OpenReport(path));
            return;
        }
        std::unique_ptr<ReportEngine> again = ReportEngine::OpenReport(path);
        QCOMPARE(again->tableCount(), tables);
        QCOMPARE(again->table(1).name(), QStringLiteral("Rpt_Data_CY"));
        QCOMPARE(again->table(1).location(), QString());
    }

    void openMissingOrBrokenLayout()
    {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(
            ReportError, ReportEngine::OpenReport(dir.filePath(QStringLiteral("none.rpt"))));
        const QString broken =
            writeFile(dir, QStringLiteral("broken.rpt"), QStringLiteral("<html>"));
        QVERIFY_THROWS_EXCEPTION(ReportError, ReportEngine::OpenReport(broken));
    }

    void renderNeedsReadableTables()
    {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("three.rpt"), QLatin1String(kThreeTables));
        std::unique_ptr<ReportEngine> report = ReportEngine::OpenReport(path);
        // No location yet.
        QVERIFY_THROWS_EXCEPTION(ReportError, report->render());
        for (int n = 1; n <= 3; ++n)
            report->table(n).setLocation(dir.filePath(QStringLiteral("missing.mdb")));
        QVERIFY_THROWS_EXCEPTION(ReportError, report->render());
    }

    void locationIgnoresLetterCase()
    {
        QTemporaryDir dir;
        writeFile(dir, QStringLiteral("myData.mdb"), QString());
        QCOMPARE(resolveReportLocation(dir.filePath(QStringLiteral("MyData.mdb"))),
                 dir.filePath(QStringLiteral("myData.mdb")));
    }

    void gaugeBand_data()
    {
        QTest::addColumn<double>("better");
        QTest::addColumn<double>("worse");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("strongest quarter") << 75.0 << 0.0 << 3 << 3;
        QTest::newRow("above the median") << 50.0 << 25.0 << 2 << 2;
        QTest::newRow("below the median") << 25.0 << 50.0 << 1 << 1;
        QTest::newRow("weakest quarter") << 0.0 << 75.0 << 0 << 0;
        QTest::newRow("at the median") << 25.0 << 25.0 << 1 << 2;
        QTest::newRow("no quartiles") << 0.0 << 0.0 << 0 << 3;
        QTest::newRow("contradictory positions") << 75.0 << 75.0 << 3 << 3;
    }

    void gaugeBand()
    {
        QFETCH(double, better);
        QFETCH(double, worse);
        QFETCH(int, first);
        QFETCH(int, last);
        const GaugeBand band = ::gaugeBand(better, worse);
        QCOMPARE(band.first, first);
        QCOMPARE(band.last, last);

        // The report's image carries the band to the drawing, and the
        // drawing fills exactly the quarters of the band.
        const QString html = positionGaugeHtml(better, worse);
        const QRegularExpressionMatch source =
            QRegularExpression(QStringLiteral("src=\"([^\"]*)\"")).match(html);
        QVERIFY2(source.hasMatch(), qPrintable(html));
        const std::optional<GaugeBand> parsed = parseGaugeChart(source.captured(1));
        QVERIFY(parsed);
        QCOMPARE(parsed->first, first);
        QCOMPARE(parsed->last, last);

        QImage image(85, 11, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter painter(&image);
        paintGauge(painter, QRectF(0, 0, 85, 11), *parsed);
        painter.end();
        for (int quarter = 0; quarter < 4; ++quarter) {
            const QColor centre = image.pixelColor(1 + quarter * 21 + 10, 5);
            const bool filled = quarter >= first && quarter <= last;
            QCOMPARE(centre, filled ? QColor(0x1f, 0x4e, 0x79) : QColor(Qt::white));
        }
    }

    void gaugeNames_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("gauge");
        QTest::newRow("one quarter") << "chart:gauge;first=2;last=2" << true;
        QTest::newRow("reversed band") << "chart:gauge;first=3;last=1" << false;
        QTest::newRow("quarter past the last") << "chart:gauge;first=0;last=4" << false;
        QTest::newRow("trend chart")
            << "chart:trend;lower=0;x=2005,2006;f=1,2;l=1,1;m=2,2;u=3,3" << false;
        QTest::newRow("trailing text") << "chart:gauge;first=0;last=3;x" << false;
    }

    void gaugeNames()
    {
        QFETCH(QString, source);
        QFETCH(bool, gauge);
        QCOMPARE(parseGaugeChart(source).has_value(), gauge);
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportEngine)
#include "tst_ReportEngine.moc"
