// Support of the log library's tests: a caller's page, a clock the tests set, a registry of
// the test program's own, a scratch folder, the view of the writer's private members, and
// the programs' main, which pins the time zone to the one the environment names.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nuraprotocol.h"

// A caller's page from the test program's own resources (template 145, "Instruments"),
// standing for the program's page of logged analyzers: a decimal delimiter chosen from "."
// and ",". It counts the times OK or Apply reached it.
class CCallerPage : public CPropertyPage {
public:
    CCallerPage();
    BOOL OnApply() override;

    CString m_strDelimiter;
    int m_nApplied;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

// The writer's clock in the tests: stands still at the time set last.
namespace testclock {
void Install(const CTime& start);
void Set(const CTime& now);
CTime Now();
void Advance(int seconds);
void Uninstall();
}  // namespace testclock

// HKEY_CURRENT_USER of this process, led to an empty key of its own for the lifetime of
// the object, so that tests neither see nor change the prefix's user settings.
class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    // Values below HKEY_CURRENT_USER \ path.
    void SetString(const char* path, const char* name, const std::string& value);
    void SetNumber(const char* path, const char* name, DWORD value);
    bool GetString(const char* path, const char* name, std::string& value) const;
    bool GetNumber(const char* path, const char* name, DWORD& value) const;

private:
    std::string key_;
    HKEY root_;
};

// A folder of its own below the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Names of the files and folders in it, sorted.
    std::vector<std::string> Names() const;

private:
    std::string path_;
};

// The whole content of a file ("" when it cannot be read); `exists` tells which.
std::string ReadBytes(const std::string& path, bool* exists = NULL);
void WriteBytes(const std::string& path, const std::string& bytes);

class CnuraProtocolProbe {
public:
    static CGeneralPage* General(CnuraProtocol& p) { return p.m_pGeneralPage; }
    static CFormatPage* Format(CnuraProtocol& p) { return p.m_pFormatPage; }
    static CString DialogTitle(const CnuraProtocol& p) { return p.m_strDialogTitle; }
    static CString BuildFileName(const CString& name, unsigned long counter) {
        return CnuraProtocol::BuildFileName(name, counter);
    }
    static unsigned long FileCounter(const CnuraProtocol& p) { return p.m_nFileCounter; }
};

// A writer on a scratch registry and a scratch folder, at a standing clock, logging into
// "prot.txt" of the folder with the separator ";".
class WriterTest : public ::testing::Test {
protected:
    // 24.12.2003 13:05:09, local time.
    static CTime StartTime() { return CTime(2003, 12, 24, 13, 5, 9); }

    WriterTest();
    ~WriterTest() override;

    std::string Log(unsigned long counter) const;

    ScratchRegistry registry;
    TempFolder folder;
    CnuraProtocol* writer;
};
