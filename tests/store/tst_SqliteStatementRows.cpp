#include "core/AddedUserTables.h"
#include "core/DatabaseError.h"
#include "store/sqlite/SqliteFirmList.h"
#include "store/sqlite/SqliteIndustryRows.h"
#include "store/sqlite/SqliteStatementRows.h"
#include "support/LogicTestSupport.h"

#include <QLocale>
#include <QSqlQuery>

using namespace testsupport;

class tst_SqliteStatementRows : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void itemsAreTheTableColumns_data();
    void itemsAreTheTableColumns();
    void yearsOfOneFirmCoexist();
    void replaceKeepsOneRow();
    void failedInsertKeepsStoredRow();
    void deleteOnlyItsKey();
    void industryOfEachStatement_data();
    void industryOfEachStatement();
    void userDatabaseWithoutTheIndustryTable();
    void listNamesTheDataset_data();
    void listNamesTheDataset();
    void createStatementFromSource();
    void namesIgnoreLetterCase_data();
    void namesIgnoreLetterCase();
    void rowsDifferingByCaseStayUntilReplaced();

private:
    static FirmRecord record(const QString &firm, int year, double base);
    static RecordSet stored(const QString &firm, int year);
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<StateScope> m_state;
};

FirmRecord tst_SqliteStatementRows::record(const QString &firm, int year, double base)
{
    FirmRecord r;
    r.firmName = firm;
    r.year = year;
    r.naics = QStringLiteral("541110");
    for (int i = 0; i < kStatementItemCount; ++i)
        r.amounts[i] = base + i;
    return r;
}

RecordSet tst_SqliteStatementRows::stored(const QString &firm, int year)
{
    return GetRS(appState().gcnUser,
                 QStringLiteral("select * from MyValues where FirmName = ? and [Year] = ?"),
                 QStringLiteral("read"), {firm, year});
}

void tst_SqliteStatementRows::init()
{
    m_state = std::make_unique<StateScope>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(openShippedDatabases(*m_dir));
}

void tst_SqliteStatementRows::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_state.reset();
    m_dir.reset();
}

void tst_SqliteStatementRows::roundTrip_data()
{
    QTest::addColumn<QString>("firm");
    QTest::addColumn<double>("base");
    QTest::addColumn<QString>("locale");
    QTest::newRow("plain name") << "Acme" << 1000.0 << "en_CA";
    QTest::newRow("apostrophe") << "Joe's Garage" << 0.0 << "en_CA";
    QTest::newRow("blanks kept") << "  Padded  " << -7.25 << "en_CA";
    QTest::newRow("fr: decimals stay points") << "Café l'Étoile" << 0.5 << "fr_CA";
}

void tst_SqliteStatementRows::roundTrip()
{
    QFETCH(QString, firm);
    QFETCH(double, base);
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const FirmRecord written = record(firm, 2005, base);
    subWriteFirmRecord(appState().gcnUser, written);

    QCOMPARE(fncStoredFirmNames(appState().gcnUser, firm, 2005), QStringList{firm});
    RecordSet rs = stored(firm, 2005);
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.text(QStringLiteral("FirmName")), firm);
    QCOMPARE(rs.field(QStringLiteral("Year")).toInt(), 2005);
    QCOMPARE(rs.text(QStringLiteral("NAICS")), QStringLiteral("541110"));
    for (int i = 0; i < kStatementItemCount; ++i) {
        const QString column = QString::fromLatin1(statementItems()[i].column);
        const QVariant value = rs.field(column);
        // Zero is stored as zero, never as an empty value.
        QVERIFY2(!value.isNull(), qPrintable(column));
        QCOMPARE(value.toDouble(), written.amounts[i]);
    }
    QSqlQuery types(appState().gcnUser.database());
    QVERIFY(types.exec(QStringLiteral("select typeof(Cash), typeof(Ta) from MyValues")));
    QVERIFY(types.next());
    QCOMPARE(types.value(0).toString(), QStringLiteral("real"));
    QCOMPARE(types.value(1).toString(), QStringLiteral("real"));
}

void tst_SqliteStatementRows::itemsAreTheTableColumns_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("position");
    // After the key (firm name, year) and the industry code.
    for (int i = 0; i < kStatementItemCount; ++i)
        QTest::newRow(statementItems()[i].column)
            << QString::fromLatin1(statementItems()[i].column) << i + 3;
}

void tst_SqliteStatementRows::itemsAreTheTableColumns()
{
    QFETCH(QString, column);
    QFETCH(int, position);
    QSqlQuery info(appState().gcnUser.database());
    QVERIFY(info.exec(QStringLiteral("select cid, type from pragma_table_info('MyValues') "
                                     "where name = '%1'")
                          .arg(column)));
    QVERIFY2(info.next(), qPrintable(column));
    QCOMPARE(info.value(0).toInt(), position);
    QCOMPARE(info.value(1).toString(), QStringLiteral("REAL"));
    // No item column the list leaves out.
    QVERIFY(info.exec(QStringLiteral("select count(*) from pragma_table_info('MyValues')")));
    QVERIFY(info.next());
    QCOMPARE(info.value(0).toInt(), kStatementItemCount + 3);
}

void tst_SqliteStatementRows::yearsOfOneFirmCoexist()
{
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(QStringLiteral("Acme"), 2005, 1));
    subWriteFirmRecord(user, record(QStringLiteral("Acme"), 2006, 2));
    QCOMPARE(stored(QStringLiteral("Acme"), 2005).field(QStringLiteral("Cash")).toDouble(), 1.0);
    QCOMPARE(stored(QStringLiteral("Acme"), 2006).field(QStringLiteral("Cash")).toDouble(), 2.0);
}

void tst_SqliteStatementRows::replaceKeepsOneRow()
{
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2004, 1));
    subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2004, 50));
    const RecordSet rs = stored(QStringLiteral("Joe's"), 2004);
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.field(QStringLiteral("Cash")).toDouble(), 50.0);
}

void tst_SqliteStatementRows::failedInsertKeepsStoredRow()
{
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2005, 10));
    // The insert of the replacement fails after its delete has run.
    QSqlQuery trigger(user.database());
    QVERIFY(trigger.exec(QStringLiteral("create trigger refuse before insert on MyValues "
                                        "begin select raise(abort, 'disk trouble'); end")));
    bool failed = false;
    try {
        subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2005, 99));
    } catch (const DatabaseError &) {
        failed = true;
    }
    QVERIFY(failed);
    const RecordSet rs = stored(QStringLiteral("Joe's"), 2005);
    QCOMPARE(rs.RecordCount(), 1);
    QCOMPARE(rs.field(QStringLiteral("Cash")).toDouble(), 10.0);
}

void tst_SqliteStatementRows::deleteOnlyItsKey()
{
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2005, 1));
    subWriteFirmRecord(user, record(QStringLiteral("Joe's"), 2006, 1));
    subDeleteFirmRecord(user, QStringLiteral("Joe's"), 2005);
    QVERIFY(fncStoredFirmNames(user, QStringLiteral("Joe's"), 2005).isEmpty());
    QCOMPARE(fncStoredFirmNames(user, QStringLiteral("Joe's"), 2006).size(), 1);
    // Deleting what is not stored is no error.
    subDeleteFirmRecord(user, QStringLiteral("Nobody"), 2005);
    QCOMPARE(fncStoredFirmNames(user, QStringLiteral("Joe's"), 2006).size(), 1);
}

void tst_SqliteStatementRows::namesIgnoreLetterCase_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("same");
    QTest::newRow("ASCII capitals") << "Acme"
                                    << "ACME" << true;
    QTest::newRow("accented capitals") << "école Saint-Jean"
                                       << "ÉCOLE SAINT-JEAN" << true;
    QTest::newRow("accent is not its base letter") << "École"
                                                   << "Ecole" << false;
    QTest::newRow("blanks still count") << "Acme"
                                        << "Acme " << false;
    QTest::newRow("apostrophe") << "Joe's garage"
                                << "JOE'S Garage" << true;
}

void tst_SqliteStatementRows::namesIgnoreLetterCase()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, same);
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(stored, 2005, 1));
    QCOMPARE(fncStoredFirmNames(user, typed, 2005), same ? QStringList{stored} : QStringList());
    QVERIFY(fncStoredFirmNames(user, typed, 2006).isEmpty());

    // Saving under the other spelling replaces the stored statement.
    subWriteFirmRecord(user, record(typed, 2005, 7));
    const RecordSet all =
        GetRS(user, QStringLiteral("select FirmName, Cash from MyValues"), QStringLiteral("read"));
    QCOMPARE(all.RecordCount(), same ? 1 : 2);

    subDeleteFirmRecord(user, typed, 2005);
    const RecordSet left =
        GetRS(user, QStringLiteral("select FirmName from MyValues"), QStringLiteral("read"));
    QCOMPARE(left.RecordCount(), same ? 0 : 1);
}

void tst_SqliteStatementRows::rowsDifferingByCaseStayUntilReplaced()
{
    // Two spellings stored before names ignored letter case.
    Connection &user = appState().gcnUser;
    qint16 errors = 0;
    ExecCmdInDB(user,
                QStringLiteral("insert into MyValues (FirmName, [Year], Cash) values "
                               "('ACME', 2005, 1), ('Acme', 2005, 2)"),
                errors);
    QCOMPARE(fncStoredFirmNames(user, QStringLiteral("acme"), 2005),
             (QStringList{QStringLiteral("ACME"), QStringLiteral("Acme")}));
    QCOMPARE(stored(QStringLiteral("ACME"), 2005).field(QStringLiteral("Cash")).toDouble(), 1.0);
    QCOMPARE(stored(QStringLiteral("Acme"), 2005).field(QStringLiteral("Cash")).toDouble(), 2.0);

    subWriteFirmRecord(user, record(QStringLiteral("Acme"), 2005, 9));
    QCOMPARE(fncStoredFirmNames(user, QStringLiteral("ACME"), 2005),
             QStringList{QStringLiteral("Acme")});
}

QUORVEL_LOGIC_TEST_MAIN(tst_SqliteStatementRows)
#include "tst_SqliteStatementRows.moc"

void tst_SqliteStatementRows::industryOfEachStatement_data()
{
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QString>("readAs");
    QTest::newRow("same name") << "Acme"
                               << "Acme";
    QTest::newRow("capitals") << "ACME"
                              << "acme";
    QTest::newRow("accented capitals") << "ÉCOLE DU BÂTIMENT"
                                       << "école du bâtiment";
    QTest::newRow("Greek final sigma folds") << "ΚΑΦΕΣ ΑΘΗΝΑ"
                                             << "καφες αθηνα";
}

void tst_SqliteStatementRows::industryOfEachStatement()
{
    QFETCH(QString, savedAs);
    QFETCH(QString, readAs);
    Connection &user = appState().gcnUser;
    FirmRecord r = record(savedAs, 2005, 1);
    r.naics = QStringLiteral("236110");
    r.volume = 3;
    r.region = QStringLiteral("ON");
    subWriteFirmRecord(user, r);
    const StatementIndustry expected{QStringLiteral("236110"), 3, QStringLiteral("ON")};
    QCOMPARE(fncReadStatementIndustry(user, readAs, 2005), std::optional(expected));
    QCOMPARE(fncReadStatementIndustry(user, readAs, 2006), std::nullopt);

    // Saved again under another industry: one record, the latest.
    r.naics = QStringLiteral("238110");
    r.volume = 1;
    r.region = QStringLiteral("ALL");
    subWriteFirmRecord(user, r);
    QCOMPARE(fncReadStatementIndustry(user, readAs, 2005),
             std::optional(StatementIndustry{QStringLiteral("238110"), 1, QStringLiteral("ALL")}));
    QCOMPARE(GetRS(user, QStringLiteral("select * from StatementIndustry"), QStringLiteral("read"))
                 .RecordCount(),
             1);

    subDeleteFirmRecord(user, savedAs, 2005);
    QCOMPARE(fncReadStatementIndustry(user, readAs, 2005), std::nullopt);
}

// A user keeps an older database without the table: reads know nothing,
// the first save creates it, and the statements stay as they were.
void tst_SqliteStatementRows::userDatabaseWithoutTheIndustryTable()
{
    Connection &user = appState().gcnUser;
    subWriteFirmRecord(user, record(QStringLiteral("Old Firm"), 2004, 5));
    QSqlQuery(user.database()).exec(QStringLiteral("drop table StatementIndustry"));
    QVERIFY(!fncTableExists(user, QStringLiteral("StatementIndustry")));

    QCOMPARE(fncReadStatementIndustry(user, QStringLiteral("Old Firm"), 2004), std::nullopt);
    subDeleteStatementIndustry(user, QStringLiteral("Old Firm"), 2004);
    const RecordSet list = fncFirmListWithIndustries(
        GetRS(user, QStringLiteral("select FirmName, [Year] from MyValues"),
              QStringLiteral("read")),
        user, appState().gcnReference, Language::English);
    QCOMPARE(list.RecordCount(), 1);
    QCOMPARE(list.row(0).at(2).toString(), QString());

    // The comparison's texts as the first release kept them: two columns, one row.
    QSqlQuery(user.database()).exec(QStringLiteral("drop table Rpt_Comparison_Notes"));
    QSqlQuery(user.database())
        .exec(QStringLiteral("create table Rpt_Comparison_Notes (MySales REAL, Verdict TEXT)"));
    QSqlQuery(user.database())
        .exec(QStringLiteral("insert into Rpt_Comparison_Notes values (5, 'Kept')"));

    subEnsureAddedUserTables(user);
    QVERIFY(fncTableExists(user, QStringLiteral("StatementIndustry")));
    QVERIFY(fncTableExists(user, QStringLiteral("Rpt_Comparison_Notes")));
    QCOMPARE(stored(QStringLiteral("Old Firm"), 2004).RecordCount(), 1);
    const RecordSet notes =
        GetRS(user,
              QStringLiteral("select Verdict, Alerts, Note_Estimated, Pic_IC from "
                             "Rpt_Comparison_Notes"),
              QStringLiteral("read"));
    QCOMPARE(notes.RecordCount(), 1);
    QCOMPARE(notes.text(QStringLiteral("Verdict")), QStringLiteral("Kept"));
    // Running it again leaves the tables and their rows alone.
    subWriteFirmRecord(user, record(QStringLiteral("New Firm"), 2004, 5));
    subEnsureAddedUserTables(user);
    QCOMPARE(fncReadStatementIndustry(user, QStringLiteral("new firm"), 2004),
             std::optional(StatementIndustry{QStringLiteral("541110"), 0, QString()}));
}

void tst_SqliteStatementRows::listNamesTheDataset_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("regions");
    QTest::newRow("en") << Language::English
                        << QStringList{"FirmName", "Year", "Industry", "Volume", "Region"}
                        << QStringList{"All of Canada", "Quebec", ""};
    QTest::newRow("fr") << Language::French
                        << QStringList{"FirmName", "Year", "Industrie", "Volume", "Région"}
                        << QStringList{"Tout le Canada", "Québec", ""};
}

// One industry saved under two datasets reads differently in the list, in
// both languages; a statement saved before datasets were recorded names none.
void tst_SqliteStatementRows::listNamesTheDataset()
{
    QFETCH(Language, language);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, regions);
    Connection &user = appState().gcnUser;
    FirmRecord r = record(QStringLiteral("Acme"), 2005, 1);
    r.naics = QStringLiteral("236110");
    r.volume = 3;
    r.region = QStringLiteral("ALL");
    subWriteFirmRecord(user, r);
    r.year = 2006;
    r.region = QStringLiteral("QC");
    subWriteFirmRecord(user, r);
    subWriteFirmRecord(user, record(QStringLiteral("Zed"), 2004, 2));
    subDeleteStatementIndustry(user, QStringLiteral("Zed"), 2004);

    const RecordSet list = fncFirmListWithIndustries(
        GetRS(user,
              QStringLiteral("select FirmName, [Year] from MyValues order by FirmName, [Year]"),
              QStringLiteral("read")),
        user, appState().gcnReference, language);
    QCOMPARE(list.fieldNames(), headings);
    QCOMPARE(list.RecordCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list.row(i).at(3).toString(), i < 2 ? QStringLiteral("3") : QString());
        QCOMPARE(list.row(i).at(4).toString(), regions.at(i));
    }
    QCOMPARE(list.row(0).at(2), list.row(1).at(2));
}

void tst_SqliteStatementRows::createStatementFromSource()
{
    QCOMPARE(
        fncCreateStatementFromSource(
            QStringLiteral("T"),
            QStringLiteral("# comment\n\nA:TEXT:KEY\tB:INTEGER:KEY\tC\tD:REAL\n")),
        QStringLiteral("CREATE TABLE IF NOT EXISTS \"T\" (\"A\" TEXT, \"B\" INTEGER, \"C\" TEXT, "
                       "\"D\" REAL, PRIMARY KEY (\"A\", \"B\"))"));
    QCOMPARE(fncCreateStatementFromSource(QStringLiteral("T"), QStringLiteral("# only\n")),
             QString());
    QCOMPARE(fncAddColumnStatementsFromSource(QStringLiteral("T"),
                                              QStringLiteral("A:TEXT:KEY\tB:INTEGER\tC\tD:REAL\n"),
                                              {QStringLiteral("a"), QStringLiteral("C")}),
             (QStringList{"ALTER TABLE \"T\" ADD COLUMN \"B\" INTEGER",
                          "ALTER TABLE \"T\" ADD COLUMN \"D\" REAL"}));
}
