#include "core/DatabaseError.h"
#include "reports/ReportPreparation.h"
#include "support/LogicTestSupport.h"
#include "support/ReportFixture.h"

#include <QTest>

using reportfixture::ReportDatabases;

namespace {

const QString kNaics = QStringLiteral("236110");

// An industry row of one year; NumberOfFirms tells the years apart.
QVariantMap industryRow(const QString &naics, int firms)
{
    return {{"NAICS", naics},
            {"IndustryDescription", "Builders' residential construction"},
            {"NumberOfFirms", firms},
            {"NPMQ1", 1.5},
            {"NPMQ2", 3.25},
            {"NPMQ3", 7.0},
            {"a11", 12.5},
            {"Remark", "O'Brien's note"},
            {"AverageRevenue", 4321.5}};
}

// The reference database with the dataset tables of volume 3, Ontario, for
// the given years, each holding the industry and one other.
void addYears(ReportDatabases &db, const QList<int> &years, int volume = 3)
{
    for (int year : years) {
        db.createDatasetTable(volume, "ON", year);
        db.addIndustryRow(volume, "ON", year, industryRow("111110", 1));
        db.addIndustryRow(volume, "ON", year, industryRow(kNaics, year - 1900));
    }
}

// A row of another industry left in each work table by an earlier report.
void fillWithEarlierReport(ReportDatabases &db)
{
    for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
        ReportDatabases::insert(db.user, table,
                                {{"NAICS", "999999"}, {"NumberOfFirms", 77}, {"a11", 1.0}});
}

// The one row a work table holds after an extraction.
QVariantMap onlyRow(ReportDatabases &db, const QString &table)
{
    const QList<QVariantMap> rows = ReportDatabases::rows(db.user, table);
    if (rows.size() != 1)
        qWarning("%s holds %d rows", qPrintable(table), int(rows.size()));
    return rows.value(0);
}

bool isCodeOnlyRow(const QVariantMap &row)
{
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (it.key() == QLatin1String("NAICS")) {
            if (it.value().toString() != kNaics)
                return false;
        } else if (!it.value().isNull()) {
            return false;
        }
    }
    return true;
}

} // namespace

class tst_ReportExtraction : public QObject
{
    Q_OBJECT

private slots:
    void tableExists_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("expected");
        QTest::newRow("dataset table") << "ROVAL_Vol3_ON_2006_Final_Ratios" << true;
        QTest::newRow("absent table") << "ROVAL_Vol3_ON_2003_Final_Ratios" << false;
        QTest::newRow("table without NAICS") << "Other_Table" << false;
        QTest::newRow("empty name") << "" << false;
    }
    void tableExists()
    {
        QFETCH(QString, table);
        QFETCH(bool, expected);
        ReportDatabases db;
        addYears(db, {2006});
        ReportDatabases::exec(db.reference, "create table Other_Table (Code TEXT)");
        QCOMPARE(DoesReportTableExist(table, db.reference), expected);
    }

    void copiesEveryYear()
    {
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004});
        fillWithEarlierReport(db);
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");

        const QStringList tables{"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"};
        for (int k = 0; k < tables.size(); ++k) {
            const QVariantMap row = onlyRow(db, tables[k]);
            QCOMPARE(ReportDatabases::rows(db.user, tables[k]).size(), 1);
            QCOMPARE(row.value("NAICS").toString(), kNaics);
            QCOMPARE(row.value("NumberOfFirms").toInt(), 106 - k);
            QCOMPARE(row.value("NPMQ2").toDouble(), 3.25);
            QCOMPARE(row.value("a11").toDouble(), 12.5);
            // Text with apostrophes arrives with single apostrophes.
            QCOMPARE(row.value("IndustryDescription").toString(),
                     QStringLiteral("Builders' residential construction"));
            // Columns beyond the known ones travel too.
            QCOMPARE(row.value("Remark").toString(), QStringLiteral("O'Brien's note"));
            QCOMPARE(row.value("AverageRevenue").toDouble(), 4321.5);
            // A null stays null, not an empty text or 0.
            QVERIFY(row.value("PPMQ1").isNull());
        }
        // Values keep their types: numbers are not turned into text.
        QCOMPARE(ReportDatabases::sqlType(db.user, "Rpt_Data_CY", "NumberOfFirms"), "integer");
        QCOMPARE(ReportDatabases::sqlType(db.user, "Rpt_Data_CY", "NPMQ1"), "real");
        QCOMPARE(ReportDatabases::sqlType(db.user, "Rpt_Data_CY", "PPMQ1"), "null");
        QCOMPARE(ReportDatabases::sqlType(db.user, "Rpt_Data_CY", "IndustryDescription"), "text");
    }

    void absentYears_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<QList<bool>>("full"); // per work table: the industry's row, else code only
        QTest::newRow("all present")
            << QList<int>{2006, 2005, 2004} << QList<bool>{true, true, true};
        QTest::newRow("year before absent")
            << QList<int>{2006, 2004} << QList<bool>{true, false, false};
        QTest::newRow("report year absent")
            << QList<int>{2005, 2004} << QList<bool>{false, false, false};
        QTest::newRow("oldest year absent")
            << QList<int>{2006, 2005} << QList<bool>{true, true, false};
        QTest::newRow("no table at all") << QList<int>{} << QList<bool>{false, false, false};
    }
    void absentYears()
    {
        QFETCH(QList<int>, present);
        QFETCH(QList<bool>, full);
        ReportDatabases db;
        addYears(db, present);
        fillWithEarlierReport(db);
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");

        const QStringList tables{"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"};
        for (int k = 0; k < tables.size(); ++k) {
            QCOMPARE(ReportDatabases::rows(db.user, tables[k]).size(), 1);
            const QVariantMap row = onlyRow(db, tables[k]);
            if (full[k]) {
                QCOMPARE(row.value("NumberOfFirms").toInt(), 106 - k);
            } else {
                QVERIFY2(isCodeOnlyRow(row), qPrintable(tables[k]));
            }
        }
    }

    void industryMissingFromOneYear()
    {
        ReportDatabases db;
        addYears(db, {2006, 2004});
        db.createDatasetTable(3, "ON", 2005);
        db.addIndustryRow(3, "ON", 2005, industryRow("111110", 1));
        fillWithEarlierReport(db);
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");

        QCOMPARE(onlyRow(db, "Rpt_Data_CY").value("NumberOfFirms").toInt(), 106);
        QVERIFY(isCodeOnlyRow(onlyRow(db, "Rpt_Data_CYM1")));
        QCOMPARE(onlyRow(db, "Rpt_Data_CYM2").value("NumberOfFirms").toInt(), 104);
    }

    void frenchTitles_data()
    {
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        const QString english = QStringLiteral("Builders' residential construction");
        QTest::newRow("fr: volume 1 detailed table") << 1 << "F"
                                                     << "Construction d'habitations (détaillé)";
        QTest::newRow("fr: volume 3 raw table") << 3 << "F"
                                                << "Construction d'habitations (brut)";
        QTest::newRow("fr: French word as language") << 3 << "French"
                                                     << "Construction d'habitations (brut)";
        QTest::newRow("en: no lookup") << 3 << "E" << english;
        QTest::newRow("lower-case f: no lookup") << 3 << "f" << english;
    }
    void frenchTitles()
    {
        QFETCH(int, volume);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004}, volume);
        ReportDatabases::insert(
            db.reference, "ROVAL_NAICS_Description_Ind_Detailed",
            {{"Naics", kNaics},
             {"Description_French", "  Construction d'habitations (détaillé) "}});
        ReportDatabases::insert(
            db.reference, "ROVAL_NAICS_Description_Ind_Raw",
            {{"Naics", kNaics}, {"Description_French", " Construction d'habitations (brut)  "}});
        subExtractReportData(db.reference, db.user, qint16(volume), "ON", 2006, kNaics, language);
        for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
            QCOMPARE(onlyRow(db, table).value("IndustryDescription").toString(), expected);
    }

    void frenchTitleMissing_data()
    {
        QTest::addColumn<bool>("withNullRow");
        QTest::newRow("no row in the French table") << false;
        QTest::newRow("null French title") << true;
    }
    void frenchTitleMissing()
    {
        QFETCH(bool, withNullRow);
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004});
        if (withNullRow)
            ReportDatabases::insert(db.reference, "ROVAL_NAICS_Description_Ind_Raw",
                                    {{"Naics", kNaics}, {"Description_French", QVariant()}});
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "F");
        QCOMPARE(onlyRow(db, "Rpt_Data_CY").value("IndustryDescription").toString(),
                 QStringLiteral("Builders' residential construction"));
    }

    // The layout of the reference tables is read again once it changes: a
    // column added to a dataset table travels, a dropped table is a year
    // without data.
    void referenceSchemaChangesAreFollowed()
    {
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004});
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");
        for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
            ReportDatabases::exec(db.user, QStringLiteral("alter table ") + table +
                                               " add column Extra TEXT");
        ReportDatabases::exec(db.reference, "alter table " +
                                                ReportDatabases::datasetTable(3, "ON", 2006) +
                                                " add column Extra TEXT");
        ReportDatabases::exec(db.reference, "update " +
                                                ReportDatabases::datasetTable(3, "ON", 2006) +
                                                " set Extra = 'new'");
        ReportDatabases::exec(db.reference,
                              "drop table " + ReportDatabases::datasetTable(3, "ON", 2005));
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");
        QCOMPARE(onlyRow(db, "Rpt_Data_CY").value("Extra").toString(), QStringLiteral("new"));
        QVERIFY(isCodeOnlyRow(onlyRow(db, "Rpt_Data_CYM1")));
    }

    // Another reference database on the same user connection is the one
    // read, and the reference database stays read-only from the user
    // connection.
    void referenceDatabaseFollowsTheConnection()
    {
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004});
        subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E");
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError, execBound(db.user, "delete from refdata." +
                                                  ReportDatabases::datasetTable(3, "ON", 2006)));

        ReportDatabases other;
        other.createDatasetTable(3, "ON", 2006);
        other.addIndustryRow(3, "ON", 2006, industryRow(kNaics, 42));
        subExtractReportData(other.reference, db.user, 3, "ON", 2006, kNaics, "E");
        QCOMPARE(onlyRow(db, "Rpt_Data_CY").value("NumberOfFirms").toInt(), 42);
        QVERIFY(isCodeOnlyRow(onlyRow(db, "Rpt_Data_CYM1")));
    }

    // A statement that fails part way leaves every work table as it was.
    void failureLeavesTablesUnchanged()
    {
        ReportDatabases db;
        addYears(db, {2006, 2005, 2004});
        fillWithEarlierReport(db);
        ReportDatabases::exec(db.user, "alter table Rpt_Data_CYM2 drop column Remark");
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError, subExtractReportData(db.reference, db.user, 3, "ON", 2006, kNaics, "E"));
        for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"}) {
            const QList<QVariantMap> rows = ReportDatabases::rows(db.user, table);
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.first().value("NAICS").toString(), QStringLiteral("999999"));
        }
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_ReportExtraction)
#include "tst_ReportExtraction.moc"
