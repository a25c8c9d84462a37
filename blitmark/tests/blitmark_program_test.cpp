// End-to-end tests of Blitmark, run headless through the scripted driver. The expected client
// area is computed here from the documented layout: a gradient whose row y has blue
// 255 - 4 * (y * 63 / height), and tiles of the 64 x 41 bitmap at (72 c + 8, 49 r + 8), drawn
// opaquely or with the bitmap's red pixels showing the gradient. The bitmap is read straight
// from its .bmp file.
#include "testing/dump.h"
#include "testing/png_image.h"
#include "testing/program_run.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using mullion::testing::Dump;
using mullion::testing::DumpRect;
using mullion::testing::PngImage;
using mullion::testing::ProgramRun;
using mullion::testing::rgb_pixel;

namespace {

constexpr uint32_t red = rgb_pixel(255, 0, 0);

// The tile as 0x00RRGGBB pixels, top-down, read from the 4-bit bottom-up .bmp file.
struct Tile {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

uint32_t little_endian(const std::vector<unsigned char>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes.at(offset + size_t(i));
    return value;
}

Tile load_tile() {
    std::ifstream file(BLITMARK_TILE_BMP, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    Tile tile;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return tile;
    const uint32_t bits = little_endian(bytes, 10, 4);
    const uint32_t header = little_endian(bytes, 14, 4);
    tile.width = int(little_endian(bytes, 18, 4));
    tile.height = int(little_endian(bytes, 22, 4));
    const int depth = int(little_endian(bytes, 28, 2));
    if (depth != 4)
        return Tile{};
    std::vector<uint32_t> colors(16);
    for (size_t i = 0; i < 16; ++i) {
        const size_t at = 14 + header + 4 * i;
        colors[i] = rgb_pixel(bytes.at(at + 2), bytes.at(at + 1), bytes.at(at));
    }
    const size_t stride = size_t((tile.width * 4 + 31) / 32 * 4);
    tile.pixels.resize(size_t(tile.width * tile.height));
    for (int y = 0; y < tile.height; ++y) {
        const size_t row = bits + size_t(tile.height - 1 - y) * stride;
        for (int x = 0; x < tile.width; ++x) {
            const unsigned char pair = bytes.at(row + size_t(x / 2));
            tile.pixels[size_t(y * tile.width + x)] = colors[x % 2 ? pair & 15 : pair >> 4];
        }
    }
    return tile;
}

uint32_t gradient(int y, int height) {
    return rgb_pixel(0, 0, 255 - 4 * (y * 63 / height));
}

enum class Mode { Opaque, Transparent };

// The pixel the program should show at client position (x, y).
uint32_t expected_pixel(const Tile& tile, Mode mode, int x, int y, int height) {
    const int pitch_x = tile.width + 8, pitch_y = tile.height + 8;
    const int tx = x - 8, ty = y - 8;
    if (tx >= 0 && ty >= 0 && tx % pitch_x < tile.width && ty % pitch_y < tile.height) {
        const uint32_t pixel = tile.at(tx % pitch_x, ty % pitch_y);
        if (mode == Mode::Opaque || pixel != red)
            return pixel;
    }
    return gradient(y, height);
}

// Compares the client area with the expected picture; the first mismatch is described.
std::string compare_client(const PngImage& image, const DumpRect& client, const Tile& tile,
                           Mode mode) {
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < client.height(); ++y) {
        for (int x = 0; x < client.width(); ++x) {
            const uint32_t actual = image.pixel(client.left + x, client.top + y);
            const uint32_t expected = expected_pixel(tile, mode, x, y, client.height());
            if (actual != expected && differing++ == 0)
                first << " first at client (" << x << "," << y << "): 0x" << std::hex << actual
                      << " instead of 0x" << expected;
        }
    }
    if (differing == 0)
        return "";
    return std::to_string(differing) + " pixels differ;" + first.str();
}

struct Capture {
    Dump dump;
    PngImage image;
};

Capture run(const std::string& steps, const std::string& screen = "") {
    ProgramRun program("Blitmark");
    if (!screen.empty())
        program.environment("MULLION_SCREEN", screen);
    const auto result =
        program.run_script("idle\n" + steps + "idle\ndump state.json\nshot state.png\nquit\n");
    EXPECT_FALSE(result.timed_out) << result.output;
    return {Dump::load(program.file("state.json")), PngImage::load(program.file("state.png"))};
}

// Steps that drag the window's bottom-right corner so the client area becomes width x height.
std::string resize_steps(const Dump& dump, int width, int height) {
    const auto* window = dump.top_level("Blitmark");
    const DumpRect frame = Dump::rect(*window), client = Dump::client(*window);
    const int x = frame.right - 1, y = frame.bottom - 1;
    const int to_x = x + width - client.width(), to_y = y + height - client.height();
    return "down " + std::to_string(x) + " " + std::to_string(y) + "\nmove " +
           std::to_string(to_x) + " " + std::to_string(to_y) + "\nup " + std::to_string(to_x) +
           " " + std::to_string(to_y) + "\nidle\n";
}

// The check marks of the two drawing items, as the menu's update handlers set them.
std::pair<bool, bool> drawing_checks(const Dump& dump) {
    const auto* bar = dump.menu_bar("Blitmark");
    if (!bar)
        return {false, false};
    const auto& items = (*bar)["items"][0]["items"];
    return {items[0]["checked"].get<bool>(), items[1]["checked"].get<bool>()};
}

const std::string choose_transparent = "key Alt+O\nkey T\nidle\n";
const std::string choose_opaque = "key Alt+O\nkey O\nidle\n";
const std::string open_and_close_menu = "key Alt+O\nidle\ndump menu.json\nkey Esc\nkey Esc\n";

} // namespace

TEST(Blitmark, TheTileHas705RedPixelsIncludingItsCorners) {
    const Tile tile = load_tile();
    ASSERT_EQ(tile.width, 64);
    ASSERT_EQ(tile.height, 41);
    int reds = 0;
    std::set<uint32_t> others;
    for (uint32_t pixel : tile.pixels) {
        if (pixel == red)
            ++reds;
        else
            others.insert(pixel);
    }
    EXPECT_EQ(reds, 705);
    EXPECT_EQ(tile.at(0, 0), red);
    EXPECT_EQ(tile.at(63, 0), red);
    EXPECT_EQ(tile.at(0, 40), red);
    EXPECT_EQ(tile.at(63, 40), red);
    const std::set<uint32_t> allowed{rgb_pixel(192, 192, 192), rgb_pixel(255, 255, 255),
                                     rgb_pixel(128, 128, 128), rgb_pixel(0, 0, 0)};
    EXPECT_EQ(others, allowed);
}

TEST(Blitmark, OpaqueTilesShowTheirRedBackgroundOverTheGradient) {
    const Tile tile = load_tile();
    ASSERT_EQ(tile.width, 64);
    const auto capture = run("");
    const auto* window = capture.dump.top_level("Blitmark");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ((*window)["style"].get<long long>() & 0x00CF0000, 0x00CF0000);
    EXPECT_EQ(compare_client(capture.image, Dump::client(*window), tile, Mode::Opaque), "");
}

TEST(Blitmark, TransparentTilesShowTheGradientWhereTheBitmapIsRed) {
    const Tile tile = load_tile();
    ASSERT_EQ(tile.width, 64);
    const auto capture = run(choose_transparent);
    const auto* window = capture.dump.top_level("Blitmark");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(compare_client(capture.image, Dump::client(*window), tile, Mode::Transparent), "");
}

TEST(Blitmark, TheGridFollowsTheClientSize) {
    const Tile tile = load_tile();
    ASSERT_EQ(tile.width, 64);
    const Dump start = run("").dump;
    ASSERT_NE(start.top_level("Blitmark"), nullptr);
    // Sizes around the tile pitch (72 x 49), and ones smaller than a single tile.
    const std::vector<std::pair<int, int>> sizes = {{300, 200}, {216, 147}, {215, 146},
                                                    {150, 40},  {130, 30},  {400, 64}};
    for (const auto& [width, height] : sizes) {
        for (Mode mode : {Mode::Opaque, Mode::Transparent}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) +
                         (mode == Mode::Opaque ? " opaque" : " transparent"));
            const auto capture = run(resize_steps(start, width, height) +
                                     (mode == Mode::Transparent ? choose_transparent : ""));
            const auto* window = capture.dump.top_level("Blitmark");
            ASSERT_NE(window, nullptr);
            const DumpRect client = Dump::client(*window);
            EXPECT_EQ(client.width(), width);
            EXPECT_EQ(client.height(), height);
            EXPECT_EQ(compare_client(capture.image, client, tile, mode), "");
        }
    }
}

TEST(Blitmark, TheCheckMarkFollowsTheDrawingMode) {
    ProgramRun program("Blitmark");
    const auto result = program.run_script(
        "idle\n" + open_and_close_menu + "dump start.json\n" + choose_transparent +
        open_and_close_menu + "dump transparent.json\n" + choose_transparent + open_and_close_menu +
        "dump again.json\n" + choose_opaque + open_and_close_menu + "dump opaque.json\nquit\n");
    ASSERT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(drawing_checks(Dump::load(program.file("start.json"))), std::pair(true, false));
    EXPECT_EQ(drawing_checks(Dump::load(program.file("transparent.json"))), std::pair(false, true));
    EXPECT_EQ(drawing_checks(Dump::load(program.file("again.json"))), std::pair(false, true));
    EXPECT_EQ(drawing_checks(Dump::load(program.file("opaque.json"))), std::pair(true, false));
}

TEST(Blitmark, ExitClosesTheProgram) {
    ProgramRun program("Blitmark");
    const auto result = program.run_script("idle\nkey Alt+O\nkey X\n", std::chrono::seconds(20));
    EXPECT_FALSE(result.timed_out) << result.output;
    EXPECT_EQ(result.exit_status, 0) << result.output;
}

TEST(Blitmark, OnAPaletteDisplayTheGradientUsesThePalettesBlues) {
    const Tile tile = load_tile();
    ASSERT_EQ(tile.width, 64);
    for (Mode mode : {Mode::Opaque, Mode::Transparent}) {
        SCOPED_TRACE(mode == Mode::Opaque ? "opaque" : "transparent");
        const auto capture = run(mode == Mode::Transparent ? choose_transparent : "", "1024x768x8");
        const auto* window = capture.dump.top_level("Blitmark");
        ASSERT_NE(window, nullptr);
        const DumpRect client = Dump::client(*window);
        ASSERT_GE(client.height(), 63);
        EXPECT_EQ(compare_client(capture.image, client, tile, mode), "");
        // Every brush but the last one shows: 63 distinct blues down the left margin.
        std::set<uint32_t> blues;
        for (int y = 0; y < client.height(); ++y)
            blues.insert(capture.image.pixel(client.left + 2, client.top + y));
        EXPECT_EQ(blues.size(), 63u);
    }
}
