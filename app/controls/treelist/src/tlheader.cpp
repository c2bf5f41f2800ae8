// The header part of the tree-list control: owner-drawn column titles with an optional
// image each (the sort direction), and the columns fitted to the window on request.
#include "treelist.h"

#include <vector>

BEGIN_MESSAGE_MAP(CTLHeaderCtrl, CHeaderCtrl)
ON_WM_PAINT()
END_MESSAGE_MAP()

CTLHeaderCtrl::CTLHeaderCtrl() : m_pImageList(NULL), m_bAutoFit(1) {}

CTLHeaderCtrl::~CTLHeaderCtrl() {}

CImageList* CTLHeaderCtrl::SetImageList(CImageList* pImageList) {
    CImageList* pPrevious = m_pImageList;
    m_pImageList = pImageList;
    return pPrevious;
}

int CTLHeaderCtrl::GetItemImage(int nIndex) const {
    auto it = m_itemImages.find(nIndex);
    return it != m_itemImages.end() ? it->second : -1;
}

void CTLHeaderCtrl::SetItemImage(int nIndex, int nImage) {
    m_itemImages[nIndex] = nImage;
    if (m_hWnd == NULL) return;
    HDITEMA hd = {};
    hd.mask = HDI_FORMAT;
    // Every title of the control is owner-drawn already; a change would only notify the
    // frame of an item change that is none.
    if (GetItem(nIndex, &hd) && !(hd.fmt & HDF_OWNERDRAW)) {
        hd.fmt |= HDF_OWNERDRAW;
        SetItem(nIndex, &hd);
    }
    Invalidate();
}

void CTLHeaderCtrl::FitColumns(int nSkipColumn, int nSkipWidth) {
    if (!m_bAutoFit || m_hWnd == NULL) return;
    SetRedraw(FALSE);
    CRect client;
    GetParent()->GetClientRect(&client);
    int nTarget = client.Width();
    if (nSkipColumn != -1) nTarget -= nSkipWidth;
    int nCount = GetItemCount();
    std::vector<int> widths(nCount > 0 ? nCount : 0);
    long long nSum = 0;
    for (int c = 0; c < nCount; c++) {
        HDITEMA hd = {};
        hd.mask = HDI_WIDTH;
        GetItem(c, &hd);
        widths[c] = hd.cxy;
        if (c != nSkipColumn) nSum += hd.cxy;
    }
    // Columns that have no width at all cannot be scaled.
    if (nSum != nTarget && nSum > 0) {
        for (int c = 0; c < nCount; c++) {
            if (c == nSkipColumn) continue;
            HDITEMA hd = {};
            hd.mask = HDI_WIDTH;
            hd.cxy = (int)(widths[c] * (long long)nTarget / nSum);
            SetItem(c, &hd);
        }
    }
    SetRedraw(TRUE);
    Invalidate();
}

void CTLHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    int nItem = (int)lpDrawItemStruct->itemID;
    char title[256] = "";
    HDITEMA hd = {};
    hd.mask = HDI_TEXT | HDI_FORMAT;
    hd.pszText = title;
    hd.cchTextMax = sizeof title;
    GetItem(nItem, &hd);

    CRect rect(lpDrawItemStruct->rcItem);
    int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(&rect);
    pDC->SetBkMode(TRANSPARENT);
    int m = 2 * pDC->GetTextExtent(" ", 1).cx;
    UINT nFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER;
    int nJustify = hd.fmt & HDF_JUSTIFYMASK;
    if (nJustify == HDF_CENTER)
        nFormat |= DT_CENTER;
    else if (nJustify == HDF_RIGHT)
        nFormat |= DT_RIGHT;
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
        rect.left += 1;
        rect.top += 2;
        rect.right += 1;
    }
    CRect text(rect.left + m, rect.top, rect.right - m, rect.bottom);

    int nImage = GetItemImage(nItem);
    if (m_pImageList != NULL && m_pImageList->GetSafeHandle() != NULL && nImage != -1) {
        IMAGEINFO info = {};
        int nImageWidth = 0;
        if (m_pImageList->GetImageInfo(nImage, &info))
            nImageWidth = info.rcImage.right - info.rcImage.left;
        CPoint at(0, m / 3);
        if (nJustify == HDF_RIGHT) {
            at.x = rect.left + m;
            text.left += m / 2 + nImageWidth;
        } else {
            int nFirst = title[0] != '\0' ? pDC->GetTextExtent(title, 1).cx : 0;
            at.x = rect.right - m - 2 * nFirst;
        }
        m_pImageList->Draw(pDC->GetSafeHdc(), nImage, at, ILD_TRANSPARENT);
    }
    if (!text.IsRectEmpty()) pDC->DrawText(title, -1, &text, nFormat);
    pDC->RestoreDC(nSaved);
}

void CTLHeaderCtrl::OnPaint() {
    // The header paints itself into the paint context handed to it.
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(m_hWnd, &ps);
    if (hDC == NULL) return;
    DefWindowProc(WM_PAINT, (WPARAM)hDC, 0);
    ::EndPaint(m_hWnd, &ps);
}
