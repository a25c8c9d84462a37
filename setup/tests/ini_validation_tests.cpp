// The start-up checks of Setup.ini: each warning's exact text, their order, and the modes.
#include "ini_validation.h"
#include "setup_globals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kSummary[] = "At least one entry in SETUP.INI is suspicious.\nSetup will continue, "
                        "but the results will be unpredictable.";

struct IniFields {
    std::string source = "Samples";
    std::string defaultDir = "C:\\Vantrel";
    std::string product = "Vantrel Samples";
    std::string folder = "Desktop";
    std::string shortcutName = "Vantrel";
    std::string size = "1500000";
    std::string compression = "Uncompressed";
    std::string underscores = "Underscores";
};

CIniCheck Check(const IniFields& fields) {
    const std::string text = fields.source + "\r\n" + fields.defaultDir + "\r\n" + fields.product +
                             "\r\n" + fields.folder + "\r\n" + fields.shortcutName + "\r\n" +
                             fields.size + "\r\n" + fields.compression + "\r\n" +
                             fields.underscores + "\r\n";
    CConfigLineArray lines;
    ParseLines(lines, text.c_str());
    CIniCheck check = CheckIniEntries(lines);
    FreeConfigLines(lines);
    return check;
}

std::vector<std::string> Messages(const CIniCheck& check) {
    std::vector<std::string> messages;
    for (const CString& message : check.messages)
        messages.emplace_back(static_cast<LPCSTR>(message));
    return messages;
}

std::string IllegalDirectoryCharacter(const std::string& entry, char ch) {
    return "The '" + entry + "' entry in SETUP.INI is invalid because\nit contains the illegal " +
           "character '" + std::string(1, ch) +
           "'.\n(Directory names cannot contain this character.)";
}

std::string SuspiciousDefaultDir(const std::string& entry) {
    return "The '" + entry + "' entry in SETUP.INI looks suspicious.\nIt should be an entry " +
           "like 'C:\\Vantrel'.";
}

std::string SuspiciousFolder(const std::string& upper) {
    return "The '" + upper + "' entry in SETUP.INI looks suspicious.\nIt should be either " +
           "'NULL,' 'Favorites,' 'My Documents,' or 'Desktop.'";
}

std::string IllegalSizeCharacter(const std::string& upper, char ch) {
    return "The '" + upper + "' entry in SETUP.INI invalid because\nit contains the illegal " +
           "character '" + std::string(1, ch) +
           "'.\n(This entry is the total size of the installed files.)";
}

std::string SizeOutOfRange(const std::string& upper) {
    return "The '" + upper + "' entry in SETUP.INI is suspiciously small or large.\n(This " +
           "entry is the total size of the installed files.)";
}

std::string BadCompression(const std::string& upper) {
    return "The '" + upper + "' entry in SETUP.INI is invalid.\nIt should be either " +
           "'COMPRESSED' or 'Uncompressed'.";
}

TEST(ValidateIni, AGoodFilePassesSilently) {
    const CIniCheck check = Check(IniFields());
    EXPECT_TRUE(check.messages.empty());
    EXPECT_FALSE(check.bCompressed);
    EXPECT_TRUE(check.bUnderscores);
}

TEST(ValidateIni, SourceDirectoryWithIllegalCharacters) {
    for (char ch : {'?', '*', ':', '\x01', '\x1f', '\t'}) {
        IniFields fields;
        fields.source = std::string("Sam") + ch + "ples";
        EXPECT_EQ(
            Messages(Check(fields)),
            (std::vector<std::string>{IllegalDirectoryCharacter(fields.source, ch), kSummary}))
            << int(ch);
    }
}

TEST(ValidateIni, SourceDirectoryReportsTheFirstIllegalCharacterByPosition) {
    IniFields fields;
    fields.source = "a*b?c";
    EXPECT_EQ(Messages(Check(fields))[0], IllegalDirectoryCharacter("a*b?c", '*'));
}

TEST(ValidateIni, DefaultDirectoryShapes) {
    IniFields fields;
    fields.defaultDir = "D:\\Apps\\Sample";
    EXPECT_TRUE(Check(fields).messages.empty());

    fields.defaultDir = "D:Apps";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{SuspiciousDefaultDir("D:Apps"), kSummary}));
}

TEST(ValidateIni, DefaultDirectoryRestIsCheckedWithTheShortenedText) {
    IniFields fields;
    fields.defaultDir = "C:\\A?B";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{IllegalDirectoryCharacter("A?B", '?'), kSummary}));
}

TEST(ValidateIni, DefaultDirectoryCanFailBothChecks) {
    IniFields fields;
    fields.defaultDir = "C/Dir:Sub";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{SuspiciousDefaultDir("C/Dir:Sub"),
                                        IllegalDirectoryCharacter("ir:Sub", ':'), kSummary}));
}

TEST(ValidateIni, ShortcutFolderInAnyLetterCase) {
    for (const char* folder : {"NULL", "null", "Desktop", "dEsKtOp", "My Documents", "Favorites"}) {
        IniFields fields;
        fields.folder = folder;
        EXPECT_TRUE(Check(fields).messages.empty()) << folder;
    }
}

TEST(ValidateIni, ShortcutFolderMessageShowsTheUpperCaseText) {
    IniFields fields;
    fields.folder = "Desk top";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{SuspiciousFolder("DESK TOP"), kSummary}));
}

TEST(ValidateIni, SizeLimitsAreInclusive) {
    for (const char* size : {"60000", "620000000"}) {
        IniFields fields;
        fields.size = size;
        EXPECT_TRUE(Check(fields).messages.empty()) << size;
    }
    for (const char* size : {"59999", "620000001", "0"}) {
        IniFields fields;
        fields.size = size;
        EXPECT_EQ(Messages(Check(fields)),
                  (std::vector<std::string>{SizeOutOfRange(size), kSummary}))
            << size;
    }
}

TEST(ValidateIni, SizeWithThousandsSeparatorsGivesBothMessages) {
    IniFields fields;
    fields.size = "1,500,000";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{IllegalSizeCharacter("1,500,000", ','),
                                        SizeOutOfRange("1,500,000"), kSummary}));
}

TEST(ValidateIni, SizeWithALetterIsShownInUpperCase) {
    IniFields fields;
    fields.size = "70000k";
    EXPECT_EQ(Messages(Check(fields)),
              (std::vector<std::string>{IllegalSizeCharacter("70000K", 'K'), kSummary}));
}

TEST(ValidateIni, CompressionModes) {
    IniFields fields;
    fields.compression = "compressed";
    const CIniCheck compressed = Check(fields);
    EXPECT_TRUE(compressed.messages.empty());
    EXPECT_TRUE(compressed.bCompressed);

    fields.compression = "UNCOMPRESSED";
    EXPECT_FALSE(Check(fields).bCompressed);

    fields.compression = "Zipped";
    const CIniCheck other = Check(fields);
    EXPECT_EQ(Messages(other), (std::vector<std::string>{BadCompression("ZIPPED"), kSummary}));
    EXPECT_FALSE(other.bCompressed);
}

TEST(ValidateIni, UnderscoreModeHasNoMessage) {
    IniFields fields;
    fields.underscores = "uNdErScOrEs";
    EXPECT_TRUE(Check(fields).bUnderscores);
    fields.underscores = "";
    const CIniCheck off = Check(fields);
    EXPECT_FALSE(off.bUnderscores);
    EXPECT_TRUE(off.messages.empty());
    fields.underscores = "Underscore";
    EXPECT_FALSE(Check(fields).bUnderscores);
}

TEST(ValidateIni, MessagesComeInCheckOrder) {
    IniFields fields;
    fields.source = "S*";
    fields.defaultDir = "X";
    fields.folder = "Start";
    fields.size = "12a";
    fields.compression = "Packed";
    EXPECT_EQ(
        Messages(Check(fields)),
        (std::vector<std::string>{IllegalDirectoryCharacter("S*", '*'), SuspiciousDefaultDir("X"),
                                  SuspiciousFolder("START"), IllegalSizeCharacter("12A", 'A'),
                                  SizeOutOfRange("12A"), BadCompression("PACKED"), kSummary}));
}

TEST(ValidateIni, AFileWithTooFewEntriesIsSuspicious) {
    CConfigLineArray lines;
    ParseLines(lines, "Samples\r\n");
    const CIniCheck check = CheckIniEntries(lines);
    FreeConfigLines(lines);
    EXPECT_EQ(Messages(check),
              (std::vector<std::string>{SuspiciousDefaultDir(""), SuspiciousFolder(""),
                                        SizeOutOfRange(""), BadCompression(""), kSummary}));
}

std::vector<std::string> g_shown;

void RecordMessage(LPCSTR lpszText) {
    g_shown.emplace_back(lpszText);
}

TEST(ValidateIni, ShowsEachMessageAndSetsTheGlobalModes) {
    ParseLines(kIniFile, "Samples\r\nC:\\Vantrel\r\nP\r\nFavorites\r\nV\r\n100\r\nCompressed\r\n"
                         "underscores\r\n");
    g_shown.clear();
    ValidateIni(RecordMessage);
    FreeConfigLines(g_iniLines);
    EXPECT_EQ(g_shown, (std::vector<std::string>{SizeOutOfRange("100"), kSummary}));
    EXPECT_TRUE(g_bCompressed);
    EXPECT_TRUE(g_bUnderscores);
    g_bCompressed = g_bUnderscores = FALSE;
}

TEST(ParseSizeEntry, ReadsLeadingDigitsLikeTheCLibrary) {
    EXPECT_EQ(ParseSizeEntry("1,500,000"), 1);
    EXPECT_EQ(ParseSizeEntry("70000"), 70000);
    EXPECT_EQ(ParseSizeEntry("abc"), 0);
    EXPECT_EQ(ParseSizeEntry(""), 0);
    EXPECT_EQ(ParseSizeEntry("  42x"), 42);
    EXPECT_EQ(ParseSizeEntry("99999999999999999999999"), LLONG_MAX);
}

} // namespace
