// GetSystemMetrics: the classic look's dimensions at 96 pixels per logical inch.
#include "system_metrics.h"

#include "../display/screen.h"
#include "windows.h"

using namespace mullion;

int WINAPI GetSystemMetrics(int nIndex) {
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return Screen::instance().width();
    case SM_CYSCREEN:
        return Screen::instance().height();
    case SM_CYFULLSCREEN: // the client height of a maximized window without a menu
        return Screen::instance().height() - metrics::caption;
    case SM_CXMAXIMIZED: // the sizing border lies just off screen
        return Screen::instance().width() + 2 * metrics::sizing_frame;
    case SM_CYMAXIMIZED:
        return Screen::instance().height() + 2 * metrics::sizing_frame;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return metrics::scroll_bar;
    case SM_CYCAPTION:
        return metrics::caption;
    case SM_CYSMCAPTION:
        return metrics::small_caption;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return metrics::border;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return metrics::dialog_frame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return metrics::sizing_frame;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return metrics::edge;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return metrics::icon;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return metrics::small_icon;
    case SM_CYMENU:
        return metrics::menu_bar;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE:
        return metrics::caption_button;
    case SM_MOUSEPRESENT:
        return 1;
    case SM_SWAPBUTTON:
    case SM_MENUDROPALIGNMENT:
        return 0;
    case SM_CXMIN:
    case SM_CXMINTRACK:
        return metrics::min_track_width;
    case SM_CYMIN:
    case SM_CYMINTRACK:
        return metrics::min_track_height;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
        return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING:
        return 75;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return metrics::menu_check;
    default:
        return 0;
    }
}
