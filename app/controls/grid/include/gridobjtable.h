// CGridObjectTable: the growable table in which the grid keeps its cell types, fonts and
// pictures, so that cells name them by a small index. Indexes never move: an index stays
// valid until its slot is removed, and a removed slot is the first one reused. The table
// never deletes the objects it holds.
#pragma once

#include "vaskfc.h"

class CGridObjectTable : public CObject {
public:
    CGridObjectTable();
    ~CGridObjectTable() override;

    // The first free slot from index 0; the table grows by 10 slots when full. The 16 bytes
    // of extra data are copied when given. -1 when the table cannot grow.
    int Add(CObject* pObject, int nTag, const void* pExtra = NULL);
    // 0; 1 for an index outside the slots; 2 for a free slot.
    int SetTag(int nIndex, int nTag);
    // The tag (a free slot keeps its last one); 0 outside the slots.
    int GetTag(int nIndex) const;
    // The object; NULL outside the slots or for a free slot.
    CObject* GetAt(int nIndex) const;
    // The slot's 16 bytes of extra data; NULL outside the slots.
    const BYTE* GetExtra(int nIndex) const;
    // The first used slot holding the object, or -1.
    int Find(const CObject* pObject) const;
    // Frees the slot (the object is not deleted); 1 outside the slots.
    int RemoveAt(int nIndex);
    // Frees every slot; 0.
    int RemoveAll();
    int GetSlotCount() const { return m_nSlots; }
    int GetUsedCount() const { return m_nUsed; }

private:
    struct Slot {
        int bInUse;
        CObject* pObject;
        int nTag;
        BYTE extra[16];
    };

    Slot* m_pSlots;
    int m_nSlots;
    int m_nUsed;
};
