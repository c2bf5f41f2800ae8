// The gateway server's COM interfaces as this library calls them.  The server is outside
// the system; only the vtable order, the arguments and the identifiers below are relied on.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

namespace vaskgate {

// The line configuration record, passed by value when written.
struct LineRecord {
    BYTE bytes[12];
};
static_assert(sizeof(LineRecord) == 12, "the line record is 12 bytes");

enum LineRecordByte { kRecordTerminator = 7, kRecordSlowWaveform = 8, kRecordAddress = 9 };

struct IGatewayLine : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE NextLine(IGatewayLine** next) = 0;
    virtual HRESULT STDMETHODCALLTYPE Name(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE WriteConfiguration(LineRecord record) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReadConfiguration(LineRecord* record) = 0;
    virtual HRESULT STDMETHODCALLTYPE Transmit(ULONG_PTR cookie, LONG destination, LONG length,
                                               const BYTE* data) = 0;
};

struct IGateway : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE FirstLine(IGatewayLine** line) = 0;
};

// Implemented by this library and advised at each line's connection point.
struct IGatewayLineEvents : public IUnknown {
    // status: 0 done, 1 no acknowledgement from the device, other values failure.
    virtual HRESULT STDMETHODCALLTYPE TransmitDone(ULONG_PTR cookie, LONG status) = 0;
    virtual HRESULT STDMETHODCALLTYPE Received(BYTE source, BYTE second, LONG length,
                                               const BYTE* data) = 0;
};

// {4AEF88E3-7511-11D5-9468-00E0293DE2C0}
constexpr IID kIID_IGateway = {
    0x4AEF88E3, 0x7511, 0x11D5, {0x94, 0x68, 0x00, 0xE0, 0x29, 0x3D, 0xE2, 0xC0}};
// {DD1FB4D5-745B-11D5-9464-00E0293DE2C0}
constexpr IID kIID_IGatewayLineEvents = {
    0xDD1FB4D5, 0x745B, 0x11D5, {0x94, 0x64, 0x00, 0xE0, 0x29, 0x3D, 0xE2, 0xC0}};

constexpr const char* kServerProgId = "VGWCE.VaskConnectionGW";

}  // namespace vaskgate
