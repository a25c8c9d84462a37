#pragma once

#include "gdi/region.h" // comparing RECTs
#include "windows.h"

#include <gtest/gtest.h>

#include <string>

// A small memory context with a 32-bpp colour bitmap selected, filled with one colour, for
// tests that paint and then check every pixel.
class TestCanvas {
public:
    TestCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_width(width), m_height(height) {
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateBitmap(width, height, 1, 32, nullptr);
        m_previous = SelectObject(m_dc, m_bitmap);
        clear(fill);
    }
    ~TestCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void clear(COLORREF color) {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                SetPixel(m_dc, x, y, color);
    }
    // The pixel at device coordinates, whatever mapping and clipping the test set up.
    COLORREF at(int x, int y) const {
        SaveDC(m_dc);
        SetMapMode(m_dc, MM_TEXT);
        SetViewportOrgEx(m_dc, 0, 0, nullptr);
        SetWindowOrgEx(m_dc, 0, 0, nullptr);
        SelectClipRgn(m_dc, nullptr);
        const COLORREF color = GetPixel(m_dc, x, y);
        RestoreDC(m_dc, -1);
        return color;
    }

    // The canvas as text, one character a pixel: '.' for `background`, '#' for anything else.
    std::string picture(COLORREF background) const {
        std::string text;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                text += at(x, y) == background ? '.' : '#';
            text += '\n';
        }
        return text;
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};
