// What the model and document tests read of an analyzer's entries: values as one text, the
// offline entries in list order, and the entries of a group away from an edit location.
#pragma once

#include "node_helpers.h"
#include "vaskinstrument.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// "text value unit quantity" of a value.
inline std::string Show(const VaskFloat& v) {
    return Text(v.text) + " " + std::to_string(v.value) + " " + std::to_string(v.unit) + " " +
           std::to_string(v.quantity);
}

// The cached value of the analyzer's entry `number`, shown; "none" without such an entry.
inline std::string Cached(const CVaskInstrument& analyzer, int number) {
    CVaskParameter* entry = analyzer.FindParameterByNumber(number);
    return entry != nullptr ? Show(entry->GetCachedValue()) : "none";
}

// Whether the entry `number` took a value from a document.
inline bool Loaded(const CVaskInstrument& analyzer, int number) {
    CVaskParameter* entry = analyzer.FindParameterByNumber(number);
    return entry != nullptr && entry->IsLoaded() && entry->IsValid();
}

// The entries of the group at list position `list`.
inline std::vector<CVaskParameter*> Entries(CVaskInstrument& analyzer, int list) {
    return Nodes<CVaskParameter>(&analyzer.GetParameterGroup(list)->GetParameterList());
}

// The numbers of the offline entries of the analyzer's groups, in list order.
inline std::vector<int> OfflineNumbers(const CVaskInstrument& analyzer) {
    std::vector<int> numbers;
    for (CParameterGroup* group : Nodes<CParameterGroup>(&analyzer.GetGroupList()))
        for (CVaskParameter* entry : Nodes<CVaskParameter>(&group->GetParameterList()))
            if (entry->IsOfflineParameter()) numbers.push_back(entry->GetNumber());
    return numbers;
}

// "name sheet/page" of each entry of a group whose edit location is not (sheet, page).
inline std::vector<std::string> OtherPages(CVaskInstrument& analyzer, int list, int sheet,
                                           int page) {
    std::vector<std::string> other;
    for (CVaskParameter* entry : Entries(analyzer, list))
        if (entry->GetEditSheet() != sheet || entry->GetEditPage() != page)
            other.push_back(Text(entry->GetName()) + " " + std::to_string(entry->GetEditSheet()) +
                            "/" + std::to_string(entry->GetEditPage()));
    return other;
}

// A diagnostic read of a model, named for the trace.
typedef std::pair<std::string, std::function<int(VaskFloat&)>> DiagnosticRead;

// Each read fails and leaves the no-value mark in place of what the value held.
inline void ExpectReadsFailToNoValue(const std::vector<DiagnosticRead>& reads,
                                     const std::string& when) {
    for (const DiagnosticRead& read : reads) {
        SCOPED_TRACE(read.first + " " + when);
        VaskFloat value;
        value.text = "stale";
        value.value = 170.0;
        value.unit = 9;
        value.quantity = 9;
        EXPECT_EQ(0, read.second(value));
        EXPECT_EQ("Unknown 0.000000 1 1", Show(value));
    }
}

// The indices of the flags that are set, of a function table.
inline std::vector<int> On(const int* flags, int count) {
    std::vector<int> on;
    for (int i = 0; i < count; ++i)
        if (flags[i]) on.push_back(i);
    return on;
}

// The indices of inclusive ranges, in order.
inline std::vector<int> Indices(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<int> indices;
    for (const auto& range : ranges)
        for (int i = range.first; i <= range.second; ++i) indices.push_back(i);
    return indices;
}
