#pragma once

#include "gdi_test_canvas.h"
#include "windows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// A font created for one test and selected into a context while the object lives.
class SelectedFont {
public:
    SelectedFont(HDC dc, int height, const char* face, int weight = FW_NORMAL, BOOL italic = FALSE,
                 BOOL underline = FALSE, int width = 0)
        : m_dc(dc) {
        m_font = CreateFontA(height, width, 0, 0, weight, italic, underline, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face);
        m_previous = SelectObject(dc, m_font);
    }
    ~SelectedFont() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_font);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    HFONT handle() const { return m_font; }

private:
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_previous;
};

inline TEXTMETRICA text_metrics(HDC dc) {
    TEXTMETRICA metrics{};
    EXPECT_TRUE(GetTextMetricsA(dc, &metrics));
    return metrics;
}

inline SIZE text_extent(HDC dc, const char* text) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text, int(std::strlen(text)), &size));
    return size;
}

// The smallest rectangle holding every pixel of the canvas that differs from `background`;
// empty (all zero) when nothing does.
inline RECT changed_bounds(const TestCanvas& canvas, COLORREF background) {
    RECT bounds{0, 0, 0, 0};
    bool any = false;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.at(x, y) == background)
                continue;
            if (!any) {
                bounds = RECT{x, y, x + 1, y + 1};
                any = true;
            }
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    }
    return bounds;
}

inline int count_pixels(const TestCanvas& canvas, COLORREF color) {
    int count = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            count += canvas.at(x, y) == color ? 1 : 0;
    return count;
}

inline bool rect_contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline std::string describe(const RECT& r) {
    return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
}
