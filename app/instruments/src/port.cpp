// The port node: USB detection over the system's COM-port devices and the test for a
// COM port of a TCP/IP redirector.
#include "port.h"

#include "converter.h"
#include "seam.h"

#include <setupapi.h>

#include <vector>

IMPLEMENT_DYNAMIC(CPortListException, CException)
IMPLEMENT_DYNCREATE(CPort, CInstrument)

namespace {

// The system's COM-port device-interface class.
const GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

// At most this many interfaces are examined.
const int kMaxInterfaces = 27;
// Friendly names are read up to this many characters.
const DWORD kFriendlyNameChars = 256;

// Parameters of the COM-port redirector service: one subkey per redirected port.
const char kRedirectorKey[] = "SYSTEM\\CurrentControlSet\\Services\\WTComSrv\\Parameters";
// The redirector's mark of a port that has no target.
const char kNoTarget[] = "0.0.0.0";

BOOL SystemFriendlyNames(CStringArray& names, int limit, DWORD& error) {
    HDEVINFO devices =
        SetupDiGetClassDevsA(&kComPortInterface, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return FALSE;
    }
    for (int index = 0; index < limit; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(devices, NULL, &kComPortInterface, (DWORD)index, &data))
            break;
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailA(devices, &data, NULL, 0, &size, NULL);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) break;
        std::vector<char> buffer(size);
        SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail =
            reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        SP_DEVINFO_DATA device = {};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailA(devices, &data, detail, size, NULL, &device)) break;
        char name[kFriendlyNameChars + 1] = "";
        if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_FRIENDLYNAME, NULL,
                                               (PBYTE)name, kFriendlyNameChars, NULL))
            name[0] = '\0';
        name[kFriendlyNameChars] = '\0';
        names.Add(CString(name));
    }
    SetupDiDestroyDeviceInfoList(devices);
    return TRUE;
}

BOOL SystemVersion(OSVERSIONINFOA& version) {
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version);
}

CPort::FriendlyNameSource g_friendlyNames = SystemFriendlyNames;
CPort::VersionSource g_version = SystemVersion;

// A string value of an open key; empty when it is missing or not a string.
CString ReadString(HKEY key, LPCSTR name) {
    char buffer[MAX_PATH + 1] = "";
    DWORD type = 0, size = MAX_PATH;
    if (RegQueryValueExA(key, name, NULL, &type, (LPBYTE)buffer, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    buffer[size < MAX_PATH ? size : MAX_PATH] = '\0';
    return CString(buffer);
}

}  // namespace

BOOL CPortListException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext != NULL) *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0) return FALSE;
    lstrcpynA(lpszError, m_text, (int)nMaxError);
    return TRUE;
}

CPort::CPort(const CString& name, const PORT_INFO_2A& record)
    : CInstrument(name),
      m_usb(1),
      m_portName(record.pPortName),
      m_monitorName(record.pMonitorName),
      m_description(record.pDescription),
      m_converter(NULL),
      m_portType(record.fPortType) {
    m_imageIndex = 1;
    DetectUsb();
}

CPort::CPort(const CString& portName)
    : CInstrument(portName), m_usb(1), m_portName(portName), m_converter(NULL), m_portType(0) {
    m_imageIndex = 1;
}

CPort::~CPort() {
    // The converter must not keep a port that is gone.
    if (m_converter != NULL) {
        CString name;
        if (m_converter->GetPort(name) == this) m_converter->SetPort(NULL);
    }
}

CString CPort::GetShortName() const {
    const int colon = m_portName.Find(':');
    return colon < 0 ? m_portName : m_portName.Left(colon);
}

void CPort::SetConverter(CConverter* converter) {
    m_converter = converter;
    m_changed = 0;
}

BOOL CPort::NamesPort(const CString& text, const CString& name) {
    if (name.IsEmpty()) return FALSE;
    for (int at = text.Find(name); at >= 0; at = text.Find(name, at + 1)) {
        const int after = at + name.GetLength();
        if (after >= text.GetLength() || !isdigit((unsigned char)text[after])) return TRUE;
    }
    return FALSE;
}

void CPort::DetectUsb() {
    OSVERSIONINFOA version = {};
    if (!g_version(version) || version.dwMajorVersion < 5) return;

    CStringArray names;
    DWORD error = 0;
    if (!g_friendlyNames(names, kMaxInterfaces, error)) {
        CString text;
        text.Format("SetupDiGetClassDevs failed. (err=%lx)", (unsigned long)error);
        throw new CPortListException(text);
    }
    CString port = m_portName;
    port.TrimRight();
    port.TrimRight(':');
    for (int i = 0; i < names.GetSize() && i < kMaxInterfaces; ++i) {
        if (!NamesPort(names[i], port)) continue;
        m_usb = names[i].Find("USB") >= 0 ? 1 : 0;
        break;
    }
}

int CPort::IsRedirectedPort() const {
    OSVERSIONINFOA version = {};
    if (!g_version(version)) return 1;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT && version.dwMajorVersion == 4 &&
        version.dwMinorVersion == 0)
        return 1;

    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRedirectorKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_READ,
                      &parameters) != ERROR_SUCCESS)
        return 0;
    int redirected = 0;
    char subkey[MAX_PATH + 1];
    for (DWORD index = 0; !redirected; ++index) {
        DWORD length = MAX_PATH;
        if (RegEnumKeyExA(parameters, index, subkey, &length, NULL, NULL, NULL, NULL) !=
            ERROR_SUCCESS)
            break;
        HKEY port;
        if (RegOpenKeyExA(parameters, subkey, 0, KEY_READ, &port) != ERROR_SUCCESS) continue;
        if (NamesPort(m_portName, ReadString(port, "DosDevices"))) {
            const CString target = ReadString(port, "TargetAddress");
            if (!target.IsEmpty() && target.Find(kNoTarget) < 0) redirected = 1;
        }
        RegCloseKey(port);
    }
    RegCloseKey(parameters);
    return redirected;
}

CPort::FriendlyNameSource CPort::SetFriendlyNameSource(FriendlyNameSource source) {
    return ReplaceSeam(g_friendlyNames, source, (FriendlyNameSource)SystemFriendlyNames);
}

CPort::VersionSource CPort::SetVersionSource(VersionSource source) {
    return ReplaceSeam(g_version, source, (VersionSource)SystemVersion);
}

BOOL CPort::QueryVersion(OSVERSIONINFOA& version) { return g_version(version); }
