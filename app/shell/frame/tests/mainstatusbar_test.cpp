// The coloured status bar in a frame with the main frame's eleven panes, painted through its
// own paint routine into a 24-bit memory bitmap: fills, frames and text colours by state and
// kind, the progress pane and its saved look, scrolling panes and their timer, hit tests,
// creation failure, and copies of pane records.
#include "mainstatusbar.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const UINT kIndicators[] = {ID_SEPARATOR,      ID_INDICATOR_ONLINE,     ID_INDICATOR_ACCESS,
                            ID_INDICATOR_TIME, ID_INDICATOR_INSTRUMENT, ID_INDICATOR_REMOTE,
                            ID_INDICATOR_ERR,  ID_INDICATOR_CTRL,       ID_INDICATOR_WART,
                            ID_INDICATOR_LIM,  ID_INDICATOR_PROT};
const int kPanes = sizeof kIndicators / sizeof kIndicators[0];

class CTestFrame : public CFrameWnd {
public:
    CMainStatusBar m_wndStatusBar;
};

// A 24-bit top-down memory bitmap of the bar's client size, filled by WM_PRINTCLIENT.
class Capture {
public:
    explicit Capture(HWND hWnd) {
        RECT client;
        GetClientRect(hWnd, &client);
        width_ = client.right;
        height_ = client.bottom;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, NULL, 0);
        old_ = SelectObject(dc_, bitmap_);
        SendMessageA(hWnd, WM_PRINTCLIENT, (WPARAM)dc_, PRF_CLIENT);
        GdiFlush();
    }
    ~Capture() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    COLORREF At(int x, int y) const {
        const BYTE* row = (const BYTE*)bits_ + (size_t)y * (((size_t)width_ * 3 + 3) & ~(size_t)3);
        const BYTE* p = row + (size_t)x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // The colours inside a rectangle.
    std::set<COLORREF> Colors(const RECT& r) const {
        std::set<COLORREF> colors;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) colors.insert(At(x, y));
        return colors;
    }

private:
    int width_ = 0, height_ = 0;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    void* bits_ = nullptr;
};

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    struct Search {
        const char* name;
        std::vector<HWND> found;
    } search{className, {}};
    EnumChildWindows(
        parent,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            Search* s = (Search*)lParam;
            char name[64] = "";
            GetClassNameA(hWnd, name, sizeof name);
            if (lstrcmpiA(name, s->name) == 0) s->found.push_back(hWnd);
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

RECT Shrunk(const RECT& r) { return {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}; }

class StatusBar : public ::testing::Test {
protected:
    void SetUp() override {
        frame_ = new CTestFrame;
        ASSERT_TRUE(
            frame_->Create(NULL, "Status bar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1270, 200)));
        hFrame_ = frame_->m_hWnd;
        ASSERT_TRUE(bar().Create(frame_, kIndicators, kPanes, DT_SINGLELINE | PANE_KIND_TEXT));
        // As the main frame does: the help-line pane half as wide.
        bar().SetPaneWidth(0, bar().GetPaneWidth(0) / 2);
        frame_->RecalcLayout();
        frame_->ShowWindow(SW_SHOW);
        frame_->UpdateWindow();
        Pump();
    }
    void TearDown() override {
        if (IsWindow(hFrame_)) DestroyWindow(hFrame_);
        Pump();
    }
    CMainStatusBar& bar() { return frame_->m_wndStatusBar; }
    RECT Pane(int i) {
        RECT r;
        bar().GetItemRect(i, &r);
        return r;
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // Dispatches messages until the condition holds or five seconds have passed.
    template <class Condition>
    static bool PumpUntil(Condition done) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > 5000) return false;
            MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        return true;
    }

    CTestFrame* frame_ = nullptr;
    HWND hFrame_ = NULL;
};

TEST_F(StatusBar, HasTheMainFramesPanesWithDefaultRecords) {
    EXPECT_EQ(kPanes, bar().GetCount());
    EXPECT_EQ(&bar(), GetMainStatusBar());
    EXPECT_EQ((UINT)AFX_IDW_STATUS_BAR, (UINT)GetDlgCtrlID(bar().m_hWnd));
    EXPECT_EQ((DWORD)(DT_SINGLELINE | PANE_KIND_TEXT), bar().GetPane(0)->GetStyle());
    EXPECT_EQ(nullptr, bar().GetPane(kPanes));
    EXPECT_EQ(nullptr, bar().GetPane(-1));
    const COLORREF menu = GetSysColor(COLOR_MENU);
    LOGFONT stock;
    GetObjectA(GetStockObject(ANSI_VAR_FONT), sizeof stock, &stock);
    for (int i = 0; i < kPanes; ++i) {
        const CStatusPane* pane = bar().GetPane(i);
        EXPECT_EQ((UINT)kIndicators[i], bar().GetPaneID(i));
        EXPECT_EQ(menu, pane->GetBackColor(TRUE)) << i;
        EXPECT_EQ(menu, pane->GetBackColor(FALSE)) << i;
        EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), pane->GetTextColor(TRUE)) << i;
        EXPECT_EQ(RGB(GetRValue(menu) / 2, GetGValue(menu) / 2, GetBValue(menu) / 2),
                  pane->GetTextColor(FALSE))
            << i;
        EXPECT_EQ(stock.lfHeight, pane->GetLogFont().lfHeight) << i;
        EXPECT_EQ(stock.lfWeight, pane->GetLogFont().lfWeight) << i;
        EXPECT_EQ(stock.lfPitchAndFamily, pane->GetLogFont().lfPitchAndFamily) << i;
        EXPECT_STREQ(stock.lfFaceName, pane->GetLogFont().lfFaceName) << i;
        if (i > 0) {
            EXPECT_EQ((DWORD)PANE_KIND_TEXT, pane->GetStyle()) << i;
        }
        EXPECT_EQ(nullptr, pane->GetProgressCtrl());
    }
    // Colours given as -1 are the defaults again.
    CStatusPane* pane = bar().GetPane(1);
    pane->SetTextColors(RGB(1, 2, 3), RGB(4, 5, 6));
    pane->SetBackColors(RGB(7, 8, 9), RGB(10, 11, 12));
    EXPECT_EQ(RGB(4, 5, 6), pane->GetTextColor(FALSE));
    EXPECT_EQ(RGB(10, 11, 12), pane->GetBackColor(FALSE));
    pane->SetTextColors(RGB(1, 2, 3));
    pane->SetBackColors(RGB(7, 8, 9));
    EXPECT_EQ(RGB(1, 2, 3), pane->GetTextColor(TRUE));
    EXPECT_EQ(RGB(GetRValue(menu) / 2, GetGValue(menu) / 2, GetBValue(menu) / 2),
              pane->GetTextColor(FALSE));
    EXPECT_EQ(menu, pane->GetBackColor(FALSE));
    pane->SetNumbers(42, -7);
    EXPECT_EQ("42", std::string(pane->GetText(TRUE)));
    EXPECT_EQ("-7", std::string(pane->GetText(FALSE)));
    pane->SetFont("Courier New", 120);
    EXPECT_EQ("Courier New", std::string(pane->GetLogFont().lfFaceName));
    const int width = bar().GetPaneWidth(1);
    EXPECT_EQ(width, bar().SetPaneWidth(1, 77)) << "the setter gives the old width";
    EXPECT_EQ(77, bar().GetPaneWidth(1));
}

TEST_F(StatusBar, EachPaneIsFilledWithTheBackColourOfItsState) {
    for (int i = 1; i < kPanes; ++i) {
        CStatusPane* pane = bar().GetPane(i);
        pane->SetTexts(" ", " ");  // a blank draws no pixel
        pane->SetBackColors(RGB(20 * i, 200, 30), RGB(200, 20 * i, 60));
        if (i % 2 == 0) bar().SetPaneStyle(i, bar().GetPaneStyle(i) | SBPS_DISABLED);
    }
    bar().GetPane(0)->SetTexts(" ", " ");
    const UINT oldStyle = bar().SetPaneStyle(3, SBPS_POPOUT);
    EXPECT_EQ((UINT)SBPS_NORMAL, oldStyle) << "the setter gives the old style";
    Capture capture(bar().m_hWnd);
    for (int i = 0; i < kPanes; ++i) {
        const BOOL enabled = !(bar().GetPaneStyle(i) & SBPS_DISABLED);
        const COLORREF fill = bar().GetPane(i)->GetBackColor(enabled);
        EXPECT_EQ(std::set<COLORREF>{fill}, capture.Colors(Shrunk(Pane(i)))) << "pane " << i;
    }
    EXPECT_EQ(GetSysColor(COLOR_MENU), capture.At(Pane(0).left + 5, Pane(0).top + 5))
        << "pane 0 keeps its default record";
    // Frames: pane 0 has none, pane 3 is raised, the others sunken.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), capture.At(Pane(0).left, Pane(0).top));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), capture.At(Pane(3).left, Pane(3).top));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), capture.At(Pane(3).right - 1, Pane(3).bottom - 1));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), capture.At(Pane(4).left, Pane(4).top));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), capture.At(Pane(4).right - 1, Pane(4).bottom - 1));
}

// The text of a pane is drawn in the text colour of the pane's state, never in the other
// one: the fill is the same for both states, so only the text's pixels tell them apart.
TEST_F(StatusBar, EachPaneTextIsDrawnInTheTextColourOfItsState) {
    const COLORREF kEnabledText = RGB(200, 0, 0), kDisabledText = RGB(0, 0, 200);
    for (int i = 1; i < kPanes; ++i) {
        CStatusPane* pane = bar().GetPane(i);
        pane->SetTexts("WWW", "WWW");
        pane->SetBackColors(RGB(255, 255, 255), RGB(255, 255, 255));
        pane->SetTextColors(kEnabledText, kDisabledText);
        if (i % 2 == 0) bar().SetPaneStyle(i, bar().GetPaneStyle(i) | SBPS_DISABLED);
    }
    Capture capture(bar().m_hWnd);
    for (int i = 1; i < kPanes; ++i) {
        const bool enabled = !(bar().GetPaneStyle(i) & SBPS_DISABLED);
        const std::set<COLORREF> colors = capture.Colors(Shrunk(Pane(i)));
        EXPECT_EQ(colors.count(kEnabledText), enabled ? 1u : 0u)
            << "pane " << i << (enabled ? " (enabled)" : " (disabled)")
            << ": the enabled text colour";
        EXPECT_EQ(colors.count(kDisabledText), enabled ? 0u : 1u)
            << "pane " << i << (enabled ? " (enabled)" : " (disabled)")
            << ": the disabled text colour";
    }
}

TEST_F(StatusBar, OnlyTextAndBitmapKindsDrawMoreThanTheFill) {
    struct Case {
        DWORD style;
        const char* text;
        bool draws;
    } cases[] = {
        {DT_SINGLELINE | DT_VCENTER | PANE_KIND_TEXT, "WWW", true},
        {DT_SINGLELINE | DT_CENTER | PANE_KIND_TEXT2, "WWW", true},
        {DT_SINGLELINE | DT_VCENTER, "WWW", false},  // kind bits 0
        {DT_SINGLELINE | 0x00300000, "WWW", false},  // no kind of its own
        {PANE_KIND_BITMAP, "WWW", false},            // names no bitmap
        {PANE_KIND_BITMAP | PANE_BITMAP_HCENTER | PANE_BITMAP_VCENTER, "#144", true},
        {PANE_KIND_BITMAP | PANE_BITMAP_STRETCH, "#148", true},
        {PANE_KIND_BITMAP | PANE_TILE | PANE_SCROLL_HORZ, "#148", true},
        {PANE_KIND_TEXT | PANE_TILE | PANE_SCROLL_HORZ | PANE_SCROLL_VERT, "WWW", true},
    };
    for (const Case& c : cases) {
        CStatusPane* pane = bar().GetPane(4);
        pane->SetTexts(c.text, c.text);
        pane->SetBackColors(RGB(0, 128, 255), RGB(0, 128, 255));
        pane->SetTextColors(RGB(255, 0, 0), RGB(255, 0, 0));
        pane->SetStyle(c.style);
        Capture capture(bar().m_hWnd);
        const std::set<COLORREF> colors = capture.Colors(Shrunk(Pane(4)));
        EXPECT_EQ(c.draws, colors.size() > 1) << std::hex << c.style;
        if (!(c.style & (PANE_BITMAP_STRETCH | PANE_TILE))) {
            EXPECT_TRUE(colors.count(RGB(0, 128, 255))) << std::hex << c.style;
        }
    }
    // A pane without a text of its own shows the class library's pane text.
    CStatusPane* pane = bar().GetPane(6);
    pane->SetTexts("", "");
    pane->SetBackColors(RGB(0, 128, 255), RGB(0, 128, 255));
    bar().SetPaneText(6, "ERR");
    EXPECT_GT(Capture(bar().m_hWnd).Colors(Shrunk(Pane(6))).size(), 1u);
    bar().SetPaneText(6, "");
    EXPECT_EQ(1u, Capture(bar().m_hWnd).Colors(Shrunk(Pane(6))).size());
}

// The main frame's communication progress: pane 0 becomes a progress bar and comes back.
TEST_F(StatusBar, Pane0BecomesAProgressBarAndItsLookComesBack) {
    CStatusPane* pane = bar().GetPane(0);
    pane->SetTexts("Ready", "Ready");
    bar().SavePane(0);
    pane->SetStyle(PANE_KIND_PROGRESS);
    CProgressCtrl* progress = pane->GetProgressCtrl();
    ASSERT_NE(nullptr, progress);
    progress->SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    const std::vector<HWND> controls = ChildrenOfClass(bar().m_hWnd, "msctls_progress32");
    ASSERT_EQ(1u, controls.size());
    EXPECT_EQ(progress->m_hWnd, controls[0]);
    EXPECT_EQ(1, GetDlgCtrlID(controls[0]));

    bar().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT placed;
    GetWindowRect(controls[0], &placed);
    MapWindowPoints(NULL, bar().m_hWnd, (LPPOINT)&placed, 2);
    const RECT expected = Shrunk(Pane(0));
    EXPECT_TRUE(EqualRect(&expected, &placed));
    for (int percent : {0, 40, 100}) {
        SendMessageA(controls[0], PBM_SETPOS, percent, 0);
        EXPECT_EQ(percent, (int)SendMessageA(controls[0], PBM_GETPOS, 0, 0));
    }

    // The progress kind again keeps the control.
    pane->SetStyle(PANE_KIND_PROGRESS | PANE_PROGRESS_SMOOTH);
    EXPECT_EQ(controls[0], pane->GetProgressCtrl()->m_hWnd);

    // A second save keeps the first look.
    bar().SavePane(0);
    bar().ValidateRect(NULL);
    bar().RestorePane(0);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(bar().m_hWnd, &update, FALSE)) << "the bar is repainted";
    EXPECT_FALSE(IsWindow(controls[0]));
    EXPECT_EQ(nullptr, pane->GetProgressCtrl());
    EXPECT_TRUE(ChildrenOfClass(bar().m_hWnd, "msctls_progress32").empty());
    EXPECT_EQ((DWORD)(DT_SINGLELINE | PANE_KIND_TEXT), pane->GetStyle());
    EXPECT_EQ("Ready", std::string(pane->GetText(TRUE)));

    // Without a kept look restoring only repaints.
    pane->SetTexts("Busy", "Busy");
    bar().ValidateRect(NULL);
    bar().RestorePane(0);
    EXPECT_TRUE(GetUpdateRect(bar().m_hWnd, &update, FALSE));
    EXPECT_EQ("Busy", std::string(pane->GetText(TRUE)));
}

TEST_F(StatusBar, TheFirstSavedLookIsKept) {
    CStatusPane* pane = bar().GetPane(5);
    pane->SetTexts("first", "first");
    bar().SavePane(5);
    pane->SetTexts("second", "second");
    bar().SavePane(5);
    pane->SetStyle(PANE_KIND_PROGRESS);
    bar().RestorePane(5);
    EXPECT_EQ("first", std::string(pane->GetText(TRUE)));
    EXPECT_EQ(nullptr, pane->GetProgressCtrl());
    bar().SavePane(kPanes);  // outside the panes: nothing
    bar().RestorePane(kPanes);
}

TEST_F(StatusBar, CopiesOfAPaneRecordHaveNoProgressControl) {
    CStatusPane* pane = bar().GetPane(0);
    pane->SetTexts("look", "look");
    pane->SetStyle(PANE_KIND_PROGRESS);
    ASSERT_NE(nullptr, pane->GetProgressCtrl());
    const HWND control = pane->GetProgressCtrl()->m_hWnd;
    {
        CStatusPane copy(*pane);
        EXPECT_EQ(nullptr, copy.GetProgressCtrl());
        EXPECT_EQ("look", std::string(copy.GetText(TRUE)));
        EXPECT_EQ((DWORD)PANE_KIND_PROGRESS, copy.GetStyle());
    }
    CStatusPane other;
    other.SetStyle(PANE_KIND_PROGRESS);
    ASSERT_NE(nullptr, other.GetProgressCtrl());
    const HWND otherControl = other.GetProgressCtrl()->m_hWnd;
    other = *pane;
    EXPECT_EQ(nullptr, other.GetProgressCtrl());
    EXPECT_FALSE(IsWindow(otherControl)) << "the assigned-to record's control is gone";
    EXPECT_TRUE(IsWindow(control));
    EXPECT_EQ(control, pane->GetProgressCtrl()->m_hWnd);
    pane->SetStyle(PANE_KIND_TEXT);
    EXPECT_FALSE(IsWindow(control));
}

// A text of width w scrolling through a pane of width p takes the offsets -p to w in turn.
TEST_F(StatusBar, AScrollingTextCyclesThroughThePane) {
    CStatusPane* pane = bar().GetPane(4);
    pane->SetTexts("Scrolling text", "Scrolling text");
    pane->SetStyle(DT_SINGLELINE | PANE_KIND_TEXT | PANE_SCROLL_HORZ);
    HDC dc = GetDC(NULL);
    HFONT font = CreateFontIndirectA(&pane->GetLogFont());
    HGDIOBJ old = SelectObject(dc, font);
    SIZE text;
    GetTextExtentPoint32A(dc, "Scrolling text", 14, &text);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(NULL, dc);
    const RECT inner = Shrunk(Pane(4));
    const int p = inner.right - inner.left, w = text.cx;

    std::set<int> offsets;
    std::vector<int> sequence;
    for (int n = 0; n < 2 * (p + w + 1); ++n) {
        Capture capture(bar().m_hWnd);
        sequence.push_back(pane->GetHorzOffset());
        offsets.insert(pane->GetHorzOffset());
    }
    EXPECT_EQ(-p, *offsets.begin());
    EXPECT_EQ(w, *offsets.rbegin());
    EXPECT_EQ((size_t)(p + w + 1), offsets.size()) << "every offset between";
    for (size_t n = 1; n < sequence.size(); ++n) {
        if (sequence[n - 1] == w)
            EXPECT_EQ(-p, sequence[n]);
        else
            EXPECT_EQ(sequence[n - 1] + 1, sequence[n]);
    }
}

TEST_F(StatusBar, TheTimerAnimatesWhileAPaneScrolls) {
    CStatusPane* pane = bar().GetPane(4);
    pane->SetTexts("Scrolling text", "Scrolling text");
    pane->SetStyle(DT_SINGLELINE | PANE_KIND_TEXT | PANE_SCROLL_HORZ);
    bar().Invalidate(FALSE);
    Pump();
    const int start = pane->GetHorzOffset();
    EXPECT_TRUE(PumpUntil([&] { return pane->GetHorzOffset() >= start + 3; }))
        << "the offset moves on by itself";

    CStatusPane* tiled = bar().GetPane(5);
    tiled->SetTexts("ab", "ab");
    tiled->SetStyle(PANE_KIND_TEXT | PANE_TILE | PANE_SCROLL_VERT);
    EXPECT_TRUE(PumpUntil([&] { return tiled->GetVertOffset() >= 3; }));

    pane->SetStyle(DT_SINGLELINE | PANE_KIND_TEXT);
    tiled->SetStyle(PANE_KIND_TEXT);
    Capture once(bar().m_hWnd);
    const int stopped = pane->GetHorzOffset();
    EXPECT_FALSE(KillTimer(bar().m_hWnd, CMainStatusBar::kAnimationTimer))
        << "no pane animates: the timer was stopped";
    Pump();
    EXPECT_EQ(stopped, pane->GetHorzOffset());
}

TEST_F(StatusBar, HitTestFindsThePaneUnderAPoint) {
    for (int i = 0; i < kPanes; ++i) {
        const RECT r = Pane(i);
        EXPECT_EQ(i, bar().HitTest(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2))) << i;
    }
    EXPECT_EQ(-1, bar().HitTest(CPoint(-5, 2)));
    EXPECT_EQ(-1, bar().HitTest(CPoint(5, 500)));
}

// In a dialog the point is given in the dialog's client coordinates.
TEST(StatusBarInADialog, HitTestTakesThePointOfTheDialog) {
    HWND dialog = CreateWindowExA(0, "#32770", "Dialog", WS_OVERLAPPED | WS_VISIBLE, 10, 10, 900,
                                  300, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE((HWND)NULL, dialog);
    CWnd parent;
    parent.Attach(dialog);
    {
        CMainStatusBar bar;
        ASSERT_TRUE(bar.Create(&parent, kIndicators, 3, 0));
        bar.MoveWindow(0, 100, 800, 24);
        RECT pane;
        bar.GetItemRect(1, &pane);
        const CPoint inBar((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
        EXPECT_EQ(1, bar.HitTest(CPoint(inBar.x, inBar.y + 100)));
        EXPECT_EQ(-1, bar.HitTest(inBar)) << "above the bar in the dialog";
    }
    parent.Detach();
    DestroyWindow(dialog);
}

int RecordBox(LPCSTR text, UINT, UINT, void* context) {
    *(std::string*)context = text;
    return IDOK;
}

TEST(StatusBarCreation, AFailureIsShown) {
    std::string shown;
    AfxSetMessageBoxHook(RecordBox, &shown);
    {
        CMainStatusBar bar;
        EXPECT_FALSE(bar.Create(NULL, kIndicators, kPanes, 0));
        EXPECT_EQ(NULL, bar.m_hWnd);
    }
    AfxSetMessageBoxHook(NULL, NULL);
    EXPECT_EQ("Unable to create Statusbar.", shown);
    EXPECT_EQ(nullptr, GetMainStatusBar()) << "a bar that is gone is not the program's";
}

}  // namespace
