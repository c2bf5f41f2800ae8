// The instrument grids: the interference (cross-gas) correction grid of the page "Gas
// correction", one row per component, showing one of the analyzer's four corrections at a
// time. The analyzer model creates, keeps and deletes it (CVaskInstrument::CreateDiagValues,
// DeleteDiagValues, GetDiagValues) through the factory that InstallInstrumentGridFactory
// puts in place; the page reaches it through the analyzer.
//
// - CInstrumentGridBase: the values of the shown correction per component, its selection and
//   the link to the page;
// - CInstrumentGrid: twelve columns, every model but the Sindor 23;
// - CSindor23Grid: four columns, the Sindor 23 (rows for its sensors too).
//
// Each loads the shown correction from the device (online) or the offline table, fills its
// cells, locks the cells that do not apply to a row's compensation kind, takes the edited
// cells back (ReadCells) and writes the correction (WriteValues). A record of a component
// that could not be read shows empty read-only cells and is neither taken back nor written.
#pragma once

#include "diagvalues.h"
#include "pagegrids.h"

// The records of one component that the grids read and write.
enum InterferenceRecord {
    kCorrectionRecord,     // kind, valid-for-range flags, current range
    kParamsRecord,         // equivalent, range start, range end
    kCompensationRecord,   // the channel pairs
    kConcentrationRecord,  // correction gas concentration
    kInterferenceRecords
};

class CInstrumentGridBase : public CParamGrid, public CDiagnosticValues {
public:
    CInstrumentGridBase();
    ~CInstrumentGridBase() override;

    // The model's display of diagvalues.h: takes the place of the dialog control.
    BOOL AttachToDlgItem(CWnd* pParent, UINT nControlId) override;

    // Keeps the analyzer.
    void Initialize(CObject* pAnalyzer) override;
    // The page's OnParamModified when a page is set, then UpdateCellStates.
    void OnCellChanged(int nCol, int nRow) override;

    // --- the grids' own operations, in slot order --------------------------------------
    virtual void SetPage(CParamPageLink* pPage);
    virtual void ReadCells();
    virtual void FillCells();
    // The row headings: the component labels of the rows' components.
    virtual void FillRowHeadings();
    virtual void FillHeadings();
    virtual void UpdateCellStates();
    // Writes the shown correction; 0 when a device write failed (earlier writes stay).
    virtual BOOL WriteValues();
    // Shows correction `nIndex` (0 to 3; any other index shows 0): loads, fills, sets the
    // cells' states and repaints. Edits not written are dropped.
    virtual void ShowCorrection(int nIndex);
    virtual void LoadValues();

    int GetShownCorrection() const { return m_nShownCorrection; }
    CVaskInstrument* GetAnalyzer() const { return m_pAnalyzer; }
    // The component a row shows; -1 for none.
    int GetRowComponent(int nRow) const;
    // Whether record `nRecord` of component c was read.
    BOOL IsRecordRead(int c, int nRecord) const;

    CorrectionStruct2 m_correction[kGridComponents];
    VaskFloat m_rangeStart[kGridComponents];
    VaskFloat m_rangeEnd[kGridComponents];
    VaskFloat m_equivalent[kGridComponents];
    CompStruct m_compensation[kGridComponents];
    VaskFloat m_concentration[kGridComponents];

protected:
    // Rows for the components, `nColumns` columns, merging on, two heading rows together
    // `nHeadingHeight` high.
    void BuildFrame(int nColumns, int nHeadingHeight);
    // The first correction shown, the cells' states, the layout.
    void FinishInitialize();
    // The heading texts of the upper and lower heading rows, formatted.
    void FillHeadingRows(UINT nUpperId, UINT nLowerId);
    // The offline entry of correction k (0 to 3) with key `format` ("C%d: Type" ...) of
    // component c, formatted with c + 1 and `nRange` (from 1) where it has a second number.
    CVaskParameter* CorrectionEntry(int k, LPCSTR format, int c, int nRange = 0);
    // The entry of the compensation pair's channel or component `nPair` (1 to 4) of c.
    CVaskParameter* CompensationEntry(LPCSTR format, int nPair, int c);
    // The offline compensation record of c from the pairs nFirstPair and nFirstPair + 1
    // (1 for corrections 1 and 2, 3 for 3 and 4): TRUE when all four were read; and back.
    BOOL ReadCompensationPairs(int c, int nFirstPair);
    void WriteCompensationPairs(int c, int nFirstPair);
    // The channel and component of the pair that correction k shows.
    int& ShownChannel(int c);
    int& ShownComponent(int c);
    // The cells of a row outside the grid's rows are not touched.
    void LockCells(int nFirstCol, int nRow, int nLastCol, BOOL bLocked);
    void ClearReadFlags();

    int m_nShownCorrection;
    CVaskInstrument* m_pAnalyzer;
    CParamPageLink* m_pPage;
    std::vector<int> m_rows;
    BOOL m_bRead[kGridComponents][kInterferenceRecords];
};

class CInstrumentGrid : public CInstrumentGridBase {
public:
    void Initialize(CObject* pAnalyzer) override;
    void ReadCells() override;
    void FillCells() override;
    void FillHeadings() override;
    void UpdateCellStates() override;
    BOOL WriteValues() override;
    void LoadValues() override;

protected:
    // Whether the model stores the correction gas concentration (Sindor 6, Quenta 6, Lorvix 6).
    BOOL WritesConcentration() const;
};

class CSindor23Grid : public CInstrumentGridBase {
public:
    void Initialize(CObject* pAnalyzer) override;
    void ReadCells() override;
    void FillCells() override;
    void FillHeadings() override;
    void UpdateCellStates() override;
    BOOL WriteValues() override;
    void LoadValues() override;
};

// Puts the factory of the instrument grids in place for the analyzer models
// (SetDiagValuesFactory); the one installed before is returned.
DiagValuesFactory InstallInstrumentGridFactory();
