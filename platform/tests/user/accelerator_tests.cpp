// Accelerator tables: creation and copying, the resource layout, and TranslateAcceleratorA's
// matching (virtual keys with exact modifiers, characters) and its menu rule.
#include "menu_test_window.h"
#include "user/accelerator_table.h"
#include "user/input.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mullion {
namespace {

using testing::MenuTestWindow;

TEST(AcceleratorTable, CreateCopyDestroy) {
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 100}, {FVIRTKEY, VK_F5, 101}, {0, 'a', 102}};
    HACCEL table = CreateAcceleratorTableA(entries, 3);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 3) << "count without a buffer";
    ACCEL copy[2] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, copy, 2), 2);
    EXPECT_EQ(copy[0].fVirt, BYTE(FVIRTKEY | FCONTROL));
    EXPECT_EQ(copy[0].key, 'N');
    EXPECT_EQ(copy[1].cmd, 101);
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);
    EXPECT_EQ(CreateAcceleratorTableA(entries, 0), nullptr);
}

TEST(AcceleratorResource, EightByteEntriesEndAtTheMarkedOne) {
    // fVirt, key, cmd, padding; 0x80 in the flags marks the last entry.
    const WORD words[] = {FVIRTKEY | FCONTROL,
                          'O',
                          200,
                          0,
                          0x80 | FVIRTKEY | FSHIFT,
                          VK_DELETE,
                          201,
                          0,
                          FVIRTKEY,
                          VK_F1,
                          999,
                          0};
    std::vector<ACCEL> entries = parse_accelerator_resource(words, sizeof words);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].fVirt, BYTE(FVIRTKEY | FCONTROL));
    EXPECT_EQ(entries[0].key, 'O');
    EXPECT_EQ(entries[0].cmd, 200);
    EXPECT_EQ(entries[1].fVirt, BYTE(FVIRTKEY | FSHIFT)) << "the end marker is not a flag";
    EXPECT_EQ(entries[1].key, VK_DELETE);
    EXPECT_EQ(entries[1].cmd, 201);
    EXPECT_EQ(parse_accelerator_resource(words, 7).size(), 0u) << "a partial entry is ignored";
}

MSG key_message(HWND hwnd, UINT message, WPARAM key, LPARAM lparam = 1) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = lparam;
    return msg;
}

// Sets a modifier key's state the way the keyboard does, through injected input.
void set_key(UINT virtual_key, bool down) {
    InputEvent event;
    event.type = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    event.virtual_key = virtual_key;
    inject_input(event);
    MenuTestWindow::pump(); // the key state changes as this thread retrieves the key
}

class Accelerators : public ::testing::Test {
protected:
    Accelerators() : window(nullptr) {
        SetFocus(window.hwnd);
        ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 100},
                           {FVIRTKEY, 'N', 101},
                           {FVIRTKEY | FSHIFT | FCONTROL, 'S', 102},
                           {0, 'a', 103},
                           {FVIRTKEY | FALT, VK_RETURN, 104}};
        table = CreateAcceleratorTableA(entries, int(std::size(entries)));
    }
    ~Accelerators() override { DestroyAcceleratorTable(table); }

    int translate(UINT message, WPARAM key, LPARAM lparam = 1) {
        MSG msg = key_message(window.hwnd, message, key, lparam);
        int translated = TranslateAcceleratorA(window.hwnd, table, &msg);
        MenuTestWindow::pump();
        return translated;
    }

    MenuTestWindow window;
    HACCEL table = nullptr;
};

TEST_F(Accelerators, ModifiersMustMatchExactly) {
    ASSERT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
    EXPECT_TRUE(translate(WM_KEYDOWN, 'N'));
    set_key(VK_CONTROL, true);
    ASSERT_NE(GetKeyState(VK_CONTROL) & 0x8000, 0) << "the injected Ctrl must be down";
    EXPECT_TRUE(translate(WM_KEYDOWN, 'N'));
    EXPECT_FALSE(translate(WM_KEYDOWN, 'S')) << "Shift is missing";
    set_key(VK_SHIFT, true);
    EXPECT_TRUE(translate(WM_KEYDOWN, 'S'));
    EXPECT_FALSE(translate(WM_KEYDOWN, 'N')) << "Shift is one modifier too many";
    set_key(VK_SHIFT, false);
    set_key(VK_CONTROL, false);
    std::vector<UINT> expected = {101, 100, 102};
    EXPECT_EQ(window.commands(), expected);
    for (const auto& record : window.messages_of(WM_COMMAND))
        EXPECT_EQ(HIWORD(record.wparam), 1) << "accelerator commands carry 1 in the high word";
}

TEST_F(Accelerators, CharacterEntriesMatchCharactersOnly) {
    EXPECT_TRUE(translate(WM_CHAR, 'a'));
    EXPECT_FALSE(translate(WM_CHAR, 'A')) << "character entries are case sensitive";
    EXPECT_FALSE(translate(WM_KEYDOWN, 'A')) << "a character entry is not a virtual key";
    EXPECT_FALSE(translate(WM_KEYUP, 'N'));
    EXPECT_EQ(window.commands(), std::vector<UINT>{103});
}

TEST_F(Accelerators, AltEntriesMatchSystemKeys) {
    EXPECT_FALSE(translate(WM_KEYDOWN, VK_RETURN));
    // WM_SYSKEYDOWN with the context bit: Alt is held.
    EXPECT_TRUE(translate(WM_SYSKEYDOWN, VK_RETURN, 1 | (LPARAM(1) << 29)));
    EXPECT_EQ(window.commands(), std::vector<UINT>{104});
}

TEST(AcceleratorMenuRule, UpdateHandlersRunFirstAndADisabledItemGetsNoCommand) {
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, 300, "&Copy\tF5");
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 299, "&Go");
    AppendMenuA(bar, MF_POPUP, UINT_PTR(edit), "&Edit");
    MenuTestWindow window(bar);
    ACCEL entry{FVIRTKEY, VK_F5, 300};
    HACCEL table = CreateAcceleratorTableA(&entry, 1);
    bool disable = false;
    window.on_init_menu_popup = [&](HMENU popup) {
        EnableMenuItem(popup, 300, MF_BYCOMMAND | (disable ? MF_GRAYED : MF_ENABLED));
    };
    MSG msg = key_message(window.hwnd, WM_KEYDOWN, VK_F5);
    EXPECT_TRUE(TranslateAcceleratorA(window.hwnd, table, &msg));
    std::vector<UINT> expected = {WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND};
    EXPECT_EQ(window.sequence(), expected);
    auto init_popup = window.messages_of(WM_INITMENUPOPUP);
    ASSERT_EQ(init_popup.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(init_popup[0].wparam), edit);
    EXPECT_EQ(LOWORD(init_popup[0].lparam), 1);

    window.log.clear();
    disable = true;
    EXPECT_TRUE(TranslateAcceleratorA(window.hwnd, table, &msg))
        << "the keystroke is still consumed";
    expected = {WM_INITMENU, WM_INITMENUPOPUP};
    EXPECT_EQ(window.sequence(), expected);
    EXPECT_TRUE(window.commands().empty());
    DestroyAcceleratorTable(table);
}

} // namespace
} // namespace mullion
