// The tree pane.
#include "pcvasktreeview.h"

#include "windowwait.h"
#include "definecomponentsdlg.h"
#include "instrument.h"
#include "pane_seams.h"
#include "panehelp.h"
#include "pcvaskapp.h"
#include "pcvaskdoc.h"
#include "resource.h"
#include "vaskinstrument.h"

#include <vector>

IMPLEMENT_DYNCREATE(CPCVaskTreeView, CTreeView)

namespace {

// The pane's own help topic.
const DWORD_PTR kTreeHelpContext = HID_BASE_RESOURCE + 0x99;
// The states in which a node cannot be selected: not answering, not chosen for connection,
// two devices at its address.
const int kNotAnswering = 4;
const int kAddressConflict = 6;

TrackPopupCall g_pfnTrackPopup = NULL;

BOOL IsOffline() {
    CPCVaskApp* pApp = CPCVaskApp::Get();
    return pApp == NULL || pApp->GetOperationMode() == 0;
}

BOOL IsAnalyzer(CInstrument* pNode) {
    return pNode != NULL && pNode->IsKindOf(RUNTIME_CLASS(CVaskInstrument));
}

}  // namespace

TrackPopupCall SetTrackPopupCall(TrackPopupCall call) {
    TrackPopupCall previous = g_pfnTrackPopup;
    g_pfnTrackPopup = call;
    return previous;
}

BEGIN_MESSAGE_MAP(CPCVaskTreeView, CTreeView)
ON_NOTIFY_REFLECT(TVN_GETDISPINFOA, OnGetDispInfo)
ON_NOTIFY_REFLECT(TVN_SELCHANGINGA, OnSelChanging)
ON_NOTIFY_REFLECT(TVN_SELCHANGEDA, OnSelChanged)
ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITA, OnBeginLabelEdit)
ON_NOTIFY_REFLECT(TVN_ENDLABELEDITA, OnEndLabelEdit)
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_TREE_RENAME, OnRename)
ON_COMMAND(ID_TREE_EDIT_COMPONENTS, OnEditComponents)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CPCVaskTreeView::CPCVaskTreeView() : m_hRootItem(NULL), m_nRedrawPending(0), m_nNextState(0) {}

BOOL CPCVaskTreeView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |=
        TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    return CTreeView::PreCreateWindow(cs);
}

CPCVaskDoc* CPCVaskTreeView::GetDoc() const {
    CDocument* pDoc = GetDocument();
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(CPCVaskDoc)) ? (CPCVaskDoc*)pDoc : NULL;
}

CInstrument* CPCVaskTreeView::NodeOf(HTREEITEM hItem) const {
    if (hItem == NULL || hItem == m_hRootItem) return NULL;
    return (CInstrument*)GetTreeCtrl().GetItemData(hItem);
}

void CPCVaskTreeView::OnInitialUpdate() {
    CTreeView::OnInitialUpdate();
    if (CPCVaskDoc* pDoc = GetDoc()) GetTreeCtrl().SetImageList(pDoc->GetImageList(), TVSIL_NORMAL);
}

void CPCVaskTreeView::OnUpdate(CView*, LPARAM lHint, CObject* pHint) {
    CTreeCtrl& tree = GetTreeCtrl();
    if (lHint == 2) {
        RebuildTree();
        m_nRedrawPending = 1;
    } else if (m_nRedrawPending || lHint == 7) {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_nRedrawPending = 0;
    }
    if (pHint != NULL && pHint->IsKindOf(RUNTIME_CLASS(CInstrument))) {
        HTREEITEM hItem = ((CInstrument*)pHint)->GetTreeItem();
        if (hItem != NULL) tree.SelectItem(hItem);
    }
    // A selection asks no node: their states do not change with it, and the next refresh
    // asks them (with slow analyzers a click would wait for all of them).
    if (lHint == 1) return;
    // The states of the visible nodes; a change repaints the tree at the next update. A
    // refresh asks at least one node; then, while the user's input waits, it stops before the
    // next node, and the next refresh begins with it, so that every node is asked in turn.
    std::vector<HTREEITEM> items;
    for (HTREEITEM hItem = tree.GetFirstVisibleItem(); hItem != NULL;
         hItem = tree.GetNextVisibleItem(hItem))
        items.push_back(hItem);
    const BOOL bRefresh = lHint == 3;
    const size_t first = bRefresh && m_nNextState < items.size() ? m_nNextState : 0;
    // A refresh that asks every node leaves the next one to begin at the top.
    m_nNextState = 0;
    for (size_t n = 0; n < items.size(); ++n) {
        const size_t i = (first + n) % items.size();
        if (bRefresh && n > 0 && RefreshGivesWay()) {
            m_nNextState = i;
            break;
        }
        CInstrument* pNode = NodeOf(items[i]);
        if (pNode == NULL) continue;
        pNode->GetState();
        if (pNode->GetChanged()) {
            m_nRedrawPending = 1;
            pNode->SetChanged(0);
        }
    }
}

void CPCVaskTreeView::RebuildTree() {
    CTreeCtrl& tree = GetTreeCtrl();
    tree.DeleteAllItems();
    m_shown.clear();
    m_hRootItem = NULL;
    m_hRootItem = InsertNode(NULL);
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL) return;
    CInstrument* pSelected = pDoc->GetCurrentInstrument();
    CObList* pList = pDoc->GetPortList();
    if (pList->IsEmpty()) return;
    // The items of the last build are gone, those of the nodes' ancestors outside the list
    // as well.
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        for (CInstrument* pNode = (CInstrument*)pList->GetNext(pos); pNode != NULL;
             pNode = pNode->GetParent())
            pNode->SetTreeItem(NULL);
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        InsertNode((CInstrument*)pList->GetNext(pos));
    ExpandAll(m_hRootItem);
    if (pSelected != NULL && pSelected->GetTreeItem() != NULL)
        tree.SelectItem(pSelected->GetTreeItem());
}

HTREEITEM CPCVaskTreeView::InsertNode(CInstrument* pNode) {
    CTreeCtrl& tree = GetTreeCtrl();
    if (pNode == NULL) {
        CPCVaskDoc* pDoc = GetDoc();
        CString name = pDoc != NULL ? pDoc->GetNetworkListName() : CString();
        if (name.IsEmpty()) name.LoadString(IDS_COMPUTER);
        return tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, name, 0, 0,
                               0, 0, 0, TVI_ROOT, TVI_LAST);
    }
    if (!pNode->IsActive()) return NULL;
    if (pNode->GetTreeItem() != NULL) return pNode->GetTreeItem();
    HTREEITEM hParent = m_hRootItem;
    if (CInstrument* pParent = pNode->GetParent()) {
        hParent = pParent->GetTreeItem();
        // An inactive parent has no item: the node goes to the top level, beside the root.
        if (hParent == NULL) hParent = InsertNode(pParent);
    }
    TVINSERTSTRUCTA insert;
    memset(&insert, 0, sizeof insert);
    insert.hParent = hParent != NULL ? hParent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = LPSTR_TEXTCALLBACKA;
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.state = INDEXTOOVERLAYMASK(pNode->GetState());
    insert.item.stateMask = TVIS_OVERLAYMASK;
    insert.item.lParam = (LPARAM)pNode;
    HTREEITEM hItem = tree.InsertItem(&insert);
    pNode->SetTreeItem(hItem);
    return hItem;
}

void CPCVaskTreeView::ExpandAll(HTREEITEM hItem) {
    if (hItem == NULL) return;
    CTreeCtrl& tree = GetTreeCtrl();
    tree.Expand(hItem, TVE_EXPAND);
    for (HTREEITEM hChild = tree.GetChildItem(hItem); hChild != NULL;
         hChild = tree.GetNextSiblingItem(hChild))
        ExpandAll(hChild);
}

// ---- notifications ----------------------------------------------------------------------

void CPCVaskTreeView::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    TVITEMA& item = ((NMTVDISPINFOA*)pNMHDR)->item;
    if (!(item.mask & (TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE))) return;
    if (item.hItem == NULL || item.lParam == 0) return;
    const BOOL bText = (item.mask & TVIF_TEXT) && item.pszText != NULL && item.cchTextMax > 0;
    // While the document rebuilds its nodes, the control shows what it showed (the node may
    // be gone).
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL || pDoc->IsBusy()) {
        const auto shown = m_shown.find(item.hItem);
        const Shown last = shown != m_shown.end() ? shown->second : Shown{CString(), 0};
        if (bText) lstrcpynA(item.pszText, last.name, item.cchTextMax);
        item.iImage = last.nImage;
        item.iSelectedImage = last.nImage;
        *pResult = 1;
        return;
    }
    CInstrument* pNode = (CInstrument*)item.lParam;
    Shown& shown = m_shown[item.hItem];
    shown.name = pNode->GetName();
    shown.nImage = pNode->GetImageIndex();
    if (bText) lstrcpynA(item.pszText, shown.name, item.cchTextMax);
    item.iImage = shown.nImage;
    item.iSelectedImage = shown.nImage;
    *pResult = 1;
}

void CPCVaskTreeView::OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    const HTREEITEM hNew = ((NMTREEVIEWA*)pNMHDR)->itemNew.hItem;
    if (WouldRunOutOfTurn(m_hWnd)) {
        // Another thread or program selects while this thread waits for the bus (or while
        // held work waits): the new node's state and views ask the bus, so the selection is
        // made in its turn, once the wait has ended, as a click then would be.
        *pResult = 1;
        CInstrument* pLater = NodeOf(hNew);
        const BOOL bRoot = hNew == m_hRootItem;
        RunAfterWait(m_hWnd, [this, pLater, bRoot] { SelectLater(pLater, bRoot); });
        return;
    }
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL || pDoc->IsBusy()) return;
    CInstrument* pNode = NodeOf(hNew);
    if (pNode == NULL) return;
    const int nState = pNode->GetState();
    if (nState >= kNotAnswering && nState <= kAddressConflict) *pResult = 1;
}

void CPCVaskTreeView::SelectLater(CInstrument* pNode, BOOL bRoot) {
    // The node may have gone with a rebuild meanwhile.
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL) return;
    HTREEITEM hItem = NULL;
    if (bRoot)
        hItem = m_hRootItem;
    else if (pNode != NULL && pDoc->GetPortList()->Find(pNode) != NULL)
        hItem = pNode->GetTreeItem();
    if (hItem != NULL) GetTreeCtrl().SelectItem(hItem);
}

void CPCVaskTreeView::OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    CPCVaskDoc* pDoc = GetDoc();
    if (pDoc == NULL || pDoc->IsBusy()) return;
    pDoc->SelectNode(NodeOf(((NMTREEVIEWA*)pNMHDR)->itemNew.hItem));
}

void CPCVaskTreeView::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    CInstrument* pNode = NodeOf(((NMTVDISPINFOA*)pNMHDR)->item.hItem);
    *pResult = IsOffline() && IsAnalyzer(pNode) ? 0 : 1;
}

void CPCVaskTreeView::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
    const TVITEMA& item = ((NMTVDISPINFOA*)pNMHDR)->item;
    CInstrument* pNode = NodeOf(item.hItem);
    // A cancelled edit (Escape) brings no text at all: refused, nothing to read.
    if (item.pszText == NULL) {
        *pResult = 1;
        return;
    }
    // A refused name: a non-zero answer would have the control keep the refused text as the
    // item's label in place of the node's name, so the control is told to drop it.
    if (!IsOffline() || !IsAnalyzer(pNode) || item.pszText[0] == '\0') {
        *pResult = 0;
        return;
    }
    pNode->SetName(item.pszText);
    *pResult = 0;
    // The label is asked of the node: show its new name.
    RECT rect;
    if (GetTreeCtrl().GetItemRect(item.hItem, &rect, FALSE)) InvalidateRect(&rect);
}

// ---- context menu and commands ----------------------------------------------------------

void CPCVaskTreeView::OnContextMenu(CWnd*, CPoint point) {
    if (!IsOffline() || !IsAnalyzer(NodeOf(GetTreeCtrl().GetSelectedItem()))) return;
    LPCSTR lpszMenu = MAKEINTRESOURCEA(IDR_TREE_CONTEXT);
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenu, (LPCSTR)RT_MENU), lpszMenu);
    if (hMenu == NULL) return;
    HWND hOwner = m_hWnd;
    while (hOwner != NULL && (::GetWindowLongA(hOwner, GWL_STYLE) & WS_CHILD))
        hOwner = ::GetParent(hOwner);
    const UINT nFlags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    if (hPopup != NULL && hOwner != NULL) {
        CModalLoop loop;
        if (g_pfnTrackPopup != NULL)
            g_pfnTrackPopup(hPopup, nFlags, point.x, point.y, hOwner);
        else
            ::TrackPopupMenu(hPopup, nFlags, point.x, point.y, 0, hOwner, NULL);
    }
    ::DestroyMenu(hMenu);
}

BOOL CPCVaskTreeView::PreTranslateMessage(MSG* pMsg) {
    const BOOL bShiftF10 = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
                           pMsg->wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000);
    if (bShiftF10 || pMsg->message == WM_CONTEXTMENU) {
        CPoint point(5, 5);
        ClientToScreen(&point);
        OnContextMenu(this, point);
        return TRUE;
    }
    return CTreeView::PreTranslateMessage(pMsg);
}

void CPCVaskTreeView::OnRename() {
    HTREEITEM hItem = GetTreeCtrl().GetSelectedItem();
    if (hItem != NULL) GetTreeCtrl().EditLabel(hItem);
}

void CPCVaskTreeView::OnEditComponents() {
    CInstrument* pNode = NodeOf(GetTreeCtrl().GetSelectedItem());
    if (!IsAnalyzer(pNode)) return;
    CVaskInstrument* pAnalyzer = (CVaskInstrument*)pNode;
    CDefineComponentsDlg dlg(pAnalyzer, this);
    if (dlg.DoModal() != IDOK) return;
    pAnalyzer->FetchState();
    if (CPCVaskDoc* pDoc = GetDoc()) pDoc->UpdateAllViews(NULL, 6, NULL);
}

LRESULT CPCVaskTreeView::OnHelpHitTest(WPARAM, LPARAM lParam) {
    return (LRESULT)PaneHelpContext(this, CPoint(AfxPointFromLParam(lParam)), kTreeHelpContext);
}

LRESULT CPCVaskTreeView::OnCommandHelp(WPARAM, LPARAM) { return 0; }
