// CGridObjectTable: index-stable slots for cell types, fonts and pictures.
#include "gridobjtable.h"

#include <new>
#include <string.h>

CGridObjectTable::CGridObjectTable() : m_pSlots(NULL), m_nSlots(0), m_nUsed(0) {}

CGridObjectTable::~CGridObjectTable() { delete[] m_pSlots; }

int CGridObjectTable::Add(CObject* pObject, int nTag, const void* pExtra) {
    if (m_nUsed >= m_nSlots) {
        Slot* pNew = new (std::nothrow) Slot[m_nSlots + 10];
        if (pNew == NULL) return -1;
        for (int i = 0; i < m_nSlots + 10; ++i) {
            if (i < m_nSlots) {
                pNew[i] = m_pSlots[i];
            } else {
                pNew[i].bInUse = 0;
                pNew[i].pObject = NULL;
                pNew[i].nTag = 0;
                memset(pNew[i].extra, 0, sizeof pNew[i].extra);
            }
        }
        delete[] m_pSlots;
        m_pSlots = pNew;
        m_nSlots += 10;
    }
    for (int i = 0; i < m_nSlots; ++i) {
        Slot& slot = m_pSlots[i];
        if (slot.bInUse) continue;
        slot.bInUse = 1;
        slot.pObject = pObject;
        slot.nTag = nTag;
        if (pExtra != NULL) memcpy(slot.extra, pExtra, sizeof slot.extra);
        ++m_nUsed;
        return i;
    }
    return -1;
}

int CGridObjectTable::SetTag(int nIndex, int nTag) {
    if (nIndex < 0 || nIndex >= m_nSlots) return 1;
    if (!m_pSlots[nIndex].bInUse) return 2;
    m_pSlots[nIndex].nTag = nTag;
    return 0;
}

int CGridObjectTable::GetTag(int nIndex) const {
    return nIndex < 0 || nIndex >= m_nSlots ? 0 : m_pSlots[nIndex].nTag;
}

CObject* CGridObjectTable::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nSlots || !m_pSlots[nIndex].bInUse) return NULL;
    return m_pSlots[nIndex].pObject;
}

const BYTE* CGridObjectTable::GetExtra(int nIndex) const {
    return nIndex < 0 || nIndex >= m_nSlots ? NULL : m_pSlots[nIndex].extra;
}

int CGridObjectTable::Find(const CObject* pObject) const {
    for (int i = 0; i < m_nSlots; ++i)
        if (m_pSlots[i].bInUse && m_pSlots[i].pObject == pObject) return i;
    return -1;
}

int CGridObjectTable::RemoveAt(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSlots) return 1;
    Slot& slot = m_pSlots[nIndex];
    if (slot.bInUse) {
        slot.bInUse = 0;
        slot.pObject = NULL;
        --m_nUsed;
    }
    return 0;
}

int CGridObjectTable::RemoveAll() {
    delete[] m_pSlots;
    m_pSlots = NULL;
    m_nSlots = 0;
    m_nUsed = 0;
    return 0;
}
