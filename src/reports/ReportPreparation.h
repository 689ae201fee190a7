#pragma once

#include "core/DbTools.h"
#include "firm/SavedStatement.h"
#include "reports/ComparisonFigures.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Preparation of the report work tables of the user database. Each function
// runs its statements in one transaction on the user connection: a failure
// leaves the work tables as they were.

// True when a query on the table can be opened on the connection.
bool DoesReportTableExist(const QString &TableName, Connection &dbconn);

// Copies the industry's rows for `year`, year-1 and year-2 into Rpt_Data_CY,
// Rpt_Data_CYM1 and Rpt_Data_CYM2, with the French title for a French report.
void subExtractReportData(Connection &cnReference, Connection &cnUser, qint16 volume,
                          const QString &region, qint16 year, const QString &naics,
                          const QString &language);

// The Ratios and Balance Sheet reports' tables; true when they are ready.
bool fncPrepareRatiosReport(Connection &cnReference, Connection &cnUser, const QString &reportType,
                            qint16 volume, const QString &region, qint16 year, const QString &naics,
                            const QString &language);
bool fncPrepareBalanceSheetReport(Connection &cnReference, Connection &cnUser,
                                  const QString &reportType, qint16 volume, const QString &region,
                                  qint16 year, const QString &naics, const QString &language);

// What a preparation left: its tables ready, or the message (in the report's
// language) that tells why there is no report, for the screen to show.
struct PreparationOutcome
{
    bool ready = false;
    QString message;

    explicit operator bool() const { return ready; }
};

// The statement a comparison sets against its industry.
struct ComparisonSubject
{
    QString firmName;
    qint16 year = 0;
    QString naics;
    QString industryTitle;
    FirmStatement amounts;
    QString comment; // the accountant's; none leaves the report's section out
};

// The comparison report's tables for a firm's statement; not ready, with the
// message "This industry has no data for <year>", when the industry has no
// data for the firm's year. `firmYears` are the firm's saved statements, for
// the trend (none leaves the trend out, never the report).
PreparationOutcome fncPrepareComparison(Connection &cnReference, Connection &cnUser, qint16 volume,
                                        const QString &region, const QString &language,
                                        const ComparisonSubject &subject,
                                        const QVector<SavedStatement> &firmYears);

// The same from the firm screen's values (firm name, year, industry code and
// name, then the 33 amount texts; see fncComparisonValues).
PreparationOutcome fncPrepareComparisonReport(Connection &cnReference, Connection &cnUser,
                                              const QString &reportType, qint16 volume,
                                              const QString &region, qint16 year,
                                              const QString &naics, const QString &language,
                                              const QStringList &aComparisonValues,
                                              const QVector<SavedStatement> &firmYears = {});

// The firm's amounts as the comparison reads them from the firm screen's
// values; throws the type mismatch error for an amount that is no number.
FirmStatement comparisonStatement(const QStringList &aComparisonValues);
