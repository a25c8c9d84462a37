// CObArray: an ordered array of CObject pointers that grows by a step. The array does not own
// the objects.
#pragma once

#include "object.h"

#include <vector>

class CObArray : public CObject {
    DECLARE_SERIAL(CObArray)

public:
    CObArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    // New elements are null. nGrowBy (when not -1) is the number of elements the storage grows
    // by when it must grow.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    CObject* GetAt(INT_PTR nIndex) const { return m_data[static_cast<size_t>(nIndex)]; }
    void SetAt(INT_PTR nIndex, CObject* newElement) {
        m_data[static_cast<size_t>(nIndex)] = newElement;
    }
    CObject*& ElementAt(INT_PTR nIndex) { return m_data[static_cast<size_t>(nIndex)]; }
    CObject* const* GetData() const { return m_data.data(); }
    CObject** GetData() { return m_data.data(); }
    CObject* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    CObject*& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }

    // Sets the element, growing the array (with null elements) when nIndex is beyond its end.
    void SetAtGrow(INT_PTR nIndex, CObject* newElement);
    // Returns the new element's index.
    INT_PTR Add(CObject* newElement);
    INT_PTR Append(const CObArray& src);
    void Copy(const CObArray& src);
    void InsertAt(INT_PTR nIndex, CObject* newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    // The element count (CArchive::WriteCount), then each element as an object record.
    // Loading replaces the elements; the caller owns the objects read.
    void Serialize(CArchive& ar) override;

private:
    void Reserve(size_t nSize);

    std::vector<CObject*> m_data;
    INT_PTR m_nGrowBy = -1;
};
