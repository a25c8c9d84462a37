#include "font_matcher.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <strings.h>
#include <vector>

namespace mullion {

namespace {

constexpr std::array substitutes{
    // The classic dialog face is narrower than its stand-in: at 8 points its letters average
    // under 6 pixels, which makes the dialog unit 6 pixels wide.
    FontSubstitute{"MS Shell Dlg", "Liberation Sans", FF_SWISS, false, false, 0.85},
    FontSubstitute{"MS Shell Dlg 2", "Liberation Sans", FF_SWISS, false, false, 0.85},
    FontSubstitute{"MS Sans Serif", "Liberation Sans", FF_SWISS, false, false, 0.85},
    FontSubstitute{"Helv", "Liberation Sans", FF_SWISS, false, false, 0.85},
    FontSubstitute{"Helvetica", "Liberation Sans", FF_SWISS, false, false},
    FontSubstitute{"Arial", "Liberation Sans", FF_SWISS, false, false},
    FontSubstitute{"Tahoma", "Liberation Sans", FF_SWISS, false, false},
    FontSubstitute{"System", "Liberation Sans", FF_SWISS, false, true},
    FontSubstitute{"Times New Roman", "Liberation Serif", FF_ROMAN, false, false},
    FontSubstitute{"Times", "Liberation Serif", FF_ROMAN, false, false},
    FontSubstitute{"Tms Rmn", "Liberation Serif", FF_ROMAN, false, false},
    FontSubstitute{"MS Serif", "Liberation Serif", FF_ROMAN, false, false},
    FontSubstitute{"Courier New", "Liberation Mono", FF_MODERN, true, false},
    FontSubstitute{"Courier", "Liberation Mono", FF_MODERN, true, false},
    FontSubstitute{"Fixedsys", "Liberation Mono", FF_MODERN, true, false},
    FontSubstitute{"Terminal", "Liberation Mono", FF_MODERN, true, false},
    FontSubstitute{"Lucida Console", "Liberation Mono", FF_MODERN, true, false},
};

// Families tried, in order, for each generic family: the metric-compatible face first, then
// one that is always installed, then whatever fontconfig's configuration prefers.
const std::vector<const char*>& fallback_families(BYTE generic_family, bool fixed_pitch) {
    static const std::vector<const char*> sans{"Liberation Sans", "DejaVu Sans", "sans-serif"};
    static const std::vector<const char*> serif{"Liberation Serif", "DejaVu Serif", "serif"};
    static const std::vector<const char*> mono{"Liberation Mono", "DejaVu Sans Mono", "monospace"};
    if (fixed_pitch || generic_family == FF_MODERN)
        return mono;
    if (generic_family == FF_ROMAN)
        return serif;
    return sans;
}

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string face_name_of(const LOGFONTA& logfont) {
    return std::string(logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE));
}

// The family bits to report for a face chosen without them being asked for.
BYTE generic_family_of(std::string_view family, bool fixed_pitch) {
    if (fixed_pitch)
        return FF_MODERN;
    const bool serif = family.find("Serif") != std::string_view::npos;
    const bool sans = family.find("Sans") != std::string_view::npos;
    return serif && !sans ? FF_ROMAN : FF_SWISS;
}

bool pattern_has_family(FcPattern* pattern, std::string_view family) {
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
        if (same_name(reinterpret_cast<const char*>(value), family))
            return true;
    }
    return false;
}

} // namespace

FontMatcher& FontMatcher::instance() {
    static FontMatcher matcher;
    return matcher;
}

FontMatcher::FontMatcher() {
    FcInit();
}

const FontSubstitute* FontMatcher::find_substitute(std::string_view face_name) {
    for (const auto& substitute : substitutes) {
        if (same_name(face_name, substitute.requested))
            return &substitute;
    }
    return nullptr;
}

FaceMatch FontMatcher::match(const LOGFONTA& logfont) {
    std::string key = face_name_of(logfont);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    key += '|' + std::to_string(logfont.lfWeight) + '|' + std::to_string(logfont.lfItalic != 0) +
           '|' + std::to_string(logfont.lfPitchAndFamily);
    std::lock_guard lock(m_mutex);
    if (auto it = m_cache.find(key); it != m_cache.end())
        return it->second;
    FaceMatch result = match_uncached(logfont);
    m_cache.emplace(std::move(key), result);
    return result;
}

FaceMatch FontMatcher::match_uncached(const LOGFONTA& logfont) {
    const std::string requested = face_name_of(logfont);
    const FontSubstitute* substitute = find_substitute(requested);

    BYTE generic_family = logfont.lfPitchAndFamily & 0xF0;
    bool fixed_pitch = (logfont.lfPitchAndFamily & 0x03) == FIXED_PITCH;
    int weight = logfont.lfWeight == FW_DONTCARE ? FW_NORMAL : int(logfont.lfWeight);
    if (substitute) {
        generic_family = substitute->generic_family;
        fixed_pitch = substitute->fixed_pitch;
        if (substitute->bold_only)
            weight = FW_BOLD;
    }

    std::vector<std::string> families;
    if (substitute)
        families.emplace_back(substitute->family);
    else if (!requested.empty())
        families.push_back(requested);
    for (const char* family : fallback_families(generic_family, fixed_pitch))
        families.emplace_back(family);

    FcPattern* pattern = FcPatternCreate();
    for (const auto& family : families)
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, logfont.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (fixed_pitch)
        FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);

    FaceMatch match;
    match.generic_family = generic_family;
    if (!found)
        return match;

    FcChar8* file = nullptr;
    FcChar8* family = nullptr;
    int index = 0;
    int found_weight = FC_WEIGHT_REGULAR;
    int found_slant = FC_SLANT_ROMAN;
    int spacing = FC_PROPORTIONAL;
    if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
        match.file = reinterpret_cast<const char*>(file);
    if (FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch)
        match.family = reinterpret_cast<const char*>(family);
    FcPatternGetInteger(found, FC_INDEX, 0, &index);
    FcPatternGetInteger(found, FC_WEIGHT, 0, &found_weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &found_slant);
    FcPatternGetInteger(found, FC_SPACING, 0, &spacing);
    const bool requested_found = !requested.empty() && pattern_has_family(found, requested);
    FcPatternDestroy(found);

    match.index = index;
    match.fixed_pitch = fixed_pitch || spacing == FC_MONO;
    if (match.generic_family == FF_DONTCARE)
        match.generic_family = generic_family_of(match.family, match.fixed_pitch);
    const int file_weight = FcWeightToOpenType(found_weight);
    match.synthetic_bold = weight >= FW_SEMIBOLD && file_weight < FW_SEMIBOLD;
    match.weight = match.synthetic_bold ? FW_BOLD : file_weight;
    match.italic = logfont.lfItalic != 0;
    match.synthetic_italic = match.italic && found_slant == FC_SLANT_ROMAN;
    match.reported_name = (substitute || requested_found) ? requested : match.family;
    if (substitute && same_name(match.family, substitute->family))
        match.width_scale = substitute->width_scale;
    return match;
}

} // namespace mullion
