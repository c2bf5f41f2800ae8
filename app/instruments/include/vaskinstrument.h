// CVaskInstrument: one analyzer on a Vask bus, or the offline analyzer of a document. A node
// of the instrument tree that carries the connection to its device (the access object of its
// converter or gateway line, its bus address and model data), a fixed parameter table
// embedded in the object (37 groups, 609 entries, tables/members.def and tables/groups.def)
// and the device operations (vaskoperations.def), which are gated by the online test and
// report their failures through the instrument host. The model classes derive from it.
//
// The analyzer takes no lock: the main thread, the view's update thread and the sheets'
// diagnostic thread call it, and the access object serialises the bus requests.
//
// Within a refresh round of the calling thread (refreshround.h) the reads that the views
// make share their answers: the state, the channel state, the measured values, the
// component switches, the extended status, the warm-up state and the entries' reads are
// each made once per round, and a device that has not answered is not asked again. The
// registration in Initialize is such a round as well: the heating, the option card and the
// instrument type that its groups depend on are read once.
#pragma once

#include "instrument.h"

#include "diagvalues.h"
#include "downloadtype.h"
#include "refreshround.h"
#include "vaskaccess.h"
#include "vaskparameter.h"

#include <initializer_list>
#include <vector>

class CVaskInstrument : public CInstrument {
    DECLARE_SERIAL(CVaskInstrument)
public:
    // Dynamic creation (a document being loaded): type code 0, no access object, no
    // components yet (4 by default), 4 ranges, no extension card; the component names from
    // the profile. Initialize runs later, from the document reader.
    CVaskInstrument();
    // An analyzer of model `typeCode` (0 to 10) at `address` behind `access` (null: offline).
    // The component names come from the profile; for type code 0 the analyzer initialises
    // itself, the model classes initialise theirs.
    CVaskInstrument(const CString& name, int typeCode, CvaskAccess* access, int address,
                    int componentCount, int defaultComponentCount, int rangeCount,
                    int extensionCard);
    // Deletes the compare analyzer and the diagnostic values object.
    ~CVaskInstrument() override;

    // ---- the document record ----------------------------------------------------------
    // The layout that storing writes (the record version of the header).
    enum { CurrentRecordVersion = 6 };
    // Stores the analyzer's record (header, then one record per offline entry of the groups,
    // in list order; an online analyzer asks its device for the header's flags and the
    // entries' values), or loads one: the header into the analyzer, Initialize for the
    // stored model type, then the stored values into the entries by number (by key before
    // version 4). The device's own identity, channel name, frequency and board versions are
    // taken from a file only while the host runs a compare load. A record of no entry, of
    // an entry that is not stored, or of an obsolete number is read and dropped. Schema 1 or
    // lower and a Quenta variant other than 1 or 2 are refused with a message; the archive's
    // exceptions (a file that ends early, a bad string) reach the caller. A record count that
    // the rest of the file cannot hold is the archive's end of file, raised before any entry
    // is read or the analyzer's name, model and component names change.
    void Serialize(CArchive& ar) override;
    // Set when the record just loaded is older than any layout with values (version 0):
    // nothing but the version was read. Cleared when a load starts.
    int IsIncompatible() const { return m_incompatible; }

    // ---- model queries and the frame of the analyzer ----------------------------------
    // The parent's display name, ": " and the name; the name alone without a parent.
    CString GetDisplayName() const override;
    CString GetName() const override;
    // 0 offline, 2 remote, 3 local, 4 not answering, 5 not chosen for connection, 6 two
    // devices answer at the address. The changed mark is set when the device's answering or
    // remote state flips.
    int GetState() override;
    // Offline the stored flag; online whether the device's heating is on (read without a
    // report), 0 when the read fails.
    virtual int HasHeating();
    // The stored heating flag (the analyzer record's, HasHeating's offline answer), without
    // asking the device.
    int GetStoredHeating() const { return m_heatingFlag; }
    // Registers the catalogue's groups through the group operations below, in their
    // registration order, and then fills the instrument status group itself. Called by
    // Initialize only, with the report flag cleared.
    virtual void RegisterParameterGroups();
    // Makes the analyzer ready: the defaults of a ready analyzer (report flag, connection
    // choice, the flags of the device state), the component count bounded by the default,
    // the fixed numbers of the entries, the groups owned and listed in their list order,
    // every group registered (the report flag cleared meanwhile, so that the online queries
    // of the registration report nothing), then the analyzer has data and every entry of
    // the groups takes its offline default from the profile.
    virtual void Initialize();
    // The component count, the default component count while it is 0.
    virtual int GetComponentCount();
    virtual int GetRangeCount();
    virtual int GetDefaultComponentCount();
    virtual int GetRelayCount();
    virtual int GetBinaryInputCount();
    virtual int GetExtRelayCount();
    virtual int GetExtBinaryInputCount();
    // The model's flags of the relay and binary-input functions it offers (flag i offers
    // function i + 1); null, `count` untouched, when the model has none (this class).
    virtual const int* GetRelayFunctionTable(int& count);
    virtual const int* GetBinaryInputFunctionTable(int& count);
    // Offline the stored flag; online whether the device reports an option card of a type
    // above 1 (read without a report), 0 when the read fails.
    virtual int HasExtensionCard();
    // 0 until the analyzer is initialised; a loaded document that leaves it 0 has no data.
    virtual int HasData();
    // Whether component 0 to 3 is present: online, a device whose measured values mark it
    // with the no-value mark lacks it; else (offline, or the values cannot be read) whether
    // it is below the component count.
    virtual int HasMeasRange(int component);

    // ---- the compare analyzer into the device -----------------------------------------
    // Writes the compare analyzer's values into the device, entry by entry (each entry
    // writes its counterpart of the same number; the counterpart gets the outcome, see
    // CVaskParameter::TransferFrom), with the report flag cleared meanwhile and set after.
    // The entries that write into one setting of a channel (a float group, a record, a
    // list: CvaskAccess::GetTransferSetting) go to the device together, in one write at the
    // place of the first of them (CVaskParameter::TransferTogether), so that the device
    // never holds a setting mixed of the set's values and its own old ones.
    // `progress` (null: none) is sent the message of GetOfflineTransferMessage with the
    // percentage of offline entries done (0 to 100, exactly 100 at the end) as wParam.
    // The node then takes the device's channel name. 0 without a compare analyzer, else 1.
    virtual int TransferOfflineSet(CWnd* progress);
    // The compare analyzer's values of single groups into the device, for each present
    // component (HasMeasRange; the autocal cycle once). The selected range, the autocal
    // cycle, the time constants and the limits are read from the device first, and only a
    // successful read is written back, with the compare values in place of the device's
    // (what the set does not hold goes back as read). Each compare entry concerned gets the
    // outcome: 1 and "Successful", or -1 and the failed command (GetLastErrorText). Each
    // returns 0 without a compare analyzer.
    // The selected measuring range, truncated to a whole range; 1.
    virtual int TransferCompareMeasRange();
    // The upper range values, then (except on the Sindor 23, type code 4) the lower ones; 1.
    virtual int TransferCompareRangeLimits();
    // The span gas values of the ranges; the result of the last write.
    virtual int TransferCompareSlopeGas();
    // The autocal cycle time and adjustment; the result of the write.
    virtual int TransferCompareAutocalCycle();
    // The four time constants; 1.
    virtual int TransferCompareIntegrationTime();
    // Limit values 1 and 2; the result of the last write.
    virtual int TransferCompareLimits();

    // ---- device operations, in slot order (vaskoperations.def) ------------------------
    // Offline (no access object, or the application offline) each returns 0 without a
    // request, unless its row says otherwise; a failure gives the row's text to
    // ReportResult. A model that overrides one overload of a name (GetLimit1 ...) brings
    // the others into its scope with a using-declaration.
#define VASK_OPERATION(name, parameters, member, arguments, messageId, messageArgument, reset, \
                       body)                                                                   \
    virtual int name parameters;
#include "vaskoperations.def"
    // The interference gas concentration of gas n = 1 to 4 (GetLateralGasConcentration1 ..
    // 4, through the virtual table); another n gives 0 and calls nothing.
    int GetLateralGasConcentrationN(int n, int c, VaskFloat& value);
    int SetLateralGasConcentrationN(int n, int c, const VaskFloat& value);

    // ---- group operations, in slot order -----------------------------------------------
    // Each registers one group of the catalogue (its list position in the comment): binds
    // its entries and adds them to the group. A model overrides one to register its group
    // differently; an empty override leaves the group empty on that model.
    virtual void RegisterIdentity();            // 1
    virtual void RegisterSelectedMeasRange();   // 2
    virtual void RegisterMeasRanges();          // 3
    virtual void RegisterAutorange();           // 4
    virtual void RegisterAdjustGases();         // 5
    virtual void RegisterTimeConstants();       // 6
    virtual void RegisterLimit1();              // 7
    virtual void RegisterLimit2();              // 8
    virtual void RegisterLimit3();              // 9
    virtual void RegisterLimit4();              // 10
    virtual void RegisterAutocal();             // 11
    virtual void RegisterAutocalCycle();        // 12
    virtual void RegisterAutocalSequence();     // 13
    virtual void RegisterFrequencies();         // 14
    virtual void RegisterShockCompensation();   // 15
    virtual void RegisterSensorTimes();         // 16
    virtual void RegisterPressureCorrection();  // 17
    virtual void RegisterInterference1();       // 20
    virtual void RegisterInterference2();       // 21
    virtual void RegisterInterference3();       // 22
    virtual void RegisterInterference4();       // 23
    virtual void RegisterAnalogOutputs();       // 24
    virtual void RegisterRelays();              // 25
    virtual void RegisterBinaryInputs();        // 26
    virtual void RegisterUnits();               // 27
    virtual void RegisterPump();                // 28
    virtual void RegisterSyncInput();           // 29
    virtual void RegisterH2SSensor();           // 31
    virtual void RegisterO2Sensor();            // 30
    virtual void RegisterBusSettings();         // 32
    virtual void RegisterWarmUpState();         // 33
    virtual void RegisterHeating();             // 35, only with heating
    virtual void RegisterBurnerPressures();     // 18
    virtual void RegisterTestGases();           // 36, only for instrument type 2
    virtual void RegisterDriftValues();         // 37
    virtual void RegisterAirPressure();         // 19

    // ---- diagnostic values ------------------------------------------------------------
    // Deletes the diagnostic values object.
    virtual void DeleteDiagValues();
    // The models delete the present display, create their own (from the factory of
    // diagvalues.h) over the dialog control and return whether it was attached; this class
    // only deletes the present one and returns 0.
    virtual BOOL CreateDiagValues(CWnd* parent, UINT controlId);
    CDiagnosticValues* GetDiagValues() const { return m_diagValues; }

    // ---- the device and its reports ---------------------------------------------------
    // An access object is present and the application is online.
    BOOL IsOnline() const;
    // rc non-zero: `out` = "Successful". Zero: `out` = the text of `messageId` formatted with
    // `argument`, handed to Report when the report flag is set.
    void ReportResult(CString& out, int rc, UINT messageId, int argument);
    // Adds the last bus command (when online) to the text and gives both, with a copy of the
    // error record, to the instrument host's report sink.
    void Report(CString text);
    // ReportResult into a text of its own, which is dropped; returns rc.
    int Reported(int rc, UINT messageId, int argument = 0);
    // Reported with "Error." for a transfer, keeping its error record first (GetTransferError).
    int ReportedTransfer(int rc);
    // A copy of the access object's last error record and, in `commandText`, the command
    // that failed ("Vask command: "k, 3""); offline an empty record and an empty text.
    ErrorStruct_ GetLastErrorText(CString& commandText);
    // The command text of an error record as GetLastErrorText gives it; empty for a failure
    // before any command.
    static CString CommandText(const ErrorStruct_& record);
    // Whether failed device operations are reported.
    void EnableCommandReport(int enable) { m_reportEnabled = enable; }
    int IsCommandReportEnabled() const { return m_reportEnabled; }

    // Online: 22 while a transfer of this analyzer runs, else the device's channel state;
    // offline 0.
    virtual int GetChannelState();
    // The channel's pending messages ("Error", "warning / maintenance request", "function
    // check"); TRUE when the device reports a fault.
    BOOL GetStateTexts(CStringList& out);
    // GetState once more (the views' re-read).
    int FetchState() { return GetState(); }

    // A request of the device on the calling thread: `ask` makes it and gives its result.
    // Within a refresh round a device that has not answered one of the round's requests is
    // not asked again: `failed` at once. A request after which the access object counts
    // one fault more for the device (it did not answer) makes it so for the rest of the
    // round. Outside a round `ask` alone.
    template <class Ask>
    int AskDevice(Ask ask, int failed = 0) {
        const unsigned long round = CRefreshRound::Current();
        if (round == 0) return ask();
        if (m_silentRound == round) return failed;
        const int faults = DeviceFaults();
        const int result = ask();
        if (DeviceFaults() > faults) m_silentRound = round;
        return result;
    }
    // Whether the device has not answered in the refresh round of the calling thread.
    BOOL IsSilentInRound() const;

    // Firmware download into the main board or the option card, and the parameter set
    // between the device and a file; progress goes to `window` as `message`. While one
    // runs, GetChannelState gives 22. Online only; a failure is reported.
    int Download(const CString& file, CWnd* window, UINT message);
    int DownloadProfibus(const CString& file, CWnd* window, UINT message);
    int WriteParamSet(const CString& file, CWnd* window, UINT message);
    int ReadParamSet(const CString& file, CWnd* window, UINT message);
    // Stops the running download or parameter-set transfer (online).
    void AbortDownload();
    int IsTransferRunning() const { return m_transferRunning; }
    // The access object's error record as the last of those transfers left it on failure,
    // taken before its report: the handlers of the report may make requests of their own.
    const ErrorStruct_& GetTransferError() const { return m_transferError; }

    // Non-zero: switches the device's broadcasting off when it is on (remembering that it
    // did); zero: switches it on again when it was paused. 1 when done or nothing to do.
    int PauseBroadcast(int pause);

    // ---- model data -------------------------------------------------------------------
    int GetModelKind() const { return m_typeCode; }
    // The model's name (string 15100 + type code); empty for an unknown code.
    CString GetModelName() const;
    int GetAddress() const { return m_address; }
    CvaskAccess* GetAccess() const { return m_access; }
    int IsConnectionEnabled() const { return m_connectionEnabled; }
    void SetConnectionEnabled(int enabled) { m_connectionEnabled = enabled; }
    int GetRecordVersion() const { return m_recordVersion; }
    // The user's name of component 0 to 3; other indexes read as empty and change nothing.
    CString GetComponentName(int index) const;
    void SetComponentName(int index, const CString& name);
    // The four component names into the profile, where the analyzers of this model read them
    // ("<model name>\Components", "Component 1" to "Component 4").
    void WriteComponentNames() const;
    // The label that begins the names of a component's entries: online "C<n>: <gas>" from
    // the device's measured values (which also become the cached component names); offline
    // "C<n>: <cached name>"; else the cached name or "Component <n>" (n = component + 1).
    CString GetComponentLabel(int component);
    // Text of unit code 1 to 57 (string 19499 + code); empty for other codes.
    static void GetUnitText(CString& out, int unitCode);
    // Gas of quantity code 1 to 50 (string 19000 + code); "Unknown" for other codes.
    static CString GetGasText(int quantityCode);

    // ---- the parameter table ----------------------------------------------------------
    // The groups in list order (empty before Initialize).
    const CObList& GetGroupList() const { return m_groupList; }
    // The embedded group at list position 1 to 37; null for other positions.
    CParameterGroup* GetParameterGroup(int listPosition);
    // Every embedded entry, in member order (609).
    void GetEmbeddedParameters(CObList& out);
    // The first entry in group-list order with that number, or whose key (group title,
    // "\", key text) is that text; null when none.
    CVaskParameter* FindParameterByNumber(int number) const;
    CVaskParameter* FindParameterByName(const CString& key) const;
    int CountParameters() const;
    int CountOfflineParameters() const;

    // ---- compare analyzer -------------------------------------------------------------
    // Takes a non-null analyzer in place of the present one (deleted); null changes nothing.
    void SetCompareInstrument(CVaskInstrument* compare);
    CVaskInstrument* GetCompareInstrument() const { return m_compare; }
    // The compare analyzer's entry with the same number; null without one.
    CVaskParameter* FindCompareParameter(CVaskParameter* parameter) const;
    // Deletes the compare analyzer: the comparison is over (SetCompareInstrument keeps the
    // present one for null).
    void DeleteCompareInstrument();

protected:
    // The profile's component names of this model.
    void ReadComponentNames();

    // ---- what the model classes share ------------------------------------------------
    // The list position of the group that each group operation fills (groups.def):
    // GroupOf::RegisterPump is 28.
    struct GroupOf {
        enum {
#define VASK_GROUP(member, list, nameId, name, titleId, title, registrar) registrar = list,
#include "groups.def"
        };
    };
    // The model's relay or binary-input function flags (tables/models.def), by the model's
    // class; `count` becomes the number of flags (63 relay, 50 binary-input functions). Null,
    // `count` untouched, for a class without a table.
    enum FunctionTable { RelayFunctions, BinaryInputFunctions };
    static const int* GetModelFunctionTable(const CRuntimeClass* model, FunctionTable table,
                                            int& count);
    // Binds the rows of tables/models.def that the group operation of `operation` (a list
    // position, GroupOf::...) of `model` binds, in row order, component by component.
    void RegisterModelRows(const CRuntimeClass* model, int operation);
    // The model's own version of the catalogue group of `operation` (tables/models.def):
    // the catalogue's rows that the model keeps, registered in the model's order and
    // counts, then the model's changes to them (ChangeModelGroup). Nothing is registered
    // for a model that keeps no rows of the group.
    void RegisterModelGroup(const CRuntimeClass* model, int operation);
    // The model's changes to the entries that the group of `operation` holds now: their
    // attributes, their write member and the group's edit location.
    void ChangeModelGroup(const CRuntimeClass* model, int operation);
    // Gives every entry of the group at `listPosition` the edit location (sheet, page): the
    // models whose sheets have other pages re-point a group after the base registered it.
    void SetGroupEditPage(int listPosition, int sheet, int page);
    // A model whose parameter sheet has no frequencies page: the group at `listPosition`
    // (the sensor times, the pressure correction or the first correction) on its page of
    // that sheet, one before the base's (switch measuring point 4, correction 3).
    void PointBeforeFrequenciesPage(int listPosition);
    // A diagnostic read of a model: online the member with the bus address and `argument`;
    // a failed or offline read (0, no request) leaves the no-value mark in `value`. No report.
    typedef int (CvaskAccess::*DiagnosticMember)(int address, int channel, VaskFloat& value);
    int ReadDiagnostic(DiagnosticMember member, int argument, VaskFloat& value);
    // A switch of a model (pump, burner): online the member with the bus address, channel 0
    // and `on`, whose answer is returned; offline 0 without a request. No report.
    typedef int (CvaskAccess::*SwitchMember)(int address, int channel, int on);
    int SetDeviceSwitch(SwitchMember member, int on);
    // The model's display of `kind` (DiagValuesKind) in place of the present one: unattached,
    // or attached to the dialog control, whose result is returned (FALSE without a factory).
    void ReplaceDiagValues(int kind);
    BOOL AttachNewDiagValues(int kind, CWnd* parent, UINT controlId);
    // The device's order number, trimmed: online as the device gives it; offline, or when
    // the read fails, the order-number entry's value (offline read through the entry first).
    CString ReadOrderNumber();
    // Whether an order number names an option: it begins with `type` and has `letter` at
    // `index` (from the end when negative: -1 is the last character), either case.
    static BOOL IsOrderWithOption(const CString& order, LPCSTR type, int index, char letter);
    // The relays and binary inputs that an extension card adds: 8 each with one, else 0.
    int CountOnExtensionCard();

    // ---- registration helpers for the group operations and the models ----------------
    // The rows of the catalogue (tables/catalogue.def) and of the models
    // (tables/models.def), named by the data member each binds: CatalogueRow::m_slopeGas is
    // the row of m_slopeGas.
    enum class CatalogueRow {
#define VASK_MEMBER(id, cls, count) id,
#include "members.def"
    };
    // The order in which a group's rows become entries. Rows without components come in
    // row order; a run of per-component rows registers component by component (present
    // components only, each with its label), within a component in row order, a per-range
    // row with its ranges up to the range count at its place. RangeByRange takes a
    // component's per-range rows range by range (range 1 of each row, then range 2, ...)
    // before its other rows; StepByStep takes a run of counted rows step by step.
    enum RowOrder { ComponentByComponent, RangeByRange, StepByStep };
    // Registers the rows of the group at `listPosition` that `rows` names (every row of the
    // group when empty) in `order`. Counted rows register as many entries as `counts` gives
    // for them in row order (the row's count where `counts` ends, never more); their names
    // and keys count on from one counted row to the next (step by step, the rows of a step
    // share its number). Page conditions are asked once per call.
    void RegisterGroupRows(int listPosition, RowOrder order = ComponentByComponent,
                           std::initializer_list<CatalogueRow> rows = {},
                           std::initializer_list<int> counts = {});
    // Element `element` of the row's data member; null outside it.
    CVaskParameter* GetRowEntry(CatalogueRow row, int element);
    // A Sindor 23's fourth channel is its O2 sensor, adjusted on a page of its own: its
    // range adjustment entries (group 5) are neither shown, stored nor changed. Nothing on
    // other models.
    void ExcludeO2ChannelAdjustment();

    // Fields in the order of the analyzer record, with their values at construction.
    int m_quentaVariant = 1;
    int m_heatingFlag = 0;
    int m_extensionCardFlag = 0;
    CvaskAccess* m_access = NULL;
    int m_componentCount = 0;
    int m_rangeCount = 4;
    int m_defaultComponentCount = 4;
    int m_address = 0;
    int m_connectionEnabled = 0;
    int m_recordVersion = 6;
    int m_typeCode = 0;
    CObList m_groupList{10};
    CVaskInstrument* m_compare = NULL;
    int m_reportEnabled = 0;
    int m_remote = 0;
    int m_alive = 0;
    volatile int m_transferRunning = 0;
    ErrorStruct_ m_transferError;
    int m_broadcastPaused = 0;
    int m_hasData = 0;
    // The record just loaded had no values (IsIncompatible).
    int m_incompatible = 0;
    // The models' options from the order number: the pump of a Parvel 64, the heating of a
    // Lorvix 62 (beside the stored heating flag).
    int m_pumpPresent = 0;
    int m_orderNumberFlag = 0;

    // The embedded groups, in member order (groups.def).
    enum {
        GroupCount = 0
#define VASK_GROUP(member, list, nameId, name, titleId, title, registrar) +1
#include "groups.def"
    };
    CParameterGroup m_groups[GroupCount];

    CDiagnosticValues* m_diagValues = NULL;

    // The embedded entries (members.def): a single object or an array of `count`.
    template <class Entry, int count>
    struct Member {
        typedef Entry Type[count];
    };
    template <class Entry>
    struct Member<Entry, 1> {
        typedef Entry Type;
    };
#define VASK_MEMBER(id, cls, count) Member<cls, count>::Type id;
#include "members.def"

    CString m_componentNames[4];

private:
    // A read that the current refresh round keeps: the round's number, the read's result
    // and, after a success, what it read.
    template <class Value>
    struct RoundMemo {
        unsigned long round = 0;
        int result = 0;
        Value value = Value();
    };
    struct MeasValues {
        VaskFloat values[4];
    };
    // `read` (which fills `out` and gives its result), once per refresh round: within the
    // round the first read's result serves the later ones, and its values after a success
    // (after a failure `out` is left as the failed read leaves it). Outside a round `read`.
    template <class Value, class Read>
    int ReadOnce(RoundMemo<Value>& memo, Value& out, Read read) {
        const unsigned long round = CRefreshRound::Current();
        if (round != 0 && memo.round == round) {
            if (memo.result) out = memo.value;
            return memo.result;
        }
        const int result = read(out);
        if (round != 0) {
            memo.round = round;
            memo.result = result;
            if (result) memo.value = out;
        }
        return result;
    }
    // ReadOnce of a request of the device (AskDevice): `ask` fills `out` and gives the result.
    template <class Value, class Ask>
    int AskOnce(RoundMemo<Value>& memo, Value& out, Ask ask) {
        return ReadOnce(memo, out, [&](Value& value) { return AskDevice([&] { return ask(value); }); });
    }
    // The faults that the access object has counted for the device since it last answered;
    // 0 for an address without a device entry.
    int DeviceFaults() const;
    // The answering and remote state of a device that may be asked (GetState's states 2, 3
    // and 4); for a device that has not answered in this round, what the access object
    // holds of it without a request.
    int AskAnsweringState();

    // The refresh rounds' share of the device (refreshround.h).
    unsigned long m_silentRound = 0;
    RoundMemo<int> m_stateMemo;
    RoundMemo<int> m_channelStateMemo;
    RoundMemo<MeasValues> m_measMemo;
    RoundMemo<CompSwitchStruct> m_compSwitchMemo[4];
    RoundMemo<ExtStatusStruct> m_extStatusMemo;
    RoundMemo<WarmUpStatusType> m_warmUpMemo;
    // What the registration's groups ask as their conditions (Initialize reads in a round).
    RoundMemo<int> m_heatingMemo;
    RoundMemo<OptionCardType> m_optionCardMemo;
    RoundMemo<QuentaType> m_instrumentTypeMemo;

    // The compare entries that a compare transfer took its values from get its outcome.
    void SetCompareOutcome(const std::vector<CVaskParameter*>& entries, int result);
    struct CatalogueRowData;
    struct ModelRowData;
    struct ModelGroupData;
    struct ModelChangeData;
    struct RowPages;
    void Construct();
    // The catalogue's rows in file order; the models' rows in file order.
    static const CatalogueRowData* GetCatalogueRows(int& rowCount);
    static const ModelRowData* GetModelRows(int& rowCount);
    // The models' own groups and their changes, in file order.
    static const std::vector<ModelGroupData>& GetModelGroups();
    static const std::vector<ModelChangeData>& GetModelChanges();
    // RegisterGroupRows with the rows and counts as lists.
    void RegisterSelectedRows(int listPosition, RowOrder order,
                              const std::vector<CatalogueRow>& only,
                              const std::vector<int>& counts);
    // Binds `rows` (of one group operation) in `order`, as RegisterGroupRows describes.
    void RegisterRows(const std::vector<const CatalogueRowData*>& rows, RowOrder order,
                      const std::vector<int>& counts);
    // Whether an edit page's condition (catalogue.def) holds, asked once per `pages`.
    int PageConditionHolds(int condition, RowPages& pages);
    // The document record's two directions.
    void StoreRecord(CArchive& ar);
    void LoadRecord(CArchive& ar);
    // Gives every embedded entry its fixed number (catalogue.def).
    void NumberParameters();
    // Binds element `element` of `row` (with the name and key already formatted), gives it
    // its edit page, texts and links, and adds it to its group.
    void BindRow(const CatalogueRowData& row, int element, int channel, int index,
                 const CString& name, const CString& key, RowPages& pages,
                 const std::vector<const CatalogueRowData*>& rows);
};
