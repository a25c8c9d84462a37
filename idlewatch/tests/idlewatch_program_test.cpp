// End-to-end tests of Idlewatch, run headless through the scripted driver. The expected box is
// drawn here with the same system font the program uses, from the documented geometry: a box
// 16 average characters wide and 2 lines high centred in the client area, black outline on
// white, the coordinates "x, y" centred in it on one line.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <windows.h>

#include <gtest/gtest.h>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;

namespace {

const char* const idle_busy_message = "still asks for idle time";

// The client area as the program should paint it: white, with the box and, when given, the
// text in it. Pixels as 0x00RRGGBB, rows top-down.
std::vector<uint32_t> expected_client(int width, int height, const char* text) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    RECT client{0, 0, width, height};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const int cx = metrics.tmAveCharWidth, cy = metrics.tmHeight;
    RECT box;
    box.left = (width - 16 * cx) / 2;
    box.right = box.left + 16 * cx;
    box.top = (height - 2 * cy) / 2;
    box.bottom = box.top + 2 * cy;
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (text)
        DrawTextA(dc, text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits),
                                 static_cast<uint32_t*>(bits) + size_t(width) * height);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    for (auto& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

int differing_pixels(const PngImage& image, const DumpRect& client,
                     const std::vector<uint32_t>& expected) {
    int differing = 0;
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x)
            differing += image.pixel(client.left + x, client.top + y) !=
                         expected[size_t(y) * client.width() + x];
    return differing;
}

struct Capture {
    Dump dump;
    PngImage image;
    std::string output;
};

Capture run(const std::string& steps) {
    ProgramRun program("Idlewatch");
    const auto result =
        program.run_script("idle\n" + steps + "dump state.json\nshot state.png\nquit\n");
    EXPECT_FALSE(result.timed_out) << result.output;
    return {Dump::load(program.file("state.json")), PngImage::load(program.file("state.png")),
            result.output};
}

} // namespace

TEST(Idlewatch, ShowsTheCursorsClientCoordinates) {
    for (const auto& [x, y] : {std::pair{100, 60}, {7, 3}, {250, 120}}) {
        const std::string text = std::to_string(x) + ", " + std::to_string(y);
        SCOPED_TRACE(text);
        const auto capture =
            run("move \"Idlewatch\" " + std::to_string(x) + " " + std::to_string(y) + "\n");
        const auto* window = capture.dump.top_level("Idlewatch");
        ASSERT_NE(window, nullptr);
        const auto client = Dump::client(*window);
        EXPECT_EQ(differing_pixels(capture.image, client,
                                   expected_client(client.width(), client.height(), text.c_str())),
                  0);
    }
}

TEST(Idlewatch, ClearsTheBoxOnceTheCursorLeavesTheClientArea) {
    const auto start = run("");
    const auto window = Dump::rect(*start.dump.top_level("Idlewatch"));
    const auto client = Dump::client(*start.dump.top_level("Idlewatch"));
    const std::string inside = "move \"Idlewatch\" 100 60\nidle\n";
    const std::vector<std::pair<std::string, std::string>> departures = {
        {"title bar",
         "move " + std::to_string(window.left + 60) + " " + std::to_string(window.top + 10) + "\n"},
        {"menu bar",
         "move " + std::to_string(client.left + 120) + " " + std::to_string(client.top - 8) + "\n"},
        {"off the window", "move " + std::to_string(window.right + 20) + " " +
                               std::to_string(window.bottom + 20) + "\n"},
    };
    for (const auto& [where, step] : departures) {
        SCOPED_TRACE(where);
        const auto capture = run(inside + step + "idle\n");
        const auto c = Dump::client(*capture.dump.top_level("Idlewatch"));
        EXPECT_EQ(
            differing_pixels(capture.image, c, expected_client(c.width(), c.height(), nullptr)), 0);
    }
}

TEST(Idlewatch, StopsAskingForIdleTimeOnceTheCursorIsOutside) {
    const auto start = run("");
    const auto window = Dump::rect(*start.dump.top_level("Idlewatch"));

    // While the cursor is over the client area the program keeps polling in idle time, so the
    // driver's wait for the end of idle processing runs out.
    const auto polling = run("move \"Idlewatch\" 100 60\nidle\n");
    EXPECT_NE(polling.output.find(idle_busy_message), std::string::npos) << polling.output;

    // Once it has seen the cursor outside, it stops asking: the wait ends without running out.
    const auto stopped = run("move \"Idlewatch\" 100 60\nmove " + std::to_string(window.left + 60) +
                             " " + std::to_string(window.top + 10) + "\nidle\nidle\n");
    EXPECT_EQ(stopped.output.find(idle_busy_message), std::string::npos) << stopped.output;
}

TEST(Idlewatch, ExitCommandEndsTheProgram) {
    ProgramRun program("Idlewatch");
    const auto result = program.run_script("idle\nkey Alt+O\nkey X\n", std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0);
}
