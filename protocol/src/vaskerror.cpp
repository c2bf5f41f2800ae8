// Error records and their texts (string 13000 + code of utilvask).
#include "vaskerror.h"

#include "internal.h"

#include <string.h>

void SetError(ErrorStruct_* record, int code, unsigned long info) {
    TRACE_INFO(5, "Error %d, Info = %lu\n", code, info);
    if (record == NULL) return;
    record->code = code;
    record->info = info;
    CString text;
    if (!vask::LoadOwnString(13000LL + code, text)) text = "Error without message";
    CString suffix;
    suffix.Format(" (E%d)", code);
    record->text = text + suffix;
}

void SetError(ErrorInfo_* flat, ErrorStruct_* record) {
    if (flat == NULL || record == NULL) return;
    flat->code = record->code;
    flat->info = record->info;
    size_t n = (size_t)record->text.GetLength() + 1;
    if (n > sizeof flat->text) n = sizeof flat->text;
    memcpy(flat->text, (const char*)record->text, n);
    flat->text[sizeof flat->text - 1] = 0;
}

void SetError(ErrorInfo_* flat, int code, unsigned long info) {
    if (flat == NULL) return;
    ErrorStruct_ record;
    SetError(&record, code, info);
    SetError(flat, &record);
}
