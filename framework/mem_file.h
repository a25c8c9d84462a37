// CMemFile: a CFile whose contents live in memory, growing as it is written.
#pragma once

#include "file.h"

#include <vector>

class CMemFile : public CFile {
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // Starts with a copy of the buffer's bytes, positioned at the beginning.
    CMemFile(const BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override;
    DWORD GetLength() const override;
    void SetLength(DWORD dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

private:
    std::vector<BYTE> m_data;
    size_t m_nPosition = 0;
};
