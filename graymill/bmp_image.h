// CBmpImage: the checked contents of a ".bmp" file, ready to become a device-independent
// section. Parse never trusts the file: every size and offset is checked against the bytes
// present, and a file it cannot show is refused with a reason a user can read.
#pragma once

#include "framework.h"

#include <cstddef>
#include <vector>

class CBmpImage {
public:
    // Largest width or height accepted; keeps the pixel store of a hostile header bounded.
    static constexpr LONG kMaxDimension = 16384;

    // Takes apart the bytes of a whole file: file header, info header, colour table, pixels.
    // Returns FALSE and sets GetError() when the bytes are not a bitmap this program shows.
    BOOL Parse(const BYTE* pData, size_t nSize);

    const CString& GetError() const { return m_strError; }
    LONG GetWidth() const { return m_header.biWidth; }
    // Negative for rows stored top-down, as in the file.
    LONG GetHeight() const { return m_header.biHeight; }
    WORD GetBitCount() const { return m_header.biBitCount; }
    // Entries of the colour table (0 for images without one).
    DWORD GetColorCount() const { return DWORD(m_colors.size()); }
    const RGBQUAD& GetColor(DWORD nIndex) const { return m_colors[nIndex]; }
    const std::vector<BYTE>& GetBits() const { return m_bits; }

    // A new device-independent section holding the image; null when it cannot be made.
    HBITMAP CreateSection() const;

private:
    BOOL Fail(LPCTSTR lpszReason);

    BITMAPINFOHEADER m_header{};
    std::vector<RGBQUAD> m_colors;
    std::vector<BYTE> m_bits;
    CString m_strError;
};
