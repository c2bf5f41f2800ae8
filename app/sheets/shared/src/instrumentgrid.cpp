// The instrument grids: interference corrections per component.
#include "instrumentgrid.h"

#include "lorvix.h"
#include "parvel.h"
#include "quenta.h"
#include "resource.h"
#include "sindor23.h"
#include "sindor6.h"

namespace {

// CInstrumentGrid's columns.
const int kKindCol = 0;
const int kFirstFlagCol = 1;
const int kLastFlagCol = 4;
const int kConcentrationCol = 5;
const int kEquivalentCol = 6;
const int kStartCol = 7;
const int kEndCol = 8;
const int kCurrentCol = 9;
const int kChannelCol = 10;
const int kComponentCol = 11;
const int kColumns = 12;
// CSindor23Grid's columns.
const int kS23EquivalentCol = 1;
const int kS23ChannelCol = 2;
const int kS23ComponentCol = 3;
const int kS23Columns = 4;

// Compensation kinds.
const int kWithout = 0;
const int kConstant = 1;
const int kInput1 = 2;
const int kOverBus = 3;
const int kInput2 = 5;

const char kTypeKey[] = "C%d: Type";
const char kEquivalentKey[] = "C%d: Equivalent";
const char kRangeFlagKey[] = "C%d: Range%d";
const char kRangeStartKey[] = "C%d: Range Start";
const char kRangeEndKey[] = "C%d: Range End";
const char kRangeCurrentKey[] = "C%d: Range Current";
const char kConcentrationKey[] = "C%d: Correction gas concentration";
const char kPairChannelKey[] = "C%d: Compensation component channel %d";
const char kPairComponentKey[] = "C%d: Compensation component component %d";

BOOL& CorrectionFlag(CorrectionStruct2& record, int k) {
    switch (k) {
        case 1: return record.validInRange1;
        case 2: return record.validInRange2;
        case 3: return record.validInRange3;
        default: return record.validInRange4;
    }
}

CString IntText(int value) {
    CString text;
    text.Format("%d", value);
    return text;
}

BOOL ReadInt(CVaskParameter* pEntry, int& value) {
    VaskFloat read;
    if (!ReadEntry(pEntry, read)) return FALSE;
    value = (int)read.value;
    return TRUE;
}

CDiagnosticValues* MakeInstrumentGrid(int kind) {
    switch (kind) {
        case InstrumentGridKind: return new CInstrumentGrid;
        case Sindor23GridKind: return new CSindor23Grid;
        default: return NULL;
    }
}

}  // namespace

DiagValuesFactory InstallInstrumentGridFactory() {
    return SetDiagValuesFactory(&MakeInstrumentGrid);
}

// ---- CInstrumentGridBase -------------------------------------------------------------------

CInstrumentGridBase::CInstrumentGridBase()
    : m_nShownCorrection(0), m_pAnalyzer(NULL), m_pPage(NULL) {
    memset(m_correction, 0, sizeof(m_correction));
    memset(m_compensation, 0, sizeof(m_compensation));
    ClearReadFlags();
}

CInstrumentGridBase::~CInstrumentGridBase() {}

BOOL CInstrumentGridBase::AttachToDlgItem(CWnd* pParent, UINT nControlId) {
    return CGridWnd::AttachToDlgItem(pParent, nControlId);
}

void CInstrumentGridBase::ClearReadFlags() {
    for (int c = 0; c < kGridComponents; ++c)
        for (int record = 0; record < kInterferenceRecords; ++record) m_bRead[c][record] = FALSE;
}

void CInstrumentGridBase::Initialize(CObject* pAnalyzer) {
    m_pAnalyzer = AsAnalyzer(pAnalyzer);
    CParamGrid::Initialize(pAnalyzer);
    m_rows = GetComponentRows(m_pAnalyzer);
}

void CInstrumentGridBase::OnCellChanged(int, int) {
    if (m_pPage != NULL) m_pPage->OnParamModified();
    UpdateCellStates();
}

void CInstrumentGridBase::SetPage(CParamPageLink* pPage) { m_pPage = pPage; }
void CInstrumentGridBase::ReadCells() {}
void CInstrumentGridBase::FillCells() {}
void CInstrumentGridBase::FillHeadings() { FormatHeadings(); }
void CInstrumentGridBase::UpdateCellStates() {}
BOOL CInstrumentGridBase::WriteValues() { return FALSE; }
void CInstrumentGridBase::LoadValues() {}

void CInstrumentGridBase::FillRowHeadings() {
    if (m_pAnalyzer != NULL) SetComponentRowHeadings(*this, m_pAnalyzer, m_rows);
}

void CInstrumentGridBase::ShowCorrection(int nIndex) {
    m_nShownCorrection = nIndex >= 0 && nIndex <= 3 ? nIndex : 0;
    LoadValues();
    FillCells();
    UpdateCellStates();
    RepaintAll();
}

int CInstrumentGridBase::GetRowComponent(int nRow) const {
    return nRow >= 0 && nRow < (int)m_rows.size() ? m_rows[nRow] : -1;
}

BOOL CInstrumentGridBase::IsRecordRead(int c, int nRecord) const {
    return c >= 0 && c < kGridComponents && nRecord >= 0 && nRecord < kInterferenceRecords &&
           m_bRead[c][nRecord];
}

void CInstrumentGridBase::BuildFrame(int nColumns, int nHeadingHeight) {
    SetRowCount((int)m_rows.size());
    SetColCount(nColumns);
    // The merged headings need the grid's merging on.
    EnableMergedCells(TRUE);
    SetColumnHeadingRowCount(2);
    SetColumnHeadingHeight(nHeadingHeight);
}

void CInstrumentGridBase::FinishInitialize() {
    ShowCorrection(0);
    UpdateCellStates();
    FillCells();
    LayoutChildWindows();
}

void CInstrumentGridBase::FillHeadingRows(UINT nUpperId, UINT nLowerId) {
    SetHeadingRowTexts(*this, nUpperId, -2);
    SetHeadingRowTexts(*this, nLowerId, -1);
    FormatHeadings();
}

CVaskParameter* CInstrumentGridBase::CorrectionEntry(int k, LPCSTR format, int c, int nRange) {
    CString key;
    key.Format(format, c + 1, nRange);
    return FindGroupEntry(m_pAnalyzer, kGroupInterference1 + k, key, TRUE);
}

CVaskParameter* CInstrumentGridBase::CompensationEntry(LPCSTR format, int nPair, int c) {
    CString key;
    key.Format(format, c + 1, nPair);
    // A model may bind a pair without the group of its correction.
    return FindEntryByKey(m_pAnalyzer, key);
}

namespace {

// The four integers of a component's compensation record, in record order, with the pair
// (1 and 2, or 3 and 4) and key of each.
struct CompensationField {
    int CompStruct::*member;
    int pairOffset;
    const char* key;
};
const CompensationField kCompensationFields[] = {
    {&CompStruct::channel1, 0, kPairChannelKey},
    {&CompStruct::component1, 0, kPairComponentKey},
    {&CompStruct::channel2, 1, kPairChannelKey},
    {&CompStruct::component2, 1, kPairComponentKey},
};

}  // namespace

BOOL CInstrumentGridBase::ReadCompensationPairs(int c, int nFirstPair) {
    BOOL ok = TRUE;
    for (const CompensationField& f : kCompensationFields)
        ok = ReadInt(CompensationEntry(f.key, nFirstPair + f.pairOffset, c),
                     m_compensation[c].*f.member) &&
             ok;
    return ok;
}

void CInstrumentGridBase::WriteCompensationPairs(int c, int nFirstPair) {
    for (const CompensationField& f : kCompensationFields)
        WriteEntryInt(CompensationEntry(f.key, nFirstPair + f.pairOffset, c),
                      m_compensation[c].*f.member);
}

int& CInstrumentGridBase::ShownChannel(int c) {
    return m_nShownCorrection % 2 == 0 ? m_compensation[c].channel1 : m_compensation[c].channel2;
}

int& CInstrumentGridBase::ShownComponent(int c) {
    return m_nShownCorrection % 2 == 0 ? m_compensation[c].component1
                                       : m_compensation[c].component2;
}

void CInstrumentGridBase::LockCells(int nFirstCol, int nRow, int nLastCol, BOOL bLocked) {
    if (nRow < 0 || nRow >= GetRowCount()) return;
    SetRangeReadOnlyColor(nFirstCol, nRow, nLastCol, nRow, bLocked,
                          ::GetSysColor(bLocked ? COLOR_MENU : COLOR_WINDOW));
}

// ---- CInstrumentGrid -----------------------------------------------------------------------

BOOL CInstrumentGrid::WritesConcentration() const {
    return m_pAnalyzer != NULL && (m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CSindor6)) ||
                                   m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CQuenta6)) ||
                                   m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CLorvix6)));
}

void CInstrumentGrid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    CInstrumentGridBase::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    BuildFrame(kColumns, 65);
    MergeCellRange(kFirstFlagCol, -2, kLastFlagCol, -2);
    MergeCellRange(kConcentrationCol, -2, kEquivalentCol, -2);
    MergeCellRange(kStartCol, -2, kCurrentCol, -2);
    MergeCellRange(kChannelCol, -2, kComponentCol, -2);
    SetColDropList(kKindCol, GetInterferenceChoiceTextId(m_pAnalyzer));
    SetColsCheckBox(kFirstFlagCol, kLastFlagCol);
    SetColDropList(kCurrentCol, IDS_CURRENT_TYPES);
    FillHeadings();
    FillRowHeadings();
    SetColumnHeadingRowHeight(-2, 20);
    SetColumnHeadingRowHeight(-1, 45);

    const int width = GetGridWidth(*this);
    const int ranges = m_pAnalyzer->GetRangeCount();
    SetColumnWidth(-1, width / 5 - 20);
    SetColumnWidth(kKindCol, width / 5 + 20);
    for (int col = kFirstFlagCol; col < kColumns; ++col)
        SetColumnWidth(col, col <= kLastFlagCol && col <= ranges ? width / 12 : width / 6);

    FinishInitialize();
}

void CInstrumentGrid::FillHeadings() {
    FillHeadingRows(IDS_INTERFERENCE_HEADINGS, IDS_INTERFERENCE_LOWER);
}

void CInstrumentGrid::LoadValues() {
    if (m_pAnalyzer == NULL) return;
    ClearReadFlags();
    const int k = m_nShownCorrection, n = k + 1;
    const int firstPair = k < 2 ? 1 : 3;
    int ranges = m_pAnalyzer->GetRangeCount();
    if (ranges > kGridRanges) ranges = kGridRanges;
    for (int c : m_rows) {
        BOOL* read = m_bRead[c];
        if (IsProgramOnline()) {
            read[kCorrectionRecord] = m_pAnalyzer->GetLateralGasCorrN(n, c, m_correction[c]);
            read[kParamsRecord] = m_pAnalyzer->GetLateralGasParamsN(n, c, m_equivalent[c],
                                                                    m_rangeStart[c], m_rangeEnd[c]);
            read[kCompensationRecord] =
                k < 2 ? m_pAnalyzer->GetCompensationComponent(c, m_compensation[c])
                      : m_pAnalyzer->GetCompensationComponent3(c, m_compensation[c]);
            read[kConcentrationRecord] =
                m_pAnalyzer->GetLateralGasConcentrationN(n, c, m_concentration[c]);
            continue;
        }
        BOOL ok = ReadInt(CorrectionEntry(k, kTypeKey, c), m_correction[c].correctionType);
        ok = ReadInt(CorrectionEntry(k, kRangeCurrentKey, c), m_correction[c].currentRange) && ok;
        for (int range = 1; range <= ranges; ++range) {
            int flag = 0;
            if (ReadInt(CorrectionEntry(k, kRangeFlagKey, c, range), flag))
                CorrectionFlag(m_correction[c], range) = flag;
            else
                ok = FALSE;
        }
        read[kCorrectionRecord] = ok;
        ok = ReadEntry(CorrectionEntry(k, kEquivalentKey, c), m_equivalent[c]);
        ok = ReadEntry(CorrectionEntry(k, kRangeStartKey, c), m_rangeStart[c]) && ok;
        read[kParamsRecord] = ReadEntry(CorrectionEntry(k, kRangeEndKey, c), m_rangeEnd[c]) && ok;
        read[kCompensationRecord] = ReadCompensationPairs(c, firstPair);
        read[kConcentrationRecord] =
            ReadEntry(CorrectionEntry(k, kConcentrationKey, c), m_concentration[c]);
    }
}

void CInstrumentGrid::FillCells() {
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        if (read[kCorrectionRecord]) {
            SetDropListIndex(
                kKindCol, r,
                InterferenceValueToChoiceIndex(m_pAnalyzer, m_correction[c].correctionType));
            for (int range = 1; range <= kGridRanges; ++range)
                SetCellText(kFirstFlagCol + range - 1, r,
                            IntText(CorrectionFlag(m_correction[c], range)));
            SetDropListIndex(kCurrentCol, r, m_correction[c].currentRange);
        } else {
            for (int col = kKindCol; col <= kLastFlagCol; ++col) SetCellText(col, r, "");
            SetCellText(kCurrentCol, r, "");
        }
        VaskFloat concentration = m_concentration[c];
        // The concentration is given in the unit of the analog input's range.
        concentration.unit = m_rangeStart[c].unit;
        SetCellText(kConcentrationCol, r,
                    read[kConcentrationRecord] ? FormatValueText(concentration) : "");
        SetCellText(kEquivalentCol, r, read[kParamsRecord] ? FormatValueText(m_equivalent[c]) : "");
        SetCellText(kStartCol, r, read[kParamsRecord] ? FormatValueText(m_rangeStart[c]) : "");
        SetCellText(kEndCol, r, read[kParamsRecord] ? FormatValueText(m_rangeEnd[c]) : "");
        SetCellText(kChannelCol, r, read[kCompensationRecord] ? IntText(ShownChannel(c)) : "");
        SetCellText(kComponentCol, r, read[kCompensationRecord] ? IntText(ShownComponent(c)) : "");
    }
}

void CInstrumentGrid::ReadCells() {
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        if (read[kCorrectionRecord]) {
            const int kind = GetDropListIndex(kKindCol, r);
            if (kind >= 0)
                m_correction[c].correctionType = InterferenceChoiceIndexToValue(m_pAnalyzer, kind);
            for (int range = 1; range <= kGridRanges; ++range)
                CorrectionFlag(m_correction[c], range) = GetCellInt(kFirstFlagCol + range - 1, r);
            const int current = GetDropListIndex(kCurrentCol, r);
            if (current >= 0) m_correction[c].currentRange = current;
        }
        if (read[kConcentrationRecord])
            TakeValueText(GetCellText(kConcentrationCol, r), m_concentration[c]);
        if (read[kParamsRecord]) {
            TakeValueText(GetCellText(kEquivalentCol, r), m_equivalent[c]);
            TakeValueText(GetCellText(kStartCol, r), m_rangeStart[c]);
            TakeValueText(GetCellText(kEndCol, r), m_rangeEnd[c]);
        }
        if (read[kCompensationRecord]) {
            ShownChannel(c) = GetCellInt(kChannelCol, r);
            ShownComponent(c) = GetCellInt(kComponentCol, r);
        }
    }
}

void CInstrumentGrid::UpdateCellStates() {
    if (m_pAnalyzer == NULL) return;
    const BOOL locked = !ApplyAccessRule(*this, m_pAnalyzer, kKindCol, GetColCount() - 1);
    ReadCells();
    const BOOL parvel6 = m_pAnalyzer->IsKindOf(RUNTIME_CLASS(CParvel6));
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        const BOOL known = !locked && read[kCorrectionRecord];
        const int kind = m_correction[c].correctionType;
        const BOOL input = kind == kInput1 || kind == kInput2;
        LockCells(kKindCol, r, kKindCol, !known);
        LockCells(kFirstFlagCol, r, kLastFlagCol, !(known && kind != kWithout));
        LockCells(kConcentrationCol, r, kConcentrationCol,
                  !(known && read[kConcentrationRecord] && kind != kWithout && kind != kConstant &&
                    !parvel6));
        LockCells(kEquivalentCol, r, kEquivalentCol,
                  !(known && read[kParamsRecord] && kind != kWithout));
        LockCells(kStartCol, r, kEndCol, !(known && read[kParamsRecord] && input));
        LockCells(kCurrentCol, r, kCurrentCol, !(known && input));
        LockCells(kChannelCol, r, kComponentCol,
                  !(known && read[kCompensationRecord] && kind == kOverBus));
    }
}

BOOL CInstrumentGrid::WriteValues() {
    if (m_pAnalyzer == NULL) return FALSE;
    const int k = m_nShownCorrection, n = k + 1;
    const int firstPair = k < 2 ? 1 : 3;
    int ranges = m_pAnalyzer->GetRangeCount();
    if (ranges > kGridRanges) ranges = kGridRanges;
    const BOOL concentration = WritesConcentration();
    for (int c : m_rows) {
        const BOOL* read = m_bRead[c];
        if (IsProgramOnline()) {
            if (read[kCorrectionRecord] && !m_pAnalyzer->SetLateralGasCorrN(n, c, m_correction[c]))
                return FALSE;
            if (read[kParamsRecord] && !m_pAnalyzer->SetLateralGasParamsN(
                                           n, c, m_equivalent[c], m_rangeStart[c], m_rangeEnd[c]))
                return FALSE;
            if (read[kCompensationRecord] &&
                !(k < 2 ? m_pAnalyzer->SetCompensationComponent(c, m_compensation[c])
                        : m_pAnalyzer->SetCompensationComponent3(c, m_compensation[c])))
                return FALSE;
            if (concentration && read[kConcentrationRecord] &&
                !m_pAnalyzer->SetLateralGasConcentrationN(n, c, m_concentration[c]))
                return FALSE;
            continue;
        }
        if (read[kCorrectionRecord]) {
            WriteEntryInt(CorrectionEntry(k, kTypeKey, c), m_correction[c].correctionType);
            WriteEntryInt(CorrectionEntry(k, kRangeCurrentKey, c), m_correction[c].currentRange);
            for (int range = 1; range <= ranges; ++range)
                WriteEntryInt(CorrectionEntry(k, kRangeFlagKey, c, range),
                              CorrectionFlag(m_correction[c], range));
        }
        if (read[kParamsRecord]) {
            WriteEntryValue(CorrectionEntry(k, kEquivalentKey, c), m_equivalent[c]);
            WriteEntryValue(CorrectionEntry(k, kRangeStartKey, c), m_rangeStart[c]);
            WriteEntryValue(CorrectionEntry(k, kRangeEndKey, c), m_rangeEnd[c]);
        }
        if (read[kCompensationRecord]) WriteCompensationPairs(c, firstPair);
        if (concentration && read[kConcentrationRecord])
            WriteEntryValue(CorrectionEntry(k, kConcentrationKey, c), m_concentration[c]);
    }
    return TRUE;
}

// ---- CSindor23Grid -------------------------------------------------------------------------

void CSindor23Grid::Initialize(CObject* pAnalyzer) {
    CWaitCursor wait;
    CInstrumentGridBase::Initialize(pAnalyzer);
    if (m_pAnalyzer == NULL) return;
    BuildFrame(kS23Columns, 60);
    MergeCellRange(kS23EquivalentCol, -2, kS23ComponentCol, -2);
    SetColDropList(kKindCol, GetInterferenceChoiceTextId(m_pAnalyzer));
    FillHeadings();
    FillRowHeadings();
    SetColumnHeadingRowHeight(-1, 40);

    const int width = GetGridWidth(*this);
    SetColumnWidth(-1, width / 5 - 20);
    SetColumnWidth(kKindCol, width / 5 + 60);
    for (int col = kS23EquivalentCol; col < kS23Columns; ++col) SetColumnWidth(col, width / 6);

    FinishInitialize();
}

void CSindor23Grid::FillHeadings() {
    FillHeadingRows(IDS_SINDOR23_INTERFERENCE_UPPER, IDS_SINDOR23_INTERFERENCE_LOWER);
}

void CSindor23Grid::LoadValues() {
    if (m_pAnalyzer == NULL) return;
    ClearReadFlags();
    const int k = m_nShownCorrection, n = k + 1;
    for (int c : m_rows) {
        BOOL* read = m_bRead[c];
        if (IsProgramOnline()) {
            // The kind is the first correction's, whichever correction is shown.
            read[kCorrectionRecord] = m_pAnalyzer->GetLateralGasCorrN(1, c, m_correction[c]);
            read[kParamsRecord] = m_pAnalyzer->GetLateralGasParamsN(n, c, m_equivalent[c],
                                                                    m_rangeStart[c], m_rangeEnd[c]);
            read[kCompensationRecord] = m_pAnalyzer->GetCompensationComponent(c, m_compensation[c]);
            continue;
        }
        read[kCorrectionRecord] =
            ReadInt(CorrectionEntry(0, kTypeKey, c), m_correction[c].correctionType);
        read[kParamsRecord] = ReadEntry(CorrectionEntry(k, kEquivalentKey, c), m_equivalent[c]);
        read[kCompensationRecord] = ReadCompensationPairs(c, 1);
    }
}

void CSindor23Grid::FillCells() {
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        if (read[kCorrectionRecord])
            SetDropListIndex(
                kKindCol, r,
                InterferenceValueToChoiceIndex(m_pAnalyzer, m_correction[c].correctionType));
        else
            SetCellText(kKindCol, r, "");
        SetCellText(kS23EquivalentCol, r,
                    read[kParamsRecord] ? FormatValueText(m_equivalent[c]) : "");
        // Corrections 3 and 4 have no channel pair of their own: the cells stay as they are.
        if (m_nShownCorrection < 2) {
            SetCellText(kS23ChannelCol, r,
                        read[kCompensationRecord] ? IntText(ShownChannel(c)) : "");
            SetCellText(kS23ComponentCol, r,
                        read[kCompensationRecord] ? IntText(ShownComponent(c)) : "");
        }
    }
}

void CSindor23Grid::ReadCells() {
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        if (read[kCorrectionRecord]) {
            const int kind = GetDropListIndex(kKindCol, r);
            if (kind >= 0)
                m_correction[c].correctionType = InterferenceChoiceIndexToValue(m_pAnalyzer, kind);
        }
        if (read[kParamsRecord]) TakeValueText(GetCellText(kS23EquivalentCol, r), m_equivalent[c]);
        if (read[kCompensationRecord] && m_nShownCorrection < 2) {
            ShownChannel(c) = GetCellInt(kS23ChannelCol, r);
            ShownComponent(c) = GetCellInt(kS23ComponentCol, r);
        }
    }
}

void CSindor23Grid::UpdateCellStates() {
    if (m_pAnalyzer == NULL) return;
    const BOOL locked = !ApplyAccessRule(*this, m_pAnalyzer, kKindCol, GetColCount() - 1);
    ReadCells();
    for (int r = 0; r < (int)m_rows.size() && r < GetRowCount(); ++r) {
        const int c = m_rows[r];
        const BOOL* read = m_bRead[c];
        const BOOL known = !locked && read[kCorrectionRecord];
        // The kind belongs to the first correction: it is changed only while that one shows.
        LockCells(kKindCol, r, kKindCol, !known || m_nShownCorrection != 0);
        const BOOL active = known && m_correction[c].correctionType != kWithout;
        LockCells(kS23EquivalentCol, r, kS23EquivalentCol, !(active && read[kParamsRecord]));
        LockCells(kS23ChannelCol, r, kS23ComponentCol,
                  !(active && read[kCompensationRecord] && m_nShownCorrection < 2));
    }
}

BOOL CSindor23Grid::WriteValues() {
    if (m_pAnalyzer == NULL) return FALSE;
    const int k = m_nShownCorrection, n = k + 1;
    for (int c : m_rows) {
        const BOOL* read = m_bRead[c];
        if (IsProgramOnline()) {
            if (read[kCorrectionRecord] && !m_pAnalyzer->SetLateralGasCorrN(1, c, m_correction[c]))
                return FALSE;
            if (read[kParamsRecord] && !m_pAnalyzer->SetLateralGasParamsN(
                                           n, c, m_equivalent[c], m_rangeStart[c], m_rangeEnd[c]))
                return FALSE;
            if (read[kCompensationRecord] &&
                !m_pAnalyzer->SetCompensationComponent(c, m_compensation[c]))
                return FALSE;
            continue;
        }
        if (read[kCorrectionRecord])
            WriteEntryInt(CorrectionEntry(0, kTypeKey, c), m_correction[c].correctionType);
        if (read[kParamsRecord])
            WriteEntryValue(CorrectionEntry(k, kEquivalentKey, c), m_equivalent[c]);
        if (read[kCompensationRecord]) WriteCompensationPairs(c, 1);
    }
    return TRUE;
}
