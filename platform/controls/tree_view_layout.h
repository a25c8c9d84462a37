#pragma once

#include "tree_view_model.h"

#include "windows.h"

#include <string>

namespace mullion {

struct TreeViewState;

// Where a tree view's parts lie. Rows are item_height() pixels high, the first shown row at the
// top of the client area. Each level of the tree moves an item one indent to the right; with
// TVS_LINESATROOT (and lines or buttons) top-level items get a column of their own for their
// lines and button, as every deeper item has in the column of its parent. In an item's row, its
// button (and the ends of its lines) sit in that column, then comes its image from the normal
// image list, a small gap, and its label: the text with a margin on either side.
class TreeViewLayout {
public:
    TreeViewLayout(HWND hwnd, const TreeViewState& state);
    ~TreeViewLayout();
    TreeViewLayout(const TreeViewLayout&) = delete;
    TreeViewLayout& operator=(const TreeViewLayout&) = delete;

    // The font's character cell plus one pixel above and below, and at least the images'
    // height; or the height set with TVM_SETITEMHEIGHT.
    int item_height() const { return m_item_height; }
    int indent() const { return m_indent; }
    // How many whole rows fit in the client area (at least 1).
    int rows_per_page() const;
    const RECT& client() const { return m_client; }
    // The font's character cell height, for centring text in a row.
    int text_height() const { return m_text_height; }

    // The row's rectangle across the whole client width, for a row counted from the first item.
    RECT row_rect(int row) const;
    // The column holding an item's button and line ends, counted from the left; -1 for a
    // top-level item without a root column.
    int button_column(const TreeItem& item) const;
    // The left edge of a column, after horizontal scrolling.
    int column_left(int column) const { return column * m_indent - m_left; }
    // The left edge of the item's image (or label, without images).
    int content_left(const TreeItem& item) const;
    int label_left(const TreeItem& item) const;
    // The label's rectangle in a given row, for the text shown.
    RECT label_rect(const TreeItem& item, int row, const std::string& text) const;
    // The text's width in the control's font, remembered by the item unless the parent
    // supplies its text.
    int text_width(const TreeItem& item, const std::string& text) const;

    bool has_images() const { return m_image_width > 0; }
    int image_width() const { return m_image_width; }
    int image_height() const { return m_image_height; }

    static constexpr int default_indent = 19;
    static constexpr int minimum_indent = 8;
    static constexpr int image_gap = 3;
    static constexpr int label_margin = 2;
    // The expand button is a square 2 * button_half + 1 pixels wide, centred in its column.
    static constexpr int button_half = 4;

private:
    HWND m_hwnd;
    HDC m_dc;
    HFONT m_font;
    HGDIOBJ m_previous_font;
    RECT m_client{};
    int m_top;
    int m_left;
    int m_indent;
    bool m_root_column;
    int m_image_width = 0;
    int m_image_height = 0;
    int m_text_height = 0;
    int m_item_height = 0;
};

} // namespace mullion
