// Writes the bytes of small .bmp files for the tests: a file header, a 40-byte info header, a
// colour table and rows padded to four bytes, bottom-up or top-down.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace graymill_test {

struct BmpSpec {
    int width = 0;
    int height = 0; // rows of the image
    int bitCount = 24;
    bool topDown = false;
    uint32_t colorsUsed = 0;       // the header's count; 0 means 2^bits for <= 8 bits
    std::vector<uint32_t> palette; // 0x00RRGGBB entries written as the colour table
    std::vector<uint32_t> pixels;  // row-major, top row first: an index or 0x00RRGGBB
};

inline void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

inline size_t RowBytes(int width, int bitCount) {
    return (size_t(width) * bitCount + 31) / 32 * 4;
}

inline std::string BmpBytes(const BmpSpec& spec) {
    const size_t stride = RowBytes(spec.width, spec.bitCount);
    const size_t bitsOffset = 14 + 40 + spec.palette.size() * 4;
    const size_t fileSize = bitsOffset + stride * size_t(spec.height);
    std::string out = "BM";
    PutLe(out, uint32_t(fileSize), 4);
    PutLe(out, 0, 4);
    PutLe(out, uint32_t(bitsOffset), 4);
    PutLe(out, 40, 4);
    PutLe(out, uint32_t(spec.width), 4);
    PutLe(out, uint32_t(spec.topDown ? -spec.height : spec.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, uint32_t(spec.bitCount), 2);
    PutLe(out, 0, 4); // BI_RGB
    PutLe(out, uint32_t(stride * size_t(spec.height)), 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, spec.colorsUsed, 4);
    PutLe(out, 0, 4);
    for (uint32_t color : spec.palette)
        PutLe(out, color, 4); // blue, green, red, reserved
    for (int row = 0; row < spec.height; ++row) {
        const int y = spec.topDown ? row : spec.height - 1 - row;
        std::vector<uint8_t> line(stride, 0);
        for (int x = 0; x < spec.width; ++x) {
            const uint32_t value = spec.pixels[size_t(y) * size_t(spec.width) + size_t(x)];
            switch (spec.bitCount) {
            case 1:
            case 4:
            case 8: {
                const size_t bit = size_t(x) * size_t(spec.bitCount);
                const int shift = 8 - spec.bitCount - int(bit % 8);
                line[bit / 8] |= uint8_t(value << shift);
                break;
            }
            case 24:
                line[size_t(x) * 3 + 0] = uint8_t(value);
                line[size_t(x) * 3 + 1] = uint8_t(value >> 8);
                line[size_t(x) * 3 + 2] = uint8_t(value >> 16);
                break;
            case 32:
                for (int i = 0; i < 4; ++i)
                    line[size_t(x) * 4 + size_t(i)] = uint8_t(value >> (8 * i));
                break;
            }
        }
        out.append(line.begin(), line.end());
    }
    return out;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The gray level the conversion gives a colour: (30 red + 59 green + 11 blue) / 100.
inline int ExpectedGray(uint32_t rgb) {
    return int((30 * ((rgb >> 16) & 0xFF) + 59 * ((rgb >> 8) & 0xFF) + 11 * (rgb & 0xFF)) / 100);
}

} // namespace graymill_test
