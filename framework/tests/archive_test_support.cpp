#include "archive_test_support.h"

IMPLEMENT_SERIAL(CArchivePoint, CObject, 1)
IMPLEMENT_SERIAL(CArchiveNode, CObject, 1)
IMPLEMENT_SERIAL(CArchiveSchemaTwo, CObject, 2)
IMPLEMENT_SERIAL(CArchiveVersioned, CObject, VERSIONABLE_SCHEMA | 3)

void CArchivePoint::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_x << m_y << m_pLink;
    } else {
        ar >> m_x >> m_y >> m_pLink;
    }
}

void CArchiveNode::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_pChild;
    } else {
        ar >> m_pChild;
    }
}

void CArchiveVersioned::Serialize(CArchive& ar) {
    if (ar.IsLoading())
        m_nLoadedSchema = ar.GetObjectSchema();
}
