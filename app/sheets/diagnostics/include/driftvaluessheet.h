// The drift values sheet of an analyzer, "Drift values": one page with the calibration
// variation and the sums of drift values (QAL3) per component, which a user with the rights
// writes back to the analyzer; "Print" (left of OK) prints both lists on form 12504.
#pragma once

#include "helppropertypage.h"
#include "listctrlex.h"
#include "vaskaccess.h"

#include <vector>

class CVaskInstrument;

class CPageDriftValues : public CHelpPropertyPage {
    DECLARE_DYNCREATE(CPageDriftValues)
public:
    explicit CPageDriftValues(CVaskInstrument* pInstrument = NULL);

    void FillCalibrationList(int bUpdate);
    void FillDriftList(int bUpdate);
    void EnableResetButton();

    int PrintPage(int hJob, int nLastPage);
    int PrintRow(int hJob, int nRow);

    BOOL HasCalibReserve() const { return m_bCalibReserve; }

    CListCtrlEx m_driftList;
    CListCtrlEx m_calibList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnResetDriftValues();
    // The components in row order: 0 .. count - 1, then a Sindor 23's sensors 2 and 3.
    std::vector<int> RowComponents();

    int m_bCalibReserve;
    int m_nModified;
    VaskFloat m_setPointDevMax[4];
    VaskFloat m_setPointDev[4];
    VaskFloat m_zeroPointDevMax[4];
    VaskFloat m_calibReserve[4];
    VaskFloat m_zeroPoint[4];
    VaskFloat m_spanMR1[4];
    VaskFloat m_spanMR2[4];
    VaskFloat m_spanMR3[4];
    VaskFloat m_spanMR4[4];
    // Whether the last drift read of a component succeeded: only those are written back.
    BOOL m_bDriftRead[4];
    CVaskInstrument* m_pInstrument;
    int m_nComponents;

    DECLARE_MESSAGE_MAP()
};

class CDriftValuesSheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CDriftValuesSheet)
public:
    // The analyzer is not owned; `pParentWnd` NULL for a parameter's Edit, the main frame
    // from its commands.
    explicit CDriftValuesSheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }

    BOOL OnInitDialog() override;

    CPageDriftValues m_page;

protected:
    void OnTimer(UINT_PTR nIDEvent);
    void OnPrint();
    // OK and Apply: the default, then the active document's views reread the analyzer.
    void OnOKButton();
    void OnApplyNow();

    CVaskInstrument* m_pInstrument;
    CButton m_printButton;

    DECLARE_MESSAGE_MAP()
};
