// The gateway network over the gateway client VaskGate.
#include "tcpnetwork.h"

#include <objbase.h>

#include <new>
#include <string.h>

const HVGSERVER CtcpNetwork::NoServer = reinterpret_cast<HVGSERVER>(static_cast<INT_PTR>(-1));
const HVGLINE CtcpNetwork::NoLine = reinterpret_cast<HVGLINE>(static_cast<INT_PTR>(-1));
const HVGRECEIVE CtcpNetwork::NoReceive = reinterpret_cast<HVGRECEIVE>(static_cast<INT_PTR>(-1));

int CtcpNetwork::MapError(int vgResult) {
    switch (vgResult) {
        case VG_OUT_OF_MEMORY: return ErrorOutOfMemory;
        case VG_ALREADY_INITIALIZED: return ErrorAlreadyInitialized;
        case VG_NOT_INITIALIZED: return ErrorNetworkNotInitialized;
        case VG_NO_CLASS_OBJECT: return ErrorGatewayDoesNotRespond;
        case VG_NO_INSTANCE: return ErrorDcomCreateInstance;
        case VG_NO_GATEWAY_INTERFACE: return ErrorDcomInterface;
        case VG_ALREADY_CONNECTED: return ErrorGatewayAlreadyConnected;
        case VG_NOT_CONNECTED: return ErrorGatewayConnectionLost;
        case VG_NO_LINE: return ErrorNoMoreLineObjects;
        case VG_SERVER_FAILED: return ErrorRemoteServerObject;
        case VG_LINE_FAILED: return ErrorRemoteLineObject;
        case VG_NO_ACK: return ErrorNoAck;
        case VG_TRANSMIT_FAILED: return ErrorDeviceDoesNotRespond;
        case VG_BUFFER_TOO_SMALL: return ErrorBufferTooSmall;
        case VG_NO_DATA: return ErrorNoData;
        case VG_INVALID_SERVER:
        case VG_INVALID_LINE:
        case VG_INVALID_RECEIVE:
        case VG_INVALID_TRANSMIT: return ErrorConverterSettings;
        case VG_INVALID_ADDRESS: return ErrorInvalidGatewayAddress;
        default: return ErrorNone;
    }
}

namespace {

// Records the mapped error of a failed client call; 1 when the call succeeded.
int Check(VG_ERROR result, ErrorStruct_* err) {
    if (result == VG_OK) return 1;
    SetError(err, CtcpNetwork::MapError(result), 0);
    return 0;
}

}  // namespace

CtcpNetwork::CtcpNetwork()
    : m_server(NoServer),
      m_probeLine(NoLine),
      m_line(NoLine),
      m_sendResult(VG_OK),
      m_stat(),
      m_transmit(NULL),
      m_completions(0),
      m_armThread(0) {
    InitializeCriticalSection(&m_slotLock);
    for (int k = 0; k < ReceiveSlots; ++k) m_slots[k] = NULL;
    InitData();
}

CtcpNetwork::~CtcpNetwork() {
    for (int k = 0; k < ReceiveSlots; ++k) {
        delete m_slots[k];
        m_slots[k] = NULL;
    }
    DeleteCriticalSection(&m_slotLock);
}

void CtcpNetwork::InitData() {
    m_server = NoServer;
    m_probeLine = NoLine;
    m_line = NoLine;
    m_sendResult = VG_OK;
    TRACE_INFO(5, "CtcpNetwork::InitData\n");
    for (int k = 0; k < ReceiveSlots; ++k) {
        if (m_slots[k] == NULL) m_slots[k] = new (std::nothrow) ReceiveSlot;
        ReceiveSlot* s = m_slots[k];
        if (s == NULL) continue;  // a slot fewer; the others serve
        s->request = NoReceive;
        s->result = VG_OK;
        s->length = 0;
        s->order = 0;
    }
}

int CtcpNetwork::Init(const CString& server, const SerialParam* param, ErrorStruct_* err) {
    TRACE_INFO(5, "CtcpNetwork::Init\n");
    if (!CPCvaskNetwork::Init(server, param, err)) return 0;
    TRACE_INFO(5, "CtcpNetwork::Init: Initialization of base class successful\n");
    HVGSERVER handle = NULL;
    VG_ERROR rc = VGConnect((const char*)server, &handle);
    // A refused second Init keeps the connection it has, so that Done can still end it.
    if (rc != VG_OK) return Check(rc, err);
    m_server = handle;
    return 1;
}

void CtcpNetwork::ForgetSlots() {
    EnterCriticalSection(&m_slotLock);
    for (int k = 0; k < ReceiveSlots; ++k) {
        if (m_slots[k] == NULL) continue;
        m_slots[k]->request = NoReceive;
        m_slots[k]->result = VG_OK;
        m_slots[k]->length = 0;
    }
    LeaveCriticalSection(&m_slotLock);
}

void CtcpNetwork::CloseProbeLine() {
    if (m_probeLine != NoLine) VGCloseLine(m_probeLine);
    m_probeLine = NoLine;
}

int CtcpNetwork::Done(ErrorStruct_* err) {
    TRACE_INFO(5, "CtcpNetwork::Done\n");
    for (int k = 0; k < ReceiveSlots; ++k)
        if (m_slots[k] != NULL && m_slots[k]->request != NoReceive)
            VGCancelReceive(m_slots[k]->request);
    ForgetSlots();
    m_transmit = NULL;
    // The probe line of GetLineName holds a use of the connection: left open, it would
    // keep the connection alive and a later Init to the same gateway would be refused.
    CloseProbeLine();
    if (m_line != NoLine) {
        if (!Check(VGCloseLine(m_line), err)) return 0;
        m_line = NoLine;
    }
    if (!Check(VGDisconnect(m_server), err)) return 0;
    m_server = NoServer;
    CPCvaskNetwork::Done(err);
    return 1;
}

void CtcpNetwork::ThreadInit() {
    CoInitializeEx(NULL, COINIT_MULTITHREADED);
    CoInitializeSecurity(NULL, -1, NULL, NULL, RPC_C_AUTHN_LEVEL_NONE, RPC_C_IMP_LEVEL_IDENTIFY,
                         NULL, EOAC_NONE, NULL);
    VGInitialize();
}

void CtcpNetwork::ThreadDone() { VGUninitialize(); }

int CtcpNetwork::SetSelectedLine(const CString& line, ErrorStruct_* err) {
    if (m_line != NoLine) {
        VGCloseLine(m_line);
        m_line = NoLine;
        // Closing dropped the pending receives: their slots would otherwise wait forever.
        ForgetSlots();
        m_transmit = NULL;
    }
    HVGLINE handle = NULL;
    if (VGOpenLine(m_server, (const char*)line, &handle) != VG_OK) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        m_line = NoLine;
        m_selectedLine.Empty();
        return 0;
    }
    m_line = handle;
    m_selectedLine = line;
    return 1;
}

CString CtcpNetwork::GetLineName(ErrorStruct_* err) {
    if (m_probeLine != NoLine) {
        CloseProbeLine();
        return CString();
    }
    TRACE_INFO(5, "CtcpNetwork::GetLineName: VGOpenLine\n");
    HVGLINE handle = NULL;
    if (VGOpenLine(m_server, "COM1", &handle) == VG_OK) {
        TRACE_INFO(5, "CtcpNetwork::GetLineName: VGOpenLine succeeded\n");
        m_probeLine = handle;
        return CString("COM1");
    }
    TRACE_INFO(5, "CtcpNetwork::GetLineName: VGOpenLine failed\n");
    SetError(err, ErrorNetworkNotInitialized, 0);
    m_probeLine = NoLine;
    // The selected line stays open and in use: its name stays too.
    return CString();
}

int CtcpNetwork::ConfigureLine(HWND parent, ErrorStruct_* err) {
    TRACE_INFO(5, "CtcpNetwork::ConfigureLine\n");
    return Check(VGConfigureLine(m_line, parent), err);
}

int CtcpNetwork::SetMyAddress(int address, ErrorStruct_* err) {
    if (m_line == NoLine || m_line == NULL) return 0;
    return Check(VGSetLineAddress(m_line, address), err);
}

int CtcpNetwork::GetSendResult() { return MapError(m_sendResult); }

int CtcpNetwork::ArmFreeSlots(ErrorStruct_* err) {
    m_armThread = GetCurrentThreadId();
    for (int k = 0; k < ReceiveSlots; ++k) {
        ReceiveSlot* s = m_slots[k];
        EnterCriticalSection(&m_slotLock);
        const bool free =
            s != NULL && s->request == NoReceive && s->length == 0 && s->result == VG_OK;
        LeaveCriticalSection(&m_slotLock);
        if (!free) continue;
        HVGRECEIVE request = NULL;
        VG_ERROR rc = VGReceive(m_line, &request, OnReceived, this);
        if (rc != VG_OK) return Check(rc, err);
        EnterCriticalSection(&m_slotLock);
        s->request = request;
        LeaveCriticalSection(&m_slotLock);
    }
    return 1;
}

int CtcpNetwork::Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    if (!ArmFreeSlots(err)) return 0;
    if (message == NULL) {
        SetError(err, ErrorInvalidMessageType, 0);
        return 0;
    }
    char letter = message->GetCommand();
    int function = message->GetFunction();
    TRACE_SERIALOUT(3, "Sending message %c,%d to %s\n", letter, function, (const char*)address);
    // Written only where it fits: a long float text or a long list must not run past the
    // buffer, and nothing longer than the bus carries reaches the line.
    unsigned char body[CvaskLayer::MaxSendBody];
    int length = message->WriteBody(body, (int)sizeof body);
    if (length < 0) {
        SetError(err, ErrorCommandTooLong, 0);
        return 0;
    }
    TRACE_SERIALOUT(6, "Send buffer size: %d, content:", length);
    for (int k = 0; k < length; ++k) TRACE_SERIALOUT(-6, " %02x", body[k]);
    TRACE_SERIALOUT(-6, "\n");
    CvaskAddress destination(address);
    if (!destination.IsValid()) {
        SetError(err, ErrorNoDeviceAtAddress, 0);
        return 0;
    }
    HVGTRANSMIT request = NULL;
    VG_ERROR rc = VGTransmit(m_line, destination.GetAddress() * 16 + destination.GetComponent(),
                             body, length, &request, OnTransmitted, this);
    if (rc != VG_OK) {
        Check(rc, err);
        TRACE_SERIALOUT(3, "Message to %s (%c,%d) failed, err: %s\n", (const char*)address, letter,
                        function, err ? (const char*)err->text : "");
        return 0;
    }
    m_transmit = request;
    TRACE_SERIALOUT(3, "Message sent to %s (%c,%d)\n", (const char*)address, letter, function);
    return 1;
}

int CtcpNetwork::SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    return Send(address, message, err);
}

void VGAPI CtcpNetwork::OnTransmitted(HVGTRANSMIT request, VG_ERROR result, void* context) {
    CtcpNetwork* self = static_cast<CtcpNetwork*>(context);
    if (request != self->m_transmit) {
        // An earlier transmit, completed (or superseded) after the access layer had given
        // up on it: the send event stands for the latest one only.
        TRACE_SERIALOUT(3, "Send callback of an earlier transmit with result %d ignored\n", result);
        return;
    }
    self->m_transmit = NULL;
    self->SendCallback(result);
}

void CtcpNetwork::SendCallback(VG_ERROR result) {
    m_sendResult = result;
    TRACE_SERIALOUT(3, "Send callback with result %d\n", result);
    if (!SetEvent(m_sendEvent))
        TRACE_SERIALOUT(0, "Send callback: SetEvent failed, error = %lu\n", GetLastError());
}

void VGAPI CtcpNetwork::OnReceived(HVGRECEIVE request, unsigned char source, unsigned char,
                                   VG_ERROR result, void* context) {
    static_cast<CtcpNetwork*>(context)->ReceiveCallback(request, result, CvaskAddress(source));
}

void CtcpNetwork::ReceiveCallback(HVGRECEIVE request, VG_ERROR result, const CvaskAddress& source) {
    TRACE_SERIALIN(3, "Receive callback with result %d\n", result);
    // The duplicate test of a bus scan takes completions on its own thread.
    EnterCriticalSection(&m_slotLock);
    ReceiveSlot* slot = NULL;
    for (int k = 0; k < ReceiveSlots && slot == NULL; ++k)
        if (m_slots[k] != NULL && m_slots[k]->request == request) slot = m_slots[k];
    if (slot == NULL) {
        LeaveCriticalSection(&m_slotLock);
        TRACE_SERIALIN(3, "Receive callback: handle not found\n");
        return;
    }
    slot->result = result;
    slot->request = NoReceive;
    slot->length = 0;
    slot->order = ++m_completions;
    if (result == VG_OK) {
        slot->source = source;
        unsigned size = sizeof slot->data;
        slot->result = VGReceiveData(request, slot->data, &size);
        if (slot->result == VG_OK) {
            TRACE_SERIALIN(6, "Receive buffer size: %d, content:", (int)size);
            for (unsigned k = 0; k < size; ++k) TRACE_SERIALIN(-6, " %02x", slot->data[k]);
            TRACE_SERIALIN(-6, "\n");
            slot->length = (int)size;
        }
    }
    LeaveCriticalSection(&m_slotLock);
    if (!SetEvent(m_recvEvent))
        TRACE_SERIALIN(0, "Receive callback: SetEvent failed, error = %lu\n", GetLastError());
}

int CtcpNetwork::Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) {
    message = NULL;
    if (m_line == NoLine || m_line == NULL) {
        SetError(err, ErrorConverterSettings, 0);
        return 0;
    }
    // The oldest completion first, whatever slot it landed in: replies are handed out in
    // the order they arrived and none waits behind a free slot.
    EnterCriticalSection(&m_slotLock);
    ReceiveSlot* slot = NULL;
    for (int k = 0; k < ReceiveSlots; ++k) {
        ReceiveSlot* s = m_slots[k];
        if (s == NULL || s->request != NoReceive || (s->length == 0 && s->result == VG_OK))
            continue;
        if (slot == NULL || s->order < slot->order) slot = s;
    }
    if (slot == NULL) {
        LeaveCriticalSection(&m_slotLock);
        return 1;
    }
    // The access layer drains until a call hands out nothing: when this call hands out
    // nothing (a dropped telegram, a failure) or more is waiting behind it, the receive
    // event calls it back for the rest.
    for (int k = 0; k < ReceiveSlots; ++k) {
        ReceiveSlot* s = m_slots[k];
        if (s != NULL && s != slot && s->request == NoReceive &&
            (s->length != 0 || s->result != VG_OK)) {
            SetEvent(m_recvEvent);
            break;
        }
    }

    // Take what the slot holds, then let it wait for the next telegram.
    VG_ERROR result = slot->result;
    int length = slot->length;
    unsigned char body[SlotBufferSize];
    memcpy(body, slot->data, (size_t)length);
    CvaskAddress source = slot->source;
    slot->result = VG_OK;
    slot->length = 0;
    LeaveCriticalSection(&m_slotLock);
    // Another thread (the bus scan's duplicate test) leaves the slot to the sender
    // thread's next Send: armed from here, its completion would go to a thread that may
    // not dispatch messages while the sender thread waits for it.
    if (GetCurrentThreadId() == m_armThread) {
        HVGRECEIVE request = NULL;
        if (VGReceive(m_line, &request, OnReceived, this) == VG_OK) {
            EnterCriticalSection(&m_slotLock);
            slot->request = request;
            LeaveCriticalSection(&m_slotLock);
            TRACE_SERIALIN(5, "CtcpNetwork::Receive: VGReceive finished\n");
        } else {
            // The next Send arms it again or reports why it cannot.
            TRACE_SERIALIN(0, "CtcpNetwork::Receive: VGReceive failed\n");
        }
    }

    if (result != VG_OK) return Check(result, err);
    if (!source.IsValid()) {
        TRACE_MSGIN(0, "Message with invalid source address %s received\n",
                    (const char*)source.GetAddressString());
        return 1;
    }
    CString sender = source.GetAddressString();
    TRACE_MSGIN(6, "Message at address %p\n", (void*)slot);
    unsigned char* cursor = body;
    CPCvaskMessage* parsed = new (std::nothrow) CPCvaskMessage(sender, cursor, length);
    if (parsed == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    if (parsed->GetCommand() == 0) {
        TRACE_MSGIN(0, "CvaskNetwork::Receive: Invalid message parameter\n");
        delete parsed;
        return 1;
    }
    TRACE_SERIALIN(3, "Message received from %s (%c,%d)\n", (const char*)sender,
                   parsed->GetCommand(), parsed->GetFunction());
    address = sender;
    message = parsed;
    return 1;
}

void CtcpNetwork::ResetStatistics() { memset(&m_stat, 0, sizeof m_stat); }

void CtcpNetwork::GetStatistics(NetStat* stat) {
    if (stat) *stat = m_stat;
}
