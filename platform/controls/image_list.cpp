#include "image_list.h"

#include <algorithm>

namespace mullion {

namespace {

// DSna: keeps the destination where the source is 0 and clears it where the source is 1.
constexpr DWORD clear_where_source_set = 0x00220326;

HBITMAP create_color_strip(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

HBITMAP create_mask_strip(int width, int height) {
    return CreateBitmap(width, height, 1, 1, nullptr);
}

// A memory DC with a bitmap selected for the length of a scope.
class BitmapDC {
public:
    explicit BitmapDC(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr)), m_previous(SelectObject(m_dc, bitmap)) {}
    ~BitmapDC() {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Monochrome sources reach a colour target as text colour (0) and background colour (1): black
// and white keep the mask's meaning in the AND and OR steps.
class MonochromeColors {
public:
    explicit MonochromeColors(HDC dc)
        : m_dc(dc), m_text(SetTextColor(dc, RGB(0, 0, 0))),
          m_back(SetBkColor(dc, RGB(255, 255, 255))) {}
    ~MonochromeColors() {
        SetTextColor(m_dc, m_text);
        SetBkColor(m_dc, m_back);
    }
    MonochromeColors(const MonochromeColors&) = delete;
    MonochromeColors& operator=(const MonochromeColors&) = delete;

private:
    HDC m_dc;
    COLORREF m_text;
    COLORREF m_back;
};

SIZE bitmap_size(HBITMAP bitmap) {
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

} // namespace

ImageList::ImageList(int width, int height, bool masked, int initial, int grow)
    : m_width(width), m_height(height), m_grow(std::max(grow, 1)) {
    m_capacity = std::max(initial, 1);
    m_image = create_color_strip(m_width * m_capacity, m_height);
    if (masked)
        m_mask = create_mask_strip(m_width * m_capacity, m_height);
}

ImageList::~ImageList() {
    DeleteObject(m_image);
    if (m_mask)
        DeleteObject(m_mask);
}

void ImageList::reserve(int more) {
    if (m_count + more <= m_capacity)
        return;
    const int needed = m_count + more;
    const int capacity = std::max(needed, m_capacity + m_grow);
    HBITMAP image = create_color_strip(m_width * capacity, m_height);
    {
        BitmapDC from(m_image), to(image);
        BitBlt(to, 0, 0, m_width * m_count, m_height, from, 0, 0, SRCCOPY);
    }
    DeleteObject(m_image);
    m_image = image;
    if (m_mask) {
        HBITMAP mask = create_mask_strip(m_width * capacity, m_height);
        {
            BitmapDC from(m_mask), to(mask);
            BitBlt(to, 0, 0, m_width * m_count, m_height, from, 0, 0, SRCCOPY);
        }
        DeleteObject(m_mask);
        m_mask = mask;
    }
    m_capacity = capacity;
}

void ImageList::copy_into(HBITMAP strip, HBITMAP source, int at, int images) const {
    BitmapDC from(source), to(strip);
    MonochromeColors colors(to);
    const SIZE size = bitmap_size(source);
    const RECT area{at * m_width, 0, (at + images) * m_width, m_height};
    // Rows the source does not cover stay clear (opaque black with a zero mask).
    PatBlt(to, area.left, area.top, area.right - area.left, area.bottom - area.top, BLACKNESS);
    BitBlt(to, area.left, 0, images * m_width, std::min(int(size.cy), m_height), from, 0, 0,
           SRCCOPY);
}

void ImageList::mask_color(COLORREF transparent, int first, int images) {
    const int left = first * m_width;
    const int width = images * m_width;
    BitmapDC image(m_image), mask(m_mask);
    // A colour source reaches a monochrome target as 1 exactly where it has the source's
    // background colour.
    SetBkColor(image, transparent);
    BitBlt(mask, left, 0, width, m_height, image, left, 0, SRCCOPY);
    MonochromeColors colors(image);
    BitBlt(image, left, 0, width, m_height, mask, left, 0, clear_where_source_set);
}

int ImageList::add(HBITMAP image, HBITMAP mask) {
    const SIZE size = bitmap_size(image);
    const int images = size.cx / m_width;
    if (images <= 0)
        return -1;
    reserve(images);
    const int first = m_count;
    copy_into(m_image, image, first, images);
    if (m_mask) {
        if (mask) {
            copy_into(m_mask, mask, first, images);
            BitmapDC colors_dc(m_image), mask_dc(m_mask);
            MonochromeColors colors(colors_dc);
            BitBlt(colors_dc, first * m_width, 0, images * m_width, m_height, mask_dc,
                   first * m_width, 0, clear_where_source_set);
        } else {
            BitmapDC mask_dc(m_mask);
            PatBlt(mask_dc, first * m_width, 0, images * m_width, m_height, BLACKNESS);
        }
    }
    m_count += images;
    return first;
}

int ImageList::add_masked(HBITMAP image, COLORREF transparent) {
    const int first = add(image, nullptr);
    if (first >= 0 && m_mask)
        mask_color(transparent, first, m_count - first);
    return first;
}

bool ImageList::remove(int index) {
    if (index == -1) {
        m_count = 0;
        return true;
    }
    if (index < 0 || index >= m_count)
        return false;
    const int after = m_count - index - 1;
    for (HBITMAP strip : {m_image, m_mask}) {
        if (!strip)
            continue;
        BitmapDC dc(strip);
        BitBlt(dc, index * m_width, 0, after * m_width, m_height, dc, (index + 1) * m_width, 0,
               SRCCOPY);
    }
    --m_count;
    return true;
}

bool ImageList::draw(int index, HDC target, int x, int y, UINT style) const {
    if (index < 0 || index >= m_count || !target)
        return false;
    const int left = index * m_width;
    BitmapDC image(m_image);
    if (!m_mask || (style & ILD_IMAGE)) {
        BitBlt(target, x, y, m_width, m_height, image, left, 0, SRCCOPY);
        return true;
    }
    BitmapDC mask(m_mask);
    MonochromeColors colors(target);
    if (style & ILD_MASK) {
        BitBlt(target, x, y, m_width, m_height, mask, left, 0, SRCCOPY);
        return true;
    }
    const bool transparent = (style & ILD_TRANSPARENT) || m_background == CLR_NONE;
    if (!transparent) {
        // ILD_NORMAL with a background colour: the transparent pixels take that colour.
        HBRUSH brush = CreateSolidBrush(m_background);
        const RECT area{x, y, x + m_width, y + m_height};
        FillRect(target, &area, brush);
        DeleteObject(brush);
    }
    BitBlt(target, x, y, m_width, m_height, mask, left, 0, SRCAND);
    BitBlt(target, x, y, m_width, m_height, image, left, 0, SRCPAINT);
    return true;
}

} // namespace mullion
