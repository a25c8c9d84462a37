#include "bmp_image.h"

#include <cstring>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr DWORD kInfoHeaderSize = 40;

DWORD ReadDword(const BYTE* p) {
    return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24;
}

WORD ReadWord(const BYTE* p) {
    return WORD(p[0] | p[1] << 8);
}

} // namespace

BOOL CBmpImage::Fail(LPCTSTR lpszReason) {
    m_strError = lpszReason;
    m_colors.clear();
    m_bits.clear();
    return FALSE;
}

BOOL CBmpImage::Parse(const BYTE* pData, size_t nSize) {
    m_strError.Empty();
    if (nSize < kFileHeaderSize + kInfoHeaderSize || pData[0] != 'B' || pData[1] != 'M')
        return Fail("The file is not a bitmap (.bmp) file.");
    const DWORD bitsOffset = ReadDword(pData + 10);
    const BYTE* info = pData + kFileHeaderSize;
    const DWORD headerSize = ReadDword(info);
    // The later header versions extend the 40-byte one; their extra fields only describe
    // colour spaces, which this program does not use.
    if (headerSize < kInfoHeaderSize || headerSize > nSize - kFileHeaderSize)
        return Fail("The bitmap's header is of a kind this program cannot read.");

    m_header.biSize = kInfoHeaderSize;
    m_header.biWidth = LONG(ReadDword(info + 4));
    m_header.biHeight = LONG(ReadDword(info + 8));
    m_header.biPlanes = ReadWord(info + 12);
    m_header.biBitCount = ReadWord(info + 14);
    m_header.biCompression = ReadDword(info + 16);
    m_header.biXPelsPerMeter = LONG(ReadDword(info + 24));
    m_header.biYPelsPerMeter = LONG(ReadDword(info + 28));
    const DWORD colorsUsed = ReadDword(info + 32);

    const WORD bitCount = m_header.biBitCount;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return Fail("The bitmap has an unsupported number of bits per pixel.");
    if (m_header.biCompression != BI_RGB)
        return Fail("Compressed bitmaps are not supported.");
    const LONG width = m_header.biWidth;
    const LONG height = m_header.biHeight;
    if (width <= 0 || width > kMaxDimension || height == 0 || height < -kMaxDimension ||
        height > kMaxDimension || m_header.biPlanes != 1)
        return Fail("The bitmap's size is not valid.");

    // Images of up to 8 bits per pixel index a colour table of at most 2^bits entries; deeper
    // ones may carry a table too, which only gets skipped.
    size_t tableEntries = colorsUsed;
    if (bitCount <= 8) {
        const DWORD maximum = DWORD(1) << bitCount;
        if (colorsUsed > maximum)
            return Fail("The bitmap's colour table is larger than its pixels can use.");
        tableEntries = colorsUsed ? colorsUsed : maximum;
    } else if (colorsUsed > 256) {
        return Fail("The bitmap's colour table is not valid.");
    }
    const size_t tableOffset = kFileHeaderSize + headerSize;
    if (tableEntries * 4 > nSize - tableOffset)
        return Fail("The bitmap file ends inside its colour table.");

    const size_t rows = size_t(height < 0 ? -height : height);
    const size_t stride = (size_t(width) * bitCount + 31) / 32 * 4;
    const size_t bitsSize = stride * rows;
    size_t pixelsAt = tableOffset + tableEntries * 4;
    // A zero offset in the file header means the pixels follow the colour table.
    if (bitsOffset != 0) {
        if (bitsOffset < pixelsAt)
            return Fail("The bitmap's pixels overlap its header.");
        pixelsAt = bitsOffset;
    }
    if (pixelsAt > nSize || bitsSize > nSize - pixelsAt)
        return Fail("The bitmap file ends before all of its pixels.");

    m_header.biSizeImage = DWORD(bitsSize);
    m_header.biClrUsed = bitCount <= 8 ? DWORD(tableEntries) : 0;
    m_header.biClrImportant = 0;
    m_colors.assign(bitCount <= 8 ? tableEntries : 0, RGBQUAD{});
    if (!m_colors.empty())
        std::memcpy(m_colors.data(), pData + tableOffset, m_colors.size() * sizeof(RGBQUAD));
    m_bits.assign(pData + pixelsAt, pData + pixelsAt + bitsSize);
    return TRUE;
}

HBITMAP CBmpImage::CreateSection() const {
    if (m_bits.empty())
        return nullptr;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + m_colors.size() * sizeof(RGBQUAD));
    std::memcpy(info.data(), &m_header, sizeof(BITMAPINFOHEADER));
    if (!m_colors.empty())
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), m_colors.data(),
                    m_colors.size() * sizeof(RGBQUAD));
    void* pBits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()),
                                         DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hBitmap && pBits)
        std::memcpy(pBits, m_bits.data(), m_bits.size());
    return hBitmap;
}
