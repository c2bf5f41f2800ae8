// A network for the tests of the access layer: an in-process stand-in of the bus that
// records every request it is given and answers as a script says, with reply bodies that
// are parsed against the real message catalogue.
//
// A ScriptedBus lives as long as the test and keeps the script and the record; each Init
// of an access object gets a fresh ScriptedNetwork on it (the access layer deletes the
// network at Done). By default the network behaves towards the access layer as the
// serial network does: Send sets both events, every Receive sets the receive event,
// answers are polled (NeedTimer 1), GetTimeout 0, GetMaxRetry 3. SignalArrivals makes it
// signal as the gateway network does: the receive event is set when a telegram arrives
// (a reply of the script or an injected one) and by a Receive only while more are waiting
// behind the one it hands out.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "vasknetwork.h"

namespace scripted {

typedef std::vector<unsigned char> Bytes;

// One request as the network was given it.
struct SentRequest {
    std::string address;  // "device/component"
    char command = 0;
    int function = 0;
    bool download = false;   // came through SendDL
    Bytes body;              // the request body as written
    DWORD thread = 0;        // id of the thread that sent it
    int receivesBefore = 0;  // Receive calls the bus had seen when it came
    unsigned long time = 0;  // when it came, in ms on the clock of the library's timers
};

// A reply body: flags, state, letter, function, then the value bytes.
Bytes Body(char command, int function, const Bytes& values = Bytes(), unsigned char flags = 0,
           unsigned char state = 0);
// Wire forms of values: a number with a unit code (and a gas component code), a number
// alone, one integer byte.
Bytes UFloat(const char* number, int unit = 1);
Bytes UQFloat(const char* number, int unit = 1, int quantity = 1);
Bytes Float(const char* number);
Bytes IntByte(int value);
Bytes Concat(std::initializer_list<Bytes> parts);

class ScriptedBus {
public:
    // What the bus does with one request.
    struct Reaction {
        bool sendFails = false;  // Send returns 0 with sendErrorCode in the record
        int sendErrorCode = 3;
        int sendResult = 0;        // what GetSendResult reports after this send
        bool completeSend = true;  // set the send event
        // Telegrams receivable right after this send: (sender text, body).
        std::vector<std::pair<std::string, Bytes>> replies;
    };
    // Decides the reaction to request number `index` (from 0).
    typedef std::function<Reaction(const SentRequest& request, int index)> Script;

    // Answers every request from the addressed device with the reply of its own letter and
    // function, carrying `values`.
    static Script Answering(Bytes values = Bytes());
    // Answers nothing.
    static Script Silent();
    // Rejects every request from the addressed device with "DE" (invalid data values,
    // error 51).
    static Script Rejecting();

    // ---- configuration ----
    void SetScript(Script script);
    void SetTimeout(DWORD ms) { m_timeout = ms; }
    void SetMaxRetry(int n) { m_maxRetry = n; }
    void SetNeedTimer(int on) { m_needTimer = on; }
    void SignalArrivals(bool on) { m_signalArrivals = on; }
    // Init of the next networks fails with this code.
    void FailInit(int code) { m_initFailCode = code; }
    // Runs on the sending thread for each request, before the reaction.
    void SetOnSend(std::function<void()> hook);
    // Runs at every Receive call, on the receiving thread.
    void SetOnReceive(std::function<void()> hook);
    // Sets the send event of the live networks (for a send left incomplete).
    void CompleteSend();

    // ---- stimuli ----
    // Makes a telegram receivable as if it had just arrived from `sender` (and signals it
    // when the bus signals arrivals).
    void Inject(const std::string& sender, const Bytes& body);

    // ---- observation ----
    std::vector<SentRequest> Sent();
    int SentCount();
    void ClearSent();
    int ReceiveCalls();
    // The threads on which Receive was called, in order.
    std::vector<DWORD> ReceiveThreads();
    int PendingCount();
    DWORD ThreadInitThread();
    int NetworksInitialised();
    int NetworksClosed();
    int NetworksAlive();
    std::string LastLine();

private:
    friend class ScriptedNetwork;

    std::mutex m_mutex;
    Script m_script = Silent();
    std::function<void()> m_onSend;
    std::function<void()> m_onReceive;
    std::vector<HANDLE> m_sendEvents;
    std::vector<HANDLE> m_recvEvents;
    bool m_signalArrivals = false;
    DWORD m_timeout = 0;
    int m_maxRetry = 3;
    int m_needTimer = 1;
    int m_initFailCode = 0;
    int m_sendResult = 0;
    int m_receiveCalls = 0;
    std::vector<DWORD> m_receiveThreads;
    int m_initialised = 0;
    int m_closed = 0;
    int m_alive = 0;
    DWORD m_threadInitThread = 0;
    std::string m_line;
    std::vector<SentRequest> m_sent;
    std::vector<std::pair<std::string, Bytes>> m_pending;
};

class ScriptedNetwork : public CPCvaskNetwork {
public:
    explicit ScriptedNetwork(ScriptedBus* bus);
    ~ScriptedNetwork() override;

    int Init(const CString& line, const SerialParam* param, ErrorStruct_* err) override;
    int Done(ErrorStruct_* err) override;
    void ThreadInit() override;
    void ThreadDone() override {}
    DWORD GetTimeout() override { return m_bus->m_timeout; }
    int GetMaxRetry() override { return m_bus->m_maxRetry; }
    int NeedTimer() override { return m_bus->m_needTimer; }
    int SetSelectedLine(const CString& line, ErrorStruct_* err) override;
    CString GetSelectedLine() override;
    CString GetLineName(ErrorStruct_* err) override;
    int ConfigureLine(HWND parent, ErrorStruct_* err) override { return 1; }
    int SetMyAddress(int address, ErrorStruct_* err) override { return 1; }
    int GetSendResult() override;
    int Send(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err) override;
    int SendDL(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err) override;
    int Receive(CString& address, CPCvaskMessage*& msg, ErrorStruct_* err) override;
    void ResetStatistics() override {}
    void GetStatistics(NetStat* stat) override {}

private:
    int DoSend(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err, bool download);

    ScriptedBus* m_bus;
};

// Makes every following CvaskAccess::Init with the type "VASK" use a new network on this
// bus; null restores the real networks.
void UseBus(ScriptedBus* bus);

}  // namespace scripted
