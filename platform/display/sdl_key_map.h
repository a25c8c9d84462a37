#pragma once

#include "windows.h"

#include <cstdint>

namespace mullion {

// The virtual key of an SDL key code (SDL_Keycode), for a US keyboard layout: letters, digits,
// function keys, cursor and editing keys, modifiers (either side gives the generic VK_SHIFT,
// VK_CONTROL or VK_MENU) and punctuation. 0 for keys the programs never see.
UINT virtual_key_from_sdl(int32_t sdl_keycode);

} // namespace mullion
