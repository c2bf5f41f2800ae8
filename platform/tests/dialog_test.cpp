// Dialogs and their data exchange, dialog init data, the check-list box, form views and the
// common dialogs, driven by the window kit.
#include "dialogs/sample_dialogs.h"
#include "peer/peer.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Every kind of member and control the data exchange knows.
class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}

    CString m_strName = "abc";  // at most 5 characters
    int m_nCount = 1;           // -10 to 100
    DWORD m_dwLines = 0;        // up to 4000000000
    UINT m_nCycle = 1000;       // 1000 to 3600000
    float m_fFactor = 1.5f;
    int m_nCheck = 0;
    int m_nRadio = -1;
    CString m_strFruit = "Banana";  // a sorted drop-down list filled by the init data
    CString m_strColour = "Blue";   // a combo box with an edit
    CString m_strDelimiter = ";";   // a drop-down list, one character
    int m_nMeasure = 1;
    std::vector<std::string> m_fruitsAtInit;  // what the list held when OnInitDialog returned

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 5);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, -10, 100);
        DDX_Text(pDX, IDC_LINES, m_dwLines);
        DDV_MinMaxDWord(pDX, m_dwLines, 0, 4000000000u);
        DDX_Text(pDX, IDC_CYCLE, m_nCycle);
        DDV_MinMaxUInt(pDX, m_nCycle, 1000, 3600000);
        DDX_Text(pDX, IDC_FACTOR, m_fFactor);
        DDX_Check(pDX, IDC_CHECK, m_nCheck);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBString(pDX, IDC_FRUIT, m_strFruit);
        DDX_CBString(pDX, IDC_COLOUR, m_strColour);
        DDX_Text(pDX, IDC_DELIMITER, m_strDelimiter);
        DDV_MaxChars(pDX, m_strDelimiter, 1);
        DDX_CBIndex(pDX, IDC_MEASURE, m_nMeasure);
    }

    BOOL OnInitDialog() override {
        BOOL bResult = CDialog::OnInitDialog();
        wkit::Window w(m_hWnd);
        m_fruitsAtInit = w.Items(IDC_FRUIT);
        return bResult;
    }
};

using Strings = std::vector<std::string>;

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { g_dialogEvents.clear(); }

    wkit::BoxRecorder boxes_;
    wkit::HelpRecorder help_;
    wkit::Driver driver_;
};

// --- data exchange ---------------------------------------------------------------------------

TEST_F(Dialogs, MembersGoIntoTheirControls) {
    CExchangeDlg dlg;
    driver_.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        w.Shot("exchange-dialog");
        // As OnInitDialog put them; the lists were filled before (and sorted).
        EXPECT_EQ(dlg.m_fruitsAtInit, Strings({"Apple", "Banana", "Cherry"}));
        EXPECT_EQ(w.Text(IDC_NAME), "abc");
        EXPECT_EQ(w.Text(IDC_FACTOR), "1.5");
        EXPECT_EQ(w.Selection(IDC_FRUIT), "Banana");
        EXPECT_EQ(w.Text(IDC_COLOUR), "Blue") << "a text not in the list stays in the edit";
        EXPECT_EQ(w.Items(IDC_DELIMITER), Strings({",", ".", ";"}));
        EXPECT_EQ(w.Selection(IDC_DELIMITER), ";");
        EXPECT_EQ(w.Selection(IDC_MEASURE), "medium");
        for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3})
            EXPECT_EQ(w.CheckState(id), BST_UNCHECKED) << "radio index -1 checks none";

        struct Case {
            const char* what;
            std::function<void(CExchangeDlg&)> set;
            std::function<void(wkit::Window&)> check;
        } cases[] = {
            {"negative int", [](CExchangeDlg& d) { d.m_nCount = -7; },
             [](wkit::Window& w) { EXPECT_EQ(w.Text(IDC_COUNT), "-7"); }},
            {"unsigned above the int range", [](CExchangeDlg& d) { d.m_dwLines = 4000000000u; },
             [](wkit::Window& w) { EXPECT_EQ(w.Text(IDC_LINES), "4000000000"); }},
            {"UINT", [](CExchangeDlg& d) { d.m_nCycle = 3600000; },
             [](wkit::Window& w) { EXPECT_EQ(w.Text(IDC_CYCLE), "3600000"); }},
            {"float", [](CExchangeDlg& d) { d.m_fFactor = 0.1f; },
             [](wkit::Window& w) { EXPECT_EQ(w.Text(IDC_FACTOR), "0.1"); }},
            {"indeterminate check", [](CExchangeDlg& d) { d.m_nCheck = 2; },
             [](wkit::Window& w) { EXPECT_EQ(w.CheckState(IDC_CHECK), BST_INDETERMINATE); }},
            {"second radio button", [](CExchangeDlg& d) { d.m_nRadio = 1; },
             [](wkit::Window& w) {
                 EXPECT_EQ(w.CheckState(IDC_RADIO1), BST_UNCHECKED);
                 EXPECT_EQ(w.CheckState(IDC_RADIO2), BST_CHECKED);
             }},
            {"radio index -1 again", [](CExchangeDlg& d) { d.m_nRadio = -1; },
             [](wkit::Window& w) { EXPECT_EQ(w.CheckState(IDC_RADIO2), BST_UNCHECKED); }},
            {"combo string by its beginning", [](CExchangeDlg& d) { d.m_strFruit = "Ch"; },
             [](wkit::Window& w) { EXPECT_EQ(w.Selection(IDC_FRUIT), "Cherry"); }},
            {"combo string of no entry", [](CExchangeDlg& d) { d.m_strFruit = "Kiwi"; },
             [](wkit::Window& w) { EXPECT_EQ(w.SelectionIndex(IDC_FRUIT), -1); }},
            {"drop-down list text", [](CExchangeDlg& d) { d.m_strDelimiter = ","; },
             [](wkit::Window& w) { EXPECT_EQ(w.Selection(IDC_DELIMITER), ","); }},
            {"drop-down list text of no entry", [](CExchangeDlg& d) { d.m_strDelimiter = "#"; },
             [](wkit::Window& w) { EXPECT_EQ(w.SelectionIndex(IDC_DELIMITER), -1); }},
            {"combo index", [](CExchangeDlg& d) { d.m_nMeasure = 2; },
             [](wkit::Window& w) { EXPECT_EQ(w.Selection(IDC_MEASURE), "large"); }},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            c.set(dlg);
            EXPECT_TRUE(dlg.UpdateData(FALSE));
            c.check(w);
        }
        // DDV_MaxChars also limits what can be typed.
        EXPECT_EQ(::SendMessageA(w.Control(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 5);
        w.SetText(IDC_NAME, "abcdefgh");
        EXPECT_EQ(w.Text(IDC_NAME), "abcde");
        EXPECT_TRUE(boxes_.texts.empty());
        w.PressCancel();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// A refused value shows the library's prompt through AfxMessageBox, puts the focus on its
// control with the whole text selected, and makes UpdateData answer FALSE.
TEST_F(Dialogs, ControlsComeBackIntoTheirMembersOrArePromptedFor) {
    CExchangeDlg dlg;
    driver_.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        struct Case {
            int id;
            const char* text;
            const char* prompt;  // nullptr: taken
            std::function<bool(const CExchangeDlg&)> taken;
        } cases[] = {
            {IDC_COUNT, "42", nullptr, [](const CExchangeDlg& d) { return d.m_nCount == 42; }},
            {IDC_COUNT, " -10 ", nullptr, [](const CExchangeDlg& d) { return d.m_nCount == -10; }},
            {IDC_COUNT, "+5", nullptr, [](const CExchangeDlg& d) { return d.m_nCount == 5; }},
            {IDC_COUNT, "12a", "Enter a whole number.", nullptr},
            {IDC_COUNT, "", "Enter a whole number.", nullptr},
            {IDC_COUNT, "1.5", "Enter a whole number.", nullptr},
            {IDC_COUNT, "2147483648", "Enter a whole number.", nullptr},
            {IDC_COUNT, "101", "Enter a whole number from -10 to 100.", nullptr},
            {IDC_COUNT, "-11", "Enter a whole number from -10 to 100.", nullptr},
            {IDC_LINES, "4000000000", nullptr,
             [](const CExchangeDlg& d) { return d.m_dwLines == 4000000000u; }},
            {IDC_LINES, "0", nullptr, [](const CExchangeDlg& d) { return d.m_dwLines == 0; }},
            {IDC_LINES, "4000000001", "Enter a whole number from 0 to 4000000000.", nullptr},
            {IDC_LINES, "4294967296", "Enter a whole number of 0 or more.", nullptr},
            {IDC_LINES, "-1", "Enter a whole number of 0 or more.", nullptr},
            {IDC_CYCLE, "999", "Enter a whole number from 1000 to 3600000.", nullptr},
            {IDC_CYCLE, "3600001", "Enter a whole number from 1000 to 3600000.", nullptr},
            {IDC_CYCLE, "3600000", nullptr,
             [](const CExchangeDlg& d) { return d.m_nCycle == 3600000; }},
            {IDC_FACTOR, "2.25", nullptr,
             [](const CExchangeDlg& d) { return d.m_fFactor == 2.25f; }},
            {IDC_FACTOR, "1e3", nullptr,
             [](const CExchangeDlg& d) { return d.m_fFactor == 1000.0f; }},
            {IDC_FACTOR, "abc", "Enter a number.", nullptr},
            {IDC_FACTOR, "1,5", "Enter a number.", nullptr},
            {IDC_FACTOR, "1e39", "Enter a number.", nullptr},
            {IDC_NAME, "abcdef", "Enter no more than 5 characters.", nullptr},
            {IDC_NAME, "vwxyz", nullptr,
             [](const CExchangeDlg& d) { return d.m_strName == "vwxyz"; }},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.id) + " \"" + c.text + "\"");
            // Set as a program would, past the edit's limit, so that the check sees it.
            ::SetWindowTextA(w.Control(c.id), c.text);
            boxes_.texts.clear();
            boxes_.types.clear();
            BOOL bTaken = dlg.UpdateData(TRUE);
            if (c.prompt == nullptr) {
                EXPECT_TRUE(bTaken);
                EXPECT_TRUE(boxes_.texts.empty());
                EXPECT_TRUE(c.taken(dlg));
            } else {
                EXPECT_FALSE(bTaken);
                ASSERT_EQ(boxes_.texts.size(), 1u);
                EXPECT_EQ(boxes_.texts[0], c.prompt);
                EXPECT_TRUE(boxes_.types[0] & MB_ICONEXCLAMATION);
                EXPECT_EQ(w.FocusId(), c.id);
                DWORD dwStart = 1, dwEnd = 0;
                ::SendMessageA(w.Control(c.id), EM_GETSEL, (WPARAM)&dwStart, (LPARAM)&dwEnd);
                EXPECT_EQ(dwStart, 0u);
                EXPECT_EQ(dwEnd, strlen(c.text)) << "the whole text is selected";
            }
            // A refused value stays in its member (the check follows the exchange): back to
            // values that pass, for the next case.
            dlg.m_strName = "abc";
            dlg.m_nCount = 1;
            dlg.m_dwLines = 0;
            dlg.m_nCycle = 1000;
            dlg.m_fFactor = 1.5f;
            EXPECT_TRUE(dlg.UpdateData(FALSE));
        }
        // No radio button checked reads as -1.
        for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3})
            ::SendMessageA(w.Control(id), BM_SETCHECK, BST_UNCHECKED, 0);
        dlg.m_nRadio = 1;
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.m_nRadio, -1);
        // The other controls, as the user sets them.
        w.Check(IDC_CHECK, BST_INDETERMINATE);
        w.Check(IDC_RADIO3);
        w.Pick(IDC_FRUIT, "Apple");
        w.SetText(IDC_COLOUR, "Mauve");
        w.Pick(IDC_DELIMITER, ".");
        w.PickIndex(IDC_MEASURE, 0);
        w.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCheck, 2);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_strFruit, "Apple");
    EXPECT_EQ(dlg.m_strColour, "Mauve");
    EXPECT_EQ(dlg.m_strDelimiter, ".");
    EXPECT_EQ(dlg.m_nMeasure, 0);
}

// --- dialogs ---------------------------------------------------------------------------------

TEST_F(Dialogs, OKClosesOnlyWhenTheExchangeSucceedsAndCancelTakesNothing) {
    CExchangeDlg dlg;
    driver_.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        w.SetText(IDC_COUNT, "500");
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(boxes_.texts, Strings({"Enter a whole number from -10 to 100."}));
        EXPECT_EQ(w.FocusId(), IDC_COUNT);
        w.SetText(IDC_COUNT, "5");
        w.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nCount, 5);

    driver_.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        w.SetText(IDC_COUNT, "500");
        w.Close();  // the caption's close box is Cancel
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nCount, 5);
    EXPECT_EQ(boxes_.texts.size(), 1u) << "Cancel checks nothing";
}

TEST_F(Dialogs, TheHelpButtonAsksForTheDialogsTopic) {
    CExchangeDlg dlg;
    driver_.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        w.PressHelp();
        EXPECT_TRUE(w.IsOpen());
        w.PressCancel();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(help_.calls.size(), 1u);
    EXPECT_EQ(help_.calls[0].nCmd, (UINT)HELP_CONTEXT);
    EXPECT_EQ(help_.calls[0].dwData, (DWORD_PTR)(0x20000 + IDD_EXCHANGE));
}

TEST_F(Dialogs, TemplatesAreFoundThroughTheResourceChainOrNotAtAll) {
    CDialog peerDialog(IDD_PEER_ONLY);
    driver_.OnOpen(wkit::Caption("Peer's dialog"), [](wkit::Window& w) { w.PressOK(); });
    EXPECT_EQ(peerDialog.DoModal(), IDOK);
    EXPECT_EQ(peerDialog.GetTemplateModule(), PeerModule());

    CDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.Create(999));
    EXPECT_EQ(missing.m_hWnd, nullptr);
}

TEST_F(Dialogs, DamagedInitDataStopAtTheDamage) {
    CDialog dlg(IDD_DAMAGED_INIT);
    driver_.OnOpen(wkit::Template(IDD_DAMAGED_INIT), [&](wkit::Window& w) {
        EXPECT_EQ(w.Items(IDC_DAMAGED_LIST), Strings({"first"}));
        EXPECT_FALSE(dlg.ExecuteDlgInit(MAKEINTRESOURCEA(IDD_DAMAGED_INIT)));
        EXPECT_EQ(w.Items(IDC_DAMAGED_LIST), Strings({"first", "first"}));
        w.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

// A modeless dialog takes Tab in the program's loop and can be made again after its end.
TEST_F(Dialogs, AModelessDialogComesAndGoes) {
    CExchangeDlg dlg;
    for (int nRun = 0; nRun < 2; nRun++) {
        ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
        driver_.Exempt(dlg.m_hWnd);
        wkit::Window w(dlg.m_hWnd);
        dlg.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(dlg.m_hWnd);
        dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_NAME));
        ASSERT_EQ(w.FocusId(), IDC_NAME);
        ::PostMessageA(w.Control(IDC_NAME), WM_KEYDOWN, VK_TAB, 1);
        wkit::Driver::Pump();
        EXPECT_EQ(w.FocusId(), IDC_COUNT);
        EXPECT_EQ(w.Text(IDC_COUNT), nRun == 0 ? "1" : "9");
        dlg.m_nCount = 9;
        EXPECT_TRUE(dlg.DestroyWindow());
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}

// --- the check-list box ------------------------------------------------------------------------

int g_a, g_b, g_c, g_d;  // the caller's objects behind the items

TEST_F(Dialogs, ChecksFollowTheirItemsThroughTheSortAndTheItemDataStayTheCallers) {
    CInstrumentsDlg dlg(
        {{"Sindor 6", &g_a, 1, TRUE}, {"alpha", &g_b, 0, TRUE}, {"Lorvix 62", &g_c, 2, TRUE}});
    driver_.OnOpen(wkit::Template(IDD_INSTRUMENTS), [&](wkit::Window& w) {
        w.Shot("instruments-dialog");
        CCheckListBox& list = dlg.m_list;
        EXPECT_EQ(w.Items(IDC_INSTRUMENTS), Strings({"alpha", "Lorvix 62", "Sindor 6"}));
        EXPECT_EQ(list.GetCheck(0), 0);
        EXPECT_EQ(list.GetCheck(1), 2);
        EXPECT_EQ(list.GetCheck(2), 1);
        // The item data are the caller's, also for whoever asks the control itself.
        EXPECT_EQ(list.GetItemDataPtr(1), &g_c);
        EXPECT_EQ(::SendMessageA(list.m_hWnd, LB_GETITEMDATA, 2, 0), (LRESULT)&g_a);

        int nBeta = list.AddString("Beta");
        EXPECT_EQ(nBeta, 1);
        list.SetItemDataPtr(nBeta, &g_d);
        EXPECT_EQ(list.GetCheck(1), 0) << "a new item starts unchecked";
        EXPECT_EQ(list.GetCheck(2), 2);
        EXPECT_EQ(list.GetCheck(3), 1);
        list.SetCheck(1, 1);
        EXPECT_EQ(list.DeleteString(0), 3);
        EXPECT_EQ(list.GetCheck(0), 1);  // Beta
        EXPECT_EQ(list.GetCheck(1), 2);  // Lorvix 62
        EXPECT_EQ(list.GetItemDataPtr(0), &g_d);
        EXPECT_EQ(list.GetCheck(3), -1) << "no such item";
        w.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_selected, std::vector<void*>({&g_d, &g_c, &g_a}));
}

TEST_F(Dialogs, AClickOnTheBoxOrTheSpaceBarTogglesAnEnabledItem) {
    CInstrumentsDlg dlg(
        {{"one", &g_a, 0, TRUE}, {"two", &g_b, 1, FALSE}, {"three", &g_c, 0, TRUE}});
    driver_.OnOpen(wkit::Template(IDD_INSTRUMENTS), [&](wkit::Window& w) {
        CCheckListBox& list = dlg.m_list;
        ASSERT_EQ(w.Items(IDC_INSTRUMENTS), Strings({"one", "three", "two"}));
        w.ClickItemBox(IDC_INSTRUMENTS, 0);
        EXPECT_EQ(list.GetCheck(0), 1);
        EXPECT_EQ(dlg.m_nCheckChanges, 1);
        EXPECT_EQ(list.GetCurSel(), 0) << "the click selects the item as well";

        // A click on the text selects without toggling.
        RECT rc;
        list.GetItemRect(1, &rc);
        LPARAM onText = MAKELPARAM(rc.right - 5, (rc.top + rc.bottom) / 2);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, onText);
        list.SendMessage(WM_LBUTTONUP, 0, onText);
        EXPECT_EQ(list.GetCurSel(), 1);
        EXPECT_EQ(list.GetCheck(1), 0);
        EXPECT_EQ(dlg.m_nCheckChanges, 1);

        // The space bar toggles the current item and selects nothing else.
        w.Key(IDC_INSTRUMENTS, VK_SPACE);
        EXPECT_EQ(list.GetCheck(1), 1);
        EXPECT_EQ(list.GetCurSel(), 1);
        EXPECT_EQ(dlg.m_nCheckChanges, 2);

        // A disabled item keeps its check.
        EXPECT_FALSE(list.IsEnabled(2));
        w.ClickItemBox(IDC_INSTRUMENTS, 2);
        EXPECT_EQ(list.GetCheck(2), 1);
        list.SetCurSel(2);
        w.Key(IDC_INSTRUMENTS, VK_SPACE);
        EXPECT_EQ(list.GetCheck(2), 1);
        EXPECT_EQ(dlg.m_nCheckChanges, 2);
        list.Enable(2, TRUE);
        w.ClickItemBox(IDC_INSTRUMENTS, 2);
        EXPECT_EQ(list.GetCheck(2), 0);
        EXPECT_EQ(dlg.m_nCheckChanges, 3);
        ::UpdateWindow(list.m_hWnd);  // every state drawn once
        w.PressOK();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_selected, std::vector<void*>({&g_a, &g_c}));
}

// The list box of a template measured its items before the object existed; the object makes
// the height fit the box and the font. One made by Create measures through its parent.
TEST_F(Dialogs, CheckListItemsAreTallEnoughForTheBoxAndTheFont) {
    CInstrumentsDlg dlg({{"one", &g_a, 0, TRUE}});
    driver_.OnOpen(wkit::Template(IDD_INSTRUMENTS), [&](wkit::Window&) {
        CCheckListBox& list = dlg.m_list;
        int nHeight = list.GetItemHeight(0);
        EXPECT_EQ(nHeight, list.CalcMinimumItemHeight());
        EXPECT_GE(nHeight, ::GetSystemMetrics(SM_CYMENUCHECK) + 2);
        HDC hDC = ::GetDC(list.m_hWnd);
        HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)list.SendMessage(WM_GETFONT));
        TEXTMETRICA tm;
        ::GetTextMetricsA(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(list.m_hWnd, hDC);
        EXPECT_GE(nHeight, tm.tmHeight);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);

    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT, CRect(0, 0, 150, 150), &parent, 7));
    EXPECT_TRUE(list.GetStyle() & LBS_OWNERDRAWFIXED);
    EXPECT_EQ(list.GetItemHeight(0), list.CalcMinimumItemHeight());
    list.AddString("b");
    list.AddString("a");
    list.SetCheck(1, 1);
    list.ResetContent();
    EXPECT_EQ(list.GetCheck(0), -1);
    EXPECT_EQ(list.AddString("c"), 0);
    EXPECT_EQ(list.GetCheck(0), 0) << "no check is left over from the items before";
}

// --- form views --------------------------------------------------------------------------------

class CTestForm : public CFormView {
    DECLARE_DYNCREATE(CTestForm)
public:
    CTestForm() : CFormView(IDD_FORM) {}
    CString m_strText = "form text";
    int m_nFlag = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CFormView::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_FORM_TEXT, m_strText);
        DDX_Check(pDX, IDC_FORM_CHECK, m_nFlag);
    }
};
IMPLEMENT_DYNCREATE(CTestForm, CFormView)

TEST_F(Dialogs, AFormViewIsADialogInItsFrame) {
    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestForm);
    ASSERT_TRUE(pFrame->Create(NULL, "Form frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), NULL,
                               NULL, 0, &context));
    pFrame->InitialUpdateFrame(NULL, TRUE);
    CWnd* pView = pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    ASSERT_NE(pView, nullptr);
    ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CTestForm)));
    CTestForm* pForm = static_cast<CTestForm*>(pView);
    wkit::Window w(pForm->m_hWnd);
    EXPECT_TRUE(pForm->GetStyle() & WS_CHILD);
    EXPECT_FALSE(pForm->GetStyle() & WS_CAPTION);
    EXPECT_EQ(w.Text(IDC_FORM_TEXT), "form text") << "the initial update put the members in";
    EXPECT_EQ(w.CheckState(IDC_FORM_CHECK), BST_CHECKED);
    w.SetText(IDC_FORM_TEXT, "typed");
    w.Check(IDC_FORM_CHECK, BST_UNCHECKED);
    EXPECT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_EQ(pForm->m_strText, "typed");
    EXPECT_EQ(pForm->m_nFlag, 0);
    EXPECT_TRUE(pForm->SendMessage(WM_COMMANDHELP, 0, 0));
    ASSERT_EQ(help_.calls.size(), 1u);
    EXPECT_EQ(help_.calls[0].dwData, (DWORD_PTR)(0x20000 + IDD_FORM));
    pFrame->DestroyWindow();  // frame and view delete themselves
}

// --- common dialogs ----------------------------------------------------------------------------

std::string TempFolder() {
    char folder[MAX_PATH];
    DWORD n = GetTempPathA(sizeof folder, folder);
    std::string path(folder, n);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// The texts each ended by a zero, and a zero after the last.
std::string Pairs(const Strings& texts) {
    std::string pairs;
    for (const std::string& text : texts) pairs += text + '\0';
    return pairs + '\0';
}

TEST(FileDialogFilters, BarsBecomePairsAndTheDefaultExtensionLosesItsWildcard) {
    struct Case {
        const char* filter;
        std::string pairs;  // as the system takes them; "" for none
    } cases[] = {
        {"Offline Parameter Set (*.prm)|*.prm|All Files (*.*)|*.*||",
         Pairs({"Offline Parameter Set (*.prm)", "*.prm", "All Files (*.*)", "*.*"})},
        {"PC Data file (*.dat) | *.dat| All files (*.*)|*.*||",
         Pairs({"PC Data file (*.dat) ", "*.dat", " All files (*.*)", "*.*"})},
        {"Download-File (*.hex) | *.hex ||", Pairs({"Download-File (*.hex) ", "*.hex"})},
        {"(*.*)|*.*||", Pairs({"(*.*)", "*.*"})},
        {"Name without pattern|", ""},
        {nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter != nullptr ? c.filter : "(none)");
        CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, c.filter);
        if (c.pairs.empty()) {
            EXPECT_EQ(dlg.m_ofn.lpstrFilter, nullptr);
            continue;
        }
        ASSERT_NE(dlg.m_ofn.lpstrFilter, nullptr);
        EXPECT_EQ(std::string(dlg.m_ofn.lpstrFilter, c.pairs.size()), c.pairs);
    }
    struct Extension {
        const char* given;
        const char* used;
    } extensions[] = {{"*.prm", "prm"}, {".hex", "hex"}, {"emf", "emf"},
                      {"*.*", nullptr}, {"", nullptr},   {nullptr, nullptr}};
    for (const Extension& e : extensions) {
        CFileDialog dlg(FALSE, e.given);
        if (e.used == nullptr)
            EXPECT_EQ(dlg.m_ofn.lpstrDefExt, nullptr) << (e.given ? e.given : "(none)");
        else
            EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, e.used);
    }
}

TEST_F(Dialogs, AFileDialogDrivenToAPath) {
    // Saving: a name typed without extension gets the default one.
    std::string folder = TempFolder();
    CFileDialog save(FALSE, "*.prm", "*.prm", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Offline Parameter Set (*.prm)|*.prm|All Files (*.*)|*.*||");
    driver_.OnOpen(wkit::FileDialog(), [&](wkit::Window& w) {
        EXPECT_EQ(w.Object(), &save);
        w.Shot("file-dialog");
        w.NameFile(folder + "\\vaskfc dialog test");
    });
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), CString((folder + "\\vaskfc dialog test.prm").c_str()));
    EXPECT_EQ(save.GetFileName(), "vaskfc dialog test.prm");
    EXPECT_EQ(save.GetFileExt(), "prm");
    EXPECT_EQ(save.GetFileTitle(), "vaskfc dialog test");

    // Opening an existing file; Cancel gives nothing.
    std::string path = folder + "\\vaskfc dialog test.dat";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    CFileDialog open(TRUE, "*.dat", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     "PC Data file (*.dat) | *.dat| All files (*.*)|*.*||");
    driver_.NameFile(path);
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), CString(path.c_str()));
    driver_.CancelFile();
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    DeleteFileA(path.c_str());
}

TEST_F(Dialogs, TheColourDialogGivesTheChosenColour) {
    CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
    driver_.OnOpen(wkit::Class(RUNTIME_CLASS(CColorDialog)), [](wkit::Window& w) { w.PressOK(); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
    EXPECT_NE(CColorDialog::GetSavedCustomColors(), nullptr);
}

// The owner of a find dialog: it notes what the dialog reports.
class CFindOwner : public CWnd {
public:
    std::vector<std::string> reports;

protected:
    LRESULT OnFindReplace(WPARAM, LPARAM lParam) {
        CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
        if (pDlg->IsTerminating())
            reports.push_back("closing");
        else if (pDlg->FindNext())
            reports.push_back(std::string("find ") + (LPCSTR)pDlg->GetFindString() +
                              (pDlg->SearchDown() ? " down" : " up"));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

const UINT g_findMessage = RegisterWindowMessageA(FINDMSGSTRINGA);

BEGIN_MESSAGE_MAP(CFindOwner, CWnd)
ON_REGISTERED_MESSAGE(g_findMessage, OnFindReplace)
END_MESSAGE_MAP()

int g_findDialogsAlive = 0;

class CCountedFind : public CFindReplaceDialog {
public:
    CCountedFind() { ++g_findDialogsAlive; }
    ~CCountedFind() override { --g_findDialogsAlive; }
};

TEST_F(Dialogs, AFindDialogReportsToItsOwnerAndEndsWithItsWindow) {
    CFindOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "owner", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
    EXPECT_FALSE((new CCountedFind)->Create(TRUE, "x")) << "no owner, no main window";
    EXPECT_EQ(g_findDialogsAlive, 1);  // the caller's to delete
    g_findDialogsAlive = 0;

    CCountedFind* pDlg = new CCountedFind;
    ASSERT_TRUE(pDlg->Create(TRUE, "abc", NULL, FR_DOWN, &owner));
    driver_.Exempt(pDlg->m_hWnd);
    wkit::Window w(pDlg->m_hWnd);
    EXPECT_EQ(w.Object(), pDlg);
    w.SetText(0x480, "xyz");  // the dialog's search text
    w.PressOK();              // Find Next
    ASSERT_EQ(owner.reports, Strings({"find xyz down"}));
    w.PressCancel();
    EXPECT_EQ(owner.reports, Strings({"find xyz down", "closing"}));
    EXPECT_FALSE(::IsWindow(w.Handle()));
    EXPECT_EQ(g_findDialogsAlive, 0) << "the dialog deleted itself";
}

TEST_F(Dialogs, PrintSetupWithoutAPrinterSaysSo) {
    DWORD nNeeded = 0;
    GetDefaultPrinterA(NULL, &nNeeded);
    if (nNeeded > 0) GTEST_SKIP() << "a printer is installed here";
    AfxGetApp()->OnFilePrintSetup();
    EXPECT_EQ(boxes_.texts,
              Strings({"No printer is installed. Install a printer, then try again."}));
}

}  // namespace

namespace {

// A modal dialog over `main` (the application's main window meanwhile), and a message box
// asked for while it is open, after `beforeBox`: who owned what, and whether the main window
// was enabled under the dialog and after the box.
struct BoxOverDialog {
    HWND dialog = NULL, dialogOwner = NULL, boxOwner = NULL;
    BOOL mainEnabledUnderDialog = TRUE, mainEnabledAfterBox = TRUE;
    int result = 0;
};
BoxOverDialog OpenABoxOverADialog(CWnd& main, const std::function<void()>& beforeBox) {
    CWinApp app("Message box test");
    app.m_pMainWnd = &main;
    BoxOverDialog seen;
    wkit::Driver driver;
    driver.OnOpen(wkit::Box("over the dialog"), [&](wkit::Window& box) {
        seen.boxOwner = ::GetWindow(box.Handle(), GW_OWNER);
        box.PressOK();
    });
    CExchangeDlg dlg;
    driver.OnOpen(wkit::Template(IDD_EXCHANGE), [&](wkit::Window& w) {
        seen.dialog = w.Handle();
        seen.dialogOwner = ::GetWindow(seen.dialog, GW_OWNER);
        seen.mainEnabledUnderDialog = main.IsWindowEnabled();
        beforeBox();
        AfxMessageBox("A box over the dialog");
        seen.mainEnabledAfterBox = main.IsWindowEnabled();
        w.PressCancel();
    });
    seen.result = dlg.DoModal();
    app.m_pMainWnd = NULL;
    return seen;
}

}  // namespace

// A message box asked for while a modal dialog holds the main window disabled is owned by
// that dialog: when the box ends, the main window stays disabled under the dialog (a box
// owned by the main window would enable it again, and the main window would take clicks and
// a close while the dialog still runs).
TEST(DialogMessageBox, ABoxOverAModalDialogBelongsToTheDialogAndTheMainWindowStaysDisabled) {
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 300, 200, NULL, NULL));
    const BoxOverDialog seen = OpenABoxOverADialog(main, [] {});
    EXPECT_EQ(seen.result, IDCANCEL);
    EXPECT_FALSE(seen.mainEnabledUnderDialog);
    EXPECT_EQ(seen.boxOwner, seen.dialog);
    EXPECT_FALSE(seen.mainEnabledAfterBox) << "the box enabled the main window under the dialog";
    EXPECT_TRUE(main.IsWindowEnabled()) << "the dialog's end enables it";
    main.DestroyWindow();
}

// The window that was last active over the main window may since have been hidden (a
// progress window between two operations). A modal dialog then still disables the main
// window, and a box over that dialog belongs to the dialog: owned by the hidden window, the
// main window stayed enabled under the dialog and a close ended it while the dialog ran.
TEST(DialogMessageBox, AHiddenPopupThatWasLastActiveOwnsNeitherADialogNorItsBox) {
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              0, 0, 300, 200, NULL, NULL));
    CWnd progress;
    ASSERT_TRUE(progress.CreateEx(0, AfxRegisterWndClass(0), "progress", WS_POPUP | WS_CAPTION,
                                  20, 20, 200, 80, main.m_hWnd, NULL));
    // Another program's window, say, takes the activation from it.
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_CAPTION, 300,
                               20, 200, 80, NULL, NULL));
    // Shown, active, hidden again: as the progress window is between two operations.
    auto showAndHide = [&] {
        progress.ShowWindow(SW_SHOW);
        ::SetActiveWindow(progress.m_hWnd);
        other.ShowWindow(SW_SHOW);
        ::SetActiveWindow(other.m_hWnd);
        progress.ShowWindow(SW_HIDE);
    };
    showAndHide();
    ASSERT_EQ(::GetLastActivePopup(main.m_hWnd), progress.m_hWnd)
        << "the hidden window is not the main window's last active pop-up here";
    // The progress window comes and goes once more while the dialog is open.
    const BoxOverDialog seen = OpenABoxOverADialog(main, showAndHide);
    EXPECT_EQ(seen.result, IDCANCEL);
    EXPECT_EQ(seen.dialogOwner, main.m_hWnd);
    EXPECT_FALSE(seen.mainEnabledUnderDialog) << "the dialog left the main window enabled";
    EXPECT_EQ(seen.boxOwner, seen.dialog);
    EXPECT_FALSE(seen.mainEnabledAfterBox);
    EXPECT_TRUE(main.IsWindowEnabled());
    progress.DestroyWindow();
    other.DestroyWindow();
    main.DestroyWindow();
}
