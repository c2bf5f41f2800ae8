// The owner window of a bus scan or transfer in tests: a message-only window on the
// creating thread that keeps the wParam (a scan's address) and lParam (its context) of
// every progress message and can act on one.
#pragma once

#include <windows.h>

#include "vaskfc.h"

#include <functional>
#include <vector>

class ProgressWindow {
public:
    explicit ProgressWindow(UINT message) : message_(message) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ProgressWindow::Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "VaskScanProgress";
        RegisterClassA(&wc);
        HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                    wc.hInstance, NULL);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)this);
        wnd_.Attach(hwnd);
    }
    ~ProgressWindow() { DestroyWindow(wnd_.Detach()); }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    CWnd* Wnd() { return &wnd_; }

    std::vector<int> addresses;
    std::vector<LPARAM> contexts;
    std::function<void(int)> onAddress;
    // Called with both parameters of every progress message.
    std::function<void(WPARAM, LPARAM)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
        ProgressWindow* self = (ProgressWindow*)GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (self != NULL && msg == self->message_) {
            self->addresses.push_back((int)w);
            self->contexts.push_back(l);
            if (self->onAddress) self->onAddress((int)w);
            if (self->onMessage) self->onMessage(w, l);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, w, l);
    }
    UINT message_;
    CWnd wnd_;
};
