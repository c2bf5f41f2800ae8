// The enhanced metafile reader of the tests. All numbers in the file are little-endian.
#include "emf_reader.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace emf {

namespace {

const uint32_t kSignature = 0x464D4520;  // " EMF"
const uint32_t kMinHeaderSize = 88;      // the header up to the millimetre size

// Object kinds of the object table, for FontInEffect and the like.
enum Kind { kKindFont, kKindPen, kKindBrush, kKindOther };

// The stock objects' kinds (GetStockObject indexes).
Kind StockKind(uint32_t index) {
    switch (index) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
        case 18: return kKindBrush;
        case 6:
        case 7:
        case 8:
        case 19: return kKindPen;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 16:
        case 17: return kKindFont;
        default: return kKindOther;
    }
}

std::string Describe(size_t index, uint32_t type) {
    std::ostringstream s;
    s << "record " << index << " (type " << type << ")";
    return s.str();
}

// Bounded reads within one range of the file; a read outside it is a format error.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size, std::string what)
        : m_data(data), m_size(size), m_what(std::move(what)) {}

    size_t size() const { return m_size; }
    const std::string& what() const { return m_what; }

    void Need(uint64_t offset, uint64_t count) const {
        if (offset > m_size || count > m_size - offset)
            throw FormatError(m_what + " is too short for its contents");
    }
    Bytes Sub(size_t offset, size_t count, std::string what) const {
        Need(offset, count);
        return Bytes(m_data + offset, count, std::move(what));
    }
    uint8_t U8(size_t offset) const {
        Need(offset, 1);
        return m_data[offset];
    }
    uint16_t U16(size_t offset) const {
        Need(offset, 2);
        return (uint16_t)(m_data[offset] | m_data[offset + 1] << 8);
    }
    uint32_t U32(size_t offset) const {
        Need(offset, 4);
        return (uint32_t)m_data[offset] | (uint32_t)m_data[offset + 1] << 8 |
               (uint32_t)m_data[offset + 2] << 16 | (uint32_t)m_data[offset + 3] << 24;
    }
    int32_t I32(size_t offset) const { return (int32_t)U32(offset); }
    int16_t I16(size_t offset) const { return (int16_t)U16(offset); }
    Point PointAt(size_t offset) const { return Point{I32(offset), I32(offset + 4)}; }
    Size SizeAt(size_t offset) const { return Size{I32(offset), I32(offset + 4)}; }
    Rect RectAt(size_t offset) const {
        return Rect{I32(offset), I32(offset + 4), I32(offset + 8), I32(offset + 12)};
    }
    // count UTF-16 units; with untilZero the text ends at the first zero.
    std::u16string Utf16(size_t offset, uint64_t count, bool untilZero) const {
        Need(offset, count * 2);
        std::u16string text;
        for (size_t i = 0; i < count; ++i) {
            char16_t c = (char16_t)U16(offset + i * 2);
            if (untilZero && c == 0) break;
            text.push_back(c);
        }
        return text;
    }
    std::string Ansi(size_t offset, uint64_t count) const {
        Need(offset, count);
        return std::string(reinterpret_cast<const char*>(m_data + offset), (size_t)count);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    std::string m_what;
};

// Code page 1252 at 0x80..0x9F; elsewhere it agrees with Latin-1. 0 marks an unused byte.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string ToCp1252(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.push_back((char)c);
            continue;
        }
        // A symbol font's characters: an ANSI text drawn in such a font is recorded as
        // U+F000 plus its codes.
        if (c >= 0xF020 && c <= 0xF0FF) {
            out.push_back((char)(c - 0xF000));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] != 0 && kCp1252High[i] == c) mapped = (char)(0x80 + i);
        out.push_back(mapped);
    }
    return out;
}

std::u16string FromCp1252(const std::string& text) {
    std::u16string out;
    for (char ch : text) {
        uint8_t b = (uint8_t)ch;
        char16_t c = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : (char16_t)b;
        out.push_back(c != 0 ? c : (char16_t)b);
    }
    return out;
}

Header ReadHeader(const Bytes& rec) {
    Header h;
    h.bounds = rec.RectAt(8);
    h.frame = rec.RectAt(24);
    if (rec.U32(40) != kSignature) throw FormatError("the header's signature is not \" EMF\"");
    h.version = rec.U32(44);
    h.bytes = rec.U32(48);
    h.records = rec.U32(52);
    h.handles = rec.U16(56);
    const uint32_t nDescription = rec.U32(60);
    const uint32_t offDescription = rec.U32(64);
    h.device = rec.SizeAt(72);
    h.millimeters = rec.SizeAt(80);
    if (nDescription != 0) {
        if (offDescription < kMinHeaderSize)
            throw FormatError("the header's description overlaps the header fields");
        h.description = rec.Utf16(offDescription, nDescription, false);
    }
    return h;
}

}  // namespace

// Decodes the records this reader knows; each checks its own bounds.
class Decoder {
public:
    Decoder(File& file, uint16_t handles) : m_file(file), m_handles(handles) {}

    void Record(size_t index, uint32_t type, const Bytes& rec) {
        switch (type) {
            case kExtTextOutA:
            case kExtTextOutW: Text(index, type == kExtTextOutW, rec); break;
            case kExtCreateFontIndirectW: Font(index, rec); break;
            case kCreatePen: Pen(index, rec); break;
            case kExtCreatePen: ExtPen(index, rec); break;
            case kCreateBrushIndirect: Brush(index, rec); break;
            case kSelectObject: m_file.m_selects.push_back(Ref(index, rec)); break;
            case kDeleteObject: m_file.m_deletes.push_back(Ref(index, rec)); break;
            case kRectangle: m_file.m_rectangles.push_back(Shape{index, rec.RectAt(8)}); break;
            case kMoveToEx: m_file.m_moveTos.push_back(Position{index, rec.PointAt(8)}); break;
            case kLineTo: m_file.m_lineTos.push_back(Position{index, rec.PointAt(8)}); break;
            case kPolyline:
            case kPolyline16: Polyline(index, type == kPolyline16, rec); break;
            case kSetTextAlign: m_file.m_textAligns.push_back(Setting{index, rec.U32(8)}); break;
            case kSetTextColor: m_file.m_textColors.push_back(Setting{index, rec.U32(8)}); break;
            case kSetPixelV:
                m_file.m_pixels.push_back(Pixel{index, rec.PointAt(8), rec.U32(16)});
                break;
            case kEof: Eof(rec); break;
            default: break;
        }
    }

private:
    // A new object's table entry: 0 is the metafile itself, the header gives the count.
    uint32_t NewHandle(const Bytes& rec) {
        uint32_t handle = rec.U32(8);
        if (handle == 0 || handle >= m_handles)
            throw FormatError(rec.what() + " creates object " + std::to_string(handle) +
                              " outside the object table of " + std::to_string(m_handles));
        return handle;
    }

    void Created(size_t index, uint32_t handle, Kind kind) {
        m_file.m_created.push_back(File::Created{index, handle, kind});
    }

    ObjectRef Ref(size_t index, const Bytes& rec) {
        ObjectRef ref;
        ref.index = index;
        ref.handle = rec.U32(8);
        if (!ref.IsStock() && ref.handle >= m_handles)
            throw FormatError(rec.what() + " names object " + std::to_string(ref.handle) +
                              " outside the object table of " + std::to_string(m_handles));
        return ref;
    }

    void Text(size_t index, bool wide, const Bytes& rec) {
        emf::Text t;
        t.index = index;
        t.wide = wide;
        rec.Need(0, 76);
        t.reference = rec.PointAt(36);
        const uint32_t nChars = rec.U32(44);
        const uint32_t offString = rec.U32(48);
        t.options = rec.U32(52);
        t.clip = rec.RectAt(56);
        const uint32_t offDx = rec.U32(72);
        if (wide) {
            t.wtext = rec.Utf16(offString, nChars, false);
            t.text = ToCp1252(t.wtext);
        } else {
            t.text = rec.Ansi(offString, nChars);
            t.wtext = FromCp1252(t.text);
        }
        // The character advances: one per character, two with ETO_PDY (0x2000).
        if (nChars != 0 && offDx != 0)
            rec.Need(offDx, (uint64_t)nChars * ((t.options & 0x2000) ? 8 : 4));
        m_file.m_texts.push_back(std::move(t));
    }

    void Font(size_t index, const Bytes& rec) {
        emf::Font f;
        f.index = index;
        rec.Need(0, 104);  // the handle and a LOGFONTW
        f.handle = NewHandle(rec);
        f.height = rec.I32(12);
        f.width = rec.I32(16);
        f.escapement = rec.I32(20);
        f.orientation = rec.I32(24);
        f.weight = rec.I32(28);
        f.italic = rec.U8(32);
        f.underline = rec.U8(33);
        f.strikeOut = rec.U8(34);
        f.charSet = rec.U8(35);
        f.outPrecision = rec.U8(36);
        f.clipPrecision = rec.U8(37);
        f.quality = rec.U8(38);
        f.pitchAndFamily = rec.U8(39);
        f.wface = rec.Utf16(40, 32, true);
        f.face = ToCp1252(f.wface);
        Created(index, f.handle, kKindFont);
        m_file.m_fonts.push_back(std::move(f));
    }

    void Pen(size_t index, const Bytes& rec) {
        emf::Pen p;
        p.index = index;
        rec.Need(0, 28);
        p.handle = NewHandle(rec);
        p.style = rec.U32(12);
        p.width = rec.I32(16);
        p.color = rec.U32(24);
        m_file.m_pens.push_back(p);
        Created(index, p.handle, kKindPen);
    }

    void ExtPen(size_t index, const Bytes& rec) {
        emf::Pen p;
        p.index = index;
        p.extended = true;
        rec.Need(0, 52);
        p.handle = NewHandle(rec);
        const uint32_t offBmi = rec.U32(12), cbBmi = rec.U32(16);
        const uint32_t offBits = rec.U32(20), cbBits = rec.U32(24);
        if (cbBmi != 0) rec.Need(offBmi, cbBmi);
        if (cbBits != 0) rec.Need(offBits, cbBits);
        p.style = rec.U32(28);
        p.width = rec.I32(32);
        p.color = rec.U32(40);
        rec.Need(52, (uint64_t)rec.U32(48) * 4);  // the user style entries
        m_file.m_pens.push_back(p);
        Created(index, p.handle, kKindPen);
    }

    void Brush(size_t index, const Bytes& rec) {
        emf::Brush b;
        b.index = index;
        rec.Need(0, 24);
        b.handle = NewHandle(rec);
        b.style = rec.U32(12);
        b.color = rec.U32(16);
        b.hatch = rec.U32(20);
        m_file.m_brushes.push_back(b);
        Created(index, b.handle, kKindBrush);
    }

    void Polyline(size_t index, bool sixteen, const Bytes& rec) {
        emf::Polyline line;
        line.index = index;
        line.sixteen = sixteen;
        line.bounds = rec.RectAt(8);
        const uint32_t count = rec.U32(24);
        const uint32_t pointSize = sixteen ? 4 : 8;
        rec.Need(28, (uint64_t)count * pointSize);
        line.points.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = 28 + (size_t)i * pointSize;
            line.points.push_back(sixteen ? Point{rec.I16(at), rec.I16(at + 2)} : rec.PointAt(at));
        }
        m_file.m_polylines.push_back(std::move(line));
    }

    void Eof(const Bytes& rec) {
        rec.Need(0, 20);
        const uint32_t nPalEntries = rec.U32(8), offPalEntries = rec.U32(12);
        if (nPalEntries != 0) rec.Need(offPalEntries, (uint64_t)nPalEntries * 4);
        if (rec.U32(rec.size() - 4) != rec.size())
            throw FormatError(rec.what() + " (end of file) gives another size at its end");
    }

    File& m_file;
    uint16_t m_handles;
};

File File::Parse(const void* data, size_t size) {
    if (data == nullptr && size != 0) throw FormatError("no bytes given");
    const Bytes file(static_cast<const uint8_t*>(data), size, "the file");
    if (size < 8) throw FormatError("the file is shorter than a record");
    if (file.U32(0) != kHeader) throw FormatError("the file does not begin with a header record");
    const uint32_t headerSize = file.U32(4);
    if (headerSize < kMinHeaderSize || headerSize % 4 != 0)
        throw FormatError("the header record gives an invalid size");
    if (headerSize > size) throw FormatError("the header record runs past the end of the file");

    File result;
    result.m_header = ReadHeader(file.Sub(0, headerSize, "the header record"));
    if (result.m_header.bytes != size)
        throw FormatError("the header gives " + std::to_string(result.m_header.bytes) +
                          " bytes, the file has " + std::to_string(size));

    Decoder decoder(result, result.m_header.handles);
    size_t offset = 0;
    bool ended = false;
    while (offset < size && !ended) {
        const size_t index = result.m_records.size();
        if (size - offset < 8) throw FormatError(Describe(index, 0) + " is cut short");
        const uint32_t type = file.U32(offset), recordSize = file.U32(offset + 4);
        const std::string what = Describe(index, type);
        if (recordSize < 8 || recordSize % 4 != 0)
            throw FormatError(what + " gives an invalid size");
        if (recordSize > size - offset) throw FormatError(what + " runs past the end of the file");
        if (index != 0 && type == kHeader) throw FormatError(what + " is a second header");
        result.m_records.push_back(Record{type, recordSize, (uint32_t)offset});
        if (index != 0) decoder.Record(index, type, file.Sub(offset, recordSize, what));
        offset += recordSize;
        ended = type == kEof;
    }
    if (!ended) throw FormatError("the file has no end-of-file record");
    if (offset != size) throw FormatError("bytes follow the end-of-file record");
    if (result.m_header.records != result.m_records.size())
        throw FormatError("the header counts " + std::to_string(result.m_header.records) +
                          " records, the file has " + std::to_string(result.m_records.size()));
    return result;
}

File File::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormatError("cannot open " + path);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw FormatError("cannot read " + path);
    return Parse(bytes.data(), bytes.size());
}

std::vector<Record> File::RecordsOfType(uint32_t type) const {
    std::vector<Record> found;
    for (const Record& r : m_records)
        if (r.type == type) found.push_back(r);
    return found;
}

// Plays the object table forward to recordIndex: creations fill entries, deletions empty
// them, selections of this kind make an entry (or a stock object) current.
const File::Created* File::SelectedBefore(size_t recordIndex, int kind) const {
    std::vector<const Created*> table(m_header.handles, nullptr);
    const Created* current = nullptr;
    auto created = m_created.begin();
    auto selected = m_selects.begin();
    auto deleted = m_deletes.begin();
    for (size_t i = 0; i < recordIndex && i < m_records.size(); ++i) {
        if (created != m_created.end() && created->index == i) {
            table[created->handle] = &*created;
            ++created;
        } else if (deleted != m_deletes.end() && deleted->index == i) {
            if (!deleted->IsStock()) table[deleted->handle] = nullptr;
            ++deleted;
        } else if (selected != m_selects.end() && selected->index == i) {
            if (selected->IsStock()) {
                if (StockKind(selected->handle & 0x7FFFFFFFu) == kind) current = nullptr;
            } else if (table[selected->handle] != nullptr &&
                       table[selected->handle]->kind == kind) {
                current = table[selected->handle];
            }
            ++selected;
        }
    }
    return current;
}

template <typename T>
const T* File::InEffect(size_t recordIndex, int kind, const std::vector<T>& objects) const {
    const Created* c = SelectedBefore(recordIndex, kind);
    if (c == nullptr) return nullptr;
    for (const T& object : objects)
        if (object.index == c->index) return &object;
    return nullptr;
}

const Font* File::FontInEffect(size_t recordIndex) const {
    return InEffect(recordIndex, kKindFont, m_fonts);
}

const Pen* File::PenInEffect(size_t recordIndex) const {
    return InEffect(recordIndex, kKindPen, m_pens);
}

const Brush* File::BrushInEffect(size_t recordIndex) const {
    return InEffect(recordIndex, kKindBrush, m_brushes);
}

namespace {

bool LastBefore(const std::vector<Setting>& settings, size_t recordIndex, uint32_t* value) {
    const Setting* last = nullptr;
    for (const Setting& s : settings) {
        if (s.index >= recordIndex) break;
        last = &s;
    }
    if (last == nullptr) return false;
    if (value != nullptr) *value = last->value;
    return true;
}

}  // namespace

bool File::TextAlignInEffect(size_t recordIndex, uint32_t* align) const {
    return LastBefore(m_textAligns, recordIndex, align);
}

bool File::TextColorInEffect(size_t recordIndex, uint32_t* color) const {
    return LastBefore(m_textColors, recordIndex, color);
}

}  // namespace emf
