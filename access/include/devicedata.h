// The device list of a CvaskAccess: one CDeviceData per analyzer that answered on the bus.
// The program reads the entries through CDeviceInfo; the access layer keeps in them each
// device's fault counter, the status bytes of its last answer and copies of values it
// has read, each with the time it was stored (time 0: never stored).
//
// Component records: an index below 0 or at or above the component count addresses
// record 0 when reading a single value; the per-component slots are stored only for an
// index within the count, and the per-component value arrays read as null when absent or
// when the index is outside the count.
#pragma once

#include "commvask_api.h"
#include "devicerecords.h"
#include "vaskfc.h"
#include "vaskfloat.h"

class COMMVASK_API CDeviceInfo : public CObject {
public:
    CDeviceInfo();
    ~CDeviceInfo() override;
    CDeviceInfo(const CDeviceInfo&) = delete;
    CDeviceInfo& operator=(const CDeviceInfo&) = delete;

    ChannelType GetType() const { return m_type; }
    CString GetName() const { return m_name; }
    int GetAddress() const { return m_address; }
    int GetComponentCount() const { return m_componentCount; }
    int HasAddressConflict() const { return m_addressConflict; }
    int IsRemote() const { return m_remote; }

protected:
    ChannelType m_type;     // 0 until known
    CString m_name;         // empty until the scan sets it
    int m_address;          // bus device number, -1 until set
    int m_componentCount;   // 0 until known
    int m_addressConflict;  // a second device answered under the same address
    int m_remote;           // remote state as last seen; 1 at construction
};

class COMMVASK_API CDeviceData : public CDeviceInfo {
public:
    // Values kept per measuring range slot of a component.
    enum { LimitValues = 2, IntegrationValues = 4, ToleranceValues = 3, AutocalCycleValues = 3 };

    CDeviceData();
    ~CDeviceData() override;

    // Copies value, unit and quantity, and of the text only its leading part that reads
    // as a number; what the cached slots keep of a value.
    static void CopyNumeric(VaskFloat& target, const VaskFloat& source);

    // The wall clock of every time stamp and of CvaskAccess::UpToDate.
    static CTime Now();

    // ---- identity ----
    void SetType(ChannelType type) { m_type = type; }
    void SetAddress(int address) { m_address = address; }
    void SetAddressConflict(int conflict) { m_addressConflict = conflict; }
    void SetName(const CString& name) { m_name = name; }
    void SetRemote(int remote) { m_remote = remote; }

    // ---- fault counter and status of the last answer ----
    // A device with UnavailableFaults faults is not addressed by its access object.
    enum { UnavailableFaults = 5 };
    int GetFaultCounter() const { return m_faultCounter; }
    void SetFaultCounter(int count) { m_faultCounter = count; }
    // Flags and state byte of the device's last answer, stamped now.
    void SetStatus(int flags, int state);
    int GetStatusFlags() const { return m_statusFlags; }
    int GetChannelState() const { return m_channelState; }
    CTime GetStatusTime() const { return m_statusTime; }

    // ---- components and their measured values ----
    // Drops every component record and makes `count` fresh ones (range 1, autorange 0).
    void SetComponentCount(int count);
    // The component's measured value; null when there is no component record at all.
    VaskFloat* GetMeasValue(int index);
    const VaskFloat* GetMeasValue(int index) const;
    void StampMeasValues();
    CTime GetMeasTime() const { return m_measTime; }

    // ---- per component: measuring range ----
    void SetMeasRange(int index, int range, int autorange);  // stamped
    // 0 when there is no component record.
    int GetMeasRange(int index, int& range, int& autorange) const;
    CTime GetRangeTime(int index) const;
    // Range count values each; stored only with a range count of at least 1.
    void SetRangeStart(int index, const VaskFloat* values);
    void SetRangeEnd(int index, const VaskFloat* values);
    // Null when absent, when the index is outside the count, or when the range count has
    // changed since the values were stored.
    const VaskFloat* GetRangeStart(int index) const;
    const VaskFloat* GetRangeEnd(int index) const;

    // ---- per component: limits 1 to 4, integration times, adjust tolerances ----
    void SetLimit(int index, int limit, const VaskFloat* values);  // LimitValues values
    const VaskFloat* GetLimit(int index, int limit) const;
    void SetIntegrationTimes(int index, const VaskFloat* values);  // IntegrationValues
    const VaskFloat* GetIntegrationTimes(int index) const;
    void SetAdjustTolerances(int index, const VaskFloat* values);  // ToleranceValues
    const VaskFloat* GetAdjustTolerances(int index) const;

    // ---- per component: analog output (stamped) ----
    void SetAnalogOutput(int index, const VaskFloat& value);
    // 0 when there is no component record.
    int GetAnalogOutput(int index, VaskFloat& value) const;
    CTime GetAnalogOutputTime(int index) const;

    // ---- device values (stamped) ----
    void SetAirPressure(const VaskFloat& value);
    const VaskFloat& GetAirPressure() const { return m_airPressure; }
    CTime GetAirPressureTime() const { return m_airPressureTime; }
    void SetAutocalCycle(const VaskFloat* values);  // AutocalCycleValues values
    const VaskFloat* GetAutocalCycle() const { return m_autocalCycle; }
    CTime GetAutocalCycleTime() const { return m_autocalCycleTime; }

    // ---- switch record (stamped; also sets the remote flag from the remote switch) ----
    void SetSwitches(const ChannelSwitchStruct& record);
    // 0 when no record has been stored.
    int GetSwitches(ChannelSwitchStruct& record) const;
    CTime GetSwitchTime() const { return m_switchTime; }

    // ---- version record ----
    void SetVersion(const VersionStruct& record);
    // Null when none is stored.
    const VersionStruct* GetVersion() const { return m_version; }
    void DropVersion();

    // ---- counts ----
    void SetRelayCount(int count) { m_relayCount = count; }
    int GetRelayCount() const { return m_relayCount; }
    void SetRangeCount(int count) { m_rangeCount = count; }
    int GetRangeCount() const { return m_rangeCount; }

private:
    struct ValueArray {
        VaskFloat* values = nullptr;
        int count = 0;
    };
    struct Component {
        VaskFloat measValue;
        int range = 1;
        int autorange = 0;
        CTime rangeTime;
        ValueArray rangeStart;
        ValueArray rangeEnd;
        ValueArray limits[4];
        ValueArray integrationTimes;
        ValueArray tolerances;
        VaskFloat analogOutput;
        CTime analogOutputTime;
    };

    static void Store(ValueArray& slot, const VaskFloat* values, int count);
    static void Free(ValueArray& slot);
    static void FreeComponent(Component& component);
    // Record for a read: index outside the count gives record 0; null without records.
    const Component* ReadRecord(int index) const;
    // Record for a store: only an index within the count.
    Component* StoreRecord(int index);
    // Per-component array for a read: null when the index is outside the count.
    const Component* ArrayRecord(int index) const;

    int m_faultCounter;
    int m_statusFlags;
    int m_channelState;
    CTime m_statusTime;
    ChannelSwitchStruct* m_switches;
    CTime m_switchTime;
    Component* m_components;
    int m_relayCount;
    int m_rangeCount;
    VersionStruct* m_version;
    CTime m_measTime;
    VaskFloat m_airPressure;
    CTime m_airPressureTime;
    VaskFloat* m_autocalCycle;
    CTime m_autocalCycleTime;
};
