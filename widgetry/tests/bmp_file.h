// Reads the programs' own .bmp pictures (uncompressed, 1 to 32 bits per pixel) so that tests can
// compare what reached the screen with the picture itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace widgetry_test {

struct BmpFile {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top-down

    uint32_t pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }

    // Throws std::runtime_error for a file it cannot read.
    static BmpFile load(const std::filesystem::path& path);
};

} // namespace widgetry_test
