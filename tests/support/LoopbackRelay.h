#pragma once

// A TCP relay on 127.0.0.1 to a server on this machine (its Unix socket or
// its TCP port), on a thread of its own. It can hold every chunk it reads
// for a while in each direction before passing it on, so that each round
// trip through it takes twice that longer: it stands in for `tc qdisc add
// dev lo root netem delay …`, which a container without kernel modules
// cannot use (unlike netem it delays chunks as it reads them, not packets,
// which is the same for the small exchanges of the statement store). It
// also counts what passes: the connections, and the round trips (each time
// a client speaks after its server did, or first).

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <deque>
#include <thread>
#include <vector>

namespace testsupport {

class LoopbackRelay
{
public:
    // To the server's Unix socket at `socketPath`, or, when it is empty, to
    // its TCP port `targetPort` on 127.0.0.1.
    LoopbackRelay(const QString &socketPath, quint16 targetPort, int delayMs = 0);
    ~LoopbackRelay();
    LoopbackRelay(const LoopbackRelay &) = delete;
    LoopbackRelay &operator=(const LoopbackRelay &) = delete;

    // The port clients connect to; 0 when the relay could not listen.
    quint16 port() const { return m_port; }
    int roundTrips() const { return m_roundTrips; }
    int connections() const { return m_connections; }
    void resetRoundTrips() { m_roundTrips = 0; }

private:
    using Clock = std::chrono::steady_clock;
    struct Chunk
    {
        QByteArray bytes;
        Clock::time_point due;
    };
    // One direction of one connection: what was read from `from`, waiting
    // for its time to be written to `to`. A connection's two flows are
    // neighbours, client to server first.
    struct Flow
    {
        int from = -1;
        int to = -1;
        std::deque<Chunk> held;
        bool spokeLast = false; // client to server: the client spoke last
    };

    int connectToServer() const;
    void accept();
    void close(size_t index);
    void run();

    QString m_socketPath;
    quint16 m_targetPort;
    int m_delayMs;
    int m_listener = -1;
    int m_wake[2]{-1, -1};
    quint16 m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_roundTrips{0};
    std::atomic<int> m_connections{0};
    std::vector<Flow> m_flows;
    std::thread m_thread;
};

} // namespace testsupport
