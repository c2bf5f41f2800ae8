#include "refcount.h"

#include <new>
#include <unordered_map>

namespace vaskgate {

namespace {

// The live handles of the process.  A handle's object enters at creation and leaves in the
// destructor of its root base, before its memory is freed; a lookup takes its reference
// under the same lock, so it never touches freed memory.
SRWLOCK g_handleLock = SRWLOCK_INIT;

std::unordered_map<const void*, HandleKind>& Handles() {
    static auto* handles = new std::unordered_map<const void*, HandleKind>();
    return *handles;
}

}  // namespace

LONG CRefCount::Release() {
    LONG n = InterlockedDecrement(&m_count);
    if (n == 0) delete this;
    return n > 0 ? n : 0;
}

bool CRefCount::TryAddRef() {
    for (;;) {
        LONG n = m_count;
        if (n <= 0) return false;
        if (InterlockedCompareExchange(&m_count, n + 1, n) == n) return true;
    }
}

bool CRefCount::RegisterHandle(HandleKind kind) {
    AcquireSRWLockExclusive(&g_handleLock);
    bool ok = true;
    try {
        Handles()[this] = kind;
        m_kind = kind;
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ReleaseSRWLockExclusive(&g_handleLock);
    return ok;
}

CRefCount* CRefCount::FindHandle(const void* handle, HandleKind kind) {
    if (!handle) return nullptr;
    CRefCount* found = nullptr;
    AcquireSRWLockShared(&g_handleLock);
    auto it = Handles().find(handle);
    if (it != Handles().end() && it->second == kind) {
        auto* object = static_cast<CRefCount*>(const_cast<void*>(it->first));
        if (object->TryAddRef()) found = object;
    }
    ReleaseSRWLockShared(&g_handleLock);
    return found;
}

CRefCount::~CRefCount() {
    if (m_kind != kNoHandle) {
        AcquireSRWLockExclusive(&g_handleLock);
        Handles().erase(this);
        ReleaseSRWLockExclusive(&g_handleLock);
    }
}

bool COwned::Contains(const void* element) const {
    for (CLinkable* e = m_head; e; e = e->m_next)
        if (e == element) return true;
    return false;
}

void COwned::ReleaseAll() {
    while (CLinkable* e = UnlinkHead()) e->Release();
}

void COwned::LinkHead(CLinkable* e) {
    e->AddRef();
    e->m_owner = this;
    e->m_next = m_head;
    m_head = e;
    if (!m_tail) m_tail = e;
}

void COwned::LinkTail(CLinkable* e) {
    e->AddRef();
    e->m_owner = this;
    e->m_next = nullptr;
    if (m_tail)
        m_tail->m_next = e;
    else
        m_head = e;
    m_tail = e;
}

CLinkable* COwned::UnlinkHead() {
    CLinkable* e = m_head;
    if (!e) return nullptr;
    m_head = e->m_next;
    if (!m_head) m_tail = nullptr;
    e->m_next = nullptr;
    e->m_owner = nullptr;
    return e;
}

bool COwned::Unlink(const void* element) {
    CLinkable* prev = nullptr;
    for (CLinkable* e = m_head; e; prev = e, e = e->m_next) {
        if (e != element) continue;
        if (prev)
            prev->m_next = e->m_next;
        else
            m_head = e->m_next;
        if (m_tail == e) m_tail = prev;
        e->m_next = nullptr;
        e->m_owner = nullptr;
        e->Release();
        return true;
    }
    return false;
}

}  // namespace vaskgate
