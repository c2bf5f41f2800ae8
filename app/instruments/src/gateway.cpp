// The gateway node and the nodes of its lines.
#include "gateway.h"

#include "analyzers.h"
#include "nodemessages.h"
#include "nodetrace.h"
#include "ping.h"
#include "serialparam.h"

IMPLEMENT_DYNCREATE(CGateway, CInstrument)
IMPLEMENT_DYNCREATE(CGatewayPort, CInstrument)

namespace {

const char kGatewayNetwork[] = "TCPGATEWAY";
// The PC's own address on every line it opens.
const int kPcAddress = 14;

// The gateway network takes no serial settings.
SerialParam NoSerialParam() {
    SerialParam param = {};
    return param;
}

}  // namespace

// ---- CGateway -----------------------------------------------------------------------------

CGateway::CGateway(const CString& host, const CString& name)
    : CInstrument(name.IsEmpty() ? host : name),
      m_online(1),
      m_instrumentLists(10),
      m_hostAddress(host),
      m_ports(10) {
    CNodeTrace trace("CGateway::CGateway");
    m_imageIndex = 2;
}

CGateway::~CGateway() {
    CNodeTrace trace("CGateway::~CGateway");
    // Lines that outlive the gateway forget it.
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;) {
        CGatewayPort* line = (CGatewayPort*)m_ports.GetNext(pos);
        line->m_gateway = NULL;
        line->m_parent = NULL;
    }
    m_ports.RemoveAll();
    RemoveAllChildren();
    m_instrumentLists.RemoveAll();
}

void CGateway::SetOnline(int on) {
    CNodeTrace trace("CGateway::SetOnline");
    m_online = on;
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;)
        ((CGatewayPort*)m_ports.GetNext(pos))->SetOnline(on);
}

CObList* CGateway::GetPorts() {
    CNodeTrace trace("CGateway::GetPorts");
    return &m_ports;
}

int CGateway::InitThePorts() {
    CNodeTrace trace("CGateway::InitThePorts");
    CvaskAccess access(AfxGetMainWnd(), GetAddressConflictMessage());
    CPing ping;
    trace.WriteFormat("Try to ping to %s", (LPCSTR)m_hostAddress);
    if (ping.Ping(m_hostAddress) != CPing::Success) {
        trace.WriteFormat("Ping failed");
        SetOnline(0);
        return 0;
    }
    trace.WriteFormat("Ping succeeded");
    const int result = access.Init(kGatewayNetwork, m_hostAddress, NoSerialParam());
    if (result) {
        // Each line joins the gateway's lines as it is made.
        for (CString line = access.GetLineName(); !line.IsEmpty(); line = access.GetLineName())
            new CGatewayPort(this, line);
    }
    SetOnline(result);
    return result;
}

int CGateway::InitTheCommunication() {
    CNodeTrace trace("CGateway::InitTheCommunication");
    {
        CPing ping;
        if (ping.Ping(m_hostAddress) != CPing::Success) return 0;
    }
    int result = 0;
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;)
        if (((CGatewayPort*)m_ports.GetNext(pos))->InitTheCommunication()) result = 1;
    return result;
}

CVaskInstrument* CGateway::EnumerateTheVaskInstruments() {
    CNodeTrace trace("CGateway::EnumerateTheVaskInstruments");
    CVaskInstrument* first = NULL;
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;) {
        CVaskInstrument* analyzer =
            ((CGatewayPort*)m_ports.GetNext(pos))->EnumerateTheVaskInstruments();
        if (first == NULL) first = analyzer;
    }
    return first;
}

CObList* CGateway::CollectInstrumentLists() {
    m_instrumentLists.RemoveAll();
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;) {
        CObList* list = ((CGatewayPort*)m_ports.GetNext(pos))->GetInstrumentList();
        if (!list->IsEmpty()) m_instrumentLists.AddTail(list);  // its elements
    }
    return &m_instrumentLists;
}

void CGateway::RemoveTheVaskInstruments() {
    for (POSITION pos = m_ports.GetHeadPosition(); pos != NULL;)
        ((CGatewayPort*)m_ports.GetNext(pos))->RemoveTheVaskInstruments();
}

// ---- CGatewayPort -------------------------------------------------------------------------

CGatewayPort::CGatewayPort(CGateway* gateway, const CString& name)
    : CInstrument(name),
      m_networks(10),
      m_access(AfxGetMainWnd(), GetAddressConflictMessage()),
      m_instruments(10),
      m_online(0),
      m_gateway(gateway) {
    CNodeTrace trace("CGatewayPort::CGatewayPort");
    m_imageIndex = 1;
    SetParent(gateway);
    // One of the gateway's lines from the start: a gateway that goes first must find every
    // line that still points to it.
    if (gateway != NULL) gateway->m_ports.AddTail(this);
}

CGatewayPort::~CGatewayPort() {
    CNodeTrace trace("CGatewayPort::~CGatewayPort");
    RemoveTheVaskInstruments();
    // A gateway that outlives the line forgets it.
    if (m_gateway != NULL) {
        // Every entry: a caller may have appended the line to the list once more.
        for (POSITION at = m_gateway->m_ports.Find(this); at != NULL;
             at = m_gateway->m_ports.Find(this))
            m_gateway->m_ports.RemoveAt(at);
        m_gateway->RemoveChild(this);
    }
}

void CGatewayPort::SetOnline(int on) {
    CNodeTrace trace("CGatewayPort::SetOnline");
    if (m_online && !on) m_access.Done();
    m_online = on;
}

void CGatewayPort::AddNetwork(const CString& network) {
    CNodeTrace trace("CGatewayPort::AddNetwork");
    m_networks.AddTail(network);
}

int CGatewayPort::IsInNetwork(const CString& network) {
    CNodeTrace trace("CGatewayPort::IsInNetwork");
    for (POSITION pos = m_networks.GetHeadPosition(); pos != NULL;)
        if (m_networks.GetNext(pos) == network) return 1;
    return 0;
}

int CGatewayPort::InitTheCommunication() {
    CNodeTrace trace("CGatewayPort::InitTheCommunication");
    if (!GetInstrumentHost().GetOperationMode()) return 0;
    m_access.Done();
    const CString host = m_gateway != NULL ? m_gateway->GetHostAddress() : CString();
    const int result = m_access.Init(kGatewayNetwork, host, NoSerialParam());
    if (!result) {
        trace.WriteFormat("VaskAccess initialization failed");
        return 0;
    }
    trace.WriteFormat("VaskAccess initialization succeeded");
    m_access.SetSelectedLine(m_name);
    m_access.SetMyAddress(kPcAddress);
    // A failed scan is only traced: the line counts as started.
    if (!m_access.ScanForDevices(AfxGetMainWnd(), GetBusScanProgressMessage(), this, 0)) {
        const ErrorStruct_ error = m_access.GetLastError();
        trace.WriteFormat("Fehler beim Scannen des Netzwerkes %s: %s", (LPCSTR)m_name,
                          (LPCSTR)error.text);
    }
    return result;
}

CVaskInstrument* CGatewayPort::EnumerateTheVaskInstruments() {
    CNodeTrace trace("CGatewayPort::EnumerateTheVaskInstruments");
    RemoveTheVaskInstruments();
    return CreateAnalyzers(m_access, m_instruments, m_gateway);
}

void CGatewayPort::RemoveTheVaskInstruments() {
    // The analyzers hang below the gateway: they leave its children with the list.
    if (m_gateway != NULL) {
        for (POSITION pos = m_instruments.GetHeadPosition(); pos != NULL;)
            m_gateway->RemoveChild((CInstrument*)m_instruments.GetNext(pos));
    }
    m_instruments.RemoveAll();
    RemoveAllChildren();
}

CString CGatewayPort::GetDisplayName() const {
    if (m_parent == NULL) return GetName();
    CString text;
    text.Format("%s:%s", (LPCSTR)m_parent->GetName(), (LPCSTR)m_name);
    return text;
}
