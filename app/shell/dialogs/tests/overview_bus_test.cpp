// "Instrument Overview" with analyzers of the simulated bus on COM1 below a converter node,
// under a main window that answers the access level: an analyzer the user leaves out is not
// chosen for connection after OK, and its state says so; the others keep answering.
#include "bus_dialog_fixture.h"
#include "converter.h"
#include "instrumentoverviewdlg.h"
#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA overview test");

// The analyzer states of the tree: remote, local, not chosen for connection.
const int kRemote = 2;
const int kLocal = 3;
const int kNotChosen = 5;

class OverviewOnTheBus : public BusDialogFixture {
protected:
    wkit::BoxRecorder boxes;
};

TEST_F(OverviewOnTheBus, AnAnalyzerLeftOutIsNotChosenForConnection) {
    CConverter converter("Plant_1", 1);
    std::unique_ptr<CVaskInstrument> first = Analyzer(1, 1);
    std::unique_ptr<CVaskInstrument> second = Analyzer(2, 1);
    first->SetParent(&converter);
    second->SetParent(&converter);
    for (CVaskInstrument* analyzer : {first.get(), second.get()}) {
        const int state = analyzer->GetState();
        EXPECT_TRUE(state == kRemote || state == kLocal) << state;
    }
    CObList nodes;
    nodes.AddTail(&converter);
    frame->level = 2;
    CInstrumentOverviewDlg dialog(&nodes);
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_INSTRUMENT_OVERVIEW), [&](wkit::Window& w) {
        EXPECT_EQ((std::vector<std::string>{"Plant_1"}), w.Items(IDC_OVERVIEW_NETWORK));
        CInstrumentSelectGrid& grid = dialog.GetGrid();
        EXPECT_EQ(std::string("1"), grid.GetCellText(1, 0));
        EXPECT_EQ(std::string("1"), grid.GetCellText(1, 1));
        grid.SetCellText(1, 1, "0");
        w.PressOK();
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(kNotChosen, second->GetState());
    const int state = first->GetState();
    EXPECT_TRUE(state == kRemote || state == kLocal) << state;
}

}  // namespace
