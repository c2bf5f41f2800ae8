// An Intel-HEX firmware file read into download records.
//
// A record is one line of the file turned into bytes, laid out as it travels in a "K" 21
// or "K" 25 request: n (the line's data byte count), load address high and low byte,
// record type, then the n data bytes; the line's checksum is checked and dropped.
//
// A download cannot be undone once the device has been reset into download mode, so the
// whole file is checked before a single record is handed out: every line, the checksums,
// the record sizes the bus can carry, and that the file ends with its end-of-file record.
#pragma once

#include "vaskerror.h"
#include "vaskfc.h"

class CFirmwareFile {
public:
    enum {
        // A "K" 21/25 request body is the letter, the function and the record (4 + n
        // bytes); the bus carries at most 68 body bytes.
        MaxDataBytes = 62,
        RecordData = 0x00,
        RecordEndOfFile = 0x01
    };

    CFirmwareFile();
    ~CFirmwareFile();  // frees the records

    // Reads and checks the whole file. 1 with the records in file order; 0 with the error
    // code in GetError() (ErrorFirmwareFileNotOpened to ErrorIncompleteLine) and no records.
    int Read(const CString& path);

    // The records (unsigned char*, n + 4 bytes each), owned by this object.
    const CPtrArray& GetRecords() const { return m_records; }
    int GetCount() const { return (int)m_records.GetSize(); }
    int GetError() const { return m_error; }
    void Free();

    // One line into a new record (delete[] it), or null with the error code.
    static unsigned char* ParseLine(const CString& line, int& error);
    // Two upper-case hex digits at position (which advances past them) into byte.
    // 0 with ErrorIncompleteLine when the line ends inside the byte, ErrorInvalidFirmwareData
    // for any other character.
    static int GetByte(const CString& line, int& position, int& byte, int& error);
    // Bytes of a record: 4 + its data byte count.
    static int RecordLength(const unsigned char* record) { return record[0] + 4; }
    // The percentage of a download after `done` of `whole` records (whole > 0), truncated.
    // Taken in 64 bits: a file may hold more records than an int times 100 can count.
    static int Percent(int done, int whole) { return (int)((long long)done * 100 / whole); }

private:
    CFirmwareFile(const CFirmwareFile&) = delete;
    CFirmwareFile& operator=(const CFirmwareFile&) = delete;

    CPtrArray m_records;
    int m_error;
};
