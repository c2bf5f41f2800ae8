// Helpers of the grid's window tests: a 24-bit DIB section to draw cells on and read back,
// a top-level window to hold grids, and message pumping. (Screenshots: the window test
// kit's wkit::Window::Shot.)
#pragma once

#include "vaskfc.h"

// A top-down 24-bit DIB section selected into a memory DC.
class DibCanvas {
public:
    DibCanvas(int nWidth, int nHeight, COLORREF crFill = RGB(255, 0, 255));
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    CDC* Dc() { return &m_dc; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    void Fill(COLORREF cr);
    // The pixel as a COLORREF (GDI's output flushed first).
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the rectangle (clipped to the canvas) are of / are not the colour.
    int CountOf(const RECT& rc, COLORREF cr) const;
    int CountNot(const RECT& rc, COLORREF cr) const;

private:
    int m_nWidth, m_nHeight;
    BYTE* m_pBits;
    HBITMAP m_hBitmap;
    CDC m_dc;
    HGDIOBJ m_hOld;
};

// A top-level window of the class library's default class. Shown, it takes the foreground;
// a test that does not hold the focus locks keeps it hidden (bShow FALSE), so that it takes
// the focus from no test running beside it.
class CHostWnd : public CWnd {
public:
    BOOL Create(LPCSTR lpszTitle, int nWidth, int nHeight, BOOL bShow = TRUE);
};

// Holds a key down for GetKeyState (the thread's keyboard state) while it lives.
class KeyHeld {
public:
    explicit KeyHeld(int vk) : m_vk(vk) { Set(0x80); }
    ~KeyHeld() { Set(0); }
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;

private:
    void Set(BYTE state);
    int m_vk;
};

// Counts, while it lives, the looks at the message queue that the calling thread takes
// without removing a message (PeekMessageA with PM_NOREMOVE) in this program's own code, the
// grid's among it: the program's import of PeekMessageA is pointed at a counter meanwhile.
// The program itself carries nothing for it.
class QueueLookCounter {
public:
    QueueLookCounter();
    ~QueueLookCounter();
    QueueLookCounter(const QueueLookCounter&) = delete;
    QueueLookCounter& operator=(const QueueLookCounter&) = delete;

    // FALSE when the program imports no PeekMessageA that could be pointed at the counter.
    BOOL Installed() const { return m_pSlot != NULL; }
    long Looks() const;

private:
    ULONG_PTR* m_pSlot;
    ULONG_PTR m_original;
};

// Handles every message waiting for the calling thread.
void PumpMessages();

// The rectangle of a window in its parent's client coordinates.
CRect RectInParent(HWND hWnd);
