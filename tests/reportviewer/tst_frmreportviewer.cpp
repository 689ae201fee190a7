// The report screen: report types, window titles, the table loop, missing
// layouts, the viewer's pages, PDF export, printing without a printer and
// the resize rule. The program folder is a temporary copy of the shipped
// files.
#include "TestSupport.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"

#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {
struct ShownReport
{
    bool shown = false;
    QString title;
    QString text;
    int pages = 0;
};
} // namespace

class tst_frmReportViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { frmReportViewer::setDisplayPause(false); }

    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(testsupport::openShippedDatabases(m_dir));
        QVERIFY(testsupport::copyProgramFiles(m_dir, {QStringLiteral("rpt_Ratios.rpt"),
                                                      QStringLiteral("rpt_BalanceSheet.rpt"),
                                                      QStringLiteral("rpt_Comparison.rpt")}));
        setProgramFolderOverride(m_dir.path());
        const RecordSet row = GetRS(appState().gcnReference,
                                    QStringLiteral("select NAICS, IndustryDescription from "
                                                   "ROVAL_Vol1_ALL_2006_Final_Ratios limit 1"),
                                    QStringLiteral("read"));
        QVERIFY(row.RecordCount() == 1);
        m_naics = row.text(QStringLiteral("NAICS"));
        m_industry = row.text(QStringLiteral("IndustryDescription"));
    }

    void cleanup()
    {
        ScreenRegistry::clear();
        setProgramFolderOverride(QString());
        DisconnectFromDB(appState().gcnReference);
        DisconnectFromDB(appState().gcnUser);
    }

    void reportTypes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("heading");
        QTest::newRow("RAT") << "RAT"
                             << "E"
                             << "ROVAL Ratios Report"
                             << "Financial Performance Ratios";
        QTest::newRow("Ratios") << "Ratios"
                                << "E"
                                << "ROVAL Ratios Report"
                                << "Financial Performance Ratios";
        QTest::newRow("ratios report") << "ratios report"
                                       << "E"
                                       << "ROVAL Ratios Report"
                                       << "Financial Performance Ratios";
        QTest::newRow("fr:lower-case f") << "rat"
                                         << "f"
                                         << "LAVOR Rapport de Ratios"
                                         << "Ratios de rendement financier";
        QTest::newRow("en:bal") << "bal"
                                << "E"
                                << "ROVA Balance Sheet Report"
                                << "Balance Sheet Profile";
        QTest::newRow("fr:bal") << "Balance"
                                << "F"
                                << "LAVOR Rapport de bilan"
                                << "Profil du bilan";
    }

    void reportTypes()
    {
        QFETCH(QString, type);
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, heading);
        testsupport::MessageRecorder messages;
        const ShownReport shown = display(type, language);
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(shown.shown);
        QCOMPARE(shown.title, title);
        QVERIFY2(shown.text.contains(heading), qPrintable(shown.text));
        QVERIFY(shown.text.contains(m_naics));
        // Back to the caller, the screen is unloaded.
        QVERIFY(!ScreenRegistry::isLoaded<frmReportViewer>());
    }

    void comparisonReport()
    {
        testsupport::MessageRecorder messages;
        QStringList values{QStringLiteral("Acme"), QStringLiteral("2006"), m_naics, m_industry};
        // Cash to Ta, the income lines, the liabilities, the equity, the
        // current assets and liabilities.
        const QStringList amounts{
            "250",  "200", "150", "300", "100", "1000", "0",   "0",   "1000", "5000", "4000",
            "1200", "400", "50",  "350", "300", "200",  "100", "0",   "100",  "0",    "50",
            "0",    "50",  "0",   "500", "200", "250",  "50",  "500", "1000", "600",  "300"};
        values += amounts;
        const ShownReport shown = display(QStringLiteral("com"), QStringLiteral("E"), values);
        QCOMPARE(messages.texts(), QStringList());
        QVERIFY(shown.shown);
        QCOMPARE(shown.title, QStringLiteral("ROVA Comparison Report"));
        QVERIFY(shown.text.contains(QStringLiteral("Acme")));
        QVERIFY(shown.text.contains(QStringLiteral("$5,000")));
        QVERIFY(shown.text.contains(QStringLiteral("25.0%"))); // cash 250 of 1000
        QVERIFY(shown.pages >= 2);
    }

    void invalidType()
    {
        testsupport::MessageRecorder messages;
        const ShownReport shown = display(QStringLiteral("abc"), QStringLiteral("E"));
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Invalid Report Type: abc")});
        QVERIFY(!shown.shown);
    }

    void missingLayout()
    {
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("rpt_Ratios.rpt"))));
        testsupport::MessageRecorder messages;
        testsupport::EndRecorder ending;
        const ShownReport shown = display(QStringLiteral("rat"), QStringLiteral("E"));
        QVERIFY(!shown.shown);
        QVERIFY(!ending.ended());
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(
            messages.messages.at(0).text.startsWith(QStringLiteral("The report cannot be shown.")));
        QVERIFY(messages.messages.at(0).text.contains(QStringLiteral("rpt_Ratios.rpt")));
    }

    void unreadableLayout()
    {
        QFile layout(m_dir.filePath(QStringLiteral("rpt_BalanceSheet.rpt")));
        QVERIFY(layout.open(QIODevice::WriteOnly | QIODevice::Truncate));
        layout.write("not a layout");
        layout.close();
        testsupport::MessageRecorder messages;
        const ShownReport shown = display(QStringLiteral("bal"), QStringLiteral("F"));
        QVERIFY(!shown.shown);
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages.at(0).text.startsWith(
            QStringLiteral("Le rapport ne peut être affiché.")));
    }

    void pagesZoomAndPdf()
    {
        QString pdf = m_dir.filePath(QStringLiteral("out"));
        bool exported = false;
        int pagesShown = 0;
        QSize smallSheet;
        QSize largeSheet;
        display(QStringLiteral("com"), QStringLiteral("F"), comparisonValues(),
                [&](frmReportViewer &screen) {
                    ReportPageView *view = screen.viewer();
                    view->setZoom(0.5);
                    smallSheet =
                        view->findChild<QLabel *>(QStringLiteral("lblSheet"))->pixmap().size();
                    view->setZoom(1.0);
                    largeSheet =
                        view->findChild<QLabel *>(QStringLiteral("lblSheet"))->pixmap().size();
                    view->findChild<QPushButton *>(QStringLiteral("btnLastPage"))->click();
                    pagesShown = view->currentPage() + 1;
                    view->setExportPathProvider([pdf] { return pdf; });
                    exported = view->exportPdf();
                });
        QVERIFY(pagesShown >= 2);
        QCOMPARE(largeSheet.width(), smallSheet.width() * 2);
        QVERIFY(exported);
        QFile file(pdf + QStringLiteral(".pdf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5).startsWith("%PDF"));
    }

    void pdfToUnwritablePath()
    {
        testsupport::MessageRecorder messages;
        bool exported = true;
        display(QStringLiteral("rat"), QStringLiteral("E"), {}, [&](frmReportViewer &screen) {
            screen.viewer()->setExportPathProvider(
                [this] { return m_dir.filePath(QStringLiteral("no/such/folder/r.pdf")); });
            exported = screen.viewer()->exportPdf();
        });
        QVERIFY(!exported);
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages.at(0).text.startsWith(
            QStringLiteral("The PDF file could not be written: ")));
    }

    void printWithoutPrinter()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        testsupport::MessageRecorder messages;
        bool printed = true;
        display(QStringLiteral("rat"), QStringLiteral("F"), {}, [&](frmReportViewer &screen) {
            screen.viewer()->findChild<QPushButton *>(QStringLiteral("btnPrint"))->click();
            printed = screen.viewer()->printReport();
        });
        QVERIFY(!printed);
        QCOMPARE(messages.texts(),
                 QStringList(
                     2, QStringLiteral("Il n'y a pas d'imprimante de rattaché à votre machine.")));
    }

    void resizeFitsViewerAndButton()
    {
        QRect viewer;
        QRect button;
        QSize client;
        display(QStringLiteral("rat"), QStringLiteral("E"), {}, [&](frmReportViewer &screen) {
            screen.resize(900, 700);
            QCoreApplication::processEvents();
            client = screen.centralWidget()->size();
            viewer = screen.viewer()->geometry();
            button = screen.findChild<QPushButton *>(QStringLiteral("btnBack"))->geometry();
        });
        QCOMPARE(viewer.width(), client.width() - 200 / 15);
        QCOMPARE(viewer.height(), client.height() - 1200 / 15);
        QCOMPARE(button.right(), viewer.right());
        QVERIFY(button.top() > viewer.bottom());
        QVERIFY(button.bottom() < client.height());
    }

private:
    QStringList comparisonValues() const
    {
        QStringList values{QStringLiteral("Acme"), QStringLiteral("2006"), m_naics, m_industry};
        for (int i = 4; i <= 36; ++i)
            values << QStringLiteral("100");
        values[12] = QStringLiteral("800"); // Ta
        values[34] = QStringLiteral("800"); // TotLiabShareEq
        return values;
    }

    // Calls DisplayCrystalReport; while the report shows, runs `whileShown`
    // on the screen and then presses btnBack.
    ShownReport display(const QString &type, const QString &language,
                        const QStringList &values = {},
                        const std::function<void(frmReportViewer &)> &whileShown = {})
    {
        ShownReport shown;
        QObject guard; // the check below never outlives this call
        QTimer::singleShot(0, &guard, [&] {
            if (!ScreenRegistry::isLoaded<frmReportViewer>())
                return;
            frmReportViewer &screen = ScreenRegistry::get<frmReportViewer>();
            if (!screen.isVisible())
                return;
            shown.shown = true;
            shown.title = screen.windowTitle();
            shown.text = screen.viewer()->document()->toPlainText();
            shown.pages = screen.viewer()->pageCount();
            if (whileShown)
                whileShown(screen);
            screen.findChild<QPushButton *>(QStringLiteral("btnBack"))->click();
        });
        AppState &state = appState();
        ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
            state.gcnReference, state.gcnUser, type, 1, QStringLiteral("ALL"), 2006, m_naics,
            language, values);
        QCoreApplication::processEvents();
        return shown;
    }

    QTemporaryDir m_dir;
    QString m_naics;
    QString m_industry;
};

QUORVEL_TEST_MAIN(tst_frmReportViewer)
#include "tst_frmreportviewer.moc"
