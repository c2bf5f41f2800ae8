// The analyzer's document record: the header with the model data, then one record per
// offline entry (key, number, marker, value). Files of older layouts are read too: before
// version 3 without the heating flag, before version 4 keyed by key text alone. A load takes
// time in proportion to the file's records, whatever their number and keys.
#include "vaskinstrument.h"

#include "instrumenthost.h"
#include "resource.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

namespace {

// The marker that every entry record carries before its value; read and ignored.
const DWORD kRecordMarker = 2;
// Record versions: 0 holds nothing but the version; from 3 on the header carries the heating
// flag; from 4 on the entries are found by number (their key is still stored, and ignored).
const DWORD kFirstVersionWithValues = 1;
const DWORD kFirstVersionWithHeating = 3;
const DWORD kFirstVersionByNumber = 4;
// The stored object schema from which the record can be read.
const int kFirstReadableSchema = 2;
// The model whose header carries its variant, and the variants it may hold.
const DWORD kQuenta6 = 5;
const DWORD kQuentaVariant1 = 1;
const DWORD kQuentaVariant2 = 2;
// The Sindor 23, whose older files hold records of three entries that no longer exist.
const int kSindor23 = 4;

// Entries of an earlier table: their records are dropped wherever they come.
bool IsObsoleteNumber(int number, int typeCode) {
    return number == 5 || (typeCode == kSindor23 && number >= 603 && number <= 605);
}

// The device's own identity, channel name, frequency and board versions: a file gives them
// to an analyzer only for a comparison, never in place of the device's.
bool IsDeviceSpecific(int number) {
    return (number >= 1 && number <= 4) || number == 274 || number == 372 ||
           (number >= 576 && number <= 581);
}

void ReadValue(CArchive& ar, VaskFloat& value) {
    DWORD unit, quantity;
    ar >> value.text >> value.value >> unit >> quantity;
    value.unit = (int)unit;
    value.quantity = (int)quantity;
}

// The fewest bytes an entry record takes: an empty key, the number from version 4 on, the
// marker, an empty value text, the value, the unit and the quantity. Whatever entry takes the
// record, or none, the reader reads at least these.
ULONGLONG LeastRecordBytes(DWORD version) {
    const ULONGLONG key = 1, number = 4, marker = 4, text = 1, value = 8, unit = 4, quantity = 4;
    return key + (version >= kFirstVersionByNumber ? number : 0) + marker + text + value + unit +
           quantity;
}

// The bytes of the file that the reader has not taken yet. Flushing a loading archive hands
// what it has read ahead back to the file, so that the file stands where the reader does.
ULONGLONG BytesLeft(CArchive& ar) {
    ar.Flush();
    const CFile* file = ar.GetFile();
    const ULONGLONG length = file->GetLength(), position = file->GetPosition();
    return length > position ? length - position : 0;
}

// The entries of an analyzer by key, for the records of a file keyed by text: each key is
// built once for the load, and a record finds its entry in constant time, whatever the
// file's length. The same entry as FindParameterByName: the first in group-list order of
// those that share a key, and the key's bytes compared exactly (case counts).
class KeyIndex {
public:
    explicit KeyIndex(const CObList& groups) {
        for (POSITION g = groups.GetHeadPosition(); g != NULL;) {
            const CObList& entries = ((CParameterGroup*)groups.GetNext(g))->GetParameterList();
            for (POSITION e = entries.GetHeadPosition(); e != NULL;) {
                CVaskParameter* entry = (CVaskParameter*)entries.GetNext(e);
                const CString key = entry->GetKey();
                // A deque does not move its strings, which the map's views point into.
                m_keys.emplace_back((LPCSTR)key, (size_t)key.GetLength());
                m_entries.emplace(m_keys.back(), entry);  // a later entry never replaces
            }
        }
    }
    CVaskParameter* Find(const CString& key) const {
        const auto found = m_entries.find(std::string_view((LPCSTR)key, (size_t)key.GetLength()));
        return found != m_entries.end() ? found->second : NULL;
    }

private:
    std::deque<std::string> m_keys;
    std::unordered_map<std::string_view, CVaskParameter*> m_entries;
};

}  // namespace

// ---- the entries and groups -------------------------------------------------------------

void CVaskParameter::DropRecordValue(CArchive& ar) {
    DWORD marker;
    VaskFloat dropped;
    ar >> marker;
    ReadValue(ar, dropped);
}

void CVaskParameter::SerializeValue(CArchive& ar, int typeCode) {
    if (ar.IsStoring()) {
        if (!IsOfflineParameter()) return;
        ar << GetKey() << (DWORD)m_number << kRecordMarker;
        // The value brought up to date (online, from the device) is the cached one.
        VaskFloat current;
        GetValue(current);
        ar << m_value.text << m_value.value << (DWORD)m_value.unit << (DWORD)m_value.quantity;
        return;
    }
    // Read once and dropped: a record that no entry of this analyzer takes must not leave
    // its value for the next record to misread.
    if (IsObsoleteNumber(m_number, typeCode) || !IsOfflineParameter()) {
        DropRecordValue(ar);
        return;
    }
    DWORD marker;
    VaskFloat stored;
    ar >> marker;
    ReadValue(ar, stored);
    if (GetInstrumentHost().IsCompareMode() || !IsDeviceSpecific(m_number)) m_value = stored;
    m_loaded = 1;
    m_valid = 1;
}

void CParameterGroup::Serialize(CArchive& ar) {
    if (!ar.IsStoring()) return;
    for (POSITION pos = m_parameters.GetHeadPosition(); pos != NULL;)
        ((CVaskParameter*)m_parameters.GetNext(pos))->SerializeValue(ar, 0);
}

// ---- the analyzer -----------------------------------------------------------------------

void CVaskInstrument::Serialize(CArchive& ar) {
    CInstrument::Serialize(ar);
    if (ar.IsStoring())
        StoreRecord(ar);
    else
        LoadRecord(ar);
}

void CVaskInstrument::StoreRecord(CArchive& ar) {
    ar << (DWORD)CurrentRecordVersion << (DWORD)m_typeCode << (DWORD)GetComponentCount();
    ar << CInstrument::GetName();
    ar << (DWORD)HasExtensionCard() << (DWORD)HasHeating();
    // The reader takes the variant by the type code; written by the same test, a file of
    // any class reads back.
    if ((DWORD)m_typeCode == kQuenta6) {
        QuentaType variant = QuentaType(kQuentaVariant1);
        GetInstrumentType(variant);
        ar << ((DWORD)variant == kQuentaVariant2 ? kQuentaVariant2 : kQuentaVariant1);
    }
    for (const CString& name : m_componentNames) ar << name;
    ar << (DWORD)CountOfflineParameters();
    for (POSITION pos = m_groupList.GetHeadPosition(); pos != NULL;)
        ((CParameterGroup*)m_groupList.GetNext(pos))->Serialize(ar);
}

void CVaskInstrument::LoadRecord(CArchive& ar) {
    m_incompatible = 0;
    // Signed: a schema already taken (-1) was not handed back, and is no readable one.
    if ((int)ar.GetObjectSchema() < kFirstReadableSchema) {
        AfxMessageBox(IDS_FILE_READ_ERROR);
        return;
    }
    DWORD version;
    ar >> version;
    m_recordVersion = (int)version;
    if (version < kFirstVersionWithValues) {
        m_incompatible = 1;
        return;
    }

    DWORD typeCode, componentCount, extensionCard;
    CString name;
    ar >> typeCode >> componentCount >> name >> extensionCard;
    m_extensionCardFlag = (int)extensionCard;
    if (version >= kFirstVersionWithHeating) {
        DWORD heating;
        ar >> heating;
        m_heatingFlag = (int)heating;
    }
    if (typeCode == kQuenta6) {
        DWORD variant;
        ar >> variant;
        if (variant != kQuentaVariant1 && variant != kQuentaVariant2) {
            AfxMessageBox(IDS_OLD_QUENTA_FILE);
            return;
        }
        m_quentaVariant = (int)variant;
    }
    const size_t kNames = std::extent_v<decltype(m_componentNames)>;
    CString componentNames[kNames];
    for (CString& componentName : componentNames) ar >> componentName;
    DWORD count;
    ar >> count;
    // A count that the rest of the file cannot hold ends in the end of the file anyway:
    // refused before any entry is read, the analyzer's name, model and values untouched.
    if (count * LeastRecordBytes(version) > BytesLeft(ar))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);

    for (size_t i = 0; i < kNames; ++i) m_componentNames[i] = componentNames[i];
    m_typeCode = (int)typeCode;
    m_componentCount = (int)componentCount;
    SetName(name);
    Initialize();

    const bool byKey = version < kFirstVersionByNumber;
    std::optional<KeyIndex> keys;
    if (byKey) keys.emplace(m_groupList);
    for (DWORD i = 0; i < count; ++i) {
        CString key;
        ar >> key;
        CVaskParameter* entry;
        if (byKey) {
            entry = keys->Find(key);
        } else {
            DWORD number;
            ar >> number;
            entry = FindParameterByNumber((int)number);
        }
        if (entry != NULL)
            entry->SerializeValue(ar, (int)typeCode);
        else
            CVaskParameter::DropRecordValue(ar);
    }
}
