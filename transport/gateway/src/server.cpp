// Connections to gateway servers, shared by all threads of the process.
#include "internal.h"

#include <string.h>

namespace vaskgate {

namespace {

// Lines die on the sink's thread as well as on client threads, and every client thread may
// connect: the list and the use counts are guarded by one lock.
SRWLOCK g_serverLock = SRWLOCK_INIT;
// Never destroyed by the runtime: at process exit the servers' DLLs may be gone already.
CList<CVaskServer>& g_servers = *new CList<CVaskServer>();

class CServerLock {
public:
    CServerLock() { AcquireSRWLockExclusive(&g_serverLock); }
    ~CServerLock() { ReleaseSRWLockExclusive(&g_serverLock); }
};

BSTR MakeBstr(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 0) return nullptr;
    BSTR s = SysAllocStringLen(nullptr, n - 1);
    if (s) MultiByteToWideChar(CP_ACP, 0, text, -1, s, n);
    return s;
}

}  // namespace

VG_ERROR CVaskServer::Connect(const char* name, CVaskServer** out) {
    *out = nullptr;
    CRef<CVaskServer> server(new (std::nothrow) CVaskServer());
    if (!server) return VG_OUT_OF_MEMORY;
    size_t length = strlen(name);
    server->m_name = new (std::nothrow) char[length + 1];
    if (!server->m_name) return VG_OUT_OF_MEMORY;
    memcpy(server->m_name, name, length + 1);
    BSTR host = MakeBstr(name);
    if (!host) return VG_OUT_OF_MEMORY;

    // The class is looked up at each connection, so that a server registered after this
    // library was loaded is found too.
    CLSID clsid;
    IClassFactory* factory = nullptr;
    HRESULT hr = CLSIDFromProgID(L"VGWCE.VaskConnectionGW", &clsid);
    if (SUCCEEDED(hr)) {
        COSERVERINFO info = {};
        info.pwszName = host;
        hr = CoGetClassObject(clsid,
                              CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                              &info, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    }
    SysFreeString(host);
    if (FAILED(hr) || !factory) return VG_NO_CLASS_OBJECT;

    IUnknown* unknown = nullptr;
    hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    factory->Release();
    if (FAILED(hr) || !unknown) return VG_NO_INSTANCE;
    IGateway* gateway = nullptr;
    hr = unknown->QueryInterface(kIID_IGateway, reinterpret_cast<void**>(&gateway));
    unknown->Release();
    if (FAILED(hr) || !gateway) return VG_NO_GATEWAY_INTERFACE;
    server->m_gateway = gateway;
    if (!server->RegisterHandle(kServer)) return VG_OUT_OF_MEMORY;
    *out = server.Detach();
    return VG_OK;
}

VG_ERROR CVaskServer::Open(const char* name, CVaskServer** out) {
    *out = nullptr;
    auto sameName = [name](CVaskServer* s) { return s->m_name && strcmp(s->m_name, name) == 0; };
    {
        CServerLock lock;
        if (CVaskServer* existing = g_servers.Find(sameName)) {
            if (existing->m_uses != 0) {
                existing->Release();
                return VG_ALREADY_CONNECTED;
            }
            existing->m_uses = 1;
            existing->m_handleOut = true;
            *out = existing;
            return VG_OK;
        }
    }
    // Connecting may take a while: it runs outside the lock, and a connection to the same
    // name made meanwhile by another thread wins.
    CVaskServer* server = nullptr;
    VG_ERROR rc = Connect(name, &server);
    if (rc != VG_OK) return rc;
    {
        CServerLock lock;
        if (CVaskServer* existing = g_servers.Find(sameName)) {
            existing->Release();
            rc = VG_ALREADY_CONNECTED;
        } else {
            g_servers.Add(server);
            server->m_uses = 1;
            server->m_handleOut = true;
            *out = server;
            return VG_OK;
        }
    }
    server->Release();
    return rc;
}

CVaskServer* CVaskServer::FromHandle(const void* handle) {
    CVaskServer* server = FindHandleOf<CVaskServer>(handle, kServer);
    if (!server) return nullptr;
    bool given;
    {
        CServerLock lock;
        given = server->m_handleOut;
    }
    if (given) return server;
    server->Release();
    return nullptr;
}

bool CVaskServer::GiveUpHandle() {
    {
        CServerLock lock;
        if (!m_handleOut) return false;
        m_handleOut = false;
    }
    ReleaseUse();
    Release();
    return true;
}

void CVaskServer::AddUse() {
    CServerLock lock;
    ++m_uses;
}

void CVaskServer::ReleaseUse() {
    CRef<CVaskServer> keep((AddRef(), this));
    IGateway* gateway = nullptr;
    {
        CServerLock lock;
        if (m_uses > 0 && --m_uses == 0 && g_servers.Remove(this)) {
            gateway = m_gateway;
            m_gateway = nullptr;
            delete[] m_name;
            m_name = nullptr;
        }
    }
    if (gateway) gateway->Release();
}

IGateway* CVaskServer::Gateway() {
    CServerLock lock;
    if (m_gateway) m_gateway->AddRef();
    return m_gateway;
}

CVaskServer::~CVaskServer() {
    if (m_gateway) m_gateway->Release();
    delete[] m_name;
}

void ReleaseAllServers() {
    CServerLock lock;
    g_servers.ReleaseAll();
}

}  // namespace vaskgate
