// The end-to-end tests' fixture: KorvanGA.exe as its own process against the simulator of
// the test's bus, with a program folder and a profile of its own, worked only through its
// windows.
#pragma once

#include "program_driver.h"

#include "resource.h"
#include "vasksim_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace e2e {


inline const DWORD kStartTime = 60000;  // the splash window alone takes 3 s
inline const DWORD kScanTime = 60000;
inline const std::vector<std::string> kAnalyzers = {"Sindor Kanal 1", "Parvel O2"};

inline std::string LoadText(UINT id) {
    char text[512] = "";
    LoadStringA(GetModuleHandleA(NULL), id, text, sizeof text);
    return text;
}

inline std::string ClassOf(HWND hWnd) {
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

// The instrument view's parameter list, when it shows: instrument mode has begun.
inline HWND InstrumentList(const Program& program) {
    HWND hMain = program.MainWindow();
    if (hMain == NULL) return NULL;
    HWND found = NULL;
    EnumChildWindows(
        hMain,
        [](HWND hWnd, LPARAM p) -> BOOL {
            if (GetDlgCtrlID(hWnd) != IDC_INSTRUMENT_TREE || !IsWindowVisible(hWnd)) return TRUE;
            *(HWND*)p = hWnd;
            return FALSE;
        },
        (LPARAM)&found);
    return found;
}

class KorvanGA : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim_.Connect(&error)) << error;
        ASSERT_TRUE(sim_.Reset()) << sim_.LastError();
        ClearProfile();
        folder_.reset(new ProgramFolder(OwnFolder()));
        ASSERT_TRUE(folder_->Ok());
    }
    void TearDown() override {
        for (auto& program : programs_) program.reset();  // ends what still runs
        folder_.reset();
        ClearProfile();
        sim_.Reset();
    }

    Program& Start(const std::string& args = "") {
        programs_.emplace_back(new Program);
        Program& program = *programs_.back();
        EXPECT_TRUE(program.Start(folder_->Exe(), args, folder_->BinFolder()));
        return program;
    }
    // Answers "Access Authorization" with OK, at the level of the radio button `level`
    // (0: as it stands, Maintenance).
    void Login(Program& program, int level = 0) {
        HWND hLogin = program.WaitFor([&] { return program.FindCaption("Access Authorization"); },
                                      kStartTime);
        ASSERT_NE(hLogin, nullptr) << "no login";
        if (level != 0) Press(hLogin, level);
        Press(hLogin, IDOK);
    }
    // Waits until the tree pane shows every simulated analyzer.
    std::vector<std::string> WaitForAnalyzers(Program& program) {
        std::vector<std::string> items;
        program.WaitFor(
            [&]() -> HWND {
                items = program.TreeItems();
                for (const std::string& name : kAnalyzers)
                    if (!Holds(items, name)) return NULL;
                // No progress window left.
                return program.FindDialogWithText("Searching for device") == NULL
                           ? program.MainWindow()
                           : NULL;
            },
            kScanTime);
        return items;
    }
    // WM_CLOSE, "Yes" to the exit question; the exit code.
    long Close(Program& program) {
        PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
        HWND hQuestion = program.WaitFor(
            [&] { return program.FindDialogWithText(LoadText(IDS_EXIT_QUESTION)); }, 20000);
        EXPECT_NE(hQuestion, nullptr) << "no exit question";
        if (hQuestion != nullptr) Press(hQuestion, IDYES);
        const long code = program.WaitExit(30000);
        if (code == -1)
            for (HWND hWnd : program.Windows())
                ADD_FAILURE() << "still open: " << Text(hWnd) << "\n" << Joined(ChildTexts(hWnd));
        return code;
    }
    // WM_CLOSE from outside (as the task bar or another program sends it) and "Yes" to the
    // exit question, which comes whatever runs, once a bus request under way has ended; the
    // program ends with exit code 0 and without a crash in its output.
    void CloseFromOutside(Program& program) {
        HWND hMain = program.MainWindow();
        ASSERT_NE(hMain, nullptr);
        PostMessageA(hMain, WM_CLOSE, 0, 0);
        HWND hQuestion = program.WaitFor(
            [&] { return program.FindDialogWithText(LoadText(IDS_EXIT_QUESTION)); }, 30000);
        ASSERT_NE(hQuestion, nullptr) << "no exit question";
        Press(hQuestion, IDYES);
        EXPECT_EQ(program.WaitExit(60000), 0);
        bool known = false;
        const std::vector<std::string> crashes = program.CrashLines(&known);
        EXPECT_TRUE(known) << "the test runs without its stderr file";
        EXPECT_TRUE(crashes.empty()) << Joined(crashes);
    }
    size_t TelegramCount() {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        return entries.size();
    }

    vasksim::SimClient sim_;
    std::unique_ptr<ProgramFolder> folder_;
    std::vector<std::unique_ptr<Program>> programs_;
};

}  // namespace e2e
