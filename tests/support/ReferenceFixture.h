#pragma once

// A small reference database for the entry screens: the nineteen dataset
// tables (each with a few rows unless asked to be empty) and datadescription.

#include <QString>
#include <QStringList>

namespace entryfixture {

// English and French description of an option in the fixture.
QString englishDescription(const QString &optionName);
QString frenchDescription(const QString &optionName);

// Writes the fixture to `path`. Tables of `emptyOptions` get no rows; options
// in `withoutDescription` have no datadescription row, those in
// `nullDescription` have nulls in both descriptions.
bool writeReferenceDatabase(const QString &path, const QStringList &emptyOptions = {},
                            const QStringList &withoutDescription = {},
                            const QStringList &nullDescription = {});

} // namespace entryfixture
