// The update thread on analyzers of in-memory entries, in the program's main frame with the
// instrument view: the rows of a first read and of a refresh pass, the groups' expansion that
// the user leaves for rows made anew, the compare set's column, colours and leftovers, the
// percentages of the progress messages, a stop during a read with the view's flags after it,
// the status pane's progress bar, and the bounded wait.
#include "mainframe_fixture.h"

#include "appmessages.h"
#include "instrumentview.h"
#include "vaskinstrument.h"

#include <atomic>
#include <iterator>
#include <memory>

namespace frametest {
namespace {

const int kParvel6 = 2;
const int kPpm = 2;  // unit text "ppm"

// An entry whose value is held here. A read may be held at a gate: it signals `entered`
// and goes on once the gate opens.
class MemoryEntry : public CVaskParameter {
public:
    MemoryEntry(const char* name, int number, bool shown, const char* text) {
        Set(name, 0, 0, shown ? 1 : 0, nullptr, nullptr, nullptr, "", "");
        SetNumber(number);
        value.text = text;
        value.unit = kPpm;
    }
    ~MemoryEntry() override {
        if (gate != NULL) ::CloseHandle(gate);
        if (entered != NULL) ::CloseHandle(entered);
    }
    int GetValue(VaskFloat& out) override {
        ++reads;
        if (gate != NULL) {
            ::SetEvent(entered);
            ::WaitForSingleObject(gate, 30000);
        }
        out = value;
        return 1;
    }
    // The next reads wait at the gate until Open.
    void Hold() {
        gate = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        entered = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    }
    void Open() {
        if (gate != NULL) ::SetEvent(gate);
    }
    bool Entered() const { return entered != NULL && ::WaitForSingleObject(entered, 0) == 0; }

    VaskFloat value;
    std::atomic<int> reads{0};
    HANDLE gate = NULL;
    HANDLE entered = NULL;
};

// An analyzer whose groups and entries the test lays out; its groups carry the texts of the
// model's groups (name and title string ids).
class TableAnalyzer : public CVaskInstrument {
public:
    TableAnalyzer() : CVaskInstrument("Table", kParvel6, NULL, 1, 4, 4, 4, 0) {}
    ~TableAnalyzer() override { m_groupList.RemoveAll(); }

    CParameterGroup* Group(UINT nameId, UINT titleId) {
        groups_.emplace_back(new CParameterGroup);
        CParameterGroup* group = groups_.back().get();
        group->SetTextIds(nameId, titleId);
        group->SetInstrument(this);
        m_groupList.AddTail(group);
        return group;
    }
    MemoryEntry* Entry(CParameterGroup* group, const char* name, int number, bool shown = true,
                       const char* text = "1.5") {
        entries_.emplace_back(new MemoryEntry(name, number, shown, text));
        group->AddParameter(entries_.back().get());
        return entries_.back().get();
    }
    // Every row link of the model cleared, as the view does before a read anew.
    void ResetLinks() {
        for (auto& group : groups_) group->SetTreeItem(NULL);
        for (auto& entry : entries_) entry->SetTreeItem(NULL);
    }
    void OpenGates() {
        for (auto& entry : entries_) entry->Open();
    }

private:
    std::vector<std::unique_ptr<CParameterGroup>> groups_;
    std::vector<std::unique_ptr<MemoryEntry>> entries_;
};

// The model's group texts: (name id, title id).
struct GroupTexts {
    UINT name;
    UINT title;
};
const GroupTexts kIdentity = {16000, 15007};
const GroupTexts kSelectedRange = {16001, 15008};
const GroupTexts kRanges = {16002, 15009};
const GroupTexts kLimit1 = {16006, 15013};  // title "Limit values 1"

// The communication messages that reach a child window of the frame, as one text:
// "S" start, "C<percent>", "E" end.
std::string g_messages;
LRESULT CALLBACK RecorderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_START_COMMUNICATION) g_messages += " S";
    if (message == WM_COMMUNICATING) g_messages += " C" + std::to_string((int)wParam);
    if (message == WM_END_COMMUNICATION) g_messages += " E";
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

class UpdateThread : public ::testing::Test, public FrameHarness {
protected:
    void SetUp() override {
        OpenFrame();
        if (HasFatalFailure()) return;
        // Nothing but the test starts a read.
        ::KillTimer(hFrame_, frame_->GetTimerId());
        ASSERT_TRUE(app_->CreateInstrumentView());
        view_ = app_->GetInstrumentView();
        // The analyzer reads its component names from the application's profile.
        analyzer_.reset(new TableAnalyzer);
        ClearRows();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecorderProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = "UpdateThreadRecorder";
        RegisterClassA(&wc);
        ASSERT_NE(CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 0, 0, hFrame_, NULL,
                                  wc.hInstance, NULL),
                  (HWND)NULL);
        g_messages.clear();
    }
    void TearDown() override {
        if (view_ != nullptr && analyzer_) {
            analyzer_->OpenGates();
            view_->WaitForUpdateThread();
            EXPECT_FALSE(view_->IsUpdateThreadRunning());
        }
        analyzer_.reset();
        app_->SetCompareMode(0);
        CloseFrame();
    }

    CTLTreeCtrl& Tree() { return view_->GetTreeCtrl(); }
    // The rows gone and the links of the test's analyzer cleared; the three columns of
    // compare mode.
    void ClearRows() {
        while (Tree().DeleteColumn(0)) {}
        Tree().DeleteAll();
        Tree().InsertColumnsFromString(IDS_IV_COLUMNS_COMPARE);
        if (analyzer_) analyzer_->ResetLinks();
        view_->m_nComparePass = 0;
    }
    bool Finished() {
        return wkit::Driver::PumpUntil([&] { return !view_->IsUpdateThreadRunning(); }, 20000);
    }
    // One read of the analyzer, as the view starts it, to its end.
    void Read(CVaskInstrument* analyzer, int refresh) {
        g_messages.clear();
        view_->StartUpdateThread(analyzer, refresh);
        ASSERT_TRUE(Finished());
    }
    // Every row: a group as "[name]", an entry as "name|column 1|column 2".
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (HTREEITEM group = Tree().GetRootItem(); group != NULL;
             group = Tree().GetNextSiblingItem(group)) {
            lines.push_back("[" + std::string(Tree().GetItemText(group, 0)) + "]");
            for (HTREEITEM item = Tree().GetChildItem(group); item != NULL;
                 item = Tree().GetNextSiblingItem(item))
                lines.push_back(std::string(Tree().GetItemText(item, 0)) + "|" +
                                (LPCSTR)Tree().GetItemText(item, 1) + "|" +
                                (LPCSTR)Tree().GetItemText(item, 2));
        }
        return lines;
    }
    // The row of a name (groups by their name too).
    HTREEITEM Item(const std::string& name) {
        for (HTREEITEM group = Tree().GetRootItem(); group != NULL;
             group = Tree().GetNextSiblingItem(group)) {
            if (name == (LPCSTR)Tree().GetItemText(group, 0)) return group;
            for (HTREEITEM item = Tree().GetChildItem(group); item != NULL;
                 item = Tree().GetNextSiblingItem(item))
                if (name == (LPCSTR)Tree().GetItemText(item, 0)) return item;
        }
        return NULL;
    }
    COLORREF Colour(HTREEITEM item) {
        TVITEMA tvi = {};
        tvi.mask = TVIF_PARAM;
        tvi.hItem = item;
        if (!Tree().SendMessage(TVM_GETITEMA, 0, (LPARAM)&tvi) || tvi.lParam == 0)
            return CLR_INVALID;
        return ((const CTLItemData*)tvi.lParam)->m_crText;
    }
    static std::string Name(const GroupTexts& texts) {
        CString name;
        name.LoadString(texts.name);
        return (LPCSTR)name;
    }
    HWND Progress() {
        return FindWindowExA(frame_->GetStatusBar().m_hWnd, NULL, "msctls_progress32", NULL);
    }

    std::unique_ptr<TableAnalyzer> analyzer_;
    CInstrumentView* view_ = nullptr;
};

TEST_F(UpdateThread, NoAnalyzerOrNoGroupSendsStartAndEndAndAddsNoRow) {
    struct Case {
        const char* what;
        CVaskInstrument* analyzer;
        int refresh;
        int pendingAfter;  // the view's cyclic-refresh flag after the read
    };
    const Case cases[] = {
        {"no analyzer, first read", nullptr, 0, 0},
        {"no analyzer, refresh", nullptr, 1, 1},
        {"no groups, first read", analyzer_.get(), 0, 1},
    };
    for (const Case& c : cases) {
        view_->m_bRefreshPending = 1;
        ASSERT_NO_FATAL_FAILURE(Read(c.analyzer, c.refresh));
        EXPECT_EQ(g_messages, " S E") << c.what;
        EXPECT_EQ(Tree().GetCount(), 0u) << c.what;
        EXPECT_EQ(view_->m_bRefreshPending, c.pendingAfter) << c.what;
        EXPECT_EQ(view_->m_bBusy, 0) << c.what;
    }
}

TEST_F(UpdateThread, AFirstReadShowsTheShownEntriesAndARefreshKeepsRowsAndExpansion) {
    CParameterGroup* identity = analyzer_->Group(kIdentity.name, kIdentity.title);
    MemoryEntry* serial = analyzer_->Entry(identity, "Serial", 1, true, "4711");
    analyzer_->Entry(identity, "Hidden", 2, false);
    analyzer_->Entry(identity, "Range", 3, true, "25.0");
    // No entry shown: no row.
    analyzer_->Entry(analyzer_->Group(kSelectedRange.name, kSelectedRange.title), "Unseen", 4,
                     false);
    CParameterGroup* ranges = analyzer_->Group(kRanges.name, kRanges.title);
    analyzer_->Entry(ranges, "Span", 5, true, "80");
    identity->WriteProfileFlags(1);
    ranges->WriteProfileFlags(0);

    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
    const std::vector<std::string> rows = {"[" + Name(kIdentity) + "]", "Serial|4711 ppm|",
                                           "Range|25.0 ppm|", "[" + Name(kRanges) + "]",
                                           "Span|80 ppm|"};
    EXPECT_EQ(Lines(), rows);
    // Reckoned against all five entries: the skipped group's entry is never walked.
    EXPECT_EQ(g_messages, " S C20 C40 C60 C80 E");
    const HTREEITEM serialItem = Item("Serial");
    const HTREEITEM identityItem = Item(Name(kIdentity));
    const HTREEITEM rangesItem = Item(Name(kRanges));
    EXPECT_EQ(Tree().GetItemUserValue(serialItem), (DWORD_PTR)serial);
    EXPECT_EQ(Tree().GetItemUserValue(identityItem), (DWORD_PTR)identity);
    EXPECT_EQ(serial->GetTreeItem(), serialItem);
    EXPECT_EQ(identity->GetTreeItem(), identityItem);
    EXPECT_EQ(Colour(serialItem), ::GetSysColor(COLOR_WINDOWTEXT));
    // A first read expands the groups stored as expanded.
    EXPECT_TRUE(Tree().IsItemExpanded(identityItem));
    EXPECT_FALSE(Tree().IsItemExpanded(rangesItem));

    // The user turns both around; a refresh pass rewrites the values in the same rows and
    // leaves the expansion alone.
    Tree().SendMessage(TVM_EXPAND, TVE_COLLAPSE, (LPARAM)identityItem);
    Tree().SendMessage(TVM_EXPAND, TVE_EXPAND, (LPARAM)rangesItem);
    serial->value.text = "4712";
    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 1));
    EXPECT_EQ(Lines()[1], "Serial|4712 ppm|");
    EXPECT_EQ(Lines().size(), rows.size());
    EXPECT_EQ(Item("Serial"), serialItem);
    EXPECT_FALSE(Tree().IsItemExpanded(identityItem));
    EXPECT_TRUE(Tree().IsItemExpanded(rangesItem));
}

// The user's expanding and collapsing reaches the groups' stored flags through the tree's
// notice to the view: rows made anew show each group as the user left it.
TEST_F(UpdateThread, RowsMadeAnewShowTheGroupsAsTheUserLeftThem) {
    CParameterGroup* identity = analyzer_->Group(kIdentity.name, kIdentity.title);
    analyzer_->Entry(identity, "Serial", 1);
    CParameterGroup* ranges = analyzer_->Group(kRanges.name, kRanges.title);
    analyzer_->Entry(ranges, "Span", 5);
    identity->WriteProfileFlags(1);
    ranges->WriteProfileFlags(0);
    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
    ASSERT_TRUE(Tree().IsItemExpanded(Item(Name(kIdentity))));
    ASSERT_FALSE(Tree().IsItemExpanded(Item(Name(kRanges))));

    // Turned around twice: each time the tree tells the view, and rows made anew follow.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        const bool identityOpen = round == 1;
        Tree().SendMessage(TVM_EXPAND, identityOpen ? TVE_EXPAND : TVE_COLLAPSE,
                           (LPARAM)Item(Name(kIdentity)));
        Tree().SendMessage(TVM_EXPAND, identityOpen ? TVE_COLLAPSE : TVE_EXPAND,
                           (LPARAM)Item(Name(kRanges)));
        view_->SendMessage(WM_TREECHANGED, 0, 0);
        EXPECT_EQ(identity->IsExpanded(), identityOpen ? 1 : 0) << "stored for the identity";
        EXPECT_EQ(ranges->IsExpanded(), identityOpen ? 0 : 1) << "stored for the ranges";
        ClearRows();
        ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
        EXPECT_EQ(Tree().IsItemExpanded(Item(Name(kIdentity))) != 0, identityOpen)
            << "the identity group after the rows were made anew";
        EXPECT_EQ(Tree().IsItemExpanded(Item(Name(kRanges))) != 0, !identityOpen)
            << "the ranges group after the rows were made anew";
    }
}

TEST_F(UpdateThread, TheCompareSetFillsTheThirdColumnAndColoursTheRows) {
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), purple = RGB(150, 0, 255);
    struct Case {
        int result;
        const char* text;
        bool loaded;
        COLORREF colour;
        const char* column2;
    };
    const Case cases[] = {
        {0, "", true, ::GetSysColor(COLOR_WINDOWTEXT), "7.0 ppm"},
        {-1, "Device error", true, red, "7.0 ppm -> Device error"},
        {1, "Successful", true, green, "7.0 ppm -> Successful"},
        // Not in the loaded file: purple whatever the result.
        {1, "Successful", false, purple, "7.0 ppm -> Successful"},
        {-1, "", false, purple, "7.0 ppm"},
        {0, "", false, purple, "7.0 ppm"},
    };
    CParameterGroup* group = analyzer_->Group(kIdentity.name, kIdentity.title);
    TableAnalyzer* compare = new TableAnalyzer;
    CParameterGroup* compareGroup = compare->Group(kIdentity.name, kIdentity.title);
    for (int i = 0; i < (int)std::size(cases); ++i) {
        const std::string name = "Entry " + std::to_string(i);
        analyzer_->Entry(group, name.c_str(), i + 1);
        MemoryEntry* entry = compare->Entry(compareGroup, name.c_str(), i + 1, true, "7.0");
        entry->SetTransferResult(cases[i].result, cases[i].text);
        entry->SetLoaded(cases[i].loaded);
    }
    analyzer_->SetCompareInstrument(compare);

    // The compare set shows with compare mode on and also while the flag is clear; only
    // compare mode counts the passes.
    for (int mode : {1, 0}) {
        app_->SetCompareMode(mode);
        ClearRows();
        ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
        EXPECT_EQ(view_->m_nComparePass, mode);
        for (int i = 0; i < (int)std::size(cases); ++i) {
            const HTREEITEM item = Item("Entry " + std::to_string(i));
            ASSERT_NE(item, (HTREEITEM)NULL) << i;
            EXPECT_EQ(Colour(item), cases[i].colour) << "mode " << mode << ", case " << i;
            EXPECT_EQ(std::string(Tree().GetItemText(item, 1)), "1.5 ppm") << i;
            EXPECT_EQ(std::string(Tree().GetItemText(item, 2)), cases[i].column2) << i;
        }
    }
}

TEST_F(UpdateThread, TheFirstComparePassAppendsTheCompareSetsLeftoversOnce) {
    TableAnalyzer* compare = new TableAnalyzer;
    // Each group with its compare group: the analyzer's entries (number, shown) and the
    // compare set's.
    struct Layout {
        GroupTexts texts;
        std::vector<std::pair<int, bool>> own;
        std::vector<std::pair<int, bool>> compared;
    };
    const Layout layout[] = {
        // The last own entry is shown: the compare set's shown leftover 3 is appended, its
        // hidden 4 is not.
        {kIdentity, {{1, true}, {2, true}}, {{1, true}, {2, true}, {3, true}, {4, false}}},
        // The last own entry is hidden: nothing is appended...
        {kSelectedRange, {{10, true}, {11, false}}, {{10, true}, {11, false}, {12, true}}},
        // ... except in a group of limit values.
        {kLimit1, {{20, true}, {21, false}}, {{20, true}, {21, false}, {22, true}}},
        // No entry of its own: the compare group's entries are walked in its place, with
        // column 1 empty.
        {kRanges, {}, {{30, true}, {31, true}}},
    };
    for (const Layout& l : layout) {
        CParameterGroup* group = analyzer_->Group(l.texts.name, l.texts.title);
        CParameterGroup* compareGroup = compare->Group(l.texts.name, l.texts.title);
        for (auto [number, shown] : l.own)
            analyzer_->Entry(group, ("E" + std::to_string(number)).c_str(), number, shown, "1");
        for (auto [number, shown] : l.compared) {
            MemoryEntry* entry = compare->Entry(
                compareGroup, ("E" + std::to_string(number)).c_str(), number, shown, "2");
            entry->SetLoaded(1);
        }
    }
    analyzer_->SetCompareInstrument(compare);
    app_->SetCompareMode(1);

    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
    const std::vector<std::string> rows = {
        "[" + Name(kIdentity) + "]",
        "E1|1 ppm|2 ppm",
        "E2|1 ppm|2 ppm",
        "E3||2 ppm",
        "[" + Name(kSelectedRange) + "]",
        "E10|1 ppm|2 ppm",
        "[" + Name(kLimit1) + "]",
        "E20|1 ppm|2 ppm",
        "E22||2 ppm",
        "[" + Name(kRanges) + "]",
        "E30||2 ppm",
        "E31||2 ppm",
    };
    EXPECT_EQ(Lines(), rows);
    // An appended row is not linked to the compare set's entry.
    EXPECT_EQ(Tree().GetItemUserValue(Item("E3")), 0u);
    // Six entries of the analyzer's own, eight walked: the count goes past 100.
    EXPECT_EQ(g_messages, " S C16 C33 C50 C66 C83 C100 C116 C133 E");
    EXPECT_EQ(view_->m_nComparePass, 1);

    // The second pass refreshes the rows and appends nothing again.
    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 1));
    EXPECT_EQ(view_->m_nComparePass, 2);
    EXPECT_EQ(Lines(), rows);
}

TEST_F(UpdateThread, AnAnalyzerWithoutEntriesOfItsOwnReportsZeroPercent) {
    TableAnalyzer* compare = new TableAnalyzer;
    analyzer_->Group(kIdentity.name, kIdentity.title);
    CParameterGroup* compareGroup = compare->Group(kIdentity.name, kIdentity.title);
    compare->Entry(compareGroup, "E1", 1, true, "2");
    compare->Entry(compareGroup, "E2", 2, true, "3");
    analyzer_->SetCompareInstrument(compare);
    app_->SetCompareMode(1);
    ASSERT_EQ(analyzer_->CountParameters(), 0);

    ASSERT_NO_FATAL_FAILURE(Read(analyzer_.get(), 0));
    // A percentage that does not change is told once.
    EXPECT_EQ(g_messages, " S C0 E");
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[" + Name(kIdentity) + "]", "E1||2 ppm", "E2||3 ppm"}));
}

TEST_F(UpdateThread, AStopDuringAReadEndsBeforeTheNextEntryAndClearsTheFlags) {
    CParameterGroup* first = analyzer_->Group(kIdentity.name, kIdentity.title);
    MemoryEntry* held = analyzer_->Entry(first, "Held", 1, true, "5");
    MemoryEntry* next = analyzer_->Entry(first, "Next", 2);
    MemoryEntry* later =
        analyzer_->Entry(analyzer_->Group(kRanges.name, kRanges.title), "Later", 3);
    const std::string paneText = PaneText(0);

    // A first read that is stopped makes the view's next update a first read again; a
    // refresh pass that is stopped leaves that alone.
    for (int refresh : {0, 1}) {
        ClearRows();
        view_->m_bRefreshPending = 1;
        held->Hold();
        g_messages.clear();
        view_->StartUpdateThread(analyzer_.get(), refresh);
        ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return held->Entered(); }, 20000));
        // During the read pane 0 of the frame's status bar holds the progress bar.
        const HWND progress = Progress();
        ASSERT_NE(progress, (HWND)NULL);
        EXPECT_EQ(SendMessageA(progress, PBM_GETPOS, 0, 0), 33);
        EXPECT_EQ(view_->m_bBusy, 1);

        EXPECT_TRUE(view_->RequestStop());
        held->Open();
        ASSERT_TRUE(Finished());
        EXPECT_EQ(next->reads, 0) << refresh;
        EXPECT_EQ(later->reads, 0) << refresh;
        // The rows made so far stay; the end is still sent.
        EXPECT_EQ(Lines(), (std::vector<std::string>{"[" + Name(kIdentity) + "]", "Held|5 ppm|"}));
        EXPECT_EQ(g_messages, " S C33 C66 E");
        EXPECT_EQ(view_->m_bRefreshPending, refresh) << refresh;
        EXPECT_EQ(view_->m_bBusy, 0);
        EXPECT_EQ(view_->m_bStopRequested, 0);
        // Afterwards the pane shows its text again.
        EXPECT_EQ(Progress(), (HWND)NULL);
        EXPECT_EQ(PaneText(0), paneText);
        ::CloseHandle(held->gate);
        ::CloseHandle(held->entered);
        held->gate = held->entered = NULL;
    }
}

TEST_F(UpdateThread, TheWaitForTheThreadIsBoundedAndTellsWhetherItEnded) {
    CParameterGroup* group = analyzer_->Group(kIdentity.name, kIdentity.title);
    MemoryEntry* held = analyzer_->Entry(group, "Held", 1);
    MemoryEntry* next = analyzer_->Entry(group, "Next", 2);
    held->Hold();
    view_->StartUpdateThread(analyzer_.get(), 0);
    ASSERT_TRUE(wkit::Driver::PumpUntil([&] { return held->Entered(); }, 20000));

    // A read that does not end in time: the wait gives up and says so.
    EXPECT_TRUE(view_->WaitForUpdateThread(100));
    EXPECT_TRUE(view_->IsUpdateThreadRunning());
    EXPECT_EQ(view_->m_bBusy, 1);

    // Once the read ends the stop asked for takes effect, and the next wait sees the end.
    held->Open();
    view_->WaitForUpdateThread();
    EXPECT_FALSE(view_->IsUpdateThreadRunning());
    EXPECT_EQ(view_->m_bBusy, 0);
    EXPECT_EQ(next->reads, 0);
}

}  // namespace
}  // namespace frametest
