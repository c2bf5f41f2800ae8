// CPageParamCorrection: the page "Gas correction" of the parameter sheet. Above, one of the
// four interference corrections in the analyzer model's own grid (CInstrumentGridBase,
// created and kept by the analyzer on box 1071), chosen in a list; below, the pressure
// correction (CCorrectionGrid) on the models that have it. Apply checks what it would
// write and writes only what was read: the pressure correction, then the shown correction.
#pragma once

#include "correctiongrid.h"
#include "parampage.h"

class CInstrumentGridBase;

class CPageParamCorrection : public CParamPage {
public:
    explicit CPageParamCorrection(CVaskInstrument* pAnalyzer);
    // Has the analyzer delete its correction grid.
    ~CPageParamCorrection() override;

    // The analyzer's correction grid; NULL before the page opened (or without a factory).
    CInstrumentGridBase* GetGasGrid() const;
    CCorrectionGrid& GetPressureGrid() { return m_pressureGrid; }
    // The Sindor 23, the Parvel 64 and the Quenta 6 have no pressure correction here.
    BOOL HasPressureCorrection() const;
    int GetConfirmedIndex() const { return m_nConfirmedIndex; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnCorrectionChange();
    BOOL CheckValues();
    // The writes of Apply after the check; FALSE at the first failing one.
    BOOL WriteValues();

    int m_nIndex;
    int m_nConfirmedIndex;
    CCorrectionGrid m_pressureGrid;

    DECLARE_MESSAGE_MAP()
};
