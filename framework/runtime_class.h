// CRuntimeClass: the class record behind run-time type checks, dynamic creation and
// serialization, and the macros that give a class its record.
#pragma once

#include <windows.h>

class CArchive;
class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    // The schema number an archive stores with the class; 0xFFFF for classes that cannot be
    // serialized.
    UINT m_wSchema;
    // Null for classes that cannot be created dynamically.
    CObject* (*m_pfnCreateObject)();
    // Returns the base class's record; null for the root class.
    CRuntimeClass* (*m_pfnGetBaseClass)();

    CRuntimeClass* GetBaseClass() const {
        return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr;
    }
    // A new object of the class, or null when the class has no dynamic creation.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class with this name that can be created dynamically, or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // Makes the class known to FromName (done by IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL).
    static void Register(CRuntimeClass* pClass);

    // The class record inside an archive: schema WORD, name length WORD, name bytes.
    void Store(CArchive& ar) const;
    // Reads a class record; null when no such class is registered. *pwSchemaNum receives the
    // stored schema.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Marks the schema of IMPLEMENT_SERIAL as accepting older versions: the loader then accepts
// any stored schema and leaves the check to the class's Serialize (CArchive::GetObjectSchema).
#define VERSIONABLE_SCHEMA (0x80000000)

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

namespace framework {

// Registers a class record with CRuntimeClass::FromName during static initialisation.
struct ClassRegistration {
    explicit ClassRegistration(CRuntimeClass* pClass) { CRuntimeClass::Register(pClass); }
};

} // namespace framework

#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    static CRuntimeClass* GetThisClass() {                                                         \
        return &class##class_name;                                                                 \
    }                                                                                              \
    CRuntimeClass* GetRuntimeClass() const override {                                              \
        return &class##class_name;                                                                 \
    }

#define DECLARE_DYNCREATE(class_name)                                                              \
    DECLARE_DYNAMIC(class_name)                                                                    \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name)                                                                 \
    DECLARE_DYNCREATE(class_name)                                                                  \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

// The base's record is reached through its GetThisClass, which resolves to the nearest ancestor
// that declares one.
#define FRAMEWORK_RUNTIME_CLASS(class_name, base_class_name, wSchema, pfnNew)                      \
    CRuntimeClass class_name::class##class_name = {#class_name, int(sizeof(class_name)), wSchema,  \
                                                   pfnNew, &base_class_name::GetThisClass};

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    FRAMEWORK_RUNTIME_CLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                           \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    FRAMEWORK_RUNTIME_CLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)        \
    static const framework::ClassRegistration classRegistration##class_name(                       \
        RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                     \
    CObject* class_name::CreateObject() {                                                          \
        return new class_name;                                                                     \
    }                                                                                              \
    FRAMEWORK_RUNTIME_CLASS(class_name, base_class_name, wSchema, &class_name::CreateObject)       \
    static const framework::ClassRegistration classRegistration##class_name(                       \
        RUNTIME_CLASS(class_name));                                                                \
    [[maybe_unused]] CArchive& operator>>(CArchive& ar, class_name*& pOb) {                        \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                  \
        return ar;                                                                                 \
    }
