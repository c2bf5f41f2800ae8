// The library's life as a process sees it: the parser's trace lines, the prototypes
// released when the library unloads, and an early release. Runs utilvask only in child
// processes or loaded by hand, so that it can be unloaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <malloc.h>
#include <string.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Runs message_probe.exe with the arguments, with VASK_TRACE naming `traceFile` (none
// when empty); returns its exit code, or -1 when it could not be started.
long RunProbe(const std::string& arguments, const std::string& traceFile) {
    std::string environment;
    LPCH block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += strlen(p) + 1)
        if (_strnicmp(p, "VASK_TRACE", 10) != 0) environment.append(p, strlen(p) + 1);
    FreeEnvironmentStringsA(block);
    if (!traceFile.empty()) environment += "VASK_TRACE=" + traceFile + '\0';
    environment += '\0';
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "message_probe.exe " + arguments;
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, &environment[0], NULL,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return (long)exitCode;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

size_t HeapInUse() {
    _HEAPINFO entry;
    entry._pentry = NULL;
    size_t total = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) total += entry._size;
    return total;
}

TEST(ParserTrace, OnlyTheUnknownPairIsReportedWithItsLetterAndFunction) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    const std::string path = std::string(dir) + "utilvask_message_trace.txt";
    DeleteFileA(path.c_str());
    ASSERT_EQ(RunProbe("", path), 0);
    const std::string trace = FileText(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(Count(trace, "Invalid message 78,c8 from 3/1 received\n"), 1u) << trace;
    EXPECT_EQ(Count(trace, "Invalid message"), 1u) << trace;
    // Every body parsed tells where it ends.
    EXPECT_EQ(Count(trace, " End "), 3u) << trace;
}

TEST(PrototypeRelease, AnEarlyReleaseLeavesACatalogueWithoutPrototypes) {
    EXPECT_EQ(RunProbe("release", ""), 0);
}

// Loading and unloading the library again and again: the heap keeps what the runtime
// keeps for every load, and nothing of the prototypes.
TEST(PrototypeRelease, UnloadingTheLibraryReleasesThePrototypes) {
    typedef void (*Function)();
    ASSERT_EQ(GetModuleHandleA("utilvask.dll"), nullptr);
    HMODULE classes = LoadLibraryA("vaskfc.dll");  // stays loaded: only utilvask comes and goes
    ASSERT_NE(classes, nullptr);
    auto cycle = [](bool releaseFirst) {
        HMODULE library = LoadLibraryA("utilvask.dll");
        ASSERT_NE(library, nullptr);
        if (releaseFirst) {
            Function release = (Function)GetProcAddress(library, "_Z19FreeParamPrototypesv");
            ASSERT_NE(release, nullptr);
            release();
        }
        FreeLibrary(library);
        ASSERT_EQ(GetModuleHandleA("utilvask.dll"), nullptr);
    };
    for (bool releaseFirst : {true, false}) cycle(releaseFirst);

    // What the prototypes take.
    HMODULE library = LoadLibraryA("utilvask.dll");
    ASSERT_NE(library, nullptr);
    const size_t loaded = HeapInUse();
    ((Function)GetProcAddress(library, "_Z19FreeParamPrototypesv"))();
    const size_t prototypes = loaded - HeapInUse();
    FreeLibrary(library);
    EXPECT_GT(prototypes, 20000u);

    const int cycles = 5;
    const size_t start = HeapInUse();
    for (int k = 0; k < cycles; ++k) cycle(true);
    const size_t releasedByHand = HeapInUse();
    for (int k = 0; k < cycles; ++k) cycle(false);
    const size_t releasedAtUnload = HeapInUse();
    const long long residue = (long long)releasedByHand - (long long)start;
    const long long unloaded = (long long)releasedAtUnload - (long long)releasedByHand;
    // Prototypes left behind at each unload would add `prototypes` per cycle.
    EXPECT_LT(unloaded, residue + (long long)prototypes)
        << "runtime residue " << residue << ", prototypes " << prototypes;
    FreeLibrary(classes);
}

}  // namespace
