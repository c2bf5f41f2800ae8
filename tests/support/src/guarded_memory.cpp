// Guarded bytes and the report of a fault on their guard pages.
#include "guarded_memory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <mutex>

namespace {

struct Region {
    const unsigned char* page;  // the no-access page
    const unsigned char* begin;
    size_t size;
    GuardedBody::Guard guard;
    std::string what;
};

// The live guards. The handler only tries the lock: a fault while it is held (inside the
// registration itself) is reported without its case.
CRITICAL_SECTION g_lock;
std::vector<Region>* g_regions = nullptr;
size_t g_pageSize = 0;

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info);

void Setup() {
    static std::once_flag once;
    std::call_once(once, [] {
        InitializeCriticalSection(&g_lock);
        g_regions = new std::vector<Region>;
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        g_pageSize = system.dwPageSize;
        // First in line: a fault on a guard page is never the system's to handle.
        AddVectoredExceptionHandler(1, OnFault);
    });
}

LONG CALLBACK OnFault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* e = info->ExceptionRecord;
    if (e->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || e->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    const unsigned char* address =
        reinterpret_cast<const unsigned char*>(e->ExceptionInformation[1]);
    const char* access = e->ExceptionInformation[0] == 1 ? "write" : "read";
    bool ours = false;
    std::string report;
    if (TryEnterCriticalSection(&g_lock)) {
        for (const Region& r : *g_regions) {
            if (address < r.page || address >= r.page + g_pageSize) continue;
            ours = true;
            char line[160];
            snprintf(line, sizeof line, "%s %s the %zu guarded bytes", access,
                     r.guard == GuardedBody::Tail ? "behind" : "before", r.size);
            report = line;
            if (!r.what.empty()) report += " of " + r.what;
        }
        LeaveCriticalSection(&g_lock);
    }
    if (!ours) return EXCEPTION_CONTINUE_SEARCH;

    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name()
                                       : std::string("(outside a test)");
    printf("\nFailure: memory fault: %s\n[  CRASHED ] %s\n", report.c_str(), name.c_str());
    fflush(stdout);
    fprintf(stderr, "%s crashed: %s\n", name.c_str(), report.c_str());
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

GuardedBody::GuardedBody(const std::vector<unsigned char>& bytes, Guard guard,
                         const std::string& what) {
    Setup();
    const size_t page = g_pageSize;
    size_t dataPages = (bytes.size() + page - 1) / page + 1;
    size_t total = (dataPages + 1) * page;
    base_ = static_cast<unsigned char*>(
        VirtualAlloc(NULL, total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD old;
    if (guard == Tail) {
        guardPage_ = base_ + dataPages * page;
        begin_ = guardPage_ - bytes.size();
    } else {
        guardPage_ = base_;
        begin_ = base_ + page;
    }
    VirtualProtect(guardPage_, page, PAGE_NOACCESS, &old);
    if (!bytes.empty()) memcpy(begin_, bytes.data(), bytes.size());
    end_ = begin_ + bytes.size();
    EnterCriticalSection(&g_lock);
    g_regions->push_back(Region{guardPage_, begin_, bytes.size(), guard, what});
    LeaveCriticalSection(&g_lock);
}

GuardedBody::~GuardedBody() {
    EnterCriticalSection(&g_lock);
    for (size_t k = 0; k < g_regions->size(); ++k)
        if ((*g_regions)[k].page == guardPage_) {
            g_regions->erase(g_regions->begin() + (std::ptrdiff_t)k);
            break;
        }
    LeaveCriticalSection(&g_lock);
    VirtualFree(base_, 0, MEM_RELEASE);
}
