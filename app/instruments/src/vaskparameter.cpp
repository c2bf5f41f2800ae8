// The parameter entry: binding, device read with its retry pause, offline defaults from the
// profile, transfer into the device and the transfer results.
#include "vaskparameter.h"

#include "instrumenthost.h"
#include "profilesections.h"
#include "resource.h"
#include "texts.h"
#include "vaskinstrument.h"

#include <cstdlib>

IMPLEMENT_SERIAL(CVaskParameter, CObject, 2)

namespace {

// A device that does not answer is asked on three calls in a row; then the entry rests until
// the count passes this mark and starts again.
const int kReadsBeforeRest = 3;
const int kRestEnd = 50;

// What an offline entry takes when the profile has nothing for it: text, unit, quantity.
const char kNoDefault[] = "0;1;1";

// Seconds of a date value that a CTime can show; beyond them (or for NaN) the date shows
// as the start of 1970, which CTime gives every time it cannot convert.
time_t DateSeconds(double value) {
    const double limit = 1e12;
    if (!(value > -limit && value < limit)) return 0;
    return (time_t)value;
}

}  // namespace

CVaskParameter::CVaskParameter()
    : m_loaded(0),
      m_transferResult(0),
      m_channel(0),
      m_index(0),
      m_retries(0),
      m_attributes(0),
      m_fetch(nullptr),
      m_transfer(nullptr),
      m_valid(0),
      m_group(NULL),
      m_access(NULL),
      m_editSheet(0),
      m_editPage(0),
      m_twoState(0),
      m_date(0),
      m_number(0),
      m_valueChanged(0) {
    m_name = LoadText(IDS_UNKNOWN);
}

CVaskParameter::~CVaskParameter() { m_linked.RemoveAll(); }

void CVaskParameter::Set(CString name, int channel, int index, int attributes, Adapter fetch,
                         Adapter transfer, CvaskAccess* access, const CString& keyText,
                         const CString& busText) {
    m_name = name.IsEmpty() ? LoadText(IDS_UNKNOWN) : name;
    m_channel = channel;
    m_index = index;
    m_attributes = attributes;
    m_fetch = fetch;
    m_transfer = transfer;
    m_access = access;
    m_keyText = keyText;
    m_busText = busText;
}

void CVaskParameter::Init(UINT nameId, int channel, int index, int attributes, Adapter fetch,
                          Adapter transfer, CvaskAccess* access, UINT keyTextId,
                          const CString& busText) {
    Set(LoadText(nameId), channel, index, attributes, fetch, transfer, access, LoadText(keyTextId),
        busText);
}

void CVaskParameter::SetEditPage(int sheet, int page) {
    m_editSheet = sheet;
    m_editPage = page;
}

void CVaskParameter::Edit(CVaskInstrument* analyzer) {
    if (m_editSheet < 1 || m_editSheet > 5) return;
    GetInstrumentHost().RunInstrumentSheet(m_editSheet, m_editPage, analyzer);
}

CVaskInstrument* CVaskParameter::GetInstrument() const {
    return m_group != NULL ? m_group->GetInstrument() : NULL;
}

void CVaskParameter::Refresh(CVaskInstrument* analyzer, VaskFloat& out) {
    if (GetInstrumentHost().GetOperationMode() != 0 && m_fetch != nullptr && m_access != NULL) {
        // Read once in a refresh round: the round's later reads take the cached value.
        const unsigned long round = CRefreshRound::Current();
        if ((!m_valid || IsChangeable()) && (round == 0 || m_readRound != round)) {
            m_readRound = round;
            ++m_retries;
            if (m_retries <= kReadsBeforeRest) {
                const int read = analyzer->AskDevice([&] {
                    return (m_access->*m_fetch)(analyzer->GetAddress(), m_channel, m_index + 1,
                                                out);
                });
                if (read) {
                    if (out.text != m_value.text || out.unit != m_value.unit ||
                        out.quantity != m_value.quantity)
                        m_valueChanged = 1;
                    m_value = out;
                    m_valid = 1;
                    m_retries = 0;
                }
            } else if (m_retries > kRestEnd) {
                m_retries = 0;
            }
        }
        if (!m_valid) SetNoValue(m_value);
    } else if (!m_valid) {
        LoadDefault(m_value);
        m_valid = 1;
        m_retries = 0;
    }
}

int CVaskParameter::GetValue(VaskFloat& out) {
    CVaskInstrument* analyzer = GetInstrument();
    if (analyzer == NULL) return 0;
    Refresh(analyzer, out);
    out = m_value;
    if (m_twoState) out.text = out.value == 0.0 ? m_zeroText : m_nonZeroText;
    if (m_date) {
        const CString title = m_group->GetTitle();
        const BOOL sensorDate = !title.IsEmpty() && (title == LoadText(IDS_O2_SENSOR_TITLE) ||
                                                     title == LoadText(IDS_H2S_SENSOR_TITLE));
        if (sensorDate && out.value == 0.0)
            out.text.Empty();
        else
            out.text = CTime(DateSeconds(out.value)).Format(m_dateFormat);
    }
    return m_valid;
}

void CVaskParameter::SetValue(const VaskFloat& value) {
    m_value.value = value.value;
    m_value.unit = value.unit;
    m_value.quantity = value.quantity;
    m_value.text.Format(LoadText(IDS_VALUE_FORMAT), value.value);
    m_valid = 1;
}

BOOL CVaskParameter::CanTransferFrom(const CVaskParameter* source) const {
    return source != NULL && GetInstrument() != NULL &&
           GetInstrumentHost().GetOperationMode() != 0 && m_transfer != nullptr &&
           m_access != NULL && source->m_loaded;
}

int CVaskParameter::TransferFrom(CVaskParameter* source) {
    CVaskInstrument* analyzer = GetInstrument();
    if (source == NULL || analyzer == NULL) return 0;
    if (CanTransferFrom(source)) {
        VaskFloat value;
        source->GetValue(value);
        if ((m_access->*m_transfer)(analyzer->GetAddress(), m_channel, m_index + 1, value)) {
            m_value = value;
            m_valid = 1;
            source->SetTransferResult(1, LoadText(IDS_SUCCESSFUL));
            return 1;
        }
        CString command;
        analyzer->GetLastErrorText(command);
        source->SetTransferResult(-1, command);
        return 0;
    }
    source->SetTransferResult(0, LoadText(IDS_NOT_TRANSFERRED));
    return 0;
}

const void* CVaskParameter::GetTransferSetting(const CVaskParameter* source) const {
    if (!CanTransferFrom(source)) return nullptr;
    return CvaskAccess::GetTransferSetting(m_transfer, m_index + 1);
}

void CVaskParameter::TransferTogether(const TransferPairs& pairs) {
    std::vector<CvaskAccess::TransferItem> items;
    TransferPairs sent;
    for (const auto& pair : pairs) {
        CVaskParameter* entry = pair.first;
        CVaskParameter* source = pair.second;
        if (source == NULL) continue;
        if (!entry->CanTransferFrom(source)) {
            entry->TransferFrom(source);
            continue;
        }
        CvaskAccess::TransferItem item;
        item.transfer = entry->m_transfer;
        item.index = entry->m_index + 1;
        source->GetValue(item.value);
        item.result = 0;
        items.push_back(item);
        sent.push_back(pair);
    }
    if (items.empty()) return;
    CVaskParameter* first = sent.front().first;
    first->m_access->TransferTogether(first->GetInstrument()->GetAddress(), first->m_channel,
                                      items.data(), (int)items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        CVaskParameter* entry = sent[i].first;
        CVaskParameter* source = sent[i].second;
        if (items[i].result) {
            entry->m_value = items[i].value;
            entry->m_valid = 1;
            source->SetTransferResult(1, LoadText(IDS_SUCCESSFUL));
        } else {
            source->SetTransferResult(-1, CVaskInstrument::CommandText(items[i].error));
        }
    }
}

void CVaskParameter::LoadDefault(VaskFloat& out) {
    CVaskInstrument* analyzer = GetInstrument();
    if (analyzer == NULL) return;
    CString profile = kNoDefault;
    const CString key = GetKey();
    if (!key.IsEmpty()) {
        // The key's group title names the section below the model's; what follows the last
        // backslash is the entry.
        const CString path = analyzer->GetModelName() + "\\" + key;
        const int at = path.ReverseFind('\\');
        profile = CProfileSections::Read(path.Left(at), path.Mid(at + 1), kNoDefault);
        if (profile.IsEmpty()) profile = kNoDefault;
    }
    const int first = profile.Find(';');
    const CString text = first < 0 ? profile : profile.Left(first);
    out.text = text;
    if (m_date) {
        COleDateTime date;
        CTime midnight;
        if (date.ParseDateTime(text, VAR_DATEVALUEONLY, LANG_USER_DEFAULT) &&
            date.GetAsLocalMidnight(midnight))
            out.value = (double)midnight.GetTime();
    } else {
        out.value = atof(text);
    }
    const CString rest = first < 0 ? CString() : profile.Mid(first + 1);
    const int second = rest.Find(';');
    out.unit = first < 0 ? 0 : atoi(rest);
    out.quantity = second < 0 ? 0 : atoi(rest.Mid(second + 1));
}

CString CVaskParameter::GetKey() const {
    if (m_keyText.IsEmpty()) return CString();
    const CString title = m_group != NULL ? m_group->GetTitle() : CString();
    if (title.IsEmpty()) return m_keyText;
    return title + "\\" + m_keyText;
}

void CVaskParameter::SetChoiceTexts(int on, UINT zeroTextId, UINT nonZeroTextId) {
    m_zeroText.Empty();
    m_nonZeroText.Empty();
    m_twoState = on;
    if (zeroTextId != 0 && !m_zeroText.LoadString(zeroTextId)) m_twoState = 0;
    if (nonZeroTextId != 0 && !m_nonZeroText.LoadString(nonZeroTextId)) m_twoState = 0;
}

void CVaskParameter::SetDateDisplay(int on, UINT formatId) {
    m_date = on;
    if (!m_dateFormat.LoadString(formatId)) m_date = 0;
}

void CVaskParameter::AddLinkedParameter(CVaskParameter* linked) {
    if (linked != NULL) m_linked.AddTail(linked);
}

void CVaskParameter::SetTransferResult(int result, const CString& text) {
    m_transferResult = result;
    m_transferText = text;
}

void CVaskParameter::GetTransferResult(int& result, CString& text) const {
    result = m_transferResult;
    text = m_transferText;
    for (POSITION pos = m_linked.GetHeadPosition(); pos != NULL;) {
        const CVaskParameter* linked = (const CVaskParameter*)m_linked.GetNext(pos);
        if (!linked->IsOfflineTransfer()) continue;
        int r;
        CString t;
        linked->GetTransferResult(r, t);
        if (result > 0 || text.IsEmpty())
            text = t;
        else if (r <= 0)
            text += ", " + t;
        // A device error is not hidden by a later "not transferred".
        if (r <= 0 && r < result) result = r;
    }
}
