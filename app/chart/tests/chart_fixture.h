// What the chart tests share: a plain Win32 window for a diagram to draw on, and a diagram
// drawn into an enhanced metafile read back with the test kit's reader.
#pragma once

#include "chart.h"
#include "emf_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace charttest {

// A top-level window with a client area of the given size, reached through a CWnd.
class TestWindow {
public:
    TestWindow(int width, int height, bool visible = false) {
        static bool registered = false;
        HINSTANCE instance = GetModuleHandleA(NULL);
        if (!registered) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = instance;
            wc.lpszClassName = "ChartTestWindow";
            wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
            registered = RegisterClassA(&wc) != 0;
        }
        RECT r = {0, 0, width, height};
        AdjustWindowRectEx(&r, WS_POPUP, FALSE, 0);
        m_hWnd =
            CreateWindowExA(0, "ChartTestWindow", "", WS_POPUP | (visible ? WS_VISIBLE : 0), 20, 20,
                            r.right - r.left, r.bottom - r.top, NULL, NULL, instance, NULL);
        m_wnd.Attach(m_hWnd);
        if (visible) UpdateWindow(m_hWnd);
    }
    ~TestWindow() {
        m_wnd.Detach();
        DestroyWindow(m_hWnd);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Handle() const { return m_hWnd; }
    CRect Client() const {
        CRect r;
        GetClientRect(m_hWnd, &r);
        return r;
    }

private:
    HWND m_hWnd;
    CWnd m_wnd;
};

// The diagram drawn into a metafile in memory (the screen as reference device), parsed.
inline emf::File DrawToMetafile(CDiagram& diagram) {
    CMetaFileDC mf;
    const RECT& outer = diagram.GetOuterRect();
    CClientDC screen(NULL);
    // The frame in 0.01 mm, as the curve page makes it for its export.
    const int mmX = screen.GetDeviceCaps(HORZSIZE), mmY = screen.GetDeviceCaps(VERTSIZE);
    const int pxX = screen.GetDeviceCaps(HORZRES), pxY = screen.GetDeviceCaps(VERTRES);
    CRect frame(0, 0, outer.right * mmX * 100 / pxX, outer.bottom * mmY * 100 / pxY);
    EXPECT_TRUE(mf.CreateEnhanced(&screen, NULL, frame, "KorvanGA\0Diagram\0\0"));
    diagram.Draw(&mf);
    HENHMETAFILE h = mf.CloseEnhanced();
    std::vector<BYTE> bits(GetEnhMetaFileBits(h, 0, NULL));
    GetEnhMetaFileBits(h, (UINT)bits.size(), bits.data());
    DeleteEnhMetaFile(h);
    CGdiObject::DeleteTempMap();
    return emf::File::Parse(bits.data(), bits.size());
}

// The texts of the metafile in recording order.
inline std::vector<std::string> TextsOf(const emf::File& file) {
    std::vector<std::string> texts;
    for (const emf::Text& t : file.Texts()) texts.push_back(t.text);
    return texts;
}

// The first text record with exactly this text, or NULL.
inline const emf::Text* FindText(const emf::File& file, const std::string& text) {
    for (const emf::Text& t : file.Texts())
        if (t.text == text) return &t;
    return nullptr;
}

inline size_t CountText(const emf::File& file, const std::string& text) {
    size_t n = 0;
    for (const emf::Text& t : file.Texts())
        if (t.text == text) ++n;
    return n;
}

inline std::string Str(const CString& s) { return std::string((LPCSTR)s); }

inline std::string Format(const char* format, double value) {
    CString s;
    s.Format(format, value);
    return Str(s);
}

}  // namespace charttest
