// The statement store on each side: 10,000 statements in the user database on
// this computer and in a team database on a throwaway PostgreSQL server (on a
// Unix socket of the same machine, then over TCP on 127.0.0.1), then the
// medians of reading the list, opening one statement and saving one over
// itself.

#include "BenchSupport.h"

#include "store/PgStatementStore.h"
#include "store/StoreLocation.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/PgServer.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>

namespace {
constexpr int kStatements = 10000;

void measure(const QString &name, StatementStore &store, int runs)
{
    // Filled through a copy of the same statements on each side.
    for (int n = 0; n < kStatements; ++n)
        store.save(testsupport::numberedStatement(n), Expectation::anything(),
                   QStringLiteral("bench"));
    QList<double> list, open, save;
    QRandomGenerator random(7);
    for (int run = 0; run < runs; ++run) {
        list << bench::timeOnce([&] { store.list(Language::English); });
        const SavedStatement pick = testsupport::numberedStatement(random.bounded(kStatements));
        open << bench::timeOnce([&] { store.open(pick.firmName, pick.year); });
        save << bench::timeOnce(
            [&] { store.save(pick, Expectation::anything(), QStringLiteral("bench")); });
    }
    const QString count = QString::number(kStatements);
    bench::printFigure(name + QStringLiteral("-open-list"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(bench::median(list))}});
    bench::printFigure(name + QStringLiteral("-open-one"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(bench::median(open))}});
    bench::printFigure(name + QStringLiteral("-save-one"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(bench::median(save))}});
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const int runs = bench::runsFromArguments(app.arguments(), 50);

    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("myData.mdb"));
    if (!QFile::copy(testsupport::programFile(QStringLiteral("myData.mdb")), local) ||
        !QFile(local).setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        qCritical("cannot copy the user database");
        return 1;
    }
    measure(QStringLiteral("sqlite"), *fncOpenStoreUri(local), runs);

    // The team database on the Unix socket, then over TCP on 127.0.0.1.
    for (const auto &[name, transport] :
         {std::pair{QStringLiteral("postgresql"), testsupport::PgServer::Transport::UnixSocket},
          std::pair{QStringLiteral("postgresql-tcp"), testsupport::PgServer::Transport::Tcp}}) {
        testsupport::PgServer server(transport);
        if (!server.isRunning()) {
            qCritical("no PostgreSQL server: %s", qPrintable(server.error()));
            return 1;
        }
        PgStatementStore team(server.uri());
        team.initSchema();
        measure(name, team, runs);
    }
    return 0;
}
