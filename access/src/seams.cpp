// The tests' reach into the private part of CvaskAccess (see commvask_seams.h).
#include "accessinternal.h"

int CvaskAccessInternal::SimpleCommand(CvaskAccess& a, char command, int function, int address,
                                       int channel) {
    return a.SimpleCommand(command, function, address, channel);
}

int CvaskAccessInternal::SetSwitch(CvaskAccess& a, VaskSwitchCommand s, int address, int channel,
                                   int on) {
    return a.SetSwitch(s, address, channel, on);
}

int CvaskAccessInternal::GetInt(CvaskAccess& a, char command, int function, int address,
                                int channel, int& value) {
    return a.GetInt(command, function, address, channel, value);
}

int CvaskAccessInternal::SetInt(CvaskAccess& a, char command, int function, int address,
                                int channel, int value) {
    return a.SetInt(command, function, address, channel, value);
}

int CvaskAccessInternal::Transfer(CvaskAccess& a, int address, int channel, TransferType type) {
    return a.Transfer(address, channel, type);
}

int CvaskAccessInternal::GetFloats(CvaskAccess& a, int group, int address, int channel,
                                   VaskFloat** values, int count) {
    return a.GetFloats((VaskValueCommand)group, address, channel, values, count);
}

int CvaskAccessInternal::SetFloats(CvaskAccess& a, int group, int address, int channel,
                                   const VaskFloat** values, int count) {
    return a.SetFloats((VaskValueCommand)group, address, channel, values, count);
}

int CvaskAccessInternal::GetReports(CvaskAccess& a, int function, int address, int channel,
                                    int* list, int& count) {
    return a.GetReports((VaskGetMiscCommand)function, address, channel, list, count);
}

int CvaskAccessInternal::GetDiagValue(CvaskAccess& a, int code, int address, int channel,
                                      VaskFloat& value) {
    return a.GetDiagValue(code, address, channel, value);
}

int CvaskAccessInternal::IsLeapYear(int year) { return CvaskAccess::IsLeapYear(year); }

int CvaskAccessInternal::DayIsCorrect(int day, int month, int year) {
    return CvaskAccess::DayIsCorrect(day, month, year);
}

CTime CvaskAccessInternal::MakeTime(int y, int mo, int d, int h, int mi, int s) {
    return CvaskAccess::MakeTime(y, mo, d, h, mi, s);
}

int CvaskAccessInternal::RemoteMode(CvaskAccess& a) { return a.m_remoteMode; }

int CvaskAccessInternal::RemoteAddress(CvaskAccess& a) { return a.m_remoteAddress; }

void CvaskAccessInternal::SetDownloadRunning(CvaskAccess& a, int on) { a.m_downloadRunning = on; }

void CvaskAccessInternal::SetScanRunning(CvaskAccess& a, int on) { a.m_scanRunning = on; }

void CvaskAccessInternal::SetConflictAddress(CvaskAccess& a, int address) {
    a.m_conflictAddress = address;
}

bool CvaskAccessInternal::HasTimer(CvaskAccess& a) { return a.m_timerId != NoTimer; }

int CvaskAccessInternal::QueueCount(CvaskAccess& a) {
    CSingleLock lock(&AccessRegistry::ReceiveLock(), TRUE);
    return a.m_answerQueue.GetCount();
}

CCriticalSection& CvaskAccessInternal::ReceiveLock() { return AccessRegistry::ReceiveLock(); }

void CvaskAccessInternal::TimerTick(CvaskAccess& a) { a.TimerTick(); }
