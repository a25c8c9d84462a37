// Icons and bitmaps from a module's resources: LoadIconA, LoadImageA and LoadBitmapA, and the
// decoding of the icon, icon directory and packed-DIB formats behind them.
#include "icon_loader.h"

#include "../kernel/module.h"
#include "menu_drawing.h"
#include "system_icons.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

namespace mullion {

namespace {

uint16_t read16(std::span<const uint8_t> data, size_t offset) {
    return uint16_t(data[offset] | (data[offset + 1] << 8));
}

uint32_t read32(std::span<const uint8_t> data, size_t offset) {
    return uint32_t(read16(data, offset)) | (uint32_t(read16(data, offset + 2)) << 16);
}

size_t dib_stride(int width, int bits_per_pixel) {
    return ((size_t(width) * size_t(bits_per_pixel) + 31) / 32) * 4;
}

// The parts of a packed DIB: a normalised BITMAPINFO (40-byte header, masks, colour table)
// and where the bits start.
struct PackedDib {
    std::vector<uint8_t> info;
    size_t bits_offset = 0;
    int width = 0;
    int height = 0; // as stored: negative for top-down
    int bits_per_pixel = 0;
    size_t bits_size = 0;
};

std::optional<PackedDib> split_packed_dib(std::span<const uint8_t> dib) {
    if (dib.size() < 40)
        return std::nullopt;
    const uint32_t header_size = read32(dib, 0);
    if (header_size < 40 || header_size > dib.size())
        return std::nullopt;
    PackedDib parts;
    parts.width = int32_t(read32(dib, 4));
    parts.height = int32_t(read32(dib, 8));
    parts.bits_per_pixel = read16(dib, 14);
    const uint32_t compression = read32(dib, 16);
    const uint32_t image_size = read32(dib, 20);
    uint32_t colors = read32(dib, 32);
    const int bpp = parts.bits_per_pixel;
    if (parts.width <= 0 || parts.width > 32768 || parts.height == 0 || parts.height < -32768 ||
        parts.height > 32768)
        return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return std::nullopt;
    if (colors == 0 && bpp <= 8)
        colors = 1u << bpp;
    if (colors > 256)
        return std::nullopt;
    // BI_BITFIELDS keeps three masks after a 40-byte header (inside larger headers).
    const size_t masks = compression == 3 && header_size == 40 ? 12 : 0;
    const size_t table = masks + size_t(colors) * 4;
    if (dib.size() - header_size < table)
        return std::nullopt;
    parts.bits_offset = header_size + table;
    const size_t rows = size_t(parts.height < 0 ? -parts.height : parts.height);
    const bool run_length = compression == 1 || compression == 2;
    parts.bits_size = run_length ? image_size : dib_stride(parts.width, bpp) * rows;
    if (dib.size() - parts.bits_offset < parts.bits_size || (run_length && image_size == 0))
        return std::nullopt;
    parts.info.assign(dib.begin(), dib.begin() + 40);
    parts.info[0] = 40;
    parts.info[1] = parts.info[2] = parts.info[3] = 0;
    if (masks)
        parts.info.insert(parts.info.end(), dib.begin() + 40, dib.begin() + 40 + 12);
    else if (compression == 3)
        parts.info.insert(parts.info.end(), dib.begin() + 40, dib.begin() + 52);
    parts.info.insert(parts.info.end(), dib.begin() + header_size + masks,
                      dib.begin() + header_size + table);
    return parts;
}

std::string cache_key(HINSTANCE instance, LPCSTR name, UINT type, int width, int height) {
    std::string key = std::to_string(reinterpret_cast<uintptr_t>(instance)) + "/" +
                      std::to_string(type) + "/" + std::to_string(width) + "x" +
                      std::to_string(height) + "/";
    if (IS_INTRESOURCE(name))
        return key + "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
    for (const char* p = name; *p; ++p)
        key.push_back(*p >= 'a' && *p <= 'z' ? char(*p - 'a' + 'A') : *p);
    return key;
}

HICON load_icon_resource(HINSTANCE instance, LPCSTR name, int width, int height) {
    const auto directory = find_resource_data(instance, name, RT_GROUP_ICON);
    const WORD image_id = choose_icon_image(directory, width, height);
    if (!image_id)
        return nullptr;
    const auto image =
        decode_icon_image(find_resource_data(instance, MAKEINTRESOURCEA(image_id), RT_ICON));
    if (!image)
        return nullptr;
    const IconPixels pixels =
        image->width == width && image->height == height ? *image : image->scaled(width, height);
    return create_icon_from_pixels(pixels, true, POINT{width / 2, height / 2});
}

// Shared images are created once per module, name and size and never destroyed.
HANDLE shared_image(const std::string& key, HANDLE (*create)(const void*), const void* argument) {
    static std::mutex mutex;
    static std::map<std::string, HANDLE> images;
    {
        std::lock_guard lock(mutex);
        if (auto found = images.find(key); found != images.end())
            return found->second;
    }
    HANDLE image = create(argument);
    if (image) {
        std::lock_guard lock(mutex);
        images.emplace(key, image);
    }
    return image;
}

struct IconRequest {
    HINSTANCE instance;
    LPCSTR name;
    int width;
    int height;
};

HANDLE create_requested_icon(const void* argument) {
    const auto* request = static_cast<const IconRequest*>(argument);
    return load_icon_resource(request->instance, request->name, request->width, request->height);
}

std::vector<uint8_t> read_file(const char* path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return bytes;
    uint8_t buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + count);
    std::fclose(file);
    return bytes;
}

HBITMAP load_bitmap_file(const char* path, bool dib_section) {
    const auto bytes = read_file(path);
    // BITMAPFILEHEADER: "BM", the file size, two reserved words, the offset of the bits; the
    // packed DIB follows it.
    if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M')
        return nullptr;
    return bitmap_from_packed_dib(std::span<const uint8_t>(bytes).subspan(14), dib_section);
}

} // namespace

IconPixels IconPixels::scaled(int new_width, int new_height) const {
    IconPixels out;
    out.width = new_width;
    out.height = new_height;
    out.colors.resize(size_t(new_width) * size_t(new_height));
    out.transparent.resize(out.colors.size());
    for (int y = 0; y < new_height; ++y) {
        const int source_y = y * height / new_height;
        for (int x = 0; x < new_width; ++x) {
            const size_t from = size_t(source_y) * size_t(width) + size_t(x * width / new_width);
            const size_t to = size_t(y) * size_t(new_width) + size_t(x);
            out.colors[to] = colors[from];
            out.transparent[to] = transparent[from];
        }
    }
    return out;
}

HICON create_icon_from_pixels(const IconPixels& pixels, bool is_icon, POINT hot_spot) {
    const int w = pixels.width;
    const int h = pixels.height;
    std::vector<uint32_t> colors(pixels.colors);
    // Monochrome bitmap rows are padded to 16 bits; a set bit keeps the screen.
    const size_t mask_stride = size_t((w + 15) / 16) * 2;
    std::vector<uint8_t> mask(mask_stride * size_t(h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            if (pixels.transparent[i]) {
                mask[size_t(y) * mask_stride + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
                colors[i] = 0;
            }
        }
    }
    ICONINFO info{};
    info.fIcon = is_icon;
    info.xHotspot = DWORD(hot_spot.x);
    info.yHotspot = DWORD(hot_spot.y);
    info.hbmColor = CreateBitmap(w, h, 1, 32, colors.data());
    info.hbmMask = CreateBitmap(w, h, 1, 1, mask.data());
    HICON icon = info.hbmColor && info.hbmMask ? CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return icon;
}

std::optional<IconPixels> decode_icon_image(std::span<const uint8_t> data) {
    if (data.size() < 40 || read32(data, 0) < 40 || read32(data, 0) > data.size())
        return std::nullopt;
    const uint32_t header_size = read32(data, 0);
    const int width = int32_t(read32(data, 4));
    const int height = int32_t(read32(data, 8)) / 2;
    const int bpp = read16(data, 14);
    const uint32_t compression = read32(data, 16);
    uint32_t colors = read32(data, 32);
    if (width <= 0 || height <= 0 || width > 1024 || height > 1024 || compression != 0)
        return std::nullopt;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return std::nullopt;
    if (colors == 0 && bpp <= 8)
        colors = 1u << bpp;
    if (colors > 256 || bpp > 8)
        colors = bpp > 8 ? 0 : colors;
    const size_t table = header_size;
    const size_t xor_bits = table + size_t(colors) * 4;
    const size_t xor_stride = dib_stride(width, bpp);
    const size_t and_bits = xor_bits + xor_stride * size_t(height);
    const size_t and_stride = dib_stride(width, 1);
    if (xor_bits > data.size() || data.size() - and_bits < and_stride * size_t(height) ||
        and_bits > data.size())
        return std::nullopt;

    IconPixels pixels;
    pixels.width = width;
    pixels.height = height;
    pixels.colors.resize(size_t(width) * size_t(height));
    pixels.transparent.resize(pixels.colors.size());
    auto palette = [&](uint32_t index) -> uint32_t {
        if (index >= colors)
            return 0;
        const size_t at = table + size_t(index) * 4;
        return (uint32_t(data[at + 2]) << 16) | (uint32_t(data[at + 1]) << 8) | data[at];
    };
    bool uses_alpha = false;
    if (bpp == 32)
        for (int y = 0; y < height && !uses_alpha; ++y)
            for (int x = 0; x < width && !uses_alpha; ++x)
                uses_alpha = data[xor_bits + size_t(y) * xor_stride + size_t(x) * 4 + 3] != 0;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const size_t row = xor_bits + size_t(height - 1 - y) * xor_stride;
        const size_t mask_row = and_bits + size_t(height - 1 - y) * and_stride;
        for (int x = 0; x < width; ++x) {
            uint32_t color = 0;
            bool clear = (data[mask_row + size_t(x / 8)] >> (7 - x % 8)) & 1;
            switch (bpp) {
            case 1:
                color = palette((data[row + size_t(x / 8)] >> (7 - x % 8)) & 1);
                break;
            case 4:
                color = palette((data[row + size_t(x / 2)] >> (x % 2 ? 0 : 4)) & 15);
                break;
            case 8:
                color = palette(data[row + size_t(x)]);
                break;
            case 24: {
                const size_t at = row + size_t(x) * 3;
                color = (uint32_t(data[at + 2]) << 16) | (uint32_t(data[at + 1]) << 8) | data[at];
                break;
            }
            case 32: {
                const size_t at = row + size_t(x) * 4;
                color = (uint32_t(data[at + 2]) << 16) | (uint32_t(data[at + 1]) << 8) | data[at];
                clear = clear || (uses_alpha && data[at + 3] < 128);
                break;
            }
            }
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            pixels.colors[i] = color;
            pixels.transparent[i] = clear;
        }
    }
    return pixels;
}

WORD choose_icon_image(std::span<const uint8_t> directory, int width, int height) {
    // GRPICONDIR: reserved 0, type 1, count; then 14-byte entries: width, height (0 = 256),
    // colour count, reserved, planes, bit count, bytes in resource, RT_ICON id.
    if (directory.size() < 6 || read16(directory, 0) != 0 || read16(directory, 2) != 1)
        return 0;
    const size_t count = read16(directory, 4);
    if (directory.size() - 6 < count * 14)
        return 0;
    WORD best = 0;
    int best_distance = 0;
    int best_depth = 0;
    int best_size = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + i * 14;
        const int entry_width = directory[at] ? directory[at] : 256;
        const int entry_height = directory[at + 1] ? directory[at + 1] : 256;
        const int color_count = directory[at + 2];
        int depth = read16(directory, at + 6);
        if (depth == 0)
            depth = color_count == 2 ? 1 : color_count == 16 ? 4 : 8;
        const int distance = std::abs(entry_width - width) + std::abs(entry_height - height);
        const bool better =
            best == 0 || distance < best_distance ||
            (distance == best_distance &&
             (depth > best_depth || (depth == best_depth && entry_width > best_size)));
        if (better) {
            best = read16(directory, at + 12);
            best_distance = distance;
            best_depth = depth;
            best_size = entry_width;
        }
    }
    return best;
}

HBITMAP bitmap_from_packed_dib(std::span<const uint8_t> dib, bool dib_section) {
    const auto parts = split_packed_dib(dib);
    if (!parts)
        return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(parts->info.data());
    const uint8_t* bits = dib.data() + parts->bits_offset;
    const int rows = parts->height < 0 ? -parts->height : parts->height;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = nullptr;
    if (dib_section) {
        void* section_bits = nullptr;
        bitmap = CreateDIBSection(screen, info, DIB_RGB_COLORS, &section_bits, nullptr, 0);
        if (bitmap && section_bits)
            std::memcpy(section_bits, bits, parts->bits_size);
    } else {
        bitmap = CreateCompatibleBitmap(screen, parts->width, rows);
        if (bitmap)
            SetDIBits(screen, bitmap, 0, UINT(rows), bits, info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

} // namespace mullion

using mullion::find_resource_data;

// The icon of a module at the standard size (32 x 32), or a system icon for a null instance.
// The handle is shared: loading the same icon again returns it.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    if (!lpIconName)
        return nullptr;
    if (!hInstance)
        return IS_INTRESOURCE(lpIconName)
                   ? mullion::system_icon(WORD(reinterpret_cast<uintptr_t>(lpIconName)))
                   : nullptr;
    const mullion::IconRequest request{hInstance, lpIconName, 32, 32};
    auto icon = static_cast<HICON>(
        mullion::shared_image(mullion::cache_key(hInstance, lpIconName, IMAGE_ICON, 32, 32),
                              mullion::create_requested_icon, &request));
    if (!icon)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return icon;
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    if (!hInstance && lpBitmapName == MAKEINTRESOURCEA(OBM_CHECK))
        return mullion::create_check_mark_bitmap();
    if (!hInstance || !lpBitmapName)
        return nullptr;
    HBITMAP bitmap = mullion::bitmap_from_packed_dib(
        find_resource_data(hInstance, lpBitmapName, RT_BITMAP), false);
    if (!bitmap)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return bitmap;
}

HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
    if (!name)
        return nullptr;
    switch (type) {
    case IMAGE_BITMAP:
        if (fuLoad & LR_LOADFROMFILE)
            return IS_INTRESOURCE(name)
                       ? nullptr
                       : mullion::load_bitmap_file(name, fuLoad & LR_CREATEDIBSECTION);
        if (!hInst)
            return nullptr;
        return mullion::bitmap_from_packed_dib(find_resource_data(hInst, name, RT_BITMAP),
                                               fuLoad & LR_CREATEDIBSECTION);
    case IMAGE_ICON: {
        const int width = cx ? cx : GetSystemMetrics(SM_CXICON);
        const int height = cy ? cy : GetSystemMetrics(SM_CYICON);
        if (!hInst)
            return IS_INTRESOURCE(name)
                       ? mullion::system_icon(WORD(reinterpret_cast<uintptr_t>(name)), width)
                       : nullptr;
        if (!(fuLoad & LR_SHARED))
            return mullion::load_icon_resource(hInst, name, width, height);
        const mullion::IconRequest request{hInst, name, width, height};
        return mullion::shared_image(mullion::cache_key(hInst, name, IMAGE_ICON, width, height),
                                     mullion::create_requested_icon, &request);
    }
    case IMAGE_CURSOR:
        return hInst ? nullptr : LoadCursorA(nullptr, name);
    default:
        return nullptr;
    }
}
