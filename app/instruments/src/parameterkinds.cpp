// The twelve kinds of parameter entry: how each turns the device value into text (choice
// lists, code tables, autocal steps), and the index mappings of the pressure-type and
// interference choice lists of the parameter pages.
#include "vaskparameter.h"

#include "resource.h"
#include "texts.h"
#include "vaskinstrument.h"

IMPLEMENT_SERIAL(CAutocalStepParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CPressureTypeParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CCurrentParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CGasTypeParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CMeasStoreParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CRelaisParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CBinaryParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CUnitParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CWarmUpStatusParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CWarmUpDeviceStateParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CStartStatusParameter, CVaskParameter, 2)
IMPLEMENT_SERIAL(CQuentaTypeParameter, CVaskParameter, 2)

namespace {

// The last model type code (string 15100 + code names the model).
const int kLastTypeCode = 10;

// Item `code` (from 0) of a choice list. The walk takes separator-terminated items only: a
// code past them gives the last one, a negative code "Unknown". Lists whose last item has no
// separator give it for the code just past the terminated ones.
CString ChoiceItem(UINT listId, char separator, BOOL lastUnterminated, int code) {
    CString list = LoadText(listId);
    CString item;
    int taken = 0;
    int at;
    for (;;) {
        at = list.Find(separator);
        if (at < 0 || taken > code) break;
        ++taken;
        item = list.Left(at);
        list = list.Mid(at + 1);
    }
    if (lastUnterminated && at < 0 && taken == code) item = list;
    if (item.IsEmpty()) item = LoadText(IDS_UNKNOWN);
    return item;
}

// The text of `code` in the table at `base`, or `otherwise` when the code is outside
// first..last: a code beyond the table must not reach the strings after it.
CString CodeText(UINT base, int code, int first, int last, const CString& otherwise = CString()) {
    if (code < first || code > last) return otherwise;
    return LoadText(base + code);
}

// Item `code` (from 1) of the model's comma-separated autocal step list; empty for 0 and
// below, the last item past the end.
CString StepItem(int typeCode, int code) {
    CString list;
    if (typeCode >= 0 && typeCode <= kLastTypeCode)
        list = LoadText(IDS_AUTOCAL_STEPS_BASE + typeCode);
    CString item;
    for (int taken = 0; taken < code; ++taken) {
        const int at = list.Find(',');
        if (at < 0) {
            if (!list.IsEmpty()) item = list;
            break;
        }
        item = list.Left(at);
        list = list.Mid(at + 1);
    }
    return item;
}

// After the base read `result`: the choice-list item of the value; without a value the base
// text (the no-value mark) stays.
int WithChoice(int result, VaskFloat& out, UINT listId, char separator, BOOL lastUnterminated) {
    if (result)
        out.text = ChoiceItem(listId, separator, lastUnterminated, TruncateToInt(out.value));
    return result;
}

// After the base read `result`: the text of the value's code in the table at `base` (codes
// 0 to `last`, else `otherwise`); empty without a value.
int WithCode(int result, VaskFloat& out, UINT base, int last,
             const CString& otherwise = CString()) {
    out.text = result ? CodeText(base, TruncateToInt(out.value), 0, last, otherwise) : CString();
    return result;
}

}  // namespace

CAutocalStepParameter::CAutocalStepParameter() : m_stepTime(NULL), m_stepNumber(NULL) {}

void CAutocalStepParameter::SetStepParameters(CVaskParameter* stepNumber,
                                              CVaskParameter* stepTime) {
    m_stepNumber = stepNumber;
    m_stepTime = stepTime;
}

int CAutocalStepParameter::GetValue(VaskFloat& out) {
    int result;
    int code;
    CString timeText;
    if (m_stepNumber != NULL && m_stepTime != NULL) {
        result = m_stepNumber->GetValue(out);
        code = TruncateToInt(out.value);
        // Step 1 ("Free") has no time.
        if (code != 1) {
            VaskFloat time;
            result = m_stepTime->GetValue(time);
            timeText = time.text;
            out.unit = time.unit;
        }
    } else {
        result = CVaskParameter::GetValue(out);
        code = TruncateToInt(out.value);
        timeText = out.text;
    }
    if (!result) return result;
    CVaskInstrument* analyzer = GetInstrument();
    if (analyzer == NULL) return 0;
    if (timeText.Find(':') < 0)
        out.text = StepItem(analyzer->GetModelKind(), code) + ": " + timeText;
    return result;
}

int CPressureTypeParameter::GetValue(VaskFloat& out) {
    return WithChoice(CVaskParameter::GetValue(out), out, IDS_PRESSURE_TYPES, '\n', FALSE);
}

int CCurrentParameter::GetValue(VaskFloat& out) {
    return WithChoice(CVaskParameter::GetValue(out), out, IDS_CURRENT_TYPES, '\n', FALSE);
}

int CGasTypeParameter::GetValue(VaskFloat& out) {
    return WithChoice(CVaskParameter::GetValue(out), out, IDS_GAS_CORRECTION_TYPES, '\n', TRUE);
}

int CMeasStoreParameter::GetValue(VaskFloat& out) {
    return WithChoice(CVaskParameter::GetValue(out), out, IDS_MEAS_STORE_TYPES, ',', TRUE);
}

int CRelaisParameter::GetValue(VaskFloat& out) {
    return WithCode(CVaskParameter::GetValue(out), out, IDS_RELAY_FUNCTION_BASE, 63,
                    LoadText(IDS_NOT_YET_DEFINED));
}

int CBinaryParameter::GetValue(VaskFloat& out) {
    return WithCode(CVaskParameter::GetValue(out), out, IDS_INPUT_FUNCTION_BASE, 50,
                    LoadText(IDS_NOT_YET_DEFINED));
}

int CUnitParameter::GetValue(VaskFloat& out) {
    if (GetGroup() == NULL) return 0;
    const int result = CVaskParameter::GetValue(out);
    if (!result) {
        out.text.Empty();
        return result;
    }
    const int code = TruncateToInt(out.value);
    switch (GetInstrument()->GetModelKind()) {
        case 4: out.text = CodeText(IDS_UNIT_S23_BASE, code, 0, 5); break;
        case 7: out.text = CodeText(IDS_UNIT_P64_BASE, code, 0, 3); break;
        default: out.text.Empty(); break;
    }
    return result;
}

int CWarmUpStatusParameter::GetValue(VaskFloat& out) {
    return WithCode(CVaskParameter::GetValue(out), out, IDS_WARMUP_STATUS_BASE, 9);
}

int CWarmUpDeviceStateParameter::GetValue(VaskFloat& out) {
    return WithCode(CVaskParameter::GetValue(out), out, IDS_DEVICE_STATE_BASE, 25);
}

int CStartStatusParameter::GetValue(VaskFloat& out) {
    return WithCode(CVaskParameter::GetValue(out), out, IDS_START_STATUS_BASE, 4);
}

// ---- choice-list mappings of the parameter pages ----------------------------------------

namespace {

// The models whose pressure list holds all four kinds.
BOOL HasFullPressureList(int typeCode) {
    return typeCode == 1 || typeCode == 2 || typeCode == 4 || typeCode == 7 || typeCode == 8;
}

}  // namespace

int GetPressureChoiceTextId(int typeCode) { return IDS_PRESSURE_TYPES + typeCode; }

int PressureValueToChoiceIndex(int typeCode, int value) {
    if (HasFullPressureList(typeCode)) return value;
    // The Lorvix 6 list has no internal pressure (value 1).
    if (typeCode == 3) return value > 1 ? value - 1 : value;
    return 0;
}

int PressureChoiceIndexToValue(int typeCode, int index) {
    if (HasFullPressureList(typeCode)) return index;
    if (typeCode == 3) return index > 0 ? index + 1 : index;
    return 0;
}

int GetInterferenceChoiceTextId(CVaskInstrument* analyzer) {
    const int type = analyzer->GetModelKind();
    if (type == 1 && analyzer->GetComponentCount() > 1) return IDS_GAS_CORRECTION_TYPES + 9;
    return IDS_GAS_CORRECTION_TYPES + type;
}

int InterferenceValueToChoiceIndex(CVaskInstrument* analyzer, int value) {
    switch (analyzer->GetModelKind()) {
        case 1:
            if (analyzer->GetComponentCount() > 1) return value > 4 ? 0 : value;
            return value > 3 ? 0 : value;
        case 2: return value > 3 ? 0 : value;
        // These lists put "with input 2" (value 5) in place of the internal component.
        case 3:
        case 5: return value == 5 ? 4 : value;
        // The Sindor 23 offers none and VASK only.
        case 4: return value == 3 ? 1 : 0;
        default: return 0;
    }
}

int InterferenceChoiceIndexToValue(CVaskInstrument* analyzer, int index) {
    switch (analyzer->GetModelKind()) {
        case 1:
        case 2: return index;
        case 3:
        case 5: return index == 4 ? 5 : index;
        case 4: return index == 1 ? 3 : 0;
        default: return 0;
    }
}
