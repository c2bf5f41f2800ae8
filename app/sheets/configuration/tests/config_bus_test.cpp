// The configuration sheet against the analyzer simulator on COM1, driven as the user does:
// what Apply writes reaches the devices' store and comes back on reopening, a component's
// suppression goes out on its channel, and a setting whose read failed is not written.
#include "analyzer_bus_fixture.h"
#include "configpropertysheet.h"
#include "gridtest_support.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const int kSindor23 = 1;
const int kSindor6 = 2;

class ConfigOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() {
        OpenLine({"DEVICE 1 type=4 components=2", "DEVICE 2 type=1 components=2", "SET 1 remote 1",
                  "SET 2 remote 1"},
                 kSindor6);
    }

    // Runs the analyzer's sheet, the script on the page at `index`.
    void Run(CVaskInstrument& analyzer, int index, UINT nPage,
             const std::function<void(wkit::Window&, CConfigPropertySheet&)>& script) {
        wkit::Driver driver;
        driver.SetLimit(60000);
        CConfigPropertySheet sheet(&analyzer);
        sheet.SetActivePage(index);
        driver.OnOpen(wkit::Template(nPage), [&](wkit::Window& w) { script(w, sheet); });
        sheet.DoModal();
    }

    bool Logged(const std::string& part) {
        const std::vector<std::string> t = Telegrams();
        return std::any_of(t.begin(), t.end(),
                           [&](const std::string& s) { return s.find(part) != std::string::npos; });
    }
    std::string LogText() {
        std::string all;
        for (const std::string& s : Telegrams()) all += s + "\n";
        return all;
    }
};

TEST_F(ConfigOnTheBus, ARelayFunctionAndAUnitAppliedAreInTheDeviceOnReopening) {
    SheetKit kit;
    kit.SetOnline(true);
    CSindor23 analyzer("Sindor 23", s_access, kSindor23, 2, 0, 0, 0, 0, 0, 0);
    int unitBefore = 0;
    Run(analyzer, 1, IDD_CONFIG_RELAYS, [&](wkit::Window& w, CConfigPropertySheet& sheet) {
        ((CListCtrlEx*)CWnd::FromHandlePermanent(w.Control(IDC_CONFIG_RELAY_LIST)))->SelectItem(0);
        w.Pick(IDC_CONFIG_RELAY_FREE, "Function control");
        w.Click(IDC_CONFIG_RELAY_ASSIGN);
        ASSERT_TRUE(w.SelectPage(2));
        CUnitsGrid& grid = sheet.m_unitsPage.m_grid;
        unitBefore = grid.GetDropListIndex(CUnitsGrid::kUnitCol, 0);
        grid.SetDropListIndex(CUnitsGrid::kUnitCol, 0, unitBefore == 1 ? 2 : 1);
        grid.OnCellChanged(CUnitsGrid::kUnitCol, 0);
        w.PressApply();
        w.PressCancel();
    });
    const int unitAfter = unitBefore == 1 ? 2 : 1;
    int codes[8] = {0};
    ASSERT_TRUE(analyzer.GetRelayOutputs(codes));
    EXPECT_EQ(codes[0], 11);
    Run(analyzer, 1, IDD_CONFIG_RELAYS, [&](wkit::Window& w, CConfigPropertySheet& sheet) {
        CListCtrl* pList = (CListCtrl*)CWnd::FromHandlePermanent(w.Control(IDC_CONFIG_RELAY_LIST));
        EXPECT_EQ(std::string(pList->GetItemText(0, 1)), "Function control");
        ASSERT_TRUE(w.SelectPage(2));
        EXPECT_EQ(sheet.m_unitsPage.m_grid.GetDropListIndex(CUnitsGrid::kUnitCol, 0), unitAfter);
        w.PressCancel();
    });
}

TEST_F(ConfigOnTheBus, SuppressionOfTheSecondComponentGoesOutOnItsChannel) {
    SheetKit kit;
    kit.SetOnline(true);
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(Sim("SET 2 remote 1"));
    // The device answers its next request in remote state.
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return analyzer.GetState() == 2; }, 5000));
    Run(analyzer, 0, IDD_CONFIG_ANALOG, [&](wkit::Window& w, CConfigPropertySheet&) {
        Sim("CLEARLOG");
        w.ClickItemBox(IDC_CONFIG_SUPPRESS, 1);
        w.PressApply();
        w.PressCancel();
    });
    // The suppression switch of each component, on the component's channel.
    EXPECT_TRUE(Logged("F15 2/1")) << LogText();
    EXPECT_TRUE(Logged("F15 2/0")) << LogText();
}

TEST_F(ConfigOnTheBus, AnUnreadSettingIsNotWrittenWithAnotherChange) {
    SheetKit kit;
    kit.SetOnline(true);
    CSindor6 analyzer("Sindor 6", s_access, kSindor6, 2, 0, 0);
    ASSERT_TRUE(Sim("SET 2 remote 1"));
    // The device answers its next request in remote state.
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return analyzer.GetState() == 2; }, 5000));
    // The store setting cannot be read while the page opens.
    Sim("FAULT 2 silent always on=s19");
    Run(analyzer, 0, IDD_CONFIG_ANALOG, [&](wkit::Window& w, CConfigPropertySheet&) {
        Sim("CLEARFAULTS 2");
        EXPECT_FALSE(w.IsEnabled(IDC_CONFIG_STORE_CHECK));
        EXPECT_TRUE(w.IsEnabled(IDC_CONFIG_ANALOG_RANGE));
        Sim("CLEARLOG");
        w.PickIndex(IDC_CONFIG_ANALOG_RANGE,
                    w.SelectionIndex(IDC_CONFIG_ANALOG_RANGE) == 1 ? 2 : 1);
        w.PressApply();
        w.PressCancel();
    });
    EXPECT_FALSE(Telegrams().empty());
    EXPECT_TRUE(Logged("S3 2/0")) << "the range is written: " << LogText();
    EXPECT_FALSE(Logged("S19")) << "the unread store setting is not: " << LogText();
}

}  // namespace
