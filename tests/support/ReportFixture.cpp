#include "support/ReportFixture.h"

#include "core/DatabaseError.h"
#include "firm/StatementItems.h"
#include "support/DatabaseWriter.h"

#include <QFile>

namespace reportfixture {

namespace {

const QStringList &ratioPrefixes()
{
    static const QStringList prefixes{"NPM", "PPM", "OPM", "GPM", "ORTTNOA", "RNOA", "PPA", "RCE",
                                      "RE",  "DE",  "RT",  "IT",  "WC",      "LTA",  "IC"};
    return prefixes;
}

const QStringList &profitLossColumns()
{
    static const QStringList columns{"opp", "opl", "ppp", "ppl", "npp", "npl"};
    return columns;
}

const QStringList &balanceSheetColumns()
{
    static const QStringList columns{
        "a11",     "a12",    "a13",    "a18",     "a19",    "totoa",  "a14",    "a151617", "totass",
        "a22",     "a25100", "a25200", "a25500",  "a25400", "a25180", "a24",    "a2329",   "a27",
        "totliab", "a31",    "a38",    "a283334", "totse",  "totlse", "curass", "curliab"};
    return columns;
}

// The dataset tables' columns with their types; the last two are columns
// beyond the known ones, which still travel to the work tables.
QStringList datasetColumnDefinitions()
{
    QStringList columns{"NAICS TEXT", "IndustryDescription TEXT", "NumberOfFirms INTEGER"};
    for (const QString &prefix : ratioPrefixes())
        for (const char *q : {"Q1", "Q2", "Q3"})
            columns << prefix + QLatin1String(q) + QStringLiteral(" REAL");
    for (const QString &name : profitLossColumns() + balanceSheetColumns())
        columns << name + QStringLiteral(" REAL");
    columns << "Remark TEXT"
            << "AverageRevenue REAL";
    return columns;
}

QStringList comparisonColumns()
{
    QStringList columns{"MyFirmName TEXT", "MyYear INTEGER", "MyNAICS TEXT", "MyIndustry TEXT",
                        "MyVol TEXT"};
    const QStringList numeric{"MyCash",
                              "MyAr",
                              "MyInv",
                              "MyCA",
                              "MyOA",
                              "MyToa",
                              "MyInvest",
                              "MyPtfl",
                              "MyTa",
                              "MyAccountsPayable",
                              "MyBanks",
                              "MyPaper",
                              "MyMtg",
                              "MyBonds",
                              "MyOl",
                              "MyAmtsAffil",
                              "MyOLiab",
                              "MyDefTax",
                              "MyTliab",
                              "MyShareC",
                              "MyRetEarn",
                              "MyOtherSur",
                              "MyEquity1",
                              "MyTotLiabShareEq",
                              "MyCurrentAssets",
                              "MyCurrentLiabilities",
                              "MyOperatingRevenue",
                              "MyGrossProfit",
                              "MyOperatingProfit",
                              "MyInterestExpense",
                              "MyPretaxProfit",
                              "MyProfitAfterTax",
                              "MyNPM",
                              "MyPPM",
                              "MyOPM",
                              "MyGPM",
                              "MyORTNOA",
                              "MyRONOA",
                              "MyPPTA",
                              "MyROCE",
                              "MyROE",
                              "MyRT",
                              "MyIT",
                              "MyWC",
                              "MyDE",
                              "MyLTA",
                              "MyIC"};
    for (const QString &c : numeric)
        columns << c + QStringLiteral(" REAL");
    for (const char *side : {"Better", "Worse"})
        for (const char *r : {"NPM", "PPM", "OPM", "GPM", "ORTNOA", "RONOA", "PPA", "RCE", "RE",
                              "RT", "IT", "WC", "DE", "LTA", "IC"})
            columns << QLatin1String(side) + QLatin1String(r) + QStringLiteral(" REAL");
    for (const char *v :
         {"Cash", "AR",    "Invent",  "CA",  "OA",    "TOA",    "Invest", "PTFL",  "TOTASS",
          "AP",   "Banks", "STPAPER", "MTG", "Bonds", "OLoans", "AOTA",   "OLiab", "DefTax",
          "TL",   "Eq",    "SC",      "RE",  "OS",    "SETL",   "CurrA",  "CurrL"})
        columns << QStringLiteral("Variance") + QLatin1String(v) + QStringLiteral(" REAL");
    columns << "NumberOfFirms REAL";
    for (const QString &prefix : ratioPrefixes())
        columns << prefix + QStringLiteral("Q2 REAL");
    for (const QString &name : profitLossColumns() + balanceSheetColumns())
        columns << name.toUpper() + QStringLiteral(" REAL");
    return columns;
}

void createUserTables(testsupport::DatabaseWriter &user)
{
    for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
        user.createTable(table, datasetColumnDefinitions());
    // Label columns beyond the named ones travel with the title rows.
    const QString ratioTitles =
        "([Language] TEXT, Naics TEXT, Report_Label TEXT, Title_UpperLeft TEXT, "
        "Title_LowerLeft TEXT, Title_LowerRight TEXT, Year_0 TEXT, Year_1 TEXT, Year_2 TEXT, "
        "Year_3 TEXT, ML_Title TEXT, MM_Title TEXT)";
    const QString balanceTitles =
        "([Language] TEXT, Naics TEXT, Report_Label TEXT, Title_UpperLeft TEXT, "
        "Title_LowerLeft TEXT, Title_LowerRight TEXT, Year_0 TEXT, Year_1 TEXT, Year_2 TEXT)";
    const QString comparisonTitles = "([Language] TEXT, NAICS TEXT, Heading_Firm TEXT)";
    for (const QString &suffix : {QString(), QStringLiteral("_Source")}) {
        user.exec("create table Rpt_Ratios_Titles" + suffix + ratioTitles);
        user.exec("create table Rpt_BalanceSheet_Titles" + suffix + balanceTitles);
        user.exec("create table Rpt_Comparison_Titles" + suffix + comparisonTitles);
    }
    for (const char *language : {"E", "F"}) {
        const QString l = QLatin1String(language);
        user.insert("Rpt_Ratios_Titles_Source", {{"Language", l},
                                                 {"Report_Label", "Ratios " + l},
                                                 {"Title_UpperLeft", "Upper " + l},
                                                 {"Title_LowerLeft", "Lower " + l},
                                                 {"Title_LowerRight", "Years " + l + ":"},
                                                 {"ML_Title", "Large " + l},
                                                 {"MM_Title", "Medium " + l}});
        user.insert("Rpt_BalanceSheet_Titles_Source", {{"Language", l},
                                                       {"Report_Label", "Balance " + l},
                                                       {"Title_UpperLeft", "Upper " + l},
                                                       {"Title_LowerLeft", "Lower " + l},
                                                       {"Title_LowerRight", "Years " + l + ":"}});
        user.insert("Rpt_Comparison_Titles_Source",
                    {{"Language", l}, {"Heading_Firm", "Firm " + l}});
    }
    user.exec("create table ProvinceCodes (Code TEXT, English TEXT, French TEXT)");
    user.insert("ProvinceCodes",
                {{"Code", "ON"}, {"English", "Ontario"}, {"French", "Ontario (fr)"}});
    user.insert("ProvinceCodes",
                {{"Code", "ALL"}, {"English", "All of Canada"}, {"French", "Tout le Canada"}});
    user.exec("create table Volume_Descriptions (Volume INTEGER, [Language] TEXT, Title1 TEXT, "
              "Title2 TEXT, LargeMedianDesc TEXT, MediumMedianDesc TEXT)");
    for (int volume : {1, 3})
        for (const char *language : {"E", "F"}) {
            const QString tag = QStringLiteral("V%1%2").arg(volume).arg(language);
            user.insert("Volume_Descriptions", {{"Volume", volume},
                                                {"Language", QLatin1String(language)},
                                                {"Title1", tag + " firms' title"},
                                                {"Title2", tag + " second"},
                                                {"LargeMedianDesc", tag + " large"},
                                                {"MediumMedianDesc", tag + " medium"}});
        }
    user.createTable("Rpt_Comparison", comparisonColumns());
    QStringList firmColumns{"FirmName TEXT", "[Year] INTEGER", "NAICS TEXT"};
    for (const StatementItem &item : statementItems())
        firmColumns << QLatin1String(item.column) + QStringLiteral(" REAL");
    user.createTable("MyValues", firmColumns);
}

void createReferenceTables(testsupport::DatabaseWriter &reference)
{
    for (const char *table :
         {"ROVAL_NAICS_Description_Ind_Detailed", "ROVAL_NAICS_Description_Ind_Raw"})
        reference.createTable(
            table, {"Naics TEXT", "Description_English TEXT", "Description_French TEXT"});
}

void require(const testsupport::DatabaseWriter &writer)
{
    if (!writer.isOk())
        throw DatabaseError(-1, writer.error());
}

} // namespace

ReportDatabases::ReportDatabases()
{
    QFile(m_dir.filePath("ref.mdb")).open(QIODevice::WriteOnly);
    QFile(m_dir.filePath("user.mdb")).open(QIODevice::WriteOnly);
    ConnectToFile(reference, m_dir.filePath("ref.mdb"), "unknown", OpenMode::ReadWrite);
    ConnectToFile(user, m_dir.filePath("user.mdb"), "unknown", OpenMode::ReadWrite);
    testsupport::DatabaseWriter userWriter(user.database());
    testsupport::DatabaseWriter referenceWriter(reference.database());
    // Throw-away files: no need to wait for the disk after every statement.
    userWriter.exec("PRAGMA synchronous = OFF");
    referenceWriter.exec("PRAGMA synchronous = OFF");
    createUserTables(userWriter);
    createReferenceTables(referenceWriter);
    require(userWriter);
    require(referenceWriter);
}

ReportDatabases::~ReportDatabases()
{
    DisconnectFromDB(reference);
    DisconnectFromDB(user);
}

QString ReportDatabases::datasetTable(int volume, const QString &region, int year)
{
    return QStringLiteral("ROVAL_Vol%1_%2_%3_Final_Ratios").arg(volume).arg(region).arg(year);
}

void ReportDatabases::createDatasetTable(int volume, const QString &region, int year)
{
    testsupport::DatabaseWriter writer(reference.database());
    writer.createTable(datasetTable(volume, region, year), datasetColumnDefinitions());
    require(writer);
}

void ReportDatabases::addIndustryRow(int volume, const QString &region, int year,
                                     const QVariantMap &values)
{
    insert(reference, datasetTable(volume, region, year), values);
}

void ReportDatabases::insert(Connection &connection, const QString &table,
                             const QVariantMap &values)
{
    testsupport::DatabaseWriter writer(connection.database());
    writer.insert(table, values);
    require(writer);
}

void ReportDatabases::exec(Connection &connection, const QString &sql)
{
    testsupport::DatabaseWriter writer(connection.database());
    writer.exec(sql);
    require(writer);
}

QList<QVariantMap> ReportDatabases::rows(Connection &connection, const QString &table)
{
    testsupport::DatabaseWriter writer(connection.database());
    const QList<QVariantMap> found = writer.rows(table);
    require(writer);
    return found;
}

QString ReportDatabases::sqlType(Connection &connection, const QString &table,
                                 const QString &column)
{
    testsupport::DatabaseWriter writer(connection.database());
    const QVariant type =
        writer.value(QStringLiteral("select typeof(") + column + QStringLiteral(") from ") + table);
    require(writer);
    return type.toString();
}

} // namespace reportfixture
