// Dialogs, dialog data exchange and form views.
//
// A dialog is made from a dialog template. The template is taken from the module whose code
// constructed the dialog object when that module holds it (a library's dialogs come from the
// library), else from the first module of the resource chain that holds it. The dialog's
// window runs through the object from its first message on (its map sees WM_SETFONT,
// WM_MEASUREITEM and WM_INITDIALOG). Dialog init data of the template (a resource of type
// RT_DLGINIT with the template's name, in the same module) fill its combo and list boxes in
// the base OnInitDialog, before the data exchange.
//
// Data exchange: DoDataExchange lists the members and their controls with the DDX_ and DDV_
// functions; UpdateData(FALSE) puts the members into the controls, UpdateData(TRUE) takes
// them back and checks them. A text that is no number, or a value out of its range, shows
// the library's prompt through AfxMessageBox, puts the focus on the control with its text
// selected, and UpdateData returns FALSE; members exchanged before the failing one keep the
// value taken over.
//
//     void CSettingsDlg::DoDataExchange(CDataExchange* pDX) {
//         CDialog::DoDataExchange(pDX);
//         DDX_Text(pDX, IDC_CYCLE, m_nCycle);
//         DDV_MinMaxUInt(pDX, m_nCycle, 1000, 3600000);
//         DDX_Check(pDX, IDC_START, m_bStart);
//         DDX_Control(pDX, IDC_NETWORKS, m_networks);
//     }
#pragma once

#include "vaskfc_doc.h"
#include "vaskfc_exceptions.h"
#include "vaskfc_ids.h"
#include "vaskfc_wnd.h"

// --- data exchange ---------------------------------------------------------------------------

// Thrown by CDataExchange::Fail after the prompt was shown; UpdateData catches it.
class VASKFC_API CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
};

[[noreturn]] VASKFC_API void AFXAPI AfxThrowUserException();

// One run of a window's data exchange.
class VASKFC_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control nIDC of the window, which the following DDV_ calls check; PrepareEditCtrl
    // for a control whose text is selected when its value is refused.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focuses the last prepared control (its text selected) and ends the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;  // TRUE: controls to members, with the checks
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Texts: an edit's text, or a combo box's (a drop-down list selects the entry with exactly
// that text). Numbers are written plainly and read with blanks around them allowed.
VASKFC_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
VASKFC_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// Unsigned: 0 to 4294967295; a sign "-" is refused.
VASKFC_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
VASKFC_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
VASKFC_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
// Check box state: 0, 1 or 2 (indeterminate).
VASKFC_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The index of the checked radio button of the group that starts with nIDC (up to the next
// control with WS_GROUP); -1 when none is checked, and -1 checks none.
VASKFC_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The combo box's selected index (-1: none).
VASKFC_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// The combo box's text; loading selects the first entry that begins with the value (and sets
// the text of a combo box with an edit when none does).
VASKFC_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
// Makes rControl the object of control nIDC (once: the first exchange subclasses it).
VASKFC_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Checks of the value just exchanged (saving only). DDV_MaxChars also limits the edit (or
// the combo box's edit) to nChars when the members are put into the controls.
VASKFC_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
VASKFC_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
VASKFC_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
VASKFC_API void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);

// --- CDialog ---------------------------------------------------------------------------------

// The dialog procedure of the library's dialogs (the window's messages run through its
// object; this procedure only answers what is left to it).
VASKFC_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class VASKFC_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // Runs the dialog modally: the value given to EndDialog (IDOK, IDCANCEL, ...), -1 when
    // the template is missing or the window could not be made. The owner is the parent
    // given (its top-level window), else the thread's main window.
    virtual int DoModal();
    // A modeless dialog; shown when its template says WS_VISIBLE.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    // The base puts the dialog init data into the controls and the members into the
    // controls (UpdateData(FALSE)); TRUE lets the system focus the first control.
    virtual BOOL OnInitDialog();
    // OK takes the members from the controls and ends the dialog only when that succeeds;
    // Cancel ends it without.
    virtual void OnOK();
    virtual void OnCancel();
    // Ends a modal dialog with nResult (hides a modeless one).
    void EndDialog(int nResult);

    // Moves the focus as the Tab key does (the default button follows).
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    // Sends the dialog init data of the named template to the controls; FALSE when the data
    // are damaged (what came before the damage was sent).
    BOOL ExecuteDlgInit(LPCSTR lpszResourceName);
    // The module that holds the dialog's template (NULL: none does).
    HINSTANCE GetTemplateModule() const;

    // Modeless dialogs take their keys (Tab, Enter, Escape) in the program's loop.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCSTR m_lpszTemplateName;  // the template: MAKEINTRESOURCE(id) or a name
    UINT m_nIDHelp;             // the template id: help context 0x20000 + m_nIDHelp
    CWnd* m_pParentWnd;

protected:
    // Records the template and the module of the code that constructs the object.
    void SetTemplate(LPCSTR lpszTemplateName, void* pCaller);
    // Makes the window from the template (modal or modeless).
    BOOL CreateFromTemplate(CWnd* pParentWnd, BOOL bModal, int* pnResult);

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // ID_HELP: the dialog's own help (WM_COMMANDHELP to itself).
    void OnHelpCommand();
    // WM_COMMANDHELP: the dialog's help (0x20000 + template id) when nothing more precise is
    // asked for.
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    CString m_strTemplateName;  // the name when the template is named by a text
    HMODULE m_hCallerModule;    // the module whose code constructed the object
    BOOL m_bModal;
    LRESULT m_lInitDefault;  // what the dialog procedure answered to WM_INITDIALOG

    DECLARE_MESSAGE_MAP()
};

// --- CFormView -------------------------------------------------------------------------------

// A view whose window is a dialog made from a template (a child without caption or frame),
// with the dialog's keyboard handling in the program's loop. OnInitialUpdate puts the members
// into the controls.
class VASKFC_API CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCSTR lpszTemplateName);

public:
    BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    CString m_strTemplateName;
    HMODULE m_hCallerModule;
    CCreateContext* m_pCreateContext;  // handed to OnCreate (a dialog's creation has none)

    DECLARE_MESSAGE_MAP()
};
