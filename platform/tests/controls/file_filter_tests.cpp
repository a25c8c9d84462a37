// The file dialogs' filter lists: parsing lpstrFilter's pairs and matching names against
// semicolon-separated patterns.
#include "controls/file_filter.h"

#include <gtest/gtest.h>

namespace {

using mullion::FileFilter;

TEST(FileFilterTest, PairsEndAtTheEmptyString) {
    const char list[] = "Paint Files (*.pnt)\0*.pnt\0All Files (*.*)\0*.*\0";
    const FileFilter filter = FileFilter::parse(list);
    ASSERT_EQ(2u, filter.entries().size());
    EXPECT_EQ("Paint Files (*.pnt)", filter.entries()[0].name);
    EXPECT_EQ("*.pnt", filter.entries()[0].patterns);
    EXPECT_EQ("All Files (*.*)", filter.entries()[1].name);
    EXPECT_EQ("*.*", filter.entries()[1].patterns);
}

TEST(FileFilterTest, MissingOrUnpairedListsFallBackOrStop) {
    const FileFilter none = FileFilter::parse(nullptr);
    ASSERT_EQ(1u, none.entries().size());
    EXPECT_EQ("*.*", none.entries()[0].patterns);
    // A name without its pattern is dropped.
    const char unpaired[] = "Text (*.txt)\0*.txt\0Dangling\0";
    EXPECT_EQ(1u, FileFilter::parse(unpaired).entries().size());
}

TEST(FileFilterTest, NamesMatchAnyOfThePatterns) {
    EXPECT_TRUE(FileFilter::matches("*.txt;*.doc", "notes.DOC"));
    EXPECT_TRUE(FileFilter::matches("*.txt; *.doc", "a.txt"));
    EXPECT_FALSE(FileFilter::matches("*.txt;*.doc", "a.pnt"));
    EXPECT_TRUE(FileFilter::matches("*.*", "Makefile"));
    EXPECT_FALSE(FileFilter::matches("", "a.txt"));
    EXPECT_TRUE(FileFilter::matches("line?.pnt", "line1.pnt"));
}

TEST(FileFilterTest, WildcardsMakeAPattern) {
    EXPECT_TRUE(FileFilter::is_pattern("*.pnt"));
    EXPECT_TRUE(FileFilter::is_pattern("a?.txt"));
    EXPECT_FALSE(FileFilter::is_pattern("C:\\dir\\a.txt"));
}

} // namespace
