// Timings of the report screen: from the start of a report's preparation to
// its pages ready on the screen (without the one-second pause), for each
// report type, and of the program's start to the start screen shown. Runs
// on a temporary copy of the program folder's files and prints one line per
// figure: its name, then key=value pairs.
//
//   bench_viewer [runs] [--pdf FOLDER]
// With --pdf, each report is also written in English and French to FOLDER,
// as a PDF file and as a picture of the report window.
#include "BenchSupport.h"
#include "app/Startup.h"
#include "core/ProgramFolder.h"
#include "core/ScreenRegistry.h"
#include "entry/frmStart.h"
#include "reports/ReportDocument.h"
#include "reports/ReportPageView.h"
#include "reports/frmReportViewer.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

namespace {
const QStringList kProgramFiles{
    QStringLiteral("ROV_DATA.mdb"), QStringLiteral("myData.mdb"), QStringLiteral("rpt_Ratios.rpt"),
    QStringLiteral("rpt_BalanceSheet.rpt"), QStringLiteral("rpt_Comparison.rpt")};

struct Run
{
    double milliseconds = -1;
    int pages = 0;
};

// One report through DisplayCrystalReport; the clock stops when the report
// window shows its first page. With `pdf`, the report is also written there.
Run displayOnce(const QString &type, const QString &language, const QString &naics,
                const QStringList &values, const QString &pdf)
{
    Run run;
    QElapsedTimer clock;
    QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        if (!ScreenRegistry::isLoaded<frmReportViewer>())
            return;
        frmReportViewer &screen = ScreenRegistry::get<frmReportViewer>();
        if (!screen.isVisible())
            return;
        run.milliseconds = clock.nsecsElapsed() / 1e6;
        run.pages = screen.viewer()->pageCount();
        if (!pdf.isEmpty()) {
            screen.viewer()->setExportPathProvider(
                [pdf](const QString &, ExportFormat) { return pdf; });
            screen.viewer()->exportPdf();
            // The picture is taken once the window has settled on its page
            // (the clock has stopped already).
            QElapsedTimer settle;
            settle.start();
            while (settle.elapsed() < 300)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            screen.grab().save(
                QString(pdf).replace(QStringLiteral(".pdf"), QStringLiteral(".png")));
        }
        screen.hide();
    });
    AppState &state = appState();
    clock.start();
    ScreenRegistry::get<frmReportViewer>().DisplayCrystalReport(state.gcnReference, state.gcnUser,
                                                                type, 3, QStringLiteral("ON"), 2006,
                                                                naics, language, values);
    QCoreApplication::processEvents();
    return run;
}

double startOnce(const QString &folder)
{
    setProgramFolderOverride(folder);
    QElapsedTimer clock;
    clock.start();
    Main();
    const double ms = clock.nsecsElapsed() / 1e6;
    const bool shown = ScreenRegistry::get<frmStart>().isVisible();
    ScreenRegistry::clear();
    DisconnectFromDB(appState().gcnReference);
    DisconnectFromDB(appState().gcnUser);
    return shown ? ms : -1;
}
} // namespace

int main(int argc, char *argv[])
{
    QuorvelApplication app(argc, argv);
    int runs = 30;
    QString pdfFolder;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--pdf") && i + 1 < args.size())
            pdfFolder = args.at(++i);
        else
            runs = std::max(1, args.at(i).toInt());
    }

    QTemporaryDir dir;
    if (!dir.isValid() || !testsupport::copyProgramFiles(dir, kProgramFiles)) {
        QTextStream(stderr) << "cannot copy the program folder's files\n";
        return 1;
    }

    QList<double> starts;
    for (int i = 0; i < runs; ++i)
        starts << startOnce(dir.path());
    bench::printFigure(QStringLiteral("start"),
                       {{"median_ms", bench::milliseconds(bench::median(starts))},
                        {"runs", QString::number(runs)}});

    if (!testsupport::openShippedDatabases(dir))
        return 1;
    setProgramFolderOverride(dir.path());
    frmReportViewer::setDisplayPause(false);
    const RecordSet first =
        GetRS(appState().gcnReference,
              QStringLiteral("select NAICS, IndustryDescription from "
                             "ROVAL_Vol3_ON_2006_Final_Ratios where "
                             "NumberOfFirms is not null order by NAICS limit 1"),
              QStringLiteral("read"));
    const QString naics = first.text(QStringLiteral("NAICS"));
    QStringList firm{QStringLiteral("Boulangerie O'Brien"), QStringLiteral("2006"), naics,
                     first.text(QStringLiteral("IndustryDescription"))};
    // Cash to Ta, income lines, liabilities, equity, current assets and liabilities.
    firm << QStringList{"120000", "310000",  "240000",  "650000",  "80000",  "1400000", "50000",
                        "150000", "1600000", "2750000", "2500000", "900000", "210000",  "30000",
                        "185000", "140000",  "260000",  "180000",  "0",      "300000",  "0",
                        "60000",  "40000",   "35000",   "25000",   "900000", "200000",  "450000",
                        "50000",  "700000",  "1600000", "720000",  "420000"};

    const QList<QPair<QString, QString>> reports{{"rat", "continue-ratios"},
                                                 {"bal", "continue-balancesheet"},
                                                 {"com", "continue-comparison"}};
    for (const auto &[type, figure] : reports) {
        QList<double> times;
        int pages = 0;
        for (int i = 0; i < runs; ++i) {
            const Run run = displayOnce(type, QStringLiteral("E"), naics, firm, QString());
            times << run.milliseconds;
            pages = run.pages;
        }
        bench::printFigure(figure, {{"median_ms", bench::milliseconds(bench::median(times))},
                                    {"pages", QString::number(pages)},
                                    {"runs", QString::number(runs)}});
        if (!pdfFolder.isEmpty())
            for (const QString &language : {QStringLiteral("E"), QStringLiteral("F")})
                displayOnce(type, language, naics, firm,
                            pdfFolder + QStringLiteral("/%1_%2.pdf").arg(type, language));
    }
    return 0;
}
