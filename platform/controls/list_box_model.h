#pragma once

#include "windows.h"

#include <string>
#include <string_view>
#include <vector>

namespace mullion {

// The items of a single-selection list box and its selection, caret and top index, kept
// consistent as items come and go. Knows nothing of windows: the control asks it and draws.
class ListBoxModel {
public:
    struct Item {
        std::string text;
        ULONG_PTR data = 0;
    };

    explicit ListBoxModel(bool sorted = false) : m_sorted(sorted) {}

    int count() const { return int(m_items.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    const Item& item(int index) const { return m_items[size_t(index)]; }
    void set_data(int index, ULONG_PTR data) { m_items[size_t(index)].data = data; }

    // A sorted list inserts after the items that compare equal or less without regard to
    // case; an unsorted one appends. Returns the new item's index.
    int add(std::string_view text);
    // Inserts at `index`, or appends for -1; LB_ERR for an index past the end.
    int insert(int index, std::string_view text);
    // Removes the item; the selection is dropped if it was the item and follows otherwise.
    void remove(int index);
    void clear();

    // The first item at or after `start + 1` (wrapping) whose text begins with `prefix`, or
    // equals it for an exact search, without regard to case; LB_ERR when none.
    int find(std::string_view text, int start, bool exact) const;

    int selection() const { return m_selection; }
    // Selects the item (or nothing for -1) and moves the caret to it; false when unchanged.
    bool select(int index);
    int caret() const { return m_caret; }
    void set_caret(int index);

    int top() const { return m_top; }
    // Sets the first visible item, clamped so that a full page stays in use where possible.
    void set_top(int index, int page);
    // Scrolls the least needed for `index` to lie within a page of `page` items.
    void reveal(int index, int page);

private:
    std::vector<Item> m_items;
    bool m_sorted = false;
    int m_selection = -1;
    int m_caret = 0;
    int m_top = 0;
};

} // namespace mullion
