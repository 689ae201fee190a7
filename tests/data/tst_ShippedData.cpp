// Checks of the two shipped databases: every table and column the program and
// the report layouts read, the consistency of the benchmark figures, and the
// build itself (reproducible bytes, no half-written file, a user database that
// a rebuild never replaces).

#include "core/DatasetMapping.h"
#include "support/LogicTestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kYears[] = {2006, 2005, 2004};

// Dataset tables that are meant to be absent.
const QSet<QString> kAbsentTables{QStringLiteral("ROVAL_Vol3_NU_2004_Final_Ratios")};

const QStringList kRatioPrefixes{
    QStringLiteral("NPM"),     QStringLiteral("PPM"),  QStringLiteral("OPM"), QStringLiteral("GPM"),
    QStringLiteral("ORTTNOA"), QStringLiteral("RNOA"), QStringLiteral("PPA"), QStringLiteral("RCE"),
    QStringLiteral("RE"),      QStringLiteral("DE"),   QStringLiteral("RT"),  QStringLiteral("IT"),
    QStringLiteral("WC"),      QStringLiteral("LTA"),  QStringLiteral("IC")};

// Every column of a dataset table that the program or the layouts name.
QStringList datasetColumnNames()
{
    QStringList names{QStringLiteral("NAICS"), QStringLiteral("NumberOfFirms"),
                      QStringLiteral("IndustryDescription")};
    for (const QString &prefix : kRatioPrefixes)
        names << prefix + QLatin1String("Q1") << prefix.toLower() + QLatin1String("q2")
              << prefix + QLatin1String("Q3");
    names << QStringLiteral("opp") << QStringLiteral("opl") << QStringLiteral("ppp")
          << QStringLiteral("ppl") << QStringLiteral("npp") << QStringLiteral("npl");
    names << QStringLiteral(
                 "a11 a12 a13 a18 a19 totoa a14 a151617 totass a22 curass curliab a25100 a25200 "
                 "a25500 a25400 a25180 a24 a2329 a27 totliab totse a31 a38 a283334 totlse")
                 .split(QLatin1Char(' '));
    return names;
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class Database
{
public:
    explicit Database(const QString &path)
        : m_name(QStringLiteral("shipped_data_%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        m_open = db.open();
    }
    ~Database() { QSqlDatabase::removeDatabase(m_name); }
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    bool isOpen() const { return m_open; }

    bool hasTable(const QString &table) const
    {
        return !rows(QStringLiteral("select name from sqlite_master where type = 'table' and "
                                    "name = ?"),
                     {table})
                    .isEmpty();
    }

    // Column names in table order, and their declared types by lower-case name.
    QStringList columns(const QString &table, QHash<QString, QString> *types = nullptr) const
    {
        QStringList names;
        for (const QVariantList &row :
             rows(QStringLiteral("pragma table_info(\"%1\")").arg(table))) {
            names << row.at(1).toString();
            if (types)
                types->insert(row.at(1).toString().toLower(), row.at(2).toString().toUpper());
        }
        return names;
    }

    QList<QVariantList> rows(const QString &sql, const QVariantList &params = {}) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        query.prepare(sql);
        for (const QVariant &p : params)
            query.addBindValue(p);
        QList<QVariantList> out;
        if (!query.exec()) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return out;
        }
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < query.record().count(); ++i)
                row << query.value(i);
            out << row;
        }
        return out;
    }

    QStringList column(const QString &sql) const
    {
        QStringList values;
        for (const QVariantList &row : rows(sql))
            values << row.at(0).toString();
        return values;
    }

private:
    static inline int s_count = 0;
    QString m_name;
    bool m_open = false;
};

bool containsIgnoringCase(const QStringList &list, const QString &name)
{
    return list.contains(name, Qt::CaseInsensitive);
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

int runProcess(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(120000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

int buildReference(const QString &output, const QString &sourceFolder)
{
    return runProcess(QStringLiteral(QUORVEL_DBBUILD),
                      {QStringLiteral("reference"), output, sourceFolder});
}

int buildUser(const QString &output)
{
    return runProcess(QStringLiteral(QUORVEL_DBBUILD),
                      QStringList{QStringLiteral("user"), output} +
                          QStringLiteral(QUORVEL_USER_SOURCES).split(QLatin1Char('|')));
}

int installUserDatabase(const QString &source, const QString &target)
{
    return runProcess(QStringLiteral(QUORVEL_CMAKE_COMMAND),
                      {QStringLiteral("-DSOURCE=") + source, QStringLiteral("-DTARGET=") + target,
                       QStringLiteral("-P"),
                       QStringLiteral(QUORVEL_DATA_SOURCE_DIR "/InstallUserDatabase.cmake")});
}

} // namespace

class tst_shipped_data : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_ref;
    std::unique_ptr<Database> m_user;

    // Every existing dataset table with its volume and region.
    struct Table
    {
        QString name;
        int volume;
        QString region;
        int year;
    };
    QList<Table> existingTables() const
    {
        QList<Table> tables;
        for (const DatasetOption &option : datasetOptions())
            for (const int year : kYears) {
                const QString name =
                    datasetTableName(option.volume, QLatin1String(option.region), year);
                if (m_ref->hasTable(name))
                    tables.append({name, option.volume, QLatin1String(option.region), year});
            }
        return tables;
    }

    int industryCount(int volume, const QString &region) const
    {
        return m_ref
            ->rows(QStringLiteral("select count(*) from ") + datasetTableName(volume, region, 2006))
            .value(0)
            .value(0)
            .toInt();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(testsupport::copyProgramFiles(
            m_dir, {QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb")}));
        m_ref = std::make_unique<Database>(m_dir.filePath(QStringLiteral("ROV_DATA.mdb")));
        m_user = std::make_unique<Database>(m_dir.filePath(QStringLiteral("myData.mdb")));
        QVERIFY(m_ref->isOpen());
        QVERIFY(m_user->isOpen());
    }

    void cleanupTestCase()
    {
        m_ref.reset();
        m_user.reset();
    }

    void datasetTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("present");
        for (const DatasetOption &option : datasetOptions())
            for (const int year : kYears) {
                const QString name =
                    datasetTableName(option.volume, QLatin1String(option.region), year);
                QTest::newRow(qPrintable(name)) << name << !kAbsentTables.contains(name);
            }
    }

    void datasetTable()
    {
        QFETCH(QString, table);
        QFETCH(bool, present);
        QCOMPARE(m_ref->hasTable(table), present);
        if (!present)
            return;
        QHash<QString, QString> types;
        const QStringList columns = m_ref->columns(table, &types);
        for (const QString &name : datasetColumnNames())
            QVERIFY2(containsIgnoringCase(columns, name), qPrintable(name));
        QVERIFY2(columns.size() > datasetColumnNames().size(), "no column beyond the named ones");
        QCOMPARE(types.value(QStringLiteral("naics")), QStringLiteral("TEXT"));
        QCOMPARE(types.value(QStringLiteral("industrydescription")), QStringLiteral("TEXT"));
        for (const QString &name : datasetColumnNames().mid(3))
            QCOMPARE(types.value(name.toLower()), QStringLiteral("REAL"));
        QVERIFY(industryCount(1, QStringLiteral("ALL")) > 0);

        const auto counts = m_ref->rows(
            QStringLiteral("select count(*), count(distinct NAICS), count(NumberOfFirms), "
                           "count(IndustryDescription) from ") +
            table);
        const int rows = counts.at(0).at(0).toInt();
        QVERIFY(rows > 0);
        QCOMPARE(counts.at(0).at(1).toInt(), rows);
        QCOMPARE(counts.at(0).at(2).toInt(), rows);
        QCOMPARE(counts.at(0).at(3).toInt(), rows);
    }

    // A dataset carries the same industries in each of its years.
    void sameIndustriesEveryYear()
    {
        for (const DatasetOption &option : datasetOptions()) {
            const QString region = QLatin1String(option.region);
            const QString sql = QStringLiteral("select NAICS from %1 order by NAICS");
            const QStringList reference =
                m_ref->column(sql.arg(datasetTableName(option.volume, region, 2006)));
            for (const int year : {2005, 2004}) {
                const QString table = datasetTableName(option.volume, region, year);
                if (m_ref->hasTable(table))
                    QCOMPARE(m_ref->column(sql.arg(table)), reference);
            }
        }
    }

    void industriesAreDescribedAndInTree()
    {
        const QStringList keys = m_ref->column(QStringLiteral("select NodeKey from tblTreeview"));
        const QSet<QString> categories(keys.begin(), keys.end());
        for (const Table &table : existingTables()) {
            const QString descriptions =
                table.volume == 1 ? QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed")
                                  : QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
            const auto rows = m_ref->rows(
                QStringLiteral(
                    "select F.NAICS, N.NAICS, N.NodeKey, N.Parent, N.Description, "
                    "N.Description_french, F.IndustryDescription from %1 F left join %2 N "
                    "on F.NAICS = N.NAICS")
                    .arg(table.name, descriptions));
            for (const QVariantList &row : rows) {
                const QString naics = row.at(0).toString();
                const QString where = table.name + QLatin1Char(' ') + naics;
                QVERIFY2(!row.at(1).isNull(), qPrintable(where + QLatin1String(" not described")));
                QCOMPARE(row.at(2).toString(), QStringLiteral("Ind") + naics);
                QVERIFY2(categories.contains(row.at(3).toString()), qPrintable(where));
                QVERIFY2(!row.at(4).toString().isEmpty() && !row.at(5).toString().isEmpty(),
                         qPrintable(where));
                QCOMPARE(row.at(6).toString(), row.at(4).toString());
            }
        }
    }

    void descriptionTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("detailed") << QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed");
        QTest::newRow("raw") << QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
    }

    void descriptionTables()
    {
        QFETCH(QString, table);
        const QStringList columns = m_ref->columns(table);
        for (const QString &name : words("NAICS Description Description_french definitione "
                                         "definitionf Parent NodeKey sequence"))
            QVERIFY2(containsIgnoringCase(columns, name), qPrintable(name));
        const auto counts = m_ref->rows(
            QStringLiteral("select count(*), count(distinct NAICS), count(distinct sequence), "
                           "count(definitione), count(definitionf), "
                           "sum(length(NAICS) between 4 and 6) from ") +
            table);
        const int rows = counts.at(0).at(0).toInt();
        QCOMPARE(counts.at(0).at(1).toInt(), rows);
        QCOMPARE(counts.at(0).at(2).toInt(), rows);
        QCOMPARE(counts.at(0).at(5).toInt(), rows);
        // Most industries have a definition in each language; a few have none.
        QVERIFY(counts.at(0).at(3).toInt() > rows * 9 / 10);
        QVERIFY(counts.at(0).at(4).toInt() > rows * 9 / 10);
        QVERIFY(counts.at(0).at(3).toInt() < rows || table.endsWith(QLatin1String("Detailed")));
    }

    void classificationTree()
    {
        const auto categories = m_ref->rows(
            QStringLiteral("select NodeKey, Parent, sequence, IndDescE, IndDescF from tblTreeview "
                           "order by sequence"));
        QVERIFY(!categories.isEmpty());
        QHash<QString, int> sequenceOf;
        QStringList topLevel;
        for (const QVariantList &row : categories) {
            const QString key = row.at(0).toString();
            QVERIFY2(!sequenceOf.contains(key), qPrintable(key));
            QVERIFY(!row.at(3).toString().isEmpty() && !row.at(4).toString().isEmpty());
            if (key.compare(QLatin1String("IndTOTALL"), Qt::CaseInsensitive) == 0 ||
                key.compare(QLatin1String("IndMANAGE"), Qt::CaseInsensitive) == 0) {
                topLevel << key;
            } else {
                // Each category comes after the category that holds it.
                const QString parent = row.at(1).toString();
                QVERIFY2(sequenceOf.contains(parent),
                         qPrintable(key + QLatin1String(" in ") + parent));
                QVERIFY2(parent != QLatin1String("IndTFINANC"), qPrintable(key));
            }
            sequenceOf.insert(key, row.at(2).toInt());
        }
        QCOMPARE(topLevel, (QStringList{QStringLiteral("IndTOTALL"), QStringLiteral("IndMANAGE")}));
        QVERIFY(sequenceOf.contains(QStringLiteral("IndTFINANC")));

        // Keys are unique over categories and industries.
        for (const char *table :
             {"ROVAL_NAICS_Description_Ind_Detailed", "ROVAL_NAICS_Description_Ind_Raw"})
            for (const QString &key :
                 m_ref->column(QStringLiteral("select NodeKey from ") + QLatin1String(table)))
                QVERIFY2(!sequenceOf.contains(key), qPrintable(key));

        // The finance category holds volume 1 industries only.
        QCOMPARE(m_ref->column(QStringLiteral("select count(*) from "
                                              "ROVAL_NAICS_Description_Ind_Raw where Parent = "
                                              "'IndTFINANC'")),
                 QStringList{QStringLiteral("0")});
        const QStringList finance = m_ref->column(QStringLiteral(
            "select F.NAICS from ROVAL_Vol1_ALL_2006_Final_Ratios F join "
            "ROVAL_NAICS_Description_Ind_Detailed N on F.NAICS = N.NAICS where N.Parent = "
            "'IndTFINANC'"));
        QVERIFY(finance.size() >= 5);
    }

    void quartilesOrdered()
    {
        for (const Table &table : existingTables()) {
            for (const QString &prefix : kRatioPrefixes) {
                const bool lowerIsBetter =
                    prefix == QLatin1String("DE") || prefix == QLatin1String("LTA");
                const auto rows = m_ref->rows(
                    QStringLiteral("select NAICS, %1Q1, %1Q2, %1Q3 from %2 where %1Q2 is not null")
                        .arg(prefix, table.name));
                for (const QVariantList &row : rows) {
                    const QString where = table.name + QLatin1Char(' ') + row.at(0).toString() +
                                          QLatin1Char(' ') + prefix;
                    const double q1 = row.at(1).toDouble();
                    const double q2 = row.at(2).toDouble();
                    const double q3 = row.at(3).toDouble();
                    QVERIFY2(!row.at(1).isNull() && !row.at(3).isNull(), qPrintable(where));
                    if (lowerIsBetter)
                        QVERIFY2(q1 > q2 && q2 > q3 && q3 > 0, qPrintable(where));
                    else
                        QVERIFY2(q1 < q2 && q2 < q3, qPrintable(where));
                    // A quartile of 0 would read as "no quartile" in the comparison.
                    QVERIFY2(q1 != 0 && q2 != 0 && q3 != 0, qPrintable(where));
                }
            }
        }
    }

    // Medians on the scales the comparison report expects.
    void plausibleScales()
    {
        const auto medians = m_ref->rows(QStringLiteral(
            "select avg(npmq2), avg(orttnoaq2), avg(deq2), avg(ltaq2), avg(wcq2), count(*), "
            "count(itq2) from ROVAL_Vol3_ALL_2006_Final_Ratios"));
        const QVariantList m = medians.at(0);
        QVERIFY2(m.at(0).toDouble() > 1 && m.at(0).toDouble() < 10, "NPM in percent");
        QVERIFY2(m.at(1).toDouble() > 100 && m.at(1).toDouble() < 800, "ORTTNOA in percent");
        QVERIFY2(m.at(2).toDouble() > 0.2 && m.at(2).toDouble() < 5, "DE a plain ratio");
        QVERIFY2(m.at(3).toDouble() > 0.3 && m.at(3).toDouble() < 1, "LTA a plain ratio");
        QVERIFY2(m.at(4).toDouble() > 0.8 && m.at(4).toDouble() < 4, "WC a plain ratio");
        // Industries without inventory have no inventory turnover.
        QVERIFY(m.at(6).toInt() < m.at(5).toInt());
    }

    void balanceSheetsAddUp()
    {
        const double tolerance = 0.011;
        for (const Table &table : existingTables()) {
            const auto rows = m_ref->rows(
                QStringLiteral(
                    "select NAICS, a11 + a12 + a13 + a18 + a19 - totoa, "
                    "totoa + a14 + a151617 - totass, totass - 100, "
                    "a22 + a25100 + a25200 + a25500 + a25400 + a25180 + a24 + a2329 + a27 - "
                    "totliab, "
                    "a31 + a38 + a283334 - totse, totliab + totse - totlse, totlse - 100, "
                    "opp + opl - 100, ppp + ppl - 100, npp + npl - 100, "
                    "curass <= totoa and curliab <= totliab and curass > 0 and curliab > 0 "
                    "from ") +
                table.name);
            for (const QVariantList &row : rows) {
                const QString where = table.name + QLatin1Char(' ') + row.at(0).toString();
                for (int i = 1; i <= 10; ++i)
                    QVERIFY2(
                        !row.at(i).isNull() && std::abs(row.at(i).toDouble()) < tolerance,
                        qPrintable(where +
                                   QStringLiteral(" sum %1: %2").arg(i).arg(row.at(i).toDouble())));
                QVERIFY2(row.at(11).toInt() == 1, qPrintable(where + QLatin1String(" current")));
            }
        }
    }

    void regionalCoverage()
    {
        const int national = industryCount(3, QStringLiteral("ALL"));
        int fewestProvince = national;
        int mostTerritory = 0;
        for (const DatasetOption &option : datasetOptions()) {
            const QString region = QLatin1String(option.region);
            if (region == QLatin1String("ALL"))
                continue;
            const int count = industryCount(3, region);
            QVERIFY2(count < national, qPrintable(region));
            if (region == QLatin1String("NT") || region == QLatin1String("NU") ||
                region == QLatin1String("YT")) {
                QVERIFY2(count >= 20 && count <= 40, qPrintable(region));
                mostTerritory = std::max(mostTerritory, count);
            } else if (region != QLatin1String("TERRITORIES")) {
                fewestProvince = std::min(fewestProvince, count);
            }
        }
        QVERIFY(mostTerritory < fewestProvince);
        QVERIFY(national >= 150 - 20);
        QVERIFY(industryCount(1, QStringLiteral("ALL")) < industryCount(2, QStringLiteral("ALL")));
    }

    // The lookups and the extraction must cope with quotes in titles.
    void titlesWithApostrophes()
    {
        for (const char *column : {"Description", "Description_french"}) {
            const QStringList carried = m_ref->column(
                QStringLiteral("select N.NAICS from ROVAL_NAICS_Description_Ind_Raw N join "
                               "ROVAL_Vol3_ALL_2006_Final_Ratios F on N.NAICS = F.NAICS where "
                               "instr(N.%1, '''') > 0")
                    .arg(QLatin1String(column)));
            QVERIFY2(!carried.isEmpty(), column);
        }
    }

    void datasetDescriptions()
    {
        for (const DatasetOption &option : datasetOptions()) {
            const auto rows = m_ref->rows(
                QStringLiteral("select descriptione, descriptionf from datadescription where "
                               "optname = ?"),
                {QLatin1String(option.optionName)});
            QVERIFY2(rows.size() == 1, option.optionName);
            QVERIFY(rows.at(0).at(0).toString().size() > 40);
            QVERIFY(rows.at(0).at(1).toString().size() > 40);
            QVERIFY(rows.at(0).at(0).toString() != rows.at(0).at(1).toString());
        }
    }

    void userTables_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("MyValues") << QStringLiteral("MyValues")
                                  << words("FirmName Year NAICS Cash Ar Inv CA OA Toa Invest Ptfl "
                                           "Ta OperatingRevenue Sales GrossProfit OperatingProfit "
                                           "InterestExpense PretaxProfit ProfitAfterTax "
                                           "AccountsPayable Banks Paper Mtg Bonds Ol AmtsAffil "
                                           "OLiab DefTax Tliab ShareC RetEarn OtherSur Equity1 "
                                           "TotLiabShareEq CurrentAssets CurrentLiabilities");
        const QStringList ratioTitles =
            words("Language Naics Title_UpperLeft Title_LowerLeft Title_LowerRight Year_0 Year_1 "
                  "Year_2 Year_3 ML_Title MM_Title");
        const QStringList balanceTitles = words("Language Naics Title_UpperLeft Title_LowerLeft "
                                                "Title_LowerRight Year_0 Year_1 Year_2");
        QTest::newRow("Rpt_Ratios_Titles") << QStringLiteral("Rpt_Ratios_Titles") << ratioTitles;
        QTest::newRow("Rpt_Ratios_Titles_Source")
            << QStringLiteral("Rpt_Ratios_Titles_Source") << ratioTitles;
        QTest::newRow("Rpt_BalanceSheet_Titles")
            << QStringLiteral("Rpt_BalanceSheet_Titles") << balanceTitles;
        QTest::newRow("Rpt_BalanceSheet_Titles_Source")
            << QStringLiteral("Rpt_BalanceSheet_Titles_Source") << balanceTitles;
        QTest::newRow("Rpt_Comparison_Titles")
            << QStringLiteral("Rpt_Comparison_Titles") << words("Language NAICS");
        QTest::newRow("Rpt_Comparison_Titles_Source")
            << QStringLiteral("Rpt_Comparison_Titles_Source") << words("Language NAICS");
        QTest::newRow("ProvinceCodes")
            << QStringLiteral("ProvinceCodes") << words("Code English French");
        QTest::newRow("Volume_Descriptions")
            << QStringLiteral("Volume_Descriptions")
            << words("Volume Language Title1 Title2 LargeMedianDesc MediumMedianDesc");
        QTest::newRow("Rpt_Comparison")
            << QStringLiteral("Rpt_Comparison")
            << words(
                   "MyFirmName MyYear MyNAICS MyIndustry MyVol MyCash MyAr MyInv MyCA MyOA MyToa "
                   "MyInvest MyPtfl MyTa MyAccountsPayable MyBanks MyPaper MyMtg MyBonds MyOl "
                   "MyAmtsAffil MyOLiab MyDefTax MyTliab MyShareC MyRetEarn MyOtherSur MyEquity1 "
                   "MyTotLiabShareEq MyCurrentAssets MyCurrentLiabilities MyOperatingRevenue "
                   "MyGrossProfit MyOperatingProfit MyInterestExpense MyPretaxProfit "
                   "MyProfitAfterTax MyNPM MyPPM MyOPM MyGPM MyORTNOA MyRONOA MyPPTA MyROCE MyROE "
                   "MyRT MyIT MyWC MyDE MyLTA MyIC BetterNPM BetterPPM BetterOPM BetterGPM "
                   "BetterORTNOA BetterRONOA BetterPPA BetterRCE BetterRE BetterRT BetterIT "
                   "BetterWC BetterDE BetterLTA BetterIC WorseNPM WorsePPM WorseOPM WorseGPM "
                   "WorseORTNOA WorseRONOA WorsePPA WorseRCE WorseRE WorseRT WorseIT WorseWC "
                   "WorseDE WorseLTA WorseIC VarianceCash VarianceAR VarianceInvent VarianceCA "
                   "VarianceOA VarianceTOA VarianceInvest VariancePTFL VarianceTOTASS VarianceAP "
                   "VarianceBanks VarianceSTPAPER VarianceMTG VarianceBonds VarianceOLoans "
                   "VarianceAOTA VarianceOLiab VarianceDefTax VarianceTL VarianceEq VarianceSC "
                   "VarianceRE VarianceOS VarianceSETL VarianceCurrA VarianceCurrL NumberOfFirms "
                   "PPAQ2 LTAQ2 NPMQ2 PPMQ2 OPMQ2 GPMQ2 ORTTNOAQ2 RNOAQ2 RCEQ2 REQ2 RTQ2 ITQ2 "
                   "WCQ2 DEQ2 ICQ2 OPP OPL PPP PPL NPP NPL A11 A12 A13 A18 A19 TOTOA A14 A151617 "
                   "TOTASS A22 A25100 A25200 A25500 A25400 A25180 A24 A2329 A27 TOTLIAB A31 A38 "
                   "A283334 TOTSE TOTLSE CURASS CURLiab");
        for (const char *work : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
            QTest::newRow(work) << QString::fromLatin1(work) << datasetColumnNames();
    }

    void userTables()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        QVERIFY2(m_user->hasTable(table), qPrintable(table));
        const QStringList actual = m_user->columns(table);
        for (const QString &name : columns)
            QVERIFY2(containsIgnoringCase(actual, name), qPrintable(name));
        if (table == QLatin1String("MyValues"))
            QCOMPARE(actual, columns); // the save statement names them in this order
    }

    void userDatabaseContent()
    {
        QCOMPARE(m_user->column(QStringLiteral("select count(*) from MyValues")),
                 QStringList{QStringLiteral("0")});
        // A title table is filled by copying its source's rows whole.
        for (const char *titles :
             {"Rpt_Ratios_Titles", "Rpt_BalanceSheet_Titles", "Rpt_Comparison_Titles"}) {
            const QString name = QLatin1String(titles);
            QCOMPARE(m_user->columns(name), m_user->columns(name + QLatin1String("_Source")));
            QCOMPARE(m_user->column(QStringLiteral("select Language from %1_Source order by "
                                                   "Language")
                                        .arg(name)),
                     (QStringList{QStringLiteral("E"), QStringLiteral("F")}));
        }
        QCOMPARE(m_user->column(QStringLiteral("select count(*) from Rpt_Ratios_Titles_Source "
                                               "where length(Title_LowerRight) > 0")),
                 QStringList{QStringLiteral("2")});
        // The work tables take every column of a dataset row.
        const QStringList datasetColumns =
            m_ref->columns(QStringLiteral("ROVAL_Vol1_ALL_2006_Final_Ratios"));
        for (const char *work : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
            QCOMPARE(m_user->columns(QLatin1String(work)), datasetColumns);

        QStringList regions;
        for (const DatasetOption &option : datasetOptions())
            regions << QLatin1String(option.region);
        regions.removeDuplicates();
        for (const QString &code : regions) {
            const auto rows = m_user->rows(
                QStringLiteral("select English, French from ProvinceCodes where Code = ?"), {code});
            QVERIFY2(rows.size() == 1 && !rows.at(0).at(0).toString().isEmpty() &&
                         !rows.at(0).at(1).toString().isEmpty(),
                     qPrintable(code));
        }
        for (int volume = 1; volume <= 3; ++volume)
            for (const char *language : {"E", "F"}) {
                const auto rows = m_user->rows(
                    QStringLiteral("select Title1, Title2, LargeMedianDesc, MediumMedianDesc from "
                                   "Volume_Descriptions where Volume = ? and [Language] = ?"),
                    {volume, QLatin1String(language)});
                QCOMPARE(rows.size(), 1);
                for (const QVariant &text : rows.at(0))
                    QVERIFY(!text.toString().isEmpty());
            }
    }

    void buildIsReproducible()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString sources = QStringLiteral(QUORVEL_DATA_SOURCE_DIR "/reference");
        QCOMPARE(buildReference(dir.filePath(QStringLiteral("a.mdb")), sources), 0);
        QCOMPARE(buildReference(dir.filePath(QStringLiteral("b.mdb")), sources), 0);
        QCOMPARE(buildUser(dir.filePath(QStringLiteral("c.mdb"))), 0);
        QCOMPARE(buildUser(dir.filePath(QStringLiteral("d.mdb"))), 0);
        const QByteArray reference = fileHash(dir.filePath(QStringLiteral("a.mdb")));
        QVERIFY(!reference.isEmpty());
        QCOMPARE(fileHash(dir.filePath(QStringLiteral("b.mdb"))), reference);
        QCOMPARE(fileHash(testsupport::programFile(QStringLiteral("ROV_DATA.mdb"))), reference);
        QVERIFY(!fileHash(dir.filePath(QStringLiteral("c.mdb"))).isEmpty());
        QCOMPARE(fileHash(dir.filePath(QStringLiteral("d.mdb"))),
                 fileHash(dir.filePath(QStringLiteral("c.mdb"))));
    }

    // A failed build leaves the previous database in place and no partial file.
    void failedBuildKeepsPreviousFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString sources = dir.filePath(QStringLiteral("reference"));
        QVERIFY(QDir().mkpath(sources));
        for (const char *name : {"industries.tsv", "tblTreeview.tsv", "datadescription.tsv",
                                 "datasets.tsv", "profiles.tsv"})
            QVERIFY(QFile::copy(QStringLiteral(QUORVEL_DATA_SOURCE_DIR "/reference/") +
                                    QLatin1String(name),
                                sources + QLatin1Char('/') + QLatin1String(name)));
        const QString output = dir.filePath(QStringLiteral("ROV_DATA.mdb"));
        QCOMPARE(buildReference(output, sources), 0);
        const QByteArray good = fileHash(output);

        QFile profiles(sources + QStringLiteral("/profiles.tsv"));
        QVERIFY(profiles.open(QIODevice::Append));
        profiles.write("BROKEN\t1\t2\n"); // a row with too few cells
        profiles.close();
        QVERIFY(buildReference(output, sources) != 0);
        QCOMPARE(fileHash(output), good);
        QVERIFY(!QFile::exists(output + QStringLiteral(".partial")));
    }

    // The build installs the user database only where there is none yet.
    void userDatabaseNeverReplaced()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString fresh = dir.filePath(QStringLiteral("fresh.mdb"));
        QCOMPARE(buildUser(fresh), 0);
        const QString target = dir.filePath(QStringLiteral("myData.mdb"));
        QCOMPARE(installUserDatabase(fresh, target), 0);
        QCOMPARE(fileHash(target), fileHash(fresh));

        QFile saved(target);
        QVERIFY(saved.open(QIODevice::Append));
        saved.write("user's statements");
        saved.close();
        const QByteArray changed = fileHash(target);
        QCOMPARE(installUserDatabase(fresh, target), 0);
        QCOMPARE(fileHash(target), changed);
    }
};

QUORVEL_LOGIC_TEST_MAIN(tst_shipped_data)
#include "tst_ShippedData.moc"
