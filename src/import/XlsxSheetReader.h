#pragma once

#include "import/ImportTable.h"

#include <QString>

// The worksheets of an Excel workbook (.xlsx), in the workbook's order, the
// hidden ones left out: their cells' numbers and texts (shared strings,
// inline strings, formulas' saved results, or the result worked out for a
// formula saved without one), which numbers are shown as dates, and which
// rows and columns are hidden. The zip container is opened with libzip, the
// parts are read with QXmlStreamReader. A cell beyond the format's last row
// or column, a part or a sheet too large for a statement, and a formula
// without a result that cannot be worked out refuse the whole file.
ImportRead readXlsxWorkbook(const QString &path);
