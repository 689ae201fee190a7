#pragma once

#include "import/ImportTable.h"

#include <QString>

// The first worksheet of an Excel workbook (.xlsx): its cells' numbers and
// texts (shared strings, inline strings, formulas' cached values), and which
// numbers are shown as dates. The zip container is opened with libzip, the
// parts are read with QXmlStreamReader.
ImportRead readXlsxSheet(const QString &path);
