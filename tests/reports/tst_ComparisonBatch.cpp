// Every client at once: one comparison PDF per saved statement, against the
// industry it was saved under, written whole or not at all, with a summary
// of what was written and what was skipped.
#include "reports/ComparisonBatch.h"
#include "reports/ComparisonFigures.h"
#include "reports/ReportPreparation.h"
#include "store/SqliteStatementStore.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QDir>
#include <QProcess>

using namespace testsupport;

namespace {

SavedStatement healthyRecord(const QString &name, int year, const QString &naics, int volume,
                             const QString &region)
{
    return firmRecord(name, year, naics, healthyStatement(), volume, region);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool isWholePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

// The text pdftotext reads in a PDF, page by page in reading order.
QString pdfText(const QString &path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), path, QStringLiteral("-")});
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

class tst_ComparisonBatch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(openShippedDatabases(m_dir));
        QVERIFY(copyProgramFiles(m_dir, {QStringLiteral("rpt_Comparison.rpt")}));
        RecordSet rs = GetRS(appState().gcnReference,
                             QStringLiteral("select NAICS from ROVAL_Vol1_ALL_2006_Final_Ratios "
                                            "where NumberOfFirms is not null order by NAICS"),
                             QStringLiteral("read"));
        QVERIFY(rs.RecordCount() > 0);
        m_naics = rs.text(QStringLiteral("NAICS"));
    }

    void cleanupTestCase() { m_state.reset(); }

    void init()
    {
        qint16 errors = 0;
        ExecCmdInDB(appState().gcnUser, QStringLiteral("delete from MyValues"), errors);
        ExecCmdInDB(appState().gcnUser, QStringLiteral("delete from StatementIndustry"), errors);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("firm");
        QTest::addColumn<Language>("language");
        QTest::addColumn<int>("copy");
        QTest::addColumn<QString>("expected");
        const auto en = Language::English;
        QTest::newRow("en") << "Maple Ridge Homes Ltd" << en << 1
                            << "Comparison – Maple Ridge Homes Ltd – 2006 – 236110.pdf";
        QTest::newRow("fr") << "Érable & Fils" << Language::French << 1
                            << "Comparaison – Érable & Fils – 2006 – 236110.pdf";
        QTest::newRow("path characters")
            << "A/B: C*D?" << en << 1 << "Comparison – A-B- C-D- – 2006 – 236110.pdf";
        QTest::newRow("hidden-file dot and blanks")
            << "  ..Dots  Inc " << en << 1 << "Comparison – Dots Inc – 2006 – 236110.pdf";
        QTest::newRow("second copy")
            << "Acme" << en << 2 << "Comparison – Acme – 2006 – 236110 (2).pdf";
        QTest::newRow("direction and invisible format characters")
            << QString::fromUtf8("Acme\u202Efdp.exe\u200B\u2066\uFEFF\u00AD") << en << 1
            << "Comparison – Acmefdp.exe – 2006 – 236110.pdf";
        QTest::newRow("control characters") << QString::fromUtf8("A\u0085B\tC") << en << 1
                                            << "Comparison – A-B-C – 2006 – 236110.pdf";
        QTest::newRow("nothing visible")
            << QString::fromUtf8("\u202E..") << en << 1 << "Comparison – - – 2006 – 236110.pdf";
        // 240 bytes in all: 15 before the name, 28 after it and 3 for "…" leave 194.
        QTest::newRow("10,000 letters, shortened")
            << QString(10000, QLatin1Char('x')) << en << 3
            << "Comparison – " + QString(194, QLatin1Char('x')) + "… – 2006 – 236110 (3).pdf";
        // Four bytes a letter, never cut in half.
        QTest::newRow("long name of surrogate pairs")
            << QString::fromUtf8("😀").repeated(100) << en << 1
            << "Comparison – " + QString::fromUtf8("😀").repeated(49) + "… – 2006 – 236110.pdf";
    }

    void fileNames()
    {
        QFETCH(QString, firm);
        QFETCH(Language, language);
        QFETCH(int, copy);
        QFETCH(QString, expected);
        const QString name =
            fncComparisonFileName(firm, 2006, QStringLiteral("236110"), language, copy);
        QCOMPARE(name, expected);
        QVERIFY(name.toUtf8().size() <= kMaxComparisonFileNameBytes);
    }

    // Hostile names of saved statements, exported together: every statement
    // gets a file of its own, and the summary counts the files on disk.
    void everyStatementItsOwnFile_data()
    {
        QTest::addColumn<QStringList>("firms");
        QTest::newRow("path characters") << QStringList{"a/b", "a:b", "a*b"};
        QTest::newRow("trailing dot") << QStringList{"Acme", "Acme.", "Acme.."};
        QTest::newRow("doubled blank") << QStringList{"Acme  Ltd", "Acme Ltd", " Acme Ltd "};
        QTest::newRow("direction override") << QStringList{
            QString::fromUtf8("Acme\u202Efdp"), "Acmefdp", QString::fromUtf8("Acme\u200Bfdp")};
        QTest::newRow("10,000 letters")
            << QStringList{QString(10000, QLatin1Char('x')), QString(9999, QLatin1Char('x')) + "y"};
        QTest::newRow("nothing visible") << QStringList{"...", QString::fromUtf8("\u202E"), "-"};
    }

    void everyStatementItsOwnFile()
    {
        QFETCH(QStringList, firms);
        Connection &user = appState().gcnUser;
        for (const QString &firm : firms)
            saveStatement(user, healthyRecord(firm, 2006, m_naics, 1, "ALL"));
        QTemporaryDir out;
        SqliteStatementStore store(user);
        const QVector<BatchStatement> statements = fncBatchStatements(store);
        QCOMPARE(statements.size(), firms.size());
        const QVector<BatchResult> results = fncExportComparisons(
            appState().gcnReference, user, store, statements, out.path(),
            m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")), Language::English, {});

        const QStringList files = filesIn(out.path());
        QCOMPARE(files.size(), firms.size());
        for (const BatchResult &r : results) {
            QCOMPARE(r.outcome, BatchOutcome::Written);
            QVERIFY2(files.contains(r.fileName), qPrintable(r.fileName));
            QVERIFY(isWholePdf(QDir(out.path()).filePath(r.fileName)));
            for (const QChar c : r.fileName)
                QVERIFY2(c.category() != QChar::Other_Format, qPrintable(r.fileName));
        }
        const QString summary = fncBatchSummary(results, int(statements.size()), Language::English);
        QVERIFY2(
            summary.startsWith(QStringLiteral("%1 of %1 comparisons written.").arg(files.size())),
            qPrintable(summary));
        for (const QString &file : files)
            QCOMPARE(summary.count(file), 1);
    }

    void exportsWhatItCanAndSaysWhyNot()
    {
        Connection &user = appState().gcnUser;
        saveStatement(user, healthyRecord("Maple Ridge Homes Ltd", 2006, m_naics, 1, "ALL"));
        // An industry code the dataset does not hold: no data for the year.
        saveStatement(user, healthyRecord("Nowhere Trading", 2005, "999999", 1, "ALL"));
        // Saved before industries were remembered: no record of its industry.
        saveStatement(user, healthyRecord("Old Client Co", 2004, m_naics, 1, "ALL"));
        qint16 errors = 0;
        ExecCmdInDB(user, QStringLiteral("delete from StatementIndustry where [Year] = 2004"),
                    errors);

        QTemporaryDir out;
        SqliteStatementStore store(user);
        const QVector<BatchStatement> statements = fncBatchStatements(store);
        QCOMPARE(statements.size(), 3);
        const QVector<BatchResult> results = fncExportComparisons(
            appState().gcnReference, user, store, statements, out.path(),
            m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")), Language::English, {});
        QCOMPARE(results.size(), 3);

        const QString written =
            fncComparisonFileName("Maple Ridge Homes Ltd", 2006, m_naics, Language::English);
        QCOMPARE(filesIn(out.path()), QStringList{written});
        QVERIFY(isWholePdf(QDir(out.path()).filePath(written)));

        QHash<QString, BatchOutcome> outcomes;
        for (const BatchResult &r : results)
            outcomes.insert(r.statement.firmName, r.outcome);
        QCOMPARE(outcomes.value("Maple Ridge Homes Ltd"), BatchOutcome::Written);
        QCOMPARE(outcomes.value("Nowhere Trading"), BatchOutcome::NoIndustryData);
        QCOMPARE(outcomes.value("Old Client Co"), BatchOutcome::NoIndustryRecorded);

        const QString summary = fncBatchSummary(results, int(statements.size()), Language::English);
        QVERIFY2(summary.startsWith(QStringLiteral("1 of 3 comparisons written.")),
                 qPrintable(summary));
        QVERIFY(summary.contains(written));
        QVERIFY(summary.contains(QStringLiteral("Nowhere Trading, 2005: the industry has no "
                                                "data for 2005")));
        QVERIFY(summary.contains(
            QStringLiteral("Old Client Co, 2004: saved before industries were remembered")));
        const QString french = fncBatchSummary(results, int(statements.size()), Language::French);
        QVERIFY2(french.startsWith(QStringLiteral("Comparaisons écrites : 1 sur 3.")),
                 qPrintable(french));
    }

    void cancelledRunLeavesOnlyWholeFiles()
    {
        Connection &user = appState().gcnUser;
        for (const char *firm : {"Alpha Ltd", "Beta Ltd", "Gamma Ltd"})
            saveStatement(user, healthyRecord(firm, 2006, m_naics, 1, "ALL"));
        QTemporaryDir out;
        SqliteStatementStore store(user);
        const QVector<BatchStatement> statements = fncBatchStatements(store);
        const QVector<BatchResult> results =
            fncExportComparisons(appState().gcnReference, user, store, statements, out.path(),
                                 m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")),
                                 Language::French, [](int done) { return done < 2; });
        QCOMPARE(results.size(), 2);
        const QStringList files = filesIn(out.path());
        QCOMPARE(files.size(), 2);
        for (const QString &file : files)
            QVERIFY2(isWholePdf(QDir(out.path()).filePath(file)), qPrintable(file));
        QVERIFY(fncBatchSummary(results, 3, Language::English)
                    .contains(QStringLiteral("The export was cancelled after 2 statements.")));
    }

    // Workers each on their own connections and work file write what one
    // thread writes: the same files under the same names, the same words in
    // them, the same results in the same order.
    void workersWriteWhatOneThreadWrites()
    {
        Connection &user = appState().gcnUser;
        for (const char *firm : {"Alpha Ltd", "Beta Ltd", "Gamma Ltd", "Delta Ltd", "Epsilon Ltd"})
            saveStatement(user, healthyRecord(firm, 2006, m_naics, 1, "ALL"));
        saveStatement(user, healthyRecord("Alpha Ltd", 2005, m_naics, 1, "ALL"));
        saveStatement(user, healthyRecord("Nowhere Trading", 2005, "999999", 1, "ALL"));
        SqliteStatementStore store(user);
        const QVector<BatchStatement> statements = fncBatchStatements(store);
        const QString layout = m_dir.filePath(QStringLiteral("rpt_Comparison.rpt"));
        QTemporaryDir one, several;
        const QVector<BatchResult> alone =
            fncExportComparisons(appState().gcnReference, user, store, statements, one.path(),
                                 layout, Language::French, {}, 1);
        const QVector<BatchResult> together =
            fncExportComparisons(appState().gcnReference, user, store, statements, several.path(),
                                 layout, Language::French, {}, 3);

        QCOMPARE(together.size(), alone.size());
        for (int i = 0; i < alone.size(); ++i) {
            QCOMPARE(together.at(i).statement.firmName, alone.at(i).statement.firmName);
            QCOMPARE(together.at(i).outcome, alone.at(i).outcome);
            QCOMPARE(together.at(i).fileName, alone.at(i).fileName);
        }
        QCOMPARE(filesIn(several.path()), filesIn(one.path()));
        QCOMPARE(filesIn(one.path()).size(), 6);
        for (const QString &file : filesIn(one.path())) {
            const QString text = pdfText(QDir(one.path()).filePath(file));
            QVERIFY(text.contains(QStringLiteral("Gamma Ltd")) || !file.contains("Gamma"));
            QCOMPARE(pdfText(QDir(several.path()).filePath(file)), text);
        }
    }

    void batchComparisonIsTheOneTheFirmScreenPrepares()
    {
        Connection &user = appState().gcnUser;
        const SavedStatement record =
            healthyRecord("Maple Ridge Homes Ltd", 2006, m_naics, 1, "ALL");
        saveStatement(user, record);
        QTemporaryDir out;
        SqliteStatementStore store(user);
        const QVector<BatchStatement> statements = fncBatchStatements(store);
        QCOMPARE(statements.size(), 1);
        QCOMPARE(fncExportComparison(
                     appState().gcnReference, user, store, statements.first(), out.path(),
                     m_dir.filePath(QStringLiteral("rpt_Comparison.rpt")), Language::English)
                     .outcome,
                 BatchOutcome::Written);
        const RecordSet batch = GetRS(user, QStringLiteral("select * from Rpt_Comparison"), "read");

        // The firm screen hands over the typed amounts as texts.
        QStringList amounts;
        for (double FirmStatement::*amount : firmStatementAmounts())
            amounts << QString::number(record.amounts.*amount, 'f', 2);
        RecordSet title = GetRS(appState().gcnReference,
                                QStringLiteral("select Description from "
                                               "ROVAL_NAICS_Description_Ind_Detailed where "
                                               "NAICS = ?"),
                                "read", {m_naics});
        QVERIFY(fncPrepareComparisonReport(
            appState().gcnReference, user, "com", 1, "ALL", 2006, m_naics, "E",
            fncComparisonValues(record.firmName, 2006, m_naics, title.text("Description"),
                                amounts)));
        const RecordSet direct =
            GetRS(user, QStringLiteral("select * from Rpt_Comparison"), "read");
        QCOMPARE(batch.RecordCount(), 1);
        QCOMPARE(direct.RecordCount(), 1);
        for (int i = 0; i < batch.fieldCount(); ++i)
            QVERIFY2(batch.row(0).at(i) == direct.row(0).at(i), qPrintable(batch.fieldName(i)));
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<StateScope> m_state;
    QString m_naics;
};

QUORVEL_LOGIC_TEST_MAIN(tst_ComparisonBatch)
#include "tst_ComparisonBatch.moc"
