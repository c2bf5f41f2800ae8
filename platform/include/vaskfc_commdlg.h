// The system's common dialogs: file open and save, colour, find and replace; and the print
// setup of the application (CWinApp::OnFilePrintSetup).
//
// Filters are given as one text of pairs separated by bars, ended by two bars:
//     "Offline Parameter Set (*.prm)|*.prm|All Files (*.*)|*.*||"
// Blanks around a pattern do not count. A default extension may be given with or without
// its wildcard ("*.prm", ".prm" and "prm" are the same): a name typed without extension gets
// it.
#pragma once

#include "vaskfc_dlg.h"

#include <commdlg.h>

// The base of the common dialogs: the system's dialog procedure does the work; the window
// runs through the object while it is shown.
class VASKFC_API CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);
    BOOL OnInitDialog() override;  // the system's answer
    void OnOK() override;          // the system's processing
    void OnCancel() override;

protected:
    // The window that owns the dialog: the parent's top-level window, else the main window
    // of the calling thread.
    HWND OwnerWindow() const;
};

class VASKFC_API CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

    // IDOK with the chosen file, IDCANCEL when cancelled or refused by the system.
    int DoModal() override;

    CString GetPathName() const;   // "C:\data\a.prm"
    CString GetFileName() const;   // "a.prm"
    CString GetFileExt() const;    // "prm"
    CString GetFileTitle() const;  // "a"
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;  // the pairs separated by zero bytes
    CString m_strDefExt;
    CString m_strTitle;
    char m_szFileName[4 * MAX_PATH];
    char m_szFileTitle[MAX_PATH];
};

class VASKFC_API CColorDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);
    int DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);
    // The sixteen custom colours, kept for the whole process.
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLORA m_cc;
};

// A modeless find or find-and-replace dialog. Allocate it with new: it deletes itself when its
// window ends. Its owner gets the registered message FINDMSGSTRING ("commdlg_FindReplace")
// whose lParam names the dialog (GetNotifier).
class VASKFC_API CFindReplaceDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    CFindReplaceDialog();
    // FALSE (the object is the caller's to delete) when there is no owner or the dialog
    // could not be made. The owner is pParentWnd, else the main window.
    BOOL Create(BOOL bFindDialogOnly, LPCSTR lpszFindWhat, LPCSTR lpszReplaceWith = NULL,
                DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = NULL);
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

    CString GetFindString() const { return m_fr.lpstrFindWhat; }
    CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACEA m_fr;

protected:
    void PostNcDestroy() override;

    char m_szFindWhat[128];
    char m_szReplaceWith[128];
};
