// The COM objects of the stand-in: class factory, gateway, lines and their connection points.
#include "link.h"
#include "objects.h"

#include <new>

namespace gwsim {

namespace {

// Reference counting shared by the objects below.
class Counted {
protected:
    Counted() { InterlockedIncrement(&g_moduleUsers); }
    virtual ~Counted() { InterlockedDecrement(&g_moduleUsers); }
    ULONG Add() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG Drop() {
        LONG n = InterlockedDecrement(&m_refs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }

private:
    volatile LONG m_refs = 1;
};

class Line;

// The line's connection point for the line events; it lives as long as its line and shares
// the line's count.
class LinePoint : public IConnectionPoint {
public:
    explicit LinePoint(Line* line) : m_line(line) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }

private:
    Line* m_line;
};

class Line : public IVaskLineGW, public IConnectionPointContainer, private Counted {
public:
    Line(Link* link, size_t index) : m_link(link), m_index(index), m_point(this) {
        link->AddUser();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IVaskLineGW))
            *out = static_cast<IVaskLineGW*>(this);
        else if (IsEqualIID(iid, IID_IConnectionPointContainer))
            *out = static_cast<IConnectionPointContainer*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

    HRESULT STDMETHODCALLTYPE NextLine(IVaskLineGW** next) override {
        if (!next) return E_POINTER;
        *next = nullptr;
        if (m_index + 1 >= m_link->LineCount()) return S_FALSE;
        *next = new (std::nothrow) Line(m_link, m_index + 1);
        return *next ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE Name(BSTR* name) override {
        if (!name) return E_POINTER;
        const std::string& text = m_link->LineName(m_index);
        int n =
            MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        *name = SysAllocStringLen(nullptr, static_cast<UINT>(n));
        if (!*name) return E_OUTOFMEMORY;
        MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), *name, n);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE WriteConfiguration(LineRecord record) override {
        return m_link->WriteRecord(m_index, record);
    }
    HRESULT STDMETHODCALLTYPE ReadConfiguration(LineRecord* record) override {
        if (!record) return E_POINTER;
        return m_link->ReadRecord(m_index, record);
    }
    HRESULT STDMETHODCALLTYPE Transmit(ULONG_PTR cookie, LONG destination, LONG length,
                                       const BYTE* data) override {
        if (destination < 0 || destination > 0xFF || length < 0 || (length > 0 && !data))
            return E_INVALIDARG;
        try {
            return m_link->Transmit(m_index, cookie, static_cast<uint8_t>(destination), data,
                                    static_cast<size_t>(length));
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, kIID_IVaskLineEventsGW)) return CONNECT_E_NOCONNECTION;
        *out = &m_point;
        AddRef();
        return S_OK;
    }

    Link* GetLink() const { return m_link; }
    size_t Index() const { return m_index; }

private:
    ~Line() override { m_link->ReleaseUser(); }

    Link* m_link;
    size_t m_index;
    LinePoint m_point;
};

HRESULT STDMETHODCALLTYPE LinePoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE LinePoint::AddRef() { return m_line->AddRef(); }
ULONG STDMETHODCALLTYPE LinePoint::Release() { return m_line->Release(); }

HRESULT STDMETHODCALLTYPE LinePoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = kIID_IVaskLineEventsGW;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE LinePoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = m_line;
    m_line->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE LinePoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    IVaskLineEventsGW* events = nullptr;
    if (FAILED(sink->QueryInterface(kIID_IVaskLineEventsGW, reinterpret_cast<void**>(&events))) ||
        !events)
        return CONNECT_E_CANNOTCONNECT;
    HRESULT hr;
    try {
        hr = m_line->GetLink()->Advise(m_line->Index(), events, cookie);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    }
    events->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE LinePoint::Unadvise(DWORD cookie) {
    return m_line->GetLink()->Unadvise(m_line->Index(), cookie);
}

class Gateway : public IVaskConnectionGW, private Counted {
public:
    explicit Gateway(Link* link) : m_link(link) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIID_IVaskConnectionGW)) {
            *out = static_cast<IVaskConnectionGW*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

    HRESULT STDMETHODCALLTYPE FirstLine(IVaskLineGW** line) override {
        if (!line) return E_POINTER;
        *line = nullptr;
        if (m_link->LineCount() == 0) return S_FALSE;
        *line = new (std::nothrow) Line(m_link, 0);
        return *line ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~Gateway() override { m_link->ReleaseUser(); }  // holds the link's first user
    Link* m_link;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // One static factory: its references only keep the module loaded.
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&g_moduleUsers));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        return static_cast<ULONG>(InterlockedDecrement(&g_moduleUsers));
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        // Each gateway object is one connection to the gateway side.
        Link* link = nullptr;
        HRESULT hr = Link::Open(&link);
        if (FAILED(hr)) return hr;
        Gateway* gateway = new (std::nothrow) Gateway(link);
        if (!gateway) {
            link->ReleaseUser();
            return E_OUTOFMEMORY;
        }
        hr = gateway->QueryInterface(iid, out);
        gateway->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&g_moduleUsers);
        else
            InterlockedDecrement(&g_moduleUsers);
        return S_OK;
    }
};

Factory g_factory;

}  // namespace

HRESULT GetFactory(REFIID iid, void** out) { return g_factory.QueryInterface(iid, out); }

}  // namespace gwsim
