// Reading Setup.ini and Setup.txt: existence, the 8192-byte limit and NUL bytes.
#include "config_file.h"
#include "config_line.h"
#include "scratch_drive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class ConfigFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = "C:\\config_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(scratch::host_path(m_dir));
        std::filesystem::create_directories(scratch::host_path(m_dir));
        char szDirectory[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, szDirectory);
        m_startDirectory = szDirectory;
        ASSERT_TRUE(SetCurrentDirectoryA(m_dir.c_str()));
    }
    void TearDown() override { SetCurrentDirectoryA(m_startDirectory.c_str()); }

    void Write(const std::string& name, const std::string& contents) {
        scratch::write_file(scratch::host_path(m_dir + "\\" + name), contents);
    }

    std::string m_dir;
    std::string m_startDirectory;
};

TEST_F(ConfigFileTest, AMissingFileIsReportedAsMissing) {
    CString strText = "left over";
    EXPECT_EQ(ReadConfigFile("Setup.ini", strText), kConfigMissing);
    EXPECT_TRUE(strText.IsEmpty());
}

TEST_F(ConfigFileTest, TheWholeOfASmallFileIsRead) {
    Write("Setup.ini", "Samples\r\nC:\\Vantrel\r\n");
    CString strText;
    ASSERT_EQ(ReadConfigFile("Setup.ini", strText), kConfigRead);
    EXPECT_STREQ(strText, "Samples\r\nC:\\Vantrel\r\n");
}

TEST_F(ConfigFileTest, OnlyTheFirst8192BytesAreUsed) {
    // 8190 bytes of a first entry, then "\r\n", then a second entry wholly past the limit.
    Write("Setup.txt",
          std::string(1000, 'a') + "\r\n" + std::string(7188, 'b') + "\r\n" + "cut off\r\n");
    CString strText;
    ASSERT_EQ(ReadConfigFile("Setup.txt", strText), kConfigRead);
    EXPECT_EQ(strText.GetLength(), kMaxConfigFileBytes);

    CConfigLineArray lines;
    ParseLines(lines, strText);
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(GetConfigEntry(lines, 2).GetLength(), 1023); // cut like any long line
    FreeConfigLines(lines);
}

TEST_F(ConfigFileTest, TheLastEntryMayBeCutAtTheLimit) {
    Write("Setup.txt", std::string(8180, ';') + "\r\nlast entry here");
    CString strText;
    ASSERT_EQ(ReadConfigFile("Setup.txt", strText), kConfigRead);
    CConfigLineArray lines;
    ParseLines(lines, strText);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_STREQ(GetConfigEntry(lines, 1), "last entry"); // 8180 + 2 + 10 = 8192
    FreeConfigLines(lines);
}

TEST_F(ConfigFileTest, TheTextEndsAtANulByte) {
    Write("Setup.ini", std::string("first\r\nsec\0ond\r\nthird\r\n", 23));
    CString strText;
    ASSERT_EQ(ReadConfigFile("Setup.ini", strText), kConfigRead);
    EXPECT_STREQ(strText, "first\r\nsec");
}

} // namespace
