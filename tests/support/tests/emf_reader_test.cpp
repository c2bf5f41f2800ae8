// The metafile reader: a metafile recorded by GDI read back field by field, and files that
// are cut or lie about themselves refused.
#include "emf_reader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

uint32_t GetU32(const Bytes& b, size_t at) {
    return (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 | (uint32_t)b[at + 2] << 16 |
           (uint32_t)b[at + 3] << 24;
}

void PutU32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (uint8_t)(v >> (8 * i));
}

Bytes MetafileBits(HENHMETAFILE h) {
    Bytes bits(GetEnhMetaFileBits(h, 0, NULL));
    GetEnhMetaFileBits(h, (UINT)bits.size(), bits.data());
    DeleteEnhMetaFile(h);
    return bits;
}

// Recorded with plain GDI: a font, a pen and a brush selected, text, a rectangle, a line
// and a polyline drawn, the objects selected out and deleted.
Bytes SampleMetafile() {
    RECT frame = {0, 0, 2000, 1000};
    HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, "Test\0Sample\0\0");
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -16;
    lf.lfWeight = FW_BOLD;
    lf.lfEscapement = 900;
    lf.lfOrientation = 900;
    lf.lfCharSet = ANSI_CHARSET;
    strcpy(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&lf);
    HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HGDIOBJ oldFont = SelectObject(dc, font);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    TextOutA(dc, 10, 20, "Grüße", 5);
    Rectangle(dc, 1, 2, 30, 40);
    MoveToEx(dc, 3, 4, NULL);
    LineTo(dc, 50, 60);
    POINT pts[3] = {{0, 0}, {10, 5}, {20, 0}};
    Polyline(dc, pts, 3);
    LOGBRUSH lb = {BS_SOLID, RGB(7, 8, 9), 0};
    HPEN wide = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, &lb, 0, NULL);
    SelectObject(dc, wide);
    LineTo(dc, 70, 80);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(wide);
    ExtTextOutW(dc, 5, 6, ETO_CLIPPED, &frame, L"W\u20AC", 2, NULL);
    DeleteObject(font);
    DeleteObject(pen);
    DeleteObject(brush);
    return MetafileBits(CloseEnhMetaFile(dc));
}

// Offset of the last record (EOF) of a well-formed file.
size_t EofOffset(const Bytes& b) {
    size_t at = 0;
    while (GetU32(b, at) != emf::kEof) at += GetU32(b, at + 4);
    return at;
}

// Puts a record before EOF and counts it in the header.
Bytes WithRecord(Bytes b, const Bytes& record) {
    size_t eof = EofOffset(b);
    b.insert(b.begin() + (long)eof, record.begin(), record.end());
    PutU32(b, 48, GetU32(b, 48) + (uint32_t)record.size());
    PutU32(b, 52, GetU32(b, 52) + 1);
    return b;
}

// A record of the given type: the type and size fields, then the given dwords.
Bytes MakeRecord(uint32_t type, const std::vector<uint32_t>& dwords) {
    Bytes r(8 + dwords.size() * 4);
    PutU32(r, 0, type);
    PutU32(r, 4, (uint32_t)r.size());
    for (size_t i = 0; i < dwords.size(); ++i) PutU32(r, 8 + i * 4, dwords[i]);
    return r;
}

// EMR_EXTTEXTOUTA with the text at offString (76) and no advances.
Bytes AnsiText(const char* text, uint32_t nChars, uint32_t offString) {
    std::vector<uint32_t> d(17 + 2, 0);
    d[4] = GM_COMPATIBLE;  // iGraphicsMode
    d[7] = 7;              // reference x
    d[8] = 8;              // reference y
    d[9] = nChars;         // nChars
    d[10] = offString;     // offString
    d[11] = ETO_OPAQUE;    // options
    d[16] = 0;             // offDx
    Bytes r = MakeRecord(emf::kExtTextOutA, d);
    memcpy(r.data() + 76, text, strlen(text) < 8 ? strlen(text) : 8);
    return r;
}

TEST(EmfReader, ReadsWhatGdiRecorded) {
    const Bytes bits = SampleMetafile();
    const emf::File file = emf::File::Parse(bits.data(), bits.size());

    const emf::Header& h = file.GetHeader();
    EXPECT_EQ(h.frame.left, 0);
    EXPECT_EQ(h.frame.right, 2000);
    EXPECT_EQ(h.frame.bottom, 1000);
    EXPECT_EQ(h.bytes, bits.size());
    EXPECT_EQ(h.records, file.Records().size());
    EXPECT_EQ(h.version, 0x10000u);
    EXPECT_GT(h.device.cx, 0);
    EXPECT_GT(h.millimeters.cx, 0);
    EXPECT_EQ(h.description.substr(0, 12), std::u16string(u"Test\0Sample\0", 12));
    EXPECT_EQ(file.Records().front().type, (uint32_t)emf::kHeader);
    EXPECT_EQ(file.Records().back().type, (uint32_t)emf::kEof);

    ASSERT_EQ(file.Texts().size(), 2u);
    const emf::Text& text = file.Texts()[0];
    EXPECT_EQ(text.text, "Grüße");
    EXPECT_EQ(text.reference.x, 10);
    EXPECT_EQ(text.reference.y, 20);
    const emf::Font* font = file.FontInEffect(text.index);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->face, "Arial");
    EXPECT_EQ(font->height, -16);
    EXPECT_EQ(font->weight, FW_BOLD);
    EXPECT_EQ(font->escapement, 900);
    EXPECT_EQ(font->charSet, ANSI_CHARSET);

    const emf::Text& wide = file.Texts()[1];
    EXPECT_TRUE(wide.wide);
    EXPECT_EQ(wide.wtext, u"W\u20AC");
    EXPECT_EQ(wide.text, "W\x80");  // the euro sign of code page 1252
    EXPECT_EQ(wide.options & ETO_CLIPPED, (uint32_t)ETO_CLIPPED);
    EXPECT_EQ(file.FontInEffect(wide.index), nullptr) << "the stock font was selected back";

    ASSERT_EQ(file.Rectangles().size(), 1u);
    const emf::Shape& rect = file.Rectangles()[0];
    // Recorded inclusive: right and bottom are one less than Rectangle was given.
    EXPECT_EQ(rect.box.left, 1);
    EXPECT_EQ(rect.box.top, 2);
    EXPECT_EQ(rect.box.right, 29);
    EXPECT_EQ(rect.box.bottom, 39);
    const emf::Pen* pen = file.PenInEffect(rect.index);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->style & PS_STYLE_MASK, (uint32_t)PS_DOT);
    EXPECT_EQ(pen->color, RGB(1, 2, 3));
    const emf::Brush* brush = file.BrushInEffect(rect.index);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->style, (uint32_t)BS_SOLID);
    EXPECT_EQ(brush->color, RGB(4, 5, 6));

    ASSERT_EQ(file.MoveTos().size(), 1u);
    EXPECT_EQ(file.MoveTos()[0].point.x, 3);
    ASSERT_EQ(file.LineTos().size(), 2u);
    EXPECT_EQ(file.LineTos()[0].point.y, 60);
    EXPECT_EQ(file.PenInEffect(file.LineTos()[0].index), pen);
    const emf::Pen* thick = file.PenInEffect(file.LineTos()[1].index);
    ASSERT_NE(thick, nullptr);
    EXPECT_EQ(thick->width, 5);  // GDI may record it as a plain pen
    EXPECT_EQ(thick->color, RGB(7, 8, 9));
    ASSERT_EQ(file.Polylines().size(), 1u);
    const std::vector<emf::Point>& pts = file.Polylines()[0].points;
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[1].x, 10);
    EXPECT_EQ(pts[1].y, 5);

    // Each created object is deleted once, by its own table entry.
    ASSERT_EQ(file.Deletes().size(), 4u);
    std::vector<uint32_t> created = {font->handle, pen->handle, brush->handle, thick->handle};
    for (const emf::ObjectRef& del : file.Deletes()) {
        EXPECT_FALSE(del.IsStock());
        EXPECT_NE(std::find(created.begin(), created.end(), del.handle), created.end());
    }
    EXPECT_EQ(file.RecordsOfType(emf::kExtCreateFontIndirectW).size(), 1u);
}

TEST(EmfReader, DecodesAnsiTextRecords) {
    const Bytes bits = WithRecord(SampleMetafile(), AnsiText("Ab\xE4\x80", 4, 76));
    const emf::File file = emf::File::Parse(bits.data(), bits.size());
    ASSERT_EQ(file.Texts().size(), 3u);
    const emf::Text& t = file.Texts()[2];
    EXPECT_FALSE(t.wide);
    EXPECT_EQ(t.text, "Ab\xE4\x80");
    EXPECT_EQ(t.wtext, u"Ab\u00E4\u20AC");
    EXPECT_EQ(t.reference.x, 7);
    EXPECT_EQ(t.options, (uint32_t)ETO_OPAQUE);
}

// An ANSI text drawn in a symbol font is recorded as U+F000 plus its codes: read back, the
// codes the program wrote. Outside that range a character code page 1252 lacks stays '?'.
TEST(EmfReader, ReadsASymbolFontsCharactersAsTheirCodes) {
    HDC dc = CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
    ExtTextOutW(dc, 1, 1, 0, NULL, L"\uF033\uF06A\uF0B0\uF01F\u03C6", 5, NULL);
    const Bytes bits = MetafileBits(CloseEnhMetaFile(dc));
    const emf::File file = emf::File::Parse(bits.data(), bits.size());
    ASSERT_EQ(file.Texts().size(), 1u);
    EXPECT_EQ(file.Texts()[0].text, "3j\xB0??");
}

TEST(EmfReader, DecodesExtendedPens) {
    const uint32_t style = PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE;
    Bytes bits = WithRecord(SampleMetafile(),
                            MakeRecord(emf::kExtCreatePen, {1, 0, 0, 0, 0, style, 7, BS_SOLID,
                                                            RGB(9, 8, 7), 0, 2, 4, 4}));
    bits = WithRecord(bits, MakeRecord(emf::kSelectObject, {1}));
    bits = WithRecord(bits, MakeRecord(emf::kLineTo, {11, 12}));
    const emf::File file = emf::File::Parse(bits.data(), bits.size());
    const emf::Pen* pen = file.PenInEffect(file.LineTos().back().index);
    ASSERT_NE(pen, nullptr);
    EXPECT_TRUE(pen->extended);
    EXPECT_EQ(pen->style, style);
    EXPECT_EQ(pen->width, 7);
    EXPECT_EQ(pen->color, RGB(9, 8, 7));
    EXPECT_EQ(file.LineTos().back().point.y, 12);
}

// Text alignment and colour as the texts meet them, and single pixels.
TEST(EmfReader, DecodesTextSettingsAndPixels) {
    RECT frame = {0, 0, 2000, 1000};
    HDC dc = CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
    TextOutA(dc, 1, 1, "plain", 5);
    SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
    SetTextColor(dc, RGB(10, 20, 30));
    TextOutA(dc, 2, 2, "right", 5);
    SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    TextOutA(dc, 3, 3, "centre", 6);
    SetPixelV(dc, 40, 50, RGB(1, 2, 3));
    const Bytes bits = MetafileBits(CloseEnhMetaFile(dc));
    const emf::File file = emf::File::Parse(bits.data(), bits.size());

    ASSERT_EQ(file.Texts().size(), 3u);
    uint32_t align = 0, color = 0;
    EXPECT_FALSE(file.TextAlignInEffect(file.Texts()[0].index, &align));
    EXPECT_FALSE(file.TextColorInEffect(file.Texts()[0].index, &color));
    ASSERT_TRUE(file.TextAlignInEffect(file.Texts()[1].index, &align));
    EXPECT_EQ(align, (uint32_t)(TA_RIGHT | TA_BOTTOM));
    ASSERT_TRUE(file.TextColorInEffect(file.Texts()[1].index, &color));
    EXPECT_EQ(color, RGB(10, 20, 30));
    ASSERT_TRUE(file.TextAlignInEffect(file.Texts()[2].index, &align));
    EXPECT_EQ(align, (uint32_t)(TA_CENTER | TA_BASELINE));
    EXPECT_EQ(file.TextAligns().size(), 2u);
    EXPECT_EQ(file.TextColors().size(), 1u);

    ASSERT_EQ(file.Pixels().size(), 1u);
    EXPECT_EQ(file.Pixels()[0].point.x, 40);
    EXPECT_EQ(file.Pixels()[0].point.y, 50);
    EXPECT_EQ(file.Pixels()[0].color, RGB(1, 2, 3));
}

TEST(EmfReader, RefusesEveryCutOfAFile) {
    const Bytes bits = SampleMetafile();
    for (size_t n = 0; n < bits.size(); ++n) {
        Bytes cut(bits.begin(), bits.begin() + (long)n);
        EXPECT_THROW(emf::File::Parse(cut.data(), cut.size()), emf::FormatError) << n << " bytes";
    }
}

TEST(EmfReader, RefusesFilesThatLie) {
    struct Case {
        const char* name;
        std::function<void(Bytes&)> spoil;
        const char* message;  // a part of the error text
    };
    const size_t size = SampleMetafile().size();
    const Case cases[] = {
        {"no header record", [](Bytes& b) { PutU32(b, 0, emf::kEof); }, "header record"},
        {"wrong signature", [](Bytes& b) { b[40] = 'X'; }, "signature"},
        {"header shorter than its fields", [](Bytes& b) { PutU32(b, 4, 84); }, "invalid size"},
        {"header longer than the file", [](Bytes& b) { PutU32(b, 4, (uint32_t)b.size() + 8); },
         "past the end"},
        {"file size too large", [=](Bytes& b) { PutU32(b, 48, (uint32_t)size + 4); },
         "the header gives"},
        {"file size too small", [=](Bytes& b) { PutU32(b, 48, (uint32_t)size - 4); },
         "the header gives"},
        {"record count too large", [](Bytes& b) { PutU32(b, 52, GetU32(b, 52) + 1); }, "counts"},
        {"record count too small", [](Bytes& b) { PutU32(b, 52, GetU32(b, 52) - 1); }, "counts"},
        {"description beyond the header", [](Bytes& b) { PutU32(b, 64, GetU32(b, 4)); },
         "too short"},
        {"description of 2^31 characters", [](Bytes& b) { PutU32(b, 60, 0x80000000u); },
         "too short"},
        {"record of size 0", [](Bytes& b) { PutU32(b, GetU32(b, 4) + 4, 0); }, "invalid size"},
        {"record size not a multiple of 4",
         [](Bytes& b) { PutU32(b, GetU32(b, 4) + 4, GetU32(b, GetU32(b, 4) + 4) + 1); },
         "invalid size"},
        {"record past the end", [](Bytes& b) { PutU32(b, GetU32(b, 4) + 4, 0x7FFFFFF0u); },
         "past the end"},
        {"second header", [](Bytes& b) { PutU32(b, GetU32(b, 4), emf::kHeader); }, "second header"},
        {"no end-of-file record", [](Bytes& b) { PutU32(b, EofOffset(b), 70); }, "no end-of-file"},
        {"bytes after the end-of-file record",
         [](Bytes& b) {
             b.insert(b.end(), 4, 0);
             PutU32(b, 48, (uint32_t)b.size());
         },
         "follow the end-of-file"},
        {"end-of-file record with another size at its end",
         [](Bytes& b) { PutU32(b, b.size() - 4, 4); }, "another size"},
        {"text beyond its record", [](Bytes& b) { b = WithRecord(b, AnsiText("Ab", 2, 84)); },
         "too short"},
        {"text of 2^32-1 characters",
         [](Bytes& b) { b = WithRecord(b, AnsiText("Ab", 0xFFFFFFFFu, 76)); }, "too short"},
        {"text record without its fixed fields",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kExtTextOutW, {0, 0, 0, 0}));
         },
         "too short"},
        {"font record without its face name",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kExtCreateFontIndirectW, {1, 10}));
         },
         "too short"},
        {"polyline of 2^30 points",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kPolyline16, {0, 0, 0, 0, 0x40000000u, 0}));
         },
         "too short"},
        {"pen in an entry outside the object table",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kCreatePen, {5000, 0, 1, 0, 0}));
         },
         "outside the object table"},
        {"selection of an entry outside the object table",
         [](Bytes& b) { b = WithRecord(b, MakeRecord(emf::kSelectObject, {5000})); },
         "outside the object table"},
        {"extended pen with more style entries than it holds",
         [](Bytes& b) {
             b = WithRecord(
                 b, MakeRecord(emf::kExtCreatePen, {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x40000000u, 4}));
         },
         "too short"},
        {"text colour without its colour",
         [](Bytes& b) { b = WithRecord(b, MakeRecord(emf::kSetTextColor, {})); }, "too short"},
        {"pixel without its colour",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kSetPixelV, {1, 2}));
         },
         "too short"},
        {"rectangle without its corners",
         [](Bytes& b) {
             b = WithRecord(b, MakeRecord(emf::kRectangle, {1, 2}));
         },
         "too short"},
    };
    for (const Case& c : cases) {
        Bytes b = SampleMetafile();
        c.spoil(b);
        try {
            emf::File::Parse(b.data(), b.size());
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const emf::FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << c.name << ": " << e.what();
        }
    }
}

TEST(EmfReader, LoadsFilesAndReportsMissingOnes) {
    const Bytes bits = SampleMetafile();
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    strcat(path, "emf_reader_test.emf");
    HENHMETAFILE h = SetEnhMetaFileBits((UINT)bits.size(), bits.data());
    DeleteEnhMetaFile(CopyEnhMetaFileA(h, path));
    DeleteEnhMetaFile(h);
    EXPECT_EQ(emf::File::Load(path).GetHeader().bytes, bits.size());
    DeleteFileA(path);
    EXPECT_THROW(emf::File::Load(path), emf::FormatError);
}

}  // namespace
