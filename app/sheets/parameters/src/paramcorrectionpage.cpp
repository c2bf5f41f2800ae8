// The gas-correction page of the parameter sheet.
#include "paramcorrectionpage.h"

#include "instrumentgrid.h"
#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sindor23.h"

BEGIN_MESSAGE_MAP(CPageParamCorrection, CParamPage)
ON_CBN_SELCHANGE(IDC_PCORR_LIST, OnCorrectionChange)
END_MESSAGE_MAP()

CPageParamCorrection::CPageParamCorrection(CVaskInstrument* pAnalyzer)
    : CParamPage(IDD_PARAM_CORRECTION, pAnalyzer), m_nIndex(0), m_nConfirmedIndex(0) {}

CPageParamCorrection::~CPageParamCorrection() {
    if (m_pAnalyzer != NULL) m_pAnalyzer->DeleteDiagValues();
}

void CPageParamCorrection::DoDataExchange(CDataExchange* pDX) {
    CParamPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PCORR_LIST, m_nIndex);
}

CInstrumentGridBase* CPageParamCorrection::GetGasGrid() const {
    if (m_pAnalyzer == NULL) return NULL;
    return dynamic_cast<CInstrumentGridBase*>(m_pAnalyzer->GetDiagValues());
}

BOOL CPageParamCorrection::HasPressureCorrection() const {
    return m_pAnalyzer != NULL &&
           !IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor23), RUNTIME_CLASS(CParvel64),
                                    RUNTIME_CLASS(CQuenta6)});
}

BOOL CPageParamCorrection::OnInitDialog() {
    CParamPage::OnInitDialog();
    m_pressureGrid.AttachToDlgItem(this, IDC_PCORR_PRESSURE_GRID);
    if (m_pAnalyzer != NULL) m_pAnalyzer->CreateDiagValues(this, IDC_PCORR_GAS_GRID);
    if (!HasPressureCorrection()) {
        m_pressureGrid.ShowWindow(SW_HIDE);
        ShowControl(IDC_PCORR_PRESSURE_CAPTION, FALSE);
    } else {
        m_pressureGrid.Initialize(m_pAnalyzer);
        m_pressureGrid.SetPage(this);
    }
    if (IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CLorvix6), RUNTIME_CLASS(CQuenta6),
                                RUNTIME_CLASS(CParvel64), RUNTIME_CLASS(CLorvix62)})) {
        // All four corrections.
    } else if (IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor23)})) {
        ::SendDlgItemMessageA(m_hWnd, IDC_PCORR_LIST, CB_DELETESTRING, 3, 0);
        ::SendDlgItemMessageA(m_hWnd, IDC_PCORR_LIST, CB_DELETESTRING, 2, 0);
    } else {
        EnableControl(IDC_PCORR_LIST, FALSE);
    }
    CInstrumentGridBase* pGrid = GetGasGrid();
    if (pGrid != NULL) {
        pGrid->Initialize(m_pAnalyzer);
        pGrid->SetPage(this);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CPageParamCorrection::OnCorrectionChange() {
    UpdateData(TRUE);
    if (m_bModified) {
        const int answer = AfxMessageBox(IDS_APPLY_CHANGES_NOW, MB_YESNOCANCEL);
        // Cancel, and Yes whose Apply failed, stay on the correction whose edits are pending:
        // showing another one would drop them unwritten.
        if (answer == IDCANCEL || (answer == IDYES && !OnApply())) {
            m_nIndex = m_nConfirmedIndex;
            UpdateData(FALSE);
            return;
        }
        if (answer == IDYES) SetModified(FALSE);
    }
    m_nConfirmedIndex = m_nIndex;
    CInstrumentGridBase* pGrid = GetGasGrid();
    if (pGrid != NULL) pGrid->ShowCorrection(m_nIndex);
    UpdateData(FALSE);
}

BOOL CPageParamCorrection::CheckValues() {
    if (!UpdateData(TRUE)) return FALSE;
    CInstrumentGridBase* pGrid = GetGasGrid();
    if (pGrid != NULL) pGrid->ReadCells();
    if (HasPressureCorrection() && m_pressureGrid.IsRead()) {
        m_pressureGrid.ReadBack();
        if (!CheckNumber(m_pressureGrid.m_rangeStart[0]) ||
            !CheckNumber(m_pressureGrid.m_rangeEnd[0]))
            return FALSE;
    }
    if (pGrid == NULL) return TRUE;
    const BOOL sindor23 = IsModelOf(m_pAnalyzer, {RUNTIME_CLASS(CSindor23)});
    // Every row the grid writes, a Sindor 23's sensors included, and of it what was read.
    for (int r = 0; r < pGrid->GetRowCount(); ++r) {
        const int c = pGrid->GetRowComponent(r);
        if (c < 0) continue;
        if (pGrid->IsRecordRead(c, kParamsRecord)) {
            if (!sindor23 &&
                (!CheckNumber(pGrid->m_rangeStart[c]) || !CheckNumber(pGrid->m_rangeEnd[c])))
                return FALSE;
            if (!CheckNumber(pGrid->m_equivalent[c])) return FALSE;
        }
        if (!sindor23 && pGrid->IsRecordRead(c, kConcentrationRecord) &&
            !CheckNumber(pGrid->m_concentration[c]))
            return FALSE;
    }
    return TRUE;
}

BOOL CPageParamCorrection::OnKillActive() {
    if (!CheckValues()) return FALSE;
    return CParamPage::OnKillActive();
}

BOOL CPageParamCorrection::WriteValues() {
    // A pressure correction that could not be read keeps the device's (or the table's).
    if (HasPressureCorrection() && m_pressureGrid.IsRead()) {
        if (!IsProgramOnline()) {
            m_pressureGrid.WriteOffline();
        } else {
            CVaskInstrument& a = *m_pAnalyzer;
            if (!a.SetPressureCorr(0, m_pressureGrid.m_pressureCorrection) ||
                !a.SetExtPressureRange(0, m_pressureGrid.m_rangeStart[0],
                                       m_pressureGrid.m_rangeEnd[0]) ||
                !a.SetPressureCorrExt(m_pressureGrid.m_busChannel))
                return FALSE;
        }
    }
    CInstrumentGridBase* pGrid = GetGasGrid();
    return pGrid == NULL || pGrid->WriteValues();
}

BOOL CPageParamCorrection::OnApply() {
    if (!m_bModified) return CParamPage::OnApply();
    if (!CheckValues()) return FALSE;
    if (!WriteValues()) return FALSE;
    m_bModified = FALSE;
    return CParamPage::OnApply();
}
