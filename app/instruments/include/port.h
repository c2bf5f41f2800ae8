// CPort: the tree node of one port of the PC that a converter can use: a COM port, a USB
// converter that shows up as a COM port, or a COM port of a TCP/IP COM-port redirector.
// A port is bound to at most one converter at a time.
#pragma once

#include "instrument.h"

#include <winspool.h>

class CConverter;

// The system's list of COM-port devices could not be read; the text names the system error.
class CPortListException : public CException {
    DECLARE_DYNAMIC(CPortListException)
public:
    explicit CPortListException(const CString& text) : m_text(text) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
    const CString& GetText() const { return m_text; }

private:
    CString m_text;
};

class CPort : public CInstrument {
    DECLARE_DYNCREATE(CPort)
public:
    // The friendly names of the present COM-port device interfaces, in interface order and
    // at most `limit` of them (an empty text for a device without one). FALSE with the
    // system error code when the device list cannot be obtained.
    typedef BOOL (*FriendlyNameSource)(CStringArray& names, int limit, DWORD& error);
    // The system's version; FALSE when it cannot be asked.
    typedef BOOL (*VersionSource)(OSVERSIONINFOA& version);

    // A port of the system's port list: `name` is the tree text (the document passes the
    // port name, a blank and the description), the record gives the port name, monitor
    // name, description and port type flags. The USB detection runs; it throws a
    // CPortListException (thrown as a pointer) when the COM-port devices cannot be listed.
    CPort(const CString& name, const PORT_INFO_2A& record);
    // A port known by its name only: no flags, no detection, USB flag 1.
    explicit CPort(const CString& portName = CString());
    // Frees a converter still bound to the port.
    ~CPort() override;

    void GetPortName(CString& name) const { name = m_portName; }
    // The port name up to its first ":" (the whole name without one), e.g. COM1.
    CString GetShortName() const;
    const CString& GetMonitorName() const { return m_monitorName; }
    const CString& GetDescription() const { return m_description; }

    int IsComPort() const { return m_portName.Find("COM") >= 0; }
    int IsLptPort() const { return m_portName.Find("LPT") >= 0; }
    // 1 for a USB port, and when that cannot be told; 0 when the system's COM-port devices
    // show the port as another kind.
    int IsUsbPort() const { return m_usb; }
    // 1 when a COM-port redirector's settings map this port to a real TCP/IP address (and
    // when the system's version cannot be asked or it is Windows 95); else 0.
    int IsRedirectedPort() const;

    // The port type flags of the system's port list, one bit each.
    int IsWritePort() const { return (m_portType & PORT_TYPE_WRITE) != 0; }
    int IsReadPort() const { return (m_portType & PORT_TYPE_READ) != 0; }
    int IsRedirectedType() const { return (m_portType & PORT_TYPE_REDIRECTED) != 0; }
    int IsNetAttached() const { return (m_portType & PORT_TYPE_NET_ATTACHED) != 0; }
    DWORD GetPortType() const { return m_portType; }

    // Binds the port to a converter, or frees it with null; clears the changed mark.
    void SetConverter(CConverter* converter);
    CConverter* GetConverter() const { return m_converter; }

    // Seams over the system: replace the device list and the version query (null: the
    // system's own); each returns the one replaced.
    static FriendlyNameSource SetFriendlyNameSource(FriendlyNameSource source);
    static VersionSource SetVersionSource(VersionSource source);
    // The system's version through the installed source; FALSE when it cannot be asked.
    static BOOL QueryVersion(OSVERSIONINFOA& version);

    // Whether `text` names the port `name` (e.g. COM1): the name stands in it with no digit
    // after it, so that COM1 is not found in COM10. An empty name is found nowhere.
    static BOOL NamesPort(const CString& text, const CString& name);

private:
    void DetectUsb();

    int m_usb;
    CString m_portName;
    CString m_monitorName;
    CString m_description;
    CConverter* m_converter;
    DWORD m_portType;
};
