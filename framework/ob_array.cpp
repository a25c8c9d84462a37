#include "ob_array.h"

#include "archive.h"

#include <algorithm>

IMPLEMENT_SERIAL(CObArray, CObject, 0)

void CObArray::Reserve(size_t nSize) {
    if (nSize <= m_data.capacity())
        return;
    if (m_nGrowBy > 0) {
        const size_t step = static_cast<size_t>(m_nGrowBy);
        m_data.reserve((nSize + step - 1) / step * step);
    } else {
        m_data.reserve(std::max(nSize, m_data.capacity() * 2));
    }
}

void CObArray::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
    if (nGrowBy != -1)
        m_nGrowBy = nGrowBy;
    Reserve(static_cast<size_t>(nNewSize));
    m_data.resize(static_cast<size_t>(nNewSize), nullptr);
}

void CObArray::FreeExtra() {
    m_data.shrink_to_fit();
}

void CObArray::RemoveAll() {
    m_data.clear();
}

void CObArray::SetAtGrow(INT_PTR nIndex, CObject* newElement) {
    if (nIndex >= GetSize())
        SetSize(nIndex + 1);
    SetAt(nIndex, newElement);
}

INT_PTR CObArray::Add(CObject* newElement) {
    Reserve(m_data.size() + 1);
    m_data.push_back(newElement);
    return GetUpperBound();
}

INT_PTR CObArray::Append(const CObArray& src) {
    const INT_PTR first = GetSize();
    Reserve(m_data.size() + src.m_data.size());
    m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
    return first;
}

void CObArray::Copy(const CObArray& src) {
    if (&src != this)
        m_data = src.m_data;
}

void CObArray::InsertAt(INT_PTR nIndex, CObject* newElement, INT_PTR nCount) {
    if (nIndex > GetSize())
        SetSize(nIndex);
    Reserve(m_data.size() + static_cast<size_t>(nCount));
    m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
}

void CObArray::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}

void CObArray::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_data.size()));
        for (CObject* element : m_data)
            ar << element;
        return;
    }
    // Elements are added as they arrive, so that a damaged count cannot reserve memory the
    // data does not back.
    const DWORD count = ar.ReadCount();
    m_data.clear();
    for (DWORD i = 0; i < count; ++i)
        m_data.push_back(ar.ReadObject(nullptr));
}
