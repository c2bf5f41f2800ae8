// Files for the transfer tests: the fixtures in data/ and files of a test's own.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include <windows.h>

namespace transfer_test {

// A fixture of data/ (the folder is given at build time as a Unix path, which Wine
// reaches through drive Z:).
inline std::string DataPath(const char* name) {
    std::string path = VASK_FIRMWARE_DATA;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    return path + "/" + name;
}

inline std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == NULL) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((unsigned char)c);
    fclose(f);
    return bytes;
}

// The lines of a text file without their line ends.
inline std::vector<std::string> ReadLines(const std::string& path) {
    std::vector<unsigned char> bytes = ReadBytes(path);
    std::vector<std::string> lines;
    std::string line;
    for (unsigned char b : bytes) {
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b != '\r') {
            line += (char)b;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

// A file of its own in the temporary folder, removed at the end of the test.
class TempFile {
public:
    TempFile() {
        char dir[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "vsk", 0, name);
        path_ = name;
    }
    explicit TempFile(const std::string& content) : TempFile() { Write(content); }
    ~TempFile() { DeleteFileA(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    void Write(const std::string& content) const {
        FILE* f = fopen(path_.c_str(), "wb");
        fwrite(content.data(), 1, content.size(), f);
        fclose(f);
    }
    std::vector<unsigned char> Bytes() const { return ReadBytes(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace transfer_test
