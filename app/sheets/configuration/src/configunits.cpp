// The units page of the configuration sheet and its grid.
#include "configpages.h"

#include "appwait.h"
#include "lorvix.h"
#include "parvel.h"
#include "resource.h"

namespace {
const int kGroupAdjustGases = 5;
const int kGroupUnits = 27;
const int kLimitGroups[] = {7, 8, 9, 10};
// The device reports a changed unit only after a moment.
const DWORD kUnitWaitMs = 1000;

CString Key(LPCSTR format, int c, int r = 0) {
    CString key;
    key.Format(format, c + 1, r + 1);
    return key;
}
}  // namespace

int UnitCodeOfSetting(int setting) {
    static const int codes[] = {11, 4, 10, 9, 2};
    return setting >= 1 && setting <= 5 ? codes[setting - 1] : 1;
}

// ---- CUnitsGrid ------------------------------------------------------------------------------

CUnitsGrid::CUnitsGrid() : m_nRows(1), m_pInstrument(NULL), m_pPage(NULL) {
    for (int r = 0; r < kGridComponents; ++r) {
        m_units[r] = 1;
        m_bUnitRead[r] = FALSE;
    }
}

void CUnitsGrid::Initialize(CObject* pInstrument) {
    CWaitCursor wait;
    m_pInstrument = AsAnalyzer(pInstrument);
    CParamGrid::Initialize(pInstrument);
    if (m_pInstrument == NULL) return;
    m_nRows = m_pInstrument->GetComponentCount();
    // A fourth component gets no row.
    if (m_nRows > kRows) m_nRows = kRows;
    if (m_nRows < 0) m_nRows = 0;
    SetRowCount(m_nRows);
    SetColCount(2);
    SetColDropList(kUnitCol, m_pInstrument->IsKindOf(RUNTIME_CLASS(CParvel64))
                                 ? IDS_UNIT_CHOICES_P64
                                 : IDS_UNIT_CHOICES);
    SetHeadingRowTexts(*this, IDS_UNITS_HEADINGS, -1);
    FormatHeadings();
    std::vector<int> rows;
    for (int r = 0; r < m_nRows; ++r) rows.push_back(r);
    SetComponentRowHeadings(*this, m_pInstrument, rows);
    ReadUnits();
    SetCellProtection();
    // A third of the window each, fitted into what its border leaves of it: three columns
    // that fit show no horizontal bar.
    FitColumnWidths(*this, -1, std::vector<int>(kMaxCol + 2, GetGridWidth(*this) / 3));
    LayoutChildWindows();
}

void CUnitsGrid::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
}

void CUnitsGrid::ReadUnits() {
    if (m_pInstrument == NULL) return;
    if (IsProgramOnline()) {
        ProgramWait(kUnitWaitMs);
        for (int r = 0; r < m_nRows; ++r) {
            SetUnitType unit = (SetUnitType)1;
            m_bUnitRead[r] = m_pInstrument->GetUnit(r, unit) != 0;
            if (m_bUnitRead[r]) m_units[r] = unit;
            m_pInstrument->GetCharactEndValue(r, m_maxRanges[r]);
        }
    } else {
        for (int r = 0; r < m_nRows; ++r) {
            m_bUnitRead[r] =
                ReadGroupInt(m_pInstrument, kGroupUnits, Key("C%d: Unit", r), m_units[r], TRUE);
            ReadGroupEntry(m_pInstrument, kGroupUnits, Key("C%d: Maximum", r), m_maxRanges[r],
                           TRUE);
        }
    }
    for (int r = 0; r < m_nRows; ++r) {
        if (m_bUnitRead[r])
            SetDropListIndex(kUnitCol, r, m_units[r] - 1);
        else
            SetCellText(kUnitCol, r, "");
        SetCellText(kMaxCol, r, FormatValueText(m_maxRanges[r]));
    }
}

void CUnitsGrid::SetCellProtection() {
    if (m_pInstrument == NULL || m_nRows == 0) return;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    const BOOL bEdit = MayEditParameters(m_pInstrument) &&
                       !m_pInstrument->IsKindOf(RUNTIME_CLASS(CParvel6)) &&
                       !m_pInstrument->IsKindOf(RUNTIME_CLASS(CLorvix6));
    for (int r = 0; r < m_nRows; ++r)
        if (!bEdit || !m_bUnitRead[r]) SetRangeReadOnlyColor(kUnitCol, r, kUnitCol, r, TRUE, menu);
    SetRangeReadOnlyColor(kMaxCol, 0, kMaxCol, m_nRows - 1, TRUE, menu);
}

void CUnitsGrid::ReadBackCells() {
    for (int r = 0; r < m_nRows; ++r) {
        m_units[r] = GetDropListIndex(kUnitCol, r) + 1;
        TakeValueText(GetCellText(kMaxCol, r), m_maxRanges[r]);
    }
}

// ---- CPageConfigUnits ------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CPageConfigUnits, CPropertyPage)

CPageConfigUnits::CPageConfigUnits(CVaskInstrument* pInstrument)
    : CConfigPage(IDD_CONFIG_UNITS, pInstrument) {}

BOOL CPageConfigUnits::OnInitDialog() {
    CDialog::OnInitDialog();
    m_grid.AttachToDlgItem(this, IDC_CONFIG_UNITS_GRID);
    m_grid.Initialize(m_pInstrument);
    m_grid.SetPage(this);
    return TRUE;
}

BOOL CPageConfigUnits::ValidateInput() {
    // Only the unit can be edited: the maximum range is shown, never written, so a text of
    // it that is no number blocks nothing.
    if (!UpdateData(TRUE)) return FALSE;
    m_grid.ReadBackCells();
    return TRUE;
}

BOOL CPageConfigUnits::OnKillActive() {
    if (m_nModified && !ValidateInput()) return FALSE;
    return CConfigPage::OnKillActive();
}

BOOL CPageConfigUnits::OnApply() {
    if (!m_nModified) return CConfigPage::OnApply();
    if (!ValidateInput()) return FALSE;
    const int rows = m_grid.GetRowCount();
    if (IsOnline()) {
        // Every row first, then one read: a read after each row would put the device's old
        // units into the rows not yet written.
        for (int r = 0; r < rows; ++r) {
            if (!m_grid.m_bUnitRead[r] || m_grid.m_units[r] < 1) continue;
            if (!m_pInstrument->SetUnit(r, (SetUnitType)m_grid.m_units[r])) return FALSE;
        }
        m_grid.ReadUnits();
        m_grid.SetCellProtection();
    } else {
        const int ranges = m_pInstrument->GetRangeCount();
        for (int r = 0; r < rows; ++r) {
            const int setting = m_grid.m_units[r];
            if (!m_grid.m_bUnitRead[r] || setting < 1) continue;
            WriteInt(kGroupUnits, Key("C%d: Unit", r), setting);
            // Every concentration of the component is now given in the new unit.
            const int code = UnitCodeOfSetting(setting);
            std::vector<CVaskParameter*> entries;
            for (int k = 0; k < ranges && k < kGridRanges; ++k) {
                entries.push_back(Entry(kGroupMeasRanges, Key("C%d: Range %d:", r, k)));
                entries.push_back(Entry(kGroupMeasRanges, Key("C%d: Range%d: lower limit", r, k)));
                entries.push_back(Entry(kGroupMeasRanges, Key("C%d: Range%d: upper limit", r, k)));
                entries.push_back(Entry(kGroupAdjustGases, Key("C%d: Range %d:", r, k)));
            }
            entries.push_back(Entry(kGroupMeasRanges, Key("C%d: Largest Range", r)));
            entries.push_back(Entry(kGroupAdjustGases, Key("C%d: Zero", r)));
            for (int n = 0; n < 4; ++n) {
                CString key;
                key.Format("C%d: Limit %d", r + 1, n + 1);
                entries.push_back(Entry(kLimitGroups[n], key));
            }
            entries.push_back(Entry(kGroupUnits, Key("C%d: Maximum", r)));
            for (CVaskParameter* pEntry : entries)
                if (pEntry != NULL) pEntry->SetValueUnit(code);
        }
    }
    return CConfigPage::OnApply();
}
