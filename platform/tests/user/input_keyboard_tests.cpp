// Keyboard input: routing to the focus window, key message parameters, the key state and
// the characters TranslateMessage makes.
#include "input_test_support.h"
#include "user/keyboard_layout.h"
#include "user/keyboard_state.h"

#include <gtest/gtest.h>

namespace {

using mullion::KeyboardLayout;
using mullion::KeyboardState;

class KeyboardInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        drain_messages();
        // System keys would open the (missing) window menu: the test window keeps them.
        for (UINT message : {WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR})
            m_window.on(message, [](HWND, WPARAM, LPARAM) { return static_cast<LRESULT>(0); });
        SetActiveWindow(m_window.hwnd());
        SetFocus(m_window.hwnd());
        drain_messages();
        m_window.clear_log();
    }
    void TearDown() override { drain_messages(); }

    // The characters the window received with WM_CHAR (or WM_SYSCHAR).
    std::string typed(UINT message = WM_CHAR) const {
        std::string text;
        for (const auto& logged : m_window.received({message}))
            text += static_cast<char>(logged.wparam);
        return text;
    }
    std::string type_keys(std::initializer_list<UINT> held, UINT key) {
        m_window.clear_log();
        for (UINT modifier : held)
            inject_key(modifier, true);
        inject_tap(key);
        for (UINT modifier : held)
            inject_key(modifier, false);
        pump_translated();
        return typed();
    }

    MessageTestWindow m_window;
};

TEST_F(KeyboardInputTest, KeysGoToTheFocusWindowWithKeyDownAndKeyUp) {
    inject_tap('A');
    pump_translated();
    EXPECT_EQ(m_window.received_numbers({WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    const auto keys = m_window.received({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wparam, static_cast<WPARAM>('A'));
    // Repeat count 1 and the scan code of A (0x1E); key-up sets the previous-state and
    // transition bits.
    EXPECT_EQ(static_cast<DWORD>(keys[0].lparam), 0x001E0001u);
    EXPECT_EQ(static_cast<DWORD>(keys[1].lparam), 0xC01E0001u);
}

TEST_F(KeyboardInputTest, SecondFocusWindowGetsTheKeysOnceFocused) {
    MessageTestWindow other(RECT{400, 100, 500, 200});
    SetFocus(other.hwnd());
    drain_messages();
    inject_tap(VK_F5);
    pump_translated();
    EXPECT_EQ(other.received_numbers({WM_KEYDOWN, WM_KEYUP}),
              (std::vector<UINT>{WM_KEYDOWN, WM_KEYUP}));
    EXPECT_TRUE(m_window.received_numbers({WM_KEYDOWN, WM_KEYUP}).empty());
}

TEST_F(KeyboardInputTest, AutoRepeatSetsThePreviousStateBit) {
    inject_key(VK_RIGHT, true);
    inject_key(VK_RIGHT, true);
    inject_key(VK_RIGHT, false);
    pump_translated();
    const auto downs = m_window.received({WM_KEYDOWN});
    ASSERT_EQ(downs.size(), 2u);
    // The arrow keys are extended keys (bit 24); the repeat has bit 30.
    EXPECT_EQ(static_cast<DWORD>(downs[0].lparam), 0x014D0001u);
    EXPECT_EQ(static_cast<DWORD>(downs[1].lparam), 0x414D0001u);
}

TEST_F(KeyboardInputTest, AltMakesSystemKeysWithTheContextBit) {
    inject_key(VK_MENU, true);
    inject_tap('F');
    inject_key(VK_MENU, false);
    pump_translated();
    EXPECT_EQ(m_window.received_numbers({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYUP}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSKEYUP}));
    const auto keys = m_window.received({WM_SYSKEYDOWN, WM_SYSKEYUP});
    EXPECT_EQ(static_cast<DWORD>(keys[0].lparam), 0x20380001u); // Alt down
    EXPECT_EQ(static_cast<DWORD>(keys[1].lparam), 0x20210001u); // F with Alt held
    EXPECT_EQ(static_cast<DWORD>(keys[3].lparam), 0xC0380001u); // Alt up
    EXPECT_EQ(typed(WM_SYSCHAR), "f");
    EXPECT_EQ(typed(), "");
}

TEST_F(KeyboardInputTest, F10AloneIsASystemKey) {
    inject_tap(VK_F10);
    pump_translated();
    EXPECT_EQ(m_window.received_numbers({WM_SYSKEYDOWN, WM_SYSKEYUP, WM_KEYDOWN, WM_KEYUP}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP}));
}

TEST_F(KeyboardInputTest, TranslateMessageMakesTheCharactersOfAUsLayout) {
    EXPECT_EQ(type_keys({}, 'A'), "a");
    EXPECT_EQ(type_keys({VK_SHIFT}, 'A'), "A");
    EXPECT_EQ(type_keys({}, '7'), "7");
    EXPECT_EQ(type_keys({VK_SHIFT}, '1'), "!");
    EXPECT_EQ(type_keys({VK_SHIFT}, VK_OEM_2), "?");
    EXPECT_EQ(type_keys({}, VK_OEM_1), ";");
    EXPECT_EQ(type_keys({}, VK_SPACE), " ");
    EXPECT_EQ(type_keys({}, VK_RETURN), "\r");
    EXPECT_EQ(type_keys({}, VK_TAB), "\t");
    EXPECT_EQ(type_keys({}, VK_BACK), "\b");
    EXPECT_EQ(type_keys({}, VK_ESCAPE), "\x1b");
    EXPECT_EQ(type_keys({VK_CONTROL}, 'C'), "\x03");
    EXPECT_EQ(type_keys({VK_CONTROL}, 'Z'), "\x1a");
    EXPECT_EQ(type_keys({}, VK_LEFT), "");
    EXPECT_EQ(type_keys({}, VK_F5), "");
}

TEST_F(KeyboardInputTest, CapsLockTogglesTheCaseOfLetters) {
    inject_tap(VK_CAPITAL);
    pump_translated();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    EXPECT_EQ(type_keys({}, 'Q'), "Q");
    EXPECT_EQ(type_keys({VK_SHIFT}, 'Q'), "q");
    EXPECT_EQ(type_keys({}, '5'), "5");
    inject_tap(VK_CAPITAL);
    pump_translated();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(KeyboardInputTest, TextThatFollowsAKeyDownIsWhatThatKeyTypes) {
    // A layout where the key in Z's place types 'y'.
    inject_key('Z', true);
    inject_text("y");
    inject_key('Z', false);
    pump_translated();
    EXPECT_EQ(typed(), "y");
}

TEST_F(KeyboardInputTest, TextWithoutAKeyArrivesAsCharactersOneBytePerMessage) {
    inject_text("\xc3\xa9"); // U+00E9 in UTF-8
    pump_translated();
    EXPECT_EQ(typed(), "\xc3\xa9");
    EXPECT_TRUE(m_window.received_numbers({WM_KEYDOWN}).empty());
}

TEST_F(KeyboardInputTest, KeyStateFollowsTheMessagesTheThreadRetrieved) {
    bool shift_down_during_a = false;
    m_window.on(WM_KEYDOWN, [&](HWND, WPARAM wparam, LPARAM) {
        if (wparam == 'A')
            shift_down_during_a = GetKeyState(VK_SHIFT) < 0;
        return static_cast<LRESULT>(0);
    });
    // All injected before the thread looks: the state as of each message still counts.
    inject_key(VK_LSHIFT, true);
    inject_tap('A');
    inject_key(VK_LSHIFT, false);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0); // released by now
    pump_translated();
    EXPECT_TRUE(shift_down_during_a);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    EXPECT_EQ(typed(), "A");
}

TEST(KeyboardState, PressSetsDownAndFlipsTheToggleOncePerPress) {
    KeyboardState keys;
    EXPECT_EQ(keys.key_state('X'), 0);
    keys.press('X');
    EXPECT_EQ(static_cast<unsigned short>(keys.key_state('X')), 0x8001u);
    keys.press('X'); // a repeat does not toggle again
    EXPECT_EQ(static_cast<unsigned short>(keys.key_state('X')), 0x8001u);
    keys.release('X');
    EXPECT_EQ(keys.key_state('X'), 1);
    keys.press('X');
    keys.release('X');
    EXPECT_EQ(keys.key_state('X'), 0);
}

TEST(KeyboardState, EitherSideOfAPairCountsForTheGenericKey) {
    KeyboardState keys;
    keys.press(VK_LCONTROL);
    keys.press(VK_RCONTROL);
    keys.release(VK_LCONTROL);
    EXPECT_TRUE(keys.is_down(VK_CONTROL));
    keys.release(VK_RCONTROL);
    EXPECT_FALSE(keys.is_down(VK_CONTROL));
    keys.press(VK_SHIFT);
    keys.press(VK_LBUTTON);
    EXPECT_EQ(keys.mouse_key_flags(), static_cast<WPARAM>(MK_SHIFT | MK_LBUTTON));
}

TEST(KeyboardLayout, ScanCodesOfTheUsLayout) {
    EXPECT_EQ(KeyboardLayout::scan_code(VK_ESCAPE), 0x01u);
    EXPECT_EQ(KeyboardLayout::scan_code('1'), 0x02u);
    EXPECT_EQ(KeyboardLayout::scan_code('0'), 0x0Bu);
    EXPECT_EQ(KeyboardLayout::scan_code('Q'), 0x10u);
    EXPECT_EQ(KeyboardLayout::scan_code('P'), 0x19u);
    EXPECT_EQ(KeyboardLayout::scan_code('L'), 0x26u);
    EXPECT_EQ(KeyboardLayout::scan_code('M'), 0x32u);
    EXPECT_EQ(KeyboardLayout::scan_code(VK_F1), 0x3Bu);
    EXPECT_EQ(KeyboardLayout::scan_code(VK_F10), 0x44u);
    EXPECT_EQ(KeyboardLayout::scan_code(VK_DELETE), 0x53u);
    EXPECT_TRUE(KeyboardLayout::is_extended(VK_DELETE));
    EXPECT_FALSE(KeyboardLayout::is_extended(VK_DECIMAL));
}

} // namespace
