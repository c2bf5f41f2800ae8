// CWnd: a window of the program, reached through its handle.
#pragma once

#include "vaskfc_cmdtarget.h"

class VASKFC_API CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    // The handle; NULL also when called through a null CWnd pointer.
    HWND GetSafeHwnd() const;
    operator HWND() const { return GetSafeHwnd(); }

    BOOL Attach(HWND hWndNew);
    HWND Detach();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    HWND m_hWnd;
};
