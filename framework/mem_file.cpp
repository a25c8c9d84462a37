#include "mem_file.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(UINT) {}

CMemFile::CMemFile(const BYTE* lpBuffer, UINT nBufferSize, UINT)
    : m_data(lpBuffer, lpBuffer + nBufferSize) {}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
    if (m_nPosition >= m_data.size())
        return 0;
    const size_t count = std::min<size_t>(nCount, m_data.size() - m_nPosition);
    std::memcpy(lpBuf, m_data.data() + m_nPosition, count);
    m_nPosition += count;
    return static_cast<UINT>(count);
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
    if (m_nPosition + nCount > m_data.size())
        m_data.resize(m_nPosition + nCount);
    std::memcpy(m_data.data() + m_nPosition, lpBuf, nCount);
    m_nPosition += nCount;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom) {
    LONGLONG base = 0;
    if (nFrom == current)
        base = static_cast<LONGLONG>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<LONGLONG>(m_data.size());
    const LONGLONG target = base + lOff;
    if (target < 0)
        throw CFileException(CFileException::badSeek, ERROR_NEGATIVE_SEEK);
    m_nPosition = static_cast<size_t>(target);
    return static_cast<LONG>(target);
}

DWORD CMemFile::GetPosition() const {
    return static_cast<DWORD>(m_nPosition);
}

DWORD CMemFile::GetLength() const {
    return static_cast<DWORD>(m_data.size());
}

void CMemFile::SetLength(DWORD dwNewLen) {
    m_data.resize(dwNewLen);
    m_nPosition = std::min<size_t>(m_nPosition, dwNewLen);
}

void CMemFile::Flush() {}

void CMemFile::Close() {
    m_data.clear();
    m_nPosition = 0;
}

void CMemFile::Abort() {
    Close();
}
