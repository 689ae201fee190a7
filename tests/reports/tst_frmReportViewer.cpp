// The report screen: report types, window titles, the table loop, missing
// layouts, the viewer's pages, PDF export, printing without a printer and
// the resize rule. The program folder is a temporary copy of the shipped
// files.
#include "core/PrinterChoice.h"
#include "core/ProgramFolder.h"
#include "core/ProgramLanguage.h"
#include "core/ScreenRegistry.h"
#include "reports/RatioExplainPanel.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"
#include "search/frmSearch.h"
#include "session/AppSession.h"
#include "support/SpreadsheetReader.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
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
        m_state = std::make_unique<testsupport::StateScope>();
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

    void cleanup() { m_state.reset(); }

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
        QVERIFY(shown.text.contains(QStringLiteral("What it would take")));
        QVERIFY(shown.text.contains(QStringLiteral("they are not advice")));
    }

    // A ratio's name opens its explanation (Tab to it and Enter, or a click),
    // in the report's language, with the firm's own amounts in a comparison;
    // Esc closes the panel and leaves the report open.
    void explainPanel_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("inventory");
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<QStringList>("expected");
        const QChar space(0x00A0);
        QTest::newRow("en:com") << "com"
                                << "E"
                                << "150"
                                << "Net profit margin"
                                << QStringList{"$300 ÷ $5,000 × 100 = 6.0%", "Higher is better."};
        QTest::newRow("fr:com") << "com"
                                << "F"
                                << "150"
                                << "Marge bénéficiaire nette"
                                << QStringList{QStringLiteral("300") + space + "$ ÷ 5" + space +
                                                   "000" + space + "$ × 100 = 6,0" + space + "%",
                                               "Plus il est élevé, mieux c'est."};
        QTest::newRow("en:com not meaningful")
            << "com"
            << "E"
            << "0"
            << "Inventory turnover"
            << QStringList{"Inventory is zero: this ratio has no meaning for your firm."};
        QTest::newRow("fr:com not meaningful")
            << "com"
            << "F"
            << "0"
            << "Rotation des stocks"
            << QStringList{"Les stocks sont nuls : ce ratio n'a pas de sens"};
        QTest::newRow("en:rat") << "rat"
                                << "E"
                                << ""
                                << "Debt to equity"
                                << QStringList{"Industry, 2006: first quartile",
                                               "Industry, 2005: first quartile",
                                               "Industry, 2004: first quartile",
                                               "Lower is better."};
        QTest::newRow("fr:rat") << "rat"
                                << "F"
                                << ""
                                << "Rotation des stocks"
                                << QStringList{"Industrie, 2006 : premier quartile",
                                               "Industrie, 2004 : premier quartile"};
    }

    void explainPanel()
    {
        QFETCH(QString, type);
        QFETCH(QString, language);
        QFETCH(QString, inventory);
        QFETCH(QString, ratio);
        QFETCH(QStringList, expected);
        QStringList values;
        if (type == QLatin1String("com")) {
            values = {QStringLiteral("Acme"), QStringLiteral("2006"), m_naics, m_industry};
            values +=
                QStringList{"250",  "200",  inventory, "300",  "100", "1000", "0",   "0",   "1000",
                            "5000", "4000", "1200",    "400",  "50",  "350",  "300", "200", "100",
                            "0",    "100",  "0",       "50",   "0",   "50",   "0",   "500", "200",
                            "250",  "50",   "500",     "1000", "600", "300"};
        }
        QString panelText;
        bool coversRow = true;
        bool closedByEscape = false;
        bool stillShown = false;
        bool clickOpens = false;
        display(type, language, values, [&](frmReportViewer &screen) {
            ReportPageView *view = screen.viewer();
            auto *sheet = view->findChild<QLabel *>(QStringLiteral("lblSheet"));
            QWidget *panel = view->explainPanel();
            sheet->setFocus();
            for (int page = 0; page < view->pageCount() && panelText.isEmpty(); ++page) {
                view->setCurrentPage(page);
                // The mark goes round the page's names: forty steps see them all.
                for (int step = 0; step < 40 && panelText.isEmpty() && view->markNextRatio();
                     ++step) {
                    QTest::keyClick(sheet, Qt::Key_Return);
                    const QString text = view->explainPanel()->text();
                    if (text.contains(ratio.toHtmlEscaped())) {
                        panelText = text;
                        // The panel leaves the explained row in sight: the
                        // name's height, across the drawn page.
                        const QRect mark =
                            sheet->findChild<QWidget *>(QStringLiteral("fraRatioMark"))->geometry();
                        const int pageWidth =
                            sheet->pixmap().deviceIndependentSize().toSize().width();
                        const QRect row(sheet->mapTo(view, QPoint((sheet->width() - pageWidth) / 2,
                                                                  mark.top() + 3)),
                                        QSize(pageWidth, mark.height() - 6));
                        coversRow = panel->geometry().intersects(row);
                    }
                    QTest::keyClick(panel, Qt::Key_Escape);
                }
            }
            closedByEscape = !panel->isVisible();
            stillShown = screen.isVisible();
            // A click on the marked name opens the same panel.
            const QRect marked =
                sheet->findChild<QWidget *>(QStringLiteral("fraRatioMark"))->geometry();
            QTest::mouseClick(sheet, Qt::LeftButton, {}, marked.center());
            clickOpens = panel->isVisible() && view->explainPanel()->text() == panelText;
        });
        QVERIFY2(!panelText.isEmpty(), qPrintable(ratio));
        QVERIFY(!coversRow);
        for (const QString &part : expected)
            QVERIFY2(panelText.contains(part.toHtmlEscaped()), qPrintable(panelText));
        QVERIFY(closedByEscape);
        QVERIFY(stillShown);
        QVERIFY(clickOpens);
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
            QStringLiteral("Le rapport ne peut pas être affiché.")));
    }

    void pagesZoomAndPdf()
    {
        QString pdf = m_dir.filePath(QStringLiteral("out"));
        bool exported = false;
        int pagesShown = 0;
        QSize smallSheet;
        QSize largeSheet;
        display(
            QStringLiteral("com"), QStringLiteral("F"), comparisonValues(),
            [&](frmReportViewer &screen) {
                ReportPageView *view = screen.viewer();
                view->setZoomChoice({ZoomChoice::Kind::Fixed, 0.5});
                smallSheet = view->findChild<QLabel *>(QStringLiteral("lblSheet"))->pixmap().size();
                view->setZoomChoice({ZoomChoice::Kind::Fixed, 1.0});
                largeSheet = view->findChild<QLabel *>(QStringLiteral("lblSheet"))->pixmap().size();
                view->findChild<QPushButton *>(QStringLiteral("btnLastPage"))->click();
                pagesShown = view->currentPage() + 1;
                view->setExportPathProvider([pdf](const QString &, ExportFormat) { return pdf; });
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
            screen.viewer()->setExportPathProvider([this](const QString &, ExportFormat) {
                return m_dir.filePath(QStringLiteral("no/such/folder/r.pdf"));
            });
            exported = screen.viewer()->exportPdf();
        });
        QVERIFY(!exported);
        QCOMPARE(messages.messages.size(), 1);
        QVERIFY(messages.messages.at(0).text.startsWith(
            QStringLiteral("The file could not be written: ")));
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

    // Each report opens with its whole width in the window (a 1366 x 768
    // screen, offscreen 800 x 600 makes it harder still).
    void opensAtFitWidth_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("ratios (landscape)") << "rat";
        QTest::newRow("balance sheet") << "bal";
        QTest::newRow("comparison") << "com";
    }

    void opensAtFitWidth()
    {
        QFETCH(QString, type);
        setSessionZoomChoice({});
        int sheetWidth = 0;
        int viewWidth = 0;
        int scrollRange = -1;
        ZoomChoice choice{ZoomChoice::Kind::Fixed, 1.0};
        // The page is drawn once as the window shows, not again for the
        // resize that came with showing it.
        int draws = 0;
        QObject counter;
        connect(ScreenRegistry::get<frmReportViewer>().viewer(), &ReportPageView::pageShown,
                &counter, [&] { ++draws; });
        display(type, QStringLiteral("E"),
                type == QLatin1String("com") ? comparisonValues() : QStringList(),
                [&](frmReportViewer &screen) {
                    QCoreApplication::processEvents();
                    ReportPageView *view = screen.viewer();
                    choice = view->zoomChoice();
                    sheetWidth =
                        view->findChild<QLabel *>(QStringLiteral("lblSheet"))->pixmap().width();
                    auto *scroll = view->findChild<QScrollArea *>(QStringLiteral("scrPages"));
                    viewWidth = scroll->viewport()->width();
                    scrollRange = scroll->horizontalScrollBar()->maximum();
                });
        QCOMPARE(choice.kind, ZoomChoice::Kind::FitWidth);
        QCOMPARE(draws, 1);
        QVERIFY2(sheetWidth <= viewWidth && sheetWidth >= viewWidth - 20,
                 qPrintable(QStringLiteral("%1 in %2").arg(sheetWidth).arg(viewWidth)));
        QCOMPARE(scrollRange, 0);
    }

    void zoomChoiceHoldsForTheSession()
    {
        setSessionZoomChoice({});
        display(QStringLiteral("rat"), QStringLiteral("E"), {}, [](frmReportViewer &screen) {
            auto *box = screen.viewer()->findChild<QComboBox *>(QStringLiteral("cboZoom"));
            QCOMPARE(box->count(), 8);
            QCOMPARE(box->itemText(0), QStringLiteral("Fit width"));
            QCOMPARE(box->itemText(1), QStringLiteral("Whole page"));
            QVERIFY(box->findText(QStringLiteral("100%")) >= kFirstZoomStep);
            box->activated(1);
        });
        ZoomChoice next;
        QString firstItem;
        display(QStringLiteral("bal"), QStringLiteral("F"), {}, [&](frmReportViewer &screen) {
            next = screen.viewer()->zoomChoice();
            auto *box = screen.viewer()->findChild<QComboBox *>(QStringLiteral("cboZoom"));
            firstItem = box->itemText(0);
            QVERIFY(box->findText(QStringLiteral("100\u00a0%")) >= kFirstZoomStep);
            QCOMPARE(box->currentIndex(), 1);
        });
        QCOMPARE(next.kind, ZoomChoice::Kind::WholePage);
        QCOMPARE(firstItem, QStringLiteral("Pleine largeur"));
        setSessionZoomChoice({});
    }

    void keys()
    {
        setSessionZoomChoice({});
        QList<ZoomChoice> choices;
        QList<int> pages;
        display(QStringLiteral("com"), QStringLiteral("E"), comparisonValues(),
                [&](frmReportViewer &screen) {
                    screen.activateWindow();
                    QVERIFY(QTest::qWaitForWindowActive(&screen));
                    ReportPageView *view = screen.viewer();
                    const double fitted = view->zoom();
                    QTest::keyClick(&screen, Qt::Key_Plus, Qt::ControlModifier);
                    choices << view->zoomChoice();
                    QVERIFY(view->zoom() > fitted);
                    QTest::keyClick(&screen, Qt::Key_Minus, Qt::ControlModifier);
                    QTest::keyClick(&screen, Qt::Key_Minus, Qt::ControlModifier);
                    choices << view->zoomChoice();
                    QTest::keyClick(&screen, Qt::Key_0, Qt::ControlModifier);
                    choices << view->zoomChoice();
                    QTest::keyClick(&screen, Qt::Key_End);
                    pages << view->currentPage();
                    QTest::keyClick(&screen, Qt::Key_Home);
                    pages << view->currentPage();
                    // Page Down scrolls through the page, then turns it.
                    for (int i = 0; i < 20 && view->currentPage() == 0; ++i)
                        QTest::keyClick(&screen, Qt::Key_PageDown);
                    pages << view->currentPage();
                    QTest::keyClick(&screen, Qt::Key_PageUp);
                    pages << view->currentPage();
                });
        QCOMPARE(choices.size(), 3);
        QCOMPARE(choices.at(0).kind, ZoomChoice::Kind::Fixed);
        QCOMPARE(choices.at(1).kind, ZoomChoice::Kind::Fixed);
        QVERIFY(choices.at(1).factor < choices.at(0).factor);
        QCOMPARE(choices.at(2).kind, ZoomChoice::Kind::FitWidth);
        QVERIFY(pages.at(0) >= 1);
        QCOMPARE(pages.at(1), 0);
        QCOMPARE(pages.at(2), 1);
        QCOMPARE(pages.at(3), 0);
        setSessionZoomChoice({});
    }

    void escapeReturns()
    {
        bool hiddenByEscape = false;
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            frmReportViewer &screen = ScreenRegistry::get<frmReportViewer>();
            QTest::keyClick(screen.viewer(), Qt::Key_Escape);
            hiddenByEscape = !screen.isVisible();
            if (!hiddenByEscape)
                screen.findChild<QPushButton *>(QStringLiteral("btnBack"))->click();
        });
        AppState &state = appState();
        ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(
            state.gcnReference, state.gcnUser, QStringLiteral("rat"), 1, QStringLiteral("ALL"),
            2006, m_naics, QStringLiteral("E"), {});
        QVERIFY(hiddenByEscape);
        QVERIFY(!ScreenRegistry::isLoaded<frmReportViewer>());
    }

    void ownedByTheScreenThatAsked()
    {
        Screen opener;
        opener.showScreen();
        QWidget *owner = nullptr;
        bool window = false;
        QWindow *transient = nullptr;
        display(QStringLiteral("rat"), QStringLiteral("E"), {}, [&](frmReportViewer &screen) {
            owner = screen.parentWidget();
            window = screen.isWindow();
            transient = screen.windowHandle()->transientParent();
        });
        QCOMPARE(owner, &opener);
        QVERIFY(window);
        QCOMPARE(transient, opener.windowHandle());
    }

    void printsThroughTheDialog_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("jobName");
        QTest::addColumn<int>("orientation");
        QTest::newRow("en:ratios, landscape")
            << "rat"
            << "E"
            << "Quorvel – Ratios – %1 %2" << int(QPageLayout::Landscape);
        QTest::newRow("fr:balance sheet, portrait")
            << "bal"
            << "F"
            << "Quorvel – Bilan – %1 %2" << int(QPageLayout::Portrait);
    }

    void printsThroughTheDialog()
    {
        QFETCH(QString, type);
        QFETCH(QString, language);
        QFETCH(QString, jobName);
        QFETCH(int, orientation);
        const QString pdf = m_dir.filePath(QStringLiteral("printed.pdf"));
        setPrinterProvider([pdf] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        QString docName;
        int shownOrientation = -1;
        int maxPage = 0;
        setPrintDialogRunner([&](QPrintDialog &dialog) {
            docName = dialog.printer()->docName();
            shownOrientation = int(dialog.printer()->pageLayout().orientation());
            maxPage = dialog.maxPage();
            // Only the second page.
            dialog.printer()->setPrintRange(QPrinter::PageRange);
            dialog.printer()->setFromTo(2, 2);
            return PrintChoice::Print;
        });
        appSession().chooseIndustry(ChosenIndustry{m_naics, m_industry});
        bool printed = false;
        int pages = 0;
        display(type, language, {}, [&](frmReportViewer &screen) {
            pages = screen.viewer()->pageCount();
            printed = screen.viewer()->printReport();
        });
        setPrintDialogRunner({});
        setPrinterProvider({});
        QVERIFY(printed);
        QCOMPARE(docName, jobName.arg(m_naics, m_industry));
        QCOMPARE(shownOrientation, orientation);
        QCOMPARE(maxPage, pages);
        QCOMPARE(testsupport::pdfPageCount(pdf), pages >= 2 ? 1 : pages);
    }

    void cancelledPrintWritesNothing()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("cancelled.pdf"));
        setPrinterProvider([pdf] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return printer;
        });
        setPrintDialogRunner([](QPrintDialog &) { return PrintChoice::Cancel; });
        testsupport::MessageRecorder messages;
        bool printed = true;
        display(QStringLiteral("rat"), QStringLiteral("E"), {},
                [&](frmReportViewer &screen) { printed = screen.viewer()->printReport(); });
        setPrintDialogRunner({});
        setPrinterProvider({});
        QVERIFY(!printed);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(messages.texts(), QStringList());
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

    // The print preview shows its whole tool bar, inside the screen, in
    // both languages (offscreen, the screen is 800 x 600; 1366 x 768 under
    // the X server of the evidence runs).
    void previewFitsTheScreen_data()
    {
        QTest::addColumn<Language>("language");
        QTest::newRow("en") << Language::English;
        QTest::newRow("fr") << Language::French;
    }

    void previewFitsTheScreen()
    {
        QFETCH(Language, language);
        setProgramLanguage(language);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        QPrintPreviewDialog preview(&printer);
        // Asked for the size of a narrow window, such as the definition viewer's.
        fitPreviewToScreen(preview, QSize(560, 900));
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        const QRect room = preview.screen()->availableGeometry();
        QVERIFY2(preview.width() <= room.width() && preview.height() <= room.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(preview.width()).arg(preview.height())));
        const QString evidence = qEnvironmentVariable("QUORVEL_EVIDENCE_DIR");
        if (!evidence.isEmpty())
            preview.grab().save(evidence + QStringLiteral("/preview-%1.png")
                                               .arg(QString::fromLatin1(QTest::currentDataTag())));
        auto *more = preview.findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(more);
        QVERIFY(!more->isVisible());
        setProgramLanguage(Language::English);
    }

private:
    static constexpr int kFirstZoomStep = 2;

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
    std::unique_ptr<testsupport::StateScope> m_state;
    QString m_naics;
    QString m_industry;
};

QUORVEL_TEST_MAIN(tst_frmReportViewer)
#include "tst_frmReportViewer.moc"
