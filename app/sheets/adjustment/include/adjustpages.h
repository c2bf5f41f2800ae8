// The pages of the adjustment sheet (adjustmentsheet.h): the measuring ranges with their zero
// and span calibration and a Sindor 23's O2 and H2S sensors, the pressure sensor, and
// AUTOCAL. Each page reads the analyzer when it opens (online the device, offline the
// parameter table) and writes on OK or Apply after an edit; the modified flag, once set,
// stays, so that every later Apply sends all values again.
#pragma once

#include "listctrlex.h"
#include "parampage.h"

class CPageAdjustRange;

// What the three pages share: each shows live values and takes the main frame's forwarded
// timer while it is the shown page; when the sheet's windows end, no page stays registered.
class CAdjustPage : public CParamPage {
public:
    CAdjustPage(UINT nIDTemplate, CVaskInstrument* pInstrument);

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

protected:
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};

// The range grid: per component (row) the measured value, the zero gas and the span gas of
// every range, each calibration cell with a button that starts that calibration, and the
// total range calibration switch.
class CAdjustRangeGrid : public CParamGrid {
public:
    CAdjustRangeGrid();

    // Builds the grid for the analyzer (rows, columns, buttons, headings, sizes, protection).
    void Initialize(CObject* pAnalyzer) override;
    // The measured values (online read, offline empty); with bFull also the zero and span
    // gases and the switches (online read, offline from the parameter table).
    void Fill(BOOL bFull);
    // The cell texts back into the values: zero and span texts and their leading numbers, the
    // switches. The page checks the numbers.
    void ReadBack();
    // A check in the last column is the row's total range calibration; any change marks the
    // page modified.
    void OnCellChanged(int nCol, int nRow) override;
    // A calibration button: zero column (range -1) or a range's set-point column.
    void OnCellButton(int nCol, int nRow) override;

    void SetOwner(CPageAdjustRange* pPage) { m_pOwner = pPage; }
    int GetRangeCount() const { return m_nRanges; }
    // The columns: 0 measured, 1 zero, 2 .. n + 1 ranges, n + 2 total range calibration.
    int GetZeroCol() const { return 1; }
    int GetSwitchCol() const { return m_nRanges + 2; }
    // Whether the row's values were read; an unread row is blank, locked and never written.
    BOOL IsRowRead(int nRow) const { return nRow >= 0 && nRow < kGridComponents && m_bRead[nRow]; }

    VaskFloat m_zeroGas[kGridComponents];
    VaskFloat m_spanGas[kGridComponents][kGridRanges];
    VaskFloat m_measured[kGridComponents];
    CompSwitchStruct m_switches[kGridComponents];

protected:
    void WriteValueCell(int nCol, int nRow, const VaskFloat& value);
    int RowCount();

    CVaskInstrument* m_pAnalyzer;
    CPageAdjustRange* m_pOwner;
    int m_nRanges;
    BOOL m_bRead[kGridComponents];
};

class CPageAdjustRange : public CAdjustPage {
    DECLARE_DYNCREATE(CPageAdjustRange)
public:
    explicit CPageAdjustRange(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    void OnCancel() override;

    // The zero (nRange -1) or span calibration of a component, from the grid's button.
    void StartRangeCalibration(int nComponent, int nRange);
    // The page's check of its texts; TRUE when everything converts (or nothing was edited).
    BOOL Validate();

    CAdjustRangeGrid& GetGrid() { return m_grid; }

    // Whether a calibration started from the grid is still in its prompts (the grid's button
    // does not start another meanwhile).
    static int GetCalibrationDepth();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void EnableControls();
    void ReadSensors();
    void ShowSensorMeasured();
    void OnTimer(UINT_PTR nIDEvent);
    void OnEdited() { OnValueEdited(); }
    void OnO2Zero();
    void OnO2Rise();
    void OnH2SZero();
    void OnH2SRise();
    // The sensor zero (O2 or H2S) and the prompt that follows a sensor command.
    void SensorZero(BOOL bOxygen);
    void PlacedPrompt();
    // A set-point text to its number (the value's unit text allowed); FALSE with message
    // 10053 when it is none.
    BOOL TakeSetPoint(CString& text, VaskFloat& value);
    BOOL IsSindor23() const;
    BOOL HasO2() const;
    BOOL HasH2S() const;

public:
    CString m_strO2Date, m_strO2Measured, m_strO2SetPoint;
    CString m_strH2SDate, m_strH2SMeasured, m_strH2SSetPoint;
    int m_nCommonZero;

protected:
    CAdjustRangeGrid m_grid;
    VaskFloat m_o2SetPoint, m_h2sSetPoint;
    BOOL m_bO2DateRead, m_bH2SDateRead;
    // A Sindor 23 with firmware 2.14.3 or later (asked once when the page opens).
    BOOL m_bNewFirmware;

    DECLARE_MESSAGE_MAP()
};

class CPageAdjustSensor : public CAdjustPage {
    DECLARE_DYNCREATE(CPageAdjustSensor)
public:
    explicit CPageAdjustSensor(CVaskInstrument* pInstrument = NULL);

    // Writes nothing: the set-point reaches the analyzer through "Adjust" only.
    BOOL OnApply() override;

    CString m_strSetPoint, m_strMeasured;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void ReadPressure();
    void OnTimer(UINT_PTR nIDEvent);
    void OnAdjust();

    VaskFloat m_pressure;

    DECLARE_MESSAGE_MAP()
};

class CPageAdjustAutocal : public CAdjustPage {
    DECLARE_DYNCREATE(CPageAdjustAutocal)
public:
    enum { kSteps = 12, kHalfSteps = 6 };

    explicit CPageAdjustAutocal(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    BOOL OnKillActive() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL Validate();

    int IsAvailable() const { return m_nAvailable; }
    int GetStepType(int nStep) const { return m_steps[nStep]; }
    const VaskFloat& GetStepTime(int nStep) const;

    int m_nOn, m_nByInput, m_nByCycle;
    CString m_strSetPointAfter, m_strCycleTime, m_strNextIn, m_strStepTime;
    CString m_strSensitivity, m_strZeroTolerance;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The mode, cycle and tolerances; FALSE when the page must stay locked (no option
    // board, or the mode could not be read).
    BOOL ReadOnline();
    BOOL ReadOffline();
    void WriteOffline();
    void EnableControls();
    void FillSequence();
    void ShowRow(int nRow);
    // The step's name (1 the first), "Unknown" beyond the model's list.
    CString StepName(int nType) const;
    VaskFloat& StepTime(int nStep);
    CString StepTimeText(int nStep) const;
    void OnChanged() { OnValueEdited(); }
    void OnSequenceChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnAssign();
    void OnCycleTimeLeft();
    void OnStartAutocal();
    void OnStartCheck();
    void Start(UINT nQuestionId, BOOL bCheck);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL IsSindor23() const;

    CListBox m_stepList;
    CComboBox m_function;
    CListCtrlEx m_sequence;
    CStringArray m_stepNames;
    int m_steps[kSteps];
    VaskFloat m_times1[kHalfSteps], m_times2[kHalfSteps];
    VaskFloat m_nextIn, m_cycleTime, m_setPointAfter;
    VaskFloat m_zeroTolerance, m_sensitivity;
    int m_nFunction;
    int m_nAvailable;
    // What was read; a setting that could not be read is never written back.
    BOOL m_bSequenceRead;
    BOOL m_bCycleRead;
    BOOL m_bTolerancesRead;

    DECLARE_MESSAGE_MAP()
};
