// The progress window in front of long device operations.
#include "dlgmessage.h"

#include "appwait.h"
#include "windowwait.h"
#include "windowwork.h"

namespace {

const char kDefaultText[] = "Der Vorgang läuft ...";
const DWORD kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

HWND MainWindow() {
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgMessage, CDialog)
ON_WM_CLOSE()
ON_WM_HELPINFO()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CDlgMessage::CDlgMessage(CWnd* pParent)
    : CDialog(IDD, pParent), m_nBitmapId(IDB_OPERATION), m_bCancel(0), m_bShowCancel(0) {
    Create(IDD, pParent);
    // It shows the progress of the work that a close of the program ends, and its Cancel
    // ends that work also while the work waits for the bus.
    LeaveOpenOnClose(m_hWnd);
    TakeInputDuringWait(m_hWnd);
}

CDlgMessage::~CDlgMessage() {
    if (m_hWnd != NULL) DestroyWindow();
}

void CDlgMessage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_MESSAGE_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_MESSAGE_PICTURE, m_picture);
    DDX_Text(pDX, IDC_MESSAGE_TEXT, m_strText);
    DDX_Text(pDX, IDC_MESSAGE_LOW, m_strLow);
    DDX_Text(pDX, IDC_MESSAGE_HIGH, m_strHigh);
}

BOOL CDlgMessage::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow(m_pParentWnd != NULL ? NULL : AfxGetMainWnd());
    return TRUE;
}

void CDlgMessage::StartText(LPCSTR lpszText, int nBitmapId) {
    m_bCancel = 0;
    const CString text = lpszText != NULL && *lpszText != 0 ? lpszText : kDefaultText;
    const HWND hMain = MainWindow();
    if (!m_pShown) {
        m_pShown.reset(new CModalLoop);
        m_bMainWasEnabled = hMain != NULL && ::IsWindowEnabled(hMain);
    }
    if (hMain != NULL) ::EnableWindow(hMain, FALSE);
    EnableWindow(TRUE);
    ShowWindow(SW_SHOW);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetText(text, nBitmapId);
}

void CDlgMessage::Start(UINT nTextId, int nBitmapId) {
    CString text;
    if (!text.LoadString(nTextId)) text.Empty();
    StartText(text, nBitmapId);
}

void CDlgMessage::Stop() {
    // A modal sheet or dialog under the window keeps the main window disabled.
    const HWND hMain = MainWindow();
    if (m_pShown && m_bMainWasEnabled && hMain != NULL) ::EnableWindow(hMain, TRUE);
    m_pShown.reset();
    m_bCancel = 0;
    ShowWindow(SW_HIDE);
}

void CDlgMessage::SetText(LPCSTR lpszText, int nBitmapId) {
    m_strText = lpszText != NULL ? lpszText : "";
    UpdateData(FALSE);
    if (nBitmapId != 0 && nBitmapId != m_nBitmapId) {
        m_nBitmapId = nBitmapId;
        m_picture.RedrawWindow(NULL, NULL, kRedrawNow);
    }
    RedrawWindow(NULL, NULL, kRedrawNow | RDW_ALLCHILDREN);
}

void CDlgMessage::SetTextSoon(LPCSTR lpszText) {
    m_strText = lpszText != NULL ? lpszText : "";
    UpdateData(FALSE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDlgMessage::SetTextId(UINT nTextId, int nBitmapId) {
    CString text;
    text.LoadString(nTextId);
    SetText(text, nBitmapId);
}

void CDlgMessage::ShowCancel(BOOL bShow) {
    m_btnCancel.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_bShowCancel = bShow;
}

void CDlgMessage::ShowProgress(BOOL bShow, int nLow, int nHigh) {
    const int nShow = bShow ? SW_SHOW : SW_HIDE;
    if (bShow) {
        UpdateData(TRUE);
        m_progress.SetRange32(nLow, nHigh);
        m_progress.SetPos(0);
        m_strLow.Format("%d %%", nLow);
        m_strHigh.Format("%d %%", nHigh);
    }
    GetDlgItem(IDC_MESSAGE_LOW)->ShowWindow(nShow);
    GetDlgItem(IDC_MESSAGE_HIGH)->ShowWindow(nShow);
    m_progress.ShowWindow(nShow);
    if (bShow) UpdateData(FALSE);
}

void CDlgMessage::SetPos(int nPos) { m_progress.SetPos(nPos); }

BOOL CDlgMessage::IsCancelled() {
    // Paints are left to the thread's next wait for the bus, which paints while the request
    // runs: a paint taken here would hold the next request back.
    LookAtWindowMessages();
    return m_bCancel;
}

void CDlgMessage::OnCancel() { m_bCancel = 1; }

void CDlgMessage::OnClose() { ShowWindow(SW_HIDE); }

BOOL CDlgMessage::OnHelpInfo(HELPINFO* pHelpInfo) {
    AfxGetApp()->WinHelp(0x50000 + pHelpInfo->iCtrlId, HELP_CONTEXTPOPUP);
    return TRUE;
}

void CDlgMessage::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl != IDC_MESSAGE_PICTURE) {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    // The picture at its own size in the button's top-left corner.
    HBITMAP hBitmap = ::LoadBitmapA(AfxFindResourceHandle(MAKEINTRESOURCEA(m_nBitmapId), RT_BITMAP),
                                    MAKEINTRESOURCEA(m_nBitmapId));
    if (hBitmap == NULL) return;
    BITMAP bitmap;
    HDC hMemDC = ::CreateCompatibleDC(lpDrawItemStruct->hDC);
    if (hMemDC != NULL && ::GetObjectA(hBitmap, sizeof bitmap, &bitmap)) {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem.left, lpDrawItemStruct->rcItem.top,
                 bitmap.bmWidth, bitmap.bmHeight, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
    }
    if (hMemDC != NULL) ::DeleteDC(hMemDC);
    ::DeleteObject(hBitmap);
}
