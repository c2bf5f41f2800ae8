// The preview: a modal window that shows the recorded pages one at a time, whole or fitted to
// its width, and prints them on request.
#include "../res/resource.h"
#include "engine.h"

namespace vaskreport {

namespace {

constexpr int kMargin = 8;  // pixels around the page

struct Preview {
    std::vector<RecordedPage> pages;
    PageGeometry geometry;
    std::string printer;
    std::string formPath;
    size_t current = 0;
    bool fitWidth = false;
    int scroll = 0;
    HENHMETAFILE emf = nullptr;  // the current page's
    HWND view = nullptr;
};

void LoadCurrent(Preview& p) {
    if (p.emf) DeleteEnhMetaFile(p.emf);
    p.emf = nullptr;
    if (p.current < p.pages.size()) p.emf = GetEnhMetaFileA(p.pages[p.current].file.c_str());
}

// The sheet on the screen: its rectangle in the view's client area (scroll applied).
RECT SheetRect(const Preview& p, const RECT& client) {
    const PageGeometry& g = p.geometry;
    double sheetW = g.sheetWidth / static_cast<double>(g.dpiX);
    double sheetH = g.sheetHeight / static_cast<double>(g.dpiY);
    double availW = client.right - 2 * kMargin, availH = client.bottom - 2 * kMargin;
    if (availW < 1) availW = 1;
    if (availH < 1) availH = 1;
    double scale = availW / sheetW;
    if (!p.fitWidth && availH / sheetH < scale) scale = availH / sheetH;
    int w = static_cast<int>(sheetW * scale), h = static_cast<int>(sheetH * scale);
    RECT r;
    r.left = (client.right - w) / 2;
    r.top = p.fitWidth ? kMargin - p.scroll : (client.bottom - h) / 2;
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

void UpdateScroll(Preview& p) {
    RECT client;
    GetClientRect(p.view, &client);
    RECT sheet = SheetRect(p, client);
    int total = p.fitWidth ? (sheet.bottom - sheet.top) + 2 * kMargin : 0;
    int maxScroll = total - client.bottom;
    if (maxScroll < 0) maxScroll = 0;
    if (p.scroll > maxScroll) p.scroll = maxScroll;
    if (p.scroll < 0) p.scroll = 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = total > 0 ? total - 1 : 0;
    si.nPage = static_cast<UINT>(client.bottom);
    si.nPos = p.scroll;
    SetScrollInfo(p.view, SB_VERT, &si, TRUE);
}

void PaintView(Preview& p, HDC dc, const RECT& client) {
    FillRect(dc, &client, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    if (p.pages.empty()) return;
    RECT sheet = SheetRect(p, client);
    FillRect(dc, &sheet, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &sheet, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!p.emf) return;
    const PageGeometry& g = p.geometry;
    double sx = (sheet.right - sheet.left) / static_cast<double>(g.sheetWidth);
    double sy = (sheet.bottom - sheet.top) / static_cast<double>(g.sheetHeight);
    RECT area;
    area.left = sheet.left + static_cast<int>(g.offsetX * sx);
    area.top = sheet.top + static_cast<int>(g.offsetY * sy);
    area.right = area.left + static_cast<int>(g.printableWidth * sx);
    area.bottom = area.top + static_cast<int>(g.printableHeight * sy);
    int saved = SaveDC(dc);
    IntersectClipRect(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);
    PlayEnhMetaFile(dc, p.emf, &area);
    RestoreDC(dc, saved);
}

void Scroll(Preview& p, int to) {
    p.scroll = to;
    UpdateScroll(p);
    InvalidateRect(p.view, nullptr, TRUE);
}

LRESULT CALLBACK ViewProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Preview* p = reinterpret_cast<Preview*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(wnd, &ps);
            RECT client;
            GetClientRect(wnd, &client);
            if (p) PaintView(*p, dc, client);
            EndPaint(wnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_SIZE:
            if (p) {
                UpdateScroll(*p);
                InvalidateRect(wnd, nullptr, TRUE);
            }
            return 0;
        case WM_VSCROLL:
            if (p) {
                SCROLLINFO si = {};
                si.cbSize = sizeof si;
                si.fMask = SIF_ALL;
                GetScrollInfo(wnd, SB_VERT, &si);
                int pos = si.nPos, line = 40;
                switch (LOWORD(wParam)) {
                    case SB_LINEUP: pos -= line; break;
                    case SB_LINEDOWN: pos += line; break;
                    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
                    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
                    case SB_THUMBTRACK:
                    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
                    case SB_TOP: pos = 0; break;
                    case SB_BOTTOM: pos = si.nMax; break;
                }
                Scroll(*p, pos);
            }
            return 0;
        case WM_MOUSEWHEEL:
            if (p && p->fitWidth)
                Scroll(*p, p->scroll - GET_WHEEL_DELTA_WPARAM(wParam) * 40 / WHEEL_DELTA);
            return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

void ShowPageNumber(HWND dlg, Preview& p) {
    std::string text = p.pages.empty() ? LoadText(IDS_PRV_NO_PAGES)
                                       : FormatText(IDS_PRV_PAGE, static_cast<int>(p.current + 1),
                                                    static_cast<int>(p.pages.size()));
    SetDlgItemTextA(dlg, IDC_PRV_PAGE, text.c_str());
    EnableWindow(GetDlgItem(dlg, IDC_PRV_PREVIOUS), p.current > 0);
    EnableWindow(GetDlgItem(dlg, IDC_PRV_NEXT), p.current + 1 < p.pages.size());
    EnableWindow(GetDlgItem(dlg, IDC_PRV_PRINT), !p.pages.empty());
}

void GoTo(HWND dlg, Preview& p, size_t page) {
    if (page >= p.pages.size()) return;
    p.current = page;
    p.scroll = 0;
    LoadCurrent(p);
    ShowPageNumber(dlg, p);
    UpdateScroll(p);
    InvalidateRect(p.view, nullptr, TRUE);
}

// The buttons keep their place at the top; the page takes the rest of the window.
void Layout(HWND dlg) {
    RECT client, margin = {4, 22, 4, 4};
    GetClientRect(dlg, &client);
    MapDialogRect(dlg, &margin);
    MoveWindow(GetDlgItem(dlg, IDC_PRV_VIEW), margin.left, margin.top,
               client.right - margin.left - margin.right,
               client.bottom - margin.top - margin.bottom, TRUE);
}

INT_PTR CALLBACK PreviewProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    Preview* p = DialogState<Preview>(dlg, msg, lParam);
    switch (msg) {
        case WM_INITDIALOG: {
            p->view = GetDlgItem(dlg, IDC_PRV_VIEW);
            SetWindowLongPtrA(p->view, GWLP_USERDATA, lParam);
            // Most of the screen: a page is to be read.
            CenterInWorkArea(dlg, 0.8, 0.9);
            Layout(dlg);
            GoTo(dlg, *p, 0);
            ShowPageNumber(dlg, *p);
            return TRUE;
        }
        case WM_SIZE: Layout(dlg); return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_PRV_PREVIOUS:
                    if (p->current > 0) GoTo(dlg, *p, p->current - 1);
                    return TRUE;
                case IDC_PRV_NEXT: GoTo(dlg, *p, p->current + 1); return TRUE;
                case IDC_PRV_FIT:
                    p->fitWidth = !p->fitWidth;
                    Scroll(*p, 0);
                    return TRUE;
                case IDC_PRV_PRINT: {
                    HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
                    int rc = PrintPages(p->printer, p->pages, NewDocumentName(p->formPath));
                    SetCursor(old);
                    if (rc != LL_OK)
                        MessageBoxA(dlg, FormatText(IDS_PRV_PRINT_FAILED, rc).c_str(), nullptr,
                                    MB_OK | MB_ICONSTOP);
                    return TRUE;
                }
                case IDCANCEL:
                case IDOK: EndDialog(dlg, IDCANCEL); return TRUE;
            }
            break;
    }
    return FALSE;
}

void RegisterViewClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ViewProc;
    wc.hInstance = Module();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = VASKREPORT_PAGE_CLASS;
    registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

int RunPreview(HWND owner, const Job& job) {
    RegisterViewClass();
    Preview p;
    p.pages = job.pages;
    p.geometry = job.geometry;
    p.printer = job.printer;
    p.formPath = job.formPath;
    INT_PTR rc = DialogBoxParamA(Module(), MAKEINTRESOURCEA(IDD_PREVIEW), owner, PreviewProc,
                                 reinterpret_cast<LPARAM>(&p));
    if (p.emf) DeleteEnhMetaFile(p.emf);
    return rc == -1 ? LL_ERR_FAILED : LL_OK;
}

}  // namespace vaskreport
