// Context help of the sheets and their pages in a two-page sheet: the page's topic for its
// Help, the popup of a control for WM_HELP (nothing for the tab control, the ignored context
// of a static text), the contents for the sheet's own ID_HELP; and the one rule of WM_HELP as
// dialogs and sheets share it.
#include "helppropertypage.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

namespace {

const UINT kPageOne = 9116;
const UINT kPageTwo = 9117;

class CTestPage : public CHelpPropertyPage {
public:
    explicit CTestPage(UINT id) : CHelpPropertyPage(id) { m_psp.dwFlags |= PSP_HASHELP; }
};

TEST(SheetHelp, PagesControlsAndTheSheetOpenTheirTopics) {
    SheetKit kit;
    wkit::HelpRecorder library;
    wkit::Driver driver;
    CTestPage one(kPageOne), two(kPageTwo);
    CHelpPropertySheet sheet("Help test");
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    driver.OnOpen(wkit::Template(kPageOne), [&](wkit::Window& w) {
        w.PressHelp();
        EXPECT_TRUE(TestApp().Asked(0x20000 + kPageOne, HELP_CONTEXT));
        ASSERT_TRUE(w.SelectPage(1));
        w.PressHelp();
        EXPECT_TRUE(TestApp().Asked(0x20000 + kPageTwo, HELP_CONTEXT));
        w.HelpOn(1090);
        EXPECT_TRUE(TestApp().Asked(0x50000 + 1090, HELP_CONTEXTPOPUP));
        ASSERT_TRUE(w.SelectPage(0));
        w.HelpOn(1072);
        EXPECT_TRUE(TestApp().Asked(0x50000 + 1072, HELP_CONTEXTPOPUP));

        const size_t before = TestApp().helpCalls.size();
        w.HelpOn(kSheetTabControlId);
        EXPECT_EQ(TestApp().helpCalls.size(), before) << "the tab control gives no help";

        // A static text: the application is asked for 0x5FFFF and opens nothing.
        HELPINFO info = {};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = 0xFFFF;
        info.hItemHandle = w.Handle();
        EXPECT_EQ(::SendMessageA(w.Handle(), WM_HELP, 0, (LPARAM)&info), TRUE);
        EXPECT_TRUE(TestApp().Asked(0x5FFFF, HELP_CONTEXTPOPUP));
        EXPECT_FALSE(library.Has(HELP_CONTEXTPOPUP, 0x5FFFF));

        ::SendMessageA(w.Handle(), WM_COMMAND, ID_HELP, 0);
        EXPECT_TRUE(TestApp().Asked(0, HELP_CONTENTS));
        w.PressCancel();
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    // What the application passed on reached the class library's help.
    EXPECT_TRUE(library.Has(HELP_CONTEXT, 0x20000 + kPageOne));
    EXPECT_TRUE(library.Has(HELP_CONTEXTPOPUP, 0x50000 + 1072));
    EXPECT_TRUE(library.Has(HELP_CONTENTS, 0));
}

TEST(SheetHelp, OneRuleForDialogsAndSheets) {
    SheetKit kit;
    wkit::HelpRecorder library;
    struct Case {
        int control;
        BOOL sheet;
        bool asked;
    } cases[] = {{1083, TRUE, true},
                 {1083, FALSE, true},
                 {kSheetTabControlId, TRUE, false},
                 {kSheetTabControlId, FALSE, true},
                 {0xFFFF, FALSE, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.control) + (c.sheet ? " in a sheet" : " in a dialog"));
        TestApp().helpCalls.clear();
        HELPINFO info = {};
        info.cbSize = sizeof info;
        info.iCtrlId = c.control;
        EXPECT_TRUE(OnControlHelp(&info, c.sheet));
        EXPECT_EQ(TestApp().helpCalls.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_TRUE(TestApp().Asked(0x50000 + (DWORD_PTR)c.control, HELP_CONTEXTPOPUP));
        }
    }
}

}  // namespace
