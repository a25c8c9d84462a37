// MultiByteToWideChar and WideCharToMultiByte with the UTF-8 ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string to_wide(const std::string& text, DWORD flags = 0) {
    const int needed =
        MultiByteToWideChar(CP_ACP, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string wide(static_cast<size_t>(needed), u'\0');
    if (needed > 0)
        MultiByteToWideChar(CP_ACP, flags, text.data(), static_cast<int>(text.size()), wide.data(),
                            needed);
    return wide;
}

TEST(MultiByteToWideChar, SizeQueryAndTerminatingZero) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "h\xC3\xA9llo", -1, nullptr, 0), 6);
    WCHAR buffer[8];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xC3\xA9llo", -1, buffer, 8), 6);
    EXPECT_EQ(std::u16string(buffer), u"h\u00E9llo");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 2, buffer, 8), 2);
}

TEST(MultiByteToWideChar, CharactersBeyondTheBasicPlaneBecomeSurrogatePairs) {
    EXPECT_EQ(to_wide("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
    EXPECT_EQ(to_wide("\xE2\x82\xAC"), u"\u20AC");
}

TEST(MultiByteToWideChar, IllFormedInputIsReplacedOrRefused) {
    EXPECT_EQ(to_wide("a\xC3("), (std::u16string{u'a', 0xFFFD, u'('}));
    EXPECT_EQ(to_wide("\xC0\xAF"), (std::u16string{0xFFFD, 0xFFFD}));                // overlong "/"
    EXPECT_EQ(to_wide("\xED\xA0\x80").find(char16_t{0xD800}), std::u16string::npos); // a surrogate
    EXPECT_EQ(to_wide("\xF4\x90\x80\x80").find(char16_t{0xDBC0}), std::u16string::npos);

    WCHAR buffer[8];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "a\xFF", 2, buffer, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(MultiByteToWideChar, ErrorsOfTheCall) {
    WCHAR buffer[2];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, buffer, 2), 0);
    EXPECT_EQ(MultiByteToWideChar(37, 0, "abc", 3, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0x4000, "abc", 3, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST(WideCharToMultiByte, RoundTripsAndReportsSizes) {
    const std::u16string wide = u"Gr\u00FC\u00DFe \U0001F600";
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(needed, 2 + 2 + 2 + 1 + 1 + 4 + 1);
    std::string narrow(static_cast<size_t>(needed), '\0');
    EXPECT_EQ(
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow.data(), needed, nullptr, nullptr),
        needed);
    EXPECT_EQ(narrow, std::string("Gr\xC3\xBC\xC3\x9F"
                                  "e \xF0\x9F\x98\x80",
                                  12) +
                          '\0');
}

TEST(WideCharToMultiByte, LoneSurrogatesAreReplacedOrRefused) {
    const char16_t lone[] = {u'a', 0xD800, u'b'};
    char buffer[8] = {};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, lone, 3, buffer, 8, nullptr, nullptr), 5);
    EXPECT_EQ(std::string(buffer, 5), "a\xEF\xBF\xBD"
                                      "b");
    SetLastError(0);
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 3, buffer, 8, nullptr, nullptr),
        0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
}

TEST(WideCharToMultiByte, DefaultCharactersDoNotApplyToUtf8) {
    char buffer[8];
    BOOL used = FALSE;
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"x", 1, buffer, 8, "?", nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"x", 1, buffer, 8, nullptr, &used), 0);
}

} // namespace
