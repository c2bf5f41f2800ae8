// KorvanGA.exe from start to end against the analyzer simulator, as its own process, worked
// only through its windows: the login, the maximised main window, "&Link Instrument" with its
// progress, the tree pane's nodes, the title and the exit question; a second start, a refused
// login and a gateway of the command line. (A COM port held by another process cannot be
// had under Wine, which opens a serial port a second time without a sharing violation; the
// survey's busy message is tested through its seam.)
#include "e2e_fixture.h"

#include "textscrambler.h"
#include "vasksim_gateway.h"

namespace {

using namespace e2e;

TEST_F(KorvanGA, StartsLinksTheAnalyzersOnCom1AndEnds) {
    ASSERT_TRUE(e2e::WriteComNetwork(folder_->Path(), "Hall", 1));
    e2e::Program& program = Start();
    Login(program);
    HWND hMain = program.WaitFor([&] { return program.MainWindow(); }, kStartTime);
    ASSERT_NE(hMain, nullptr);
    EXPECT_TRUE(IsZoomed(hMain));
    // The start's own look for analyzers, then "&Link Instrument" once more.
    std::vector<std::string> items = WaitForAnalyzers(program);
    ASSERT_TRUE(e2e::Holds(items, kAnalyzers.back())) << e2e::Joined(items);
    PostMessageA(hMain, WM_COMMAND, ID_LINK_INSTRUMENT, 0);
    HWND hProgress = program.WaitFor(
        [&] { return program.FindDialogWithText("Searching for device at address "); }, 20000);
    EXPECT_NE(hProgress, nullptr) << "no progress of the scan";
    WaitForAnalyzers(program);
    // The link has ended when the first analyzer found is selected: the title names it. (The
    // tree shows the names it showed while the link rebuilds the analyzers.)
    EXPECT_NE(program.WaitFor(
                  [&] {
                      return e2e::Text(hMain).find(kAnalyzers.front()) != std::string::npos
                                 ? hMain
                                 : NULL;
                  },
                  kScanTime),
              nullptr)
        << e2e::Text(hMain);
    items = program.TreeItems();
    // The root, the converter on COM1 and the analyzers below it.
    ASSERT_GE(items.size(), 4u) << e2e::Joined(items);
    EXPECT_NE(items[0].substr(0, 2), "  ") << "the root is the first item";
    EXPECT_TRUE(e2e::Holds(items, "COM1")) << e2e::Joined(items);
    for (const std::string& name : kAnalyzers) EXPECT_TRUE(e2e::Holds(items, name)) << e2e::Joined(items);
    // Its values come to the value bars, one per component (the driver of scripts/run waits
    // for them before its picture), and every item of the tree has its name by then.
    std::vector<std::string> values;
    program.WaitFor(
        [&]() -> HWND {
            values = program.ShownValues();
            return !values.empty() && std::none_of(values.begin(), values.end(),
                                                   [](const std::string& v) { return v.empty(); })
                       ? hMain
                       : NULL;
        },
        kScanTime);
    ASSERT_FALSE(values.empty()) << "no value bars";
    for (const std::string& value : values)
        EXPECT_NE(value.find_first_of("0123456789"), std::string::npos) << Joined(values);
    items = program.TreeItems();
    for (const std::string& item : items)
        EXPECT_NE(item.find_first_not_of(' '), std::string::npos) << Joined(items);

    EXPECT_EQ(Close(program), 0);
}

TEST_F(KorvanGA, ASecondStartRestoresTheFirstAndEndsWithoutAWindow) {
    ASSERT_TRUE(e2e::SetDword("Program options", "Operation mode", 0));
    e2e::Program& first = Start("-nologo");
    Login(first);
    HWND hMain = first.WaitFor(
        [&] {
            return first.MainWindow() != NULL && IsWindowVisible(first.MainWindow()) &&
                           first.FindDialogWithText("Searching") == NULL
                       ? first.MainWindow()
                       : NULL;
        },
        kStartTime);
    ASSERT_NE(hMain, nullptr);
    ShowWindow(hMain, SW_MINIMIZE);
    first.WaitFor([&] { return IsIconic(hMain) ? hMain : NULL; }, 5000);
    ASSERT_TRUE(IsIconic(hMain));

    e2e::Program& second = Start("-nologo");
    EXPECT_EQ(second.WaitExit(kStartTime), 0);
    EXPECT_NE(first.WaitFor([&] { return IsIconic(hMain) ? NULL : hMain; }, 10000), nullptr)
        << "the first window stays minimised";
    EXPECT_EQ(Close(first), 0);
}

TEST_F(KorvanGA, AWrongStoredPasswordEndsTheProgramBeforeTheBusIsUsed) {
    ASSERT_TRUE(e2e::WriteComNetwork(folder_->Path(), "Hall", 1));
    const std::string entry = LoadText(IDS_ACCESS_ENTRY_BASE + 1);
    ASSERT_TRUE(
        e2e::SetString("Access", entry.c_str(), (LPCSTR)CTextScrambler().Scramble("secret")));
    const size_t before = TelegramCount();
    e2e::Program& program = Start("-nologo");
    Login(program);
    HWND hPassword =
        program.WaitFor([&] { return program.FindCaption("Access Password"); }, kStartTime);
    ASSERT_NE(hPassword, nullptr);
    SendMessageA(GetDlgItem(hPassword, IDC_ACCESS_PASSWORD), WM_SETTEXT, 0, (LPARAM) "wrong");
    e2e::Press(hPassword, IDOK);
    // "not allowed" answered, the program ends by itself without the exit question.
    HWND hRefused = program.WaitFor(
        [&] { return program.FindDialogWithText(LoadText(IDS_NOT_ALLOWED_TO_USE)); }, 20000);
    ASSERT_NE(hRefused, nullptr);
    e2e::Press(hRefused, IDOK);
    EXPECT_NE(program.WaitExit(30000), -1);
    EXPECT_EQ(TelegramCount(), before);
}

TEST_F(KorvanGA, AHostOfTheCommandLineFindsTheAnalyzersBehindTheGateway) {
    std::string why;
    ASSERT_TRUE(vasksim::UseSimulatorGateway(&why)) << why;              // inherited by the program
    ASSERT_TRUE(e2e::SetDword("Program options", "Operation mode", 0));  // the host overrides
    e2e::Program& program = Start("-nologo /host 127.0.0.1");
    Login(program);
    std::vector<std::string> items = WaitForAnalyzers(program);
    EXPECT_TRUE(e2e::Holds(items, "127.0.0.1")) << e2e::Joined(items);
    for (const std::string& name : kAnalyzers) EXPECT_TRUE(e2e::Holds(items, name)) << e2e::Joined(items);
    EXPECT_EQ(Close(program), 0);
    // The network of the host is in the program's network list.
    char value[64] = "";
    GetPrivateProfileStringA("127.0.0.1", "127.0.0.1", "", value, sizeof value,
                             (folder_->Path() + "\\Comm.ini").c_str());
    EXPECT_EQ(std::string(value), "127.0.0.1");
}

TEST_F(KorvanGA, ClosingInTheLoopWithoutAnalyzersNamesThePortAndEndsCleanly) {
    // A converter on a port that does not exist: the port is named with the system's reason,
    // then the loop says that no analyzer was found and offers the communication dialog. A
    // close in either of its windows ends the program.
    for (const bool inDialog : {false, true}) {
        SCOPED_TRACE(inDialog ? "communication dialog" : "no analyzer found");
        ASSERT_TRUE(e2e::WriteComNetwork(folder_->Path(), "Hall", 1, "COM99:"));
        e2e::Program& program = Start("-nologo");
        Login(program);
        HWND hPort =
            program.WaitFor([&] { return program.FindDialogWithText("COM99: "); }, kScanTime);
        ASSERT_NE(hPort, nullptr) << "the port is not named";
        const std::vector<std::string> texts = e2e::ChildTexts(hPort);
        EXPECT_TRUE(e2e::Holds(texts, "COM99: Error while opening the interface (E12)")) << e2e::Joined(texts);
        e2e::Press(hPort, IDOK);
        HWND hNone = program.WaitFor(
            [&] { return program.FindDialogWithText("No VASK instruments have been detected"); },
            kScanTime);
        ASSERT_NE(hNone, nullptr);
        if (inDialog) {
            e2e::Press(hNone, IDOK);
            ASSERT_NE(program.WaitFor([&] { return program.FindCaption("Communication Configuration"); },
                                      20000),
                      nullptr);
        }
        CloseFromOutside(program);
        programs_.clear();
    }
}

TEST_F(KorvanGA, ClosingWhileAModalSheetIsOpenEndsCleanly) {
    ASSERT_TRUE(e2e::WriteComNetwork(folder_->Path(), "Hall", 1));
    e2e::Program& program = Start("-nologo");
    Login(program);
    WaitForAnalyzers(program);
    PostMessageA(program.MainWindow(), WM_COMMAND, ID_PROGRAM_CONFIGURATION, 0);
    ASSERT_NE(program.WaitFor([&] { return program.FindCaption("Program configuration"); }, 20000),
              nullptr);
    CloseFromOutside(program);
}

TEST_F(KorvanGA, TheExitQuestionComesDuringAScanAndYesEndsIt) {
    // Silent analyzers make the scan of the bus slow.
    ASSERT_TRUE(e2e::WriteComNetwork(folder_->Path(), "Hall", 1));
    ASSERT_TRUE(sim_.Command("FAULT 0 silent always"));
    e2e::Program& program = Start("-nologo");
    Login(program);
    HWND hProgress = program.WaitFor(
        [&] { return program.FindDialogWithText("Searching for device at address "); }, kScanTime);
    ASSERT_NE(hProgress, nullptr);
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    HWND hQuestion = program.WaitFor(
        [&] { return program.FindDialogWithText(LoadText(IDS_EXIT_QUESTION)); }, 30000);
    ASSERT_NE(hQuestion, nullptr) << "no exit question during the scan";
    EXPECT_NE(program.FindDialogWithText("Searching for device at address "), nullptr)
        << "the scan had ended before the question came";
    e2e::Press(hQuestion, IDYES);
    EXPECT_EQ(program.WaitExit(30000), 0);
    const std::vector<std::string> crashes = program.CrashLines();
    EXPECT_TRUE(crashes.empty()) << e2e::Joined(crashes);
    EXPECT_EQ(program.FindDialogWithText("No VASK instruments have been detected"), nullptr);
}

}  // namespace
