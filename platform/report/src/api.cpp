// The exported functions of vaskreport.dll.
#include "../res/resource.h"
#include "engine.h"

#include <algorithm>

using namespace vaskreport;

namespace {

UINT g_dlgboxMode = 0;

std::string Text(LPCSTR s) { return s ? s : ""; }

int DefineName(INT hJob, bool field, LPCSTR name, const Value& value) {
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (!name || !ValidName(name)) return LL_ERR_PARAMETER;
    (field ? job->fields : job->variables).Set(name, value);
    return LL_OK;
}

Value TextValue(LPCSTR contents, int type) {
    Value v;
    v.text = Text(contents);
    v.type = type;
    return v;
}

int IsUsed(INT hJob, LPCSTR name) {
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (!name || !job->form) return 0;
    return job->form->Refers(name) ? 1 : 0;
}

// Gives the owner its input back and closes the box.
void EndBox(Job& job) {
    if (job.ownerDisabled && job.owner && IsWindow(job.owner)) EnableWindow(job.owner, TRUE);
    job.ownerDisabled = false;
    job.box.reset();
}

// Ends a running print: the output is made, or thrown away after a Cancel.
int FinishPrint(Job& job, bool discard) {
    if (job.state != JobState::Printing) return LL_OK;
    int rc = LL_OK;
    if (discard || job.cancelled) {
        DiscardPages(job);
    } else {
        ClosePage(job);
        if (job.destination == LL_DESTINATION_PRINTER) {
            rc = PrintPages(job.printer, job.pages, job.document);
            if (rc == LL_OK) ReportFinishedJob(job);
            DeletePageFiles(job.pages);
        } else {
            ReportFinishedJob(job);
        }
    }
    EndBox(job);
    job.state = JobState::Ended;
    return rc;
}

// The print running, not cancelled: the pages may go on.
int CheckPrinting(const Job& job) {
    if (job.state != JobState::Printing) return LL_ERR_STATE;
    if (job.cancelled) return LL_ERR_CANCELLED;
    return LL_OK;
}

}  // namespace

extern "C" {

INT WINAPI LlJobOpen(INT nLanguage) {
    RecordCall("LlJobOpen", 0, nullptr, nullptr, nLanguage);
    if (!JobOpenAllowed()) return LL_ERR_FAILED;
    return AddJob(nLanguage);
}

void WINAPI LlJobClose(INT hJob) {
    RecordCall("LlJobClose", hJob);
    auto job = FindJob(hJob);
    if (!job) return;
    FinishPrint(*job, true);
    DiscardPages(*job);
    if (job->printerDC) DeleteDC(job->printerDC);
    job->printerDC = nullptr;
    RemoveJob(hJob);
}

void WINAPI LlSetDlgboxMode(UINT nMode) {
    RecordCall("LlSetDlgboxMode", 0, nullptr, nullptr, nMode);
    g_dlgboxMode = nMode;
}

INT WINAPI LlSetOption(INT hJob, INT nOption, INT_PTR nValue) {
    RecordCall("LlSetOption", hJob, nullptr, nullptr, nOption, nValue);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    job->options[nOption] = nValue;
    return LL_OK;
}

INT WINAPI LlSetOptionStringA(INT hJob, INT nOption, LPCSTR pszValue) {
    RecordCall("LlSetOptionStringA", hJob, nullptr, pszValue, nOption);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    job->stringOptions[nOption] = Text(pszValue);
    return LL_OK;
}

INT WINAPI LlDefineVariableStart(INT hJob) {
    RecordCall("LlDefineVariableStart", hJob);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    job->variables.Clear();
    return LL_OK;
}

INT WINAPI LlDefineFieldStart(INT hJob) {
    RecordCall("LlDefineFieldStart", hJob);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    job->fields.Clear();
    return LL_OK;
}

INT WINAPI LlDefineVariableA(INT hJob, LPCSTR pszName, LPCSTR pszContents) {
    RecordCall("LlDefineVariableA", hJob, pszName, pszContents);
    return DefineName(hJob, false, pszName, TextValue(pszContents, LL_TYPE_TEXT));
}

INT WINAPI LlDefineVariableExtA(INT hJob, LPCSTR pszName, LPCSTR pszContents, INT nType,
                                LPCSTR pszHints) {
    RecordCall("LlDefineVariableExtA", hJob, pszName, pszContents, nType, 0, nullptr, pszHints);
    return DefineName(hJob, false, pszName, TextValue(pszContents, nType));
}

INT WINAPI LlDefineVariableExtHandleA(INT hJob, LPCSTR pszName, HANDLE hContents, INT nType,
                                      LPCSTR pszHints) {
    RecordCall("LlDefineVariableExtHandleA", hJob, pszName, nullptr, nType,
               reinterpret_cast<INT_PTR>(hContents), nullptr, pszHints);
    Value v;
    v.type = nType;
    v.handle = hContents;
    return DefineName(hJob, false, pszName, v);
}

INT WINAPI LlDefineFieldA(INT hJob, LPCSTR pszName, LPCSTR pszContents) {
    RecordCall("LlDefineFieldA", hJob, pszName, pszContents);
    return DefineName(hJob, true, pszName, TextValue(pszContents, LL_TYPE_TEXT));
}

INT WINAPI LlDefineFieldExtA(INT hJob, LPCSTR pszName, LPCSTR pszContents, INT nType,
                             LPCSTR pszHints) {
    RecordCall("LlDefineFieldExtA", hJob, pszName, pszContents, nType, 0, nullptr, pszHints);
    return DefineName(hJob, true, pszName, TextValue(pszContents, nType));
}

INT WINAPI LlPrintIsVariableUsedA(INT hJob, LPCSTR pszName) {
    RecordCall("LlPrintIsVariableUsedA", hJob, pszName);
    return IsUsed(hJob, pszName);
}

INT WINAPI LlPrintIsFieldUsedA(INT hJob, LPCSTR pszName) {
    RecordCall("LlPrintIsFieldUsedA", hJob, pszName);
    return IsUsed(hJob, pszName);
}

INT WINAPI LlSetPrinterToDefaultA(INT hJob, INT nProject, LPCSTR pszForm) {
    RecordCall("LlSetPrinterToDefaultA", hJob, pszForm, nullptr, nProject);
    // Every print takes the default printer at its start; nothing to remember.
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    return LL_OK;
}

INT WINAPI LlPrintWithBoxStartA(INT hJob, UINT nProject, LPCSTR pszForm, INT nPrintFlags,
                                INT nBoxType, HWND hWnd, LPCSTR pszTitle) {
    RecordCall("LlPrintWithBoxStartA", hJob, pszForm, pszTitle, nProject, nPrintFlags, hWnd);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (job->state == JobState::Printing) return LL_ERR_STATE;
    if (!pszForm || !*pszForm) return LL_ERR_PARAMETER;
    std::unique_ptr<Form> form;
    try {
        form.reset(new Form(LoadForm(pszForm)));
    } catch (const FormError&) {
        return LL_ERR_FORM;
    }
    char printer[512] = {};
    DWORD size = sizeof printer;
    if (!GetDefaultPrinterA(printer, &size) || !*printer) return LL_ERR_NO_PRINTER;
    HDC dc = CreateDCA(nullptr, printer, nullptr, nullptr);
    PageGeometry geometry;
    if (!dc || !ReadGeometry(dc, geometry)) {
        if (dc) DeleteDC(dc);
        return LL_ERR_NO_PRINTER;
    }

    // A new print on this job: whatever an earlier one left goes.
    DiscardPages(*job);
    if (job->printerDC) DeleteDC(job->printerDC);
    job->printerDC = dc;
    job->geometry = geometry;
    job->printer = printer;
    job->form = std::move(form);
    job->formPath = pszForm;
    job->owner = hWnd;
    job->document = NewDocumentName(pszForm);
    job->cancelled = false;
    job->outputBegun = false;
    job->enabled.clear();
    job->nextPage = 1;
    auto dest = job->printOptions.find(LL_PRNOPT_DESTINATION);
    job->destination =
        dest != job->printOptions.end() ? static_cast<int>(dest->second) : LL_DESTINATION_PRINTER;
    auto last = job->printOptions.find(LL_PRNOPT_LASTPAGE);
    job->lastPage =
        last != job->printOptions.end() ? static_cast<int>(last->second) : LL_LASTPAGE_ALL;
    std::string title = Text(pszTitle);
    job->box.reset(
        new ProgressBox(hWnd, title.empty() ? LoadText(IDS_PRINTING) : title, &job->cancelled));
    job->state = JobState::Printing;
    return LL_OK;
}

INT WINAPI LlPrintSetOption(INT hJob, INT nOption, INT_PTR nValue) {
    RecordCall("LlPrintSetOption", hJob, nullptr, nullptr, nOption, nValue);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    bool begun = job->state == JobState::Printing && job->outputBegun;
    if (nOption == LL_PRNOPT_DESTINATION) {
        if (nValue != LL_DESTINATION_PRINTER && nValue != LL_DESTINATION_PREVIEW)
            return LL_ERR_PARAMETER;
        if (begun) return LL_ERR_STATE;
        job->destination = static_cast<int>(nValue);
    } else if (nOption == LL_PRNOPT_LASTPAGE) {
        if (nValue < 1 || nValue > LL_LASTPAGE_ALL) return LL_ERR_PARAMETER;
        if (begun) return LL_ERR_STATE;
        job->lastPage = static_cast<int>(nValue);
    }
    job->printOptions[nOption] = nValue;
    return LL_OK;
}

INT_PTR WINAPI LlPrintGetOption(INT hJob, INT nOption) {
    RecordCall("LlPrintGetOption", hJob, nullptr, nullptr, nOption);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (nOption == LL_PRNOPT_DESTINATION) return job->destination;
    if (nOption == LL_PRNOPT_LASTPAGE) return job->lastPage;
    auto it = job->printOptions.find(nOption);
    return it == job->printOptions.end() ? 0 : it->second;
}

INT WINAPI LlPrintOptionsDialogA(INT hJob, HWND hWnd, LPCSTR pszText) {
    RecordCall("LlPrintOptionsDialogA", hJob, nullptr, pszText, 0, 0, hWnd);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (job->state != JobState::Printing || job->outputBegun) return LL_ERR_STATE;
    int destination = job->destination, lastPage = job->lastPage;
    int rc = RunOptionsDialog(hWnd, Text(pszText), job->printer, &destination, &lastPage);
    if (job->closed) return LL_ERR_BAD_JOB;
    if (rc != LL_OK) return rc;
    job->destination = destination;
    job->lastPage = lastPage;
    job->printOptions[LL_PRNOPT_DESTINATION] = destination;
    job->printOptions[LL_PRNOPT_LASTPAGE] = lastPage;
    return LL_OK;
}

INT WINAPI LlPrintSetBoxTextA(INT hJob, LPCSTR pszText, INT nPercent) {
    RecordCall("LlPrintSetBoxTextA", hJob, nullptr, pszText, nPercent);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    int rc = CheckPrinting(*job);
    if (rc != LL_OK) return rc;
    BeginOutput(*job);
    if (job->box) job->box->SetText(pszText, nPercent);
    PumpMessages(job->box ? job->box->Window() : nullptr);
    if (job->closed) return LL_ERR_BAD_JOB;
    return job->cancelled ? LL_ERR_CANCELLED : LL_OK;
}

INT WINAPI LlPrint(INT hJob) {
    RecordCall("LlPrint", hJob);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    int rc = CheckPrinting(*job);
    if (rc != LL_OK) return rc;
    BeginOutput(*job);
    ClosePage(*job);
    return OpenPage(*job);
}

INT WINAPI LlPrintFields(INT hJob) {
    RecordCall("LlPrintFields", hJob);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    int rc = CheckPrinting(*job);
    if (rc != LL_OK) return rc;
    BeginOutput(*job);
    return AddTableLine(*job);
}

INT WINAPI LlPrintGetCurrentPage(INT hJob) {
    RecordCall("LlPrintGetCurrentPage", hJob);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    return job->pageDC ? job->page.number : job->nextPage;
}

INT WINAPI LlPrintEnableObjectA(INT hJob, LPCSTR pszObject, BOOL bEnable) {
    RecordCall("LlPrintEnableObjectA", hJob, pszObject, nullptr, bEnable);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (!pszObject || !*pszObject) return LL_ERR_PARAMETER;
    if (!job->form) return LL_ERR_STATE;
    if (job->form->Find(pszObject).empty()) return LL_ERR_UNKNOWN_OBJECT;
    std::string key = Upper(pszObject);
    auto& e = job->enabled;
    e.erase(std::remove(e.begin(), e.end(), key), e.end());
    if (bEnable) e.push_back(key);
    return LL_OK;
}

INT WINAPI LlPrintEnd(INT hJob, INT nPages) {
    RecordCall("LlPrintEnd", hJob, nullptr, nullptr, nPages);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    return FinishPrint(*job, false);
}

INT WINAPI LlPreviewDisplayA(INT hJob, LPCSTR pszForm, LPCSTR pszPath, HWND hWnd) {
    RecordCall("LlPreviewDisplayA", hJob, pszForm, pszPath, 0, 0, hWnd);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (job->state == JobState::Printing) return LL_ERR_STATE;
    // Nothing to show when the output went to the printer, was cancelled or never began.
    if (job->state != JobState::Ended || job->destination != LL_DESTINATION_PREVIEW ||
        job->cancelled)
        return LL_OK;
    return RunPreview(hWnd, *job);
}

INT WINAPI LlPreviewDeleteFilesA(INT hJob, LPCSTR pszForm, LPCSTR pszPath) {
    RecordCall("LlPreviewDeleteFilesA", hJob, pszForm, pszPath);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (job->state == JobState::Printing) return LL_ERR_STATE;
    DeletePageFiles(job->pages);
    return LL_OK;
}

INT WINAPI LlDefineLayoutA(INT hJob, HWND hWnd, LPCSTR pszTitle, UINT nProject, LPCSTR pszForm) {
    RecordCall("LlDefineLayoutA", hJob, pszForm, pszTitle, nProject, 0, hWnd);
    auto job = FindJob(hJob);
    if (!job) return LL_ERR_BAD_JOB;
    if (!pszForm || !*pszForm) return LL_ERR_PARAMETER;
    if (job->state == JobState::Printing) return LL_ERR_STATE;
    return RunDesigner(hWnd, Text(pszTitle), pszForm, job->variables.Names(), job->fields.Names());
}

}  // extern "C"
