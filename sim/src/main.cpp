// vasksim: plays a bus full of analyzers on a serial line (one end of a pseudo-terminal
// pair) and as the lines of a TCP/IP gateway, and takes orders over a loopback TCP
// control channel.
//
//   vasksim [--serial PATH] [--control-port N] [--port-file PATH]
//           [--gateway-port N] [--gateway-port-file PATH] [--scenario NAME|FILE]
//
// With a port of 0 (the default) the system picks a free one; the port files then tell
// it to whoever started the simulator.  The serial line and gateway line "COM1" are the
// same bus; further gateway lines are buses of their own.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bus.h"
#include "control.h"
#include "gateway.h"
#include "lineout.h"

using namespace vasksim;

namespace {

volatile sig_atomic_t gStop = 0;
void onSignal(int) { gStop = 1; }

using SteadyClock = std::chrono::steady_clock;
const SteadyClock::time_point kStart = SteadyClock::now();
int64_t nowUs() {
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - kStart)
        .count();
}
int64_t nowMs() { return nowUs() / 1000; }

int openSerial(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

bool writeAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t k = ::write(fd, p, n);
        if (k > 0) {
            p += k;
            n -= static_cast<size_t>(k);
            continue;
        }
        if (k < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd pf{fd, POLLOUT, 0};
            ::poll(&pf, 1, 100);
            continue;
        }
        return false;
    }
    return true;
}

// Listens on 127.0.0.1; -1 on failure.  `port` becomes the port bound.
int listenLoopback(int& port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return -1;
    }
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port = ntohs(addr.sin_port);
    return fd;
}

// Written whole under another name first, so a reader never sees half a number.
void writePortFile(const std::string& path, int port) {
    if (path.empty()) return;
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp);
        out << port << "\n";
    }
    std::rename(tmp.c_str(), path.c_str());
}

// A gateway client's connection.  Its socket does not block: output that the client
// does not take yet waits here rather than stopping the bus.
struct GatewayConn {
    int fd;
    int id;
    Bytes out;
};

struct Client {
    int fd;
    std::string in;
    bool waiting = false;
    uint64_t waitCount = 0;
    int64_t waitDeadline = 0;
    bool closeAfterWrite = false;
    size_t waitLine = 0;
};

void usage() {
    std::fprintf(
        stderr,
        "usage: vasksim [--serial PATH] [--control-port N] [--port-file PATH] [--gateway-port N]\n"
        "               [--gateway-port-file PATH] [--scenario NAME|FILE]\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string serialPath, portFile, gatewayPortFile, scenario = "default";
    int controlPort = 0, gatewayPort = 0;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--serial")
            serialPath = next();
        else if (a == "--control-port")
            controlPort = std::atoi(next().c_str());
        else if (a == "--port-file")
            portFile = next();
        else if (a == "--gateway-port")
            gatewayPort = std::atoi(next().c_str());
        else if (a == "--gateway-port-file")
            gatewayPortFile = next();
        else if (a == "--scenario")
            scenario = next();
        else {
            usage();
            return 2;
        }
    }
    signal(SIGTERM, onSignal);
    signal(SIGINT, onSignal);
    signal(SIGPIPE, SIG_IGN);

    Bus bus(nowMs, nowUs);
    LineSet lines(bus);
    Control control(lines);
    GatewaySide gateway(lines);
    std::string why;
    if (!control.loadScenario(scenario, why)) {
        std::fprintf(stderr, "vasksim: %s\n", why.c_str());
        return 1;
    }

    int serial = -1;
    if (!serialPath.empty()) {
        serial = openSerial(serialPath);
        if (serial < 0) {
            std::fprintf(stderr, "vasksim: cannot open %s: %s\n", serialPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }

    int port = controlPort;
    int lfd = listenLoopback(port);
    if (lfd < 0) {
        std::fprintf(stderr, "vasksim: cannot listen on 127.0.0.1:%d: %s\n", controlPort,
                     std::strerror(errno));
        return 1;
    }
    int gwPort = gatewayPort;
    int gfd = listenLoopback(gwPort);
    if (gfd < 0) {
        std::fprintf(stderr, "vasksim: cannot listen on 127.0.0.1:%d: %s\n", gatewayPort,
                     std::strerror(errno));
        return 1;
    }
    // The gateway's port first: whoever waits for the control port finds both.
    writePortFile(gatewayPortFile, gwPort);
    writePortFile(portFile, port);
    std::fprintf(
        stderr, "vasksim: serial %s, control 127.0.0.1:%d, gateway 127.0.0.1:%d, scenario %s\n",
        serialPath.empty() ? "(none)" : serialPath.c_str(), port, gwPort, scenario.c_str());

    int one = 1;
    std::vector<GatewayConn> gwConns;
    std::vector<Client> clients;
    // The line's timing (output and, with input pacing, the PC's bytes at 960 bytes per
    // second) is the bus's: it says when the next byte is due either way.
    int64_t serialRetryMs = 0;
    LineOutput lineOut;
    uint64_t lineResets = bus.lineResets();
    bool quit = false;
    uint8_t buf[4096];

    while (!gStop && !quit) {
        // How long may we sleep? The line's bytes are due to the microsecond: a loop that
        // woke in whole milliseconds would hold every answer back by up to one.
        int64_t t = nowUs();
        int64_t wake = t + 100000;
        auto considerUs = [&](int64_t at) {
            if (at >= 0 && at < wake) wake = at;
        };
        auto consider = [&](int64_t atMs) {
            if (atMs >= 0) considerUs(atMs * 1000);
        };
        considerUs(bus.nextDueUs());
        consider(bus.nextBroadcast());
        consider(gateway.nextDue());
        for (const Client& c : clients)
            if (c.waiting) consider(c.waitDeadline);
        if (serial < 0 && !serialPath.empty()) consider(serialRetryMs);
        const int64_t sleepUs = wake > t ? wake - t : 0;
        const timespec timeout{static_cast<time_t>(sleepUs / 1000000),
                               static_cast<long>(sleepUs % 1000000) * 1000};

        std::vector<pollfd> fds;
        const short lineEvents = POLLIN | (lineOut.pending() ? POLLOUT : 0);
        fds.push_back({serial, static_cast<short>(serial >= 0 ? lineEvents : 0), 0});
        fds.push_back({lfd, POLLIN, 0});
        fds.push_back({gfd, POLLIN, 0});
        for (const Client& c : clients) fds.push_back({c.fd, POLLIN, 0});
        const size_t gwFirst = fds.size();
        for (const GatewayConn& g : gwConns)
            fds.push_back({g.fd, static_cast<short>(POLLIN | (g.out.empty() ? 0 : POLLOUT)), 0});
        if (::ppoll(fds.data(), fds.size(), &timeout, nullptr) < 0 && errno != EINTR) break;

        if (serial >= 0 && (fds[0].revents & (POLLIN | POLLHUP | POLLERR))) {
            ssize_t n = ::read(serial, buf, sizeof buf);
            if (n > 0) {
                bus.receive(buf, static_cast<size_t>(n));
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // The line went away (the pty pair ended); try again shortly.
                ::close(serial);
                serial = -1;
                lineOut.clear();
                serialRetryMs = nowMs() + 200;
            }
        }
        if (serial < 0 && !serialPath.empty() && nowMs() >= serialRetryMs) {
            serial = openSerial(serialPath);
            if (serial < 0) serialRetryMs = nowMs() + 200;
        }

        // Telegrams from gateway clients, before time moves on for the lines.
        for (size_t i = 0; i < gwConns.size(); ++i) {
            GatewayConn& g = gwConns[i];
            short ev = fds[gwFirst + i].fd == g.fd ? fds[gwFirst + i].revents : 0;
            bool closeIt = false;
            if (ev & (POLLIN | POLLHUP | POLLERR)) {
                ssize_t n = ::recv(g.fd, buf, sizeof buf, 0);
                if (n > 0)
                    closeIt = !gateway.receive(g.id, buf, static_cast<size_t>(n));
                else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                    closeIt = true;
            }
            if (closeIt) g.fd = -g.fd - 1;  // marked; closed below
        }

        bus.advance();
        lines.advanceExtra();
        gateway.pump();
        for (size_t i = 0; i < gwConns.size(); ++i) {
            GatewayConn& g = gwConns[i];
            Bytes more;
            if (gateway.takeOutput(g.id, more)) g.out.insert(g.out.end(), more.begin(), more.end());
            bool closeIt = g.fd < 0;
            while (!closeIt && !g.out.empty()) {
                ssize_t k = ::send(g.fd, g.out.data(), g.out.size(), MSG_NOSIGNAL);
                if (k > 0) {
                    g.out.erase(g.out.begin(), g.out.begin() + k);
                } else if (k < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                    break;  // the rest when the client takes it
                } else {
                    closeIt = true;
                }
            }
            if (g.out.size() > (16u << 20)) closeIt = true;  // a client that reads nothing at all
            if (closeIt) {
                ::close(g.fd < 0 ? -g.fd - 1 : g.fd);
                gateway.close(g.id);
                gwConns.erase(gwConns.begin() + static_cast<long>(i));
                --i;
            }
        }
        if (fds[2].revents & POLLIN) {
            int c = ::accept(gfd, nullptr, nullptr);
            if (c >= 0) {
                setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                ::fcntl(c, F_SETFL, ::fcntl(c, F_GETFL) | O_NONBLOCK);
                gwConns.push_back({c, gateway.open(), {}});
            }
        }

        // With pacing a byte is passed on once its stop bit would be in. The line never holds
        // the loop up (lineout.h); a reset drops what it has not taken yet.
        Bytes due;
        if (bus.lineResets() != lineResets) {
            lineResets = bus.lineResets();
            lineOut.clear();
        }
        if (bus.takeDue(due) && serial >= 0) lineOut.put(due);
        if (serial >= 0 && lineOut.pending()) lineOut.flush(serial);

        if (fds[1].revents & POLLIN) {
            int c = ::accept(lfd, nullptr, nullptr);
            if (c >= 0) {
                setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                clients.push_back({c, "", false, 0, 0, false, 0});
            }
        }
        for (size_t i = 0; i < clients.size(); ++i) {
            Client& c = clients[i];
            bool closeIt = false;
            if (fds.size() > i + 3 && fds[i + 3].fd == c.fd &&
                (fds[i + 3].revents & (POLLIN | POLLHUP | POLLERR))) {
                ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
                if (n <= 0)
                    closeIt = true;
                else
                    c.in.append(reinterpret_cast<char*>(buf), static_cast<size_t>(n));
                if (c.in.size() > 1 << 20) closeIt = true;  // nobody sends a megabyte of commands
            }
            // One command at a time per client; a waiting client's next line stays queued.
            size_t nl;
            while (!closeIt && !c.waiting && (nl = c.in.find('\n')) != std::string::npos) {
                std::string line = c.in.substr(0, nl);
                c.in.erase(0, nl + 1);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                Control::Result r = control.execute(line);
                if (r.wait) {
                    c.waiting = true;
                    c.waitCount = r.waitCount;
                    c.waitDeadline = r.waitDeadline;
                    c.waitLine = r.waitLine;
                    break;
                }
                std::string text = r.text();
                if (!writeAll(c.fd, reinterpret_cast<const uint8_t*>(text.data()), text.size()))
                    closeIt = true;
                if (r.quit) quit = true;
            }
            if (!closeIt && c.waiting) {
                std::string text;
                if (c.waitLine >= lines.size()) {
                    text = "ERR the line is gone\n";
                } else {
                    uint64_t count = lines.at(c.waitLine).logCount();
                    if (count >= c.waitCount)
                        text = "OK " + std::to_string(count) + "\n";
                    else if (nowMs() >= c.waitDeadline)
                        text = "ERR timeout " + std::to_string(count) + "\n";
                }
                if (!text.empty()) {
                    c.waiting = false;
                    if (!writeAll(c.fd, reinterpret_cast<const uint8_t*>(text.data()), text.size()))
                        closeIt = true;
                }
            }
            if (closeIt) {
                ::close(c.fd);
                clients.erase(clients.begin() + static_cast<long>(i));
                --i;
                // fds no longer lines up with clients; the rest is handled next round.
                break;
            }
        }
    }
    for (const Client& c : clients) ::close(c.fd);
    for (const GatewayConn& g : gwConns) ::close(g.fd < 0 ? -g.fd - 1 : g.fd);
    ::close(lfd);
    ::close(gfd);
    if (serial >= 0) ::close(serial);
    if (!portFile.empty()) std::remove(portFile.c_str());
    if (!gatewayPortFile.empty()) std::remove(gatewayPortFile.c_str());
    return 0;
}
