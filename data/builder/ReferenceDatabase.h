#pragma once

#include <QString>

class SqliteFile;

// Writes the reference database from the sources in `sourceFolder`:
// industries.tsv (the two NAICS description tables), tblTreeview.tsv,
// datadescription.tsv, and the benchmark dataset tables generated from
// datasets.tsv and profiles.tsv.
void buildReferenceDatabase(SqliteFile &file, const QString &sourceFolder);
