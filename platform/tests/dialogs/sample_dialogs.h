// The samples of the dialog layer: a two-page property sheet whose pages check their values
// and report changes, with the program's rule of context help; and a dialog with a sorted
// check-list box whose items carry the caller's pointers. Their objects note what reaches
// them, so that the tests can follow the calls.
#pragma once

#include "vaskfc.h"
#include "dialogs_res.h"

#include <string>
#include <vector>

extern std::vector<std::string> g_dialogEvents;  // "range: apply", "options: reset", ...

// The first page: a value from 0 to 100; typing marks the page modified.
class CRangePage : public CPropertyPage {
public:
    CRangePage();
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void OnReset() override;

    int m_nValue = 50;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnValueChange();
    DECLARE_MESSAGE_MAP()
};

// The second page: a check box and a note; may refuse OK and Apply.
class COptionsPage : public CPropertyPage {
public:
    COptionsPage();
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void OnReset() override;

    int m_nOption = 0;
    CString m_strNote;
    BOOL m_bRefuseApply = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOptionClicked();
    DECLARE_MESSAGE_MAP()
};

// The sheet: context help on a control opens the pop-up 0x50000 + control id (none for the
// tab control), the caption has the "?" button; it counts its timer ticks and the pages'
// change reports, and notes OK.
class CSampleSheet : public CPropertySheet {
public:
    explicit CSampleSheet(CWnd* pParentWnd = NULL);
    BOOL OnInitDialog() override;

    CRangePage m_range;
    COptionsPage m_options;
    int m_nTicks = 0;
    int m_nChanged = 0;
    int m_nUnchanged = 0;

protected:
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnPageChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnPageUnchanged(WPARAM wParam, LPARAM lParam);
    void OnOK();
    DECLARE_MESSAGE_MAP()
};

// A dialog whose sorted check-list box lists instruments, each with the caller's pointer as
// item data; OK collects the pointers of the checked ones, in list order.
class CInstrumentsDlg : public CDialog {
public:
    struct Item {
        const char* name;
        void* data;
        int check;
        BOOL enabled;
    };

    CInstrumentsDlg(const std::vector<Item>& items, CWnd* pParentWnd = NULL);

    CCheckListBox m_list;
    std::vector<Item> m_items;
    std::vector<void*> m_selected;
    int m_nCheckChanges = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCheckChange();
    DECLARE_MESSAGE_MAP()
};
