#pragma once

// The steps the screen suites take to reach the firm statement screen as a
// user does: the first industry by NAICS code on the search screen, then
// Continue with new data.

#include "core/ScreenRegistry.h"
#include "firm/frmMyValues.h"
#include "search/frmSearch.h"

#include <QComboBox>
#include <QRadioButton>

namespace testsupport {

inline frmMyValues &showNewStatementScreen()
{
    frmSearch &search = ScreenRegistry::get<frmSearch>();
    search.showScreen();
    search.optNAICScode->click();
    search.cboNAICScodes->setCurrentIndex(0);
    search.cboNAICScodes_Click();
    search.optCompareNew->setChecked(true);
    search.cmdContinue_Click();
    return ScreenRegistry::get<frmMyValues>();
}

} // namespace testsupport
