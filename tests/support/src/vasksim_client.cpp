#include "vasksim_client.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace vasksim {

namespace {

bool startWinsock() {
    static bool started = [] {
        WSADATA d;
        return WSAStartup(MAKEWORD(2, 2), &d) == 0;
    }();
    return started;
}

std::string envText(const char* name) {
    char buf[1024];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return (n > 0 && n < sizeof buf) ? std::string(buf, n) : std::string();
}

// Fields are "key=value" separated by blanks; values never contain blanks.
std::string field(const std::string& line, const char* key) {
    std::string k = std::string(" ") + key + "=";
    std::string padded = " " + line;
    size_t p = padded.find(k);
    if (p == std::string::npos) return "";
    p += k.size();
    size_t e = padded.find(' ', p);
    return padded.substr(p, e == std::string::npos ? std::string::npos : e - p);
}

}  // namespace

bool ParseSimLogLine(const std::string& line, SimLogEntry& out) {
    out = SimLogEntry();
    out.line = line;
    std::string seq = field(line, "seq"), t = field(line, "t");
    if (seq.empty() || t.empty()) return false;
    out.seq = std::strtoull(seq.c_str(), nullptr, 10);
    out.timeMs = std::strtoll(t.c_str(), nullptr, 10);
    out.to = field(line, "to");
    out.from = field(line, "from");
    out.crc = field(line, "crc");
    std::string cmd = field(line, "cmd");
    if (cmd.size() == 1)
        out.command = cmd[0];
    else if (cmd.size() == 2)
        out.command = static_cast<char>(std::strtol(cmd.c_str(), nullptr, 16));
    std::string fn = field(line, "fn");
    if (!fn.empty()) out.function = std::atoi(fn.c_str());
    out.action = field(line, "action");
    out.raw = field(line, "raw");
    out.body = field(line, "body");
    out.values = field(line, "values");
    std::string sent = field(line, "sent");
    if (!sent.empty()) out.sent = std::atoi(sent.c_str());
    return !out.raw.empty();
}

SimClient::SimClient() : socket_(INVALID_SOCKET) {}
SimClient::~SimClient() { Close(); }

int SimClient::PortFromEnvironment(std::string* error) {
    std::string direct = envText("VASK_SIM_PORT");
    if (!direct.empty()) {
        int port = std::atoi(direct.c_str());
        if (port > 0 && port < 65536) return port;
        if (error) *error = "VASK_SIM_PORT is not a port number: " + direct;
        return 0;
    }
    std::string file = envText("VASK_SIM_PORTFILE");
    if (file.empty()) {
        if (error)
            *error = "neither VASK_SIM_PORT nor VASK_SIM_PORTFILE is set (is this a BUS test?)";
        return 0;
    }
    std::string path = file;
    if (!path.empty() && path[0] == '/') {  // a Unix path: drive Z: is the Unix root under Wine
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/') c = '\\';
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) *error = "cannot open the simulator's port file " + path;
        return 0;
    }
    char buf[32] = {0};
    DWORD n = 0;
    BOOL ok = ReadFile(h, buf, sizeof buf - 1, &n, nullptr);
    CloseHandle(h);
    int port = ok ? std::atoi(buf) : 0;
    if (port <= 0 || port >= 65536) {
        if (error) *error = "no port number in " + path;
        return 0;
    }
    return port;
}

bool SimClient::Connect(std::string* error) {
    std::string why;
    int port = PortFromEnvironment(&why);
    if (!port) {
        lastError_ = why;
        if (error) *error = why;
        return false;
    }
    return Connect(port, error);
}

bool SimClient::Connect(int port, std::string* error) {
    Close();
    auto fail = [&](const std::string& why) {
        lastError_ = why;
        if (error) *error = why;
        Close();
        return false;
    };
    if (!startWinsock()) return fail("WSAStartup failed");
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return fail("socket failed");
    socket_ = s;
    sockaddr_in a;
    std::memset(&a, 0, sizeof a);
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
        return fail("cannot connect to the simulator on 127.0.0.1:" + std::to_string(port));
    BOOL one = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
    pending_.clear();
    return true;
}

void SimClient::Close() {
    if (socket_ != INVALID_SOCKET) closesocket(static_cast<SOCKET>(socket_));
    socket_ = INVALID_SOCKET;
    pending_.clear();
}

bool SimClient::IsConnected() const { return socket_ != INVALID_SOCKET; }

bool SimClient::SendAll(const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        int n = ::send(static_cast<SOCKET>(socket_), text.data() + done,
                       static_cast<int>(text.size() - done), 0);
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool SimClient::ReadLine(std::string& line, unsigned timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        size_t nl = pending_.find('\n');
        if (nl != std::string::npos) {
            line = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs) return false;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(static_cast<SOCKET>(socket_), &set);
        DWORD left = timeoutMs - waited;
        timeval tv{static_cast<long>(left / 1000), static_cast<long>((left % 1000) * 1000)};
        int r = ::select(0, &set, nullptr, nullptr, &tv);
        if (r < 0) return false;
        if (r == 0) continue;
        char buf[4096];
        int n = ::recv(static_cast<SOCKET>(socket_), buf, sizeof buf, 0);
        if (n <= 0) return false;
        pending_.append(buf, static_cast<size_t>(n));
    }
}

bool SimClient::Command(const std::string& line, std::vector<std::string>* data,
                        std::string* message) {
    std::string msg;
    bool ok = false;
    if (!IsConnected()) {
        msg = "not connected to the simulator";
    } else if (line.find('\n') != std::string::npos) {
        msg = "a command is one line";
    } else if (!SendAll(line + "\n")) {
        msg = "the connection to the simulator broke";
        Close();
    } else {
        // The simulator answers at once, except WAITLOG, which carries its own time limit.
        unsigned limit = 10000;
        if (line.compare(0, 8, "WAITLOG ") == 0)
            limit += static_cast<unsigned>(std::atoi(line.c_str() + line.rfind(' ')));
        for (;;) {
            std::string l;
            if (!ReadLine(l, limit)) {
                msg = "no answer from the simulator to: " + line;
                Close();
                break;
            }
            if (l.compare(0, 2, "OK") == 0 || l.compare(0, 3, "ERR") == 0) {
                ok = l[0] == 'O';
                size_t sp = l.find(' ');
                msg = sp == std::string::npos ? "" : l.substr(sp + 1);
                break;
            }
            if (data) data->push_back(l);
        }
    }
    if (!ok) lastError_ = msg;
    if (message) *message = msg;
    return ok;
}

bool SimClient::Log(std::vector<SimLogEntry>& entries, uint64_t fromSeq) {
    std::vector<std::string> lines;
    entries.clear();
    if (!Command("LOG " + std::to_string(fromSeq), &lines)) return false;
    for (const std::string& l : lines) {
        SimLogEntry e;
        if (!ParseSimLogLine(l, e)) {
            lastError_ = "unreadable log line: " + l;
            return false;
        }
        entries.push_back(e);
    }
    return true;
}

bool SimClient::WaitLog(uint64_t count, int timeoutMs) {
    return Command("WAITLOG " + std::to_string(count) + " " + std::to_string(timeoutMs));
}

bool SimClient::Read(int address, int channel, const std::string& message, std::string& hex) {
    std::vector<std::string> lines;
    if (!Command("READ " + std::to_string(address) + " " + std::to_string(channel) + " " + message,
                 &lines))
        return false;
    if (lines.size() != 1) {
        lastError_ = "READ gave no value line";
        return false;
    }
    hex = lines[0];
    return true;
}

std::vector<std::string> TelegramsTo(const std::vector<SimLogEntry>& entries, int address) {
    std::vector<std::string> telegrams;
    const std::string to = std::to_string(address) + "/";
    for (const SimLogEntry& e : entries)
        if (e.command != 0 && e.to.rfind(to, 0) == 0)
            telegrams.push_back(std::string(1, e.command) + std::to_string(e.function));
    return telegrams;
}

}  // namespace vasksim
