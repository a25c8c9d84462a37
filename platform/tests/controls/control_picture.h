#pragma once

#include "windows.h"

// A control's client area printed (WM_PRINTCLIENT) into a memory bitmap, for pixel checks that
// do not depend on what covers the control on the screen.
class ControlPicture {
public:
    explicit ControlPicture(HWND control) {
        RECT client;
        GetClientRect(control, &client);
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        SendMessageA(control, WM_PRINTCLIENT, WPARAM(m_dc), PRF_CLIENT);
    }
    ~ControlPicture() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    ControlPicture(const ControlPicture&) = delete;
    ControlPicture& operator=(const ControlPicture&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(m_dc, x, y); }
    int count_in(RECT area, COLORREF color) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += at(x, y) == color;
        return count;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};
