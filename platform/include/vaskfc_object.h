// CObject and its runtime-class records: class names, base classes, dynamic creation and
// the schema numbers of serialisable classes.
#pragma once

#include "vaskfc_base.h"

// Schema bit that lets a class read objects stored with another schema number.
#define VERSIONABLE_SCHEMA (0x80000000)

struct VASKFC_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF for classes that are not serialisable
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();

    // A new object of the class, or NULL when the class cannot be created dynamically or
    // the construction fails.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Archive form of the class reference: 16-bit schema, 16-bit name length, ASCII name.
    void Store(CArchive& ar) const;
    // Reads that form and finds the registered serialisable class of that name; NULL when
    // none is known. The stored schema goes to *pwSchemaNum.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
    // The registered serialisable class of that name, in any loaded module.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
};

// Registers a serialisable class for lookup by name while its module is loaded.
struct VASKFC_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

    CRuntimeClass* m_pClass;
    AFX_CLASSINIT* m_pNext;
    AFX_CLASSINIT* m_pPrev;
};

// Reads an object of (a class derived from) pClass; used by the extraction operator that
// DECLARE_SERIAL gives each class.
VASKFC_API CObject* AFXAPI AfxReadObject(CArchive& ar, const CRuntimeClass* pClass);

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                        \
protected:                                                 \
    static CRuntimeClass* _GetBaseClass();                 \
                                                           \
public:                                                    \
    static const CRuntimeClass class##class_name;          \
    [[maybe_unused]] static CRuntimeClass* GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                    \
    DECLARE_DYNCREATE(class_name)                                                     \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb) {                     \
        pOb = static_cast<class_name*>(AfxReadObject(ar, RUNTIME_CLASS(class_name))); \
        return ar;                                                                    \
    }

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)              \
    CRuntimeClass* class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); } \
    const CRuntimeClass class_name::class##class_name = {                                 \
        #class_name, (int)sizeof(class class_name), (UINT)(wSchema), pfnNew,              \
        &class_name::_GetBaseClass};                                                      \
    CRuntimeClass* class_name::GetThisClass() { return RUNTIME_CLASS(class_name); }       \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)           \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                             \
    CObject* class_name::CreateObject() { return new class_name; }                         \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    static AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

class VASKFC_API CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static const CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();

protected:
    CObject();

private:
    CObject(const CObject&) = delete;
    void operator=(const CObject&) = delete;
};

// Diagnostic output target of Dump; the shipped build writes nothing.
class VASKFC_API CDumpContext {
public:
    CDumpContext() {}
};
