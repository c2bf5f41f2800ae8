// The progress window in real windows: its texts and picture, the main window disabled
// while it shows, Cancel as a request that keeps it open, the progress bar and its labels,
// help, and the look for a click on Cancel that never waits for a message; every text it
// shows readable whole, line breaks included.
#include "dlgmessage.h"

#include "appwait.h"
#include "programwaits.h"
#include "windowwait.h"

#include "resource.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

CWinApp theApp("KorvanGA progress test");

const char kDefaultText[] = "Der Vorgang l\xE4uft ...";  // code page 1252

class CMainFrame : public CFrameWnd {
public:
    std::function<void(UINT)> onCommand;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (onCommand && lParam == 0) {
            onCommand(LOWORD(wParam));
            return TRUE;
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new CMainFrame;  // deletes itself with its window
        ASSERT_TRUE(frame->Create(NULL, "KorvanGA"));
        frame->ShowWindow(SW_SHOW);
        AfxGetApp()->m_pMainWnd = frame;
        dialog.reset(new CDlgMessage);
        ASSERT_NE((HWND)NULL, dialog->m_hWnd);
    }
    void TearDown() override {
        dialog.reset();
        AfxGetApp()->m_pMainWnd = NULL;
        if (::IsWindow(frameWnd())) frame->DestroyWindow();
    }
    HWND frameWnd() const { return frame->m_hWnd; }
    wkit::Window Window() const { return wkit::Window(dialog->m_hWnd); }
    // Posted messages of the thread handled; the window kit's own pump.
    static void Drain() { wkit::Driver::Pump(0); }

    CMainFrame* frame = nullptr;
    std::unique_ptr<CDlgMessage> dialog;
    CProgramWaits waits;  // on the main window's thread, as in the program
};

TEST_F(ProgressTest, MadeHiddenWithOnlyPictureAndText) {
    EXPECT_FALSE(dialog->IsWindowVisible());
    EXPECT_EQ(148, dialog->GetPictureId());
    for (int id : {IDC_MESSAGE_PICTURE, IDC_MESSAGE_TEXT})
        EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dialog->m_hWnd, id), GWL_STYLE) & WS_VISIBLE);
    for (int id : {IDC_MESSAGE_PROGRESS, IDC_MESSAGE_LOW, IDC_MESSAGE_HIGH, IDCANCEL})
        EXPECT_FALSE(::GetWindowLongA(::GetDlgItem(dialog->m_hWnd, id), GWL_STYLE) & WS_VISIBLE)
            << id;
    EXPECT_NE((DWORD)WS_CAPTION, (DWORD)::GetWindowLongA(dialog->m_hWnd, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(frameWnd(), ::GetWindow(dialog->m_hWnd, GW_OWNER));
}

TEST_F(ProgressTest, StartShowsTheTextWithTheMainWindowDisabledAndStopUndoesIt) {
    struct Case {
        UINT textId;
        int bitmapId;
        std::string text;
        int picture;
    };
    CString error;
    ASSERT_TRUE(error.LoadString(IDS_ERROR));
    const Case cases[] = {{59999, 0, kDefaultText, 148},
                          {IDS_ERROR, IDB_NETWORK_SEARCH, (LPCSTR)error, 144},
                          {59999, 0, kDefaultText, 144}};
    for (const Case& c : cases) {
        dialog->Start(c.textId, c.bitmapId);
        wkit::Window w = Window();
        EXPECT_TRUE(dialog->IsWindowVisible());
        EXPECT_EQ(c.text, w.Text(IDC_MESSAGE_TEXT));
        EXPECT_EQ(c.picture, dialog->GetPictureId());
        EXPECT_FALSE(::IsWindowEnabled(frameWnd()));
        EXPECT_TRUE(dialog->IsWindowEnabled());
        dialog->Stop();
        EXPECT_FALSE(dialog->IsWindowVisible());
        EXPECT_TRUE(::IsWindowEnabled(frameWnd()));
    }
    dialog->StartText("Eigener Text", IDB_OPERATION);
    EXPECT_EQ("Eigener Text", Window().Text(IDC_MESSAGE_TEXT));
    EXPECT_EQ(148, dialog->GetPictureId());
    dialog->StartText(NULL);
    EXPECT_EQ(kDefaultText, Window().Text(IDC_MESSAGE_TEXT));
    dialog->Stop();
}

// While it shows it counts as a modal loop, and Stop leaves the main window as Start found
// it: a modal sheet under the window (which disabled the main window) keeps it disabled.
TEST_F(ProgressTest, ItCountsAsAModalLoopAndStopGivesTheMainWindowBackItsState) {
    const int before = AfxGetModalLoopCount();
    dialog->StartText("first");
    dialog->StartText("second");
    EXPECT_EQ(before + 1, AfxGetModalLoopCount());
    dialog->Stop();
    EXPECT_EQ(before, AfxGetModalLoopCount());
    EXPECT_TRUE(::IsWindowEnabled(frameWnd()));
    ::EnableWindow(frameWnd(), FALSE);  // as a modal sheet does
    dialog->StartText("under a sheet");
    dialog->Stop();
    EXPECT_FALSE(::IsWindowEnabled(frameWnd())) << "the main window came free under the sheet";
    EXPECT_EQ(before, AfxGetModalLoopCount());
    ::EnableWindow(frameWnd(), TRUE);
}

TEST_F(ProgressTest, SetTextKeepsThePictureForZeroAndTakesANewOne) {
    dialog->StartText("first");
    dialog->SetText("second", 0);
    EXPECT_EQ("second", Window().Text(IDC_MESSAGE_TEXT));
    EXPECT_EQ(148, dialog->GetPictureId());
    dialog->SetText("third", IDB_NETWORK_SEARCH);
    EXPECT_EQ("third", Window().Text(IDC_MESSAGE_TEXT));
    EXPECT_EQ(144, dialog->GetPictureId());
    // Redrawn at once: nothing of the window waits to be painted.
    RECT pending;
    EXPECT_FALSE(
        ::GetUpdateRect(::GetDlgItem(dialog->m_hWnd, IDC_MESSAGE_PICTURE), &pending, FALSE));
    dialog->SetTextId(IDS_ERROR, 0);
    CString error;
    error.LoadString(IDS_ERROR);
    EXPECT_EQ(std::string(error), Window().Text(IDC_MESSAGE_TEXT));
    EXPECT_EQ(144, dialog->GetPictureId());
    // A picture that the resources lack draws nothing and breaks nothing.
    dialog->SetText("no picture", 9999);
    EXPECT_EQ(9999, dialog->GetPictureId());
    dialog->Stop();
}

TEST_F(ProgressTest, EveryTextItShowsIsReadableWhole) {
    // The bus scan's two lines with a network of a usual name, and the texts of the
    // operations that show the window, each of several lines.
    CString scan;
    scan.Format((UINT)IDS_SCAN_PROGRESS, "COM1: Showroom_1", 11);
    std::vector<std::string> texts = {std::string(scan), kDefaultText};
    for (UINT id : {IDS_CONNECTING, IDS_IV_TRANSFERRING, IDS_IV_PREPARING, IDS_IV_LOADING_USER,
                    IDS_IV_SAVING_USER, IDS_IV_LOADING_FACTORY, IDS_IV_DL_RESET,
                    IDS_IV_DL_STARTED, IDS_IV_DL_VERIFY, IDS_IV_DL_RESTART, IDS_IV_DL_COMPLETED,
                    IDS_IV_DL_WAIT_RESTART, IDS_IV_PC_TRANSFER, IDS_IV_SEARCHING,
                    IDS_IV_PROFIBUS_PREPARING, IDS_IV_TRANSFER_STARTED}) {
        CString text;
        ASSERT_TRUE(text.LoadString(id)) << id;
        texts.push_back(std::string(text));
    }
    dialog->StartText("first");
    for (const std::string& text : texts) {
        dialog->SetText(text.c_str(), 0);
        ASSERT_EQ(text, Window().Text(IDC_MESSAGE_TEXT));
        const wkit::TextRoom room = wkit::WholeText(::GetDlgItem(dialog->m_hWnd, IDC_MESSAGE_TEXT));
        EXPECT_TRUE(room.Fits()) << room.Describe();
    }
    dialog->Stop();
}

TEST_F(ProgressTest, CancelAsksToStopAndTheWindowStaysUntilStop) {
    dialog->StartText("download");
    dialog->ShowCancel(TRUE);
    wkit::Window w = Window();
    ASSERT_TRUE(w.IsVisible(IDCANCEL));
    EXPECT_FALSE(dialog->IsCancelled());
    w.Click(IDCANCEL);
    EXPECT_TRUE(dialog->IsCancelled());
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_FALSE(::IsWindowEnabled(frameWnd()));
    dialog->Stop();
    EXPECT_FALSE(dialog->IsCancelled());
    dialog->StartText("again");
    EXPECT_FALSE(dialog->IsCancelled());
    // The Escape key's command asks the same.
    ::SendMessageA(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dialog->IsCancelled());
    dialog->ShowCancel(FALSE);
    EXPECT_FALSE(w.IsVisible(IDCANCEL));
    // Closing only hides it.
    ::SendMessageA(dialog->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dialog->m_hWnd));
    dialog->Stop();
    EXPECT_TRUE(::IsWindowEnabled(frameWnd()));
}

TEST_F(ProgressTest, IsCancelledTakesTheWindowsOwnClickHoldsTheRestAndNeverWaits) {
    dialog->StartText("search");
    dialog->ShowCancel(TRUE);
    Drain();
    // A click that waits in the queue is seen by the next look.
    ::PostMessageA(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dialog->IsCancelled());
    dialog->Stop();
    dialog->StartText("search");

    // A command for the main window waits for the work's end; the window's own click is
    // taken behind it.
    std::vector<UINT> commands;
    frame->onCommand = [&](UINT id) { commands.push_back(id); };
    ::PostMessageA(frameWnd(), WM_COMMAND, 4711, 0);
    ::PostMessageA(dialog->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dialog->IsCancelled());
    EXPECT_TRUE(commands.empty()) << "the main window's command ran inside the look";
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return !commands.empty(); }, 10000));
    EXPECT_EQ(commands, std::vector<UINT>{4711});
    frame->onCommand = nullptr;

    // Nothing queued: the look returns. A watchdog posts a message after 10 s, which a
    // look that waited would take; it must not have come yet.
    Drain();
    std::atomic<bool> posted{false}, done{false};
    const DWORD thread = ::GetCurrentThreadId();
    std::thread watchdog([&] {
        for (int i = 0; i < 1000 && !done; ++i) ::Sleep(10);
        if (!done) {
            posted = true;
            ::PostThreadMessageA(thread, WM_NULL, 0, 0);
        }
    });
    const BOOL cancelled = dialog->IsCancelled();
    done = true;
    watchdog.join();
    EXPECT_TRUE(cancelled);  // still the request of before
    EXPECT_FALSE(posted);
    Drain();

    // A WM_QUIT stays for the program's loop.
    ::PostQuitMessage(7);
    dialog->IsCancelled();
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
    dialog->Stop();
}

// A text set for soon is there at once and painted by the thread's next wait for a bus
// request, which the look for Cancel in between leaves the paints to.
TEST_F(ProgressTest, ATextSetForSoonIsPaintedByTheNextWaitForARequest) {
    dialog->StartText("search");
    Drain();
    const HWND hText = ::GetDlgItem(dialog->m_hWnd, IDC_MESSAGE_TEXT);
    ASSERT_FALSE(::GetUpdateRect(hText, NULL, FALSE)) << "the start painted everything";
    dialog->SetTextSoon("address 2");
    EXPECT_EQ("address 2", Window().Text(IDC_MESSAGE_TEXT));
    EXPECT_TRUE(::GetUpdateRect(hText, NULL, FALSE)) << "not painted yet";
    EXPECT_FALSE(dialog->IsCancelled());
    EXPECT_TRUE(::GetUpdateRect(dialog->m_hWnd, NULL, FALSE)) << "the look for Cancel paints nothing";
    EXPECT_TRUE(::GetUpdateRect(hText, NULL, FALSE));

    // The request's answer comes once the text is painted, or after 5 s.
    HANDLE answered = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    std::thread request([&] {
        for (int i = 0; i < 500 && ::GetUpdateRect(hText, NULL, FALSE); ++i) ::Sleep(10);
        ::SetEvent(answered);
    });
    WaitForRequestWithMessages(answered);
    request.join();
    ::CloseHandle(answered);
    EXPECT_FALSE(::GetUpdateRect(hText, NULL, FALSE)) << "painted while the request ran";
    EXPECT_FALSE(::GetUpdateRect(dialog->m_hWnd, NULL, FALSE));
    dialog->Stop();
}

TEST_F(ProgressTest, TheProgressBarShowsItsRangeAsPercentLabels) {
    dialog->StartText("transfer");
    // A text changed on the window survives: the window's texts are read first.
    ::SetDlgItemTextA(dialog->m_hWnd, IDC_MESSAGE_TEXT, "changed");
    dialog->ShowProgress(TRUE, 0, 100);
    wkit::Window w = Window();
    EXPECT_EQ("changed", w.Text(IDC_MESSAGE_TEXT));
    for (int id : {IDC_MESSAGE_PROGRESS, IDC_MESSAGE_LOW, IDC_MESSAGE_HIGH})
        EXPECT_TRUE(w.IsVisible(id)) << id;
    EXPECT_EQ("0 %", w.Text(IDC_MESSAGE_LOW));
    EXPECT_EQ("100 %", w.Text(IDC_MESSAGE_HIGH));
    HWND bar = ::GetDlgItem(dialog->m_hWnd, IDC_MESSAGE_PROGRESS);
    PBRANGE range = {};
    ::SendMessageA(bar, PBM_GETRANGE, TRUE, (LPARAM)&range);
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(100, range.iHigh);
    EXPECT_EQ(0, ::SendMessageA(bar, PBM_GETPOS, 0, 0));
    dialog->SetPos(42);
    EXPECT_EQ(42, ::SendMessageA(bar, PBM_GETPOS, 0, 0));

    dialog->ShowProgress(TRUE, 5, 250);
    EXPECT_EQ("5 %", w.Text(IDC_MESSAGE_LOW));
    EXPECT_EQ("250 %", w.Text(IDC_MESSAGE_HIGH));
    EXPECT_EQ(5, ::SendMessageA(bar, PBM_GETPOS, 0, 0));  // position 0 lies below the range

    dialog->ShowProgress(FALSE);
    for (int id : {IDC_MESSAGE_PROGRESS, IDC_MESSAGE_LOW, IDC_MESSAGE_HIGH})
        EXPECT_FALSE(w.IsVisible(id)) << id;
    dialog->Stop();
}

TEST_F(ProgressTest, F1OnAControlAsksForItsPopUpHelp) {
    wkit::HelpRecorder help;
    dialog->StartText("help");
    Window().HelpOn(IDC_MESSAGE_TEXT);
    ASSERT_EQ(1u, help.calls.size());
    EXPECT_EQ((UINT)HELP_CONTEXTPOPUP, help.calls[0].nCmd);
    EXPECT_EQ((DWORD_PTR)(0x50000 + IDC_MESSAGE_TEXT), help.calls[0].dwData);
    dialog->Stop();
}

}  // namespace
