// Runtime-class records of the ready-made collections; the work is in the templates.
#include "internal.h"

IMPLEMENT_DYNAMIC(CObList, CObject)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CStringList, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNAMIC(CStringArray, CObject)

CObList::CObList(int nBlockSize) : CList<CObject*, CObject*>(nBlockSize) {}
CObList::~CObList() {}
CPtrList::CPtrList(int nBlockSize) : CList<void*, void*>(nBlockSize) {}
CPtrList::~CPtrList() {}
CStringList::CStringList(int nBlockSize) : CList<CString, const CString&>(nBlockSize) {}
CStringList::~CStringList() {}
CPtrArray::CPtrArray() {}
CPtrArray::~CPtrArray() {}
CStringArray::CStringArray() {}
CStringArray::~CStringArray() {}
