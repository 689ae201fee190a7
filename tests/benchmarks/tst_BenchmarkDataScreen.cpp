// The benchmark data window: a set loaded beside the sample is listed, and
// Use makes it the program's reference database and its years the screens'.
#include "support/LogicTestSupport.h"
#include "support/TestSupport.h"

#include "benchmarks/BenchmarkColumns.h"
#include "benchmarks/BenchmarkSets.h"
#include "benchmarks/frmBenchmarkData.h"
#include "core/AppState.h"
#include "core/ProgramFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

class tst_BenchmarkDataScreen : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        QVERIFY(testsupport::openShippedDatabases(m_dir));
        setProgramFolderOverride(QStringLiteral(QUORVEL_PROGRAM_DIR));
        QVERIFY(testsupport::loadOneIndustrySet(m_dir.path(), QStringLiteral("Survey"),
                                                QStringLiteral("A provincial survey")));
    }

    void useSet()
    {
        int changes = 0;
        frmBenchmarkData window([&changes] { ++changes; });
        QCOMPARE(window.tblBenchmarkSets->rowCount(), 2);
        QCOMPARE(window.tblBenchmarkSets->item(1, 0)->text(), QStringLiteral("Survey"));
        QVERIFY(!window.cmdRemove->isEnabled());
        window.tblBenchmarkSets->selectRow(0);
        QVERIFY(!window.cmdRemove->isEnabled()); // never the sample
        window.tblBenchmarkSets->selectRow(1);
        QVERIFY(window.cmdRemove->isEnabled());
        window.cmdUse->click();
        QCOMPARE(changes, 1);
        QCOMPARE(lastReferenceYear(), 2021);
        QCOMPARE(appState().gcnReference.filePath(), benchmarksInUse().path);
        QCOMPARE(rememberedBenchmarkSet(), QStringLiteral("Survey"));
        QCOMPARE(window.lblSetInUse->text(), QStringLiteral("Benchmark set in use: Survey"));
        if (qEnvironmentVariableIsSet("QUORVEL_SCREENSHOTS")) {
            window.show();
            window.grab().save(QDir::temp().filePath(QStringLiteral("benchmark-data-en.png")));
            appState().gintLanguage = Language::French;
            window.subLoadCaptions();
            window.subListSets();
            window.grab().save(QDir::temp().filePath(QStringLiteral("benchmark-data-fr.png")));
            appState().gintLanguage = Language::English;
        }
        // Removing the set in use gives the sample back.
        testsupport::MessageRecorder messages(MsgAnswer::Yes);
        window.tblBenchmarkSets->selectRow(1);
        window.cmdRemove->click();
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(window.tblBenchmarkSets->rowCount(), 1);
        QVERIFY(benchmarksInUse().sample);
        QCOMPARE(lastReferenceYear(), 2006);
    }
};

QTEST_MAIN(tst_BenchmarkDataScreen)
#include "tst_BenchmarkDataScreen.moc"
