// Entries of the device list and the values cached in them.
#include "devicedata.h"

#include "commvask_seams.h"

#include <stdlib.h>

CDeviceInfo::CDeviceInfo()
    : m_type(0), m_address(-1), m_componentCount(0), m_addressConflict(0), m_remote(1) {}

CDeviceInfo::~CDeviceInfo() {}

CDeviceData::CDeviceData()
    : m_faultCounter(0),
      m_statusFlags(0),
      m_channelState(0),
      m_switches(NULL),
      m_components(NULL),
      m_relayCount(1),
      m_rangeCount(0),
      m_version(NULL),
      m_autocalCycle(NULL) {}

CDeviceData::~CDeviceData() {
    SetComponentCount(0);
    delete m_switches;
    delete m_version;
    delete[] m_autocalCycle;
}

namespace {
CTime (*g_clock)() = NULL;
}

CTime CDeviceData::Now() { return g_clock != NULL ? g_clock() : CTime::GetCurrentTime(); }

void SetDeviceClock(CTime (*now)()) { g_clock = now; }

void CDeviceData::CopyNumeric(VaskFloat& target, const VaskFloat& source) {
    target.value = source.value;
    target.unit = source.unit;
    target.quantity = source.quantity;
    const char* text = source.text;
    char* end = NULL;
    strtod(text, &end);
    // Whatever follows the number (a unit, a remark) is not part of the cached value.
    target.text = CString(text, (int)(end - text));
}

void CDeviceData::SetStatus(int flags, int state) {
    m_statusFlags = flags;
    m_channelState = state;
    m_statusTime = Now();
}

// ---- component records ----------------------------------------------------------------

void CDeviceData::Free(ValueArray& slot) {
    delete[] slot.values;
    slot.values = NULL;
    slot.count = 0;
}

void CDeviceData::Store(ValueArray& slot, const VaskFloat* values, int count) {
    Free(slot);
    if (values == NULL || count <= 0) return;
    slot.values = new VaskFloat[count];
    slot.count = count;
    for (int i = 0; i < count; ++i) CopyNumeric(slot.values[i], values[i]);
}

void CDeviceData::FreeComponent(Component& component) {
    Free(component.rangeStart);
    Free(component.rangeEnd);
    for (ValueArray& limit : component.limits) Free(limit);
    Free(component.integrationTimes);
    Free(component.tolerances);
}

void CDeviceData::SetComponentCount(int count) {
    if (m_components != NULL) {
        for (int i = 0; i < m_componentCount; ++i) FreeComponent(m_components[i]);
        delete[] m_components;
        m_components = NULL;
    }
    if (count < 0) count = 0;
    m_componentCount = count;
    if (count > 0) m_components = new Component[count];
}

const CDeviceData::Component* CDeviceData::ReadRecord(int index) const {
    if (m_components == NULL || m_componentCount <= 0) return NULL;
    if (index < 0 || index >= m_componentCount) index = 0;
    return &m_components[index];
}

CDeviceData::Component* CDeviceData::StoreRecord(int index) {
    if (m_components == NULL || index < 0 || index >= m_componentCount) return NULL;
    return &m_components[index];
}

const CDeviceData::Component* CDeviceData::ArrayRecord(int index) const {
    if (m_components == NULL || index < 0 || index >= m_componentCount) return NULL;
    return &m_components[index];
}

VaskFloat* CDeviceData::GetMeasValue(int index) {
    return const_cast<VaskFloat*>(static_cast<const CDeviceData*>(this)->GetMeasValue(index));
}

const VaskFloat* CDeviceData::GetMeasValue(int index) const {
    const Component* c = ReadRecord(index);
    return c != NULL ? &c->measValue : NULL;
}

void CDeviceData::StampMeasValues() { m_measTime = Now(); }

void CDeviceData::SetMeasRange(int index, int range, int autorange) {
    Component* c = StoreRecord(index);
    if (c == NULL) return;
    c->range = range;
    c->autorange = autorange;
    c->rangeTime = Now();
}

int CDeviceData::GetMeasRange(int index, int& range, int& autorange) const {
    const Component* c = ReadRecord(index);
    if (c == NULL) return 0;
    range = c->range;
    autorange = c->autorange;
    return 1;
}

CTime CDeviceData::GetRangeTime(int index) const {
    const Component* c = ReadRecord(index);
    return c != NULL ? c->rangeTime : CTime();
}

void CDeviceData::SetRangeStart(int index, const VaskFloat* values) {
    Component* c = StoreRecord(index);
    if (c != NULL && m_rangeCount >= 1) Store(c->rangeStart, values, m_rangeCount);
}

void CDeviceData::SetRangeEnd(int index, const VaskFloat* values) {
    Component* c = StoreRecord(index);
    if (c != NULL && m_rangeCount >= 1) Store(c->rangeEnd, values, m_rangeCount);
}

const VaskFloat* CDeviceData::GetRangeStart(int index) const {
    const Component* c = ArrayRecord(index);
    // Values stored for another range count would be read past their end.
    if (c == NULL || c->rangeStart.count != m_rangeCount) return NULL;
    return c->rangeStart.values;
}

const VaskFloat* CDeviceData::GetRangeEnd(int index) const {
    const Component* c = ArrayRecord(index);
    if (c == NULL || c->rangeEnd.count != m_rangeCount) return NULL;
    return c->rangeEnd.values;
}

void CDeviceData::SetLimit(int index, int limit, const VaskFloat* values) {
    Component* c = StoreRecord(index);
    if (c != NULL && limit >= 1 && limit <= 4) Store(c->limits[limit - 1], values, LimitValues);
}

const VaskFloat* CDeviceData::GetLimit(int index, int limit) const {
    const Component* c = ArrayRecord(index);
    if (c == NULL || limit < 1 || limit > 4) return NULL;
    return c->limits[limit - 1].values;
}

void CDeviceData::SetIntegrationTimes(int index, const VaskFloat* values) {
    Component* c = StoreRecord(index);
    if (c != NULL) Store(c->integrationTimes, values, IntegrationValues);
}

const VaskFloat* CDeviceData::GetIntegrationTimes(int index) const {
    const Component* c = ArrayRecord(index);
    return c != NULL ? c->integrationTimes.values : NULL;
}

void CDeviceData::SetAdjustTolerances(int index, const VaskFloat* values) {
    Component* c = StoreRecord(index);
    if (c != NULL) Store(c->tolerances, values, ToleranceValues);
}

const VaskFloat* CDeviceData::GetAdjustTolerances(int index) const {
    const Component* c = ArrayRecord(index);
    return c != NULL ? c->tolerances.values : NULL;
}

void CDeviceData::SetAnalogOutput(int index, const VaskFloat& value) {
    Component* c = StoreRecord(index);
    if (c == NULL) return;
    CopyNumeric(c->analogOutput, value);
    c->analogOutputTime = Now();
}

int CDeviceData::GetAnalogOutput(int index, VaskFloat& value) const {
    const Component* c = ReadRecord(index);
    if (c == NULL) return 0;
    value = c->analogOutput;
    return 1;
}

CTime CDeviceData::GetAnalogOutputTime(int index) const {
    const Component* c = ReadRecord(index);
    return c != NULL ? c->analogOutputTime : CTime();
}

// ---- device values ----------------------------------------------------------------------

void CDeviceData::SetAirPressure(const VaskFloat& value) {
    CopyNumeric(m_airPressure, value);
    m_airPressureTime = Now();
}

void CDeviceData::SetAutocalCycle(const VaskFloat* values) {
    if (values == NULL) return;
    delete[] m_autocalCycle;
    m_autocalCycle = new VaskFloat[AutocalCycleValues];
    for (int i = 0; i < AutocalCycleValues; ++i) CopyNumeric(m_autocalCycle[i], values[i]);
    m_autocalCycleTime = Now();
}

void CDeviceData::SetSwitches(const ChannelSwitchStruct& record) {
    if (m_switches == NULL) m_switches = new ChannelSwitchStruct;
    *m_switches = record;
    m_switchTime = Now();
    m_remote = record.flags[ChannelSwitchStruct::Remote] ? 1 : 0;
}

int CDeviceData::GetSwitches(ChannelSwitchStruct& record) const {
    if (m_switches == NULL) return 0;
    record = *m_switches;
    return 1;
}

void CDeviceData::SetVersion(const VersionStruct& record) {
    if (m_version == NULL) m_version = new VersionStruct;
    *m_version = record;
}

void CDeviceData::DropVersion() {
    delete m_version;
    m_version = NULL;
}
