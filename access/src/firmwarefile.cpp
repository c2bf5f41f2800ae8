// Reading and checking of Intel-HEX firmware files.
#include "firmwarefile.h"

#include <stdio.h>
#include <string.h>

namespace {

// The longest line Intel-HEX allows: the colon and 255 data bytes with five bytes of frame.
const int MaxLineLength = 1 + 2 * (255 + 5);

// One line without its line end, every byte of it kept: 1, or 0 at the end of the file,
// -1 on a read error. ReadString ends a line at a NUL byte and drops the rest of it, so a
// zeroed stretch of a damaged file could swallow whole records unseen. A line is read
// to one byte past the longest one allowed; it is invalid whatever follows.
int ReadLine(FILE* stream, CString& line) {
    char buffer[MaxLineLength + 1];
    int n = 0;
    int c = EOF;
    while (n < (int)sizeof buffer && (c = getc(stream)) != EOF && c != '\n') buffer[n++] = (char)c;
    if (c == EOF && ferror(stream)) return -1;
    line = CString(buffer, n);
    return n > 0 || c != EOF ? 1 : 0;
}

int HexDigit(char c) {
    // Upper case only: the device tools write upper case, and a lower-case file is
    // something else than what the tools made.
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

CFirmwareFile::CFirmwareFile() : m_error(ErrorNone) {}

CFirmwareFile::~CFirmwareFile() { Free(); }

void CFirmwareFile::Free() {
    for (int i = 0; i < m_records.GetSize(); ++i) delete[](unsigned char*) m_records[i];
    m_records.RemoveAll();
}

int CFirmwareFile::GetByte(const CString& line, int& position, int& byte, int& error) {
    if (position + 1 >= line.GetLength()) {
        error = ErrorIncompleteLine;
        return 0;
    }
    int high = HexDigit(line[position++]);
    int low = HexDigit(line[position++]);
    if (high < 0 || low < 0) {
        error = ErrorInvalidFirmwareData;
        return 0;
    }
    byte = high * 16 + low;
    return 1;
}

unsigned char* CFirmwareFile::ParseLine(const CString& line, int& error) {
    if (line.IsEmpty() || line[0] != ':') {
        error = ErrorMissingColon;
        return NULL;
    }
    int position = 1;
    int count = 0, addressHigh = 0, addressLow = 0, type = 0;
    if (!GetByte(line, position, count, error) || !GetByte(line, position, addressHigh, error) ||
        !GetByte(line, position, addressLow, error) || !GetByte(line, position, type, error))
        return NULL;

    unsigned char* record = new unsigned char[count + 4];
    record[0] = (unsigned char)count;
    record[1] = (unsigned char)addressHigh;
    record[2] = (unsigned char)addressLow;
    record[3] = (unsigned char)type;
    unsigned sum = count + addressHigh + addressLow + type;
    for (int i = 0; i < count; ++i) {
        int byte = 0;
        if (!GetByte(line, position, byte, error)) {
            delete[] record;
            return NULL;
        }
        record[4 + i] = (unsigned char)byte;
        sum += byte;
    }
    int checksum = 0;
    if (!GetByte(line, position, checksum, error)) {
        delete[] record;
        return NULL;
    }
    sum += checksum;
    // Characters after the checksum, a corrupt line and a record too long for one request
    // are all the same to the caller: the file cannot be flashed.
    if (position != line.GetLength() || (sum & 0xFF) != 0 || count > MaxDataBytes) {
        delete[] record;
        error = ErrorInvalidFirmwareData;
        return NULL;
    }
    return record;
}

int CFirmwareFile::Read(const CString& path) {
    Free();
    m_error = ErrorNone;

    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
        m_error = ErrorFirmwareFileNotOpened;
        return 0;
    }
    int endRecords = 0;
    int lastType = -1;
    try {
        CString line;
        int got;
        while (m_error == ErrorNone && (got = ReadLine(file.m_pStream, line)) != 0) {
            if (got < 0) {
                m_error = ErrorReadingFirmwareFile;
                break;
            }
            unsigned char* record = ParseLine(line, m_error);
            if (record == NULL) break;
            m_records.Add(record);
            lastType = record[3];
            if (lastType == RecordEndOfFile) ++endRecords;
        }
    } catch (CException* e) {
        e->Delete();
        m_error = ErrorReadingFirmwareFile;
    }
    file.Abort();  // a read-only file: nothing to lose on closing

    // A file cut off at a line end, or an empty one, reads without a bad line; only its
    // missing end-of-file record tells that it is incomplete.
    if (m_error == ErrorNone && (endRecords != 1 || lastType != RecordEndOfFile))
        m_error = ErrorInvalidFirmwareData;
    if (m_error != ErrorNone) {
        Free();
        return 0;
    }
    return 1;
}
