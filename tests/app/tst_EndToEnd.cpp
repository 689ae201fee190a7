// The first complete road, as a user walks it: start-up, language, dataset,
// an industry picked in the classification tree, "Continue" to the report,
// back to the search screen with the selection kept, and a second report.

#include "support/TestSupport.h"

#include "app/Startup.h"
#include "core/ProgramFolder.h"
#include "core/RecordSetModel.h"
#include "core/ScreenRegistry.h"
#include "entry/frmMenu.h"
#include "entry/frmStart.h"
#include "firm/frmMyValues.h"
#include "firm/frmOpenExisting.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"
#include "search/frmSearch.h"

#include <QAction>
#include <QComboBox>
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

// Runs `command`, which opens the modal report screen, and records what the
// report showed before returning with the report screen's own button.
template <class Command> ShownReport whileReportShows(Command command)
{
    ShownReport report;
    // Polls until the modal report is up (the command may run other event
    // loops first), then records it and returns with its own button.
    QTimer poll;
    int tries = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const bool up = ScreenRegistry::isLoaded<frmReportViewer>() &&
                        ScreenRegistry::get<frmReportViewer>().isVisible();
        if (!up && ++tries < 200)
            return;
        poll.stop();
        if (!up)
            return;
        frmReportViewer &viewer = ScreenRegistry::get<frmReportViewer>();
        report.shown = true;
        report.modal = viewer.isShownModally();
        report.title = viewer.windowTitle();
        if (const ReportDocument *document = viewer.viewer()->document()) {
            report.text = document->toPlainText();
            report.pages = document->pageCount();
        }
        if (auto *back = viewer.findChild<QPushButton *>(QStringLiteral("btnBack")))
            QTest::mouseClick(back, Qt::LeftButton);
    });
    poll.start(10);
    command();
    poll.stop();
    return report;
}

// Clicks "Continue" on the search screen with a report output chosen.
ShownReport continueToReport(frmSearch &search)
{
    return whileReportShows([&search] {
        QTest::mouseClick(child<QPushButton>(search, "cmdContinue"), Qt::LeftButton);
    });
}

// A balanced statement, typed box by box as a user types it.
const QList<QPair<const char *, const char *>> kTypedStatement = {
    {"txtCash", "100000"},
    {"txtAr", "200000"},
    {"txtInv", "150000"},
    {"txtCA", "400000"},
    {"txtOA", "50000"},
    {"txtInvest", "50000"},
    {"txtPtfl", "50000"},
    {"txtOperatingRevenue", "2000000"},
    {"txtSales", "1900000"},
    {"txtGrossProfit", "600000"},
    {"txtOperatingProfit", "150000"},
    {"txtInterestExpense", "20000"},
    {"txtPretaxProfit", "130000"},
    {"txtProfitAfterTax", "100000"},
    {"txtAccountsPayable", "200000"},
    {"txtBanks", "150000"},
    {"txtMtg", "100000"},
    {"txtOl", "50000"},
    {"txtShareC", "100000"},
    {"txtRetEarn", "380000"},
    {"txtOtherSur", "20000"},
    {"txtCurrentAssets", "450000"},
    {"txtCurrentLiabilities", "300000"},
};

void typeInto(QLineEdit *box, const QString &text, bool enter = true)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    if (enter)
        QTest::keyClick(box, Qt::Key_Return);
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
    std::unique_ptr<StateScope> m_state;

private slots:
    void init()
    {
        m_state = std::make_unique<StateScope>();
        QVERIFY(m_dir.isValid());
        QVERIFY(copyProgramFiles(m_dir, {"ROV_DATA.mdb", "myData.mdb", "rpt_Ratios.rpt",
                                         "rpt_BalanceSheet.rpt", "rpt_Comparison.rpt"}));
        setProgramFolderOverride(m_dir.path());
        frmReportViewer::setDisplayPause(false);
    }

    void cleanup() { m_state.reset(); }

    void fromStartToReports_data()
    {
        QTest::addColumn<QString>("languageButton");
        QTest::addColumn<QString>("dataset");
        QTest::addColumn<QString>("ratiosTitle");
        QTest::addColumn<QString>("percentSample"); // how a percentage reads
        QTest::newRow("en:Ontario") << "cmdEnglish"
                                    << "optOntario"
                                    << "ROVAL Ratios Report"
                                    << "%";
        QTest::newRow("fr:volume 1") << "cmdFrancais"
                                     << "optVol1"
                                     << "LAVOR Rapport de Ratios" << QStringLiteral("\u00a0%");
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

    // The comparison road: a new statement typed on the firm screen, set
    // against the industry, saved, and found again in the saved list.
    void comparisonRoad()
    {
        MessageRecorder messages(MsgAnswer::Ok);
        EndRecorder ending;
        runGuarded(Main);
        QTest::mouseClick(ScreenRegistry::get<frmStart>().findChild<QPushButton *>("cmdFrancais"),
                          Qt::LeftButton);
        frmMenu &menu = ScreenRegistry::get<frmMenu>();
        QRadioButton *ontario = menu.findChild<QRadioButton *>("optOntario");
        QTest::mouseClick(ontario, Qt::LeftButton, {}, QPoint(5, ontario->height() / 2));
        QTest::mouseClick(child<QPushButton>(menu, "cmdSearch"), Qt::LeftButton);

        frmSearch &search = ScreenRegistry::get<frmSearch>();
        QVERIFY(clickFirstIndustry(child<QTreeWidget>(search, "TreeView1")));
        const QString code = child<QLabel>(search, "lblHiddenNaics")->text();
        const QString title = child<QLineEdit>(search, "txtIndName")->text();
        QTest::mouseClick(child<QRadioButton>(search, "optCompareNew"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QTest::mouseClick(child<QPushButton>(search, "cmdContinue"), Qt::LeftButton);
        QVERIFY(!search.isVisible());

        frmMyValues &firm = ScreenRegistry::get<frmMyValues>();
        QVERIFY(firm.isVisible());
        QCOMPARE(firm.lblIndustry->text().trimmed(), title);
        typeInto(firm.txtFirmName, QStringLiteral("Boulangerie d'Anne"), false);
        for (const auto &[box, amount] : kTypedStatement)
            typeInto(child<QLineEdit>(firm, box), QString::fromLatin1(amount));
        QCOMPARE(firm.txtToa->text(), QStringLiteral("900000"));
        QCOMPARE(firm.txtTa->text(), QStringLiteral("1000000"));
        QCOMPARE(firm.txtTliab->text(), QStringLiteral("500000"));
        QCOMPARE(firm.txtEquity1->text(), QStringLiteral("500000"));
        QCOMPARE(firm.txtTotLiabShareEq->text(), QStringLiteral("1000000"));
        QCOMPARE(firm.cboYear->currentText(), QStringLiteral("2006"));

        const ShownReport comparison = whileReportShows([&firm] { firm.mnuReport->trigger(); });
        QVERIFY2(comparison.shown, qPrintable(messages.texts().join(" | ")));
        QVERIFY(comparison.modal);
        QVERIFY(comparison.text.contains(QStringLiteral("Boulangerie d'Anne")));
        QVERIFY(comparison.text.contains(code));
        // Cash is 10 % of total assets; operating revenue in French money format.
        QVERIFY(comparison.text.contains(QStringLiteral("10,0\u00a0%")));
        QVERIFY(comparison.text.contains(QStringLiteral("2\u00a0000\u00a0000\u00a0$")));

        // Back on the firm screen, the statement is as the user left it.
        QVERIFY(firm.isVisible());
        QCOMPARE(firm.txtFirmName->text(), QStringLiteral("Boulangerie d'Anne"));
        QCOMPARE(firm.txtCash->text(), QStringLiteral("100000"));

        QVERIFY(firm.subSave_Firm_Record(true));
        QVERIFY(!firm.dataChanged());
        RecordSet saved =
            GetRS(appState().gcnUser, QStringLiteral("select * from MyValues where FirmName = ?"),
                  "read", {QStringLiteral("Boulangerie d'Anne")});
        QCOMPARE(saved.RecordCount(), 1);
        QCOMPARE(saved.field(QStringLiteral("Year")).toInt(), 2006);
        QCOMPARE(saved.field(QStringLiteral("Ta")).toDouble(), 1000000.0);
        QCOMPARE(saved.text(QStringLiteral("NAICS")), code);

        frmOpenExisting &list = ScreenRegistry::get<frmOpenExisting>();
        QVERIFY(list.fncLoadFirms());
        QCOMPARE(list.AdodcFirms->rowCount(), 1);
        // The save's confirmation is the one message of the whole road.
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("Les données ont été sauvegardées.")});
        QVERIFY(!ending.ended());
    }
};

QUORVEL_TEST_MAIN(TestEndToEnd)
#include "tst_EndToEnd.moc"
