// What the tree-list tests share (see tltest.h).
#include "tltest.h"

namespace tltest {

namespace {
UINT g_nTreeChanged = TreeChangedMessage();
}

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_REGISTERED_MESSAGE(g_nTreeChanged, OnTreeChanged)
ON_MESSAGE(WM_GETFONT, OnGetFont)
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

COwnerWnd::COwnerWnd() {
    // A font of the owner's own, as a dialog has one: the frame copies it.
    m_font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
}

COwnerWnd::~COwnerWnd() {
    if (m_hWnd != NULL) DestroyWindow();
}

BOOL COwnerWnd::CreateOwner(int width, int height, DWORD dwExStyle, int x, int y) {
    return CreateEx(dwExStyle, NULL, "tree-list test",
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height, NULL,
                    NULL);
}

BOOL COwnerWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (onNotify) onNotify(pNMHDR);
    notices.push_back(Notice{pNMHDR->idFrom, (int)pNMHDR->code});
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT COwnerWnd::OnTreeChanged(WPARAM wParam, LPARAM) {
    treeChanged.push_back((HTREEITEM)wParam);
    return 1;
}

LRESULT COwnerWnd::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_font.GetSafeHandle(); }

void COwnerWnd::OnLButtonDblClk(UINT, CPoint) {
    const MSG* pMsg = GetCurrentMessage();
    doubleClicks.push_back({pMsg->wParam, pMsg->lParam});
}

void COwnerWnd::OnContextMenu(CWnd*, CPoint) {
    const MSG* pMsg = GetCurrentMessage();
    contextMenus.push_back({pMsg->wParam, pMsg->lParam});
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    DWORD deadline = GetTickCount() + milliseconds;
    while (!done()) {
        if ((LONG)(GetTickCount() - deadline) >= 0) return done();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        Pump();
    }
    return true;
}

std::unique_ptr<CTLFrame> MakeFrame(COwnerWnd& owner, FrameKind kind, int width, int height) {
    CTLFrame::RegisterClass();
    std::unique_ptr<CTLFrame> frame(new CTLFrame);
    if (kind == FrameKind::Attached) {
        HWND hStatic = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10,
                                       width, height, owner.m_hWnd, (HMENU)(UINT_PTR)kStaticId,
                                       GetModuleHandleA(NULL), NULL);
        if (hStatic == NULL || !frame->AttachToDlgItem(kStaticId, &owner)) return nullptr;
    } else {
        if (!frame->Create(TL_WINDOW_CLASS, NULL, WS_CHILD | WS_VISIBLE,
                           CRect(10, 10, 10 + width, 10 + height), &owner, kFrameId))
            return nullptr;
    }
    return frame;
}

CRect RectIn(HWND hWnd, HWND hWndParent) {
    CRect rect;
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(NULL, hWndParent, (LPPOINT)&rect, 2);
    return rect;
}

CRect ClientOf(HWND hWnd) {
    CRect rect;
    GetClientRect(hWnd, &rect);
    return rect;
}

CPoint FindHit(CTLTreeCtrl& tree, HTREEITEM hItem, UINT flags) {
    CRect row;
    if (!tree.CTreeCtrl::GetItemRect(hItem, &row, FALSE)) return CPoint(-1, -1);
    int y = (row.top + row.bottom) / 2;
    for (int x = 0; x < row.right; x++) {
        UINT hit = 0;
        if (tree.HitTest(CPoint(x, y), &hit) == hItem && (hit & flags)) return CPoint(x, y);
    }
    return CPoint(-1, -1);
}

emf::File DrawRow(CTLTreeCtrl& tree, HTREEITEM hItem) {
    CMetaFileDC mf;
    CClientDC screen(NULL);
    EXPECT_TRUE(mf.CreateEnhanced(&screen, NULL, NULL, NULL));
    tree.DrawItem(&mf, hItem);
    HENHMETAFILE h = mf.CloseEnhanced();
    std::vector<BYTE> bits(GetEnhMetaFileBits(h, 0, NULL));
    GetEnhMetaFileBits(h, (UINT)bits.size(), bits.data());
    DeleteEnhMetaFile(h);
    CGdiObject::DeleteTempMap();
    return emf::File::Parse(bits.data(), bits.size());
}

std::vector<const emf::Text*> DrawnTexts(const emf::File& file) {
    std::vector<const emf::Text*> texts;
    for (const emf::Text& t : file.Texts())
        if (!t.text.empty()) texts.push_back(&t);
    return texts;
}

}  // namespace tltest
