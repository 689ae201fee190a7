#pragma once

#include "core/Language.h"
#include "import/StatementFile.h"
#include "import/StatementImport.h"

#include <QString>
#include <QStringList>

// What the screen and the command line say about an import, in either language.

// Why the file cannot be used, naming it.
// `column` and the file's amount columns fill the unknown-column fault.
QString importFaultMessage(ImportFault fault, const QString &path, Language language,
                           const StatementFile &file = {}, const QString &column = {});

// The summary, one line a fact; the lines of a list start with two spaces.
QStringList importSummaryLines(const StatementImport &import, Language language);

// An amount as the summary writes it: thousands grouped, cents only when
// there are some.
QString summaryAmount(double amount, Language language);
