// The item records of the tree-list control: column texts in one string, and the order of
// two records by a column's text.
#include "treelist.h"

#include "treelistseams.h"

#include <atomic>

namespace {

const char kSeparator = '\xB6';

std::atomic<long> g_liveRecords(0);
std::atomic<TLRecordTouchHook> g_touchHook(nullptr);

// The position of the first character of column nColumn, -1 when the text has fewer
// columns.
int ColumnStart(const CString& texts, char separator, int nColumn) {
    int pos = 0;
    for (int c = 0; c < nColumn; c++) {
        int next = texts.Find(separator, pos);
        if (next < 0) return -1;
        pos = next + 1;
    }
    return pos;
}

int ColumnEnd(const CString& texts, char separator, int start) {
    int end = texts.Find(separator, start);
    return end < 0 ? texts.GetLength() : end;
}

// The first run of digits of a text and the part before it.
struct DigitRun {
    CString prefix;
    CString digits;
};

DigitRun SplitAtDigits(const CString& text) {
    DigitRun run;
    int first = text.FindOneOf("0123456789");
    if (first < 0) {
        run.prefix = text;
        return run;
    }
    int last = first;
    while (last < text.GetLength() && text[last] >= '0' && text[last] <= '9') last++;
    run.prefix = text.Left(first);
    run.digits = text.Mid(first, last - first);
    return run;
}

// Two runs of digits compared as numbers ("" is 0), whatever their length: leading zeros
// are skipped, then the longer number is the larger.
int CompareNumbers(const CString& a, const CString& b) {
    int i = 0, j = 0;
    while (i < a.GetLength() && a[i] == '0') i++;
    while (j < b.GetLength() && b[j] == '0') j++;
    int lenA = a.GetLength() - i, lenB = b.GetLength() - j;
    if (lenA != lenB) return lenA < lenB ? -1 : 1;
    int r = a.Mid(i).Compare(b.Mid(j));
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int Sign(int r) { return r < 0 ? -1 : r > 0 ? 1 : 0; }

int CompareTexts(const CString& t1, const CString& t2) {
    DigitRun r1 = SplitAtDigits(t1), r2 = SplitAtDigits(t2);
    if ((r1.digits.IsEmpty() && r2.digits.IsEmpty()) || r1.prefix != r2.prefix)
        return Sign(t1.CompareNoCase(t2));
    int r = CompareNumbers(r1.digits, r2.digits);
    return r != 0 ? r : Sign(t1.CompareNoCase(t2));
}

}  // namespace

// --- seam ----------------------------------------------------------------------------------

void TLSetRecordTouchHook(TLRecordTouchHook pfnHook) { g_touchHook = pfnHook; }

void TLTouchRecord(const CTLItemData* pRecord) {
    TLRecordTouchHook hook = g_touchHook;
    if (hook != nullptr && pRecord != nullptr) hook(pRecord);
}

long TLLiveItemRecords() { return g_liveRecords; }

// --- CTLItemData ---------------------------------------------------------------------------

CTLItemData::CTLItemData()
    : m_dwUserValue(0),
      m_cSeparator(kSeparator),
      m_bBold(0),
      m_crText(GetSysColor(COLOR_WINDOWTEXT)) {
    ++g_liveRecords;
}

CTLItemData::CTLItemData(const CTLItemData& other)
    : m_strTexts(other.m_strTexts),
      m_dwUserValue(other.m_dwUserValue),
      m_cSeparator(other.m_cSeparator),
      m_bBold(other.m_bBold),
      m_crText(other.m_crText) {
    ++g_liveRecords;
}

CTLItemData::~CTLItemData() { --g_liveRecords; }

CString CTLItemData::GetColumnText(int nColumn) const {
    if (nColumn < 0) return CString();
    int start = ColumnStart(m_strTexts, m_cSeparator, nColumn);
    if (start < 0) return CString();
    return m_strTexts.Mid(start, ColumnEnd(m_strTexts, m_cSeparator, start) - start);
}

CString CTLItemData::StoredText(LPCSTR lpszText) const {
    CString text(lpszText);
    // A separator inside a text would shift every later column, and the text would never
    // read back as written: it is kept as a blank instead.
    text.Replace(m_cSeparator, ' ');
    return text;
}

void CTLItemData::SetColumnText(int nColumn, LPCSTR lpszText) {
    if (nColumn < 0) return;
    CString text = StoredText(lpszText);
    int start = ColumnStart(m_strTexts, m_cSeparator, nColumn);
    if (start < 0) {
        // Fewer columns: separators up to the column, then the text.
        int columns = 1;
        for (int i = 0; i < m_strTexts.GetLength(); i++)
            if (m_strTexts[i] == m_cSeparator) columns++;
        for (; columns <= nColumn; columns++) m_strTexts += m_cSeparator;
        m_strTexts += text;
        return;
    }
    int end = ColumnEnd(m_strTexts, m_cSeparator, start);
    m_strTexts = m_strTexts.Left(start) + text + m_strTexts.Mid(end);
}

// --- order -----------------------------------------------------------------------------------

int CALLBACK CTLTreeCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
    const CTLItemData* p1 = (const CTLItemData*)lParam1;
    const CTLItemData* p2 = (const CTLItemData*)lParam2;
    const TLSortParam* pSort = (const TLSortParam*)lParamSort;
    TLTouchRecord(p1);
    TLTouchRecord(p2);
    int nColumn = pSort != NULL ? pSort->nColumn : 0;
    CString t1 = p1 != NULL ? p1->GetColumnText(nColumn) : CString();
    CString t2 = p2 != NULL ? p2->GetColumnText(nColumn) : CString();
    int r = CompareTexts(t1, t2);
    return pSort != NULL && !pSort->bAscending ? -r : r;
}
