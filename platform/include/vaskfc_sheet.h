// Property sheets and pages over the system's property sheets.
//
// A sheet is built from its page objects each time it runs. A page's window is made when the
// page is first shown, from the page's template in the module that holds it (the module whose
// code constructed the page, else the resource chain), and ends with the sheet; the page
// object stays and can go into the next sheet. The sheet's window runs through the sheet
// object from its first message on, so the sheet's map sees WM_INITDIALOG (OnInitDialog),
// WM_HELP, WM_TIMER, the buttons' commands and PSM_CHANGED/PSM_UNCHANGED; a handler of IDOK,
// IDCANCEL or ID_APPLY_NOW that wants the system's processing of the button calls Default().
//
// Leaving a page (another tab, OK, Apply) calls its OnKillActive (default UpdateData(TRUE));
// FALSE keeps the page. OK and Apply then call OnApply of every page whose window was made
// (default OnOK and TRUE); FALSE keeps the sheet open on that page. SetModified(TRUE) enables
// Apply, a successful Apply disables it again. Cancel calls OnReset (default OnCancel) of
// every page whose window was made. The Help button (id 9) reaches the active page as the
// command ID_HELP; WM_HELP of a control on a page goes up to the sheet.
//
//     CSettingsSheet sheet("Settings");      // derived from CPropertySheet
//     sheet.AddPage(&generalPage);           // pages outlive the sheet
//     sheet.AddPage(&formatPage);
//     sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
//     if (sheet.DoModal() == IDOK) ...
#pragma once

#include "vaskfc_dlg.h"

class CPropertySheet;

class VASKFC_API CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    // nIDCaption 0: the tab shows the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    // The page's window reports a change (TRUE, Apply enabled) or none (FALSE) to its sheet.
    void SetModified(BOOL bChanged = TRUE);
    // The sheet that holds the page's window; NULL while the page has none.
    CPropertySheet* GetSheet() const;

    // The page becomes the shown one (FALSE: it refuses); the default puts the members into
    // the controls again except the first time (OnInitDialog did).
    virtual BOOL OnSetActive();
    // The page is left; FALSE keeps it. Default: UpdateData(TRUE).
    virtual BOOL OnKillActive();
    // OK or Apply; FALSE keeps the sheet open on this page. Default: OnOK, TRUE.
    virtual BOOL OnApply();
    // Cancel. Default: OnCancel.
    virtual void OnReset();
    // Whether the sheet may be cancelled. Default TRUE.
    virtual BOOL OnQueryCancel();
    // A page does not end anything itself: the defaults do nothing.
    void OnOK() override;
    void OnCancel() override;

    PROPSHEETPAGEA m_psp;  // dwFlags may be changed before the sheet runs (PSP_HASHELP)

protected:
    void Construct(LPCSTR lpszTemplateName, UINT nIDCaption, void* pCaller);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The page's record for the system, its template taken from the module that holds it.
    const PROPSHEETPAGEA& PreparePageRecord();
    // Enter and Escape on a page are the sheet's.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive;

    friend class CPropertySheet;
    friend VASKFC_API INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of the pages' windows.
VASKFC_API INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam,
                                               LPARAM lParam);

class VASKFC_API CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CPropertySheet() override;  // destroys a window still open; the pages stay

    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // Pages in tab order; the sheet never deletes them. While the window exists, AddPage and
    // RemovePage change its tabs as well.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    // The shown page (before the sheet runs: the one it will open on).
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // FALSE when the page left refuses (OnKillActive) or the index is no page.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
    CWnd* GetTabControl() const;

    // Runs the sheet modally: IDOK when it was closed with OK, IDCANCEL when cancelled (also
    // after an Apply), -1 when it could not be made.
    virtual int DoModal();
    // A modeless sheet, shown; dwStyle and dwExStyle (-1: the system's) replace its styles.
    // It ends with DestroyWindow (or by itself after OK or Cancel).
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Presses a button as the user does (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, ...).
    BOOL PressButton(int nButton);
    // Ends the sheet: a modal one as Cancel does, a modeless one is destroyed.
    void EndDialog(int nEndID);

    // The base runs the system's initialisation of the window (tabs, buttons, first page).
    virtual BOOL OnInitDialog();
    BOOL IsModeless() const { return m_bModeless; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADERA m_psh;  // dwFlags may be changed before the sheet runs (PSH_NOAPPLYNOW)

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Fills m_psh with the pages' records; FALSE without pages.
    BOOL BuildHeader(CWnd* pParentWnd);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    CPtrArray m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    BOOL m_bModeless;
    BOOL m_bInitialized;
    WPARAM m_initWParam;
    LPARAM m_initLParam;
    PROPSHEETPAGEA* m_pPageRecords;  // while the system builds the sheet

    DECLARE_MESSAGE_MAP()
};
