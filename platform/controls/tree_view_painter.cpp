#include "tree_view_painter.h"

#include "tree_view_control.h"

#include <algorithm>

namespace mullion {

namespace {

void fill(HDC dc, const RECT& rect, int color_index) {
    FillRect(dc, &rect, GetSysColorBrush(color_index));
}

// A colour the program set, or else the system colour.
COLORREF color_or_system(COLORREF set, int color_index) {
    return set == CLR_NONE ? GetSysColor(color_index) : set;
}

} // namespace

TreeViewPainter::TreeViewPainter(HWND hwnd, const TreeViewState& state)
    : m_hwnd(hwnd), m_state(state), m_layout(hwnd, state), m_notifier(hwnd),
      m_style(DWORD(GetWindowLongA(hwnd, GWL_STYLE))), m_line_color(GetSysColor(COLOR_BTNSHADOW)) {}

int TreeViewPainter::column_center(int column) const {
    return m_layout.column_left(column) + m_layout.indent() / 2;
}

void TreeViewPainter::paint(HDC dc) const {
    const int saved = SaveDC(dc);
    HBRUSH background = CreateSolidBrush(color_or_system(m_state.background, COLOR_WINDOW));
    FillRect(dc, &m_layout.client(), background);
    DeleteObject(background);
    SelectObject(dc, tree_view_font(m_state));
    SetBkMode(dc, TRANSPARENT);
    const std::vector<TreeItem*> rows = m_state.model.visible_items();
    const int last = std::min(int(rows.size()), m_state.top + m_layout.rows_per_page() + 1);
    for (int row = std::max(m_state.top, 0); row < last; ++row)
        paint_row(dc, *rows[size_t(row)], row);
    RestoreDC(dc, saved);
}

void TreeViewPainter::paint_row(HDC dc, const TreeItem& item, int row) const {
    const RECT line = m_layout.row_rect(row);
    const TreeItemDisplay shown = m_notifier.display(item);
    if (m_style & TVS_HASLINES)
        paint_lines(dc, item, line);
    const int column = m_layout.button_column(item);
    if ((m_style & TVS_HASBUTTONS) && column >= 0 && shown.has_children)
        paint_button(dc, column_center(column), line.top + m_layout.item_height() / 2,
                     item.expanded());
    if (m_layout.has_images()) {
        const int image = &item == m_state.selected ? shown.selected_image : shown.image;
        const int y = line.top + (m_layout.item_height() - m_layout.image_height()) / 2;
        if (image >= 0)
            ImageList_Draw(m_state.normal_images, image, dc, m_layout.content_left(item), y,
                           ILD_TRANSPARENT);
    }
    paint_label(dc, item, shown, row);
}

void TreeViewPainter::dotted_vertical(HDC dc, int x, int top, int bottom) const {
    const int offset = m_state.top * m_layout.item_height();
    for (int y = top; y < bottom; ++y)
        if (on_dot(x + m_state.left, y + offset))
            SetPixel(dc, x, y, m_line_color);
}

void TreeViewPainter::dotted_horizontal(HDC dc, int y, int left, int right) const {
    const int offset = m_state.top * m_layout.item_height();
    for (int x = left; x < right; ++x)
        if (on_dot(x + m_state.left, y + offset))
            SetPixel(dc, x, y, m_line_color);
}

// An item's own column holds a line from its parent's line (or, for the first top-level item,
// from its middle) to its middle, going on down when a sibling follows, and a line across to
// its image. Each ancestor with a sibling still to come passes a line straight through the row.
void TreeViewPainter::paint_lines(HDC dc, const TreeItem& item, const RECT& line) const {
    const int column = m_layout.button_column(item);
    if (column < 0)
        return;
    const int middle = line.top + m_layout.item_height() / 2;
    const int center = column_center(column);
    const bool first_at_top =
        TreeViewModel::level(&item) == 0 && !TreeViewModel::previous_sibling(&item);
    const bool sibling_follows = TreeViewModel::next_sibling(&item) != nullptr;
    dotted_vertical(dc, center, first_at_top ? middle : int(line.top),
                    sibling_follows ? int(line.bottom) : middle + 1);
    dotted_horizontal(dc, middle, center, m_layout.column_left(column + 1));
    for (const TreeItem* ancestor = m_state.model.parent_of(&item); ancestor;
         ancestor = m_state.model.parent_of(ancestor)) {
        const int ancestor_column = m_layout.button_column(*ancestor);
        if (ancestor_column >= 0 && TreeViewModel::next_sibling(ancestor))
            dotted_vertical(dc, column_center(ancestor_column), line.top, line.bottom);
    }
}

// A square framed in the shadow colour with a minus inside, and a plus while collapsed.
void TreeViewPainter::paint_button(HDC dc, int center_x, int center_y, bool expanded) const {
    const int half = TreeViewLayout::button_half;
    const RECT box{center_x - half, center_y - half, center_x + half + 1, center_y + half + 1};
    fill(dc, box, COLOR_WINDOW);
    FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
    const int arm = half - 2;
    fill(dc, RECT{center_x - arm, center_y, center_x + arm + 1, center_y + 1}, COLOR_WINDOWTEXT);
    if (!expanded)
        fill(dc, RECT{center_x, center_y - arm, center_x + 1, center_y + arm + 1},
             COLOR_WINDOWTEXT);
}

// The selected label is filled with the highlight colour while the control has the focus, and
// with the 3-D face colour while it does not if TVS_SHOWSELALWAYS asks to keep it visible.
void TreeViewPainter::paint_label(HDC dc, const TreeItem& item, const TreeItemDisplay& shown,
                                  int row) const {
    const RECT label = m_layout.label_rect(item, row, shown.text);
    const bool selected = &item == m_state.selected;
    const bool highlighted = (selected && m_state.focused) || &item == m_state.drop_target;
    COLORREF text_color = IsWindowEnabled(m_hwnd)
                              ? color_or_system(m_state.text_color, COLOR_WINDOWTEXT)
                              : GetSysColor(COLOR_GRAYTEXT);
    if (highlighted) {
        fill(dc, label, COLOR_HIGHLIGHT);
        text_color = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (selected && (m_style & TVS_SHOWSELALWAYS)) {
        fill(dc, label, COLOR_BTNFACE);
    }
    SetTextColor(dc, text_color);
    const int y = label.top + (m_layout.item_height() - m_layout.text_height()) / 2;
    TextOutA(dc, label.left + TreeViewLayout::label_margin, y, shown.text.c_str(),
             int(shown.text.size()));
    if (selected && m_state.focused)
        DrawFocusRect(dc, &label);
}

} // namespace mullion
