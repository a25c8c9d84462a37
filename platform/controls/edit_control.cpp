// The "Edit" control: the window procedure around the text model and its layout.
#include "edit_control.h"

#include "control_class.h"

#include "../user/system_classes.h"

#include <algorithm>
#include <cstring>

namespace mullion {

namespace {

constexpr int caret_width = 1;
// Tab stops default to every 32 dialog units, that is 8 average characters.
constexpr int default_tab_characters = 8;
// What wParam 0 of EM_SETLIMITTEXT means.
constexpr size_t single_line_maximum = 0x7FFFFFFE;
constexpr size_t multiline_maximum = 0xFFFFFFFF;

bool key_down(int key) {
    return GetKeyState(key) < 0;
}

std::string up_to_line_break(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

size_t character_count(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

} // namespace

EditControl::~EditControl() {
    if (m_measure_dc)
        DeleteDC(m_measure_dc);
}

DWORD EditControl::style() const {
    return DWORD(GetWindowLongA(m_hwnd, GWL_STYLE));
}

bool EditControl::wraps() const {
    // A multi-line control wraps words unless it scrolls horizontally.
    const DWORD s = style();
    return (s & ES_MULTILINE) && !(s & (ES_AUTOHSCROLL | WS_HSCROLL));
}

void EditControl::notify(WORD code) const {
    if (HWND parent = GetParent(m_hwnd))
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hwnd), code),
                     reinterpret_cast<LPARAM>(m_hwnd));
}

// ---- Set-up ----

void EditControl::create(const CREATESTRUCTA& create) {
    m_measure_dc = CreateCompatibleDC(nullptr);
    set_font(nullptr);
    std::string text = create.lpszName ? create.lpszName : "";
    if (!multiline())
        text = up_to_line_break(text);
    m_buffer.set_text(text);
    relayout();
}

void EditControl::set_font(HFONT font) {
    m_font = font;
    SelectObject(m_measure_dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(m_measure_dc, &metrics);
    m_line_height = std::max(1, int(metrics.tmHeight));
    m_average_char_width = std::max(1, int(metrics.tmAveCharWidth));
    HDC dc = m_measure_dc;
    const bool password = (style() & ES_PASSWORD) && !multiline();
    const char mask = m_password_char;
    m_layout.set_measure(
        [dc, password, mask](std::string_view character) {
            SIZE size{0, 0};
            if (password)
                GetTextExtentPoint32A(dc, &mask, 1, &size);
            else
                GetTextExtentPoint32A(dc, character.data(), int(character.size()), &size);
            return int(size.cx);
        },
        m_tab_stop > 0 ? m_tab_stop : default_tab_characters * m_average_char_width);
    update_format_rect();
}

void EditControl::update_format_rect() {
    if (m_format_set_by_program)
        return;
    RECT client{};
    GetClientRect(m_hwnd, &client);
    m_format = client;
    m_format.left += m_left_margin;
    m_format.right = std::max(m_format.left, client.right - m_right_margin);
    if (!multiline()) {
        // One line, centred in the height.
        const int spare = int(client.bottom - client.top) - m_line_height;
        m_format.top = client.top + std::max(0, spare / 2);
        m_format.bottom = m_format.top + m_line_height;
    }
}

void EditControl::relayout() {
    m_layout.set_format(multiline(), wraps() ? int(m_format.right - m_format.left) : 0);
    m_layout.rebuild(m_buffer.text());
    m_first_line = std::min(m_first_line, m_layout.line_count() - 1);
}

// ---- Editing ----

bool EditControl::fits() const {
    const DWORD s = style();
    if (!(s & ES_MULTILINE))
        return (s & ES_AUTOHSCROLL) ||
               m_layout.line(0).width + caret_width <= m_format.right - m_format.left;
    if (s & (ES_AUTOVSCROLL | WS_VSCROLL))
        return true;
    return int(m_layout.line_count()) <= visible_line_count();
}

bool EditControl::replace_selection(std::string text, Source source) {
    const DWORD s = style();
    // Case styles map ASCII letters; other characters pass unchanged.
    for (char& c : text) {
        if ((s & ES_UPPERCASE) && c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        else if ((s & ES_LOWERCASE) && c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    // A single line takes pasted text up to its first line break.
    if (source == Source::Paste && !(s & ES_MULTILINE))
        text = up_to_line_break(text);
    // Without automatic scrolling the text must stay within the visible area.
    const bool bounded =
        (s & ES_MULTILINE) ? !(s & (ES_AUTOVSCROLL | WS_VSCROLL)) : !(s & ES_AUTOHSCROLL);
    EditBuffer before;
    if (bounded)
        before = m_buffer;
    bool truncated = false;
    const auto change =
        m_buffer.replace_selection(text,
                                   source == Source::Typing ? EditBuffer::UndoGrouping::MergeTyping
                                                            : EditBuffer::UndoGrouping::Separate,
                                   truncated);
    if (change.removed == 0 && change.inserted == 0) {
        if (truncated)
            notify(EN_MAXTEXT);
        return false;
    }
    m_layout.update(m_buffer.text(), change.position, change.removed, change.inserted);
    if (bounded && !fits()) {
        m_buffer = before;
        m_layout.rebuild(m_buffer.text());
        notify(EN_MAXTEXT);
        return false;
    }
    if (truncated)
        notify(EN_MAXTEXT);
    changed();
    return true;
}

void EditControl::changed() {
    m_goal_x = -1;
    m_caret_affinity = Affinity::NextLine;
    scroll_caret_into_view();
    update_scroll_bars();
    notify(EN_UPDATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    update_caret();
    notify(EN_CHANGE);
}

void EditControl::delete_backward(bool word) {
    if (read_only())
        return;
    if (m_buffer.has_selection()) {
        clear();
        return;
    }
    const size_t caret = m_buffer.caret();
    if (caret == 0)
        return;
    const size_t start =
        word ? m_buffer.previous_word_start(caret) : m_buffer.previous_position(caret);
    const auto change = m_buffer.erase(start, caret);
    m_layout.update(m_buffer.text(), change.position, change.removed, change.inserted);
    changed();
}

void EditControl::delete_forward() {
    if (read_only())
        return;
    if (m_buffer.has_selection()) {
        clear();
        return;
    }
    const size_t caret = m_buffer.caret();
    if (caret >= m_buffer.length())
        return;
    const auto change = m_buffer.erase(caret, m_buffer.next_position(caret));
    m_layout.update(m_buffer.text(), change.position, change.removed, change.inserted);
    changed();
}

void EditControl::undo() {
    if (read_only() || !m_buffer.can_undo())
        return;
    const auto change = m_buffer.undo();
    m_layout.update(m_buffer.text(), change.position, change.removed, change.inserted);
    changed();
}

void EditControl::set_text(const char* text) {
    m_buffer.set_text(text ? text : "");
    m_first_line = 0;
    m_x_offset = 0;
    m_goal_x = -1;
    m_caret_affinity = Affinity::NextLine;
    relayout();
    update_scroll_bars();
    // A multi-line control does not report text set by its program.
    if (!multiline())
        notify(EN_UPDATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    update_caret();
    if (!multiline())
        notify(EN_CHANGE);
}

void EditControl::type_byte(unsigned char byte) {
    std::string typed;
    if (byte >= 0x80) {
        // Characters beyond ASCII arrive one UTF-8 byte per message.
        if ((byte & 0xC0) == 0xC0)
            m_pending_character.assign(1, char(byte));
        else if (!m_pending_character.empty())
            m_pending_character += char(byte);
        const size_t expected =
            m_pending_character.empty()
                ? 0
                : utf8_sequence_length(static_cast<unsigned char>(m_pending_character[0]));
        if (expected == 0 || m_pending_character.size() < expected)
            return;
        typed = std::move(m_pending_character);
        m_pending_character.clear();
    } else {
        m_pending_character.clear();
        switch (byte) {
        case 0x01: // Ctrl+A
            select(0, m_buffer.length());
            return;
        case 0x03: // Ctrl+C
            copy();
            return;
        case 0x16: // Ctrl+V
            paste();
            return;
        case 0x18: // Ctrl+X
            cut();
            return;
        case 0x1A: // Ctrl+Z
            undo();
            return;
        case '\b':
            delete_backward(false);
            return;
        case 0x7F: // Ctrl+Backspace
            delete_backward(true);
            return;
        case '\r':
        case '\n':
            if (!multiline())
                return;
            typed = "\r\n";
            break;
        case '\t':
            if (!multiline())
                return;
            typed = "\t";
            break;
        default:
            if (byte < 0x20)
                return;
            typed.assign(1, char(byte));
            break;
        }
    }
    const bool digit = typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9';
    if (read_only() || ((style() & ES_NUMBER) && !digit)) {
        MessageBeep(MB_OK);
        return;
    }
    replace_selection(std::move(typed), Source::Typing);
}

void EditControl::copy() const {
    if (!m_buffer.has_selection() || ((style() & ES_PASSWORD) && !multiline()))
        return;
    const std::string text = m_buffer.selected_text();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory)
        return;
    if (auto* bytes = static_cast<char*>(GlobalLock(memory))) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(m_hwnd)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

void EditControl::cut() {
    if (read_only() || ((style() & ES_PASSWORD) && !multiline()))
        return;
    copy();
    clear();
}

void EditControl::paste() {
    if (read_only() || !OpenClipboard(m_hwnd))
        return;
    std::string text;
    if (HANDLE memory = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(memory))) {
            // The data need not be terminated within its block.
            const size_t size = GlobalSize(memory);
            text.assign(bytes, strnlen(bytes, size));
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    if (!text.empty())
        replace_selection(std::move(text), Source::Paste);
}

void EditControl::clear() {
    if (!read_only() && m_buffer.has_selection())
        replace_selection({}, Source::Program);
}

// ---- Selection and caret ----

void EditControl::select(size_t anchor, size_t caret, Affinity affinity) {
    const size_t old_start = m_buffer.selection_start();
    const size_t old_end = m_buffer.selection_end();
    m_buffer.set_selection(anchor, caret);
    m_caret_affinity = affinity;
    if (old_start != m_buffer.selection_start() || old_end != m_buffer.selection_end())
        InvalidateRect(m_hwnd, nullptr, TRUE);
    scroll_caret_into_view();
    update_caret();
}

void EditControl::move_caret(size_t position, Selecting how, Affinity affinity) {
    select(how == Selecting::Extend ? m_buffer.anchor() : position, position, affinity);
}

void EditControl::move_caret(CaretTarget target, Selecting how) {
    move_caret(target.position, how, target.affinity);
}

EditControl::Affinity EditControl::affinity_in_line(size_t position, size_t line) const {
    const auto& l = m_layout.line(line);
    const bool soft_break = l.end == l.next && line + 1 < m_layout.line_count();
    return soft_break && position == l.end ? Affinity::LineEnd : Affinity::NextLine;
}

size_t EditControl::caret_line() const {
    const size_t caret = m_buffer.caret();
    const size_t line = m_layout.line_of(caret);
    if (m_caret_affinity == Affinity::LineEnd && line > 0) {
        const auto& before = m_layout.line(line - 1);
        if (before.end == caret && before.next == caret)
            return line - 1;
    }
    return line;
}

EditControl::CaretTarget EditControl::vertical_target(int lines) const {
    const size_t line = caret_line();
    const auto target = size_t(std::clamp(long(line) + lines, 0L, long(m_layout.line_count()) - 1));
    const size_t position = m_layout.position_at(m_buffer.text(), m_layout.line(target),
                                                 m_goal_x - line_offset(target));
    return {position, affinity_in_line(position, target)};
}

void EditControl::on_key_down(UINT key) {
    const bool shift = key_down(VK_SHIFT);
    const bool control = key_down(VK_CONTROL);
    const Selecting how = shift ? Selecting::Extend : Selecting::Move;
    const size_t caret = m_buffer.caret();
    const size_t caret_line_index = caret_line();
    const auto& line = m_layout.line(caret_line_index);
    const bool vertical =
        multiline() && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT);
    if (!vertical)
        m_goal_x = -1;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if (vertical) {
            if (m_goal_x < 0)
                m_goal_x = point_of(caret, caret_line_index).x - m_format.left + m_x_offset;
            move_caret(vertical_target(key == VK_UP ? -1 : 1), how);
            break;
        }
        const bool backward = key == VK_LEFT || key == VK_UP;
        // An arrow without Shift first collapses a selection to its edge on that side.
        if (!shift && !control && m_buffer.has_selection()) {
            move_caret(backward ? m_buffer.selection_start() : m_buffer.selection_end(), how);
            break;
        }
        size_t target;
        if (control)
            target =
                backward ? m_buffer.previous_word_start(caret) : m_buffer.next_word_start(caret);
        else
            target = backward ? m_buffer.previous_position(caret) : m_buffer.next_position(caret);
        move_caret(target, how);
        break;
    }
    case VK_HOME:
        move_caret(control || !multiline() ? 0 : line.start, how);
        break;
    case VK_END:
        move_caret(control || !multiline() ? m_buffer.length() : line.end, how, Affinity::LineEnd);
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (vertical) {
            if (m_goal_x < 0)
                m_goal_x = point_of(caret, caret_line_index).x - m_format.left + m_x_offset;
            const int page = visible_line_count();
            const long first = long(m_first_line) + (key == VK_PRIOR ? -page : page);
            scroll_to(size_t(std::clamp(first, 0L, long(m_layout.line_count()) - 1)), m_x_offset);
            move_caret(vertical_target(key == VK_PRIOR ? -page : page), how);
        }
        break;
    case VK_DELETE:
        if (shift)
            cut();
        else
            delete_forward();
        break;
    case VK_INSERT:
        if (shift)
            paste();
        else if (control)
            copy();
        break;
    default:
        break;
    }
}

int EditControl::line_offset(size_t line) const {
    const int room = int(m_format.right - m_format.left) - caret_width;
    const int width = m_layout.line(line).width;
    if (width >= room)
        return 0;
    switch (style() & (ES_CENTER | ES_RIGHT)) {
    case ES_CENTER:
        return (room - width) / 2;
    case ES_LEFT:
        return 0;
    default:
        return room - width;
    }
}

size_t EditControl::position_from_point(POINT point) const {
    return caret_target_from_point(point).position;
}

EditControl::CaretTarget EditControl::caret_target_from_point(POINT point) const {
    size_t line = 0;
    if (multiline()) {
        const int dy = int(point.y - m_format.top);
        const long row = dy >= 0 ? dy / m_line_height : -1 - (-dy - 1) / m_line_height;
        line = size_t(std::clamp(long(m_first_line) + row, 0L, long(m_layout.line_count()) - 1));
    }
    const int x = int(point.x - m_format.left) + m_x_offset - line_offset(line);
    const size_t position = m_layout.position_at(m_buffer.text(), m_layout.line(line), x);
    return {position, affinity_in_line(position, line)};
}

POINT EditControl::point_of(size_t position) const {
    return point_of(position, m_layout.line_of(position));
}

POINT EditControl::point_of(size_t position, size_t line) const {
    const int x = int(m_format.left) - m_x_offset + line_offset(line) +
                  m_layout.x_of(m_buffer.text(), m_layout.line(line), position);
    const int y = int(m_format.top) + (int(line) - int(m_first_line)) * m_line_height;
    return POINT{x, y};
}

void EditControl::update_caret() {
    if (!m_focused)
        return;
    const POINT at = point_of(m_buffer.caret(), caret_line());
    SetCaretPos(at.x, at.y);
}

// ---- Scrolling ----

int EditControl::visible_line_count() const {
    return std::max(1, int(m_format.bottom - m_format.top) / m_line_height);
}

void EditControl::scroll_caret_into_view() {
    const size_t caret = m_buffer.caret();
    const size_t line = caret_line();
    size_t first = m_first_line;
    if (multiline()) {
        const size_t visible = size_t(visible_line_count());
        if (line < first)
            first = line;
        else if (line >= first + visible)
            first = line + 1 - visible;
    }
    int x = 0;
    if (!wraps()) {
        const int room = int(m_format.right - m_format.left);
        const int caret_x =
            line_offset(line) + m_layout.x_of(m_buffer.text(), m_layout.line(line), caret);
        x = m_x_offset;
        if (caret_x < x)
            x = std::max(0, caret_x - room / 4);
        else if (caret_x + caret_width > x + room)
            x = caret_x + caret_width - room;
        const int widest = multiline() ? m_layout.widest_line() : m_layout.line(0).width;
        x = std::clamp(x, 0, std::max(0, widest + caret_width - room));
    }
    scroll_to(first, x);
}

void EditControl::scroll_to(size_t first_line, int x_offset) {
    first_line = std::min(first_line, m_layout.line_count() - 1);
    x_offset = std::max(0, x_offset);
    if (first_line == m_first_line && x_offset == m_x_offset)
        return;
    m_first_line = first_line;
    m_x_offset = x_offset;
    InvalidateRect(m_hwnd, nullptr, TRUE);
    update_scroll_bars();
    update_caret();
}

void EditControl::update_scroll_bars() {
    const DWORD s = style();
    if (!(s & ES_MULTILINE))
        return;
    // The bars stay visible, disabled while everything fits.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    if (s & WS_VSCROLL) {
        info.nMax = int(m_layout.line_count()) - 1;
        info.nPage = UINT(visible_line_count());
        info.nPos = int(m_first_line);
        SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
    }
    if (s & WS_HSCROLL) {
        info.nMax = m_layout.widest_line() + caret_width - 1;
        info.nPage = UINT(std::max(0, int(m_format.right - m_format.left)));
        info.nPos = m_x_offset;
        SetScrollInfo(m_hwnd, SB_HORZ, &info, TRUE);
    }
}

LRESULT EditControl::on_scroll_bar(bool vertical, WORD request, int thumb) {
    if (!multiline())
        return 0;
    const long count = long(m_layout.line_count());
    const long page = visible_line_count();
    long first = long(m_first_line);
    int x = m_x_offset;
    const int room = int(m_format.right - m_format.left);
    switch (request) {
    case SB_LINEUP:
        vertical ? --first : x -= m_average_char_width;
        break;
    case SB_LINEDOWN:
        vertical ? ++first : x += m_average_char_width;
        break;
    case SB_PAGEUP:
        vertical ? first -= page : x -= room;
        break;
    case SB_PAGEDOWN:
        vertical ? first += page : x += room;
        break;
    case SB_TOP:
        vertical ? first = 0 : x = 0;
        break;
    case SB_BOTTOM:
        vertical ? first = count - page : x = m_layout.widest_line() - room;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        vertical ? first = thumb : x = thumb;
        break;
    default:
        return 0;
    }
    const long before = long(m_first_line);
    first = std::clamp(first, 0L, std::max(0L, count - 1));
    if (wraps())
        x = 0;
    scroll_to(size_t(first), x);
    notify(vertical ? EN_VSCROLL : EN_HSCROLL);
    return MAKELRESULT(WORD(long(m_first_line) - before), TRUE);
}

// ---- Painting ----

void EditControl::draw_run(HDC dc, size_t from, size_t to, int left_of_line, int y) const {
    const std::string& text = m_buffer.text();
    const auto& line = m_layout.line(m_layout.line_of(from));
    const bool password = (style() & ES_PASSWORD) && !multiline();
    size_t start = from;
    while (start < to) {
        size_t end = std::min(to, text.find('\t', start));
        if (end > start) {
            const int x = left_of_line + m_layout.x_of(text, line, start);
            if (password) {
                const std::string masked(
                    character_count(std::string_view(text).substr(start, end - start)),
                    m_password_char);
                TextOutA(dc, x, y, masked.c_str(), int(masked.size()));
            } else {
                TextOutA(dc, x, y, text.c_str() + start, int(end - start));
            }
        }
        start = end + 1; // past the tab, which draws nothing
    }
}

void EditControl::draw_line(HDC dc, size_t index, int y, COLORREF text_colour) const {
    const auto& line = m_layout.line(index);
    const int left = int(m_format.left) - m_x_offset + line_offset(index);
    const bool show_selection = m_buffer.has_selection() && (m_focused || (style() & ES_NOHIDESEL));
    size_t from = line.end;
    size_t to = line.end;
    if (show_selection) {
        from = std::clamp(m_buffer.selection_start(), line.start, line.end);
        to = std::clamp(m_buffer.selection_end(), line.start, line.end);
    }
    SetTextColor(dc, text_colour);
    draw_run(dc, line.start, from, left, y);
    draw_run(dc, to, line.end, left, y);
    if (from < to) {
        const std::string& text = m_buffer.text();
        const RECT highlight{left + m_layout.x_of(text, line, from), y,
                             left + m_layout.x_of(text, line, to), y + m_line_height};
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        draw_run(dc, from, to, left, y);
    }
}

void EditControl::paint(HDC dc) {
    RECT client{};
    GetClientRect(m_hwnd, &client);
    const int saved = SaveDC(dc);
    SelectObject(dc, m_font ? static_cast<HGDIOBJ>(m_font) : GetStockObject(SYSTEM_FONT));
    const bool enabled = IsWindowEnabled(m_hwnd) != FALSE;
    // Read-only and disabled controls are coloured as static text.
    const UINT colour_message = read_only() || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(m_hwnd))
        brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, colour_message,
                                                      reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(m_hwnd)));
    if (!brush)
        brush = reinterpret_cast<HBRUSH>(DefWindowProcA(m_hwnd, colour_message,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(m_hwnd)));
    const COLORREF text_colour = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    FillRect(dc, &client, brush);
    SetBkMode(dc, TRANSPARENT);
    if (multiline())
        IntersectClipRect(dc, m_format.left, m_format.top, m_format.right, m_format.bottom);
    else
        IntersectClipRect(dc, m_format.left, client.top, m_format.right, client.bottom);
    const int bottom = multiline() ? int(m_format.bottom) : int(client.bottom);
    int y = int(m_format.top);
    for (size_t line = m_first_line; line < m_layout.line_count() && y < bottom; ++line) {
        draw_line(dc, line, y, text_colour);
        y += m_line_height;
    }
    RestoreDC(dc, saved);
}

// ---- Messages ----

LRESULT EditControl::get_dialog_code(const MSG* message) const {
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!message || !multiline())
        return code;
    const bool want_return = (style() & ES_WANTRETURN) != 0;
    // In a dialog, Enter presses the default button and Tab moves on, unless the style asks.
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN && want_return)
        code |= DLGC_WANTMESSAGE;
    if (message->message == WM_CHAR &&
        ((message->wParam == '\r' && !want_return) || message->wParam == '\t'))
        code &= ~LRESULT(DLGC_WANTCHARS);
    return code;
}

LRESULT EditControl::get_selection(WPARAM wparam, LPARAM lparam) const {
    const DWORD start = DWORD(m_buffer.selection_start());
    const DWORD end = DWORD(m_buffer.selection_end());
    if (auto* out = reinterpret_cast<DWORD*>(wparam))
        *out = start;
    if (auto* out = reinterpret_cast<DWORD*>(lparam))
        *out = end;
    if (start > 0xFFFF || end > 0xFFFF)
        return -1;
    return LRESULT(MAKELONG(WORD(start), WORD(end)));
}

LRESULT EditControl::line_length(WPARAM position) const {
    if (INT_PTR(position) != -1) {
        const size_t index = m_layout.line_of(std::min(size_t(position), m_buffer.length()));
        const auto& line = m_layout.line(index);
        return LRESULT(line.end - line.start);
    }
    // The characters left unselected on the lines the selection touches.
    const size_t start = m_buffer.selection_start();
    const size_t end = m_buffer.selection_end();
    const auto& first = m_layout.line(m_layout.line_of(start));
    const auto& last = m_layout.line(m_layout.line_of(end));
    const size_t before = start - first.start;
    const size_t after = last.end > end ? last.end - end : 0;
    return LRESULT(before + after);
}

LRESULT EditControl::get_line(WPARAM line, LPARAM buffer) const {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out)
        return 0;
    WORD capacity = 0;
    std::memcpy(&capacity, out, sizeof capacity);
    const size_t index = multiline() ? size_t(line) : 0;
    if (index >= m_layout.line_count())
        return 0;
    const auto& l = m_layout.line(index);
    const size_t count = std::min(size_t(capacity), l.end - l.start);
    std::memcpy(out, m_buffer.text().data() + l.start, count);
    // The result is not terminated unless there is room to spare.
    if (count < capacity)
        out[count] = '\0';
    return LRESULT(count);
}

void EditControl::set_margins(WPARAM which, LPARAM margins) {
    if (which == EC_USEFONTINFO) {
        m_left_margin = m_right_margin = m_average_char_width / 2;
    } else {
        if (which & EC_LEFTMARGIN)
            m_left_margin = LOWORD(margins);
        if (which & EC_RIGHTMARGIN)
            m_right_margin = HIWORD(margins);
    }
    update_format_rect();
    relayout();
    scroll_caret_into_view();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    update_caret();
}

void EditControl::set_rect(const RECT* rect, bool redraw) {
    m_format_set_by_program = rect != nullptr;
    if (rect)
        m_format = *rect;
    else
        update_format_rect();
    relayout();
    scroll_caret_into_view();
    update_scroll_bars();
    update_caret();
    if (redraw)
        InvalidateRect(m_hwnd, nullptr, TRUE);
}

LRESULT EditControl::handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    m_hwnd = hwnd;
    if (message == WM_CREATE) {
        create(*reinterpret_cast<const CREATESTRUCTA*>(lparam));
        return 0;
    }
    if (!m_measure_dc)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting fills the whole client area
    case WM_SIZE:
        update_format_rect();
        relayout();
        scroll_caret_into_view();
        update_scroll_bars();
        InvalidateRect(hwnd, nullptr, TRUE);
        update_caret();
        return 0;
    case WM_ENABLE:
    case WM_STYLECHANGED:
        relayout();
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return get_dialog_code(reinterpret_cast<const MSG*>(lparam));
    case WM_SETFONT:
        set_font(reinterpret_cast<HFONT>(wparam));
        relayout();
        if (m_focused) {
            CreateCaret(hwnd, nullptr, caret_width, m_line_height);
            ShowCaret(hwnd);
        }
        scroll_caret_into_view();
        update_caret();
        if (LOWORD(lparam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETTEXT:
        set_text(reinterpret_cast<const char*>(lparam));
        return TRUE;
    case WM_GETTEXT: {
        auto* out = reinterpret_cast<char*>(lparam);
        if (!out || wparam == 0)
            return 0;
        const size_t count = std::min(size_t(wparam) - 1, m_buffer.length());
        std::memcpy(out, m_buffer.text().data(), count);
        out[count] = '\0';
        return LRESULT(count);
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(m_buffer.length());
    case WM_SETFOCUS:
        m_focused = true;
        CreateCaret(hwnd, nullptr, caret_width, m_line_height);
        update_caret();
        ShowCaret(hwnd);
        if (m_buffer.has_selection())
            InvalidateRect(hwnd, nullptr, TRUE);
        notify(EN_SETFOCUS);
        return 0;
    case WM_DESTROY:
        // The caret belongs to the focused control and goes with it.
        if (m_focused)
            DestroyCaret();
        m_focused = false;
        return 0;
    case WM_KILLFOCUS:
        m_focused = false;
        DestroyCaret();
        if (m_buffer.has_selection() && !(style() & ES_NOHIDESEL))
            InvalidateRect(hwnd, nullptr, TRUE);
        notify(EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN: {
        if (GetFocus() != hwnd)
            SetFocus(hwnd);
        const POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        m_goal_x = -1;
        move_caret(caret_target_from_point(at),
                   (wparam & MK_SHIFT) ? Selecting::Extend : Selecting::Move);
        SetCapture(hwnd);
        m_mouse_selecting = true;
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_mouse_selecting)
            move_caret(caret_target_from_point({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}),
                       Selecting::Extend);
        return 0;
    case WM_LBUTTONUP:
        if (m_mouse_selecting) {
            m_mouse_selecting = false;
            ReleaseCapture();
        }
        return 0;
    case WM_LBUTTONDBLCLK: {
        const auto [start, end] =
            m_buffer.word_around(position_from_point({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}));
        select(start, end);
        return 0;
    }
    case WM_CAPTURECHANGED:
        m_mouse_selecting = false;
        return 0;
    case WM_MOUSEWHEEL: {
        const int notches = GET_Y_LPARAM(wparam) / 120;
        if (multiline() && notches)
            scroll_to(size_t(std::clamp(long(m_first_line) - 3L * notches, 0L,
                                        long(m_layout.line_count()) - 1)),
                      m_x_offset);
        return 0;
    }
    case WM_KEYDOWN:
        on_key_down(UINT(wparam));
        return 0;
    case WM_CHAR:
        type_byte(static_cast<unsigned char>(wparam));
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        on_scroll_bar(message == WM_VSCROLL, LOWORD(wparam), HIWORD(wparam));
        return 0;
    case WM_CUT:
        cut();
        return 0;
    case WM_COPY:
        copy();
        return 0;
    case WM_PASTE:
        paste();
        return 0;
    case WM_CLEAR:
        clear();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        undo();
        return TRUE;
    case EM_CANUNDO:
        return m_buffer.can_undo();
    case EM_EMPTYUNDOBUFFER:
        m_buffer.empty_undo();
        return 0;
    case EM_GETSEL:
        return get_selection(wparam, lparam);
    case EM_SETSEL: {
        const auto start = INT_PTR(wparam);
        const auto end = INT_PTR(lparam);
        const size_t length = m_buffer.length();
        if (start == -1) {
            select(m_buffer.caret(), m_buffer.caret());
            return 0;
        }
        select(start < 0 ? length : size_t(start), end < 0 ? length : size_t(end));
        return 0;
    }
    case EM_REPLACESEL:
        if (lparam)
            replace_selection(reinterpret_cast<const char*>(lparam), Source::Program);
        if (!wparam)
            m_buffer.empty_undo();
        return 0;
    case EM_LIMITTEXT:
        m_buffer.set_limit(wparam ? size_t(wparam)
                                  : (multiline() ? multiline_maximum : single_line_maximum));
        return 0;
    case EM_GETLIMITTEXT:
        return LRESULT(m_buffer.limit());
    case EM_GETMODIFY:
        return m_buffer.modified();
    case EM_SETMODIFY:
        m_buffer.set_modified(wparam != 0);
        return 0;
    case EM_GETLINECOUNT:
        return LRESULT(m_layout.line_count());
    case EM_LINEINDEX: {
        const size_t line =
            INT_PTR(wparam) == -1 ? m_layout.line_of(m_buffer.caret()) : size_t(wparam);
        return line < m_layout.line_count() ? LRESULT(m_layout.line(line).start) : -1;
    }
    case EM_LINEFROMCHAR:
        return LRESULT(m_layout.line_of(INT_PTR(wparam) == -1
                                            ? m_buffer.selection_start()
                                            : std::min(size_t(wparam), m_buffer.length())));
    case EM_LINELENGTH:
        return line_length(wparam);
    case EM_GETLINE:
        return get_line(wparam, lparam);
    case EM_GETFIRSTVISIBLELINE:
        if (multiline())
            return LRESULT(m_first_line);
        return LRESULT(m_layout.position_at(m_buffer.text(), m_layout.line(0), m_x_offset));
    case EM_SCROLLCARET:
        scroll_caret_into_view();
        return TRUE;
    case EM_LINESCROLL:
        if (!multiline())
            return FALSE;
        scroll_to(size_t(std::clamp(long(m_first_line) + long(lparam), 0L,
                                    long(m_layout.line_count()) - 1)),
                  wraps() ? 0 : m_x_offset + int(INT_PTR(wparam)) * m_average_char_width);
        return TRUE;
    case EM_SCROLL:
        return on_scroll_bar(true, LOWORD(wparam), 0);
    case EM_GETRECT:
        if (auto* out = reinterpret_cast<RECT*>(lparam))
            *out = m_format;
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
        set_rect(reinterpret_cast<const RECT*>(lparam), message == EM_SETRECT);
        return 0;
    case EM_SETMARGINS:
        set_margins(wparam, lparam);
        return 0;
    case EM_GETMARGINS:
        return LRESULT(MAKELONG(WORD(m_left_margin), WORD(m_right_margin)));
    case EM_POSFROMCHAR: {
        const POINT at = point_of(std::min(size_t(wparam), m_buffer.length()));
        return LRESULT(MAKELONG(WORD(at.x), WORD(at.y)));
    }
    case EM_CHARFROMPOS: {
        const size_t position = position_from_point({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
        return LRESULT(MAKELONG(WORD(position), WORD(m_layout.line_of(position))));
    }
    case EM_SETREADONLY: {
        const DWORD s = style();
        SetWindowLongA(hwnd, GWL_STYLE, LONG(wparam ? s | ES_READONLY : s & ~DWORD(ES_READONLY)));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case EM_SETPASSWORDCHAR: {
        const DWORD s = style();
        if (multiline())
            return 0;
        if (wparam)
            m_password_char = char(wparam);
        SetWindowLongA(hwnd, GWL_STYLE, LONG(wparam ? s | ES_PASSWORD : s & ~DWORD(ES_PASSWORD)));
        set_font(m_font);
        relayout();
        InvalidateRect(hwnd, nullptr, TRUE);
        update_caret();
        return 0;
    }
    case EM_SETTABSTOPS: {
        // One uniform stop, in dialog units (4 to an average character); none: the default.
        const auto* stops = reinterpret_cast<const int*>(lparam);
        m_tab_stop = wparam >= 1 && stops ? stops[0] * m_average_char_width / 4 : 0;
        set_font(m_font);
        relayout();
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

namespace {

LRESULT handle_message(HWND hwnd, EditControl& control, UINT message, WPARAM wparam,
                       LPARAM lparam) {
    return control.handle(hwnd, message, wparam, lparam);
}

} // namespace

LRESULT CALLBACK edit_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        // A bordered edit shows the sunken 3-D edge instead of a flat line.
        const DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
        if (style & WS_BORDER) {
            SetWindowLongA(hwnd, GWL_STYLE, LONG(style & ~DWORD(WS_BORDER)));
            SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        }
    }
    return control_window_proc<EditControl, handle_message>(hwnd, message, wparam, lparam);
}

void register_edit_class() {
    WNDCLASSEXA description{};
    description.cbSize = sizeof(description);
    description.style = CS_DBLCLKS | CS_GLOBALCLASS;
    description.lpfnWndProc = edit_window_proc;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    description.lpszClassName = "Edit";
    RegisterClassExA(&description);
}

} // namespace mullion
