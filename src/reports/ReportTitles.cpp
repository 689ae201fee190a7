#include "reports/ReportTitles.h"

#include "benchmarks/BenchmarksInUse.h"
#include "core/Transaction.h"
#include "reports/ReferenceAttachment.h"
#include "reports/ReportExtraction.h"
#include "reports/ReportPreparation.h"
#include "reports/ReportSql.h"
#include "reports/TableColumns.h"

#include <QHash>
#include <QVector>

#include <algorithm>

namespace {

// Which of the two titles tables a preparation fills.
enum class TitlesKind { Ratios, BalanceSheet };

// The year list of the lower-right title: " 2004, 2005, 2006" for 2006.
QString yearList(qint16 year)
{
    return QStringLiteral(" %1, %2, %3").arg(year - 2).arg(year - 1).arg(year);
}

bool prepareTitledReport(TitlesKind kind, Connection &cnReference, Connection &cnUser,
                         qint16 volume, const QString &region, qint16 year, const QString &naics,
                         const QString &language)
{
    const bool ratios = kind == TitlesKind::Ratios;
    const QString table =
        ratios ? QStringLiteral("Rpt_Ratios_Titles") : QStringLiteral("Rpt_BalanceSheet_Titles");

    attachReference(cnUser, cnReference);
    Transaction transaction(cnUser);
    extractIndustryRows(cnReference, cnUser, volume, region, year, naics, language);
    copyTitleRows(cnUser, table, table + QStringLiteral("_Source"), language);

    qint16 errors = 0;
    // A source row without a lower-right title still gets the year list.
    ExecCmdInDB(cnUser,
                QStringLiteral("Update ") + table +
                    QStringLiteral(" Set Naics = ?, Title_LowerRight = "
                                   "coalesce(Title_LowerRight, '') || ?"),
                errors, {naics, yearList(year)});

    QVariantList years;
    QStringList yearColumns;
    const int yearCount = ratios ? 4 : 3;
    for (int k = 0; k < yearCount; ++k) {
        yearColumns << QStringLiteral("Year_%1").arg(k);
        years << QString::number(year - k);
    }
    ExecCmdInDB(cnUser,
                QStringLiteral("Update ") + table + QStringLiteral(" Set ") +
                    reportsql::assignmentList(yearColumns),
                errors, years);

    const QString extra =
        ratios ? QStringLiteral(", Title_LowerLeft = D.Title2, ML_Title = D.LargeMedianDesc, "
                                "MM_Title = D.MediumMedianDesc")
               : QStringLiteral(", Title_LowerLeft = D.Title2");
    applyVolumeTitle(cnUser, table, QStringLiteral("Title_UpperLeft"), extra, volume, language,
                     region);
    transaction.commit();
    return true;
}

} // namespace

namespace {
// The copy of a title source into its titles table, with some columns set
// to bound values: its text, and which fixed value each placeholder takes.
struct TitleCopy
{
    QString identifiers; // the source's columns it was built for
    QString sql;
    QVector<int> fixedOrder;
};

TitleCopy buildTitleCopy(const QString &titlesTable, const QString &sourceTable,
                         const TableColumns &source, const QStringList &fixed)
{
    TitleCopy copy{source.identifiers, QString(), {}};
    QStringList columns;
    QStringList selected;
    QVector<bool> used(fixed.size(), false);
    for (const QString &name : source.names) {
        columns << reportsql::quotedIdentifier(name);
        const auto match = std::find_if(fixed.cbegin(), fixed.cend(), [&name](const QString &f) {
            return f.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == fixed.cend()) {
            selected << reportsql::quotedIdentifier(name);
            continue;
        }
        selected << QStringLiteral("?");
        copy.fixedOrder << int(match - fixed.cbegin());
        used[match - fixed.cbegin()] = true;
    }
    // Fixed columns the source lacks are added to both lists.
    for (int i = 0; i < fixed.size(); ++i) {
        if (used[i])
            continue;
        columns << reportsql::quotedIdentifier(fixed[i]);
        selected << QStringLiteral("?");
        copy.fixedOrder << i;
    }
    copy.sql = QStringLiteral("insert into ") + titlesTable + QStringLiteral(" (") +
               columns.join(QStringLiteral(", ")) + QStringLiteral(") select ") +
               selected.join(QStringLiteral(", ")) + QStringLiteral(" from ") + sourceTable +
               QStringLiteral(" where [Language] = ? COLLATE NOCASE");
    return copy;
}
} // namespace

void copyTitleRows(Connection &cnUser, const QString &titlesTable, const QString &sourceTable,
                   const QString &language, const QList<QPair<QString, QVariant>> &fixed)
{
    const std::optional<TableColumns> sourceColumns =
        tableColumns(cnUser, QStringLiteral("main"), sourceTable);
    // A missing source table fails as a query on it fails, with SQLite's own words.
    if (!sourceColumns)
        GetRS(cnUser, QStringLiteral("select * from ") + sourceTable, QStringLiteral("read"));
    QStringList fixedNames;
    for (const auto &[column, value] : fixed)
        fixedNames << column;
    // Built once per tables, fixed columns and source column list.
    thread_local QHash<QString, TitleCopy> copies;
    TitleCopy &copy = copies[titlesTable + QLatin1Char('/') + sourceTable + QLatin1Char('/') +
                             fixedNames.join(QLatin1Char(','))];
    if (copy.sql.isEmpty() || copy.identifiers != sourceColumns->identifiers)
        copy = buildTitleCopy(titlesTable, sourceTable, *sourceColumns, fixedNames);
    QVariantList bound;
    for (const int index : std::as_const(copy.fixedOrder))
        bound << fixed.at(index).second;
    bound << reportsql::languageLetter(language);
    qint16 errors = 0;
    ExecCmdInDB(cnUser, QStringLiteral("delete from ") + titlesTable, errors);
    ExecCmdInDB(cnUser, copy.sql, errors, bound);
    // A loaded benchmark set names itself and its source where the sample
    // gives its note.
    const std::optional<QString> note = benchmarkFooterNote(
        language.startsWith(QLatin1Char('F')) ? Language::French : Language::English);
    if (note && sourceColumns->contains(QStringLiteral("Note_Sample")))
        ExecCmdInDB(cnUser,
                    QStringLiteral("update ") + titlesTable +
                        QStringLiteral(" set Note_Sample = ?"),
                    errors, {*note});
}

QString regionName(Connection &cnUser, const QString &region, const QString &language)
{
    const RecordSet names =
        GetRS(cnUser,
              QStringLiteral("select ") + reportsql::languageColumn(language) +
                  QStringLiteral(" from ProvinceCodes where Code = ? COLLATE NOCASE"),
              QStringLiteral("read"), {region});
    return names.RecordCount() > 0 ? names.field(0).toString() : QString();
}

namespace {
// The region's name in the report language; empty for a region code that
// ProvinceCodes does not hold. Its placeholder takes the region.
QString regionNameValue(const QString &language)
{
    return QStringLiteral("coalesce((select ") + reportsql::languageColumn(language) +
           QStringLiteral(" from ProvinceCodes where Code = ? COLLATE NOCASE limit 1), '')");
}
} // namespace

QString volumeTitleValue(const QString &language)
{
    return QStringLiteral("(select D.Title1 || ' - ' || ") + regionNameValue(language) +
           QStringLiteral(" from Volume_Descriptions D where D.Volume = ? and D.[Language] = ? "
                          "COLLATE NOCASE limit 1)");
}

void applyVolumeTitle(Connection &cnUser, const QString &table, const QString &column,
                      const QString &extraAssignments, qint16 volume, const QString &language,
                      const QString &region)
{
    const QString regionName = regionNameValue(language);
    qint16 errors = 0;
    ExecCmdInDB(cnUser,
                QStringLiteral("Update ") + table + QStringLiteral(" Set ") + column +
                    QStringLiteral(" = D.Title1 || ' - ' || ") + regionName + extraAssignments +
                    QStringLiteral(" from (select * from Volume_Descriptions where Volume = ? "
                                   "and [Language] = ? COLLATE NOCASE) AS D"),
                errors, {region, volume, reportsql::languageLetter(language)});
}

bool fncPrepareRatiosReport(Connection &cnReference, Connection &cnUser,
                            const QString & /*reportType*/, qint16 volume, const QString &region,
                            qint16 year, const QString &naics, const QString &language)
{
    return prepareTitledReport(TitlesKind::Ratios, cnReference, cnUser, volume, region, year, naics,
                               language);
}

bool fncPrepareBalanceSheetReport(Connection &cnReference, Connection &cnUser,
                                  const QString & /*reportType*/, qint16 volume,
                                  const QString &region, qint16 year, const QString &naics,
                                  const QString &language)
{
    return prepareTitledReport(TitlesKind::BalanceSheet, cnReference, cnUser, volume, region, year,
                               naics, language);
}
