// The network list file.
#include "netlist.h"

#include "apputil.h"
#include "converter.h"
#include "resource.h"

#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(CIniStringList, CObject)
IMPLEMENT_DYNAMIC(CIniObjectList, CObject)

namespace {

CString LoadText(UINT nID) {
    CString text;
    text.LoadString(nID);
    return text;
}

CString GetFilePath() { return GetProgramFolder() + "\\" + LoadText(IDS_NETWORK_FILE); }

bool HasControlCharacter(LPCSTR text) {
    for (const unsigned char* p = (const unsigned char*)text; *p != 0; ++p)
        if (*p < 0x20 || *p == 0x7F) return true;
    return false;
}

// One entry of a section: the text before its first "=" and the rest.
struct Entry {
    CString key;
    CString value;
};

// The entries with a non-empty key of a section, in file order. Empty when the file is
// missing or empty.
std::vector<Entry> ReadSection(LPCSTR lpszSection) {
    std::vector<Entry> entries;
    const CString path = GetFilePath();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return entries;
    if (data.nFileSizeHigh == 0 && data.nFileSizeLow == 0) return entries;
    try {
        // The section is never longer than the file, but the file may grow meanwhile: a
        // full buffer is read again in a larger one.
        DWORD size = data.nFileSizeHigh != 0 ? 0x7FFFFFF0 : data.nFileSizeLow + 2;
        std::vector<char> buffer;
        DWORD length = 0;
        for (;;) {
            buffer.assign(size, '\0');
            length = GetPrivateProfileSectionA(lpszSection, buffer.data(), size, path);
            if (length + 2 < size || size >= 0x40000000) break;
            size *= 2;
        }
        for (DWORD pos = 0; pos < length;) {
            const char* entry = buffer.data() + pos;
            const CString text(entry);
            pos += (DWORD)text.GetLength() + 1;
            const int equals = text.Find('=');
            if (equals <= 0) continue;
            entries.push_back({text.Left(equals), text.Mid(equals + 1)});
        }
    } catch (const std::bad_alloc&) {
        // A file too large to read holds no networks for us.
        entries.clear();
    }
    return entries;
}

void ReadKeys(UINT nSection, CStringList& names) {
    for (const Entry& entry : ReadSection(LoadText(nSection))) {
        bool known = false;
        for (POSITION pos = names.GetHeadPosition(); pos != NULL && !known;)
            known = names.GetNext(pos).CompareNoCase(entry.key) == 0;
        if (!known) names.AddTail(entry.key);
    }
}

void WriteEntry(LPCSTR lpszSection, LPCSTR lpszKey, LPCSTR lpszValue) {
    WritePrivateProfileStringA(lpszSection, lpszKey, lpszValue, GetFilePath());
}

}  // namespace

BOOL IsValidIniName(LPCSTR lpszName) {
    if (lpszName == NULL || *lpszName == '\0' || *lpszName == ';') return FALSE;
    if (HasControlCharacter(lpszName)) return FALSE;
    return strpbrk(lpszName, "=[]") == NULL;
}

CString GetNetworkName() {
    return AfxGetApp()->GetProfileString(LoadText(IDS_PROGRAM_OPTIONS),
                                         LoadText(IDS_NETWORK_ENTRY));
}

void SetNetworkName(LPCSTR lpszName) {
    AfxGetApp()->WriteProfileString(LoadText(IDS_PROGRAM_OPTIONS), LoadText(IDS_NETWORK_ENTRY),
                                    lpszName != NULL ? lpszName : "");
}

void ReadNetworkNames(CStringList& names) { ReadKeys(IDS_NETWORKLIST, names); }

void ReadGatewayNames(CStringList& names) { ReadKeys(IDS_GATEWAYS, names); }

BOOL WriteNetworkToIni(LPCSTR lpszNetwork, const CStringList& gateways,
                       const CStringList* pConverters) {
    if (!IsValidIniName(lpszNetwork)) return FALSE;
    for (POSITION pos = gateways.GetHeadPosition(); pos != NULL;) {
        const CString& gateway = gateways.GetNext(pos);
        if (!gateway.IsEmpty() && !IsValidIniName(gateway)) return FALSE;
    }
    if (pConverters != NULL) {
        for (POSITION pos = pConverters->GetHeadPosition(); pos != NULL;)
            if (HasControlCharacter(pConverters->GetNext(pos))) return FALSE;
    }

    SetNetworkName(lpszNetwork);
    WriteEntry(LoadText(IDS_NETWORKLIST), lpszNetwork, lpszNetwork);
    WriteEntry(lpszNetwork, NULL, NULL);
    if (pConverters != NULL) {
        const CString prefix = LoadText(IDS_CONVERTER_PREFIX);
        int number = 0;
        for (POSITION pos = pConverters->GetHeadPosition(); pos != NULL;) {
            const CString& converter = pConverters->GetNext(pos);
            ++number;
            if (converter.IsEmpty()) continue;
            CString key;
            key.Format("%s_%d", (LPCSTR)prefix, number);
            WriteEntry(lpszNetwork, key, converter);
        }
    }
    for (POSITION pos = gateways.GetHeadPosition(); pos != NULL;) {
        const CString& gateway = gateways.GetNext(pos);
        if (gateway.IsEmpty()) continue;
        AddGateway(gateway);
        WriteEntry(lpszNetwork, gateway, gateway);
    }
    return TRUE;
}

void DeleteNetwork(LPCSTR lpszNetwork) {
    // An empty name would reach the whole list: a null key deletes a section.
    if (lpszNetwork == NULL || *lpszNetwork == '\0') return;
    WriteEntry(LoadText(IDS_NETWORKLIST), lpszNetwork, NULL);
    WriteEntry(lpszNetwork, NULL, NULL);
}

BOOL AddGateway(LPCSTR lpszGateway) {
    if (!IsValidIniName(lpszGateway)) return FALSE;
    WriteEntry(LoadText(IDS_GATEWAYS), lpszGateway, lpszGateway);
    return TRUE;
}

void DeleteGateway(LPCSTR lpszGateway) {
    if (lpszGateway == NULL || *lpszGateway == '\0') return;
    WriteEntry(LoadText(IDS_GATEWAYS), lpszGateway, NULL);
    CStringList networks;
    ReadNetworkNames(networks);
    for (POSITION pos = networks.GetHeadPosition(); pos != NULL;)
        WriteEntry(networks.GetNext(pos), lpszGateway, NULL);
}

CIniObjectList::~CIniObjectList() { RemoveAll(); }

void CIniObjectList::RemoveAll() {
    while (!m_gateways.IsEmpty()) delete m_gateways.RemoveHead();
    while (!m_converters.IsEmpty()) delete m_converters.RemoveHead();
}

void CIniObjectList::Load(LPCSTR lpszNetwork) {
    RemoveAll();
    m_strName = lpszNetwork;
    if (m_strName.IsEmpty()) return;
    const CString prefix = LoadText(IDS_CONVERTER_PREFIX);
    int position = 1;
    for (const Entry& entry : ReadSection(m_strName)) {
        CString converterKey;
        converterKey.Format("%s_%d", (LPCSTR)prefix, position);
        if (entry.key.CompareNoCase(converterKey) == 0) {
            // A converter is known by its network and position; the entry's value is not
            // used.
            CString name;
            name.Format("%s_%d", (LPCSTR)m_strName, position);
            CConverter* pConverter = new CConverter(name, 1);
            pConverter->ReadFromRegistry(name);
            m_converters.AddTail(pConverter);
        } else {
            m_gateways.AddTail(new CIniStringList(entry.key, entry.value));
        }
        ++position;
    }
}
