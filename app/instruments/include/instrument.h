// CInstrument: a node of the document's tree of bus nodes (ports, converters, gateways and
// their lines, analyzers). It has a name, a parent and children (none of them owned: the
// document owns every node), the state and picture that the tree view shows, and a changed
// mark that asks the tree view to redraw the node. It stores nothing of its own in an
// archive: each derived class writes its own record.
#pragma once

#include "vaskfc.h"

#include <commctrl.h>

class CInstrument : public CObject {
    DECLARE_SERIAL(CInstrument)
public:
    // An empty name gives the node the text "Unknown" (string 20001).
    explicit CInstrument(const CString& name = CString());
    // Empties the children list; the children themselves are not touched.
    ~CInstrument() override;

    void Serialize(CArchive& ar) override;
    void AssertValid() const override;
    void Dump(CDumpContext& dc) const override;

    // The text that the tree and the lists show: the name without trailing white space.
    virtual CString GetDisplayName() const;
    virtual CString GetName() const;
    virtual int GetState();

    void SetName(const CString& name) { m_name = name; }

    CInstrument* GetParent() const { return m_parent; }
    // Stores a non-null parent and appends this node to its children; null does nothing.
    void SetParent(CInstrument* parent);

    // Appends a child (twice when it is added twice).
    void AddChild(CInstrument* child);
    // Removes the first occurrence of the child; nothing when it is not a child.
    void RemoveChild(CInstrument* child);
    void RemoveAllChildren() { m_children.RemoveAll(); }
    POSITION GetFirstChildPosition() const { return m_children.GetHeadPosition(); }
    CInstrument* GetNextChild(POSITION& pos) const { return (CInstrument*)m_children.GetNext(pos); }
    int GetChildCount() const { return (int)m_children.GetCount(); }

    HTREEITEM GetTreeItem() const { return m_treeItem; }
    void SetTreeItem(HTREEITEM item) { m_treeItem = item; }

    // A new value marks the node changed.
    void SetState(int state);
    int GetChanged() const { return m_changed; }
    void SetChanged(int changed) { m_changed = changed; }

    int GetImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int index) { m_imageIndex = index; }

    // Whether the node takes part in the tree, the lists and the reads of the views (and,
    // for an analyzer, in the curve page's list): 1 from construction.
    int IsActive() const { return m_active; }
    void SetActive(int active) { m_active = active; }

protected:
    CString m_name;
    CInstrument* m_parent;
    CObList m_children;
    HTREEITEM m_treeItem;
    int m_state;
    int m_imageIndex;
    int m_changed;
    int m_active;
};
