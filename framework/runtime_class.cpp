#include "runtime_class.h"

#include "archive.h"
#include "object.h"

#include <cstring>
#include <vector>

namespace {

std::vector<CRuntimeClass*>& registered_classes() {
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

// Longer names are refused on loading: no class of a program is named like this, and the
// limit keeps a damaged archive from asking for a huge buffer.
const UINT kMaxClassNameLength = 64;

} // namespace

CRuntimeClass CObject::classCObject = {"CObject", int(sizeof(CObject)), 0xFFFF, nullptr, nullptr};

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const {
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* pClass = this; pClass; pClass = pClass->GetBaseClass()) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

void CRuntimeClass::Register(CRuntimeClass* pClass) {
    registered_classes().push_back(pClass);
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    for (CRuntimeClass* pClass : registered_classes()) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const {
    const auto length = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
    WORD schema = 0;
    WORD length = 0;
    ar >> schema >> length;
    *pwSchemaNum = schema;
    if (length == 0 || length > kMaxClassNameLength)
        return nullptr;
    char name[kMaxClassNameLength + 1] = {};
    if (ar.Read(name, length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return FromName(name);
}
