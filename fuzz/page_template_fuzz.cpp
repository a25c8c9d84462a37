// Feeds arbitrary bytes to the property sheet's reader of page templates: it may refuse them,
// but must not crash or read out of bounds, and what it accepts it restyles as a page.
#include "page_template.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto page = framework::ReadPageTemplate(data, size);
    if (!page)
        return 0;
    if (page->bytes.size() != size)
        std::abort();
    const bool extended =
        size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    DWORD style = 0;
    std::memcpy(&style, page->bytes.data() + (extended ? 12 : 0), 4);
    if (!(style & WS_CHILD) || !(style & DS_CONTROL) || (style & WS_POPUP))
        std::abort();
    return 0;
}
