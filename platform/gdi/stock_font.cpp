// The stock fonts of GetStockObject. Each is a LOGFONT naming a classic face, realized
// through the substitutes like any other font.
#include "stock_font.h"

#include "font.h"

#include <array>

namespace mullion {

namespace {

struct StockFonts {
    std::array<HGDIOBJ, DEFAULT_GUI_FONT + 1> handles{};

    StockFonts() {
        auto add = [this](int index, const LOGFONTA& logfont) {
            handles[size_t(index)] =
                HandleTable::instance().insert_permanent(std::make_shared<Font>(logfont));
        };
        // The system font: a bold sans with a 16-pixel cell and 7-pixel average width.
        const LOGFONTA system = make_logfont(16, FW_BOLD, "System", 7, VARIABLE_PITCH | FF_SWISS);
        add(SYSTEM_FONT, system);
        add(DEVICE_DEFAULT_FONT, system);
        add(SYSTEM_FIXED_FONT, make_logfont(16, FW_NORMAL, "Fixedsys", 8, FIXED_PITCH | FF_MODERN));
        add(OEM_FIXED_FONT,
            make_logfont(12, FW_NORMAL, "Terminal", 8, FIXED_PITCH | FF_MODERN, OEM_CHARSET));
        add(ANSI_FIXED_FONT,
            make_logfont(12, FW_NORMAL, "Courier", 0, FIXED_PITCH | FF_MODERN, ANSI_CHARSET));
        // The 8-point interface font, as the window manager uses it.
        const LOGFONTA interface = HandleTable::instance().get<Font>(interface_font())->logfont();
        add(DEFAULT_GUI_FONT, interface);
        add(ANSI_VAR_FONT, interface);
    }
};

} // namespace

HGDIOBJ stock_font(int index) {
    static const StockFonts fonts;
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    return fonts.handles[size_t(index)];
}

} // namespace mullion
