// Test seam of vaskreport.dll: hands each finished print (LlPrintEnd without a Cancel) to a
// sink, page by page: the texts drawn, the drawings played, the drawing requests sent and the
// hidden (":") objects shown. The program never installs a sink; tests of its print code do,
// through vaskreport_seam::Recorder below.
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

#ifdef __cplusplus
extern "C" {
#endif
// Installs the sink (NULL removes it). It is called on the printing thread at the end of
// LlPrintEnd, after the output was made.
VASKREPORT_API void WINAPI LlSeamSetJobSink(LLSEAMSINK pfnSink, void* pContext);
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

}  // namespace vaskreport_seam
#endif
