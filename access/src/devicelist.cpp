// The device list of CvaskAccess and its one-entry lookup cache.
#include "accessinternal.h"

CDeviceData* CvaskAccess::GetDevice(int address) {
    for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;) {
        CDeviceData* device = static_cast<CDeviceData*>(m_deviceList.GetNext(pos));
        if (device != NULL && device->GetAddress() == address) return device;
    }
    return NULL;
}

CDeviceData* CvaskAccess::LookupDevice(int address) {
    // The address and the entry are changed together: the sender thread and the callers
    // both look devices up.
    CSingleLock lock(&m_cacheLock, TRUE);
    if (address != m_cacheAddress) {
        CDeviceData* device = GetDevice(address);
        if (device == NULL) {
            m_cacheAddress = -1;
            m_cacheDevice = NULL;
            return NULL;
        }
        m_cacheAddress = address;
        m_cacheDevice = device;
    }
    return m_cacheDevice;
}

void CvaskAccess::ForgetCache() {
    CSingleLock lock(&m_cacheLock, TRUE);
    m_cacheAddress = -1;
    m_cacheDevice = NULL;
}

int CvaskAccess::GetCacheDevice(int address) {
    if (LookupDevice(address) != NULL) return 1;
    SetError(&Error(), ErrorNoDeviceAtAddress, 0);
    return 0;
}

void CvaskAccess::ClearDeviceList() {
    ForgetCache();
    while (!m_deviceList.IsEmpty()) delete static_cast<CDeviceData*>(m_deviceList.RemoveHead());
    m_checkIndex = 0;
}

int CvaskAccess::UpToDate(const CTime& stamp, DWORD limit) {
    // In 64 bits, so that the age of a stamp never stored (0) stays right beyond 2038. A
    // stamp ahead of the clock (the clock was set back) is not current either, or a cached
    // value would be served for as long as the clock was set back.
    const __int64 age = (__int64)CDeviceData::Now().GetTime() - (__int64)stamp.GetTime();
    return age >= 0 && age <= (__int64)limit;
}

void CvaskAccess::SetData(CPCvaskMessage* answer, CDeviceData* device) {
    if (answer == NULL || device == NULL || device->GetComponentCount() == 0) return;
    device->SetStatus(answer->GetFlags(), answer->GetState());
    CParamArray* parameters = answer->GetParameters();
    if (parameters == NULL || parameters->GetSize() == 0) return;
    CFloatParam* values = dynamic_cast<CFloatParam*>(parameters->GetAt(0));
    if (values == NULL || values->GetCount() != device->GetComponentCount()) return;
    for (int i = 1; i <= values->GetCount(); ++i) {
        VaskFloat* target = device->GetMeasValue(i - 1);
        if (target != NULL) values->GetValue(i, *target);
    }
    device->StampMeasValues();
}

ChannelType CvaskAccess::GetChannelType(int address) {
    CDeviceData* device = GetDevice(address);
    return device != NULL ? device->GetType() : 0;
}

int CvaskAccess::GetComponentCount(int address) {
    CDeviceData* device = GetDevice(address);
    return device != NULL ? device->GetComponentCount() : 0;
}

int CvaskAccess::GetMeasRangeCount(int address) {
    CDeviceData* device = GetDevice(address);
    return device != NULL ? device->GetRangeCount() : 0;
}

int CvaskAccess::HasAddressConflict(int address) {
    // 0 is no device number but the mark of "no conflict found".
    return m_conflictAddress != 0 && address == m_conflictAddress;
}
