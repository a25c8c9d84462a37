#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace mullion::testing {

// A snapshot read back from a PNG file: pixels as 0x00RRGGBB, rows top-down.
class PngImage {
public:
    // Throws std::runtime_error when the file is missing or not a PNG.
    static PngImage load(const std::filesystem::path& path);

    int width() const { return m_width; }
    int height() const { return m_height; }
    uint32_t pixel(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint32_t> m_pixels;
};

constexpr uint32_t rgb_pixel(int r, int g, int b) {
    return uint32_t(r << 16 | g << 8 | b);
}

} // namespace mullion::testing
