// The sample-point grid.
#include "switchmpointgrid.h"

#include "resource.h"

namespace {
const int kRelayCol = 0;
const int kTimeCol = 1;
const int kFirstSamplePointFunction = 18;
const int kLastSamplePointFunction = 23;
const char kRelayName[] = "Relay %d";
const char kSampleTimeName[] = "Sample point %d:";

// The sample point a relay function switches (0 to 5), -1 for another function.
int SamplePointOf(int function) {
    return function >= kFirstSamplePointFunction && function <= kLastSamplePointFunction
               ? function - kFirstSamplePointFunction
               : -1;
}
}  // namespace

CSwitchMPointGrid::CSwitchMPointGrid()
    : m_usedSamplePoints(0), m_pAnalyzer(NULL), m_pPage(NULL), m_bTimesRead(FALSE) {
    for (int i = 0; i < kRelays; ++i) m_relayFunctions[i] = m_extRelayFunctions[i] = 0;
    for (int k = 0; k < kSamplePoints; ++k) m_switchingRelay[k] = m_timeIndex[k] = 0;
}

void CSwitchMPointGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    int s = m_pAnalyzer->GetRelayCount();
    if (s > kRelays) s = kRelays;
    const BOOL card = m_pAnalyzer->HasExtensionCard();
    int e = card ? m_pAnalyzer->GetExtRelayCount() : 0;
    if (e > kRelays) e = kRelays;
    for (int i = 0; i < kRelays; ++i) m_relayFunctions[i] = m_extRelayFunctions[i] = 0;

    if (IsProgramOnline()) {
        int codes[kRelays] = {0};
        if (m_pAnalyzer->GetRelayOutputs(codes))
            for (int i = 0; i < kRelays; ++i) m_relayFunctions[i] = codes[i];
        int extCodes[kRelays] = {0};
        if (card && m_pAnalyzer->GetExtRelayOutputs(extCodes))
            for (int i = 0; i < kRelays; ++i) m_extRelayFunctions[i] = extCodes[i];
        m_bTimesRead = m_pAnalyzer->GetSensorTimes(m_sampleTimes);
    } else {
        CString name;
        for (int i = 1; i <= s; ++i) {
            name.Format(kRelayName, i);
            ReadGroupInt(m_pAnalyzer, kGroupRelays, name, m_relayFunctions[i - 1]);
        }
        for (int i = 1; i <= e; ++i) {
            name.Format(kRelayName, s + i);
            ReadGroupInt(m_pAnalyzer, kGroupRelays, name, m_extRelayFunctions[i - 1]);
        }
        BOOL ok = TRUE;
        for (int j = 1; j <= kSamplePoints; ++j) {
            name.Format(kSampleTimeName, j);
            ok = ReadGroupEntry(m_pAnalyzer, kGroupSensorTimes, name, m_sampleTimes[j - 1]) && ok;
        }
        m_bTimesRead = ok;
    }
    if (!m_bTimesRead) {
        SetRowCount(0);
        SetColCount(0);
        return;
    }

    for (int k = 0; k < kSamplePoints; ++k) m_switchingRelay[k] = m_timeIndex[k] = 0;
    for (int i = 1; i <= s; ++i) {
        const int k = SamplePointOf(m_relayFunctions[i - 1]);
        if (k >= 0) m_switchingRelay[k] = i;
    }
    for (int i = 1; i <= e; ++i) {
        const int k = SamplePointOf(m_extRelayFunctions[i - 1]);
        if (k >= 0) m_switchingRelay[k] = s + i;
    }
    m_usedSamplePoints = 0;
    for (int k = 0; k < kSamplePoints; ++k) {
        if (m_switchingRelay[k] == 0) continue;
        ++m_usedSamplePoints;
        m_timeIndex[k] = k;
    }

    SetRowCount(m_usedSamplePoints);
    SetColCount(2);
    if (m_usedSamplePoints > 0) {
        SetColReadOnly(kRelayCol, TRUE);
        SetColBackColor(kRelayCol, ::GetSysColor(COLOR_MENU));
    }
    int row = 0;
    for (int k = 0; k < kSamplePoints; ++k) {
        if (m_switchingRelay[k] == 0) continue;
        CString number;
        number.Format("%i", k + 1);
        SetCellText(-1, row++, number);
    }
    const int width = (int)(GetGridWidth(*this) / 3.5);
    for (int col = -1; col < 2; ++col) SetColumnWidth(col, width);
    SetHeadingRowTexts(*this, IDS_SAMPLE_POINT_HEADINGS, -1);
    FormatHeadings();
    ApplyAccessRule(*this, m_pAnalyzer, kTimeCol, kTimeCol);
    row = 0;
    for (int k = 0; k < kSamplePoints; ++k) {
        if (m_switchingRelay[k] == 0) continue;
        CString relay;
        relay.Format("%i", m_switchingRelay[k]);
        SetCellText(kRelayCol, row, relay);
        SetCellText(kTimeCol, row, FormatValueText(m_sampleTimes[m_timeIndex[k]]));
        ++row;
    }
    LayoutChildWindows();
}

void CSwitchMPointGrid::ReadBack() {
    if (!m_bTimesRead) return;
    int row = 0;
    for (int k = 0; k < kSamplePoints; ++k) {
        if (m_switchingRelay[k] == 0) continue;
        LPCSTR text = GetCellText(kTimeCol, row++);
        m_sampleTimes[m_timeIndex[k]].text = text != NULL ? text : "";
    }
}

void CSwitchMPointGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}

void CSwitchMPointGrid::WriteOffline() {
    if (m_pAnalyzer == NULL) return;
    CString name;
    for (int j = 1; j <= kSamplePoints; ++j) {
        name.Format(kSampleTimeName, j);
        WriteEntryValue(FindGroupEntry(m_pAnalyzer, kGroupSensorTimes, name), m_sampleTimes[j - 1]);
    }
}
