// Lines of a gateway server: the event sink advised at the line's connection point and the
// receive and transmit queues that the events complete.
#include "internal.h"

#include <string.h>

namespace vaskgate {

namespace {

class CLock {
public:
    explicit CLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~CLock() { LeaveCriticalSection(&m_cs); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

LONG TransmitResult(LONG status) {
    switch (status) {
        case 0: return VG_OK;
        case 1: return VG_NO_ACK;
        default: return VG_TRANSMIT_FAILED;
    }
}

}  // namespace

// ---- sink

CVaskLineSink::CVaskLineSink(CVaskLine* line) : m_line(line) {}

HRESULT STDMETHODCALLTYPE CVaskLineSink::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IGatewayLineEvents)) {
        *out = static_cast<IGatewayLineEvents*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CVaskLineSink::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE CVaskLineSink::Release() {
    LONG n = InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n > 0 ? n : 0);
}

void CVaskLineSink::Detach() {
    AcquireSRWLockExclusive(&m_lock);
    m_line = nullptr;
    ReleaseSRWLockExclusive(&m_lock);
}

// The server may call the sink while the line is being closed on another thread: the line
// is used only with a reference taken under the sink's lock.
CVaskLine* CVaskLineSink::AcquireLine() {
    AcquireSRWLockShared(&m_lock);
    CVaskLine* line = m_line && m_line->TryAddRef() ? m_line : nullptr;
    ReleaseSRWLockShared(&m_lock);
    return line;
}

HRESULT STDMETHODCALLTYPE CVaskLineSink::TransmitDone(ULONG_PTR cookie, LONG status) {
    CRef<CVaskLine> line(AcquireLine());
    if (line) line->CompleteTransmits(reinterpret_cast<const void*>(cookie), status);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CVaskLineSink::Received(BYTE source, BYTE second, LONG length,
                                                  const BYTE* data) {
    if (length < 0 || (length > 0 && !data)) return S_OK;  // nothing sensible to hand out
    CRef<CVaskLine> line(AcquireLine());
    if (!line) return S_OK;
    // A telegram that finds no pending receive request is dropped.
    CRef<CRxRequest> request(line->TakeReceive());
    if (request) request->Complete(source, second, length, data);
    return S_OK;
}

// ---- line

CVaskLine::CVaskLine(CVaskServer* server, IGatewayLine* itf) : m_server(server), m_itf(itf) {
    server->AddRef();
    server->AddUse();
    InitializeCriticalSection(&m_txLock);
    InitializeCriticalSection(&m_rxLock);
}

VG_ERROR CVaskLine::Create(CVaskServer* server, IGatewayLine* itf, CVaskLine** out) {
    *out = nullptr;
    CRef<CVaskLine> line(new (std::nothrow) CVaskLine(server, itf));
    if (!line) {
        itf->Release();
        return VG_OUT_OF_MEMORY;
    }
    IConnectionPointContainer* container = nullptr;
    HRESULT hr =
        itf->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (FAILED(hr) || !container) return VG_LINE_FAILED;
    hr = container->FindConnectionPoint(kIID_IGatewayLineEvents, &line->m_point);
    container->Release();
    if (FAILED(hr) || !line->m_point) {
        line->m_point = nullptr;
        return VG_LINE_FAILED;
    }
    line->m_sink = new (std::nothrow) CVaskLineSink(line.Get());
    if (!line->m_sink) return VG_OUT_OF_MEMORY;
    hr = line->m_point->Advise(line->m_sink, &line->m_cookie);
    if (FAILED(hr)) return VG_LINE_FAILED;
    line->m_advised = 1;
    if (!line->RegisterHandle(kLine)) return VG_OUT_OF_MEMORY;
    *out = line.Detach();
    return VG_OK;
}

CVaskLine* CVaskLine::FromHandle(const void* handle) {
    CVaskLine* line = FindHandleOf<CVaskLine>(handle, kLine);
    if (line && line->m_closed) {
        line->Release();
        line = nullptr;
    }
    return line;
}

bool CVaskLine::Close() {
    if (InterlockedExchange(&m_closed, 1) != 0) return false;
    // Events first: a completion after this point finds no line.
    if (m_sink) m_sink->Detach();
    if (InterlockedExchange(&m_advised, 0) != 0) m_point->Unadvise(m_cookie);
    // The queued requests hold references on the line: dropping them breaks that cycle.
    {
        CLock lock(m_rxLock);
        m_rx.ReleaseAll();
    }
    {
        CLock lock(m_txLock);
        m_tx.ReleaseAll();
    }
    return true;
}

CVaskLine::~CVaskLine() {
    {
        CLock lock(m_rxLock);
        m_rx.ReleaseAll();
    }
    {
        CLock lock(m_txLock);
        m_tx.ReleaseAll();
    }
    if (m_sink) m_sink->Detach();
    if (m_advised) m_point->Unadvise(m_cookie);
    if (m_point) m_point->Release();
    if (m_sink) m_sink->Release();
    m_server->ReleaseUse();
    m_server->Release();
    m_itf->Release();
    DeleteCriticalSection(&m_txLock);
    DeleteCriticalSection(&m_rxLock);
}

// Configuration access requires an advised sink and connection point.
HRESULT CVaskLine::ReadConfiguration(LineRecord* record) {
    if (!m_advised) return E_FAIL;
    return m_itf->ReadConfiguration(record);
}

HRESULT CVaskLine::WriteConfiguration(const LineRecord& record) {
    if (!m_advised) return E_FAIL;
    return m_itf->WriteConfiguration(record);
}

bool CVaskLine::QueueReceive(CRxRequest* request) {
    CLock lock(m_rxLock);
    if (m_closed) return false;
    m_rx.Push(request);
    return true;
}

bool CVaskLine::QueueTransmit(CTxRequest* request) {
    CLock lock(m_txLock);
    if (m_closed) return false;
    m_tx.Push(request);
    return true;
}

void CVaskLine::CancelReceive(CRxRequest* request) {
    CLock lock(m_rxLock);
    m_rx.Remove(request);
}

bool CVaskLine::CancelTransmit(CTxRequest* request) {
    CLock lock(m_txLock);
    return m_tx.Remove(request);
}

CRxRequest* CVaskLine::TakeReceive() {
    CLock lock(m_rxLock);
    return m_rx.Pop();
}

// Transmits complete in the order they were queued: every request ahead of the reported
// one is superseded (11).  The queue is re-checked for each request, because the reported
// one may be cancelled meanwhile; the cookie itself is only compared, never followed.
void CVaskLine::CompleteTransmits(const void* reported, LONG status) {
    for (;;) {
        CTxRequest* request;
        {
            CLock lock(m_txLock);
            if (!m_tx.Contains(reported)) return;
            request = m_tx.Pop();
        }
        bool last = request == reported;
        request->Complete(last ? TransmitResult(status) : LONG{VG_LINE_FAILED});
        request->Release();
        if (last) return;
    }
}

// ---- requests

CRequest::CRequest(CVaskClient* client, CVaskLine* line, void* context)
    : m_client(client), m_line(line), m_context(context) {
    client->AddRef();
    line->AddRef();
}

CRequest::~CRequest() {
    m_line->Release();
    m_client->Release();
}

CTxRequest* CTxRequest::Create(CVaskClient* client, CVaskLine* line, VGTransmitCallback callback,
                               void* context) {
    CTxRequest* request = new (std::nothrow) CTxRequest(client, line, callback, context);
    if (request && !request->RegisterHandle(kTxRequest)) {
        request->Release();
        request = nullptr;
    }
    return request;
}

namespace {

template <class T>
T* LiveRequest(const void* handle, HandleKind kind) {
    T* request = FindHandleOf<T>(handle, kind);
    if (request && request->Ended()) {
        request->Release();
        request = nullptr;
    }
    return request;
}

}  // namespace

CTxRequest* CTxRequest::FromHandle(const void* handle) {
    return LiveRequest<CTxRequest>(handle, kTxRequest);
}

void CTxRequest::Complete(LONG result) {
    TransmittedNote note = {result, this};
    // A window that no longer exists drops the notification.
    SendMessageA(Client()->Window(), kMsgTransmitted, 0, reinterpret_cast<LPARAM>(&note));
}

void CTxRequest::Callback(LONG result) {
    try {
        m_callback(reinterpret_cast<HVGTRANSMIT>(this), static_cast<VG_ERROR>(result), Context());
    } catch (...) {
        // The caller's exception must not unwind through the window procedure.
    }
}

CRxRequest* CRxRequest::Create(CVaskClient* client, CVaskLine* line, VGReceiveCallback callback,
                               void* context) {
    CRxRequest* request = new (std::nothrow) CRxRequest(client, line, callback, context);
    if (request && !request->RegisterHandle(kRxRequest)) {
        request->Release();
        request = nullptr;
    }
    return request;
}

CRxRequest* CRxRequest::FromHandle(const void* handle) {
    return LiveRequest<CRxRequest>(handle, kRxRequest);
}

void CRxRequest::Complete(BYTE source, BYTE second, LONG length, const BYTE* data) {
    AcquireSRWLockExclusive(&m_dataLock);
    m_holdsData = true;
    m_length = length;
    m_data = data;
    ReleaseSRWLockExclusive(&m_dataLock);

    ReceivedNote note = {VG_OK, source, second, this};
    SendMessageA(Client()->Window(), kMsgReceived, 0, reinterpret_cast<LPARAM>(&note));
    // The data belongs to the server and is gone once this call returns.
    DropData();
}

void CRxRequest::DropData() {
    AcquireSRWLockExclusive(&m_dataLock);
    m_holdsData = false;
    m_length = 0;
    m_data = nullptr;
    ReleaseSRWLockExclusive(&m_dataLock);
}

void CRxRequest::Callback(BYTE source, BYTE second, LONG result) {
    try {
        m_callback(reinterpret_cast<HVGRECEIVE>(this), source, second,
                   static_cast<VG_ERROR>(result), Context());
    } catch (...) {}
}

VG_ERROR CRxRequest::CopyData(unsigned char* buffer, unsigned* size) {
    AcquireSRWLockShared(&m_dataLock);
    VG_ERROR rc;
    unsigned length = static_cast<unsigned>(m_length);
    if (!m_holdsData) {
        rc = VG_NO_DATA;
    } else if (*size < length || (!buffer && length > 0)) {
        *size = length;
        rc = VG_BUFFER_TOO_SMALL;
    } else {
        if (length > 0) memcpy(buffer, m_data, length);
        *size = length;
        rc = VG_OK;
    }
    ReleaseSRWLockShared(&m_dataLock);
    return rc;
}

}  // namespace vaskgate
