// The fonts that the program's windows draw with are there in the Wine prefix: without them
// Wine falls back to another font and the windows show letters in place of symbols, and
// texts of other widths than their windows were made for.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

int CALLBACK Found(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<std::string*>(found) = font->lfFaceName;
    return 0;
}

// The face of an installed font family of that name; empty when there is none.
std::string InstalledFace(const char* face, BYTE charset) {
    LOGFONTA want = {};
    want.lfCharSet = charset;
    lstrcpynA(want.lfFaceName, face, LF_FACESIZE);
    std::string found;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExA(dc, &want, Found, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The face that a window gets when it asks for the font by name.
std::string FaceInEffect(const char* face, BYTE charset) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HGDIOBJ old = SelectObject(dc, font);
    char name[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof name, name);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return name;
}

TEST(PrefixFonts, TheFontsOfTheWindowsAreInstalled) {
    struct Case {
        const char* face;
        BYTE charset;
        const char* shows;
    } const cases[] = {
        {"Marlett", SYMBOL_CHARSET, "the caption buttons of every window ('0 2 r' in its place)"},
        {"Symbol", SYMBOL_CHARSET, "the phi of the Frequencies page ('j' in its place)"},
        {"MS Sans Serif", ANSI_CHARSET, "the dialogs' texts (a substitute of other widths cuts them off)"},
        {"Tahoma", ANSI_CHARSET, "the texts of the panes and pages in \"MS Shell Dlg\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.face);
        EXPECT_EQ(InstalledFace(c.face, c.charset), c.face)
            << "the font " << c.face << " is missing in the Wine prefix; it draws " << c.shows
            << ". Wine's own fonts come with the package fonts-wine (scripts/install-deps).";
        EXPECT_EQ(FaceInEffect(c.face, c.charset), c.face) << "a window asking for " << c.face;
    }
}

}  // namespace
