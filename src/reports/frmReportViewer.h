#pragma once

#include "core/DbTools.h"
#include "core/Screen.h"

#include <QStringList>

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

    ReportPageView *CRViewer1 = nullptr;
    QPushButton *btnBack = nullptr;
};
