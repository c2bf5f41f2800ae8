// The choice of the bus network and the forwarding to it.
#include "communication.h"

#include "commvask_seams.h"
#include "tcpnetwork.h"

#include <new>

namespace {

NetworkFactory g_factory = NULL;

// The network of a type text; null with *known 0 for a type that is not supported.
CPCvaskNetwork* CreateNetwork(const CString& type, int* known) {
    *known = 1;
    if (g_factory != NULL) {
        CPCvaskNetwork* network = g_factory(type);
        if (network != NULL) return network;
    }
    if (type.IsEmpty() || type == "VASK") return new (std::nothrow) CvaskNetwork;
    if (type == "TCPGATEWAY") return new (std::nothrow) CtcpNetwork;
    *known = 0;
    return NULL;
}

}  // namespace

void SetNetworkFactory(NetworkFactory factory) { g_factory = factory; }

CCommunication::CCommunication() : m_network(NULL) {}

CCommunication::~CCommunication() { Done(NULL); }

int CCommunication::Init(const CString& type, const CString& line, const SerialParam& param,
                         ErrorStruct_* err) {
    // A second network would leave the first one's line open for good.
    if (m_network != NULL) {
        SetError(err, ErrorAlreadyInitialized, 0);
        return 0;
    }
    int known = 0;
    CPCvaskNetwork* network = CreateNetwork(type, &known);
    if (!known) {
        SetError(err, ErrorInvalidNetworkType, 0);
        return 0;
    }
    if (network == NULL) {
        SetError(err, ErrorOutOfMemory, 0);
        return 0;
    }
    if (network->Init(line, &param, err) == 1) {
        m_network = network;
        return 1;
    }
    delete network;
    return 0;
}

int CCommunication::Done(ErrorStruct_* err) {
    if (m_network == NULL) return 1;
    m_network->Done(err);
    delete m_network;
    m_network = NULL;
    return 1;
}

void CCommunication::ThreadInit() {
    if (m_network) m_network->ThreadInit();
}

void CCommunication::ThreadDone() {
    if (m_network) m_network->ThreadDone();
}

BOOL CCommunication::NeedTimer() { return m_network ? m_network->NeedTimer() : FALSE; }

DWORD CCommunication::GetTimeout() { return m_network ? m_network->GetTimeout() : 0; }

int CCommunication::GetMaxRetry() { return m_network ? m_network->GetMaxRetry() : 0; }

HANDLE CCommunication::GetSendEvent() { return m_network ? m_network->GetSendEvent() : NULL; }

HANDLE CCommunication::GetRecvEvent() { return m_network ? m_network->GetRecvEvent() : NULL; }

int CCommunication::GetSendResult() {
    return m_network ? m_network->GetSendResult() : ErrorNotYetInitialized;
}

void CCommunication::ResetStatistics() {
    if (m_network) m_network->ResetStatistics();
}

void CCommunication::GetStatistics(NetStat* stat) {
    if (m_network) m_network->GetStatistics(stat);
}

int CCommunication::SetSelectedLine(const CString& line, ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->SetSelectedLine(line, err);
}

int CCommunication::SetMyAddress(int address, ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->SetMyAddress(address, err);
}

int CCommunication::ConfigureLine(HWND parent, ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->ConfigureLine(parent, err);
}

CString CCommunication::GetSelectedLine() {
    return m_network ? m_network->GetSelectedLine() : CString();
}

CString CCommunication::GetLineName(ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return CString();
    }
    return m_network->GetLineName(err);
}

int CCommunication::Send(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->Send(address, message, err);
}

int CCommunication::SendDL(const CString& address, CPCvaskMessage* message, ErrorStruct_* err) {
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->SendDL(address, message, err);
}

int CCommunication::Receive(CString& address, CPCvaskMessage*& message, ErrorStruct_* err) {
    message = NULL;
    if (m_network == NULL) {
        SetError(err, ErrorNetworkNotInitialized, 0);
        return 0;
    }
    return m_network->Receive(address, message, err);
}
