// The sample program as a program: the class library's WinMain runs its application
// object, which shows its frame; closing the frame ends the message loop and the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTopWindow(HWND hWnd, LPARAM lParam) {
    Search* search = (Search*)lParam;
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == search->pid && IsWindowVisible(hWnd) && GetParent(hWnd) == NULL) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

TEST(SampleProgram, ShowsItsFrameAndEndsWhenTheFrameCloses) {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string exe(path);
    exe = exe.substr(0, exe.rfind('\\') + 1) + "vaskfc_sample.exe";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), NULL, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        << exe;
    // Its main window, found by its process; polled with a deadline.
    Search search = {pi.dwProcessId, NULL};
    for (DWORD deadline = GetTickCount() + 20000;
         search.found == NULL && GetTickCount() < deadline;) {
        if (WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;
        EnumWindows(FindTopWindow, (LPARAM)&search);
    }
    if (search.found != NULL) {
        char title[256] = "";
        GetWindowTextA(search.found, title, sizeof title);
        EXPECT_STREQ(title, "Sample - Untitled");
        EXPECT_NE(FindWindowExA(search.found, NULL, "ToolbarWindow32", NULL), nullptr);
        EXPECT_NE(FindWindowExA(search.found, NULL, "msctls_statusbar32", NULL), nullptr);
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }
    DWORD waited = WaitForSingleObject(pi.hProcess, 20000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_NE(search.found, nullptr) << "no frame appeared";
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(code, 0u);
}

}  // namespace
