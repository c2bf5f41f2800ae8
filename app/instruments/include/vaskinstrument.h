// CVaskInstrument: one analyzer on a Vask bus, or the offline analyzer of a document. A node
// of the instrument tree that carries the connection to its device (the access object of its
// converter or gateway line, its bus address and model data), a fixed parameter table
// embedded in the object (37 groups, 609 entries, tables/members.def and tables/groups.def)
// and the device operations (vaskoperations.def), which are gated by the online test and
// report their failures through the instrument host. The model classes derive from it.
//
// The analyzer takes no lock: the main thread, the view's update thread and the sheets'
// diagnostic thread call it, and the access object serialises the bus requests.
#pragma once

#include "instrument.h"

#include "diagvalues.h"
#include "downloadtype.h"
#include "vaskaccess.h"
#include "vaskparameter.h"

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
    // Sets the defaults of a ready analyzer (report flag, connection choice, the flags of
    // the device state), fixes the component count, makes the analyzer the owner of its
    // groups and lists them in their list order; then the analyzer has data.
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

    // ---- device operations, in slot order (vaskoperations.def) ------------------------
    // Offline (no access object, or the application offline) each returns 0 without a
    // request; a failure gives the row's text to ReportResult.
#define VASK_OPERATION(name, parameters, member, arguments, messageId, messageArgument, reset, \
                       body)                                                                   \
    virtual int name parameters;
#include "vaskoperations.def"

    // ---- diagnostic values ------------------------------------------------------------
    // Deletes the diagnostic values object.
    virtual void DeleteDiagValues();
    // The models create their display over the dialog control and return whether it was
    // attached; this class only deletes the present one and returns 0.
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
    // A copy of the access object's last error record and, in `commandText`, the command
    // that failed ("Vask command: "k, 3""); offline an empty record and an empty text.
    ErrorStruct_ GetLastErrorText(CString& commandText);
    // Whether failed device operations are reported.
    void EnableCommandReport(int enable) { m_reportEnabled = enable; }
    int IsCommandReportEnabled() const { return m_reportEnabled; }

    // Online: 22 while a transfer of this analyzer runs, else the device's channel state;
    // offline 0.
    int GetChannelState();
    // The channel's pending messages ("Error", "warning / maintenance request", "function
    // check"); TRUE when the device reports a fault.
    BOOL GetStateTexts(CStringList& out);
    // GetState once more (the views' re-read).
    int FetchState() { return GetState(); }

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
    // Text of unit code 1 to 57 (string 19499 + code); empty for other codes.
    static void GetUnitText(CString& out, int unitCode);

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

protected:
    // The profile's component names of this model.
    void ReadComponentNames();

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
    int m_broadcastPaused = 0;
    int m_hasData = 0;

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
    void Construct();
};
