#include "font_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cctype>
#include <cstring>

namespace mullion {

namespace {
// Realized fonts nobody holds are dropped once the cache grows past this many.
constexpr size_t cache_soft_limit = 64;

std::string cache_key(const LOGFONTA& logfont, FontSize size) {
    std::string key(logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE));
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    key += '|' + std::to_string(size.height) + '|' + std::to_string(size.width) + '|' +
           std::to_string(logfont.lfWeight) + '|' + std::to_string(logfont.lfItalic != 0) +
           std::to_string(logfont.lfUnderline != 0) + std::to_string(logfont.lfStrikeOut != 0) +
           '|' + std::to_string(logfont.lfCharSet) + '|' + std::to_string(logfont.lfQuality) + '|' +
           std::to_string(logfont.lfPitchAndFamily);
    return key;
}
} // namespace

FontCache& FontCache::instance() {
    // Never destroyed: font objects in the handle table may release their instances during
    // static destruction, and those need the library and its lock.
    static FontCache* cache = new FontCache;
    return *cache;
}

FontCache::FontCache() {
    FT_Init_FreeType(&m_library);
}

std::shared_ptr<FontInstance> FontCache::realize(const LOGFONTA& logfont, FontSize size) {
    if (!m_library)
        return nullptr;
    std::string key = cache_key(logfont, size);
    {
        std::lock_guard lock(m_mutex);
        if (auto it = m_instances.find(key); it != m_instances.end())
            return it->second;
    }

    FaceMatch match = FontMatcher::instance().match(logfont);
    if (match.file.empty())
        return nullptr;
    FT_Face face = nullptr;
    {
        std::lock_guard freetype_lock(m_freetype_mutex);
        if (FT_New_Face(m_library, match.file.c_str(), match.index, &face) != 0)
            return nullptr;
    }
    auto instance = std::make_shared<FontInstance>(face, std::move(match), logfont, size);

    std::lock_guard lock(m_mutex);
    if (m_instances.size() >= cache_soft_limit)
        evict_unused_locked();
    // Another thread may have realized the same font meanwhile: keep the first.
    return m_instances.emplace(std::move(key), instance).first->second;
}

void FontCache::evict_unused_locked() {
    std::erase_if(m_instances, [](const auto& entry) { return entry.second.use_count() == 1; });
}

} // namespace mullion
