// CreateFileA and friends, CopyFileA, MoveFileA and DeleteFileA.
#include "scratch_drives.h"

#include "windows.h"

#include <sys/stat.h>

namespace {

using FileTest = ScratchDrives;

TEST_F(FileTest, WriteThenReadBackThroughHandles) {
    HANDLE file = CreateFileA("C:\\Notes.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "hello, world", 12, &written, nullptr));
    EXPECT_EQ(written, 12u);
    EXPECT_EQ(GetFileSize(file, nullptr), 12u);
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(read_host_file(on_c("Notes.txt")), "hello, world");

    file = CreateFileA("c:\\NOTES.TXT", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[32] = {};
    DWORD read_count = 0;
    EXPECT_EQ(SetFilePointer(file, 7, nullptr, FILE_BEGIN), 7u);
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read_count, nullptr));
    EXPECT_EQ(read_count, 5u); // the end of the file is success with fewer bytes
    EXPECT_STREQ(buffer, "world");
    EXPECT_TRUE(ReadFile(file, buffer, sizeof buffer, &read_count, nullptr));
    EXPECT_EQ(read_count, 0u);
    EXPECT_EQ(SetFilePointer(file, -5, nullptr, FILE_END), 7u);
    EXPECT_EQ(SetFilePointer(file, -8, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));
    CloseHandle(file);
}

TEST_F(FileTest, DispositionsAndTheirErrors) {
    write_host_file(on_c("exists.txt"), "old contents");
    EXPECT_EQ(CreateFileA("C:\\exists.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    EXPECT_EQ(CreateFileA("C:\\absent.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateFileA("C:\\no\\absent.txt", GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

    HANDLE file =
        CreateFileA("C:\\exists.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS)); // success that reports replacing
    EXPECT_EQ(GetFileSize(file, nullptr), 0u);
    CloseHandle(file);
    file = CreateFileA("C:\\fresh.txt", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    CloseHandle(file);
}

TEST_F(FileTest, ReadOnlyFilesAndDirectoriesRefuseWriting) {
    write_host_file(on_c("locked.txt"), "keep");
    ASSERT_TRUE(SetFileAttributesA("C:\\locked.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(CreateFileA("C:\\locked.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA("C:\\locked.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(read_host_file(on_c("locked.txt")), "keep");
    std::filesystem::create_directories(on_c("dir"));
    EXPECT_EQ(CreateFileA("C:\\dir", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST_F(FileTest, HandlesOfTheWrongKindAreRefused) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD count = 0;
    char byte;
    EXPECT_FALSE(ReadFile(event, &byte, 1, &count, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    CloseHandle(event);
    EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST_F(FileTest, CopyKeepsContentsTimeAndReadOnlyAttribute) {
    write_host_file(on_c("src/Data.bin"), std::string("\0\1\2binary", 9));
    const auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(on_c("src/Data.bin"), old_time);
    ASSERT_TRUE(SetFileAttributesA("C:\\src\\data.bin", FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(CreateDirectoryA("C:\\dst", nullptr));
    EXPECT_TRUE(CopyFileA("C:\\src\\data.bin", "C:\\dst\\Copy.bin", FALSE));
    EXPECT_EQ(read_host_file(on_c("dst/Copy.bin")), std::string("\0\1\2binary", 9));
    EXPECT_EQ(GetFileAttributesA("C:\\dst\\Copy.bin"), DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(std::filesystem::last_write_time(on_c("dst/Copy.bin")), old_time);

    // The read-only copy is not replaced until its attribute is cleared.
    EXPECT_FALSE(CopyFileA("C:\\src\\data.bin", "C:\\dst\\Copy.bin", FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(SetFileAttributesA("C:\\dst\\Copy.bin", 0));
    EXPECT_FALSE(CopyFileA("C:\\src\\data.bin", "C:\\dst\\Copy.bin", TRUE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    EXPECT_TRUE(CopyFileA("C:\\src\\data.bin", "C:\\dst\\Copy.bin", FALSE));
}

TEST_F(FileTest, CopyErrors) {
    EXPECT_FALSE(CopyFileA("C:\\absent.txt", "C:\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    write_host_file(on_c("a.txt"), "a");
    EXPECT_FALSE(CopyFileA("C:\\a.txt", "C:\\nodir\\a.txt", FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(std::filesystem::exists(on_c("nodir")));
}

TEST_F(FileTest, MoveAndDelete) {
    write_host_file(on_c("old.txt"), "moving");
    write_host_file(on_c("taken.txt"), "here");
    EXPECT_FALSE(MoveFileA("C:\\old.txt", "C:\\taken.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileA("C:\\OLD.txt", "C:\\New.txt"));
    EXPECT_EQ(read_host_file(on_c("New.txt")), "moving");
    EXPECT_TRUE(DeleteFileA("c:\\new.TXT"));
    EXPECT_FALSE(std::filesystem::exists(on_c("New.txt")));
    EXPECT_FALSE(DeleteFileA("C:\\New.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

} // namespace
