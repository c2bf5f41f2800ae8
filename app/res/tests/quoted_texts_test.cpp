// The string tables of the built KorvanGA.exe, utilvask.dll and NURAPROTOCOL.dll against the
// texts typed in by hand in quoted_texts.def: every id there must hold exactly its text
// (code page 1252, as the program loads it). One failure lists every difference.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Quoted {
    const char* module;
    int id;
    const char* text;  // code page 1252, as the compiler stores it
};

const Quoted kQuoted[] = {
#define VASK_QUOTED(module, id, text) {#module, id, text},
#include "quoted_texts.def"
};

#ifdef VASK_QUOTED
#error "quoted_texts.def left its macro defined"
#endif

const char* const kModules[] = {"KorvanGA", "utilvask", "NURAPROTOCOL"};

// The module's string table as a data file of the build's bin folder (the working folder).
HMODULE LoadModule(const std::string& name) {
    const std::string file = name + (name == "KorvanGA" ? ".exe" : ".dll");
    return LoadLibraryExA(file.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
}

// A text with its line breaks and quotes written as in C, for the list of differences.
std::string Shown(const std::string& text) {
    std::string shown = "\"";
    for (char c : text) {
        if (c == '\n')
            shown += "\\n";
        else if (c == '"')
            shown += "\\\"";
        else
            shown += c;
    }
    return shown + "\"";
}

TEST(QuotedTexts, EveryStringTableHoldsTheTextsWordForWord) {
    ASSERT_EQ(GetACP(), 1252u);
    std::map<std::string, HMODULE> modules;
    for (const char* name : kModules) {
        modules[name] = LoadModule(name);
        ASSERT_NE(modules[name], nullptr) << name << " not loadable, error " << GetLastError();
    }
    std::vector<std::string> differences;
    for (const Quoted& q : kQuoted) {
        ASSERT_TRUE(modules.count(q.module)) << "no module " << q.module;
        char buffer[4096];
        const int n = LoadStringA(modules[q.module], (UINT)q.id, buffer, sizeof buffer);
        const std::string where = std::string(q.module) + " " + std::to_string(q.id) + ": ";
        if (n <= 0)
            differences.push_back(where + "missing, should be " + Shown(q.text));
        else if (std::string(buffer, n) != q.text)
            differences.push_back(where + Shown(std::string(buffer, n)) + ", should be " +
                                  Shown(q.text));
    }
    for (const auto& [name, module] : modules) FreeLibrary(module);
    std::string list;
    for (const std::string& line : differences) list += line + "\n";
    EXPECT_TRUE(differences.empty()) << differences.size() << " texts differ:\n" << list;
}

// The table itself: one text per module and id.
TEST(QuotedTexts, NameEachIdOnce) {
    std::map<std::pair<std::string, int>, int> seen;
    for (const Quoted& q : kQuoted) ++seen[{q.module, q.id}];
    for (const auto& [key, count] : seen) EXPECT_EQ(count, 1) << key.first << " " << key.second;
}

}  // namespace
