// The time-constants and filters page of the parameter sheet.
#include "paramdisturbancepage.h"

#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sindor6.h"

CPageParamDisturbance::CPageParamDisturbance(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_DISTURBANCE, pAnalyzer) {}

BOOL CPageParamDisturbance::HasNoiseFilter() const {
    return IsModelOf(m_pAnalyzer,
                     {RUNTIME_CLASS(CSindor6), RUNTIME_CLASS(CParvel6), RUNTIME_CLASS(CParvel64),
                      RUNTIME_CLASS(CLorvix6), RUNTIME_CLASS(CLorvix62), RUNTIME_CLASS(CQuenta6)});
}

BOOL CPageParamDisturbance::OnInitDialog() {
    CParamPage::OnInitDialog();
    m_timeGrid.AttachToDlgItem(this, IDC_PDIST_TIME_GRID);
    m_noiseGrid.AttachToDlgItem(this, IDC_PDIST_NOISE_GRID);
    m_timeGrid.Initialize(m_pAnalyzer);
    m_timeGrid.SetPage(this);
    if (HasNoiseFilter()) {
        m_noiseGrid.Initialize(m_pAnalyzer);
        m_noiseGrid.SetPage(this);
    } else {
        m_noiseGrid.ShowWindow(SW_HIDE);
        ShowControl(IDC_PDIST_NOISE_CAPTION, FALSE);
    }
    return TRUE;
}

BOOL CPageParamDisturbance::CheckValues() {
    if (!UpdateData(TRUE)) return FALSE;
    m_timeGrid.ReadBack();
    const BOOL noise = HasNoiseFilter();
    if (noise) m_noiseGrid.ReadBack();
    // Every value that Apply would write, so that no text that is no number reaches the
    // device as 0.
    for (int r = 0; r < m_timeGrid.GetRowCountShown(); ++r) {
        const int c = m_timeGrid.GetRowComponent(r);
        if (c < 0) continue;
        if (m_timeGrid.IsRowRead(r) &&
            (!CheckNumber(m_timeGrid.m_deltaRange[c]) || !CheckNumber(m_timeGrid.m_t90Outside[c]) ||
             !CheckNumber(m_timeGrid.m_t90Inside[c])))
            return FALSE;
        if (noise && m_noiseGrid.IsRowRead(c) &&
            (!CheckNumber(m_noiseGrid.m_duration[c]) || !CheckNumber(m_noiseGrid.m_level[c])))
            return FALSE;
    }
    return TRUE;
}

BOOL CPageParamDisturbance::OnKillActive() {
    if (!CheckValues()) return FALSE;
    return CParamPage::OnKillActive();
}

BOOL CPageParamDisturbance::WriteComponent(int nRow, int c) {
    CVaskInstrument& a = *m_pAnalyzer;
    // Rows that could not be read keep the device's (or the table's) values.
    const BOOL times = m_timeGrid.IsRowRead(nRow);
    const BOOL noise = HasNoiseFilter() && m_noiseGrid.IsRowRead(c);
    if (IsProgramOnline()) {
        if (times && !a.SetIntegrationTime(c, m_timeGrid.m_deltaRange[c], m_timeGrid.m_t90Inside[c],
                                           m_timeGrid.m_t90Outside[c], m_timeGrid.m_deadTime[c]))
            return FALSE;
        return !noise || (a.SetFaultSignalThreshold(c, m_noiseGrid.m_level[c]) &&
                          a.SetFaultSignalDuration(c, m_noiseGrid.m_duration[c]));
    }
    if (times) {
        WriteEntryValue(
            FindGroupEntry(&a, kGroupTimeConstants, ComponentEntryName(&a, "%s: T90 inside", c)),
            m_timeGrid.m_t90Inside[c]);
        WriteEntryValue(
            FindGroupEntry(&a, kGroupTimeConstants, ComponentEntryName(&a, "%s: T90 outside", c)),
            m_timeGrid.m_t90Outside[c]);
        WriteEntryValue(
            FindGroupEntry(&a, kGroupTimeConstants, ComponentEntryName(&a, "%s: Delta Range", c)),
            m_timeGrid.m_deltaRange[c]);
    }
    if (noise) {
        WriteEntryValue(FindGroupEntry(&a, kGroupTimeConstants,
                                       ComponentEntryName(
                                           &a, "%s: Suppress noise signals with a duration of", c)),
                        m_noiseGrid.m_duration[c]);
        WriteEntryValue(FindGroupEntry(&a, kGroupTimeConstants,
                                       ComponentEntryName(
                                           &a, "%s: Suppress noise signals above a level of", c)),
                        m_noiseGrid.m_level[c]);
    }
    return TRUE;
}

BOOL CPageParamDisturbance::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!CheckValues()) return FALSE;
    for (int r = 0; r < m_timeGrid.GetRowCountShown(); ++r) {
        const int c = m_timeGrid.GetRowComponent(r);
        if (c >= 0 && !WriteComponent(r, c)) return FALSE;
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
