// The progress window: a small modeless window without caption that stands in front of the
// main window while a long device operation runs on the program's own thread (firmware
// download, user or factory data, PC data, offline parameter transfer, network search). It
// shows a picture and a text, on request a progress bar with its end labels and a Cancel
// button; while it is shown the main window is disabled.
//
//     m_dlgMessage.Start(IDS_LOADING);            // picture 148, main window disabled
//     m_dlgMessage.ShowCancel(TRUE);
//     m_dlgMessage.ShowProgress(TRUE, 0, 100);
//     while (step(...)) {
//         m_dlgMessage.SetPos(percent);
//         if (m_dlgMessage.IsCancelled()) break;  // sees a click on Cancel, never waits
//     }
//     m_dlgMessage.Stop();
#pragma once

#include "vaskfc.h"

#include "resource.h"

#include <memory>

class CDlgMessage : public CDialog {
public:
    enum { IDD = IDD_DLG_MESSAGE };

    // The window is made at once, hidden; the owner is the parent given, else the main
    // window.
    explicit CDlgMessage(CWnd* pParent = NULL);
    ~CDlgMessage() override;

    // Shows the window with the text (none: "Der Vorgang läuft ...") and the picture (0:
    // the one shown last), in front of the others, and disables the main window. The
    // cancel request is cleared. While shown it counts as a modal loop (AfxGetModalLoopCount).
    void StartText(LPCSTR lpszText = NULL, int nBitmapId = 0);
    // The same with a text of the string table; a missing one gives the default text.
    void Start(UINT nTextId, int nBitmapId = 0);
    // Gives the main window back the state it had at the first Start (a sheet under the
    // window keeps it disabled), clears the cancel request and hides the window.
    void Stop();
    // The text now; a picture other than 0 and the one shown replaces it.
    void SetText(LPCSTR lpszText, int nBitmapId = 0);
    void SetTextId(UINT nTextId, int nBitmapId = 0);
    // The text with the window's next paint: for a step that a wait for the bus follows,
    // which paints meanwhile, so that the bus does not wait for the paint.
    void SetTextSoon(LPCSTR lpszText);
    void ShowCancel(BOOL bShow);
    // Shows the bar with the range nLow..nHigh at position 0 and the labels "nLow %" and
    // "nHigh %"; or hides the three.
    void ShowProgress(BOOL bShow, int nLow = 0, int nHigh = 100);
    void SetPos(int nPos);
    // Looks at the thread's messages once (LookAtWindowMessages: a click on Cancel), never
    // waits, and tells whether Cancel was pressed since the start.
    BOOL IsCancelled();
    // Forgets a press of Cancel: the operation goes on.
    void ClearCancel() { m_bCancel = 0; }

    // The bitmap resource the picture shows.
    int GetPictureId() const { return m_nBitmapId; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Cancel asks the operation to stop; the window stays.
    void OnCancel() override;
    void OnClose();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    CButton m_btnCancel;
    CProgressCtrl m_progress;
    CButton m_picture;
    CString m_strText;
    CString m_strLow;
    CString m_strHigh;
    int m_nBitmapId;
    int m_bCancel;
    int m_bShowCancel;
    // From Start to Stop: the modal loop it counts as, and whether the main window was
    // enabled before.
    std::unique_ptr<CModalLoop> m_pShown;
    BOOL m_bMainWasEnabled = FALSE;

    DECLARE_MESSAGE_MAP()
};
