// CSerialInterface: one COM port at 9600 baud 8N1 with an input buffer, RTS switching for
// RS485 converters and an optional echo check of every write.
//
// Every operation returns 1 on success and 0 on failure with the error record filled
// (the record may be null). Reads never block longer than the port's short timeouts
// (about 2 ms), so callers poll.
#pragma once

#include <windows.h>

#include "serialparam.h"
#include "vask32_api.h"
#include "vaskerror.h"
#include "vaskfc.h"

class VASK32_API CSerialInterface {
public:
    enum { BufferSize = 1000, EchoMax = 256 };

    CSerialInterface();
    // Closes the port when it is open.
    ~CSerialInterface();
    // One object owns one handle: copying would close it twice.
    CSerialInterface(const CSerialInterface&) = delete;
    CSerialInterface& operator=(const CSerialInterface&) = delete;

    // Opens "COM1" etc. with the converter settings (converter type 1..6, else error 46).
    int Open(const CString& port, const SerialParam* param, ErrorStruct_* err);
    // Delivers up to max buffered bytes, fetching from the device when the buffer is
    // empty. With a null buffer it only fetches what has arrived into the input buffer
    // and gives that number in count. count 0 with result 1: nothing there.
    int Read(unsigned char* buffer, int max, int& count, ErrorStruct_* err);
    // Writes n bytes with RTS switching and echo check as configured.
    int Write(const unsigned char* bytes, int n, ErrorStruct_* err);
    // Always 1.
    int Close(ErrorStruct_* err);
    // Millisecond time of the last read that brought at least one byte; 0 before.
    unsigned long GetRecvTime() const { return m_recvTime; }
    int IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    int SetDeviceState(HANDLE handle);
    int SetTimeouts(HANDLE handle, DWORD t);
    DWORD GetError(const char* step, DWORD* waiting = NULL);
    // How a fetch waits for bytes: with the port's timeouts (about 2 ms), with the longer
    // ones of a fetch without a buffer (about 4 ms), or not at all.
    enum FetchWait { FetchNormal, FetchLonger, FetchNoWait };
    int Fetch(FetchWait wait, int& count, ErrorStruct_* err);

    HANDLE m_handle;
    int m_readPos;
    int m_fill;
    unsigned long m_recvTime;
    unsigned char m_buffer[BufferSize];
    SerialParam m_param;
};
