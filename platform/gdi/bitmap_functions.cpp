// Bitmap creation and device-independent access: CreateBitmap, CreateCompatibleBitmap,
// CreateDIBSection, GetDIBits, SetDIBits, GetDIBColorTable, SetDIBColorTable.
#include "bitmap.h"
#include "device_context.h"
#include "palette.h"

#include <algorithm>
#include <cstring>
#include <vector>

using namespace mullion;

namespace {

std::shared_ptr<DeviceContext> dc_of(HDC hdc) {
    return HandleTable::instance().get<DeviceContext>(hdc);
}

HBITMAP insert_bitmap(std::shared_ptr<Bitmap> bitmap) {
    return static_cast<HBITMAP>(HandleTable::instance().insert(std::move(bitmap)));
}

bool supported_depth(int depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

// The colour table a bitmap's pixels are reported with at a given depth.
std::vector<RGBQUAD> reported_colors(const Bitmap& bitmap, int depth) {
    if (const DibFormat* format = bitmap.dib_format(); format && format->bits_per_pixel() == depth)
        return format->colors();
    return DibFormat::default_colors(depth);
}

// Image row (0 = top) of scan line `scan` of a DIB `height` rows high.
int image_row(int scan, int height, bool top_down) {
    return top_down ? scan : height - 1 - scan;
}

} // namespace

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                            const void* lpBits) {
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1 || !supported_depth(int(nBitCount)))
        return nullptr;
    if (nWidth == 0 || nHeight == 0)
        return default_bitmap();
    const bool monochrome = nBitCount == 1;
    auto bitmap = std::make_shared<Bitmap>(
        nWidth, nHeight, monochrome ? Bitmap::Depth::Monochrome : Bitmap::Depth::Color);
    if (lpBits) {
        // Device bitmap rows are top-down and WORD-aligned.
        const DibFormat layout(nWidth, nHeight, int(nBitCount), true,
                               DibFormat::default_colors(int(nBitCount)), 2);
        const uint8_t* bits = static_cast<const uint8_t*>(lpBits);
        std::vector<uint32_t> row(static_cast<size_t>(nWidth));
        for (int y = 0; y < nHeight; ++y) {
            layout.read_row(bits + layout.row_offset(y), 0, nWidth, row.data());
            bitmap->write_span(0, y, nWidth, row.data());
        }
    }
    return insert_bitmap(bitmap);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    auto dc = dc_of(hdc);
    if (!dc || cx < 0 || cy < 0)
        return nullptr;
    if (cx == 0 || cy == 0)
        return default_bitmap();
    if (const Bitmap* selected = dc->target_bitmap()) {
        // A DIB section selected makes another DIB section of its format; a monochrome
        // bitmap (a new memory context's default) makes a monochrome bitmap.
        if (const DibFormat* format = selected->dib_format()) {
            return insert_bitmap(std::make_shared<Bitmap>(
                DibFormat(cx, cy, format->bits_per_pixel(), format->top_down(), format->colors())));
        }
        if (selected->monochrome())
            return insert_bitmap(std::make_shared<Bitmap>(cx, cy, Bitmap::Depth::Monochrome));
    }
    return insert_bitmap(std::make_shared<Bitmap>(cx, cy, Bitmap::Depth::Color));
}

HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE,
                                DWORD) {
    auto dc = hdc ? dc_of(hdc) : nullptr;
    auto format = DibFormat::from_info(pbmi, usage, dc ? dc->state.palette.get() : nullptr);
    if (ppvBits)
        *ppvBits = nullptr;
    if (!format)
        return nullptr;
    auto bitmap = std::make_shared<Bitmap>(std::move(*format));
    if (ppvBits)
        *ppvBits = bitmap->dib_bits();
    return insert_bitmap(bitmap);
}

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits,
                     LPBITMAPINFO lpbmi, UINT usage) {
    auto dc = dc_of(hdc);
    auto bitmap = HandleTable::instance().get<Bitmap>(hbm);
    if (!dc || !bitmap || !lpbmi || lpbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (!lpvBits && header.biBitCount == 0) {
        // Describe the bitmap itself.
        header.biWidth = bitmap->width();
        header.biHeight = bitmap->height();
        header.biPlanes = 1;
        header.biBitCount = WORD(bitmap->bits_per_pixel());
        header.biCompression = BI_RGB;
        header.biSizeImage = DWORD(
            DibFormat(bitmap->width(), bitmap->height(), header.biBitCount, false).image_size());
        header.biClrUsed = 0;
        header.biClrImportant = 0;
        return bitmap->height();
    }
    if (!supported_depth(header.biBitCount))
        return 0;
    if (header.biBitCount <= 8 && header.biCompression == BI_RGB) {
        // The table goes into the caller's header before the layout is read from it.
        const auto colors = reported_colors(*bitmap, header.biBitCount);
        if (usage == DIB_RGB_COLORS)
            std::copy(colors.begin(), colors.end(), lpbmi->bmiColors);
    }
    auto format = DibFormat::from_info(lpbmi, DIB_RGB_COLORS, nullptr);
    if (!format)
        return 0;
    header.biSizeImage = DWORD(format->image_size());
    if (!lpvBits)
        return bitmap->height();
    const int width = std::min(format->width(), bitmap->width());
    std::vector<uint32_t> row(static_cast<size_t>(std::max(width, 1)));
    uint8_t* bits = static_cast<uint8_t*>(lpvBits);
    int copied = 0;
    for (UINT i = 0; i < cLines; ++i) {
        const int scan = int(start + i);
        if (scan >= format->height())
            break;
        const int y = image_row(scan, format->height(), format->top_down());
        if (y >= bitmap->height())
            continue;
        bitmap->read_span(0, y, width, row.data());
        format->write_row(bits + size_t(i) * format->stride(), 0, width, row.data());
        ++copied;
    }
    return copied;
}

int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits,
                     const BITMAPINFO* lpbmi, UINT ColorUse) {
    auto dc = hdc ? dc_of(hdc) : nullptr;
    auto bitmap = HandleTable::instance().get<Bitmap>(hbm);
    if (!bitmap || !lpBits)
        return 0;
    auto format = DibFormat::from_info(lpbmi, ColorUse, dc ? dc->state.palette.get() : nullptr);
    if (!format)
        return 0;
    const int width = std::min(format->width(), bitmap->width());
    std::vector<uint32_t> row(static_cast<size_t>(width));
    const uint8_t* bits = static_cast<const uint8_t*>(lpBits);
    int copied = 0;
    for (UINT i = 0; i < cLines; ++i) {
        const int scan = int(start + i);
        if (scan >= format->height())
            break;
        const int y = image_row(scan, format->height(), format->top_down());
        if (y >= bitmap->height())
            continue;
        format->read_row(bits + size_t(i) * format->stride(), 0, width, row.data());
        bitmap->write_span(0, y, width, row.data());
        ++copied;
    }
    return copied;
}

UINT WINAPI GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq) {
    auto dc = dc_of(hdc);
    Bitmap* bitmap = dc ? dc->target_bitmap() : nullptr;
    const DibFormat* format = bitmap ? bitmap->dib_format() : nullptr;
    if (!format || !prgbq)
        return 0;
    const auto& colors = format->colors();
    UINT copied = 0;
    for (; copied < cEntries && iStart + copied < colors.size(); ++copied)
        prgbq[copied] = colors[iStart + copied];
    return copied;
}

UINT WINAPI SetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, const RGBQUAD* prgbq) {
    auto dc = dc_of(hdc);
    Bitmap* bitmap = dc ? dc->target_bitmap() : nullptr;
    DibFormat* format = bitmap ? bitmap->dib_format() : nullptr;
    if (!format || !prgbq || iStart >= format->colors().size())
        return 0;
    const UINT count = std::min<UINT>(cEntries, UINT(format->colors().size()) - iStart);
    format->set_colors(iStart, count, prgbq);
    bitmap->load_surface(RECT{0, 0, bitmap->width(), bitmap->height()});
    return count;
}
