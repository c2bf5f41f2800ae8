// The scripted stand-in of the bus for the access layer's tests.
#include "scripted_network.h"

#include <string.h>

#include "commvask_seams.h"
#include "communication.h"
#include "mtimer.h"

namespace scripted {

Bytes Body(char command, int function, const Bytes& values, unsigned char flags,
           unsigned char state) {
    Bytes body = {flags, state, (unsigned char)command, (unsigned char)function};
    body.insert(body.end(), values.begin(), values.end());
    return body;
}

Bytes Float(const char* number) {
    Bytes bytes(number, number + strlen(number));
    bytes.push_back(0);
    return bytes;
}

Bytes UFloat(const char* number, int unit) {
    Bytes bytes = Float(number);
    bytes.push_back((unsigned char)unit);
    bytes.push_back(0);
    return bytes;
}

Bytes UQFloat(const char* number, int unit, int quantity) {
    Bytes bytes = UFloat(number, unit);
    bytes.push_back((unsigned char)quantity);
    bytes.push_back(0);
    return bytes;
}

Bytes IntByte(int value) { return Bytes{(unsigned char)value, 0}; }

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// ---- the bus ---------------------------------------------------------------------------------

ScriptedBus::Script ScriptedBus::Answering(Bytes values) {
    return [values](const SentRequest& request, int) {
        Reaction reaction;
        reaction.replies.push_back(
            {request.address, Body(request.command, request.function, values)});
        return reaction;
    };
}

ScriptedBus::Script ScriptedBus::Rejecting() {
    return [](const SentRequest& request, int) {
        Reaction reaction;
        reaction.replies.push_back({request.address, Body('D', 'E')});
        return reaction;
    };
}

ScriptedBus::Script ScriptedBus::Silent() {
    return [](const SentRequest&, int) { return Reaction(); };
}

void ScriptedBus::SetScript(Script script) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_script = std::move(script);
}

void ScriptedBus::SetOnSend(std::function<void()> hook) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_onSend = std::move(hook);
}

void ScriptedBus::SetOnReceive(std::function<void()> hook) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_onReceive = std::move(hook);
}

void ScriptedBus::CompleteSend() {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (HANDLE event : m_sendEvents) SetEvent(event);
}

void ScriptedBus::Inject(const std::string& sender, const Bytes& body) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.push_back({sender, body});
    if (m_signalArrivals)
        for (HANDLE event : m_recvEvents) SetEvent(event);
}

std::vector<SentRequest> ScriptedBus::Sent() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sent;
}

int ScriptedBus::SentCount() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return (int)m_sent.size();
}

void ScriptedBus::ClearSent() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sent.clear();
}

int ScriptedBus::ReceiveCalls() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_receiveCalls;
}

std::vector<DWORD> ScriptedBus::ReceiveThreads() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_receiveThreads;
}

int ScriptedBus::PendingCount() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return (int)m_pending.size();
}

DWORD ScriptedBus::ThreadInitThread() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_threadInitThread;
}

int ScriptedBus::NetworksInitialised() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_initialised;
}

int ScriptedBus::NetworksClosed() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_closed;
}

int ScriptedBus::NetworksAlive() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_alive;
}

std::string ScriptedBus::LastLine() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_line;
}

// ---- one network on the bus ------------------------------------------------------------------

ScriptedNetwork::ScriptedNetwork(ScriptedBus* bus) : m_bus(bus) {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    ++m_bus->m_alive;
}

ScriptedNetwork::~ScriptedNetwork() {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    --m_bus->m_alive;
}

int ScriptedNetwork::Init(const CString& line, const SerialParam* param, ErrorStruct_* err) {
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        if (m_bus->m_initFailCode != 0) {
            SetError(err, m_bus->m_initFailCode, 0);
            return 0;
        }
        m_bus->m_line = (const char*)line;
        ++m_bus->m_initialised;
    }
    int ok = CPCvaskNetwork::Init(line, param, err);
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    if (ok) {
        m_bus->m_sendEvents.push_back(GetSendEvent());
        m_bus->m_recvEvents.push_back(GetRecvEvent());
    }
    return ok;
}

int ScriptedNetwork::Done(ErrorStruct_* err) {
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        ++m_bus->m_closed;
        for (auto* events : {&m_bus->m_sendEvents, &m_bus->m_recvEvents})
            for (size_t i = 0; i < events->size(); ++i)
                if ((*events)[i] == GetSendEvent() || (*events)[i] == GetRecvEvent()) {
                    events->erase(events->begin() + i);
                    break;
                }
    }
    return CPCvaskNetwork::Done(err);
}

void ScriptedNetwork::ThreadInit() {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    m_bus->m_threadInitThread = GetCurrentThreadId();
}

int ScriptedNetwork::SetSelectedLine(const CString& line, ErrorStruct_* err) {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    m_bus->m_line = (const char*)line;
    return 1;
}

CString ScriptedNetwork::GetSelectedLine() {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    return CString(m_bus->m_line.c_str());
}

CString ScriptedNetwork::GetLineName(ErrorStruct_* err) {
    SetError(err, 0, 0);
    return CString("scripted");
}

int ScriptedNetwork::GetSendResult() {
    std::lock_guard<std::mutex> lock(m_bus->m_mutex);
    return m_bus->m_sendResult;
}

int ScriptedNetwork::Send(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err) {
    return DoSend(address, msg, err, false);
}

int ScriptedNetwork::SendDL(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err) {
    return DoSend(address, msg, err, true);
}

int ScriptedNetwork::DoSend(const CString& address, CPCvaskMessage* msg, ErrorStruct_* err,
                            bool download) {
    SentRequest request;
    request.address = (const char*)address;
    request.command = msg->GetCommand();
    request.function = msg->GetFunction();
    request.download = download;
    request.thread = GetCurrentThreadId();
    unsigned long high = 0;
    CMTimer::GetTime(request.time, high);
    unsigned char buffer[256];
    int length = msg->WriteBody(buffer, sizeof buffer);
    if (length > 0) request.body.assign(buffer, buffer + length);

    std::function<void()> hook;
    ScriptedBus::Script script;
    int index;
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        hook = m_bus->m_onSend;
        script = m_bus->m_script;
        index = (int)m_bus->m_sent.size();
        request.receivesBefore = m_bus->m_receiveCalls;
        m_bus->m_sent.push_back(request);
    }
    if (hook) hook();
    ScriptedBus::Reaction reaction = script(request, index);
    if (reaction.sendFails) {
        SetError(err, reaction.sendErrorCode, 0);
        return 0;
    }
    bool signal;
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        m_bus->m_sendResult = reaction.sendResult;
        for (auto& reply : reaction.replies) m_bus->m_pending.push_back(reply);
        signal = !m_bus->m_signalArrivals || !reaction.replies.empty();
    }
    if (reaction.completeSend) SetEvent(m_sendEvent);
    if (signal) SetEvent(m_recvEvent);
    return 1;
}

int ScriptedNetwork::Receive(CString& address, CPCvaskMessage*& msg, ErrorStruct_* err) {
    msg = NULL;
    std::pair<std::string, Bytes> telegram;
    std::function<void()> hook;
    bool signalArrivals;
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        hook = m_bus->m_onReceive;
        signalArrivals = m_bus->m_signalArrivals;
    }
    if (!signalArrivals) SetEvent(m_recvEvent);
    if (hook) hook();
    {
        std::lock_guard<std::mutex> lock(m_bus->m_mutex);
        ++m_bus->m_receiveCalls;
        m_bus->m_receiveThreads.push_back(GetCurrentThreadId());
        if (m_bus->m_pending.empty()) return 1;
        telegram = m_bus->m_pending.front();
        m_bus->m_pending.erase(m_bus->m_pending.begin());
        if (signalArrivals && !m_bus->m_pending.empty()) SetEvent(m_recvEvent);
    }
    CString sender(telegram.first.c_str());
    unsigned char* cursor = telegram.second.data();
    CPCvaskMessage* message = new CPCvaskMessage(sender, cursor, (int)telegram.second.size());
    if (message->GetCommand() == 0) {
        // As the real network does: a telegram that does not parse is dropped.
        delete message;
        return 1;
    }
    address = sender;
    msg = message;
    return 1;
}

// ---- the choice of the network ---------------------------------------------------------------

namespace {

ScriptedBus* g_bus = NULL;

CPCvaskNetwork* MakeNetwork(const CString& type) {
    // The serial bus's types only: the others keep their own answers (25 and the gateway).
    if (g_bus != NULL && (type.IsEmpty() || type == "VASK")) return new ScriptedNetwork(g_bus);
    return NULL;
}

}  // namespace

void UseBus(ScriptedBus* bus) {
    g_bus = bus;
    SetNetworkFactory(bus != NULL ? MakeNetwork : NULL);
}

}  // namespace scripted
