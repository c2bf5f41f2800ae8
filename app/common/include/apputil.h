// Process-wide helpers of the program: number, time and date texts, the calendar, the
// system's error texts, character replacement, the program's and the temporary folder, and
// the start of COM and the gateway client for a thread. They keep no state between calls.
#pragma once

#include "vaskfc.h"

// The value as "%i".
CString IntToString(int value);

// The number of a value text: `unitText`, when not empty, is cut out of the text at its first
// occurrence, the rest trimmed on both sides. TRUE only when the whole rest is one number;
// `value` is 0 for an empty rest and otherwise what the conversion read.
BOOL StringToDouble(const CString& text, double& value, const CString& unitText);

// A duration in seconds from "m" (minutes), "h:m" or "h:m:s". Minutes and seconds after a
// ":" lie in 0-59; no part is negative and the total fits an int.
BOOL ParseTimeText(CString text, int& seconds);

// A date "day.month.year" (a year below 100 counts from 1900) between 1970 and 2036, as
// that day at 12:00 local time.
BOOL ParseDateTimeText(CString text, CTime& date);

// Whether the day exists in that month of that year (Gregorian leap years).
BOOL IsCalendarDate(int day, int month, int year);

// The system's text for an error code (GetLastError), without its line end; empty when the
// system has none.
CString SystemErrorText(DWORD code);

// The text with every character that is one of `characters` replaced by `replacement`.
CString ReplaceAnyOf(CString text, CString characters, CString replacement);

// The system's temporary folder as the system gives it (with its final "\"); empty when the
// system gives none.
CString GetTempFolder();

// The folder of the application's help file, which lies beside the program: its path up to
// its last "\"; empty when the path has no "\" after its first character.
CString GetProgramFolder();

// COM (multithreaded) for the calling thread, the process's COM security (no
// authentication, identify-level impersonation) and, for the first caller of the process,
// the calling thread's gateway client. Later callers get TRUE without a client; a failed
// client start shows its error code and gives FALSE.
BOOL InitVGComm();
