// The tree node.
#include "instrument.h"

#include "resource.h"

IMPLEMENT_SERIAL(CInstrument, CObject, VERSIONABLE_SCHEMA | 2)

CInstrument::CInstrument(const CString& name)
    : m_name(name),
      m_parent(NULL),
      m_children(10),
      m_treeItem(NULL),
      m_state(0),
      m_imageIndex(0),
      m_changed(0),
      m_active(1) {
    if (m_name.IsEmpty()) m_name.LoadString(IDS_UNKNOWN);
}

CInstrument::~CInstrument() { m_children.RemoveAll(); }

void CInstrument::Serialize(CArchive& ar) { CObject::Serialize(ar); }

void CInstrument::AssertValid() const {}

void CInstrument::Dump(CDumpContext&) const {}

CString CInstrument::GetDisplayName() const {
    CString text = GetName();
    text.TrimRight();
    return text;
}

CString CInstrument::GetName() const { return m_name; }

int CInstrument::GetState() { return m_state; }

void CInstrument::SetParent(CInstrument* parent) {
    if (parent == NULL) return;
    m_parent = parent;
    parent->AddChild(this);
}

void CInstrument::AddChild(CInstrument* child) { m_children.AddTail(child); }

void CInstrument::RemoveChild(CInstrument* child) {
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        POSITION at = pos;
        if (m_children.GetNext(pos) == child) {
            m_children.RemoveAt(at);
            return;
        }
    }
}

void CInstrument::SetState(int state) {
    if (state != m_state) m_changed = 1;
    m_state = state;
}
