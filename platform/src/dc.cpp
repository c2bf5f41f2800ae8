// Device context wrappers.
#include "handlemap.h"

#include <stdlib.h>

namespace {

void SetDcHandles(CObject* pObject, void* h) {
    CDC* pDC = static_cast<CDC*>(pObject);
    pDC->m_hDC = (HDC)h;
    pDC->m_hAttribDC = (HDC)h;
}

// SelectObject gives HGDI_ERROR for some failures and NULL for others.
HGDIOBJ SelectInto(HDC hDC, HGDIOBJ hObject) {
    HGDIOBJ hOld = ::SelectObject(hDC, hObject);
    return hOld == HGDI_ERROR ? NULL : hOld;
}

// A device context of a window or the screen, borrowed for the wrapper's lifetime. It is
// released rather than deleted, and not entered in the map of owned handles: windows of
// an own or class DC give the same handle to every caller.
void Borrow(CDC* pDC, HDC hDC) {
    pDC->m_hDC = hDC;
    pDC->m_hAttribDC = hDC;
}

HDC Unborrow(CDC* pDC) {
    HDC hDC = pDC->m_hDC;
    pDC->m_hDC = NULL;
    pDC->m_hAttribDC = NULL;
    return hDC;
}

// Fills a rectangle with a colour through ExtTextOut; the background colour stays.
void FillWithColor(HDC hDC, const RECT& rect, COLORREF clr) {
    COLORREF old = ::SetBkColor(hDC, clr);
    ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
    if (old != CLR_INVALID) ::SetBkColor(hDC, old);
}

}  // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE) {}

CDC::~CDC() {
    if (m_hDC != NULL) ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC) {
    return static_cast<CDC*>(vfc::DcMap().FromHandle(hDC, RUNTIME_CLASS(CDC), SetDcHandles));
}

void PASCAL CDC::DeleteTempMap() { vfc::DcMap().DeleteTemp(); }

BOOL CDC::Attach(HDC hDC) {
    if (hDC == NULL || m_hDC != NULL) return FALSE;
    if (!vfc::DcMap().Claim(hDC, this)) return FALSE;
    m_hDC = hDC;
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC != NULL) vfc::DcMap().Release(hDC, this);
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = NULL; }
void CDC::ReleaseOutputDC() { m_hDC = NULL; }

// Settings go to the output DC and the attribute DC; the result is the attribute DC's (the
// output DC's when there is no attribute DC).
template <typename Result, typename Apply>
static Result ApplyToBoth(const CDC* pDC, Result failed, Apply apply) {
    Result result = failed;
    if (pDC->m_hDC != NULL && pDC->m_hDC != pDC->m_hAttribDC) result = apply(pDC->m_hDC);
    if (pDC->m_hAttribDC != NULL) result = apply(pDC->m_hAttribDC);
    return result;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    HDC hDC = ::CreateCompatibleDC(CDC::GetSafeHdc(pDC));
    if (hDC == NULL) return FALSE;
    if (Attach(hDC)) return TRUE;
    ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData) {
    HDC hDC = ::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData);
    if (hDC == NULL) return FALSE;
    if (Attach(hDC)) return TRUE;
    ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                   const void* lpInitData) {
    HDC hDC = ::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData);
    if (hDC == NULL) return FALSE;
    if (Attach(hDC)) return TRUE;
    ::DeleteDC(hDC);
    return FALSE;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == NULL) return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
    if (m_hDC == m_hAttribDC) return m_hDC != NULL ? ::SaveDC(m_hDC) : 0;
    // Two DCs give two numbers; -1 (the latest state) restores both alike.
    bool saved = true;
    if (m_hDC != NULL && ::SaveDC(m_hDC) == 0) saved = false;
    if (m_hAttribDC != NULL && ::SaveDC(m_hAttribDC) == 0) saved = false;
    return saved ? -1 : 0;
}

BOOL CDC::RestoreDC(int nSavedDC) {
    if (m_hDC == NULL && m_hAttribDC == NULL) return FALSE;
    BOOL restored = TRUE;
    if (m_hDC != NULL && m_hDC != m_hAttribDC && !::RestoreDC(m_hDC, nSavedDC)) restored = FALSE;
    if (m_hAttribDC != NULL && !::RestoreDC(m_hAttribDC, nSavedDC)) restored = FALSE;
    return restored;
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

// Drawing objects

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    return ApplyToBoth(this, (HGDIOBJ)NULL, [=](HDC h) { return SelectInto(h, hObject); });
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle((HPEN)SelectObject(CGdiObject::GetSafeHandle(pPen)));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle((HBRUSH)SelectObject(CGdiObject::GetSafeHandle(pBrush)));
}

CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle((HFONT)SelectObject(CGdiObject::GetSafeHandle(pFont)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle((HBITMAP)SelectObject(CGdiObject::GetSafeHandle(pBitmap)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    return CGdiObject::FromHandle(SelectObject(CGdiObject::GetSafeHandle(pObject)));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    if (hObject == NULL) return NULL;
    return CGdiObject::FromHandle(SelectObject(hObject));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    HPALETTE hPalette = (HPALETTE)CGdiObject::GetSafeHandle(pPalette);
    if (hPalette == NULL) return NULL;
    return CPalette::FromHandle(ApplyToBoth(this, (HPALETTE)NULL, [=](HDC h) {
        return ::SelectPalette(h, hPalette, bForceBackground);
    }));
}

UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }

CPen* CDC::GetCurrentPen() const {
    return CPen::FromHandle((HPEN)::GetCurrentObject(m_hAttribDC, OBJ_PEN));
}

CBrush* CDC::GetCurrentBrush() const {
    return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hAttribDC, OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const {
    return CFont::FromHandle((HFONT)::GetCurrentObject(m_hAttribDC, OBJ_FONT));
}

CBitmap* CDC::GetCurrentBitmap() const {
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hAttribDC, OBJ_BITMAP));
}

CPalette* CDC::GetCurrentPalette() const {
    return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hAttribDC, OBJ_PAL));
}

// Colours and modes

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }

COLORREF CDC::SetBkColor(COLORREF crColor) {
    return ApplyToBoth(this, CLR_INVALID, [=](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }

int CDC::SetBkMode(int nBkMode) {
    return ApplyToBoth(this, 0, [=](HDC h) { return ::SetBkMode(h, nBkMode); });
}

COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }

COLORREF CDC::SetTextColor(COLORREF crColor) {
    return ApplyToBoth(this, CLR_INVALID, [=](HDC h) { return ::SetTextColor(h, crColor); });
}

UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }

UINT CDC::SetTextAlign(UINT nFlags) {
    return ApplyToBoth(this, (UINT)GDI_ERROR, [=](HDC h) { return ::SetTextAlign(h, nFlags); });
}

int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }

int CDC::SetROP2(int nDrawMode) {
    return ApplyToBoth(this, 0, [=](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }

int CDC::SetPolyFillMode(int nPolyFillMode) {
    return ApplyToBoth(this, 0, [=](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }

int CDC::SetStretchBltMode(int nStretchMode) {
    return ApplyToBoth(this, 0, [=](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

COLORREF CDC::GetNearestColor(COLORREF crColor) const {
    return ::GetNearestColor(m_hAttribDC, crColor);
}

// Mapping

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }

int CDC::SetMapMode(int nMapMode) {
    return ApplyToBoth(this, 0, [=](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::GetViewportOrg() const {
    POINT point = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    return ApplyToBoth(this, CPoint(), [=](HDC h) {
        POINT point = {0, 0};
        ::SetViewportOrgEx(h, x, y, &point);
        return CPoint(point);
    });
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    return ApplyToBoth(this, CPoint(), [=](HDC h) {
        POINT point = {0, 0};
        ::OffsetViewportOrgEx(h, nWidth, nHeight, &point);
        return CPoint(point);
    });
}

CSize CDC::GetViewportExt() const {
    SIZE size = {0, 0};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    return ApplyToBoth(this, CSize(), [=](HDC h) {
        SIZE size = {0, 0};
        ::SetViewportExtEx(h, cx, cy, &size);
        return CSize(size);
    });
}

CPoint CDC::GetWindowOrg() const {
    POINT point = {0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    return ApplyToBoth(this, CPoint(), [=](HDC h) {
        POINT point = {0, 0};
        ::SetWindowOrgEx(h, x, y, &point);
        return CPoint(point);
    });
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
    return ApplyToBoth(this, CPoint(), [=](HDC h) {
        POINT point = {0, 0};
        ::OffsetWindowOrgEx(h, nWidth, nHeight, &point);
        return CPoint(point);
    });
}

CSize CDC::GetWindowExt() const {
    SIZE size = {0, 0};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    return ApplyToBoth(this, CSize(), [=](HDC h) {
        SIZE size = {0, 0};
        ::SetWindowExtEx(h, cx, cy, &size);
        return CSize(size);
    });
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, (LPPOINT)lpRect, 2); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, (LPPOINT)lpRect, 2); }

// Sizes scale by the ratio of the extents; their sign does not follow the axes' directions.
void CDC::DPtoLP(LPSIZE lpSize) const {
    CSize window = GetWindowExt(), viewport = GetViewportExt();
    if (viewport.cx == 0 || viewport.cy == 0) return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(window.cx), abs(viewport.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(window.cy), abs(viewport.cy));
}

void CDC::LPtoDP(LPSIZE lpSize) const {
    CSize window = GetWindowExt(), viewport = GetViewportExt();
    if (window.cx == 0 || window.cy == 0) return;
    lpSize->cx = ::MulDiv(lpSize->cx, abs(viewport.cx), abs(window.cx));
    lpSize->cy = ::MulDiv(lpSize->cy, abs(viewport.cy), abs(window.cy));
}

// Clipping

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
    return ApplyToBoth(this, ERROR, [=](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect) {
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
    return ApplyToBoth(this, ERROR, [=](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect) {
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

// Lines and shapes

CPoint CDC::GetCurrentPosition() const {
    POINT point = {0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::MoveTo(int x, int y) {
    return ApplyToBoth(this, CPoint(), [=](HDC h) {
        POINT point = {0, 0};
        ::MoveToEx(h, x, y, &point);
        return CPoint(point);
    });
}

BOOL CDC::LineTo(int x, int y) {
    // The attribute DC's position follows, so that GetCurrentPosition stays right.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) {
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
    return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
               ptEnd.x, ptEnd.y);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
    return Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
               ptEnd.x, ptEnd.y);
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
    return Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                 ptEnd.x, ptEnd.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Ellipse(LPCRECT lpRect) {
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Rectangle(LPCRECT lpRect) {
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point) {
    return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, (HBRUSH)CGdiObject::GetSafeHandle(pBrush));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, (HBRUSH)CGdiObject::GetSafeHandle(pBrush));
}

void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) { FillWithColor(m_hDC, *lpRect, clr); }

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    FillWithColor(m_hDC, CRect(x, y, x + cx, y + cy), clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    // The top-right and bottom-left corner pixels belong to the bottom-right colour.
    FillWithColor(m_hDC, CRect(x, y, x + cx - 1, y + 1), clrTopLeft);
    FillWithColor(m_hDC, CRect(x, y, x + 1, y + cy - 1), clrTopLeft);
    FillWithColor(m_hDC, CRect(x + cx - 1, y, x + cx, y + cy), clrBottomRight);
    FillWithColor(m_hDC, CRect(x, y + cy - 1, x + cx, y + cy), clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

// Pixels and blocks

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, CDC::GetSafeHdc(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, CDC::GetSafeHdc(pSrcDC), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

// Text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) {
    return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str) {
    return TextOut(x, y, (LPCSTR)str, str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                     LPINT lpDxWidths) {
    return ExtTextOut(x, y, nOptions, lpRect, (LPCSTR)str, (UINT)str.GetLength(), lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText((LPCSTR)str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const {
    return GetTextExtent((LPCSTR)str, str.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const {
    return GetOutputTextExtent((LPCSTR)str, str.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const {
    return ::GetTextMetricsA(m_hAttribDC, lpMetrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const {
    return ::GetTextMetricsA(m_hDC, lpMetrics);
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const {
    return ::GetTextFaceA(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const {
    char face[LF_FACESIZE] = "";
    int n = ::GetTextFaceA(m_hAttribDC, LF_FACESIZE, face);
    rString = face;
    return n;
}

int CDC::GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hAttribDC); }

int CDC::SetTextCharacterExtra(int nCharExtra) {
    return ApplyToBoth(this, (int)0x80000000,
                       [=](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}

// Metafiles and print jobs

BOOL CDC::PlayMetaFile(HENHMETAFILE hEnhMF, LPCRECT lpBounds) {
    return ::PlayEnhMetaFile(m_hDC, hEnhMF, lpBounds);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo) { return ::StartDocA(m_hDC, lpDocInfo); }

int CDC::StartDoc(LPCTSTR lpszDocName) {
    DOCINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.lpszDocName = lpszDocName;
    return StartDoc(&info);
}

int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }

// CPaintDC, CClientDC, CWindowDC

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(CWnd::GetSafeHwnd(pWnd)) {
    memset(&m_ps, 0, sizeof m_ps);
    HDC hDC = ::BeginPaint(m_hWnd, &m_ps);
    if (hDC == NULL) AfxThrowResourceException();
    Borrow(this, hDC);
}

CPaintDC::~CPaintDC() {
    Unborrow(this);
    ::EndPaint(m_hWnd, &m_ps);
}

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(CWnd::GetSafeHwnd(pWnd)) {
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL) AfxThrowResourceException();
    Borrow(this, hDC);
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Unborrow(this)); }

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(CWnd::GetSafeHwnd(pWnd)) {
    HDC hDC = ::GetWindowDC(m_hWnd);
    if (hDC == NULL) AfxThrowResourceException();
    Borrow(this, hDC);
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Unborrow(this)); }

// CMetaFileDC

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CMetaFileDC::CMetaFileDC() {}

CMetaFileDC::~CMetaFileDC() {
    HENHMETAFILE hEnhMF = CloseEnhanced();
    if (hEnhMF != NULL) ::DeleteEnhMetaFile(hEnhMF);
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds,
                                 LPCTSTR lpszDescription) {
    if (m_hDC != NULL) return FALSE;
    HDC hDC = ::CreateEnhMetaFileA(CDC::GetSafeHdc(pDCRef), lpszFileName, lpBounds, lpszDescription);
    if (hDC == NULL) return FALSE;
    if (Attach(hDC)) return TRUE;
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hDC));
    return FALSE;
}

HENHMETAFILE CMetaFileDC::CloseEnhanced() {
    if (m_hDC == NULL) return NULL;
    return ::CloseEnhMetaFile(Detach());
}
