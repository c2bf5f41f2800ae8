// The exported VG functions.  Each one but VGInitialize needs the calling thread's client
// and checks its handle before it does anything.
#include "internal.h"

#include <string.h>

using namespace vaskgate;

namespace {

#define VG_REQUIRE_CLIENT(client)                     \
    CRef<CVaskClient> client(CVaskClient::Current()); \
    if (!client) return VG_NOT_INITIALIZED

VG_ERROR FirstLine(CVaskServer* server, CVaskLine** out) {
    *out = nullptr;
    IGateway* gateway = server->Gateway();
    if (!gateway) return VG_NOT_CONNECTED;
    IGatewayLine* itf = nullptr;
    HRESULT hr = gateway->FirstLine(&itf);
    gateway->Release();
    if (FAILED(hr) || !itf) return VG_NO_LINE;
    return CVaskLine::Create(server, itf, out);
}

VG_ERROR NextLine(CVaskLine* line, CVaskLine** out) {
    *out = nullptr;
    IGatewayLine* itf = nullptr;
    HRESULT hr = line->Interface()->NextLine(&itf);
    if (FAILED(hr) || !itf) return VG_NO_LINE;
    return CVaskLine::Create(line->Server(), itf, out);
}

// Closes a line handle held by the library itself.
void CloseOwnLine(CVaskLine* line) {
    line->Close();
    line->Release();
}

VG_ERROR LineName(CVaskLine* line, char* buffer, unsigned* size) {
    BSTR name = nullptr;
    if (FAILED(line->Interface()->Name(&name))) return VG_LINE_FAILED;
    int wide = static_cast<int>(SysStringLen(name));
    int length =
        wide ? WideCharToMultiByte(CP_ACP, 0, name, wide, nullptr, 0, nullptr, nullptr) : 0;
    unsigned needed = static_cast<unsigned>(length) + 1;
    VG_ERROR rc = VG_OK;
    if (!buffer || *size < needed) {
        rc = VG_BUFFER_TOO_SMALL;
    } else {
        if (length) WideCharToMultiByte(CP_ACP, 0, name, wide, buffer, length, nullptr, nullptr);
        buffer[length] = '\0';
    }
    *size = needed;
    SysFreeString(name);
    return rc;
}

}  // namespace

extern "C" {

VASKGATE_API VG_ERROR VGAPI VGInitialize(void) {
    if (CVaskClient* client = CVaskClient::Current()) {
        client->Release();
        return VG_ALREADY_INITIALIZED;
    }
    return CVaskClient::Create();
}

VASKGATE_API VG_ERROR VGAPI VGUninitialize(void) {
    VG_REQUIRE_CLIENT(client);
    client->GiveUp();
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGConnect(const char* serverName, HVGSERVER* server) {
    VG_REQUIRE_CLIENT(client);
    if (!server) return VG_INVALID_SERVER;
    *server = nullptr;
    if (!serverName) return VG_INVALID_SERVER;
    CVaskServer* s = nullptr;
    VG_ERROR rc = CVaskServer::Open(serverName, &s);
    if (rc == VG_OK) *server = reinterpret_cast<HVGSERVER>(s);
    return rc;
}

VASKGATE_API VG_ERROR VGAPI VGDisconnect(HVGSERVER server) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskServer> s(CVaskServer::FromHandle(server));
    if (!s || !s->GiveUpHandle()) return VG_INVALID_SERVER;
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGGetFirstLine(HVGSERVER server, HVGLINE* line) {
    VG_REQUIRE_CLIENT(client);
    if (!line) return VG_INVALID_SERVER;
    *line = nullptr;
    CRef<CVaskServer> s(CVaskServer::FromHandle(server));
    if (!s) return VG_INVALID_SERVER;
    CVaskLine* l = nullptr;
    VG_ERROR rc = FirstLine(s.Get(), &l);
    *line = reinterpret_cast<HVGLINE>(l);
    return rc;
}

VASKGATE_API VG_ERROR VGAPI VGGetNextLine(HVGLINE line, HVGLINE* next) {
    VG_REQUIRE_CLIENT(client);
    if (!next) return VG_INVALID_LINE;
    *next = nullptr;
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l) return VG_INVALID_LINE;
    CVaskLine* n = nullptr;
    VG_ERROR rc = NextLine(l.Get(), &n);
    *next = reinterpret_cast<HVGLINE>(n);
    return rc;
}

VASKGATE_API VG_ERROR VGAPI VGOpenLine(HVGSERVER server, const char* lineName, HVGLINE* line) {
    VG_REQUIRE_CLIENT(client);
    if (!line) return VG_INVALID_SERVER;
    *line = nullptr;
    CRef<CVaskServer> s(CVaskServer::FromHandle(server));
    if (!s || !lineName) return VG_INVALID_SERVER;
    CVaskLine* current = nullptr;
    VG_ERROR rc = FirstLine(s.Get(), &current);
    if (rc != VG_OK) return rc;
    const unsigned wanted = static_cast<unsigned>(strlen(lineName)) + 1;
    for (;;) {
        unsigned size = 0;
        rc = LineName(current, nullptr, &size);
        if (rc != VG_BUFFER_TOO_SMALL) {
            CloseOwnLine(current);
            return rc;
        }
        if (size == wanted) {
            char* name = new (std::nothrow) char[size];
            if (!name) {
                CloseOwnLine(current);
                return VG_OUT_OF_MEMORY;
            }
            rc = LineName(current, name, &size);
            bool same = rc == VG_OK && strcmp(name, lineName) == 0;
            delete[] name;
            if (rc != VG_OK) {
                CloseOwnLine(current);
                return rc;
            }
            if (same) {
                *line = reinterpret_cast<HVGLINE>(current);
                return VG_OK;
            }
        }
        CVaskLine* next = nullptr;
        rc = NextLine(current, &next);
        CloseOwnLine(current);
        if (rc != VG_OK) return rc;
        current = next;
    }
}

VASKGATE_API VG_ERROR VGAPI VGCloseLine(HVGLINE line) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l || !l->Close()) return VG_INVALID_LINE;
    l->Release();  // the handle's reference
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGGetLineName(HVGLINE line, char* buffer, unsigned* size) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l || !size) return VG_INVALID_LINE;
    return LineName(l.Get(), buffer, size);
}

VASKGATE_API VG_ERROR VGAPI VGConfigureLine(HVGLINE line, HWND parent) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l) return VG_INVALID_LINE;
    return RunLineConfiguration(l.Get(), parent);
}

VASKGATE_API VG_ERROR VGAPI VGGetLineAddress(HVGLINE line, unsigned char* address) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l || !address) return VG_INVALID_LINE;
    LineRecord record;
    if (FAILED(l->ReadConfiguration(&record))) return VG_LINE_FAILED;
    *address = record.bytes[kRecordAddress];
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGSetLineAddress(HVGLINE line, int address) {
    VG_REQUIRE_CLIENT(client);
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l) return VG_INVALID_LINE;
    const BYTE own = static_cast<BYTE>(address & 0xFF);
    if (own > 14) return VG_INVALID_ADDRESS;
    LineRecord record;
    if (FAILED(l->ReadConfiguration(&record))) return VG_LINE_FAILED;
    record.bytes[kRecordAddress] = own;
    if (FAILED(l->WriteConfiguration(record))) return VG_LINE_FAILED;
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGReceive(HVGLINE line, HVGRECEIVE* request, VGReceiveCallback callback,
                                      void* context) {
    VG_REQUIRE_CLIENT(client);
    if (request) *request = nullptr;
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l || !callback) return VG_INVALID_LINE;
    CRef<CRxRequest> r(CRxRequest::Create(client.Get(), l.Get(), callback, context));
    if (!r) return VG_OUT_OF_MEMORY;
    if (!l->QueueReceive(r.Get())) return VG_INVALID_LINE;
    if (request) *request = reinterpret_cast<HVGRECEIVE>(r.Get());
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGTransmit(HVGLINE line, int destination, const unsigned char* data,
                                       int length, HVGTRANSMIT* request,
                                       VGTransmitCallback callback, void* context) {
    VG_REQUIRE_CLIENT(client);
    if (request) *request = nullptr;
    CRef<CVaskLine> l(CVaskLine::FromHandle(line));
    if (!l || !callback) return VG_INVALID_LINE;
    if (length < 0 || (length > 0 && !data)) return VG_LINE_FAILED;
    CRef<CTxRequest> r(CTxRequest::Create(client.Get(), l.Get(), callback, context));
    if (!r) return VG_OUT_OF_MEMORY;
    if (!l->QueueTransmit(r.Get())) return VG_INVALID_LINE;
    if (request) *request = reinterpret_cast<HVGTRANSMIT>(r.Get());
    HRESULT hr =
        l->Interface()->Transmit(reinterpret_cast<ULONG_PTR>(r.Get()), destination, length, data);
    if (FAILED(hr)) {
        // Refused: no callback follows.
        l->CancelTransmit(r.Get());
        if (request) *request = nullptr;
        return VG_LINE_FAILED;
    }
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGReceiveData(HVGRECEIVE request, unsigned char* buffer,
                                          unsigned* size) {
    VG_REQUIRE_CLIENT(client);
    CRef<CRxRequest> r(CRxRequest::FromHandle(request));
    if (!r || !size) return VG_INVALID_RECEIVE;
    return r->CopyData(buffer, size);
}

VASKGATE_API VG_ERROR VGAPI VGCancelReceive(HVGRECEIVE request) {
    VG_REQUIRE_CLIENT(client);
    CRef<CRxRequest> r(CRxRequest::FromHandle(request));
    if (!r) return VG_INVALID_RECEIVE;
    // Also when the server has taken it off the queue already: no callback follows.
    r->End();
    r->Line()->CancelReceive(r.Get());
    return VG_OK;
}

VASKGATE_API VG_ERROR VGAPI VGCancelTransmit(HVGTRANSMIT request) {
    VG_REQUIRE_CLIENT(client);
    CRef<CTxRequest> r(CTxRequest::FromHandle(request));
    if (!r) return VG_INVALID_TRANSMIT;
    r->End();
    r->Line()->CancelTransmit(r.Get());
    return VG_OK;
}

}  // extern "C"
