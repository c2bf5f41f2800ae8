// GDI wrappers: drawing objects (pens, brushes, fonts, bitmaps, palettes) and device contexts
// (memory, paint, client, window and enhanced metafile DCs).
//
// Ownership: a wrapper owns the handle it created or was attached to and deletes it once,
// when DeleteObject (DeleteDC) is called or the wrapper is destroyed; Detach hands the
// handle back without deleting it. A handle belongs to at most one wrapper at a time: Attach
// refuses a handle that another wrapper already holds.
//
// FromHandle gives the wrapper of a handle: the owning wrapper when there is one, else a
// temporary wrapper of the calling thread that never deletes its handle and lives until that
// thread calls DeleteTempMap (the message loop does so when idle). Members that hand back a
// previously selected object (SelectObject and the like) give such wrappers; do not keep the
// pointer beyond the current message.
#pragma once

#include "vaskfc_exceptions.h"
#include "vaskfc_geom.h"
#include "vaskfc_object.h"
#include "vaskfc_string.h"

class CWnd;
class CDC;
class CBitmap;

// A resource of the system (a GDI object or device context) could not be had.
class VASKFC_API CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

[[noreturn]] VASKFC_API void AFXAPI AfxThrowResourceException();

class VASKFC_API CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    // Frees the calling thread's temporary wrappers (of every GDI object class).
    static void PASCAL DeleteTempMap();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // The handle of an object that may be missing: NULL for a null pointer.
    static HGDIOBJ PASCAL GetSafeHandle(const CGdiObject* pObject) {
        return pObject != NULL ? pObject->m_hObject : NULL;
    }
    operator HGDIOBJ() const { return GetSafeHandle(); }

    // FALSE when this wrapper holds a handle already, hObject is NULL or another wrapper
    // owns it.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle (if any) and detaches it; FALSE when there was none or Windows
    // refused (for instance while it is still selected into a device context).
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    // Holds a stock object. Stock objects (and system colour brushes) are shared: any
    // number of wrappers may hold one, and none deletes it.
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();
    BOOL operator==(const CGdiObject& obj) const { return obj.m_hObject == m_hObject; }
    BOOL operator!=(const CGdiObject& obj) const { return obj.m_hObject != m_hObject; }

    HGDIOBJ m_hObject;
};

class VASKFC_API CPen : public CGdiObject {
    DECLARE_DYNCREATE(CPen)
public:
    static CPen* PASCAL FromHandle(HPEN hPen);

    CPen();
    // These constructors throw CResourceException when the pen cannot be made.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
         const DWORD* lpStyle = NULL);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = NULL);
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen);

    operator HPEN() const { return (HPEN)GetSafeHandle(); }
    int GetLogPen(LOGPEN* pLogPen) const;
    int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};

class VASKFC_API CBrush : public CGdiObject {
    DECLARE_DYNCREATE(CBrush)
public:
    static CBrush* PASCAL FromHandle(HBRUSH hBrush);

    CBrush();
    // These constructors throw CResourceException when the brush cannot be made.
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);  // hatched
    explicit CBrush(CBitmap* pBitmap);     // pattern

    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateSysColorBrush(int nIndex);

    operator HBRUSH() const { return (HBRUSH)GetSafeHandle(); }
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
};

class VASKFC_API CFont : public CGdiObject {
    DECLARE_DYNCREATE(CFont)
public:
    static CFont* PASCAL FromHandle(HFONT hFont);

    CFont();

    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily,
                    LPCTSTR lpszFacename);
    // A font of nPointSize tenths of a point for the device of pDC (the screen when NULL):
    // the height becomes the character height in that device's logical units.
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = NULL);
    // As CreatePointFont, with lpLogFont->lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC = NULL);

    operator HFONT() const { return (HFONT)GetSafeHandle(); }
    int GetLogFont(LOGFONT* pLogFont) const;
};

class VASKFC_API CBitmap : public CGdiObject {
    DECLARE_DYNCREATE(CBitmap)
public:
    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap);

    CBitmap();

    // From the resources: the first module of the search order that holds the bitmap.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource);
    BOOL LoadOEMBitmap(UINT nIDBitmap);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
    // A bitmap of the device's colour format (a memory DC without a bitmap gives a
    // monochrome one).
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight);

    operator HBITMAP() const { return (HBITMAP)GetSafeHandle(); }
    int GetBitmap(BITMAP* pBitMap) const;
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
    CSize SetBitmapDimension(int nWidth, int nHeight);
    CSize GetBitmapDimension() const;
};

class VASKFC_API CPalette : public CGdiObject {
    DECLARE_DYNCREATE(CPalette)
public:
    static CPalette* PASCAL FromHandle(HPALETTE hPalette);

    CPalette();

    BOOL CreatePalette(LPLOGPALETTE lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);

    operator HPALETTE() const { return (HPALETTE)GetSafeHandle(); }
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries,
                           LPPALETTEENTRY lpPaletteColors) const;
    UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    void AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors);
    UINT GetNearestPaletteIndex(COLORREF crColor) const;
    BOOL ResizePalette(UINT nNumEntries);
};

// A device context. Output goes to m_hDC; queries about the device (metrics, extents,
// capabilities, mapping) go to the attribute DC m_hAttribDC; settings and selections go to
// both. Normally both are the same handle; a metafile or a report engine's drawing request
// may give them apart.
class VASKFC_API CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC();
    // Deletes the DC it still holds (DeleteDC).
    ~CDC() override;

    static CDC* PASCAL FromHandle(HDC hDC);
    static void PASCAL DeleteTempMap();

    // The output handle.
    HDC GetSafeHdc() const { return m_hDC; }
    // The output handle of a device context that may be missing: NULL for a null pointer.
    static HDC PASCAL GetSafeHdc(const CDC* pDC) { return pDC != NULL ? pDC->m_hDC : NULL; }
    operator HDC() const { return GetSafeHdc(); }

    // Sets both handles; FALSE when one is held already, hDC is NULL or another wrapper
    // owns it.
    BOOL Attach(HDC hDC);
    // Releases both handles and returns the output handle.
    HDC Detach();
    virtual void SetAttribDC(HDC hDC);
    virtual void SetOutputDC(HDC hDC);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    // A memory DC compatible with pDC's device (the screen when pDC is NULL).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                  const void* lpInitData);
    BOOL CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                  const void* lpInitData);
    BOOL DeleteDC();

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);
    int GetDeviceCaps(int nIndex) const;
    BOOL IsPrinting() const { return m_bPrinting; }

    // Drawing objects. Each returns the object selected before (see the header's note on
    // temporary wrappers), NULL on failure.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    virtual CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    virtual CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // Colours and modes.
    COLORREF GetBkColor() const;
    virtual COLORREF SetBkColor(COLORREF crColor);
    int GetBkMode() const;
    int SetBkMode(int nBkMode);
    COLORREF GetTextColor() const;
    virtual COLORREF SetTextColor(COLORREF crColor);
    UINT GetTextAlign() const;
    UINT SetTextAlign(UINT nFlags);
    int GetROP2() const;
    int SetROP2(int nDrawMode);
    int GetPolyFillMode() const;
    int SetPolyFillMode(int nPolyFillMode);
    int GetStretchBltMode() const;
    int SetStretchBltMode(int nStretchMode);
    COLORREF GetNearestColor(COLORREF crColor) const;

    // Mapping.
    int GetMapMode() const;
    virtual int SetMapMode(int nMapMode);
    CPoint GetViewportOrg() const;
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CSize GetViewportExt() const;
    virtual CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    CPoint GetWindowOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CSize GetWindowExt() const;
    virtual CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;
    // A size converts as a distance, by the ratio of the extents: its sign does not follow
    // the axes' directions.
    void DPtoLP(LPSIZE lpSize) const;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void LPtoDP(LPSIZE lpSize) const;

    // Clipping.
    int GetClipBox(LPRECT lpRect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    BOOL RectVisible(LPCRECT lpRect) const;
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);

    // Lines and shapes.
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL RoundRect(LPCRECT lpRect, POINT point);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    void DrawFocusRect(LPCRECT lpRect);
    // Fills with a colour without a brush (the background colour is left as it was).
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    // A one-pixel frame: top and left in clrTopLeft, bottom and right in clrBottomRight.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

    // Pixels and blocks.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    BOOL SetPixelV(int x, int y, COLORREF crColor);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);

    // Text.
    virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                            UINT nCount, LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                    LPINT lpDxWidths);
    // nCount -1: up to the terminating zero. Returns the text's height (0 on failure).
    virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    // Extents are measured on the attribute DC, output extents on the output DC.
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const;
    int GetTextFace(int nCount, LPTSTR lpszFacename) const;
    int GetTextFace(CString& rString) const;
    int GetTextCharacterExtra() const;
    int SetTextCharacterExtra(int nCharExtra);

    // Metafiles and print jobs.
    BOOL PlayMetaFile(HENHMETAFILE hEnhMF, LPCRECT lpBounds);
    int StartDoc(LPDOCINFO lpDocInfo);
    int StartDoc(LPCTSTR lpszDocName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

    HDC m_hDC;
    HDC m_hAttribDC;
    BOOL m_bPrinting;
};

// The DCs of windows (paint, client, window) are borrowed, not owned: they are released in
// the destructor, never deleted, and FromHandle gives a temporary wrapper for them (windows
// of an own or class DC hand the same handle to every caller).

// The DC of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class VASKFC_API CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    // Throws CResourceException when the window gives no paint DC.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// The client area's DC of a window (the screen for a null window), released in the
// destructor.
class VASKFC_API CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    // Throws CResourceException when no DC can be had.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

    HWND m_hWnd;
};

// The whole window's DC, frame included (the screen for a null window).
class VASKFC_API CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    // Throws CResourceException when no DC can be had.
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

    HWND m_hWnd;
};

// The recording DC of an enhanced metafile. A metafile still open when the object is
// destroyed is closed (so a file on disk is complete) and its handle deleted.
class VASKFC_API CMetaFileDC : public CDC {
    DECLARE_DYNAMIC(CMetaFileDC)
public:
    CMetaFileDC();
    ~CMetaFileDC() override;

    // pDCRef: the reference device (the screen when NULL). lpszFileName: the file, or NULL
    // for a metafile in memory. lpBounds: the picture frame in 0.01 mm, or NULL to let the
    // drawing decide. lpszDescription: "application\0picture\0\0", or NULL.
    BOOL CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds,
                        LPCTSTR lpszDescription);
    // Ends the recording; the caller owns the handle (DeleteEnhMetaFile). NULL when no
    // metafile was open.
    HENHMETAFILE CloseEnhanced();
};
