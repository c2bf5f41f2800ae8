// CGridWnd: construction and destruction, creation of the window and its child windows,
// layout, sheets, cell types, redraw, data sources, settings switches and the window's own
// messages.
#include "gridwnd.h"

#include "gridcellarea.h"
#include "gridcorner.h"
#include "gridheading.h"
#include "gridhintwnd.h"
#include "gridprint.h"
#include "gridscrollbar.h"
#include "gridselection.h"
#include "gridsheettabs.h"

#include <new>

static UINT g_nGridFindMsg = CGridWnd::GetFindReplaceMessage();

BEGIN_MESSAGE_MAP(CGridWnd, CWnd)
ON_WM_SIZE()
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_SETFOCUS()
ON_WM_SYSCOLORCHANGE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_GETDLGCODE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(g_nGridFindMsg, OnFindReplace)
END_MESSAGE_MAP()

namespace {

// A switch stores 1 for any non-zero value.
int StoreSwitch(int& nSwitch, BOOL bOn) {
    nSwitch = bOn ? 1 : 0;
    return 0;
}

// Nested layouts: a layout may run again from within itself (a scroll bar appears or goes);
// this many levels are plenty, and the limit keeps a layout notification that keeps
// changing the rectangles from recursing without end.
const int kMaxLayoutDepth = 4;

}  // namespace

CGridWnd::CGridWnd()
    : m_ppDataSources(NULL),
      m_nDataSourceCount(0),
      m_nDataSourceSlots(0),
      m_pFonts(new CGridObjectTable),
      m_pPictures(new CGridObjectTable),
      m_pCellTypes(new CGridObjectTable),
      m_pPrint(NULL),
      m_pPopupMenu(new CMenu),
      m_nMenuCol(-1),
      m_nMenuRow(-1),
      m_nMenuSection(0),
      m_ppSheets(NULL),
      m_nCurSheet(0),
      m_nSheetCount(0),
      m_bRedraw(1),
      m_pSettings(NULL),
      m_pCellArea(new CGridCellArea),
      m_pColHeading(new CGridColumnHeading),
      m_pRowHeading(new CGridRowHeading),
      m_pCorner(NULL),
      m_pVScrollBar(NULL),
      m_pHScrollBar(NULL),
      m_pHintWnd(NULL),
      m_pSheetTabs(NULL),
      m_bBarsOnlyLayout(0),
      m_pFloatingWnd(NULL),
      m_bEditing(0),
      m_nEditRow(-1),
      m_nEditCol(-1),
      m_pActiveEditor(NULL),
      m_pEditorOwner(NULL),
      m_bFindDialogOpen(0),
      m_bSearchAllColumns(0),
      m_pFindDialog(NULL),
      m_nLayoutDepth(0) {
    // The child objects in their order (no window exists yet), then the printing object.
    m_pVScrollBar = new CGridVScrollBar;
    m_pHScrollBar = new CGridHScrollBar;
    m_pCorner = new CGridCornerWnd;
    m_pSheetTabs = new CGridSheetTabs;
    m_pHintWnd = new CGridHintWnd;
    m_pPrint = new CGridPrint;

    m_penHighlight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    m_pPopupMenu->CreatePopupMenu();

    SetSheetCount(1);
    m_pSettings = m_ppSheets[0];
    m_pCellArea->m_pGrid = this;
    m_pColHeading->m_pGrid = this;
    m_pRowHeading->m_pGrid = this;
    m_pCorner->m_pGrid = this;
    m_pVScrollBar->m_pGrid = this;
    m_pHScrollBar->m_pGrid = this;
    m_pSheetTabs->m_pGrid = this;
    m_pPrint->m_pGrid = this;
    PointChildrenAt(m_pSettings);
    m_inPlaceEdit.m_pGrid = this;
    m_bEditing = 0;

    RegisterCellType(&m_normalType);
    RegisterCellType(&m_dropListType);
    RegisterCellType(&m_checkBoxType);
    RegisterCellType(&m_arrowType);
}

CGridWnd::~CGridWnd() {
    // The window and its children go first, while every object they reach still exists.
    if (m_hWnd != NULL) DestroyWindow();

    delete[] m_ppDataSources;
    m_ppDataSources = NULL;
    for (int i = 0; i < m_pFonts->GetSlotCount(); ++i) delete m_pFonts->GetAt(i);
    delete m_pFonts;
    for (int i = 0; i < m_pPictures->GetSlotCount(); ++i) delete m_pPictures->GetAt(i);
    delete m_pPictures;
    delete m_pCellTypes;
    m_pCellTypes = NULL;
    delete m_pPopupMenu;
    delete m_pCellArea;
    delete m_pColHeading;
    delete m_pRowHeading;
    delete m_pVScrollBar;
    delete m_pHScrollBar;
    delete m_pCorner;
    if (m_pHintWnd->m_hWnd != NULL) m_pHintWnd->DestroyWindow();
    delete m_pHintWnd;
    delete m_pPrint;
    delete m_pSheetTabs;
    for (int i = 0; i < m_nSheetCount; ++i) delete m_ppSheets[i];
    delete[] m_ppSheets;
}

// --- creation -----------------------------------------------------------------------------

BOOL CGridWnd::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CGridWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    if (!CWnd::Create(NULL, "", dwStyle, rect, pParentWnd, nID)) return FALSE;
    OnGridSetup();
    OnSheetSetup(0);
    return TRUE;
}

int CGridWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    UINT nID = (lpcs->style & WS_CHILD) ? (UINT)(UINT_PTR)lpcs->hMenu : 0;
    return CreateChildWindows(nID) == 0 ? 0 : -1;
}

BOOL CGridWnd::AttachToDlgItem(CWnd* pDlg, UINT nID) {
    if (pDlg == NULL || !SubclassDlgItem(nID, pDlg)) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, GetStyle() | WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP);
    if (CreateChildWindows(nID) != 0) return FALSE;
    // The new border takes its place now; the layout follows the smaller client area.
    ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutChildWindows();
    OnGridSetup();
    OnSheetSetup(0);
    return TRUE;
}

int CGridWnd::CreateChildWindows(UINT nID) {
    if (nID == 0) nID = 1;
    const CRect rc(0, 0, 0, 0);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE;
    CWnd* plain[] = {m_pCellArea, m_pColHeading, m_pRowHeading, m_pCorner, m_pSheetTabs};
    for (CWnd* pWnd : plain)
        if (!pWnd->Create(NULL, "", dwStyle, rc, this, nID)) return 3;
    if (!m_pVScrollBar->Create(dwStyle | SBS_VERT, rc, this, nID)) return 3;
    if (!m_pHScrollBar->Create(dwStyle | SBS_HORZ, rc, this, nID)) return 3;
    if (!m_pHintWnd->Create(this)) return 3;
    if (!m_inPlaceEdit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, rc, this, GRID_EDITOR_ID))
        return 3;
    LayoutChildWindows();
    return 0;
}

BOOL CGridWnd::HasChildWindows() const {
    return m_hWnd != NULL && m_pCellArea->m_hWnd != NULL && m_pVScrollBar->m_hWnd != NULL &&
           m_pHScrollBar->m_hWnd != NULL && m_pSheetTabs->m_hWnd != NULL;
}

BOOL CGridWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Menu commands only: a child control's notification carries its window.
    UINT nID = LOWORD(wParam);
    if (lParam == 0 && nID >= 1000) OnMenuCommand(m_nMenuCol, m_nMenuRow, m_nMenuSection, nID);
    // An edit control notifies the parent it was created under; the editors, created here
    // and moved over the cells for an edit, still get their own notifications back.
    const HWND hCtrl = (HWND)lParam;
    if (hCtrl != NULL && ::GetParent(hCtrl) != m_hWnd &&
        (hCtrl == m_inPlaceEdit.m_hWnd ||
         (m_pActiveEditor != NULL && hCtrl == m_pActiveEditor->m_hWnd)) &&
        ReflectLastMsg(hCtrl))
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

// --- layout -------------------------------------------------------------------------------

void CGridWnd::LayoutChildWindows() {
    if (!HasChildWindows() || m_nLayoutDepth >= kMaxLayoutDepth) return;
    ++m_nLayoutDepth;
    CGridSettings* s = m_pSettings;
    if (CWnd::GetFocus() != m_pCellArea) m_pCellArea->SetFocus();

    // The configured bar sizes and strip width stay as they are: hiding a bar or cutting
    // the strip holds for this layout only.
    CRect client;
    GetClientRect(&client);
    const int W = client.Width(), H = client.Height();
    const int V = s->m_nVScrollWidth, Hb = s->m_nHScrollHeight;
    int T = s->m_nTabStripWidth;
    const int AW = W - s->m_nRowHeadingWidth;
    const int AH = H - s->m_nColHeadingHeight;
    if (T > 0) {
        if (T > AW - 30) T = AW - 30;
        if (T < 4) T = 4;
    }
    int CW = 0, RH = 0;
    for (int c = 0; c < s->m_nColCount && CW <= AW; ++c) CW += s->GetColWidth(c);
    for (int r = 0; r < s->m_nRowCount && RH <= AH; ++r) RH += s->GetRowHeight(r);

    int v = V, h = Hb;
    if (RH < AH && ((CW < AW && T < 1) || RH < AH - Hb)) v = 0;
    if (CW < AW && T < 1 && (RH < AH || CW < AW - V)) h = 0;

    const int rhw = s->m_nRowHeadingWidth, chh = s->m_nColHeadingHeight;
    CRect rcVScroll(W - v, 0, W, H - h);
    CRect rcHScroll(T, H - h, W - v, H);
    CRect rcTabs(0, H - h, T, H);
    CRect rcColHeadings(rhw, 0, W - v, chh);
    CRect rcRowHeadings(0, chh, rhw, H - h);
    CRect rcCorner(0, 0, rhw, chh);
    CRect rcCells(rhw, chh, W - v, H - h);
    OnLayoutChange(&rcCells, &rcColHeadings, &rcRowHeadings, &rcCorner, &rcVScroll, &rcHScroll,
                   &rcTabs);
    s->m_rcVScroll = rcVScroll;
    s->m_rcHScroll = rcHScroll;
    s->m_rcTabStrip = rcTabs;
    s->m_rcColHeadings = rcColHeadings;
    s->m_rcRowHeadings = rcRowHeadings;
    s->m_rcCorner = rcCorner;
    s->m_rcCellArea = rcCells;
    s->m_nCellAreaWidth = rcCells.Width();
    s->m_nCellAreaHeight = rcCells.Height();

    if (m_bBarsOnlyLayout) {
        m_pHScrollBar->MoveWindow(&rcHScroll, TRUE);
        m_pSheetTabs->MoveWindow(&rcTabs, TRUE);
        m_pHScrollBar->Redraw();
        m_pSheetTabs->Refresh();
        ValidateRect(NULL);
    } else {
        m_pCellArea->MoveWindow(&rcCells, TRUE);
        m_pColHeading->MoveWindow(&rcColHeadings, TRUE);
        m_pRowHeading->MoveWindow(&rcRowHeadings, TRUE);
        m_pCorner->MoveWindow(&rcCorner, TRUE);
        m_pVScrollBar->MoveWindow(&rcVScroll, TRUE);
        m_pHScrollBar->MoveWindow(&rcHScroll, TRUE);
        m_pSheetTabs->MoveWindow(&rcTabs, TRUE);
        CalcMaxTopRow();
        CalcMaxLeftCol();
        UpdateChildWindows();
    }
    s->m_nPrevTopRow = s->m_nTopRow;
    s->m_nPrevLeftCol = s->m_nLeftCol;
    --m_nLayoutDepth;
}

// --- sheets -------------------------------------------------------------------------------

CGridSettings* CGridWnd::GetSheetSettings(int nSheet) const {
    return nSheet < 0 || nSheet >= m_nSheetCount ? NULL : m_ppSheets[nSheet];
}

void CGridWnd::WireSettings(CGridSettings* pSettings) {
    pSettings->m_pMemDataSource->SetGrid(this);
    pSettings->m_pSelection->SetGrid(this);
    pSettings->m_pDefaultEditor = &m_inPlaceEdit;
}

void CGridWnd::PointChildrenAt(CGridSettings* pSettings) {
    m_pCellArea->m_pSettings = pSettings;
    m_pColHeading->m_pSettings = pSettings;
    m_pRowHeading->m_pSettings = pSettings;
    m_pCorner->m_pSettings = pSettings;
    m_pVScrollBar->m_pSettings = pSettings;
    m_pHScrollBar->m_pSettings = pSettings;
    m_pSheetTabs->m_pSettings = pSettings;
    m_pPrint->m_pSettings = pSettings;
}

int CGridWnd::SetSheetCount(int nCount) {
    if (nCount < 1 || nCount > GRID_MAX_SHEETS) return 1;
    if (nCount == m_nSheetCount) return 0;
    CGridSettings** ppNew = new (std::nothrow) CGridSettings*[nCount];
    if (ppNew == NULL) return 3;
    const int nKeep = nCount < m_nSheetCount ? nCount : m_nSheetCount;
    for (int i = 0; i < nKeep; ++i) ppNew[i] = m_ppSheets[i];
    // The strip width as it is now: the current sheet's settings may be about to go.
    const int nCarriedWidth = m_pSettings != NULL ? m_pSettings->m_nTabStripWidth : 0;
    const BOOL bCurrentGoes = m_nCurSheet >= nCount;
    if (bCurrentGoes) {
        // Nothing may point at settings that are deleted below.
        m_pSettings = ppNew[nCount - 1];
        m_nCurSheet = nCount - 1;
        PointChildrenAt(m_pSettings);
    }
    for (int i = nCount; i < m_nSheetCount; ++i) delete m_ppSheets[i];
    const int nOldCount = m_nSheetCount;
    delete[] m_ppSheets;
    m_ppSheets = ppNew;
    m_nSheetCount = nCount;

    for (int i = nOldCount; i < nCount; ++i) {
        CGridSettings* pSettings = new CGridSettings;
        WireSettings(pSettings);
        m_ppSheets[i] = pSettings;
        CGridSettings* pCurrent = m_pSettings;
        int nCurrent = m_nCurSheet;
        m_pSettings = pSettings;
        m_nCurSheet = i;
        PointChildrenAt(pSettings);
        OnSheetSetup(i);
        m_pSettings = pCurrent != NULL ? pCurrent : pSettings;
        m_nCurSheet = pCurrent != NULL ? nCurrent : i;
        PointChildrenAt(m_pSettings);
    }
    if (bCurrentGoes) {
        if (m_pCellArea->m_hWnd != NULL) m_pCellArea->SetFocus();
        ActivateSheet(nCount - 1, nCarriedWidth);
    }
    return 0;
}

int CGridWnd::SelectSheet(int nIndex, BOOL bRedraw) {
    if (nIndex < 0 || nIndex >= m_nSheetCount) return 1;
    const int bOldRedraw = m_bRedraw;
    if (!bRedraw) m_bRedraw = 0;
    if (m_pCellArea->m_hWnd != NULL) m_pCellArea->SetFocus();
    ActivateSheet(nIndex, m_pSettings->m_nTabStripWidth);
    m_bRedraw = bOldRedraw;
    return 0;
}

void CGridWnd::ActivateSheet(int nIndex, int nCarriedTabWidth) {
    CGridSettings* pSettings = m_ppSheets[nIndex];
    pSettings->m_nTabStripWidth = nCarriedTabWidth;
    PointChildrenAt(pSettings);
    m_pSettings = pSettings;
    m_nCurSheet = nIndex;
    pSettings->m_nPrevTopRow = -1;
    pSettings->m_nPrevLeftCol = -1;
    LayoutChildWindows();
}

int CGridWnd::SetTabStripWidth(int nWidth) {
    m_pSettings->m_nTabStripWidth = nWidth;
    return 0;
}

int CGridWnd::GetTabStripWidth() const { return m_pSettings->m_nTabStripWidth; }

int CGridWnd::AddTab(LPCSTR lpszText, int nId) { return m_pSheetTabs->AddTab(lpszText, nId); }

int CGridWnd::InsertTab(int nIndex, LPCSTR lpszText, int nId) {
    return m_pSheetTabs->InsertTab(nIndex, lpszText, nId);
}

int CGridWnd::DeleteTab(int nId) { return m_pSheetTabs->RemoveTab(nId) ? 0 : 1; }

int CGridWnd::SelectTab(int nId) {
    if (!m_pSheetTabs->SelectTab(nId)) return 1;
    OnTabSelected(nId);
    return 0;
}

int CGridWnd::GetCurrentTab() const { return m_pSheetTabs->GetCurTab(); }

int CGridWnd::SetTabBackColor(int nId, COLORREF cr) {
    return m_pSheetTabs->SetTabBackColor(nId, cr) ? 0 : 1;
}

int CGridWnd::SetTabTextColor(int nId, COLORREF cr) {
    return m_pSheetTabs->SetTabTextColor(nId, cr) ? 0 : 1;
}

void CGridWnd::LayoutBarsOnly() {
    m_bBarsOnlyLayout = 1;
    LayoutChildWindows();
    m_bBarsOnlyLayout = 0;
}

// --- cell types ---------------------------------------------------------------------------

int CGridWnd::RegisterCellType(CGridCellType* pType) {
    if (pType == NULL) return -1;
    int nIndex = m_pCellTypes->Add(pType, 0);
    if (nIndex < 0) return -1;
    pType->SetGrid(this);
    pType->SetTypeIndex(nIndex);
    return nIndex;
}

int CGridWnd::RemoveCellType(int nIndex) {
    m_pCellTypes->RemoveAt(nIndex);
    return 0;
}

CGridCellType* CGridWnd::GetCellTypeObject(int nIndex) const {
    if (nIndex < 1) return const_cast<CGridCellType*>(&m_normalType);
    CObject* pObject = m_pCellTypes->GetAt(nIndex);
    return pObject != NULL ? static_cast<CGridCellType*>(pObject)
                           : const_cast<CGridCellType*>(&m_normalType);
}

int CGridWnd::FindCellType(const CGridCellType* pType) const { return m_pCellTypes->Find(pType); }

CGridCellType* CGridWnd::TypeOfCell(const CGridCell& cell) const {
    return cell.HasProperties(GRIDCELL_CELLTYPE) ? GetCellTypeObject(cell.GetCellType())
                                                 : const_cast<CGridCellType*>(&m_normalType);
}

CGridCellType* CGridWnd::GetCellTypeAt(int nCol, int nRow) {
    CGridCell cell;
    if (GetDisplayCell(nCol, nRow, cell) != 0) return &m_normalType;
    return TypeOfCell(cell);
}

// --- redraw -------------------------------------------------------------------------------

void CGridWnd::RepaintAll() { UpdateChildWindows(); }

void CGridWnd::RepaintCell(int nCol, int nRow) {
    if (nCol < 0)
        m_pRowHeading->Redraw();
    else if (nRow < 0)
        m_pColHeading->Redraw();
    else
        m_pCellArea->RepaintCell(nCol, nRow);
}

void CGridWnd::RepaintRow(int nRow) { m_pCellArea->RepaintRow(nRow); }

void CGridWnd::RepaintColumn(int nCol) { m_pCellArea->RepaintColumn(nCol); }

void CGridWnd::RepaintRange(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow) {
    m_pCellArea->RepaintRange(nFirstCol, nFirstRow, nLastCol, nLastRow);
}

void CGridWnd::UpdateChildWindows() {
    if (!m_bRedraw) return;
    m_pCellArea->RepaintAll();
    m_pCorner->Redraw();
    // Counts, sizes and locked rows change the bars' ranges without a move.
    m_pVScrollBar->UpdateRange();
    m_pHScrollBar->UpdateRange();
    m_pVScrollBar->Redraw();
    m_pHScrollBar->Redraw();
    m_pSheetTabs->Refresh();
    m_pColHeading->Redraw();
    m_pRowHeading->Redraw();
}

int CGridWnd::SetRedraw(BOOL bOn) { return StoreSwitch(m_bRedraw, bOn); }

// --- data sources -------------------------------------------------------------------------

int CGridWnd::AddDataSource(CGridDataSource* pSource) {
    if (pSource == NULL) return -1;
    int nIndex = 1;
    while (nIndex < m_nDataSourceSlots && m_ppDataSources[nIndex] != NULL) ++nIndex;
    if (nIndex >= m_nDataSourceSlots) {
        CGridDataSource** ppNew = new (std::nothrow) CGridDataSource*[m_nDataSourceSlots + 16];
        if (ppNew == NULL) return -1;
        for (int i = 0; i < m_nDataSourceSlots + 16; ++i)
            ppNew[i] = i < m_nDataSourceSlots ? m_ppDataSources[i] : NULL;
        delete[] m_ppDataSources;
        m_ppDataSources = ppNew;
        m_nDataSourceSlots += 16;
    }
    pSource->SetGrid(this);
    m_ppDataSources[nIndex] = pSource;
    // The count is the highest index in use so far, so that it never names a slot beyond
    // the array, however often emptied slots are filled again.
    if (nIndex > m_nDataSourceCount) m_nDataSourceCount = nIndex;
    pSource->SetId(nIndex);
    return nIndex;
}

CGridDataSource* CGridWnd::GetDataSource(int nIndex) const {
    if (nIndex == 0) return m_pSettings->m_pMemDataSource;
    if (nIndex < 0 || nIndex > m_nDataSourceCount || nIndex >= m_nDataSourceSlots) return NULL;
    return m_ppDataSources[nIndex];
}

int CGridWnd::SetDataSource(int nIndex) {
    if (nIndex < 0 || nIndex > m_nDataSourceCount) return 1;
    CGridDataSource* pSource = GetDataSource(nIndex);
    // An emptied slot holds no source: the sheet keeps the one it has.
    if (pSource == NULL) return 1;
    m_pSettings->m_nDataSourceIndex = nIndex;
    m_pSettings->m_pDataSource = pSource;
    for (CGridColumn& column : m_pSettings->m_columns) column.pDataSource = pSource;
    return 0;
}

int CGridWnd::GetDataSourceIndex() const { return m_pSettings->m_nDataSourceIndex; }

int CGridWnd::RemoveDataSource(int nIndex) {
    if (nIndex < 1 || nIndex > m_nDataSourceCount || m_ppDataSources[nIndex] == NULL) return 1;
    m_ppDataSources[nIndex] = NULL;
    return 0;
}

int CGridWnd::SizeFromDataSource(int nIndex) {
    CGridDataSource* pSource = GetDataSource(nIndex);
    if (pSource == NULL) return 1;
    int nCols = pSource->GetColCount();
    if (nCols < 1) return 2;
    SetColCount(nCols, FALSE);
    int nRows = pSource->GetRowCount();
    if (nRows >= 0) SetRowCount(nRows, FALSE);
    LayoutChildWindows();
    return 0;
}

// --- settings switches --------------------------------------------------------------------

int CGridWnd::EnableMergedCells(BOOL bOn) { return StoreSwitch(m_pSettings->m_bMergedCells, bOn); }

int CGridWnd::EnableTextOverflow(BOOL bOn) {
    return StoreSwitch(m_pSettings->m_bTextOverflow, bOn);
}

int CGridWnd::EnableColumnMoving(BOOL bOn) {
    return StoreSwitch(m_pSettings->m_bColumnMoving, bOn);
}

int CGridWnd::EnableGridLines(BOOL bOn) { return StoreSwitch(m_pSettings->m_bGridLines, bOn); }

int CGridWnd::SetCancelEditOnFocusLoss(BOOL bOn) {
    return StoreSwitch(m_pSettings->m_bCancelEditOnFocusLoss, bOn);
}

BOOL CGridWnd::GetCancelEditOnFocusLoss() const { return m_pSettings->m_bCancelEditOnFocusLoss; }

int CGridWnd::SetCursorCellStyle(int nStyle) { return m_pSettings->SetCursorCellStyle(nStyle); }

int CGridWnd::Set3DBorderWidth(int nWidth) { return m_pSettings->Set3DBorderWidth(nWidth); }

int CGridWnd::SetArrowCursor(HCURSOR hCursor) { return m_pSettings->SetArrowCursor(hCursor); }

int CGridWnd::SetColumnSizeCursor(HCURSOR hCursor) {
    return m_pSettings->SetColumnSizeCursor(hCursor);
}

int CGridWnd::SetRowSizeCursor(HCURSOR hCursor) { return m_pSettings->SetRowSizeCursor(hCursor); }

int CGridWnd::SetVScrollBarMode(int nMode) {
    m_pSettings->m_nVScrollMode = nMode;
    m_pVScrollBar->UpdateRange();
    return 0;
}

int CGridWnd::SetHScrollBarMode(int nMode) {
    m_pSettings->m_nHScrollMode = nMode;
    m_pHScrollBar->UpdateRange();
    return 0;
}

// --- the window's messages ----------------------------------------------------------------

void CGridWnd::OnSize(UINT nType, int cx, int cy) {
    Invalidate(TRUE);
    // A program that switched redraw off keeps it off through a resize.
    const int bOldRedraw = m_bRedraw;
    SetRedraw(FALSE);
    LayoutChildWindows();
    SetRedraw(bOldRedraw);
}

void CGridWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    CBrush brush(::GetSysColor(COLOR_BTNFACE));
    dc.FillRect(&rc, &brush);
    ValidateRect(NULL);
    RepaintAll();
    m_pVScrollBar->UpdateRange();
    m_pHScrollBar->UpdateRange();
}

void CGridWnd::OnDestroy() {
    // An open edit goes with its editor, unstored: the editor's last focus loss finds the
    // grid no longer editing.
    m_bEditing = 0;
    CWnd::OnDestroy();
}

void CGridWnd::OnSetFocus(CWnd*) {
    if (m_pCellArea->m_hWnd != NULL) m_pCellArea->SetFocus();
}

void CGridWnd::OnSysColorChange() {
    CWnd::OnSysColorChange();
    // Every slot: removed types leave holes, and a type may sit beyond the used count.
    for (int i = 0; i < m_pCellTypes->GetSlotCount(); ++i) {
        CObject* pType = m_pCellTypes->GetAt(i);
        if (pType != NULL) static_cast<CGridCellType*>(pType)->OnSysColorChange();
    }
    for (int i = 0; i < m_nSheetCount; ++i)
        m_ppSheets[i]->m_pHeadingDefaultCell->SetBackColor(::GetSysColor(COLOR_BTNFACE));
    m_penHighlight.DeleteObject();
    m_penHighlight.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_penShadow.DeleteObject();
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void CGridWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    m_pHScrollBar->OnScroll(nSBCode, nPos);
}

void CGridWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*) {
    m_pVScrollBar->OnScroll(nSBCode, nPos);
}

UINT CGridWnd::OnGetDlgCode() { return DLGC_WANTARROWS | DLGC_WANTALLKEYS; }
