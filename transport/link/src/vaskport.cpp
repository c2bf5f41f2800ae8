// The serial port as the link layer's byte port.
#include "vaskport.h"

int CvaskSerialPort::Open(const CString& port, const SerialParam* param, ErrorStruct_* err) {
    return m_serial.Open(port, param, err);
}

int CvaskSerialPort::Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err) {
    return m_serial.Read(buffer, max, count, err);
}

int CvaskSerialPort::Write(const unsigned char* bytes, int count, ErrorStruct_* err) {
    return m_serial.Write(bytes, count, err);
}

int CvaskSerialPort::Close(ErrorStruct_* err) { return m_serial.Close(err); }

unsigned long CvaskSerialPort::GetRecvTime() { return m_serial.GetRecvTime(); }
