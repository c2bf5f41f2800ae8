// Handle maps of the GDI wrappers.
#include "handlemap.h"

#include <vector>

namespace vfc {

namespace {

void ForgetGdiHandle(CObject* pObject) { static_cast<CGdiObject*>(pObject)->m_hObject = NULL; }

void ForgetDcHandles(CObject* pObject) {
    CDC* pDC = static_cast<CDC*>(pObject);
    pDC->m_hDC = NULL;
    pDC->m_hAttribDC = NULL;
}

void ForgetWindow(CObject* pObject) { static_cast<CWnd*>(pObject)->m_hWnd = NULL; }
void ForgetMenu(CObject* pObject) { static_cast<CMenu*>(pObject)->m_hMenu = NULL; }
void ForgetImageList(CObject* pObject) { static_cast<CImageList*>(pObject)->m_hImageList = NULL; }

}  // namespace

HandleMap::HandleMap(ForgetHandle forget) : m_forget(forget) {}

HandleMap::~HandleMap() {}

bool HandleMap::Claim(void* h, CObject* pOwner) {
    std::lock_guard<std::mutex> lock(m_lock);
    auto inserted = m_owners.emplace(h, pOwner);
    return inserted.second || inserted.first->second == pOwner;
}

void HandleMap::Release(void* h, CObject* pOwner) {
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_owners.find(h);
    if (it != m_owners.end() && it->second == pOwner) m_owners.erase(it);
}

CObject* HandleMap::Owner(void* h) {
    std::lock_guard<std::mutex> lock(m_lock);
    auto it = m_owners.find(h);
    return it == m_owners.end() ? NULL : it->second;
}

CObject* HandleMap::FromHandle(void* h, const CRuntimeClass* pClass,
                               void (*setHandle)(CObject*, void*)) {
    if (h == NULL) return NULL;
    std::lock_guard<std::mutex> lock(m_lock);
    auto owner = m_owners.find(h);
    if (owner != m_owners.end() && owner->second->IsKindOf(pClass)) return owner->second;
    TempMap& temp = m_temp[GetCurrentThreadId()];
    const auto key = std::make_pair(h, pClass);
    auto found = temp.find(key);
    if (found != temp.end()) return found->second;
    CObject* pTemp = pClass->CreateObject();
    if (pTemp == NULL) AfxThrowMemoryException();
    setHandle(pTemp, h);
    temp.emplace(key, pTemp);
    return pTemp;
}

void HandleMap::DeleteTemp() {
    std::vector<CObject*> doomed;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        auto it = m_temp.find(GetCurrentThreadId());
        if (it == m_temp.end()) return;
        for (auto& entry : it->second) doomed.push_back(entry.second);
        m_temp.erase(it);
    }
    for (CObject* pObject : doomed) {
        m_forget(pObject);
        delete pObject;
    }
}

// Never destroyed: wrappers may still be released while the process ends.
HandleMap& GdiObjectMap() {
    static HandleMap* map = new HandleMap(ForgetGdiHandle);
    return *map;
}

HandleMap& DcMap() {
    static HandleMap* map = new HandleMap(ForgetDcHandles);
    return *map;
}

HandleMap& WindowMap() {
    static HandleMap* map = new HandleMap(ForgetWindow);
    return *map;
}

HandleMap& MenuMap() {
    static HandleMap* map = new HandleMap(ForgetMenu);
    return *map;
}

HandleMap& ImageListMap() {
    static HandleMap* map = new HandleMap(ForgetImageList);
    return *map;
}

}  // namespace vfc
