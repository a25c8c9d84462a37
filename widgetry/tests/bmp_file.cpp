#include "bmp_file.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace widgetry_test {

namespace {

uint32_t read_u32(const std::vector<unsigned char>& data, size_t offset) {
    if (offset + 4 > data.size())
        throw std::runtime_error("truncated bitmap");
    return uint32_t(data[offset]) | uint32_t(data[offset + 1]) << 8 |
           uint32_t(data[offset + 2]) << 16 | uint32_t(data[offset + 3]) << 24;
}

uint16_t read_u16(const std::vector<unsigned char>& data, size_t offset) {
    if (offset + 2 > data.size())
        throw std::runtime_error("truncated bitmap");
    return uint16_t(data[offset] | data[offset + 1] << 8);
}

} // namespace

BmpFile BmpFile::load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> data{std::istreambuf_iterator<char>(in), {}};
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M')
        throw std::runtime_error("not a bitmap: " + path.string());
    const uint32_t bits_offset = read_u32(data, 10);
    const uint32_t header_size = read_u32(data, 14);
    BmpFile bmp;
    bmp.width = int32_t(read_u32(data, 18));
    const int32_t raw_height = int32_t(read_u32(data, 22));
    bmp.height = raw_height < 0 ? -raw_height : raw_height;
    const int bit_count = read_u16(data, 28);
    if (read_u32(data, 30) != 0 || bmp.width <= 0 || bmp.height <= 0)
        throw std::runtime_error("unsupported bitmap: " + path.string());
    uint32_t colours = read_u32(data, 46);
    if (colours == 0 && bit_count <= 8)
        colours = 1u << bit_count;
    std::vector<uint32_t> table(colours);
    for (uint32_t i = 0; i < colours; ++i)
        table[i] = read_u32(data, 14 + header_size + 4 * i) & 0xFFFFFF;

    const size_t stride = (size_t(bmp.width) * size_t(bit_count) + 31) / 32 * 4;
    if (bits_offset + stride * size_t(bmp.height) > data.size())
        throw std::runtime_error("truncated bitmap: " + path.string());
    bmp.pixels.resize(size_t(bmp.width) * size_t(bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        const int source_row = raw_height < 0 ? y : bmp.height - 1 - y;
        const unsigned char* row = data.data() + bits_offset + stride * size_t(source_row);
        for (int x = 0; x < bmp.width; ++x) {
            uint32_t value;
            if (bit_count <= 8) {
                const int bit = x * bit_count;
                const int shift = 8 - bit_count - bit % 8;
                const uint32_t index = (row[bit / 8] >> shift) & ((1u << bit_count) - 1);
                if (index >= table.size())
                    throw std::runtime_error("colour index outside the table");
                value = table[index];
            } else {
                const unsigned char* p = row + size_t(x) * size_t(bit_count / 8);
                value = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
            }
            bmp.pixels[size_t(y) * size_t(bmp.width) + size_t(x)] = value;
        }
    }
    return bmp;
}

} // namespace widgetry_test
