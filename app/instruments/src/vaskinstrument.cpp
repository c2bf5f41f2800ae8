// The analyzer object: construction of its embedded table, initialisation, the model
// queries, the device state, the result report, the transfers and the table lookups.
#include "vaskinstrument.h"

#include "instrumenthost.h"
#include "profilesections.h"
#include "resource.h"
#include "texts.h"

IMPLEMENT_SERIAL(CVaskInstrument, CInstrument, VERSIONABLE_SCHEMA | 2)

namespace {

// The embedded groups: member position, list position and texts.
struct GroupEntry {
    int member;
    int list;
    UINT nameId;
    UINT titleId;
};

const GroupEntry kGroupTable[] = {
#define VASK_GROUP(member, list, nameId, name, titleId, title, registrar) \
    {member, list, nameId, titleId},
#include "groups.def"
};

const int kLastTypeCode = 10;
const int kComponentNames = 4;
const int kLastUnitCode = 57;
// The channel state that the analyzer gives while a transfer of its own runs ("Download").
const int kTransferState = 22;
// The option card types above this one are extension cards.
const int kNoExtensionCard = 1;

template <class Entry>
void AddEntries(CObList& out, Entry& entry) {
    out.AddTail(&entry);
}

template <class Entry, size_t count>
void AddEntries(CObList& out, Entry (&entries)[count]) {
    for (Entry& entry : entries) out.AddTail(&entry);
}

// A flag set to a value for the length of a scope (the transfer-running flag while a
// transfer runs, the report flag cleared for a background query) and restored after it.
template <class Flag>
class FlagScope {
public:
    FlagScope(Flag& flag, int value) : m_flag(flag), m_saved(flag) { m_flag = value; }
    ~FlagScope() { m_flag = m_saved; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    Flag& m_flag;
    int m_saved;
};

}  // namespace

CVaskInstrument::CVaskInstrument() { Construct(); }

CVaskInstrument::CVaskInstrument(const CString& name, int typeCode, CvaskAccess* access,
                                 int address, int componentCount, int defaultComponentCount,
                                 int rangeCount, int extensionCard)
    : CInstrument(name),
      m_extensionCardFlag(extensionCard),
      m_access(access),
      m_componentCount(componentCount),
      m_rangeCount(rangeCount),
      m_defaultComponentCount(defaultComponentCount),
      m_address(address),
      m_typeCode(typeCode) {
    Construct();
    if (typeCode == 0) Initialize();
}

void CVaskInstrument::Construct() {
    for (const GroupEntry& group : kGroupTable)
        m_groups[group.member - 1].SetTextIds(group.nameId, group.titleId);
    ReadComponentNames();
}

CVaskInstrument::~CVaskInstrument() {
    delete m_compare;
    delete m_diagValues;
    m_groupList.RemoveAll();
}

// The profile entry of component `index`: "Component <index + 1>".
static CString ComponentEntry(int index) {
    CString entry;
    entry.Format((LPCSTR)LoadText(IDS_COMPONENT_ENTRY), index + 1);
    return entry;
}

void CVaskInstrument::ReadComponentNames() {
    const CString section = GetModelName() + "\\" + LoadText(IDS_COMPONENTS_SECTION);
    for (int i = 0; i < kComponentNames; ++i)
        m_componentNames[i] = AfxGetApp()->GetProfileString(section, ComponentEntry(i), NULL);
}

void CVaskInstrument::WriteComponentNames() const {
    const CString section = GetModelName() + "\\" + LoadText(IDS_COMPONENTS_SECTION);
    for (int i = 0; i < kComponentNames; ++i)
        AfxGetApp()->WriteProfileString(section, ComponentEntry(i), m_componentNames[i]);
}

// ---- model queries ----------------------------------------------------------------------

CString CVaskInstrument::GetDisplayName() const {
    if (m_parent == NULL) return m_name;
    return m_parent->GetDisplayName() + ": " + m_name;
}

CString CVaskInstrument::GetName() const { return m_name; }

int CVaskInstrument::HasHeating() {
    if (!IsOnline()) return m_heatingFlag;
    FlagScope<int> quiet(m_reportEnabled, 0);
    int on = 0;
    const int read = AskOnce(m_heatingMemo, on, [this](int& out) {
        int temperature = 0;
        return GetHeating(out, temperature);
    });
    return read ? on : 0;
}

void CVaskInstrument::Initialize() {
    m_reportEnabled = 1;
    m_remote = 0;
    m_alive = 1;
    m_transferRunning = 0;
    m_broadcastPaused = 0;
    m_connectionEnabled = 1;
    if (m_componentCount <= 0 || m_componentCount > m_defaultComponentCount)
        m_componentCount = m_defaultComponentCount;
    NumberParameters();

    for (CParameterGroup& group : m_groups) group.SetInstrument(this);
    // Listed anew, so that a second initialisation does not list the groups twice.
    m_groupList.RemoveAll();
    for (int list = 1; list <= GroupCount; ++list) m_groupList.AddTail(GetParameterGroup(list));

    {
        // Registration asks an online device for its measured values (the labels), its
        // option card and heating, and its type: a failure there only makes an entry
        // absent, and is no message for the windows. It reads each of them once: the groups
        // that depend on them ask in one round.
        FlagScope<int> quiet(m_reportEnabled, 0);
        CRefreshRound round;
        RegisterParameterGroups();
    }

    // Not answering, until the first state request says otherwise.
    SetImageIndex(4);
    m_hasData = 1;

    // The defaults lie in a few dozen sections of the profile, each looked at once.
    CProfileSections sections;
    for (POSITION g = m_groupList.GetHeadPosition(); g != NULL;) {
        const CObList& entries = ((CParameterGroup*)m_groupList.GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;)
            ((CVaskParameter*)entries.GetNext(e))->LoadDefaultValue();
    }
}

int CVaskInstrument::GetComponentCount() {
    return m_componentCount == 0 ? m_defaultComponentCount : m_componentCount;
}

int CVaskInstrument::GetRangeCount() { return m_rangeCount; }

int CVaskInstrument::GetDefaultComponentCount() { return m_defaultComponentCount; }

int CVaskInstrument::GetRelayCount() { return 8; }

int CVaskInstrument::GetBinaryInputCount() { return 6; }

int CVaskInstrument::GetExtRelayCount() { return 8; }

int CVaskInstrument::GetExtBinaryInputCount() { return 8; }

const int* CVaskInstrument::GetRelayFunctionTable(int&) { return NULL; }

const int* CVaskInstrument::GetBinaryInputFunctionTable(int&) { return NULL; }

int CVaskInstrument::HasExtensionCard() {
    if (!IsOnline()) return m_extensionCardFlag;
    FlagScope<int> quiet(m_reportEnabled, 0);
    OptionCardType card = OptionCardType(0);
    const int read =
        AskOnce(m_optionCardMemo, card, [this](OptionCardType& out) { return GetOptionCard(out); });
    return read && (int)card > kNoExtensionCard;
}

int CVaskInstrument::HasData() { return m_hasData; }

void CVaskInstrument::DeleteDiagValues() {
    delete m_diagValues;
    m_diagValues = NULL;
}

BOOL CVaskInstrument::CreateDiagValues(CWnd*, UINT) {
    DeleteDiagValues();
    return FALSE;
}

CString CVaskInstrument::GetModelName() const {
    if (m_typeCode < 0 || m_typeCode > kLastTypeCode) return CString();
    return LoadText(IDS_MODEL_NAME_BASE + m_typeCode);
}

CString CVaskInstrument::GetComponentName(int index) const {
    if (index < 0 || index >= kComponentNames) return CString();
    return m_componentNames[index];
}

void CVaskInstrument::SetComponentName(int index, const CString& name) {
    if (index >= 0 && index < kComponentNames) m_componentNames[index] = name;
}

void CVaskInstrument::GetUnitText(CString& out, int unitCode) {
    out =
        unitCode >= 1 && unitCode <= kLastUnitCode ? LoadText(IDS_UNIT_BASE + unitCode) : CString();
}

// ---- the device and its reports ---------------------------------------------------------

BOOL CVaskInstrument::IsOnline() const {
    return m_access != NULL && GetInstrumentHost().GetOperationMode() != 0;
}

int CVaskInstrument::GetState() {
    if (!IsOnline()) return 0;
    if (!m_connectionEnabled) return 5;
    if (m_access->HasAddressConflict(m_address)) return 6;
    int state = 4;
    ReadOnce(m_stateMemo, state, [this](int& out) {
        out = AskAnsweringState();
        return 1;
    });
    return state;
}

int CVaskInstrument::AskAnsweringState() {
    // Both questions read the device's switches. In a round they are read once: the remote
    // flag is in the access object's record of the device from the answering question's
    // read, and a device that found no answer is not asked again in the round.
    const BOOL inRound = CRefreshRound::Current() != 0;
    CDeviceData* device = m_access->GetDevice(m_address);
    const int alive = !IsSilentInRound()
                          ? AskDevice([this] { return m_access->IsAlive(m_address); })
                          : device == NULL || device->GetFaultCounter() < CDeviceData::UnavailableFaults;
    if (alive) {
        if (!m_alive) {
            SetChanged(1);
            m_alive = 1;
        }
        const int remote = (!inRound ? m_access->IsRemote(m_address)
                                     : device != NULL && device->IsRemote())
                               ? 1
                               : 0;
        if (remote != m_remote) SetChanged(1);
        m_remote = remote;
        return remote ? 2 : 3;
    }
    if (m_alive) {
        SetChanged(1);
        m_alive = 0;
    }
    return 4;
}

BOOL CVaskInstrument::IsSilentInRound() const {
    const unsigned long round = CRefreshRound::Current();
    return round != 0 && m_silentRound == round;
}

int CVaskInstrument::DeviceFaults() const {
    if (m_access == NULL) return 0;
    const CDeviceData* device = m_access->GetDevice(m_address);
    return device != NULL ? device->GetFaultCounter() : 0;
}

void CVaskInstrument::ReportResult(CString& out, int rc, UINT messageId, int argument) {
    if (rc) {
        out = LoadText(IDS_SUCCESSFUL);
        return;
    }
    out.Format((LPCSTR)LoadText(messageId), argument);
    if (m_reportEnabled) Report(out);
}

int CVaskInstrument::Reported(int rc, UINT messageId, int argument) {
    CString text;
    ReportResult(text, rc, messageId, argument);
    return rc;
}

void CVaskInstrument::Report(CString text) {
    // The sink gets a record of this call's own: the access object's record of this thread
    // changes with its next failure, and the sink may show it later.
    ErrorStruct_ record;
    if (IsOnline()) {
        CString command;
        record = GetLastErrorText(command);
        if (!command.IsEmpty()) text += "\n" + command;
    }
    GetInstrumentHost().ReportDeviceError(text, record);
}

ErrorStruct_ CVaskInstrument::GetLastErrorText(CString& commandText) {
    commandText.Empty();
    ErrorStruct_ record;
    if (!IsOnline()) return record;
    record = m_access->GetLastError();
    commandText = CommandText(record);
    return record;
}

CString CVaskInstrument::CommandText(const ErrorStruct_& record) {
    const int letter = (int)((record.info >> 8) & 0xFF);
    const int function = (int)(record.info & 0xFF);
    CString text;
    // A failure before any command (no device, no network) names none.
    if (letter != 0) text.Format((LPCSTR)LoadText(IDS_VASK_COMMAND), letter, function);
    return text;
}

int CVaskInstrument::GetChannelState() {
    if (!IsOnline()) return 0;
    if (m_transferRunning) return kTransferState;
    int state = -1;
    ReadOnce(m_channelStateMemo, state, [this](int& out) {
        out = AskDevice([this] { return m_access->GetChannelState(m_address); }, -1);
        return 1;
    });
    return state;
}

BOOL CVaskInstrument::GetStateTexts(CStringList& out) {
    out.RemoveAll();
    if (!IsOnline()) return FALSE;
    struct State {
        CvaskAccess::ParamAdapter read;
        UINT text;
    } const states[] = {
        {&CvaskAccess::FetchStateFault, IDS_STATE_CLASS_BASE + 0},
        {&CvaskAccess::FetchStateServiceReq, IDS_STATE_CLASS_BASE + 1},
        {&CvaskAccess::FetchStateFunctionCheck, IDS_STATE_CLASS_BASE + 4},
    };
    BOOL fault = FALSE;
    for (const State& state : states) {
        VaskFloat value;
        (m_access->*state.read)(m_address, 0, 0, value);
        if (value.value > 0.0) {
            out.AddTail(LoadText(state.text));
            if (state.read == &CvaskAccess::FetchStateFault) fault = TRUE;
        }
    }
    return fault;
}

int CVaskInstrument::Download(const CString& file, CWnd* window, UINT message) {
    if (!IsOnline()) return 0;
    FlagScope<volatile int> running(m_transferRunning, 1);
    return ReportedTransfer(
        m_access->Download(m_address, DownloadResetFirst, file, window, message));
}

int CVaskInstrument::DownloadProfibus(const CString& file, CWnd* window, UINT message) {
    if (!IsOnline()) return 0;
    FlagScope<volatile int> running(m_transferRunning, 1);
    return ReportedTransfer(
        m_access->DownloadPBO(m_address, DownloadResetFirst, file, window, message));
}

int CVaskInstrument::WriteParamSet(const CString& file, CWnd* window, UINT message) {
    if (!IsOnline()) return 0;
    FlagScope<volatile int> running(m_transferRunning, 1);
    return ReportedTransfer(m_access->WriteParamSet(m_address, file, window, message));
}

int CVaskInstrument::ReadParamSet(const CString& file, CWnd* window, UINT message) {
    if (!IsOnline()) return 0;
    FlagScope<volatile int> running(m_transferRunning, 1);
    return ReportedTransfer(m_access->ReadParamSet(m_address, file, window, message));
}

int CVaskInstrument::ReportedTransfer(int rc) {
    if (!rc) m_transferError = m_access->GetLastError();
    return Reported(rc, IDS_ERROR);
}

void CVaskInstrument::AbortDownload() {
    if (!IsOnline()) return;
    // The view cancels parameter-set transfers through here as well; the access object
    // keeps one flag for downloads and one for parameter sets.
    m_access->AbortDownload();
    m_access->AbortWriteParamSet();
}

int CVaskInstrument::PauseBroadcast(int pause) {
    if (pause) {
        ChannelSwitchStruct switches;
        if (!GetSwitches(switches)) return 0;
        if (!switches.flags[ChannelSwitchStruct::Broadcast]) {
            m_broadcastPaused = 0;
            return 1;
        }
        if (!Broadcast(0)) return 0;
        m_broadcastPaused = 1;
        return 1;
    }
    if (!m_broadcastPaused) return 1;
    if (!Broadcast(1)) return 0;
    m_broadcastPaused = 0;
    return 1;
}

// ---- the parameter table ----------------------------------------------------------------

CParameterGroup* CVaskInstrument::GetParameterGroup(int listPosition) {
    for (const GroupEntry& group : kGroupTable)
        if (group.list == listPosition) return &m_groups[group.member - 1];
    return NULL;
}

void CVaskInstrument::GetEmbeddedParameters(CObList& out) {
#define VASK_MEMBER(id, cls, count) AddEntries(out, id);
#include "members.def"
}

namespace {

// The first entry of the groups (in list order) that `matches`.
template <class Match>
CVaskParameter* FindInGroups(const CObList& groups, Match matches) {
    for (POSITION g = groups.GetHeadPosition(); g != NULL;) {
        const CObList& entries = ((CParameterGroup*)groups.GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
            CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
            if (matches(entry)) return entry;
        }
    }
    return NULL;
}

template <class Match>
int CountInGroups(const CObList& groups, Match matches) {
    int count = 0;
    for (POSITION g = groups.GetHeadPosition(); g != NULL;) {
        const CObList& entries = ((CParameterGroup*)groups.GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;)
            if (matches((CVaskParameter*)entries.GetNext(e))) ++count;
    }
    return count;
}

}  // namespace

CVaskParameter* CVaskInstrument::FindParameterByNumber(int number) const {
    return FindInGroups(m_groupList,
                        [number](CVaskParameter* entry) { return entry->GetNumber() == number; });
}

CVaskParameter* CVaskInstrument::FindParameterByName(const CString& key) const {
    return FindInGroups(m_groupList,
                        [&key](CVaskParameter* entry) { return entry->GetKey() == key; });
}

int CVaskInstrument::CountParameters() const {
    return CountInGroups(m_groupList, [](CVaskParameter*) { return true; });
}

int CVaskInstrument::CountOfflineParameters() const {
    return CountInGroups(m_groupList,
                         [](CVaskParameter* entry) { return entry->IsOfflineParameter() != 0; });
}

void CVaskInstrument::SetCompareInstrument(CVaskInstrument* compare) {
    if (compare == NULL || compare == m_compare) return;
    delete m_compare;
    m_compare = compare;
}

void CVaskInstrument::DeleteCompareInstrument() {
    delete m_compare;
    m_compare = NULL;
}

CVaskParameter* CVaskInstrument::FindCompareParameter(CVaskParameter* parameter) const {
    if (m_compare == NULL || parameter == NULL) return NULL;
    return m_compare->FindParameterByNumber(parameter->GetNumber());
}
