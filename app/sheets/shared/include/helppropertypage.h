// Context help of the program's dialogs, property sheets and pages.
//
// Every property page derives from CHelpPropertyPage, which keeps the page's template id and
// answers ID_HELP (the sheet's Help button, F1 on the page) with the topic of the page:
// template id + 0x20000, HELP_CONTEXT. Help on one control (WM_HELP: F1 on a control or the
// caption's "?") follows one rule in every dialog and sheet, OnControlHelp: the popup of
// control id + 0x50000 (HELP_CONTEXTPOPUP), nothing for a sheet's tab control. Pages handle
// no WM_HELP: the request goes up to the sheet. CHelpPropertySheet is the sheets' base with
// that rule and the contents (0, HELP_CONTENTS) for ID_HELP that reaches the sheet itself.
// Every call goes to the application's help through the sheet host (sheethost.h).
#pragma once

#include "vaskfc.h"

// The class library's help bases of resources (pages) and controls.
enum {
    kPageHelpBase = 0x20000,
    kControlHelpBase = 0x50000,
    // The tab control of a property sheet.
    kSheetTabControlId = 12320
};

// The help rule of WM_HELP for a dialog (bSheet FALSE) or property sheet (bSheet TRUE): the
// popup of the control's id + 0x50000; a sheet's tab control gives nothing. Always TRUE, so
// the request is not passed on.
BOOL OnControlHelp(const HELPINFO* pHelpInfo, BOOL bSheet);

class CHelpPropertyPage : public CPropertyPage {
public:
    // The page of template `nIDTemplate`; the tab shows the template's caption.
    explicit CHelpPropertyPage(UINT nIDTemplate);

    UINT GetTemplateId() const { return m_nTemplateId; }

    // The page's help topic: template id + 0x20000 with HELP_CONTEXT. Virtual, so a page
    // that overrides it is honoured by the base's ID_HELP entry.
    virtual void OnHelp();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelpCommand();

    const UINT m_nTemplateId;

    DECLARE_MESSAGE_MAP()
};

class CHelpPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CHelpPropertySheet)
public:
    explicit CHelpPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CHelpPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

protected:
    // WM_HELP of a control of the sheet or of one of its pages.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // ID_HELP handled by the sheet: the help file's contents.
    void OnHelpContents();

    DECLARE_MESSAGE_MAP()
};
