// The converter node.
#include "converter.h"

#include "analyzers.h"
#include "nodemessages.h"
#include "nodetrace.h"
#include "port.h"

IMPLEMENT_DYNCREATE(CConverter, CInstrument)

namespace {

const char kConverterSection[] = "Converter";
const char kOptionsSection[] = "Program options";

// Converter types 1 to 6; other values of the profile count as missing.
const int kFirstConverterType = 1;
const int kLastConverterType = 6;
const int kDefaultConverterType = 2;
const int kDefaultOfflineType = 4;
const int kDefaultComponents = 1;

// The PC's own address on every line it opens.
const int kPcAddress = 14;

CWinApp* App() { return AfxGetApp(); }

}  // namespace

CConverter::CConverter(const CString& name, int type)
    : CInstrument(name),
      m_port(NULL),
      m_online(GetInstrumentHost().GetOperationMode()),
      m_serial(),
      m_offlineType(1),
      m_components(0),
      m_hasO2Sensor(0),
      m_hasH2SSensor(0),
      m_hasHeating(0),
      m_hasOptionBoard(0),
      m_access(AfxGetMainWnd(), GetAddressConflictMessage()),
      m_converterName(name),
      m_instruments(10) {
    CNodeTrace trace("CConverter::CConverter");
    m_imageIndex = 1;
    ApplySerialDefaults(type);
}

CConverter::~CConverter() {
    CNodeTrace trace("CConverter::~CConverter");
    RemoveTheVaskInstruments();
    // The port must not keep a converter that is gone.
    if (m_port != NULL && m_port->GetConverter() == this) m_port->SetConverter(NULL);
}

void CConverter::ApplySerialDefaults(int type) {
    // Software RTS, RTS toggle, DTR and echo check of each converter type.
    m_serial.converterType = type;
    m_serial.rtsToggle = 0;
    switch (type) {
        case 2:
            m_serial.softwareRts = 0;
            m_serial.assertDtr = 1;
            m_serial.readEcho = 0;
            break;
        case 3:
        case 4:
        case 5:
            m_serial.softwareRts = 1;
            m_serial.assertDtr = 1;
            m_serial.readEcho = 1;
            break;
        default:  // 1, 6 and any other
            m_serial.softwareRts = 1;
            m_serial.assertDtr = 0;
            m_serial.readEcho = 1;
            break;
    }
}

CString CConverter::GetName() const {
    CString port = m_port != NULL ? m_port->GetName() : m_portName;
    if (!port.IsEmpty()) {
        const int colon = port.Find(':');
        if (colon > 0) port = port.Left(colon + 1);
        port += ' ';
    }
    return port + m_name;
}

void CConverter::SetName(const CString& name) {
    CNodeTrace trace("CConverter::SetName");
    m_converterName = name;
}

void CConverter::SetOnline(int on) {
    CNodeTrace trace("CConverter::SetOnline");
    if (m_online && !on) m_access.Done();
    m_online = on;
}

int CConverter::ReadFromRegistry(const CString& name) {
    CNodeTrace trace("CConverter::ReadFromRegistry");
    m_converterName = name;
    CWinApp* app = App();
    const CString section = CString(kConverterSection) + "\\" + name;
    int type = (int)app->GetProfileInt(section, "Hardware", kDefaultConverterType);
    // Only the converter types exist; anything else would reach the serial port as one.
    if (type < kFirstConverterType || type > kLastConverterType) type = kDefaultConverterType;
    m_serial.converterType = type;
    m_serial.assertDtr = (int)app->GetProfileInt(section, "AssertDtr", 0);
    m_serial.readEcho = (int)app->GetProfileInt(section, "ReadEcho", 1);
    m_serial.softwareRts = (int)app->GetProfileInt(section, "DoToggle", 1);
    m_serial.rtsToggle = (int)app->GetProfileInt(section, "AutoToggle", 0);
    m_portName = app->GetProfileString(section, "Port");

    m_offlineType =
        (int)app->GetProfileInt(kOptionsSection, "Offline instrument", kDefaultOfflineType);
    m_hasO2Sensor = (int)app->GetProfileInt(kOptionsSection, "Has O2 Sensor", 0);
    m_hasH2SSensor = (int)app->GetProfileInt(kOptionsSection, "Has H2S Sensor", 0);
    m_hasOptionBoard = (int)app->GetProfileInt(kOptionsSection, "Has Option Board", 0);
    m_hasHeating = (int)app->GetProfileInt(kOptionsSection, "Has Heating", 0);
    m_components =
        (int)app->GetProfileInt(kOptionsSection, "Number of components", kDefaultComponents);
    return 1;
}

void CConverter::WriteToRegistry() {
    CNodeTrace trace("CConverter::WriteToRegistry");
    CWinApp* app = App();
    const CString section = CString(kConverterSection) + "\\" + m_converterName;
    app->WriteProfileInt(section, "Hardware", m_serial.converterType);
    app->WriteProfileInt(section, "AssertDtr", m_serial.assertDtr);
    app->WriteProfileInt(section, "ReadEcho", m_serial.readEcho);
    app->WriteProfileInt(section, "DoToggle", m_serial.softwareRts);
    app->WriteProfileInt(section, "AutoToggle", m_serial.rtsToggle);
    app->WriteProfileString(section, "Port", m_portName);

    app->WriteProfileInt(kOptionsSection, "Offline instrument", m_offlineType);
    app->WriteProfileInt(kOptionsSection, "Has O2 Sensor", m_hasO2Sensor);
    app->WriteProfileInt(kOptionsSection, "Has H2S Sensor", m_hasH2SSensor);
    app->WriteProfileInt(kOptionsSection, "Has Option Board", m_hasOptionBoard);
    app->WriteProfileInt(kOptionsSection, "Has Heating", m_hasHeating);
    app->WriteProfileInt(kOptionsSection, "Number of components", m_components);
}

CPort* CConverter::GetPort(CString& name) const {
    CNodeTrace trace("CConverter::GetPort");
    name = m_portName;
    return m_port;
}

void CConverter::SetPort(CPort* port) {
    CNodeTrace trace("CConverter::SetPort");
    if (m_port != NULL && m_port->GetConverter() == this) m_port->SetConverter(NULL);
    m_port = port;
    if (port != NULL) {
        port->GetPortName(m_portName);
        port->SetConverter(this);
    }
}

void CConverter::SetOfflineType(int type, int components, const CString& text, int hasO2Sensor,
                                int hasH2SSensor, int hasHeating, int hasOptionBoard) {
    CNodeTrace trace("CConverter::SetOfflineType");
    m_offlineType = type;
    m_components = components;
    m_offlineText = text;
    m_hasO2Sensor = hasO2Sensor;
    m_hasH2SSensor = hasH2SSensor;
    m_hasHeating = hasHeating;
    m_hasOptionBoard = hasOptionBoard;
}

void CConverter::GetSerialParams(SerialParam* param) const {
    CNodeTrace trace("CConverter::GetSerialParams");
    if (param != NULL) *param = m_serial;
}

void CConverter::SetSerialParams(const SerialParam* param, int save) {
    CNodeTrace trace("CConverter::SetSerialParams");
    if (param == NULL) return;
    m_serial = *param;
    if (save) WriteToRegistry();
}

void CConverter::GetConfiguration(ConverterConfig& config) const {
    CNodeTrace trace("CConverter::GetConfiguration");
    config.serial = m_serial;
    config.offlineType = m_offlineType;
    config.components = m_components;
    config.hasO2Sensor = m_hasO2Sensor;
    config.hasH2SSensor = m_hasH2SSensor;
    config.portName = m_portName;
    config.hasHeating = m_hasHeating;
    config.hasOptionBoard = m_hasOptionBoard;
    config.valid = 1;
    config.converterName = m_converterName;
}

void CConverter::SetConfiguration(ConverterConfig& config) {
    CNodeTrace trace("CConverter::SetConfiguration");
    if (!config.valid) {
        ReadFromRegistry(m_converterName);
        GetConfiguration(config);
        return;
    }
    m_serial = config.serial;
    m_portName = config.portName;
    m_converterName = config.converterName;
    m_offlineType = config.offlineType;
    m_components = config.components;
    m_hasO2Sensor = config.hasO2Sensor;
    m_hasH2SSensor = config.hasH2SSensor;
    m_hasHeating = config.hasHeating;
    m_hasOptionBoard = config.hasOptionBoard;
}

int CConverter::InitTheCommunication() {
    CNodeTrace trace("CConverter::InitTheCommunication");
    if (m_online) m_access.Done();
    if (m_port == NULL) return 0;
    // Offline work needs no bus.
    if (!m_online) return 1;
    const SerialParam param = m_serial;
    m_access.SetMyAddress(kPcAddress);
    const int result = m_access.Init("VASK", m_port->GetShortName(), param);
    m_initError = result ? ErrorStruct_() : m_access.GetLastError();
    // The scan reports its own failure through the access object.
    m_access.ScanForDevices(AfxGetMainWnd(), GetBusScanProgressMessage(), this, 0);
    return result;
}

void CConverter::RemoveTheVaskInstruments() {
    CNodeTrace trace("CConverter::RemoveTheVaskInstruments");
    m_instruments.RemoveAll();
    RemoveAllChildren();
}

CVaskInstrument* CConverter::EnumerateTheVaskInstruments() {
    CNodeTrace trace("CConverter::EnumerateTheVaskInstruments");
    RemoveTheVaskInstruments();
    return CreateAnalyzers(m_access, m_instruments, this);
}
