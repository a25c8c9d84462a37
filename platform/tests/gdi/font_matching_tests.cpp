// Font objects and face matching: the substitutes table, fallbacks by pitch and family, and
// what GetTextFaceA and GetObjectA report.
#include "gdi/font.h"
#include "gdi/font_matcher.h"
#include "text_test_support.h"

#include <string>

namespace {

using mullion::FontMatcher;

std::string text_face(HDC dc) {
    char name[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof name, name);
    return name;
}

mullion::FaceMatch match_face(const char* face, BYTE pitch_and_family = DEFAULT_PITCH,
                              LONG weight = FW_NORMAL, BYTE italic = FALSE) {
    LOGFONTA logfont = mullion::make_logfont(-12, weight, face, 0, pitch_and_family);
    logfont.lfItalic = italic;
    return FontMatcher::instance().match(logfont);
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(FontMatching, ClassicFacesMapToTheirSubstitutes) {
    struct Case {
        const char* requested;
        const char* family;
    };
    for (const Case& c :
         {Case{"Times New Roman", "Liberation Serif"}, Case{"Arial", "Liberation Sans"},
          Case{"Courier New", "Liberation Mono"}, Case{"MS Sans Serif", "Liberation Sans"},
          Case{"MS Shell Dlg", "Liberation Sans"}, Case{"Helv", "Liberation Sans"}}) {
        const mullion::FaceMatch match = match_face(c.requested);
        EXPECT_EQ(match.family, c.family) << c.requested;
        EXPECT_EQ(match.reported_name, c.requested);
        EXPECT_FALSE(match.file.empty());
    }
}

TEST(FontMatching, SubstitutesIgnoreCase) {
    ASSERT_NE(FontMatcher::find_substitute("times new roman"), nullptr);
    EXPECT_STREQ(FontMatcher::find_substitute("ARIAL")->family, "Liberation Sans");
    EXPECT_EQ(FontMatcher::find_substitute("Arial Black Condensed"), nullptr);
}

TEST(FontMatching, UnknownFacesFallBackByPitchAndFamily) {
    const char* unknown = "No Such Face Anywhere";
    const auto roman = match_face(unknown, VARIABLE_PITCH | FF_ROMAN);
    EXPECT_TRUE(contains(roman.family, "Serif") && !contains(roman.family, "Sans")) << roman.family;
    const auto fixed = match_face(unknown, FIXED_PITCH | FF_DONTCARE);
    EXPECT_TRUE(fixed.fixed_pitch);
    EXPECT_TRUE(contains(fixed.family, "Mono")) << fixed.family;
    const auto plain = match_face(unknown);
    EXPECT_TRUE(contains(plain.family, "Sans")) << plain.family;
    // An unknown name is not claimed: the family really used is reported.
    EXPECT_EQ(plain.reported_name, plain.family);
}

TEST(FontMatching, EmptyFaceNameFollowsTheFamilyBits) {
    EXPECT_TRUE(contains(match_face("", VARIABLE_PITCH | FF_MODERN).family, "Mono"));
    EXPECT_EQ(match_face("", VARIABLE_PITCH | FF_SWISS).family, "Liberation Sans");
}

TEST(FontMatching, RealStylesAreUsedBeforeSynthesis) {
    const auto bold = match_face("Arial", DEFAULT_PITCH, FW_BOLD);
    EXPECT_FALSE(bold.synthetic_bold);
    EXPECT_GE(bold.weight, FW_SEMIBOLD);
    const auto italic = match_face("Times New Roman", DEFAULT_PITCH, FW_NORMAL, TRUE);
    EXPECT_FALSE(italic.synthetic_italic);
    EXPECT_TRUE(italic.italic);
    EXPECT_NE(bold.file, match_face("Arial").file);
    EXPECT_NE(italic.file, match_face("Times New Roman").file);
}

TEST(FontMatching, TheSystemFaceIsAlwaysBold) {
    EXPECT_GE(match_face("System", DEFAULT_PITCH, FW_NORMAL).weight, FW_SEMIBOLD);
}

TEST(FontObjects, GetTextFaceReportsTheRequestedName) {
    TestCanvas canvas(4, 4);
    {
        SelectedFont font(canvas.dc(), -14, "Times New Roman");
        EXPECT_EQ(text_face(canvas.dc()), "Times New Roman");
    }
    {
        SelectedFont font(canvas.dc(), -14, "Courier New");
        EXPECT_EQ(text_face(canvas.dc()), "Courier New");
    }
}

TEST(FontObjects, GetTextFaceSizesAndTruncates) {
    TestCanvas canvas(4, 4);
    SelectedFont font(canvas.dc(), -14, "Arial");
    // Without a buffer: the size needed, terminating null included.
    EXPECT_EQ(GetTextFaceA(canvas.dc(), 0, nullptr), 6);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetTextFaceA(canvas.dc(), sizeof small, small), 3);
    EXPECT_STREQ(small, "Ari");
    char exact[16] = {};
    EXPECT_EQ(GetTextFaceA(canvas.dc(), sizeof exact, exact), 5);
    EXPECT_EQ(GetTextFaceA(nullptr, sizeof exact, exact), 0);
}

TEST(FontObjects, CreateFontStoresEveryFieldOfTheLogfont) {
    HFONT font =
        CreateFontA(-17, 9, 0, 0, FW_SEMIBOLD, TRUE, TRUE, TRUE, SYMBOL_CHARSET, OUT_TT_PRECIS,
                    CLIP_STROKE_PRECIS, PROOF_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT));
    EXPECT_EQ(GetObjectA(font, 0, nullptr), int(sizeof(LOGFONTA)));
    LOGFONTA logfont{};
    EXPECT_EQ(GetObjectA(font, sizeof logfont, &logfont), int(sizeof(LOGFONTA)));
    EXPECT_EQ(logfont.lfHeight, -17);
    EXPECT_EQ(logfont.lfWidth, 9);
    EXPECT_EQ(logfont.lfWeight, FW_SEMIBOLD);
    EXPECT_EQ(logfont.lfItalic, TRUE);
    EXPECT_EQ(logfont.lfUnderline, TRUE);
    EXPECT_EQ(logfont.lfStrikeOut, TRUE);
    EXPECT_EQ(logfont.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(logfont.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_EQ(logfont.lfClipPrecision, CLIP_STROKE_PRECIS);
    EXPECT_EQ(logfont.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(logfont.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_STREQ(logfont.lfFaceName, "Courier New");
    EXPECT_TRUE(DeleteObject(font));
}

TEST(FontObjects, CreateFontIndirectCopiesAndTerminatesTheName) {
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    LOGFONTA logfont = mullion::make_logfont(20, FW_NORMAL, "");
    std::memset(logfont.lfFaceName, 'A', LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&logfont);
    ASSERT_NE(font, nullptr);
    LOGFONTA stored{};
    // A short buffer receives only its size.
    EXPECT_EQ(GetObjectA(font, 8, &stored), 8);
    EXPECT_EQ(stored.lfHeight, 20);
    EXPECT_EQ(stored.lfFaceName[0], '\0');
    GetObjectA(font, sizeof stored, &stored);
    EXPECT_EQ(std::strlen(stored.lfFaceName), size_t(LF_FACESIZE - 1));
    DeleteObject(font);
}

TEST(FontObjects, StockFontsArePermanentAndDescribed) {
    for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT,
                      DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
        HGDIOBJ font = GetStockObject(index);
        ASSERT_NE(font, nullptr) << index;
        EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT)) << index;
        EXPECT_EQ(GetStockObject(index), font);
        DeleteObject(font);
        EXPECT_EQ(GetObjectType(font), DWORD(OBJ_FONT)) << index;
    }
    LOGFONTA system{};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system);
    EXPECT_STREQ(system.lfFaceName, "System");
    LOGFONTA gui{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    EXPECT_LT(gui.lfHeight, 0);
}

TEST(FontObjects, InterfaceFontIsTheEightPointSans) {
    LOGFONTA logfont{};
    GetObjectA(mullion::interface_font(), sizeof logfont, &logfont);
    // 8 points at 96 pixels per inch, in whole pixels.
    EXPECT_EQ(logfont.lfHeight, -(96 * 8) / 72);
    EXPECT_EQ(logfont.lfWeight, FW_NORMAL);
    TestCanvas canvas(4, 4);
    HGDIOBJ previous = SelectObject(canvas.dc(), mullion::interface_font());
    EXPECT_EQ(text_metrics(canvas.dc()).tmHeight, 13);
    SelectObject(canvas.dc(), previous);
}

} // namespace
