// The tree-list control under real mouse input (SendInput): only hardware input raises the
// WM_PARENTNOTIFY from which the frame announces "WM_TREECHANGED". The test takes the
// foreground and the mouse, so it must not run beside other tests that use them (CTest
// resource lock "desktop_input"). Windows of tests that run beside it stay below its
// window, which is topmost and placed apart from theirs.
#include "tltest.h"

#include <string>
#include <vector>

using namespace tltest;

namespace {

// Moves the mouse to a point of the screen and sends the button events there.
void MouseAt(POINT screen, std::initializer_list<DWORD> buttons) {
    std::vector<INPUT> inputs;
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    move.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs.push_back(move);
    for (DWORD flags : buttons) {
        INPUT button = {};
        button.type = INPUT_MOUSE;
        button.mi.dwFlags = flags;
        inputs.push_back(button);
    }
    ASSERT_EQ(SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)), inputs.size());
}

class Input : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_.CreateOwner(520, 380, WS_EX_TOPMOST, 700, 560));
        frame_ = MakeFrame(owner_, FrameKind::Attached, 360, 240);
        ASSERT_NE(frame_, nullptr);
        tree_ = &frame_->GetTreeCtrl();
        tree_->InsertColumn(0, "Parameter group", 0, 160);
        tree_->InsertColumn(1, "Cur. value", 0, 120);
        for (int g = 0; g < 3; g++) {
            HTREEITEM hGroup = tree_->InsertItem(("Group " + std::to_string(g)).c_str());
            groups_.push_back(hGroup);
            for (int r = 0; r < 2; r++) tree_->InsertItem("row", hGroup);
        }
        owner_.SetForegroundWindow();
        owner_.UpdateWindow();
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == owner_.m_hWnd; }))
            << "the test window did not come to the foreground";
    }
    void TearDown() override {
        frame_.reset();
        owner_.DestroyWindow();
        Pump();
        CWnd::DeleteTempMap();
    }

    // The screen point of a tree point, where the tree is the window under the mouse.
    POINT ScreenPoint(CPoint inTree) {
        tree_->ClientToScreen(&inTree);
        EXPECT_EQ(WindowFromPoint(inTree), tree_->m_hWnd) << "another window covers the tree";
        return inTree;
    }

    COwnerWnd owner_;
    std::unique_ptr<CTLFrame> frame_;
    CTLTreeCtrl* tree_ = nullptr;
    std::vector<HTREEITEM> groups_;
};

struct ButtonCase {
    const char* name;
    DWORD down, up;
    bool toggles;  // the left button opens and closes the group
};

TEST_F(Input, AButtonDownOverAnExpandButtonAnnouncesTheItem) {
    const ButtonCase cases[] = {
        {"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, true},
        {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, false},
        {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, false},
    };
    int i = 0;
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        HTREEITEM hGroup = groups_[i++];
        CPoint button = FindHit(*tree_, hGroup, TVHT_ONITEMBUTTON);
        ASSERT_NE(button.x, -1);
        owner_.treeChanged.clear();
        BOOL bExpanded = tree_->IsItemExpanded(hGroup);
        MouseAt(ScreenPoint(button), {c.down, c.up});
        ASSERT_TRUE(PumpUntil([&] { return !owner_.treeChanged.empty(); })) << "no WM_TREECHANGED";
        EXPECT_EQ(owner_.treeChanged[0], hGroup);
        if (c.toggles) {
            EXPECT_NE(tree_->IsItemExpanded(hGroup), bExpanded);
        }
    }
}

TEST_F(Input, AClickOnACellAnnouncesNothingAndADoubleClickReachesTheOwner) {
    CRect row;
    tree_->CTreeCtrl::GetItemRect(groups_[1], &row, FALSE);
    CPoint cell(200, row.CenterPoint().y);
    owner_.notices.clear();
    MouseAt(ScreenPoint(cell), {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    // The click selects the row; by then any announcement was posted, and one more pump
    // would deliver it.
    ASSERT_TRUE(PumpUntil([&] { return tree_->GetSelectedItem() == groups_[1]; }));
    Pump();
    EXPECT_TRUE(owner_.treeChanged.empty());
    EXPECT_FALSE(tree_->IsItemExpanded(groups_[1])) << "right of column 0 nothing toggles";
    MouseAt(ScreenPoint(cell),
            {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    ASSERT_TRUE(PumpUntil([&] { return !owner_.doubleClicks.empty(); })) << "no double click";
    EXPECT_EQ(owner_.doubleClicks[0].second, MAKELPARAM(cell.x, cell.y));
    EXPECT_TRUE(owner_.treeChanged.empty());
    EXPECT_FALSE(tree_->IsItemExpanded(groups_[1]));
}

}  // namespace
