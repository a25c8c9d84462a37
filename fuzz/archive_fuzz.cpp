// Loads objects from arbitrary bytes through the archive: an object array of linked points and
// nested nodes, then a string and a loose object. The load may refuse the bytes with
// CArchiveException, but must not crash, hang, leak or read out of bounds.
#include "framework.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>

namespace {

// Every object the loads create, so that each input's objects can be freed exactly once
// whatever references the bytes made between them.
std::set<CObject*>& live_objects() {
    static std::set<CObject*> objects;
    return objects;
}

class CFuzzPoint : public CObject {
    DECLARE_SERIAL(CFuzzPoint)

public:
    CFuzzPoint() { live_objects().insert(this); }
    ~CFuzzPoint() override { live_objects().erase(this); }
    void Serialize(CArchive& ar) override {
        CObject::Serialize(ar);
        if (ar.IsLoading())
            ar >> m_point >> m_nWidth >> m_crColor >> m_pLink;
    }

    CPoint m_point;
    UINT m_nWidth = 0;
    DWORD m_crColor = 0;
    CObject* m_pLink = nullptr; // not owned
};

class CFuzzNode : public CObject {
    DECLARE_SERIAL(CFuzzNode)

public:
    CFuzzNode() { live_objects().insert(this); }
    ~CFuzzNode() override { live_objects().erase(this); }
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) {
            ar >> m_strName;
            m_children.Serialize(ar);
        }
    }

    CString m_strName;
    CObArray m_children; // not owned
};

IMPLEMENT_SERIAL(CFuzzPoint, CObject, 1)
IMPLEMENT_SERIAL(CFuzzNode, CObject, 2)

void free_live_objects() {
    while (!live_objects().empty())
        delete *live_objects().begin();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CMemFile file(data, static_cast<UINT>(size));
    try {
        CArchive ar(&file, CArchive::load);
        CObArray array;
        array.Serialize(ar);
        for (INT_PTR i = 0; i < array.GetSize(); ++i) {
            CObject* pObject = array[i];
            if (pObject && !pObject->IsKindOf(RUNTIME_CLASS(CFuzzPoint)) &&
                !pObject->IsKindOf(RUNTIME_CLASS(CFuzzNode)))
                std::abort(); // the archive made an object of a class nobody asked for
        }
        CString text;
        ar >> text;
        CFuzzPoint* pPoint = nullptr;
        ar >> pPoint;
        if (pPoint && !pPoint->IsKindOf(RUNTIME_CLASS(CFuzzPoint)))
            std::abort();
    } catch (const CArchiveException&) {
        // Refused: the expected outcome for most inputs.
    }
    free_live_objects();
    return 0;
}
