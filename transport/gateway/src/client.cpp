// The per-thread client and its hidden window, through which completions reach the thread
// that queued the request.
#include "internal.h"

namespace vaskgate {

extern DWORD g_clientSlot;

CVaskClient::CVaskClient() : m_thread(GetCurrentThreadId()) {}

VG_ERROR CVaskClient::Create() {
    CVaskClient* client = new (std::nothrow) CVaskClient();
    if (!client) return VG_OUT_OF_MEMORY;
    if (!client->RegisterHandle(kClient)) {
        client->Release();
        return VG_OUT_OF_MEMORY;
    }
    client->m_window = CreateWindowExA(0, kSyncWindowClass, nullptr, 0, 0, 0, 1, 1, nullptr,
                                       nullptr, g_module, nullptr);
    if (!client->m_window) {
        client->Release();
        return VG_OUT_OF_MEMORY;
    }
    // The slot holds the thread's own reference, the one the object was created with.
    TlsSetValue(g_clientSlot, client);
    return VG_OK;
}

CVaskClient* CVaskClient::Current() {
    if (g_clientSlot == TLS_OUT_OF_INDEXES) return nullptr;
    void* slot = TlsGetValue(g_clientSlot);
    if (!slot) return nullptr;
    // The client may have died on another thread (the last request released by the sink),
    // which cannot clear this thread's slot: only a live client of this thread counts.
    CVaskClient* client = FindHandleOf<CVaskClient>(slot, kClient);
    if (client && client->m_thread == GetCurrentThreadId()) return client;
    if (client) client->Release();
    TlsSetValue(g_clientSlot, nullptr);
    return nullptr;
}

void CVaskClient::GiveUp() {
    if (InterlockedExchange(&m_threadReference, 0) == 1) Release();
}

CVaskClient::~CVaskClient() {
    bool ownThread = GetCurrentThreadId() == m_thread;
    if (m_window) {
        // A window can only be destroyed by its own thread; from any other thread ask it
        // to go (if its thread has ended, the window is gone already).
        if (ownThread)
            DestroyWindow(m_window);
        else
            PostMessageA(m_window, kMsgDestroyWindow, 0, 0);
    }
    if (ownThread && g_clientSlot != TLS_OUT_OF_INDEXES && TlsGetValue(g_clientSlot) == this)
        TlsSetValue(g_clientSlot, nullptr);
}

LRESULT CALLBACK SyncWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMsgReceived: {
            auto* note = reinterpret_cast<const ReceivedNote*>(lParam);
            if (!note) return 0;
            CRef<CRxRequest> request(CRxRequest::FromHandle(note->request));
            if (request) {
                request->Callback(note->source, note->second, note->result);
                // Also on this thread the data is gone once the callback has returned, before
                // the server's thread gets to take it back.
                request->DropData();
            }
            return 0;
        }
        case kMsgTransmitted: {
            auto* note = reinterpret_cast<const TransmittedNote*>(lParam);
            if (!note) return 0;
            CRef<CTxRequest> request(CTxRequest::FromHandle(note->request));
            if (request) request->Callback(note->result);
            return 0;
        }
        case kMsgDestroyWindow: DestroyWindow(window); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace vaskgate
