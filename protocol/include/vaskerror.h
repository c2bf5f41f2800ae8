// The error record every operation of the communication stack fills on failure, and the
// trace channels of the stack.
#pragma once

#include "utilvask_api.h"
#include "vaskfc.h"

struct ErrorStruct_ {
    int code = 0;            // error code; its text is string 13000 + code of utilvask
    unsigned long info = 0;  // reporter's extra value (a failed request: letter * 256 + function)
    CString text;            // the code's text followed by " (E<code>)"
};

// The same record for callers without classes.
struct ErrorInfo_ {
    int code;
    unsigned long info;
    char text[256];  // at most 255 bytes of the text, always NUL-terminated
};

// Fills the record with the code, the info and the code's text; a null record only writes
// the trace line.
UTILVASK_API void SetError(ErrorStruct_* record, int code, unsigned long info);
// Copies a filled record into the flat form; nothing when either pointer is null.
UTILVASK_API void SetError(ErrorInfo_* flat, ErrorStruct_* record);
// Fills the flat form directly; nothing at all when it is null.
UTILVASK_API void SetError(ErrorInfo_* flat, int code, unsigned long info);

// Trace channels, printf-style with a leading level (negative levels continue a line).
enum {
    TRACE_MASK_SERIALOUT = 1,
    TRACE_MASK_SERIALIN = 2,
    TRACE_MASK_MSGOUT = 4,
    TRACE_MASK_MSGIN = 8,
    TRACE_MASK_INFO = 16,
    TRACE_MASK_THUNK = 32
};

UTILVASK_API void TRACE_SERIALOUT(int level, const char* format, ...);
UTILVASK_API void TRACE_SERIALIN(int level, const char* format, ...);
UTILVASK_API void TRACE_MSGOUT(int level, const char* format, ...);
UTILVASK_API void TRACE_MSGIN(int level, const char* format, ...);
UTILVASK_API void TRACE_INFO(int level, const char* format, ...);
UTILVASK_API void TRACE_THUNK(int level, const char* format, ...);

// The stored trace settings; the shipped sink writes nothing whatever they are. For
// debugging, the environment variable VASK_TRACE names a file that then receives every
// trace line (VASK_TRACE_MASK, decimal or 0x-hex, limits the channels).
UTILVASK_API void SetDebugSettings(int level, unsigned long mask);
UTILVASK_API void GetDebugSettings(int& level, unsigned long& mask);
// Where a caller would name its trace destination; nothing is stored or opened.
UTILVASK_API void DebugInitialize(CString& name);
