#pragma once

#include "edit_buffer.h"
#include "edit_layout.h"

#include "windows.h"

#include <string>

namespace mullion {

// The "Edit" class: single-line and multi-line text entry. The text and its undo live in an
// EditBuffer, its lines in an EditLayout; this class is the window around them: messages,
// keyboard and mouse, scrolling, the caret, the clipboard, painting and notifications.
class EditControl {
public:
    EditControl() = default;
    EditControl(const EditControl&) = delete;
    EditControl& operator=(const EditControl&) = delete;
    ~EditControl();

    LRESULT handle(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

private:
    // Where a change comes from decides its filters, undo grouping and the limits that apply.
    enum class Source { Typing, Paste, Program };
    enum class Selecting { Move, Extend };
    // Where a caret at a soft line break shows: at the start of the line that follows (as any
    // position there does), or at the end of the line it ends, after End or a click or
    // vertical move past that line's text.
    enum class Affinity { NextLine, LineEnd };

    DWORD style() const;
    bool multiline() const { return (style() & ES_MULTILINE) != 0; }
    bool read_only() const { return (style() & ES_READONLY) != 0; }
    bool wraps() const;

    void create(const CREATESTRUCTA& create);
    void set_font(HFONT font);
    void update_format_rect();
    void relayout();
    void notify(WORD code) const;

    // Editing.
    bool replace_selection(std::string text, Source source);
    bool fits() const;
    void changed();
    void delete_backward(bool word);
    void delete_forward();
    void undo();
    void set_text(const char* text);
    void type_byte(unsigned char byte);
    void cut();
    void copy() const;
    void paste();
    void clear();

    // Selection and caret.
    struct CaretTarget {
        size_t position = 0;
        Affinity affinity = Affinity::NextLine;
    };
    void select(size_t anchor, size_t caret, Affinity affinity = Affinity::NextLine);
    void move_caret(size_t position, Selecting how, Affinity affinity = Affinity::NextLine);
    void move_caret(CaretTarget target, Selecting how);
    void on_key_down(UINT key);
    CaretTarget vertical_target(int lines) const;
    // The affinity that keeps a position at the end of `line` shown on that line.
    Affinity affinity_in_line(size_t position, size_t line) const;
    CaretTarget caret_target_from_point(POINT point) const;
    size_t position_from_point(POINT point) const;
    // The line the caret shows on, which its affinity decides at a soft break.
    size_t caret_line() const;
    POINT point_of(size_t position) const;
    POINT point_of(size_t position, size_t line) const;
    int line_offset(size_t line) const;
    void update_caret();

    // Scrolling.
    int visible_line_count() const;
    void scroll_caret_into_view();
    void scroll_to(size_t first_line, int x_offset);
    void update_scroll_bars();
    // A scroll bar request (SB_*); `thumb` is the thumb's position for SB_THUMB*.
    LRESULT on_scroll_bar(bool vertical, WORD request, int thumb);

    // Painting.
    void paint(HDC dc);
    void draw_line(HDC dc, size_t line, int y, COLORREF text_colour) const;
    void draw_run(HDC dc, size_t from, size_t to, int left_of_line, int y) const;

    // Messages with several parts.
    LRESULT get_dialog_code(const MSG* message) const;
    LRESULT get_selection(WPARAM wparam, LPARAM lparam) const;
    LRESULT line_length(WPARAM position) const;
    LRESULT get_line(WPARAM line, LPARAM buffer) const;
    void set_margins(WPARAM which, LPARAM margins);
    void set_rect(const RECT* rect, bool redraw);

    HWND m_hwnd = nullptr;
    EditBuffer m_buffer;
    EditLayout m_layout;
    HFONT m_font = nullptr;
    HDC m_measure_dc = nullptr;
    int m_line_height = 16;
    int m_average_char_width = 8;
    int m_left_margin = 1;
    int m_right_margin = 1;
    RECT m_format{0, 0, 0, 0};
    bool m_format_set_by_program = false;
    size_t m_first_line = 0;
    int m_x_offset = 0;
    int m_tab_stop = 0; // pixels; 0 = every 8 average characters
    char m_password_char = '*';
    bool m_focused = false;
    bool m_mouse_selecting = false;
    int m_goal_x = -1; // the column Up and Down keep to, -1 when it must be taken anew
    Affinity m_caret_affinity = Affinity::NextLine;
    std::string m_pending_character; // bytes of a UTF-8 character still arriving by WM_CHAR
};

LRESULT CALLBACK edit_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

} // namespace mullion
