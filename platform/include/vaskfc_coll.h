// Collections: the growable array CArray, the doubly linked list CList and the ready-made
// pointer and string collections built on them.
//
// Out-of-range requests that would corrupt memory are made harmless: a negative size is
// taken as 0, RemoveAt clips its count to the elements present, and RemoveHead/RemoveTail
// of an empty list return an empty element. Element access (GetAt, operator[], GetHead,
// GetNext) expects a valid index or position, as it always has.
#pragma once

#include "vaskfc_exceptions.h"
#include "vaskfc_object.h"
#include "vaskfc_string.h"

#include <new>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(-1) {}
    ~CArray() override { Destroy(); }

    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    int GetUpperBound() const { return m_nSize - 1; }

    void SetSize(int nNewSize, int nGrowBy = -1) {
        if (nGrowBy >= 0) m_nGrowBy = nGrowBy;
        if (nNewSize < 0) nNewSize = 0;
        if (nNewSize == 0) {
            Destroy();
            return;
        }
        if (nNewSize > m_nMaxSize) {
            int nGrow = m_nGrowBy;
            if (nGrow <= 0) {
                // Grow by an eighth, at least 4 and at most 1024 elements.
                nGrow = m_nSize / 8;
                nGrow = nGrow < 4 ? 4 : (nGrow > 1024 ? 1024 : nGrow);
            }
            int nNewMax = m_nMaxSize + nGrow;
            if (nNewMax < nNewSize || nNewMax < 0) nNewMax = nNewSize;
            Reallocate(nNewMax);
        }
        for (int i = m_nSize; i < nNewSize; ++i) new (&m_pData[i]) TYPE();
        for (int i = nNewSize; i < m_nSize; ++i) m_pData[i].~TYPE();
        m_nSize = nNewSize;
    }

    void FreeExtra() {
        if (m_nSize != m_nMaxSize) {
            if (m_nSize == 0)
                Destroy();
            else
                Reallocate(m_nSize);
        }
    }

    void RemoveAll() { SetSize(0); }

    TYPE GetAt(int nIndex) const { return m_pData[nIndex]; }
    void SetAt(int nIndex, ARG_TYPE newElement) { m_pData[nIndex] = newElement; }
    TYPE& ElementAt(int nIndex) { return m_pData[nIndex]; }
    const TYPE& ElementAt(int nIndex) const { return m_pData[nIndex]; }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(int nIndex, ARG_TYPE newElement) {
        if (nIndex < 0) return;
        TYPE value(newElement);  // the argument may be an element of this array
        if (nIndex >= m_nSize) SetSize(nIndex + 1);
        m_pData[nIndex] = std::move(value);
    }

    int Add(ARG_TYPE newElement) {
        int nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }

    int Append(const CArray& src) {
        int nOldSize = m_nSize;
        if (&src == this) {
            for (int i = 0; i < nOldSize; ++i) Add(TYPE(m_pData[i]));
            return nOldSize;
        }
        SetSize(m_nSize + src.m_nSize);
        for (int i = 0; i < src.m_nSize; ++i) m_pData[nOldSize + i] = src.m_pData[i];
        return nOldSize;
    }

    void Copy(const CArray& src) {
        if (&src == this) return;
        SetSize(src.m_nSize);
        for (int i = 0; i < src.m_nSize; ++i) m_pData[i] = src.m_pData[i];
    }

    TYPE operator[](int nIndex) const { return m_pData[nIndex]; }
    TYPE& operator[](int nIndex) { return m_pData[nIndex]; }

    // Inserts nCount copies before nIndex; an index at or past the end grows the array.
    void InsertAt(int nIndex, ARG_TYPE newElement, int nCount = 1) {
        if (nIndex < 0 || nCount <= 0) return;
        TYPE value(newElement);
        int nOldSize = m_nSize;
        if (nIndex >= nOldSize) {
            SetSize(nIndex + nCount);
        } else {
            SetSize(nOldSize + nCount);
            for (int i = nOldSize - 1; i >= nIndex; --i)
                m_pData[i + nCount] = std::move(m_pData[i]);
        }
        for (int i = 0; i < nCount; ++i) m_pData[nIndex + i] = value;
    }

    void InsertAt(int nStartIndex, CArray* pNewArray) {
        if (pNewArray == NULL || pNewArray->m_nSize == 0 || nStartIndex < 0) return;
        CArray copy;
        copy.Copy(*pNewArray);
        InsertAt(nStartIndex, copy.m_pData[0], copy.m_nSize);
        for (int i = 0; i < copy.m_nSize; ++i) m_pData[nStartIndex + i] = copy.m_pData[i];
    }

    // Removes up to nCount elements from nIndex on; nothing when nIndex is outside.
    void RemoveAt(int nIndex, int nCount = 1) {
        if (nIndex < 0 || nIndex >= m_nSize || nCount <= 0) return;
        if (nCount > m_nSize - nIndex) nCount = m_nSize - nIndex;
        for (int i = nIndex + nCount; i < m_nSize; ++i) m_pData[i - nCount] = std::move(m_pData[i]);
        for (int i = m_nSize - nCount; i < m_nSize; ++i) m_pData[i].~TYPE();
        m_nSize -= nCount;
    }

protected:
    TYPE* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;

private:
    void Destroy() {
        for (int i = 0; i < m_nSize; ++i) m_pData[i].~TYPE();
        ::operator delete(m_pData);
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
    }

    void Reallocate(int nNewMax) {
        if ((size_t)nNewMax > ((size_t)-1) / 2 / sizeof(TYPE)) AfxThrowMemoryException();
        TYPE* pNew =
            static_cast<TYPE*>(::operator new(sizeof(TYPE) * (size_t)nNewMax, std::nothrow));
        if (pNew == NULL) AfxThrowMemoryException();
        for (int i = 0; i < m_nSize; ++i) {
            new (&pNew[i]) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
        ::operator delete(m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }
};

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(int nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_nBlockSize(nBlockSize) {}
    ~CList() override { RemoveAll(); }

    int GetCount() const { return m_nCount; }
    int GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }

    TYPE RemoveHead() {
        if (m_pNodeHead == NULL) return TYPE();
        CNode* pNode = m_pNodeHead;
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }

    TYPE RemoveTail() {
        if (m_pNodeTail == NULL) return TYPE();
        CNode* pNode = m_pNodeTail;
        TYPE value(std::move(pNode->data));
        Unlink(pNode);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return (POSITION)LinkBefore(m_pNodeHead, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return (POSITION)LinkAfter(m_pNodeTail, newElement); }

    void AddHead(const CList* pNewList) {
        if (pNewList == NULL) return;
        CList copy;
        copy.AddTail(pNewList);
        for (CNode* p = copy.m_pNodeTail; p != NULL; p = p->pPrev) AddHead(p->data);
    }

    void AddTail(const CList* pNewList) {
        if (pNewList == NULL) return;
        int n = pNewList->m_nCount;  // a list appended to itself is copied once
        CNode* p = pNewList->m_pNodeHead;
        for (int i = 0; i < n; ++i, p = p->pNext) AddTail(p->data);
    }

    void RemoveAll() {
        CNode* p = m_pNodeHead;
        while (p != NULL) {
            CNode* pNext = p->pNext;
            delete p;
            p = pNext;
        }
        m_pNodeHead = m_pNodeTail = NULL;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return (POSITION)m_pNodeHead; }
    POSITION GetTailPosition() const { return (POSITION)m_pNodeTail; }

    TYPE& GetNext(POSITION& rPosition) {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pNext;
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        CNode* pNode = (CNode*)rPosition;
        rPosition = (POSITION)pNode->pPrev;
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return ((CNode*)position)->data; }
    const TYPE& GetAt(POSITION position) const { return ((CNode*)position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ((CNode*)pos)->data = newElement; }

    void RemoveAt(POSITION position) {
        if (position != NULL) Unlink((CNode*)position);
    }

    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        return (POSITION)LinkBefore(position ? (CNode*)position : m_pNodeHead, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        return (POSITION)LinkAfter(position ? (CNode*)position : m_pNodeTail, newElement);
    }

    // The first element equal to searchValue after startAfter (from the head when NULL).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
        CNode* p = startAfter ? ((CNode*)startAfter)->pNext : m_pNodeHead;
        for (; p != NULL; p = p->pNext)
            if (p->data == searchValue) return (POSITION)p;
        return NULL;
    }

    POSITION FindIndex(int nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount) return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex-- > 0) p = p->pNext;
        return (POSITION)p;
    }

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    int m_nBlockSize;

private:
    CNode* LinkBefore(CNode* pNext, ARG_TYPE value) {
        CNode* pNode = new CNode{pNext, pNext ? pNext->pPrev : m_pNodeTail, TYPE(value)};
        if (pNode->pPrev)
            pNode->pPrev->pNext = pNode;
        else
            m_pNodeHead = pNode;
        if (pNext)
            pNext->pPrev = pNode;
        else
            m_pNodeTail = pNode;
        ++m_nCount;
        return pNode;
    }

    CNode* LinkAfter(CNode* pPrev, ARG_TYPE value) {
        return LinkBefore(pPrev ? pPrev->pNext : m_pNodeHead, value);
    }

    void Unlink(CNode* pNode) {
        if (pNode->pPrev)
            pNode->pPrev->pNext = pNode->pNext;
        else
            m_pNodeHead = pNode->pNext;
        if (pNode->pNext)
            pNode->pNext->pPrev = pNode->pPrev;
        else
            m_pNodeTail = pNode->pPrev;
        delete pNode;
        --m_nCount;
    }
};

// List of CObject pointers; it does not own the objects.
class VASKFC_API CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(int nBlockSize = 10);
    ~CObList() override;
};

// List of untyped pointers; it does not own what they point to.
class VASKFC_API CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(int nBlockSize = 10);
    ~CPtrList() override;
};

class VASKFC_API CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(int nBlockSize = 10);
    ~CStringList() override;
};

class VASKFC_API CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray();
    ~CPtrArray() override;
};

class VASKFC_API CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray();
    ~CStringArray() override;
};
