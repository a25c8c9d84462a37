// GetDeviceCaps: every context describes the one screen, 96 pixels per inch.
#include "device_context.h"

#include "../display/screen.h"

#include <cmath>

using namespace mullion;

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    if (!HandleTable::instance().get<DeviceContext>(hdc))
        return 0;
    const Screen& screen = Screen::instance();
    const bool palette_screen = screen.bits_per_pixel() <= 8;
    constexpr int pixels_per_inch = 96;
    auto millimetres = [](int pixels) { return int(std::lround(pixels * 25.4 / pixels_per_inch)); };
    switch (index) {
    case DRIVERVERSION:
        return 0x400;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE:
        return millimetres(screen.width());
    case VERTSIZE:
        return millimetres(screen.height());
    case HORZRES:
        return screen.width();
    case VERTRES:
        return screen.height();
    case BITSPIXEL:
        return screen.bits_per_pixel();
    case PLANES:
        return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
        // True-colour devices report -1; a palette device its static colours.
        return palette_screen ? 20 : -1;
    case NUMFONTS:
        return 0;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_BITMAP64 |
               (palette_screen ? RC_PALETTE : 0);
    case LOGPIXELSX:
    case LOGPIXELSY:
        return pixels_per_inch;
    case SIZEPALETTE:
        return palette_screen ? 256 : 0;
    case NUMRESERVED:
        return palette_screen ? 20 : 0;
    case COLORRES:
        return palette_screen ? 18 : 24;
    default:
        return 0;
    }
}
