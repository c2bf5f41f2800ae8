// The registered window messages: registered before the program's start-up runs.
#include "appmessages.h"

UINT WM_VASK_ERROR = RegisterWindowMessageA("WM_VASK_ERROR");
UINT WM_DOWNLOAD_PROGRESS = RegisterWindowMessageA("WM_DOWNLOAD_PROGRESS");
UINT WM_PARAMETER_PROGRESS = RegisterWindowMessageA("WM_PARAMETER_PROGRESS");
UINT WM_BUSSCAN_PROGRESS = RegisterWindowMessageA("WM_BUSSCAN_PROGRESS");
UINT WM_ADDRESSCONFLICT = RegisterWindowMessageA("WM_ADDRESSCONFLICT");
UINT WM_COMBIT = RegisterWindowMessageA("WM_COMBIT");
UINT WM_TREECHANGED = RegisterWindowMessageA("WM_TREECHANGED");
UINT WM_START_COMMUNICATION = RegisterWindowMessageA("WM_START_COMMUNICATION");
UINT WM_COMMUNICATING = RegisterWindowMessageA("WM_COMMUNICATING");
UINT WM_END_COMMUNICATION = RegisterWindowMessageA("WM_END_COMMUNICATION");
UINT WM_OFFLINE_TRANSFER = RegisterWindowMessageA("WM_OFFLINE_TRANSFER");
UINT WM_CHANGEMENU = RegisterWindowMessageA("WM_CHANGEMENU");
UINT WM_PROTOCOL_REPORT = RegisterWindowMessageA("WM_PROTOCOL_REPORT");
UINT WM_QUEUED_VASK_ERRORS = RegisterWindowMessageA("KorvanGA.QueuedVaskErrors");
