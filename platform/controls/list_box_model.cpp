#include "list_box_model.h"

#include <algorithm>
#include <strings.h>

namespace mullion {

namespace {

int compare_without_case(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    if (const int order = strncasecmp(a.data(), b.data(), common))
        return order;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool starts_without_case(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

} // namespace

int ListBoxModel::add(std::string_view text) {
    if (!m_sorted)
        return insert(-1, text);
    const auto position = std::upper_bound(m_items.begin(), m_items.end(), text,
                                           [](std::string_view value, const Item& item) {
                                               return compare_without_case(value, item.text) < 0;
                                           });
    return insert(int(position - m_items.begin()), text);
}

int ListBoxModel::insert(int index, std::string_view text) {
    if (index == -1)
        index = count();
    if (index < 0 || index > count())
        return LB_ERR;
    m_items.insert(m_items.begin() + index, Item{std::string(text), 0});
    if (m_selection >= index)
        ++m_selection;
    if (m_caret >= index && count() > 1)
        ++m_caret;
    return index;
}

void ListBoxModel::remove(int index) {
    m_items.erase(m_items.begin() + index);
    if (m_selection == index)
        m_selection = -1;
    else if (m_selection > index)
        --m_selection;
    if (m_caret > index || m_caret >= count())
        m_caret = std::max(0, m_caret - 1);
    m_top = std::clamp(m_top, 0, std::max(0, count() - 1));
}

void ListBoxModel::clear() {
    m_items.clear();
    m_selection = -1;
    m_caret = 0;
    m_top = 0;
}

int ListBoxModel::find(std::string_view text, int start, bool exact) const {
    const int total = count();
    if (total == 0)
        return LB_ERR;
    const int first = valid(start) ? start + 1 : 0;
    for (int step = 0; step < total; ++step) {
        const int index = (first + step) % total;
        const std::string& candidate = m_items[size_t(index)].text;
        if (exact ? compare_without_case(candidate, text) == 0
                  : starts_without_case(candidate, text))
            return index;
    }
    return LB_ERR;
}

bool ListBoxModel::select(int index) {
    if (!valid(index))
        index = -1;
    if (index >= 0)
        m_caret = index;
    if (index == m_selection)
        return false;
    m_selection = index;
    return true;
}

void ListBoxModel::set_caret(int index) {
    if (valid(index))
        m_caret = index;
}

void ListBoxModel::set_top(int index, int page) {
    const int last_top = std::max(0, count() - std::max(1, page));
    m_top = std::clamp(index, 0, last_top);
}

void ListBoxModel::reveal(int index, int page) {
    if (!valid(index))
        return;
    page = std::max(1, page);
    if (index < m_top)
        m_top = index;
    else if (index >= m_top + page)
        m_top = index - page + 1;
}

} // namespace mullion
