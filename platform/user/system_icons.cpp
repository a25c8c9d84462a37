// The system icons and cursors, drawn procedurally in the classic look, and LoadCursorA.
#include "system_icons.h"

#include "icon_loader.h"

#include <cmath>
#include <map>
#include <mutex>
#include <string_view>

namespace mullion {

namespace {

constexpr uint32_t black = 0x000000;
constexpr uint32_t white = 0xFFFFFF;
constexpr uint32_t red = 0xFF0000;
constexpr uint32_t blue = 0x0000FF;
constexpr uint32_t navy = 0x000080;
constexpr uint32_t yellow = 0xFFFF00;
constexpr uint32_t gray = 0x808080;
constexpr uint32_t silver = 0xC0C0C0;

class Canvas {
public:
    explicit Canvas(int size) {
        m_pixels.width = m_pixels.height = size;
        m_pixels.colors.assign(size_t(size * size), 0);
        m_pixels.transparent.assign(size_t(size * size), true);
    }
    void set(int x, int y, uint32_t color) {
        if (x < 0 || y < 0 || x >= m_pixels.width || y >= m_pixels.height)
            return;
        const size_t i = size_t(y * m_pixels.width + x);
        m_pixels.colors[i] = color;
        m_pixels.transparent[i] = false;
    }
    void fill_rect(int left, int top, int right, int bottom, uint32_t color) {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                set(x, y, color);
    }
    // A disc with a one-pixel outline, centred in the 32 x 32 design.
    void disc(double cx, double cy, double radius, uint32_t fill, uint32_t outline) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d <= radius)
                    set(x, y, d > radius - 1.2 ? outline : fill);
            }
    }
    // Pixel art: one string per row; '.' or ' ' transparent, 'X' black, 'o' white, others by
    // the given colour for '#'.
    void art(int left, int top, std::initializer_list<std::string_view> rows, uint32_t hash,
             int scale = 1) {
        int y = top;
        for (std::string_view row : rows) {
            for (size_t i = 0; i < row.size(); ++i) {
                const char c = row[i];
                if (c == '.' || c == ' ')
                    continue;
                const uint32_t color = c == 'X' ? black : c == 'o' ? white : hash;
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        set(left + int(i) * scale + dx, y + dy, color);
            }
            y += scale;
        }
    }
    const IconPixels& pixels() const { return m_pixels; }

private:
    IconPixels m_pixels;
};

Canvas draw_icon(WORD id) {
    Canvas canvas(32);
    switch (id) {
    case 32513: // IDI_HAND: red disc with a white cross
        canvas.disc(16, 16, 15, red, black);
        for (int i = 0; i < 14; ++i) {
            for (int t = -1; t <= 1; ++t) {
                canvas.set(9 + i + t, 9 + i, white);
                canvas.set(22 - i + t, 9 + i, white);
            }
        }
        break;
    case 32514: // IDI_QUESTION: white disc with a blue question mark
        canvas.disc(16, 16, 15, white, black);
        canvas.art(10, 6,
                   {"..####..", ".##..##.", ".....##.", "....##..", "...##...", "...##...",
                    "........", "...##..."},
                   blue, 2);
        break;
    case 32515: // IDI_EXCLAMATION: yellow triangle with a black exclamation mark
        for (int y = 2; y < 30; ++y) {
            const int half = (y - 2) / 2 + 1;
            for (int x = 16 - half; x < 16 + half; ++x)
                canvas.set(x, y, x == 16 - half || x == 15 + half || y == 29 ? black : yellow);
        }
        canvas.fill_rect(15, 10, 17, 22, black);
        canvas.fill_rect(15, 24, 17, 26, black);
        break;
    case 32516: // IDI_ASTERISK: white disc with a blue "i"
        canvas.disc(16, 16, 15, white, black);
        canvas.fill_rect(14, 7, 18, 11, blue);
        canvas.fill_rect(14, 13, 18, 25, blue);
        canvas.fill_rect(12, 13, 14, 15, blue);
        canvas.fill_rect(12, 23, 20, 25, blue);
        break;
    default: // IDI_APPLICATION and IDI_WINLOGO: a small window
        canvas.fill_rect(2, 4, 30, 28, black);
        canvas.fill_rect(3, 5, 29, 27, white);
        canvas.fill_rect(3, 5, 29, 10, navy);
        canvas.fill_rect(25, 6, 28, 9, silver);
        canvas.fill_rect(4, 28, 31, 29, gray);
        canvas.fill_rect(30, 5, 31, 29, gray);
        break;
    }
    return canvas;
}

struct CursorDesign {
    POINT hot_spot;
    Canvas canvas;
};

CursorDesign draw_cursor(WORD id) {
    Canvas canvas(32);
    POINT hot{0, 0};
    switch (id) {
    case 32513: // IDC_IBEAM
        canvas.art(12, 6,
                   {"XXX.XXX", "...X...", "...X...", "...X...", "...X...", "...X...", "...X...",
                    "...X...", "...X...", "...X...", "...X...", "...X...", "...X...", "...X...",
                    "...X...", "XXX.XXX"},
                   black);
        hot = {15, 14};
        break;
    case 32514: // IDC_WAIT: hourglass
        canvas.art(10, 5,
                   {"XXXXXXXXXXXX", "XooooooooooX", ".XooooooooX.", "..XooooooX..", "...XooooX...",
                    "....XooX....", ".....XX.....", "....XooX....", "...XooooX...", "..XooooooX..",
                    ".XooooooooX.", "XooooooooooX", "XXXXXXXXXXXX"},
                   black);
        hot = {16, 11};
        break;
    case 32515: // IDC_CROSS
        canvas.fill_rect(15, 5, 16, 26, black);
        canvas.fill_rect(5, 15, 26, 16, black);
        hot = {15, 15};
        break;
    case 32516: // IDC_UPARROW
        canvas.art(10, 2,
                   {".....XX.....", "....XooX....", "...XooooX...", "..XooooooX..", ".XooooooooX.",
                    "XXXXooooXXXX", "...XooooX...", "...XooooX...", "...XooooX...", "...XooooX...",
                    "...XooooX...", "...XXXXXX..."},
                   black);
        hot = {15, 2};
        break;
    case 32642: // IDC_SIZENWSE
    case 32643: // IDC_SIZENESW
        for (int i = 0; i < 15; ++i) {
            const int x = id == 32642 ? 8 + i : 22 - i;
            canvas.set(x, 8 + i, white);
            canvas.set(x - 1, 8 + i, black);
            canvas.set(x + 1, 8 + i, black);
        }
        for (int a = 0; a < 5; ++a)
            for (int b = 0; b < 5 - a; ++b) {
                const int near_x = id == 32642 ? 8 + a : 22 - a;
                const int far_x = id == 32642 ? 22 - a : 8 + a;
                canvas.set(near_x, 8 + b, black);
                canvas.set(far_x, 22 - b, black);
            }
        hot = {15, 15};
        break;
    case 32644: // IDC_SIZEWE
    case 32646: // IDC_SIZEALL
    case 32645: // IDC_SIZENS
        if (id != 32645)
            canvas.art(8, 12,
                       {"...X.........X...", "..XX.........XX..", ".XoXXXXXXXXXXXoX.",
                        "XoooooooooooooooX", ".XoXXXXXXXXXXXoX.", "..XX.........XX..",
                        "...X.........X..."},
                       black);
        if (id != 32644)
            for (int i = 0; i < 17; ++i)
                for (int j = 0; j < 7; ++j) {
                    // The same arrow turned upright.
                    static const char* rows[] = {"...X.........X...", "..XX.........XX..",
                                                 ".XoXXXXXXXXXXXoX.", "XoooooooooooooooX",
                                                 ".XoXXXXXXXXXXXoX.", "..XX.........XX..",
                                                 "...X.........X..."};
                    const char c = rows[j][i];
                    if (c != '.')
                        canvas.set(12 + j, 7 + i, c == 'X' ? black : white);
                }
        hot = {15, 15};
        break;
    case 32648: // IDC_NO: red ring with a slash
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double d = std::hypot(x + 0.5 - 16, y + 0.5 - 16);
                if ((d <= 11 && d >= 8) || (d < 9 && std::abs(x - y) <= 1))
                    canvas.set(x, y, red);
            }
        hot = {15, 15};
        break;
    default: // IDC_ARROW, IDC_HAND, IDC_APPSTARTING
        canvas.art(0, 0,
                   {"X...........", "XX..........", "XoX.........", "XooX........", "XoooX.......",
                    "XooooX......", "XoooooX.....", "XooooooX....", "XoooooooX...", "XooooooooX..",
                    "XoooooXXXXX.", "XooXooX.....", "XoX.XooX....", "XX..XooX....", "X....XooX...",
                    ".....XooX...", "......XooX..", "......XooX..", ".......XX..."},
                   black);
        break;
    }
    return {hot, canvas};
}

bool is_system_icon_id(WORD id) {
    return id >= 32512 && id <= 32517;
}

bool is_system_cursor_id(WORD id) {
    return (id >= 32512 && id <= 32516) || (id >= 32642 && id <= 32646) ||
           (id >= 32648 && id <= 32650);
}

std::mutex& cache_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<HCURSOR, int>& cursor_ids() {
    static std::map<HCURSOR, int> ids;
    return ids;
}

} // namespace

HICON system_icon(WORD id, int size) {
    if (!is_system_icon_id(id) || size <= 0)
        return nullptr;
    static std::map<std::pair<WORD, int>, HICON> icons;
    std::lock_guard lock(cache_mutex());
    HICON& icon = icons[{id, size}];
    if (!icon) {
        const Canvas canvas = draw_icon(id);
        const IconPixels pixels = size == 32 ? canvas.pixels() : canvas.pixels().scaled(size, size);
        icon = create_icon_from_pixels(pixels, true, POINT{size / 2, size / 2});
    }
    return icon;
}

HCURSOR system_cursor(WORD id) {
    if (!is_system_cursor_id(id))
        return nullptr;
    static std::map<WORD, HCURSOR> cursors;
    std::lock_guard lock(cache_mutex());
    HCURSOR& cursor = cursors[id];
    if (!cursor) {
        const CursorDesign design = draw_cursor(id);
        cursor = create_icon_from_pixels(design.canvas.pixels(), false, design.hot_spot);
        if (cursor)
            cursor_ids()[cursor] = id;
    }
    return cursor;
}

int system_cursor_id(HCURSOR cursor) {
    std::lock_guard lock(cache_mutex());
    auto found = cursor_ids().find(cursor);
    return found == cursor_ids().end() ? 0 : found->second;
}

} // namespace mullion

// System cursors for a null instance; programs here keep no cursor resources of their own.
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance || !IS_INTRESOURCE(lpCursorName)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return mullion::system_cursor(WORD(reinterpret_cast<uintptr_t>(lpCursorName)));
}
