#pragma once

#include "windows.h"

#include <array>
#include <cstdint>

namespace mullion {

// The state of the 256 virtual keys (mouse buttons included): whether each is down and its
// toggle state, which flips every time the key goes down. Pressing or releasing a left or
// right Shift, Ctrl or Alt also updates the key that stands for both.
class KeyboardState {
public:
    bool is_down(UINT virtual_key) const { return (m_keys[virtual_key & 0xff] & down_bit) != 0; }
    bool is_toggled(UINT virtual_key) const {
        return (m_keys[virtual_key & 0xff] & toggled_bit) != 0;
    }
    void press(UINT virtual_key);
    void release(UINT virtual_key);
    // GetKeyState's encoding: the high bit (the value is negative) when down, bit 0 when
    // toggled.
    SHORT key_state(int virtual_key) const;
    // The MK_ flags of mouse messages for this state.
    WPARAM mouse_key_flags() const;

private:
    static constexpr uint8_t down_bit = 0x80;
    static constexpr uint8_t toggled_bit = 0x01;
    void set_down(UINT virtual_key, bool down);
    std::array<uint8_t, 256> m_keys{};
};

} // namespace mullion
