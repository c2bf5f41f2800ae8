// Closing KorvanGA.exe from outside (WM_CLOSE to the main window, as the task bar sends it)
// while one of its modal windows is open: the exit question comes, "Yes" cancels the open
// window and the program ends with exit code 0 and without a crash, whichever kind of window
// was open: the analyzer's clock dialog, the report engine's print options, the log's
// property sheet, an analyzer's property sheet, a message box; and with none in instrument
// mode.
#include "e2e_fixture.h"

namespace {

using namespace e2e;

// A visible dialog of the program that holds a tab control (a property sheet).
HWND FindSheet(const Program& program) {
    for (HWND hWnd : program.Windows()) {
        if (ClassOf(hWnd) == "#32770" && FindWindowExA(hWnd, NULL, "SysTabControl32", NULL) != NULL)
            return hWnd;
    }
    return NULL;
}

struct OpenWindow {
    const char* name;
    bool instrumentMode;  // the command is one of the instrument view
    UINT command;
    std::function<HWND(const Program&)> find;
    bool printForms = false;  // the profile names the default print forms
};

HWND ByCaption(const Program& program, const char* caption) { return program.FindCaption(caption); }

const OpenWindow kOpenWindows[] = {
    {"instrument_mode", true, 0, nullptr},
    {"clock_dialog", true, ID_DEVICE_CLOCK,
     [](const Program& p) { return ByCaption(p, "Clock Settings"); }},
    {"print_options", true, ID_PRINT_PARAMETERS,
     [](const Program& p) { return ByCaption(p, "Select printing options"); }, true},
    {"protocol_settings", false, ID_PROTOCOL_PARAMETERS,
     [](const Program& p) { return ByCaption(p, "Protocol Settings"); }},
    {"property_sheet", true, ID_PARAMETERS, [](const Program& p) { return FindSheet(p); }},
    {"message_box", false, ID_USER_HELP,
     [](const Program& p) { return p.FindDialogWithText("KorvanGA.chm"); }},
};

class ClosingWithAWindowOpen : public KorvanGA,
                               public ::testing::WithParamInterface<OpenWindow> {};

TEST_P(ClosingWithAWindowOpen, EndsTheProgramWithExitCodeZero) {
    const OpenWindow& open = GetParam();
    ASSERT_TRUE(WriteComNetwork(folder_->Path(), "Hall", 1));
    if (open.printForms) {
        // The default forms lie beside the build's programs.
        ASSERT_TRUE(SetString("Print forms", "Location", folder_->BinFolder()));
        ASSERT_TRUE(SetString("Print forms", "List of parameters", "List of parameters.form"));
    }
    Program& program = Start("-nologo");
    Login(program);
    WaitForAnalyzers(program);
    HWND hMain = program.MainWindow();
    ASSERT_NE(hMain, nullptr);
    if (open.instrumentMode) {
        PostMessageA(hMain, WM_COMMAND, ID_EDIT_INSTRUMENT_DATA, 0);
        ASSERT_NE(program.WaitFor([&] { return InstrumentList(program); }, 60000), nullptr)
            << "instrument mode did not begin";
    }
    HWND hOpen = NULL;
    if (open.command != 0) {
        PostMessageA(hMain, WM_COMMAND, open.command, 0);
        // An analyzer's first read in instrument mode, which the command waits for, takes
        // half a minute and more on a loaded machine.
        hOpen = program.WaitFor([&] { return open.find(program); }, 120000);
        ASSERT_NE(hOpen, nullptr) << "the window did not open";
    }
    CloseFromOutside(program);
    if (hOpen != NULL) {
        EXPECT_FALSE(IsWindow(hOpen));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClosingWithAWindowOpen, ::testing::ValuesIn(kOpenWindows),
                         [](const ::testing::TestParamInfo<OpenWindow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
