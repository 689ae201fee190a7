#pragma once

#include "core/DbTools.h"
#include "core/Language.h"
#include "firm/StatementIndustry.h"
#include "reports/ReportPreparation.h"
#include "store/StatementStore.h"

#include <QString>

// A saved statement's comparison, prepared in the report work tables exactly
// as the firm screen's comparison command prepares it once the statement is
// opened.

// The saved statement's comparison against `industry`; `industryTitle`
// receives the industry's title in the language. Not ready, with the
// preparation's message, when the industry has no data for the year. The
// statement and the firm's other years come from `store`.
PreparationOutcome fncPrepareSavedComparison(Connection &reference, Connection &user,
                                             StatementStore &store, const QString &firmName,
                                             int year, const StatementIndustry &industry,
                                             Language language, QString *industryTitle = nullptr);
