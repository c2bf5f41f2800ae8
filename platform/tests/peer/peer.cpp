#include "peer.h"

namespace {
AFX_EXTENSION_MODULE g_peerModule = {FALSE, NULL, NULL};
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_peerModule, hInstance)) return FALSE;
        new CDynLinkLibrary(g_peerModule);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_peerModule);
    }
    return TRUE;
}

IMPLEMENT_SERIAL(CPeerRecord, CObject, 1)
IMPLEMENT_SERIAL(CPeerDerived, CPeerRecord, VERSIONABLE_SCHEMA | 3)

CPeerRecord::CPeerRecord() : m_value(0) {}

void CPeerRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << m_name << m_value;
    else
        ar >> m_name >> m_value;
}

CPeerDerived::CPeerDerived() : m_extra(0.0) {}

void CPeerDerived::Serialize(CArchive& ar) {
    CPeerRecord::Serialize(ar);
    if (ar.IsStoring())
        ar << m_extra;
    else
        ar >> m_extra;
}

IMPLEMENT_DYNAMIC(CPeerPage, CPropertyPage)

CPeerPage::CPeerPage() : CPropertyPage(IDD_PEER_PAGE) {}

void CPeerPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PEER_ONLY, m_text);
}

CString PeerMakeString(LPCSTR text, int nRepeat) {
    CString s;
    for (int i = 0; i < nRepeat; ++i) s += text;
    return s;
}

CString* PeerNewString(LPCSTR text) { return new CString(text); }

void PeerAppend(CString& string, LPCSTR text) { string += text; }

void PeerDelete(CString* string) { delete string; }

CString PeerLoadOwnString(UINT nID) {
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(g_peerModule.hResource);
    CString s;
    s.LoadString(nID);
    AfxSetResourceHandle(hOld);
    return s;
}

HMODULE PeerModule() { return g_peerModule.hModule; }
