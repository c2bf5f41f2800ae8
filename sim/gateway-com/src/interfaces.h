// The COM interfaces that the gateway server stand-in offers, as the gateway client expects
// them: the gateway, its lines (each a connection point container) and the line events.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

namespace gwsim {

// 12 bytes: 0..6 kept as they are, 7 line terminator, 8 slow transmission waveform,
// 9 the line's own bus address, 10..11 kept as they are.
struct LineRecord {
    BYTE bytes[12];
};
static_assert(sizeof(LineRecord) == 12, "the line record is 12 bytes");

struct IVaskLineGW : public IUnknown {
    // S_FALSE and null after the last line.
    virtual HRESULT STDMETHODCALLTYPE NextLine(IVaskLineGW** next) = 0;
    virtual HRESULT STDMETHODCALLTYPE Name(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE WriteConfiguration(LineRecord record) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReadConfiguration(LineRecord* record) = 0;
    // cookie comes back with the transmit-done event.
    virtual HRESULT STDMETHODCALLTYPE Transmit(ULONG_PTR cookie, LONG destination, LONG length,
                                               const BYTE* data) = 0;
};

struct IVaskConnectionGW : public IUnknown {
    // S_FALSE and null when the gateway has no line.
    virtual HRESULT STDMETHODCALLTYPE FirstLine(IVaskLineGW** line) = 0;
};

struct IVaskLineEventsGW : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE TransmitDone(ULONG_PTR cookie, LONG status) = 0;
    virtual HRESULT STDMETHODCALLTYPE Received(BYTE source, BYTE second, LONG length,
                                               const BYTE* data) = 0;
};

// {1D2CD5A5-C0C0-447D-9520-C5E68A33E472}: the stand-in's class.
constexpr CLSID kCLSID_StandIn = {
    0x1D2CD5A5, 0xC0C0, 0x447D, {0x95, 0x20, 0xC5, 0xE6, 0x8A, 0x33, 0xE4, 0x72}};
// {4AEF88E3-7511-11D5-9468-00E0293DE2C0}
constexpr IID kIID_IVaskConnectionGW = {
    0x4AEF88E3, 0x7511, 0x11D5, {0x94, 0x68, 0x00, 0xE0, 0x29, 0x3D, 0xE2, 0xC0}};
// {9AF6C0F5-0C02-4489-8348-32C256642353}: the line interface, the stand-in's own choice.
constexpr IID kIID_IVaskLineGW = {
    0x9AF6C0F5, 0x0C02, 0x4489, {0x83, 0x48, 0x32, 0xC2, 0x56, 0x64, 0x23, 0x53}};
// {DD1FB4D5-745B-11D5-9464-00E0293DE2C0}
constexpr IID kIID_IVaskLineEventsGW = {
    0xDD1FB4D5, 0x745B, 0x11D5, {0x94, 0x64, 0x00, 0xE0, 0x29, 0x3D, 0xE2, 0xC0}};

constexpr const wchar_t* kProgId = L"VGWCE.VaskConnectionGW";

}  // namespace gwsim
