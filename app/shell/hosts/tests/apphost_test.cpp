// The application's instrument host opens the sheet a parameter's Edit names, on its page,
// for offline analyzers of the sheets' test kit.
#include "adjustmentsheet.h"
#include "apphost.h"
#include "configpropertysheet.h"
#include "diagnosticspropertysheet.h"
#include "driftvaluessheet.h"
#include "parameterpropertysheet.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ApplicationHost : public ::testing::Test {
protected:
    ApplicationHost() {
        kit.SetAccessLevel(2);
        previous = SetInstrumentHost(&host);
    }
    ~ApplicationHost() override { SetInstrumentHost(previous); }

    SheetKit kit;
    CApplicationHost host;
    CInstrumentHost* previous = nullptr;
    wkit::BoxRecorder boxes;
    wkit::Driver driver;
};

TEST_F(ApplicationHost, EachEditSheetOpensOnItsPage) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Sindor 23", 1);
    struct Case {
        int sheet;
        int page;
        CRuntimeClass* cls;
    } cases[] = {
        {1, 0, RUNTIME_CLASS(CAdjustmentSheet)},
        {2, 3, RUNTIME_CLASS(CParameterPropertySheet)},
        {3, 1, RUNTIME_CLASS(CConfigPropertySheet)},
        {3, 99, RUNTIME_CLASS(CConfigPropertySheet)},  // no such page: the first
        {4, 0, RUNTIME_CLASS(CDriftValuesSheet)},
        {5, 2, RUNTIME_CLASS(CDiagnosticsPropertySheet)},
    };
    for (const Case& c : cases) {
        bool shown = false;
        driver.OnOpen(wkit::Class(c.cls), [&](wkit::Window& w) {
            shown = true;
            EXPECT_EQ(w.ActivePage(), c.page < w.PageCount() ? c.page : 0) << c.sheet;
            // A parameter's Edit names no parent: the main window owns the sheet.
            EXPECT_EQ(::GetParent(w.Handle()), AfxGetMainWnd()->GetSafeHwnd()) << c.sheet;
            w.PressCancel();
        });
        EXPECT_EQ(GetInstrumentHost().RunInstrumentSheet(c.sheet, c.page, a.get()), IDCANCEL)
            << c.sheet;
        EXPECT_TRUE(shown) << c.sheet;
    }
}

TEST_F(ApplicationHost, NoSheetKindOrNoAnalyzerShowsNothing) {
    std::unique_ptr<CVaskInstrument> a = MakeOffline("Parvel 6", 1);
    for (int sheet : {0, 6, -1}) EXPECT_EQ(host.RunInstrumentSheet(sheet, 0, a.get()), -1);
    EXPECT_EQ(host.RunInstrumentSheet(2, 0, nullptr), -1);
    // Outside the program there is no application: offline, no compare load, no analyzers.
    EXPECT_EQ(host.GetOperationMode(), 0);
    EXPECT_EQ(host.IsCompareMode(), 0);
    EXPECT_EQ(host.AddVaskInstrument(1, "x", 1, 1, nullptr), nullptr);
}

}  // namespace
