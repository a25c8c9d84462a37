// Feeds arbitrary bytes to the resource loader as a compiled .res image, and every menu and
// dialog template it finds to their parsers: none of them may crash, hang or read out of bounds.
#include "user/dialog_template.h"
#include "user/menu_template.h"
#include "user/resource_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const auto image = mullion::ResourceImage::parse(bytes, nullptr);
    if (!image) {
        // The bytes may also be a template on their own.
        mullion::DialogTemplate::parse(bytes);
        if (HMENU menu = mullion::load_menu_template(data, size))
            DestroyMenu(menu);
        return 0;
    }
    for (const auto& entry : image->entries()) {
        if (!entry.type.by_ordinal)
            continue;
        if (entry.type.ordinal == 5)
            mullion::DialogTemplate::parse(entry.data);
        else if (entry.type.ordinal == 4)
            if (HMENU menu = mullion::load_menu_template(entry.data.data(), entry.data.size()))
                DestroyMenu(menu);
    }
    return 0;
}
