// The network list file "Comm.ini" in the program folder: the networks the user defined
// (section "Networklist"), the known TCP/IP gateways (section "Gateways") and one section per
// network with its converters (keys Converter_1, Converter_2, ... in position order) and its
// gateways (key = value = the gateway's name). The current network's name is the profile
// value "Network" of "Program options". Every routine builds the file's path anew from the
// program folder; everything goes through the private profile functions, so names compare
// as they compare them (without regard to case).
#pragma once

#include "vaskfc.h"

// A name may become a key or a section of the file when it is not empty, does not begin
// with ";" and holds no "=", "[", "]" or control character; any other would corrupt the
// file for every later read.
BOOL IsValidIniName(LPCSTR lpszName);

// The current network: empty when none was made current.
CString GetNetworkName();
void SetNetworkName(LPCSTR lpszName);

// The networks, or the gateways, of the file appended to `names` in file order, each once,
// never an empty name. A missing or empty file leaves the list as it is.
void ReadNetworkNames(CStringList& names);
void ReadGatewayNames(CStringList& names);

// Makes the network current, lists it and rewrites its section: each non-empty converter
// entry under Converter_<its position in the list, counting empty entries>, then each
// non-empty gateway name (also added to "Gateways"). Writes nothing and returns FALSE when
// the network name or a gateway name is refused by IsValidIniName or a converter entry holds
// a control character.
BOOL WriteNetworkToIni(LPCSTR lpszNetwork, const CStringList& gateways,
                       const CStringList* pConverters);
// Removes the network from the list and deletes its section (the converters' profile
// sections stay).
void DeleteNetwork(LPCSTR lpszNetwork);
// Lists a gateway in "Gateways"; FALSE, and nothing written, for a name that IsValidIniName
// refuses.
BOOL AddGateway(LPCSTR lpszGateway);
// Removes the gateway from "Gateways" and from the section of every listed network.
void DeleteGateway(LPCSTR lpszGateway);

// One gateway entry of a network: its key and its value.
class CIniStringList : public CObject {
    DECLARE_DYNAMIC(CIniStringList)
public:
    explicit CIniStringList(LPCSTR lpszName = NULL, LPCSTR lpszValue = NULL)
        : m_strName(lpszName), m_strValue(lpszValue) {}

    const CString& GetName() const { return m_strName; }
    const CString& GetValue() const { return m_strValue; }
    void SetValue(LPCSTR lpszValue) { m_strValue = lpszValue; }

private:
    CString m_strName;
    CString m_strValue;
};

// One network as the file holds it: its gateway entries (CIniStringList) and its converters
// (CConverter), both owned. The document links the converters into its tree without taking
// them over.
class CIniObjectList : public CObject {
    DECLARE_DYNAMIC(CIniObjectList)
public:
    CIniObjectList() {}
    ~CIniObjectList() override;
    CIniObjectList(const CIniObjectList&) = delete;
    CIniObjectList& operator=(const CIniObjectList&) = delete;

    // Deletes what was held and reads the network `lpszNetwork`: the key Converter_k at
    // position k of the section gives the converter "<network>_k" with its profile settings;
    // any other key gives a gateway entry. Empty lists when the file is missing or empty.
    void Load(LPCSTR lpszNetwork);
    const CString& GetName() const { return m_strName; }
    CObList& GetGatewayList() { return m_gateways; }
    CObList& GetConverterList() { return m_converters; }

private:
    void RemoveAll();

    CObList m_gateways;
    CObList m_converters;
    CString m_strName;
};
