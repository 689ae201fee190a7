// quorvel-cli's template and import commands run as a process: the
// template it writes imports back, an import saves what the file holds,
// and each exit status with its reason.
#include "import/StatementImport.h"
#include "store/SqliteStatementStore.h"
#include "support/CliRun.h"
#include "support/LogicTestSupport.h"

#include <QFile>
#include <QProcess>

using namespace testsupport;

namespace {
using Run = CliRun;

const QByteArray kStatement = "Firm,Ignored Inc\nItem,2006,2005\nCash,1500.50,1000\n"
                              "Accounts receivable,\"2,000\",900\nMystery,5,5\n";
} // namespace

class tst_ImportCli : public QObject
{
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<QStringList>("before"); // run first, in the same folder
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");  // on standard output, or error when failing
        QTest::addColumn<double>("savedCash"); // -1: no statement saved for Acme, 2006

        const QStringList bare = {"import", "FILE", "--firm", "Acme", "--year", "2006"};
        // The file gives cash and receivables alone: it does not balance, and
        // only --accept-differences saves it.
        const QStringList unchecked = bare + QStringList{"--naics", "236110", "--volume", "2"};
        const QStringList import = unchecked + QStringList{"--accept-differences"};
        const QStringList first = import + QStringList{"--column", "2006"};
        QTest::newRow("import, column named")
            << QStringList() << first << 0 << "Saved: Acme, 2006" << 1501.0;
        QTest::newRow("a statement that does not balance is refused")
            << QStringList() << unchecked + QStringList{"--column", "2006"} << 4
            << "--accept-differences" << -1.0;
        QTest::newRow("industry not given")
            << QStringList() << bare + QStringList{"--column", "2006"} << 2 << "--naics" << -1.0;
        QTest::newRow("volume 3 without its region")
            << QStringList()
            << bare + QStringList{"--column", "2006", "--naics", "236110", "--volume", "3"} << 2
            << "--region" << -1.0;
        QTest::newRow("industry known from the statement saved before")
            << first << bare + QStringList{"--column", "2005", "--replace", "--accept-differences"}
            << 0 << "Saved" << 1000.0;
        QTest::newRow("fr:summary lists the unknown row")
            << QStringList() << first + QStringList{"--language", "fr"} << 0
            << "Ligne 5 : « Mystery » (5)" << 1501.0;
        QTest::newRow("existing statement refused")
            << first << import + QStringList{"--column", "2005"} << 1 << "--replace" << 1501.0;
        QTest::newRow("existing statement replaced")
            << first << import + QStringList{"--column", "2005", "--replace"} << 0 << "Saved"
            << 1000.0;
        QTest::newRow("several columns, none named")
            << QStringList() << import << 4 << "several amount columns" << -1.0;
        QTest::newRow("column not in the file")
            << QStringList() << import + QStringList{"--column", "2004"} << 4 << "\"2004\"" << -1.0;
        QTest::newRow("file missing")
            << QStringList() << QStringList{"import", "nowhere.csv", "--firm", "Acme",     "--year",
                                            "2006",   "--naics",     "236110", "--volume", "1"}
            << 4 << "cannot be read" << -1.0;
        QTest::newRow("no file given")
            << QStringList() << QStringList{"import", "--firm", "Acme", "--year", "2006"} << 2
            << "Usage" << -1.0;
        QTest::newRow("unknown data set")
            << QStringList() << bare + QStringList{"--naics", "236110", "--volume", "9"} << 2
            << "volume 9" << -1.0;
        QTest::newRow("template format unknown")
            << QStringList() << QStringList{"template", "--format", "ods", "--output", "t.ods"} << 2
            << "--format" << -1.0;
    }

    void commands()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        QFETCH(double, savedCash);
        QTemporaryDir dir;
        QVERIFY(
            copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb")}));
        const QString file = dir.filePath(QStringLiteral("statement.csv"));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write(kStatement) == kStatement.size());
        csv.close();
        const auto inFolder = [&](QStringList list) {
            list.replaceInStrings(QRegularExpression(QStringLiteral("^FILE$")), file);
            list.replaceInStrings(QRegularExpression(QStringLiteral("^t.ods$")),
                                  dir.filePath(QStringLiteral("t.ods")));
            return QStringList{QStringLiteral("--program-folder"), dir.path()} + list;
        };
        if (!before.isEmpty())
            QCOMPARE(runCli(inFolder(before)).status, 0);

        const Run run = runCli(inFolder(arguments));
        QTEST(run.status, "status");
        QVERIFY2((run.status == 0 ? run.out : run.err).contains(printed),
                 qPrintable(run.out + run.err));

        // The command line leaves every statement in the database file itself,
        // in rollback-journal mode (header bytes 18 and 19 are 2 in
        // write-ahead mode), so that a copy opens in a read-only folder.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("myData.mdb-wal"))));
        QFile database(dir.filePath(QStringLiteral("myData.mdb")));
        QVERIFY(database.open(QIODevice::ReadOnly));
        QCOMPARE(database.read(20).mid(18, 2), QByteArray("\x01\x01", 2));
        Connection user;
        ConnectToFile(user, dir.filePath(QStringLiteral("myData.mdb")), QStringLiteral("unknown"),
                      OpenMode::ReadOnly);
        const std::optional<SavedStatement> saved =
            SqliteStatementStore(user).open(QStringLiteral("Acme"), 2006);
        QCOMPARE(saved ? saved->amounts.Cash : -1.0, savedCash);
        DisconnectFromDB(user);
    }

    // The template the command line writes is one the import reads back.
    void templateImportsBack_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("heading");
        QTest::newRow("en:csv") << "csv"
                                << "en"
                                << "Amount";
        QTest::newRow("fr:xlsx") << "xlsx"
                                 << "fr"
                                 << "Montant";
    }

    void templateImportsBack()
    {
        QFETCH(QString, format);
        QFETCH(QString, language);
        QTemporaryDir dir;
        const QString output = dir.filePath(QStringLiteral("template.") + format);
        const Run run =
            runCli({"template", "--format", format, "--language", language, "--output", output});
        QCOMPARE(run.status, 0);
        const StatementFile file = readStatementFile(output);
        QCOMPARE(file.fault, ImportFault::None);
        QCOMPARE(file.itemRows.size(), qsizetype(kStatementItemCount));
        QCOMPARE(file.amountColumns.size(), qsizetype(1));
        QTEST(file.amountColumns.first().heading, "heading");
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ImportCli)
#include "tst_ImportCli.moc"
