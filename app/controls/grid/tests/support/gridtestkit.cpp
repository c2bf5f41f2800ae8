// Helpers of the grid's window tests.
#include "gridtestkit.h"

#include <stdlib.h>
#include <string.h>

#include <vector>

// --- DibCanvas ----------------------------------------------------------------------------

DibCanvas::DibCanvas(int nWidth, int nHeight, COLORREF crFill)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_pBits(NULL), m_hBitmap(NULL), m_hOld(NULL) {
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (BYTE*)pBits;
    m_dc.CreateCompatibleDC(NULL);
    m_hOld = m_dc.SelectObject((HGDIOBJ)m_hBitmap);
    Fill(crFill);
}

DibCanvas::~DibCanvas() {
    m_dc.SelectObject(m_hOld);
    m_dc.DeleteDC();
    ::DeleteObject(m_hBitmap);
}

void DibCanvas::Fill(COLORREF cr) { m_dc.FillSolidRect(0, 0, m_nWidth, m_nHeight, cr); }

COLORREF DibCanvas::Pixel(int x, int y) const {
    ::GdiFlush();
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight || m_pBits == NULL) return CLR_INVALID;
    const int nStride = (m_nWidth * 3 + 3) & ~3;
    const BYTE* p = m_pBits + y * nStride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

int DibCanvas::CountOf(const RECT& rc, COLORREF cr) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight && Pixel(x, y) == cr) ++n;
    return n;
}

int DibCanvas::CountNot(const RECT& rc, COLORREF cr) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight && Pixel(x, y) != cr) ++n;
    return n;
}

// --- windows ------------------------------------------------------------------------------

BOOL CHostWnd::Create(LPCSTR lpszTitle, int nWidth, int nHeight) {
    if (!CreateEx(0, NULL, lpszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, nWidth,
                  nHeight, NULL, NULL))
        return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

CRect RectInParent(HWND hWnd) {
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rc, 2);
    return rc;
}

// --- screenshots --------------------------------------------------------------------------

namespace {

// The few GDI+ entries a screenshot needs.
struct GdiplusStartupInputData {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

extern "C" {
int WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInputData* input, void* output);
void WINAPI GdiplusShutdown(ULONG_PTR token);
int WINAPI GdipCreateBitmapFromHBITMAP(HBITMAP hbm, HPALETTE hpal, void** bitmap);
int WINAPI GdipSaveImageToFile(void* image, const WCHAR* filename, const CLSID* encoder,
                               const void* params);
int WINAPI GdipDisposeImage(void* image);
}

// {557CF406-1A04-11D3-9A73-0000F81EF32E}: the PNG encoder.
const CLSID kPngEncoder = {
    0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// A Unix path given by the shell names the same place on Wine's drive Z:.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace

BOOL SaveScreenshot(CWnd* pWnd, const std::string& name) {
    const char* folder = getenv("VASK_SCREENSHOTS");
    if (folder == NULL || *folder == '\0' || pWnd == NULL || pWnd->m_hWnd == NULL) return FALSE;
    CRect rc;
    pWnd->GetWindowRect(&rc);
    // The window as it is on the screen, frame and children included: it is painted and
    // on top, so the window's own DC reads it back.
    pWnd->UpdateWindow();
    ::RedrawWindow(pWnd->m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC hWindow = ::GetWindowDC(pWnd->m_hWnd);
    HDC hMem = ::CreateCompatibleDC(hWindow);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hWindow, rc.Width(), rc.Height());
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    BOOL bPrinted = ::BitBlt(hMem, 0, 0, rc.Width(), rc.Height(), hWindow, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(pWnd->m_hWnd, hWindow);

    BOOL bSaved = FALSE;
    ULONG_PTR token = 0;
    GdiplusStartupInputData input = {1, NULL, FALSE, FALSE};
    if (bPrinted && GdiplusStartup(&token, &input, NULL) == 0) {
        void* pImage = NULL;
        if (GdipCreateBitmapFromHBITMAP(hBitmap, NULL, &pImage) == 0) {
            std::string path = WindowsPath(std::string(folder) + "/" + name + ".png");
            std::vector<WCHAR> wide(path.size() + 1);
            ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), (int)wide.size());
            bSaved = GdipSaveImageToFile(pImage, wide.data(), &kPngEncoder, NULL) == 0;
            GdipDisposeImage(pImage);
        }
        GdiplusShutdown(token);
    }
    ::DeleteObject(hBitmap);
    return bSaved;
}
