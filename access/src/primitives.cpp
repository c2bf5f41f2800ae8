// The request shapes of CvaskAccess: each builds one request on its own stack, sends it
// with its time-out, takes its values from the answer and deletes the answer. Also the
// all-device switches and the date helpers.
#include "accessinternal.h"

namespace {

enum : DWORD {
    CommandTimeout = 1000,  // ms for commands and reads
    SwitchTimeout = 400,    // ms for switches
    TransferPause = 15000   // ms the device needs after a configuration transfer
};

}  // namespace

int ParamIntValue(const CParam* parameter, int i, int& value) {
    if (const CEnumParam<0, 0>* p = dynamic_cast<const CEnumParam<0, 0>*>(parameter)) {
        value = p->GetValue(i);
        return 1;
    }
    if (const CBoolParam* p = dynamic_cast<const CBoolParam*>(parameter)) {
        value = p->GetValue(i);
        return 1;
    }
    return 0;
}

int SetParamIntValue(CParam* parameter, int i, int value) {
    if (CEnumParam<0, 0>* p = dynamic_cast<CEnumParam<0, 0>*>(parameter)) {
        p->SetValue(i, value);
        return 1;
    }
    if (CBoolParam* p = dynamic_cast<CBoolParam*>(parameter)) {
        p->SetValue(i, value);
        return 1;
    }
    return 0;
}

int CvaskAccess::CheckAnswerValue(const CPCvaskMessage* answer, int index, unsigned long info) {
    const CParamArray* parameters = answer != NULL ? answer->GetParameters() : NULL;
    // A reply whose parameter came without a value parses, but there is nothing to read.
    if (parameters == NULL || index >= parameters->GetSize() || parameters->GetAt(index) == NULL ||
        parameters->GetAt(index)->GetCount() < 1) {
        SetError(&Error(), ErrorParameterCount, info);
        return 0;
    }
    return 1;
}

// ---- the shapes -------------------------------------------------------------------------------

int CvaskAccess::SimpleCommand(char command, int function, int address, int channel) {
    CParamArray parameters;
    CPCvaskMessage request(command, function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    delete answer;
    return result;
}

int CvaskAccess::SetState(VaskStateCommand state, int address, int channel) {
    return SimpleCommand('Z', state, address, channel);
}

int CvaskAccess::SetSwitch(VaskSwitchCommand command, int address, int channel, int on) {
    CParamArray parameters;
    CBoolParam* value = new CBoolParam('F', command, 0, DT_REQUEST);
    value->SetValue(on);
    parameters.Add(value);
    CPCvaskMessage request('F', command, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, SwitchTimeout);
    if (result && command == SwitchRemote) {
        CDeviceData* device = LookupDevice(address);
        if (device != NULL) device->SetRemote(on ? 1 : 0);
    }
    delete answer;
    return result;
}

int CvaskAccess::GetInt(char command, int function, int address, int channel, int& value) {
    CParamArray parameters;
    CPCvaskMessage request(command, function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    if (result) {
        int number = 0;
        if (!CheckAnswerValue(answer, 0, MakeCommandInfo(command, function)) ||
            !ParamIntValue(answer->GetParameters()->GetAt(0), 1, number)) {
            SetError(&Error(), ErrorParameterCount, MakeCommandInfo(command, function));
            result = 0;
        } else {
            value = number;
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::SetInt(char command, int function, int address, int channel, int value) {
    CParamArray parameters;
    CIntParam* number = new CIntParam(command, function, 0, DT_REQUEST, 0, 0, 1);
    number->SetValue(1, value);
    parameters.Add(number);
    CPCvaskMessage request(command, function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    delete answer;
    return result;
}

int CvaskAccess::Transfer(int address, int channel, TransferType type) {
    int result;
    {
        CParamArray parameters;
        CEnum12700* kind = new CEnum12700('K', 14, 0, DT_REQUEST, 1);
        kind->SetValue(1, type);
        parameters.Add(kind);
        CPCvaskMessage request('K', 14, DT_REQUEST, &parameters);
        CPCvaskMessage* answer = NULL;
        result = Send(address, channel, &request, answer, CommandTimeout);
        delete answer;
    }
    if (result) Sleep(TransferWait(TransferPause));
    return result;
}

int CvaskAccess::GetFloats(VaskValueCommand group, int address, int channel, VaskFloat** values,
                           int count) {
    CParamArray parameters;
    CPCvaskMessage request('w', group, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    if (result) {
        const unsigned long info = MakeCommandInfo('w', group);
        CParamArray* reply = answer != NULL ? answer->GetParameters() : NULL;
        if (reply == NULL || reply->GetSize() != count) {
            SetError(&Error(), ErrorParameterCount, info);
            result = 0;
        }
        // Every expected value must be there: a reply that stops early still parses.
        for (int i = 0; result && i < count; ++i) {
            if (!CheckAnswerValue(answer, i, info) ||
                dynamic_cast<CFloatParam*>(reply->GetAt(i)) == NULL) {
                SetError(&Error(), ErrorParameterCount, info);
                result = 0;
            }
        }
        for (int i = 0; result && i < count; ++i)
            static_cast<CFloatParam*>(reply->GetAt(i))->GetValue(1, *values[i]);
    }
    delete answer;
    return result;
}

int CvaskAccess::SetFloats(VaskValueCommand group, int address, int channel,
                           const VaskFloat** values, int count) {
    CParamArray parameters;
    for (int i = 0; i < count; ++i) {
        CFloatParam* value = new CFloatParam('W', group, 0, DT_REQUEST, 1);
        value->SetValue(1, *values[i]);
        parameters.Add(value);
    }
    CPCvaskMessage request('W', group, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    delete answer;
    return result;
}

int CvaskAccess::GetReports(VaskGetMiscCommand function, int address, int channel, int* list,
                            int& count) {
    CParamArray parameters;
    CPCvaskMessage request('k', function, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    if (result) {
        CParamArray* reply = answer != NULL ? answer->GetParameters() : NULL;
        CParam* first = reply != NULL && reply->GetSize() > 0 ? reply->GetAt(0) : NULL;
        int probe = 0;
        // An empty list is a valid answer (no reports); a missing parameter is not.
        if (first == NULL || !ParamIntValue(first, 1, probe)) {
            SetError(&Error(), ErrorParameterCount, MakeCommandInfo('k', function));
            result = 0;
        } else {
            int n = first->GetCount();
            for (int i = 0; i < n; ++i) ParamIntValue(first, i + 1, list[i]);
            count = n;
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::GetDiagValue(int code, int address, int channel, VaskFloat& value) {
    CParamArray parameters;
    CPCvaskMessage request('h', code, DT_REQUEST, &parameters);
    CPCvaskMessage* answer = NULL;
    int result = Send(address, channel, &request, answer, CommandTimeout);
    if (result) {
        const unsigned long info = MakeCommandInfo('h', code);
        CFloatParam* number = NULL;
        if (CheckAnswerValue(answer, 0, info))
            number = dynamic_cast<CFloatParam*>(answer->GetParameters()->GetAt(0));
        if (number == NULL) {
            SetError(&Error(), ErrorParameterCount, info);
            result = 0;
        } else {
            number->GetValue(1, value);
        }
    }
    delete answer;
    return result;
}

int CvaskAccess::GetPar6DiagValue(Par6DiagCommand code, int address, int channel,
                                  VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetS6DiagValue(S6DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetL6DiagValue(L6DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetL62DiagValue(L62DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetP64DiagValue(P64DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetQ6DiagValue(Q6DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetS23DiagValue(S23DiagCommand code, int address, int channel, VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}
int CvaskAccess::GetDenrikDiagValue(DenrikDiagCommand code, int address, int channel,
                                    VaskFloat& value) {
    return GetDiagValue(code, address, channel, value);
}

// ---- all-device switches --------------------------------------------------------------------

int CvaskAccess::SetSwitchAll(VaskSwitchCommand command, int on) {
    int all = 1;
    for (POSITION pos = m_deviceList.GetHeadPosition(); pos != NULL;) {
        CDeviceData* device = static_cast<CDeviceData*>(m_deviceList.GetNext(pos));
        if (!SetSwitch(command, device->GetAddress(), 0, on)) all = 0;
    }
    return all;
}

int CvaskAccess::RemoteOn() { return SetSwitchAll(SwitchRemote, 1); }
int CvaskAccess::RemoteOff() { return SetSwitchAll(SwitchRemote, 0); }
int CvaskAccess::BroadcastOn() { return SetSwitchAll(SwitchBroadcast, 1); }
int CvaskAccess::BroadcastOff() { return SetSwitchAll(SwitchBroadcast, 0); }

// ---- dates ----------------------------------------------------------------------------------

int CvaskAccess::IsLeapYear(int year) {
    if (year % 4 != 0) return 0;
    if (year % 100 != 0) return 1;
    return year % 400 == 0;
}

int CvaskAccess::DayIsCorrect(int day, int month, int year) {
    static const int length[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (day <= length[month - 1]) return 1;
    return day == 29 && month == 2 && IsLeapYear(year);
}

CTime CvaskAccess::MakeTime(int year, int month, int day, int hour, int minute, int second) {
    int fullYear = year < 70 ? 2000 + year : 1900 + year;
    if (fullYear < 1970 || fullYear > 2035 || month < 1 || month > 12 || day < 1 ||
        !DayIsCorrect(day, month, fullYear))
        return CTime();
    return CTime(fullYear, month, day, hour, minute, second, -1);
}
