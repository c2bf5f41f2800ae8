// The instrument grid against the analyzer simulator on COM1: a correction edited in the
// grid is written to the device and read back from it.
#include "analyzer_bus_fixture.h"
#include "gridtest_support.h"
#include "sheetkit.h"

#include <gtest/gtest.h>

namespace {

const int kAddress = 1;

class GridsOnTheBus : public AnalyzerBusFixture {
protected:
    static void SetUpTestSuite() { OpenLine({"DEVICE 1 type=1 components=1"}, kAddress); }
};

TEST_F(GridsOnTheBus, ACorrectionWrittenFromTheGridIsReadBack) {
    SheetKit kit;
    kit.SetOnline(true);
    CSindor6 analyzer("Sindor 6", s_access, kAddress, 1, 0, 0);
    // The device's second correction as it stands before the page opens.
    CorrectionStruct2 before = {0, 1, 0, 0, 0, 1};
    ASSERT_TRUE(analyzer.SetLateralGasCorrN(2, 0, before));
    VaskFloat equivalent, start, end, concentration;
    equivalent.value = 1, equivalent.text = "1", start.text = "0", end.text = "20";
    concentration.value = 3, concentration.text = "3";
    ASSERT_TRUE(analyzer.SetLateralGasParamsN(2, 0, equivalent, start, end));
    CompStruct pairs = {1, 1, 2, 1};
    ASSERT_TRUE(analyzer.SetCompensationComponent(0, pairs));
    ASSERT_TRUE(analyzer.SetLateralGasConcentrationN(2, 0, concentration));

    GridHost host;
    host.AddPlaceholder(kGridControlId);
    ASSERT_TRUE(analyzer.CreateDiagValues(&host.host, kGridControlId));
    CInstrumentGridBase* grid = dynamic_cast<CInstrumentGridBase*>(analyzer.GetDiagValues());
    ASSERT_NE(grid, nullptr);
    grid->Initialize(&analyzer);
    grid->ShowCorrection(1);
    ASSERT_TRUE(grid->IsRecordRead(0, kCorrectionRecord));
    EXPECT_EQ(Text(*grid, 0, 0), "Constant interference correction");
    EXPECT_EQ(Text(*grid, 10, 0), "2") << "the channel of the second correction";

    // The user's edits: compensation over the bus from channel 7, component 2.
    grid->SetDropListIndex(0, 0, InterferenceValueToChoiceIndex(&analyzer, 3));
    grid->SetCellText(6, 0, "2.5");
    grid->SetCellText(10, 0, "7");
    grid->SetCellText(11, 0, "2");
    grid->ReadCells();
    Sim("CLEARLOG");
    ASSERT_TRUE(grid->WriteValues());
    EXPECT_FALSE(Telegrams().empty());

    // Another correction and back: the values come from the device again.
    grid->ShowCorrection(0);
    grid->ShowCorrection(1);
    EXPECT_EQ(Text(*grid, 0, 0), "Interference corr. with VASK");
    EXPECT_EQ(Text(*grid, 10, 0), "7");
    EXPECT_EQ(Text(*grid, 11, 0), "2");
    EXPECT_EQ(grid->m_equivalent[0].value, 2.5);
    EXPECT_EQ(grid->m_compensation[0].channel1, 1) << "the first correction's pair is kept";
}

}  // namespace
