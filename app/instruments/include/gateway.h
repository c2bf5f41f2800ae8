// CGateway: the tree node of a TCP/IP gateway that connects several "VASK" bus lines to the
// network; CGatewayPort: the node of one of its lines, with the line's own access object of
// the network type "TCPGATEWAY", the bus scan behind it and the analyzers found there. The
// gateway's host is pinged (CPing) before anything is sent to it.
#pragma once

#include "instrument.h"

#include "vaskaccess.h"

class CGatewayPort;
class CVaskInstrument;

class CGateway : public CInstrument {
    DECLARE_DYNCREATE(CGateway)
public:
    // `host`: host name or dotted IPv4 address; `name`: the node's name, the host when it is
    // empty. Online.
    explicit CGateway(const CString& host = CString(), const CString& name = CString());
    // Empties the lists; the lines and analyzers (which the document owns) stay, and lines
    // that outlive the gateway forget it.
    ~CGateway() override;

    // Stores the flag and passes it to every line.
    void SetOnline(int on);
    int IsOnline() const { return m_online; }

    // The lines (CGatewayPort), in the order the gateway reported them.
    CObList* GetPorts();
    CString GetHostAddress() const { return m_hostAddress; }

    // Pings the host and asks the gateway for its lines; one CGatewayPort per line joins
    // the lines. Online as the gateway's answer was; 1 when it answered. An
    // unreachable host leaves the gateway without lines and offline.
    int InitThePorts();
    // After a successful ping, starts every line; 1 when at least one line started.
    int InitTheCommunication();
    // The analyzers behind every line; the first analyzer of the first line that has one.
    CVaskInstrument* EnumerateTheVaskInstruments();

    // The analyzers of all lines, line by line, collected anew.
    CObList* CollectInstrumentLists();
    void RemoveTheVaskInstruments();

private:
    friend class CGatewayPort;

    int m_online;
    CObList m_instrumentLists;  // the analyzers of the lines
    CString m_hostAddress;
    CObList m_ports;
};

class CGatewayPort : public CInstrument {
    DECLARE_DYNCREATE(CGatewayPort)
public:
    // A line of `gateway` (its parent, whose lines it joins) named `name`, e.g. COM2.
    explicit CGatewayPort(CGateway* gateway = NULL, const CString& name = CString());
    // Leaves the gateway's lines and children.
    ~CGatewayPort() override;

    CvaskAccess* GetAccess() { return &m_access; }
    CGateway* GetGateway() const { return m_gateway; }
    CObList* GetInstrumentList() { return &m_instruments; }
    int IsOnline() const { return m_online; }
    // Switching off while online ends the access object's connection.
    void SetOnline(int on);

    void AddNetwork(const CString& network);
    // 1 when the line belongs to the network of exactly that name.
    int IsInNetwork(const CString& network);

    // Online mode only: opens the line's access object on the gateway, selects the line,
    // takes bus address 14 and scans the bus; 1 when the access object opened.
    int InitTheCommunication();
    // One analyzer per device of the last scan, through the instrument host; each gets the
    // gateway as its parent. The first analyzer, or null.
    CVaskInstrument* EnumerateTheVaskInstruments();
    // Empties the instrument list and drops the line's analyzers from the children.
    void RemoveTheVaskInstruments();

    // "gateway:line" (e.g. 127.0.0.1:COM2) for a line of a gateway, else the line's name.
    CString GetDisplayName() const override;

private:
    friend class CGateway;

    CStringList m_networks;
    CvaskAccess m_access;
    CObList m_instruments;
    int m_online;
    CGateway* m_gateway;
};
