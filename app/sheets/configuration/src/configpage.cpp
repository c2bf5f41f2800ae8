// What the configuration pages share.
#include "configpages.h"

#include "sheethost.h"
#include "vaskinstrument.h"

CConfigPage::CConfigPage(UINT nIDTemplate, CVaskInstrument* pInstrument)
    : CHelpPropertyPage(nIDTemplate),
      m_pInstrument(pInstrument),
      m_nModified(0),
      m_bShowing(FALSE),
      m_bLive(FALSE) {}

void CConfigPage::OnParamModified() {
    if (m_bShowing) return;
    m_nModified = 1;
    if (m_hWnd != NULL) SetModified(TRUE);
}

BOOL CConfigPage::MayEdit() const { return MayEditParameters(m_pInstrument); }

BOOL CConfigPage::IsOnline() const { return IsProgramOnline(); }

CVaskParameter* CConfigPage::Entry(int nGroup, const CString& key) const {
    return FindGroupEntry(m_pInstrument, nGroup, key, TRUE);
}

BOOL CConfigPage::ReadInt(int nGroup, const CString& key, int& value) const {
    return ReadGroupInt(m_pInstrument, nGroup, key, value, TRUE);
}

void CConfigPage::WriteInt(int nGroup, const CString& key, int value) const {
    WriteEntryInt(Entry(nGroup, key), value);
}

void CConfigPage::EnableControl(int nId, BOOL bEnable) {
    CWnd* pControl = GetDlgItem(nId);
    if (pControl != NULL) pControl->EnableWindow(bEnable);
}

void CConfigPage::ShowData() {
    m_bShowing = TRUE;
    UpdateData(FALSE);
    m_bShowing = FALSE;
}

BOOL CConfigPage::OnSetActive() {
    if (m_bLive) GetSheetHost().SetTimerTarget(this);
    return CHelpPropertyPage::OnSetActive();
}

BOOL CConfigPage::OnKillActive() {
    if (m_bLive) GetSheetHost().SetTimerTarget(NULL);
    return CHelpPropertyPage::OnKillActive();
}
