// The colour button's drawing, recorded into an enhanced metafile and read back with the test
// kit's reader: the raised and the pressed frame, the colour field and where it lies.
#include "colorbutton.h"
#include "emf_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kOrange = RGB(0xFF, 0x80, 0x00);

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        host_ = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
        ASSERT_NE(host_, nullptr);
        ASSERT_TRUE(button_.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 48, 24),
                                   CWnd::FromHandle(host_), 1140));
    }
    void TearDown() override {
        button_.DestroyWindow();
        ::DestroyWindow(host_);
    }

    // What DrawItem records for the item state, on the rectangle (0, 0, 48, 24).
    emf::File Draw(UINT state) {
        HDC dc = ::CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = 1140;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button_.m_hWnd;
        item.hDC = dc;
        item.rcItem = {0, 0, 48, 24};
        button_.DrawItem(&item);
        HENHMETAFILE meta = ::CloseEnhMetaFile(dc);
        std::vector<BYTE> bytes(::GetEnhMetaFileBits(meta, 0, NULL));
        ::GetEnhMetaFileBits(meta, (UINT)bytes.size(), bytes.data());
        ::DeleteEnhMetaFile(meta);
        return emf::File::Parse(bytes.data(), bytes.size());
    }

    HWND host_ = NULL;
    CColorButton button_;
};

bool HasPen(const emf::File& file, COLORREF color) {
    for (const emf::Pen& pen : file.Pens())
        if (pen.color == color) return true;
    return false;
}

TEST_F(ColorButtonTest, TheRaisedButtonShowsTheColourFieldInsideItsFrame) {
    button_.SetColor(kOrange);
    EXPECT_EQ(button_.GetColor(), kOrange);
    const emf::File file = Draw(0);
    ASSERT_EQ(file.Rectangles().size(), 1u);
    const emf::Shape& field = file.Rectangles()[0];
    // Shrunk by 4 on every side; the record's right and bottom are inclusive.
    EXPECT_EQ(field.box.left, 4);
    EXPECT_EQ(field.box.top, 4);
    EXPECT_EQ(field.box.right, 43);
    EXPECT_EQ(field.box.bottom, 19);
    const emf::Brush* brush = file.BrushInEffect(field.index);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->color, kOrange);
    const emf::Pen* pen = file.PenInEffect(field.index);
    ASSERT_NE(pen, nullptr);
    EXPECT_EQ(pen->color, RGB(0, 0, 0));
    // The raised frame: white light edges and black shadow edges, no greys.
    EXPECT_TRUE(HasPen(file, RGB(0xFF, 0xFF, 0xFF)));
    EXPECT_EQ(file.MoveTos().size(), 4u);
    const emf::Position& first = file.MoveTos()[0];
    EXPECT_EQ(first.point.x, 1);
    EXPECT_EQ(first.point.y, 21);
    const emf::Pen* firstPen = file.PenInEffect(first.index);
    ASSERT_NE(firstPen, nullptr);
    EXPECT_EQ(firstPen->color, RGB(0xFF, 0xFF, 0xFF));
}

TEST_F(ColorButtonTest, PressingShiftsTheFieldOnePixelRightAndDown) {
    button_.SetColor(kOrange);
    const emf::File file = Draw(ODS_SELECTED);
    ASSERT_EQ(file.Rectangles().size(), 1u);
    const emf::Shape& field = file.Rectangles()[0];
    EXPECT_EQ(field.box.left, 5);
    EXPECT_EQ(field.box.top, 5);
    EXPECT_EQ(field.box.right, 44);
    EXPECT_EQ(field.box.bottom, 20);
    // The pressed frame: dark and light grey, three runs of lines.
    ASSERT_EQ(file.MoveTos().size(), 3u);
    const emf::Pen* darkPen = file.PenInEffect(file.MoveTos()[0].index);
    ASSERT_NE(darkPen, nullptr);
    EXPECT_EQ(darkPen->color, RGB(0x80, 0x80, 0x80));
    const emf::Pen* lightPen = file.PenInEffect(file.MoveTos()[2].index);
    ASSERT_NE(lightPen, nullptr);
    EXPECT_EQ(lightPen->color, RGB(0xC0, 0xC0, 0xC0));
}

TEST_F(ColorButtonTest, ADisabledButtonShowsOnlyItsFrame) {
    button_.SetColor(kOrange);
    button_.EnableWindow(FALSE);
    const emf::File file = Draw(ODS_DISABLED);
    EXPECT_TRUE(file.Rectangles().empty());
    EXPECT_EQ(file.MoveTos().size(), 4u);
}

TEST_F(ColorButtonTest, ANewColourWithoutBitmapsShowsAtTheNextRepaint) {
    button_.SetColor(RGB(0, 0, 0xFF));
    EXPECT_FALSE(button_.LoadBitmaps(59990, 59991));
    button_.SetColor(kOrange);
    const emf::File file = Draw(0);
    ASSERT_EQ(file.Rectangles().size(), 1u);
    const emf::Brush* brush = file.BrushInEffect(file.Rectangles()[0].index);
    ASSERT_NE(brush, nullptr);
    EXPECT_EQ(brush->color, kOrange);
}

}  // namespace
