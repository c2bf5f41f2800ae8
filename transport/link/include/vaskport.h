// The byte port through which the link layer talks to the bus, and its one
// implementation over the serial port of vask32.
#pragma once

#include "serialinterface.h"
#include "serialparam.h"
#include "vask_api.h"
#include "vaskerror.h"
#include "vaskfc.h"

class VASK_API CvaskPort {
public:
    virtual ~CvaskPort() {}
    virtual int Open(const CString& port, const SerialParam* param, ErrorStruct_* err) = 0;
    virtual int Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err) = 0;
    virtual int Write(const unsigned char* bytes, int count, ErrorStruct_* err) = 0;
    virtual int Close(ErrorStruct_* err) = 0;
    // Millisecond time of the last read that brought bytes.
    virtual unsigned long GetRecvTime() = 0;
};

class VASK_API CvaskSerialPort : public CvaskPort {
public:
    int Open(const CString& port, const SerialParam* param, ErrorStruct_* err) override;
    int Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err) override;
    int Write(const unsigned char* bytes, int count, ErrorStruct_* err) override;
    int Close(ErrorStruct_* err) override;
    unsigned long GetRecvTime() override;

private:
    CSerialInterface m_serial;
};
