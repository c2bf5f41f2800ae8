// The pages of the configuration sheet (configpropertysheet.h). Each page reads the analyzer
// when it is first shown (online through the device operations, offline from the parameter
// table) and writes when OK or Apply reaches it after a change.
//
// Every page keeps whether each of its settings was read. A setting whose read failed is
// never written (its controls stay disabled): writing what the page holds in its place would
// put a default or an unselected list into the device.
#pragma once

#include "helppropertypage.h"
#include "listctrlex.h"
#include "pagegrids.h"

class CVaskInstrument;

// What the configuration pages share: the analyzer, the modified flag and the rule of the
// editing controls.
class CConfigPage : public CHelpPropertyPage, public CParamPageLink {
public:
    CConfigPage(UINT nIDTemplate, CVaskInstrument* pInstrument);

    CVaskInstrument* GetInstrument() const { return m_pInstrument; }
    void SetInstrument(CVaskInstrument* pInstrument) { m_pInstrument = pInstrument; }
    BOOL IsModified() const { return m_nModified != 0; }

    // A control changed: the page is modified and Apply enabled.
    void OnParamModified() override;

    // A live page gets the main frame's forwarded timer while it is shown.
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

protected:
    // Access level 2 or more and, online, the analyzer in remote state.
    BOOL MayEdit() const;
    BOOL IsOnline() const;
    // The analyzer's entry of the group at `nGroup` with that key text; NULL when none.
    CVaskParameter* Entry(int nGroup, const CString& key) const;
    // The entry's value as an integer; FALSE (value untouched) without entry or value.
    BOOL ReadInt(int nGroup, const CString& key, int& value) const;
    // Stores an integer setting (unit and quantity 1); nothing without the entry.
    void WriteInt(int nGroup, const CString& key, int value) const;
    void EnableControl(int nId, BOOL bEnable);
    // UpdateData(FALSE) that is no edit of the user's: the edits' change reports it causes
    // leave the page unmodified.
    void ShowData();

    CVaskInstrument* m_pInstrument;
    int m_nModified;
    BOOL m_bShowing;
    // The page shows live values (SetActive registers it for the timer).
    BOOL m_bLive;
};

// The analog current output: range, inversion, what it holds during a functional check and
// on a fault, and the suppression of negative values per component.
class CPageConfigAnalogous : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigAnalogous)
public:
    explicit CPageConfigAnalogous(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    BOOL OnKillActive() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void FillLists();
    void ReadSettings();
    void EnableControls();
    void OnControlChanged() { OnParamModified(); }

    int m_nInverted;
    // The second flag of the range setting: carried from the read to the write.
    int m_nSecondRangeFlag;
    int m_nCurrentRange;
    int m_nCheckBehaviour;
    int m_nFaultBehaviour;
    // Which settings were read: range with inversion, the store setting, each component's
    // suppression.
    BOOL m_bRangeRead;
    BOOL m_bInvertedRead;
    BOOL m_bStoreRead;
    BOOL m_bSuppressRead[kGridComponents];
    CCheckListBox m_suppress;

    DECLARE_MESSAGE_MAP()
};

// What the relay page and the binary-input page differ in: their controls, texts, sizes,
// the analyzer's counts, function tables and device operations, and their offline group.
struct AssignmentKind {
    UINT nTemplate, nList, nHeadings, nFreeList, nAssign, nRemove;
    int nFunctions;      // N: the function codes run from 1 to N
    UINT nTextBase;      // text of code c: nTextBase + c
    int nStandardSlots;  // the most standard outputs the page keeps
    int (CVaskInstrument::*standardCount)();
    int (CVaskInstrument::*optionCount)();
    const int* (CVaskInstrument::*functionTable)(int& count);
    int (CVaskInstrument::*readStandard)(int* codes);
    int (CVaskInstrument::*readOption)(int* codes);
    int (CVaskInstrument::*writeStandard)(int* codes);
    int (CVaskInstrument::*writeOption)(int* codes);
    int nGroup;             // the offline entries' group
    const char* keyFormat;  // their key, numbered from 1 across main board and option card
    BOOL bHeatingRule;      // the heating function (51) only with heating
};

// Assigns a function to each output (relays) or input (binary inputs): the standard ones
// first, then the option card's eight. "<<" gives the selected free function to the selected
// row, ">>" sets the row back to function 1.
class CPageConfigAssignment : public CConfigPage {
public:
    enum { kMaxFunctions = 63, kSlots = 8 };

    CPageConfigAssignment(const AssignmentKind& kind, CVaskInstrument* pInstrument);

    BOOL OnApply() override;

    // The text of a function code: "Not yet defined" above N.
    CString FunctionText(int code) const;
    // The function code of a row (standard rows first); 0 for no row.
    int GetRowCode(int nRow) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void FillAssignmentList();
    void FillFunctionList();
    void EnableControls();
    void OnAssign();
    void OnRemove();
    // The code slot of a row and whether its part was read; NULL for no such row.
    int* RowSlot(int nRow, BOOL* pRead);
    void Unassign(int code);

    const AssignmentKind& m_kind;
    int m_assigned[kMaxFunctions];
    int m_standard[kSlots];
    int m_option[kSlots];
    int m_nStandardCount;
    int m_nOptionCount;
    int m_nOptionCard;
    BOOL m_bHeating;
    // Which parts were read; an unread part is neither changed nor written.
    BOOL m_bStandardRead;
    BOOL m_bOptionRead;
    CListCtrlEx m_list;
    CListBox m_free;

    DECLARE_MESSAGE_MAP()
};

class CPageConfigRelais : public CPageConfigAssignment {
    DECLARE_DYNCREATE(CPageConfigRelais)
public:
    explicit CPageConfigRelais(CVaskInstrument* pInstrument = NULL);
};

class CPageConfigBinary : public CPageConfigAssignment {
    DECLARE_DYNCREATE(CPageConfigBinary)
public:
    explicit CPageConfigBinary(CVaskInstrument* pInstrument = NULL);
};

class CPageConfigUnits;

// The units grid: one row per component (at most three), the unit as a drop list and the
// maximum measuring range, read-only.
class CUnitsGrid : public CParamGrid {
public:
    enum { kUnitCol = 0, kMaxCol = 1, kRows = 3 };

    CUnitsGrid();

    void Initialize(CObject* pInstrument) override;
    void OnCellChanged(int nCol, int nRow) override;
    void SetPage(CParamPageLink* pPage) { m_pPage = pPage; }

    // The units and maximum ranges from the device (after the unit wait) or the entries,
    // into the cells.
    void ReadUnits();
    // The chosen units and the range texts out of the cells.
    void ReadBackCells();
    void SetCellProtection();

    int GetRowCount() const { return m_nRows; }
    // Unit setting of a row (1-based); 0 when its cell holds no choice.
    int m_units[kGridComponents];
    VaskFloat m_maxRanges[kGridComponents];
    // Whether each row's unit was read: an unread unit is neither editable nor written.
    BOOL m_bUnitRead[kGridComponents];

protected:
    int m_nRows;
    CVaskInstrument* m_pInstrument;
    CParamPageLink* m_pPage;
};

// The unit of each component of a Sindor 23 or Parvel 64.
class CPageConfigUnits : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigUnits)
public:
    explicit CPageConfigUnits(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    BOOL OnKillActive() override;
    BOOL ValidateInput();

    CUnitsGrid m_grid;

protected:
    BOOL OnInitDialog() override;
};

// The unit code that the parameter entries take for a unit setting (1-based): 11 "% vol",
// 4 "vpm", 10 "%", 9 "mg / m³", 2 "ppm"; 1 for any other.
int UnitCodeOfSetting(int setting);

// The sample pump and the meaning of the sync input.
class CPageConfigSync : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigSync)
public:
    explicit CPageConfigSync(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableControls();
    void OnControlChanged() { OnParamModified(); }

    int m_nPumpOn;
    int m_nPumpOnZero;
    int m_nPumpOnMeas;
    int m_nSyncChoice;    // 0: the sync input starts a zero calibration, 1: it only reports
    BOOL m_bSettingRead;  // sync and the two pump flags
    BOOL m_bSwitchRead;   // the pump switch

    DECLARE_MESSAGE_MAP()
};

// The channel name and the broadcast of measured values.
class CPageConfigVask : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigVask)
public:
    explicit CPageConfigVask(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableControls();
    void OnControlChanged() { OnParamModified(); }

    CString m_strChannelName;
    int m_nBroadcast;
    BOOL m_bNameRead;
    BOOL m_bBroadcastRead;

    DECLARE_MESSAGE_MAP()
};

// The heating switch and its nominal temperature.
class CPageConfigHeating : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigHeating)
public:
    explicit CPageConfigHeating(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableControls();
    void OnControlChanged() { OnParamModified(); }

    int m_nHeatingOn;
    int m_nTemperature;
    BOOL m_bSettingRead;  // flag and nominal temperature
    BOOL m_bSwitchRead;   // the heating switch

    DECLARE_MESSAGE_MAP()
};

// The Quenta 6's state, its warm-up phase (refreshed on the forwarded timer) and the state it
// enters after warm-up.
class CPageConfigWarmUp : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigWarmUp)
public:
    explicit CPageConfigWarmUp(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    void OnCancel() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableControls();
    void FillStartingStates(int state);
    void BuildTexts(int channelState, int warmUpState);
    void OnStartingStateChanged();
    void OnTimer(UINT_PTR nIDEvent);

    CString m_strState;
    CString m_strPhase;
    int m_nRefresh;
    int m_nInstrumentType;
    BOOL m_bStartRead;

    DECLARE_MESSAGE_MAP()
};

// The Quenta 6's burner pressures: set points, measured pressures (refreshed on the forwarded
// timer) and the three tolerances.
class CPageConfigPressureSettings : public CConfigPage {
    DECLARE_DYNCREATE(CPageConfigPressureSettings)
public:
    explicit CPageConfigPressureSettings(CVaskInstrument* pInstrument = NULL);

    BOOL OnApply() override;
    BOOL ValidateInput();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void EnableControls();
    void ReadMeasuredPressures();
    void OnControlChanged() { OnParamModified(); }
    void OnTimer(UINT_PTR nIDEvent);

    CString m_strGasSetPoint, m_strGasTolerance, m_strGasMeasured;
    CString m_strAirSetPoint, m_strAirTolerance, m_strAirMeasured;
    CString m_strPumpTolerance;
    VaskFloat m_pumpTolerance, m_gasTolerance, m_airTolerance;
    BOOL m_bTolerancesRead;

    DECLARE_MESSAGE_MAP()
};
