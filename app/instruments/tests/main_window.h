// A message-only window that plays the program's main window for the bus nodes: it keeps
// the address and the scanning node of every bus-scan progress message, and hands every
// other message to `onMessage` (progress windows of transfers).
#pragma once

#include "nodemessages.h"
#include "vaskfc.h"

#include <functional>
#include <utility>
#include <vector>

class MainWindow {
public:
    MainWindow() {
        static ATOM atom = 0;
        if (atom == 0) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(NULL);
            wc.lpszClassName = "InstrumentsTestMain";
            atom = RegisterClassA(&wc);
        }
        hwnd_ = CreateWindowA("InstrumentsTestMain", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                              GetModuleHandleA(NULL), NULL);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, (LONG_PTR)this);
        wnd_.Attach(hwnd_);
        previous_ = AfxGetApp()->m_pMainWnd;
        AfxGetApp()->m_pMainWnd = &wnd_;
    }
    ~MainWindow() {
        AfxGetApp()->m_pMainWnd = previous_;
        wnd_.Detach();
        DestroyWindow(hwnd_);
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    CWnd* Wnd() { return &wnd_; }

    // (address, node) of each progress message, in order.
    std::vector<std::pair<int, CObject*>> progress;
    // Called with every other message; true when it handled the message.
    std::function<bool(UINT, WPARAM, LPARAM)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        MainWindow* self = (MainWindow*)GetWindowLongPtrA(h, GWLP_USERDATA);
        if (self != NULL && m == GetBusScanProgressMessage()) {
            self->progress.emplace_back((int)w, (CObject*)l);
            return 0;
        }
        if (self != NULL && self->onMessage && self->onMessage(m, w, l)) return 0;
        return DefWindowProcA(h, m, w, l);
    }
    HWND hwnd_;
    CWnd wnd_;
    CWnd* previous_;
};
