// Property sheets over the system's: the sample sheet driven by scripts of the window kit
// (pages made when first shown, leaving and applying, Apply's state, Cancel, help), the
// sheet's window subclassed from its creation, pages from another module, modeless sheets
// made again and again, and pages that outlive their sheet.
#include "dialogs/sample_dialogs.h"
#include "peer/peer.h"
#include "window_kit.h"

#include <gtest/gtest.h>

namespace {

using Events = std::vector<std::string>;

Events TakeEvents() {
    Events events;
    events.swap(g_dialogEvents);
    return events;
}

bool Contains(const Events& events, const std::string& event) {
    for (const std::string& e : events)
        if (e == event) return true;
    return false;
}

class Sheets : public ::testing::Test {
protected:
    void SetUp() override { g_dialogEvents.clear(); }

    wkit::BoxRecorder boxes_;
    wkit::HelpRecorder help_;
};

// The acceptance run: a range failure keeps page 1 with the standard prompt; Apply is
// enabled by a change and disabled by Apply; page 2, never shown, gets no OnApply; help on
// a control reaches the sheet's handler; OK closes.
TEST_F(Sheets, TheSampleSheetDrivenByAScript) {
    CSampleSheet sheet;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_RANGE_PAGE), [&](wkit::Window& w) {
        w.Shot("sample-sheet");
        EXPECT_EQ(w.Caption(), "Sample sheet");
        EXPECT_EQ(w.PageCount(), 2);
        EXPECT_EQ(w.ActivePage(), 0);
        EXPECT_EQ(w.Text(IDC_VALUE), "50");
        EXPECT_EQ(sheet.m_options.m_hWnd, nullptr) << "a page is made when first shown";
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW));

        w.SetText(IDC_VALUE, "500");
        EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW)) << "the page reported a change";
        w.PressOK();
        EXPECT_TRUE(w.IsOpen()) << "a value out of range keeps the sheet";
        EXPECT_EQ(w.ActivePage(), 0);
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(boxes_.texts[0], "Enter a whole number from 0 to 100.");
        EXPECT_FALSE(Contains(g_dialogEvents, "range: apply"));

        w.SetText(IDC_VALUE, "42");
        w.PressApply();
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "Apply disables itself";
        EXPECT_EQ(sheet.m_range.m_nValue, 42);
        EXPECT_TRUE(Contains(g_dialogEvents, "range: apply"));
        EXPECT_FALSE(Contains(g_dialogEvents, "options: apply")) << "page 2 was never shown";

        w.HelpOn(IDC_VALUE);
        w.HelpOn(AFX_IDC_TAB_CONTROL);  // the tab control has no help of its own
        w.PressHelp();                  // the Help button: the active page's help
        w.PressOK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_range.m_nValue, 42);
    ASSERT_EQ(help_.calls.size(), 2u);
    EXPECT_EQ(help_.calls[0].nCmd, (UINT)HELP_CONTEXTPOPUP);
    EXPECT_EQ(help_.calls[0].dwData, (DWORD_PTR)(0x50000 + IDC_VALUE));
    EXPECT_EQ(help_.calls[1].nCmd, (UINT)HELP_CONTEXT);
    EXPECT_EQ(help_.calls[1].dwData, (DWORD_PTR)(0x20000 + IDD_RANGE_PAGE));
    Events events = TakeEvents();
    EXPECT_TRUE(Contains(events, "sheet: init"));
    EXPECT_TRUE(Contains(events, "sheet: OK")) << "the sheet's own map saw the OK button";
    EXPECT_FALSE(Contains(events, "options: apply"));
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(sheet.m_range.m_hWnd, nullptr) << "the pages' windows end with the sheet";
}

TEST_F(Sheets, LeavingAPageChecksItAndApplyReachesEveryPageMadeSoFar) {
    CSampleSheet sheet;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_RANGE_PAGE), [&](wkit::Window& w) {
        w.SetText(IDC_VALUE, "-1");
        EXPECT_FALSE(w.SelectPage(1)) << "a refused value keeps the page";
        EXPECT_EQ(w.ActivePage(), 0);
        EXPECT_EQ(w.FocusId(), IDC_VALUE);
        w.SetText(IDC_VALUE, "7");
        EXPECT_TRUE(w.SelectPage(1));
        w.Check(IDC_OPTION);
        w.SetText(IDC_NOTE, "note");
        EXPECT_TRUE(w.SelectPage(0));
        TakeEvents();
        // OK: the shown page is left first, then every made page applies; one refusal keeps
        // the sheet open on the refusing page.
        sheet.m_options.m_bRefuseApply = TRUE;
        w.PressOK();
        EXPECT_TRUE(w.IsOpen());
        EXPECT_EQ(w.ActivePage(), 1) << "the refusing page is shown";
        Events events = TakeEvents();
        ASSERT_GE(events.size(), 4u);
        EXPECT_EQ(events[0], "sheet: OK");
        EXPECT_EQ(events[1], "range: kill active");
        EXPECT_TRUE(Contains(events, "range: apply"));
        EXPECT_TRUE(Contains(events, "options: apply refused"));
        sheet.m_options.m_bRefuseApply = FALSE;
        w.PressOK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.m_range.m_nValue, 7);
    EXPECT_EQ(sheet.m_options.m_nOption, 1);
    EXPECT_EQ(sheet.m_options.m_strNote, "note");
    EXPECT_TRUE(Contains(TakeEvents(), "options: apply"));
}

TEST_F(Sheets, CancelReachesThePagesMadeAndTakesNothing) {
    CSampleSheet sheet;
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_RANGE_PAGE), [&](wkit::Window& w) {
        w.SetText(IDC_VALUE, "80");
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.m_range.m_nValue, 50);
    Events events = TakeEvents();
    EXPECT_TRUE(Contains(events, "range: reset"));
    EXPECT_FALSE(Contains(events, "options: reset")) << "page 2 was never made";

    // Cancel after an Apply: what Apply took stays, DoModal says cancelled.
    driver.OnOpen(wkit::Template(IDD_RANGE_PAGE), [&](wkit::Window& w) {
        w.SetText(IDC_VALUE, "81");
        w.PressApply();
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.m_range.m_nValue, 81);
}

// The sheet's window runs through the sheet's map from its creation: WM_INITDIALOG,
// PSM_CHANGED and PSM_UNCHANGED, WM_TIMER and the buttons' commands.
TEST_F(Sheets, TheSheetsMapSeesItsWindowsMessages) {
    CSampleSheet sheet;
    wkit::Driver driver;
    driver.OnOpen(wkit::Class(RUNTIME_CLASS(CPropertySheet)), [&](wkit::Window& w) {
        EXPECT_EQ(w.Object(), &sheet);
        EXPECT_TRUE(::GetWindowLongA(w.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
        sheet.SetTimer(1, 10, NULL);
        EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return sheet.m_nTicks >= 2; }, 5000));
        sheet.KillTimer(1);
        w.SetText(IDC_VALUE, "3");
        EXPECT_GE(sheet.m_nChanged, 1);
        EXPECT_TRUE(w.IsEnabled(ID_APPLY_NOW));
        sheet.m_range.SetModified(FALSE);
        EXPECT_EQ(sheet.m_nUnchanged, 1);
        EXPECT_FALSE(w.IsEnabled(ID_APPLY_NOW)) << "the system saw the message after the map";
        EXPECT_EQ(sheet.GetActivePage(), &sheet.m_range);
        EXPECT_TRUE(sheet.SetActivePage(&sheet.m_options));
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(sheet.m_options.GetSheet(), &sheet);
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(Contains(TakeEvents(), "sheet: init"));
}

// A page constructed in another module takes its template from that module, though the test
// program has a template of the same id.
TEST_F(Sheets, APageTakesItsTemplateFromItsOwnModule) {
    CPeerPage peerPage;
    peerPage.m_text = "from the peer";
    CPropertyPage programPage(IDD_SHARED_PAGE);
    CPropertySheet sheet("Two modules");
    sheet.AddPage(&peerPage);
    sheet.AddPage(&programPage);
    wkit::Driver driver;
    driver.OnOpen(wkit::Caption("Two modules"), [&](wkit::Window& w) {
        EXPECT_TRUE(w.Has(IDC_PEER_ONLY));
        EXPECT_FALSE(w.Has(IDC_PROGRAM_ONLY));
        EXPECT_EQ(w.Text(IDC_PEER_ONLY), "from the peer");
        EXPECT_TRUE(w.SelectPage(1));
        EXPECT_TRUE(w.Has(IDC_PROGRAM_ONLY));
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(peerPage.GetTemplateModule(), PeerModule());
    EXPECT_EQ(programPage.GetTemplateModule(), GetModuleHandleA(NULL));
}

// As the log library does it: the pages live on, a sheet is built around them for each run and
// they are removed from it afterwards.
TEST_F(Sheets, PagesOutliveTheirSheetAndRunAgain) {
    CRangePage range;
    COptionsPage options;
    for (int nRun = 0; nRun < 2; nRun++) {
        CPropertySheet sheet("Run");
        sheet.AddPage(&range);
        sheet.AddPage(&options);
        wkit::Driver driver;
        driver.OnOpen(wkit::Caption("Run"), [&](wkit::Window& w) {
            EXPECT_EQ(w.Text(IDC_VALUE), nRun == 0 ? "50" : "60");
            w.SetText(IDC_VALUE, nRun == 0 ? "60" : "70");
            w.PressOK();
        });
        EXPECT_EQ(sheet.DoModal(), IDOK);
        sheet.RemovePage(&options);
        sheet.RemovePage(0);
        EXPECT_EQ(sheet.GetPageCount(), 0);
        EXPECT_EQ(range.m_hWnd, nullptr);
    }
    EXPECT_EQ(range.m_nValue, 70);
}

// A modeless sheet made, driven in the program's loop (Tab moves the focus) and destroyed,
// twice; the system's own end after Cancel destroys the window as well.
TEST_F(Sheets, AModelessSheetComesAndGoesAgainAndAgain) {
    CSampleSheet sheet;
    for (int nRun = 0; nRun < 2; nRun++) {
        ASSERT_TRUE(sheet.Create()) << "run " << nRun;
        wkit::Driver driver;
        driver.Exempt(sheet.m_hWnd);
        wkit::Window w(sheet.m_hWnd);
        EXPECT_TRUE(w.IsOpen());
        EXPECT_TRUE(sheet.IsModeless());
        EXPECT_EQ(w.Text(IDC_VALUE), "50");
        EXPECT_TRUE(w.SelectPage(1));
        // Tab in the program's loop goes from the check box to the note.
        ::SetForegroundWindow(sheet.m_hWnd);
        ::SetFocus(w.Control(IDC_OPTION));
        ASSERT_EQ(w.FocusId(), IDC_OPTION);
        ::PostMessageA(w.Control(IDC_OPTION), WM_KEYDOWN, VK_TAB, 1);
        wkit::Driver::Pump();
        EXPECT_EQ(w.FocusId(), IDC_NOTE);
        if (nRun == 0) {
            EXPECT_TRUE(sheet.DestroyWindow());
        } else {
            w.PressCancel();
            EXPECT_FALSE(::IsWindow(w.Handle())) << "the sheet ended after Cancel";
        }
        EXPECT_EQ(sheet.m_hWnd, nullptr);
        EXPECT_EQ(sheet.m_range.m_hWnd, nullptr);
        EXPECT_EQ(sheet.m_options.m_hWnd, nullptr);
    }
}

TEST_F(Sheets, ASheetWithoutPagesDoesNotOpen) {
    CPropertySheet sheet("Empty");
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_FALSE(sheet.Create());
}

}  // namespace
