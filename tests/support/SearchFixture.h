#pragma once

// A small reference database for the search tests: two NAICS description
// tables, the classification categories and the dataset tables, with the
// awkward cases the search must cope with (apostrophes, accented capitals,
// an industry the dataset does not carry, a category that does not exist).

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace searchfixture {

// The codes of the volume 2 and 3 datasets' rows.
const QStringList &datasetCodes();

// Writes the reference database. With `brokenTree`, tblTreeview also holds a
// second category keyed "IndTCONST" and a category under a missing parent.
bool writeReference(const QString &path, bool brokenTree);

// A user database with an empty MyValues.
bool writeUser(const QString &path);

// Creates both databases in `dir`, opens them into appState() and chooses
// the dataset of `optionName` ("optVol2" unless told otherwise).
bool openFixture(const QTemporaryDir &dir, bool brokenTree = false,
                 const QString &optionName = QStringLiteral("optVol2"));

} // namespace searchfixture
