// Timings of the three report preparations for one industry, on copies of
// the shipped databases, each beside its floor: as many single-row inserts
// as the preparation writes rows (SQLite's count of changed rows), in one
// transaction on the same user database, with the same journal settings,
// which is the least those writes can cost through Qt SQL. Also the quartile
// position rules. Prints one line per figure.
//
//   bench_builder [runs]
#include "BenchSupport.h"
#include "reports/QuartileRules.h"
#include "reports/ReportPreparation.h"
#include "support/TestSupport.h"

#include <QSqlQuery>
#include <sqlite3.h>

namespace {

QStringList firmValues(const QString &naics)
{
    return {"Joe's Garage", "2005", naics,  "Industry", "100",  "400",  "250", "650", "100", "1500",
            "300",          "200",  "2000", "5000",     "4000", "1000", "500", "50",  "400", "300",
            "250",          "100",  "50",   "250",      "100",  "50",   "50",  "100", "50",  "1000",
            "400",          "500",  "100",  "1000",     "2000", "700",  "350"};
}

// A million calls of each of the five rules, over varying ratios.
double rulesMillionCalls()
{
    volatile double sink = 0;
    const double ms = bench::timeOnce([&sink] {
        double total = 0;
        for (int i = 0; i < 1000000; ++i) {
            const double m = (i % 97) * 0.1;
            total += fncCalcRatio(m, (i % 13) * 0.5) + fncCalcBetter(2, 4, 6, m) +
                     fncCalcWorse(2, 4, 6, m) + fncExceptionCalcBetter(6, 4, 2, m) +
                     fncExceptionCalcWorse(6, 4, 2, m);
        }
        sink = total;
    });
    Q_UNUSED(sink);
    return ms;
}
} // namespace

int main(int argc, char *argv[])
{
    QuorvelApplication app(argc, argv);
    QTextStream err(stderr);
    const int runs = bench::runsFromArguments(app.arguments(), 300);

    QTemporaryDir dir;
    if (!testsupport::openShippedDatabases(dir)) {
        err << "cannot copy the shipped databases\n";
        return 1;
    }
    AppState &s = appState();
    const RecordSet first = GetRS(s.gcnReference,
                                  "select NAICS from ROVAL_Vol3_ON_2006_Final_Ratios "
                                  "where NumberOfFirms is not null order by NAICS limit 1",
                                  "read");
    const QString naics = first.field(0).toString();
    const QStringList firm = firmValues(naics);

    // The floor writes into a table of its own in the same database file.
    QSqlDatabase user = s.gcnUser.database();
    QSqlQuery(user).exec("create table bench_floor (id INTEGER, amount REAL, label TEXT)");
    QSqlQuery insert(user);
    insert.prepare("insert into bench_floor (id, amount, label) values (?, ?, ?)");
    // `rows` single-row inserts in one transaction.
    const auto floorRun = [&](int rows) {
        user.transaction();
        for (int row = 0; row < rows; ++row) {
            insert.bindValue(0, row);
            insert.bindValue(1, row * 1.5);
            insert.bindValue(2, QStringLiteral("row"));
            insert.exec();
        }
        user.commit();
    };
    // The rows a preparation writes, deletes included, as SQLite counts them.
    sqlite3 *handle = sqliteHandleOf(s.gcnUser);
    const auto rowsWritten = [handle](const auto &prepare) {
        const sqlite3_int64 before = sqlite3_total_changes64(handle);
        prepare();
        return int(sqlite3_total_changes64(handle) - before);
    };

    bool ready = true;
    const auto prepareRatios = [&] {
        ready &=
            fncPrepareRatiosReport(s.gcnReference, s.gcnUser, "rat", 3, "ON", 2006, naics, "F");
    };
    const auto prepareBalanceSheet = [&] {
        ready &= fncPrepareBalanceSheetReport(s.gcnReference, s.gcnUser, "bal", 3, "ON", 2006,
                                              naics, "F");
    };
    const auto prepareComparison = [&] {
        ready &= bool(fncPrepareComparisonReport(s.gcnReference, s.gcnUser, "com", 3, "ON", 2005,
                                                 naics, "E", firm));
    };
    struct Preparation
    {
        QString name;
        std::function<void()> run;
        int rows = 0;
        QList<double> times, floor;
    };
    std::vector<Preparation> preparations{{"prepare-ratios", prepareRatios, 0, {}, {}},
                                          {"prepare-balancesheet", prepareBalanceSheet, 0, {}, {}},
                                          {"prepare-comparison", prepareComparison, 0, {}, {}}};
    for (Preparation &p : preparations)
        p.rows = rowsWritten(p.run);
    for (int run = 0; run < runs; ++run) {
        for (Preparation &p : preparations) {
            p.floor << bench::timeOnce([&] { floorRun(p.rows); });
            p.times << bench::timeOnce(p.run);
        }
    }
    if (!ready) {
        err << "a preparation did not succeed\n";
        return 1;
    }
    for (const Preparation &p : preparations) {
        const double ms = bench::median(p.times);
        const double floorMs = bench::median(p.floor);
        bench::printFigure(p.name, {{"median_ms", bench::milliseconds(ms)},
                                    {"rows", QString::number(p.rows)},
                                    {"floor_ms", bench::milliseconds(floorMs)},
                                    {"ratio", QString::number(ms / floorMs, 'f', 2)},
                                    {"runs", QString::number(runs)}});
    }

    QList<double> rules;
    for (int run = 0; run < 5; ++run)
        rules << rulesMillionCalls();
    bench::printFigure("rules-million-calls",
                       {{"median_ms", bench::milliseconds(bench::median(rules))}, {"runs", "5"}});
    return 0;
}
