// The first complete road, as a user walks it: start-up, language, dataset,
// an industry picked in the classification tree, "Continue" to the report,
// back to the search screen with the selection kept, and a second report.

#include "TestSupport.h"

#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "core/Startup.h"
#include "entry/frmMenu.h"
#include "entry/frmStart.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"
#include "search/frmSearch.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

using namespace testsupport;

namespace {
template <class W> W *child(QWidget &screen, const char *name)
{
    W *widget = screen.findChild<W *>(QLatin1String(name));
    if (!widget)
        qWarning("no child %s on %s", name, qPrintable(screen.objectName()));
    return widget;
}

// What the report screen showed while it was up.
struct ShownReport
{
    bool shown = false;
    bool modal = false;
    QString title;
    QString text;
    int pages = 0;
};

// Clicks "Continue" and, once the modal report is up, records it and
// returns with the report screen's own button.
ShownReport continueToReport(frmSearch &search)
{
    ShownReport report;
    QTimer::singleShot(0, [&report] {
        if (!ScreenRegistry::isLoaded<frmReportViewer>())
            return;
        frmReportViewer &viewer = ScreenRegistry::get<frmReportViewer>();
        report.shown = viewer.isVisible();
        report.modal = viewer.isShownModally();
        report.title = viewer.windowTitle();
        if (const ReportDocument *document = viewer.viewer()->document()) {
            report.text = document->toPlainText();
            report.pages = document->pageCount();
        }
        if (auto *back = viewer.findChild<QPushButton *>(QStringLiteral("btnBack")))
            QTest::mouseClick(back, Qt::LeftButton);
    });
    QTest::mouseClick(child<QPushButton>(search, "cmdContinue"), Qt::LeftButton);
    return report;
}

// The first industry of the first category that has one, expanded and clicked.
QTreeWidgetItem *clickFirstIndustry(QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> pending;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        pending << tree->topLevelItem(i);
    while (!pending.isEmpty()) {
        QTreeWidgetItem *item = pending.takeFirst();
        if (item->childCount() == 0 && item->parent()) {
            for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
                up->setExpanded(true);
            tree->scrollToItem(item);
            const QRect rect = tree->visualItemRect(item);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
            return item;
        }
        for (int i = 0; i < item->childCount(); ++i)
            pending.insert(i, item->child(i));
    }
    return nullptr;
}
} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        resetAppState();
        QVERIFY(m_dir.isValid());
        QVERIFY(copyProgramFiles(m_dir, {"ROV_DATA.mdb", "myData.mdb", "rpt_Ratios.rpt",
                                         "rpt_BalanceSheet.rpt", "rpt_Comparison.rpt"}));
        setProgramFolderOverride(m_dir.path());
        frmReportViewer::setDisplayPause(false);
    }

    void cleanup()
    {
        ScreenRegistry::clear();
        DisconnectFromDB(appState().gcnReference);
        DisconnectFromDB(appState().gcnUser);
        setProgramFolderOverride(QString());
    }

    void fromStartToReports_data()
    {
        QTest::addColumn<QString>("languageButton");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("ratiosTitle");
        QTest::addColumn<QString>("percentSample"); // how a percentage reads
        QTest::newRow("en:Ontario") << "cmdEnglish" << "optOntario" << "ROVAL Ratios Report" << "%";
        QTest::newRow("fr:volume 1") << "cmdFrancais" << "optVol1" << "LAVOR Rapport de Ratios"
                                     << QStringLiteral("\u00a0%");
    }

    void fromStartToReports()
    {
        QFETCH(QString, languageButton);
        QFETCH(QString, dataset);
        QFETCH(QString, ratiosTitle);
        QFETCH(QString, percentSample);
        MessageRecorder messages;
        EndRecorder ending;

        runGuarded(Main);
        frmStart &start = ScreenRegistry::get<frmStart>();
        QVERIFY(start.isVisible());

        QTest::mouseClick(start.findChild<QPushButton *>(languageButton), Qt::LeftButton);
        QVERIFY(!start.isVisible());
        frmMenu &menu = ScreenRegistry::get<frmMenu>();
        QVERIFY(menu.isVisible());

        QRadioButton *option = menu.findChild<QRadioButton *>(dataset);
        QVERIFY(option && option->isEnabled());
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(5, option->height() / 2));
        QVERIFY(option->isChecked());
        QTest::mouseClick(child<QPushButton>(menu, "cmdSearch"), Qt::LeftButton);
        QVERIFY(!menu.isVisible());

        frmSearch &search = ScreenRegistry::get<frmSearch>();
        QVERIFY(search.isVisible());
        QVERIFY(search.windowTitle().contains(appState().gstrDatasetCaption));
        QTreeWidget *tree = child<QTreeWidget>(search, "TreeView1");
        QVERIFY(tree && tree->isVisible());
        QTreeWidgetItem *industry = clickFirstIndustry(tree);
        QVERIFY(industry);
        const QString code = child<QLabel>(search, "lblHiddenNaics")->text();
        const QString title = child<QLineEdit>(search, "txtIndName")->text();
        QVERIFY(!code.isEmpty());
        QCOMPARE(title, industry->text(0));

        QVERIFY(child<QRadioButton>(search, "optRatios")->isChecked());
        const ShownReport ratios = continueToReport(search);
        QVERIFY(ratios.shown);
        QVERIFY(ratios.modal);
        QCOMPARE(ratios.title, ratiosTitle);
        QVERIFY(ratios.pages >= 1);
        QVERIFY2(ratios.text.contains(title), qPrintable(title));
        QVERIFY(ratios.text.contains(code));
        QVERIFY(ratios.text.contains(percentSample));

        // Back on the search screen, the selection is still there.
        QVERIFY(search.isVisible());
        QVERIFY(!ScreenRegistry::isLoaded<frmReportViewer>() ||
                !ScreenRegistry::get<frmReportViewer>().isVisible());
        QCOMPARE(child<QLabel>(search, "lblHiddenNaics")->text(), code);
        QCOMPARE(child<QLineEdit>(search, "txtIndName")->text(), title);

        QTest::mouseClick(child<QRadioButton>(search, "optBalanceSheet"), Qt::LeftButton, {},
                          QPoint(5, 5));
        const ShownReport balance = continueToReport(search);
        QVERIFY(balance.shown);
        QVERIFY(balance.title != ratiosTitle);
        QVERIFY(balance.text.contains(title));

        // The same report again, as often as the user likes.
        const ShownReport again = continueToReport(search);
        QCOMPARE(again.title, balance.title);
        QCOMPARE(again.text, balance.text);

        QVERIFY2(messages.messages.isEmpty(), qPrintable(messages.texts().join(" | ")));
        QVERIFY(!ending.ended());
    }
};

QUORVEL_TEST_MAIN(TestEndToEnd)
#include "tst_EndToEnd.moc"
