// The one-second pause before a report shows: the wait cursor is up and the
// program's windows keep repainting.
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "reports/WaitCursorPause.h"
#include "reports/frmReportViewer.h"
#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace {
// A window that counts its repaints.
class Probe : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

// What a timer saw while the pause ran.
struct DuringPause
{
    bool ran = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    int paintsBefore = 0;
    int paintsAfterUpdate = 0;
};

Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}
} // namespace

class tst_ReportPause : public QObject
{
    Q_OBJECT

private slots:
    void windowsRepaintUnderTheWaitCursor()
    {
        Probe probe;
        probe.resize(200, 100);
        probe.show();
        QVERIFY(QTest::qWaitForWindowExposed(&probe));

        DuringPause seen;
        QTimer::singleShot(50, &probe, [&] {
            seen.ran = true;
            seen.cursor = overrideShape();
            seen.paintsBefore = probe.paints;
            probe.update();
        });
        QTimer::singleShot(250, &probe, [&] { seen.paintsAfterUpdate = probe.paints; });
        pauseWithWaitCursor(400);

        QVERIFY(seen.ran);
        QCOMPARE(seen.cursor, Qt::WaitCursor);
        QVERIFY2(seen.paintsAfterUpdate > seen.paintsBefore, "no repaint during the pause");
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The report screen pauses without freezing: events run while the report
    // window is not shown yet.
    void reportScreenPausesWithoutFreezing()
    {
        QTemporaryDir dir;
        testsupport::StateScope scope;
        QVERIFY(testsupport::openShippedDatabases(dir));
        QVERIFY(testsupport::copyProgramFiles(dir, {QStringLiteral("rpt_Ratios.rpt")}));
        setProgramFolderOverride(dir.path());
        const RecordSet row = GetRS(appState().gcnReference,
                                    QStringLiteral("select NAICS from "
                                                   "ROVAL_Vol1_ALL_2006_Final_Ratios limit 1"),
                                    QStringLiteral("read"));
        QCOMPARE(row.RecordCount(), 1);

        frmReportViewer::setDisplayPause(true);
        DuringPause seen;
        bool reportShownDuringPause = true;
        QObject guard;
        QTimer::singleShot(100, &guard, [&] {
            seen.ran = true;
            seen.cursor = overrideShape();
            reportShownDuringPause = ScreenRegistry::get<frmReportViewer>().isVisible();
        });
        // Once the report shows, the user returns from it.
        QTimer *back = new QTimer(&guard);
        connect(back, &QTimer::timeout, &guard, [] {
            if (ScreenRegistry::isLoaded<frmReportViewer>() &&
                ScreenRegistry::get<frmReportViewer>().isVisible())
                ScreenRegistry::get<frmReportViewer>().hide();
        });
        back->start(20);
        AppState &state = appState();
        ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
            state.gcnReference, state.gcnUser, QStringLiteral("rat"), 1, QStringLiteral("ALL"),
            2006, row.text(QStringLiteral("NAICS")), QStringLiteral("E"));
        frmReportViewer::setDisplayPause(false);

        QVERIFY(seen.ran);
        QCOMPARE(seen.cursor, Qt::WaitCursor);
        QVERIFY(!reportShownDuringPause);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QUORVEL_TEST_MAIN(tst_ReportPause)
#include "tst_ReportPause.moc"
