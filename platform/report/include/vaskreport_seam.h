// Test seam of vaskreport.dll: hands each finished print (LlPrintEnd without a Cancel) to a
// sink, page by page: the texts drawn, the drawings played, the drawing requests sent and the
// hidden (":") objects shown. The program never installs a sink; tests of its print code do,
// through vaskreport_seam::Recorder below. A second sink gets every call of an exported
// function with its arguments, in order (vaskreport_seam::CallRecorder), and the seam can
// make LlJobOpen fail.
#pragma once

#include "vaskreport.h"

#define LL_SEAM_TEXT    1  // a line of a text object
#define LL_SEAM_HEADING 2  // a column title of a table
#define LL_SEAM_CELL    3  // a cell of a table line
#define LL_SEAM_DRAWING 4  // a drawing variable played into its box (not sent for handle 0)
#define LL_SEAM_REQUEST 5  // a drawing request sent for a callback box

typedef struct LLSEAMITEM {
    INT nKind;         // LL_SEAM_...
    LPCSTR pszObject;  // the form object's name
    LPCSTR pszText;    // the text as drawn; empty for drawings and requests
    INT nRow;          // the table line from 1 (cells), else 0
    INT nColumn;       // the column from 0 (headings and cells), else -1
    RECT rc;           // where, in the page's device units
} LLSEAMITEM;

typedef struct LLSEAMPAGE {
    INT nPage;       // from 1
    LPCSTR pszFile;  // the page's enhanced metafile; readable while the sink runs
    INT nItems;
    const LLSEAMITEM* pItems;
    INT nShown;
    const LPCSTR* ppszShown;  // the hidden objects (":Name") that were shown on the page
} LLSEAMPAGE;

typedef struct LLSEAMJOB {
    INT hJob;
    LPCSTR pszForm;      // the form's path
    LPCSTR pszDocument;  // the document name given to the printer (unique per output)
    INT nDestination;    // LL_DESTINATION_...
    INT nLastPage;       // as chosen in the options dialog
    INT nPages;
    const LLSEAMPAGE* pPages;
} LLSEAMJOB;

typedef void(WINAPI* LLSEAMSINK)(const LLSEAMJOB* pJob, void* pContext);

// One call of an exported function, handed over as it begins; the texts are the caller's and
// valid only during the sink's call. Arguments that a function does not have stay 0.
typedef struct LLSEAMCALL {
    LPCSTR pszFunction;  // "LlJobOpen", "LlDefineVariableA", ...
    INT hJob;            // the job (0 for LlJobOpen and LlSetDlgboxMode)
    LPCSTR pszName;      // the variable, field or object name, or the form's path
    LPCSTR pszText;      // the contents, option text, title, box or dialog text, preview path
    LPCSTR pszHints;     // the last argument of the Ext calls
    INT_PTR nValue1;     // the first number: language, mode, option, type, project, percent,
                         // pages of LlPrintEnd, the enable flag
    INT_PTR nValue2;     // the second number: option value, print flags, the drawing's handle
    HWND hWnd;           // the window argument
} LLSEAMCALL;

typedef void(WINAPI* LLSEAMCALLSINK)(const LLSEAMCALL* pCall, void* pContext);

#ifdef __cplusplus
extern "C" {
#endif
// Installs the sink (NULL removes it). It is called on the printing thread at the end of
// LlPrintEnd, after the output was made.
VASKREPORT_API void WINAPI LlSeamSetJobSink(LLSEAMSINK pfnSink, void* pContext);
// Installs the call sink (NULL removes it). It is called on the calling thread.
VASKREPORT_API void WINAPI LlSeamSetCallSink(LLSEAMCALLSINK pfnSink, void* pContext);
// The next `nTimes` calls of LlJobOpen answer LL_ERR_FAILED (0: none).
VASKREPORT_API void WINAPI LlSeamFailJobOpen(INT nTimes);
#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include <string>
#include <vector>

namespace vaskreport_seam {

struct Item {
    int kind = 0;
    std::string object;
    std::string text;
    int row = 0;
    int column = -1;
    RECT rc = {};
};

struct Page {
    int number = 0;
    std::string file;
    std::vector<Item> items;
    std::vector<std::string> shown;

    // The texts of one kind (0: every text) in drawing order.
    std::vector<std::string> Texts(int kind = 0) const {
        std::vector<std::string> out;
        for (const Item& i : items)
            if ((kind == 0 && !i.text.empty()) || i.kind == kind) out.push_back(i.text);
        return out;
    }
    bool HasText(const std::string& text) const {
        for (const Item& i : items)
            if (i.text == text) return true;
        return false;
    }
    int Count(int kind) const {
        int n = 0;
        for (const Item& i : items) n += i.kind == kind;
        return n;
    }
};

struct Job {
    int handle = 0;
    std::string form;
    std::string document;
    int destination = 0;
    int lastPage = 0;
    std::vector<Page> pages;
};

// Collects every finished print while it exists; one recorder at a time.
class Recorder {
public:
    Recorder() { LlSeamSetJobSink(&Recorder::Sink, this); }
    ~Recorder() { LlSeamSetJobSink(nullptr, nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::vector<Job> jobs;
    // Called with each job as it arrives (optional): the page files exist only then.
    void (*onJob)(const Job& job, void* context) = nullptr;
    void* context = nullptr;

private:
    static void WINAPI Sink(const LLSEAMJOB* j, void* self) {
        Recorder* r = static_cast<Recorder*>(self);
        Job job;
        job.handle = j->hJob;
        job.form = j->pszForm;
        job.document = j->pszDocument;
        job.destination = j->nDestination;
        job.lastPage = j->nLastPage;
        for (int p = 0; p < j->nPages; ++p) {
            const LLSEAMPAGE& sp = j->pPages[p];
            Page page;
            page.number = sp.nPage;
            page.file = sp.pszFile;
            for (int i = 0; i < sp.nItems; ++i) {
                const LLSEAMITEM& si = sp.pItems[i];
                page.items.push_back(
                    Item{si.nKind, si.pszObject, si.pszText, si.nRow, si.nColumn, si.rc});
            }
            for (int s = 0; s < sp.nShown; ++s) page.shown.push_back(sp.ppszShown[s]);
            job.pages.push_back(std::move(page));
        }
        r->jobs.push_back(std::move(job));
        if (r->onJob) r->onJob(r->jobs.back(), r->context);
    }
};

struct Call {
    std::string function;
    int job = 0;
    std::string name;
    std::string text;
    bool hasText = false;  // whether a text was passed at all (NULL gives false)
    bool hasHints = false;
    INT_PTR value1 = 0;
    INT_PTR value2 = 0;
    HWND wnd = nullptr;
};

// Records every call of the engine while it exists; one call recorder at a time.
class CallRecorder {
public:
    CallRecorder() { LlSeamSetCallSink(&CallRecorder::Sink, this); }
    ~CallRecorder() { LlSeamSetCallSink(nullptr, nullptr); }
    CallRecorder(const CallRecorder&) = delete;
    CallRecorder& operator=(const CallRecorder&) = delete;

    std::vector<Call> calls;

    // The calls of one function, in order.
    std::vector<Call> Of(const std::string& function) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.function == function) out.push_back(c);
        return out;
    }
    size_t Count(const std::string& function) const { return Of(function).size(); }
    // The names of the functions called, in order.
    std::vector<std::string> Functions() const {
        std::vector<std::string> out;
        for (const Call& c : calls) out.push_back(c.function);
        return out;
    }

private:
    static void WINAPI Sink(const LLSEAMCALL* c, void* self) {
        Call call;
        call.function = c->pszFunction;
        call.job = c->hJob;
        call.name = c->pszName ? c->pszName : "";
        call.hasText = c->pszText != nullptr;
        call.text = c->pszText ? c->pszText : "";
        call.hasHints = c->pszHints != nullptr;
        call.value1 = c->nValue1;
        call.value2 = c->nValue2;
        call.wnd = c->hWnd;
        static_cast<CallRecorder*>(self)->calls.push_back(std::move(call));
    }
};

}  // namespace vaskreport_seam
#endif
