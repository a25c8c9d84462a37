// End-to-end tests of the two fixed-banner programs, run headless through the scripted driver.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"
#include "testing/screen_capture.h"

#include <gtest/gtest.h>

#include <set>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::run_and_capture;
using Snapshot = mullion::testing::ScreenCapture;
using mullion::testing::rgb_pixel;

namespace {

// The banner's gradient: 64 shades of the fill colour's channels, v = 255 - 4k, row y of a
// client area H high taking shade (y * 63) / H.
uint32_t expected_blue_row(int y, int height) {
    return rgb_pixel(0, 0, 255 - 4 * (y * 63 / height));
}

void expect_gradient_at_left_edge(const PngImage& image, const DumpRect& client) {
    for (int y = 0; y < client.height(); ++y)
        ASSERT_EQ(image.pixel(client.left + 1, client.top + y),
                  expected_blue_row(y, client.height()))
            << "row " << y << " of " << client.height();
}

// The bounding box of the white (text) pixels inside the client area.
DumpRect white_ink(const PngImage& image, const DumpRect& client) {
    DumpRect ink{client.right, client.bottom, client.left, client.top};
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            if (image.pixel(x, y) == rgb_pixel(255, 255, 255)) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

// Pixel position of a dialog-unit point, from a control whose dialog-unit rectangle is known:
// the dialog's base units follow from the control's pixel rectangle.
struct DialogUnits {
    double x_scale, y_scale;
    int origin_x, origin_y;
    int x(int units) const { return origin_x + int(units * x_scale); }
    int y(int units) const { return origin_y + int(units * y_scale); }
};

DialogUnits dialog_units(const nlohmann::json& dialog, const nlohmann::json& control, int unit_left,
                         int unit_top, int unit_width, int unit_height) {
    const auto client = Dump::client(dialog);
    const auto rect = Dump::rect(control);
    const double xs = double(rect.width()) / unit_width;
    const double ys = double(rect.height()) / unit_height;
    EXPECT_NEAR(rect.left - client.left, unit_left * xs, 2.0);
    EXPECT_NEAR(rect.top - client.top, unit_top * ys, 2.0);
    return {xs, ys, client.left, client.top};
}

} // namespace

TEST(BannerPrograms, DefaultBannerIsBlueGradientWithCentredWhiteText) {
    for (const std::string program : {"Panelry1", "Panelry2"}) {
        SCOPED_TRACE(program);
        const auto snap = run_and_capture(program);
        const auto* window = snap.dump.top_level(program);
        ASSERT_NE(window, nullptr);
        const auto client = Dump::client(*window);
        ASSERT_GT(client.height(), 63);
        expect_gradient_at_left_edge(snap.image, client);
        EXPECT_EQ(snap.image.pixel(client.left, client.top), rgb_pixel(0, 0, 255));

        // "Hello, MFC" at 72 points (96 pixels of character height) in white, centred.
        const auto ink = white_ink(snap.image, client);
        ASSERT_LT(ink.left, ink.right) << "no white text drawn";
        EXPECT_GT(ink.height(), 60);
        EXPECT_LT(ink.height(), 110);
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (client.left + client.right) / 2.0, 8.0);
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (client.top + client.bottom) / 2.0, 12.0);
    }
}

TEST(BannerPrograms, BothProgramsPaintTheSameClientArea) {
    const auto first = run_and_capture("Panelry1");
    const auto second = run_and_capture("Panelry2");
    const auto a = Dump::client(*first.dump.top_level("Panelry1"));
    const auto b = Dump::client(*second.dump.top_level("Panelry2"));
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += first.image.pixel(a.left + x, a.top + y) !=
                         second.image.pixel(b.left + x, b.top + y);
    EXPECT_EQ(differing, 0);
}

TEST(BannerPrograms, GradientFollowsTheClientHeightWhenResized) {
    const auto start = run_and_capture("Panelry2");
    const auto window = Dump::rect(*start.dump.top_level("Panelry2"));
    const auto client = Dump::client(*start.dump.top_level("Panelry2"));
    const int bottom_frame = window.bottom - client.bottom;
    const int x = (window.left + window.right) / 2;
    for (int height : {2, 40, 63, 64, 200}) {
        SCOPED_TRACE(height);
        const int new_bottom = client.top + height + bottom_frame;
        const auto snap = run_and_capture(
            "Panelry2", "down " + std::to_string(x) + " " + std::to_string(window.bottom - 2) +
                            "\nmove " + std::to_string(x) + " " + std::to_string(new_bottom - 2) +
                            "\nup " + std::to_string(x) + " " + std::to_string(new_bottom - 2) +
                            "\n");
        const auto resized = Dump::client(*snap.dump.top_level("Panelry2"));
        ASSERT_EQ(resized.height(), height);
        expect_gradient_at_left_edge(snap.image, resized);
    }
}

TEST(BannerPrograms, MinimizedWindowSurvivesAndRepaintsWhenRestored) {
    ProgramRun run("Panelry2");
    const auto result = run.run_script("idle\nkey Alt+Space\nkey N\nidle\ndump min.json\n"
                                       "key Alt+Space\nkey R\nidle\ndump restored.json\n"
                                       "shot restored.png\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;
    const auto restored = Dump::load(run.file("restored.json"));
    const auto* window = restored.top_level("Panelry2");
    ASSERT_NE(window, nullptr);
    expect_gradient_at_left_edge(PngImage::load(run.file("restored.png")), Dump::client(*window));
}

TEST(BannerPrograms, AboutBoxOpensFromTheMenuByKeyboard) {
    for (const auto& [program, name_line] :
         {std::pair<std::string, std::string>{"Panelry1", "Panelry 1"},
          {"Panelry2", "Panelry 2"}}) {
        SCOPED_TRACE(program);
        ProgramRun run(program);
        const auto result = run.run_script("idle\nkey Alt+O\nkey A\nidle\ndump about.json\n"
                                           "key Enter\nidle\ndump closed.json\nquit\n");
        ASSERT_FALSE(result.timed_out) << result.output;
        const auto about = Dump::load(run.file("about.json"));
        const auto* dialog = about.top_level("About " + program);
        ASSERT_NE(dialog, nullptr) << about.json().dump(1);
        EXPECT_NE(Dump::child_with_text(*dialog, name_line), nullptr);
        EXPECT_NE(Dump::child_with_text(*dialog, "OK"), nullptr);
        if (program == "Panelry2") {
            EXPECT_NE(Dump::child_with_text(*dialog, "From the book"), nullptr);
            EXPECT_NE(Dump::child_with_text(*dialog, "\"Tellurion\""), nullptr);
        }
        // The main window is disabled while the modal box is up.
        EXPECT_EQ((*about.top_level(program))["enabled"], false);

        const auto closed = Dump::load(run.file("closed.json"));
        EXPECT_EQ(closed.top_level("About " + program), nullptr);
        EXPECT_EQ((*closed.top_level(program))["enabled"], true);
    }
}

TEST(BannerPrograms, AboutBoxOpensFromTheMenuByMouseAndPaintsTheStretchedIcon) {
    const auto start = run_and_capture("Panelry2");
    const auto client = Dump::client(*start.dump.top_level("Panelry2"));
    // The menu bar lies just above the client area; "&Options" is its first item.
    const int bar_x = client.left + 16, bar_y = client.top - 9;

    ProgramRun run("Panelry2");
    const auto opened = run.run_script("idle\nclick " + std::to_string(bar_x) + " " +
                                       std::to_string(bar_y) + "\nidle\ndump popup.json\nquit\n");
    ASSERT_FALSE(opened.timed_out) << opened.output;
    const auto popup_dump = Dump::load(run.file("popup.json"));
    const nlohmann::json* popup = nullptr;
    for (const auto& window : popup_dump.json()["windows"])
        if (window["class"] == "#32768")
            popup = &window;
    ASSERT_NE(popup, nullptr) << "clicking the menu bar opened no popup";
    const auto popup_rect = Dump::rect(*popup);

    // The About item is the popup's last item.
    ProgramRun second("Panelry2");
    const auto result = second.run_script(
        "idle\nclick " + std::to_string(bar_x) + " " + std::to_string(bar_y) + "\nidle\nclick " +
        std::to_string((popup_rect.left + popup_rect.right) / 2) + " " +
        std::to_string(popup_rect.bottom - 10) +
        "\nidle\ndump about.json\nshot about.png\nclick \"About Panelry2\"#1\nidle\n"
        "dump closed.json\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;
    const auto about = Dump::load(second.file("about.json"));
    const auto* dialog = about.top_level("About Panelry2");
    ASSERT_NE(dialog, nullptr) << about.json().dump(1);
    EXPECT_EQ(Dump::load(second.file("closed.json")).top_level("About Panelry2"), nullptr);

    // The icon placeholder (14, 12, 80 x 74 dialog units) shows the enlarged icon: more than
    // the dialog face colour inside it, located through the OK button at 108, 72, 50 x 14.
    const auto* ok = Dump::child_with_id(*dialog, 1);
    ASSERT_NE(ok, nullptr);
    const auto units = dialog_units(*dialog, *ok, 108, 72, 50, 14);
    const auto image = PngImage::load(second.file("about.png"));
    std::set<uint32_t> colours;
    for (int y = units.y(12) + 2; y < units.y(12 + 74) - 2; ++y)
        for (int x = units.x(14) + 2; x < units.x(14 + 80) - 2; ++x)
            colours.insert(image.pixel(x, y));
    colours.erase(rgb_pixel(192, 192, 192));
    EXPECT_GE(colours.size(), 2u) << "the icon area holds only the face colour";
}

TEST(BannerPrograms, ExitCommandAndCloseBoxEndTheProgram) {
    for (const std::string program : {"Panelry1", "Panelry2"}) {
        SCOPED_TRACE(program);
        ProgramRun by_menu(program);
        auto result = by_menu.run_script("idle\nkey Alt+O\nkey X\n", std::chrono::seconds(20));
        EXPECT_FALSE(result.timed_out) << result.output;
        EXPECT_EQ(result.exit_status, 0);

        const auto start = run_and_capture(program);
        const auto window = Dump::rect(*start.dump.top_level(program));
        ProgramRun by_close_box(program);
        result = by_close_box.run_script("idle\nclick " + std::to_string(window.right - 14) + " " +
                                             std::to_string(window.top + 13) + "\n",
                                         std::chrono::seconds(20));
        EXPECT_FALSE(result.timed_out) << result.output;
        EXPECT_EQ(result.exit_status, 0);
    }
}
