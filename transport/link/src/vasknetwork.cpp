// The abstract bus network and the serial network.
#include "vasknetwork.h"

#include "vaskaddress.h"

#include <new>

CPCvaskNetwork::CPCvaskNetwork() : m_connected(0), m_sendEvent(NULL), m_recvEvent(NULL) {}

CPCvaskNetwork::~CPCvaskNetwork() { CPCvaskNetwork::Done(NULL); }

int CPCvaskNetwork::Init(const CString&, const SerialParam*, ErrorStruct_*) {
    m_connected = 0;
    // Events of an earlier Init are not left behind.
    CPCvaskNetwork::Done(NULL);
    m_sendEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    m_recvEvent = CreateEventA(NULL, FALSE, FALSE, NULL);
    return m_sendEvent != NULL && m_recvEvent != NULL;
}

int CPCvaskNetwork::Done(ErrorStruct_*) {
    if (m_sendEvent) CloseHandle(m_sendEvent);
    if (m_recvEvent) CloseHandle(m_recvEvent);
    m_sendEvent = NULL;
    m_recvEvent = NULL;
    return 1;
}

CvaskNetwork::CvaskNetwork() { InitializeCriticalSection(&m_portLock); }

CvaskNetwork::~CvaskNetwork() {
    EnterCriticalSection(&m_portLock);
    m_layer.Done(NULL);
    LeaveCriticalSection(&m_portLock);
    DeleteCriticalSection(&m_portLock);
}

int CvaskNetwork::Init(const CString& line, const SerialParam* param, ErrorStruct_* err) {
    if (!CPCvaskNetwork::Init(line, param, err)) return 0;
    TRACE_INFO(5, "CvaskNetwork::Init: Initialization of base class successful\n");
    EnterCriticalSection(&m_portLock);
    int result = m_layer.Init(line, param, err);
    LeaveCriticalSection(&m_portLock);
    return result;
}

int CvaskNetwork::Done(ErrorStruct_* err) {
    // Waits for a receive that the timer may be running on the port.
    EnterCriticalSection(&m_portLock);
    int result = m_layer.Done(err);
    LeaveCriticalSection(&m_portLock);
    CPCvaskNetwork::Done(NULL);
    return result;
}

CString CvaskNetwork::GetLineName(ErrorStruct_* err) {
    SetError(err, ErrorNone, 0);
    return CString();
}

void CvaskNetwork::ResetStatistics() { m_layer.ResetStatistics(); }

void CvaskNetwork::GetStatistics(NetStat* stat) { m_layer.GetStatistics(stat); }

int CvaskNetwork::Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    return Transmit(address, message, err, 0);
}

int CvaskNetwork::SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    return Transmit(address, message, err, 1);
}

int CvaskNetwork::Transmit(const CString& address, CPCvaskMessage* message, ErrorStruct_* err,
                           int download) {
    if (message == NULL) {
        SetError(err, ErrorInvalidMessageType, 0);
        return 0;
    }
    char letter = message->GetCommand();
    int function = message->GetFunction();
    if (!download)
        TRACE_SERIALOUT(3, "Sending message %c,%d to %s\n", letter, function, (const char*)address);
    // The body is written only where it fits: a long float text or a long list must not
    // run past the buffer.
    unsigned char body[CvaskLayer::MaxSendBody];
    int length = message->WriteBody(body, (int)sizeof body);
    if (length < 0) {
        SetError(err, ErrorCommandTooLong, 0);
        return 0;
    }
    CvaskAddress destination(address);
    if (!destination.IsValid()) {
        SetError(err, ErrorNoDeviceAtAddress, 0);
        return 0;
    }
    EnterCriticalSection(&m_portLock);
    int sent = download ? m_layer.SendDL(destination, body, length, err)
                        : m_layer.Send(destination, body, length, err);
    LeaveCriticalSection(&m_portLock);
    if (!sent) {
        TRACE_SERIALOUT(3, "Message to %s (%c,%d) failed\n", (const char*)address, letter,
                        function);
        return 0;
    }
    TRACE_SERIALOUT(3, "Message sent to %s (%c,%d)\n", (const char*)address, letter, function);
    if (download) {
        TRACE_MSGIN(6, "Send buffer size: %d, content:", length);
        for (int k = 0; k < length; ++k) TRACE_MSGIN(-6, " %02x", body[k]);
        TRACE_MSGIN(-6, "\n");
    }
    SetEvent(m_sendEvent);
    SetEvent(m_recvEvent);
    return 1;
}

int CvaskNetwork::Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) {
    if (m_recvEvent) SetEvent(m_recvEvent);
    message = NULL;
    // A send with its acknowledgement wait owns the port; its bytes stay for later.
    if (!TryEnterCriticalSection(&m_portLock)) return 1;
    CvaskAddress* source = NULL;
    unsigned char* body = NULL;
    int length = 0;
    int ok = m_layer.Receive(source, body, length, err);
    if (!ok || length == 0) {
        LeaveCriticalSection(&m_portLock);
        delete source;
        return ok;
    }
    if (!source->IsValid()) {
        TRACE_MSGIN(0, "Message with invalid source address %s received\n",
                    (const char*)source->GetAddressString());
        LeaveCriticalSection(&m_portLock);
        delete source;
        return 1;
    }
    CString sender = source->GetAddressString();
    delete source;
    TRACE_MSGIN(6, "Message at address %p", (void*)body);
    TRACE_MSGIN(6, "Receive buffer size: %d, content:", length);
    for (int k = 0; k < length; ++k) TRACE_MSGIN(-6, " %02x", body[k]);
    TRACE_MSGIN(-6, "\n");
    // The body lies in the layer's buffer: it is parsed before the port is let go.
    unsigned char* cursor = body;
    CPCvaskMessage* parsed = new (std::nothrow) CPCvaskMessage(sender, cursor, length);
    LeaveCriticalSection(&m_portLock);
    if (parsed == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    if (parsed->GetCommand() == 0) {
        TRACE_MSGIN(0, "CvaskNetwork::Receive: Invalid message parameter\n");
        delete parsed;
        return 1;
    }
    address = sender;
    message = parsed;
    return 1;
}
