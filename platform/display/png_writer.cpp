#include "png_writer.h"

#include "atomic_file.h"
#include "screen.h"

#include <csetjmp>
#include <cstdint>
#include <png.h>
#include <vector>

namespace mullion {

namespace {

// libpng reports errors by jumping back to the setjmp of the writing function; nothing with a
// destructor may be created between that setjmp and the jump.
bool write_png_stream(const Surface& surface, std::FILE* stream, std::vector<png_byte>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, stream);
    png_set_IHDR(png, info, png_uint_32(surface.width()), png_uint_32(surface.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        const uint32_t* pixels = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[size_t(x) * 3] = png_byte(pixels[x] >> 16);
            row[size_t(x) * 3 + 1] = png_byte(pixels[x] >> 8);
            row[size_t(x) * 3 + 2] = png_byte(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool write_png(const Surface& surface, const std::string& path, std::string& error) {
    if (surface.width() <= 0 || surface.height() <= 0) {
        error = path + ": the picture is empty";
        return false;
    }
    AtomicFile file(path);
    if (!file.stream()) {
        error = file.error();
        return false;
    }
    std::vector<png_byte> row(size_t(surface.width()) * 3);
    if (!write_png_stream(surface, file.stream(), row)) {
        error = path + ": the PNG encoder failed";
        return false;
    }
    if (!file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}

bool write_screen_snapshot(const std::string& path, std::string& error) {
    // A copy taken under the lock keeps the encoding from holding up the drawing threads.
    return write_png(Screen::instance().shown_copy(), path, error);
}

} // namespace mullion
