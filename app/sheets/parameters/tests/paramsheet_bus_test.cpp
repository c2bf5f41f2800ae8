// The parameter sheet against the analyzer simulator on COM1: a range end and a limit
// changed in the sheet reach the device, and a setting whose read failed is not written.
#include "analyzer_bus_fixture.h"
#include "gridtest_support.h"
#include "parameterpropertysheet.h"
#include "resource.h"
#include "sheetkit.h"
#include "window_kit.h"

#include <gtest/gtest.h>

namespace {

const int kAddress = 1;

void TypeCell(CParamGrid& grid, int col, int row, const char* text) {
    grid.SetCellText(col, row, text);
    grid.OnCellChanged(col, row);
}

class ParamSheetOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() { OpenLine({"DEVICE 1 type=1 components=2"}, kAddress); }

    // The write telegrams ("W2 1/1") of the log.
    std::vector<std::string> Writes() {
        std::vector<std::string> writes;
        for (const std::string& t : Telegrams())
            if (!t.empty() && t[0] >= 'A' && t[0] <= 'Z') writes.push_back(t);
        return writes;
    }
};

TEST_F(ParamSheetOnTheBus, ARangeEndAndALimitReachTheDevice) {
    SheetKit kit;
    kit.SetOnline(true);
    ASSERT_TRUE(Sim("SET 1 remote 1"));
    CSindor6 analyzer("Sindor 6", s_access, kAddress, 2, 0, 0);
    ASSERT_EQ(analyzer.GetState(), 2);
    wkit::Driver driver;
    driver.SetLimit(30000);
    CParameterPropertySheet sheet(&analyzer);
    driver.OnOpen(wkit::Class(RUNTIME_CLASS(CParameterPropertySheet)), [&](wkit::Window& w) {
        w.PickIndex(IDC_PRANGE_COMPONENT, 1);
        TypeCell(sheet.GetRangePage().GetRangeGrid(), 1, 0, "77");
        w.PressApply();
        ASSERT_TRUE(w.SelectPage(1));
        TypeCell(sheet.GetLimitsPage().GetLimitsGrid(1), 0, 0, "3.5");
        w.PressOK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(kit.reports.empty()) << kit.reports.front();
    const std::vector<double> upper = Floats(Read(kAddress, 1, "w2"));
    ASSERT_FALSE(upper.empty());
    EXPECT_EQ(upper[0], 77);
    const std::vector<double> limit = Floats(Read(kAddress, 0, "w9"));
    ASSERT_FALSE(limit.empty());
    EXPECT_EQ(limit[0], 3.5);
}

TEST_F(ParamSheetOnTheBus, ASettingWhoseReadFailedIsNotWritten) {
    SheetKit kit;
    kit.SetOnline(true);
    ASSERT_TRUE(Sim("SET 1 remote 1"));
    CSindor6 analyzer("Sindor 6", s_access, kAddress, 2, 0, 0);
    // The first component's autorange switching points cannot be read.
    ASSERT_TRUE(Sim("FAULT 1 reject 1 SE on=w12"));
    Sim("CLEARLOG");
    wkit::Driver driver;
    driver.SetLimit(30000);
    CParameterPropertySheet sheet(&analyzer);
    driver.OnOpen(wkit::Class(RUNTIME_CLASS(CParameterPropertySheet)), [&](wkit::Window& w) {
        EXPECT_FALSE(sheet.GetRangePage().IsComponentRead(0));
        EXPECT_TRUE(sheet.GetRangePage().IsComponentRead(1));
        Sim("CLEARLOG");
        w.PickIndex(IDC_PRANGE_COMPONENT, 1);
        TypeCell(sheet.GetRangePage().GetRangeGrid(), 1, 1, "88");
        w.PressOK();
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    const std::vector<std::string> writes = Writes();
    EXPECT_FALSE(writes.empty());
    for (const std::string& write : writes)
        EXPECT_EQ(write.substr(write.size() - 4), " 1/1") << "written to the unread component";
    EXPECT_EQ(Floats(Read(kAddress, 1, "w2")).at(1), 88);
}

}  // namespace
