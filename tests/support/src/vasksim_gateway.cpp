#include "vasksim_gateway.h"

#include <windows.h>

#include <cstdlib>

namespace vasksim {

namespace {

std::string envText(const char* name) {
    char buf[1024];
    DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
    return (n > 0 && n < sizeof buf) ? std::string(buf, n) : std::string();
}

bool validPort(const std::string& text, int& port) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || v <= 0 || v >= 65536) return false;
    while (*end == '\r' || *end == '\n' || *end == ' ') ++end;
    if (*end) return false;
    port = static_cast<int>(v);
    return true;
}

}  // namespace

std::string GatewayEndpointFromEnvironment(std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return std::string();
    };
    int port = 0;
    std::string direct = envText("VASK_SIM_GATEWAY_PORT");
    if (!direct.empty()) {
        if (!validPort(direct, port))
            return fail("VASK_SIM_GATEWAY_PORT is not a port number: " + direct);
        return "127.0.0.1:" + std::to_string(port);
    }
    std::string path = envText("VASK_SIM_GATEWAY_PORTFILE");
    if (path.empty())
        return fail(
            "neither VASK_SIM_GATEWAY_PORT nor VASK_SIM_GATEWAY_PORTFILE is set (is this a BUS "
            "test?)");
    if (path[0] == '/') {  // a Unix path: drive Z: is the Unix root under Wine
        path = "Z:" + path;
        for (char& c : path)
            if (c == '/') c = '\\';
    }
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return fail("cannot open the simulator's gateway port file " + path);
    char buf[32] = {0};
    DWORD n = 0;
    BOOL ok = ReadFile(h, buf, sizeof buf - 1, &n, nullptr);
    CloseHandle(h);
    if (!ok || !validPort(std::string(buf, n), port)) return fail("no port number in " + path);
    return "127.0.0.1:" + std::to_string(port);
}

bool UseSimulatorGateway(std::string* error) {
    std::string endpoint = GatewayEndpointFromEnvironment(error);
    if (endpoint.empty()) return false;
    if (!SetEnvironmentVariableA("VGWCE_ENDPOINT", endpoint.c_str())) {
        if (error) *error = "cannot set VGWCE_ENDPOINT";
        return false;
    }
    return true;
}

}  // namespace vasksim
