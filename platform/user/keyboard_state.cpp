#include "keyboard_state.h"

namespace mullion {

namespace {
// The key that stands for both sides of a left/right pair, and the other side.
struct KeyPair {
    UINT left, right, either;
};
constexpr KeyPair key_pairs[] = {
    {VK_LSHIFT, VK_RSHIFT, VK_SHIFT},
    {VK_LCONTROL, VK_RCONTROL, VK_CONTROL},
    {VK_LMENU, VK_RMENU, VK_MENU},
};
} // namespace

void KeyboardState::set_down(UINT virtual_key, bool down) {
    uint8_t& key = m_keys[virtual_key & 0xff];
    if (down && !(key & down_bit))
        key ^= toggled_bit;
    key = down ? (key | down_bit) : (key & ~down_bit);
}

void KeyboardState::press(UINT virtual_key) {
    for (const KeyPair& pair : key_pairs) {
        if (virtual_key == pair.left || virtual_key == pair.right) {
            set_down(pair.either, true);
            break;
        }
        if (virtual_key == pair.either) {
            // A key reported without its side counts as the left one.
            set_down(pair.left, true);
            break;
        }
    }
    set_down(virtual_key, true);
}

void KeyboardState::release(UINT virtual_key) {
    for (const KeyPair& pair : key_pairs) {
        if (virtual_key == pair.left || virtual_key == pair.right) {
            set_down(virtual_key, false);
            set_down(pair.either, is_down(pair.left) || is_down(pair.right));
            return;
        }
        if (virtual_key == pair.either) {
            set_down(pair.left, false);
            set_down(pair.right, false);
            break;
        }
    }
    set_down(virtual_key, false);
}

SHORT KeyboardState::key_state(int virtual_key) const {
    const uint8_t key = m_keys[static_cast<UINT>(virtual_key) & 0xff];
    return static_cast<SHORT>(((key & down_bit) ? 0x8000 : 0) | ((key & toggled_bit) ? 1 : 0));
}

WPARAM KeyboardState::mouse_key_flags() const {
    WPARAM flags = 0;
    if (is_down(VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (is_down(VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (is_down(VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (is_down(VK_SHIFT))
        flags |= MK_SHIFT;
    if (is_down(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

} // namespace mullion
