#include "support/LoopbackRelay.h"

#include <QFile>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace testsupport {
namespace {
sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

// Small chunks go at once: Nagle's wait on an unacknowledged segment would
// add a delay of its own.
void sendAtOnce(int fd)
{
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}
} // namespace

LoopbackRelay::LoopbackRelay(const QString &socketPath, quint16 targetPort, int delayMs)
    : m_socketPath(socketPath), m_targetPort(targetPort), m_delayMs(delayMs)
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

LoopbackRelay::~LoopbackRelay()
{
    m_stop = true;
    if (m_thread.joinable()) {
        const char byte = 0;
        if (::write(m_wake[1], &byte, 1) == 1)
            m_thread.join();
        else
            m_thread.detach();
    }
    for (const Flow &flow : m_flows)
        ::close(flow.from);
    for (const int fd : {m_listener, m_wake[0], m_wake[1]})
        if (fd >= 0)
            ::close(fd);
}

int LoopbackRelay::connectToServer() const
{
    if (m_socketPath.isEmpty()) {
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in target = loopback(m_targetPort);
        if (server >= 0 &&
            ::connect(server, reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0) {
            sendAtOnce(server);
            return server;
        }
        if (server >= 0)
            ::close(server);
        return -1;
    }
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un target{};
    target.sun_family = AF_UNIX;
    qstrncpy(target.sun_path, QFile::encodeName(m_socketPath).constData(), sizeof target.sun_path);
    if (server >= 0 &&
        ::connect(server, reinterpret_cast<const sockaddr *>(&target), sizeof target) == 0)
        return server;
    if (server >= 0)
        ::close(server);
    return -1;
}

void LoopbackRelay::accept()
{
    const int client = ::accept(m_listener, nullptr, nullptr);
    if (client < 0)
        return;
    const int server = connectToServer();
    if (server < 0) {
        ::close(client);
        return;
    }
    sendAtOnce(client);
    ++m_connections;
    m_flows.push_back(Flow{client, server, {}, false});
    m_flows.push_back(Flow{server, client, {}, false});
}

// Ends the connection of the flow at `index`, both its flows.
void LoopbackRelay::close(size_t index)
{
    const size_t first = index - index % 2;
    ::close(m_flows[first].from);
    ::close(m_flows[first].to);
    m_flows.erase(m_flows.begin() + qsizetype(first), m_flows.begin() + qsizetype(first) + 2);
}

void LoopbackRelay::run()
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
            Flow &clientFlow = m_flows[i - i % 2];
            const bool fromClient = i % 2 == 0;
            if (fromClient && !clientFlow.spokeLast)
                ++m_roundTrips;
            clientFlow.spokeLast = fromClient;
            m_flows[i].held.push_back(
                Chunk{QByteArray(buffer, n), Clock::now() + std::chrono::milliseconds(m_delayMs)});
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

} // namespace testsupport
