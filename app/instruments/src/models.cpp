// What the analyzer model classes share: their function tables (tables/models.def), their
// diagnostic reads, their diagnostic-values display and the order number that decides a
// model's options.
#include "vaskinstrument.h"

#include "texts.h"

#include <cctype>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// The flags of each table: 63 relay functions, 50 binary-input functions.
const int kRelayFunctions = 63;
const int kBinaryInputFunctions = 50;
// What an extension card adds, of relays and of binary inputs.
const int kExtensionCardCount = 8;
// The parameter sheet of a model without a frequencies page: its correction page and its
// switch-measuring-point page.
const int kParameterSheet = 2;
const int kCorrectionPage = 3;
const int kSwitchMeasuringPointPage = 4;

struct FlagRange {
    int first;
    int last;
};

// One line of models.def's function tables: the flags on, as ranges.
struct FunctionRanges {
    const char* model;
    bool relay;
    std::vector<FlagRange> on;
};

const bool Relay = true;
const bool BinaryInput = false;

const FunctionRanges kFunctionRanges[] = {
#define VASK_UNPAREN(...) __VA_ARGS__
#define VASK_ADAPTER(name)
#define VASK_NO_ADAPTER
#define VASK_MODEL_FUNCTIONS(model, table, ranges) {#model, table, {VASK_UNPAREN ranges}},
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(...)
#define VASK_MODEL_ATTRIBUTES(...)
#define VASK_MODEL_TRANSFER(...)
#define VASK_MODEL_EDIT_PAGE(...)
#include "models.def"
#undef VASK_UNPAREN
};

// Every model's flags, made once from the ranges, by model class name and table.
typedef std::map<std::pair<std::string, bool>, std::vector<int>> FunctionFlags;

FunctionFlags MakeFunctionFlags() {
    FunctionFlags all;
    for (const FunctionRanges& line : kFunctionRanges) {
        std::vector<int>& flags = all[{line.model, line.relay}];
        flags.assign(line.relay ? kRelayFunctions : kBinaryInputFunctions, 0);
        for (const FlagRange& range : line.on)
            for (int i = range.first; i <= range.last; ++i)
                if (i >= 0 && i < (int)flags.size()) flags[i] = 1;
    }
    return all;
}

}  // namespace

const int* CVaskInstrument::GetModelFunctionTable(const CRuntimeClass* model, FunctionTable table,
                                                  int& count) {
    static const FunctionFlags flags = MakeFunctionFlags();
    if (model == NULL) return NULL;
    const auto found = flags.find({model->m_lpszClassName, table == RelayFunctions});
    if (found == flags.end()) return NULL;
    count = (int)found->second.size();
    return found->second.data();
}

int CVaskInstrument::ReadDiagnostic(DiagnosticMember member, int argument, VaskFloat& value) {
    const int result = IsOnline() ? (m_access->*member)(m_address, argument, value) : 0;
    if (result == 0) SetNoValue(value);
    return result;
}

void CVaskInstrument::PointBeforeFrequenciesPage(int listPosition) {
    SetGroupEditPage(
        listPosition, kParameterSheet,
        listPosition == GroupOf::RegisterSensorTimes ? kSwitchMeasuringPointPage : kCorrectionPage);
}

int CVaskInstrument::SetDeviceSwitch(SwitchMember member, int on) {
    return IsOnline() ? (m_access->*member)(m_address, 0, on) : 0;
}

void CVaskInstrument::ReplaceDiagValues(int kind) {
    DeleteDiagValues();
    m_diagValues = CreateDiagValuesOfKind(kind);
}

BOOL CVaskInstrument::AttachNewDiagValues(int kind, CWnd* parent, UINT controlId) {
    ReplaceDiagValues(kind);
    return m_diagValues != NULL && m_diagValues->AttachToDlgItem(parent, controlId);
}

CString CVaskInstrument::ReadOrderNumber() {
    VaskFloat order;
    const BOOL online = IsOnline();
    // The device is asked for element 0 itself, not through the entry's element index.
    if (!online || !m_access->FetchOrderNumber(m_address, 0, 0, order)) {
        if (!online) m_orderNumber.GetValue(order);
        order = m_orderNumber.GetCachedValue();
    }
    CString text = order.text;
    text.TrimLeft();
    text.TrimRight();
    return text;
}

BOOL CVaskInstrument::IsOrderWithOption(const CString& order, LPCSTR type, int index, char letter) {
    const int at = index < 0 ? order.GetLength() + index : index;
    if (at < 0 || at >= order.GetLength()) return FALSE;
    return order.Left((int)strlen(type)).CompareNoCase(type) == 0 &&
           toupper((unsigned char)order[at]) == toupper((unsigned char)letter);
}

int CVaskInstrument::CountOnExtensionCard() { return HasExtensionCard() ? kExtensionCardCount : 0; }
