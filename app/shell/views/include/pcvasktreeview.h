// CPCVaskTreeView: the left pane of the main window. It shows the document's nodes (ports,
// converters, gateways and their lines, analyzers) as a tree below one root item for the
// PC, each node with its picture and, as overlay, its state at the last rebuild; texts and
// pictures are asked of the nodes whenever the tree paints. Selecting a node makes it the
// document's selected node; nodes that do not answer, are not chosen for connection or
// share their address cannot be selected. Offline an analyzer can be renamed in place and
// its components named, through its context menu (menu 134; Shift+F10 opens it too).
//
// Document hints: 2 rebuilds the tree; every other hint repaints the tree when a node's
// state changed since (or always for 7), selects the node that comes with the hint and asks
// the visible nodes for their state (the timer's hint 3 polls them).
#pragma once

#include "vaskfc.h"

#include <map>

class CInstrument;
class CPCVaskDoc;

class CPCVaskTreeView : public CTreeView {
    DECLARE_DYNCREATE(CPCVaskTreeView)
public:
    CPCVaskTreeView();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Takes the document's node pictures as the tree's images.
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // Shift+F10 and WM_CONTEXTMENU open the context menu at the client area's corner + (5, 5).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Every item anew: the root, then the document's nodes in list order, all expanded,
    // with the selected node's item selected.
    void RebuildTree();
    // The node's item, inserted (after its missing ancestors) when it has none; NULL for an
    // inactive node. No node: the root item, named after the network ("Computer" without).
    HTREEITEM InsertNode(CInstrument* pNode);
    // Expands the item and everything below it.
    void ExpandAll(HTREEITEM hItem);
    HTREEITEM GetRootItem() const { return m_hRootItem; }

protected:
    CPCVaskDoc* GetDoc() const;
    // The node of an item; NULL for the root and for no item.
    CInstrument* NodeOf(HTREEITEM hItem) const;

    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    // Selects the node (the root when `bRoot`) whose selection was asked for during a wait
    // for the bus, if it is still in the tree.
    void SelectLater(CInstrument* pNode, BOOL bRoot);
    void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnRename();
    void OnEditComponents();
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    HTREEITEM m_hRootItem;
    // Set after a rebuild or when a node's state changed: the next update repaints all.
    int m_nRedrawPending;
    // The visible item at which the next refresh of the states begins: one that the user's
    // input cut short goes on from where it stopped.
    size_t m_nNextState;
    // What each item showed when its node was last asked: while the document rebuilds its
    // nodes the items show it again (an item left unanswered shows whatever its buffer held).
    struct Shown {
        CString name;
        int nImage;
    };
    std::map<HTREEITEM, Shown> m_shown;

    DECLARE_MESSAGE_MAP()
};
