// Timings of the search screen's lookups: the keyword search (an ordinary
// keyword and the worst wildcard pattern), the code and title lists and the
// reading of the classification tree, on the shipped reference database and
// on a generated one ten times larger: every industry of the description
// tables and of the measured dataset's tables copied nine times under new
// codes. Prints one line per figure; the larger database's lines end in
// "-10x".
//
//   bench_search [runs]
#include "BenchSupport.h"
#include "search/IndustryLookups.h"
#include "search/IndustryTreeWidget.h"
#include "support/TestSupport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTreeWidget>

namespace {
const QString kDatasetTable = QStringLiteral("ROVAL_Vol3_ON_2006_Final_Ratios");
const QString kDescriptionTable = QStringLiteral("ROVAL_NAICS_Description_Ind_Raw");
constexpr int kCopies = 9;

// An ordinary keyword, and the worst pattern for a matcher that tries every
// way of splitting a title between wildcards: "%" and "_" in turn, then a
// letter that few titles hold.
const QString kKeyword = QStringLiteral("manufacturing");
const QString kWorstKeyword = QStringLiteral("%_%_%_%z");
// A figure stops taking runs after this long (with at least three runs), so
// that a slow pattern does not hold the machine for minutes.
constexpr double kBudgetMs = 5000;
constexpr int kMinimumRuns = 3;

// The copy of a column's value in copy `copy`: codes and keys get a suffix,
// titles a number, the tree order moves past the originals.
QString copiedValue(const QString &column, int copy)
{
    const QString name = column.toLower();
    const QString quoted = QLatin1Char('"') + column + QLatin1Char('"');
    if (name == QLatin1String("naics") || name == QLatin1String("nodekey"))
        return quoted + QStringLiteral(" || '-%1'").arg(copy);
    if (name == QLatin1String("description") || name == QLatin1String("description_french") ||
        name == QLatin1String("industrydescription"))
        return quoted + QStringLiteral(" || ' (%1)'").arg(copy);
    if (name == QLatin1String("sequence"))
        return quoted + QStringLiteral(" + %1").arg(copy * 100000);
    return quoted;
}

bool exec(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    QTextStream(stderr) << "generating the larger database: " << sql << ": "
                        << query.lastError().text() << '\n';
    return false;
}

bool multiplyRows(QSqlDatabase &db, const QString &table)
{
    const QSqlRecord record = db.record(table);
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << QLatin1Char('"') + record.fieldName(i) + QLatin1Char('"');
    if (!exec(db, QStringLiteral("create temp table originals as select * from ") + table))
        return false;
    for (int copy = 1; copy <= kCopies; ++copy) {
        QStringList values;
        for (int i = 0; i < record.count(); ++i)
            values << copiedValue(record.fieldName(i), copy);
        if (!exec(db, QStringLiteral("insert into ") + table + QStringLiteral(" (") +
                          columns.join(QStringLiteral(", ")) + QStringLiteral(") select ") +
                          values.join(QStringLiteral(", ")) + QStringLiteral(" from originals")))
            return false;
    }
    return exec(db, QStringLiteral("drop table originals"));
}

// A copy of the reference database with ten times the industries.
bool generateTenfold(const QString &path)
{
    bool ok = false;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-tenfold"));
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        for (const QString &table :
             {kDescriptionTable, QStringLiteral("ROVAL_NAICS_Description_Ind_Detailed"),
              QStringLiteral("ROVAL_Vol3_ON_2004_Final_Ratios"),
              QStringLiteral("ROVAL_Vol3_ON_2005_Final_Ratios"), kDatasetTable})
            ok = ok && multiplyRows(db, table);
        ok = ok && db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-tenfold"));
    return ok;
}

template <typename Work> void measure(const QString &name, int runs, Work &&work)
{
    QList<double> times;
    double spent = 0;
    int rows = 0;
    while (times.size() < runs && (times.size() < kMinimumRuns || spent < kBudgetMs)) {
        times << bench::timeOnce([&] { rows = work(); });
        spent += times.last();
    }
    bench::printFigure(name, {{"median_ms", bench::milliseconds(bench::median(times))},
                              {"rows", QString::number(rows)},
                              {"runs", QString::number(times.size())}});
}

void measureAll(Connection &connection, const QString &suffix, int runs)
{
    const LookupSource source{connection, kDatasetTable, kDescriptionTable, Language::English};
    measure("keyword" + suffix, runs,
            [&] { return fncKeywordSearch(source, kKeyword).RecordCount(); });
    measure("keyword-worst" + suffix, runs,
            [&] { return fncKeywordSearch(source, kWorstKeyword).RecordCount(); });
    measure("codes" + suffix, runs, [&] { return int(fncNaicsCodes(source).size()); });
    measure("titles" + suffix, runs, [&] { return int(fncNaicsTitles(source).size()); });
    measure("tree" + suffix, runs, [&] { return int(fncLoadTreeNodes(source).size()); });
    // Beyond the reading: the nodes put into a tree control.
    const QVector<TreeNodeSpec> nodes = fncLoadTreeNodes(source);
    QTreeWidget tree;
    measure("tree-fill" + suffix, runs, [&] {
        fillTree(tree, nodes);
        return tree.topLevelItemCount();
    });
}
} // namespace

int main(int argc, char *argv[])
{
    QuorvelApplication app(argc, argv);
    const int runs = bench::runsFromArguments(app.arguments(), 100);

    QTemporaryDir dir;
    if (!testsupport::copyProgramFiles(dir, {QStringLiteral("ROV_DATA.mdb")})) {
        QTextStream(stderr) << "cannot copy the reference database\n";
        return 1;
    }
    const QString tenfold = dir.filePath(QStringLiteral("ROV_DATA_10x.mdb"));
    if (!QFile::copy(dir.filePath(QStringLiteral("ROV_DATA.mdb")), tenfold) ||
        !generateTenfold(tenfold))
        return 1;

    Connection shipped;
    ConnectToFile(shipped, dir.filePath(QStringLiteral("ROV_DATA.mdb")), QStringLiteral("unknown"),
                  OpenMode::ReadOnly);
    measureAll(shipped, QString(), runs);
    Connection larger;
    ConnectToFile(larger, tenfold, QStringLiteral("unknown"), OpenMode::ReadOnly);
    measureAll(larger, QStringLiteral("-10x"), runs);
    DisconnectFromDB(shipped);
    DisconnectFromDB(larger);
    return 0;
}
