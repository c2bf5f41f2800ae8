// The device-independent bitmap: pictures of every bit count saved and loaded back, the
// default palette and the palettes of colour tables, files refused for what they hold or
// lack, pixel data never read beyond what was given, the program's bitmap resources, and
// drawing into memory contexts (palettes mean nothing on the test's true-colour screen, so
// their entries are checked, not the screen).
#include "dib.h"

#include "guarded_memory.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA bitmap test");

// A header with its colour table, as a file or a caller gives it.
struct Info {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// A picture of `bits` bits per pixel, 13 x 7 (scan lines with padding), a colour table of
// distinct colours and pixels of a pattern.
struct Picture {
    explicit Picture(int bits, int width = 13, int height = 7) {
        memset(&info, 0, sizeof info);
        info.header.biSize = sizeof info.header;
        info.header.biWidth = width;
        info.header.biHeight = height;
        info.header.biPlanes = 1;
        info.header.biBitCount = (WORD)bits;
        info.header.biCompression = BI_RGB;
        info.header.biSizeImage = CDib::BytesPerLine(width, bits) * height;
        for (int i = 0; i < CDib::ColorCount(bits); ++i)
            info.colors[i] = {(BYTE)(i * 3), (BYTE)(255 - i), (BYTE)(i * 7 + 1), 0};
        pixels.resize(info.header.biSizeImage);
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (BYTE)(i * 37 + 11);
    }
    const BITMAPINFO* bmi() const { return (const BITMAPINFO*)&info; }
    Info info;
    std::vector<BYTE> pixels;
};

std::string TempPath(const std::string& name) {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    return std::string(folder) + "korvanga-dib-" + std::to_string(GetCurrentProcessId()) + "-" +
           name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<PALETTEENTRY> Entries(CPalette* palette) {
    WORD count = 0;
    if (palette->m_hObject == NULL || !GetObjectA(palette->m_hObject, sizeof count, &count))
        return {};
    std::vector<PALETTEENTRY> entries(count);
    GetPaletteEntries((HPALETTE)palette->m_hObject, 0, count, entries.data());
    return entries;
}

bool Is(const PALETTEENTRY& e, int r, int g, int b) {
    return e.peRed == r && e.peGreen == g && e.peBlue == b && e.peFlags == 0;
}

class FileCase : public ::testing::Test {
protected:
    void TearDown() override {
        for (const std::string& path : paths) DeleteFileA(path.c_str());
    }
    std::string Path(const std::string& name) {
        paths.push_back(TempPath(name));
        return paths.back();
    }
    std::vector<std::string> paths;
};

// --- round trips ---------------------------------------------------------------------------

TEST_F(FileCase, EveryBitCountSavedAndLoadedGivesTheSameHeaderColoursAndPixels) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        Picture picture(bits);
        CDib dib;
        ASSERT_TRUE(dib.Create(picture.bmi(), picture.pixels.data())) << bits;
        const int colors = CDib::ColorCount(bits);
        EXPECT_EQ(colors, dib.GetColorCount());
        const std::string path = Path("round" + std::to_string(bits) + ".bmp");
        ASSERT_TRUE(dib.SaveFile(path.c_str())) << bits;

        // The file: header, info header, colour table, four zero bytes, pixels.
        const std::string bytes = ReadFile(path);
        const size_t offset = 14 + 40 + 4 + 4 * colors;
        ASSERT_EQ(offset + picture.pixels.size(), bytes.size()) << bits;
        const BITMAPFILEHEADER* file = (const BITMAPFILEHEADER*)bytes.data();
        EXPECT_EQ(0x4D42, file->bfType);
        EXPECT_EQ(bytes.size(), file->bfSize);
        EXPECT_EQ(offset, file->bfOffBits);
        EXPECT_EQ(std::string(4, '\0'), bytes.substr(offset - 4, 4)) << bits;

        CDib loaded;
        ASSERT_TRUE(loaded.LoadFile(path.c_str())) << bits;
        EXPECT_EQ(0, memcmp(&picture.info.header, &loaded.GetBitmapInfo()->bmiHeader, 40)) << bits;
        EXPECT_EQ(0, memcmp(picture.info.colors, loaded.GetBitmapInfo()->bmiColors, 4 * colors))
            << bits;
        EXPECT_EQ(0, memcmp(picture.pixels.data(), loaded.GetBits(), picture.pixels.size()))
            << bits;
        EXPECT_EQ(CSize(13, 7), loaded.GetSize());
        EXPECT_EQ(bits, loaded.GetBitCount());

        // The palette: the colour table's colours, or the default one without a table.
        const std::vector<PALETTEENTRY> entries = Entries(loaded.GetPalette());
        ASSERT_EQ((size_t)(colors ? colors : 256), entries.size()) << bits;
        if (colors)
            for (int i = 0; i < colors; ++i) {
                const RGBQUAD& c = picture.info.colors[i];
                EXPECT_TRUE(Is(entries[i], c.rgbRed, c.rgbGreen, c.rgbBlue)) << bits << " " << i;
            }
        else
            EXPECT_TRUE(Is(entries[17], 51, 0, 0)) << bits;
    }
}

TEST(Dib, TheDefaultPaletteIsFixedColoursCubeAndGreys) {
    CDib dib;
    ASSERT_TRUE(dib.CreateDefaultPalette(20));
    std::vector<PALETTEENTRY> entries = Entries(dib.GetPalette());
    ASSERT_EQ(20u, entries.size());
    const int fixed[16][3] = {{0, 0, 0},     {255, 255, 255}, {0, 0, 255},     {0, 255, 0},
                              {0, 255, 255}, {255, 0, 0},     {255, 0, 255},   {255, 255, 0},
                              {0, 0, 128},   {0, 128, 0},     {0, 128, 128},   {128, 0, 0},
                              {128, 0, 128}, {128, 128, 0},   {128, 128, 128}, {192, 192, 192}};
    for (int i = 0; i < 16; ++i)
        EXPECT_TRUE(Is(entries[i], fixed[i][0], fixed[i][1], fixed[i][2])) << i;
    EXPECT_TRUE(Is(entries[16], 0, 0, 0));
    EXPECT_TRUE(Is(entries[17], 51, 0, 0));
    EXPECT_TRUE(Is(entries[18], 102, 0, 0));
    EXPECT_TRUE(Is(entries[19], 153, 0, 0));

    for (int n : {0, 300, -1, 256}) {
        ASSERT_TRUE(dib.CreateDefaultPalette(n));
        entries = Entries(dib.GetPalette());
        ASSERT_EQ(256u, entries.size()) << n;
        EXPECT_TRUE(Is(entries[16 + 6], 0, 51, 0));         // green after six reds
        EXPECT_TRUE(Is(entries[16 + 36], 0, 0, 51));        // blue after 36
        EXPECT_TRUE(Is(entries[16 + 215], 255, 255, 255));  // the cube's last
        EXPECT_TRUE(Is(entries[233], 11, 11, 11));
        EXPECT_TRUE(Is(entries[255], 255, 255, 255));
    }
}

TEST(Dib, PalettesAndColourTablesFollowEachOther) {
    Picture four(4);
    CDib dib;
    ASSERT_TRUE(dib.Create(four.bmi(), four.pixels.data()));
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 16 * sizeof(PALETTEENTRY));
    LOGPALETTE* log = (LOGPALETTE*)buffer.data();
    log->palVersion = 0x300;
    log->palNumEntries = 16;
    for (int i = 0; i < 16; ++i)
        log->palPalEntry[i] = {(BYTE)(200 + i), (BYTE)i, (BYTE)(100 + i), 0};
    CPalette given;
    ASSERT_TRUE(given.CreatePalette(log));
    ASSERT_TRUE(dib.SetPalette(&given));
    const RGBQUAD& tenth = dib.GetBitmapInfo()->bmiColors[10];
    EXPECT_EQ(210, tenth.rgbRed);
    EXPECT_EQ(10, tenth.rgbGreen);
    EXPECT_EQ(110, tenth.rgbBlue);
    EXPECT_TRUE(Is(Entries(dib.GetPalette())[3], 203, 3, 103));
    // The section's own table took them: a palette made from it gives them back.
    ASSERT_TRUE(dib.CreatePaletteFromColorTable());
    EXPECT_TRUE(Is(Entries(dib.GetPalette())[15], 215, 15, 115));

    RGBQUAD two[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    EXPECT_EQ(2u, dib.SetColorTable(2, two));
    EXPECT_EQ(0u, dib.SetColorTable(0, two));
    EXPECT_EQ(0u, dib.SetColorTable(257, two));
    EXPECT_EQ(0u, dib.SetColorTable(2, NULL));
    EXPECT_FALSE(dib.SetPalette(NULL));

    Picture true24(24);
    CDib rgb;
    ASSERT_TRUE(rgb.Create(true24.bmi(), true24.pixels.data()));
    EXPECT_EQ(0, rgb.GetColorCount());
    EXPECT_EQ(0u, rgb.SetColorTable(2, two));
    EXPECT_TRUE(rgb.SetPalette(&given));  // the palette only
    EXPECT_EQ(16u, Entries(rgb.GetPalette()).size());

    CDib empty;
    EXPECT_FALSE(empty.CreatePaletteFromColorTable());
    EXPECT_EQ(0u, empty.SetColorTable(2, two));
}

// --- refusals ------------------------------------------------------------------------------

TEST_F(FileCase, FilesThatAreNoUsablePictureAreRefused) {
    Picture picture(8);
    CDib dib;
    ASSERT_TRUE(dib.Create(picture.bmi(), picture.pixels.data()));
    const std::string good = Path("good.bmp");
    ASSERT_TRUE(dib.SaveFile(good.c_str()));
    const std::string bytes = ReadFile(good);
    const size_t imageSize = picture.pixels.size();

    struct Case {
        const char* what;
        std::function<void(std::string&)> change;
    };
    auto header = [](std::string& b) { return (BITMAPFILEHEADER*)&b[0]; };
    auto info = [](std::string& b) { return (BITMAPINFOHEADER*)&b[14]; };
    const Case cases[] = {
        {"not BM", [&](std::string& b) { header(b)->bfType = 0x5A4D; }},
        {"OS/2 header", [&](std::string& b) { info(b)->biSize = 12; }},
        {"version 4 header", [&](std::string& b) { info(b)->biSize = 108; }},
        {"version 5 header", [&](std::string& b) { info(b)->biSize = 124; }},
        {"3 bits", [&](std::string& b) { info(b)->biBitCount = 3; }},
        {"0 bits", [&](std::string& b) { info(b)->biBitCount = 0; }},
        {"run lengths", [&](std::string& b) { info(b)->biCompression = BI_RLE8; }},
        {"bit fields", [&](std::string& b) { info(b)->biCompression = BI_BITFIELDS; }},
        {"width 0", [&](std::string& b) { info(b)->biWidth = 0; }},
        {"negative width", [&](std::string& b) { info(b)->biWidth = -13; }},
        {"height 0", [&](std::string& b) { info(b)->biHeight = 0; }},
        {"top-down", [&](std::string& b) { info(b)->biHeight = -7; }},
        {"300 colours used", [&](std::string& b) { info(b)->biClrUsed = 300; }},
        {"offset beyond the file",
         [&](std::string& b) { header(b)->bfOffBits = (DWORD)b.size() + 1; }},
        {"size beyond the file", [&](std::string& b) { header(b)->bfSize = (DWORD)b.size() + 1; }},
        {"size before the offset",
         [&](std::string& b) { header(b)->bfSize = header(b)->bfOffBits - 1; }},
        {"pixels cut short",
         [&](std::string& b) {
             b.resize(b.size() - 10);
             header(b)->bfSize = (DWORD)b.size();
         }},
        {"a huge picture in a small file",
         [&](std::string& b) {
             info(b)->biWidth = 60000;
             info(b)->biHeight = 60000;
         }},
        {"headers cut short", [&](std::string& b) { b.resize(30); }},
        {"colour table cut short", [&](std::string& b) { b.resize(14 + 40 + 100); }},
        {"empty", [&](std::string& b) { b.clear(); }},
    };
    for (const Case& c : cases) {
        std::string damaged = bytes;
        c.change(damaged);
        const std::string path = Path("damaged.bmp");
        WriteFile(path, damaged);
        CDib loaded;
        EXPECT_FALSE(loaded.LoadFile(path.c_str())) << c.what;
        EXPECT_TRUE(loaded.IsEmpty()) << c.what;
    }
    // A file whose size field says more than the pixels but stays in the file is read.
    std::string longer = bytes + std::string(6, 'x');
    ((BITMAPFILEHEADER*)&longer[0])->bfSize = (DWORD)longer.size();
    const std::string path = Path("longer.bmp");
    WriteFile(path, longer);
    CDib loaded;
    ASSERT_TRUE(loaded.LoadFile(path.c_str()));
    EXPECT_EQ(imageSize, loaded.GetBitmapInfo()->bmiHeader.biSizeImage);
    EXPECT_FALSE(loaded.LoadFile(TempPath("missing.bmp").c_str()));
    EXPECT_FALSE(loaded.LoadFile(""));
    EXPECT_FALSE(loaded.LoadFile(NULL));
}

TEST(Dib, PixelsAreReadToTheImagesSizeWhateverTheHeaderClaims) {
    for (DWORD claimed : {0u, 1u, 0x7FFFFFFFu}) {
        Picture picture(24);
        picture.info.header.biSizeImage = claimed;
        // The pixels end at a page that may not be touched.
        GuardedBody pixels(picture.pixels, GuardedBody::Tail, "pixels of a lying header");
        CDib dib;
        ASSERT_TRUE(dib.Create(picture.bmi(), pixels.begin())) << claimed;
        EXPECT_EQ(picture.pixels.size(), dib.GetBitmapInfo()->bmiHeader.biSizeImage);
        EXPECT_EQ(0, memcmp(picture.pixels.data(), dib.GetBits(), picture.pixels.size()));
    }
    Picture picture(8);
    CDib dib;
    EXPECT_FALSE(dib.Create(picture.bmi(), NULL));
    EXPECT_FALSE(dib.Create(NULL, picture.pixels.data()));
    picture.info.header.biSize = 12;
    EXPECT_FALSE(dib.Create(picture.bmi(), picture.pixels.data()));
    EXPECT_TRUE(dib.IsEmpty());
    EXPECT_FALSE(dib.SaveFile(TempPath("empty.bmp").c_str()));
}

// --- bitmaps and drawing --------------------------------------------------------------------

// A 32-bit memory canvas.
class Canvas {
public:
    Canvas() {
        dc_.CreateCompatibleDC(NULL);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 100;
        info.bmiHeader.biHeight = 100;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = NULL;
        bitmap_ = CreateDIBSection(dc_.m_hDC, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        old_ = SelectObject(dc_.m_hDC, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_.m_hDC, old_);
        DeleteObject(bitmap_);
    }
    CDC* dc() { return &dc_; }

private:
    CDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

TEST(Dib, TheProgramsBitmapResourcesLoadAndMissingOnesDoNot) {
    CDib dib;
    ASSERT_TRUE(dib.LoadResource(IDB_OPERATION));
    EXPECT_EQ(CSize(48, 48), dib.GetSize());
    EXPECT_EQ(4, dib.GetBitCount());
    EXPECT_EQ(16, dib.GetColorCount());
    EXPECT_EQ(16u, Entries(dib.GetPalette()).size());
    EXPECT_EQ(CDib::BytesPerLine(48, 4) * 48, dib.GetBitmapInfo()->bmiHeader.biSizeImage);
    ASSERT_TRUE(dib.LoadResource(IDB_NETWORK_SEARCH));
    EXPECT_FALSE(dib.LoadResource(9999));
    EXPECT_FALSE(dib.LoadResource("NO_SUCH_BITMAP"));
    EXPECT_FALSE(dib.Create((HBITMAP)NULL));
}

TEST(Dib, ABitmapHandleIsCopiedWithItsColours) {
    Picture picture(8, 20, 10);
    HDC screen = GetDC(NULL);
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(screen, picture.bmi(), DIB_RGB_COLORS, &bits, NULL, 0);
    ReleaseDC(NULL, screen);
    ASSERT_NE((HBITMAP)NULL, section);
    memcpy(bits, picture.pixels.data(), picture.pixels.size());
    CDib dib;
    ASSERT_TRUE(dib.Create(section));
    DeleteObject(section);
    EXPECT_EQ(CSize(20, 10), dib.GetSize());
    EXPECT_EQ(8, dib.GetBitCount());
    EXPECT_EQ(0, memcmp(picture.info.colors, dib.GetBitmapInfo()->bmiColors, 4 * 256));
    EXPECT_EQ(0, memcmp(picture.pixels.data(), dib.GetBits(), picture.pixels.size()));
}

TEST(Dib, DrawingGivesTheScanLinesAndDrawDibDrawsFromEightBitsOn) {
    Canvas canvas;
    CDib empty;
    EXPECT_EQ(0, empty.Draw(canvas.dc(), 0, 0));
    EXPECT_EQ(0, empty.StretchDraw(canvas.dc(), 0, 0, 10, 10));

    CDib dib;
    ASSERT_TRUE(dib.LoadResource(IDB_OPERATION));
    EXPECT_EQ(48, dib.Draw(canvas.dc(), 2, 3));
    EXPECT_EQ(48, dib.StretchDraw(canvas.dc(), 0, 0, 96, 24));
    EXPECT_EQ(BLACKONWHITE, GetStretchBltMode(canvas.dc()->m_hDC));  // given back

    ASSERT_TRUE(dib.UseDrawDib(TRUE));
    EXPECT_TRUE(dib.IsDrawDibUsed());
    EXPECT_TRUE(dib.UseDrawDib(TRUE));
    EXPECT_EQ(48, dib.Draw(canvas.dc(), 0, 0));  // four bits: the DIB functions still

    Picture picture(8, 30, 20);
    CDib eight;
    ASSERT_TRUE(eight.Create(picture.bmi(), picture.pixels.data()));
    ASSERT_TRUE(eight.UseDrawDib(TRUE));
    EXPECT_TRUE(eight.Draw(canvas.dc(), 0, 0));
    EXPECT_TRUE(eight.StretchDraw(canvas.dc(), 0, 0, 60, 40));
    EXPECT_TRUE(eight.UseDrawDib(FALSE));
    EXPECT_FALSE(eight.IsDrawDibUsed());
    EXPECT_EQ(20, eight.Draw(canvas.dc(), 0, 0));

    // A new picture closes DrawDib.
    ASSERT_TRUE(eight.UseDrawDib(TRUE));
    ASSERT_TRUE(eight.Create(picture.bmi(), picture.pixels.data()));
    EXPECT_FALSE(eight.IsDrawDibUsed());
}

}  // namespace
