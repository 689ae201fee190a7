#pragma once

#include "core/Language.h"
#include "store/StatementStore.h"

#include <QString>
#include <QStringList>

// Copying every statement from one store to another (this computer's user
// database to the team database, or back).

struct CopySummary
{
    int copied = 0;      // new in the target
    int replaced = 0;    // stored there before, replaced (with --replace)
    QStringList skipped; // "Firm, 2005": stored there already, left as it was
};

// Copies each statement of `from` into `to` with its industry and the name of
// whoever saved it last. A firm and year the target holds already is skipped,
// unless `replace`.
CopySummary fncCopyStatements(StatementStore &from, StatementStore &to, bool replace);

// "12 statements copied, 1 replaced, 2 skipped (stored already): …".
QString fncCopySummaryText(const CopySummary &summary, Language language);
