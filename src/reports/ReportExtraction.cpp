#include "reports/ReportExtraction.h"

#include "core/DatabaseError.h"
#include "core/DatasetMapping.h"
#include "core/Transaction.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSql.h"

#include <array>

namespace {

// Work table of the report year and of the two years before it.
constexpr std::array<const char *, 3> kWorkTables = {"Rpt_Data_CY", "Rpt_Data_CYM1",
                                                     "Rpt_Data_CYM2"};

QString frenchTitleTable(qint16 volume)
{
    return volume == 1 ? QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed")
                       : QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
}

// The mark of a year without data: a row holding only the industry code.
void insertCodeOnlyRow(Connection &cnUser, const QString &workTable, const QString &naics)
{
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("insert into ") + workTable + QStringLiteral("(NAICS) values (?)"),
                errors, {naics});
}

// Copies the dataset row field by field, in the source's own column order, so
// that columns beyond the known ones arrive too. Values are bound, keeping
// their types and nulls.
void insertDatasetRow(Connection &cnUser, const QString &workTable, const RecordSet &row)
{
    QVariantList values;
    values.reserve(row.fieldCount());
    for (int i = 0; i < row.fieldCount(); ++i)
        values << row.field(i);
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("insert into ") + workTable + QStringLiteral(" (") +
                    reportsql::identifierList(row.fieldNames()) + QStringLiteral(") values (") +
                    reportsql::placeholders(row.fieldCount()) + QLatin1Char(')'),
                errors, values);
}

// A French report shows the French title where the title table has one.
void applyFrenchTitle(Connection &cnReference, Connection &cnUser, const QString &workTable,
                      qint16 volume, const QString &naics)
{
    const RecordSet titles =
        GetRS(cnReference,
              QStringLiteral("select Description_French from ") + frenchTitleTable(volume) +
                  QStringLiteral(" where Naics = ?"),
              QStringLiteral("read"), {naics});
    // An empty French title would blank the report's heading: keep the copied one.
    if (titles.RecordCount() == 0 || titles.field(0).isNull())
        return;
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("Update ") + workTable +
                    QStringLiteral(" Set IndustryDescription = ?"),
                errors, {titles.field(0).toString().trimmed()});
}

} // namespace

bool DoesReportTableExist(const QString &TableName, Connection &dbconn)
{
    try {
        // "limit 0": the query must open, but no row needs reading.
        GetRS(dbconn, QStringLiteral("select NAICS from ") + TableName + QStringLiteral(" limit 0"),
              QStringLiteral("read"));
        return true;
    } catch (const DatabaseError &) {
        return false;
    }
}

void extractIndustryRows(Connection &cnReference, Connection &cnUser, qint16 volume,
                         const QString &region, qint16 year, const QString &naics,
                         const QString &language)
{
    const bool french = language.startsWith(QLatin1Char('F'));
    // Once a year's table is missing, the older years are not looked up; their
    // work tables still get the code-only row, so that no report shows another
    // industry's figures left over from an earlier report.
    bool tableMissing = false;
    for (int offset = 0; offset < int(kWorkTables.size()); ++offset) {
        const QString workTable = QLatin1String(kWorkTables[offset]);
        qint16 errors = 0;
        ExecCmdInDB(cnUser, QStringLiteral("delete from ") + workTable, errors);

        const QString datasetTable = datasetTableName(volume, region, year - offset);
        if (!tableMissing)
            tableMissing = !DoesReportTableExist(datasetTable, cnReference);
        if (tableMissing) {
            insertCodeOnlyRow(cnUser, workTable, naics);
            continue;
        }

        const RecordSet row = GetRS(cnReference,
                                    QStringLiteral("select * from ") + datasetTable +
                                        QStringLiteral(" where Naics = ?"),
                                    QStringLiteral("read"), {naics});
        // A table without the industry's row is a year without data.
        if (row.RecordCount() == 0) {
            insertCodeOnlyRow(cnUser, workTable, naics);
            continue;
        }
        insertDatasetRow(cnUser, workTable, row);
        if (french)
            applyFrenchTitle(cnReference, cnUser, workTable, volume, naics);
    }
}

void subExtractReportData(Connection &cnReference, Connection &cnUser, qint16 volume,
                          const QString &region, qint16 year, const QString &naics,
                          const QString &language)
{
    Transaction transaction(cnUser);
    extractIndustryRows(cnReference, cnUser, volume, region, year, naics, language);
    transaction.commit();
}
