#include "display/png_writer.h"
#include "display/screen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <png.h>
#include <unistd.h>

namespace mullion {
namespace {

struct DecodedPng {
    bool ok = false;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bit_depth = 0;
    int color_type = 0;
    std::vector<png_byte> rgb;
};

DecodedPng read_png(const std::string& path) {
    DecodedPng decoded;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return decoded;
    decoded.width = image.width;
    decoded.height = image.height;
    decoded.bit_depth = (image.format & PNG_FORMAT_FLAG_LINEAR) ? 16 : 8;
    decoded.color_type = int(image.format);
    image.format = PNG_FORMAT_RGB;
    decoded.rgb.resize(PNG_IMAGE_SIZE(image));
    decoded.ok = png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr) != 0;
    return decoded;
}

class PngFiles : public ::testing::Test {
protected:
    void SetUp() override {
        directory = std::filesystem::temp_directory_path() /
                    ("mullion_png_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(directory);
    }
    void TearDown() override { std::filesystem::remove_all(directory); }
    std::string path(const char* name) const { return (directory / name).string(); }
    std::filesystem::path directory;
};

TEST_F(PngFiles, WritesEightBitRgbWithEveryPixelInPlace) {
    Surface surface(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            surface.set_pixel(x, y, uint32_t(x * 50) << 16 | uint32_t(y * 100) << 8 | 7);
    std::string error;
    ASSERT_TRUE(write_png(surface, path("out.png"), error)) << error;

    DecodedPng png = read_png(path("out.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 5u);
    EXPECT_EQ(png.height, 3u);
    EXPECT_EQ(png.bit_depth, 8);
    EXPECT_EQ(png.color_type, PNG_FORMAT_RGB);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const png_byte* rgb = &png.rgb[size_t(y * 5 + x) * 3];
            EXPECT_EQ(rgb[0], x * 50) << x << "," << y;
            EXPECT_EQ(rgb[1], y * 100) << x << "," << y;
            EXPECT_EQ(rgb[2], 7) << x << "," << y;
        }
}

TEST_F(PngFiles, ReplacesAnOldFileAndLeavesNoTemporaryFile) {
    std::string target = path("shot.png");
    std::FILE* old = std::fopen(target.c_str(), "w");
    std::fputs("old contents", old);
    std::fclose(old);
    std::string error;
    ASSERT_TRUE(write_png(Surface(2, 2, 0xFFFFFF), target, error)) << error;
    DecodedPng png = read_png(target);
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.rgb, std::vector<png_byte>(12, 0xFF));
    EXPECT_FALSE(std::filesystem::exists(target + ".tmp"));
}

TEST_F(PngFiles, AnUnwritablePlaceIsReportedAndLeavesNothing) {
    std::string target = path("missing/dir/shot.png");
    std::string error;
    EXPECT_FALSE(write_png(Surface(2, 2), target, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(PngFiles, ScreenSnapshotHasTheScreenSizeAndContents) {
    Screen& screen = Screen::instance();
    {
        std::lock_guard guard(screen.lock());
        screen.surface().set_pixel(3, 4, 0x123456);
    }
    std::string error;
    ASSERT_TRUE(write_screen_snapshot(path("screen.png"), error)) << error;
    DecodedPng png = read_png(path("screen.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(int(png.width), screen.width());
    EXPECT_EQ(int(png.height), screen.height());
    const png_byte* rgb = &png.rgb[(size_t(4) * png.width + 3) * 3];
    EXPECT_EQ(rgb[0], 0x12);
    EXPECT_EQ(rgb[1], 0x34);
    EXPECT_EQ(rgb[2], 0x56);
}

} // namespace
} // namespace mullion
