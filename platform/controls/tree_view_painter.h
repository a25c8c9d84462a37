#pragma once

#include "tree_view_layout.h"
#include "tree_view_notifier.h"

#include "windows.h"

namespace mullion {

struct TreeViewState;

// Draws a tree view's rows: the dotted lines that join items to their parents and siblings
// (TVS_HASLINES), the boxed plus or minus of items with children (TVS_HASBUTTONS), each item's
// image and its label, the selected one highlighted.
class TreeViewPainter {
public:
    TreeViewPainter(HWND hwnd, const TreeViewState& state);

    void paint(HDC dc) const;

    // The lines' dots lie where the sum of the coordinates (counted from the first row's top
    // left corner, so they stay put while scrolling) is even.
    static bool on_dot(int x, int content_y) { return ((x + content_y) & 1) == 0; }

private:
    void paint_row(HDC dc, const TreeItem& item, int row) const;
    void paint_lines(HDC dc, const TreeItem& item, const RECT& line) const;
    void paint_button(HDC dc, int center_x, int center_y, bool expanded) const;
    void paint_label(HDC dc, const TreeItem& item, const TreeItemDisplay& shown, int row) const;
    void dotted_vertical(HDC dc, int x, int top, int bottom) const;
    void dotted_horizontal(HDC dc, int y, int left, int right) const;
    int column_center(int column) const;

    HWND m_hwnd;
    const TreeViewState& m_state;
    TreeViewLayout m_layout;
    TreeViewNotifier m_notifier;
    DWORD m_style;
    COLORREF m_line_color;
};

} // namespace mullion
