// CParameterPropertySheet: the modal sheet "Parameter" of one analyzer: measuring ranges,
// limits, time constants and filters, frequencies, gas corrections, sample points and the
// external-pressure valves. The pages read the analyzer when they open and write it on OK or
// Apply (the device online, the parameter table offline); the sheet builds the model's set of
// pages, has the document's views reread the analyzer after OK or Apply (hint 6) and answers
// help.
//
// The pages keep one order on every model; a model leaves out the pages it lacks, so a
// parameter's page index counts the pages that the model's sheet holds.
#pragma once

#include "helppropertypage.h"
#include "paramcorrectionpage.h"
#include "paramdisturbancepage.h"
#include "paramextpressurepage.h"
#include "paramfrequenciespage.h"
#include "paramlimitspage.h"
#include "paramrangepage.h"
#include "paramswitchmpointpage.h"

class CVaskInstrument;

class CParameterPropertySheet : public CHelpPropertySheet {
    DECLARE_DYNAMIC(CParameterPropertySheet)
public:
    // The analyzer is not owned and must live while the sheet runs. The caller may pass a
    // parent window; the program's callers pass none.
    explicit CParameterPropertySheet(CVaskInstrument* pInstrument, CWnd* pParentWnd = NULL);
    ~CParameterPropertySheet() override;

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }
    CPageParamRange& GetRangePage() { return m_rangePage; }
    CPageParamLimits& GetLimitsPage() { return m_limitsPage; }
    CPageParamDisturbance& GetFilterPage() { return m_filterPage; }
    CPageParamFrequencies& GetFrequenciesPage() { return m_frequenciesPage; }
    CPageParamCorrection& GetCorrectionPage() { return m_correctionPage; }
    CPageParamSwitchMPoint& GetSamplePointPage() { return m_samplePointPage; }
    CPageParamExtPressure& GetExtPressurePage() { return m_extPressurePage; }

    BOOL OnInitDialog() override;

protected:
    // OK and Apply: the pages write (the sheet's own processing of the button), then the
    // active document's views reread the analyzer.
    void OnOK();
    void OnApplyNow();

    // The pages the model offers, in their one order.
    void AddModelPages();

    CPageParamRange m_rangePage;
    CPageParamLimits m_limitsPage;
    CPageParamDisturbance m_filterPage;
    CPageParamFrequencies m_frequenciesPage;
    CPageParamCorrection m_correctionPage;
    CPageParamSwitchMPoint m_samplePointPage;
    CPageParamExtPressure m_extPressurePage;
    CVaskInstrument* m_pInstrument;

    DECLARE_MESSAGE_MAP()
};

// A parameter's Edit: the sheet of the analyzer opened on page `nPage` (counted among the
// pages of the analyzer's model). The result of DoModal.
int RunParameterSheet(CVaskInstrument* pInstrument, int nPage);
