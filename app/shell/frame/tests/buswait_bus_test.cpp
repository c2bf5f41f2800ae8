// The main window while its thread waits for the bus, with the program's own wait: a refresh
// whose requests the simulated analyzers answer late, and meanwhile, from another thread as
// automation and the user's hand give them, a real click into the tree, a command, a
// selection and a device failure reported by a worker. Each is carried out once, after the
// refresh, and none is refused: no error box, the selection and the command take effect, the
// failure is shown once the wait has ended and names the error that happened.
#include "document_bus_fixture.h"

#include "windowwait.h"
#include "appmessages.h"
#include "pcvasktreeview.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace frametest {
namespace {

// Every answer of the simulated devices comes this late (the acknowledgement at once).
const char kLateAnswers[] = "FAULT 0 slow always 300";

class WindowDuringBusWait : public DocumentBus {
protected:
    void SetUp() override {
        DocumentBus::SetUp();
        if (HasFatalFailure()) return;
        // The tests tick the timer themselves.
        KillTimer(hFrame_, frame_->GetTimerId());
        ASSERT_TRUE(doc_->InitTheInstruments());
        ASSERT_EQ(Analyzers().size(), 2u);
        sindor_ = Analyzers()[0];
        parvel_ = Analyzers()[1];
        frame_->SetAccessLevel(2);
        ASSERT_EQ(doc_->GetCurrentInstrument(), sindor_);
        // The panes filled once, as before any refresh the user sees.
        Refresh();
        ASSERT_TRUE(Sim(kLateAnswers));
    }
    void TearDown() override {
        Sim("CLEARFAULTS");
        DocumentBus::TearDown();
    }

    // One refresh as the frame's timer gives it (twelve ticks).
    void Refresh() {
        ResetMainFrameCounters();
        for (int tick = 0; tick < 12; ++tick)
            SendMessageA(hFrame_, WM_TIMER, frame_->GetTimerId(), 0);
    }

    // A refresh on this thread; `action` runs on a thread of its own as soon as the first
    // request of the refresh has reached the simulator, so while this thread waits for its
    // answer. The messages that the action's sends leave are carried out afterwards.
    void RefreshWhile(const std::function<void()>& action) {
        Meanwhile([this] { Refresh(); }, action);
    }
    // `work` on this thread, `action` on another one once the work's first request has
    // reached the simulator; then the messages left are carried out.
    void Meanwhile(const std::function<void()>& work, const std::function<void()>& action) {
        vasksim::SimClient watcher;
        std::string error;
        ASSERT_TRUE(watcher.Connect(&error)) << error;
        std::string count;
        ASSERT_TRUE(watcher.Command("LOGCOUNT", nullptr, &count));
        std::atomic<bool> done{false}, inside{false};
        std::thread other([&] {
            inside = watcher.WaitLog(std::stoull(count) + 1, 30000);
            if (inside) action();
            done = true;
        });
        work();
        // The other thread may still wait for an answer to what it sent.
        wkit::Driver::PumpUntil([&] { return done.load(); }, 30000);
        other.join();
        ASSERT_TRUE(inside) << "the refresh asked the bus nothing";
    }

    std::string Title() {
        char text[256] = "";
        GetWindowTextA(hFrame_, text, sizeof text);
        return text;
    }
    // The telegrams the simulator received to device `address`, as "F1".
    std::vector<std::string> TelegramsTo(int address) {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        return vasksim::TelegramsTo(entries, address);
    }
    static std::string Joined(const std::vector<std::string>& items) {
        std::string text;
        for (const std::string& item : items) text += item + "\n";
        return text;
    }

    CTreeCtrl& Tree() { return frame_->GetTreeView()->GetTreeCtrl(); }
    // The middle of the Parvel's tree item on the screen, where nothing covers it.
    void ParvelOnScreen(POINT& point) {
        RECT item = {};
        ASSERT_TRUE(Tree().GetItemRect(parvel_->GetTreeItem(), &item, TRUE));
        point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(Tree().m_hWnd, &point);
        ASSERT_EQ(WindowFromPoint(point), Tree().m_hWnd) << "the item is covered";
    }

    CVaskInstrument* sindor_ = nullptr;
    CVaskInstrument* parvel_ = nullptr;
};

TEST_F(WindowDuringBusWait, ARealClickIntoTheTreeSelectsTheAnalyzerOnceTheRefreshHasEnded) {
    POINT point = {};
    ASSERT_NO_FATAL_FAILURE(ParvelOnScreen(point));

    RefreshWhile([&] { wkit::ClickAtScreen(point); });
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return doc_->GetCurrentInstrument() == parvel_; },
                                        20000))
        << "the click was lost";
    EXPECT_EQ(Tree().GetSelectedItem(), parvel_->GetTreeItem());
    EXPECT_NE(Title().find((LPCSTR)parvel_->GetName()), std::string::npos) << Title();
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);
}

// A refresh that finds the user's click waiting reads one item of each pane and asks nothing
// more: a node's state, one analyzer's messages, one row of the value bars. The click waits
// for those, not for the rest of the round (with slow or silent analyzers many requests, each
// up to a second); the next refresh goes on where this one stopped.
TEST_F(WindowDuringBusWait, AClickEndsTheRefreshOnceEachPaneHasReadOneItem) {
    POINT point = {};
    ASSERT_NO_FATAL_FAILURE(ParvelOnScreen(point));
    // The telegrams to a device, one per request: one repeated at once (its answer late on a
    // busy machine) is the same request.
    auto requestsTo = [&](int address) {
        std::vector<std::string> requests;
        for (const std::string& telegram : TelegramsTo(address))
            if (requests.empty() || requests.back() != telegram) requests.push_back(telegram);
        return requests;
    };
    auto count = [](const std::vector<std::string>& requests, const char* kind) {
        return std::count(requests.begin(), requests.end(), std::string(kind));
    };

    // What a whole refresh asks, for comparison: both analyzers' messages ("k23"), the
    // switch status of the Sindor's two rows ("k4").
    ASSERT_TRUE(Sim("CLEARLOG"));
    Refresh();
    const std::vector<std::string> whole = requestsTo(1);
    ASSERT_EQ(count(whole, "k23"), 1) << Joined(whole);
    ASSERT_EQ(count(whole, "k4"), 2) << Joined(whole);
    ASSERT_EQ(count(requestsTo(2), "k23"), 1) << Joined(requestsTo(2));

    // The click comes with the refresh's first request, the Sindor's: each pane reads the
    // Sindor's item and gives way.
    ASSERT_TRUE(Sim("CLEARLOG"));
    RefreshWhile([&] { wkit::ClickAtScreen(point); });
    const std::vector<std::string> cut = requestsTo(1);
    EXPECT_EQ(requestsTo(2), std::vector<std::string>()) << "the refresh went on to the Parvel";
    EXPECT_EQ(count(cut, "k23"), 1) << "one analyzer's messages: " << Joined(cut);
    EXPECT_EQ(count(cut, "k4"), 1) << "one row of the bars: " << Joined(cut);
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return doc_->GetCurrentInstrument() == parvel_; },
                                        20000))
        << "the click was lost";
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);

    // The next refreshes ask every analyzer again, beginning where the cut one stopped.
    ASSERT_TRUE(Sim("CLEARLOG"));
    Refresh();
    EXPECT_FALSE(TelegramsTo(1).empty());
    EXPECT_FALSE(TelegramsTo(2).empty());
}

// A selection reads the newly selected analyzer and nothing of the others: the tree's
// states and the state lists come with the next refresh. With late answers each read of
// every analyzer would hold the click up.
TEST_F(WindowDuringBusWait, ASelectionAsksNothingOfTheOtherAnalyzers) {
    ASSERT_TRUE(Sim("CLEARLOG"));
    Tree().SelectItem(parvel_->GetTreeItem());
    ASSERT_EQ(doc_->GetCurrentInstrument(), parvel_);
    EXPECT_EQ(TelegramsTo(1), std::vector<std::string>()) << "the other analyzer was asked";
    // The next refresh asks both.
    Refresh();
    EXPECT_FALSE(TelegramsTo(1).empty());
    EXPECT_FALSE(TelegramsTo(2).empty());
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);
}

TEST_F(WindowDuringBusWait, ASelectionSentFromAnotherThreadIsMadeOnceTheRefreshHasEnded) {
    const HWND hTree = Tree().m_hWnd;
    const HTREEITEM hParvel = parvel_->GetTreeItem();
    RefreshWhile([&] { SendMessageA(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)hParvel); });
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return doc_->GetCurrentInstrument() == parvel_; },
                                        20000));
    EXPECT_EQ(Tree().GetSelectedItem(), hParvel);
    EXPECT_NE(Title().find((LPCSTR)parvel_->GetName()), std::string::npos) << Title();
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);
}

TEST_F(WindowDuringBusWait, ACommandSentFromAnotherThreadIsCarriedOutOnceAfterTheRefresh) {
    ASSERT_TRUE(Sim("CLEARLOG"));
    LRESULT answer = -1;
    RefreshWhile([&] { answer = SendMessageA(hFrame_, WM_COMMAND, ID_EDIT_INSTRUMENT_DATA, 0); });
    EXPECT_EQ(answer, 0);
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return frame_->IsInstrumentMode() != FALSE; }, 20000))
        << "the command was lost";
    const std::vector<std::string> toSindor = TelegramsTo(1);
    EXPECT_EQ(std::count(toSindor.begin(), toSindor.end(), "F1"), 1) << Joined(toSindor);
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);
    frame_->LeaveInstrumentMode();
}

// A window below the frame that keeps each "WM_VASK_ERROR" it is sent: its text, its error
// and whether the window thread was then inside its wait for the bus.
class ErrorWindow {
public:
    struct Seen {
        std::string text;
        int code;
        std::string errorText;
        bool insideWait;
    };
    explicit ErrorWindow(HWND hParent) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ErrorWindow::Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "KorvanGABusWaitErrorWindow";
        RegisterClassA(&wc);
        s_current = this;
        hWnd_ = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 1, 1, hParent, NULL,
                                wc.hInstance, NULL);
    }
    ~ErrorWindow() {
        DestroyWindow(hWnd_);
        s_current = nullptr;
    }
    std::vector<Seen> seen;
    // Called as each one is seen.
    std::function<void()> onSeen;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_VASK_ERROR && s_current != nullptr && wParam != 0 && lParam != 0) {
            const ErrorStruct_* error = (const ErrorStruct_*)lParam;
            s_current->seen.push_back({(LPCSTR)wParam, error->code, (LPCSTR)error->text,
                                       IsInWindowWait() != 0});
            if (s_current->onSeen) s_current->onSeen();
            return 1;
        }
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND hWnd_;
    static inline ErrorWindow* s_current = nullptr;
};

TEST_F(WindowDuringBusWait, AWorkersFailureReachesTheWindowsOnceTheWaitHasEndedWithItsOwnError) {
    ErrorWindow window(hFrame_);
    ErrorStruct_ error;
    error.code = 9;
    error.info = ((unsigned long)'W' << 8) + 12;
    error.text = "The device does not send a response (E9)";
    // A request of this thread waits for its late answer when the worker's failure comes;
    // the worker goes on at once.
    std::atomic<bool> reported{false};
    Meanwhile([&] { CTime time; sindor_->GetDate(time); },
              [&] {
                  frame_->ReportDeviceError("Writing the switching points failed", error);
                  reported = true;
              });
    EXPECT_TRUE(reported);
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return !window.seen.empty(); }, 20000))
        << "the failure did not reach the windows";
    ASSERT_EQ(window.seen.size(), 1u);
    EXPECT_EQ(window.seen[0].text, "Writing the switching points failed");
    EXPECT_EQ(window.seen[0].code, 9);
    EXPECT_EQ(window.seen[0].errorText, "The device does not send a response (E9)");
    EXPECT_FALSE(window.seen[0].insideWait) << "the failure was handled inside the wait";
    EXPECT_TRUE(boxes_.texts.empty()) << Joined(boxes_.texts);
}

// A failure of the window thread's own read comes while the user's click waits in the
// queue: its box would take the click (the window beneath a box drops it). The click is
// carried out first, then the failure is shown, once.
TEST_F(WindowDuringBusWait, AFailureThatComesWhileAClickWaitsIsShownAfterTheClick) {
    POINT point = {};
    ASSERT_NO_FATAL_FAILURE(ParvelOnScreen(point));
    ErrorWindow window(hFrame_);
    CInstrument* selectedWhenShown = nullptr;
    ErrorStruct_ error;
    error.code = 9;
    error.info = ((unsigned long)'k' << 8) + 23;
    error.text = "The device does not send a response (E9)";

    window.onSeen = [&] { selectedWhenShown = doc_->GetCurrentInstrument(); };

    ASSERT_TRUE(wkit::ClickAtScreen(point));
    ASSERT_TRUE(HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) != 0) << "the click is not queued";
    frame_->ReportDeviceError("Error.", error);
    EXPECT_TRUE(window.seen.empty()) << "the failure was shown while the click waited";
    EXPECT_TRUE(wkit::Driver::PumpUntil([&] { return !window.seen.empty(); }, 20000))
        << "the failure was not shown";
    EXPECT_EQ(selectedWhenShown, parvel_) << "the failure came before the click";
    EXPECT_EQ(doc_->GetCurrentInstrument(), parvel_) << "the click was lost";
    ASSERT_EQ(window.seen.size(), 1u);
    EXPECT_EQ(window.seen[0].code, 9);
    EXPECT_EQ(window.seen[0].errorText, "The device does not send a response (E9)");
}

}  // namespace
}  // namespace frametest
