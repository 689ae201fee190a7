#pragma once

#include <QString>

// Shows the definition of the industry with this code in the definition
// viewer, in the current language. A code without a row opens the viewer
// with an empty definition and the title line it showed before.
void gsubOpenIndustryDef(const QString &strNAICS);
