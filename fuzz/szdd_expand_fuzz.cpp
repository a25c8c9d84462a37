// Expansion of arbitrary bytes as an SZDD file: it must either expand to exactly the length
// the header records or report an error, never read or write out of bounds.
#include "kernel/szdd_expander.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    mullion::MemorySource source({data, size});
    mullion::MemorySink sink;
    const mullion::ExpandResult result = mullion::expand_szdd(source, sink);
    if (result.status == mullion::ExpandStatus::Expanded) {
        const uint64_t length = uint64_t(data[10]) | uint64_t(data[11]) << 8 |
                                uint64_t(data[12]) << 16 | uint64_t(data[13]) << 24;
        if (sink.bytes.size() != length || result.bytes_written != length)
            std::abort();
    }
    return 0;
}
