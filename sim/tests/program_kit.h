// What the tests of the simulator program share: the clock, the port files the simulator
// writes, and its control channel on the loopback.
#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vasksim {
namespace kit {

inline int64_t msNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The port number in a port file; 0 when there is none (yet).
inline int readPort(const std::string& file) {
    std::ifstream in(file);
    int port = 0;
    in >> port;
    return port > 0 ? port : 0;
}

// A socket connected to 127.0.0.1:port; -1 when that fails.
inline int connectLoopback(int port) {
    if (port <= 0) return -1;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

class ControlChannel {
public:
    ControlChannel() = default;
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;
    ~ControlChannel() { close(); }

    bool open(int port) {
        close();
        fd_ = connectLoopback(port);
        return fd_ >= 0;
    }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        pending_.clear();
    }
    bool ok() const { return fd_ >= 0; }

    // Sends a command; returns the closing line ("closed", "no answer" after 10 s), the
    // data lines in `data`.
    std::string command(const std::string& cmd, std::vector<std::string>* data = nullptr) {
        std::string out = cmd + "\n";
        if (::send(fd_, out.data(), out.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(out.size()))
            return "closed";
        for (int64_t deadline = msNow() + 10000; msNow() < deadline;) {
            size_t nl;
            while ((nl = pending_.find('\n')) != std::string::npos) {
                std::string l = pending_.substr(0, nl);
                pending_.erase(0, nl + 1);
                if (l.compare(0, 2, "OK") == 0 || l.compare(0, 3, "ERR") == 0) return l;
                if (data) data->push_back(l);
            }
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char b[4096];
                ssize_t n = ::recv(fd_, b, sizeof b, 0);
                if (n <= 0) return "closed";
                pending_.append(b, static_cast<size_t>(n));
            }
        }
        return "no answer";
    }

private:
    int fd_ = -1;
    std::string pending_;
};

}  // namespace kit
}  // namespace vasksim
