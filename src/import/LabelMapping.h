#pragma once

#include <QHash>
#include <QString>

// The rows a user assigned to statement items by hand, for one client:
// folded label (foldImportLabel) -> the item's column ("Cash"), or an empty
// text for a row to ignore. Applied before the built-in wordings, at every
// import of that client's files.
using LabelMapping = QHash<QString, QString>;
