// The file-name conversion of the underscore mode.
#include "underscore_conversion.h"

#include <gtest/gtest.h>

namespace {

TEST(ConvertUnderscores, WordsBecomeCapitalisedAndTheExtensionLowerCase) {
    EXPECT_STREQ(ConvertUnderscores("my_file_name.TXT"), "My File Name.txt");
    EXPECT_STREQ(ConvertUnderscores("read_me.txt"), "Read Me.txt");
    EXPECT_STREQ(ConvertUnderscores("README.TXT"), "Readme.txt");
}

TEST(ConvertUnderscores, UnderscoresAtTheEdges) {
    EXPECT_STREQ(ConvertUnderscores("name_"), "Name ");
    EXPECT_STREQ(ConvertUnderscores("_name"), " Name");
    EXPECT_STREQ(ConvertUnderscores("a__b"), "A  B");
    EXPECT_STREQ(ConvertUnderscores("_"), " ");
}

TEST(ConvertUnderscores, OnlyTheCharacterAfterAnUnderscoreIsRaised) {
    EXPECT_STREQ(ConvertUnderscores("x_1st_pLACE.Dat"), "X 1st Place.dat");
}

TEST(ConvertUnderscores, EmptyNameStaysEmpty) {
    EXPECT_STREQ(ConvertUnderscores(""), "");
}

} // namespace
