#include "reports/frmReportViewer.h"

frmReportViewer::frmReportViewer()
{
    setObjectName(QStringLiteral("frmReportViewer"));
}

void frmReportViewer::DisplayCrystalReport(Connection &, Connection &, const QString &, qint16,
                                           const QString &, qint16, const QString &,
                                           const QString &, const QStringList &)
{
}
