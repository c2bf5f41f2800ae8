// Objects behind the VG functions: the per-thread client with its hidden window, the
// connections to gateway servers, the lines with their event sinks and request queues.
#pragma once

#include "VaskGate.h"
#include "gatewayitf.h"
#include "refcount.h"

#include <new>

namespace vaskgate {

// Messages of the hidden window; lParam points to a note on the sender's stack.
constexpr UINT kMsgReceived = 0x511;
constexpr UINT kMsgTransmitted = 0x512;
// Posted when a client dies on a thread that does not own its window.
constexpr UINT kMsgDestroyWindow = WM_APP + 0x511;

constexpr const char* kSyncWindowClass = "VGWSyncWindow";

class CRxRequest;
class CTxRequest;

struct ReceivedNote {
    LONG result;
    BYTE source;
    BYTE second;
    CRxRequest* request;
};

struct TransmittedNote {
    LONG result;
    CTxRequest* request;
};

// Library-wide state (library.cpp).
extern HINSTANCE g_module;
bool LibraryAttach(HINSTANCE module);
void LibraryDetach(bool processEnding);
void LibraryThreadDetach();

class CLineConfigDlg;

class CVaskClient : public CRefCount {
public:
    // Creates the calling thread's client and stores it in the thread's slot.
    static VG_ERROR Create();
    // The calling thread's live client with a new reference, or null.
    static CVaskClient* Current();

    HWND Window() const { return m_window; }
    // Gives up the thread's own reference (once); the client lives on while requests
    // hold it.
    void GiveUp();
    CList<CLineConfigDlg>& Dialogs() { return m_dialogs; }

private:
    CVaskClient();
    ~CVaskClient() override;

    HWND m_window = nullptr;
    DWORD m_thread;
    volatile LONG m_threadReference = 1;
    CList<CLineConfigDlg> m_dialogs;
};

LRESULT CALLBACK SyncWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class CVaskServer : public CLinkable {
public:
    // Connects to the named server; on success the caller holds the new object's first
    // reference.
    static VG_ERROR Connect(const char* name, CVaskServer** server);
    // A handle given to the caller and not yet disconnected, with a new reference.
    static CVaskServer* FromHandle(const void* handle);

    // VGConnect: finds or connects the server and gives out one handle to it.
    static VG_ERROR Open(const char* name, CVaskServer** server);
    // VGDisconnect: false when the handle was already given up.
    bool GiveUpHandle();

    void AddUse();
    void ReleaseUse();
    // The gateway interface with a new COM reference, or null when not connected.
    IGateway* Gateway();

private:
    CVaskServer() = default;
    ~CVaskServer() override;

    char* m_name = nullptr;
    LONG m_uses = 0;
    bool m_handleOut = false;
    IGateway* m_gateway = nullptr;
};

// Process-wide connections (server.cpp).
void ReleaseAllServers();

class CVaskLine;

class CVaskLineSink : public IGatewayLineEvents {
public:
    explicit CVaskLineSink(CVaskLine* line);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE TransmitDone(ULONG_PTR cookie, LONG status) override;
    HRESULT STDMETHODCALLTYPE Received(BYTE source, BYTE second, LONG length,
                                       const BYTE* data) override;

    // Stops reporting to the line; events that arrive afterwards are ignored.
    void Detach();

private:
    virtual ~CVaskLineSink() = default;
    CVaskLine* AcquireLine();

    volatile LONG m_refs = 1;
    SRWLOCK m_lock = SRWLOCK_INIT;
    CVaskLine* m_line;
};

class CVaskLine : public CRefCount {
public:
    // Creates the line over the gateway's line interface (adopted) and advises its sink.
    static VG_ERROR Create(CVaskServer* server, IGatewayLine* itf, CVaskLine** line);
    // An open line handle with a new reference, or null.
    static CVaskLine* FromHandle(const void* handle);

    // Drops every pending request without callbacks and stops the events; false when the
    // line was closed already.  The caller then releases the handle's reference.
    bool Close();

    CVaskServer* Server() const { return m_server; }
    IGatewayLine* Interface() const { return m_itf; }
    bool IsClosed() const { return m_closed != 0; }

    HRESULT ReadConfiguration(LineRecord* record);
    HRESULT WriteConfiguration(const LineRecord& record);

    // false when the line is closed.
    bool QueueReceive(CRxRequest* request);
    bool QueueTransmit(CTxRequest* request);
    void CancelReceive(CRxRequest* request);
    // true when the request was still queued.
    bool CancelTransmit(CTxRequest* request);

    // Sink side.
    CRxRequest* TakeReceive();
    void CompleteTransmits(const void* reported, LONG status);

private:
    CVaskLine(CVaskServer* server, IGatewayLine* itf);
    ~CVaskLine() override;

    CVaskServer* m_server;
    IGatewayLine* m_itf;
    CVaskLineSink* m_sink = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
    volatile LONG m_advised = 0;
    volatile LONG m_closed = 0;
    CRITICAL_SECTION m_txLock;
    CQueue<CTxRequest> m_tx;
    CRITICAL_SECTION m_rxLock;
    CQueue<CRxRequest> m_rx;
};

class CRequest : public CLinkable {
public:
    CVaskClient* Client() const { return m_client; }
    CVaskLine* Line() const { return m_line; }
    void* Context() const { return m_context; }

    // A request ends when it is cancelled or its line is closed.  A completion that the
    // server has already sent towards the thread's window, but that the thread has not
    // dispatched yet, must then not reach the callback: the caller may have let go of the
    // context.
    void End() { InterlockedExchange(&m_ended, 1); }
    bool Ended() const { return m_ended != 0 || m_line->IsClosed(); }

protected:
    CRequest(CVaskClient* client, CVaskLine* line, void* context);
    ~CRequest() override;

private:
    CVaskClient* m_client;
    CVaskLine* m_line;
    void* m_context;
    volatile LONG m_ended = 0;
};

class CTxRequest : public CRequest {
public:
    static CTxRequest* Create(CVaskClient* client, CVaskLine* line, VGTransmitCallback callback,
                              void* context);
    // A live request that has not ended, with a new reference, or null.
    static CTxRequest* FromHandle(const void* handle);
    // Sends the completion to the queuing thread's window and waits for the callback.
    void Complete(LONG result);
    void Callback(LONG result);

private:
    CTxRequest(CVaskClient* client, CVaskLine* line, VGTransmitCallback callback, void* context)
        : CRequest(client, line, context), m_callback(callback) {}
    VGTransmitCallback m_callback;
};

class CRxRequest : public CRequest {
public:
    static CRxRequest* Create(CVaskClient* client, CVaskLine* line, VGReceiveCallback callback,
                              void* context);
    // A live request that has not ended, with a new reference, or null.
    static CRxRequest* FromHandle(const void* handle);
    // Lends the telegram to the request for the time of its callback.
    void Complete(BYTE source, BYTE second, LONG length, const BYTE* data);
    void Callback(BYTE source, BYTE second, LONG result);
    // Ends the time in which the request lends the telegram.
    void DropData();
    VG_ERROR CopyData(unsigned char* buffer, unsigned* size);

private:
    CRxRequest(CVaskClient* client, CVaskLine* line, VGReceiveCallback callback, void* context)
        : CRequest(client, line, context), m_callback(callback) {}
    VGReceiveCallback m_callback;
    SRWLOCK m_dataLock = SRWLOCK_INIT;
    bool m_holdsData = false;
    LONG m_length = 0;
    const BYTE* m_data = nullptr;
};

// The "Line Configuration" dialog (linedlg.cpp).
VG_ERROR RunLineConfiguration(CVaskLine* line, HWND parent);

}  // namespace vaskgate
