// The comparison of three kinds of firm on volume 1 of the shipped data,
// prepared and laid out as the report window shows it: two pages each, in
// both languages, with the verdict, the size note and the n/m marks where
// they belong. With QUORVEL_EVIDENCE_DIR set, the pages are also written
// there as PDF files to be looked at.
#include "core/DbTools.h"
#include "reports/ReportEngine.h"
#include "reports/ReportPreparation.h"
#include "support/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

const QString kNaics = QStringLiteral("236110");

QStringList statement(const QString &name, const QList<double> &amounts)
{
    QStringList values{name, QStringLiteral("2006"), kNaics,
                       QStringLiteral("Residential building construction")};
    for (double amount : amounts)
        values << QString::number(amount, 'f', 0);
    return values;
}

// Amounts in the order of the statement: assets, income, liabilities and equity, memo.
QStringList typicalFirm()
{
    return statement(QStringLiteral("Maple Homes Ltd."),
                     {1200000, 5400000,  3100000,  8700000,  600000,   19000000, 500000,
                      300000,  19800000, 42000000, 41500000, 8300000,  2100000,  350000,
                      1800000, 1350000,  4200000,  2100000,  0,        3000000,  0,
                      800000,  400000,   600000,   200000,   11300000, 1500000,  6700000,
                      300000,  8500000,  19800000, 10200000, 7100000});
}

QStringList negativeEquityFirm()
{
    return statement(QStringLiteral("Red Ink Builders"),
                     {1200000, 5400000,  3100000,  8700000,  600000,   19000000, 500000,
                      300000,  19800000, 42000000, 41500000, 8300000,  2100000,  350000,
                      1800000, 1350000,  4200000,  17800000, 0,        3000000,  0,
                      800000,  400000,   600000,   200000,   27000000, 1500000,  -9000000,
                      300000,  -7200000, 19800000, 10200000, 7100000});
}

QStringList smallFirm()
{
    return statement(QStringLiteral("Petite Rénovation inc."),
                     {60000,   150000,  90000,  210000, 20000,  530000, 0,     0,      530000,
                      1200000, 1150000, 380000, 95000,  12000,  83000,  70000, 110000, 80000,
                      0,       90000,   0,      20000,  30000,  10000,  0,     340000, 50000,
                      140000,  0,       190000, 530000, 310000, 200000});
}

} // namespace

class tst_ComparisonPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(copyProgramFiles(m_dir, {QStringLiteral("rpt_Comparison.rpt")}));
        QVERIFY(openShippedDatabases(m_dir));
    }

    void cleanupTestCase() { m_state.reset(); }

    void twoPagesEach_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absent");
        // The typical firm's ratios, days and notes fill page 2; "What it
        // would take" starts page 3.
        QTest::newRow("en:typical")
            << "E" << typicalFirm()
            << QStringList{"In short",   "Your firm is better than", "Sales", "Your margin", "pts",
                           "Page 1 of 3"}
            << QStringList{"n/m", "Size:"};
        QTest::newRow("fr:typical") << "F" << typicalFirm()
                                    << QStringList{"En bref", "Votre entreprise fait mieux",
                                                   "Votre marge", "points de %", "Page 1 de 3"}
                                    << QStringList{"n.s.", "Taille :"};
        QTest::newRow("en:negative equity")
            << "E" << negativeEquityFirm()
            << QStringList{"n/m", "Shareholders' equity is negative (a deficit of $7,200,000).",
                           "Shareholders' equity is negative: return on equity and debt "
                           "to equity have no meaning.",
                           "Left out as not meaningful: return on equity and debt to equity."}
            << QStringList{"Size:"};
        QTest::newRow("fr:negative equity")
            << "F" << negativeEquityFirm()
            << QStringList{"n.s.", "Les capitaux propres sont négatifs (un déficit de 7",
                           "Les capitaux propres sont négatifs : le rendement des capitaux propres",
                           "Exclus car non significatifs"}
            << QStringList{"Taille :"};
        QTest::newRow("fr:operating loss and negative equity")
            << "F" <<
            [] {
                QStringList values = negativeEquityFirm();
                values[4 + 12] = QStringLiteral("-500000"); // operating profit
                return values;
            }()
            << QStringList{"Les capitaux propres sont négatifs (un déficit de 7",
                           "Le bénéfice d'exploitation est négatif (une perte d'exploitation de "
                           "500"}
            << QStringList{"Taille :"};
        QTest::newRow("en:1.2 M on volume 1")
            << "E" << smallFirm()
            << QStringList{"Size: your firm's operating revenue of $1,200,000",
                           "The band that fits your firm: $30,000 to $5 million (volume 3)."}
            << QStringList{"n/m"};
        QTest::newRow("fr:1.2 M on volume 1")
            << "F" << smallFirm()
            << QStringList{"Taille : les recettes d'exploitation de votre entreprise",
                           "30 000 $ à 5 millions $ (volume 3)"}
            << QStringList{"n.s."};
    }

    void twoPagesEach()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, values);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);
        AppState &state = appState();
        MessageRecorder messages;
        QVERIFY(fncPrepareComparisonReport(state.gcnReference, state.gcnUser, "com", 1, "ALL", 2006,
                                           kNaics, language, values));
        QVERIFY(messages.messages.isEmpty());

        std::unique_ptr<ReportEngine> report =
            ReportEngine::OpenReport(m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")));
        for (int n = 1; n <= report->tableCount(); ++n)
            report->table(n).setLocation(m_dir.filePath(QStringLiteral("myData.mdb")));
        const std::unique_ptr<ReportDocument> document = report->render();
        const QString text = document->toPlainText();
        // The PDF as the user gets it, counted by another program.
        const QString evidence = qEnvironmentVariable("QUORVEL_EVIDENCE_DIR");
        const QString folder = evidence.isEmpty() ? m_dir.path() : evidence;
        QDir().mkpath(folder);
        const QString name = QString::fromLatin1(QTest::currentDataTag())
                                 .replace(QLatin1Char(':'), QLatin1Char('-'))
                                 .replace(QLatin1Char(' '), QLatin1Char('_'));
        const QString pdf = folder + QLatin1Char('/') + name + QStringLiteral(".pdf");
        QVERIFY(document->exportPdf(pdf, name, language == QLatin1String("F")));
        // Two pages, and a third where "What it would take" does not fit after the ratios.
        QVERIFY2(document->pageCount() == 2 || document->pageCount() == 3,
                 qPrintable(QString::number(document->pageCount())));
        QCOMPARE(pdfPageCount(pdf), document->pageCount());
        for (const QString &part : expected)
            QVERIFY2(text.contains(part), qPrintable(part + QStringLiteral(" not in:\n") + text));
        for (const QString &part : absent)
            QVERIFY2(!text.contains(part), qPrintable(part + QStringLiteral(" in:\n") + text));
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StateScope> m_state;
};

QUORVEL_TEST_MAIN(tst_ComparisonPages)
#include "tst_ComparisonPages.moc"
