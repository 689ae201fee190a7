// The shipped layouts rendered over work tables filled with a fixture
// industry and firm, in both languages: the figures must appear in the
// language's formats, with the labels of the titles tables.
#include "core/DbTools.h"
#include "reports/ReportEngine.h"
#include "support/LogicTestSupport.h"

#include <QTemporaryDir>

namespace {
const QString nbsp(QChar(0x00A0));

void exec(Connection &user, const QString &sql, const QVariantList &params = {})
{
    qint16 errors = 0;
    ExecCmdInDB(user, sql, errors, params);
}

// The titles of one language, as the preparation leaves them.
void fillTitles(Connection &user, const QString &table, const QString &language)
{
    exec(user, QStringLiteral("delete from %1").arg(table));
    exec(user,
         QStringLiteral("insert into %1 select * from %1_Source where [Language] = ?").arg(table),
         {language});
    exec(user, QStringLiteral("update %1 set Naics = '311811', Year_0 = '2006', Year_1 = '2005', "
                              "Year_2 = '2004', Title_LowerRight = Title_LowerRight || "
                              "' 2004, 2005, 2006', Title_UpperLeft = 'Volume 1 - Ontario'")
                   .arg(table));
}

// 2006 with figures, 2005 without data (a NAICS-only row), 2004 with figures.
void fillIndustry(Connection &user)
{
    const QStringList tables{QStringLiteral("Rpt_Data_CY"), QStringLiteral("Rpt_Data_CYM1"),
                             QStringLiteral("Rpt_Data_CYM2")};
    for (const QString &table : tables)
        exec(user, QStringLiteral("delete from ") + table);
    exec(user, QStringLiteral("insert into Rpt_Data_CY (NAICS, IndustryDescription, NumberOfFirms, "
                              "NPMQ1, NPMQ2, NPMQ3, DEQ1, DEQ2, DEQ3, opp, opl, a11, totass) "
                              "values ('311811', 'Retail bakeries', 1234, 4.25, 12.5, 20, "
                              "2.5, 1.5, 0.75, 62.5, 37.5, 8.5, 100)"));
    exec(user, QStringLiteral("insert into Rpt_Data_CYM1 (NAICS) values ('311811')"));
    exec(user, QStringLiteral("insert into Rpt_Data_CYM2 (NAICS, IndustryDescription, "
                              "NumberOfFirms, NPMQ2, a11) values ('311811', 'Retail bakeries', "
                              "987, 11.75, 7.25)"));
}

void fillComparison(Connection &user)
{
    exec(user, QStringLiteral("delete from Rpt_Comparison"));
    exec(user,
         QStringLiteral(
             "insert into Rpt_Comparison (MyFirmName, MyYear, MyNAICS, MyIndustry, MyVol, MyCash, "
             "MyTa, MyOperatingRevenue, MyProfitAfterTax, MyNPM, MyROE, MyDE, BetterNPM, WorseNPM, "
             "BetterDE, WorseDE, VarianceCash, NumberOfFirms, NPMQ2, DEQ2, A11) values (?, 2005, "
             "'311811', 'Retail bakeries', 'Volume 3 - Ontario', 25, 100, 1234567, -4321, 12.5, "
             "null, 0.8, 75, 0, 0, 75, 15, 1234, 10.25, 1.1, 10)"),
         {QStringLiteral("O'Brien & Sons Bakery")});
    // The composed texts, as the preparation writes them.
    exec(user, QStringLiteral("delete from Rpt_Comparison_Notes"));
    exec(user,
         QStringLiteral("insert into Rpt_Comparison_Notes (MySales, Verdict, Footnotes, Lbl_Sales, "
                        "Lbl_NotMeaningful, Note_NotMeaningful, Read_NPM, Read_DE, NM_IT, "
                        "Pic_NPM) values (1200000, 'Verdict words.', 'First cause.<br>Second "
                        "cause.', 'Sales', 'n/m', 'n/m: not meaningful.', 'Reading of NPM.', "
                        "'Reading of DE.', 'n/m', 3)"));
}
} // namespace

class tst_ReportLayouts : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(testsupport::copyProgramFiles(
            m_dir, {QStringLiteral("myData.mdb"), QStringLiteral("rpt_Ratios.rpt"),
                    QStringLiteral("rpt_BalanceSheet.rpt"), QStringLiteral("rpt_Comparison.rpt")}));
        ConnectToFile(m_user, m_dir.filePath(QStringLiteral("myData.mdb")),
                      QStringLiteral("unknown"));
        fillIndustry(m_user);
        fillComparison(m_user);
    }

    void cleanup() { DisconnectFromDB(m_user); }

    void ratios_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << "E"
                            << QStringList{"Financial Performance Ratios",
                                           "Retail bakeries",
                                           "311811",
                                           "Net profit margin",
                                           "4.3%",
                                           "12.5%",
                                           "20.0%",
                                           "Debt to equity",
                                           "2.50",
                                           "1.50",
                                           "0.75",
                                           "1,234",
                                           "62.5%",
                                           "11.8%",
                                           "2005 — No data for this year",
                                           "Page 1 of 1"};
        QTest::newRow("fr") << "F"
                            << QStringList{"Ratios de rendement financier",
                                           "Retail bakeries",
                                           "Marge bénéficiaire nette",
                                           "4,3" + nbsp + "%",
                                           "12,5" + nbsp + "%",
                                           "20,0" + nbsp + "%",
                                           "2,50",
                                           "1,50",
                                           "1" + nbsp + "234",
                                           "62,5" + nbsp + "%",
                                           "2005 — Aucune donnée pour cette année",
                                           "Page 1 de 1"};
    }

    void ratios()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        fillTitles(m_user, QStringLiteral("Rpt_Ratios_Titles"), language);
        const QString text = render(QStringLiteral("rpt_Ratios.rpt"));
        for (const QString &figure : expected)
            QVERIFY2(text.contains(figure), qPrintable(figure + QStringLiteral(" in:\n") + text));
        // A ratio the industry has no figure for is not available, not 0.
        const QString grossMargin = language == QLatin1String("E")
                                        ? QStringLiteral("Gross profit margin")
                                        : QStringLiteral("Marge bénéficiaire brute");
        const qsizetype at = text.indexOf(grossMargin);
        QVERIFY(at >= 0);
        const QStringList cells = text.mid(at).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(cells.mid(1, 9), QStringList(9, QStringLiteral("—")));
    }

    void balanceSheet_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << "E" << QStringList{"Balance Sheet Profile",
                                                  "Cash",
                                                  "8.5%",
                                                  "7.3%",
                                                  "Total assets",
                                                  "100.0%",
                                                  "Shareholders' equity",
                                                  "No data for this year"};
        QTest::newRow("fr") << "F" << QStringList{"Profil du bilan",    "Encaisse",
                                                  "8,5" + nbsp + "%",   "7,3" + nbsp + "%",
                                                  "100,0" + nbsp + "%", "Capitaux propres"};
    }

    void balanceSheet()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        fillTitles(m_user, QStringLiteral("Rpt_BalanceSheet_Titles"), language);
        const QString text = render(QStringLiteral("rpt_BalanceSheet.rpt"));
        for (const QString &figure : expected)
            QVERIFY2(text.contains(figure), qPrintable(figure + QStringLiteral(" in:\n") + text));
    }

    void comparison_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("en") << "E"
                            << QStringList{"O'Brien & Sons Bakery", "Volume 3 - Ontario", "1,234",
                                           "25.0%", "10.0%", "+15.0" + nbsp + "pts", "$1,234,567",
                                           "-$4,321", "12.5%", "10.3%", "0.80",
                                           // The position words never wrap.
                                           "Better" + nbsp + "than" + nbsp + "75%",
                                           "Worse" + nbsp + "than" + nbsp + "75%", "Verdict words.",
                                           "Reading of NPM.", "Reading of DE.",
                                           "First cause.\nSecond cause.", "$1,200,000"};
        QTest::newRow("fr") << "F"
                            << QStringList{"O'Brien & Sons Bakery",
                                           "1" + nbsp + "234",
                                           "25,0" + nbsp + "%",
                                           "+15,0" + nbsp + "points" + nbsp + "de" + nbsp + "%",
                                           "1" + nbsp + "234" + nbsp + "567" + nbsp + "$",
                                           "-4" + nbsp + "321" + nbsp + "$",
                                           "0,80",
                                           "Meilleur" + nbsp + "que" + nbsp + "75" + nbsp + "%",
                                           "Moins" + nbsp + "bon" + nbsp + "que" + nbsp + "75" +
                                               nbsp + "%",
                                           "Reading of DE."};
    }

    void comparison()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, expected);
        exec(m_user, QStringLiteral("delete from Rpt_Comparison_Titles"));
        exec(m_user,
             QStringLiteral("insert into Rpt_Comparison_Titles select * from "
                            "Rpt_Comparison_Titles_Source where [Language] = ?"),
             {language});
        const QString text = render(QStringLiteral("rpt_Comparison.rpt"));
        for (const QString &figure : expected)
            QVERIFY2(text.contains(figure), qPrintable(figure + QStringLiteral(" in:\n") + text));
    }

    // A ratio without meaning shows n/m in place of its value and its bar.
    void notMeaningfulRatio()
    {
        exec(m_user, QStringLiteral("delete from Rpt_Comparison_Titles"));
        exec(m_user, QStringLiteral("insert into Rpt_Comparison_Titles select * from "
                                    "Rpt_Comparison_Titles_Source where [Language] = 'E'"));
        exec(m_user, QStringLiteral("update Rpt_Comparison set MyIT = 0, BetterIT = null, "
                                    "WorseIT = null"));
        const QString text = render(QStringLiteral("rpt_Comparison.rpt"));
        const qsizetype line = text.indexOf(QStringLiteral("Inventory turnover\n"));
        QVERIFY(line >= 0);
        const QString row =
            text.mid(line, text.indexOf(QStringLiteral("Working capital"), line) - line);
        QCOMPARE(row.count(QStringLiteral("n/m")), 2);
        QVERIFY2(!row.contains(QStringLiteral("0.00")), qPrintable(row));
        QVERIFY2(text.contains(QStringLiteral("n/m: not meaningful.")), qPrintable(text));
    }

    void nullFigureIsNotAvailable()
    {
        exec(m_user, QStringLiteral("delete from Rpt_Comparison_Titles"));
        exec(m_user, QStringLiteral("insert into Rpt_Comparison_Titles select * from "
                                    "Rpt_Comparison_Titles_Source where [Language] = 'E'"));
        const QString text = render(QStringLiteral("rpt_Comparison.rpt"));
        // MyROE is null: its line shows the not-available mark.
        // The ratios' table, after the picture of page 1 that names them too.
        const qsizetype line = text.indexOf(QStringLiteral("Return on equity"),
                                            text.indexOf(QStringLiteral("Financial ratios")));
        QVERIFY(line >= 0);
        const QString rest = text.mid(line, text.indexOf(QLatin1Char('\n'), line + 20) - line);
        QVERIFY2(rest.contains(QStringLiteral("—")), qPrintable(rest));
        QVERIFY2(!rest.contains(QStringLiteral("0.0%")), qPrintable(rest));
    }

private:
    QString render(const QString &layout)
    {
        std::unique_ptr<ReportEngine> report = ReportEngine::OpenReport(m_dir.filePath(layout));
        for (int n = 1; n <= report->tableCount(); ++n)
            report->table(n).setLocation(m_dir.filePath(QStringLiteral("MyData.mdb")));
        return report->render()->toPlainText();
    }

    QTemporaryDir m_dir;
    Connection m_user;
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportLayouts)
#include "tst_ReportLayouts.moc"
