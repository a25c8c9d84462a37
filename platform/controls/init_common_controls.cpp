// InitCommonControls and InitCommonControlsEx. The common control classes are registered with
// the other system classes the first time any class is looked up, so initialisation only checks
// its argument.
#include "commctrl.h"

void WINAPI InitCommonControls(void) {}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}
