// End-to-end tests of Widgetry3, run headless through the scripted driver: the bitmap button's
// four faces, the menu command that disables and enables the buttons, and the grayed look of
// the disabled BS_BITMAP and BS_ICON buttons.
#include "bmp_file.h"

#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"
#include "testing/screen_capture.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::run_and_capture;
using Capture = mullion::testing::ScreenCapture;
using mullion::testing::rgb_pixel;
using widgetry_test::BmpFile;

namespace {

const std::string kProgram = "Widgetry3";
const std::filesystem::path kPictures = WIDGETRY_RES_DIR;

const nlohmann::json& control(const Capture& capture, int id) {
    const auto* window = capture.dump.top_level(kProgram);
    if (!window)
        throw std::runtime_error("no Widgetry3 window");
    const auto* found = Dump::child_with_id(*window, id);
    if (!found)
        throw std::runtime_error("no control " + std::to_string(id));
    return *found;
}

uint32_t system_colour(int index) {
    const COLORREF c = GetSysColor(index);
    return rgb_pixel(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The number of pixels of the button that differ from the face bitmap.
int differences_from_face(const Capture& capture, const std::string& face) {
    const BmpFile bitmap = BmpFile::load(kPictures / (face + ".bmp"));
    const DumpRect rect = Dump::rect(control(capture, 120));
    EXPECT_EQ(rect.width(), bitmap.width);
    EXPECT_EQ(rect.height(), bitmap.height);
    int different = 0;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x)
            different += capture.image.pixel(rect.left + x, rect.top + y) != bitmap.pixel(x, y);
    return different;
}

std::string menu_text(const Dump& dump, int id) {
    const auto* bar = dump.menu_bar(kProgram);
    if (!bar)
        return "(no menu bar)";
    for (const auto& popup : (*bar)["items"])
        for (const auto& item : popup["items"])
            if (item["id"] == id)
                return item["text"];
    return "(no item)";
}

const std::string kDisable = "key Alt+O\nkey D\nidle\n";
const std::string kEnable = "key Alt+O\nkey E\nidle\n";

TEST(PictureButtons, ButtonsAndLabelsSitWhereTheProgramPutsThem) {
    const auto capture = run_and_capture(kProgram, "");
    const DumpRect client = Dump::client(*capture.dump.top_level(kProgram));
    const struct {
        int id;
        int left, top, right, bottom;
    } buttons[] = {{120, 16, 16, 88, 56}, {121, 120, 16, 192, 56}, {122, 224, 16, 296, 56}};
    for (const auto& b : buttons) {
        const DumpRect rect = Dump::rect(control(capture, b.id));
        EXPECT_EQ(rect.left - client.left, b.left) << b.id;
        EXPECT_EQ(rect.top - client.top, b.top) << b.id;
        EXPECT_EQ(rect.right - client.left, b.right) << b.id;
        EXPECT_EQ(rect.bottom - client.top, b.bottom) << b.id;
    }
    const auto* window = capture.dump.top_level(kProgram);
    for (const char* label : {"CBitmapButton", "BS_BITMAP", "BS_ICON"})
        EXPECT_NE(Dump::child_with_text(*window, label), nullptr) << label;
}

TEST(PictureButtons, BitmapButtonShowsItsUpFaceAtStart) {
    const auto capture = run_and_capture(kProgram, "");
    EXPECT_EQ(differences_from_face(capture, "checku"), 0);
}

TEST(PictureButtons, BitmapButtonShowsItsDownFaceWhileHeld) {
    const auto capture = run_and_capture(kProgram, "down \"Widgetry3\"#120\nidle\n");
    EXPECT_EQ(differences_from_face(capture, "checkd"), 0);
}

TEST(PictureButtons, BitmapButtonShowsItsFocusFaceOnceClicked) {
    const auto capture = run_and_capture(kProgram, "click \"Widgetry3\"#120\nidle\n");
    EXPECT_TRUE(control(capture, 120)["focused"]);
    EXPECT_EQ(differences_from_face(capture, "checkf"), 0);
}

TEST(PictureButtons, DisableCommandShowsTheDisabledFaceAndEnableBringsBackUp) {
    const auto disabled = run_and_capture(kProgram, kDisable);
    for (int id : {120, 121, 122})
        EXPECT_FALSE(control(disabled, id)["enabled"]) << id;
    EXPECT_EQ(differences_from_face(disabled, "checkx"), 0);

    const auto enabled = run_and_capture(kProgram, kDisable + kEnable);
    for (int id : {120, 121, 122})
        EXPECT_TRUE(control(enabled, id)["enabled"]) << id;
    EXPECT_EQ(differences_from_face(enabled, "checku"), 0);
}

TEST(PictureButtons, MenuTextAlternatesWithTheButtonsState) {
    ProgramRun run(kProgram);
    const auto result = run.run_script("idle\ndump start.json\n" + kDisable +
                                       "key Alt+O\nidle\ndump disabled.json\nkey Esc\nkey Esc\n"
                                       "idle\n" +
                                       kEnable +
                                       "key Alt+O\nidle\ndump enabled.json\nkey Esc\nkey Esc\n"
                                       "idle\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;
    const auto text = [&](const char* file) { return menu_text(Dump::load(run.file(file)), 110); };
    EXPECT_EQ(text("start.json"), "&Disable Buttons");
    EXPECT_EQ(text("disabled.json"), "&Enable Buttons");
    EXPECT_EQ(text("enabled.json"), "&Disable Buttons");
}

// The BS_BITMAP button's picture, enabled: the check bitmap itself, centred in the button.
TEST(PictureButtons, BitmapStyleButtonShowsTheCheckBitmapCentred) {
    const auto capture = run_and_capture(kProgram, "");
    const BmpFile check = BmpFile::load(kPictures / "check.bmp");
    const DumpRect rect = Dump::rect(control(capture, 121));
    // Find the bitmap's top-left green pixel and compare the whole bitmap from there.
    int first_x = -1, first_y = -1;
    for (int y = 0; y < check.height && first_x < 0; ++y)
        for (int x = 0; x < check.width && first_x < 0; ++x)
            if (check.pixel(x, y) == rgb_pixel(0, 128, 0)) {
                first_x = x;
                first_y = y;
            }
    ASSERT_GE(first_x, 0) << "the check bitmap has no green";
    int found_x = -1, found_y = -1;
    for (int y = rect.top; y < rect.bottom && found_x < 0; ++y)
        for (int x = rect.left; x < rect.right && found_x < 0; ++x)
            if (capture.image.pixel(x, y) == rgb_pixel(0, 128, 0)) {
                found_x = x;
                found_y = y;
            }
    ASSERT_GE(found_x, 0) << "no green check in the BS_BITMAP button";
    const int left = found_x - first_x;
    const int top = found_y - first_y;
    int different = 0;
    for (int y = 0; y < check.height; ++y)
        for (int x = 0; x < check.width; ++x)
            different += capture.image.pixel(left + x, top + y) != check.pixel(x, y);
    EXPECT_EQ(different, 0);
    // Centred in the button, within the one pixel an odd difference leaves.
    EXPECT_NEAR(left - rect.left, rect.right - (left + check.width), 1);
    EXPECT_NEAR(top - rect.top, rect.bottom - (top + check.height), 1);
}

// Disabled, the picture is an etched shape: its dark pixels in the 3-D shadow colour over a
// highlight copy one pixel down and to the right, and no colour of the picture left.
TEST(PictureButtons, DisabledBitmapStyleButtonIsDrawnEtched) {
    const auto enabled = run_and_capture(kProgram, "");
    const auto disabled = run_and_capture(kProgram, kDisable);
    const BmpFile check = BmpFile::load(kPictures / "check.bmp");
    const DumpRect rect = Dump::rect(control(disabled, 121));

    // The picture's place, from the enabled button: its first green pixel.
    int found_x = -1, found_y = -1, first_x = -1, first_y = -1;
    for (int y = rect.top; y < rect.bottom && found_x < 0; ++y)
        for (int x = rect.left; x < rect.right && found_x < 0; ++x)
            if (enabled.image.pixel(x, y) == rgb_pixel(0, 128, 0)) {
                found_x = x;
                found_y = y;
            }
    for (int y = 0; y < check.height && first_x < 0; ++y)
        for (int x = 0; x < check.width && first_x < 0; ++x)
            if (check.pixel(x, y) == rgb_pixel(0, 128, 0)) {
                first_x = x;
                first_y = y;
            }
    ASSERT_GE(found_x, 0);
    const int left = found_x - first_x;
    const int top = found_y - first_y;

    const auto dark = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= check.width || y >= check.height)
            return false;
        const uint32_t p = check.pixel(x, y);
        return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 384;
    };
    const uint32_t shadow = system_colour(COLOR_3DSHADOW);
    const uint32_t highlight = system_colour(COLOR_3DHILIGHT);
    int wrong = 0;
    for (int y = 0; y <= check.height; ++y)
        for (int x = 0; x <= check.width; ++x) {
            const uint32_t pixel = disabled.image.pixel(left + x, top + y);
            if (dark(x, y))
                wrong += pixel != shadow;
            else if (dark(x - 1, y - 1))
                wrong += pixel != highlight;
            else
                wrong += pixel == shadow || pixel == rgb_pixel(0, 128, 0);
        }
    EXPECT_EQ(wrong, 0);
}

TEST(PictureButtons, DisabledIconStyleButtonIsDrawnEtched) {
    const auto enabled = run_and_capture(kProgram, "");
    const auto disabled = run_and_capture(kProgram, kDisable);
    const DumpRect rect = Dump::rect(control(enabled, 122));
    std::set<uint32_t> enabled_colours, disabled_colours;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            enabled_colours.insert(enabled.image.pixel(x, y));
            disabled_colours.insert(disabled.image.pixel(x, y));
        }
    EXPECT_TRUE(enabled_colours.count(rgb_pixel(0, 128, 0))) << "the icon's green check";
    EXPECT_FALSE(disabled_colours.count(rgb_pixel(0, 128, 0)));
    EXPECT_FALSE(disabled_colours.count(rgb_pixel(0, 255, 0)));
    EXPECT_TRUE(disabled_colours.count(system_colour(COLOR_3DSHADOW)));
    EXPECT_TRUE(disabled_colours.count(system_colour(COLOR_3DHILIGHT)));
}

} // namespace
