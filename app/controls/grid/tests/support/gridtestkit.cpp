// Helpers of the grid's window tests.
#include "gridtestkit.h"

#include <string.h>

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

BOOL CHostWnd::Create(LPCSTR lpszTitle, int nWidth, int nHeight, BOOL bShow) {
    if (!CreateEx(0, NULL, lpszTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, nWidth,
                  nHeight, NULL, NULL))
        return FALSE;
    if (bShow) {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
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

void KeyHeld::Set(BYTE state) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[m_vk] = state;
    ::SetKeyboardState(keys);
}

// --- QueueLookCounter ---------------------------------------------------------------------

namespace {

typedef BOOL(WINAPI* PeekMessageCall)(LPMSG, HWND, UINT, UINT, UINT);
PeekMessageCall g_pfnPeek = NULL;
DWORD g_dwCountedThread = 0;
volatile LONG g_nLooks = 0;

BOOL WINAPI CountingPeek(LPMSG pMsg, HWND hWnd, UINT nFirst, UINT nLast, UINT nRemove) {
    if ((nRemove & PM_REMOVE) == 0 && ::GetCurrentThreadId() == g_dwCountedThread)
        ::InterlockedIncrement(&g_nLooks);
    return g_pfnPeek(pMsg, hWnd, nFirst, nLast, nRemove);
}

// The program's import table entry that holds the address `pfn`, NULL when there is none.
ULONG_PTR* ImportSlotOf(ULONG_PTR pfn) {
    BYTE* pBase = (BYTE*)::GetModuleHandleA(NULL);
    const IMAGE_DOS_HEADER* pDos = (const IMAGE_DOS_HEADER*)pBase;
    const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0) return NULL;
    for (const IMAGE_IMPORT_DESCRIPTOR* pDesc =
             (const IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress);
         pDesc->Name != 0; ++pDesc) {
        for (IMAGE_THUNK_DATA* pThunk = (IMAGE_THUNK_DATA*)(pBase + pDesc->FirstThunk);
             pThunk->u1.Function != 0; ++pThunk)
            if ((ULONG_PTR)pThunk->u1.Function == pfn) return (ULONG_PTR*)&pThunk->u1.Function;
    }
    return NULL;
}

void WriteSlot(ULONG_PTR* pSlot, ULONG_PTR value) {
    DWORD dwOld = 0;
    if (!::VirtualProtect(pSlot, sizeof *pSlot, PAGE_READWRITE, &dwOld)) return;
    *pSlot = value;
    ::VirtualProtect(pSlot, sizeof *pSlot, dwOld, &dwOld);
}

}  // namespace

QueueLookCounter::QueueLookCounter() : m_pSlot(NULL), m_original(0) {
    const ULONG_PTR pfn = reinterpret_cast<ULONG_PTR>(
        ::GetProcAddress(::GetModuleHandleA("user32.dll"), "PeekMessageA"));
    m_pSlot = pfn != 0 ? ImportSlotOf(pfn) : NULL;
    if (m_pSlot == NULL) return;
    m_original = pfn;
    g_pfnPeek = reinterpret_cast<PeekMessageCall>(pfn);
    g_dwCountedThread = ::GetCurrentThreadId();
    g_nLooks = 0;
    WriteSlot(m_pSlot, reinterpret_cast<ULONG_PTR>(&CountingPeek));
}

QueueLookCounter::~QueueLookCounter() {
    if (m_pSlot != NULL) WriteSlot(m_pSlot, m_original);
}

long QueueLookCounter::Looks() const { return g_nLooks; }
