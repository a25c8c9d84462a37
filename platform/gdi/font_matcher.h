#pragma once

#include "windows.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace mullion {

// A face name the programs ask for that has no file of that name here, and the installed
// family that stands in for it, as the registry's font substitutes do.
struct FontSubstitute {
    const char* requested;
    const char* family;
    BYTE generic_family; // FF_SWISS, FF_ROMAN or FF_MODERN
    bool fixed_pitch;
    // The classic face exists only in bold (the system font).
    bool bold_only;
    // Horizontal scale that brings the stand-in's average character width to the classic
    // face's, so that layouts measured in dialog units keep their classic proportions.
    double width_scale = 1.0;
};

// The installed face chosen for a LOGFONT, and what had to be faked to honour it.
struct FaceMatch {
    std::string file;
    int index = 0;
    // The family the file belongs to, and the name GetTextFaceA reports: the requested name
    // when it was substituted or found, else the family used.
    std::string family;
    std::string reported_name;
    BYTE generic_family = FF_SWISS;
    bool fixed_pitch = false;
    int weight = FW_NORMAL;
    bool italic = false;
    bool synthetic_bold = false;
    bool synthetic_italic = false;
    // The substitute's horizontal scale, when its stand-in family was the one found.
    double width_scale = 1.0;
};

// Chooses font files through fontconfig, applying the substitutes table and falling back by
// pitch and family to a face that is always installed. Results are cached: matching is slow.
class FontMatcher {
public:
    static FontMatcher& instance();

    // An empty file means no usable face is installed at all.
    FaceMatch match(const LOGFONTA& logfont);

    static const FontSubstitute* find_substitute(std::string_view face_name);

private:
    FontMatcher();
    FaceMatch match_uncached(const LOGFONTA& logfont);

    std::mutex m_mutex;
    std::unordered_map<std::string, FaceMatch> m_cache;
};

} // namespace mullion
