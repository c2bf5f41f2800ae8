// The splash window.
#include "splashwnd.h"

#include "dib.h"
#include "resource.h"

namespace {

const UINT_PTR kHideTimer = 1;
const UINT kShowTime = 3000;
const DWORD kSplashStyle = 0x90000008;  // WS_POPUP | WS_VISIBLE, as the picture wants it

}  // namespace

BOOL CSplashWnd::c_bShowSplashWnd = FALSE;
CSplashWnd* CSplashWnd::c_pSplashWnd = NULL;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashWnd::CSplashWnd() {}

CSplashWnd::~CSplashWnd() {
    if (c_pSplashWnd == this) c_pSplashWnd = NULL;
}

void CSplashWnd::EnableSplashScreen(BOOL bEnable) { c_bShowSplashWnd = bEnable; }

void CSplashWnd::ShowSplashScreen(CWnd* pParentWnd) {
    if (!c_bShowSplashWnd || c_pSplashWnd != NULL) return;
    c_pSplashWnd = new CSplashWnd;
    if (!c_pSplashWnd->Create(pParentWnd)) {
        delete c_pSplashWnd;  // the destructor forgets it
        return;
    }
    c_pSplashWnd->UpdateWindow();
}

BOOL CSplashWnd::PreTranslateAppMessage(MSG* pMsg) {
    if (c_pSplashWnd == NULL) return FALSE;
    switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: c_pSplashWnd->HideSplashScreen(); return TRUE;
        default: return FALSE;
    }
}

BOOL CSplashWnd::Create(CWnd* pParentWnd) {
    if (!m_bitmap.LoadBitmap(IDB_SPLASH_FRAME)) return FALSE;
    BITMAP bm;
    m_bitmap.GetBitmap(&bm);
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, kSplashStyle, 0, 0, bm.bmWidth, bm.bmHeight,
                    pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL);
}

void CSplashWnd::HideSplashScreen() {
    DestroyWindow();
    if (CWnd* pMain = AfxGetMainWnd()) {
        if (::IsWindow(pMain->GetSafeHwnd())) pMain->UpdateWindow();
    }
}

void CSplashWnd::PostNcDestroy() { delete this; }

int CSplashWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    CenterWindow();
    SetTimer(kHideTimer, kShowTime, NULL);
    return 0;
}

void CSplashWnd::OnPaint() {
    CPaintDC dc(this);
    CDib picture;
    if (picture.LoadResource(IDB_SPLASH)) picture.Draw(&dc, 0, 0);
}

void CSplashWnd::OnTimer(UINT_PTR) { HideSplashScreen(); }
