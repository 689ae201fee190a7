#pragma once

#include "core/DbTools.h"
#include "core/Screen.h"

#include <QStringList>

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
};
