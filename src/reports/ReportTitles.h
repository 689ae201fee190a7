#pragma once

#include "core/DbTools.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Title steps shared by the three report preparations, on the user database.

// Replaces the rows of `titlesTable` with the `sourceTable` rows of the report
// language, copied column by column under the source's own column names;
// the `fixed` columns (any letter case) get the value given instead.
void copyTitleRows(Connection &cnUser, const QString &titlesTable, const QString &sourceTable,
                   const QString &language, const QList<QPair<QString, QVariant>> &fixed = {});

// The region's name in the report language, or an empty text for a region
// code that ProvinceCodes does not hold.
QString regionName(Connection &cnUser, const QString &region, const QString &language);

// Sets `column` of every row of `table` to the volume's first title line
// (for the report language), " - " and the region name; `extraAssignments`
// may set further columns from the Volume_Descriptions row, named D. Nothing
// changes when Volume_Descriptions holds no row for the volume and language.
// The same title as one SQL value, for a statement that writes the row: its
// placeholders take the region, the volume and the language letter.
QString volumeTitleValue(const QString &language);

void applyVolumeTitle(Connection &cnUser, const QString &table, const QString &column,
                      const QString &extraAssignments, qint16 volume, const QString &language,
                      const QString &region);
