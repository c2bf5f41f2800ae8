// The compare analyzer (an offline set loaded from a document) into the device: the whole
// set entry by entry, and the transfers of single groups that read the device's group,
// put the compare analyzer's values in and write it back.
#include "vaskinstrument.h"

#include "nodemessages.h"
#include "resource.h"
#include "texts.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace {

const int kComponents = 4;
const int kRanges = 4;
// The range lists of the access layer: one value per measuring range, in arrays of this
// size (RANGES).
const int kRangeValues = 30;
// The model whose lower range values are fixed (Sindor 23).
const int kNoLowerRangeValues = 4;

// The compare entry's stored value.
VaskFloat StoredValue(CVaskParameter& entry) {
    VaskFloat value = entry.GetCachedValue();
    entry.GetValue(value);
    return value;
}

// `done` of `total` as a whole percentage, 0 to 100; a set without entries is done.
int Percent(int done, int total) {
    if (total <= 0) return 100;
    return std::min(100, std::max(0, (int)((long long)done * 100 / total)));
}

}  // namespace

void CVaskInstrument::SetCompareOutcome(const std::vector<CVaskParameter*>& entries, int result) {
    CString text;
    if (result)
        text = LoadText(IDS_SUCCESSFUL);
    else
        GetLastErrorText(text);
    for (CVaskParameter* entry : entries) entry->SetTransferResult(result ? 1 : -1, text);
}

int CVaskInstrument::TransferOfflineSet(CWnd* progress) {
    if (m_compare == NULL) return 0;
    CWaitCursor wait;
    // The entries that cannot be written show their outcome in the list; a message box for
    // each would stop the transfer.
    m_reportEnabled = 0;
    const HWND window = progress != NULL ? progress->GetSafeHwnd() : NULL;
    const UINT message = GetOfflineTransferMessage();
    // The progress counts the offline entries, those the set holds.
    const int total = CountOfflineParameters();
    // The entries with their counterparts in list order; those that write into one setting
    // of a channel go together, at the place of the first of them.
    CVaskParameter::TransferPairs pairs;
    for (POSITION g = m_groupList.GetHeadPosition(); g != NULL;) {
        const CObList& entries = ((CParameterGroup*)m_groupList.GetNext(g))->GetParameterList();
        for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
            CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
            pairs.push_back({entry, FindCompareParameter(entry)});
        }
    }
    std::map<std::pair<const void*, int>, CVaskParameter::TransferPairs> together;
    std::vector<const CVaskParameter::TransferPairs*> batchOf(pairs.size(), nullptr);
    for (size_t i = 0; i < pairs.size(); ++i) {
        CVaskParameter* entry = pairs[i].first;
        const void* setting = entry->GetTransferSetting(pairs[i].second);
        if (setting == nullptr) continue;
        CVaskParameter::TransferPairs& batch = together[{setting, entry->GetChannel()}];
        batch.push_back(pairs[i]);
        batchOf[i] = &batch;
    }
    std::set<const CVaskParameter::TransferPairs*> written;
    int done = 0;
    for (size_t i = 0; i < pairs.size(); ++i) {
        CVaskParameter* entry = pairs[i].first;
        if (entry->IsOfflineParameter() && window != NULL)
            ::SendMessageA(window, message, (WPARAM)Percent(++done, total), 0);
        if (pairs[i].second == NULL) continue;
        if (batchOf[i] == nullptr)
            entry->TransferFrom(pairs[i].second);
        else if (written.insert(batchOf[i]).second)
            CVaskParameter::TransferTogether(*batchOf[i]);
    }
    if (total == 0 && window != NULL) ::SendMessageA(window, message, (WPARAM)Percent(0, 0), 0);

    CString name;
    if (GetChannelName(name)) {
        SetName(name);
        SetChanged(1);
    }
    m_reportEnabled = 1;
    return 1;
}

int CVaskInstrument::TransferCompareMeasRange() {
    if (m_compare == NULL) return 0;
    for (int c = 0; c < kComponents; ++c) {
        if (!HasMeasRange(c)) continue;
        CVaskParameter& source = m_compare->m_measRange[c];
        int range = 0, autorange = 0;
        int result = GetMeasRange(c, range, autorange);
        if (result) result = SetMeasRange(c, TruncateToInt(StoredValue(source).value), autorange);
        SetCompareOutcome({&source}, result);
    }
    return 1;
}

int CVaskInstrument::TransferCompareRangeLimits() {
    if (m_compare == NULL) return 0;
    const int ranges = std::min(GetRangeCount(), kRanges);
    for (int c = 0; c < kComponents; ++c) {
        if (!HasMeasRange(c)) continue;
        VaskFloat lower[kRangeValues], upper[kRangeValues];
        std::vector<CVaskParameter*> lowerSources, upperSources;
        for (int r = 0; r < ranges; ++r) {
            lowerSources.push_back(&m_compare->m_measRangeLower[kRanges * c + r]);
            upperSources.push_back(&m_compare->m_measRangeUpper[kRanges * c + r]);
            lower[r] = StoredValue(*lowerSources.back());
            upper[r] = StoredValue(*upperSources.back());
        }
        SetCompareOutcome(upperSources, SetMeasurementUpper(c, upper));
        if (m_typeCode != kNoLowerRangeValues)
            SetCompareOutcome(lowerSources, SetMeasurementLower(c, lower));
    }
    return 1;
}

int CVaskInstrument::TransferCompareSlopeGas() {
    if (m_compare == NULL) return 0;
    const int ranges = std::min(GetRangeCount(), kRanges);
    int result = 0;
    for (int c = 0; c < kComponents; ++c) {
        if (!HasMeasRange(c)) continue;
        VaskFloat values[kRangeValues];
        std::vector<CVaskParameter*> sources;
        for (int r = 0; r < ranges; ++r) {
            sources.push_back(&m_compare->m_slopeGas[kRanges * c + r]);
            values[r] = StoredValue(*sources.back());
        }
        result = SetSlopeGas(c, values);
        SetCompareOutcome(sources, result);
    }
    return result;
}

int CVaskInstrument::TransferCompareAutocalCycle() {
    if (m_compare == NULL) return 0;
    CVaskParameter& time = m_compare->m_autocalCycleTime;
    CVaskParameter& adjust = m_compare->m_autocalCycleAdjust;
    VaskFloat cycleTime, nextAutocal, cycleAdjust;
    int result = GetAutocalCycle(cycleTime, nextAutocal, cycleAdjust);
    // The next autocal is the device's own count-down: it goes back as read.
    if (result) result = SetAutocalCycle(StoredValue(time), nextAutocal, StoredValue(adjust));
    SetCompareOutcome({&time, &adjust}, result);
    return result;
}

int CVaskInstrument::TransferCompareIntegrationTime() {
    if (m_compare == NULL) return 0;
    for (int c = 0; c < kComponents; ++c) {
        if (!HasMeasRange(c)) continue;
        CVaskParameter& deltaRange = m_compare->m_integrationLimit[c];
        CVaskParameter& t90Inside = m_compare->m_integrationT90in[c];
        CVaskParameter& t90Outside = m_compare->m_integrationT90out[c];
        CVaskParameter& deadTime = m_compare->m_integrationDeadTime[c];
        VaskFloat values[4];
        int result = GetIntegrationTime(c, values[0], values[1], values[2], values[3]);
        if (result)
            result = SetIntegrationTime(c, StoredValue(deltaRange), StoredValue(t90Inside),
                                        StoredValue(t90Outside), StoredValue(deadTime));
        SetCompareOutcome({&deltaRange, &t90Inside, &t90Outside, &deadTime}, result);
    }
    return 1;
}

int CVaskInstrument::TransferCompareLimits() {
    if (m_compare == NULL) return 0;
    int result = 0;
    for (int c = 0; c < kComponents; ++c) {
        if (!HasMeasRange(c)) continue;
        // The limit value is the first of the pair; the second goes back as read.
        VaskFloat first, second;
        CVaskParameter& limit1 = m_compare->m_limit1[c];
        result = GetLimit1(c, first, second);
        if (result) result = SetLimit1(c, StoredValue(limit1), second);
        SetCompareOutcome({&limit1}, result);

        CVaskParameter& limit2 = m_compare->m_limit2[c];
        result = GetLimit2(c, first, second);
        if (result) result = SetLimit2(c, StoredValue(limit2), second);
        SetCompareOutcome({&limit2}, result);
    }
    return result;
}
