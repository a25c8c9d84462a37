// End-to-end tests of Widgetry4 and Widgetry5, run headless through the scripted driver: the
// message's colour follows the radio buttons, the controls sit where the 8-point font's
// metrics put them, and the window does no dialog-style keyboard navigation.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"
#include "testing/screen_capture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::run_and_capture;
using Capture = mullion::testing::ScreenCapture;
using mullion::testing::rgb_pixel;

namespace {

const char kMessage[] = "Click a button to change my color";
const std::array<const char*, 2> kPrograms = {"Widgetry4", "Widgetry5"};

enum class Ink { None, Red, Green, Blue, Mixed };

// The pure colour the message is written in, from the pixels of the message control.
Ink message_ink(const Capture& capture, const std::string& program) {
    const auto* window = capture.dump.top_level(program);
    EXPECT_NE(window, nullptr);
    if (!window)
        return Ink::None;
    const auto* message = Dump::child_with_text(*window, kMessage);
    EXPECT_NE(message, nullptr);
    if (!message)
        return Ink::None;
    const DumpRect rect = Dump::rect(*message);
    int red = 0, green = 0, blue = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            const uint32_t pixel = capture.image.pixel(x, y);
            red += pixel == rgb_pixel(255, 0, 0);
            green += pixel == rgb_pixel(0, 255, 0);
            blue += pixel == rgb_pixel(0, 0, 255);
        }
    const int kinds = (red > 0) + (green > 0) + (blue > 0);
    if (kinds == 0)
        return Ink::None;
    if (kinds > 1)
        return Ink::Mixed;
    return red ? Ink::Red : green ? Ink::Green : Ink::Blue;
}

int checked(const Capture& capture, const std::string& program, int id) {
    const auto* window = capture.dump.top_level(program);
    const auto* button = window ? Dump::child_with_id(*window, id) : nullptr;
    EXPECT_NE(button, nullptr) << id;
    return button ? (*button)["checked"].get<int>() : -1;
}

bool focused(const Capture& capture, const std::string& program, int id) {
    const auto* window = capture.dump.top_level(program);
    const auto* button = window ? Dump::child_with_id(*window, id) : nullptr;
    return button && (*button)["focused"] == true;
}

std::string click(const std::string& program, int id) {
    return "click \"" + program + "\"#" + std::to_string(id) + "\nidle\n";
}

TEST(RadioPrograms, MessageStartsRedWithRedChecked) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const auto capture = run_and_capture(program, "");
        EXPECT_EQ(message_ink(capture, program), Ink::Red);
        EXPECT_EQ(checked(capture, program, 100), 1);
        EXPECT_EQ(checked(capture, program, 101), 0);
        EXPECT_EQ(checked(capture, program, 102), 0);
        // The background around the text is the button face.
        const auto* message = Dump::child_with_text(*capture.dump.top_level(program), kMessage);
        const DumpRect rect = Dump::rect(*message);
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(capture.image.pixel(rect.left, rect.bottom - 1),
                  rgb_pixel(GetRValue(face), GetGValue(face), GetBValue(face)));
    }
}

TEST(RadioPrograms, EachRadioButtonRecoloursTheMessage) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const auto green = run_and_capture(program, click(program, 101));
        EXPECT_EQ(message_ink(green, program), Ink::Green);
        EXPECT_EQ(checked(green, program, 100), 0);
        EXPECT_EQ(checked(green, program, 101), 1);

        const auto blue = run_and_capture(program, click(program, 101) + click(program, 102));
        EXPECT_EQ(message_ink(blue, program), Ink::Blue);
        EXPECT_EQ(checked(blue, program, 101), 0);
        EXPECT_EQ(checked(blue, program, 102), 1);

        const auto red = run_and_capture(program, click(program, 102) + click(program, 100));
        EXPECT_EQ(message_ink(red, program), Ink::Red);
    }
}

TEST(RadioPrograms, ClickingTheCheckedButtonKeepsItsColour) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const auto again = run_and_capture(program, click(program, 100) + click(program, 100));
        EXPECT_EQ(message_ink(again, program), Ink::Red);
        EXPECT_EQ(checked(again, program, 100), 1);
        const auto blue_twice = run_and_capture(program, click(program, 102) + click(program, 102));
        EXPECT_EQ(message_ink(blue_twice, program), Ink::Blue);
    }
}

TEST(RadioPrograms, TabAndArrowKeysDoNotMoveBetweenControls) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const auto capture = run_and_capture(
            program, click(program, 101) + "key Tab\nkey Down\nkey Right\nkey Up\nkey Shift+Tab\n");
        EXPECT_TRUE(focused(capture, program, 101));
        EXPECT_EQ(checked(capture, program, 101), 1);
        EXPECT_EQ(checked(capture, program, 100), 0);
        EXPECT_EQ(checked(capture, program, 102), 0);
        EXPECT_EQ(message_ink(capture, program), Ink::Green);
    }
}

TEST(RadioPrograms, SpaceOnTheFocusedRadioButtonSelectsItsColour) {
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        // Pressing on Blue and releasing outside it gives it the focus without a click.
        const auto layout = run_and_capture(program, "");
        const auto* window = layout.dump.top_level(program);
        ASSERT_NE(window, nullptr);
        const DumpRect blue = Dump::rect(*Dump::child_with_id(*window, 102));
        const DumpRect client = Dump::client(*window);
        const std::string inside = std::to_string((blue.left + blue.right) / 2) + " " +
                                   std::to_string((blue.top + blue.bottom) / 2);
        const std::string outside =
            std::to_string(client.left + 4) + " " + std::to_string(client.bottom - 4);
        const auto pressed = run_and_capture(program, "down " + inside + "\nmove " + outside +
                                                          "\nup " + outside + "\nidle\n");
        EXPECT_TRUE(focused(pressed, program, 102));
        EXPECT_EQ(checked(pressed, program, 102), 0);
        EXPECT_EQ(message_ink(pressed, program), Ink::Red);

        const auto spaced = run_and_capture(program, "down " + inside + "\nmove " + outside +
                                                         "\nup " + outside + "\nidle\nkey Space\n");
        EXPECT_EQ(checked(spaced, program, 102), 1);
        EXPECT_EQ(checked(spaced, program, 100), 0);
        EXPECT_EQ(message_ink(spaced, program), Ink::Blue);
    }
}

// The layout in multiples of the average character width and the line height of the 8-point
// "MS Sans Serif" font on this screen.
TEST(RadioPrograms, ControlsFollowTheFontMetrics) {
    HDC screen = GetDC(nullptr);
    const int height = -((GetDeviceCaps(screen, LOGPIXELSY) * 8) / 72);
    HFONT font = CreateFontA(height, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                             "MS Sans Serif");
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    const int cx = metrics.tmAveCharWidth;
    const int cy = metrics.tmHeight + metrics.tmExternalLeading;
    ASSERT_GT(cx, 0);
    ASSERT_GT(cy, 0);

    struct Expected {
        const char* text;
        int left, top, right, bottom;
        const char* class_name;
        unsigned kind;
    };
    const Expected expected[] = {
        {"Sample text", 2 * cx, cy, 62 * cx, 8 * cy, "Button", BS_GROUPBOX},
        {kMessage, 4 * cx, 4 * cy, 60 * cx, 6 * cy, "Static", SS_CENTER},
        {"Color", 64 * cx, cy, 80 * cx, 8 * cy, "Button", BS_GROUPBOX},
        {"Red", 66 * cx, 3 * cy, 78 * cx, 4 * cy, "Button", BS_AUTORADIOBUTTON},
        {"Green", 66 * cx, 9 * cy / 2, 78 * cx, 11 * cy / 2, "Button", BS_AUTORADIOBUTTON},
        {"Blue", 66 * cx, 6 * cy, 78 * cx, 7 * cy, "Button", BS_AUTORADIOBUTTON},
    };
    for (const std::string program : kPrograms) {
        SCOPED_TRACE(program);
        const auto capture = run_and_capture(program, "");
        const auto* window = capture.dump.top_level(program);
        ASSERT_NE(window, nullptr);
        const DumpRect client = Dump::client(*window);
        const auto& children = (*window)["children"];
        ASSERT_EQ(children.size(), std::size(expected));
        for (size_t i = 0; i < std::size(expected); ++i) {
            const auto& e = expected[i];
            SCOPED_TRACE(e.text);
            // Creation order is the z-order, top first.
            const auto& child = children[i];
            EXPECT_EQ(child["text"], e.text);
            EXPECT_EQ(child["class"], e.class_name);
            const DumpRect rect = Dump::rect(child);
            EXPECT_EQ(rect.left - client.left, e.left);
            EXPECT_EQ(rect.top - client.top, e.top);
            EXPECT_EQ(rect.right - client.left, e.right);
            EXPECT_EQ(rect.bottom - client.top, e.bottom);
            const unsigned style = child["style"].get<unsigned>();
            EXPECT_EQ(style & 0xF, e.kind);
            EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), unsigned(WS_CHILD | WS_VISIBLE));
        }
        EXPECT_NE(children[3]["style"].get<unsigned>() & WS_GROUP, 0u) << "Red starts the group";
        EXPECT_EQ(children[4]["style"].get<unsigned>() & WS_GROUP, 0u);
        EXPECT_EQ(children[5]["style"].get<unsigned>() & WS_GROUP, 0u);
        EXPECT_EQ(children[1]["id"], 0xFFFF);
        EXPECT_EQ(children[3]["id"], 100);
    }
}

} // namespace
