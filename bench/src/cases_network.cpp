// Reference cases. raw-floats: value reads with plain Win32 serial calls and a minimal
// telegram reader, nothing of the program's stack: what the simulator, the pseudo-terminal
// and Wine cost beyond the wire, the floor under every other case. net-floats: the same
// reads through the serial network, the way the request engine drives it but without the
// engine's threads, queue and waits: the link layer's and the port's share.
#include <cstdio>

#include "benchcase.h"
#include "communication.h"
#include "mtimer.h"
#include "vaskaddress.h"
#include "vasklayer.h"
#include "vaskmessage.h"

namespace bench {

namespace {

class NetworkFloats : public BenchCase {
public:
    const char* Name() const override { return "net-floats"; }
    std::string Title() const override {
        return "200 float reads \"w\" 1 through the serial network alone (reference, no request "
               "engine)";
    }
    bool Setup(const BenchOptions& options, std::string* error) override {
        ErrorStruct_ err;
        if (!m_comm.Init("VASK", options.port.c_str(), options.param, &err)) {
            *error = "network Init: " + std::string((const char*)err.text);
            return false;
        }
        return true;
    }
    bool Run(std::string* error) override {
        char address[16];
        std::snprintf(address, sizeof address, "%d/1", kDevices[0].address);
        for (int k = 0; k < kReads; ++k) {
            CPCvaskMessage request('w', 1, 1, NULL);
            ErrorStruct_ err;
            if (!m_comm.Send(address, &request, &err)) {
                *error = "read " + std::to_string(k + 1) + ": " + (const char*)err.text;
                return false;
            }
            if (!Answer(address, error)) {
                *error = "read " + std::to_string(k + 1) + ": " + *error;
                return false;
            }
        }
        return true;
    }
    void Teardown() override { m_comm.Done(NULL); }
    std::string Note() const override { return std::to_string(kReads) + " answers"; }

private:
    // Polls the network until the answer has come, as the engine's answer loop does.
    bool Answer(const CString& address, std::string* error) {
        CMTimer timer;
        timer.SetTimeout(1000);
        while (!timer.Timeout()) {
            CString sender;
            CPCvaskMessage* message = NULL;
            ErrorStruct_ err;
            if (!m_comm.Receive(sender, message, &err)) {
                *error = std::string("receive: ") + (const char*)err.text;
                return false;
            }
            if (message == NULL) continue;
            bool match =
                sender == address && message->GetCommand() == 'w' && message->GetFunction() == 1;
            delete message;
            if (match) return true;
        }
        *error = "no answer within 1000 ms";
        return false;
    }

    static const int kReads = 200;
    CCommunication m_comm;
};

class RawFloats : public BenchCase {
public:
    const char* Name() const override { return "raw-floats"; }
    std::string Title() const override {
        return "200 float reads \"w\" 1 with plain Win32 serial calls (reference: the measuring "
               "set-up's floor)";
    }
    bool Setup(const BenchOptions& options, std::string* error) override {
        std::string path = "\\\\.\\" + options.port;
        m_port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0,
                             NULL);
        if (m_port == INVALID_HANDLE_VALUE) {
            *error = "CreateFile " + path + " failed";
            return false;
        }
        DCB dcb;
        ZeroMemory(&dcb, sizeof dcb);
        dcb.DCBlength = sizeof dcb;
        GetCommState(m_port, &dcb);
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        // The port's own read timeouts: a read returns within about 2 ms.
        COMMTIMEOUTS t = {1, 0, 2, 0, 0};
        if (!SetCommState(m_port, &dcb) || !SetCommTimeouts(m_port, &t)) {
            *error = "setting up the port failed";
            return false;
        }
        PurgeComm(m_port, PURGE_RXCLEAR | PURGE_TXCLEAR);
        unsigned char body[2] = {'w', 1};
        m_length = CvaskLayer::BuildTelegram(CvaskAddress(kDevices[0].address * 16),
                                             CvaskAddress(13 * 16), body, 2, m_telegram);
        return true;
    }
    bool Run(std::string* error) override {
        for (int k = 0; k < kReads; ++k) {
            DWORD written = 0;
            if (!WriteFile(m_port, m_telegram, (DWORD)m_length, &written, NULL) ||
                written != (DWORD)m_length) {
                *error = "write failed";
                return false;
            }
            if (!ReadAnswer()) {
                *error = "read " + std::to_string(k + 1) +
                         ": no acknowledgement and answer within 1000 ms";
                return false;
            }
        }
        return true;
    }
    void Teardown() override {
        if (m_port != INVALID_HANDLE_VALUE) CloseHandle(m_port);
        m_port = INVALID_HANDLE_VALUE;
    }
    std::string Note() const override { return std::to_string(kReads) + " answers"; }

private:
    // DLE ACK, then one telegram up to its DLE ETX and the two CRC bytes.
    bool ReadAnswer() {
        DWORD start = GetTickCount();
        int state = 0;  // 0 before the ACK, 1 in the telegram, 2 after DLE ETX
        bool dle = false;
        int trailer = 0;
        while (GetTickCount() - start < 1000) {
            unsigned char buf[256];
            DWORD got = 0;
            if (!ReadFile(m_port, buf, sizeof buf, &got, NULL)) return false;
            for (DWORD i = 0; i < got; ++i) {
                unsigned char c = buf[i];
                if (state == 2) {
                    if (++trailer == 2) return true;
                } else if (dle) {
                    dle = false;
                    if (state == 0 && c == 0x06)
                        state = 1;
                    else if (state == 1 && c == 0x03)
                        state = 2;
                } else if (c == 0x10) {
                    dle = true;
                }
            }
        }
        return false;
    }

    static const int kReads = 200;
    HANDLE m_port = INVALID_HANDLE_VALUE;
    unsigned char m_telegram[32];
    int m_length = 0;
};

}  // namespace

void AddNetworkCases(CaseList& cases) {
    cases.emplace_back(new RawFloats);
    cases.emplace_back(new NetworkFloats);
}

}  // namespace bench
