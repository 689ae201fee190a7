// quorvel-cli run as a process on a program folder of its own: every exit
// status, and the files it writes read back by other readers.
#include "support/CliRun.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/SpreadsheetReader.h"

#include <QDir>
#include <QProcess>

using namespace testsupport;

namespace {
const QString kFirm = QStringLiteral("Maple Ridge Homes Ltd");

using Run = CliRun;

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class tst_QuorvelCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_empty;
    QString m_naics;

    QStringList inFolder(const QStringList &arguments) const
    {
        return QStringList{QStringLiteral("--program-folder"), m_dir.path()} + arguments;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copyProgramFiles(
            m_dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb"),
                    QStringLiteral("rpt_Ratios.rpt"), QStringLiteral("rpt_BalanceSheet.rpt"),
                    QStringLiteral("rpt_Comparison.rpt")}));
        Connection reference, user;
        ConnectToFile(reference, m_dir.filePath(QStringLiteral("ROV_DATA.mdb")),
                      QStringLiteral("unknown"), OpenMode::ReadOnly);
        ConnectToFile(user, m_dir.filePath(QStringLiteral("myData.mdb")), QStringLiteral("unknown"),
                      OpenMode::ReadWrite);
        m_naics = GetRS(reference,
                        QStringLiteral("select NAICS from ROVAL_Vol1_ALL_2006_Final_Ratios "
                                       "where NumberOfFirms is not null order by NAICS"),
                        QStringLiteral("read"))
                      .text(QStringLiteral("NAICS"));
        saveStatement(user, firmRecord(kFirm, 2006, m_naics, healthyStatement(), 1, "ALL"));
        saveStatement(
            user, firmRecord(QStringLiteral("Sans industrie"), 2005, m_naics, healthyStatement()));
        DisconnectFromDB(user);
        DisconnectFromDB(reference);
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says"); // on standard output or error
        const QString naics = m_naics;
        auto ratios = [naics](const QString &code, const QString &output) {
            return QStringList{"export", "--report", "ratios", "--volume", "1",   "--naics",
                               code,     "--format", "pdf",    "--output", output};
        };
        QTest::newRow("help") << QStringList{"--help"} << 0 << "quorvel-cli export-comparisons";
        QTest::newRow("help:utf-8")
            << QStringList{"--help"} << 0 << QStringLiteral("--store postgresql://\u2026");
        QTest::newRow("list") << QStringList{"list"} << 0
                              << kFirm + "\t2006\t" + naics + "\t1\tALL";
        QTest::newRow("export") << ratios(naics, m_dir.filePath("ok.pdf")) << 0 << "";
        QTest::newRow("no command") << QStringList{} << 2 << "Usage:";
        QTest::newRow("unknown option") << QStringList{"list", "--bogus"} << 2 << "--bogus";
        QTest::newRow("value left out")
            << QStringList{"export", "--report"} << 2 << "needs a value";
        QTest::newRow("unknown format")
            << QStringList{"export", "--report", "ratios", "--format", "doc"} << 2
            << "pdf|xlsx|csv";
        QTest::newRow("unknown data set")
            << QStringList{"export",   "--report", "ratios",  "--volume", "1",
                           "--region", "QC",       "--naics", naics,      "--format",
                           "csv",      "--output", "x.csv"}
            << 2 << "no data set for volume 1, region QC";
        QTest::newRow("fr:no industry recorded")
            << QStringList{"export", "--report",   "comparison", "--firm", "Sans industrie",
                           "--year", "2005",       "--format",   "csv",    "--output",
                           "x.csv",  "--language", "fr"}
            << 2 << "indiquez --naics et --volume";
        QTest::newRow("industry without data") << ratios("999999", m_dir.filePath("none.pdf")) << 3
                                               << "Industry 999999 has no data for 2006";
        QTest::newRow("fr:no such statement")
            << QStringList{"export", "--report",   "comparison", "--firm", "Personne",
                           "--year", "2006",       "--format",   "pdf",    "--output",
                           "x.pdf",  "--language", "fr"}
            << 3 << "Aucun état n'est sauvegardé pour Personne, 2006.";
        QTest::newRow("unwritable file")
            << ratios(naics, m_dir.filePath("no/such/folder/r.pdf")) << 1 << "could not be written";
    }

    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, says);
        const Run run = runCli(inFolder(arguments));
        QCOMPARE(run.status, status);
        QVERIFY2((run.out + run.err).contains(says), qPrintable(run.out + run.err));
        if (status == 2)
            QVERIFY(run.err.contains(QLatin1String("Usage:")));
    }

    // A folder without the databases: the message names the file, nothing
    // is created there.
    void missingDatabases()
    {
        const Run run = runCli({"--program-folder", m_empty.path(), "list"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QLatin1String("myData.mdb")), qPrintable(run.err));
        QVERIFY(QDir(m_empty.path()).isEmpty());
    }

    // Each export read back by a reader that is not the writer: poppler for
    // the PDF, unzip for the workbook's parts, a strict CSV parse.
    void readBack_data()
    {
        QTest::addColumn<QStringList>("report"); // the options choosing the report
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("title");
        const QStringList ratios{"--report", "ratios", "--volume", "1", "--naics", m_naics};
        const QStringList comparison{"--report",      "comparison", "--firm",
                                     kFirm.toUpper(), "--year",     "2006"};
        const QStringList balance{"--report", "balance", "--volume", "1", "--naics", m_naics};
        QTest::newRow("en:ratios pdf") << ratios << "en"
                                       << "pdf"
                                       << "Ratios – " + m_naics + " ";
        QTest::newRow("fr:comparison pdf") << comparison << "fr"
                                           << "pdf"
                                           << "Comparaison – " + kFirm + " – 2006";
        QTest::newRow("en:comparison xlsx") << comparison << "en"
                                            << "xlsx"
                                            << "Comparison – " + kFirm + " – 2006";
        QTest::newRow("en:ratios csv") << ratios << "en"
                                       << "csv"
                                       << "";
        QTest::newRow("fr:balance csv") << balance << "fr"
                                        << "csv"
                                        << "";
    }

    void readBack()
    {
        QFETCH(QStringList, report);
        QFETCH(QString, language);
        QFETCH(QString, format);
        QFETCH(QString, title);
        const QString file =
            m_dir.filePath(QStringLiteral("%1.%2").arg(QTest::currentDataTag(), format));
        const Run run = runCli(
            inFolder(QStringList{"export"} + report +
                     QStringList{"--language", language, "--format", format, "--output", file}));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const bool french = language == QLatin1String("fr");
        if (format == QLatin1String("pdf")) {
            const QString info = runTool("pdfinfo", {file});
            QVERIFY2(
                info.contains(QRegularExpression("Title: +" + QRegularExpression::escape(title))),
                qPrintable(info));
            QVERIFY(info.contains(QRegularExpression("\\nAuthor: +\\S")));
            QVERIFY(info.contains(QRegularExpression("\\nCreator: +Quorvel\\n")));
            const QString text = runTool("pdftotext", {file, "-"});
            QVERIFY(!text.contains(QChar(0xFB01)) && !text.contains(QChar(0xFB02)));
            QVERIFY(text.contains(french ? "Marge bénéficiaire nette" : "Net profit margin"));
        } else if (format == QLatin1String("xlsx")) {
            const QString core = runTool("unzip", {"-p", file, "docProps/core.xml"});
            QVERIFY2(core.contains("<dc:title>" + title + "</dc:title>") &&
                         core.contains("<dc:creator>Quorvel</dc:creator>"),
                     qPrintable(core));
            const QString sheet = runTool("unzip", {"-p", file, "xl/worksheets/sheet1.xml"});
            QVERIFY(sheet.contains(QRegularExpression("<pageSetup[^>]* fitToHeight=\"0\"")));
            QVERIFY(sheet.contains("<oddFooter>&amp;CPage &amp;P of &amp;N</oddFooter>"));
            XlsxReader reader;
            QVERIFY(reader.open(file));
            bool namesDataset = false;
            for (const XlsxCell &cell : reader.cells(1))
                namesDataset |= cell.text.startsWith(QLatin1String("Volume 1"));
            QVERIFY(namesDataset);
        } else {
            bool bom = false;
            const QList<QStringList> rows = readCsv(file, &bom, french ? ';' : ',');
            QVERIFY(bom);
            QVERIFY(rows.size() > 20);
            QCOMPARE(rows.first().value(9), french ? "Valeur" : "Value");
            const QRegularExpression number(french ? "^-?\\d+(,\\d+)?$" : "^-?\\d+(\\.\\d+)?$");
            for (const QStringList &row : rows.mid(1)) {
                QCOMPARE(row.size(), 13); // the last: what the benchmarks are
                QCOMPARE(row.at(2), m_naics);
                QVERIFY2(row.at(4).startsWith(QLatin1String("Volume 1")), qPrintable(row.at(4)));
                QVERIFY2(number.match(row.at(9)).hasMatch(), qPrintable(row.join('|')));
            }
        }
    }

    void exportComparisons()
    {
        const QString folder = m_dir.filePath(QStringLiteral("batch"));
        const Run run = runCli(inFolder({"export-comparisons", "--folder", folder}));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith(QLatin1String("1 of 2 comparisons written.")),
                 qPrintable(run.out));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);
    }

    // The accountant's comment in every export of the comparison, under its
    // heading; a statement without one has no such section.
    void commentExported_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("format");
        QTest::newRow("en pdf") << "en"
                                << "pdf";
        QTest::newRow("fr pdf") << "fr"
                                << "pdf";
        QTest::newRow("en xlsx") << "en"
                                 << "xlsx";
        QTest::newRow("fr csv") << "fr"
                                << "csv";
        QTest::newRow("en batch pdf") << "en"
                                      << "batch";
    }

    void commentExported()
    {
        QFETCH(QString, language);
        QFETCH(QString, format);
        const QString firm = QStringLiteral("Notes Ltée");
        const QString comment =
            QStringLiteral("Lost the Dupuis contract in March.\nMargins should recover in 2007.");
        SavedStatement saved = firmRecord(firm, 2006, m_naics, healthyStatement(), 1, "ALL");
        saved.comment = comment;
        {
            Connection user;
            ConnectToFile(user, m_dir.filePath(QStringLiteral("myData.mdb")),
                          QStringLiteral("unknown"), OpenMode::ReadWrite);
            saveStatement(user, saved);
            DisconnectFromDB(user);
        }
        const QString heading = language == QLatin1String("fr") ? "Commentaires" : "Comments";
        const auto exported = [&](const QString &name, const QString &suffix) {
            const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
            const QString file = m_dir.filePath("comment-" + tag + suffix + '.' + format);
            const Run run = runCli(
                inFolder({"export", "--report", "comparison", "--firm", name, "--year", "2006",
                          "--language", language, "--format", format, "--output", file}));
            return run.status == 0 ? file : QString();
        };

        if (format == QLatin1String("batch")) {
            const QString folder = m_dir.filePath(QStringLiteral("comment-batch"));
            QCOMPARE(runCli(inFolder({"export-comparisons", "--folder", folder})).status, 0);
            const QStringList written =
                QDir(folder).entryList({QStringLiteral("*Notes*.pdf")}, QDir::Files);
            QCOMPARE(written.size(), 1);
            const QString text =
                runTool("pdftotext", {QDir(folder).filePath(written.first()), "-"});
            QVERIFY2(text.contains(heading + '\n') &&
                         text.contains("Lost the Dupuis contract in March.") &&
                         text.contains("Margins should recover in 2007."),
                     qPrintable(text));
        } else if (format == QLatin1String("pdf")) {
            const QString withComment = exported(firm, QString());
            const QString without = exported(kFirm, QStringLiteral("-none"));
            QVERIFY(!withComment.isEmpty() && !without.isEmpty());
            const QString text = runTool("pdftotext", {withComment, "-"});
            QVERIFY2(text.contains(heading + '\n') &&
                         text.contains("Lost the Dupuis contract in March.") &&
                         text.contains("Margins should recover in 2007."),
                     qPrintable(text));
            QVERIFY(!runTool("pdftotext", {without, "-"}).contains(heading + '\n'));
        } else if (format == QLatin1String("xlsx")) {
            const QString file = exported(firm, QString());
            QVERIFY(!file.isEmpty());
            XlsxReader reader;
            QVERIFY(reader.open(file));
            const qsizetype sheet = reader.sheetNames().indexOf(heading);
            QVERIFY2(sheet >= 0, qPrintable(reader.sheetNames().join('|')));
            QStringList texts;
            for (const XlsxCell &cell : reader.cells(int(sheet) + 1))
                texts << cell.text;
            QVERIFY2(texts.contains(comment), qPrintable(texts.join('|')));
        } else {
            const QString file = exported(firm, QString());
            QVERIFY(!file.isEmpty());
            QStringList commentRow;
            for (const QStringList &row : readCsv(file, nullptr, ';'))
                if (row.contains(comment))
                    commentRow = row;
            QCOMPARE(commentRow.value(6), heading); // its section
        }
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_QuorvelCli)
#include "tst_QuorvelCli.moc"
