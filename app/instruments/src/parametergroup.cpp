// The parameter group: its texts, its entries and its expanded flag in the profile.
#include "vaskparameter.h"

#include "resource.h"
#include "texts.h"
#include "vaskinstrument.h"

IMPLEMENT_SERIAL(CParameterGroup, CObject, 2)

CParameterGroup::CParameterGroup()
    : m_nameId(IDS_UNKNOWN), m_titleId(0), m_instrument(NULL), m_expanded(0) {}

CParameterGroup::~CParameterGroup() { m_parameters.RemoveAll(); }

void CParameterGroup::SetTextIds(UINT nameId, UINT titleId) {
    m_nameId = nameId;
    m_titleId = titleId;
}

CString CParameterGroup::GetName() const { return LoadText(m_nameId); }

CString CParameterGroup::GetTitle() const { return LoadText(m_titleId); }

void CParameterGroup::AddParameter(CVaskParameter* parameter) {
    if (parameter == NULL || m_parameters.Find(parameter) != NULL) return;
    m_parameters.AddTail(parameter);
    parameter->SetGroup(this);
}

BOOL CParameterGroup::HasDeviceDataWindowParameter() const {
    for (POSITION pos = m_parameters.GetHeadPosition(); pos != NULL;)
        if (((const CVaskParameter*)m_parameters.GetNext(pos))->IsInDeviceDataWindow()) return TRUE;
    return FALSE;
}

BOOL CParameterGroup::GetProfilePlace(CString& section, CString& entry) const {
    const CString title = GetTitle();
    entry = LoadText(IDS_EXPANDED_ENTRY);
    if (title.IsEmpty() || entry.IsEmpty()) return FALSE;
    section = m_instrument->GetModelName() + "\\" + title;
    return TRUE;
}

int CParameterGroup::ReadProfileFlags() {
    if (m_instrument == NULL) return 0;
    CString section, entry;
    m_expanded =
        GetProfilePlace(section, entry) ? (int)AfxGetApp()->GetProfileInt(section, entry, 0) : 0;
    return m_expanded;
}

void CParameterGroup::WriteProfileFlags(int expanded) {
    m_expanded = expanded;
    if (m_instrument == NULL) return;
    CString section, entry;
    if (GetProfilePlace(section, entry)) AfxGetApp()->WriteProfileInt(section, entry, expanded);
}
