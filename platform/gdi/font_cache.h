#pragma once

#include "font_instance.h"
#include "windows.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

typedef struct FT_LibraryRec_* FT_Library;

namespace mullion {

// The FreeType library and the realized fonts, shared by every device context and thread.
// Equal requests share one FontInstance (one FT_Face per file and pixel size).
class FontCache {
public:
    static FontCache& instance();

    // The font a LOGFONT names at the given device size; null if no face is installed.
    std::shared_ptr<FontInstance> realize(const LOGFONTA& logfont, FontSize size);

    // FreeType objects are not thread-safe: every call into FreeType holds this lock.
    std::mutex& freetype_mutex() { return m_freetype_mutex; }

private:
    FontCache();
    void evict_unused_locked();

    FT_Library m_library = nullptr;
    std::mutex m_freetype_mutex;
    std::mutex m_mutex;
    std::unordered_map<std::string, std::shared_ptr<FontInstance>> m_instances;
};

} // namespace mullion
