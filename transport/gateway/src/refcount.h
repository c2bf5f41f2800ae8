// The library's own building blocks: a reference-counted base whose objects can be given
// out as handles, and intrusive lists and queues that hold a reference on each element.
#pragma once

#include <windows.h>

namespace vaskgate {

// What a handle denotes; a handle is checked against the table of live objects before use.
enum HandleKind { kNoHandle = 0, kClient, kServer, kLine, kRxRequest, kTxRequest };

class CRefCount {
public:
    CRefCount() : m_count(1), m_kind(kNoHandle) {}
    CRefCount(const CRefCount&) = delete;
    CRefCount& operator=(const CRefCount&) = delete;

    // Objects are released on the sink's thread and on the client threads alike, so the
    // count moves only through interlocked operations.
    LONG AddRef() { return InterlockedIncrement(&m_count); }
    LONG Release();
    // Takes a reference unless the count has already reached 0 (the object is being
    // destroyed by another thread).
    bool TryAddRef();
    LONG Count() const { return m_count; }

    // Enters the object into the table of live handles; false when out of memory.
    bool RegisterHandle(HandleKind kind);
    // A new reference to the live object of that kind that the handle denotes, or null.
    static CRefCount* FindHandle(const void* handle, HandleKind kind);

protected:
    virtual ~CRefCount();

private:
    volatile LONG m_count;
    HandleKind m_kind;
};

// A reference held for a scope.
template <class T>
class CRef {
public:
    CRef() : m_p(nullptr) {}
    explicit CRef(T* adopted) : m_p(adopted) {}
    CRef(const CRef&) = delete;
    CRef& operator=(const CRef&) = delete;
    ~CRef() {
        if (m_p) m_p->Release();
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T* Detach() {
        T* p = m_p;
        m_p = nullptr;
        return p;
    }
    void Reset(T* adopted = nullptr) {
        if (m_p) m_p->Release();
        m_p = adopted;
    }

private:
    T* m_p;
};

template <class T>
T* FindHandleOf(const void* handle, HandleKind kind) {
    return static_cast<T*>(CRefCount::FindHandle(handle, kind));
}

class COwned;

// The element side of a container: the container it belongs to and the next element.
class CLinkable : public CRefCount {
public:
    COwned* Owner() const { return m_owner; }

private:
    friend class COwned;
    COwned* m_owner = nullptr;
    CLinkable* m_next = nullptr;
};

// The owner side: a singly linked chain with head and tail.  A container holds one
// reference on each element it links; unlinking releases it (or hands it to the caller).
// Containers do no locking of their own: their owners guard them.
class COwned {
public:
    COwned() = default;
    COwned(const COwned&) = delete;
    COwned& operator=(const COwned&) = delete;
    ~COwned() { ReleaseAll(); }

    bool IsEmpty() const { return m_head == nullptr; }
    // Compares pointers only: the element need not be alive.
    bool Contains(const void* element) const;
    void ReleaseAll();

protected:
    void LinkHead(CLinkable* e);
    void LinkTail(CLinkable* e);
    CLinkable* UnlinkHead();           // the container's reference goes to the caller
    bool Unlink(const void* element);  // releases the container's reference
    CLinkable* First() const { return m_head; }
    static CLinkable* Next(const CLinkable* e) { return e->m_next; }

private:
    CLinkable* m_head = nullptr;
    CLinkable* m_tail = nullptr;
};

template <class T>
class CList : public COwned {
public:
    void Add(T* e) { LinkHead(e); }
    bool Remove(const void* e) { return Unlink(e); }
    // The first element for which pred holds, with a new reference, or null.
    template <class Pred>
    T* Find(Pred pred) const {
        for (CLinkable* e = First(); e; e = Next(e)) {
            T* t = static_cast<T*>(e);
            if (pred(t)) {
                t->AddRef();
                return t;
            }
        }
        return nullptr;
    }
};

template <class T>
class CQueue : public COwned {
public:
    void Push(T* e) { LinkTail(e); }
    T* Pop() { return static_cast<T*>(UnlinkHead()); }
    bool Remove(const void* e) { return Unlink(e); }
};

}  // namespace vaskgate
