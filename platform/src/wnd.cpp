// CWnd: the thin window wrapper.
#include "internal.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

CWnd::CWnd() : m_hWnd(NULL) {}
CWnd::~CWnd() {}

// Callers rely on a null CWnd giving NULL. The compiler may take "this" to be non-null, so
// the test goes through a value it cannot see into.
HWND CWnd::GetSafeHwnd() const {
    const CWnd* self = this;
    __asm__("" : "+r"(self));
    return self == NULL ? NULL : self->m_hWnd;
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == NULL || m_hWnd != NULL) return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    m_hWnd = NULL;
    return h;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}
