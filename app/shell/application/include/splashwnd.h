// CSplashWnd: the program's start picture while the main frame comes up. The application
// enables it at start-up, the main frame shows it while it is created, and it goes after
// 3 seconds or at the first key press or mouse click in the application (which it consumes).
//
// Bitmap 102 gives the window's size; bitmap 206 is the picture painted. Without bitmap 102
// no splash window is made and the start goes on.
#pragma once

#include "vaskfc.h"

class CSplashWnd : public CWnd {
public:
    // Whether ShowSplashScreen may show one (initially not).
    static void EnableSplashScreen(BOOL bEnable = TRUE);
    // Makes the one splash window, owned by pParentWnd, when enabled and none exists.
    static void ShowSplashScreen(CWnd* pParentWnd = NULL);
    // A key or mouse button press while a splash window exists hides it; TRUE then (the
    // message is consumed).
    static BOOL PreTranslateAppMessage(MSG* pMsg);
    // The splash window now, or NULL.
    static CSplashWnd* GetSplashWnd() { return c_pSplashWnd; }
    static BOOL IsEnabled() { return c_bShowSplashWnd; }

    // Destroys the window (the object then deletes itself) and updates the main window.
    void HideSplashScreen();

protected:
    CSplashWnd();
    ~CSplashWnd() override;

    BOOL Create(CWnd* pParentWnd);
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);

    CBitmap m_bitmap;

    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;

    DECLARE_MESSAGE_MAP()
};
