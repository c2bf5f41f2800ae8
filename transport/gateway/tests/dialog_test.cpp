// The "Line Configuration" dialog, driven by a second thread as a user would: it finds the
// dialog of the calling thread, reads and sets its controls and presses OK or Cancel; the
// line's record at the gateway side shows what was written.
#include "gateway_fixture.h"

#include <atomic>
#include <thread>

using namespace gwtest;

namespace {

constexpr int kTerminator = 1001;
constexpr int kSlowWaveform = 1002;
constexpr int kAddressList = 1003;
constexpr int kLeave = -2;  // selection left as the dialog shows it

struct Seen {
    bool shown = false;
    std::string caption;
    bool terminator = false;
    bool slowWaveform = false;
    std::vector<std::string> entries;
    std::string selected;
    HWND owner = nullptr;
};

struct Actions {
    bool clickTerminator = false;
    bool clickSlowWaveform = false;
    int select = kLeave;  // index to select, -1 for none
    int button = IDOK;
};

HWND FindDialogOf(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM p) -> BOOL {
            char cls[16] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (strcmp(cls, "#32770") != 0) return TRUE;
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string Text(HWND w) {
    char text[128] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// Plays the user on another thread while `thread` runs the dialog; gives up when `stop` is
// set or the deadline passes.
Seen PlayUser(DWORD thread, const Actions& a, const std::atomic<bool>& stop) {
    Seen seen;
    HWND dlg = nullptr;
    ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    while (!(dlg = FindDialogOf(thread)) || !IsWindowVisible(dlg)) {
        if (stop || GetTickCount64() > deadline) return seen;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    seen.shown = true;
    seen.caption = Text(dlg);
    seen.owner = GetWindow(dlg, GW_OWNER);
    HWND list = GetDlgItem(dlg, kAddressList);
    seen.terminator = SendDlgItemMessageA(dlg, kTerminator, BM_GETCHECK, 0, 0) == BST_CHECKED;
    seen.slowWaveform = SendDlgItemMessageA(dlg, kSlowWaveform, BM_GETCHECK, 0, 0) == BST_CHECKED;
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char entry[32] = {};
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        seen.entries.push_back(entry);
    }
    LRESULT sel = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (sel >= 0 && sel < count) seen.selected = seen.entries[sel];

    // Clicks go through the buttons themselves, as a mouse click would.
    if (a.clickTerminator) SendDlgItemMessageA(dlg, kTerminator, BM_CLICK, 0, 0);
    if (a.clickSlowWaveform) SendDlgItemMessageA(dlg, kSlowWaveform, BM_CLICK, 0, 0);
    if (a.select != kLeave) SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(a.select), 0);
    SendDlgItemMessageA(dlg, a.button, BM_CLICK, 0, 0);
    return seen;
}

class LineDialog : public GatewayTest {
protected:
    // Runs VGConfigureLine on this thread while a second thread plays the user.
    VG_ERROR Configure(HVGLINE line, HWND parent, const Actions& a, Seen* seen) {
        std::atomic<bool> stop{false};
        DWORD self = GetCurrentThreadId();
        std::thread user([&] { *seen = PlayUser(self, a, stop); });
        VG_ERROR rc = VGConfigureLine(line, parent);
        stop = true;
        user.join();
        return rc;
    }
};

TEST_F(LineDialog, ChoicesAreWrittenToBytes7To9OfTheRecord) {
    HVGLINE line = Open("COM1");
    struct Case {
        const char* name;
        gwpeer::Record initial;
        bool terminator, slow;  // as shown
        const char* selected;   // as shown, "" for none
        Actions actions;
        gwpeer::Record expected;
    } cases[] = {
        {"address 14 confirmed unchanged",
         MakeRecord(0, 0, 14),
         false,
         false,
         "14",
         {false, false, kLeave, IDOK},
         MakeRecord(0, 0, 14)},
        {"terminator off, address 14",
         MakeRecord(1, 1, 13),
         true,
         true,
         "13",
         {true, false, 1, IDOK},
         MakeRecord(0, 1, 14)},
        {"both flags on, address 13",
         MakeRecord(0, 0, 14),
         false,
         false,
         "14",
         {true, true, 0, IDOK},
         MakeRecord(1, 1, 13)},
        {"flags other than 1 show as set and are written as 1",
         MakeRecord(2, 0xFF, 13),
         true,
         true,
         "13",
         {false, false, kLeave, IDOK},
         MakeRecord(1, 1, 13)},
        // No entry for 12: nothing is selected, and the record keeps its address.
        {"address the list lacks is kept",
         MakeRecord(0, 1, 12),
         false,
         true,
         "",
         {false, false, kLeave, IDOK},
         MakeRecord(0, 1, 12)},
        {"cleared selection keeps the address",
         MakeRecord(0, 0, 13),
         false,
         false,
         "13",
         {false, true, -1, IDOK},
         MakeRecord(0, 1, 13)},
    };
    for (const Case& c : cases) {
        peer_->SetRecord(0, c.initial);
        size_t writes = peer_->CountOf(gwpeer::kWriteRecord);
        Seen seen;
        EXPECT_EQ(Configure(line, nullptr, c.actions, &seen), VG_OK) << c.name;
        ASSERT_TRUE(seen.shown) << c.name;
        EXPECT_EQ(seen.caption, "Line Configuration") << c.name;
        EXPECT_EQ(seen.entries, (std::vector<std::string>{"13", "14"})) << c.name;
        EXPECT_EQ(seen.terminator, c.terminator) << c.name;
        EXPECT_EQ(seen.slowWaveform, c.slow) << c.name;
        EXPECT_EQ(seen.selected, c.selected) << c.name;
        EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), writes + 1) << c.name;
        EXPECT_EQ(peer_->RecordOf(0), c.expected) << c.name;
    }
}

TEST_F(LineDialog, CancelWritesNothing) {
    HVGLINE line = Open("COM2");
    Seen seen;
    Actions a{true, true, 0, IDCANCEL};
    EXPECT_EQ(Configure(line, nullptr, a, &seen), VG_OK);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), 0u);
    EXPECT_EQ(peer_->RecordOf(1), MakeRecord(1, 0, 14));
}

TEST_F(LineDialog, DialogIsOwnedByTheGivenParent) {
    HVGLINE line = Open("COM1");
    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    Seen seen;
    EXPECT_EQ(Configure(line, parent, Actions{false, false, kLeave, IDCANCEL}, &seen), VG_OK);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.owner, parent);
    DestroyWindow(parent);
}

TEST_F(LineDialog, RecordThatCannotBeReadShowsNothingAndFails) {
    HVGLINE line = Open("COM1");
    peer_->RefuseReads(true);
    Seen seen;
    EXPECT_EQ(Configure(line, nullptr, Actions{}, &seen), VG_LINE_FAILED);
    EXPECT_FALSE(seen.shown);
    EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), 0u);
}

TEST_F(LineDialog, RecordThatCannotBeWrittenFails) {
    HVGLINE line = Open("COM1");
    peer_->RefuseWrites(true);
    Seen seen;
    EXPECT_EQ(Configure(line, nullptr, Actions{true, false, 1, IDOK}, &seen), VG_LINE_FAILED);
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(peer_->CountOf(gwpeer::kWriteRecord), 1u);
    EXPECT_EQ(peer_->RecordOf(0), MakeRecord(0, 0, 13));
}

TEST_F(LineDialog, CompletionsReachTheThreadWhileTheDialogIsOpen) {
    HVGLINE line = Open("COM1");
    Recorder rec;
    ASSERT_EQ(VGReceive(line, nullptr, Recorder::OnReceive, &rec), VG_OK);
    std::atomic<bool> stop{false};
    DWORD self = GetCurrentThreadId();
    Seen seen;
    std::thread user([&] {
        ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
        while (!FindDialogOf(self) && GetTickCount64() < deadline)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        // The dialog's own message loop delivers the callback.
        peer_->SendReceived(0, 0, 0x21, 0, {7});
        while (rec.Count() == 0 && GetTickCount64() < deadline)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        seen = PlayUser(self, Actions{false, false, kLeave, IDCANCEL}, stop);
    });
    EXPECT_EQ(VGConfigureLine(line, nullptr), VG_OK);
    user.join();
    EXPECT_TRUE(seen.shown);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Taken()[0].thread, self);
}

}  // namespace
