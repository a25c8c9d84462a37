// Icons: CreateIconIndirect, GetIconInfo, DestroyIcon, DrawIcon, DrawIconEx.
#include "icon.h"
#include "bitmap.h"

#include <vector>

namespace mullion {

Icon::~Icon() {
    HandleTable::instance().remove(m_mask);
    if (m_color)
        HandleTable::instance().remove(m_color);
}

} // namespace mullion

using namespace mullion;

namespace {

// A device bitmap with the same pixels: monochrome or colour as asked.
HBITMAP copy_bitmap(const Bitmap& source, Bitmap::Depth depth) {
    auto copy = std::make_shared<Bitmap>(source.width(), source.height(), depth);
    std::vector<uint32_t> row(static_cast<size_t>(source.width()));
    for (int y = 0; y < source.height(); ++y) {
        source.read_span(0, y, source.width(), row.data());
        copy->write_span(0, y, source.width(), row.data());
    }
    return static_cast<HBITMAP>(HandleTable::instance().insert(copy));
}

} // namespace

HICON WINAPI CreateIconIndirect(PICONINFO piconinfo) {
    if (!piconinfo)
        return nullptr;
    auto& table = HandleTable::instance();
    auto mask = table.get<Bitmap>(piconinfo->hbmMask);
    auto color = piconinfo->hbmColor ? table.get<Bitmap>(piconinfo->hbmColor) : nullptr;
    if (!mask || (piconinfo->hbmColor && !color))
        return nullptr;
    const int width = mask->width();
    const int height = color ? mask->height() : mask->height() / 2;
    if (width <= 0 || height <= 0)
        return nullptr;
    HBITMAP mask_copy = copy_bitmap(*mask, Bitmap::Depth::Monochrome);
    HBITMAP color_copy = color ? copy_bitmap(*color, Bitmap::Depth::Color) : nullptr;
    auto icon = std::make_shared<Icon>(*piconinfo, mask_copy, color_copy, width, height);
    return static_cast<HICON>(table.insert(icon));
}

BOOL WINAPI GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
    auto icon = HandleTable::instance().get<Icon>(hIcon);
    if (!icon || !piconinfo)
        return FALSE;
    // The caller owns the bitmaps it gets and deletes them.
    auto& table = HandleTable::instance();
    *piconinfo = icon->info();
    piconinfo->hbmMask = copy_bitmap(*table.get<Bitmap>(icon->mask()), Bitmap::Depth::Monochrome);
    piconinfo->hbmColor = icon->color()
                              ? copy_bitmap(*table.get<Bitmap>(icon->color()), Bitmap::Depth::Color)
                              : nullptr;
    return TRUE;
}

BOOL WINAPI DestroyIcon(HICON hIcon) {
    if (!HandleTable::instance().get<Icon>(hIcon) || HandleTable::instance().is_permanent(hIcon))
        return FALSE;
    return HandleTable::instance().remove(hIcon) ? TRUE : FALSE;
}

BOOL WINAPI DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT,
                       HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
    auto icon = HandleTable::instance().get<Icon>(hIcon);
    if (!icon || !GetObjectType(hdc))
        return FALSE;
    const int width = cxWidth ? cxWidth : icon->width();
    const int height = cyWidth ? cyWidth : icon->height();
    if (hbrFlickerFreeDraw) {
        const RECT area{xLeft, yTop, xLeft + width, yTop + height};
        FillRect(hdc, &area, hbrFlickerFreeDraw);
    }
    const UINT flags = diFlags & DI_NORMAL ? diFlags : DI_NORMAL;
    HDC source = CreateCompatibleDC(hdc);
    // The monochrome mask must expand to black (0) and white (1) whatever the colours are.
    const COLORREF text = SetTextColor(hdc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(hdc, RGB(255, 255, 255));
    HGDIOBJ previous = SelectObject(source, icon->mask());
    const int w = icon->width(), h = icon->height();
    if (flags & DI_MASK)
        StretchBlt(hdc, xLeft, yTop, width, height, source, 0, 0, w, h, SRCAND);
    if (flags & DI_IMAGE) {
        // The image is XORed onto what the mask left; drawn alone it is copied.
        const DWORD rop = (flags & DI_MASK) ? SRCINVERT : SRCCOPY;
        if (icon->color()) {
            SelectObject(source, icon->color());
            StretchBlt(hdc, xLeft, yTop, width, height, source, 0, 0, w, h, rop);
        } else {
            StretchBlt(hdc, xLeft, yTop, width, height, source, 0, h, w, h, rop);
        }
    }
    SelectObject(source, previous);
    DeleteDC(source);
    SetTextColor(hdc, text);
    SetBkColor(hdc, background);
    return TRUE;
}

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL);
}
