// FindFirstFileA and FindNextFileA: the file system's order, "." and "..", Windows wildcard
// rules, sizes, attributes and error codes.
#include "scratch_drives.h"

#include "kernel/wildcard_match.h"
#include "windows.h"

#include <dirent.h>
#include <vector>

namespace {

using FindTest = ScratchDrives;

std::vector<std::string> find_all(const char* pattern, DWORD* error = nullptr) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) {
        if (error)
            *error = GetLastError();
        return names;
    }
    do
        names.push_back(data.cFileName);
    while (FindNextFileA(search, &data));
    if (error)
        *error = GetLastError();
    EXPECT_TRUE(FindClose(search));
    return names;
}

// The host's own listing order of a directory, the order Windows programs must see.
std::vector<std::string> host_order(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    DIR* handle = opendir(directory.c_str());
    while (const dirent* entry = readdir(handle))
        names.push_back(entry->d_name);
    closedir(handle);
    return names;
}

TEST_F(FindTest, EnumeratesInTheFileSystemsOrderWithDotEntries) {
    for (const char* name : {"b.txt", "a.dat", "Zeta", "c"})
        write_host_file(on_c(std::string("dir/") + name), "x");
    DWORD error = 0;
    const auto found = find_all("C:\\dir\\*.*", &error);
    EXPECT_EQ(error, DWORD(ERROR_NO_MORE_FILES));
    EXPECT_EQ(found, host_order(on_c("dir")));
    EXPECT_EQ(std::count(found.begin(), found.end(), "."), 1);
    EXPECT_EQ(std::count(found.begin(), found.end(), ".."), 1);
}

TEST_F(FindTest, DriveRootsHaveNoDotEntries) {
    write_host_file(on_c("only.txt"), "x");
    EXPECT_EQ(find_all("C:\\*.*"), std::vector<std::string>{"only.txt"});
}

TEST_F(FindTest, ReportsSizesAttributesAndWriteTimes) {
    write_host_file(on_c("dir/data.bin"), std::string(1234, 'z'));
    std::filesystem::create_directories(on_c("dir/Sub"));
    write_host_file(on_c("dir/.hidden"), "");
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA("C:\\DIR\\DATA.BIN", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(data.cFileName, "data.bin"); // the name as stored, not as asked
    EXPECT_EQ(data.nFileSizeLow, 1234u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_NORMAL));
    const auto host_time = std::filesystem::last_write_time(on_c("dir/data.bin"));
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(host_time).time_since_epoch());
    const uint64_t expected = (uint64_t(seconds.count()) + 11644473600ULL) * 10000000ULL;
    const uint64_t reported =
        uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    EXPECT_EQ(reported / 10000000ULL, expected / 10000000ULL);
    FindClose(search);

    search = FindFirstFileA("C:\\dir\\sub", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_DIRECTORY));
    FindClose(search);
    search = FindFirstFileA("C:\\dir\\.hidden", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_HIDDEN));
    FindClose(search);
}

TEST_F(FindTest, ErrorCodes) {
    std::filesystem::create_directories(on_c("empty"));
    DWORD error = 0;
    EXPECT_TRUE(find_all("C:\\empty\\*.txt", &error).empty());
    EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(find_all("C:\\nowhere\\*.*", &error).empty());
    EXPECT_EQ(error, DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(find_all("C:\\empty\\", &error).empty());
    EXPECT_EQ(error, DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(find_all("D:\\*.*", &error).empty()); // no medium
    EXPECT_EQ(error, DWORD(ERROR_NOT_READY));
    WIN32_FIND_DATAA data;
    EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST_F(FindTest, RelativePatternsUseTheCurrentDirectory) {
    write_host_file(on_c("src/one.ini"), "x");
    write_host_file(on_c("src/two.txt"), "x");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\src"));
    EXPECT_EQ(find_all("*.ini"), std::vector<std::string>{"one.ini"});
}

struct WildcardCase {
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(WildcardTest, FollowsWindowsMatchingRules) {
    const WildcardCase cases[] = {
        {"*.*", "readme", true}, // "*.*" matches names without a dot too
        {"*.*", "a.b.c", true},
        {"*", ".profile", true},
        {"*.txt", "notes.TXT", true}, // letters without regard to case
        {"*.txt", "notes.txt.bak", false},
        {"*.txt", "a.b.txt", true},
        {"*.", "readme", true}, // "*." matches names without an extension
        {"*.", "readme.txt", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"abc?", "abc", true},       // "?" may match nothing at the end of a name
        {"ab?.txt", "ab.txt", true}, // ... or before a dot
        {"ab?.txt", "abcd.txt", false},
        {"s*p", "setup", true},
        {"s*p", "setups", false},
        {"data_??.*", "DATA_01.BIN", true},
        {"exact.ini", "Exact.INI", true},
        {"exact.ini", "exact.in", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mullion::wildcard_match(c.pattern, c.name), c.matches)
            << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

} // namespace
