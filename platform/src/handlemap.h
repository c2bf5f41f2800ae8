// Handle maps of the wrappers (GDI objects, device contexts, windows, menus, image lists):
// which wrapper owns a handle (process-wide), and the temporary wrappers that FromHandle
// makes for handles nobody owns (per thread).
#pragma once

#include "internal.h"

#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace vfc {

class HandleMap {
public:
    // Forgets a temporary wrapper's handle so that deleting the wrapper leaves it alone.
    typedef void (*ForgetHandle)(CObject* pObject);

    explicit HandleMap(ForgetHandle forget);
    ~HandleMap();

    // Records pOwner as the owner of h; FALSE when another wrapper owns it.
    bool Claim(void* h, CObject* pOwner);
    // Ends pOwner's ownership of h (nothing when h belongs to another wrapper).
    void Release(void* h, CObject* pOwner);
    // The owner of h, NULL when nobody owns it.
    CObject* Owner(void* h);

    // The owner of h when it is of class pClass, else the calling thread's temporary wrapper
    // of that class for h, made by pClass->CreateObject() and given h by setHandle.
    CObject* FromHandle(void* h, const CRuntimeClass* pClass, void (*setHandle)(CObject*, void*));
    // Deletes the calling thread's temporary wrappers.
    void DeleteTemp();

private:
    typedef std::map<std::pair<void*, const CRuntimeClass*>, CObject*> TempMap;

    ForgetHandle m_forget;
    std::mutex m_lock;
    std::unordered_map<void*, CObject*> m_owners;
    std::unordered_map<DWORD, TempMap> m_temp;  // by thread id
};

// The maps of GDI objects, device contexts, windows, menus and image lists; they live as
// long as the process.
HandleMap& GdiObjectMap();
HandleMap& DcMap();
HandleMap& WindowMap();
HandleMap& MenuMap();
HandleMap& ImageListMap();

}  // namespace vfc
