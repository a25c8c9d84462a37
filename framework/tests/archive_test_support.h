// Support for the archive tests: serializable test classes and helpers that store into and load
// from memory.
#pragma once

#include "framework.h"

#include <cstring>
#include <functional>
#include <vector>

// A point with an optional link to another object, for object graphs.
class CArchivePoint : public CObject {
    DECLARE_SERIAL(CArchivePoint)

public:
    CArchivePoint() = default;
    CArchivePoint(LONG x, LONG y) : m_x(x), m_y(y) {}

    void Serialize(CArchive& ar) override;

    LONG m_x = 0;
    LONG m_y = 0;
    CObject* m_pLink = nullptr; // not owned
};

// A node that owns a child node: nesting without end in a crafted archive.
class CArchiveNode : public CObject {
    DECLARE_SERIAL(CArchiveNode)

public:
    ~CArchiveNode() override { delete m_pChild; }
    void Serialize(CArchive& ar) override;

    CArchiveNode* m_pChild = nullptr;
};

// A class whose stored schema is 2, and one that accepts any older schema.
class CArchiveSchemaTwo : public CObject {
    DECLARE_SERIAL(CArchiveSchemaTwo)
};

class CArchiveVersioned : public CObject {
    DECLARE_SERIAL(CArchiveVersioned)

public:
    void Serialize(CArchive& ar) override;
    UINT m_nLoadedSchema = 0;
};

typedef std::vector<BYTE> Bytes;

inline Bytes StoreBytes(const std::function<void(CArchive&)>& store) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    Bytes bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& load) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// The cause of the archive exception the load raises; -1 when it raises none.
inline int LoadFailure(const Bytes& bytes, const std::function<void(CArchive&)>& load) {
    try {
        LoadBytes(bytes, load);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return -1;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Text(const char* text) {
    return Bytes(text, text + std::strlen(text));
}
