// Feeds arbitrary bytes to the installer as Setup.txt and fills every entry's placeholder, as
// the dialogs do: an entry is never read as a format, so no input may crash, and an empty
// value may only make an entry shorter.
#include "config_file.h"
#include "config_line.h"
#include "entry_format.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data),
                           size < kMaxConfigFileBytes ? size : kMaxConfigFileBytes);
    CConfigLineArray lines;
    ParseLines(lines, text.c_str());
    for (const CConfigLine* pLine : lines) {
        if (FormatEntry(pLine->m_strText, "").GetLength() > pLine->m_strText.GetLength())
            std::abort();
        FormatEntry(pLine->m_strText, pLine->m_strText);
    }
    FreeConfigLines(lines);
    return 0;
}
