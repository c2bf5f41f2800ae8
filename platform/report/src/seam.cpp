// The test seam: each finished print handed to the installed sink as plain records.
#include "engine.h"
#include "vaskreport_seam.h"

#include <mutex>

namespace vaskreport {

namespace {

std::mutex g_sinkLock;
LLSEAMSINK g_sink = nullptr;
void* g_context = nullptr;
LLSEAMCALLSINK g_callSink = nullptr;
void* g_callContext = nullptr;
int g_failJobOpens = 0;

}  // namespace

void ReportFinishedJob(const Job& job) {
    LLSEAMSINK sink;
    void* context;
    {
        std::lock_guard<std::mutex> lock(g_sinkLock);
        sink = g_sink;
        context = g_context;
    }
    if (!sink) return;
    // The records point into the job, which outlives the call.
    std::vector<std::vector<LLSEAMITEM>> items(job.pages.size());
    std::vector<std::vector<LPCSTR>> shown(job.pages.size());
    std::vector<LLSEAMPAGE> pages(job.pages.size());
    for (size_t p = 0; p < job.pages.size(); ++p) {
        const RecordedPage& rp = job.pages[p];
        for (const SeamItem& i : rp.items)
            items[p].push_back(
                LLSEAMITEM{i.kind, i.object.c_str(), i.text.c_str(), i.row, i.column, i.rc});
        for (const std::string& s : rp.shown) shown[p].push_back(s.c_str());
        pages[p].nPage = rp.number;
        pages[p].pszFile = rp.file.c_str();
        pages[p].nItems = static_cast<INT>(items[p].size());
        pages[p].pItems = items[p].data();
        pages[p].nShown = static_cast<INT>(shown[p].size());
        pages[p].ppszShown = shown[p].data();
    }
    LLSEAMJOB record = {};
    record.hJob = job.handle;
    record.pszForm = job.formPath.c_str();
    record.pszDocument = job.document.c_str();
    record.nDestination = job.destination;
    record.nLastPage = job.lastPage;
    record.nPages = static_cast<INT>(pages.size());
    record.pPages = pages.data();
    sink(&record, context);
}

void RecordCall(const char* function, INT hJob, LPCSTR name, LPCSTR text, INT_PTR value1,
                INT_PTR value2, HWND wnd, LPCSTR hints) {
    LLSEAMCALLSINK sink;
    void* context;
    {
        std::lock_guard<std::mutex> lock(g_sinkLock);
        sink = g_callSink;
        context = g_callContext;
    }
    if (!sink) return;
    LLSEAMCALL call = {function, hJob, name, text, hints, value1, value2, wnd};
    sink(&call, context);
}

bool JobOpenAllowed() {
    std::lock_guard<std::mutex> lock(g_sinkLock);
    if (g_failJobOpens <= 0) return true;
    --g_failJobOpens;
    return false;
}

}  // namespace vaskreport

extern "C" void WINAPI LlSeamSetCallSink(LLSEAMCALLSINK pfnSink, void* pContext) {
    std::lock_guard<std::mutex> lock(vaskreport::g_sinkLock);
    vaskreport::g_callSink = pfnSink;
    vaskreport::g_callContext = pContext;
}

extern "C" void WINAPI LlSeamFailJobOpen(INT nTimes) {
    std::lock_guard<std::mutex> lock(vaskreport::g_sinkLock);
    vaskreport::g_failJobOpens = nTimes;
}

extern "C" void WINAPI LlSeamSetJobSink(LLSEAMSINK pfnSink, void* pContext) {
    std::lock_guard<std::mutex> lock(vaskreport::g_sinkLock);
    vaskreport::g_sink = pfnSink;
    vaskreport::g_context = pContext;
}
