// vaskreport.dll: the report engine of KorvanGA. It prints forms (text files of our own format,
// docs/report-forms.md) with the variables and fields that the program defines, one record at a
// time, to the default printer or to a preview, and lets the user edit a form in its designer.
//
// Calling order of a print:
//   LlJobOpen; LlDefineVariableStart / LlDefineVariableA ... (names the form may use);
//   LlPrintWithBoxStartA (loads the form, takes the default printer, makes the progress box);
//   LlPrintOptionsDialogA (printer or preview, all pages or up to a page);
//   per page: LlDefineVariableStart, variables, LlPrint (the page's objects);
//   per record: fields, LlPrintSetBoxTextA (progress, Cancel), LlPrintFields (one table line;
//   LL_WRN_PAGE_FULL ends the page: print the page's variables and the same record again);
//   LlPrintEnd; for a preview LlPreviewDisplayA and LlPreviewDeleteFilesA; LlJobClose.
//
// Every function that takes a job answers LL_ERR_BAD_JOB for -1, a closed or an unknown job.
// All calls belong to the thread that shows the program's windows.
#pragma once

#include <windows.h>

#ifdef VASKREPORT_BUILD
#define VASKREPORT_API __declspec(dllexport)
#else
#define VASKREPORT_API __declspec(dllimport)
#endif

// Results.
#define LL_OK                 0
#define LL_ERR_FAILED         (-1)    // no job could be opened
#define LL_ERR_BAD_JOB        (-2)    // -1, a closed or an unknown job handle
#define LL_ERR_STATE          (-3)    // the call does not fit the job's state
#define LL_ERR_PARAMETER      (-4)    // a missing or invalid argument
#define LL_ERR_UNKNOWN_OBJECT (-5)    // the form has no object of that name
#define LL_ERR_NO_PRINTER     (-11)   // no default printer, or it cannot be opened
#define LL_ERR_FORM           (-20)   // the form file cannot be read or is no valid form
#define LL_ERR_FILE           (-21)   // a file cannot be written (form, preview page)
#define LL_ERR_OUTPUT         (-22)   // the printer refused the output
#define LL_ERR_CANCELLED      (-99)   // the user cancelled (progress box, options dialog)
#define LL_WRN_PAGE_FULL      (-998)  // the page is full: it has ended, print the record again

// LlJobOpen: the program's language. The dialogs are English whatever is passed.
#define LL_LANGUAGE_PROGRAM 1
// LlSetDlgboxMode: the mode the program sets; stored, without effect.
#define LL_DLGBOXMODE_PROGRAM 0x2008
// LlSetOption, LlSetOptionStringA: options the program sets; stored, without effect.
#define LL_OPTION_PROGRAM       0
#define LL_OPTIONSTR_EXTENSIONS 12

// Kind of project (LlSetPrinterToDefaultA, LlPrintWithBoxStartA, LlDefineLayoutA): a list.
#define LL_PROJECT_LIST 2
// LlPrintWithBoxStartA: the print flags the program passes (stored) and the box with Cancel.
#define LL_PRINT_PROGRAM 0x800
#define LL_BOX_CANCEL    0

// LlPrintSetOption, LlPrintGetOption.
#define LL_PRNOPT_COPIES       0  // stored; the options dialog offers no copies
#define LL_COPIES_HIDE         (-32768)
#define LL_PRNOPT_DESTINATION  6    // LL_DESTINATION_PRINTER or LL_DESTINATION_PREVIEW
#define LL_PRNOPT_LASTPAGE     100  // the last page to print, from 1; LL_LASTPAGE_ALL for all
#define LL_DESTINATION_PRINTER 0
#define LL_DESTINATION_PREVIEW 1
#define LL_LASTPAGE_ALL        0x7FFFFFFF

// Types of variables and fields.
#define LL_TYPE_NUMBER      0x08000000
#define LL_TYPE_TEXT        0x10000000
#define LL_TYPE_DRAWING_EMF 0x20000006  // the value is an HENHMETAFILE (ExtHandle)

// The registered window message of drawing requests: a form's "callback" box sends it, while
// the page is drawn, to the window given to LlPrintWithBoxStartA, with wParam 0 and lParam a
// pointer to an LLDRAWREQUEST. The window draws the box's contents into hDC inside rcTarget
// and returns 0. The record and the device contexts are valid only during the call.
#define LL_DRAWREQUEST_MESSAGE "WM_COMBIT"

typedef struct LLDRAWREQUEST {
    RECT rcTarget;  // where to draw, in the logical units of hDC
    HDC hDC;        // the page being drawn
    HDC hAttribDC;  // the printer's device context, for measuring
} LLDRAWREQUEST;

#ifdef __cplusplus
extern "C" {
#endif

// Jobs.
VASKREPORT_API INT WINAPI LlJobOpen(INT nLanguage);
VASKREPORT_API void WINAPI LlJobClose(INT hJob);
VASKREPORT_API void WINAPI LlSetDlgboxMode(UINT nMode);
VASKREPORT_API INT WINAPI LlSetOption(INT hJob, INT nOption, INT_PTR nValue);
VASKREPORT_API INT WINAPI LlSetOptionStringA(INT hJob, INT nOption, LPCSTR pszValue);

// Variables (per page) and fields (per record). The Start calls empty the set.
VASKREPORT_API INT WINAPI LlDefineVariableStart(INT hJob);
VASKREPORT_API INT WINAPI LlDefineFieldStart(INT hJob);
VASKREPORT_API INT WINAPI LlDefineVariableA(INT hJob, LPCSTR pszName, LPCSTR pszContents);
VASKREPORT_API INT WINAPI LlDefineVariableExtA(INT hJob, LPCSTR pszName, LPCSTR pszContents,
                                               INT nType, LPCSTR pszHints);
VASKREPORT_API INT WINAPI LlDefineVariableExtHandleA(INT hJob, LPCSTR pszName, HANDLE hContents,
                                                     INT nType, LPCSTR pszHints);
VASKREPORT_API INT WINAPI LlDefineFieldA(INT hJob, LPCSTR pszName, LPCSTR pszContents);
VASKREPORT_API INT WINAPI LlDefineFieldExtA(INT hJob, LPCSTR pszName, LPCSTR pszContents, INT nType,
                                            LPCSTR pszHints);
// Non-zero when the form of the started print refers to the name (0 before the start).
VASKREPORT_API INT WINAPI LlPrintIsVariableUsedA(INT hJob, LPCSTR pszName);
VASKREPORT_API INT WINAPI LlPrintIsFieldUsedA(INT hJob, LPCSTR pszName);

// Printing.
VASKREPORT_API INT WINAPI LlSetPrinterToDefaultA(INT hJob, INT nProject, LPCSTR pszForm);
VASKREPORT_API INT WINAPI LlPrintWithBoxStartA(INT hJob, UINT nProject, LPCSTR pszForm,
                                               INT nPrintFlags, INT nBoxType, HWND hWnd,
                                               LPCSTR pszTitle);
VASKREPORT_API INT WINAPI LlPrintSetOption(INT hJob, INT nOption, INT_PTR nValue);
VASKREPORT_API INT_PTR WINAPI LlPrintGetOption(INT hJob, INT nOption);
VASKREPORT_API INT WINAPI LlPrintOptionsDialogA(INT hJob, HWND hWnd, LPCSTR pszText);
VASKREPORT_API INT WINAPI LlPrintSetBoxTextA(INT hJob, LPCSTR pszText, INT nPercent);
VASKREPORT_API INT WINAPI LlPrint(INT hJob);
VASKREPORT_API INT WINAPI LlPrintFields(INT hJob);
VASKREPORT_API INT WINAPI LlPrintGetCurrentPage(INT hJob);
VASKREPORT_API INT WINAPI LlPrintEnableObjectA(INT hJob, LPCSTR pszObject, BOOL bEnable);
VASKREPORT_API INT WINAPI LlPrintEnd(INT hJob, INT nPages);

// Preview of an ended print whose destination was the preview.
VASKREPORT_API INT WINAPI LlPreviewDisplayA(INT hJob, LPCSTR pszForm, LPCSTR pszPath, HWND hWnd);
VASKREPORT_API INT WINAPI LlPreviewDeleteFilesA(INT hJob, LPCSTR pszForm, LPCSTR pszPath);

// The designer: edits the form file (creates it when missing).
VASKREPORT_API INT WINAPI LlDefineLayoutA(INT hJob, HWND hWnd, LPCSTR pszTitle, UINT nProject,
                                          LPCSTR pszForm);

#ifdef __cplusplus
}
#endif

// The names without the character-set suffix (the program is an ANSI build).
#define LlSetOptionString         LlSetOptionStringA
#define LlDefineVariable          LlDefineVariableA
#define LlDefineVariableExt       LlDefineVariableExtA
#define LlDefineVariableExtHandle LlDefineVariableExtHandleA
#define LlDefineField             LlDefineFieldA
#define LlDefineFieldExt          LlDefineFieldExtA
#define LlPrintIsVariableUsed     LlPrintIsVariableUsedA
#define LlPrintIsFieldUsed        LlPrintIsFieldUsedA
#define LlSetPrinterToDefault     LlSetPrinterToDefaultA
#define LlPrintWithBoxStart       LlPrintWithBoxStartA
#define LlPrintOptionsDialog      LlPrintOptionsDialogA
#define LlPrintSetBoxText         LlPrintSetBoxTextA
#define LlPrintEnableObject       LlPrintEnableObjectA
#define LlPreviewDisplay          LlPreviewDisplayA
#define LlPreviewDeleteFiles      LlPreviewDeleteFilesA
#define LlDefineLayout            LlDefineLayoutA
