// Benchmark sets through quorvel-cli, as a script would load and use them:
// the pack's checks, a set of other years in the reports, the sample's round
// trip, and a load killed halfway.
#include "support/CliRun.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QThread>
#include <csignal>

using namespace testsupport;

namespace {
const QString kFirm = QStringLiteral("Rivière Bakery");

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A pack row of `year` for industry `naics`: every ratio's quartiles far
// below any firm's (NPM, a profit ratio) or far above (the indebtedness
// ratios DE and LTA, where lower is better, descend), and totals of 100.
QStringList packRow(int year, const QString &naics, const QString &npmQ2)
{
    QStringList row{QStringLiteral("3"), QStringLiteral("ON"), QString::number(year), naics,
                    QStringLiteral("120")};
    const QStringList ratios{"NPM", "PPM", "OPM", "GPM", "ORTTNOA", "RNOA", "PPA", "RCE",
                             "RE",  "DE",  "RT",  "IT",  "WC",      "LTA",  "IC"};
    for (const QString &ratio : ratios) {
        const bool lowerIsBetter = ratio == QLatin1String("DE") || ratio == QLatin1String("LTA");
        // The firm sits above Q3 of every ratio but the interest coverage.
        const bool aboveFirm = ratio == QLatin1String("IC");
        const double base = aboveFirm ? 1e6 : -1e6;
        if (lowerIsBetter)
            row << "1000002"
                << "1000001"
                << "1000000";
        else
            row << QString::number(base)
                << (ratio == QLatin1String("NPM") ? npmQ2 : QString::number(base + 1))
                << QString::number(base + 2);
    }
    row << "70"
        << "30"
        << "65"
        << "35"
        << "60"
        << "40"; // opp..npl
    // a11 a12 a13 a18 a19 totoa a14 a151617 totass a22 curass curliab
    row << "10"
        << "10"
        << "10"
        << "50"
        << "10"
        << "90"
        << "5"
        << "5"
        << "100"
        << "20"
        << "40"
        << "30";
    // a25100 a25200 a25500 a25400 a25180 a24 a2329 a27 totliab totse a31 a38 a283334 totlse
    row << "10"
        << "0"
        << "10"
        << "0"
        << "5"
        << "5"
        << "5"
        << "5"
        << "60"
        << "40"
        << "10"
        << "25"
        << "5"
        << "100";
    row << "850"; // AverageRevenue
    return row;
}
} // namespace

class tst_BenchmarksCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QString m_header;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString setsFolder() const { return file(QStringLiteral("data/Quorvel/benchmarks")); }

    CliRun run(const QStringList &arguments, const QString &language = QStringLiteral("en"),
               const QProcessEnvironment *environment = nullptr) const
    {
        return runCli(QStringList{QStringLiteral("--program-folder"), file(QStringLiteral("pf")),
                                  QStringLiteral("--language"), language} +
                          arguments,
                      environment ? *environment : m_environment);
    }

    void writePack(const QString &name, const QList<QStringList> &rows, const QString &header = {})
    {
        QFile pack(file(name));
        QVERIFY(pack.open(QIODevice::WriteOnly));
        pack.write((header.isEmpty() ? m_header : header).toUtf8() + "\n");
        for (const QStringList &row : rows)
            pack.write(row.join(QLatin1Char(',')).toUtf8() + "\n");
    }

    QStringList setFiles() const { return QDir(setsFolder()).entryList(QDir::Files); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir().mkpath(file(QStringLiteral("pf"))));
        for (const char *name : {"ROV_DATA.mdb", "myData.mdb", "rpt_Ratios.rpt",
                                 "rpt_BalanceSheet.rpt", "rpt_Comparison.rpt"})
            QVERIFY(QFile::copy(programFile(QLatin1String(name)),
                                file(QStringLiteral("pf/")) + QLatin1String(name)));
        QFile::setPermissions(file(QStringLiteral("pf/myData.mdb")),
                              QFile::ReadOwner | QFile::WriteOwner);
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), file(QStringLiteral("data")));
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), file(QStringLiteral("config")));
        // The pack's header as the sample's export writes it.
        const CliRun exported = run({"benchmarks", "export", "--output", file("sample.csv")});
        QCOMPARE(exported.status, 0);
        m_header = QString::fromUtf8(readAll(file("sample.csv"))).section(QLatin1Char('\r'), 0, 0);
        QVERIFY(m_header.startsWith(QLatin1String("Volume,Region,Year,NAICS,Firms,NPMQ1")));
    }

    // Each broken pack is refused with status 4, naming the row and the
    // column, and leaves no set behind.
    void refusedPack_data()
    {
        QTest::addColumn<int>("column"); // of the one cell changed in row 2; -1: the header
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says");
        QTest::newRow("unknown heading") << -1 << "Margin"
                                         << "row 1, column Margin (";
        QTest::newRow("text for a number") << 5 << "abc"
                                           << "row 2, column NPMQ1 (F): \"abc\" is not a number";
        QTest::newRow("thousands or decimal")
            << 5 << "\"1,500\""
            << "row 2, column NPMQ1 (F): \"1,500\" can be read two ways";
        QTest::newRow("volume") << 0 << "4"
                                << "row 2, column Volume (A): volume \"4\"";
        QTest::newRow("region") << 1 << "XX"
                                << "row 2, column Region (B): \"XX\" is not a region code";
        QTest::newRow("year of two digits") << 2 << "21"
                                            << "row 2, column Year (C): \"21\" is not a year";
        QTest::newRow("quartiles out of order") << 6 << "-2000000"
                                                << "row 2, column NPMQ2 (G): the quartiles";
        QTest::newRow("lower is better, ascending") << 33 << "5"
                                                    << "row 2, column DEQ2 (AH): the quartiles";
        QTest::newRow("shares not 100") << 50 << "80"
                                        << "row 2, column opp (AY): opp + opl total 110";
        QTest::newRow("duplicate")
            << 3 << "1111"
            << "row 3, column NAICS (D): the same volume, region, year and NAICS as row 2";
        QTest::newRow("no title") << 3 << "99999"
                                  << "row 2, column NAICS: industry 99999 has no title";
    }
    void refusedPack()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, says);
        QList<QStringList> rows{packRow(2021, "1112", "-999999"), packRow(2021, "1111", "-999999")};
        QString header = m_header;
        if (column < 0)
            header += QLatin1Char(',') + value;
        else
            rows[0][column] = value;
        writePack(QStringLiteral("broken.csv"), rows, header);
        const CliRun loaded =
            run({"benchmarks", "load", file("broken.csv"), "--name", "Broken", "--source", "Test"});
        QCOMPARE(loaded.status, 4);
        QVERIFY2(loaded.err.contains(says), qPrintable(loaded.err));
        QVERIFY2(loaded.err.contains(QLatin1String("nothing was written")), qPrintable(loaded.err));
        QCOMPARE(setFiles(), QStringList());
    }

    // A set of 2019 to 2021 with two industries, one of them new with its
    // titles, and one figure suppressed: the reports follow its years, show
    // "—", name it in the footer, and place a firm against its quartiles.
    void setOfOtherYears()
    {
        QList<QStringList> rows;
        for (const int year : {2019, 2020, 2021})
            for (const QString &naics : {QStringLiteral("1111"), QStringLiteral("99001")})
                rows << packRow(year, naics,
                                year == 2021 && naics == QLatin1String("1111")
                                    ? QStringLiteral("..")
                                    : QStringLiteral("-999999"));
        writePack(QStringLiteral("recent.csv"), rows);
        QFile titles(file(QStringLiteral("titles.csv")));
        QVERIFY(titles.open(QIODevice::WriteOnly));
        titles.write(
            "SCIAN;Titre anglais;Titre français\n99001;Test bakeries;Boulangeries d'essai\n");
        titles.close();

        const CliRun loaded =
            run({"benchmarks", "load", file("recent.csv"), "--titles", file("titles.csv"), "--name",
                 "Survey 2021", "--source", "Test survey, table 33-10"},
                QStringLiteral("fr"));
        QVERIFY2(loaded.status == 0, qPrintable(loaded.err));
        QVERIFY2(loaded.out.contains(QStringLiteral(
                     "6 lignes : 1 ensembles de données, 2 industries, années 2019 à 2021")),
                 qPrintable(loaded.out));
        QVERIFY(loaded.out.contains(QStringLiteral("1 données non disponibles")));
        QCOMPARE(run({"benchmarks", "use", "survey 2021"}).status, 0);
        QVERIFY(run({"benchmarks", "list"})
                    .out.contains(
                        QLatin1String("Survey 2021\tTest survey, table 33-10\t2019-2021\t1\t2\t")));

        const CliRun ratios =
            run({"export", "--report", "ratios", "--volume", "3", "--region", "ON", "--naics",
                 "1111", "--format", "pdf", "--output", file("ratios.pdf")});
        QVERIFY2(ratios.status == 0, qPrintable(ratios.err));
        const QString text = pdfText(file(QStringLiteral("ratios.pdf")));
        QVERIFY2(text.contains(QLatin1String("2019, 2020, 2021")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\u2014")));
        QVERIFY(text.contains(
            QLatin1String("Benchmark data: Survey 2021. Source: Test survey, table 33-10.")));
        QVERIFY(!text.contains(QLatin1String("Sample data")));
        // The new industry has its title from the pack, in French too.
        const CliRun french =
            run({"export", "--report", "balance", "--volume", "3", "--region", "ON", "--naics",
                 "99001", "--format", "csv", "--output", file("bilan.csv")},
                QStringLiteral("fr"));
        QVERIFY2(french.status == 0, qPrintable(french.err));
        const QString bilan = QString::fromUtf8(readAll(file("bilan.csv")));
        QVERIFY(bilan.contains(QLatin1String(";99001;Boulangeries d'essai;")));
        QVERIFY(bilan.contains(QStringLiteral(
            "Données de référence : Survey 2021. Source : Test survey, table 33-10.")));

        // A statement of 2021 compared against the set's quartiles.
        {
            Connection user;
            ConnectToFile(user, file(QStringLiteral("pf/myData.mdb")), QStringLiteral("unknown"),
                          OpenMode::ReadWrite);
            saveStatement(user, firmRecord(kFirm, 2021, "1111", healthyStatement(), 3, "ON"));
            DisconnectFromDB(user);
        }
        const CliRun comparison =
            run({"export", "--report", "comparison", "--firm", kFirm, "--year", "2021", "--format",
                 "csv", "--output", file("comparison.csv")});
        QVERIFY2(comparison.status == 0, qPrintable(comparison.err));
        Connection user;
        ConnectToFile(user, file(QStringLiteral("pf/myData.mdb")), QStringLiteral("unknown"),
                      OpenMode::ReadOnly);
        const RecordSet positions =
            GetRS(user,
                  QStringLiteral("select MyYear, BetterPPM, WorsePPM, BetterDE, WorseDE, BetterIC, "
                                 "WorseIC, NPMQ2 from Rpt_Comparison"),
                  QStringLiteral("read"));
        QCOMPARE(positions.field(QStringLiteral("MyYear")).toInt(), 2021);
        QCOMPARE(positions.field(QStringLiteral("BetterPPM")).toInt(), 75);
        QCOMPARE(positions.field(QStringLiteral("WorsePPM")).toInt(), 0);
        QCOMPARE(positions.field(QStringLiteral("BetterDE")).toInt(), 75);
        QCOMPARE(positions.field(QStringLiteral("WorseDE")).toInt(), 0);
        QCOMPARE(positions.field(QStringLiteral("BetterIC")).toInt(), 0);
        QCOMPARE(positions.field(QStringLiteral("WorseIC")).toInt(), 75);
        QVERIFY(positions.field(QStringLiteral("NPMQ2")).isNull()); // suppressed, never 0
        DisconnectFromDB(user);
        // A year outside the set's is refused as the sample refuses 2003.
        QCOMPARE(run({"export", "--report", "comparison", "--firm", kFirm, "--year", "2006",
                      "--format", "csv", "--output", file("old.csv")})
                     .status,
                 3);
        QCOMPARE(run({"benchmarks", "use", "sample"}).status, 0);
    }

    // The sample exported and loaded back gives the same reports, the
    // footer aside.
    void sampleRoundTrip()
    {
        const CliRun loaded = run({"benchmarks", "load", file("sample.csv"), "--name", "Round trip",
                                   "--source", "The sample, exported"});
        QVERIFY2(loaded.status == 0, qPrintable(loaded.err));
        for (const QString &report : {QStringLiteral("ratios"), QStringLiteral("balance")}) {
            QStringList texts;
            for (const QString &set : {QStringLiteral("sample"), QStringLiteral("Round trip")}) {
                const QString output = file(report + set + QStringLiteral(".pdf"));
                QCOMPARE(run({"--benchmarks", set, "export", "--report", report, "--volume", "3",
                              "--region", "NB", "--naics", "1111", "--format", "pdf", "--output",
                              output},
                             QStringLiteral("fr"))
                             .status,
                         0);
                texts << pdfText(output);
            }
            QVERIFY(texts[0].contains(QStringLiteral("Données d'exemple")));
            const QString footer =
                QStringLiteral("Données de référence : Round trip. Source : The sample, exported.");
            QVERIFY(texts[1].contains(footer));
            // Lines as read, blanks aside: the footer's width moves the columns.
            const auto withoutFooter = [](const QString &text) {
                QStringList lines;
                for (const QString &line : text.split(QLatin1Char('\n')))
                    if (!line.simplified().isEmpty())
                        lines << line.simplified();
                lines.removeIf([](const QString &line) {
                    return line.contains(QStringLiteral("Données d'exemple")) ||
                           line.contains(QLatin1String("Round trip"));
                });
                return lines;
            };
            QCOMPARE(withoutFooter(texts[1]), withoutFooter(texts[0]));
        }
        QCOMPARE(run({"benchmarks", "remove", "Round trip"}).status, 0);
        QCOMPARE(run({"benchmarks", "remove", "sample"}).status, 2);
    }

    // A load killed in the middle of writing leaves no set and no
    // temporary file once the sets are next looked at. The load is killed
    // from outside, as a user or a power cut would, once its rows are being
    // written (the temporary copy's write-ahead log has grown).
    void killedLoad()
    {
        QProcess load;
        load.setProcessEnvironment(m_environment);
        load.start(QStringLiteral(QUORVEL_CLI),
                   {QStringLiteral("--program-folder"), file(QStringLiteral("pf")),
                    QStringLiteral("--language"), QStringLiteral("en"),
                    QStringLiteral("benchmarks"), QStringLiteral("load"),
                    file(QStringLiteral("sample.csv")), QStringLiteral("--name"),
                    QStringLiteral("Killed"), QStringLiteral("--source"), QStringLiteral("Test")});
        QVERIFY(load.waitForStarted());
        const QDir sets(setsFolder());
        bool writing = false;
        while (!writing && load.state() == QProcess::Running) {
            for (const QFileInfo &log : sets.entryInfoList({QStringLiteral("*.partial.mdb-wal")}))
                writing = writing || log.size() > 0;
            if (!writing)
                QThread::usleep(200);
        }
        QVERIFY2(writing, "the load ended before it could be stopped");
        ::kill(pid_t(load.processId()), SIGKILL);
        QVERIFY(load.waitForFinished());
        QCOMPARE(load.exitStatus(), QProcess::CrashExit);

        const CliRun listed = run({"benchmarks", "list"});
        QVERIFY(!listed.out.contains(QLatin1String("Killed")));
        QStringList left = setFiles();
        left.removeIf([](const QString &name) { return name.startsWith(QLatin1String("survey")); });
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
    }
};

QTEST_GUILESS_MAIN(tst_BenchmarksCli)
#include "tst_BenchmarksCli.moc"
