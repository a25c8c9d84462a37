// PathExists, CreateDirectoryPath, GetFileSize32 and GetFileWriteTime on the scratch drive.
#include "path_operations.h"
#include "scratch_drive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

class PathOperationsTest : public testing::Test {
protected:
    void SetUp() override {
        m_base = std::string("C:\\paths_") +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(scratch::host_path(m_base));
        fs::create_directories(scratch::host_path(m_base));
        char szDirectory[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, szDirectory);
        m_startDirectory = szDirectory;
    }
    void TearDown() override { SetCurrentDirectoryA(m_startDirectory.c_str()); }

    bool IsDirectory(const std::string& windowsPath) const {
        return fs::is_directory(scratch::host_path(windowsPath));
    }

    std::string m_base;
    std::string m_startDirectory;
};

TEST_F(PathOperationsTest, PathExistsIsFalseOnlyForFileNotFound) {
    scratch::write_file(scratch::host_path(m_base + "\\file.txt"), "x");
    EXPECT_TRUE(PathExists((m_base + "\\file.txt").c_str()));
    EXPECT_TRUE(PathExists(m_base.c_str()));
    EXPECT_FALSE(PathExists((m_base + "\\absent.txt").c_str()));
    // The parent is missing too: the error is "path not found", which counts as present.
    EXPECT_TRUE(PathExists((m_base + "\\NoParent\\absent.txt").c_str()));
}

TEST_F(PathOperationsTest, CreateDirectoryPathMakesEveryLevel) {
    CreateDirectoryPath((m_base + "\\A\\B\\C").c_str());
    EXPECT_TRUE(IsDirectory(m_base + "\\A"));
    EXPECT_TRUE(IsDirectory(m_base + "\\A\\B"));
    EXPECT_TRUE(IsDirectory(m_base + "\\A\\B\\C"));
}

TEST_F(PathOperationsTest, CreateDirectoryPathIgnoresExistingLevelsAndATrailingSeparator) {
    fs::create_directories(scratch::host_path(m_base + "\\A"));
    CreateDirectoryPath((m_base + "\\A\\B\\").c_str());
    EXPECT_TRUE(IsDirectory(m_base + "\\A\\B"));
}

TEST_F(PathOperationsTest, CreateDirectoryPathWorksFromTheCurrentDirectoryAndDrive) {
    ASSERT_TRUE(SetCurrentDirectoryA(m_base.c_str()));
    CreateDirectoryPath("Rel\\Sub");
    EXPECT_TRUE(IsDirectory(m_base + "\\Rel\\Sub"));
    CreateDirectoryPath("C:Drv\\Sub");
    EXPECT_TRUE(IsDirectory(m_base + "\\Drv\\Sub"));
    const std::string rooted = m_base.substr(2) + "\\Rooted\\Sub"; // "\paths_...\Rooted\Sub"
    CreateDirectoryPath(rooted.c_str());
    EXPECT_TRUE(IsDirectory(m_base + "\\Rooted\\Sub"));
}

TEST_F(PathOperationsTest, CreateDirectoryPathLeavesNetworkPathsAlone) {
    ASSERT_TRUE(SetCurrentDirectoryA(m_base.c_str()));
    CreateDirectoryPath("\\\\server\\share\\dir");
    EXPECT_TRUE(fs::is_empty(scratch::host_path(m_base)));
    EXPECT_FALSE(fs::exists(scratch::host_path("C:\\server")));
}

TEST_F(PathOperationsTest, CreateDirectoryPathRefusesPathsOfMaxPathOrMore) {
    std::string path = m_base + "\\Top";
    while (path.size() < MAX_PATH)
        path += "\\abcdefghij";
    CreateDirectoryPath(path.c_str());
    EXPECT_FALSE(fs::exists(scratch::host_path(m_base + "\\Top")));

    const std::string longest = path.substr(0, kMaxDirectoryPath);
    CreateDirectoryPath(longest.c_str());
    EXPECT_TRUE(IsDirectory(m_base + "\\Top"));
}

TEST_F(PathOperationsTest, SizeAndWriteTimeOfTheFirstMatch) {
    scratch::write_file(scratch::host_path(m_base + "\\data.bin"), std::string(3000, 'z'));
    EXPECT_EQ(GetFileSize32((m_base + "\\data.bin").c_str()), 3000);
    EXPECT_EQ(GetFileSize32((m_base + "\\*.bin").c_str()), 3000);
    EXPECT_EQ(GetFileSize32((m_base + "\\none.bin").c_str()), 0);

    // 1 January 2001 00:00:00 UTC.
    const SYSTEMTIME when = {2001, 1, 1, 1, 0, 0, 0, 0};
    FILETIME expected;
    ASSERT_TRUE(SystemTimeToFileTime(&when, &expected));
    const HANDLE hFile = CreateFileA((m_base + "\\data.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(hFile, nullptr, nullptr, &expected));
    CloseHandle(hFile);

    const FILETIME written = GetFileWriteTime((m_base + "\\data.bin").c_str());
    EXPECT_EQ(written.dwLowDateTime, expected.dwLowDateTime);
    EXPECT_EQ(written.dwHighDateTime, expected.dwHighDateTime);
    const FILETIME none = GetFileWriteTime((m_base + "\\none.bin").c_str());
    EXPECT_EQ(none.dwLowDateTime | none.dwHighDateTime, 0u);
}

} // namespace
