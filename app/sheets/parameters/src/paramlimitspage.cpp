// The limits page of the parameter sheet.
#include "paramlimitspage.h"

#include "resource.h"
#include "sindor23.h"

namespace {
// The group box each limit's grid takes the place of, and its caption.
const int kGridBoxes[] = {IDC_PLIMITS_GRID1, IDC_PLIMITS_GRID2, IDC_PLIMITS_GRID3,
                          IDC_PLIMITS_GRID4};
const int kGridCaptions[] = {IDC_PLIMITS_CAPTION1, IDC_PLIMITS_CAPTION2, IDC_PLIMITS_CAPTION3,
                             IDC_PLIMITS_CAPTION4};
}  // namespace

CPageParamLimits::CPageParamLimits(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_LIMITS, pAnalyzer) {}

int CPageParamLimits::GetLimitCount() const {
    return m_pAnalyzer != NULL && m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor23)) ? 2 : 4;
}

BOOL CPageParamLimits::OnInitDialog() {
    CParamPage::OnInitDialog();
    // With two limits, each takes the room of two, for the rows of the sensors a Sindor 23
    // may have besides its components.
    if (GetLimitCount() < 4) {
        CWnd* pBoxes[4];
        CRect rects[4];
        BOOL all = TRUE;
        for (int i = 0; i < 4; ++i) {
            pBoxes[i] = GetDlgItem(kGridBoxes[i]);
            all = all && pBoxes[i] != NULL;
            if (pBoxes[i] != NULL) {
                pBoxes[i]->GetWindowRect(&rects[i]);
                ScreenToClient(&rects[i]);
            }
        }
        CWnd* pSecondCaption = GetDlgItem(kGridCaptions[1]);
        CWnd* pThirdCaption = GetDlgItem(kGridCaptions[2]);
        if (all && pSecondCaption != NULL && pThirdCaption != NULL) {
            pBoxes[0]->MoveWindow(CRect(rects[0].TopLeft(), rects[1].BottomRight()));
            pBoxes[1]->MoveWindow(CRect(rects[2].TopLeft(), rects[3].BottomRight()));
            CRect caption;
            pThirdCaption->GetWindowRect(&caption);
            ScreenToClient(&caption);
            pSecondCaption->MoveWindow(&caption);
        }
    }
    for (int i = 0; i < 4; ++i) m_grids[i].AttachToDlgItem(this, kGridBoxes[i]);
    for (int n = 1; n <= GetLimitCount(); ++n) {
        m_grids[n - 1].Setup(m_pAnalyzer, n);
        m_grids[n - 1].SetPage(this);
    }
    if (GetLimitCount() < 4) {
        ShowControl(IDC_PLIMITS_CAPTION3, FALSE);
        ShowControl(IDC_PLIMITS_CAPTION4, FALSE);
        m_grids[2].ShowWindow(SW_HIDE);
        m_grids[3].ShowWindow(SW_HIDE);
    }
    return TRUE;
}

BOOL CPageParamLimits::CheckValues() {
    if (!UpdateData(TRUE)) return FALSE;
    const int limits = GetLimitCount();
    for (int n = 0; n < limits; ++n) m_grids[n].ReadBack();
    // Row by row, every limit of the row's component that was read.
    for (int r = 0; r < m_grids[0].GetRowCountShown(); ++r) {
        for (int n = 0; n < limits; ++n) {
            const int c = m_grids[n].GetRowComponent(r);
            if (c < 0 || !m_grids[n].IsRowRead(r)) continue;
            CString place;
            GetDlgItemText(kGridCaptions[n], place);
            place.TrimRight(": ");
            if (!CheckCellNumber(m_grids[n].m_limitValues[c], m_grids[n], CLimitsGrid::kValueCol, r,
                                 place))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL CPageParamLimits::OnKillActive() {
    if (!CheckValues()) return FALSE;
    return CParamPage::OnKillActive();
}

BOOL CPageParamLimits::WriteDeviceLimit(int nLimit, int c) {
    CVaskInstrument& a = *m_pAnalyzer;
    const VaskFloat& value = m_grids[nLimit - 1].m_limitValues[c];
    const LimitStruct& flags = m_grids[nLimit - 1].m_limitFlags[c];
    // The device keeps a second value with the limit: it is read just before and sent back.
    VaskFloat first, second;
    switch (nLimit) {
        case 1:
            return a.GetLimit1(c, first, second) && a.SetLimit1(c, value, second) &&
                   a.SetLimit1(c, flags);
        case 2:
            return a.GetLimit2(c, first, second) && a.SetLimit2(c, value, second) &&
                   a.SetLimit2(c, flags);
        case 3:
            return a.GetLimit3(c, first, second) && a.SetLimit3(c, value, second) &&
                   a.SetLimit3(c, flags);
        default:
            return a.GetLimit4(c, first, second) && a.SetLimit4(c, value, second) &&
                   a.SetLimit4(c, flags);
    }
}

BOOL CPageParamLimits::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!CheckValues()) return FALSE;
    const BOOL online = IsProgramOnline();
    const int limits = GetLimitCount();
    for (int r = 0; r < m_grids[0].GetRowCountShown(); ++r) {
        for (int n = 1; n <= limits; ++n) {
            CLimitsGrid& grid = m_grids[n - 1];
            const int c = grid.GetRowComponent(r);
            // A limit that could not be read keeps the device's (or the table's) setting.
            if (c < 0 || !grid.IsRowRead(r)) continue;
            if (!online)
                grid.WriteOffline(c);
            else if (!WriteDeviceLimit(n, c))
                return FALSE;
        }
    }
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
