// GDI object wrappers: pens, brushes, fonts, bitmaps and palettes.
#include "handlemap.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CResourceException, CException)

CResourceException::CResourceException() {}

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0) return FALSE;
    lstrcpynA(lpszError, "A system resource (a drawing object or device context) is not available",
              (int)nMaxError);
    return TRUE;
}

void AFXAPI AfxThrowResourceException() { throw new CResourceException; }

namespace {

void SetGdiHandle(CObject* pObject, void* h) {
    static_cast<CGdiObject*>(pObject)->m_hObject = (HGDIOBJ)h;
}

// The wrapper of hObject as an object of pClass (see CGdiObject::FromHandle).
CGdiObject* GdiFromHandle(HGDIOBJ hObject, const CRuntimeClass* pClass) {
    return static_cast<CGdiObject*>(vfc::GdiObjectMap().FromHandle(hObject, pClass, SetGdiHandle));
}

// Takes a handle just made for pObject; deletes it when pObject cannot take it.
BOOL AttachNew(CGdiObject* pObject, HGDIOBJ hObject) {
    if (hObject == NULL) return FALSE;
    if (pObject->Attach(hObject)) return TRUE;
    ::DeleteObject(hObject);
    return FALSE;
}

// Stock objects and system colour brushes belong to the system and are shared: a wrapper
// holds one without owning it, and deleting it does nothing.
BOOL HoldShared(CGdiObject* pObject, HGDIOBJ hObject) {
    if (hObject == NULL || pObject->m_hObject != NULL) return FALSE;
    pObject->m_hObject = hObject;
    return TRUE;
}

// For the constructors that create: they have no result to report a failure with.
void ThrowUnless(BOOL bCreated) {
    if (!bCreated) AfxThrowResourceException();
}

}  // namespace

// CGdiObject

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

CGdiObject::CGdiObject() : m_hObject(NULL) {}

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
    return GdiFromHandle(hObject, RUNTIME_CLASS(CGdiObject));
}

void PASCAL CGdiObject::DeleteTempMap() { vfc::GdiObjectMap().DeleteTemp(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == NULL || m_hObject != NULL) return FALSE;
    if (!vfc::GdiObjectMap().Claim(hObject, this)) return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL) vfc::GdiObjectMap().Release(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == NULL) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }

BOOL CGdiObject::CreateStockObject(int nIndex) {
    return HoldShared(this, ::GetStockObject(nIndex));
}

BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

// CPen

IMPLEMENT_DYNCREATE(CPen, CGdiObject)

CPen* PASCAL CPen::FromHandle(HPEN hPen) {
    return static_cast<CPen*>(GdiFromHandle(hPen, RUNTIME_CLASS(CPen)));
}

CPen::CPen() {}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    ThrowUnless(CreatePen(nPenStyle, nWidth, crColor));
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
           const DWORD* lpStyle) {
    ThrowUnless(CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return AttachNew(this, ::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle) {
    return AttachNew(this, ::ExtCreatePen((DWORD)nPenStyle, (DWORD)nWidth, pLogBrush,
                                          (DWORD)nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) {
    return AttachNew(this, ::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const { return GetObject(sizeof(EXTLOGPEN), pLogPen); }

// CBrush

IMPLEMENT_DYNCREATE(CBrush, CGdiObject)

CBrush* PASCAL CBrush::FromHandle(HBRUSH hBrush) {
    return static_cast<CBrush*>(GdiFromHandle(hBrush, RUNTIME_CLASS(CBrush)));
}

CBrush::CBrush() {}
CBrush::CBrush(COLORREF crColor) { ThrowUnless(CreateSolidBrush(crColor)); }
CBrush::CBrush(int nIndex, COLORREF crColor) { ThrowUnless(CreateHatchBrush(nIndex, crColor)); }
CBrush::CBrush(CBitmap* pBitmap) { ThrowUnless(CreatePatternBrush(pBitmap)); }

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return AttachNew(this, ::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
    return AttachNew(this, ::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return AttachNew(this, ::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    HBITMAP hBitmap = (HBITMAP)CGdiObject::GetSafeHandle(pBitmap);
    if (hBitmap == NULL) return FALSE;
    return AttachNew(this, ::CreatePatternBrush(hBitmap));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return HoldShared(this, ::GetSysColorBrush(nIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const {
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}

// CFont

IMPLEMENT_DYNCREATE(CFont, CGdiObject)

CFont* PASCAL CFont::FromHandle(HFONT hFont) {
    return static_cast<CFont*>(GdiFromHandle(hFont, RUNTIME_CLASS(CFont)));
}

CFont::CFont() {}

BOOL CFont::CreateFontIndirect(const LOGFONT* lpLogFont) {
    return AttachNew(this, ::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                       LPCTSTR lpszFacename) {
    return AttachNew(this, ::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight,
                                         bItalic, bUnderline, cStrikeOut, nCharSet, nOutPrecision,
                                         nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONTA logFont;
    memset(&logFont, 0, sizeof logFont);
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName != NULL)
        lstrcpynA(logFont.lfFaceName, lpszFaceName, (int)sizeof logFont.lfFaceName);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : NULL;
    const bool screen = hDC == NULL;
    if (screen) hDC = ::GetDC(NULL);
    if (hDC == NULL) return FALSE;
    // Tenths of a point to device pixels (72 points an inch), rounded; then the same
    // distance in the device's logical units. A negative height asks for the character
    // height, not the cell height.
    POINT pts[2] = {{0, 0},
                    {0, ::MulDiv(lpLogFont->lfHeight, ::GetDeviceCaps(hDC, LOGPIXELSY), 720)}};
    ::DPtoLP(hDC, pts, 2);
    if (screen) ::ReleaseDC(NULL, hDC);
    LOGFONTA logFont = *lpLogFont;
    logFont.lfHeight = -abs(pts[1].y - pts[0].y);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }

// CBitmap

IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP hBitmap) {
    return static_cast<CBitmap*>(GdiFromHandle(hBitmap, RUNTIME_CLASS(CBitmap)));
}

CBitmap::CBitmap() {}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, (LPCSTR)RT_BITMAP);
    return AttachNew(this, ::LoadBitmapA(hInst, lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
    return AttachNew(this, ::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return AttachNew(this, ::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) {
    return AttachNew(this, ::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    HDC hDC = CDC::GetSafeHdc(pDC);
    if (hDC == NULL) return FALSE;
    return AttachNew(this, ::CreateCompatibleBitmap(hDC, nWidth, nHeight));
}

BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
    HDC hDC = CDC::GetSafeHdc(pDC);
    if (hDC == NULL) return FALSE;
    return AttachNew(this, ::CreateDiscardableBitmap(hDC, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
    return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
    return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, (LONG)dwCount, lpBits);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
    SIZE size = {0, 0};
    ::SetBitmapDimensionEx((HBITMAP)m_hObject, nWidth, nHeight, &size);
    return size;
}

CSize CBitmap::GetBitmapDimension() const {
    SIZE size = {0, 0};
    ::GetBitmapDimensionEx((HBITMAP)m_hObject, &size);
    return size;
}

// CPalette

IMPLEMENT_DYNCREATE(CPalette, CGdiObject)

CPalette* PASCAL CPalette::FromHandle(HPALETTE hPalette) {
    return static_cast<CPalette*>(GdiFromHandle(hPalette, RUNTIME_CLASS(CPalette)));
}

CPalette::CPalette() {}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) {
    return AttachNew(this, ::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
    HDC hDC = CDC::GetSafeHdc(pDC);
    if (hDC == NULL) return FALSE;
    return AttachNew(this, ::CreateHalftonePalette(hDC));
}

int CPalette::GetEntryCount() const {
    WORD nEntries = 0;
    if (GetObject(sizeof nEntries, &nEntries) == 0) return 0;
    return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) const {
    return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                                 LPPALETTEENTRY lpPaletteColors) {
    return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
    ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
    return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries) {
    return ::ResizePalette((HPALETTE)m_hObject, nNumEntries);
}
