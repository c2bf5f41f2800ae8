// What tests watch under the tree-list control: each touch of an item record, and the
// number of records alive.
#pragma once

#include "treelist.h"

// Called with every record that the control reads, writes or frees, on the thread that
// touches it. NULL removes the hook.
typedef void (*TLRecordTouchHook)(const CTLItemData* pRecord);
void TLSetRecordTouchHook(TLRecordTouchHook pfnHook);
void TLTouchRecord(const CTLItemData* pRecord);

// The records alive now (made and not yet freed), in the whole process.
long TLLiveItemRecords();
