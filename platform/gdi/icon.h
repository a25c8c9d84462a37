#pragma once

#include "../kernel/handle_table.h"
#include "windows.h"

namespace mullion {

// An icon or cursor: an AND mask and a colour image (XOR), or for a monochrome icon one mask
// bitmap twice the icon's height holding the AND mask above the XOR image. The bitmaps are
// private copies, freed with the icon.
class Icon : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::Icon;
    ObjectKind kind() const override { return object_kind; }

    Icon(const ICONINFO& info, HBITMAP mask, HBITMAP color, int width, int height)
        : m_info(info), m_mask(mask), m_color(color), m_width(width), m_height(height) {}
    ~Icon() override;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    HBITMAP mask() const { return m_mask; }
    HBITMAP color() const { return m_color; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    const ICONINFO& info() const { return m_info; }

private:
    ICONINFO m_info;
    HBITMAP m_mask;
    HBITMAP m_color;
    int m_width;
    int m_height;
};

} // namespace mullion
