// The analyzer's document record: the header with the model data, then one record per
// offline entry (key, number, marker, value). Files of older layouts are read too: before
// version 3 without the heating flag, before version 4 keyed by key text alone.
#include "vaskinstrument.h"

#include "instrumenthost.h"
#include "resource.h"

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
    for (CString& componentName : m_componentNames) ar >> componentName;
    DWORD count;
    ar >> count;

    m_typeCode = (int)typeCode;
    m_componentCount = (int)componentCount;
    SetName(name);
    Initialize();

    for (DWORD i = 0; i < count; ++i) {
        CString key;
        ar >> key;
        CVaskParameter* entry;
        if (version < kFirstVersionByNumber) {
            entry = FindParameterByName(key);
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
