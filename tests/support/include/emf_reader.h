// A reader of enhanced metafiles (.emf) for tests: it parses the file's bytes itself,
// without GDI playback, so that what a program recorded can be checked independently of the
// GDI that recorded it.
//
//     emf::File file = emf::File::Parse(bytes.data(), bytes.size());   // or File::Load(path)
//     for (const emf::Text& t : file.Texts()) ...                      // decoded records
//     const emf::Font* font = file.FontInEffect(t.index);              // what was selected
//
// Parse refuses (emf::FormatError) a file that is cut short, carries a wrong signature, sizes
// or counts that disagree with its bytes, or a known record too short for its contents. It
// never reads outside the given bytes. Records of other types are listed but not decoded.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace emf {

// Record types this reader decodes (the values of the EMF format).
enum RecordType : uint32_t {
    kHeader = 1,
    kPolyline = 4,
    kEof = 14,
    kSetPixelV = 15,
    kSetTextAlign = 22,
    kSetTextColor = 24,
    kMoveToEx = 27,
    kSelectObject = 37,
    kCreatePen = 38,
    kCreateBrushIndirect = 39,
    kDeleteObject = 40,
    kRectangle = 43,
    kLineTo = 54,
    kExtCreateFontIndirectW = 82,
    kExtTextOutA = 83,
    kExtTextOutW = 84,
    kPolyline16 = 87,
    kExtCreatePen = 95,
};

class FormatError : public std::runtime_error {
public:
    explicit FormatError(const std::string& what) : std::runtime_error(what) {}
};

struct Point {
    int32_t x = 0, y = 0;
};
struct Size {
    int32_t cx = 0, cy = 0;
};
struct Rect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Header {
    Rect bounds;  // device units, inclusive: what the drawing covered
    Rect frame;   // 0.01 mm, inclusive: the picture frame
    uint32_t version = 0;
    uint32_t bytes = 0;          // size of the whole file
    uint32_t records = 0;        // number of records, header and EOF included
    uint16_t handles = 0;        // entries of the object table, index 0 included
    std::u16string description;  // "application\0picture\0" as recorded, or empty
    Size device;                 // reference device in pixels
    Size millimeters;            // reference device in millimetres
};

// One record: where it lies in the file.
struct Record {
    uint32_t type = 0;
    uint32_t size = 0;    // bytes, the type and size fields included
    uint32_t offset = 0;  // from the start of the file
};

// Decoded records. index is the record's position in File::Records().
struct Text {  // EMR_EXTTEXTOUTA / EMR_EXTTEXTOUTW
    size_t index = 0;
    bool wide = false;
    Point reference;
    uint32_t options = 0;  // ETO_* flags
    Rect clip;             // the ETO_CLIPPED / ETO_OPAQUE rectangle
    std::u16string wtext;  // as recorded (an ANSI record's bytes read as code page 1252)
    std::string text;      // in code page 1252, a symbol font's U+F020..U+F0FF as their codes;
                           // '?' for characters it does not have
};

struct Font {  // EMR_EXTCREATEFONTINDIRECTW
    size_t index = 0;
    uint32_t handle = 0;  // object table index
    int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0;
    uint8_t outPrecision = 0, clipPrecision = 0, quality = 0, pitchAndFamily = 0;
    std::u16string wface;
    std::string face;  // code page 1252
};

struct Pen {  // EMR_CREATEPEN, EMR_EXTCREATEPEN
    size_t index = 0;
    uint32_t handle = 0;
    bool extended = false;
    uint32_t style = 0;  // PS_* (for an extended pen with the type and end bits)
    int32_t width = 0;
    uint32_t color = 0;  // COLORREF 0x00BBGGRR
};

struct Brush {  // EMR_CREATEBRUSHINDIRECT
    size_t index = 0;
    uint32_t handle = 0;
    uint32_t style = 0;  // BS_*
    uint32_t color = 0;
    uint32_t hatch = 0;
};

struct ObjectRef {  // EMR_SELECTOBJECT, EMR_DELETEOBJECT
    size_t index = 0;
    uint32_t handle = 0;  // object table index, or 0x80000000 | a stock object
    bool IsStock() const { return (handle & 0x80000000u) != 0; }
};

struct Shape {  // EMR_RECTANGLE
    size_t index = 0;
    Rect box;  // inclusive: right and bottom are one less than the Rectangle call gave
};

struct Position {  // EMR_MOVETOEX, EMR_LINETO
    size_t index = 0;
    Point point;
};

struct Polyline {  // EMR_POLYLINE, EMR_POLYLINE16
    size_t index = 0;
    bool sixteen = false;
    Rect bounds;
    std::vector<Point> points;
};

struct Setting {  // EMR_SETTEXTALIGN (TA_* flags), EMR_SETTEXTCOLOR (COLORREF)
    size_t index = 0;
    uint32_t value = 0;
};

struct Pixel {  // EMR_SETPIXELV
    size_t index = 0;
    Point point;
    uint32_t color = 0;
};

class File {
public:
    // Throws FormatError when the bytes are not a whole, consistent enhanced metafile.
    static File Parse(const void* data, size_t size);
    // Reads and parses a file; FormatError also when it cannot be read.
    static File Load(const std::string& path);

    const Header& GetHeader() const { return m_header; }
    const std::vector<Record>& Records() const { return m_records; }
    // Records of one type, in file order.
    std::vector<Record> RecordsOfType(uint32_t type) const;

    const std::vector<Text>& Texts() const { return m_texts; }
    const std::vector<Font>& Fonts() const { return m_fonts; }
    const std::vector<Pen>& Pens() const { return m_pens; }
    const std::vector<Brush>& Brushes() const { return m_brushes; }
    const std::vector<ObjectRef>& Selects() const { return m_selects; }
    const std::vector<ObjectRef>& Deletes() const { return m_deletes; }
    const std::vector<Shape>& Rectangles() const { return m_rectangles; }
    const std::vector<Position>& MoveTos() const { return m_moveTos; }
    const std::vector<Position>& LineTos() const { return m_lineTos; }
    const std::vector<Polyline>& Polylines() const { return m_polylines; }
    const std::vector<Setting>& TextAligns() const { return m_textAligns; }
    const std::vector<Setting>& TextColors() const { return m_textColors; }
    const std::vector<Pixel>& Pixels() const { return m_pixels; }

    // The font, pen or brush selected when the record at recordIndex was played: the
    // creation record of the object table entry most recently selected before it. NULL when
    // a stock object (or nothing) was selected.
    const Font* FontInEffect(size_t recordIndex) const;
    const Pen* PenInEffect(size_t recordIndex) const;
    const Brush* BrushInEffect(size_t recordIndex) const;
    // The text alignment or text colour set last before the record at recordIndex; false when
    // none was set before it (the device context's own setting is in effect). SaveDC and
    // RestoreDC are not followed.
    bool TextAlignInEffect(size_t recordIndex, uint32_t* align) const;
    bool TextColorInEffect(size_t recordIndex, uint32_t* color) const;

private:
    friend class Decoder;
    struct Created {  // a record that fills an entry of the object table
        size_t index;
        uint32_t handle;
        int kind;
    };
    const Created* SelectedBefore(size_t recordIndex, int kind) const;
    template <typename T>
    const T* InEffect(size_t recordIndex, int kind, const std::vector<T>& objects) const;

    Header m_header;
    std::vector<Record> m_records;
    std::vector<Text> m_texts;
    std::vector<Font> m_fonts;
    std::vector<Pen> m_pens;
    std::vector<Brush> m_brushes;
    std::vector<ObjectRef> m_selects;
    std::vector<ObjectRef> m_deletes;
    std::vector<Shape> m_rectangles;
    std::vector<Position> m_moveTos;
    std::vector<Position> m_lineTos;
    std::vector<Polyline> m_polylines;
    std::vector<Setting> m_textAligns;
    std::vector<Setting> m_textColors;
    std::vector<Pixel> m_pixels;
    std::vector<Created> m_created;
};

}  // namespace emf
