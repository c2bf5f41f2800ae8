// The tree-list control's sample (see tlsample.h).
#include "tlsample.h"

namespace {

const COLORREF kLower = RGB(255, 0, 0);       // the device's value is below the set's
const COLORREF kHigher = RGB(0, 255, 0);      // above it
const COLORREF kNotInSet = RGB(150, 0, 255);  // the set does not hold the parameter

struct SampleRow {
    const char* name;
    const char* value;
    const char* set;
    COLORREF mark;  // 0: the window text colour
};

struct SampleGroup {
    const char* name;
    SampleRow rows[4];
};

const SampleGroup kGroups[] = {
    {"Measuring ranges",
     {{"Range 1 start", "0 ppm", "0 ppm", 0},
      {"Range 1 end", "100 ppm", "250 ppm -> Range 1 end", kLower},
      {"Range 2 end", "1000 ppm", "500 ppm -> Range 2 end", kHigher},
      {NULL, NULL, NULL, 0}}},
    {"Limit values",
     {{"Limit 1", "80 ppm", "80 ppm", 0},
      {"Limit 1 hysteresis", "2 %", "", kNotInSet},
      {NULL, NULL, NULL, 0}}},
    {"Analog output",
     {{"Output 1 scale", "4-20 mA", "4-20 mA", 0},
      {"Output 1 error level", "21 mA", "3.6 mA -> Output 1 error level", kHigher},
      {NULL, NULL, NULL, 0}}},
};

}  // namespace

BEGIN_MESSAGE_MAP(CTLSampleWnd, CWnd)
ON_WM_SIZE()
ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

CTLSampleWnd::CTLSampleWnd() {
    m_font.CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
}

CTLSampleWnd::~CTLSampleWnd() {
    if (m_hWnd != NULL) DestroyWindow();
}

BOOL CTLSampleWnd::CreateSample() {
    CTLFrame::RegisterClass();
    if (!CreateEx(0, NULL, "Tree-list control", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 440,
                  300, NULL, NULL))
        return FALSE;
    CRect client;
    GetClientRect(&client);
    if (!m_frame.Create(TL_WINDOW_CLASS, NULL, WS_CHILD | WS_VISIBLE, client, this, 1227))
        return FALSE;
    Fill();
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CTLSampleWnd::Fill() {
    CTLTreeCtrl& tree = m_frame.GetTreeCtrl();
    tree.InsertColumn(0, "Parameter group", 0, 190);
    tree.InsertColumn(1, "Cur. value", 0, 110);
    tree.InsertColumn(2, "Parameter set", 0, 210);
    for (const SampleGroup& group : kGroups) {
        HTREEITEM hGroup = tree.InsertItem(group.name);
        tree.SetItemBold(hGroup, TRUE, FALSE);
        for (const SampleRow* row = group.rows; row->name != NULL; row++) {
            HTREEITEM hRow = tree.InsertItem(row->name, hGroup);
            tree.SetItemText(hRow, 1, row->value);
            tree.SetItemText(hRow, 2, row->set);
            if (row->mark != 0) tree.SetItemMark(hRow, row->mark, FALSE);
        }
        tree.ExpandItem(hGroup, 1);
    }
    tree.SelectItem(tree.GetChildItem(tree.GetRootItem()));
}

void CTLSampleWnd::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    if (m_frame.m_hWnd != NULL) m_frame.MoveWindow(0, 0, cx, cy);
}

LRESULT CTLSampleWnd::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_font.GetSafeHandle(); }
