// The analyzer's device operations: the rows of vaskoperations.def that follow the shared
// pattern are generated here; the others are written out below.
#include "vaskinstrument.h"

#include "resource.h"
#include "texts.h"

namespace {

// The outputs that a failed or offline read clears.
void ClearOutputs() {}
template <class... Rest>
void ClearOutputs(CTime& time, Rest&... rest);
template <class... Rest>
void ClearOutputs(VaskFloat& value, Rest&... rest) {
    SetNoValue(value);
    ClearOutputs(rest...);
}
template <class... Rest>
void ClearOutputs(CTime& time, Rest&... rest) {
    time = CTime(0);
    ClearOutputs(rest...);
}

// The most values a measured-value reply carries (the access object fills as many as the
// device sends).
const int kMeasValues = 30;
// The components whose values the analyzer hands out.
const int kComponents = 4;

}  // namespace

#define VASK_UNPAREN(...) __VA_ARGS__
#define VASK_BODY_Own(name, parameters, member, arguments, messageId, messageArgument, reset)
#define VASK_BODY_Common(name, parameters, member, arguments, messageId, messageArgument, reset) \
    int CVaskInstrument::name parameters {                                                       \
        int result = 0;                                                                          \
        if (IsOnline()) {                                                                        \
            result = m_access->member(m_address, VASK_UNPAREN arguments);                        \
            CString text;                                                                        \
            ReportResult(text, result, messageId, messageArgument);                              \
        }                                                                                        \
        if (result == 0) ClearOutputs reset;                                                     \
        return result;                                                                           \
    }
#define VASK_OPERATION(name, parameters, member, arguments, messageId, messageArgument, reset, \
                       body)                                                                   \
    VASK_BODY_##body(name, parameters, member, arguments, messageId, messageArgument, reset)
#include "vaskoperations.def"
#undef VASK_BODY_Common
#undef VASK_BODY_Own
#undef VASK_UNPAREN

int CVaskInstrument::GetMeas(VaskFloat* values) {
    if (!IsOnline()) return 0;
    // A device may send more values than the caller's four: the access object fills a
    // buffer of the most a reply holds. Components the reply lacks carry the no-value mark.
    VaskFloat read[kMeasValues];
    for (int c = 0; c < kComponents; ++c) SetNoValue(read[c]);
    const int result = m_access->GetMeas(m_address, 0, read, 0);
    if (result)
        for (int c = 0; c < kComponents; ++c) values[c] = read[c];
    CString text;
    ReportResult(text, result, IDS_ERROR, 0);
    return result;
}

int CVaskInstrument::GetInstrumentType(QuentaType& type) {
    if (!IsOnline()) {
        type = QuentaType(m_quentaVariant);
        return 1;
    }
    QuentaType read = QuentaType(1);
    type = m_access->GetInstrumentType(m_address, 0, read) ? read : QuentaType(1);
    return 1;
}
