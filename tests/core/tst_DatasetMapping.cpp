#include "support/LogicTestSupport.h"

#include "core/AppState.h"
#include "core/DatasetMapping.h"

class TestDatasetMapping : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_state = std::make_unique<testsupport::StateScope>(); }
    void cleanup() { m_state.reset(); }

    void knownOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("volume");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("descriptions");
        const QString raw = QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
        QTest::newRow("volume 1") << "optVol1"
                                  << "ROVAL_Vol1_ALL_2006_Final_Ratios" << 1 << "ALL"
                                  << "ROVAL_NAICS_Description_Ind_Detailed";
        QTest::newRow("volume 2") << "optVol2"
                                  << "ROVAL_Vol2_ALL_2006_Final_Ratios" << 2 << "ALL" << raw;
        QTest::newRow("volume 3") << "optVol3"
                                  << "ROVAL_Vol3_ALL_2006_Final_Ratios" << 3 << "ALL" << raw;
        QTest::newRow("Ontario") << "optOntario"
                                 << "ROVAL_Vol3_ON_2006_Final_Ratios" << 3 << "ON" << raw;
        QTest::newRow("Prairies") << "optPrairies"
                                  << "ROVAL_Vol3_PRAIRIES_2006_Final_Ratios" << 3 << "PRAIRIES"
                                  << raw;
        QTest::newRow("Northwest Territories")
            << "optNWT"
            << "ROVAL_Vol3_NT_2006_Final_Ratios" << 3 << "NT" << raw;
        QTest::newRow("Yukon") << "optYukon"
                               << "ROVAL_Vol3_YT_2006_Final_Ratios" << 3 << "YT" << raw;
    }

    void knownOptions()
    {
        QFETCH(QString, option);
        QFETCH(QString, table);
        QFETCH(int, volume);
        QFETCH(QString, region);
        QFETCH(QString, descriptions);
        AppState &state = appState();
        subSetDataTable(state, option);
        QCOMPARE(state.gstrDatasetTable, table);
        QCOMPARE(int(state.gintVolume), volume);
        QCOMPARE(state.gstrRegion, region);
        QCOMPARE(state.gstrNaicsDescTable, descriptions);
    }

    void everyOptionHasItsOwnTable()
    {
        QSet<QString> tables;
        for (const DatasetOption &option : datasetOptions()) {
            AppState state;
            subSetDataTable(state, QLatin1String(option.optionName));
            QCOMPARE(state.gstrDatasetTable,
                     datasetTableName(option.volume, QLatin1String(option.region), 2006));
            tables.insert(state.gstrDatasetTable);
        }
        QCOMPARE(tables.size(), 19);
    }

    void unknownNameKeepsVolumeAndRegion_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("wrong case") << "optontario";
        QTest::newRow("empty") << "";
        QTest::newRow("trailing blank") << "optVol1 ";
    }

    void unknownNameKeepsVolumeAndRegion()
    {
        QFETCH(QString, option);
        AppState &state = appState();
        subSetDataTable(state, QStringLiteral("optVol1"));
        subSetDataTable(state, option);
        QCOMPARE(state.gstrDatasetTable, QStringLiteral("ROV_Other"));
        QCOMPARE(int(state.gintVolume), 1);
        QCOMPARE(state.gstrRegion, QStringLiteral("ALL"));
        QCOMPARE(state.gstrNaicsDescTable, QStringLiteral("ROVAL_NAICS_Description_Ind_Raw"));
    }

private:
    std::unique_ptr<testsupport::StateScope> m_state;
};

QUORVEL_LOGIC_TEST_MAIN(TestDatasetMapping)
#include "tst_DatasetMapping.moc"
