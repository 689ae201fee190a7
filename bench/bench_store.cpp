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
#include "support/PgServer.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <deque>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kStatements = 10000;
// Half the round-trip time the latency run adds.
constexpr int kOneWayDelayMs = 10;

// A TCP relay on 127.0.0.1 that holds every chunk it reads for a while in
// each direction before passing it on, so that each round trip through it
// takes twice that longer. It stands in for `tc qdisc add dev lo root netem
// delay 10ms`, which this machine cannot use: the container has no kernel
// modules. Unlike netem it delays chunks as the relay reads them, not
// packets, which is the same for the small exchanges of a save.
class DelayRelay
{
public:
    DelayRelay(quint16 targetPort, int delayMs) : m_targetPort(targetPort), m_delay(delayMs)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        socklen_t length = sizeof address;
        if (m_listener < 0 ||
            ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            ::listen(m_listener, 8) != 0 ||
            ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0 ||
            ::pipe(m_wake) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { run(); });
    }
    ~DelayRelay()
    {
        m_stop = true;
        if (m_thread.joinable()) {
            const char byte = 0;
            if (::write(m_wake[1], &byte, 1) == 1)
                m_thread.join();
            else
                m_thread.detach();
        }
        for (const int fd : {m_listener, m_wake[0], m_wake[1]})
            if (fd >= 0)
                ::close(fd);
    }
    DelayRelay(const DelayRelay &) = delete;
    DelayRelay &operator=(const DelayRelay &) = delete;

    // The port clients connect to; 0 when the relay could not listen.
    quint16 port() const { return m_port; }

private:
    using Clock = std::chrono::steady_clock;
    struct Chunk
    {
        QByteArray bytes;
        Clock::time_point due;
    };
    // One direction of one connection: what was read from `from`, waiting
    // for its time to be written to `to`.
    struct Flow
    {
        int from = -1;
        int to = -1;
        std::deque<Chunk> held;
    };

    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        return address;
    }

    // Small chunks go at once: Nagle's wait on an unacknowledged segment
    // would add a delay of its own.
    static void sendAtOnce(int fd)
    {
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }

    static bool writeAll(int fd, const QByteArray &bytes)
    {
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }

    void accept()
    {
        const int client = ::accept(m_listener, nullptr, nullptr);
        if (client < 0)
            return;
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in target = loopback(m_targetPort);
        if (server < 0 ||
            ::connect(server, reinterpret_cast<const sockaddr *>(&target), sizeof target) != 0) {
            ::close(client);
            if (server >= 0)
                ::close(server);
            return;
        }
        sendAtOnce(client);
        sendAtOnce(server);
        m_flows.push_back(Flow{client, server, {}});
        m_flows.push_back(Flow{server, client, {}});
    }

    // Ends the connection of the flow at `index` and of its reverse (the
    // flows of a connection are neighbours, client to server first).
    void close(size_t index)
    {
        const size_t first = index - index % 2;
        ::close(m_flows[first].from);
        ::close(m_flows[first].to);
        m_flows.erase(m_flows.begin() + qsizetype(first), m_flows.begin() + qsizetype(first) + 2);
    }

    void run()
    {
        while (!m_stop) {
            // Wait for input, or for the first held chunk's time.
            int timeoutMs = -1;
            const Clock::time_point now = Clock::now();
            for (const Flow &flow : m_flows)
                if (!flow.held.empty()) {
                    const auto left =
                        std::chrono::ceil<std::chrono::milliseconds>(flow.held.front().due - now);
                    const int ms = int(qMax<qint64>(0, left.count()));
                    timeoutMs = timeoutMs < 0 ? ms : qMin(timeoutMs, ms);
                }
            std::vector<pollfd> fds{{m_wake[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
            for (const Flow &flow : m_flows)
                fds.push_back({flow.from, POLLIN, 0});
            if (::poll(fds.data(), nfds_t(fds.size()), timeoutMs) < 0 && errno != EINTR)
                return;
            if (fds[1].revents & POLLIN)
                accept();
            // Read what came; a connection whose side closed ends.
            for (size_t i = 0; i + 2 < fds.size() && i < m_flows.size(); ++i) {
                if (!(fds[i + 2].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                char buffer[65536];
                const ssize_t n = ::read(m_flows[i].from, buffer, sizeof buffer);
                if (n <= 0) {
                    close(i);
                    break; // the indexes moved: read the rest at the next turn
                }
                m_flows[i].held.push_back(Chunk{QByteArray(buffer, n),
                                                Clock::now() + std::chrono::milliseconds(m_delay)});
            }
            // Pass on what has been held long enough.
            const Clock::time_point sent = Clock::now();
            for (size_t i = 0; i < m_flows.size(); ++i) {
                Flow &flow = m_flows[i];
                while (!flow.held.empty() && flow.held.front().due <= sent) {
                    if (!writeAll(flow.to, flow.held.front().bytes)) {
                        close(i);
                        i = size_t(-1); // start over: the indexes moved
                        break;
                    }
                    flow.held.pop_front();
                }
            }
        }
    }

    quint16 m_targetPort;
    int m_delay;
    int m_listener = -1;
    int m_wake[2]{-1, -1};
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::vector<Flow> m_flows;
    std::thread m_thread;
};

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
    DelayRelay relay(quint16(port), kOneWayDelayMs);
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
