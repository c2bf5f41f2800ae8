// The bytes of an analyzer's document, written and read by the tests themselves (not by the
// code under test): the archive's object framing, DWORDs, doubles and length-prefixed
// strings, little-endian. A writer builds fixtures of any record version; a reader takes a
// stored file apart. Files go through a temporary file and the class library's archive.
#pragma once

#include "vaskfc.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class RecordWriter {
public:
    // A new class: 0xFFFF, the schema, the name's length and the name.
    RecordWriter& Class(const std::string& name, WORD schema) {
        Word(0xFFFF);
        Word(schema);
        Word((WORD)name.size());
        bytes += name;
        return *this;
    }
    RecordWriter& Word(WORD w) {
        bytes.append(reinterpret_cast<const char*>(&w), sizeof w);
        return *this;
    }
    RecordWriter& Dword(DWORD d) {
        bytes.append(reinterpret_cast<const char*>(&d), sizeof d);
        return *this;
    }
    RecordWriter& Double(double v) {
        bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
    // A one-byte length below 255 (the only lengths the fixtures use).
    RecordWriter& String(const std::string& s) {
        if (s.size() >= 255) throw std::length_error("fixture string too long");
        bytes += (char)s.size();
        bytes += s;
        return *this;
    }
    // Fields 3 to 7 of an entry record: marker, value text, value, unit, quantity.
    RecordWriter& Value(const std::string& text, double value, DWORD unit, DWORD quantity,
                        DWORD marker = 2) {
        return Dword(marker).String(text).Double(value).Dword(unit).Dword(quantity);
    }
    std::string bytes;
};

class RecordReader {
public:
    explicit RecordReader(const std::string& bytes) : bytes_(bytes) {}
    // The class tag of a new class; its name.
    std::string Class(WORD& schema) {
        if (Word() != 0xFFFF) throw std::runtime_error("no new class tag");
        schema = Word();
        const WORD length = Word();
        return Take(length);
    }
    WORD Word() { return Get<WORD>(); }
    DWORD Dword() { return Get<DWORD>(); }
    double Double() { return Get<double>(); }
    std::string String() {
        const unsigned char length = (unsigned char)Take(1)[0];
        if (length == 255) throw std::runtime_error("long strings are not read here");
        return Take(length);
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    template <class T>
    T Get() {
        T value;
        std::memcpy(&value, Take(sizeof value).data(), sizeof value);
        return value;
    }
    std::string Take(size_t n) {
        if (bytes_.size() - at_ < n) throw std::runtime_error("record ends early");
        std::string part = bytes_.substr(at_, n);
        at_ += n;
        return part;
    }
    std::string bytes_;
    size_t at_ = 0;
};

// A file of the temporary folder, removed with the object.
class RecordFile {
public:
    RecordFile() {
        char dir[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        GetTempFileNameA(dir, "rec", 0, name);
        path_ = name;
    }
    ~RecordFile() { DeleteFileA(path_.c_str()); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Writes `object` as the document writes its one object.
    void Store(const CObject* object) {
        CFile file(path_.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(object);
        ar.Close();
    }
    // Reads the one object back as the document does; the archive's exceptions reach the
    // caller.
    template <class Object>
    std::unique_ptr<Object> Load() {
        CFile file(path_.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CObject* object = ar.ReadObject(NULL);
        return std::unique_ptr<Object>(static_cast<Object*>(object));
    }
    std::string Bytes() const {
        CFile file(path_.c_str(), CFile::modeRead);
        std::string bytes(file.GetLength(), '\0');
        if (!bytes.empty()) file.Read(&bytes[0], (UINT)bytes.size());
        return bytes;
    }
    void SetBytes(const std::string& bytes) const {
        CFile file(path_.c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(bytes.data(), (UINT)bytes.size());
    }
    // Has `object` read the file's bytes as its own record (no class tag), as the object
    // reading would with the stored `schema`.
    void LoadInto(CObject& object, UINT schema) {
        CFile file(path_.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        ar.SetObjectSchema(schema);
        object.Serialize(ar);
    }

private:
    std::string path_;
};

// A stored analyzer record taken apart (a model without the Quenta field).
struct StoredEntry {
    std::string key;
    DWORD number;
    DWORD marker;
    std::string text;
    double value;
    DWORD unit;
    DWORD quantity;
};

struct StoredAnalyzer {
    std::string className;
    WORD schema = 0;
    DWORD version = 0, typeCode = 0, components = 0;
    std::string name;
    DWORD extensionCard = 0, heating = 0;
    std::string componentNames[4];
    DWORD count = 0;
    std::vector<StoredEntry> entries;
    bool complete = false;  // nothing follows the last record
};

inline StoredAnalyzer ReadStoredAnalyzer(const std::string& bytes) {
    RecordReader in(bytes);
    StoredAnalyzer a;
    a.className = in.Class(a.schema);
    a.version = in.Dword();
    a.typeCode = in.Dword();
    a.components = in.Dword();
    a.name = in.String();
    a.extensionCard = in.Dword();
    a.heating = in.Dword();
    for (std::string& name : a.componentNames) name = in.String();
    a.count = in.Dword();
    for (DWORD i = 0; i < a.count && !in.AtEnd(); ++i) {
        StoredEntry e;
        e.key = in.String();
        e.number = in.Dword();
        e.marker = in.Dword();
        e.text = in.String();
        e.value = in.Double();
        e.unit = in.Dword();
        e.quantity = in.Dword();
        a.entries.push_back(e);
    }
    a.complete = in.AtEnd();
    return a;
}
