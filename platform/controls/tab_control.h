#pragma once

#include "windows.h"

#include <string>
#include <vector>

namespace mullion {

struct TabItem {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

// The "SysTabControl32" class: one row of tabs above a display area framed in 3-D. Each control
// keeps a TabState in its first extra bytes.
struct TabState {
    HFONT font = nullptr;
    std::vector<TabItem> items;
    int selected = -1;
    bool focused = false;
};

// The geometry of a tab control of a given width with the given item texts: each tab is as
// wide as its text in the control's font plus a fixed padding, all tabs share one row whose
// height follows the font, and the display area lies inside the frame below the row.
class TabLayout {
public:
    TabLayout(HWND hwnd, const TabState& state);

    const std::vector<RECT>& item_rects() const { return m_item_rects; }
    // The bottom of the tab row, where the frame of the display area begins.
    int row_bottom() const { return m_row_bottom; }
    // The item under a client point, or -1.
    int hit_test(POINT point) const;

    // The margin between the control's edges and its display area, on the sides and bottom.
    static constexpr int frame_margin = 4;
    // The space above the row, where the selected tab rises.
    static constexpr int top_margin = 2;
    static constexpr int horizontal_padding = 6;
    static constexpr int vertical_padding = 3;

private:
    std::vector<RECT> m_item_rects;
    int m_row_bottom = 0;
};

LRESULT CALLBACK tab_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
