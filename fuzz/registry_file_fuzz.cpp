// The REGEDIT4 reader on arbitrary text: whatever it accepts must write back out as text that
// reads back to the same keys and values.
#include "kernel/registry_tree.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mullion::RegistryRoots roots;
    mullion::parse_registry_file(std::string_view(reinterpret_cast<const char*>(data), size),
                                 roots);
    const std::string written = mullion::write_registry_file(roots);
    mullion::RegistryRoots again;
    if (mullion::parse_registry_file(written, again) != 0)
        std::abort();
    if (mullion::write_registry_file(again) != written)
        std::abort();
    return 0;
}
