// State shared by the sources of vaskfc.dll.
#pragma once

#include "vaskfc.h"

#include <unordered_map>
#include <vector>

namespace vfc {

// Thread-local slots, allocated at process attach.
extern DWORD g_tlsResource;  // the thread's current resource handle
extern DWORD g_tlsThread;    // the thread's CWinThread
extern DWORD g_tlsWindows;   // the thread's ThreadState

// The program's application object; NULL when it has none (AfxGetApp then gives a stand-in).
CWinApp* CurrentApp();

// This library's own module.
extern HMODULE g_hModule;

// Temporary objects that FromHandle makes for handles without a permanent object. Each
// thread has its own; they are deleted when the thread is idle and when it ends.
template <class Handle, class Object>
struct TempMap {
    std::unordered_map<Handle, Object*> lookup;
    std::vector<Object*> owned;  // also those the lookup no longer names
    ~TempMap() { Clear(); }
    Object* Find(Handle h) const {
        auto it = lookup.find(h);
        return it == lookup.end() ? NULL : it->second;
    }
    void Add(Handle h, Object* p) {
        lookup[h] = p;
        owned.push_back(p);
    }
    void Forget(Handle h) { lookup.erase(h); }
    void Clear();
};

// What the window layer keeps per thread.
struct ThreadState {
    ThreadState();
    ~ThreadState();
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;

    MSG lastMsg;     // the message being handled (Default, reflection)
    CWnd* pWndInit;  // the window being made by CreateEx, attached in the creation hook
    HHOOK hHookCbt;
    int nHookDepth;
    HHOOK hHookMsgFilter;  // F1 in menus

    TempMap<HWND, CWnd> tempWnds;
    TempMap<HMENU, CMenu> tempMenus;
    TempMap<HIMAGELIST, CImageList> tempImageLists;

    // Tool tips of windows with EnableToolTips.
    CToolTipCtrl* pToolTip;
    HWND hWndLastHit;
    INT_PTR nLastHit;
    TOOLINFOA lastInfo;
};

// The calling thread's state, made on first use.
ThreadState* GetThreadState();
// Frees the calling thread's state (thread end).
void FreeThreadState();
// Deletes the calling thread's temporary objects.
void DeleteTempMaps();

// The window's object as an object of pClass (a dynamically creatable window class): the
// permanent object when it is one (NULL when it is of another class), else a temporary one
// of the calling thread.
CWnd* WindowOfClass(HWND hWnd, CRuntimeClass* pClass);

// Runs a message through the object's WindowProc as the window procedure does.
LRESULT CallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// The string of the framework's own resources, used when neither the program nor an
// extension library has the id.
CString FrameworkString(UINT nID);

// The text of a command string before its first line feed (the help-line prompt), or
// after it (the tool tip).
CString PromptPart(const CString& text);
CString TipPart(const CString& text);

}  // namespace vfc

template <class Handle, class Object>
void vfc::TempMap<Handle, Object>::Clear() {
    std::vector<Object*> objects;
    objects.swap(owned);
    lookup.clear();
    for (Object* p : objects) delete p;
}
