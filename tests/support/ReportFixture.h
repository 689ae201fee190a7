#pragma once

// A small reference database and user database in a temporary folder, with
// the report tables' columns and hand-made industry rows, so that every
// figure a report test expects can be worked out on paper.

#include "core/DbTools.h"
#include "firm/StatementItems.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>

namespace reportfixture {

inline const QStringList &ratioPrefixes()
{
    static const QStringList prefixes{"NPM", "PPM", "OPM", "GPM", "ORTTNOA", "RNOA", "PPA", "RCE",
                                      "RE",  "DE",  "RT",  "IT",  "WC",      "LTA",  "IC"};
    return prefixes;
}

inline const QStringList &profitLossColumns()
{
    static const QStringList columns{"opp", "opl", "ppp", "ppl", "npp", "npl"};
    return columns;
}

inline const QStringList &balanceSheetColumns()
{
    static const QStringList columns{
        "a11",     "a12",    "a13",    "a18",     "a19",    "totoa",  "a14",    "a151617", "totass",
        "a22",     "a25100", "a25200", "a25500",  "a25400", "a25180", "a24",    "a2329",   "a27",
        "totliab", "a31",    "a38",    "a283334", "totse",  "totlse", "curass", "curliab"};
    return columns;
}

// The dataset tables' columns with their types; the last two are columns
// beyond the known ones, which still travel to the work tables.
inline QStringList datasetColumnDefinitions()
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

inline QStringList comparisonColumns()
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

// Both databases of one test, in their own temporary folder.
class ReportDatabases
{
public:
    ReportDatabases()
    {
        QFile(m_dir.filePath("ref.mdb")).open(QIODevice::WriteOnly);
        QFile(m_dir.filePath("user.mdb")).open(QIODevice::WriteOnly);
        ConnectToFile(reference, m_dir.filePath("ref.mdb"), "unknown", OpenMode::ReadWrite);
        ConnectToFile(user, m_dir.filePath("user.mdb"), "unknown", OpenMode::ReadWrite);
        // Throw-away files: no need to wait for the disk after every statement.
        exec(reference, "PRAGMA synchronous = OFF");
        exec(user, "PRAGMA synchronous = OFF");
        createUserTables();
        createReferenceTables();
    }
    ~ReportDatabases()
    {
        DisconnectFromDB(reference);
        DisconnectFromDB(user);
    }
    ReportDatabases(const ReportDatabases &) = delete;
    ReportDatabases &operator=(const ReportDatabases &) = delete;

    static QString datasetTable(int volume, const QString &region, int year)
    {
        return QStringLiteral("ROVAL_Vol%1_%2_%3_Final_Ratios").arg(volume).arg(region).arg(year);
    }

    void createDatasetTable(int volume, const QString &region, int year)
    {
        exec(reference, QStringLiteral("create table ") + datasetTable(volume, region, year) +
                            " (" + datasetColumnDefinitions().join(", ") + ")");
    }

    // One industry row; columns left out are null.
    void addIndustryRow(int volume, const QString &region, int year, const QVariantMap &values)
    {
        insert(reference, datasetTable(volume, region, year), values);
    }

    static void insert(Connection &connection, const QString &table, const QVariantMap &values)
    {
        QStringList marks;
        for (qsizetype i = 0; i < values.size(); ++i)
            marks << "?";
        execBound(connection,
                  "insert into " + table + " (" + values.keys().join(", ") + ") values (" +
                      marks.join(", ") + ")",
                  values.values());
    }

    static void exec(Connection &connection, const QString &sql) { execBound(connection, sql); }

    // Every row of a table as column-to-value maps, in rowid order.
    static QList<QVariantMap> rows(Connection &connection, const QString &table)
    {
        RecordSet rs = GetRS(connection, "select * from " + table + " order by rowid", "read");
        QList<QVariantMap> list;
        for (rs.MoveFirst(); !rs.eof(); rs.MoveNext()) {
            QVariantMap row;
            for (int i = 0; i < rs.fieldCount(); ++i)
                row.insert(rs.fieldName(i), rs.field(i));
            list << row;
        }
        return list;
    }

    static QString sqlType(Connection &connection, const QString &table, const QString &column)
    {
        return GetRS(connection, "select typeof(" + column + ") from " + table, "read")
            .field(0)
            .toString();
    }

    Connection reference;
    Connection user;

private:
    void createUserTables()
    {
        const QString dataset = datasetColumnDefinitions().join(", ");
        for (const char *table : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
            exec(user, QStringLiteral("create table ") + table + " (" + dataset + ")");
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
            exec(user, "create table Rpt_Ratios_Titles" + suffix + ratioTitles);
            exec(user, "create table Rpt_BalanceSheet_Titles" + suffix + balanceTitles);
            exec(user, "create table Rpt_Comparison_Titles" + suffix + comparisonTitles);
        }
        for (const char *language : {"E", "F"}) {
            const QString l = QLatin1String(language);
            insert(user, "Rpt_Ratios_Titles_Source",
                   {{"Language", l},
                    {"Report_Label", "Ratios " + l},
                    {"Title_UpperLeft", "Upper " + l},
                    {"Title_LowerLeft", "Lower " + l},
                    {"Title_LowerRight", "Years " + l + ":"},
                    {"ML_Title", "Large " + l},
                    {"MM_Title", "Medium " + l}});
            insert(user, "Rpt_BalanceSheet_Titles_Source",
                   {{"Language", l},
                    {"Report_Label", "Balance " + l},
                    {"Title_UpperLeft", "Upper " + l},
                    {"Title_LowerLeft", "Lower " + l},
                    {"Title_LowerRight", "Years " + l + ":"}});
            insert(user, "Rpt_Comparison_Titles_Source",
                   {{"Language", l}, {"Heading_Firm", "Firm " + l}});
        }
        exec(user, "create table ProvinceCodes (Code TEXT, English TEXT, French TEXT)");
        insert(user, "ProvinceCodes",
               {{"Code", "ON"}, {"English", "Ontario"}, {"French", "Ontario (fr)"}});
        insert(user, "ProvinceCodes",
               {{"Code", "ALL"}, {"English", "All of Canada"}, {"French", "Tout le Canada"}});
        exec(user,
             "create table Volume_Descriptions (Volume INTEGER, [Language] TEXT, Title1 TEXT, "
             "Title2 TEXT, LargeMedianDesc TEXT, MediumMedianDesc TEXT)");
        for (int volume : {1, 3})
            for (const char *language : {"E", "F"}) {
                const QString tag = QStringLiteral("V%1%2").arg(volume).arg(language);
                insert(user, "Volume_Descriptions",
                       {{"Volume", volume},
                        {"Language", QLatin1String(language)},
                        {"Title1", tag + " firms' title"},
                        {"Title2", tag + " second"},
                        {"LargeMedianDesc", tag + " large"},
                        {"MediumMedianDesc", tag + " medium"}});
            }
        exec(user, "create table Rpt_Comparison (" + comparisonColumns().join(", ") + ")");
        QStringList firmColumns{"FirmName TEXT", "[Year] INTEGER", "NAICS TEXT"};
        for (const StatementItem &item : statementItems())
            firmColumns << QLatin1String(item.column) + QStringLiteral(" REAL");
        exec(user, "create table MyValues (" + firmColumns.join(", ") + ")");
    }

    void createReferenceTables()
    {
        for (const char *table :
             {"ROVAL_NAICS_Description_Ind_Detailed", "ROVAL_NAICS_Description_Ind_Raw"})
            exec(reference, QStringLiteral("create table ") + table +
                                " (Naics TEXT, Description_English TEXT, Description_French TEXT)");
    }

    QTemporaryDir m_dir;
};

} // namespace reportfixture
