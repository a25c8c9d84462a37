// Feeds arbitrary bytes to the shortcut (.lnk) file reader; whatever it accepts must encode
// again and read back to the same target.
#include "shell/shell_link_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto link = mullion::ShellLinkFile::decode(std::span(data, size));
    if (!link)
        return 0;
    const auto again = mullion::ShellLinkFile::decode(link->encode());
    if (!again || again->description != link->description)
        std::abort();
    return 0;
}
