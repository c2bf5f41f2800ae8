// GDI wrappers: selection hands back the previous object, each handle is deleted once by
// its owner, a memory bitmap holds what was drawn, an enhanced metafile records frame, text,
// font and pen (read back from its bytes), and window DCs are given back.
#include "vaskfc.h"

#include "emf_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A handle that GDI no longer knows was deleted.
bool Alive(HGDIOBJ h) { return GetObjectType(h) != 0; }

class MemoryDC : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dc.CreateCompatibleDC(NULL)); }
    void TearDown() override {
        CGdiObject::DeleteTempMap();
        CDC::DeleteTempMap();
    }
    CDC dc;
};

TEST_F(MemoryDC, SelectObjectReturnsThePreviousObject) {
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* first = dc.SelectObject(&red);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetSafeHandle(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.SelectObject(&blue), &red) << "the owning wrapper, not a copy";
    EXPECT_EQ(dc.GetCurrentPen(), &blue);
    EXPECT_EQ(dc.SelectObject(first), &blue);

    CBrush brush(RGB(1, 2, 3));
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_EQ(oldBrush->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectObject(oldBrush), &brush);

    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, "Arial"));
    CFont* oldFont = dc.SelectObject(&font);
    ASSERT_NE(oldFont, nullptr);
    EXPECT_EQ(dc.SelectObject(oldFont), &font);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(8, 8, 1, 1, NULL));
    CBitmap* oldBitmap = dc.SelectObject(&bitmap);
    ASSERT_NE(oldBitmap, nullptr);
    EXPECT_EQ(dc.GetCurrentBitmap(), &bitmap);
    EXPECT_EQ(dc.SelectObject(oldBitmap), &bitmap);

    CGdiObject* stock = dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(stock->GetSafeHandle(), GetStockObject(WHITE_BRUSH));

    CPen none;
    EXPECT_EQ(dc.SelectObject(&none), nullptr) << "an empty wrapper selects nothing";
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), GetStockObject(BLACK_PEN));
}

TEST_F(MemoryDC, TemporaryWrappersNeverDeleteTheirHandles) {
    HPEN raw = CreatePen(PS_SOLID, 3, RGB(9, 9, 9));
    HGDIOBJ stockPen = SelectObject(dc.m_hDC, raw);
    CPen other(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&other);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->GetSafeHandle(), raw);
    EXPECT_EQ(CPen::FromHandle(raw), previous) << "one temporary wrapper per handle and class";
    LOGPEN lp;
    ASSERT_EQ(previous->GetLogPen(&lp), (int)sizeof lp);
    EXPECT_EQ(lp.lopnWidth.x, 3);
    CGdiObject::DeleteTempMap();
    EXPECT_TRUE(Alive(raw));
    SelectObject(dc.m_hDC, stockPen);
    EXPECT_TRUE(DeleteObject(raw));

    CDC* temp = CDC::FromHandle(dc.m_hDC);
    EXPECT_EQ(temp, &dc) << "the owner is found from its handle";
    HDC rawDC = CreateCompatibleDC(NULL);
    CDC* tempDC = CDC::FromHandle(rawDC);
    ASSERT_NE(tempDC, nullptr);
    EXPECT_EQ(tempDC->m_hAttribDC, rawDC);
    CDC::DeleteTempMap();
    EXPECT_TRUE(Alive(rawDC));
    EXPECT_TRUE(DeleteDC(rawDC));
    EXPECT_EQ(CGdiObject::FromHandle(NULL), nullptr);
}

TEST(GdiOwnership, AWrapperDeletesItsHandleOnceUnlessDetached) {
    HGDIOBJ h;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 1, 1));
        h = pen.GetSafeHandle();
        EXPECT_TRUE(Alive(h));
    }
    EXPECT_FALSE(Alive(h));

    {
        CBrush brush(RGB(2, 2, 2));
        h = brush.Detach();
        EXPECT_EQ(brush.GetSafeHandle(), (HGDIOBJ)NULL);
    }
    EXPECT_TRUE(Alive(h));

    // A handle has one owner: a second wrapper cannot take it, so cannot delete it too.
    {
        CBrush owner;
        ASSERT_TRUE(owner.Attach(h));
        {
            CBrush intruder;
            EXPECT_FALSE(intruder.Attach(h));
            EXPECT_EQ(intruder.GetSafeHandle(), (HGDIOBJ)NULL);
        }
        EXPECT_TRUE(Alive(h));
        EXPECT_FALSE(owner.CreateSolidBrush(RGB(3, 3, 3))) << "holds a handle already";
        EXPECT_EQ(owner.GetSafeHandle(), h);
        EXPECT_TRUE(owner.DeleteObject());
        EXPECT_FALSE(Alive(h));
        EXPECT_FALSE(owner.DeleteObject()) << "nothing left to delete";
    }

    // Stock objects are shared and survive their wrappers.
    {
        CPen a, b;
        EXPECT_TRUE(a.CreateStockObject(BLACK_PEN));
        EXPECT_TRUE(b.CreateStockObject(BLACK_PEN));
    }
    EXPECT_TRUE(Alive(GetStockObject(BLACK_PEN)));

    CGdiObject* none = NULL;
    EXPECT_EQ(CGdiObject::GetSafeHandle(none), (HGDIOBJ)NULL);
}

TEST(GdiOwnership, ADeviceContextIsDeletedOnceUnlessDetached) {
    HDC h;
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        h = dc.GetSafeHdc();
        EXPECT_EQ(dc.m_hAttribDC, h);
        CDC other;
        EXPECT_FALSE(other.Attach(h));
    }
    EXPECT_FALSE(Alive(h));

    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
        h = dc.Detach();
        EXPECT_EQ(dc.m_hDC, (HDC)NULL);
        EXPECT_EQ(dc.m_hAttribDC, (HDC)NULL);
    }
    EXPECT_TRUE(Alive(h));
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(h));
        EXPECT_TRUE(dc.DeleteDC());
        EXPECT_FALSE(dc.DeleteDC());
    }
    EXPECT_FALSE(Alive(h));
    CDC* none = NULL;
    EXPECT_EQ(CDC::GetSafeHdc(none), (HDC)NULL);
}

// Settings reach both DCs when output and attributes are apart; queries ask the attribute DC.
TEST(GdiAttributes, SettingsGoToBothDCsAndQueriesToTheAttributeDC) {
    CDC output, attrib;
    ASSERT_TRUE(output.CreateCompatibleDC(NULL));
    ASSERT_TRUE(attrib.CreateCompatibleDC(NULL));
    CDC dc;
    dc.SetOutputDC(output.m_hDC);
    dc.SetAttribDC(attrib.m_hDC);
    dc.SetTextColor(RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(output.m_hDC), RGB(10, 20, 30));
    EXPECT_EQ(GetTextColor(attrib.m_hDC), RGB(10, 20, 30));
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_EQ(GetMapMode(output.m_hDC), MM_LOMETRIC);
    EXPECT_EQ(dc.GetMapMode(), MM_LOMETRIC);
    SetBkColor(attrib.m_hDC, RGB(1, 1, 1));
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 1, 1));
    CPen pen(PS_SOLID, 1, RGB(5, 5, 5));
    CPen* old = dc.SelectObject(&pen);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(GetCurrentObject(output.m_hDC, OBJ_PEN), pen.GetSafeHandle());
    EXPECT_EQ(GetCurrentObject(attrib.m_hDC, OBJ_PEN), pen.GetSafeHandle());
    dc.MoveTo(3, 4);
    dc.LineTo(7, 8);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(7, 8));
    int saved = dc.SaveDC();
    EXPECT_NE(saved, 0);
    dc.SetMapMode(MM_TEXT);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(GetMapMode(output.m_hDC), MM_LOMETRIC);
    EXPECT_EQ(GetMapMode(attrib.m_hDC), MM_LOMETRIC);
    dc.SelectObject(old);
    // A size converts as a distance even where the y axis points up.
    CSize size(100, 100);
    dc.LPtoDP(&size);
    EXPECT_GT(size.cy, 0);
    EXPECT_EQ(size.cx, size.cy);
    dc.ReleaseOutputDC();
    dc.ReleaseAttribDC();
    CGdiObject::DeleteTempMap();
}

// Pixels of a 24-bit memory bitmap; the screen is not involved beyond its format.
class MemoryBitmap : public testing::Test {
protected:
    static const int kWidth = 160, kHeight = 80;
    void SetUp() override {
        CClientDC screen(NULL);
        ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, kWidth, kHeight));
        oldBitmap = dc.SelectObject(&bitmap);
        ASSERT_NE(oldBitmap, nullptr);
        dc.FillSolidRect(0, 0, kWidth, kHeight, RGB(255, 255, 255));
    }
    void TearDown() override {
        dc.SelectObject(oldBitmap);
        CGdiObject::DeleteTempMap();
    }
    // Pixels in r that are not white.
    int Inked(const CRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += dc.GetPixel(x, y) != RGB(255, 255, 255);
        return n;
    }
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
};

TEST_F(MemoryBitmap, ReadsBackADrawnRectangle) {
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CBrush blue(RGB(0, 0, 255));
    CPen* oldPen = dc.SelectObject(&red);
    CBrush* oldBrush = dc.SelectObject(&blue);
    ASSERT_TRUE(dc.Rectangle(CRect(10, 10, 50, 40)));
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(49, 39), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 25), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(50, 40), RGB(255, 255, 255)) << "right and bottom lie outside";
    EXPECT_EQ(dc.GetPixel(9, 9), RGB(255, 255, 255));
}

TEST_F(MemoryBitmap, FillsAndFramesWithoutTouchingTheBackgroundColour) {
    dc.SetBkColor(RGB(7, 7, 7));
    dc.FillSolidRect(CRect(60, 10, 70, 20), RGB(0, 128, 0));
    EXPECT_EQ(dc.GetPixel(60, 10), RGB(0, 128, 0));
    EXPECT_EQ(dc.GetPixel(69, 19), RGB(0, 128, 0));
    EXPECT_EQ(dc.GetPixel(70, 20), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));

    const COLORREF light = RGB(250, 250, 0), dark = RGB(64, 0, 64);
    dc.Draw3dRect(80, 10, 20, 10, light, dark);
    EXPECT_EQ(dc.GetPixel(80, 10), light);  // top-left corner
    EXPECT_EQ(dc.GetPixel(98, 10), light);  // top edge
    EXPECT_EQ(dc.GetPixel(80, 18), light);  // left edge
    EXPECT_EQ(dc.GetPixel(99, 10), dark);   // top-right corner
    EXPECT_EQ(dc.GetPixel(80, 19), dark);   // bottom-left corner
    EXPECT_EQ(dc.GetPixel(99, 19), dark);
    EXPECT_EQ(dc.GetPixel(90, 15), RGB(255, 255, 255)) << "the inside stays";
    EXPECT_EQ(dc.GetPixel(100, 20), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));
}

TEST_F(MemoryBitmap, TextLandsWithinItsExtent) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(140, "Arial", &dc));
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    const CString text("WMW");
    CSize extent = dc.GetTextExtent(text);
    ASSERT_GT(extent.cx, 10);
    ASSERT_GT(extent.cy, 10);
    ASSERT_TRUE(dc.TextOut(20, 30, text));
    CRect box(CPoint(20, 30), extent);
    EXPECT_GT(Inked(box), extent.cx) << "the glyphs are drawn";
    EXPECT_EQ(Inked(CRect(0, 0, kWidth, kHeight)), Inked(box)) << "and nothing outside them";

    CRect calc(0, 0, 1000, 0);
    int height = dc.DrawText(text, calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, extent.cy);
    EXPECT_EQ(calc.Width(), extent.cx);
    CString face;
    dc.GetTextFace(face);
    EXPECT_FALSE(face.IsEmpty());
    dc.SelectObject(oldFont);
}

TEST(GdiFonts, APointFontTakesItsHeightFromTheDevice) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    const int dpi = dc.GetDeviceCaps(LOGPIXELSY);
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(80, "Arial", &dc));
    LOGFONT lf;
    ASSERT_EQ(font.GetLogFont(&lf), (int)sizeof lf);
    EXPECT_EQ(lf.lfHeight, -MulDiv(8, dpi, 72));
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    // In tenths of a millimetre (y up) 8 points are 28 units high, whatever the device.
    dc.SetMapMode(MM_LOMETRIC);
    CFont metric;
    ASSERT_TRUE(metric.CreatePointFont(80, "Arial", &dc));
    ASSERT_EQ(metric.GetLogFont(&lf), (int)sizeof lf);
    EXPECT_NEAR(lf.lfHeight, -28, 1);
}

TEST(GdiPalettes, APaletteIsCreatedSelectedAndRealised) {
    struct {
        LOGPALETTE head;
        PALETTEENTRY more[3];
    } pal = {};
    pal.head.palVersion = 0x300;
    pal.head.palNumEntries = 4;
    PALETTEENTRY* e = pal.head.palPalEntry;
    e[0] = {255, 0, 0, 0};
    e[1] = {0, 255, 0, 0};
    e[2] = {0, 0, 255, 0};
    e[3] = {10, 20, 30, 0};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&pal.head));
    EXPECT_EQ(palette.GetEntryCount(), 4);
    EXPECT_EQ(palette.GetNearestPaletteIndex(RGB(12, 20, 30)), 3u);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CPalette* old = dc.SelectPalette(&palette, FALSE);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->GetSafeHandle(), GetStockObject(DEFAULT_PALETTE));
    dc.RealizePalette();
    EXPECT_EQ(dc.GetCurrentPalette(), &palette);
    EXPECT_EQ(dc.SelectPalette(old, FALSE), &palette);
    CGdiObject::DeleteTempMap();
}

// A metafile in memory: its bytes as GetEnhMetaFileBits gives them, parsed.
emf::File ParseMetafile(HENHMETAFILE h) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(h, 0, NULL));
    GetEnhMetaFileBits(h, (UINT)bits.size(), bits.data());
    return emf::File::Parse(bits.data(), bits.size());
}

TEST(GdiMetafile, HoldsFrameTextFontAndPenRecords) {
    CMetaFileDC mf;
    const CRect frame(0, 0, 8000, 5000);  // 0.01 mm
    ASSERT_TRUE(mf.CreateEnhanced(NULL, NULL, frame, "KorvanGA\0Curves\0\0"));
    EXPECT_FALSE(mf.CreateEnhanced(NULL, NULL, frame, NULL)) << "one recording at a time";
    EXPECT_GT(mf.GetDeviceCaps(LOGPIXELSY), 0) << "queries answer for the reference device";

    CFont font;
    ASSERT_TRUE(font.CreateFont(-20, 0, 900, 900, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0,
                                PROOF_QUALITY, FF_SWISS, "Arial"));
    CPen pen(PS_DASH, 1, RGB(10, 20, 30));
    CBrush brush(RGB(200, 100, 50));
    CFont* oldFont = mf.SelectObject(&font);
    CPen* oldPen = mf.SelectObject(&pen);
    CBrush* oldBrush = mf.SelectObject(&brush);
    EXPECT_GT(mf.GetTextExtent("O2", 2).cx, 0);
    mf.SetBkMode(TRANSPARENT);
    mf.TextOut(100, 50, CString("O2 20,9 °C"));
    mf.Rectangle(5, 5, 300, 200);
    mf.MoveTo(10, 10);
    mf.LineTo(100, 120);
    POINT pts[3] = {{0, 0}, {40, 20}, {80, 0}};
    mf.Polyline(pts, 3);
    mf.SelectObject(oldFont);
    mf.SelectObject(oldPen);
    mf.SelectObject(oldBrush);
    HENHMETAFILE h = mf.CloseEnhanced();
    ASSERT_NE(h, (HENHMETAFILE)NULL);
    EXPECT_EQ(mf.CloseEnhanced(), (HENHMETAFILE)NULL);
    const emf::File file = ParseMetafile(h);
    DeleteEnhMetaFile(h);

    const emf::Header& header = file.GetHeader();
    EXPECT_EQ(header.frame.left, 0);
    EXPECT_EQ(header.frame.top, 0);
    EXPECT_EQ(header.frame.right, 8000);
    EXPECT_EQ(header.frame.bottom, 5000);
    EXPECT_EQ(header.description.substr(0, 16), std::u16string(u"KorvanGA\0Curves\0", 16));

    ASSERT_EQ(file.Texts().size(), 1u);
    const emf::Text& text = file.Texts()[0];
    EXPECT_EQ(text.text, "O2 20,9 °C");
    EXPECT_EQ(text.reference.x, 100);
    EXPECT_EQ(text.reference.y, 50);
    const emf::Font* f = file.FontInEffect(text.index);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->face, "Arial");
    EXPECT_EQ(f->height, -20);
    EXPECT_EQ(f->escapement, 900);
    EXPECT_EQ(f->weight, FW_BOLD);
    EXPECT_EQ(f->charSet, ANSI_CHARSET);

    ASSERT_EQ(file.Rectangles().size(), 1u);
    const emf::Pen* p = file.PenInEffect(file.Rectangles()[0].index);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->style & PS_STYLE_MASK, (uint32_t)PS_DASH);
    EXPECT_EQ(p->color, RGB(10, 20, 30));
    const emf::Brush* b = file.BrushInEffect(file.Rectangles()[0].index);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->color, RGB(200, 100, 50));
    ASSERT_EQ(file.LineTos().size(), 1u);
    EXPECT_EQ(file.LineTos()[0].point.x, 100);
    ASSERT_EQ(file.Polylines().size(), 1u);
    EXPECT_EQ(file.Polylines()[0].points.size(), 3u);
    CGdiObject::DeleteTempMap();
}

TEST(GdiMetafile, AFileLeftOpenIsCompletedWhenItsDCGoes) {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    strcat(path, "vaskfc_gdi_test.emf");
    DeleteFileA(path);
    {
        CMetaFileDC mf;
        CClientDC screen(NULL);
        ASSERT_TRUE(mf.CreateEnhanced(&screen, path, NULL, NULL));
        CPen pen(PS_SOLID, 2, RGB(0, 0, 255));
        CPen* old = mf.SelectObject(&pen);
        mf.MoveTo(0, 0);
        mf.LineTo(30, 40);
        mf.SelectObject(old);
        CGdiObject::DeleteTempMap();
    }
    const emf::File file = emf::File::Load(path);
    ASSERT_EQ(file.LineTos().size(), 1u);
    EXPECT_EQ(file.LineTos()[0].point.y, 40);
    const emf::Pen* pen = file.PenInEffect(file.LineTos()[0].index);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->width, 2);
    // Without a frame the drawing decides the picture's size.
    EXPECT_GE(file.GetHeader().bounds.right, 30);
    EXPECT_TRUE(DeleteFileA(path));
}

// Window DCs: a paint DC validates what it painted; client DCs of a window with its own DC
// (the same handle for every caller) may be open at the same time.
LRESULT CALLBACK PaintingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        CWnd wnd;
        wnd.Attach(hWnd);
        {
            CPaintDC dc(&wnd);
            CRect* painted = reinterpret_cast<CRect*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
            *painted = dc.m_ps.rcPaint;
            dc.FillSolidRect(painted, RGB(0, 0, 0));
        }
        wnd.Detach();
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

TEST(GdiWindowDCs, PaintAndClientDCsAreGivenBack) {
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = PaintingProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "VaskfcGdiTest";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND hWnd = CreateWindowExA(0, "VaskfcGdiTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL,
                                NULL, wc.hInstance, NULL);
    ASSERT_NE(hWnd, (HWND)NULL);
    CRect painted;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, (LONG_PTR)&painted);
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    CRect dirty(5, 6, 25, 16);
    InvalidateRect(hWnd, dirty, FALSE);
    UpdateWindow(hWnd);
    EXPECT_TRUE(painted.PtInRect(CPoint(10, 10)));
    EXPECT_FALSE(GetUpdateRect(hWnd, NULL, FALSE)) << "EndPaint ran";

    CWnd wnd;
    wnd.Attach(hWnd);
    {
        CClientDC a(&wnd);
        CClientDC b(&wnd);
        EXPECT_NE(a.GetSafeHdc(), (HDC)NULL);
        EXPECT_EQ(a.GetSafeHdc(), b.GetSafeHdc());
        EXPECT_EQ(WindowFromDC(a.m_hDC), hWnd);
        CWindowDC whole(&wnd);
        EXPECT_NE(whole.GetSafeHdc(), (HDC)NULL);
    }
    // The own DC outlives the wrappers: it was released, not deleted.
    HDC own = GetDC(hWnd);
    EXPECT_TRUE(Alive(own));
    ReleaseDC(hWnd, own);
    wnd.Detach();
    DestroyWindow(hWnd);
    UnregisterClassA("VaskfcGdiTest", wc.hInstance);

    bool thrown = false;
    try {
        CPaintDC nothing(NULL);
    } catch (CResourceException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown) << "no window, no paint DC";
}

// CRect's set operations agree with Windows' own.
TEST(Geometry, RectangleOperationsAgreeWithWindows) {
    const RECT rects[] = {{0, 0, 10, 10}, {5, 5, 15, 15},  {0, 0, 10, 5}, {0, 5, 10, 10},
                          {2, 2, 4, 4},   {10, 0, 20, 10}, {0, 0, 0, 0},  {3, 3, 1, 8},
                          {-5, 0, 5, 10}, {0, -5, 10, 5},  {0, 0, 10, 20}};
    for (const RECT& a : rects) {
        for (const RECT& b : rects) {
            RECT expected;
            CRect got;
            BOOL r1 = IntersectRect(&expected, &a, &b);
            BOOL r2 = got.IntersectRect(&a, &b);
            EXPECT_EQ(!!r1, !!r2);
            EXPECT_TRUE(got == expected);
            r1 = UnionRect(&expected, &a, &b);
            r2 = got.UnionRect(&a, &b);
            EXPECT_EQ(!!r1, !!r2);
            EXPECT_TRUE(got == expected);
            r1 = SubtractRect(&expected, &a, &b);
            r2 = got.SubtractRect(&a, &b);
            EXPECT_EQ(!!r1, !!r2);
            if (r1) {
                EXPECT_TRUE(got == expected);
            }
            EXPECT_EQ(!!CRect(a).IsRectEmpty(), !!IsRectEmpty(&a));
            POINT corner = {b.left, b.top};
            EXPECT_EQ(!!CRect(a).PtInRect(corner), !!PtInRect(&a, corner));
        }
    }
    CRect r(10, 20, 50, 60);
    r.DeflateRect(2, 3);
    EXPECT_EQ(r, CRect(12, 23, 48, 57));
    r.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(r, CRect(11, 21, 51, 61));
    r.OffsetRect(CPoint(-11, -21));
    EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(r.Size(), CSize(40, 40));
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 20));
    r.BottomRight() = CPoint(-4, -6);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(-4, -6, 0, 0));
    EXPECT_EQ(CPoint(5, 7) - CPoint(1, 2), CSize(4, 5));
    EXPECT_EQ(CRect(1, 1, 3, 3) + CPoint(1, 1), CRect(2, 2, 4, 4));
    EXPECT_EQ(CPoint((LPARAM)MAKELPARAM(-3, 7)), CPoint(-3, 7));
}

}  // namespace
