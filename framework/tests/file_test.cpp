// CFile over the kernel's files: open modes, reading and writing, lengths and exceptions.
#include "framework.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A scratch host directory, reached by programs through the root drive Z:.
class CFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/mullion-cfile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_host = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_host); }

    std::string windows_path(const std::string& name) const {
        std::string path = "Z:" + (m_host / name).string();
        for (char& c : path)
            if (c == '/')
                c = '\\';
        return path;
    }
    std::string host_contents(const std::string& name) const {
        std::ifstream file(m_host / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path m_host;
};

TEST_F(CFileTest, CreateWriteReadAndLength) {
    const std::string path = windows_path("lines.pnt");
    {
        CFile file;
        ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        file.Write("0123456789", 10);
        EXPECT_EQ(file.GetLength(), 10u);
        EXPECT_EQ(file.GetPosition(), 10u);
        file.Close();
    }
    EXPECT_EQ(host_contents("lines.pnt"), "0123456789");

    CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    char buffer[16] = {};
    EXPECT_EQ(file.Seek(4, CFile::begin), 4);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 6u); // fewer bytes only at the end
    EXPECT_STREQ(buffer, "456789");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.SeekToEnd(), 10u);
    EXPECT_EQ(file.GetFileName(), CString("lines.pnt"));
}

TEST_F(CFileTest, CreateTruncatesUnlessNoTruncate) {
    std::ofstream(m_host / "keep.txt") << "existing";
    const std::string path = windows_path("keep.txt");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetLength(), 8u);
        file.SeekToEnd();
        file.Write("!", 1);
    }
    EXPECT_EQ(host_contents("keep.txt"), "existing!");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(host_contents("keep.txt"), "");
}

TEST_F(CFileTest, SetLengthCutsAndExtends) {
    const std::string path = windows_path("sized.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("abcdef", 6);
    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    file.Close();
    EXPECT_EQ(host_contents("sized.bin"), std::string("abc\0\0", 5));
}

TEST_F(CFileTest, OpenFailuresReportTheCause) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(windows_path("absent.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, LONG(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(file.Open(windows_path("no\\dir.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    try {
        CFile thrown(windows_path("absent.txt").c_str(), CFile::modeRead);
        ADD_FAILURE() << "opening a missing file did not throw";
    } catch (const CFileException& exception) {
        EXPECT_EQ(exception.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(exception.m_strFileName, CString(windows_path("absent.txt").c_str()));
    }
}

TEST_F(CFileTest, WritingAReadOnlyHandleThrows) {
    std::ofstream(m_host / "in.txt") << "data";
    CFile file(windows_path("in.txt").c_str(), CFile::modeRead);
    EXPECT_THROW(file.Write("x", 1), CFileException);
    EXPECT_EQ(host_contents("in.txt"), "data");
}

TEST_F(CFileTest, RemoveAndRename) {
    std::ofstream(m_host / "old.txt") << "x";
    CFile::Rename(windows_path("old.txt").c_str(), windows_path("new.txt").c_str());
    EXPECT_TRUE(std::filesystem::exists(m_host / "new.txt"));
    CFile::Remove(windows_path("new.txt").c_str());
    EXPECT_FALSE(std::filesystem::exists(m_host / "new.txt"));
    EXPECT_THROW(CFile::Remove(windows_path("new.txt").c_str()), CFileException);
}

TEST(CFileExceptionTest, MapsOsErrorsToCauses) {
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_ACCESS_DENIED),
              CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_DISK_FULL), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION),
              CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_NOT_ENOUGH_MEMORY), CFileException::generic);
}

} // namespace
