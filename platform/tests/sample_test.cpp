// The sample program in this process: a single-document template, a frame with menu, keys,
// tool bar and status bar, nested static splitters with a tree, a list and a plain view.
// Driven by messages, asserted through Win32 queries.
#include "sample/sample.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

std::string MenuText(HMENU hMenu, UINT nPos) {
    char text[256] = "";
    GetMenuStringA(hMenu, nPos, text, sizeof text, MF_BYPOSITION);
    return text;
}

int MenuPosition(HMENU hMenu, UINT nID) {
    for (int i = 0; i < GetMenuItemCount(hMenu); i++)
        if (GetMenuItemID(hMenu, i) == nID) return i;
    return -1;
}

std::string WindowText(HWND hWnd) {
    char text[512] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string PaneText(HWND hWndBar, int nPane) {
    char text[512] = "";
    SendMessageA(hWndBar, SB_GETTEXTA, nPane, (LPARAM)text);
    return text;
}

RECT WindowRectIn(HWND hWnd, HWND hWndParent) {
    RECT r;
    GetWindowRect(hWnd, &r);
    MapWindowPoints(NULL, hWndParent, (LPPOINT)&r, 2);
    return r;
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + name;
}

class SampleApp : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.Clear();
        boxes_.answer = IDNO;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\" SAMPLE_REGISTRY_KEY);
        app_ = new CSampleApp;
        ASSERT_TRUE(app_->InitInstance());
        frame_ = static_cast<CSampleFrame*>(app_->m_pMainWnd);
        ASSERT_NE(frame_, nullptr);
        hFrame_ = frame_->m_hWnd;
        doc_ = static_cast<CSampleDoc*>(frame_->GetActiveDocument());
        ASSERT_NE(doc_, nullptr);
        Pump();
        g_log.events.clear();  // the tree's first selection
    }
    void TearDown() override {
        if (IsWindow(hFrame_)) {
            PostMessageA(hFrame_, WM_CLOSE, 0, 0);
            app_->Run();
        } else if (!quit_) {
            app_->Run();  // takes the WM_QUIT that the frame's end posted
        }
        delete app_;
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\" SAMPLE_REGISTRY_KEY);
    }

    // What is waiting is dispatched as the program's loop does it, then its idle work.
    void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit_ = true;
                continue;
            }
            if (!app_->PreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        app_->OnIdle(0);
        app_->OnIdle(1);
    }

    LRESULT Command(UINT nID) { return SendMessageA(hFrame_, WM_COMMAND, nID, 0); }

    Events TakeEvents() {
        Events events;
        events.swap(g_log.events);
        return events;
    }

    HMENU SamplePopup() { return GetSubMenu(frame_->m_hMenuDefault, 1); }

    void OpenPopup(HMENU hPopup, UINT nIndex) {
        SendMessageA(hFrame_, WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(nIndex, FALSE));
    }

    wkit::HelpRecorder help_;
    wkit::BoxRecorder boxes_;
    CSampleApp* app_ = nullptr;
    CSampleFrame* frame_ = nullptr;
    HWND hFrame_ = NULL;
    CSampleDoc* doc_ = nullptr;
    bool quit_ = false;
};

// --- documents and views --------------------------------------------------------------

TEST_F(SampleApp, FileNewMakesDocumentFrameAndViewsEachUpdatedOnce) {
    EXPECT_EQ(g_log.documents, 1);
    EXPECT_EQ(g_log.frames, 1);
    EXPECT_EQ(g_log.views, 3);
    EXPECT_EQ(frame_->m_pTreeView->m_nInitialUpdates, 1);
    EXPECT_EQ(frame_->m_pListView->m_nInitialUpdates, 1);
    EXPECT_EQ(frame_->m_pPlainView->m_nInitialUpdates, 1);
    std::vector<CView*> views;
    for (POSITION pos = doc_->GetFirstViewPosition(); pos != NULL;)
        views.push_back(doc_->GetNextView(pos));
    EXPECT_EQ(views, (std::vector<CView*>{frame_->m_pTreeView, frame_->m_pListView,
                                          frame_->m_pPlainView}));
    for (CView* view : views) EXPECT_EQ(view->GetDocument(), doc_);
    EXPECT_EQ(frame_->GetActiveView(), frame_->m_pTreeView);
    EXPECT_EQ(WindowText(hFrame_), "Sample - Untitled");
    EXPECT_TRUE(IsWindowVisible(hFrame_));
    // The tree view is the system's tree control and holds what it was given.
    EXPECT_EQ(SendMessageA(frame_->m_pTreeView->m_hWnd, TVM_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(frame_->m_pTreeView->GetTreeCtrl().GetItemText(frame_->m_pTreeView->m_hFirst),
              "Computer");

    // A second File New keeps the one document and frame.
    CSampleDoc* doc = doc_;
    Command(ID_FILE_NEW);
    EXPECT_EQ(frame_->GetActiveDocument(), doc);
    EXPECT_EQ(g_log.documentsDeleted, 0);
    EXPECT_EQ(g_log.frames, 1);
    EXPECT_GE(doc->m_nDeleteContents, 2);
}

TEST_F(SampleApp, UpdateAllViewsSkipsTheSender) {
    // The initial update was the hint 0 of each.
    EXPECT_EQ(frame_->m_pTreeView->m_hints, std::vector<LPARAM>{0});
    frame_->m_pTreeView->m_hints.clear();
    frame_->m_pListView->m_hints.clear();
    frame_->m_pPlainView->m_hints.clear();
    doc_->UpdateAllViews(frame_->m_pTreeView, 42);
    EXPECT_EQ(frame_->m_pTreeView->m_hints, std::vector<LPARAM>{});
    EXPECT_EQ(frame_->m_pListView->m_hints, std::vector<LPARAM>{42});
    EXPECT_EQ(frame_->m_pPlainView->m_hints, std::vector<LPARAM>{42});
    doc_->UpdateAllViews(NULL, 7);
    EXPECT_EQ(frame_->m_pTreeView->m_hints, std::vector<LPARAM>{7});
    EXPECT_EQ(frame_->m_pListView->m_hints, (std::vector<LPARAM>{42, 7}));
}

TEST_F(SampleApp, ClosingTheMainFrameDeletesEachObjectOnceAndEndsTheLoop) {
    HWND hTree = frame_->m_pTreeView->m_hWnd;
    PostMessageA(hFrame_, WM_CLOSE, 0, 0);
    EXPECT_EQ(app_->Run(), 0);
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_FALSE(IsWindow(hTree));
    EXPECT_EQ(app_->m_pMainWnd, nullptr);
    EXPECT_EQ(g_log.documentsDeleted, 1);
    EXPECT_EQ(g_log.framesDeleted, 1);
    EXPECT_EQ(g_log.viewsDeleted, 3);
    EXPECT_EQ(g_log.documents + g_log.frames + g_log.views, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(hFrame_), nullptr);
    quit_ = true;
}

TEST_F(SampleApp, AModifiedDocumentAsksBeforeTheFrameCloses) {
    doc_->SetModifiedFlag(TRUE);
    boxes_.answer = IDCANCEL;
    SendMessageA(hFrame_, WM_CLOSE, 0, 0);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_EQ(boxes_.texts[0], "Save changes to Untitled?");
    EXPECT_TRUE(IsWindow(hFrame_));
    EXPECT_EQ(g_log.documentsDeleted, 0);
    boxes_.answer = IDNO;
    SendMessageA(hFrame_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hFrame_));
    EXPECT_EQ(g_log.documentsDeleted, 1);
}

TEST_F(SampleApp, TheTitleAndTheRecentFilesFollowTheDocumentPath) {
    std::string path = TempPath("vaskfc sample & co.smp");
    doc_->m_text = "stored text";
    ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
    Command(ID_FILE_NEW);
    EXPECT_EQ(doc_->m_text, "");
    EXPECT_EQ(WindowText(hFrame_), "Sample - Untitled");

    ASSERT_EQ(app_->OpenDocumentFile(path.c_str()), doc_);
    EXPECT_EQ(doc_->m_text, "stored text");
    EXPECT_EQ(std::string(doc_->GetPathName()), path);
    EXPECT_EQ(WindowText(hFrame_), "Sample - vaskfc sample & co.smp");
    // The recent file takes the placeholder's place in the File menu, the items behind it
    // still updated.
    HMENU hFile = GetSubMenu(frame_->m_hMenuDefault, 0);
    OpenPopup(hFile, 0);
    int nPos = MenuPosition(hFile, ID_FILE_MRU_FILE1);
    ASSERT_GE(nPos, 0);
    EXPECT_EQ(MenuText(hFile, nPos).substr(0, 3), "&1 ");
    EXPECT_NE(MenuText(hFile, nPos).find("&&"), std::string::npos)
        << "a file name's & is no mnemonic";
    EXPECT_FALSE(GetMenuState(hFile, ID_FILE_MRU_FILE1, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(hFile, ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(hFile, ID_FILE_SAVE, MF_BYCOMMAND) == 0)
        << "the document's own Save handler enables it";

    // A file that cannot be read is reported; the document starts anew.
    std::string broken = TempPath("vaskfc sample broken.smp");
    HANDLE h = CreateFileA(broken.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(h, "\xFF\xFF\xFF", 3, &written, NULL);
    CloseHandle(h);
    EXPECT_EQ(app_->OpenDocumentFile(broken.c_str()), nullptr);
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_NE(boxes_.texts[0].find("vaskfc sample broken.smp"), std::string::npos)
        << boxes_.texts[0];
    EXPECT_EQ(frame_->GetActiveDocument(), doc_);
    EXPECT_EQ(WindowText(hFrame_), "Sample - Untitled");
    EXPECT_EQ(app_->OpenDocumentFile(TempPath("vaskfc no such file.smp").c_str()), nullptr);
    EXPECT_EQ(boxes_.texts.size(), 2u);
    DeleteFileA(path.c_str());
    DeleteFileA(broken.c_str());
}

// Save As and File Open ask for the file with the file dialog, with the template's kind: a
// name typed without extension gets the template's.
TEST_F(SampleApp, SaveAsAndFileOpenAskForTheFile) {
    std::string path = TempPath("vaskfc sample dialog.smp");
    DeleteFileA(path.c_str());
    doc_->m_text = "through the dialog";
    wkit::Driver driver;
    driver.OnOpen(wkit::FileDialog(), [&](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "Save As");
        EXPECT_EQ(w.Selection(0x470), "Sample Files (*.smp)") << "the template's kind";
        w.NameFile(path.substr(0, path.size() - 4));
    });
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(std::string(doc_->GetPathName()), path);
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

    Command(ID_FILE_NEW);
    EXPECT_EQ(doc_->m_text, "");
    driver.OnOpen(wkit::FileDialog(), [&](wkit::Window& w) {
        EXPECT_EQ(w.Caption(), "Open");
        w.NameFile(path);
    });
    Command(ID_FILE_OPEN);
    EXPECT_EQ(doc_->m_text, "through the dialog");
    driver.CancelFile();
    Command(ID_FILE_OPEN);
    EXPECT_EQ(doc_->m_text, "through the dialog") << "a cancelled open changes nothing";
    EXPECT_TRUE(driver.AllRan());
    EXPECT_TRUE(boxes_.texts.empty());
    DeleteFileA(path.c_str());
}

TEST_F(SampleApp, ASaveThatFailsLeavesTheFileAsItWas) {
    std::string path = TempPath("vaskfc sample kept.smp");
    doc_->m_text = "first";
    ASSERT_TRUE(doc_->OnSaveDocument(path.c_str()));
    doc_->m_text = "second, never complete";
    doc_->m_bFailStore = TRUE;
    doc_->SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc_->OnSaveDocument(path.c_str()));
    ASSERT_EQ(boxes_.texts.size(), 1u);
    EXPECT_TRUE(doc_->IsModified()) << "the changes are not saved";
    // Nothing of the failed save is left beside it either.
    WIN32_FIND_DATAA found;
    std::string pattern = TempPath("vfc*.tmp");
    HANDLE hFind = FindFirstFileA(pattern.c_str(), &found);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << found.cFileName;
    if (hFind != INVALID_HANDLE_VALUE) FindClose(hFind);
    doc_->m_bFailStore = FALSE;
    ASSERT_TRUE(doc_->OnOpenDocument(path.c_str()));
    EXPECT_EQ(doc_->m_text, "first");
    DeleteFileA(path.c_str());
}

TEST_F(SampleApp, AnImageListComesFromABitmapOfTheResources) {
    CImageList images;
    ASSERT_TRUE(images.Create(IDR_SAMPLE, 16, 1, RGB(192, 192, 192)));
    EXPECT_EQ(images.GetImageCount(), 5);
    EXPECT_EQ(CImageList::FromHandle(images.m_hImageList), &images);
    CImageList other;
    EXPECT_FALSE(other.Create(4711, 16, 1, RGB(192, 192, 192))) << "no such bitmap";
}

TEST_F(SampleApp, TheFrameTitleFollowsTheAddToTitleRules) {
    doc_->SetTitle("data.smp");
    EXPECT_EQ(WindowText(hFrame_), "Sample - data.smp");
    frame_->ModifyStyle(0, FWS_PREFIXTITLE);
    frame_->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(WindowText(hFrame_), "data.smp - Sample");
    frame_->m_nWindow = 2;
    frame_->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(WindowText(hFrame_), "data.smp:2 - Sample");
    frame_->ModifyStyle(FWS_PREFIXTITLE, 0);
    frame_->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(WindowText(hFrame_), "Sample - data.smp:2");
    frame_->m_nWindow = 0;
    frame_->OnUpdateFrameTitle(FALSE);
    EXPECT_EQ(WindowText(hFrame_), "Sample");
    // Without the add-to-title style the frame leaves its title alone.
    frame_->ModifyStyle(FWS_ADDTOTITLE, 0);
    SetWindowTextA(hFrame_, "kept");
    doc_->SetTitle("other.smp");
    EXPECT_EQ(WindowText(hFrame_), "kept");
}

// --- command routing and updates --------------------------------------------------------

TEST_F(SampleApp, CommandsGoToViewDocumentFrameApplicationFirstHandlerWins) {
    struct Case {
        UINT nID;
        Events expected;
    };
    const Case cases[] = {
        {ID_SAMPLE_VIEWCMD, {"tree:view"}},
        {ID_SAMPLE_DOCCMD, {"doc:doc"}},
        {ID_SAMPLE_FRAMECMD, {"frame:frame"}},
        {ID_SAMPLE_APPCMD, {"app:app"}},
        {ID_SAMPLE_SHARED, {"tree:shared"}},
        {ID_SAMPLE_NOHANDLER, {}},
        {ID_SAMPLE_DISABLED, {}},  // its update handler disables it: the command is eaten
    };
    for (const Case& c : cases) {
        Command(c.nID);
        EXPECT_EQ(TakeEvents(), c.expected) << c.nID;
    }
    // With the plain view active the view's commands find no handler, the shared one goes
    // to the frame.
    frame_->SetActiveView(frame_->m_pPlainView);
    Command(ID_SAMPLE_VIEWCMD);
    Command(ID_SAMPLE_SHARED);
    Command(ID_SAMPLE_DOCCMD);
    EXPECT_EQ(TakeEvents(), (Events{"frame:shared", "doc:doc"}));
}

TEST_F(SampleApp, KeysOfTheAcceleratorTableBecomeCommands) {
    HWND hTree = frame_->m_pTreeView->m_hWnd;
    PostMessageA(hTree, WM_KEYDOWN, VK_F5, 1);
    Pump();
    EXPECT_EQ(TakeEvents(), Events{"tree:view"});
    // F6: the next pane of the tree's splitter becomes the active view.
    PostMessageA(hTree, WM_KEYDOWN, VK_F6, 1);
    Pump();
    EXPECT_EQ(frame_->GetActiveView(), frame_->m_pListView);
    PostMessageA(frame_->m_pListView->m_hWnd, WM_KEYDOWN, VK_F6, 1);
    Pump();
    EXPECT_EQ(frame_->GetActiveView(), frame_->m_pTreeView);
}

TEST_F(SampleApp, OpeningAMenuRunsTheUpdateHandlersAndDisablesItemsWithoutOne) {
    HMENU hPopup = SamplePopup();
    OpenPopup(hPopup, 1);
    auto grayed = [&](UINT nID) {
        return (GetMenuState(hPopup, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    EXPECT_FALSE(grayed(ID_SAMPLE_VIEWCMD));
    EXPECT_FALSE(grayed(ID_SAMPLE_DOCCMD));
    EXPECT_FALSE(grayed(ID_SAMPLE_APPCMD));
    EXPECT_TRUE(grayed(ID_SAMPLE_NOHANDLER));
    EXPECT_TRUE(grayed(ID_SAMPLE_DISABLED));
    EXPECT_TRUE(GetMenuState(hPopup, ID_SAMPLE_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(MenuText(hPopup, MenuPosition(hPopup, ID_SAMPLE_TEXT)), "Text 1");
    // An empty entry list keeps its placeholder, disabled.
    int nList = MenuPosition(hPopup, ID_SAMPLE_LIST_FIRST);
    EXPECT_EQ(MenuText(hPopup, nList), "Entry list");
    EXPECT_TRUE(grayed(ID_SAMPLE_LIST_FIRST));
    EXPECT_EQ(frame_->m_nAfterListIndex, (UINT)nList + 1);
    EXPECT_TRUE(grayed(ID_SAMPLE_NOHANDLER2));

    frame_->m_bChecked = FALSE;
    frame_->SetActiveView(frame_->m_pPlainView);
    OpenPopup(hPopup, 1);
    EXPECT_TRUE(grayed(ID_SAMPLE_VIEWCMD)) << "no handler on the route any more";
    EXPECT_FALSE(GetMenuState(hPopup, ID_SAMPLE_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(MenuText(hPopup, MenuPosition(hPopup, ID_SAMPLE_TEXT)), "Text 2");
}

TEST_F(SampleApp, AHandlerThatInsertsItemsLeavesTheFollowingItemsRight) {
    HMENU hPopup = SamplePopup();
    int nList = MenuPosition(hPopup, ID_SAMPLE_LIST_FIRST);
    int nCount = GetMenuItemCount(hPopup);
    frame_->m_entries = {"One", "Two", "Three"};
    OpenPopup(hPopup, 1);
    ASSERT_EQ(GetMenuItemCount(hPopup), nCount + 2);
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(GetMenuItemID(hPopup, nList + i), (UINT)(ID_SAMPLE_LIST_FIRST + i));
        EXPECT_FALSE(GetMenuState(hPopup, nList + i, MF_BYPOSITION) & MF_GRAYED);
    }
    EXPECT_EQ(MenuText(hPopup, nList + 2), "Three");
    // The item behind the list is updated at its new place, and the one after it as well.
    EXPECT_EQ(frame_->m_nAfterListIndex, (UINT)nList + 3);
    EXPECT_TRUE(GetMenuState(hPopup, ID_SAMPLE_AFTER_LIST, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(hPopup, ID_SAMPLE_NOHANDLER2, MF_BYCOMMAND) & MF_GRAYED);

    // Opening it again with fewer entries takes the others away.
    frame_->m_entries = {"Only"};
    frame_->m_nAfterListIndex = (UINT)-1;
    OpenPopup(hPopup, 1);
    EXPECT_EQ(GetMenuItemCount(hPopup), nCount);
    EXPECT_EQ(MenuText(hPopup, nList), "Only");
    EXPECT_EQ(frame_->m_nAfterListIndex, (UINT)nList + 1);
    EXPECT_EQ(GetMenuItemID(hPopup, nList + 1), (UINT)ID_SAMPLE_AFTER_LIST);

    Command(ID_SAMPLE_LIST_FIRST);
    EXPECT_EQ(TakeEvents(), Events{"frame:entry 32780"});
}

TEST_F(SampleApp, ToolBarButtonsAndIndicatorPanesUpdateAtIdle) {
    CToolBarCtrl& bar = frame_->m_wndToolBar.GetToolBarCtrl();
    ASSERT_EQ(bar.GetButtonCount(), 7);
    const UINT ids[] = {ID_SAMPLE_VIEWCMD,  ID_SAMPLE_DOCCMD,    0,
                        ID_SAMPLE_FRAMECMD, ID_SAMPLE_NOHANDLER, 0,
                        ID_SAMPLE_CHECKED};
    for (int i = 0; i < 7; i++) EXPECT_EQ(frame_->m_wndToolBar.GetItemID(i), ids[i]) << i;
    EXPECT_TRUE(bar.IsButtonEnabled(ID_SAMPLE_VIEWCMD));
    EXPECT_FALSE(bar.IsButtonEnabled(ID_SAMPLE_NOHANDLER));
    EXPECT_TRUE(bar.IsButtonChecked(ID_SAMPLE_CHECKED));

    frame_->m_bChecked = FALSE;
    frame_->m_bIndicatorOn = FALSE;
    frame_->SetActiveView(frame_->m_pPlainView);
    Pump();
    EXPECT_FALSE(bar.IsButtonEnabled(ID_SAMPLE_VIEWCMD));
    EXPECT_FALSE(bar.IsButtonChecked(ID_SAMPLE_CHECKED));
    CStatusBar& status = frame_->m_wndStatusBar;
    EXPECT_TRUE(status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(PaneText(status.m_hWnd, 1), "") << "a disabled pane shows no text";
    EXPECT_EQ(std::string(status.GetPaneText(1)), "WIDE INDICATOR TEXT");

    frame_->m_bIndicatorOn = TRUE;
    Pump();
    EXPECT_FALSE(status.GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(PaneText(status.m_hWnd, 1), "WIDE INDICATOR TEXT");

    // A button click is a command of the frame's route.
    frame_->SetActiveView(frame_->m_pTreeView);
    SendMessageA(hFrame_, WM_COMMAND, MAKEWPARAM(ID_SAMPLE_VIEWCMD, BN_CLICKED),
                 (LPARAM)frame_->m_wndToolBar.m_hWnd);
    EXPECT_EQ(TakeEvents(), Events{"tree:view"});
}

TEST_F(SampleApp, ToolBarResourcesThatDoNotFitAreRefused) {
    CToolBar bar;
    ASSERT_TRUE(bar.Create(frame_, WS_CHILD | CBRS_TOP, 1234));
    EXPECT_FALSE(bar.LoadToolBar(4711)) << "no such resource";
    EXPECT_FALSE(bar.LoadToolBar(IDR_BAD_VERSION));
    EXPECT_FALSE(bar.LoadToolBar(IDR_SHORT_TOOLBAR)) << "more buttons than ids";
    EXPECT_TRUE(bar.LoadToolBar(IDR_SAMPLE));
    EXPECT_EQ(bar.GetCount(), 7);
    EXPECT_EQ(bar.CommandToIndex(ID_SAMPLE_FRAMECMD), 3);
    EXPECT_EQ(bar.GetButtonStyle(2) & TBBS_SEPARATOR, (UINT)TBBS_SEPARATOR);
}

// A flat tool bar asks its parent for the background under it (Wine's themed bar always
// does). The frame, whose client the views cover, leaves that to the bar, which then fills it
// with its button face: answered as done, it stayed unpainted, black.
TEST_F(SampleApp, TheFrameLeavesTheBackgroundUnderTheToolBarToTheBar) {
    ASSERT_NE(frame_->GetActiveView(), nullptr);
    HWND hBar = frame_->m_wndToolBar.m_hWnd;
    HDC hBarDC = GetDC(hBar);
    EXPECT_EQ(SendMessageA(hFrame_, WM_ERASEBKGND, (WPARAM)hBarDC, 0), 0);
    ReleaseDC(hBar, hBarDC);
    // Its own client is the views' to paint.
    HDC hDC = GetDC(hFrame_);
    EXPECT_NE(SendMessageA(hFrame_, WM_ERASEBKGND, (WPARAM)hDC, 0), 0);
    ReleaseDC(hFrame_, hDC);
}

TEST_F(SampleApp, StatusPanesAreAsWideAsTheirIndicatorTexts) {
    CStatusBar& status = frame_->m_wndStatusBar;
    UINT nID, nStyle;
    int cxWide, cxShort, cxFirst;
    status.GetPaneInfo(1, nID, nStyle, cxWide);
    EXPECT_EQ(nID, (UINT)ID_INDICATOR_SAMPLE);
    status.GetPaneInfo(2, nID, nStyle, cxShort);
    // The widths of the texts in the bar's own font.
    HDC hDC = GetDC(status.m_hWnd);
    HGDIOBJ hOld = SelectObject(hDC, (HFONT)SendMessageA(status.m_hWnd, WM_GETFONT, 0, 0));
    SIZE wide, narrow;
    GetTextExtentPoint32A(hDC, "WIDE INDICATOR TEXT", 19, &wide);
    GetTextExtentPoint32A(hDC, "S", 1, &narrow);
    SelectObject(hDC, hOld);
    ReleaseDC(status.m_hWnd, hDC);
    EXPECT_EQ(cxWide, wide.cx);
    EXPECT_EQ(cxShort, narrow.cx);
    // The parts on the screen differ by as much as the texts do; the first takes the rest.
    RECT r1, r2, r0;
    status.GetItemRect(0, &r0);
    status.GetItemRect(1, &r1);
    status.GetItemRect(2, &r2);
    EXPECT_EQ((r1.right - r1.left) - (r2.right - r2.left), wide.cx - narrow.cx);
    status.GetPaneInfo(0, nID, nStyle, cxFirst);
    EXPECT_EQ(nID, (UINT)ID_SEPARATOR);
    EXPECT_EQ(nStyle, (UINT)(SBPS_STRETCH | SBPS_NOBORDERS));
    EXPECT_GE(r0.right - r0.left, cxFirst);

    // Styles keep the bits the bar does not know (the program's progress panes use one).
    status.SetPaneStyle(2, 0x00800000 | SBPS_POPOUT);
    EXPECT_EQ(status.GetPaneStyle(2), (UINT)(0x00800000 | SBPS_POPOUT));
    status.SetPaneInfo(0, ID_SEPARATOR, nStyle | 0x00800000, cxFirst / 2);
    status.GetPaneInfo(0, nID, nStyle, cxFirst);
    EXPECT_EQ(nStyle, (UINT)(SBPS_STRETCH | SBPS_NOBORDERS | 0x00800000));

    // An indicator without a text is refused.
    CStatusBar other;
    ASSERT_TRUE(other.Create(frame_, WS_CHILD, 1235));
    const UINT missing[] = {ID_SEPARATOR, 4711};
    EXPECT_FALSE(other.SetIndicators(missing, 2));
}

TEST_F(SampleApp, TheHelpLineAndTheToolTipsComeFromTheCommandStrings) {
    HWND hStatus = frame_->m_wndStatusBar.m_hWnd;
    EXPECT_EQ(PaneText(hStatus, 0), "Ready");
    // A highlighted menu item.
    SendMessageA(hFrame_, WM_MENUSELECT, MAKEWPARAM(ID_SAMPLE_DOCCMD, MF_HILITE),
                 (LPARAM)SamplePopup());
    EXPECT_EQ(PaneText(hStatus, 0), "Runs the document's command");
    SendMessageA(hFrame_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(PaneText(hStatus, 0), "Ready");
    // The mouse over a button, then away from the bar.
    HWND hBar = frame_->m_wndToolBar.m_hWnd;
    RECT button;
    frame_->m_wndToolBar.GetItemRect(3, &button);
    PostMessageA(hBar, WM_MOUSEMOVE, 0,
                 MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2));
    Pump();
    EXPECT_EQ(PaneText(hStatus, 0), "Runs the frame's command");
    PostMessageA(hBar, WM_MOUSELEAVE, 0, 0);
    Pump();
    EXPECT_EQ(PaneText(hStatus, 0), "Ready");

    // The tool bar's own tip window asks the frame for a button's text.
    HWND hTips = (HWND)SendMessageA(hBar, TB_GETTOOLTIPS, 0, 0);
    ASSERT_NE(hTips, nullptr);
    char tip[80] = "";
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = hBar;
    ti.uId = ID_SAMPLE_FRAMECMD;
    ti.lpszText = tip;
    SendMessageA(hTips, TTM_GETTEXTA, sizeof tip, (LPARAM)&ti);
    EXPECT_STREQ(tip, "Frame command");

    // Tool tips: by command id (ANSI and wide), and by a control's window handle.
    TOOLTIPTEXTA ttA = {};
    ttA.hdr.hwndFrom = hBar;
    ttA.hdr.idFrom = ID_SAMPLE_FRAMECMD;
    ttA.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(hFrame_, WM_NOTIFY, 0, (LPARAM)&ttA);
    EXPECT_STREQ(ttA.lpszText, "Frame command");
    TOOLTIPTEXTW ttW = {};
    ttW.hdr.hwndFrom = hBar;
    ttW.hdr.idFrom = ID_SAMPLE_NOHANDLER;
    ttW.hdr.code = TTN_NEEDTEXTW;
    SendMessageA(hFrame_, WM_NOTIFY, 0, (LPARAM)&ttW);
    EXPECT_EQ(std::wstring(ttW.lpszText), L"No handler");
    HWND hButton = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 10, 10, hFrame_,
                                 (HMENU)(UINT_PTR)ID_SAMPLE_DOCCMD, NULL, NULL);
    TOOLTIPTEXTA ttHwnd = {};
    ttHwnd.hdr.hwndFrom = hBar;
    ttHwnd.hdr.idFrom = (UINT_PTR)hButton;
    ttHwnd.hdr.code = TTN_NEEDTEXTA;
    ttHwnd.uFlags = TTF_IDISHWND;
    SendMessageA(hFrame_, WM_NOTIFY, 0, (LPARAM)&ttHwnd);
    EXPECT_STREQ(ttHwnd.lpszText, "Document command");
    DestroyWindow(hButton);
}

// --- splitters ------------------------------------------------------------------------

TEST_F(SampleApp, TheSplittersShareTheClientAsTheProgramLaysThemOut) {
    RECT client;
    GetClientRect(hFrame_, &client);
    RECT bar = WindowRectIn(frame_->m_wndToolBar.m_hWnd, hFrame_);
    RECT status = WindowRectIn(frame_->m_wndStatusBar.m_hWnd, hFrame_);
    RECT outer = WindowRectIn(frame_->m_wndSplitter.m_hWnd, hFrame_);
    EXPECT_EQ(bar.top, client.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(outer.left, client.left);
    EXPECT_EQ(outer.right, client.right);
    EXPECT_EQ(outer.top, bar.bottom) << "the rest goes to the pane-first child";
    EXPECT_EQ(outer.bottom, status.top);

    const int W = frame_->m_sizeAtCreate.cx, H = frame_->m_sizeAtCreate.cy;
    const int gap = frame_->m_wndSplitter.m_cySplitter;
    int outerHeight = outer.bottom - outer.top;
    int cyRow0 = (int)(0.9 * H) < outerHeight ? (int)(0.9 * H) : outerHeight;
    RECT top = WindowRectIn(frame_->m_wndSplitterTop.m_hWnd, frame_->m_wndSplitter.m_hWnd);
    RECT plain = WindowRectIn(frame_->m_pPlainView->m_hWnd, frame_->m_wndSplitter.m_hWnd);
    EXPECT_EQ(top.bottom - top.top, cyRow0);
    // The last row takes what is left, which may be nothing.
    if (outerHeight > cyRow0 + gap) {
        EXPECT_EQ(plain.top, cyRow0 + gap);
        EXPECT_EQ(plain.bottom, outerHeight);
    } else {
        EXPECT_EQ(plain.bottom - plain.top, 0);
    }

    RECT topClient;
    GetClientRect(frame_->m_wndSplitterTop.m_hWnd, &topClient);
    int cxCol0 = (int)(0.4 * W) < topClient.right ? (int)(0.4 * W) : topClient.right;
    RECT tree = WindowRectIn(frame_->m_pTreeView->m_hWnd, frame_->m_wndSplitterTop.m_hWnd);
    RECT list = WindowRectIn(frame_->m_pListView->m_hWnd, frame_->m_wndSplitterTop.m_hWnd);
    EXPECT_EQ(tree.right - tree.left, cxCol0);
    EXPECT_EQ(list.left, cxCol0 + frame_->m_wndSplitterTop.m_cxSplitter);
    EXPECT_EQ(list.right, topClient.right);

    // Dragging the bar between tree and list moves it.
    HWND hTop = frame_->m_wndSplitterTop.m_hWnd;
    int x = tree.right + 2, y = 20;
    PostMessageA(hTop, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hTop, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 30, y));
    PostMessageA(hTop, WM_LBUTTONUP, 0, MAKELPARAM(x - 30, y));
    Pump();
    tree = WindowRectIn(frame_->m_pTreeView->m_hWnd, hTop);
    EXPECT_EQ(tree.right - tree.left, cxCol0 - 30);
    int cxCur, cxMin;
    frame_->m_wndSplitterTop.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, cxCol0 - 30);
}

TEST_F(SampleApp, ReplacingAPaneViewKeepsTheDocumentAndItsViewList) {
    CSampleListView* pOld = frame_->m_pListView;
    frame_->SetActiveView(pOld);
    SIZE size = {0, 0};
    ASSERT_TRUE(frame_->m_wndSplitterTop.ReplaceView(0, 1, RUNTIME_CLASS(CSampleBarsView), size));
    CWnd* pPane = frame_->m_wndSplitterTop.GetPane(0, 1);
    ASSERT_TRUE(pPane->IsKindOf(RUNTIME_CLASS(CSampleBarsView)));
    CSampleBarsView* pNew = static_cast<CSampleBarsView*>(pPane);
    EXPECT_EQ(g_log.documentsDeleted, 0);
    EXPECT_EQ(g_log.viewsDeleted, 1) << "the list view";
    EXPECT_EQ(pNew->GetDocument(), doc_);
    EXPECT_EQ(pNew->m_nInitialUpdates, 1);
    EXPECT_EQ(frame_->GetActiveView(), pNew) << "the replaced view was active";
    std::vector<CView*> views;
    for (POSITION pos = doc_->GetFirstViewPosition(); pos != NULL;)
        views.push_back(doc_->GetNextView(pos));
    EXPECT_EQ(views, (std::vector<CView*>{frame_->m_pTreeView, frame_->m_pPlainView, pNew}));
    // Its pane's place.
    RECT list = WindowRectIn(pNew->m_hWnd, frame_->m_wndSplitterTop.m_hWnd);
    RECT tree = WindowRectIn(frame_->m_pTreeView->m_hWnd, frame_->m_wndSplitterTop.m_hWnd);
    EXPECT_EQ(list.left, tree.right + frame_->m_wndSplitterTop.m_cxSplitter);
    EXPECT_GT(list.right - list.left, 0);
    // The same class again changes nothing.
    EXPECT_FALSE(frame_->m_wndSplitterTop.ReplaceView(0, 1, RUNTIME_CLASS(CSampleBarsView), size));
    frame_->m_pListView = NULL;
}

TEST_F(SampleApp, TheVisibleViewWithThePaneIdTakesTheClient) {
    RECT outer = WindowRectIn(frame_->m_wndSplitter.m_hWnd, hFrame_);
    CView* pSecond = frame_->SwitchView(119);
    ASSERT_NE(pSecond, nullptr);
    // The hidden splitter still carries the pane id; the visible view gets the place.
    EXPECT_EQ(frame_->m_wndSplitter.GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(pSecond->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame_->m_pTreeView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
    RECT second = WindowRectIn(pSecond->m_hWnd, hFrame_);
    EXPECT_TRUE(EqualRect(&second, &outer));
    EXPECT_EQ(frame_->GetActiveView(), pSecond);
    // The frame changes its size while the inner splitter misses its first pane.
    RECT frame;
    GetWindowRect(hFrame_, &frame);
    MoveWindow(hFrame_, frame.left, frame.top, frame.right - frame.left - 40,
               frame.bottom - frame.top - 30, TRUE);
    Pump();
    RECT client;
    GetClientRect(hFrame_, &client);
    second = WindowRectIn(pSecond->m_hWnd, hFrame_);
    EXPECT_EQ(second.right, client.right);

    ASSERT_EQ(frame_->SwitchView(2), frame_->m_pTreeView);
    EXPECT_EQ(frame_->m_pTreeView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    outer = WindowRectIn(frame_->m_wndSplitter.m_hWnd, hFrame_);
    EXPECT_EQ(outer.right, client.right);
    EXPECT_FALSE(IsWindowVisible(pSecond->m_hWnd));
}

// --- reflection, help, threads ------------------------------------------------------

TEST_F(SampleApp, ANotificationReachesTheTreeFirstAndTheFrameOnlyWhenTheTreeLeavesIt) {
    CTreeCtrl& tree = frame_->m_pTreeView->GetTreeCtrl();
    HTREEITEM hChild = tree.GetChildItem(frame_->m_pTreeView->m_hFirst);
    TakeEvents();
    tree.SelectItem(hChild);
    EXPECT_EQ(TakeEvents(), Events{"tree:selchanged"});
    frame_->m_pTreeView->m_bLeaveSelChange = TRUE;
    tree.SelectItem(tree.GetNextSiblingItem(hChild));
    EXPECT_EQ(TakeEvents(), (Events{"tree:selchanged", "frame:selchanged"}));
}

TEST_F(SampleApp, AClickInContextHelpModeAsksTheWindowUnderIt) {
    // The click is queued first; Shift+F1's command then runs the mode, which takes it.
    HWND hList = frame_->m_pListView->m_hWnd;
    POINT pt = {15, 12};
    MapWindowPoints(hList, hFrame_, &pt, 1);
    PostMessageA(hFrame_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Command(ID_CONTEXT_HELP);
    EXPECT_EQ(frame_->m_pListView->m_lHelpHitPoint, MAKELPARAM(15, 12));
    ASSERT_EQ(g_log.help.size(), 1u);
    EXPECT_EQ(g_log.help[0], std::make_pair((DWORD_PTR)0x2009A, (UINT)HELP_CONTEXT));
    // The application's WinHelp ends in the routing function.
    ASSERT_EQ(help_.calls.size(), 1u);
    EXPECT_EQ(help_.calls[0].hWnd, hFrame_);
    EXPECT_EQ(help_.calls[0].dwData, (DWORD_PTR)0x2009A);
    EXPECT_EQ(help_.calls[0].nCmd, (UINT)HELP_CONTEXT);
    EXPECT_EQ(help_.calls[0].file, std::string(app_->m_pszHelpFilePath));
    EXPECT_FALSE(frame_->m_bHelpMode);
    EXPECT_NE(GetCapture(), hFrame_);
    // A window that names no context: the frame's resource context.
    HWND hPlain = frame_->m_pPlainView->m_hWnd;
    pt = {5, 5};
    MapWindowPoints(hPlain, hFrame_, &pt, 1);
    PostMessageA(hFrame_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Command(ID_CONTEXT_HELP);
    ASSERT_EQ(g_log.help.size(), 2u);
    EXPECT_EQ(g_log.help[1].first, (DWORD_PTR)(HID_BASE_RESOURCE + IDR_SAMPLE));
    // A tool-bar button names its command.
    RECT button;
    frame_->m_wndToolBar.GetItemRect(3, &button);
    pt = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    MapWindowPoints(frame_->m_wndToolBar.m_hWnd, hFrame_, &pt, 1);
    PostMessageA(hFrame_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Command(ID_CONTEXT_HELP);
    ASSERT_EQ(g_log.help.size(), 3u);
    EXPECT_EQ(g_log.help[2].first, (DWORD_PTR)(HID_BASE_COMMAND + ID_SAMPLE_FRAMECMD));
}

TEST_F(SampleApp, AMenuCommandInContextHelpModeGivesItsCommandHelp) {
    PostMessageA(hFrame_, WM_COMMAND, ID_SAMPLE_VIEWCMD, 0);
    Command(ID_CONTEXT_HELP);
    EXPECT_EQ(TakeEvents(), Events{}) << "the command itself does not run";
    ASSERT_EQ(g_log.help.size(), 1u);
    EXPECT_EQ(g_log.help[0].first, (DWORD_PTR)(HID_BASE_COMMAND + ID_SAMPLE_VIEWCMD));
    // Escape leaves the mode without help.
    PostMessageA(hFrame_, WM_KEYDOWN, VK_ESCAPE, 1);
    Command(ID_CONTEXT_HELP);
    EXPECT_EQ(g_log.help.size(), 1u);
    EXPECT_FALSE(frame_->m_bHelpMode);
}

TEST_F(SampleApp, F1OnAHighlightedMenuItemGivesThatCommandsHelp) {
    SendMessageA(hFrame_, WM_MENUSELECT, MAKEWPARAM(ID_SAMPLE_DOCCMD, MF_HILITE),
                 (LPARAM)SamplePopup());
    Command(ID_HELP);
    SendMessageA(hFrame_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Command(ID_HELP);
    ASSERT_EQ(g_log.help.size(), 2u);
    EXPECT_EQ(g_log.help[0].first, (DWORD_PTR)(HID_BASE_COMMAND + ID_SAMPLE_DOCCMD));
    EXPECT_EQ(g_log.help[1].first, (DWORD_PTR)(HID_BASE_RESOURCE + IDR_SAMPLE));
    Command(ID_HELP_INDEX);
    ASSERT_EQ(g_log.help.size(), 3u);
    EXPECT_EQ(g_log.help[2], std::make_pair((DWORD_PTR)0, (UINT)HELP_INDEX));
}

struct WorkerFindings {
    HWND hFrame, hTree, hTipless;
    CWnd* mainThreadTemporary = nullptr;
    CWnd* frame = nullptr;
    CWnd* tree = nullptr;
    CFrameWnd* treeFrame = nullptr;
    CWnd* temporary = nullptr;
    bool sameTemporaryTwice = false;
    LRESULT result = 0;
};

DWORD WINAPI FindWindowsFromWorker(LPVOID p) {
    WorkerFindings* f = static_cast<WorkerFindings*>(p);
    f->frame = CWnd::FromHandle(f->hFrame);
    f->tree = CWnd::FromHandle(f->hTree);
    f->treeFrame = f->tree != NULL ? f->tree->GetParentFrame() : NULL;
    f->temporary = CWnd::FromHandle(f->hTipless);
    f->sameTemporaryTwice = CWnd::FromHandle(f->hTipless) == f->temporary;
    // A message the GUI thread handles while this one waits.
    f->result = f->frame->SendMessage(WM_COMMAND, ID_SAMPLE_VIEWCMD, 0);
    return 0;
}

TEST_F(SampleApp, WindowObjectsAreFoundFromAnotherThread) {
    HWND hButton = CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 10, 10, hFrame_, NULL, NULL, NULL);
    WorkerFindings findings;
    findings.hFrame = hFrame_;
    findings.hTree = frame_->m_pTreeView->m_hWnd;
    findings.hTipless = hButton;
    findings.mainThreadTemporary = CWnd::FromHandle(hButton);
    HANDLE hThread = CreateThread(NULL, 0, FindWindowsFromWorker, &findings, 0, NULL);
    // Serve the worker's sent message while waiting, with a deadline.
    DWORD deadline = GetTickCount() + 10000;
    while (MsgWaitForMultipleObjects(1, &hThread, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0 &&
           GetTickCount() < deadline) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    ASSERT_EQ(WaitForSingleObject(hThread, 0), WAIT_OBJECT_0);
    CloseHandle(hThread);
    EXPECT_EQ(findings.frame, frame_);
    EXPECT_EQ(findings.tree, frame_->m_pTreeView);
    EXPECT_EQ(findings.treeFrame, frame_);
    EXPECT_NE(findings.temporary, nullptr);
    EXPECT_TRUE(findings.sameTemporaryTwice);
    EXPECT_NE(findings.temporary, findings.mainThreadTemporary)
        << "temporary objects are per thread";
    EXPECT_EQ(CWnd::FromHandle(hButton), findings.mainThreadTemporary);
    EXPECT_EQ(CWnd::FromHandlePermanent(hButton), nullptr);
    EXPECT_EQ(TakeEvents(), Events{"tree:view"});
    DestroyWindow(hButton);
}

}  // namespace
