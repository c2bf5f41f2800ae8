#include "test_support.h"

#include <algorithm>
#include <atomic>

namespace testclock {

namespace {
std::atomic<long long> g_now(0);
CTime Read() { return CTime((time_t)g_now.load()); }
}  // namespace

void Install(const CTime& start) {
    Set(start);
    CnuraProtocol::SetClock(&Read);
}
void Set(const CTime& now) { g_now = (long long)now.GetTime(); }
CTime Now() { return Read(); }
void Advance(int seconds) { g_now += seconds; }
void Uninstall() { CnuraProtocol::SetClock(NULL); }

}  // namespace testclock

// ---- the caller's page -----------------------------------------------------------------

CCallerPage::CCallerPage() : CPropertyPage(145), m_strDelimiter("."), m_nApplied(0) {}

BOOL CCallerPage::OnInitDialog() {
    SendDlgItemMessage(1181, CB_ADDSTRING, 0, (LPARAM) ".");
    SendDlgItemMessage(1181, CB_ADDSTRING, 0, (LPARAM) ",");
    return CPropertyPage::OnInitDialog();
}

void CCallerPage::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, 1181, m_strDelimiter);
}

BOOL CCallerPage::OnApply() {
    ++m_nApplied;
    return CPropertyPage::OnApply();
}

// ---- registry ---------------------------------------------------------------------------

ScratchRegistry::ScratchRegistry() : root_(NULL) {
    key_ = "Software\\KorvanGA tests\\logbook " + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                              &root_, NULL),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, root_), ERROR_SUCCESS);
}

ScratchRegistry::~ScratchRegistry() {
    RegOverridePredefKey(HKEY_CURRENT_USER, NULL);
    RegCloseKey(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
}

void ScratchRegistry::SetString(const char* path, const char* name, const std::string& value) {
    ASSERT_EQ(RegSetKeyValueA(root_, path, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1),
              ERROR_SUCCESS);
}

void ScratchRegistry::SetNumber(const char* path, const char* name, DWORD value) {
    ASSERT_EQ(RegSetKeyValueA(root_, path, name, REG_DWORD, &value, sizeof value), ERROR_SUCCESS);
}

bool ScratchRegistry::GetString(const char* path, const char* name, std::string& value) const {
    char buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueA(root_, path, name, RRF_RT_REG_SZ, NULL, buffer, &size) != ERROR_SUCCESS)
        return false;
    value = buffer;
    return true;
}

bool ScratchRegistry::GetNumber(const char* path, const char* name, DWORD& value) const {
    DWORD size = sizeof value;
    return RegGetValueA(root_, path, name, RRF_RT_REG_DWORD, NULL, &value, &size) == ERROR_SUCCESS;
}

// ---- files ------------------------------------------------------------------------------

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    char dir[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, "nur", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, NULL);
    path_ = name;
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path, bool* exists) {
    // Shared for readers and writers: the writer may hold the file open.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (exists != NULL) *exists = h != INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, NULL) && n > 0) bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << path;
    DWORD n = 0;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, NULL);
    CloseHandle(h);
}

// ---- the writer's fixture -----------------------------------------------------------------

WriterTest::WriterTest() {
    testclock::Install(StartTime());
    writer = new CnuraProtocol;
    writer->SetFileName(CString(folder.File("prot.txt").c_str()));
    writer->SetSeparator(";");
}

WriterTest::~WriterTest() {
    delete writer;
    testclock::Uninstall();
}

std::string WriterTest::Log(unsigned long counter) const {
    char name[32];
    snprintf(name, sizeof name, "prot%04lu.txt", counter);
    return folder.File(name);
}

// ---- the test programs' main --------------------------------------------------------------

int main(int argc, char** argv) {
    // Wine takes the zone from the TZ of the environment; the C runtime would read TZ itself
    // in its own (Windows) form and misread it.
    _putenv("TZ=");
    _tzset();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
