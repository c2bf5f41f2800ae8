// The gallery of the grid's normal cell type.
#include "gallery.h"

#include "grid_test_ids.h"

#include <string>

BEGIN_MESSAGE_MAP(CGridGalleryWnd, CWnd)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

const int kLabelWidth = 110;
const int kColumnWidth = 120;
const int kHeadingHeight = 22;
const char kLong[] = "A text much too long for its cell runs on to the right";

struct RowInfo {
    const char* label;
    int height;
};

const RowInfo kRows[] = {
    {"Borders", 26},   {"3-D frames", 26}, {"Alignment", 44}, {"Ellipsis", 26},
    {"Word wrap", 48}, {"Run on", 26},     {"Pictures", 30},  {"Highlight", 26},
};

}  // namespace

CGridGalleryWnd::CGridGalleryWnd() : m_nCellsDrawn(0) {}

CGridGalleryWnd::~CGridGalleryWnd() {}

BOOL CGridGalleryWnd::Create() {
    Fill();
    int height = kHeadingHeight;
    for (const RowInfo& row : kRows) height += row.height;
    // A window without a frame: its image is its client area, cells only.
    if (!CreateEx(0, NULL, "Grid cell gallery", WS_POPUP, 30, 30, kLabelWidth + 4 * kColumnWidth,
                  height, NULL, NULL))
        return FALSE;
    // Shown without taking the foreground from tests that run beside it.
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    return TRUE;
}

void CGridGalleryWnd::Put(int col, int row, LPCSTR text, int border, int alignment, int style) {
    CGridCell cell;
    if (text != NULL) cell.SetText(text);
    if (border != 0) cell.SetBorder(border);
    if (alignment >= 0) cell.SetAlignment(alignment);
    if (style != 0) cell.SetCellTypeStyle(style);
    m_grid.SetCell(col, row, cell);
}

void CGridGalleryWnd::Fill() {
    m_tall.LoadBitmap(IDB_TEST_PICTURE_TALL);
    m_button.LoadBitmap(IDB_TEST_BUTTON_UP);
    m_grid.SetDefaultColumnWidth(kColumnWidth);
    m_grid.SetColCount(4, FALSE);
    m_grid.SetRowCount(sizeof kRows / sizeof kRows[0], FALSE);
    m_grid.Set3DBorderWidth(2);
    m_grid.SetCursorCellStyle(3);
    for (int r = 0; r < m_grid.GetRowCount(); ++r) {
        m_grid.SetRowHeight(r, kRows[r].height);
        m_grid.SetCellText(-1, r, kRows[r].label);
    }
    m_grid.SetCellText(-1, -1, "Normal type");
    for (int c = 0; c < 4; ++c) m_grid.SetCellText(c, -1, std::string(1, (char)('A' + c)).c_str());

    // Borders in a pen of their own: thin, two and three pixels wide, mixed.
    m_penBorder.CreatePen(PS_SOLID, 1, RGB(0, 0, 128));
    const int borders[] = {0x000F, 0x0090, 0x0600, 0x0821};
    const char* borderTexts[] = {"Thin frame", "2 px left, bottom", "3 px top, right", "Mixed"};
    for (int c = 0; c < 4; ++c) {
        Put(c, 0, borderTexts[c], borders[c]);
        CGridCell cell;
        m_grid.GetCell(c, 0, cell);
        cell.SetBorderPen(&m_penBorder);
        m_grid.SetCell(c, 0, cell);
    }
    // Three-dimensional frames, two pixels wide here, never with grid lines.
    Put(0, 1, "Sunken", GRIDBORDER_SUNKEN);
    Put(1, 1, "Raised", GRIDBORDER_RAISED);
    Put(2, 1, "Sunken, centred", GRIDBORDER_SUNKEN, 0x24);
    Put(3, 1, "Raised, right", GRIDBORDER_RAISED, 0x22);
    for (int c = 0; c < 4; ++c) {
        CGridCell cell;
        m_grid.GetCell(c, 1, cell);
        cell.SetBackColor(::GetSysColor(COLOR_BTNFACE));
        m_grid.SetCell(c, 1, cell);
    }
    // Alignments in a tall row.
    Put(0, 2, "Left, top", 0, GRIDALIGN_LEFT);
    Put(1, 2, "Centred", 0, GRIDALIGN_CENTER | GRIDALIGN_VCENTER);
    Put(2, 2, "Right, bottom", 0, GRIDALIGN_RIGHT | GRIDALIGN_BOTTOM);
    Put(3, 2, "Centre, bottom", 0, GRIDALIGN_CENTER | GRIDALIGN_BOTTOM);
    // "..." for a text too wide, none for one that fits.
    Put(0, 3, kLong, 0, -1, GRIDSTYLE_ELLIPSIS);
    Put(1, 3, "Fits", 0, -1, GRIDSTYLE_ELLIPSIS);
    Put(2, 3, "Cut at the edge without dots", 0, GRIDALIGN_CENTER);
    Put(3, 3, "Caption shown", 0, -1, GRIDSTYLE_SHOWCAPTION);
    CGridCell caption;
    m_grid.GetCell(3, 3, caption);
    caption.SetText("hidden text");
    caption.SetCaptionText("Caption shown");
    m_grid.SetCell(3, 3, caption);
    // Word wrap: left, centred and right; the last without the style.
    const char wrap[] = "Word wrap breaks a long text into lines";
    Put(0, 4, wrap, 0, -1, GRIDSTYLE_WORDWRAP);
    Put(1, 4, wrap, 0, GRIDALIGN_CENTER, GRIDSTYLE_WORDWRAP);
    Put(2, 4, wrap, 0, GRIDALIGN_RIGHT, GRIDSTYLE_WORDWRAP);
    Put(3, 4, wrap);
    // A left-aligned text runs on into empty cells until the first filled one.
    Put(0, 5, kLong);
    Put(3, 5, "Stops it");
    // Pictures: a small one beside the text, a tall one scaled down to the cell.
    CGridCell picture;
    picture.SetText("Button picture");
    picture.SetBitmap(&m_button);
    m_grid.SetCell(0, 6, picture);
    picture.SetText("Scaled down");
    picture.SetBitmap(&m_tall);
    m_grid.SetCell(1, 6, picture);
    picture.ClearProperty(GRIDCELL_TEXT);
    m_grid.SetCell(2, 6, picture);
    picture.SetText("Centred beside it");
    picture.SetAlignment(GRIDALIGN_CENTER | GRIDALIGN_VCENTER);
    m_grid.SetCell(3, 6, picture);
    // Colours: selected, current, and cells with colours of their own.
    Put(0, 7, "Selected");
    Put(1, 7, "Current");
    CGridCell coloured;
    coloured.SetText("Own colours");
    coloured.SetTextColor(RGB(160, 0, 0));
    coloured.SetBackColor(RGB(255, 255, 200));
    m_grid.SetCell(2, 7, coloured);
    coloured.SetText("Bold frame");
    coloured.SetBorder(0x00F0);
    m_grid.SetCell(3, 7, coloured);
}

void CGridGalleryWnd::OnPaint() {
    CPaintDC dc(this);
    Draw(&dc);
}

LRESULT CGridGalleryWnd::OnPrintClient(WPARAM wParam, LPARAM) {
    Draw(CDC::FromHandle((HDC)wParam));
    return 0;
}

void CGridGalleryWnd::Draw(CDC* pDC) {
    CDC& dc = *pDC;
    m_nCellsDrawn = 0;
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    int y = 0;
    for (int r = -1; r < m_grid.GetRowCount(); ++r) {
        const int height = r < 0 ? kHeadingHeight : m_grid.GetRowHeight(r);
        int x = 0;
        for (int c = -1; c < m_grid.GetColCount(); ++c) {
            const int width = c < 0 ? kLabelWidth : m_grid.GetColumnWidth(c);
            CRect rc(x, y, x + width, y + height);
            CGridCell cell;
            m_grid.GetDisplayCell(c, r, cell);
            const BOOL bSelected = r == 7 && c == 0;
            const BOOL bCurrent = r == 7 && c == 1;
            m_grid.GetCellTypeObject(cell.GetCellType())
                ->OnDraw(&dc, &rc, c, r, &cell, bSelected, bCurrent);
            ++m_nCellsDrawn;
            x += width;
        }
        y += height;
    }
    dc.SelectObject(pOldFont);
}
