// CPageParamFrequencies: the page "Frequencies" of the parameter sheet (Sindor 6: chopper,
// Parvel 6: magnetic field): the frequency set-point, the model's default frequency, the
// phasing values of one component refreshed on the main frame's forwarded timer, the phase
// adjustment and, on a Parvel 6, the shock compensation's reducing coefficient.
//
// The wait for the end of a phase adjustment keeps the messages flowing; meanwhile the sheet
// is disabled (nothing can close the page under the wait), and the wait ends when the
// adjustment is over, when the analyzer stops answering (state 4 or three failed reads in a
// row) or after five minutes, the last three with the message of a failed adjustment.
#pragma once

#include "parampage.h"

class CPageParamFrequencies : public CParamPage {
public:
    explicit CPageParamFrequencies(CVaskInstrument* pAnalyzer);

    enum {
        kAdjustingState = 15,
        kNotAnsweringState = 4,
        kFailedReadsLimit = 3,
        kAdjustWaitMs = 5 * 60 * 1000,
        kAdjustPollMs = 500
    };

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;
    void OnOK() override;
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnDefaults();
    void OnAdjustPhase();
    void OnComponentChange();
    void OnTimer(UINT_PTR nIDEvent);

    // The measured value, the phase and the signal vectors of the selected component (online).
    void RefreshPhasing();
    // Waits for the end of a started adjustment; FALSE when it did not end by itself.
    BOOL WaitForAdjustment();
    BOOL CheckValues();
    BOOL IsParvel6() const;
    BOOL IsSindor6() const;

    CComboBox m_componentList;
    CString m_strReducer;
    CString m_strEPhi;
    CString m_strEPhi90;
    CString m_strSetpoint;
    CString m_strMeas;
    CString m_strPhase;
    VaskFloat m_frequency;
    VaskFloat m_shockCompensation;
    CFont m_symbolFont;
    BOOL m_bWaiting;

    DECLARE_MESSAGE_MAP()
};
