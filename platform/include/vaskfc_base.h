// Basic definitions of the class library: Win32 types, the export macro, positions.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#include <windows.h>
#include <tchar.h>
#include <stddef.h>
#include <stdarg.h>

// windows.h maps GetCurrentTime to GetTickCount; CTime::GetCurrentTime needs the name.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

#ifdef VASKFC_BUILD
#define VASKFC_API __declspec(dllexport)
#else
#define VASKFC_API __declspec(dllimport)
#endif

// A CString handed to a printf-style function must be cast to LPCSTR; passed as an object it
// would arrive as something else than the text. Make that a compile error.
#pragma GCC diagnostic error "-Wconditionally-supported"

#ifndef AFXAPI
#define AFXAPI
#endif

// Opaque iteration handle of the list classes.
struct __POSITION {};
typedef __POSITION* POSITION;

// Checks that cost nothing in the shipped build; VERIFY still evaluates its argument.
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(f) ((void)(f))
#endif

class CArchive;
class CDumpContext;
class CObject;
class CString;
struct CRuntimeClass;
