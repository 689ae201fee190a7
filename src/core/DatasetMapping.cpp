#include "core/DatasetMapping.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/AppState.h"

const QList<DatasetOption> &datasetOptions()
{
    static const QList<DatasetOption> options = {
        {"optVol1", "ROVAL_Vol1_ALL_", 1, "ALL"},
        {"optVol2", "ROVAL_Vol2_ALL_", 2, "ALL"},
        {"optVol3", "ROVAL_Vol3_ALL_", 3, "ALL"},
        {"optAtlantic", "ROVAL_Vol3_ATLANTIC_", 3, "ATLANTIC"},
        {"optNovaScotia", "ROVAL_Vol3_NS_", 3, "NS"},
        {"optNewBrunswick", "ROVAL_Vol3_NB_", 3, "NB"},
        {"optNewfoundland", "ROVAL_Vol3_NL_", 3, "NL"},
        {"optPEI", "ROVAL_Vol3_PE_", 3, "PE"},
        {"optQuebec", "ROVAL_Vol3_QC_", 3, "QC"},
        {"optOntario", "ROVAL_Vol3_ON_", 3, "ON"},
        {"optPrairies", "ROVAL_Vol3_PRAIRIES_", 3, "PRAIRIES"},
        {"optManitoba", "ROVAL_Vol3_MB_", 3, "MB"},
        {"optSaskatchewan", "ROVAL_Vol3_SK_", 3, "SK"},
        {"optAlberta", "ROVAL_Vol3_AB_", 3, "AB"},
        {"optBritishColumbia", "ROVAL_Vol3_BC_", 3, "BC"},
        {"optTerritories", "ROVAL_Vol3_TERRITORIES_", 3, "TERRITORIES"},
        {"optNWT", "ROVAL_Vol3_NT_", 3, "NT"},
        {"optNunavut", "ROVAL_Vol3_NU_", 3, "NU"},
        {"optYukon", "ROVAL_Vol3_YT_", 3, "YT"},
    };
    return options;
}

QString datasetTableName(int volume, const QString &region, int year)
{
    return QStringLiteral("ROVAL_Vol%1_%2_%3").arg(volume).arg(region).arg(year) +
           QLatin1String(kDatasetTableSuffix);
}

void subSetDataTable(AppState &state, const QString &optionName)
{
    bool matched = false;
    for (const DatasetOption &option : datasetOptions()) {
        if (optionName == QLatin1String(option.optionName)) {
            state.gstrDatasetTable = QLatin1String(option.tablePrefix) +
                                     QString::number(lastReferenceYear()) +
                                     QLatin1String(kDatasetTableSuffix);
            state.gintVolume = option.volume;
            state.gstrRegion = QLatin1String(option.region);
            matched = true;
            break;
        }
    }
    if (!matched)
        state.gstrDatasetTable = QStringLiteral("ROV_Other");
    state.gstrNaicsDescTable = naicsDescriptionTable(matched ? state.gintVolume : 0);
}

QString naicsDescriptionTable(int volume)
{
    return volume == 1 ? QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed")
                       : QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
}
