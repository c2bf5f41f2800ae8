// "P&rinter Configuration...": the system's print setup dialog over the build's printer
// queue, and a message without a printer (the test programs differ in the printer server
// that Wine asks).
#include "mainframe_fixture.h"

#include <cstdlib>

namespace frametest {
namespace {

class PrinterConfiguration : public MainFrameTest {};

TEST_F(PrinterConfiguration, OpensTheSetupDialogOnlyWithAPrinter) {
    const bool printer = std::getenv("VASK_NO_PRINTER") == nullptr;
    wkit::Driver driver;
    std::string caption;
    if (printer) {
        driver.OnOpen(wkit::AnyDialog(), [&](wkit::Window& w) {
            caption = w.Caption();
            w.PressCancel();
        });
    }
    Command(ID_PRINTER_CONFIGURATION);
    EXPECT_TRUE(driver.AllRan());
    if (printer) {
        EXPECT_EQ(caption, "Print Setup");
        EXPECT_TRUE(boxes_.texts.empty());
        // The choice is not kept for the program's printing.
        EXPECT_EQ(AfxGetApp()->m_hDevMode, (HGLOBAL)NULL);
    } else {
        ASSERT_EQ(boxes_.texts.size(), 1u);
        EXPECT_EQ(boxes_.texts[0], "No printer is installed. Install a printer, then try again.");
    }
}

}  // namespace
}  // namespace frametest
