// The report list and its view in real windows: row values handed back on deletion, the tip
// texts in step with the columns, columns and rows from comma lists with their widths, no
// repeated set of an unchanged cell, tool-tip ids and texts, the selection, and the drawing
// of the rows as the cell recorder sees it (texts, rectangles, formats and colours).
#include "listctrlex.h"

#include "shell_seams.h"
#include "window_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

CWinApp theApp("KorvanGA list test");

// Strings of listctrlex_test.rc.
const UINT kThreeColumns = 1;  // "A,B,C"
const UINT kOneColumn = 2;     // "ABC"
const UINT kEmptyPieces = 3;   // "Wert,,Einheit"
const UINT kMissing = 999;

// Tips and row values as tests see them.
class CProbeList : public CListCtrlEx {
public:
    size_t Records() const { return m_records.size(); }
    bool ToolTipsOn() const { return (m_nFlags & WF_TOOLTIPS) != 0; }
};

// A notice that reached the host: the sender and, for list notices, the row and lParam.
struct Notice {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
    int item;
    LPARAM lParam;
};

class CHostWnd : public CWnd {
public:
    CHostWnd() {
        CreateEx(0, NULL, "list test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20,
                 640, 480, NULL, NULL);
    }
    ~CHostWnd() override {
        if (m_hWnd != NULL) DestroyWindow();
    }
    // As a handler of the host's map sees it: after the list had its reflected turn.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const BOOL bHandled = CWnd::OnNotify(wParam, lParam, pResult);
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->code == LVN_INSERTITEM || pNMHDR->code == LVN_DELETEITEM) {
            const NMLISTVIEW* pNMLV = (const NMLISTVIEW*)lParam;
            notices.push_back(
                {pNMHDR->hwndFrom, pNMHDR->idFrom, pNMHDR->code, pNMLV->iItem, pNMLV->lParam});
        }
        return bHandled;
    }
    std::vector<Notice> Deleted() const {
        std::vector<Notice> deleted;
        for (const Notice& n : notices)
            if (n.code == LVN_DELETEITEM) deleted.push_back(n);
        return deleted;
    }
    std::vector<Notice> notices;
};

const UINT kListId = 77;
const DWORD kReport = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED;

class ListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.m_hWnd, (HWND)NULL);
        ASSERT_TRUE(list.Create(kReport, CRect(10, 10, 610, 400), &host, kListId));
        wkit::Driver::Pump(0);
    }
    void TearDown() override {
        if (list.m_hWnd != NULL) list.DestroyWindow();
    }

    // `rows` rows of `columns` columns, cell text "r.c", tip text "tip r.c".
    void Fill(int rows, int columns) {
        for (int c = 0; c < columns; ++c)
            list.InsertColumn(c, ("col" + std::to_string(c)).c_str(), LVCFMT_LEFT, 80);
        for (int r = 0; r < rows; ++r) {
            list.InsertItem(LVIF_TEXT | LVIF_PARAM, r, Cell(r, 0).c_str(), 0, 0, 0, 100 + r);
            for (int c = 0; c < columns; ++c) {
                if (c > 0) list.SetItemText(r, c, Cell(r, c).c_str());
                list.SetItemTipText(r, c, ("tip " + Cell(r, c)).c_str());
            }
        }
    }
    static std::string Cell(int r, int c) { return std::to_string(r) + "." + std::to_string(c); }
    std::vector<std::string> Tips(int row, int columns) const {
        std::vector<std::string> tips;
        for (int c = 0; c < columns; ++c) tips.push_back((LPCSTR)list.GetItemTipText(row, c));
        return tips;
    }
    std::vector<std::string> Headings() const {
        std::vector<std::string> headings;
        char text[64];
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        for (int c = 0; list.GetColumn(c, &column); ++c) headings.push_back(text);
        return headings;
    }

    CHostWnd host;
    CProbeList list;
};

// --- rows and their values -------------------------------------------------------------------

TEST_F(ListTest, ARowsValueIsItsLParamAndComesBackWhenTheRowIsDeleted) {
    list.InsertColumn(0, "Name");
    ASSERT_EQ(0, list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "seven", 0, 0, 0, 7));
    ASSERT_EQ(1, list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, "eight", 0, 0, 0, 8));
    ASSERT_EQ(2, list.InsertItem(2, "plain"));
    EXPECT_EQ(7, list.GetItemValue(0));
    EXPECT_EQ(8, list.GetItemValue(1));
    EXPECT_EQ(0, list.GetItemValue(2));
    EXPECT_EQ(0, list.GetItemValue(3));  // no such row
    EXPECT_NE((DWORD_PTR)7, list.GetItemData(0));
    EXPECT_EQ(3u, list.Records());

    EXPECT_TRUE(list.SetItemValue(1, -5));
    EXPECT_FALSE(list.SetItemValue(9, 1));
    EXPECT_EQ(-5, list.GetItemValue(1));

    ASSERT_TRUE(list.DeleteItem(0));
    ASSERT_TRUE(list.DeleteAllItems());
    std::vector<Notice> deleted = host.Deleted();
    ASSERT_EQ(3u, deleted.size());
    EXPECT_EQ(7, deleted[0].lParam);
    std::vector<LPARAM> rest = {deleted[1].lParam, deleted[2].lParam};
    EXPECT_NE(rest.end(), std::find(rest.begin(), rest.end(), (LPARAM)-5));
    EXPECT_NE(rest.end(), std::find(rest.begin(), rest.end(), (LPARAM)0));
    EXPECT_EQ(0u, list.Records());
}

TEST_F(ListTest, ARowWhoseDataWasOverwrittenIsNoRecordAndDestroyingTheListFreesTheOthers) {
    list.InsertColumn(0, "Name");
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "kept", 0, 0, 0, 3);
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 1, "foreign", 0, 0, 0, 4);
    // The library's own item data, set past the list: the row has no record any more.
    list.CListCtrl::SetItemData(1, 0x1234);
    EXPECT_EQ(0, list.GetItemValue(1));
    EXPECT_EQ("", std::string(list.GetItemTipText(1, 0)));
    list.SetItemTipText(1, 0, "nowhere");
    EXPECT_FALSE(list.SetItemValue(1, 9));

    host.notices.clear();
    list.DestroyWindow();
    std::vector<Notice> deleted = host.Deleted();
    ASSERT_EQ(2u, deleted.size());
    std::vector<LPARAM> values = {deleted[0].lParam, deleted[1].lParam};
    EXPECT_NE(values.end(), std::find(values.begin(), values.end(), (LPARAM)3));
    EXPECT_NE(values.end(), std::find(values.begin(), values.end(), (LPARAM)0x1234));
    EXPECT_EQ(1u, list.Records());  // the overwritten row's record: freed with the object
}

// --- columns and tip texts ---------------------------------------------------------------------

TEST_F(ListTest, TipTextsFollowTheColumnsInsertedAndDeleted) {
    Fill(3, 3);
    EXPECT_EQ((std::vector<std::string>{"tip 1.0", "tip 1.1", "tip 1.2"}), Tips(1, 3));

    ASSERT_TRUE(list.DeleteColumn(1));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ((std::vector<std::string>{"tip " + Cell(r, 0), "tip " + Cell(r, 2), ""}),
                  Tips(r, 3))
            << r;

    // Both library forms of the insertion, and the fitted one at the end.
    ASSERT_EQ(1, list.InsertColumn(1, "new"));
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<LPSTR>("first");
    column.cx = 40;
    ASSERT_EQ(0, list.InsertColumn(0, &column));
    ASSERT_EQ(4, list.InsertColumnFit("last", 4));
    EXPECT_EQ((std::vector<std::string>{"", "tip 2.0", "", "tip 2.2", ""}), Tips(2, 5));
    EXPECT_EQ((std::vector<std::string>{"first", "col0", "new", "col2", "last"}), Headings());

    // A refused deletion changes no tips.
    EXPECT_FALSE(list.DeleteColumn(9));
    EXPECT_EQ("tip 2.2", std::string(list.GetItemTipText(2, 3)));
}

TEST_F(ListTest, CommaListsGiveOneColumnOrRowPerPieceAsWideAsItsText) {
    struct Case {
        UINT id;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {{kThreeColumns, {"A", "B", "C"}},
                          {kOneColumn, {"ABC"}},
                          {kEmptyPieces, {"Wert", "", "Einheit"}},
                          {kMissing, {}}};
    for (const Case& c : cases) {
        list.DeleteAllItemsAndColumns();
        list.ModifyStyle(LVS_SHOWSELALWAYS, 0);
        list.InsertColumnsFromString(c.id);
        EXPECT_EQ(c.pieces, Headings()) << c.id;
        EXPECT_TRUE(list.GetStyle() & LVS_SHOWSELALWAYS);
        for (size_t i = 0; i < c.pieces.size(); ++i)
            EXPECT_EQ(list.GetStringWidth(c.pieces[i].c_str()) + 15, list.GetColumnWidth((int)i))
                << c.id << " column " << i;
    }

    list.DeleteAllItemsAndColumns();
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_TRUE(Headings().empty());
    list.InsertColumn(0, "x", LVCFMT_LEFT, 5);
    list.EnableToolTips(FALSE);
    list.InsertItemsFromString(kThreeColumns);
    ASSERT_EQ(3, list.GetItemCount());
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(std::string(1, (char)('A' + r)), (LPCSTR)list.GetItemText(r, 0));
    const int widest =
        std::max({list.GetStringWidth("A"), list.GetStringWidth("B"), list.GetStringWidth("C")});
    EXPECT_EQ(widest + 15, list.GetColumnWidth(0));
    EXPECT_TRUE(list.ToolTipsOn());
    EXPECT_EQ(3u, list.Records());
}

// --- setting cells ---------------------------------------------------------------------------

// Counts the cell-setting messages that reach the list control.
WNDPROC g_listProc = NULL;
int g_sets = 0;
LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LVM_SETITEMTEXTA || message == LVM_SETITEMTEXTW || message == LVM_SETITEMA ||
        message == LVM_SETITEMW)
        ++g_sets;
    return CallWindowProcA(g_listProc, hWnd, message, wParam, lParam);
}

TEST_F(ListTest, ACellIsSetOnlyWhenItsTextChangesAndItsColumnWidensToFit) {
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 300);
    list.InsertColumn(1, "Value", LVCFMT_RIGHT, 30);
    ASSERT_EQ(0, list.SetItemTextFitColumn(0, 0, "first row"));
    ASSERT_EQ(1, list.SetItemTextFitColumn(1, 0, "second row", 2));
    EXPECT_EQ(300, list.GetColumnWidth(0));  // wide enough already
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    list.GetItem(&item);
    EXPECT_EQ(2, item.iImage);

    g_sets = 0;
    g_listProc = (WNDPROC)SetWindowLongPtrA(list.m_hWnd, GWLP_WNDPROC, (LONG_PTR)CountingProc);
    struct Step {
        int item, subItem, update;
        const char* text;
        int sets;  // the count after the step
    };
    const Step steps[] = {{0, 1, 0, "12.5 ppm", 1},  {0, 1, 0, "12.5 ppm", 1},
                          {0, 1, 1, "12.5 ppm", 1},  {0, 1, 0, "12.5 ppm ", 2},
                          {0, 0, 1, "first row", 2}, {0, 0, 1, "First row", 3},
                          {1, 1, 0, "", 3},          {1, 1, 0, "x", 4}};
    for (const Step& s : steps) {
        EXPECT_TRUE(list.SetItemTextFitColumn(s.item, s.subItem, s.text, -1, s.update)) << s.text;
        EXPECT_EQ(s.sets, g_sets) << s.text;
        EXPECT_EQ(s.text, std::string(list.GetItemText(s.item, s.subItem)));
    }
    SetWindowLongPtrA(list.m_hWnd, GWLP_WNDPROC, (LONG_PTR)g_listProc);
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ(list.GetStringWidth("12.5 ppm ") + 15, list.GetColumnWidth(1));
}

// --- tool tips ----------------------------------------------------------------------------------

TEST_F(ListTest, TheToolUnderAPointIsItsCellAndTheTipIsItsTextOrTheCells) {
    Fill(4, 3);
    list.SetItemTipText(2, 1, "");
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_BOUNDS, cell));
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    const INT_PTR nID = list.OnToolHitTest(cell.CenterPoint(), &info);
    EXPECT_EQ((2 << 10) + 1 + 1, nID);
    EXPECT_EQ(list.m_hWnd, info.hwnd);
    EXPECT_EQ((UINT_PTR)nID, info.uId);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, info.lpszText);
    EXPECT_EQ(cell.left, info.rect.left);
    EXPECT_EQ(cell.top, info.rect.top);
    EXPECT_EQ(cell.bottom, info.rect.bottom);
    EXPECT_EQ(cell.left + list.GetColumnWidth(1), info.rect.right);
    CRect first;
    ASSERT_TRUE(list.GetSubItemRect(0, 0, LVIR_LABEL, first));
    EXPECT_EQ(1, list.OnToolHitTest(first.CenterPoint(), NULL));
    CRect last;
    ASSERT_TRUE(list.GetItemRect(3, &last, LVIR_BOUNDS));
    EXPECT_EQ(-1, list.OnToolHitTest(CPoint(last.left + 5, last.bottom + 20), NULL));
    EXPECT_EQ(-1, list.OnToolHitTest(CPoint(last.left + 3 * 80 + 10, last.top + 2), NULL));

    // The requests of a tool tip, as it sends them.
    HWND hTip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, WS_POPUP, 0, 0, 0, 0, host.m_hWnd, NULL,
                                NULL, NULL);
    ASSERT_NE((HWND)NULL, hTip);
    struct Case {
        UINT_PTR id;
        UINT code;
        const char* text;  // NULL: not answered
    };
    const Case cases[] = {{(2 << 10) + 2, TTN_NEEDTEXTA, "2.1"},
                          {(2 << 10) + 2, TTN_NEEDTEXTW, "2.1"},
                          {(1 << 10) + 3, TTN_NEEDTEXTA, "tip 1.2"},
                          {(3 << 10) + 1, TTN_NEEDTEXTW, "tip 3.0"},
                          {0, TTN_NEEDTEXTA, NULL}};
    for (const Case& c : cases) {
        SendMessageA(hTip, TTM_SETMAXTIPWIDTH, 0, 77);
        NMTTDISPINFOW request = {};  // the wide form is the larger
        request.hdr.hwndFrom = hTip;
        request.hdr.idFrom = c.id;
        request.hdr.code = c.code;
        ::SendMessageA(list.m_hWnd, WM_NOTIFY, 0, (LPARAM)&request);
        if (c.text == NULL) {
            EXPECT_EQ(nullptr, request.lpszText);
            EXPECT_EQ(77, SendMessageA(hTip, TTM_GETMAXTIPWIDTH, 0, 0));
            continue;
        }
        EXPECT_EQ(300, SendMessageA(hTip, TTM_GETMAXTIPWIDTH, 0, 0)) << c.id;
        ASSERT_NE(nullptr, request.lpszText);
        std::string answer;
        if (c.code == TTN_NEEDTEXTA) {
            answer = ((NMTTDISPINFOA*)&request)->lpszText;
        } else {
            for (const WCHAR* p = request.lpszText; *p; ++p) answer += (char)*p;
        }
        EXPECT_EQ(c.text, answer) << c.id;
    }

    // A text longer than the buffers is cut, and umlauts reach the wide form.
    list.SetItemTipText(0, 0, std::string(1500, 'x').c_str());
    NMTTDISPINFOA ansi = {};
    ansi.hdr = {hTip, 1, (UINT)TTN_NEEDTEXTA};
    ::SendMessageA(list.m_hWnd, WM_NOTIFY, 0, (LPARAM)&ansi);
    EXPECT_EQ(999u, strlen(ansi.lpszText));
    list.SetItemTipText(0, 0, "Messwert \xFC\x62\x65r Grenze");
    NMTTDISPINFOW wide = {};
    wide.hdr = {hTip, 1, (UINT)TTN_NEEDTEXTW};
    ::SendMessageA(list.m_hWnd, WM_NOTIFY, 0, (LPARAM)&wide);
    EXPECT_EQ(std::wstring(L"Messwert \u00FCber Grenze"), std::wstring(wide.lpszText));
    DestroyWindow(hTip);
}

// --- selection, styles and the look's values -------------------------------------------------

TEST_F(ListTest, SelectingARowKeepsTheOthersAndScrollsItIntoView) {
    list.InsertColumn(0, "Row", LVCFMT_LEFT, 100);
    for (int r = 0; r < 60; ++r) list.InsertItem(r, std::to_string(r).c_str());
    EXPECT_EQ(-1, list.GetFirstSelectedItem());
    EXPECT_EQ(-1, list.SelectItem(-1));
    EXPECT_EQ(0u, list.GetSelectedCount());
    EXPECT_EQ(3, list.SelectItem(3));
    EXPECT_EQ(50, list.SelectItem(50));
    EXPECT_EQ(2u, list.GetSelectedCount());
    EXPECT_EQ(3, list.GetFirstSelectedItem());
    const int top = list.GetTopIndex();
    EXPECT_LE(top, 50);
    EXPECT_LT(50, top + list.GetCountPerPage());
}

TEST_F(ListTest, TheOwnerDrawnStyleAndTheColoursAndStateImagesItKeeps) {
    EXPECT_TRUE(list.m_bOwnerDrawn);
    EXPECT_FALSE(list.SetOwnerDrawn(true));  // made with the style
    EXPECT_TRUE(list.SetOwnerDrawn(false));
    EXPECT_FALSE(list.GetOwnerDrawn());
    EXPECT_FALSE(list.GetStyle() & LVS_OWNERDRAWFIXED);
    EXPECT_FALSE(list.SetOwnerDrawn(false));
    EXPECT_TRUE(list.SetOwnerDrawn(true));
    EXPECT_TRUE(list.GetStyle() & LVS_OWNERDRAWFIXED);

    EXPECT_EQ(GetSysColor(COLOR_WINDOW), list.m_clrTextBk);
    list.SetTextBkColor(RGB(1, 2, 3));
    list.SetBkColor(RGB(4, 5, 6));
    list.SetTextColor(RGB(7, 8, 9));
    EXPECT_EQ(RGB(1, 2, 3), list.m_clrTextBk);
    EXPECT_EQ(RGB(4, 5, 6), list.m_clrBkgnd);
    EXPECT_EQ(RGB(1, 2, 3), list.GetTextBkColor());
    EXPECT_EQ(RGB(7, 8, 9), list.GetTextColor());

    CImageList states, small;
    ASSERT_TRUE(states.Create(12, 10, ILC_COLOR4, 2, 0));
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR4, 2, 0));
    list.SetImageList(&states, LVSIL_STATE);
    EXPECT_EQ(12, list.m_cxStateImageOffset);
    list.SetImageList(&small, LVSIL_SMALL);
    EXPECT_EQ(12, list.m_cxStateImageOffset);
    list.SetImageList(NULL, LVSIL_STATE);
    EXPECT_EQ(0, list.m_cxStateImageOffset);
    list.SetImageList(NULL, LVSIL_SMALL);

    list.MoveWindow(0, 0, 333, 200);
    CRect client;
    list.GetClientRect(&client);
    EXPECT_EQ(client.Width(), list.m_cxClient);
}

// --- drawing ----------------------------------------------------------------------------------

std::vector<ListCellDrawing> g_drawn;
void RecordCell(const ListCellDrawing& drawing, void*) { g_drawn.push_back(drawing); }

class DrawingTest : public ListTest {
protected:
    void SetUp() override {
        ListTest::SetUp();
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 90);
        list.InsertColumn(1, "Value", LVCFMT_RIGHT, 70);
        list.InsertColumn(2, "Unit", LVCFMT_CENTER, 60);
        g_drawn.clear();
        SetListCellRecorder(RecordCell, NULL);
    }
    void TearDown() override {
        SetListCellRecorder(NULL, NULL);
        ListTest::TearDown();
    }
    int Row(const char* name, const char* value, const char* unit) {
        const int r = list.InsertItem(list.GetItemCount(), name);
        list.SetItemText(r, 1, value);
        list.SetItemText(r, 2, unit);
        return r;
    }
    // Draws the row as the list's parent hands it over, into a memory context with the
    // list's font; the cells drawn.
    std::vector<ListCellDrawing> Draw(int row) {
        g_drawn.clear();
        HDC screen = GetDC(NULL);
        HDC hdc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 640, 480);
        ReleaseDC(NULL, screen);
        HGDIOBJ oldBitmap = SelectObject(hdc, bitmap);
        HGDIOBJ oldFont = SelectObject(hdc, (HFONT)list.SendMessage(WM_GETFONT));
        SetTextColor(hdc, RGB(0, 0, 0));
        SetBkColor(hdc, RGB(255, 255, 255));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = kListId;
        dis.itemID = row;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = list.m_hWnd;
        dis.hDC = hdc;
        list.GetItemRect(row, &dis.rcItem, LVIR_BOUNDS);
        list.DrawItem(&dis);
        textColorAfter = GetTextColor(hdc);
        SelectObject(hdc, oldFont);
        SelectObject(hdc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(hdc);
        return g_drawn;
    }
    int Width(const std::string& text) { return list.GetStringWidth(text.c_str()); }
    COLORREF textColorAfter = 0;
};

bool EndsWithDots(const CString& text) { return text.GetLength() >= 3 && text.Right(3) == "..."; }

TEST_F(DrawingTest, CellsKeepTheirColumnsAlignmentUnlessShortenedAndEmptyCellsAreSkipped) {
    const int fits = Row("Zero point", "12.5", "ppm");
    const int wide = Row("Measuring range upper value of component two", "123456789.123456", "");
    std::vector<ListCellDrawing> cells = Draw(fits);
    ASSERT_EQ(3u, cells.size());
    CRect bounds, label;
    list.GetItemRect(fits, &bounds, LVIR_BOUNDS);
    list.GetItemRect(fits, &label, LVIR_LABEL);
    const UINT kFlags = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_VCENTER;
    struct Expected {
        int column;
        const char* text;
        UINT justify;
        int left, right;
    };
    const Expected expected[] = {
        {0, "Zero point", DT_LEFT, label.left + 2, label.right - 2},
        {1, "12.5", DT_RIGHT, bounds.left + 90 + 6, bounds.left + 160 - 6},
        {2, "ppm", DT_CENTER, bounds.left + 160 + 6, bounds.left + 220 - 6}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(list.m_hWnd, cells[i].hWndList);
        EXPECT_EQ(fits, cells[i].nItem);
        EXPECT_EQ(expected[i].column, cells[i].nColumn);
        EXPECT_EQ(expected[i].text, std::string(cells[i].text));
        EXPECT_EQ(expected[i].justify | kFlags, cells[i].nFormat) << i;
        EXPECT_EQ(expected[i].left, cells[i].rect.left) << i;
        EXPECT_EQ(expected[i].right, cells[i].rect.right) << i;
        EXPECT_EQ(bounds.top, cells[i].rect.top);
        EXPECT_EQ(bounds.bottom, cells[i].rect.bottom);
    }

    // Too wide: the beginning and "...", from the left, within the cell; the empty unit
    // is not drawn.
    cells = Draw(wide);
    ASSERT_EQ(2u, cells.size());
    EXPECT_EQ(0, cells[0].nColumn);
    EXPECT_EQ(1, cells[1].nColumn);
    for (const ListCellDrawing& cell : cells) {
        EXPECT_TRUE(EndsWithDots(cell.text)) << cell.text;
        EXPECT_EQ(DT_LEFT | kFlags, cell.nFormat);
    }
    EXPECT_LE(Width((LPCSTR)cells[0].text) + 4, label.Width());
    // The longest beginning that fits with the dots: one more character would not.
    const std::string value = "123456789.123456";
    const size_t kept = cells[1].text.GetLength() - 3;
    EXPECT_EQ(value.substr(0, kept) + "...", std::string(cells[1].text));
    EXPECT_LE(Width(value.substr(0, kept) + "...") + 12, 70);
    EXPECT_GT(Width(value.substr(0, kept + 1) + "...") + 12, 70);
}

TEST_F(DrawingTest, TheFirstColumnLeavesTheStateImagesWidthAndImagesDrawWithoutHarm) {
    const int row = Row("with images", "1", "");
    CImageList states, small;
    ASSERT_TRUE(states.Create(12, 12, ILC_COLOR24, 2, 0));
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR24, 2, 0));
    HDC screen = GetDC(NULL);
    HBITMAP stateImages = CreateCompatibleBitmap(screen, 24, 12);
    HBITMAP smallImages = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(NULL, screen);
    EXPECT_EQ(0, states.Add(stateImages, (HBITMAP)NULL));
    EXPECT_EQ(0, small.Add(smallImages, (HBITMAP)NULL));
    DeleteObject(stateImages);
    DeleteObject(smallImages);
    list.SetImageList(&states, LVSIL_STATE);
    list.SetImageList(&small, LVSIL_SMALL);
    list.SetItemState(row, INDEXTOSTATEIMAGEMASK(1) | LVIS_CUT | INDEXTOOVERLAYMASK(1),
                      LVIS_STATEIMAGEMASK | LVIS_CUT | LVIS_OVERLAYMASK);
    CRect label;
    list.GetItemRect(row, &label, LVIR_LABEL);
    std::vector<ListCellDrawing> cells = Draw(row);
    ASSERT_EQ(2u, cells.size());
    EXPECT_EQ(label.left + 2, cells[0].rect.left);
    EXPECT_EQ(label.right - 12 - 2, cells[0].rect.right);
    list.SetImageList(NULL, LVSIL_STATE);
    list.SetImageList(NULL, LVSIL_SMALL);
}

TEST_F(DrawingTest, ShorteningTakesTextsOfAnyLength) {
    HDC hdc = GetDC(list.m_hWnd);
    HGDIOBJ old = SelectObject(hdc, (HFONT)list.SendMessage(WM_GETFONT));
    CDC* pDC = CDC::FromHandle(hdc);
    struct Case {
        std::string text;
        int width;
        bool shortened;
    };
    const std::string huge(20000, 'W');
    const Case cases[] = {{"", 0, false},
                          {"fits", 200, false},
                          {huge, 300, true},
                          {"Kanal 1", 1, true},
                          {huge, 0, true}};
    for (const Case& c : cases) {
        BOOL shortened = -1;
        const CString result =
            CListCtrlEx::MakeShortString(pDC, c.text.c_str(), c.width, 12, &shortened);
        EXPECT_EQ(c.shortened, (bool)shortened) << c.text.size();
        if (!c.shortened) {
            EXPECT_EQ(c.text, std::string(result));
            continue;
        }
        ASSERT_TRUE(EndsWithDots(result));
        EXPECT_EQ(0,
                  c.text.compare(0, result.GetLength() - 3, result.Left(result.GetLength() - 3)));
        // The longest beginning that fits, never less than one character.
        if (result.GetLength() > 4)
            EXPECT_LE(pDC->GetTextExtent(result).cx + 12, c.width);
        else
            EXPECT_EQ(4, result.GetLength());
    }
    SelectObject(hdc, old);
    ReleaseDC(list.m_hWnd, hdc);
}

TEST_F(DrawingTest, ASelectedRowIsHighlightedOnlyWithTheFocusOrShowSelectionAlways) {
    const int row = Row("Selected", "1", "%");
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    host.SetForegroundWindow();

    struct Case {
        const char* what;
        bool focus, always, dropHilite, disabled, selected;
        bool highlighted;
    };
    const Case cases[] = {
        {"selected, no focus", false, false, false, false, true, false},
        {"selected, show selection always", false, true, false, false, true, true},
        {"selected, focus", true, false, false, false, true, true},
        {"not selected, focus", true, true, false, false, false, false},
        {"drop target", false, false, true, false, false, true},
        {"disabled", false, false, false, true, false, false},
    };
    for (const Case& c : cases) {
        list.ModifyStyle(c.always ? 0 : LVS_SHOWSELALWAYS, c.always ? LVS_SHOWSELALWAYS : 0);
        list.SetItemState(row,
                          (c.selected ? LVIS_SELECTED : 0) | (c.dropHilite ? LVIS_DROPHILITED : 0),
                          LVIS_SELECTED | LVIS_DROPHILITED);
        list.EnableWindow(!c.disabled);
        if (c.focus) {
            list.SetFocus();
            ASSERT_EQ(list.m_hWnd, GetFocus()) << c.what;
        } else {
            host.SetFocus();
        }
        std::vector<ListCellDrawing> cells = Draw(row);
        ASSERT_EQ(3u, cells.size()) << c.what;
        for (const ListCellDrawing& cell : cells) {
            EXPECT_EQ(c.highlighted, cell.clrBk == highlight) << c.what;
            EXPECT_EQ(c.highlighted, cell.clrText == highlightText) << c.what;
            if (c.disabled) { EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), cell.clrText) << c.what; }
        }
        // The context gets its colours back.
        EXPECT_EQ(RGB(0, 0, 0), textColorAfter) << c.what;
    }
    list.EnableWindow(TRUE);
}

TEST_F(DrawingTest, PaintingTheListDrawsItsRowsThroughTheParent) {
    Row("painted", "2", "ppm");
    Row("also painted", "3", "%");
    g_drawn.clear();
    list.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    std::vector<std::string> names;
    for (const ListCellDrawing& cell : g_drawn)
        if (cell.nColumn == 0) names.push_back((LPCSTR)cell.text);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "painted"));
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "also painted"));
}

// --- the view ---------------------------------------------------------------------------------

TEST(ListViewTest, TheViewFillsItsClientAreaWithTheListAndPassesItsNoticesOnAsItsOwn) {
    CHostWnd host;
    CListViewEx* view = new CListViewEx;  // deletes itself with its window
    const UINT kViewId = 0xE900;
    ASSERT_TRUE(view->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS,
                             CRect(0, 0, 300, 200), &host, kViewId));
    CListCtrlEx& list = view->m_wndList;
    ASSERT_EQ(list.m_hWnd, ::GetDlgItem(view->m_hWnd, 1000));
    EXPECT_TRUE(list.GetStyle() & WS_BORDER);
    EXPECT_EQ((DWORD)LVS_REPORT, list.GetStyle() & LVS_TYPEMASK);
    EXPECT_TRUE(list.GetStyle() & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(list.GetExStyle() & WS_EX_CLIENTEDGE);
    EXPECT_EQ(nullptr, view->GetDocument());

    view->MoveWindow(5, 5, 250, 120);
    CRect inView, client;
    list.GetWindowRect(&inView);
    view->ScreenToClient(&inView);
    view->GetClientRect(&client);
    EXPECT_EQ(client, inView);

    list.InsertColumn(0, "Name");
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "seven", 0, 0, 0, 7);
    list.DeleteItem(0);
    ASSERT_EQ(2u, host.notices.size());
    for (const Notice& n : host.notices) {
        EXPECT_EQ(view->m_hWnd, n.hwndFrom);
        EXPECT_EQ(kViewId, n.idFrom);
    }
    EXPECT_EQ((UINT)LVN_INSERTITEM, host.notices[0].code);
    EXPECT_EQ((UINT)LVN_DELETEITEM, host.notices[1].code);
    EXPECT_EQ(7, host.notices[1].lParam);

    view->DestroyWindow();
}

}  // namespace
