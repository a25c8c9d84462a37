#include "png_image.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace mullion::testing {

PngImage PngImage::load(const std::filesystem::path& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file)
        throw std::runtime_error("cannot open " + path.string());
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw std::runtime_error("not a readable PNG: " + path.string());
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);

    PngImage image;
    image.m_width = int(png_get_image_width(png, info));
    image.m_height = int(png_get_image_height(png, info));
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    image.m_pixels.resize(size_t(image.m_width) * size_t(image.m_height));
    for (int y = 0; y < image.m_height; ++y) {
        png_read_row(png, row.data(), nullptr);
        for (int x = 0; x < image.m_width; ++x)
            image.m_pixels[size_t(y) * size_t(image.m_width) + size_t(x)] =
                rgb_pixel(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

} // namespace mullion::testing
