// The browse dialog's rules: the characters of a new directory name and the joining of paths.
#include "browse_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IsAllowedNewDirChar, LettersDigitsSpaceAndHashToParenthesis) {
    for (char ch = 'A'; ch <= 'Z'; ++ch)
        EXPECT_TRUE(IsAllowedNewDirChar(ch)) << ch;
    for (char ch = 'a'; ch <= 'z'; ++ch)
        EXPECT_TRUE(IsAllowedNewDirChar(ch)) << ch;
    for (char ch = '0'; ch <= '9'; ++ch)
        EXPECT_TRUE(IsAllowedNewDirChar(ch)) << ch;
    for (char ch : std::string(" #$%&'()"))
        EXPECT_TRUE(IsAllowedNewDirChar(ch)) << ch;
}

TEST(IsAllowedNewDirChar, RefusesEverythingElse) {
    for (char ch : std::string(".-_\\/:*?\"<>|!\"+,;=@[]^`{}~\t"))
        EXPECT_FALSE(IsAllowedNewDirChar(ch)) << ch;
    // The bytes of letters outside A to Z.
    EXPECT_FALSE(IsAllowedNewDirChar('\xC3'));
    EXPECT_FALSE(IsAllowedNewDirChar('\xA9'));
    EXPECT_FALSE(IsAllowedNewDirChar('\0'));
}

TEST(BrowsePaths, BackslashIsAddedOnlyWhenMissing) {
    EXPECT_STREQ(WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_STREQ(WithTrailingBackslash("C:\\Dir"), "C:\\Dir\\");
    EXPECT_STREQ(WithTrailingBackslash(""), "\\");
    EXPECT_STREQ(DirectoryPattern("C:\\"), "C:\\*.*");
    EXPECT_STREQ(DirectoryPattern("C:\\Dir\\Sub"), "C:\\Dir\\Sub\\*.*");
}

} // namespace
