// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with their arithmetic. Each is
// laid out exactly as the structure it derives from, so a pointer to one may be handed to
// any Win32 call that takes the structure.
//
// Rectangles follow the Win32 rules: right and bottom lie outside, a rectangle whose width
// or height is not positive is empty, and the set operations (IntersectRect, UnionRect,
// SubtractRect) give an all-zero rectangle when the result is empty.
#pragma once

#include "vaskfc_base.h"

class CPoint;
class CRect;

class CSize : public tagSIZE {
public:
    CSize() {
        cx = 0;
        cy = 0;
    }
    CSize(int initCX, int initCY) {
        cx = initCX;
        cy = initCY;
    }
    CSize(SIZE initSize) {
        cx = initSize.cx;
        cy = initSize.cy;
    }
    explicit CSize(POINT initPt) {
        cx = initPt.x;
        cy = initPt.y;
    }
    // Low word cx, high word cy, both signed (as GetTextExtent of old gave them).
    explicit CSize(DWORD dwSize) {
        cx = (short)LOWORD(dwSize);
        cy = (short)HIWORD(dwSize);
    }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) {
        cx += size.cx;
        cy += size.cy;
    }
    void operator-=(SIZE size) {
        cx -= size.cx;
        cy -= size.cy;
    }
    void SetSize(int CX, int CY) {
        cx = CX;
        cy = CY;
    }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    inline CPoint operator+(POINT point) const;
    inline CPoint operator-(POINT point) const;
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class CPoint : public tagPOINT {
public:
    CPoint() {
        x = 0;
        y = 0;
    }
    CPoint(int initX, int initY) {
        x = initX;
        y = initY;
    }
    CPoint(POINT initPt) {
        x = initPt.x;
        y = initPt.y;
    }
    explicit CPoint(SIZE initSize) {
        x = initSize.cx;
        y = initSize.cy;
    }
    // Low word x, high word y, both signed (the form of a mouse message's lParam).
    explicit CPoint(LPARAM dwPoint) {
        x = (short)LOWORD(dwPoint);
        y = (short)HIWORD(dwPoint);
    }

    void Offset(int xOffset, int yOffset) {
        x += xOffset;
        y += yOffset;
    }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) {
        x = X;
        y = Y;
    }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    // The difference of two points is the distance between them.
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    inline CRect operator+(const RECT* lpRect) const;
    inline CRect operator-(const RECT* lpRect) const;
};

class CRect : public tagRECT {
public:
    CRect() {
        left = 0;
        top = 0;
        right = 0;
        bottom = 0;
    }
    CRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& srcRect) { CopyRect(&srcRect); }
    CRect(LPCRECT lpSrcRect) { CopyRect(lpSrcRect); }
    CRect(POINT point, SIZE size) {
        left = point.x;
        top = point.y;
        right = point.x + size.cx;
        bottom = point.y + size.cy;
    }
    CRect(POINT topLeft, POINT bottomRight) {
        left = topLeft.x;
        top = topLeft.y;
        right = bottomRight.x;
        bottom = bottomRight.y;
    }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(right - left, bottom - top); }
    // The corners as points that alias left/top and right/bottom.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight() {
        LONG l = left;
        left = right;
        right = l;
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }

    void SetRect(int x1, int y1, int x2, int y2) {
        left = x1;
        top = y1;
        right = x2;
        bottom = y2;
    }
    void SetRect(POINT topLeft, POINT bottomRight) {
        SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lpSrcRect) {
        left = lpSrcRect->left;
        top = lpSrcRect->top;
        right = lpSrcRect->right;
        bottom = lpSrcRect->bottom;
    }
    BOOL EqualRect(LPCRECT lpRect) const {
        return left == lpRect->left && top == lpRect->top && right == lpRect->right &&
               bottom == lpRect->bottom;
    }

    // Inflate moves every edge outward, Deflate inward.
    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(LPCRECT lpRect) {
        InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
    void DeflateRect(LPCRECT lpRect) {
        InflateRect(-lpRect->left, -lpRect->top, -lpRect->right, -lpRect->bottom);
    }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }

    void OffsetRect(int x, int y) {
        left += x;
        top += y;
        right += x;
        bottom += y;
    }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    // Swaps the edges where needed so that left <= right and top <= bottom.
    void NormalizeRect() {
        if (left > right) SwapLeftRight();
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    // This rectangle becomes the set operation's result; FALSE when that is empty.
    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2);
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2);
    BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2);

    void operator=(const RECT& srcRect) { CopyRect(&srcRect); }
    BOOL operator==(const RECT& rect) const { return EqualRect(&rect); }
    BOOL operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) { UnionRect(this, &rect); }

    CRect operator+(POINT pt) const {
        CRect rect(*this);
        rect.OffsetRect(pt);
        return rect;
    }
    CRect operator-(POINT pt) const {
        CRect rect(*this);
        rect.OffsetRect(-pt.x, -pt.y);
        return rect;
    }
    CRect operator+(SIZE size) const {
        CRect rect(*this);
        rect.OffsetRect(size);
        return rect;
    }
    CRect operator-(SIZE size) const {
        CRect rect(*this);
        rect.OffsetRect(-size.cx, -size.cy);
        return rect;
    }
    CRect operator+(LPCRECT lpRect) const {
        CRect rect(*this);
        rect.InflateRect(lpRect);
        return rect;
    }
    CRect operator-(LPCRECT lpRect) const {
        CRect rect(*this);
        rect.DeflateRect(lpRect);
        return rect;
    }
    CRect operator&(const RECT& rect2) const {
        CRect rect;
        rect.IntersectRect(this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const {
        CRect rect;
        rect.UnionRect(this, &rect2);
        return rect;
    }
};

inline CPoint CSize::operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
inline CPoint CSize::operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
inline CRect CSize::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CSize::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }
inline CRect CPoint::operator+(const RECT* lpRect) const { return CRect(lpRect) + *this; }
inline CRect CPoint::operator-(const RECT* lpRect) const { return CRect(lpRect) - *this; }

inline BOOL CRect::IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) {
    RECT r;
    r.left = lpRect1->left > lpRect2->left ? lpRect1->left : lpRect2->left;
    r.top = lpRect1->top > lpRect2->top ? lpRect1->top : lpRect2->top;
    r.right = lpRect1->right < lpRect2->right ? lpRect1->right : lpRect2->right;
    r.bottom = lpRect1->bottom < lpRect2->bottom ? lpRect1->bottom : lpRect2->bottom;
    if (CRect(r).IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    CopyRect(&r);
    return TRUE;
}

inline BOOL CRect::UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) {
    // An empty rectangle adds nothing to the union.
    CRect a(lpRect1), b(lpRect2);
    if (a.IsRectEmpty()) {
        if (b.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        CopyRect(&b);
        return TRUE;
    }
    if (b.IsRectEmpty()) {
        CopyRect(&a);
        return TRUE;
    }
    SetRect(a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom);
    return TRUE;
}

inline BOOL CRect::SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) {
    // The first rectangle shrinks only where the second covers a whole side of it; any
    // other overlap leaves it as it is.
    CRect r(lpRectSrc1), cut;
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (cut.IntersectRect(&r, lpRectSrc2)) {
        if (cut.top == r.top && cut.bottom == r.bottom) {
            if (cut.left == r.left)
                r.left = cut.right;
            else if (cut.right == r.right)
                r.right = cut.left;
        } else if (cut.left == r.left && cut.right == r.right) {
            if (cut.top == r.top)
                r.top = cut.bottom;
            else if (cut.bottom == r.bottom)
                r.bottom = cut.top;
        }
    }
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    CopyRect(&r);
    return TRUE;
}
