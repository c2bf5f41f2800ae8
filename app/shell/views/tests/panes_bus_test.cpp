// The panes of the main window over the document with the simulated bus on COM1 (a Sindor 6
// with two components at address 1, a Parvel 6 with one at address 2): the tree with its
// states, selection, renaming, context menu and components; the splitter that swaps the
// value pane; the value list and the value bars of the components; the message pane with
// its lists, traffic light and tray icon; the panes' help.
#include "document_bus_fixture.h"

#include "analyzer_bus_fixture.h"

#include "windowwait.h"
#include "definecomponentsdlg.h"
#include "gateway.h"
#include "pane_seams.h"
#include "pcvasklistview.h"
#include "pcvasktreeview.h"
#include "sindor23.h"
#include "viewmessage.h"
#include "viewvaluebars.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

namespace frametest {
namespace {

// One popup menu that the tree asked for.
struct PopupCall {
    std::vector<UINT> ids;
    POINT point;
    HWND owner;
};
std::vector<PopupCall> g_popups;
BOOL RecordPopup(HMENU hMenu, UINT, int x, int y, HWND hOwner) {
    PopupCall call{{}, {x, y}, hOwner};
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) call.ids.push_back(GetMenuItemID(hMenu, i));
    g_popups.push_back(call);
    return TRUE;
}

class Panes : public DocumentBus {
protected:
    void SetUp() override {
        DocumentBus::SetUp();
        if (HasFatalFailure()) return;
        // The tests send the timer's hint themselves.
        KillTimer(hFrame_, frame_->GetTimerId());
        SetTrackPopupCall(&RecordPopup);
        g_popups.clear();
    }
    void TearDown() override {
        SetTrackPopupCall(NULL);
        SetMode(1);
        DocumentBus::TearDown();
    }

    void Rebuild() {
        ASSERT_TRUE(doc_->InitTheInstruments());
        ASSERT_EQ(Analyzers().size(), 2u);
    }
    void Update(int hint) { doc_->UpdateAllViews(NULL, hint, NULL); }

    CPCVaskTreeView* TreeView() { return frame_->GetTreeView(); }
    CTreeCtrl& Tree() { return TreeView()->GetTreeCtrl(); }
    std::string ItemText(HTREEITEM hItem) {
        char text[256] = "?";
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        Tree().GetItem(&item);
        return item.pszText != NULL ? item.pszText : "";
    }
    int Overlay(HTREEITEM hItem) {
        return (int)(Tree().GetItemState(hItem, TVIS_OVERLAYMASK) & TVIS_OVERLAYMASK) >> 8;
    }
    CConverter* Converter() { return (CConverter*)doc_->GetConverterList()->GetHead(); }

    CPCVaskListView* ListView() { return frame_->GetListView(); }
    std::string Cell(int row, int column) {
        return (LPCSTR)ListView()->GetList().GetItemText(row, column);
    }
    CViewValueBars* Bars() { return frame_->GetValueBarsView(); }
    std::string Text(CWnd& control) {
        CString text;
        control.GetWindowText(text);
        return (LPCSTR)text;
    }
    CViewMessage* Messages() { return frame_->GetMessageView(); }
    static std::vector<std::string> Lines(CListBox& list) {
        std::vector<std::string> lines;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString line;
            list.GetText(i, line);
            lines.push_back((LPCSTR)line);
        }
        return lines;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static bool Visible(CWnd& control) { return (control.GetStyle() & WS_VISIBLE) != 0; }
    // Writes component c's range limits into the device: range r (0 to 3) from lowerStep * r
    // (its text formatted with lowerFormat) to 100 * (r + 1).
    static bool WriteLimits(CVaskInstrument* analyzer, int lowerStep, const char* lowerFormat,
                            int c = 0) {
        VaskFloat lower[4], upper[4];
        for (int r = 0; r < 4; ++r) {
            lower[r].value = lowerStep * r;
            lower[r].text.Format(lowerFormat, lowerStep * r);
            upper[r].value = 100 * (r + 1);
            upper[r].text.Format("%d", 100 * (r + 1));
        }
        CvaskAccess* access = analyzer->GetAccess();
        const int address = analyzer->GetAddress();
        return access->SetMeasurementLower(address, c, lower) &&
               access->SetMeasurementUpper(address, c, upper);
    }
    // The analyzer's answering state as the access layer counts it, polled until it is `state`.
    static bool WaitForState(CVaskInstrument* analyzer, int state) {
        const ULONGLONG end = GetTickCount64() + 30000;
        while (GetTickCount64() < end)
            if (analyzer->GetState() == state) return true;
        return false;
    }
};

// ---- tree ----------------------------------------------------------------------------------

TEST_F(Panes, TreeShowsTheNodesBelowTheNetworkWithTheirStatesAtTheRebuild) {
    // No nodes yet and no network: the root alone, named for the PC.
    TreeView()->RebuildTree();
    EXPECT_EQ(Tree().GetCount(), 1u);
    EXPECT_EQ(ItemText(Tree().GetRootItem()), "Computer");

    Rebuild();
    HTREEITEM hRoot = TreeView()->GetRootItem();
    EXPECT_EQ(ItemText(hRoot), "Bus");
    for (CVaskInstrument* analyzer : Analyzers()) {
        HTREEITEM hItem = analyzer->GetTreeItem();
        ASSERT_NE(hItem, nullptr);
        EXPECT_EQ(ItemText(hItem), std::string(analyzer->GetName()));
        EXPECT_EQ(Tree().GetParentItem(hItem), Converter()->GetTreeItem());
        // Local analyzers: overlay 3, the state at the rebuild.
        EXPECT_EQ(Overlay(hItem), 3);
        HTREEITEM hTop = hItem;
        while (Tree().GetParentItem(hTop) != NULL) hTop = Tree().GetParentItem(hTop);
        EXPECT_EQ(hTop, hRoot);
    }
    CVaskInstrument* sindor = Analyzers()[0];
    CVaskInstrument* parvel = Analyzers()[1];
    EXPECT_EQ(Tree().GetSelectedItem(), sindor->GetTreeItem());

    // The overlay stays while the device goes remote; texts follow the node at once.
    ASSERT_TRUE(Sim("SET 1 remote 1"));
    EXPECT_TRUE(WaitForState(sindor, 2));
    Update(3);
    EXPECT_EQ(Overlay(sindor->GetTreeItem()), 3);
    sindor->SetName("Kamin 1");
    EXPECT_EQ(ItemText(sindor->GetTreeItem()), "Kamin 1");
    // A name longer than the control's buffer is cut to fit, terminated.
    char small[5] = {'x', 'x', 'x', 'x', 'y'};
    NMTVDISPINFOA request = {};
    request.hdr.hwndFrom = Tree().m_hWnd;
    request.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(Tree().m_hWnd);
    request.hdr.code = TVN_GETDISPINFOA;
    request.item.mask = TVIF_TEXT;
    request.item.hItem = sindor->GetTreeItem();
    request.item.lParam = (LPARAM)sindor;
    request.item.pszText = small;
    request.item.cchTextMax = 4;
    SendMessageA(GetParent(Tree().m_hWnd), WM_NOTIFY, request.hdr.idFrom, (LPARAM)&request);
    EXPECT_EQ(std::string(small), "Kam");
    EXPECT_EQ(small[4], 'y');
    // While the document rebuilds its nodes an item shows what it showed: not the node, which
    // may be gone, nor whatever the control's buffer held.
    doc_->SetBusy(1);
    sindor->SetName("Kamin 2");
    EXPECT_EQ(ItemText(sindor->GetTreeItem()), "Kamin 1");
    doc_->SetBusy(0);
    EXPECT_EQ(ItemText(sindor->GetTreeItem()), "Kamin 2");

    // Hint 7 repaints the tree; so does the update after a node's state changed.
    HWND hTree = Tree().m_hWnd;
    // The repaints asked for so far (the rebuild, the Sindor going remote).
    Update(4);
    Update(4);
    static int paints = 0;
    static WNDPROC original = NULL;
    paints = 0;
    original = (WNDPROC)SetWindowLongPtrA(
        hTree, GWLP_WNDPROC, (LONG_PTR) + [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_PAINT) ++paints;
            return CallWindowProcA(original, h, m, w, l);
        });
    ValidateRect(hTree, NULL);
    Update(4);
    EXPECT_EQ(paints, 0);
    Update(7);
    EXPECT_GE(paints, 1);
    // A node whose state changed repaints the tree at the next update.
    paints = 0;
    sindor->SetChanged(1);
    Update(4);
    Update(4);
    EXPECT_GE(paints, 1);
    SetWindowLongPtrA(hTree, GWLP_WNDPROC, (LONG_PTR)original);

    // Selecting the Parvel makes it the document's selection...
    Tree().SelectItem(parvel->GetTreeItem());
    EXPECT_EQ(doc_->GetCurrentInstrument(), parvel);
    Tree().SelectItem(sindor->GetTreeItem());
    // ...until it stops answering: then it cannot be selected and the Sindor stays.
    ASSERT_TRUE(Sim("FAULT 2 silent always"));
    ASSERT_TRUE(WaitForState(parvel, 4));
    Tree().SelectItem(parvel->GetTreeItem());
    EXPECT_EQ(doc_->GetCurrentInstrument(), sindor);
    EXPECT_EQ(Tree().GetSelectedItem(), sindor->GetTreeItem());
    // An analyzer that is not chosen for connection neither.
    ASSERT_TRUE(Sim("CLEARFAULTS"));
    parvel->SetConnectionEnabled(0);
    Tree().SelectItem(parvel->GetTreeItem());
    EXPECT_EQ(doc_->GetCurrentInstrument(), sindor);
    parvel->SetConnectionEnabled(1);
}

TEST_F(Panes, TreePlacesNodesWhoseParentsAreMissingOrInactive) {
    CInstrument outside("Outside"), inside("Inside"), hidden("Hidden"), orphan("Orphan");
    inside.SetParent(&outside);
    hidden.SetActive(0);
    orphan.SetParent(&hidden);
    CObList* nodes = doc_->GetPortList();
    const POSITION insidePos = nodes->AddTail(&inside);
    const POSITION hiddenPos = nodes->AddTail(&hidden);
    const POSITION orphanPos = nodes->AddTail(&orphan);
    SetMode(0);
    TreeView()->RebuildTree();
    HTREEITEM hRoot = TreeView()->GetRootItem();
    // The parent outside the list is inserted first, below the root.
    ASSERT_NE(outside.GetTreeItem(), nullptr);
    EXPECT_EQ(Tree().GetParentItem(outside.GetTreeItem()), hRoot);
    EXPECT_EQ(Tree().GetParentItem(inside.GetTreeItem()), outside.GetTreeItem());
    EXPECT_EQ(ItemText(inside.GetTreeItem()), "Inside");
    // An inactive node has no item; its child sits beside the root.
    EXPECT_EQ(hidden.GetTreeItem(), nullptr);
    ASSERT_NE(orphan.GetTreeItem(), nullptr);
    EXPECT_EQ(Tree().GetParentItem(orphan.GetTreeItem()), nullptr);
    EXPECT_EQ(Tree().GetNextSiblingItem(hRoot), orphan.GetTreeItem());

    // A second build does not reuse the parent's item of the first one.
    TreeView()->RebuildTree();
    EXPECT_EQ(Tree().GetParentItem(inside.GetTreeItem()), outside.GetTreeItem());
    EXPECT_EQ(Tree().GetCount(), 4u);

    nodes->RemoveAt(orphanPos);
    nodes->RemoveAt(hiddenPos);
    nodes->RemoveAt(insidePos);
    TreeView()->RebuildTree();
}

TEST_F(Panes, OfflineAnAnalyzerIsRenamedAndItsComponentsNamedThroughItsMenu) {
    Rebuild();
    CPCVaskTreeView* view = TreeView();
    MSG contextMenu = {view->m_hWnd, WM_CONTEXTMENU, (WPARAM)view->m_hWnd, MAKELPARAM(-1, -1), 0,
                       {0, 0}};
    // Online nothing is offered.
    EXPECT_TRUE(view->PreTranslateMessage(&contextMenu));
    EXPECT_TRUE(g_popups.empty());

    SetMode(0);
    EXPECT_TRUE(view->PreTranslateMessage(&contextMenu));
    // Shift+F10 as the keyboard gives it.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    MSG shiftF10 = {view->m_hWnd, WM_SYSKEYDOWN, VK_F10, 0, 0, {0, 0}};
    EXPECT_TRUE(view->PreTranslateMessage(&shiftF10));
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    MSG plainF10 = {view->m_hWnd, WM_SYSKEYDOWN, VK_F10, 0, 0, {0, 0}};
    EXPECT_FALSE(view->PreTranslateMessage(&plainF10));

    POINT corner = {5, 5};
    ClientToScreen(view->m_hWnd, &corner);
    ASSERT_EQ(g_popups.size(), 2u);
    for (const PopupCall& call : g_popups) {
        EXPECT_EQ(call.ids, (std::vector<UINT>{ID_TREE_RENAME, ID_TREE_EDIT_COMPONENTS}));
        EXPECT_EQ(call.point.x, corner.x);
        EXPECT_EQ(call.point.y, corner.y);
        EXPECT_EQ(call.owner, hFrame_);
    }
    // On the converter nothing is offered.
    Tree().SelectItem(Converter()->GetTreeItem());
    view->PreTranslateMessage(&contextMenu);
    EXPECT_EQ(g_popups.size(), 2u);

    // "Edit Components...": the names go to the analyzer and the views hear hint 6.
    Tree().SelectItem(Analyzers()[0]->GetTreeItem());
    wkit::Driver driver;
    driver.OnOpen(wkit::Template(IDD_DEFINE_COMPONENTS), [](wkit::Window& dialog) {
        dialog.SetText(IDC_COMPONENT_NAME_1, "CO Kamin");
        dialog.PressOK();
    });
    hints_.hints.clear();
    SendMessageA(view->m_hWnd, WM_COMMAND, ID_TREE_EDIT_COMPONENTS, 0);
    EXPECT_EQ(std::string(Analyzers()[0]->GetComponentName(0)), "CO Kamin");
    EXPECT_EQ(hints_.hints, std::vector<int>{6});

    // Renaming in place.
    SetMode(1);
    CVaskInstrument* sindor = Analyzers()[0];
    const std::string name = (LPCSTR)sindor->GetName();
    HWND hView = TreeView()->m_hWnd;
    auto edit = [&](const char* text, BOOL cancel) {
        SendMessageA(hView, WM_COMMAND, ID_TREE_RENAME, 0);
        CWnd* pEdit = Tree().GetEditControl();
        if (pEdit == NULL) return false;
        pEdit->SetWindowText(text);
        SendMessageA(Tree().m_hWnd, TVM_ENDEDITLABELNOW, cancel, 0);
        return true;
    };
    // Online the label cannot be edited.
    EXPECT_FALSE(edit("Online", FALSE));
    EXPECT_EQ(std::string(sindor->GetName()), name);

    SetMode(0);
    ASSERT_TRUE(edit("Kamin 1", FALSE));
    EXPECT_EQ(std::string(sindor->GetName()), "Kamin 1");
    EXPECT_EQ(ItemText(sindor->GetTreeItem()), "Kamin 1");
    // An empty name changes nothing.
    ASSERT_TRUE(edit("", FALSE));
    EXPECT_EQ(std::string(sindor->GetName()), "Kamin 1");
    EXPECT_EQ(ItemText(sindor->GetTreeItem()), "Kamin 1");
    // A cancelled edit (Escape) brings no text at all: refused, nothing read.
    NMTVDISPINFOA cancelled = {};
    cancelled.hdr.hwndFrom = Tree().m_hWnd;
    cancelled.hdr.idFrom = (UINT_PTR)GetDlgCtrlID(Tree().m_hWnd);
    cancelled.hdr.code = TVN_ENDLABELEDITA;
    cancelled.item.hItem = sindor->GetTreeItem();
    cancelled.item.pszText = NULL;
    EXPECT_EQ(
        SendMessageA(GetParent(Tree().m_hWnd), WM_NOTIFY, cancelled.hdr.idFrom, (LPARAM)&cancelled),
        1);
    EXPECT_EQ(std::string(sindor->GetName()), "Kamin 1");
    // The converter's label is not the user's to edit.
    Tree().SelectItem(Converter()->GetTreeItem());
    EXPECT_FALSE(edit("Converter", FALSE));
}

// ---- splitter --------------------------------------------------------------------------------

TEST_F(Panes, TheValuePaneFollowsTheSelectionAndTheDocumentStays) {
    Rebuild();
    CFlexibleSplitterWnd& splitter = frame_->GetSplitterTop();
    // The first analyzer is selected: the bars are in the value pane.
    EXPECT_TRUE(splitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CViewValueBars)));
    CWnd* bars = splitter.GetPane(0, 1);
    EXPECT_FALSE(splitter.ReplaceView(0, 1, RUNTIME_CLASS(CViewValueBars), CSize(100, 100)));
    EXPECT_EQ(splitter.GetPane(0, 1), bars);

    // A replacement keeps the document (and its auto-delete flag); the new view is active
    // when the old one was.
    doc_->m_bAutoDelete = TRUE;
    frame_->SetActiveView((CView*)bars);
    ASSERT_TRUE(splitter.ReplaceView(0, 1, RUNTIME_CLASS(CPCVaskListView), CSize(100, 100)));
    CView* list = (CView*)splitter.GetPane(0, 1);
    EXPECT_TRUE(list->IsKindOf(RUNTIME_CLASS(CPCVaskListView)));
    EXPECT_EQ(list->GetDocument(), doc_);
    EXPECT_TRUE(doc_->m_bAutoDelete);
    EXPECT_EQ(frame_->GetActiveView(), list);
    EXPECT_EQ(frame_->GetActiveDocument(), doc_);
    frame_->SetActiveView(TreeView());

    // Converter: the list; analyzer: the bars; through instrument mode and back as well.
    Tree().SelectItem(Converter()->GetTreeItem());
    EXPECT_TRUE(splitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPCVaskListView)));
    EXPECT_EQ(frame_->GetListView(), splitter.GetPane(0, 1));
    Tree().SelectItem(Analyzers()[1]->GetTreeItem());
    EXPECT_TRUE(splitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CViewValueBars)));
    Command(ID_EDIT_INSTRUMENT_DATA);
    Command(ID_RETURN_TO_MAIN_MENU);
    Tree().SelectItem(Converter()->GetTreeItem());
    EXPECT_TRUE(splitter.GetPane(0, 1)->IsKindOf(RUNTIME_CLASS(CPCVaskListView)));
    EXPECT_EQ(ListView()->GetList().GetItemCount(), 3);

    // Help: the control under the point, else the pane.
    Tree().SelectItem(Analyzers()[0]->GetTreeItem());
    auto hitTest = [](CWnd* pane, CWnd* control) {
        POINT point = {1, 1};
        if (control != NULL) {
            RECT rect;
            control->GetWindowRect(&rect);
            point = {rect.left + 2, rect.top + 2};
            ScreenToClient(pane->m_hWnd, &point);
        }
        return (DWORD_PTR)SendMessageA(pane->m_hWnd, WM_HELPHITTEST, 0,
                                       MAKELPARAM(point.x, point.y));
    };
    EXPECT_EQ(hitTest(TreeView(), NULL), 0x20099u);
    CViewMessage* messages = Messages();
    EXPECT_EQ(hitTest(messages, &messages->m_listSystemStates), 0x50000u + IDC_SYSTEM_STATES);
    // The label above a list has no id of a control: the pane's topic.
    EXPECT_EQ(hitTest(messages, messages->GetDlgItem(IDC_SYSTEM_STATES)->GetWindow(GW_HWNDPREV)),
              0x20065u);
    CViewValueBars* barsView = Bars();
    ASSERT_NE(barsView, nullptr);
    EXPECT_EQ(hitTest(barsView, &barsView->m_bars[0]), 0x50000u + IDC_BAR_1);
    EXPECT_EQ(hitTest(barsView, NULL), 0x20093u);
    EXPECT_EQ(SendMessageA(barsView->m_hWnd, WM_COMMANDHELP, 0, 0), 0);
    Tree().SelectItem(Converter()->GetTreeItem());
    EXPECT_EQ(hitTest(ListView(), NULL), 0x50000u + CListViewEx::IDC_LIST);
    EXPECT_EQ(SendMessageA(ListView()->m_hWnd, WM_COMMANDHELP, 0, 0), 0);
}

// ---- value list ------------------------------------------------------------------------------

TEST_F(Panes, TheValueListHasOneRowPerComponentWithValueAndSwitches) {
    ASSERT_TRUE(Sim("SET 1 meas 0 50 40 3000"));
    ASSERT_TRUE(Sim("STORE 1 0 k4 810080008000"));  // autorange on
    ASSERT_TRUE(Sim("SET 1 switch 3 1"));           // limit alarm on, calibration off
    ASSERT_TRUE(Sim("SET 1 switch 4 0"));
    Rebuild();
    Tree().SelectItem(Converter()->GetTreeItem());
    CListCtrlEx& list = ListView()->GetList();
    ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), 4);
    for (int c = 0; c < 4; ++c) {
        char text[64] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        list.GetHeaderCtrl()->GetItem(c, &item);
        const char* const names[] = {"Instrument", "Component", "Cur. Value", "Status"};
        EXPECT_STREQ(text, names[c]);
    }
    ASSERT_EQ(list.GetItemCount(), 3);
    CVaskInstrument* sindor = Analyzers()[0];
    CVaskInstrument* parvel = Analyzers()[1];
    EXPECT_EQ(Cell(0, 0), std::string(sindor->GetName()) + ": Measure");
    EXPECT_EQ(Cell(1, 0), " ");
    EXPECT_EQ(Cell(2, 0), std::string(parvel->GetName()) + ": Measure");
    EXPECT_EQ(Cell(0, 1), std::string(sindor->GetComponentLabel(0)));
    EXPECT_EQ(Cell(0, 3), "[ AR GW __ __ __ ] ");
    EXPECT_EQ(Cell(2, 3), "[ __ __ __ __ __ ] ");
    EXPECT_EQ(std::string(list.GetItemTipText(0, 3)),
              "AR: autorange on\nGW: Limit alarm on\nGJ: Total range calibration on\nNU: Suppress "
              "negative values\nJM: Indicate exceeding of calibration tolerances");
    EXPECT_EQ(ListView()->GetRowInstrument(1), sindor);
    EXPECT_EQ(ListView()->GetRowInstrument(2), parvel);
    // CO in ppm.
    EXPECT_EQ(Cell(0, 2).substr(Cell(0, 2).size() - 4), " ppm");

    // The timer's refresh brings the values as they move.
    const std::string first = Cell(0, 2);
    EXPECT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return Cell(0, 2) != first;
        },
        15000))
        << first;
    EXPECT_EQ(list.GetItemCount(), 3);

    // A unit beyond the unit texts: the value and one blank.
    ASSERT_TRUE(Sim("SET 2 unit 0 60"));
    EXPECT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            const std::string cell = Cell(2, 2);
            return cell.size() > 2 && cell.back() == ' ' && cell[cell.size() - 2] != ' ';
        },
        15000))
        << Cell(2, 2);

    // An analyzer whose connection is off has no rows; hints 5 and 7 empty the list.
    parvel->SetConnectionEnabled(0);
    Update(6);
    EXPECT_EQ(list.GetItemCount(), 2);
    parvel->SetConnectionEnabled(1);
    Update(7);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 0);
    // The timer's hint before any fill builds columns and rows.
    Update(3);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 4);
}

TEST_F(Panes, ASindor23ShowsItsSensorsAsComponentsTwoAndThree) {
    ASSERT_TRUE(Sim("FAULT 1 reject always ?? on=s8"));
    // Two infrared components, the H2S sensor (its channel in unit 50) and the O2 sensor.
    for (const char* command : {"REMOVE 2", "DEVICE 2 type=4 components=4 ranges=2",
                                "SET 2 name Sindor 23", "SET 2 unit 2 50"})
        ASSERT_TRUE(Sim(command));
    Rebuild();
    // The Sindor 6 is selected first: its second component's range cannot be read.
    CViewValueBars* sindor6Bars = Bars();
    ASSERT_NE(sindor6Bars, nullptr);
    for (CStatic* text : {&sindor6Bars->m_lowerLimits[1], &sindor6Bars->m_upperLimits[1],
                          &sindor6Bars->m_values[1], &sindor6Bars->m_ranges[1]})
        EXPECT_EQ(Text(*text), "Unknown");
    int low6 = -1, high6 = -1;
    sindor6Bars->m_bars[1].GetRange(low6, high6);
    EXPECT_EQ(sindor6Bars->m_bars[1].GetPos(), std::max(0, low6));
    ASSERT_TRUE(Sim("CLEARFAULTS"));
    ASSERT_TRUE(Analyzers()[1]->IsKindOf(RUNTIME_CLASS(CSindor23)));
    CSindor23* sindor23 = (CSindor23*)Analyzers()[1];
    ASSERT_EQ(sindor23->GetComponentCount(), 2);
    ASSERT_TRUE(sindor23->HasH2SSensor());
    ASSERT_TRUE(sindor23->HasO2Sensor());

    // In the list below the converter: rows 2 to 5 for its components 0 to 3.
    Tree().SelectItem(Converter()->GetTreeItem());
    CListCtrlEx& list = ListView()->GetList();
    ASSERT_EQ(list.GetItemCount(), 6);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(Cell(2 + c, 1), std::string(sindor23->GetComponentLabel(c))) << c;

    // In the bars all four rows; its range 3 is the combined range "1/2", from the first
    // range's lower limit to the second range's upper limit.
    ASSERT_TRUE(WriteLimits(sindor23, 5, "%d"));
    ASSERT_TRUE(sindor23->GetAccess()->SetMeasRange(2, 0, 3, 0));
    Tree().SelectItem(sindor23->GetTreeItem());
    CViewValueBars* bars = Bars();
    ASSERT_NE(bars, nullptr);
    for (int c = 0; c < 4; ++c) EXPECT_TRUE(Visible(bars->m_bars[c])) << c;
    VaskFloat range;
    sindor23->FindParameterByNumber(6)->GetValue(range);
    EXPECT_EQ(Text(bars->m_ranges[0]), "Range: " + std::string(range.text));
    int low = -1, high = -1;
    bars->m_bars[0].GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 200);
}

// ---- value bars ------------------------------------------------------------------------------

TEST_F(Panes, TheValueBarsShowTheCurrentRangeOfEachComponent) {
    ASSERT_TRUE(Sim("SET 1 meas 0 150 0"));
    Rebuild();
    CVaskInstrument* sindor = Analyzers()[0];
    ASSERT_TRUE(WriteLimits(sindor, 10, "%d.5"));
    CViewValueBars* bars = Bars();
    ASSERT_NE(bars, nullptr);
    // Two components: rows 2 and 3 hidden.
    EXPECT_TRUE(Visible(bars->m_bars[1]));
    EXPECT_FALSE(Visible(bars->m_bars[2]));
    EXPECT_FALSE(Visible(bars->m_status[3]));
    EXPECT_EQ(Text(bars->m_labels[0]), std::string(sindor->GetComponentLabel(0)) + ":");
    EXPECT_EQ(bars->m_toolTip.GetMaxTipWidth(), 300);
    EXPECT_EQ(bars->m_toolTip.GetToolCount(), 4);
    CString tip;
    bars->m_toolTip.GetText(tip, &bars->m_status[0]);
    EXPECT_EQ(std::string(tip).substr(0, 17), "AR: autorange on\n");

    // The range value: the range shown, the one whose limits span the bar. The device gives
    // 1 to 4; an offline set may hold any value: 0 and below mean the first range, one
    // beyond the four is none.
    const struct {
        bool online;
        double value;
        std::string range;
        int limits;  // -1: "Unknown"
    } cases[] = {{true, 1, "Range: 1", 0},  {true, 2, "Range: 2", 1},  {true, 3, "Range: 3", 2},
                 {true, 4, "Range: 4", 3},  {false, 0, "Range: 1", 0}, {false, -2, "Range: 1", 0},
                 {false, 2, "Range: 2", 1}, {false, 5, "Unknown", -1}};
    CVaskParameter* rangeEntry = sindor->FindParameterByNumber(6);
    ASSERT_NE(rangeEntry, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.online) {
            ASSERT_TRUE(sindor->GetAccess()->SetMeasRange(1, 0, (int)c.value, 0));
        } else {
            SetMode(0);
            VaskFloat value;
            value.value = c.value;
            rangeEntry->SetValue(value);
        }
        Update(3);
        EXPECT_EQ(Text(bars->m_ranges[0]), c.range);
        int low = -1, high = -1;
        bars->m_bars[0].GetRange(low, high);
        if (c.limits < 0) {
            EXPECT_EQ(Text(bars->m_lowerLimits[0]), "Unknown");
            EXPECT_EQ(Text(bars->m_upperLimits[0]), "Unknown");
            EXPECT_EQ(Text(bars->m_values[0]), "Unknown");
            // Position 0: an empty bar.
            EXPECT_EQ(bars->m_bars[0].GetPos(), std::max(0, low));
            continue;
        }
        // The limits' texts as read; the bar over their whole numbers.
        VaskFloat lowerRead, upperRead;
        sindor->FindParameterByNumber(30 + c.limits)->GetValue(lowerRead);
        sindor->FindParameterByNumber(46 + c.limits)->GetValue(upperRead);
        EXPECT_EQ(Text(bars->m_lowerLimits[0]), std::string(lowerRead.text));
        EXPECT_EQ(Text(bars->m_upperLimits[0]), std::string(upperRead.text));
        EXPECT_EQ(low, 10 * c.limits);
        EXPECT_EQ(high, 100 * (c.limits + 1));
        if (!c.online) continue;
        // The measured value of 150, clamped into the range by the bar.
        EXPECT_EQ(bars->m_bars[0].GetPos(), std::min(150, high));
        EXPECT_EQ(Text(bars->m_values[0]).substr(0, 3), "150");
    }
}

// ---- messages --------------------------------------------------------------------------------

TEST_F(Panes, TheMessagePaneListsTheStatesAndLightsTheirColour) {
    doc_->SetStatusText("Before the rebuild", 1);
    Rebuild();
    CViewMessage* view = Messages();
    CVaskInstrument* sindor = Analyzers()[0];
    CVaskInstrument* parvel = Analyzers()[1];
    const std::string sindorName = (LPCSTR)sindor->GetDisplayName();
    const std::string parvelName = (LPCSTR)parvel->GetDisplayName();
    // The rebuild emptied the status text.
    EXPECT_EQ(Text(*view->GetDlgItem(IDC_MESSAGE_STATUS_TEXT)), "");

    // Flags of the device's state: 1 error, 2 maintenance request, 16 function check, 64 limit.
    const struct {
        int flags;
        const char* text;  // of the Sindor's state
        bool red, yellow;
        const char* tip;
    } cases[] = {
        {1, "Error", true, false, "KEM Status: Error"},
        {64, "limit value", false, false, "KEM Status: Normal"},
        {2, "warning / maintenance request", false, true, "KEM Status: Warning"},
        {16, "function check", false, true, "KEM Status: Warning"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        ASSERT_TRUE(Sim("SET 1 flags " + std::to_string(c.flags)));
        const std::string line = sindorName + ": " + c.text;
        ASSERT_TRUE(wkit::Driver::PumpUntil(
            [&] {
                Update(3);
                return Has(Lines(view->m_listChannelStates), line);
            },
            10000));
        EXPECT_EQ(Lines(view->m_listChannelStates), std::vector<std::string>{line});
        // The whole text can be read.
        EXPECT_EQ(wkit::Unfit(wkit::WholeEntries(view->m_listChannelStates.m_hWnd)), "");
        EXPECT_EQ(Visible(view->m_lightRed), c.red);
        EXPECT_EQ(Visible(view->m_lightYellow), c.yellow);
        EXPECT_EQ(Visible(view->m_lightGreen), !c.red && !c.yellow);
        ASSERT_FALSE(recorders_.tray.empty());
        EXPECT_EQ(recorders_.tray.back().tip, c.tip);
    }
    // The frame keeps the last icon: the same one again calls nothing.
    const size_t calls = recorders_.tray.size();
    EXPECT_EQ(frame_->UpdateTrayIcon(IDI_STATUS_WARNING), 1);
    EXPECT_EQ(recorders_.tray.size(), calls);

    // One error and one limit: the status bar's ERR and LIM.
    ASSERT_TRUE(Sim("SET 1 flags 1"));
    ASSERT_TRUE(Sim("SET 2 flags 64"));
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return doc_->GetAnyError() && doc_->GetAnyLimit() && !doc_->GetAnyFunctionCheck();
        },
        10000));
    EXPECT_EQ(doc_->GetAnyMaintenance(), 0);
    frame_->UpdateStatusBar();
    const bool enabled[] = {true, false, false, true};  // ERR CTRL WART LIM
    for (int pane = 6; pane <= 9; ++pane) EXPECT_EQ(PaneEnabled(pane), enabled[pane - 6]) << pane;

    // The extended status: a fault and a maintenance request of the Parvel.
    ASSERT_TRUE(Sim("STORE 2 0 k23 8100810080008000"));
    Update(3);
    const std::vector<std::string> system = Lines(view->m_listSystemStates);
    EXPECT_EQ(system, (std::vector<std::string>{parvelName + ": Fault general",
                                                parvelName + ": Maintenance general"}));
    ASSERT_TRUE(Sim("STORE 2 0 k23 8000800080008000"));
    Update(3);
    EXPECT_TRUE(Lines(view->m_listSystemStates).empty());

    // A busy document empties both lists; a rebuild request shows everything anew.
    doc_->SetBusy(1);
    Update(3);
    EXPECT_TRUE(Lines(view->m_listChannelStates).empty());
    doc_->SetBusy(0);
    view->RequestRebuild();
    Update(3);
    EXPECT_TRUE(Has(Lines(view->m_listChannelStates), sindorName + ": Error"));
    EXPECT_TRUE(Has(Lines(view->m_listChannelStates), parvelName + ": limit value"));
    EXPECT_FALSE(view->IsRebuildRequested());

    // Two analyzers of one display name share their texts: when one clears its error, the
    // text goes for both.
    parvel->SetName(sindor->GetName());
    const std::string shared = std::string(sindor->GetDisplayName()) + ": Error";
    ASSERT_TRUE(Sim("SET 2 flags 1"));
    view->RequestRebuild();
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return Lines(view->m_listChannelStates) == std::vector<std::string>{shared} &&
                   doc_->GetAnyLimit() == 0;
        },
        10000));
    ASSERT_TRUE(Sim("SET 2 flags 0"));
    EXPECT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return Lines(view->m_listChannelStates).empty();
        },
        10000));
}

// A refresh that finds the user's click waiting stops after the first analyzer; the one it
// did not reach keeps its last known state: its flags (the red light, the tray icon and the
// status bar's error pane stay on for its error), and after a rebuild request its texts too.
// The next refresh begins with it. An analyzer that leaves the tree leaves the summary.
TEST_F(Panes, ARefreshCutShortByAClickKeepsTheStateOfTheAnalyzersItDidNotRead) {
    Rebuild();
    CViewMessage* view = Messages();
    const std::string parvelName = (LPCSTR)Analyzers()[1]->GetDisplayName();
    const std::string parvelError = parvelName + ": Error";
    const std::string parvelFault = parvelName + ": Fault general";
    for (const bool rebuild : {false, true}) {
        SCOPED_TRACE(rebuild ? "after a rebuild request" : "without a rebuild request");
        // The Sindor without a fault, the Parvel with an error and a fault of its sample gas.
        ASSERT_TRUE(Sim("SET 1 flags 0"));
        ASSERT_TRUE(Sim("SET 2 flags 1"));
        ASSERT_TRUE(Sim("STORE 2 0 k23 8100800080008000"));
        ASSERT_TRUE(wkit::Driver::PumpUntil(
            [&] {
                Update(3);
                return Has(Lines(view->m_listChannelStates), parvelError) &&
                       Has(Lines(view->m_listSystemStates), parvelFault);
            },
            10000));
        ASSERT_NE(doc_->GetAnyError(), 0);
        ASSERT_TRUE(Visible(view->m_lightRed));
        if (rebuild) view->RequestRebuild();

        // A real click on the message pane, waiting in this thread's queue during the refresh.
        RECT client = {};
        view->GetClientRect(&client);
        POINT point = {client.right / 2, client.bottom - 2};
        view->ClientToScreen(&point);
        ASSERT_EQ(GetWindowThreadProcessId(WindowFromPoint(point), NULL), GetCurrentThreadId());
        ASSERT_TRUE(wkit::ClickAtScreen(point));
        ASSERT_TRUE(HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) != 0) << "the click is not queued";

        ASSERT_TRUE(Sim("CLEARLOG"));
        const size_t trayCalls = recorders_.tray.size();
        {
            // As the main frame's timer gives it.
            CRefreshGivingWay refresh;
            Update(3);
        }
        std::vector<vasksim::SimLogEntry> entries;
        ASSERT_TRUE(sim_.Log(entries)) << sim_.LastError();
        for (const vasksim::SimLogEntry& e : entries)
            EXPECT_NE(e.to.rfind("2/", 0), 0u) << "the refresh went on to the Parvel";
        EXPECT_NE(doc_->GetAnyError(), 0) << "the unread analyzer's error was dropped";
        EXPECT_TRUE(Visible(view->m_lightRed));
        EXPECT_FALSE(Visible(view->m_lightGreen));
        for (size_t call = trayCalls; call < recorders_.tray.size(); ++call)
            EXPECT_EQ(recorders_.tray[call].tip, "KEM Status: Error");
        frame_->UpdateStatusBar();
        EXPECT_TRUE(PaneEnabled(6)) << "the status bar's error pane";
        EXPECT_TRUE(Has(Lines(view->m_listChannelStates), parvelError));
        EXPECT_TRUE(Has(Lines(view->m_listSystemStates), parvelFault));
        EXPECT_FALSE(view->IsRebuildRequested());

        // The click taken, the next refresh begins with the Parvel: its error gone, so is the
        // red.
        wkit::Driver::PumpUntil([] { return HIWORD(GetQueueStatus(QS_MOUSEBUTTON)) == 0; }, 5000);
        ASSERT_TRUE(Sim("SET 2 flags 0"));
        ASSERT_TRUE(Sim("STORE 2 0 k23 8000800080008000"));
        ASSERT_TRUE(Sim("CLEARLOG"));
        Update(3);
        ASSERT_TRUE(sim_.Log(entries)) << sim_.LastError();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front().to.rfind("2/", 0), 0u)
            << "the refresh began with " << entries.front().line;
        // The device's flags come with its answers.
        EXPECT_TRUE(wkit::Driver::PumpUntil(
            [&] {
                Update(3);
                return doc_->GetAnyError() == 0 &&
                       !Has(Lines(view->m_listChannelStates), parvelError) &&
                       !Has(Lines(view->m_listSystemStates), parvelFault);
            },
            10000));
        EXPECT_FALSE(Visible(view->m_lightRed));
    }

    // The Parvel's error known, then the Parvel gone from the bus and the tree.
    ASSERT_TRUE(Sim("SET 2 flags 1"));
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return doc_->GetAnyError() != 0;
        },
        10000));
    ASSERT_TRUE(Sim("REMOVE 2"));
    ASSERT_TRUE(doc_->InitTheInstruments());
    ASSERT_EQ(Analyzers().size(), 1u);
    Update(3);
    EXPECT_EQ(doc_->GetAnyError(), 0);
    EXPECT_TRUE(Visible(view->m_lightGreen));
}

// A selection that finds the user's click waiting gives way as a refresh does: with slow
// analyzers the click on the next analyzer would otherwise wait for every value of this one.
// Its first request is made; what it did not read shows nothing of the analyzer shown before
// and is read by the next refresh, the rows' switch status as well, and again by every
// refresh after it.
TEST_F(Panes, ASelectionThatFindsAClickWaitingLeavesTheValuesItDidNotReadToTheRefresh) {
    ASSERT_TRUE(Sim("SET 1 meas 0 150 40"));
    // The Sindor's two components with switch records of their own.
    ASSERT_TRUE(Sim("STORE 1 0 k4 810080008000"));
    ASSERT_TRUE(Sim("STORE 1 1 k4 800081008000"));
    Rebuild();
    CVaskInstrument* sindor = Analyzers()[0];
    CVaskInstrument* parvel = Analyzers()[1];
    // A real click on the message pane, waiting in this thread's queue; then taken.
    auto queueClick = [&] {
        RECT client = {};
        Messages()->GetClientRect(&client);
        POINT point = {client.right / 2, client.bottom - 2};
        Messages()->ClientToScreen(&point);
        ASSERT_EQ(GetWindowThreadProcessId(WindowFromPoint(point), NULL), GetCurrentThreadId());
        ASSERT_TRUE(wkit::ClickAtScreen(point));
        ASSERT_TRUE(IsUserInputWaiting()) << "the click is not queued";
    };
    auto takeClick = [] {
        EXPECT_TRUE(wkit::Driver::PumpUntil([] { return !IsUserInputWaiting(); }, 5000));
    };
    // The requests on the line, one per line: a telegram repeated at once (its answer late on
    // a busy machine) is the same request.
    auto requests = [&] {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        std::string lines;
        for (size_t i = 0; i < entries.size(); ++i)
            if (i == 0 || entries[i].raw != entries[i - 1].raw) lines += entries[i].line + "\n";
        return lines;
    };

    // The Parvel's bars, read whole: no input waits.
    Tree().SelectItem(parvel->GetTreeItem());
    ASSERT_NE(Bars(), nullptr);
    ASSERT_NE(Text(Bars()->m_values[0]), "");

    // The Sindor selected while the click waits: one request, and neither of its two rows
    // shows the Parvel's value.
    queueClick();
    ASSERT_TRUE(Sim("CLEARLOG"));
    Tree().SelectItem(sindor->GetTreeItem());
    const std::string asked = requests();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), '\n'), 1) << asked;
    ASSERT_NE(Bars(), nullptr);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(Text(Bars()->m_labels[c]), std::string(sindor->GetComponentLabel(c)) + ":");
        EXPECT_EQ(Text(Bars()->m_values[c]), "") << "row " << c;
        EXPECT_EQ(Text(Bars()->m_upperLimits[c]), "") << "row " << c;
    }
    EXPECT_EQ(Text(Bars()->m_status[1]), "") << "row 1's switch status before it is read";
    takeClick();
    // The switch statuses as the device gives them now.
    auto switches = [&](CVaskInstrument* analyzer, int c) {
        CString text;
        EXPECT_TRUE(analyzer->GetCompSwitchText(c, text));
        return std::string(text);
    };
    const std::string status[] = {switches(sindor, 0), switches(sindor, 1)};
    ASSERT_NE(status[0], status[1]);
    // Every refresh reads every row whole, whatever the selection read of it.
    for (int refresh = 0; refresh < 2; ++refresh) {
        Update(3);
        for (int c = 0; c < 2; ++c) {
            EXPECT_NE(Text(Bars()->m_values[c]), "") << "row " << c << " not read by the refresh";
            EXPECT_NE(Text(Bars()->m_upperLimits[c]), "") << "row " << c;
            EXPECT_EQ(Text(Bars()->m_status[c]), status[c])
                << "row " << c << ", refresh " << refresh;
        }
    }
    // A switch changed at the device shows with the next refresh.
    ASSERT_TRUE(Sim("STORE 1 1 k4 810081008000"));
    const std::string changed = switches(sindor, 1);
    ASSERT_NE(changed, status[1]);
    Update(3);
    EXPECT_EQ(Text(Bars()->m_status[1]), changed);

    // The converter selected while the click waits: the list lays out every row at once with
    // the names, reads the Sindor's first row and leaves the rest to the refresh; the Parvel's
    // row shows nothing of a value until then.
    queueClick();
    Tree().SelectItem(Converter()->GetTreeItem());
    ASSERT_NE(ListView(), nullptr);
    ASSERT_EQ(ListView()->GetList().GetItemCount(), 3);
    EXPECT_EQ(Cell(2, 0), std::string(parvel->GetName()));
    EXPECT_EQ(Cell(2, 1), std::string(parvel->GetComponentLabel(0)));
    EXPECT_EQ(Cell(2, 2), "") << "the Parvel's value before it is read";
    EXPECT_EQ(Cell(2, 3), "");
    EXPECT_EQ(ListView()->GetRowInstrument(2), parvel);
    takeClick();
    Update(3);
    ASSERT_EQ(ListView()->GetList().GetItemCount(), 3);
    EXPECT_EQ(Cell(2, 0).rfind(std::string(parvel->GetName()) + ":", 0), 0u) << Cell(2, 0);
    EXPECT_GT(Cell(2, 2).size(), 1u) << "the Parvel's value";
    EXPECT_EQ(Cell(1, 3), changed);
    EXPECT_EQ(Cell(2, 3), switches(parvel, 0));
}

TEST_F(Panes, ASilentAnalyzerLosesItsTextsWithoutAStatusRead) {
    Rebuild();
    CViewMessage* view = Messages();
    CVaskInstrument* parvel = Analyzers()[1];
    ASSERT_TRUE(Sim("SET 2 flags 1"));
    ASSERT_TRUE(Sim("STORE 2 0 k23 8100800080008000"));
    const std::string name = (LPCSTR)parvel->GetDisplayName();
    ASSERT_TRUE(wkit::Driver::PumpUntil(
        [&] {
            Update(3);
            return Has(Lines(view->m_listChannelStates), name + ": Error");
        },
        10000));
    EXPECT_EQ(Lines(view->m_listSystemStates), std::vector<std::string>{name + ": Fault general"});

    ASSERT_TRUE(Sim("FAULT 2 silent always"));
    ASSERT_TRUE(WaitForState(parvel, 4));
    ASSERT_TRUE(Sim("CLEARLOG"));
    Update(3);
    EXPECT_TRUE(Lines(view->m_listChannelStates).empty());
    EXPECT_TRUE(Lines(view->m_listSystemStates).empty());
    for (const vasksim::SimLogEntry& e : [&] {
             std::vector<vasksim::SimLogEntry> entries;
             EXPECT_TRUE(sim_.Log(entries));
             return entries;
         }())
        EXPECT_FALSE(e.to == "2/0" && e.command == 'k' && e.function == 23) << e.line;
    EXPECT_TRUE(Visible(view->m_lightGreen));
}

// ---- the refresh and the window ---------------------------------------------------------------

// Analyzers that fall silent while the views refresh: each is asked once in the refresh (one
// unanswered request: the link layer's three attempts at each of the access object's three
// tries), its further reads fail at once, and a message sent to the window meanwhile is
// answered while the refresh still waits for them, as the program's wait for a request keeps
// the window answering: its bus time then is no longer than that of a healthy refresh.
TEST_F(Panes, AnalyzersSilencedDuringARefreshHoldTheWindowUpForOneRequestEach) {
    ASSERT_TRUE(Sim("DEVICE 3 type=1 components=2"));
    ASSERT_TRUE(Sim("DEVICE 4 type=2 components=1"));
    // Device 3 reports a fault of its own in its extended status.
    ASSERT_TRUE(Sim("STORE 3 0 k23 8100800080008000"));
    ASSERT_TRUE(doc_->InitTheInstruments());
    ASSERT_EQ(Analyzers().size(), 4u);
    const std::string fault =
        std::string((LPCSTR)Analyzers()[2]->GetDisplayName()) + ": Fault general";
    const size_t kUnansweredRequest = 9;
    auto refresh = [&] {
        ResetMainFrameCounters();
        for (int tick = 0; tick < 12; ++tick)
            SendMessageA(hFrame_, WM_TIMER, frame_->GetTimerId(), 0);
    };
    auto log = [&] {
        std::vector<vasksim::SimLogEntry> entries;
        EXPECT_TRUE(sim_.Log(entries)) << sim_.LastError();
        return entries;
    };
    // Nothing the access object keeps stays current, as in a refresh that takes longer than
    // its values do (a bus of many analyzers): every read of a refresh asks the device.
    StaleDeviceClock stale;
    // A healthy refresh after the one that fills the panes.
    refresh();
    ASSERT_TRUE(Sim("CLEARLOG"));
    refresh();
    const size_t healthy = log().size();
    ASSERT_GT(healthy, 0u);
    ASSERT_TRUE(Has(Lines(Messages()->m_listSystemStates), fault));

    // Devices 3 and 4 fall silent once the refresh has asked device 1; once device 3 has
    // been met silent, a message goes to the window. The refresh then still waits for the
    // rest of device 3's request and the whole of device 4's.
    ASSERT_TRUE(Sim("CLEARLOG"));
    std::atomic<bool> answered{false}, silenced{false}, sent{false}, over{false};
    std::atomic<unsigned long long> telegramsWhenAnswered{~0ull};
    std::string failure;
    auto ask = [&] {
        vasksim::SimClient sim;
        if (!sim.Connect(&failure)) return;
        auto waitFor = [&](const std::function<bool(const vasksim::SimLogEntry&)>& seen) {
            for (ULONGLONG end = GetTickCount64() + 30000; GetTickCount64() < end;) {
                std::vector<vasksim::SimLogEntry> entries;
                if (!sim.Log(entries)) return false;
                for (const vasksim::SimLogEntry& e : entries)
                    if (seen(e)) return true;
                Sleep(2);
            }
            return false;
        };
        silenced = waitFor([](const vasksim::SimLogEntry& e) { return e.to == "1/0"; }) &&
                   sim.Fault("3 silent always") && sim.Fault("4 silent always");
        if (!silenced) {
            failure = "not silenced: " + sim.LastError();
            return;
        }
        if (!waitFor([](const vasksim::SimLogEntry& e) {
                return e.to.compare(0, 2, "3/") == 0 && e.action == "silent";
            })) {
            failure = "device 3 was not asked: " + sim.LastError();
            return;
        }
        sent = true;
        char text[256];
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(hFrame_, WM_GETTEXT, sizeof text, (LPARAM)text,
                                       SMTO_NORMAL, 120000, &result) != 0;
        std::vector<vasksim::SimLogEntry> entries;
        if (sim.Log(entries)) telegramsWhenAnswered = entries.size();
    };
    std::thread user([&] {
        ask();
        over = true;
    });
    refresh();
    const size_t telegramsOfTheRefresh = log().size();
    // Without the program's wait the message would be answered only now.
    wkit::Driver::PumpUntil([&] { return over.load(); }, 130000);
    user.join();
    ASSERT_TRUE(silenced) << failure;
    ASSERT_TRUE(sent) << failure;
    ASSERT_TRUE(answered) << "the window answers";
    // Answered while the refresh still had telegrams to send.
    EXPECT_LT(telegramsWhenAnswered.load(), telegramsOfTheRefresh);

    const std::vector<vasksim::SimLogEntry> entries = log();
    for (const std::string device : {"3/", "4/"}) {
        size_t unanswered = 0;
        for (const vasksim::SimLogEntry& e : entries)
            if (e.to.compare(0, 2, device) == 0) unanswered += e.action == "silent";
        EXPECT_GE(unanswered, 1u) << device << " was met silent in the refresh";
        EXPECT_LE(unanswered, kUnansweredRequest) << device << " was asked once";
    }
    EXPECT_LE(entries.size(), healthy + 2 * kUnansweredRequest);
    // The views show what a failed read gives: an extended status that could not be read
    // has no flag set.
    EXPECT_FALSE(Has(Lines(Messages()->m_listSystemStates), fault));
}

// The user's clicks on the message pane every 0.3 s, from a thread of their own, until
// stopped: at two points apart, so that no two make a double click.
class Clicker {
public:
    explicit Clicker(CWnd* pane) {
        RECT client = {};
        pane->GetClientRect(&client);
        for (int i = 0; i < 2; ++i) {
            points_[i] = {client.right / 3 * (i + 1), client.bottom - 2};
            pane->ClientToScreen(&points_[i]);
            onPane_ = onPane_ && GetWindowThreadProcessId(WindowFromPoint(points_[i]), NULL) ==
                                     GetCurrentThreadId();
        }
        stop_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        thread_ = std::thread([this] {
            for (int n = 0; WaitForSingleObject(stop_, n == 0 ? 0 : 300) == WAIT_TIMEOUT; ++n)
                clicks_ += wkit::ClickAtScreen(points_[n % 2]) ? 1 : 0;
        });
    }
    ~Clicker() {
        Stop();
        CloseHandle(stop_);
    }
    void Stop() {
        SetEvent(stop_);
        if (thread_.joinable()) thread_.join();
    }
    bool OnPane() const { return onPane_; }
    int Clicks() const { return clicks_; }

private:
    POINT points_[2] = {};
    bool onPane_ = true;
    HANDLE stop_ = NULL;
    std::atomic<int> clicks_{0};
    std::thread thread_;
};

// A view after the panes that counts the timer's refreshes and those that gave way to the
// user's input (it had waited for a request when it came to this view, and input waited).
class CGivingWayView : public CView {
public:
    void OnUpdate(CView*, LPARAM lHint, CObject*) override {
        if (lHint != 3) return;
        ++refreshes;
        if (RefreshGivesWay()) ++gaveWay;
    }
    void OnDraw(CDC*) override {}
    int refreshes = 0;
    int gaveWay = 0;
};

// The number a value text begins with; -1 for an empty text.
double Leading(const std::string& text) { return text.empty() ? -1 : std::atof(text.c_str()); }
bool OneOf(double value, std::initializer_list<double> allowed) {
    for (double a : allowed)
        if (std::fabs(value - a) < 0.01) return true;
    return false;
}

// Answers 800 ms late and the user's clicks every 0.3 s: every refresh gives way to the input,
// and each pane goes on where it stopped. Within 30 s of input every row of the value bars and
// of the value list, and every analyzer's state and messages, is read again (each shows what
// the device changed before the input began), and no row ever shows a value of another
// analyzer or of its component.
TEST_F(Panes, UnderClicksEveryThirdOfASecondEveryRowAndAnalyzerIsReadInTurn) {
    // Values that stay put, one of its own for each component.
    for (const char* command : {"SET 1 meas 0 150 0", "SET 1 meas 1 40 0", "SET 2 meas 0 77 0"})
        ASSERT_TRUE(Sim(command));
    Rebuild();
    CVaskInstrument* sindor = Analyzers()[0];
    CVaskInstrument* parvel = Analyzers()[1];
    CViewMessage* messages = Messages();
    const std::string sindorName = (LPCSTR)sindor->GetDisplayName();
    const std::string parvelName = (LPCSTR)parvel->GetDisplayName();
    ASSERT_NE(Bars(), nullptr);
    ASSERT_NEAR(Leading(Text(Bars()->m_values[0])), 150, 0.01);
    // It leaves the document with its end.
    CGivingWayView givingWay;
    doc_->AddView(&givingWay);
    auto read = [](CVaskInstrument* analyzer, int number) {
        VaskFloat value;
        EXPECT_TRUE(analyzer->FindParameterByNumber(number)->GetValue(value)) << number;
        return std::string(value.text);
    };
    auto switches = [](CVaskInstrument* analyzer, int c) {
        CString text;
        EXPECT_TRUE(analyzer->GetCompSwitchText(c, text));
        return std::string(text);
    };
    // What the device gives now, no longer what is shown: read until the access layer's record
    // of the device's last answers has aged.
    auto settled = [](const std::function<std::string()>& now, const std::string& shown) {
        std::string value;
        const bool changed =
            wkit::Driver::PumpUntil([&] { return (value = now()) != shown; }, 10000);
        EXPECT_TRUE(changed) << "still " << shown;
        return value;
    };
    // The refreshes with the frame's timer while the user clicks, until `done` or 30 s of
    // input; `check` after each pass of the messages. Each pane goes on where it stopped, so
    // that `items`, the most items of a pane, bound the refreshes it takes; one more, since
    // the access layer serves a value for two seconds after its last answer.
    auto underInput = [&](int items, const std::function<bool()>& done,
                          const std::function<void()>& check) {
        const int refreshes = givingWay.refreshes, gaveWay = givingWay.gaveWay;
        const size_t boxes = boxes_.texts.size();
        ASSERT_TRUE(Sim("FAULT 0 slow always 800"));
        SetTimer(hFrame_, frame_->GetTimerId(), 100, NULL);
        bool ok = false;
        {
            Clicker clicker(messages);
            ASSERT_TRUE(clicker.OnPane()) << "the clicks would miss the message pane";
            const ULONGLONG start = GetTickCount64();
            ok = wkit::Driver::PumpUntil(
                [&] {
                    check();
                    return done();
                },
                30000);
            clicker.Stop();
            EXPECT_GT(clicker.Clicks(), 10);
            std::printf("under input %.1f s, %d clicks, %d refreshes, %d of them gave way\n",
                        (GetTickCount64() - start) / 1000.0, clicker.Clicks(),
                        givingWay.refreshes - refreshes, givingWay.gaveWay - gaveWay);
        }
        KillTimer(hFrame_, frame_->GetTimerId());
        ASSERT_TRUE(Sim("CLEARFAULTS"));
        // The clicks still queued, and the refresh they wait for.
        wkit::Driver::PumpUntil([] { return !IsUserInputWaiting(); }, 10000);
        EXPECT_TRUE(ok) << "not everything was read within 30 s of input ("
                        << givingWay.refreshes - refreshes << " refreshes)";
        EXPECT_LE(givingWay.refreshes - refreshes, items + 1);
        EXPECT_GE(givingWay.gaveWay - gaveWay, 2) << "the refreshes did not give way to the clicks";
        EXPECT_EQ(boxes_.texts.size(), boxes) << boxes_.texts.back();
    };

    // The Sindor in the value bars. What the devices give from now on: new values, switches,
    // ranges and limits (written by the program, which keeps them) of both the Sindor's
    // components, an error and a fault of the Parvel, a maintenance request of the Sindor.
    ASSERT_TRUE(Sim("STORE 1 0 k4 810080008000"));  // autorange on
    ASSERT_TRUE(Sim("STORE 1 1 k4 900080008000"));  // limit monitoring on
    ASSERT_TRUE(WriteLimits(sindor, 10, "%d.5", 0));
    ASSERT_TRUE(WriteLimits(sindor, 20, "%d.25", 1));
    ASSERT_TRUE(sindor->GetAccess()->SetMeasRange(1, 0, 2, 0));
    ASSERT_TRUE(sindor->GetAccess()->SetMeasRange(1, 1, 1, 0));
    std::string status[2], lower[2], upper[2];
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        // Range 2 of the first component, range 1 of the second.
        const int r = c == 0 ? 1 : 0;
        status[c] = settled([&] { return switches(sindor, c); }, Text(Bars()->m_status[c]));
        lower[c] =
            settled([&] { return read(sindor, 30 + 4 * c + r); }, Text(Bars()->m_lowerLimits[c]));
        upper[c] =
            settled([&] { return read(sindor, 46 + 4 * c + r); }, Text(Bars()->m_upperLimits[c]));
    }
    if (HasFailure()) return;
    for (const char* command : {"SET 1 meas 0 333 0", "SET 1 meas 1 55 0", "SET 2 flags 1",
                                "STORE 2 0 k23 8100800080008000", "STORE 1 0 k23 8000810080008000"})
        ASSERT_TRUE(Sim(command));
    const std::string parvelError = parvelName + ": Error";
    const std::string parvelFault = parvelName + ": Fault general";
    const std::string sindorMaintenance = sindorName + ": Maintenance general";
    std::string wrong;
    // Two rows, two analyzers.
    underInput(
        2,
        [&] {
            CViewValueBars* bars = Bars();
            for (int c = 0; c < 2; ++c)
                if (!OneOf(Leading(Text(bars->m_values[c])), {c == 0 ? 333.0 : 55.0}) ||
                    Text(bars->m_status[c]) != status[c] ||
                    Text(bars->m_lowerLimits[c]) != lower[c] ||
                    Text(bars->m_upperLimits[c]) != upper[c])
                    return false;
            return Text(bars->m_ranges[0]) == "Range: 2" &&
                   Has(Lines(messages->m_listChannelStates), parvelError) &&
                   Has(Lines(messages->m_listSystemStates), parvelFault) &&
                   Has(Lines(messages->m_listSystemStates), sindorMaintenance) &&
                   doc_->GetAnyError() && doc_->GetAnyMaintenance();
        },
        [&] {
            // Each row its component's values, old or new: the rows were read before.
            const double row0 = Leading(Text(Bars()->m_values[0]));
            const double row1 = Leading(Text(Bars()->m_values[1]));
            if (wrong.empty() && (!OneOf(row0, {150, 333}) || !OneOf(row1, {40, 55})))
                wrong = Text(Bars()->m_values[0]) + " / " + Text(Bars()->m_values[1]);
        });
    EXPECT_EQ(wrong, "") << "a bar showed a value not of its component";
    if (HasFatalFailure()) return;

    // The converter in the value list, every analyzer's rows. From now on: new values and
    // switches, another channel state of the Sindor, no error and no fault anywhere.
    Tree().SelectItem(Converter()->GetTreeItem());
    ASSERT_NE(ListView(), nullptr);
    ASSERT_EQ(ListView()->GetList().GetItemCount(), 3);
    ASSERT_TRUE(Sim("STORE 1 0 k4 880080008000"));  // negative values suppressed
    ASSERT_TRUE(Sim("STORE 1 1 k4 890080008000"));  // autorange, negative values suppressed
    ASSERT_TRUE(Sim("STORE 2 0 k4 910080008000"));  // autorange, limit monitoring
    ASSERT_TRUE(Sim("SET 1 state 3"));
    std::string listStatus[3];
    for (int row = 0; row < 3; ++row)
        listStatus[row] = settled(
            [&] { return switches(row < 2 ? sindor : parvel, row < 2 ? row : 0); }, Cell(row, 3));
    const std::string sindorState = settled(
        [&] {
            CString state;
            state.LoadString(IDS_DEVICE_STATE_BASE + (UINT)sindor->GetChannelState());
            return std::string(sindor->GetName()) + ": " + (LPCSTR)state;
        },
        Cell(0, 0));
    if (HasFailure()) return;
    for (const char* command :
         {"SET 1 meas 0 123 0", "SET 1 meas 1 66 0", "SET 2 meas 0 88 0", "SET 2 flags 0",
          "STORE 2 0 k23 8000800080008000", "STORE 1 0 k23 8000800080008000"})
        ASSERT_TRUE(Sim(command));
    // Three rows, two analyzers.
    underInput(
        3,
        [&] {
            for (int row = 0; row < 3; ++row)
                if (Cell(row, 3) != listStatus[row]) return false;
            return OneOf(Leading(Cell(0, 2)), {123}) && OneOf(Leading(Cell(1, 2)), {66}) &&
                   OneOf(Leading(Cell(2, 2)), {88}) && Cell(0, 0) == sindorState &&
                   !Has(Lines(messages->m_listChannelStates), parvelError) &&
                   Lines(messages->m_listSystemStates).empty() && !doc_->GetAnyError() &&
                   !doc_->GetAnyMaintenance();
        },
        [&] {
            // Each row its component's values, old or new: the rows were read before.
            const std::string cells = Cell(0, 2) + " / " + Cell(1, 2) + " / " + Cell(2, 2);
            if (wrong.empty() &&
                (!OneOf(Leading(Cell(0, 2)), {333, 123}) || !OneOf(Leading(Cell(1, 2)), {55, 66}) ||
                 !OneOf(Leading(Cell(2, 2)), {77, 88}) ||
                 ListView()->GetRowInstrument(2) != parvel))
                wrong = cells;
        });
    EXPECT_EQ(wrong, "") << "a row showed a value not of its component";
}

// ---- help ------------------------------------------------------------------------------------

}  // namespace
}  // namespace frametest
