// What the shell's tests share: a program folder of the test's own (the application's
// help-file path points into a new temporary folder), a profile key of the test's own, and
// small readers of files, folders and registry values.
#pragma once

#include "test_folders.h"
#include "vaskfc.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace shelltest {

inline void DeleteFolder(const std::string& folder) { vasktest::DeleteFolderTree(folder); }

// A new empty folder as the program folder while the object lives; deleted afterwards.
// The application owns its help-file path and frees it when it goes, as the program's start
// sets it: the folder gives it a copy, and puts the earlier path back only into the
// application it changed, should that one still live (a test may end the application first).
class ProgramFolder {
public:
    ProgramFolder() : app_(AfxGetApp()), hadPath_(app_->m_pszHelpFilePath != NULL) {
        if (hadPath_) saved_ = app_->m_pszHelpFilePath;
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int serial = 0;
        std::ostringstream name;
        name << temp << "korvanga-shell-" << GetCurrentProcessId() << "-" << ++serial;
        folder_ = name.str();
        DeleteFolder(folder_);
        CreateDirectoryA(folder_.c_str(), NULL);
        SetHelpPath((folder_ + "\\KorvanGA.chm").c_str());
    }
    ~ProgramFolder() {
        if (AfxGetApp() == app_) SetHelpPath(hadPath_ ? saved_.c_str() : NULL);
        DeleteFolder(folder_);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& Path() const { return folder_; }
    std::string operator/(const std::string& name) const { return folder_ + "\\" + name; }

private:
    void SetHelpPath(LPCSTR path) {
        free((void*)app_->m_pszHelpFilePath);
        app_->m_pszHelpFilePath = path != NULL ? _strdup(path) : NULL;
    }
    CWinApp* app_;
    bool hadPath_;
    std::string saved_;
    std::string folder_;
};

// The application's profile below a maker's key of the test's own, empty at the start and
// removed at the end.
class ProfileKey {
public:
    explicit ProfileKey(const char* maker) : maker_(maker) {
        AfxGetApp()->SetRegistryKey(maker);
        Remove();
    }
    ~ProfileKey() { Remove(); }
    ProfileKey(const ProfileKey&) = delete;
    ProfileKey& operator=(const ProfileKey&) = delete;

    // The path of a section below HKEY_CURRENT_USER.
    std::string Section(const std::string& section) const {
        return "Software\\" + maker_ + "\\" + AfxGetApp()->m_pszProfileName + "\\" + section;
    }
    void SetDword(const std::string& section, const char* name, DWORD value) const {
        Set(section, name, REG_DWORD, &value, sizeof value);
    }
    void SetString(const std::string& section, const char* name, const std::string& value) const {
        Set(section, name, REG_SZ, value.c_str(), (DWORD)value.size() + 1);
    }
    void Set(const std::string& section, const char* name, DWORD type, const void* data,
             DWORD size) const {
        HKEY key = NULL;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Section(section).c_str(), 0,
                                                 NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL));
        EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, (const BYTE*)data, size));
        RegCloseKey(key);
    }
    bool SectionExists(const std::string& section) const {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Section(section).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    // The number of values of the section, -1 when it does not exist.
    int ValueCount(const std::string& section) const {
        HKEY key = NULL;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Section(section).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return -1;
        DWORD values = 0;
        RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
        RegCloseKey(key);
        return (int)values;
    }
    // A DWORD value, -1 when it is missing.
    long long Dword(const std::string& section, const char* name) const {
        DWORD value = 0, size = sizeof value, type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, Section(section).c_str(), name, RRF_RT_REG_DWORD, &type,
                         &value, &size) != ERROR_SUCCESS)
            return -1;
        return value;
    }

private:
    void Remove() const {
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + maker_).c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + maker_).c_str());
    }
    std::string maker_;
};

inline bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The names in a folder, "." and ".." left out.
inline std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

// "key=value" of each entry of a section of a private profile file, as the profile functions
// give them.
inline std::vector<std::string> IniSection(const std::string& file, const char* section) {
    std::vector<char> buffer(65536);
    const DWORD n =
        GetPrivateProfileSectionA(section, buffer.data(), (DWORD)buffer.size(), file.c_str());
    std::vector<std::string> entries;
    for (DWORD pos = 0; pos < n;) {
        const std::string entry(buffer.data() + pos);
        entries.push_back(entry);
        pos += (DWORD)entry.size() + 1;
    }
    return entries;
}

}  // namespace shelltest
