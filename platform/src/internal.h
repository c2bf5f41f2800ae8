// State shared by the sources of vaskfc.dll.
#pragma once

#include "vaskfc.h"

namespace vfc {

// Thread-local slots, allocated at process attach.
extern DWORD g_tlsResource;  // the thread's current resource handle
extern DWORD g_tlsThread;    // the thread's CWinThread
extern DWORD g_tlsWindows;   // the thread's ThreadState

// The program's application object; NULL when it has none (AfxGetApp then gives a stand-in).
CWinApp* CurrentApp();

// The test seam of the message boxes: TRUE with its answer in *pResult while a hook is set.
BOOL AskMessageBoxHook(LPCSTR lpszText, UINT nType, UINT nIDHelp, int* pResult);

// This library's own module.
extern HMODULE g_hModule;

// What the window layer keeps per thread.
struct ThreadState {
    ThreadState();
    ~ThreadState();
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;

    MSG lastMsg;          // the message being handled (Default, reflection)
    CWnd* pWndInit;       // the window being made by CreateEx, attached in the creation hook
    LPCSTR pszClassInit;  // its class (a name, or an atom)
    HHOOK hHookCbt;
    int nHookDepth;
    HHOOK hHookMsgFilter;  // F1 in menus

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
// Deletes the calling thread's temporary objects (windows, menus, image lists, GDI).
void DeleteTempMaps();

// The window's object as an object of pClass (a dynamically creatable window class): the
// permanent object when it is one, else a temporary one of the calling thread.
CWnd* WindowOfClass(HWND hWnd, CRuntimeClass* pClass);

// The window that the calling thread makes next with the class lpszClass (a name, or an
// atom) is attached to pWnd and subclassed before its first message. Every call is paired
// with UnhookWindowCreate, which answers FALSE when no such window was made.
void HookWindowCreate(CWnd* pWnd, LPCSTR lpszClass);
BOOL UnhookWindowCreate();

// The module whose code lies at the address (NULL when none).
HMODULE ModuleOfAddress(const void* p);
// The module that holds the dialog template: hCaller when it does, else the first module of
// the resource chain that does; NULL when none.
HINSTANCE FindTemplateModule(HMODULE hCaller, LPCSTR lpszTemplateName);
// Sends the dialog init data of the template (in hInst) to the window's controls; FALSE
// when the data are damaged.
BOOL ExecuteDlgInit(HWND hWnd, HINSTANCE hInst, LPCSTR lpszTemplateName);
// The owner of a modal window: the top-level window of pParentWnd, else of the main window,
// or the dialog already open over it; NULL when that belongs to another thread.
HWND ModalOwner(CWnd* pParentWnd);
// OnInitDialog of a dialog taken over in its dialog procedure; no exception gets past.
INT_PTR RunInitDialog(CDialog* pDlg);
// The help of a window made from template nIDHelp (WM_COMMANDHELP): the context lParam,
// else 0x20000 + nIDHelp; FALSE when neither is known.
LRESULT ResourceHelp(UINT nIDHelp, LPARAM lParam);

// Whether the system knows a printer (a default one, or any).
BOOL PrinterInstalled();

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
