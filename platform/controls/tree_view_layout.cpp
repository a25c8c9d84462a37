#include "tree_view_layout.h"

#include "tree_view_control.h"

#include <algorithm>

namespace mullion {

TreeViewLayout::TreeViewLayout(HWND hwnd, const TreeViewState& state)
    : m_hwnd(hwnd), m_dc(GetDC(hwnd)), m_font(tree_view_font(state)),
      m_previous_font(SelectObject(m_dc, m_font)), m_top(state.top), m_left(state.left),
      m_indent(state.indent > 0 ? state.indent : default_indent) {
    GetClientRect(hwnd, &m_client);
    const DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
    m_root_column = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    if (state.normal_images)
        ImageList_GetIconSize(state.normal_images, &m_image_width, &m_image_height);
    TEXTMETRICA metrics{};
    GetTextMetricsA(m_dc, &metrics);
    m_text_height = metrics.tmHeight;
    m_item_height = state.fixed_item_height > 0 ? state.fixed_item_height
                                                : std::max(m_text_height + 2, m_image_height);
}

TreeViewLayout::~TreeViewLayout() {
    SelectObject(m_dc, m_previous_font);
    ReleaseDC(m_hwnd, m_dc);
}

int TreeViewLayout::rows_per_page() const {
    return std::max(1, int(m_client.bottom - m_client.top) / m_item_height);
}

RECT TreeViewLayout::row_rect(int row) const {
    const int top = (row - m_top) * m_item_height;
    return RECT{m_client.left, top, m_client.right, top + m_item_height};
}

int TreeViewLayout::button_column(const TreeItem& item) const {
    return TreeViewModel::level(&item) + (m_root_column ? 1 : 0) - 1;
}

int TreeViewLayout::content_left(const TreeItem& item) const {
    return column_left(button_column(item) + 1);
}

int TreeViewLayout::label_left(const TreeItem& item) const {
    return content_left(item) + (has_images() ? m_image_width + image_gap : 0);
}

int TreeViewLayout::text_width(const TreeItem& item, const std::string& text) const {
    if (!item.text_callback && item.measured_width >= 0 && item.measured_font == m_font)
        return item.measured_width;
    SIZE size{0, 0};
    GetTextExtentPoint32A(m_dc, text.c_str(), int(text.size()), &size);
    if (!item.text_callback) {
        item.measured_width = size.cx;
        item.measured_font = m_font;
    }
    return size.cx;
}

RECT TreeViewLayout::label_rect(const TreeItem& item, int row, const std::string& text) const {
    const RECT line = row_rect(row);
    const int left = label_left(item);
    return RECT{left, line.top, left + text_width(item, text) + 2 * label_margin, line.bottom};
}

} // namespace mullion
