// LoadStringA: string tables are stored in blocks of sixteen strings; the block with name
// (id / 16) + 1 holds string id at position id % 16, each string a count of UTF-16 units
// followed by the units (an empty slot has count 0).
#include "../kernel/module.h"

#include <cstring>

namespace mullion {

namespace {

// The string's UTF-16 units inside its block; nullopt when the block is missing or malformed.
std::optional<std::u16string> string_from_table(HINSTANCE instance, UINT id) {
    const auto block = find_resource_data(instance, MAKEINTRESOURCEA((id >> 4) + 1), RT_STRING);
    size_t offset = 0;
    for (UINT index = 0;; ++index) {
        if (offset + 2 > block.size())
            return std::nullopt;
        const size_t count = block[offset] | (block[offset + 1] << 8);
        offset += 2;
        if (count * 2 > block.size() - offset)
            return std::nullopt;
        if (index == (id & 15)) {
            std::u16string text(count, u'\0');
            for (size_t i = 0; i < count; ++i)
                text[i] = char16_t(block[offset + 2 * i] | (block[offset + 2 * i + 1] << 8));
            return text;
        }
        offset += count * 2;
    }
}

} // namespace

} // namespace mullion

// Returns the number of bytes copied, without the terminating null. A string longer than the
// buffer is cut to cchBufferMax - 1 bytes, at a character boundary so the UTF-8 stays valid. A
// zero-size buffer, which the "A" function does not support, copies nothing and returns 0.
int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    if (!lpBuffer || cchBufferMax <= 0)
        return 0;
    const auto text = mullion::string_from_table(hInstance, uID);
    if (!text || text->empty()) {
        lpBuffer[0] = '\0';
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const std::string utf8 = mullion::utf8_from_utf16(*text);
    size_t length = utf8.size();
    if (length > size_t(cchBufferMax - 1)) {
        length = size_t(cchBufferMax - 1);
        while (length > 0 && (static_cast<unsigned char>(utf8[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memcpy(lpBuffer, utf8.data(), length);
    lpBuffer[length] = '\0';
    return int(length);
}
