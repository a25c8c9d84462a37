// Measuring and drawing menu bars and popup menus in the classic look.
#include "menu_drawing.h"

#include "system_metrics.h"

#include <algorithm>
#include <array>
#include <map>
#include <mutex>

namespace mullion {

namespace {

constexpr int interface_font_height = -11; // -MulDiv(8, 96, 72)
constexpr int bar_item_padding = 6;        // on each side of a bar item's text
constexpr int popup_frame = 3;             // raised edge plus one pixel of menu colour
constexpr int popup_item_height = metrics::menu_bar - 2;
constexpr int separator_height = 9;
constexpr int check_column = metrics::menu_check + 5;
constexpr int arrow_column = 16;
constexpr int accelerator_gap = 16;

HFONT make_interface_font(int weight) {
    return CreateFontA(interface_font_height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       "MS Sans Serif");
}

std::string without_mnemonic_markers(std::string_view label) {
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size())
            ++i;
        plain += label[i];
    }
    return plain;
}

// A device context for measuring text with the menu font.
class MeasuringContext {
public:
    explicit MeasuringContext(HFONT font) : m_dc(CreateCompatibleDC(nullptr)) {
        m_previous = SelectObject(m_dc, font);
    }
    ~MeasuringContext() {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

void fill(HDC dc, int x, int y, int width, int height, int color_index) {
    RECT rect{x, y, x + width, y + height};
    FillRect(dc, &rect, GetSysColorBrush(color_index));
}

void draw_item_text(HDC dc, const std::string& text, RECT rect, UINT format, int color_index) {
    SetTextColor(dc, GetSysColor(color_index));
    DrawTextA(dc, text.c_str(), int(text.size()), &rect, format | DT_SINGLELINE | DT_VCENTER);
}

// Grayed text is embossed (a highlight copy one pixel down and right) unless it sits on the
// selection highlight, where the plain gray reads better.
void draw_menu_text(HDC dc, const std::string& text, const RECT& rect, UINT format, bool grayed,
                    bool selected, int normal_color) {
    if (grayed && !selected) {
        RECT shadow = rect;
        OffsetRect(&shadow, 1, 1);
        draw_item_text(dc, text, shadow, format, COLOR_3DHIGHLIGHT);
        draw_item_text(dc, text, rect, format, COLOR_GRAYTEXT);
    } else {
        draw_item_text(dc, text, rect, format, grayed ? COLOR_GRAYTEXT : normal_color);
    }
}

void send_draw_item(HWND owner, HDC dc, HMENU menu, const MenuItem& item, const RECT& rect,
                    bool selected) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (selected ? ODS_SELECTED : 0) | (item.is_grayed() ? ODS_GRAYED : 0) |
                     (item.is_checked() ? ODS_CHECKED : 0);
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = item.data;
    SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

SIZE measure_owner_drawn(HWND owner, const MenuItem& item) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = item.id;
    measure.itemData = item.data;
    if (owner)
        SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    return SIZE{LONG(measure.itemWidth), LONG(measure.itemHeight)};
}

// Stores freshly computed rectangles back into the menu (it may have changed meanwhile:
// only matching item counts are updated).
void store_rects(HMENU handle, const std::vector<RECT>& rects) {
    std::lock_guard lock(menu_lock());
    auto menu = find_menu(handle);
    if (!menu || menu->items.size() != rects.size())
        return;
    for (size_t i = 0; i < rects.size(); ++i)
        menu->items[i].rect = rects[i];
}

} // namespace

HFONT menu_font() {
    static const HFONT font = make_interface_font(FW_NORMAL);
    return font;
}

HFONT caption_font() {
    static const HFONT font = make_interface_font(FW_BOLD);
    return font;
}

// Labels are measured on every hit test and layout; their extents never change for a font.
SIZE measure_label(HFONT font, std::string_view label) {
    static std::mutex cache_lock;
    static std::map<std::pair<HFONT, std::string>, SIZE> cache;
    std::string plain = without_mnemonic_markers(label);
    std::pair<HFONT, std::string> key{font, plain};
    {
        std::lock_guard lock(cache_lock);
        auto found = cache.find(key);
        if (found != cache.end())
            return found->second;
    }
    MeasuringContext context(font);
    SIZE size{0, 0};
    GetTextExtentPoint32A(context.dc(), plain.c_str(), int(plain.size()), &size);
    if (size.cy == 0) {
        TEXTMETRICA text_metrics{};
        GetTextMetricsA(context.dc(), &text_metrics);
        size.cy = text_metrics.tmHeight;
    }
    std::lock_guard lock(cache_lock);
    cache.emplace(std::move(key), size);
    return size;
}

int layout_menu_bar(HMENU menu, int width, HWND owner) {
    std::vector<MenuItem> items = menu_items_snapshot(menu);
    std::vector<RECT> rects(items.size());
    int x = 0;
    int row = 0;
    const int row_height = metrics::menu_bar;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        int item_width = item.is_owner_draw() ? int(measure_owner_drawn(owner, item).cx)
                                              : int(measure_label(menu_font(), item.label()).cx) +
                                                    2 * bar_item_padding;
        bool forced_break = (item.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
        if (x > 0 && (forced_break || x + item_width > width)) {
            ++row;
            x = 0;
        }
        rects[i] = RECT{x, row * row_height, x + item_width, (row + 1) * row_height};
        x += item_width;
    }
    // A right-justified item moves itself and the rest of its row to the bar's right edge.
    for (size_t i = 0; i < items.size(); ++i) {
        if (!(items[i].type & MFT_RIGHTJUSTIFY))
            continue;
        size_t row_end = i;
        while (row_end + 1 < items.size() && rects[row_end + 1].top == rects[i].top)
            ++row_end;
        int shift = std::max(0, width - int(rects[row_end].right));
        for (size_t j = i; j <= row_end; ++j)
            OffsetRect(&rects[j], shift, 0);
        i = row_end;
    }
    store_rects(menu, rects);
    return items.empty() ? row_height : (row + 1) * row_height;
}

void draw_menu_bar(HDC dc, HMENU menu, const RECT& bar, int selected_index, BarSelection how,
                   HWND owner) {
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    std::vector<MenuItem> items = menu_items_snapshot(menu);
    HGDIOBJ previous_font = SelectObject(dc, menu_font());
    int previous_mode = SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        RECT rect = item.rect;
        OffsetRect(&rect, bar.left, bar.top);
        if (rect.top >= bar.bottom)
            break;
        bool selected = int(i) == selected_index && how != BarSelection::None;
        if (item.is_owner_draw()) {
            send_draw_item(owner, dc, menu, item, rect, selected);
            continue;
        }
        RECT text_rect = rect;
        if (selected) {
            RECT edge = rect;
            DrawEdge(dc, &edge, how == BarSelection::Open ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                     BF_RECT);
            if (how == BarSelection::Open)
                OffsetRect(&text_rect, 1, 1);
        }
        draw_menu_text(dc, item.label(), text_rect, DT_CENTER, item.is_grayed(), false,
                       COLOR_MENUTEXT);
    }
    SetBkMode(dc, previous_mode);
    SelectObject(dc, previous_font);
}

SIZE layout_popup_menu(HMENU menu, HWND owner) {
    std::vector<MenuItem> items = menu_items_snapshot(menu);
    std::vector<RECT> rects(items.size());
    int label_width = 0;
    int accelerator_width = 0;
    int y = popup_frame;
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        int height = popup_item_height;
        if (item.is_separator()) {
            height = separator_height;
        } else if (item.is_owner_draw()) {
            SIZE measured = measure_owner_drawn(owner, item);
            label_width = std::max(label_width, int(measured.cx));
            height = std::max(1, int(measured.cy));
        } else {
            label_width = std::max(label_width, int(measure_label(menu_font(), item.label()).cx));
            std::string accelerator = item.accelerator_text();
            if (!accelerator.empty())
                accelerator_width =
                    std::max(accelerator_width, int(measure_label(menu_font(), accelerator).cx));
        }
        rects[i] = RECT{popup_frame, y, 0, y + height};
        y += height;
    }
    int inner_width = check_column + label_width +
                      (accelerator_width ? accelerator_gap + accelerator_width : 0) + arrow_column;
    for (RECT& rect : rects)
        rect.right = popup_frame + inner_width;
    store_rects(menu, rects);
    return SIZE{inner_width + 2 * popup_frame, std::max(y, popup_frame) + popup_frame};
}

void draw_popup_menu(HDC dc, HMENU menu, SIZE size, int selected_index, HWND owner) {
    RECT frame{0, 0, size.cx, size.cy};
    FillRect(dc, &frame, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);
    std::vector<MenuItem> items = menu_items_snapshot(menu);
    HGDIOBJ previous_font = SelectObject(dc, menu_font());
    int previous_mode = SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        RECT rect = item.rect;
        bool selected = int(i) == selected_index;
        if (item.is_separator()) {
            RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, rect.bottom};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        if (item.is_owner_draw()) {
            send_draw_item(owner, dc, menu, item, rect, selected);
            continue;
        }
        if (selected)
            FillRect(dc, &rect, GetSysColorBrush(COLOR_HIGHLIGHT));
        int text_color = selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
        int glyph_color = item.is_grayed() ? COLOR_GRAYTEXT : text_color;
        if (item.is_checked()) {
            RECT check{rect.left, rect.top, rect.left + check_column, rect.bottom};
            draw_glyph(dc, (item.type & MFT_RADIOCHECK) ? Glyph::RadioCheck : Glyph::Check, check,
                       glyph_color);
        }
        RECT text_rect{rect.left + check_column, rect.top, rect.right - arrow_column, rect.bottom};
        draw_menu_text(dc, item.label(), text_rect, DT_LEFT | DT_EXPANDTABS, item.is_grayed(),
                       selected, text_color);
        std::string accelerator = item.accelerator_text();
        if (!accelerator.empty())
            draw_menu_text(dc, accelerator, text_rect, DT_RIGHT, item.is_grayed(), selected,
                           text_color);
        if (item.submenu) {
            RECT arrow{rect.right - arrow_column, rect.top, rect.right, rect.bottom};
            draw_glyph(dc, Glyph::SubmenuArrow, arrow, glyph_color);
        }
    }
    SetBkMode(dc, previous_mode);
    SelectObject(dc, previous_font);
}

int menu_item_from_point(HMENU handle, POINT point) {
    std::lock_guard lock(menu_lock());
    auto menu = find_menu(handle);
    if (!menu)
        return -1;
    for (size_t i = 0; i < menu->items.size(); ++i)
        if (PtInRect(&menu->items[i].rect, point))
            return int(i);
    return -1;
}

namespace {

// Glyph bitmaps, '#' for a drawn pixel.
struct GlyphShape {
    int width;
    int height;
    std::array<const char*, 9> rows;
};

const GlyphShape& shape_of(Glyph glyph) {
    static const GlyphShape check{
        7, 7, {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}};
    static const GlyphShape radio{
        6, 6, {"..##..", ".####.", "######", "######", ".####.", "..##.."}};
    static const GlyphShape arrow{4, 7, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}};
    static const GlyphShape minimize{
        6,
        9,
        {"......", "......", "......", "......", "......", "......", "......", "######", "######"}};
    static const GlyphShape maximize{9,
                                     9,
                                     {"#########", "#########", "#.......#", "#.......#",
                                      "#.......#", "#.......#", "#.......#", "#.......#",
                                      "#########"}};
    static const GlyphShape restore{8,
                                    9,
                                    {"..######", "..######", "..#....#", "######.#", "######.#",
                                     "#....###", "#....#..", "#....#..", "######.."}};
    static const GlyphShape close{
        8, 7, {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"}};
    switch (glyph) {
    case Glyph::Check:
        return check;
    case Glyph::RadioCheck:
        return radio;
    case Glyph::SubmenuArrow:
        return arrow;
    case Glyph::Minimize:
        return minimize;
    case Glyph::Maximize:
        return maximize;
    case Glyph::Restore:
        return restore;
    case Glyph::Close:
        break;
    }
    return close;
}

} // namespace

void draw_glyph(HDC dc, Glyph glyph, const RECT& box, int color_index) {
    const GlyphShape& shape = shape_of(glyph);
    int left = (box.left + box.right - shape.width) / 2;
    int top = (box.top + box.bottom - shape.height) / 2;
    for (int y = 0; y < shape.height; ++y) {
        const char* row = shape.rows[size_t(y)];
        for (int x = 0; x < shape.width;) {
            if (row[x] != '#') {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < shape.width && row[x + run] == '#')
                ++run;
            fill(dc, left + x, top + y, run, 1, color_index);
            x += run;
        }
    }
}

HBITMAP create_check_mark_bitmap() {
    constexpr int size = metrics::menu_check;
    constexpr int row_bytes = (size + 15) / 16 * 2; // monochrome rows are WORD-aligned
    std::array<BYTE, size_t(row_bytes * size)> bits;
    bits.fill(0xFF);
    const GlyphShape& shape = shape_of(Glyph::Check);
    const int left = (size - shape.width) / 2;
    const int top = (size - shape.height) / 2;
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x)
            if (shape.rows[size_t(y)][x] == '#') {
                const int column = left + x;
                bits[size_t((top + y) * row_bytes + column / 8)] &= BYTE(~(0x80 >> (column % 8)));
            }
    return CreateBitmap(size, size, 1, 1, bits.data());
}

} // namespace mullion
