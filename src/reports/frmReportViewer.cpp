#include "reports/frmReportViewer.h"
#include "session/AppSession.h"

#include "core/DatabaseError.h"
#include "core/Messages.h"
#include "core/ProgramFolder.h"
#include "core/ResourceString.h"
#include "core/ScreenRegistry.h"
#include "core/StringIds.h"
#include "core/WriteRefusal.h"
#include "reports/IndustryYear.h"
#include "reports/RatioExplanation.h"
#include "reports/ReportEngine.h"
#include "reports/ReportError.h"
#include "reports/ReportExport.h"
#include "reports/ReportPageView.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSheets.h"
#include "reports/WaitCursorPause.h"
#include "search/frmSearch.h"
#include "widgets/StoreWait.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

namespace {
bool &displayPause()
{
    static bool enabled = true;
    return enabled;
}

// Sizes of the window's arrangement, in twips as the window was designed
// (15 twips to a pixel).
constexpr int kTwipsPerPixel = 15;
constexpr int kViewerWidthAllowance = 200 / kTwipsPerPixel;
constexpr int kViewerHeightAllowance = 1200 / kTwipsPerPixel;
constexpr int kViewerLeft = 100 / kTwipsPerPixel;
constexpr int kViewerTop = 100 / kTwipsPerPixel;
constexpr int kDesignWidth = 1000;
constexpr int kDesignHeight = 760;
constexpr int kFrameRoom = 24;

using Preparation = PreparationOutcome (*)(Connection &, Connection &, const QString &, qint16,
                                           const QString &, qint16, const QString &,
                                           const QString &, const QStringList &);

PreparationOutcome prepareRatios(Connection &ref, Connection &user, const QString &type,
                                 qint16 volume, const QString &region, qint16 year,
                                 const QString &naics, const QString &language, const QStringList &)
{
    return {fncPrepareRatiosReport(ref, user, type, volume, region, year, naics, language), {}};
}

PreparationOutcome prepareBalanceSheet(Connection &ref, Connection &user, const QString &type,
                                       qint16 volume, const QString &region, qint16 year,
                                       const QString &naics, const QString &language,
                                       const QStringList &)
{
    return {fncPrepareBalanceSheetReport(ref, user, type, volume, region, year, naics, language),
            {}};
}

// The firm's other years come from the store in use.
// The firm screen's comparison: its values made a typed statement, compared by
// the statement session with the firm's other years from the store in use.
PreparationOutcome prepareComparison(Connection &ref, Connection &user, const QString &,
                                     qint16 volume, const QString &region, qint16 year,
                                     const QString &naics, const QString &language,
                                     const QStringList &values)
{
    const FirmStatement amounts = comparisonStatement(values);
    StatementSession &session = appSession();
    const QString firmName = values.at(kComparisonFirmName);
    const QVector<SavedStatement> firmYears = fncWaitForStore(
        QApplication::activeWindow(), session.store(), [&] { return session.firmYears(firmName); });
    return session.prepareComparison(ref, user, {volume, region}, language,
                                     {firmName, year, naics, values.at(kComparisonIndustry),
                                      amounts, values.value(kComparisonComment)},
                                     firmYears);
}

struct ReportKind
{
    const char *kind;
    Preparation prepare;
    const char *layoutFile;
    int titleId; // the window's title
};

const ReportKind kReportKinds[] = {
    {"rat", prepareRatios, "/rpt_Ratios.rpt", 2612},
    {"bal", prepareBalanceSheet, "/rpt_BalanceSheet.rpt", 2614},
    {"com", prepareComparison, "/rpt_Comparison.rpt", 2616},
};
} // namespace

frmReportViewer::frmReportViewer()
{
    setObjectName(QStringLiteral("frmReportViewer"));
    auto *client = new QWidget(this);
    setCentralWidget(client);
    CRViewer1 = new ReportPageView(client);
    CRViewer1->setObjectName(QStringLiteral("CRViewer1"));
    btnBack = new QPushButton(QStringLiteral("Return / Retourner"), client);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnBack->resize(btnBack->sizeHint().expandedTo(QSize(140, 30)));
    connect(btnBack, &QPushButton::clicked, this, &frmReportViewer::btnBack_Click);
    setEscapeAction([this] { btnBack_Click(); });
    resize(kDesignWidth, kDesignHeight);
}

void frmReportViewer::setDisplayPause(bool enabled)
{
    displayPause() = enabled;
}

void frmReportViewer::DisplayCrystalReport(Connection &DataConn, Connection &WriteConn,
                                           const QString &ReportToDisplay, qint16 Volume,
                                           const QString &Province, qint16 Year,
                                           const QString &NAICS, const QString &Language,
                                           const QStringList &aComparisonValues)
{
    const QString kind = ReportToDisplay.left(3).toLower();
    const ReportKind *chosen = nullptr;
    for (const ReportKind &candidate : kReportKinds)
        if (kind == QLatin1String(candidate.kind))
            chosen = &candidate;
    if (!chosen) {
        ShowMessage(QStringLiteral("Invalid Report Type: ") + ReportToDisplay, MsgButtons::Ok);
        return;
    }

    const QString layoutPath = DataFolder() + QLatin1String(chosen->layoutFile);
    PreparationOutcome prepared;
    try {
        prepared = chosen->prepare(DataConn, WriteConn, ReportToDisplay, Volume, Province, Year,
                                   NAICS, Language, aComparisonValues);
    } catch (const DatabaseError &error) {
        // The work tables refused the write: the preparation was rolled back,
        // there is no report, and the screen that asked for it stays.
        if (!fncIsWriteRefusal(error))
            throw;
        ShowMessage(fncWriteRefusalMessage(RefusedCommand::Report, WriteConn.filePath(), error),
                    MsgButtons::Ok, MsgIcon::Warning);
        ScreenRegistry::unload<frmReportViewer>();
        return;
    }
    const bool french = Language.left(1).toUpper() == QLatin1String("F");
    const ::Language textLanguage = french ? ::Language::French : ::Language::English;
    setWindowTitle(ResourceString(chosen->titleId, textLanguage));
    CRViewer1->setFrench(french);
    if (!prepared) {
        if (!prepared.message.isEmpty())
            ShowMessage(prepared.message, MsgButtons::Ok);
        return;
    }

    ReportIdentity identity{kind, french, NAICS, QString(), Volume, Province, QString(), Year};
    if (kind == QLatin1String("com")) {
        identity.firmName = aComparisonValues.value(0);
        identity.industry = aComparisonValues.value(3);
    } else if (appSession().industry()) {
        identity.industry = appSession().industry()->title;
    }
    CRViewer1->setReportIdentity(identity);

    // The program keeps running when the layout cannot be opened or read:
    // the user is told and goes back to the screen that asked for it.
    const QString dataSource = UserDatabasePath();
    try {
        std::shared_ptr<ReportEngine> report = ReportEngine::OpenReport(layoutPath);
        for (int number = 1; number <= report->tableCount(); ++number)
            report->table(number).setLocation(dataSource);
        report->readThrough(WriteConn);
        CRViewer1->setReportSource(report->render());
        // The spreadsheet is read from the same tables when the user asks
        // for it; they keep their rows while the window is open.
        CRViewer1->setWorkbookSource([report, about = fncReportAbout(WriteConn, identity)] {
            ReportWorkbook workbook = buildReportWorkbook(report->layout(), report->readTables());
            workbook.about = about;
            return workbook;
        });
    } catch (const ReportError &error) {
        ShowMessage(ResourceString(kReportNotShown, textLanguage).arg(error.message()),
                    MsgButtons::Ok, MsgIcon::Warning);
        ScreenRegistry::unload<frmReportViewer>();
        return;
    }

    if (kind != QLatin1String("bal"))
        setRatioExplainer(WriteConn, Year, french,
                          kind == QLatin1String("com")
                              ? std::optional<FirmStatement>(comparisonStatement(aComparisonValues))
                              : std::nullopt);

    if (displayPause())
        pauseWithWaitCursor(1000);
    // The screen that asked for the report owns the window.
    setOwner(Screen::lastActiveScreen());
    fitToScreen();
    CRViewer1->ViewReport();
    centreOnScreen();
    showModal();
    ScreenRegistry::unload<frmReportViewer>();
}

void frmReportViewer::setRatioExplainer(Connection &WriteConn, qint16 Year, bool french,
                                        const std::optional<FirmStatement> &firm)
{
    // The quartiles of the years the report shows: the firm's year in a
    // comparison; the reference year and the two before it in the Ratios
    // report. A year without data for the industry is left out.
    const int shownYears = firm ? 1 : 3;
    std::vector<std::pair<int, RatioQuartiles>> years;
    for (int year = Year; year > Year - shownYears; --year)
        if (const std::optional<RecordSet> row =
                industryYearRow(WriteConn, year, ratioQuartileColumns()))
            years.emplace_back(year, ratioQuartiles(*row));
    const ReportLanguage language = french ? ReportLanguage::French : ReportLanguage::English;
    CRViewer1->setRatioExplainer([years, firm, language](RatioId id) {
        std::vector<YearQuartiles> ratioYears;
        for (const auto &[year, quartiles] : years)
            ratioYears.push_back({year, quartiles[int(id)]});
        return explainRatio(id, ratioYears, firm, language);
    });
}

void frmReportViewer::fitToScreen()
{
    const QScreen *display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    // Room for the window's frame and title bar on a small screen.
    const QSize room = display->availableGeometry().size() - QSize(kFrameRoom, 2 * kFrameRoom);
    resize(QSize(kDesignWidth, kDesignHeight).boundedTo(room));
}

void frmReportViewer::btnBack_Click()
{
    const bool modal = isShownModally();
    hide();
    // Shown modally, the screen is unloaded once DisplayCrystalReport gets
    // control back; otherwise after this click has been handled.
    if (!modal)
        QTimer::singleShot(0, [] { ScreenRegistry::unload<frmReportViewer>(); });
    if (ScreenRegistry::isLoaded<frmSearch>())
        ScreenRegistry::get<frmSearch>().setWindowState(Qt::WindowNoState);
}

void frmReportViewer::resizeEvent(QResizeEvent *event)
{
    Screen::resizeEvent(event);
    Form_Resize();
}

void frmReportViewer::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized)
        return;
    const QSize client = centralWidget()->size();
    CRViewer1->setGeometry(kViewerLeft, kViewerTop, client.width() - kViewerWidthAllowance,
                           client.height() - kViewerHeightAllowance);
    const QRect viewer = CRViewer1->geometry();
    btnBack->move(viewer.left() + viewer.width() - btnBack->width(),
                  viewer.bottom() + (kViewerHeightAllowance - kViewerTop - btnBack->height()) / 2);
}
