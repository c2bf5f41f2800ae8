// The positioned message box: a second thread finds the box owned by its 1 x 1 carrier at
// the point, with the owner disabled, and answers it; afterwards the owner is enabled again,
// the carrier gone and the answer returned. The window kit answers it by its text.
#include "posbox.h"

#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

// What the second thread saw of the box.
struct Seen {
    bool found = false;
    HWND carrier = NULL;
    std::string carrierTitle;
    RECT carrierRect = {};
    LONG carrierStyle = 0;
    LONG carrierExStyle = 0;
    bool ownerEnabled = true;
    std::string caption;
    std::vector<std::string> texts;
};

HWND FindBox() {
    HWND found = NULL;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            char cls[32] = {};
            GetClassNameA(hwnd, cls, sizeof cls);
            if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 ||
                !IsWindowVisible(hwnd))
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Waits (with a deadline) for the box, records what it sees and presses `button`.
std::thread Answer(HWND owner, int button, Seen* seen) {
    return std::thread([owner, button, seen] {
        const ULONGLONG deadline = GetTickCount64() + 20000;
        HWND box = NULL;
        while ((box = FindBox()) == NULL && GetTickCount64() < deadline) Sleep(20);
        if (box == NULL) return;
        seen->found = true;
        seen->ownerEnabled = owner != NULL && IsWindowEnabled(owner);
        char text[256] = {};
        GetWindowTextA(box, text, sizeof text);
        seen->caption = text;
        seen->carrier = GetWindow(box, GW_OWNER);
        GetWindowTextA(seen->carrier, text, sizeof text);
        seen->carrierTitle = text;
        GetWindowRect(seen->carrier, &seen->carrierRect);
        seen->carrierStyle = GetWindowLongA(seen->carrier, GWL_STYLE);
        seen->carrierExStyle = GetWindowLongA(seen->carrier, GWL_EXSTYLE);
        EnumChildWindows(
            box,
            [](HWND child, LPARAM param) -> BOOL {
                char cls[32] = {}, t[256] = {};
                GetClassNameA(child, cls, sizeof cls);
                GetWindowTextA(child, t, sizeof t);
                if (_stricmp(cls, "Static") == 0 && t[0])
                    reinterpret_cast<Seen*>(param)->texts.push_back(t);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(seen));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     (LPARAM)GetDlgItem(box, button));
    });
}

bool Shows(const Seen& seen, const std::string& text) {
    for (const std::string& t : seen.texts)
        if (t == text) return true;
    return false;
}

class PositionedBox : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                 300, 200, NULL, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    HWND owner_ = NULL;
};

TEST_F(PositionedBox, StandsAtThePointWhileTheOwnerIsDisabled) {
    Seen seen;
    std::thread answer = Answer(owner_, IDNO, &seen);
    const int result = PosMessageBox(owner_, "Go on?", "Test box", MB_YESNO, 123, 234);
    answer.join();
    ASSERT_TRUE(seen.found) << "no box appeared";
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(seen.carrierTitle, "nuraMessageBoxPosWnd");
    EXPECT_EQ(seen.carrierRect.left, 123);
    EXPECT_EQ(seen.carrierRect.top, 234);
    EXPECT_EQ(seen.carrierRect.right - seen.carrierRect.left, 1);
    EXPECT_EQ(seen.carrierRect.bottom - seen.carrierRect.top, 1);
    EXPECT_TRUE(seen.carrierStyle & WS_POPUP);
    EXPECT_TRUE(seen.carrierExStyle & WS_EX_TRANSPARENT);
    EXPECT_EQ(seen.caption, "Test box");
    EXPECT_TRUE(Shows(seen, "Go on?"));
    EXPECT_FALSE(seen.ownerEnabled) << "the owner is disabled while the box is shown";
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "and enabled afterwards";
    EXPECT_FALSE(IsWindow(seen.carrier)) << "the carrier is gone";
}

TEST_F(PositionedBox, AnOwnerDisabledBeforeStaysDisabled) {
    EnableWindow(owner_, FALSE);
    Seen seen;
    std::thread answer = Answer(owner_, IDOK, &seen);
    EXPECT_EQ(PosMessageBox(owner_, "Note", "Test box", MB_OK, 10, 10), IDOK);
    answer.join();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(IsWindowEnabled(owner_));
}

TEST_F(PositionedBox, TheIdFormShowsTheProgramsTextOverTheMainWindow) {
    // An application with a main window, for this test only.
    CWinApp app("Positioned box test");
    CWnd mainWnd;
    mainWnd.Attach(owner_);
    app.m_pMainWnd = &mainWnd;
    Seen seen;
    std::thread answer = Answer(owner_, IDCANCEL, &seen);
    const int result = PosMessageBoxId(IDS_ERROR, MB_OKCANCEL, 400, 300);
    answer.join();
    app.m_pMainWnd = NULL;
    mainWnd.Detach();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Shows(seen, "Error.")) << "string " << IDS_ERROR;
    EXPECT_EQ(seen.caption, "Positioned box test");
    EXPECT_FALSE(seen.ownerEnabled) << "the main window is the owner";
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(seen.carrierRect.left, 400);
    EXPECT_EQ(seen.carrierRect.top, 300);
}

// Tests of the program answer the box on their own thread with the window kit, by its text.
TEST_F(PositionedBox, TheWindowKitAnswersItByItsText) {
    wkit::Driver driver;
    driver.OnOpen(wkit::Box("overwrite"), [](wkit::Window& w) {
        EXPECT_EQ(w.BoxText(), "Do you want to overwrite it?");
        EXPECT_EQ(w.Caption(), "Test box");
        w.Click(IDNO);
    });
    EXPECT_EQ(PosMessageBox(owner_, "Do you want to overwrite it?", "Test box", MB_YESNO, 5, 5),
              IDNO);
    EXPECT_TRUE(driver.AllRan());
}

}  // namespace
