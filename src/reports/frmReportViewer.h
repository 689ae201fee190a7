#pragma once

#include "core/DbTools.h"
#include "core/Screen.h"
#include "reports/ComparisonFigures.h"

#include <QStringList>
#include <optional>

class QPushButton;
class ReportPageView;

// The report screen: prepares a report's tables and shows it modally.
class frmReportViewer : public Screen
{
    Q_OBJECT

public:
    frmReportViewer();

    void DisplayCrystalReport(Connection &DataConn, Connection &WriteConn,
                              const QString &ReportToDisplay, qint16 Volume,
                              const QString &Province, qint16 Year, const QString &NAICS,
                              const QString &Language, const QStringList &aComparisonValues = {});

    // The one-second pause before a report shows (tests and benchmarks
    // switch it off). On by default.
    static void setDisplayPause(bool enabled);

    ReportPageView *viewer() const { return CRViewer1; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void btnBack_Click();
    void Form_Resize();
    // The design size, made smaller where the screen is smaller.
    void fitToScreen();
    // Lets the ratios' names open their explanation, with the quartiles the
    // report's tables hold and, for a comparison, the firm's amounts.
    void setRatioExplainer(Connection &WriteConn, qint16 Year, bool french,
                           const std::optional<FirmStatement> &firm);

    ReportPageView *CRViewer1 = nullptr;
    QPushButton *btnBack = nullptr;
};
