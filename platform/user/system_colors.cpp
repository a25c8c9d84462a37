// GetSysColor and GetSysColorBrush: the classic 3-D colour scheme.
#include "../kernel/handle_table.h"
#include "windows.h"

#include <array>
#include <mutex>

namespace mullion {
namespace {

constexpr int system_color_count = COLOR_INFOBK + 1;

// Written as RGB hex for reading; converted to COLORREF (0x00BBGGRR) below.
constexpr std::array<uint32_t, system_color_count> classic_scheme_rgb = {
    0xC0C0C0, // COLOR_SCROLLBAR
    0x008080, // COLOR_BACKGROUND
    0x000080, // COLOR_ACTIVECAPTION
    0x808080, // COLOR_INACTIVECAPTION
    0xC0C0C0, // COLOR_MENU
    0xFFFFFF, // COLOR_WINDOW
    0x000000, // COLOR_WINDOWFRAME
    0x000000, // COLOR_MENUTEXT
    0x000000, // COLOR_WINDOWTEXT
    0xFFFFFF, // COLOR_CAPTIONTEXT
    0xC0C0C0, // COLOR_ACTIVEBORDER
    0xC0C0C0, // COLOR_INACTIVEBORDER
    0x808080, // COLOR_APPWORKSPACE
    0x000080, // COLOR_HIGHLIGHT
    0xFFFFFF, // COLOR_HIGHLIGHTTEXT
    0xC0C0C0, // COLOR_BTNFACE
    0x808080, // COLOR_BTNSHADOW
    0x808080, // COLOR_GRAYTEXT
    0x000000, // COLOR_BTNTEXT
    0xC0C0C0, // COLOR_INACTIVECAPTIONTEXT
    0xFFFFFF, // COLOR_BTNHIGHLIGHT
    0x000000, // COLOR_3DDKSHADOW
    0xDFDFDF, // COLOR_3DLIGHT
    0x000000, // COLOR_INFOTEXT
    0xFFFFE1, // COLOR_INFOBK
};

constexpr COLORREF colorref_from_rgb(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

bool valid_index(int index) {
    return index >= 0 && index < system_color_count;
}

// One solid brush per colour, made permanent so that DeleteObject on it does nothing, as the
// documented contract asks of system colour brushes.
const std::array<HBRUSH, system_color_count>& system_brushes() {
    static const std::array<HBRUSH, system_color_count> brushes = [] {
        std::array<HBRUSH, system_color_count> made{};
        auto& table = HandleTable::instance();
        for (int i = 0; i < system_color_count; ++i) {
            HBRUSH brush = CreateSolidBrush(colorref_from_rgb(classic_scheme_rgb[size_t(i)]));
            std::shared_ptr<Object> object = table.remove(brush);
            made[size_t(i)] =
                object ? static_cast<HBRUSH>(table.insert_permanent(std::move(object))) : nullptr;
        }
        return made;
    }();
    return brushes;
}

} // namespace
} // namespace mullion

using namespace mullion;

DWORD WINAPI GetSysColor(int nIndex) {
    return valid_index(nIndex) ? colorref_from_rgb(classic_scheme_rgb[size_t(nIndex)]) : 0;
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    return valid_index(nIndex) ? system_brushes()[size_t(nIndex)] : nullptr;
}
