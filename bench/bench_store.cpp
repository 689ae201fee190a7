// The statement store on each side: 10,000 statements in the user database on
// this computer and in a team database on a throwaway PostgreSQL server (on a
// Unix socket of the same machine, then over TCP on 127.0.0.1, then over TCP
// with 20 ms added to every round trip), then the medians of reading the
// list, opening one statement and saving one over itself.

#include "BenchSupport.h"

#include "store/PgStatementStore.h"
#include "store/StoreLocation.h"
#include "support/FirmStatements.h"
#include "support/LogicTestSupport.h"
#include "support/LoopbackRelay.h"
#include "support/PgServer.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

namespace {
constexpr int kStatements = 10000;
// Half the round-trip time the latency run adds.
constexpr int kOneWayDelayMs = 10;

struct Medians
{
    double list, open, save;
};

void fill(StatementStore &store)
{
    // Filled through a copy of the same statements on each side.
    for (int n = 0; n < kStatements; ++n)
        store.save(testsupport::numberedStatement(n), Expectation::anything(),
                   QStringLiteral("bench"));
}

Medians measure(const QString &name, StatementStore &store, int runs)
{
    QList<double> list, open, save;
    QRandomGenerator random(7);
    for (int run = 0; run < runs; ++run) {
        list << bench::timeOnce([&] { store.list(Language::English); });
        const SavedStatement pick = testsupport::numberedStatement(random.bounded(kStatements));
        open << bench::timeOnce([&] { store.open(pick.firmName, pick.year); });
        save << bench::timeOnce(
            [&] { store.save(pick, Expectation::anything(), QStringLiteral("bench")); });
    }
    const Medians medians{bench::median(list), bench::median(open), bench::median(save)};
    const QString count = QString::number(kStatements);
    bench::printFigure(name + QStringLiteral("-open-list"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(medians.list)}});
    bench::printFigure(name + QStringLiteral("-open-one"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(medians.open)}});
    bench::printFigure(name + QStringLiteral("-save-one"),
                       {{QStringLiteral("statements"), count},
                        {QStringLiteral("median_ms"), bench::milliseconds(medians.save)}});
    return medians;
}

// The same statements read and saved through the delay relay; each figure
// with the round trips it implies at the added round-trip time.
void measureWithLatency(const testsupport::PgServer &server, int runs)
{
    const int port = QUrlQuery(QUrl(server.uri())).queryItemValue(QStringLiteral("port")).toInt();
    testsupport::LoopbackRelay relay(QString(), quint16(port), kOneWayDelayMs);
    if (!relay.port()) {
        qCritical("the delay relay could not listen on 127.0.0.1");
        return;
    }
    QUrl relayed(server.uri());
    QUrlQuery query(relayed);
    query.removeQueryItem(QStringLiteral("port"));
    query.addQueryItem(QStringLiteral("port"), QString::number(relay.port()));
    relayed.setQuery(query);
    PgStatementStore team(relayed.toString());
    const int rttMs = 2 * kOneWayDelayMs;
    const QString name = QStringLiteral("postgresql-tcp-%1ms").arg(rttMs);
    // Connected, its schema checked: the runs measure commands alone.
    team.list(Language::English);
    const Medians medians = measure(name, team, runs);
    const auto roundTrips = [rttMs](double ms) { return QString::number(ms / rttMs, 'f', 2); };
    bench::printFigure(name + QStringLiteral("-round-trips"),
                       {{QStringLiteral("added_rtt_ms"), QString::number(rttMs)},
                        {QStringLiteral("open_list"), roundTrips(medians.list)},
                        {QStringLiteral("open_one"), roundTrips(medians.open)},
                        {QStringLiteral("save_one"), roundTrips(medians.save)}});
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
    {
        const std::unique_ptr<StatementStore> sqlite = fncOpenStoreUri(local);
        fill(*sqlite);
        measure(QStringLiteral("sqlite"), *sqlite, runs);
    }

    // The team database on the Unix socket, then over TCP on 127.0.0.1,
    // directly and through the delay relay.
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
        fill(team);
        measure(name, team, runs);
        // Filled already: through the relay, filling would take minutes.
        if (transport == testsupport::PgServer::Transport::Tcp)
            measureWithLatency(server, runs);
    }
    return 0;
}
