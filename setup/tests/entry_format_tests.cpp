// Filling Setup.txt entries: "%s" takes the value, "%%" is a percent sign, and nothing else in
// the entry is read as a format.
#include "entry_format.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatEntry, FillsThePlaceholderAndUndoublesPercentSigns) {
    EXPECT_STREQ(FormatEntry("Welcome to %s.", "Vantrel"), "Welcome to Vantrel.");
    EXPECT_STREQ(FormatEntry("%s", "x"), "x");
    EXPECT_STREQ(FormatEntry("100%% of %s", "it"), "100% of it");
    EXPECT_STREQ(FormatEntry("no placeholder", "ignored"), "no placeholder");
    EXPECT_STREQ(FormatEntry("", "ignored"), "");
}

TEST(FormatEntry, KeepsOtherPercentSequencesAsWritten) {
    // A printf-style formatter would read further arguments for these or write through %n.
    EXPECT_STREQ(FormatEntry("%d %n %x %s", "v"), "%d %n %x v");
    EXPECT_STREQ(FormatEntry("ends in %", "v"), "ends in %");
    // "%%s" is a percent sign followed by the letter s.
    EXPECT_STREQ(FormatEntry("%%s", "v"), "%s");
}

TEST(FormatEntry, TheValueIsNotFormattedAgain) {
    EXPECT_STREQ(FormatEntry("file '%s'", "100%%_%s.txt"), "file '100%%_%s.txt'");
}

} // namespace
