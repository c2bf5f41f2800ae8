// Drives KorvanGA.exe from outside, as a user would: writes its profile and network list
// file, starts it as a process of its own and works only through its windows (window texts,
// buttons, posted commands, the tree pane read with tree-view messages on memory in the
// program's process). Used by the end-to-end test and by scripts/run without a display.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// The program's profile key below HKEY_CURRENT_USER.
extern const char kProfileKey[];

// A program folder of its own: KorvanGA.exe copied from `binFolder` (its libraries are
// found there through PATH), where the program keeps its "Comm.ini". Removed with the object
// unless kept.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& binFolder);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& BinFolder() const { return bin_; }
    std::string Exe() const { return path_ + "\\KorvanGA.exe"; }
    bool Ok() const { return ok_; }

private:
    std::string bin_;
    std::string path_;
    bool ok_ = false;
};

// The folder of the calling program (build/win/bin for the test and the driver).
std::string OwnFolder();

// Removes the program's whole profile.
void ClearProfile();
// A network `network` with one USB converter on `port` (no RTS switching, no echo: a
// pseudo-terminal cannot do them), current, in the profile and in the folder's "Comm.ini";
// the operation mode as given (negative: none written).
bool WriteComNetwork(const std::string& folder, const std::string& network, int operationMode,
                     const std::string& port = "COM1:");
// One value of a section of the program's profile.
bool SetDword(const std::string& section, const char* name, DWORD value);
bool SetString(const std::string& section, const char* name, const std::string& value);

// The windows of one process.
class Program {
public:
    Program() = default;
    ~Program();  // ends a program still running (and fails nothing)
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts the exe with the arguments; PATH leads to the libraries of `libFolder`. Wine
    // reports exceptions that a window callback swallowed for it (channel err:seh).
    bool Start(const std::string& exe, const std::string& args, const std::string& libFolder);
    // The lines of the process's stderr (Wine's own messages for it among them) written
    // since Start that hold `part`; `known` false when the test runs without the stderr
    // file (VASK_STDERR_FILE, set by the build for the end-to-end test).
    std::vector<std::string> OutputLines(const std::string& part, bool* known = nullptr) const;
    // The lines that tell a crash: "Unhandled" (an unhandled exception or page fault) and
    // an exception ignored in a window callback.
    std::vector<std::string> CrashLines(bool* known = nullptr) const;
    DWORD Pid() const { return pi_.dwProcessId; }
    bool Running() const;
    // Waits for the end; the exit code, or -1 when it did not end in time.
    long WaitExit(DWORD timeoutMs);
    void Kill();

    // Top-level windows of the process (visible ones only unless `all`).
    std::vector<HWND> Windows(bool all = false) const;
    // Polls until the predicate gives a window, NULL after the time.
    HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs) const;
    // A visible top-level window of the process with this caption, or NULL.
    HWND FindCaption(const std::string& caption) const;
    // The main window (class "KorvanGAClass"), or NULL.
    HWND MainWindow() const;
    // A visible dialog of the process one of whose controls' text holds `part`.
    HWND FindDialogWithText(const std::string& part) const;

    // Every item of the tree pane, depth first, indented by two blanks per level.
    std::vector<std::string> TreeItems() const;
    // The tree pane's control, and its first item whose text holds `part` (NULL: none).
    HWND TreeControl() const;
    HTREEITEM TreeItem(const std::string& part) const;
    // The texts of the value-bars pane's shown values, one per shown component row of the
    // selected analyzer; none while the pane is not shown.
    std::vector<std::string> ShownValues() const;

private:
    // Every item of the tree pane with its handle, depth first, the texts indented.
    std::vector<std::pair<HTREEITEM, std::string>> TreeWalk() const;

    PROCESS_INFORMATION pi_ = {};
    long long outputStart_ = 0;  // size of the stderr file when the process started
};

// Window texts, read across processes.
std::string Text(HWND hWnd);
// The texts of a window's descendants, in order.
std::vector<std::string> ChildTexts(HWND hWnd);
// Presses a dialog's button as a click does (BM_CLICK, posted).
void Press(HWND hDialog, int id);

// Whether one of the texts (tree items, a dialog's texts) holds `part`.
bool Holds(const std::vector<std::string>& texts, const std::string& part);
// The texts, one a line, for a failure message.
std::string Joined(const std::vector<std::string>& texts);

}  // namespace e2e
