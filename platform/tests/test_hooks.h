// Recorders for the class library's seams in tests: help requests (AfxSetHelpHook) and
// message boxes (AfxSetMessageBoxHook).
#pragma once

#include "vaskfc.h"

#include <string>
#include <vector>

// A help request that reached the routing function.
struct HelpCall {
    HWND hWnd;
    std::string file;
    UINT nCmd;
    DWORD_PTR dwData;
    BOOL bHtml;
};

// Installed with AfxSetHelpHook(RecordHelp, &recorder): keeps each request, shows nothing,
// answers the recorder's answer.
struct HelpRecorder {
    std::vector<HelpCall> calls;
    BOOL answer = TRUE;
};

inline BOOL RecordHelp(HWND hWnd, LPCSTR lpszFile, UINT nCmd, DWORD_PTR dwData, BOOL bHtml,
                       void* pContext) {
    HelpRecorder* recorder = static_cast<HelpRecorder*>(pContext);
    recorder->calls.push_back({hWnd, lpszFile != NULL ? lpszFile : "", nCmd, dwData, bHtml});
    return recorder->answer;
}

// Installed with AfxSetMessageBoxHook(RecordBox, &recorder): keeps each text, answers the
// recorder's answer.
struct BoxRecorder {
    std::vector<std::string> texts;
    int answer = IDOK;
};

inline int RecordBox(LPCSTR lpszText, UINT, UINT, void* pContext) {
    BoxRecorder* recorder = static_cast<BoxRecorder*>(pContext);
    recorder->texts.push_back(lpszText);
    return recorder->answer;
}
