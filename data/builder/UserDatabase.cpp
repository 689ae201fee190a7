#include "UserDatabase.h"

#include "DatasetColumns.h"
#include "SqliteFile.h"
#include "TsvTable.h"

namespace {

const QLatin1String kSourceSuffix("_Source");

} // namespace

void buildUserDatabase(SqliteFile &file, const QStringList &sourceFiles)
{
    for (const QString &path : sourceFiles) {
        const TsvTable table = readTsv(path);
        file.writeTable(table);
        if (table.name.endsWith(kSourceSuffix))
            file.createTable(table.name.chopped(kSourceSuffix.size()), table.columns);
    }
    const QList<ColumnSpec> columns = datasetcolumns::all();
    for (const char *workTable : {"Rpt_Data_CY", "Rpt_Data_CYM1", "Rpt_Data_CYM2"})
        file.createTable(QLatin1String(workTable), columns);
}
