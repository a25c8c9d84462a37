// CObject: the root of the framework's class tree: run-time class information and
// serialization.
#pragma once

#include "runtime_class.h"

class CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass() { return &classCObject; }
    virtual CRuntimeClass* GetRuntimeClass() const { return &classCObject; }

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    // Whether objects of the class can go through an archive (IMPLEMENT_SERIAL).
    BOOL IsSerializable() const;
    // Writes the object to a storing archive or reads it from a loading one; the root class
    // has nothing to write.
    virtual void Serialize(CArchive& ar);
};
