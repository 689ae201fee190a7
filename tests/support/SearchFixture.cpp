#include "support/SearchFixture.h"

#include "core/AppState.h"
#include "core/DatasetMapping.h"
#include "support/DatabaseWriter.h"

#include <QFile>

namespace searchfixture {

namespace {

struct Industry
{
    const char *naics;
    const char *english;
    const char *french;
    const char *definitionE; // nullptr stores null
    const char *definitionF;
    const char *parent;
    int sequence;
};

// Industries of the volume 2 and 3 description table; the first five are in
// the datasets, 722511 only in the description table.
const QList<Industry> &rawIndustries()
{
    static const QList<Industry> rows = {
        {"236110", "Residential building construction", "Construction résidentielle",
         "Builds houses.\r\nAlso renovates them.", "Construit des maisons.", "IndTCONST", 10},
        {"445110", "Grocery stores", "Épiceries", nullptr, nullptr, "IndTRETAIL", 20},
        {"448140", "Family clothing stores", "Magasins de vêtements pour la famille",
         "Sells clothing.", "Vend des vêtements.", "IndTRETAIL", 21},
        {"541110", "Lawyers' offices", "Bureaux d'avocats", "Practises law.", "Pratique le droit.",
         "IndManage", 30},
        {"611692", "Driving schools", "École de conduite", "Teaches driving.",
         "Enseigne la conduite.", "IndNOWHERE", 40},
        {"722511", "Full-service restaurants", "Restaurants à service complet", "Serves meals.",
         "Sert des repas.", "IndTRETAIL", 50},
    };
    return rows;
}

QVariant textOrNull(const char *text)
{
    return text ? QVariant(QString::fromUtf8(text)) : QVariant(QMetaType(QMetaType::QString));
}

} // namespace

const QStringList &datasetCodes()
{
    static const QStringList codes = {"236110", "445110", "448140", "541110", "611692"};
    return codes;
}

bool writeReference(const QString &path, bool brokenTree)
{
    testsupport::DatabaseWriter db(path);
    // One transaction: the file is written once, not once per row.
    db.beginTransaction();
    const QStringList descColumns{"NAICS text",       "Description text", "Description_french text",
                                  "definitione text", "definitionf text", "Parent text",
                                  "NodeKey text",     "sequence integer"};
    for (const char *table :
         {"ROVAL_NAICS_Description_Ind_Raw", "ROVAL_NAICS_Description_Ind_Detailed"})
        db.createTable(QLatin1String(table), descColumns);
    for (const Industry &row : rawIndustries()) {
        db.insertValues(QStringLiteral("ROVAL_NAICS_Description_Ind_Raw"),
                        {QString::fromUtf8(row.naics), QString::fromUtf8(row.english),
                         QString::fromUtf8(row.french), textOrNull(row.definitionE),
                         textOrNull(row.definitionF), QString::fromUtf8(row.parent),
                         QStringLiteral("Ind") + QString::fromUtf8(row.naics), row.sequence});
    }
    // Volume 1: banking sits under the finance category.
    db.exec(QStringLiteral("insert into ROVAL_NAICS_Description_Ind_Detailed values "
                           "('236110', 'Residential building construction', "
                           "'Construction résidentielle', 'Builds.', 'Construit.', "
                           "'IndTCONST', 'Ind236110', 1), "
                           "('522110', 'Banking', 'Banques', 'Banks.', 'Banques.', "
                           "'IndTFINANC', 'Ind522110', 2)"));

    db.createTable(
        QStringLiteral("tblTreeview"),
        {"NodeKey text", "Parent text", "sequence integer", "IndDescE text", "IndDescF text"});
    db.exec(QStringLiteral("insert into tblTreeview values "
                           "('IndTOTALL', null, 1, ' All industries ', ' Toutes les industries '), "
                           "('IndManage', null, 2, 'Management', 'Gestion'), "
                           "('IndTCONST', 'IndTOTALL', 3, 'Construction', 'Construction'), "
                           "('IndTFINANC', 'IndTOTALL', 4, 'Finance and insurance', "
                           "'Finance et assurances'), "
                           "('IndTRETAIL', 'IndTOTALL', 5, 'Retail trade', 'Commerce de détail')"));
    if (brokenTree) {
        db.exec(QStringLiteral("insert into tblTreeview values "
                               "('IndTCONST', 'IndTOTALL', 6, 'Again', 'Encore'), "
                               "('IndTLOST', 'IndGONE', 7, 'Lost', 'Perdu')"));
    }

    for (const DatasetOption &option : datasetOptions()) {
        const QString table = QLatin1String(option.tablePrefix) + QLatin1String(kReferenceYear) +
                              QLatin1String(kDatasetTableSuffix);
        db.createTable(table, {"NAICS text", "NumberOfFirms integer"});
    }
    for (const QString &code : datasetCodes()) {
        db.insertValues(QStringLiteral("ROVAL_Vol2_ALL_2006_Final_Ratios"), {code, 10});
        db.insertValues(QStringLiteral("ROVAL_Vol3_ON_2006_Final_Ratios"), {code, 10});
    }
    db.exec(QStringLiteral("insert into ROVAL_Vol1_ALL_2006_Final_Ratios values "
                           "('236110', 5), ('522110', 5)"));
    return db.commit();
}

bool writeUser(const QString &path)
{
    testsupport::DatabaseWriter db(path);
    return db.createTable(QStringLiteral("MyValues"), {"FirmName text", "[Year] integer"});
}

bool openFixture(const QTemporaryDir &dir, bool brokenTree, const QString &optionName)
{
    const QString reference = dir.filePath(QStringLiteral("ROV_DATA.mdb"));
    const QString user = dir.filePath(QStringLiteral("myData.mdb"));
    QFile::remove(reference);
    QFile::remove(user);
    if (!writeReference(reference, brokenTree) || !writeUser(user))
        return false;
    AppState &state = appState();
    ConnectToFile(state.gcnReference, reference, QStringLiteral("unknown"), OpenMode::ReadOnly);
    ConnectToFile(state.gcnUser, user, QStringLiteral("unknown"), OpenMode::ReadWrite);
    subSetDataTable(state, optionName);
    return state.gcnReference.isOpen() && state.gcnUser.isOpen();
}

} // namespace searchfixture
