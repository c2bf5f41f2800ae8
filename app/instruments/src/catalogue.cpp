// The analyzer's parameter catalogue put together: the fixed numbers of the embedded entries,
// the group operations that walk the catalogue's rows (tables/catalogue.def) and bind each
// entry to its texts, device members, attributes and edit page, the component labels that
// begin the entry names, and the component test that decides which components register.
#include "vaskinstrument.h"

#include "resource.h"
#include "texts.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// How a row expands into entries (catalogue.def).
enum RowKind { Single, PerComponent, PerComponentRange, Counted, FirstComponent };
// When the row's edit page is `page` rather than `otherPage`.
// (Named with the enum where it is used in the analyzer's scope: Heating is also an
// operation of the analyzer.)
enum PageCondition { Always, ExtensionCard, Heating };
// The part an entry plays in a pair of linked rows.
enum RowLink { NoLink, Range, RangeLower, RangeUpper, Step, StepNumber, StepTime };

const int kComponents = 4;
const int kRanges = 4;
// The instrument type (Quenta variant) that has the test-gas pressures; the read's preset.
const int kPressureInstrumentType = 2;
const int kPresetInstrumentType = 1;
// The model whose component with index 2 is its H2S sensor, and whose fourth channel, the
// O2 sensor, takes no range adjustment.
const int kSindor23 = 4;
const int kSindor23SensorComponent = 2;
const int kSindor23SensorComponentCount = 3;
const int kH2SGas = 50;
// The last quantity code with a gas text.
const int kLastGasCode = 50;

template <class Entry>
CVaskParameter* ElementOf(Entry& entry, int element) {
    return element == 0 ? &entry : NULL;
}

template <class Entry, size_t count>
CVaskParameter* ElementOf(Entry (&entries)[count], int element) {
    return element >= 0 && element < (int)count ? &entries[element] : NULL;
}

bool IsComponentRow(RowKind kind) { return kind == PerComponent || kind == PerComponentRange; }

// A member of the access layer as code takes it. The members live in the access DLL: laid
// down as static data, a member's address would be the program's import stub, which calls
// the same member but compares unequal to the address that every other caller takes.
__attribute__((noipa)) CvaskAccess::ParamAdapter Imported(CvaskAccess::ParamAdapter member) {
    return member;
}

}  // namespace

// One row of catalogue.def, with the way to its data member.
struct CVaskInstrument::CatalogueRowData {
    int group;
    CatalogueRow id;
    RowKind kind;
    int count;
    int numbers[16];
    UINT nameId;
    UINT keyId;
    CvaskAccess::ParamAdapter fetch;
    CvaskAccess::ParamAdapter transfer;
    int attributes;
    const char* bus;
    int sheet;
    int page;
    PageCondition condition;
    int otherPage;
    UINT zeroId;
    UINT nonzeroId;
    int date;
    RowLink link;
    CVaskParameter* (*entry)(CVaskInstrument& analyzer, int element);
};

// One row of models.def: the model and the group operation that bind it, and the row.
struct CVaskInstrument::ModelRowData {
    const char* model;
    int operation;
    CatalogueRowData row;
};

// The answers of the page conditions, asked once per group operation and only when a bound
// row needs one (online each is a device request).
struct CVaskInstrument::RowPages {
    int extensionCard = -1;
    int heating = -1;
};

// The row data of one line of catalogue.def or models.def.
#define VASK_UNPAREN(...) __VA_ARGS__
#define VASK_ROW(group, member, kind, count, numbers, nameId, name, keyId, key, cls, fetch,      \
                 transfer, attributes, bus, sheet, page, condition, otherPage, zeroId, zero,     \
                 nonzeroId, nonzero, date, link)                                                 \
    {                                                                                            \
        group, CatalogueRow::member, kind, count, {VASK_UNPAREN numbers}, nameId, keyId, fetch,  \
            transfer, attributes, bus, sheet, page, PageCondition::condition, otherPage, zeroId, \
            nonzeroId, date, link, [](CVaskInstrument& analyzer, int element) {                  \
                return ElementOf(analyzer.member, element);                                      \
            }                                                                                    \
    }

const CVaskInstrument::CatalogueRowData* CVaskInstrument::GetCatalogueRows(int& rowCount) {
#define VASK_ADAPTER(name)  Imported(&CvaskAccess::name)
#define VASK_NO_ADAPTER     nullptr
#define VASK_PARAMETER(...) VASK_ROW(__VA_ARGS__),
#define VASK_NUMBER_ONLY(member, element, number)
    static const CatalogueRowData rows[] = {
#include "catalogue.def"
    };
    rowCount = (int)(sizeof rows / sizeof rows[0]);
    return rows;
}

const CVaskInstrument::ModelRowData* CVaskInstrument::GetModelRows(int& rowCount) {
#define VASK_ADAPTER(name) Imported(&CvaskAccess::name)
#define VASK_NO_ADAPTER    nullptr
#define VASK_MODEL_FUNCTIONS(model, table, ranges)
#define VASK_MODEL_PARAMETER(model, operation, group, ...) \
    {#model, GroupOf::operation, VASK_ROW(group, __VA_ARGS__)},
#define VASK_MODEL_GROUP(model, operation, order, rows, counts)
#define VASK_MODEL_ATTRIBUTES(model, operation, member, attributes)
#define VASK_MODEL_TRANSFER(model, operation, member, transfer)
#define VASK_MODEL_EDIT_PAGE(model, operation, sheet, page, condition, otherPage)
    static const ModelRowData rows[] = {
#include "models.def"
    };
    rowCount = (int)(sizeof rows / sizeof rows[0]);
    return rows;
}
#undef VASK_ROW

// One group line of models.def: the catalogue rows that a model keeps of a group.
struct CVaskInstrument::ModelGroupData {
    const char* model;
    int operation;
    RowOrder order;
    std::vector<CatalogueRow> rows;
    std::vector<int> counts;
};

// One change line of models.def: what a model changes in the entries of one of its groups.
struct CVaskInstrument::ModelChangeData {
    enum Kind { Attributes, Transfer, EditPage };
    const char* model;
    int operation;
    Kind kind;
    CatalogueRow row;
    int attributes;
    CvaskAccess::ParamAdapter transfer;
    int sheet;
    int page;
    PageCondition condition;
    int otherPage;
};

namespace {

// The members' names in member order, the order of CatalogueRow.
const char* const kMemberNames[] = {
#define VASK_MEMBER(id, cls, count) #id,
#include "members.def"
};

// The members that a parenthesised list of names, "(m_slopeGas, m_adjustAll)", names.
template <class Row>
std::vector<Row> RowsNamed(const char* list) {
    std::vector<Row> rows;
    std::string name;
    for (const char* c = list;; ++c) {
        if (*c == '(' || *c == ' ') continue;
        if (*c != ',' && *c != ')' && *c != '\0') {
            name += *c;
            continue;
        }
        for (size_t i = 0; i < sizeof kMemberNames / sizeof kMemberNames[0]; ++i)
            if (name == kMemberNames[i]) rows.push_back(Row(i));
        name.clear();
        if (*c != ',') break;
    }
    return rows;
}

}  // namespace

const std::vector<CVaskInstrument::ModelGroupData>& CVaskInstrument::GetModelGroups() {
#define VASK_ADAPTER(name)
#define VASK_NO_ADAPTER
#define VASK_MODEL_FUNCTIONS(model, table, ranges)
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(model, operation, order, rows, counts) \
    {#model, GroupOf::operation, order, RowsNamed<CatalogueRow>(#rows), {VASK_UNPAREN counts}},
#define VASK_MODEL_ATTRIBUTES(model, operation, member, attributes)
#define VASK_MODEL_TRANSFER(model, operation, member, transfer)
#define VASK_MODEL_EDIT_PAGE(model, operation, sheet, page, condition, otherPage)
    static const std::vector<ModelGroupData> groups = {
#include "models.def"
    };
    return groups;
}

const std::vector<CVaskInstrument::ModelChangeData>& CVaskInstrument::GetModelChanges() {
#define VASK_ADAPTER(name) Imported(&CvaskAccess::name)
#define VASK_NO_ADAPTER    nullptr
#define VASK_MODEL_FUNCTIONS(model, table, ranges)
#define VASK_MODEL_PARAMETER(...)
#define VASK_MODEL_GROUP(model, operation, order, rows, counts)
#define VASK_MODEL_ATTRIBUTES(model, operation, member, attributes) \
    {#model,                                                        \
     GroupOf::operation,                                            \
     ModelChangeData::Attributes,                                   \
     CatalogueRow::member,                                          \
     attributes,                                                    \
     nullptr,                                                       \
     0,                                                             \
     0,                                                             \
     PageCondition::Always,                                         \
     0},
#define VASK_MODEL_TRANSFER(model, operation, member, transfer) \
    {#model,                                                    \
     GroupOf::operation,                                        \
     ModelChangeData::Transfer,                                 \
     CatalogueRow::member,                                      \
     0,                                                         \
     transfer,                                                  \
     0,                                                         \
     0,                                                         \
     PageCondition::Always,                                     \
     0},
#define VASK_MODEL_EDIT_PAGE(model, operation, sheet, page, condition, otherPage) \
    {#model,                                                                      \
     GroupOf::operation,                                                          \
     ModelChangeData::EditPage,                                                   \
     CatalogueRow::m_serialNumber,                                                \
     0,                                                                           \
     nullptr,                                                                     \
     sheet,                                                                       \
     page,                                                                        \
     PageCondition::condition,                                                    \
     otherPage},
    static const std::vector<ModelChangeData> changes = {
#include "models.def"
    };
    return changes;
}
#undef VASK_UNPAREN

void CVaskInstrument::NumberParameters() {
    int rowCount = 0;
    const CatalogueRowData* rows = GetCatalogueRows(rowCount);
    for (int i = 0; i < rowCount; ++i)
        for (int element = 0; element < rows[i].count; ++element)
            // 0: the entry keeps no number (the fourth unit entry).
            if (rows[i].numbers[element] != 0)
                rows[i].entry(*this, element)->SetNumber(rows[i].numbers[element]);
#define VASK_PARAMETER(...)
#define VASK_NUMBER_ONLY(member, element, number) ElementOf(member, element)->SetNumber(number);
#include "catalogue.def"
}

CVaskParameter* CVaskInstrument::GetRowEntry(CatalogueRow row, int element) {
    int rowCount = 0;
    const CatalogueRowData* rows = GetCatalogueRows(rowCount);
    for (int i = 0; i < rowCount; ++i)
        if (rows[i].id == row) return rows[i].entry(*this, element);
    return NULL;
}

// ---- registration -----------------------------------------------------------------------

void CVaskInstrument::RegisterGroupRows(int listPosition, RowOrder order,
                                        std::initializer_list<CatalogueRow> only,
                                        std::initializer_list<int> counts) {
    RegisterSelectedRows(listPosition, order, only, counts);
}

void CVaskInstrument::RegisterSelectedRows(int listPosition, RowOrder order,
                                           const std::vector<CatalogueRow>& only,
                                           const std::vector<int>& counts) {
    int rowCount = 0;
    const CatalogueRowData* table = GetCatalogueRows(rowCount);
    std::vector<const CatalogueRowData*> rows;
    for (int i = 0; i < rowCount; ++i)
        if (table[i].group == listPosition &&
            (only.empty() || std::find(only.begin(), only.end(), table[i].id) != only.end()))
            rows.push_back(&table[i]);
    RegisterRows(rows, order, counts);
}

void CVaskInstrument::RegisterModelRows(const CRuntimeClass* model, int operation) {
    int rowCount = 0;
    const ModelRowData* table = GetModelRows(rowCount);
    std::vector<const CatalogueRowData*> rows;
    for (int i = 0; i < rowCount; ++i)
        if (table[i].operation == operation && model != NULL &&
            strcmp(table[i].model, model->m_lpszClassName) == 0)
            rows.push_back(&table[i].row);
    RegisterRows(rows, ComponentByComponent, {});
}

void CVaskInstrument::RegisterModelGroup(const CRuntimeClass* model, int operation) {
    if (model == NULL) return;
    for (const ModelGroupData& group : GetModelGroups())
        if (group.operation == operation && strcmp(group.model, model->m_lpszClassName) == 0)
            RegisterSelectedRows(operation, group.order, group.rows, group.counts);
    ChangeModelGroup(model, operation);
}

void CVaskInstrument::ChangeModelGroup(const CRuntimeClass* model, int operation) {
    CParameterGroup* group = GetParameterGroup(operation);
    if (model == NULL || group == NULL) return;
    RowPages pages;
    for (const ModelChangeData& change : GetModelChanges()) {
        if (change.operation != operation || strcmp(change.model, model->m_lpszClassName) != 0)
            continue;
        if (change.kind == ModelChangeData::EditPage) {
            SetGroupEditPage(
                operation, change.sheet,
                PageConditionHolds(change.condition, pages) ? change.page : change.otherPage);
            continue;
        }
        // The row's entries that the group holds: the present components' only.
        CVaskParameter* entry;
        for (int element = 0; (entry = GetRowEntry(change.row, element)) != NULL; ++element) {
            if (entry->GetGroup() != group) continue;
            if (change.kind == ModelChangeData::Attributes)
                entry->SetAttributes(change.attributes);
            else
                entry->SetTransfer(change.transfer);
        }
    }
}

void CVaskInstrument::SetGroupEditPage(int listPosition, int sheet, int page) {
    CParameterGroup* group = GetParameterGroup(listPosition);
    if (group == NULL) return;
    const CObList& entries = group->GetParameterList();
    for (POSITION pos = entries.GetHeadPosition(); pos != NULL;)
        ((CVaskParameter*)entries.GetNext(pos))->SetEditPage(sheet, page);
}

void CVaskInstrument::RegisterRows(const std::vector<const CatalogueRowData*>& rows, RowOrder order,
                                   const std::vector<int>& counts) {
    RowPages pages;
    const int ranges = std::max(0, std::min(GetRangeCount(), kRanges));
    CString name, key;
    auto bindComponent = [&](const CatalogueRowData& row, int c, const CString& label) {
        name.Format((LPCSTR)LoadText(row.nameId), (LPCSTR)label);
        key.Format((LPCSTR)LoadText(row.keyId), c + 1);
        BindRow(row, c, c, 0, name, key, pages, rows);
    };
    auto bindRange = [&](const CatalogueRowData& row, int c, int range, const CString& label) {
        name.Format((LPCSTR)LoadText(row.nameId), (LPCSTR)label, range + 1);
        key.Format((LPCSTR)LoadText(row.keyId), c + 1, range + 1);
        BindRow(row, kRanges * c + range, c, range, name, key, pages, rows);
    };
    auto bindCounted = [&](const CatalogueRowData& row, int element, int number) {
        name.Format((LPCSTR)LoadText(row.nameId), number);
        key.Format((LPCSTR)LoadText(row.keyId), number);
        BindRow(row, element, 0, element, name, key, pages, rows);
    };

    std::vector<int>::const_iterator nextCount = counts.begin();
    // Counted rows name their entries on from the rows before them (the extension relays
    // after the main relays).
    int counted = 0;
    for (size_t first = 0; first < rows.size();) {
        size_t end = first + 1;
        const CatalogueRowData& row = *rows[first];
        if (IsComponentRow(row.kind)) {
            while (end < rows.size() && IsComponentRow(rows[end]->kind)) ++end;
            for (int c = 0; c < kComponents; ++c) {
                if (!HasMeasRange(c)) continue;
                const CString label = GetComponentLabel(c);
                if (order == RangeByRange) {
                    for (int range = 0; range < ranges; ++range)
                        for (size_t i = first; i < end; ++i)
                            if (rows[i]->kind == PerComponentRange)
                                bindRange(*rows[i], c, range, label);
                    for (size_t i = first; i < end; ++i)
                        if (rows[i]->kind == PerComponent) bindComponent(*rows[i], c, label);
                    continue;
                }
                for (size_t i = first; i < end; ++i) {
                    if (rows[i]->kind == PerComponent) {
                        bindComponent(*rows[i], c, label);
                        continue;
                    }
                    for (int range = 0; range < ranges; ++range)
                        bindRange(*rows[i], c, range, label);
                }
            }
        } else if (row.kind == Counted) {
            if (order == StepByStep)
                while (end < rows.size() && rows[end]->kind == Counted) ++end;
            std::vector<int> entries;
            int most = 0;
            for (size_t i = first; i < end; ++i) {
                const int n = nextCount != counts.end() ? *nextCount++ : rows[i]->count;
                entries.push_back(std::max(0, std::min(n, rows[i]->count)));
                most = std::max(most, entries.back());
            }
            // Step by step every row of the run names its entry with the step's number.
            for (int element = 0; element < most; ++element)
                for (size_t i = first; i < end; ++i)
                    if (element < entries[i - first])
                        bindCounted(*rows[i], element, counted + element + 1);
            if (order != StepByStep) counted += most;
        } else {
            // The pressure correction's rows bind component 1's entries only, with its
            // number in the key and the name as it stands.
            if (row.kind == FirstComponent)
                key.Format((LPCSTR)LoadText(row.keyId), 1);
            else
                key = LoadText(row.keyId);
            BindRow(row, 0, 0, 0, LoadText(row.nameId), key, pages, rows);
        }
        first = end;
    }
}

void CVaskInstrument::BindRow(const CatalogueRowData& row, int element, int channel, int index,
                              const CString& name, const CString& key, RowPages& pages,
                              const std::vector<const CatalogueRowData*>& rows) {
    CVaskParameter* entry = row.entry(*this, element);
    if (entry == NULL) return;
    entry->Set(name, channel, index, row.attributes, row.fetch, row.transfer, m_access, key,
               row.bus);
    if (row.sheet != 0)
        entry->SetEditPage(row.sheet,
                           PageConditionHolds(row.condition, pages) ? row.page : row.otherPage);
    if (row.zeroId != 0 || row.nonzeroId != 0) entry->SetChoiceTexts(1, row.zeroId, row.nonzeroId);
    if (row.date) entry->SetDateDisplay(1, IDS_DATE_FORMAT);

    // A range takes its lower and upper limit as linked entries, an autocal step its number
    // and time (also as its parts), where the group registers those rows too.
    if (row.link == Range || row.link == Step) {
        CVaskParameter* parts[2] = {NULL, NULL};
        const RowLink partLinks[2] = {row.link == Range ? RangeLower : StepNumber,
                                      row.link == Range ? RangeUpper : StepTime};
        for (const CatalogueRowData* other : rows)
            for (int p = 0; p < 2; ++p)
                if (other->link == partLinks[p]) parts[p] = other->entry(*this, element);
        if (row.link == Step && entry->IsKindOf(RUNTIME_CLASS(CAutocalStepParameter)))
            static_cast<CAutocalStepParameter*>(entry)->SetStepParameters(parts[0], parts[1]);
        // Registered again (a second initialisation), an entry keeps one link to each.
        for (CVaskParameter* part : parts)
            if (part != NULL && entry->GetLinkedParameters().Find(part) == NULL)
                entry->AddLinkedParameter(part);
    }
    // A model's row of no group binds an entry that no list shows and no document stores.
    if (row.group != 0) GetParameterGroup(row.group)->AddParameter(entry);
}

int CVaskInstrument::PageConditionHolds(int condition, RowPages& pages) {
    if (condition == ExtensionCard) {
        if (pages.extensionCard < 0) pages.extensionCard = HasExtensionCard() ? 1 : 0;
        return pages.extensionCard;
    }
    if (condition == PageCondition::Heating) {
        if (pages.heating < 0) pages.heating = HasHeating() ? 1 : 0;
        return pages.heating;
    }
    return 1;
}

// ---- the group operations ---------------------------------------------------------------

void CVaskInstrument::RegisterParameterGroups() {
    // The order in which the groups ask the device for their conditions and labels.
    RegisterIdentity();
    RegisterSelectedMeasRange();
    RegisterMeasRanges();
    RegisterAutorange();
    RegisterAdjustGases();
    RegisterTimeConstants();
    RegisterLimit1();
    RegisterLimit2();
    RegisterLimit3();
    RegisterLimit4();
    RegisterAutocal();
    RegisterAutocalCycle();
    RegisterAutocalSequence();
    RegisterFrequencies();
    RegisterShockCompensation();
    RegisterSensorTimes();
    RegisterPressureCorrection();
    RegisterAirPressure();
    RegisterInterference1();
    RegisterInterference2();
    RegisterInterference3();
    RegisterInterference4();
    RegisterAnalogOutputs();
    RegisterRelays();
    RegisterBinaryInputs();
    RegisterUnits();
    RegisterH2SSensor();
    RegisterO2Sensor();
    RegisterBusSettings();
    RegisterWarmUpState();
    RegisterPump();
    RegisterSyncInput();
    RegisterHeating();
    RegisterBurnerPressures();
    RegisterTestGases();
    RegisterDriftValues();
    // The instrument status has no operation of its own: every model has it.
    RegisterGroupRows(GroupOf::RegisterParameterGroups);
}

void CVaskInstrument::RegisterIdentity() { RegisterGroupRows(GroupOf::RegisterIdentity); }

void CVaskInstrument::RegisterSelectedMeasRange() {
    RegisterGroupRows(GroupOf::RegisterSelectedMeasRange);
}

void CVaskInstrument::RegisterMeasRanges() {
    // Per component each range with its lower and upper limit, then the largest range.
    RegisterGroupRows(GroupOf::RegisterMeasRanges, RangeByRange);
}

void CVaskInstrument::RegisterAutorange() { RegisterGroupRows(GroupOf::RegisterAutorange); }

void CVaskInstrument::RegisterAdjustGases() {
    RegisterGroupRows(GroupOf::RegisterAdjustGases);
    ExcludeO2ChannelAdjustment();
}

void CVaskInstrument::ExcludeO2ChannelAdjustment() {
    if (m_typeCode != kSindor23) return;
    for (int range = 0; range < kRanges; ++range) m_slopeGas[kRanges * 3 + range].SetAttributes(0);
    m_adjustAll[3].SetAttributes(0);
}

void CVaskInstrument::RegisterTimeConstants() { RegisterGroupRows(GroupOf::RegisterTimeConstants); }

void CVaskInstrument::RegisterLimit1() { RegisterGroupRows(GroupOf::RegisterLimit1); }

void CVaskInstrument::RegisterLimit2() { RegisterGroupRows(GroupOf::RegisterLimit2); }

void CVaskInstrument::RegisterLimit3() { RegisterGroupRows(GroupOf::RegisterLimit3); }

void CVaskInstrument::RegisterLimit4() { RegisterGroupRows(GroupOf::RegisterLimit4); }

void CVaskInstrument::RegisterAutocal() { RegisterGroupRows(GroupOf::RegisterAutocal); }

void CVaskInstrument::RegisterAutocalCycle() { RegisterGroupRows(GroupOf::RegisterAutocalCycle); }

void CVaskInstrument::RegisterAutocalSequence() {
    // Step by step: the step, its number and its time.
    RegisterGroupRows(GroupOf::RegisterAutocalSequence, StepByStep);
}

void CVaskInstrument::RegisterFrequencies() { RegisterGroupRows(GroupOf::RegisterFrequencies); }

void CVaskInstrument::RegisterShockCompensation() {
    RegisterGroupRows(GroupOf::RegisterShockCompensation);
}

void CVaskInstrument::RegisterSensorTimes() { RegisterGroupRows(GroupOf::RegisterSensorTimes); }

void CVaskInstrument::RegisterPressureCorrection() {
    RegisterGroupRows(GroupOf::RegisterPressureCorrection);
}

void CVaskInstrument::RegisterInterference1() { RegisterGroupRows(GroupOf::RegisterInterference1); }

void CVaskInstrument::RegisterInterference2() { RegisterGroupRows(GroupOf::RegisterInterference2); }

void CVaskInstrument::RegisterInterference3() { RegisterGroupRows(GroupOf::RegisterInterference3); }

void CVaskInstrument::RegisterInterference4() { RegisterGroupRows(GroupOf::RegisterInterference4); }

void CVaskInstrument::RegisterAnalogOutputs() { RegisterGroupRows(GroupOf::RegisterAnalogOutputs); }

void CVaskInstrument::RegisterRelays() {
    RegisterGroupRows(GroupOf::RegisterRelays, ComponentByComponent, {},
                      {GetRelayCount(), GetExtRelayCount()});
}

void CVaskInstrument::RegisterBinaryInputs() {
    RegisterGroupRows(GroupOf::RegisterBinaryInputs, ComponentByComponent, {},
                      {GetBinaryInputCount(), GetExtBinaryInputCount()});
}

void CVaskInstrument::RegisterUnits() { RegisterGroupRows(GroupOf::RegisterUnits); }

void CVaskInstrument::RegisterPump() { RegisterGroupRows(GroupOf::RegisterPump); }

void CVaskInstrument::RegisterSyncInput() { RegisterGroupRows(GroupOf::RegisterSyncInput); }

void CVaskInstrument::RegisterH2SSensor() { RegisterGroupRows(GroupOf::RegisterH2SSensor); }

void CVaskInstrument::RegisterO2Sensor() { RegisterGroupRows(GroupOf::RegisterO2Sensor); }

void CVaskInstrument::RegisterBusSettings() { RegisterGroupRows(GroupOf::RegisterBusSettings); }

void CVaskInstrument::RegisterWarmUpState() { RegisterGroupRows(GroupOf::RegisterWarmUpState); }

void CVaskInstrument::RegisterHeating() {
    if (HasHeating()) RegisterGroupRows(GroupOf::RegisterHeating);
}

void CVaskInstrument::RegisterBurnerPressures() {
    RegisterGroupRows(GroupOf::RegisterBurnerPressures);
}

void CVaskInstrument::RegisterTestGases() {
    QuentaType type = QuentaType(kPresetInstrumentType);
    GetInstrumentType(type);
    if ((int)type == kPressureInstrumentType) RegisterGroupRows(GroupOf::RegisterTestGases);
}

void CVaskInstrument::RegisterDriftValues() { RegisterGroupRows(GroupOf::RegisterDriftValues); }

void CVaskInstrument::RegisterAirPressure() { RegisterGroupRows(GroupOf::RegisterAirPressure); }

// ---- components -------------------------------------------------------------------------

int CVaskInstrument::HasMeasRange(int component) {
    if (IsOnline() && component >= 0 && component < kComponents) {
        // The measured values mark the components the device lacks (GetMeas).
        VaskFloat values[kComponents];
        if (GetMeas(values)) {
            const VaskFloat& value = values[component];
            if (value.value == 0.0 && value.unit == 1 && value.quantity == 1) return 0;
        }
    }
    return component >= 0 && component < GetComponentCount();
}

CString CVaskInstrument::GetGasText(int quantityCode) {
    // Codes of 0 and below would reach the strings before the gas table.
    return LoadText(quantityCode >= 1 && quantityCode <= kLastGasCode ? IDS_GAS_BASE + quantityCode
                                                                      : IDS_UNKNOWN);
}

CString CVaskInstrument::GetComponentLabel(int component) {
    const CString format = LoadText(IDS_COMPONENT_LABEL);
    const bool known = component >= 0 && component < kComponents;
    CString label;
    if (IsOnline()) {
        VaskFloat values[kComponents];
        if (known && GetMeas(values)) {
            label.Format((LPCSTR)format, component + 1,
                         (LPCSTR)GetGasText(values[component].quantity));
            for (int c = 0; c < kComponents; ++c)
                m_componentNames[c] = GetGasText(values[c].quantity);
        }
    } else if (!GetComponentName(component).IsEmpty()) {
        // A Sindor 23 with up to two infrared components calls its H2S sensor the second.
        if (m_typeCode == kSindor23 && component == kSindor23SensorComponent &&
            GetComponentCount() < kSindor23SensorComponentCount)
            label.Format((LPCSTR)format, kSindor23SensorComponent, (LPCSTR)GetGasText(kH2SGas));
        else
            label.Format((LPCSTR)format, component + 1, (LPCSTR)GetComponentName(component));
    }
    if (label.IsEmpty()) label = GetComponentName(component);
    if (label.IsEmpty()) label.Format((LPCSTR)LoadText(IDS_COMPONENT_FALLBACK), component + 1);
    return label;
}
