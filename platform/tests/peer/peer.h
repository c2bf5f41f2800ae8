// A small extension library used only by the tests: classes, strings and resources that
// live in another module than the test program.
#pragma once

#include "vaskfc.h"

#ifdef VASKFC_PEER_BUILD
#define PEER_API __declspec(dllexport)
#else
#define PEER_API __declspec(dllimport)
#endif

// String ids of the peer's string table.
#define IDS_PEER_GREETING 100
#define IDS_PEER_LONG     101
#define IDS_SHARED_ID     200  // also in the test program, with another text

class PEER_API CPeerRecord : public CObject {
    DECLARE_SERIAL(CPeerRecord)
public:
    CPeerRecord();
    void Serialize(CArchive& ar) override;

    CString m_name;
    DWORD m_value;
};

class PEER_API CPeerDerived : public CPeerRecord {
    DECLARE_SERIAL(CPeerDerived)
public:
    CPeerDerived();
    void Serialize(CArchive& ar) override;

    double m_extra;
};

// A property page of the peer on the peer's template 500 (control 5001); the test program has
// a template 500 of its own, with other controls.
#define IDD_PEER_PAGE 500
#define IDC_PEER_ONLY 5001
class PEER_API CPeerPage : public CPropertyPage {
    DECLARE_DYNAMIC(CPeerPage)
public:
    CPeerPage();
    CString m_text;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

PEER_API CString PeerMakeString(LPCSTR text, int nRepeat);
PEER_API CString* PeerNewString(LPCSTR text);
PEER_API void PeerAppend(CString& string, LPCSTR text);
PEER_API void PeerDelete(CString* string);
// Loads a string of the peer with the current resource handle switched to the peer.
PEER_API CString PeerLoadOwnString(UINT nID);
PEER_API HMODULE PeerModule();
