// Bus addresses of the Vask bus.
#include "vaskaddress.h"

#include "internal.h"

#include <string.h>

int CAddress::operator==(const CAddress& other) const { return GetAddress() == other.GetAddress(); }

int CvaskAddress::Myself = 14;
CString CvaskAddress::StrBroadcast("15");
CString CvaskAddress::StrMyself("14");

namespace {

// The link layer's escape byte, doubled on the wire.
const unsigned char kEscape = 0x10;

bool IsValidPair(int device, int component) {
    return device >= 1 && device <= 15 && component >= 0 && component <= 8;
}

}  // namespace

CvaskAddress::CvaskAddress(int address) : m_address(address) {}

CvaskAddress::CvaskAddress(const CString& text) : m_address(0) { SetAddress(text); }

CvaskAddress::CvaskAddress(const CvaskAddress& other) : CAddress(), m_address(other.m_address) {}

CvaskAddress& CvaskAddress::operator=(const CvaskAddress& other) {
    m_address = other.m_address;
    return *this;
}

CvaskAddress::~CvaskAddress() {}

int CvaskAddress::IsBroadcast(int device) const { return device == Broadcast; }

int CvaskAddress::IsBroadcast() const { return GetAddress() == Broadcast; }

int CvaskAddress::IsMyself(int device) const { return device == Myself; }

int CvaskAddress::IsMyself() const { return GetAddress() == Myself; }

int CvaskAddress::IsDevice() const { return IsValid() && GetAddress() <= LastDevice; }

int CvaskAddress::IsValid() const {
    int device = GetAddress();
    return device >= 1 && device <= 15 && GetComponent() <= 8;
}

CString CvaskAddress::GetNetwork() const { return CString("VASK"); }

void CvaskAddress::GetRange(int& first, int& last) const {
    first = FirstDevice;
    last = LastDevice;
}

void CvaskAddress::SetAddress(const CString& text) {
    m_address = 0;
    const char* s = text;
    size_t length = (size_t)text.GetLength();
    long device = 0;
    size_t n = vask::ParseLong(s, length, 10, device);
    if (n == 0) return;
    long component = 0;
    if (n < length && s[n] == '/') {
        size_t m = vask::ParseLong(s + n + 1, length - n - 1, 10, component);
        if (m == 0 || component < 1 || component > 9) return;
        component -= 1;
        n += 1 + m;
    }
    if (n < length && s[n] != ' ') return;
    // The device number is not range-checked, but it must still pack into an int.
    if (device > 0x7FFFFFF || device < -0x8000000) return;
    m_address = MakeAddress((int)device, (int)component);
}

CString CvaskAddress::GetAddressString(int device, int component) const {
    // Checked as a pair: a component of 16 must not spill into the next device.
    if (!IsValidPair(device, component)) return CString();
    return CvaskAddress(MakeAddress(device, component)).GetAddressString();
}

CString CvaskAddress::GetAddressString() const {
    CString text;
    text.Format("%d/%d", GetAddress(), GetComponent() + 1);
    return text;
}

int CvaskAddress::GetAddress() const { return m_address >> 4; }

int CvaskAddress::GetComponent() const { return m_address & 15; }

void CvaskAddress::Read(unsigned char*& cursor) {
    unsigned char byte = *cursor++;
    if (byte == kEscape) byte = *cursor++;
    m_address = byte;
}

void CvaskAddress::Write(unsigned char*& cursor) const {
    unsigned char byte = (unsigned char)m_address;
    *cursor++ = byte;
    // Doubled whenever the byte on the wire is the escape byte, also for a packed value
    // outside the byte range whose low byte happens to be 0x10.
    if (byte == kEscape) *cursor++ = byte;
}

CvaskAddress CvaskAddress::GetBroadcastAddress() { return CvaskAddress(MakeAddress(Broadcast, 0)); }

CvaskAddress CvaskAddress::GetMyAddress() { return CvaskAddress(MakeAddress(Myself, 0)); }

int CvaskAddress::SetMyAddress(int device) {
    if (device != 13 && device != 14) return 0;
    Myself = device;
    StrMyself.Format("%d", device);
    return 1;
}

int CvaskAddress::MakeAddress(int device, int component) {
    return (int)((unsigned)device * 16u + (unsigned)component);
}
