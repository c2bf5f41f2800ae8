// The shared button pictures of grid cells, the grid's text comparisons and its redraw helper.
#include "gridinternal.h"

#include <mbstring.h>

#include <map>

namespace {

// The pictures live as long as a cell names them. The table itself is never destroyed, so
// that cells of static objects may still release theirs at the end of the process.
struct BitmapTable {
    SRWLOCK lock = SRWLOCK_INIT;
    std::map<UINT, CGridSharedBitmap*> entries;
};

BitmapTable& Table() {
    static BitmapTable* table = new BitmapTable;
    return *table;
}

}  // namespace

CGridSharedBitmap* GridAcquireButtonBitmap(UINT nId) {
    BitmapTable& table = Table();
    AcquireSRWLockExclusive(&table.lock);
    CGridSharedBitmap*& entry = table.entries[nId];
    if (entry == NULL) {
        entry = new CGridSharedBitmap;
        entry->nId = nId;
        entry->nRefs = 0;
        entry->bLoaded = entry->bitmap.LoadBitmap(nId);
    }
    ++entry->nRefs;
    CGridSharedBitmap* result = entry;
    ReleaseSRWLockExclusive(&table.lock);
    return result;
}

void GridReleaseButtonBitmap(CGridSharedBitmap* pShared) {
    if (pShared == NULL) return;
    BitmapTable& table = Table();
    AcquireSRWLockExclusive(&table.lock);
    if (--pShared->nRefs <= 0) {
        table.entries.erase(pShared->nId);
        delete pShared;
    }
    ReleaseSRWLockExclusive(&table.lock);
}

void GridRedrawNow(CWnd* pWnd) {
    if (pWnd == NULL || pWnd->m_hWnd == NULL) return;
    pWnd->Invalidate(TRUE);
    pWnd->UpdateWindow();
}

int GridCompareText(LPCSTR a, LPCSTR b) {
    return _mbscmp((const unsigned char*)(a != NULL ? a : ""),
                   (const unsigned char*)(b != NULL ? b : ""));
}

int GridCompareTextNoCase(LPCSTR a, LPCSTR b) {
    return _mbsicmp((const unsigned char*)(a != NULL ? a : ""),
                    (const unsigned char*)(b != NULL ? b : ""));
}

CString GridUpperCopy(LPCSTR lpszText) {
    CString copy(lpszText != NULL ? lpszText : "");
    copy.MakeUpper();
    return copy;
}
