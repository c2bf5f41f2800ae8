// The bus scan of CvaskAccess and the by-address device queries.
#include "accessinternal.h"

namespace {

enum : DWORD {
    VersionTimeout = 1000,  // ms for the version request of the scan
    StatusAge = 2           // s a status kept in the device list stays current
};

enum {
    ScratchValues = 30,  // the most values a range or measured-value read carries
    ScratchCodes = 8     // the most relay codes a read carries
};

}  // namespace

int CvaskAccess::GetChannelVersionFast(int address, int channel, VersionStruct& record) {
    CParamArray parameters;
    CPCvaskMessage request('k', 6, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, VersionTimeout);
    if (result) {
        const unsigned long info = MakeCommandInfo('k', 6);
        CParamArray* values = answer != NULL ? answer->GetParameters() : NULL;
        int type = 0;
        if (values == NULL || values->GetSize() < 7 || !CheckAnswerValue(answer, 0, info) ||
            !ParamIntValue(values->GetAt(0), 1, type)) {
            SetError(&Error(), ErrorParameterCount, info);
            result = 0;
        } else {
            record.channelType = type;
            CString* texts[] = {&record.serialNumber,    &record.softwareVersion,
                                &record.hardwareVersion, &record.orderNumber,
                                &record.firmwareNumber,  &record.extra};
            for (int i = 0; i < 6; ++i) {
                const CStringParam* text = dynamic_cast<const CStringParam*>(values->GetAt(i + 1));
                *texts[i] = text != NULL ? text->GetValue(1) : CString();
            }
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::ScanForDevices(CWnd* progress, UINT message, CObject* context, int remote) {
    ClearDeviceList();
    int first, last;
    GetNetworkAddressRange(first, last);
    if (first < 0 || last < first) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    m_scanRunning = 1;
    m_remoteMode = remote;
    m_conflictAddress = 0;
    // The address-conflict table starts afresh for the addresses of this network.
    ResetVersionTable(0, last);

    for (int address = first; address <= last; ++address) {
        int wantRemote = remote;
        ClearVersionTableEntry(address);
        if (progress != NULL && message != 0) {
            progress->SendMessage(message, (WPARAM)address, (LPARAM)context);
            // AbortScan from the progress handler: the devices found so far stay listed.
            if (!m_scanRunning) return 0;
        }

        VersionStruct version;
        version.channelType = 0;
        const int answered = GetChannelVersionFast(address, 0, version);
        if (!answered) {
            if (Error().code != ErrorRejectedBusy) continue;  // a busy device exists
            wantRemote = 0;
        }

        CDeviceData* device = new (std::nothrow) CDeviceData;
        if (device == NULL) {
            SetError(&Error(), ErrorOutOfMemory, 0);
            m_scanRunning = 0;
            return 0;
        }
        if (answered) device->SetType(version.channelType);
        m_deviceList.AddTail(device);
        device->SetAddress(address);

        if (ReceiveDuplicate()) {
            device->SetAddressConflict(1);
            m_conflictAddress = address;
        }
        if (wantRemote) device->SetRemote(Remote(address, 0, 1));

        CString name;
        device->SetName(GetChannelName(address, 0, name) ? name : version.softwareVersion);

        // Each read sets its count in the entry when it succeeds; a device that cannot be
        // read completely is still listed, with one range, component or relay.
        VaskFloat values[ScratchValues];
        if (!GetMeasurementLower(address, 0, values)) device->SetRangeCount(1);
        if (!GetMeas(address, 0, values, 1)) device->SetComponentCount(1);
        int codes[ScratchCodes];
        if (!GetRelayOutputs(address, 0, codes)) device->SetRelayCount(1);
    }
    m_scanRunning = 0;
    return 1;
}

int CvaskAccess::GetDeviceCount() {
    int first, last;
    GetNetworkAddressRange(first, last);
    if (first < 0 || last < first) {
        SetError(&Error(), ErrorNotYetInitialized, 0);
        return 0;
    }
    int count = 0;
    for (int address = first; address <= last; ++address) {
        VersionStruct version;
        version.channelType = 0;
        if (GetChannelVersionFast(address, 0, version) || Error().code == ErrorRejectedBusy)
            ++count;
    }
    return count;
}

int CvaskAccess::IsRemote(int address) {
    CDeviceData* device = GetDevice(address);
    if (device == NULL) {
        SetError(&Error(), ErrorNoDeviceAtAddress, 0);
        return 0;
    }
    // The read refreshes the entry's remote flag; whatever it returns, the flag answers.
    ChannelSwitchStruct switches;
    GetSwitches(address, 0, switches);
    return device->IsRemote();
}

int CvaskAccess::IsAlive(int address) {
    CDeviceData* device = GetDevice(address);
    if (device == NULL) return 1;
    ChannelSwitchStruct switches;
    GetSwitches(address, 0, switches);
    return device->GetFaultCounter() < CDeviceData::UnavailableFaults;
}

int CvaskAccess::GetChannelState(int address) {
    CDeviceData* device = GetDevice(address);
    if (device == NULL) return -1;
    if (!UpToDate(device->GetStatusTime(), StatusAge)) {
        CompSwitchStruct switches;
        if (!GetCompSwitches(address, 0, switches)) return -1;
    }
    return device->GetChannelState();
}

int CvaskAccess::GetChannelStatusFlags(int address) {
    CDeviceData* device = GetDevice(address);
    if (device == NULL) return -1;
    if (!UpToDate(device->GetStatusTime(), StatusAge)) {
        CompSwitchStruct switches;
        if (!GetCompSwitches(address, 0, switches)) return -1;
    }
    return device->GetStatusFlags();
}

int CvaskAccess::GetWarmupDeviceState(int address, int channel, int index, VaskFloat& value) {
    const int state = GetChannelState(address);
    value.text.Format("%d", state);
    value.value = state;
    value.unit = 1;
    value.quantity = 1;
    return 1;
}
