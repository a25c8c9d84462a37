#include "sdl_key_map.h"

#include "key_stroke.h"

#include <SDL.h>

namespace mullion {

UINT virtual_key_from_sdl(int32_t sdl_keycode) {
    // Printable keys have their unshifted character as key code.
    if (sdl_keycode >= 'a' && sdl_keycode <= 'z')
        return UINT(sdl_keycode - 'a' + 'A');
    if (sdl_keycode > ' ' && sdl_keycode < 0x7f) {
        for (UINT candidate = 0x30; candidate <= 0xDF; ++candidate)
            if (us_layout_character(candidate, false) == char(sdl_keycode))
                return candidate;
        return 0;
    }
    if (sdl_keycode >= SDLK_F1 && sdl_keycode <= SDLK_F12)
        return UINT(VK_F1 + (sdl_keycode - SDLK_F1));
    if (sdl_keycode >= SDLK_F13 && sdl_keycode <= SDLK_F24)
        return UINT(VK_F12 + 1 + (sdl_keycode - SDLK_F13));
    switch (sdl_keycode) {
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_END:
        return VK_END;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_APPLICATION:
        return VK_APPS;
    default:
        return 0;
    }
}

} // namespace mullion
