// Feeds arbitrary bytes to the installer's configuration parser as the text of Setup.ini,
// then runs the start-up checks and the entry lookups over what it made: none of them may
// crash or read out of bounds, and no entry may exceed the line limit.
#include "config_file.h"
#include "config_line.h"
#include "ini_validation.h"
#include "shortcut_placement.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The installer reads at most this many bytes, and the text ends at a NUL byte.
    const std::string text(reinterpret_cast<const char*>(data),
                           size < kMaxConfigFileBytes ? size : kMaxConfigFileBytes);
    CConfigLineArray lines;
    ParseLines(lines, text.c_str());
    for (const CConfigLine* pLine : lines)
        if (pLine->m_strText.GetLength() > kMaxConfigLineLength)
            std::abort();
    CheckIniEntries(lines);
    ShortcutFolderValueName(GetConfigEntry(lines, 4));
    BuildShortcutPath(GetConfigEntry(lines, 3), GetConfigEntry(lines, 5));
    FreeConfigLines(lines);
    return 0;
}
