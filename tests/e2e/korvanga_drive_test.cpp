// KorvanGA.exe driven from another process while it waits for the bus, as UI-automation and
// accessibility tools drive a Windows program: messages sent to its windows. The simulated
// analyzers answer late, so that most of what is sent lands while a request of the window
// thread waits for its answer. What is sent then is carried out once, after the request and
// in order, and no request is refused for it: no error box comes, the selection and the
// commands take effect, a dialog's own write goes out once and the dialog reads the device.
#include "e2e_fixture.h"

#include <sstream>

namespace {

using namespace e2e;

// Every answer of the simulated devices comes this late (the acknowledgement at once).
const char kLateAnswers[] = "FAULT 0 slow always 300";

class DrivenFromOutside : public KorvanGA {
protected:
    // The program started, logged in at `level` and showing the analyzers.
    Program& StartLinked(int level) {
        EXPECT_TRUE(WriteComNetwork(folder_->Path(), "Hall", 1));
        Program& program = Start("-nologo");
        Login(program, level);
        WaitForAnalyzers(program);
        return program;
    }

    // Returns once a telegram has reached the simulator after the call: its answer is still
    // to come, so the program waits for it now.
    void WaitInsideARequest() {
        std::vector<std::string> data;
        std::string count;
        ASSERT_TRUE(sim_.Command("LOGCOUNT", nullptr, &count)) << sim_.LastError();
        ASSERT_TRUE(sim_.WaitLog(std::stoull(count) + 1, 20000)) << "no request went out";
    }

    // The visible dialogs of the program but the ones expected; each with its texts.
    std::vector<std::string> Boxes(const Program& program, HWND except = NULL) {
        std::vector<std::string> boxes;
        for (HWND hWnd : program.Windows()) {
            if (hWnd == except || ClassOf(hWnd) != "#32770") continue;
            boxes.push_back(Text(hWnd) + ": " + Joined(ChildTexts(hWnd)));
        }
        return boxes;
    }

    // The telegrams the simulator received to `address` since `fromSeq`, as "F1".
    std::vector<std::string> TelegramsTo(int address, uint64_t fromSeq) {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries, fromSeq)) << sim_.LastError();
        return vasksim::TelegramsTo(entries, address);
    }
    // Waits until the simulator has received `telegram` ("W16") for `address` since
    // `fromSeq`.
    bool WaitForTelegram(int address, const std::string& telegram, uint64_t fromSeq,
                         const Program& program) {
        return program.WaitFor(
                   [&]() -> HWND {
                       return Count(TelegramsTo(address, fromSeq), telegram) > 0
                                  ? program.MainWindow()
                                  : NULL;
                   },
                   20000) != NULL;
    }
    // The clock dialog of the selected analyzer, asked for through the menu command.
    static HWND OpenClock(const Program& program) {
        PostMessageA(program.MainWindow(), WM_COMMAND, ID_DEVICE_CLOCK, 0);
        // It waits for the analyzer's first read in instrument mode: half a minute and more
        // on a loaded machine.
        return program.WaitFor([&] { return program.FindCaption("Clock Settings"); }, 120000);
    }
    // Day, month, year, hour and minute typed into the clock dialog.
    static void EnterDate(HWND hClock, const std::vector<std::string>& fields) {
        const int ids[] = {IDC_CLOCK_DAY, IDC_CLOCK_MONTH, IDC_CLOCK_YEAR, IDC_CLOCK_HOUR,
                           IDC_CLOCK_MINUTE};
        for (size_t i = 0; i < fields.size(); ++i)
            SendMessageA(GetDlgItem(hClock, ids[i]), WM_SETTEXT, 0, (LPARAM)fields[i].c_str());
    }
    static bool WaitClosed(const Program& program, HWND hWnd) {
        return program.WaitFor([&] { return IsWindow(hWnd) ? NULL : program.MainWindow(); },
                               20000) != NULL;
    }
    uint64_t LogCount() {
        std::string count;
        EXPECT_TRUE(sim_.Command("LOGCOUNT", nullptr, &count)) << sim_.LastError();
        return std::stoull(count);
    }
    static int Count(const std::vector<std::string>& items, const std::string& item) {
        return (int)std::count(items.begin(), items.end(), item);
    }

};

TEST_F(DrivenFromOutside, ASelectionAndACommandSentDuringARefreshTakeEffectOnceWithoutABox) {
    Program& program = StartLinked(IDC_LEVEL_SPECIALIST);
    HWND hMain = program.MainWindow();
    HWND hTree = program.TreeControl();
    ASSERT_NE(hTree, nullptr);
    const HTREEITEM hParvel = program.TreeItem(kAnalyzers.back());
    ASSERT_NE(hParvel, nullptr);
    ASSERT_TRUE(sim_.Command(kLateAnswers));

    // Another analyzer selected from outside while a refresh waits for the bus.
    WaitInsideARequest();
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hParvel,
                                    SMTO_NORMAL, 10000, &result))
        << "the window did not answer";
    ASSERT_NE(program.WaitFor(
                  [&] {
                      return Text(hMain).find(kAnalyzers.back()) != std::string::npos &&
                                     (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CARET,
                                                             0) == hParvel
                                 ? hMain
                                 : NULL;
                  },
                  20000),
              nullptr)
        << "the selection did not come: " << Text(hMain);

    // Instrument mode asked for from outside while a refresh waits: the analyzer is set into
    // "Remote" once, and no box says that it could not be.
    const uint64_t before = LogCount();
    WaitInsideARequest();
    ASSERT_TRUE(SendMessageTimeoutA(hMain, WM_COMMAND, ID_EDIT_INSTRUMENT_DATA, 0, SMTO_NORMAL,
                                    10000, &result));
    ASSERT_NE(program.WaitFor([&] { return InstrumentList(program); }, 60000), nullptr)
        << "instrument mode did not begin";
    std::vector<std::string> status;
    ASSERT_TRUE(sim_.Command("STATUS 2", &status));
    ASSERT_FALSE(status.empty());
    EXPECT_NE(status[0].find("remote=1"), std::string::npos) << status[0];
    const std::vector<std::string> toParvel = TelegramsTo(2, before);
    EXPECT_EQ(Count(toParvel, "F1"), 1) << Joined(toParvel);

    // The clock dialog, asked for while the bus is busy, shows the device's date (set through
    // the dialog before).
    HWND hClock = OpenClock(program);
    ASSERT_NE(hClock, nullptr);
    EnterDate(hClock, {"17", "5", "2024", "8", "9"});
    Press(hClock, IDOK);
    ASSERT_TRUE(WaitClosed(program, hClock)) << Joined(Boxes(program));
    WaitInsideARequest();
    hClock = OpenClock(program);
    ASSERT_NE(hClock, nullptr);
    EXPECT_EQ(Text(GetDlgItem(hClock, IDC_CLOCK_DAY)), "17");
    EXPECT_EQ(Text(GetDlgItem(hClock, IDC_CLOCK_MONTH)), "5");
    EXPECT_EQ(Text(GetDlgItem(hClock, IDC_CLOCK_YEAR)), "2024");
    EXPECT_TRUE(Boxes(program, hClock).empty()) << Joined(Boxes(program, hClock));
    Press(hClock, IDCANCEL);
    ASSERT_TRUE(WaitClosed(program, hClock));

    EXPECT_TRUE(Boxes(program).empty()) << Joined(Boxes(program));
    CloseFromOutside(program);
}

TEST_F(DrivenFromOutside, ASecondOkDuringTheClockDialogsWriteDoesNotWriteAgain) {
    Program& program = StartLinked(IDC_LEVEL_SPECIALIST);
    HWND hMain = program.MainWindow();
    PostMessageA(hMain, WM_COMMAND, ID_EDIT_INSTRUMENT_DATA, 0);
    ASSERT_NE(program.WaitFor([&] { return InstrumentList(program); }, 60000), nullptr);
    HWND hClock = OpenClock(program);
    ASSERT_NE(hClock, nullptr);
    EnterDate(hClock, {"3", "11", "2031", "22", "45"});
    ASSERT_TRUE(sim_.Command(kLateAnswers));

    // OK writes the clock; a second OK comes while that write waits for its answer.
    const uint64_t before = LogCount();
    Press(hClock, IDOK);
    ASSERT_TRUE(WaitForTelegram(1, "W16", before, program)) << "the clock was not written";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(hClock, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result);
    ASSERT_TRUE(WaitClosed(program, hClock)) << "the dialog stays: " << Joined(Boxes(program));
    // Whatever the second click would have done has been done by now: the next request of
    // the program went out after it.
    const uint64_t after = LogCount();
    ASSERT_TRUE(sim_.WaitLog(after + 1, 20000));
    const std::vector<std::string> toSindor = TelegramsTo(1, before);
    EXPECT_EQ(Count(toSindor, "W16"), 1) << Joined(toSindor);
    EXPECT_TRUE(Boxes(program).empty()) << Joined(Boxes(program));
    CloseFromOutside(program);
}

TEST_F(DrivenFromOutside, SilentAnalyzersBesideTheSelectedOneBringNoBoxWhileTheUserSelects) {
    // Four analyzers, three of which fall silent once they are linked.
    ASSERT_TRUE(sim_.Command("DEVICE 3 type=2 components=1"));
    ASSERT_TRUE(sim_.Command("DEVICE 4 type=2 components=1"));
    Program& program = StartLinked(0);
    HWND hMain = program.MainWindow();
    HWND hTree = program.TreeControl();
    const HTREEITEM hSindor = program.TreeItem(kAnalyzers.front());
    ASSERT_NE(hSindor, nullptr);
    const HTREEITEM hRoot = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    for (int address : {2, 3, 4})
        ASSERT_TRUE(sim_.Command("FAULT " + std::to_string(address) + " silent always"));
    // The user selects the network and the healthy analyzer again while the refreshes wait
    // for the silent ones.
    for (int i = 0; i < 6; ++i) {
        WaitInsideARequest();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(hTree, TVM_SELECTITEM, TVGN_CARET,
                                        (LPARAM)(i % 2 == 0 ? hRoot : hSindor), SMTO_NORMAL,
                                        10000, &result))
            << "the window did not answer: " << Joined(Boxes(program));
    }
    ASSERT_NE(program.WaitFor(
                  [&] {
                      return Text(hMain).find(kAnalyzers.front()) != std::string::npos ? hMain
                                                                                      : NULL;
                  },
                  20000),
              nullptr)
        << Text(hMain);
    // Long enough for every silent one to be asked beyond the five failed requests (of
    // three tries each) after which the access layer no longer addresses it for a while.
    const uint64_t from = LogCount();
    for (int address : {2, 3, 4}) {
        SCOPED_TRACE(address);
        ASSERT_NE(program.WaitFor(
                      [&]() -> HWND {
                          return TelegramsTo(address, from).size() >= 18 ? program.MainWindow()
                                                                         : NULL;
                      },
                      120000),
                  nullptr);
    }
    EXPECT_TRUE(Boxes(program).empty()) << Joined(Boxes(program));
    CloseFromOutside(program);
}

}  // namespace
