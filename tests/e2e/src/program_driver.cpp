// The driver of KorvanGA.exe from outside.
#include "program_driver.h"

#include "resource.h"
#include "test_folders.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace e2e {


namespace {

// The program's tests run for minutes; a test process that Wine loses at its end (it has
// happened under a full parallel load) keeps the lines it wrote when they are not buffered.
const int g_unbufferedOutput = std::setvbuf(stdout, nullptr, _IONBF, 0);

// The whole stderr file of the test (a Unix path, reached through drive Z:); empty without it.
std::string StderrText() {
    char unixPath[MAX_PATH] = "";
    if (GetEnvironmentVariableA("VASK_STDERR_FILE", unixPath, sizeof unixPath) == 0) return "";
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string text;
    char buffer[65536];
    DWORD n = 0;
    while (ReadFile(file, buffer, sizeof buffer, &n, NULL) && n > 0) text.append(buffer, n);
    CloseHandle(file);
    return text;
}

}  // namespace

const char kProfileKey[] = "Software\\Talvern\\KorvanGA";

namespace {

void DeleteFolder(const std::string& folder) { vasktest::DeleteFolderTree(folder); }

bool SetValue(const std::string& section, const char* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key = NULL;
    const std::string path = std::string(kProfileKey) + "\\" + section;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name, 0, type, (const BYTE*)data, size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

std::string ClassName(HWND hWnd) {
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof name);
    return name;
}

}  // namespace

bool SetDword(const std::string& section, const char* name, DWORD value) {
    return SetValue(section, name, REG_DWORD, &value, sizeof value);
}

bool SetString(const std::string& section, const char* name, const std::string& value) {
    return SetValue(section, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1);
}

std::string OwnFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

ProgramFolder::ProgramFolder(const std::string& binFolder) : bin_(binFolder) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static int serial = 0;
    std::ostringstream name;
    name << temp << "korvanga-e2e-" << GetCurrentProcessId() << "-" << ++serial;
    path_ = name.str();
    DeleteFolder(path_);
    ok_ = CreateDirectoryA(path_.c_str(), NULL) &&
          CopyFileA((bin_ + "\\KorvanGA.exe").c_str(), Exe().c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() { DeleteFolder(path_); }

void ClearProfile() { RegDeleteTreeA(HKEY_CURRENT_USER, kProfileKey); }

bool WriteComNetwork(const std::string& folder, const std::string& network, int operationMode,
                     const std::string& port) {
    const std::string converter = "Converter\\" + network + "_1";
    bool ok = SetString("Program options", "Network", network) &&
              SetDword(converter, "Hardware", 4) && SetString(converter, "Port", port) &&
              SetDword(converter, "AssertDtr", 0) && SetDword(converter, "DoToggle", 0) &&
              SetDword(converter, "AutoToggle", 0) && SetDword(converter, "ReadEcho", 0);
    if (operationMode >= 0) ok = ok && SetDword("Program options", "Operation mode", operationMode);
    const std::string ini = folder + "\\Comm.ini";
    ok = ok &&
         WritePrivateProfileStringA("Networklist", network.c_str(), network.c_str(), ini.c_str());
    ok = ok && WritePrivateProfileStringA(network.c_str(), "Converter_1", "COM1:", ini.c_str());
    return ok;
}

// ---- the process --------------------------------------------------------------------------

Program::~Program() {
    if (Running()) Kill();
    if (pi_.hProcess != NULL) CloseHandle(pi_.hProcess);
    if (pi_.hThread != NULL) CloseHandle(pi_.hThread);
}

bool Program::Start(const std::string& exe, const std::string& args, const std::string& libFolder) {
    // The child's PATH leads to the libraries beside the driver.
    char oldPath[32768] = "";
    GetEnvironmentVariableA("PATH", oldPath, sizeof oldPath);
    const std::string path = libFolder + ";" + oldPath;
    SetEnvironmentVariableA("PATH", path.c_str());
    std::string commandLine = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    const std::string folder = exe.substr(0, exe.rfind('\\'));
    char oldDebug[256] = "";
    const bool hadDebug = GetEnvironmentVariableA("WINEDEBUG", oldDebug, sizeof oldDebug) != 0;
    SetEnvironmentVariableA("WINEDEBUG", "-all,err+seh");
    outputStart_ = (long long)StderrText().size();
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    const BOOL ok = CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                                   folder.c_str(), &si, &pi_);
    SetEnvironmentVariableA("PATH", oldPath);
    SetEnvironmentVariableA("WINEDEBUG", hadDebug ? oldDebug : NULL);
    return ok != FALSE;
}

std::vector<std::string> Program::OutputLines(const std::string& part, bool* known) const {
    std::vector<std::string> lines;
    char file[MAX_PATH] = "";
    if (known != nullptr) *known = GetEnvironmentVariableA("VASK_STDERR_FILE", file, sizeof file) != 0;
    const std::string text = StderrText();
    if ((long long)text.size() <= outputStart_) return lines;
    size_t at = (size_t)outputStart_;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.find(part) != std::string::npos) lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

std::vector<std::string> Program::CrashLines(bool* known) const {
    std::vector<std::string> lines = OutputLines("Unhandled", known);
    for (const std::string& line : OutputLines("ignoring exception")) lines.push_back(line);
    return lines;
}

bool Program::Running() const {
    return pi_.hProcess != NULL && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

long Program::WaitExit(DWORD timeoutMs) {
    if (pi_.hProcess == NULL) return -1;
    if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return (long)code;
}

void Program::Kill() {
    if (pi_.hProcess == NULL) return;
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 10000);
}

std::vector<HWND> Program::Windows(bool all) const {
    struct Search {
        DWORD pid;
        bool all;
        std::vector<HWND> found;
    } search = {pi_.dwProcessId, all, {}};
    EnumWindows(
        [](HWND hWnd, LPARAM p) -> BOOL {
            Search* s = (Search*)p;
            DWORD pid = 0;
            GetWindowThreadProcessId(hWnd, &pid);
            if (pid == s->pid && (s->all || IsWindowVisible(hWnd))) s->found.push_back(hWnd);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

HWND Program::WaitFor(const std::function<HWND()>& find, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND hWnd = find()) return hWnd;
        if (GetTickCount() - start > timeoutMs || !Running()) return NULL;
        Sleep(20);
    }
}

HWND Program::FindCaption(const std::string& caption) const {
    for (HWND hWnd : Windows())
        if (Text(hWnd) == caption) return hWnd;
    return NULL;
}

HWND Program::MainWindow() const {
    for (HWND hWnd : Windows(true))
        if (ClassName(hWnd) == "KorvanGAClass") return hWnd;
    return NULL;
}

HWND Program::FindDialogWithText(const std::string& part) const {
    for (HWND hWnd : Windows()) {
        if (ClassName(hWnd) != "#32770") continue;
        for (const std::string& text : ChildTexts(hWnd))
            if (text.find(part) != std::string::npos) return hWnd;
    }
    return NULL;
}

HWND Program::TreeControl() const {
    HWND hMain = MainWindow();
    if (hMain == NULL) return NULL;
    HWND hTree = NULL;
    EnumChildWindows(
        hMain,
        [](HWND hWnd, LPARAM p) -> BOOL {
            if (ClassName(hWnd) != "SysTreeView32") return TRUE;
            *(HWND*)p = hWnd;
            return FALSE;
        },
        (LPARAM)&hTree);
    return hTree;
}

std::vector<std::string> Program::TreeItems() const {
    std::vector<std::pair<HTREEITEM, std::string>> items = TreeWalk();
    std::vector<std::string> texts;
    for (const auto& item : items) texts.push_back(item.second);
    return texts;
}

HTREEITEM Program::TreeItem(const std::string& part) const {
    for (const auto& item : TreeWalk())
        if (item.second.find(part) != std::string::npos) return item.first;
    return NULL;
}

std::vector<std::pair<HTREEITEM, std::string>> Program::TreeWalk() const {
    std::vector<std::pair<HTREEITEM, std::string>> items;
    HWND hTree = TreeControl();
    if (hTree == NULL) return items;
    // The item record and its text live in the program's memory.
    HANDLE hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                  pi_.dwProcessId);
    if (hProcess == NULL) return items;
    const SIZE_T kText = 512;
    BYTE* remote = (BYTE*)VirtualAllocEx(hProcess, NULL, sizeof(TVITEMA) + kText,
                                         MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == NULL) {
        CloseHandle(hProcess);
        return items;
    }
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM hItem, int depth) {
        for (; hItem != NULL;
             hItem = (HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)hItem)) {
            TVITEMA item = {};
            item.mask = TVIF_TEXT | TVIF_HANDLE;
            item.hItem = hItem;
            item.pszText = (LPSTR)(remote + sizeof(TVITEMA));
            item.cchTextMax = (int)kText;
            SIZE_T n = 0;
            char text[kText] = "";
            if (WriteProcessMemory(hProcess, remote, &item, sizeof item, &n) &&
                SendMessageA(hTree, TVM_GETITEMA, 0, (LPARAM)remote) &&
                ReadProcessMemory(hProcess, remote + sizeof(TVITEMA), text, kText - 1, &n))
                items.push_back({hItem, std::string(2 * depth, ' ') + text});
            walk((HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)hItem),
                 depth + 1);
        }
    };
    walk((HTREEITEM)SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0), 0);
    VirtualFreeEx(hProcess, remote, 0, MEM_RELEASE);
    CloseHandle(hProcess);
    return items;
}

std::vector<std::string> Program::ShownValues() const {
    struct Search {
        std::vector<std::pair<int, HWND>> found;
    } search;
    HWND hMain = MainWindow();
    if (hMain == NULL) return {};
    EnumChildWindows(
        hMain,
        [](HWND hWnd, LPARAM p) -> BOOL {
            // A value text of the pane: beside the bars.
            const int id = GetDlgCtrlID(hWnd);
            if (id >= IDC_BAR_VALUE_1 && id < IDC_BAR_VALUE_1 + 4 && IsWindowVisible(hWnd) &&
                GetDlgItem(GetParent(hWnd), IDC_BAR_1) != NULL)
                ((Search*)p)->found.emplace_back(id, hWnd);
            return TRUE;
        },
        (LPARAM)&search);
    std::sort(search.found.begin(), search.found.end());
    std::vector<std::string> values;
    for (const auto& value : search.found) values.push_back(Text(value.second));
    return values;
}

// ---- windows --------------------------------------------------------------------------------

std::string Text(HWND hWnd) {
    char text[1024] = "";
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    return text;
}

std::vector<std::string> ChildTexts(HWND hWnd) {
    std::vector<std::string> texts;
    EnumChildWindows(
        hWnd,
        [](HWND hChild, LPARAM p) -> BOOL {
            ((std::vector<std::string>*)p)->push_back(Text(hChild));
            return TRUE;
        },
        (LPARAM)&texts);
    return texts;
}

void Press(HWND hDialog, int id) {
    HWND hButton = GetDlgItem(hDialog, id);
    if (hButton != NULL)
        PostMessageA(hButton, BM_CLICK, 0, 0);
    else
        PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool Holds(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos) return true;
    return false;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) joined += text + "\n";
    return joined;
}

}  // namespace e2e
