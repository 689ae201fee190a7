#include "reports/ReportExtraction.h"

#include "core/DatabaseError.h"
#include "core/DatasetMapping.h"
#include "core/Transaction.h"
#include "reports/ReferenceAttachment.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSql.h"
#include "reports/TableColumns.h"

#include <QHash>

#include <array>
#include <optional>

namespace {

// Work table of the report year and of the two years before it.
constexpr std::array<const char *, 3> kWorkTables = {"Rpt_Data_CY", "Rpt_Data_CYM1",
                                                     "Rpt_Data_CYM2"};

// The mark of a year without data: a row holding only the industry code.
void insertCodeOnlyRow(Connection &cnUser, const QString &workTable, const QString &naics)
{
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("insert into ") + workTable + QStringLiteral("(NAICS) values (?)"),
                errors, {naics});
}

// Copies the industry's dataset row from the attached reference database
// inside SQLite, under the dataset table's own column names, so that columns
// beyond the known ones arrive too and every value keeps its type. The first
// row counts when a table holds the code twice. False when the table has no
// row for the industry.
bool copyDatasetRow(Connection &cnUser, const QString &workTable, const QString &datasetTable,
                    const TableColumns &columns, const QString &naics)
{
    // The statement's text is built once per pair of tables and column list.
    struct Built
    {
        QString identifiers;
        QString sql;
    };
    thread_local QHash<QString, Built> statements;
    Built &built = statements[workTable + QLatin1Char('/') + datasetTable];
    if (built.sql.isEmpty() || built.identifiers != columns.identifiers) {
        const QString &names = columns.identifiers;
        built = {names, QStringLiteral("insert into ") + workTable + QStringLiteral(" (") + names +
                            QStringLiteral(") select ") + names + QStringLiteral(" from ") +
                            QLatin1String(kReferenceSchema) + QLatin1Char('.') + datasetTable +
                            QStringLiteral(" where Naics = ? limit 1")};
    }
    return execBound(cnUser, built.sql, {naics}) > 0;
}

// The French title of the industry, trimmed; nothing when the title table
// has none (an empty French title would blank the report's heading).
std::optional<QString> frenchTitle(Connection &cnReference, qint16 volume, const QString &naics)
{
    const RecordSet titles =
        GetRS(cnReference,
              QStringLiteral("select Description_French from ") + naicsDescriptionTable(volume) +
                  QStringLiteral(" where Naics = ?"),
              QStringLiteral("read"), {naics});
    if (titles.RecordCount() == 0 || titles.field(0).isNull())
        return std::nullopt;
    return titles.field(0).toString().trimmed();
}

// The dataset table's columns when a query on it can be opened: it exists
// and has the NAICS column.
std::optional<TableColumns> datasetColumns(Connection &cnUser, const QString &datasetTable)
{
    std::optional<TableColumns> columns =
        tableColumns(cnUser, QLatin1String(kReferenceSchema), datasetTable);
    if (columns && !columns->contains(QStringLiteral("NAICS")))
        return std::nullopt;
    return columns;
}

} // namespace

QString workTableOfYear(int reportYear, int year)
{
    const int offset = reportYear - year;
    if (offset < 0 || offset >= int(kWorkTables.size()))
        return QString();
    return QLatin1String(kWorkTables[offset]);
}

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
    // The French title is the same for the three years: looked up once.
    bool titleLookedUp = false;
    std::optional<QString> title;
    // Once a year's table is missing, the older years are not looked up; their
    // work tables still get the code-only row, so that no report shows another
    // industry's figures left over from an earlier report.
    bool tableMissing = false;
    for (int offset = 0; offset < int(kWorkTables.size()); ++offset) {
        const QString workTable = QLatin1String(kWorkTables[offset]);
        qint16 errors = 0;
        ExecCmdInDB(cnUser, QStringLiteral("delete from ") + workTable, errors);

        const QString datasetTable = datasetTableName(volume, region, year - offset);
        const std::optional<TableColumns> columns =
            tableMissing ? std::nullopt : datasetColumns(cnUser, datasetTable);
        tableMissing = !columns;
        // A table without the industry's row is a year without data.
        if (tableMissing || !copyDatasetRow(cnUser, workTable, datasetTable, *columns, naics)) {
            insertCodeOnlyRow(cnUser, workTable, naics);
            continue;
        }
        if (!french)
            continue;
        if (!titleLookedUp) {
            title = frenchTitle(cnReference, volume, naics);
            titleLookedUp = true;
        }
        if (title)
            ExecCmdInDB(cnUser,
                        QStringLiteral("Update ") + workTable +
                            QStringLiteral(" Set IndustryDescription = ?"),
                        errors, {*title});
    }
}

void subExtractReportData(Connection &cnReference, Connection &cnUser, qint16 volume,
                          const QString &region, qint16 year, const QString &naics,
                          const QString &language)
{
    attachReference(cnUser, cnReference);
    Transaction transaction(cnUser);
    extractIndustryRows(cnReference, cnUser, volume, region, year, naics, language);
    transaction.commit();
}
