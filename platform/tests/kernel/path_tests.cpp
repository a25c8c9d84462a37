// Windows paths on the drive map: full paths, case-insensitive lookup, attributes and their
// error codes, directories and the current directory.
#include "scratch_drives.h"

#include "windows.h"

#include <cstring>
#include <string>

namespace {

using PathTest = ScratchDrives;

std::string full_path(const char* name) {
    char buffer[MAX_PATH];
    LPSTR file_part = nullptr;
    const DWORD length = GetFullPathNameA(name, sizeof buffer, buffer, &file_part);
    return length && length < sizeof buffer ? std::string(buffer) : std::string("<failed>");
}

TEST_F(PathTest, FullPathsResolveAgainstTheCurrentDirectory) {
    std::filesystem::create_directories(on_c("Work/Deep"));
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\Work"));
    EXPECT_EQ(full_path("file.txt"), "C:\\Work\\file.txt");
    EXPECT_EQ(full_path("..\\x"), "C:\\x");
    EXPECT_EQ(full_path("..\\..\\..\\x"), "C:\\x"); // ".." stops at the root
    EXPECT_EQ(full_path("\\Other\\.\\a"), "C:\\Other\\a");
    EXPECT_EQ(full_path("Deep/./y"), "C:\\Work\\Deep\\y");
    EXPECT_EQ(full_path("e:\\a\\\\b"), "E:\\a\\b");
    EXPECT_EQ(full_path("E:rel"), "E:\\rel"); // another drive: relative to its root
    EXPECT_EQ(full_path("C:rel"), "C:\\Work\\rel");
    EXPECT_EQ(full_path("name. . "), "C:\\Work\\name"); // trailing dots and spaces go
}

TEST_F(PathTest, FullPathReportsTheFilePartAndNeededSize) {
    char buffer[MAX_PATH];
    LPSTR file_part = nullptr;
    EXPECT_EQ(GetFullPathNameA("C:\\dir\\name.ext", sizeof buffer, buffer, &file_part), 15u);
    EXPECT_STREQ(file_part, "name.ext");
    char small[4];
    // Too small: the size needed, NUL included.
    EXPECT_EQ(GetFullPathNameA("C:\\dir\\name.ext", sizeof small, small, nullptr), 16u);
}

TEST_F(PathTest, CurrentDirectoryFollowsSetAndReportsSizes) {
    std::filesystem::create_directories(on_c("Alpha"));
    EXPECT_TRUE(SetCurrentDirectoryA("c:\\alpha")); // found without regard to case
    char buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), 8u);
    EXPECT_STREQ(buffer, "C:\\alpha");
    char small[3];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof small, small), 9u);
    EXPECT_TRUE(SetCurrentDirectoryA(".."));
    GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\");
}

TEST_F(PathTest, SetCurrentDirectoryRefusesMissingDirectoriesAndFiles) {
    write_host_file(on_c("plain.txt"), "x");
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\missing"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\missing\\deeper"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(SetCurrentDirectoryA("C:\\plain.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
    char buffer[MAX_PATH];
    GetCurrentDirectoryA(sizeof buffer, buffer);
    EXPECT_STREQ(buffer, "C:\\"); // unchanged by the failures
}

TEST_F(PathTest, LookupIgnoresCaseOfEveryComponent) {
    write_host_file(on_c("Program Files/Vantrel/ReadMe.TXT"), "hello");
    EXPECT_EQ(GetFileAttributesA("C:\\PROGRAM FILES\\vantrel\\readme.txt"),
              DWORD(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("c:/program files/VANTREL"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(PathTest, AttributeErrorsTellMissingFileFromMissingDirectory) {
    std::filesystem::create_directories(on_c("dir"));
    EXPECT_EQ(GetFileAttributesA("C:\\dir\\absent.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\nodir\\absent.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("Q:\\anything"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA("C:\\A?B"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
    // A drive without its medium.
    EXPECT_EQ(GetFileAttributesA("D:\\setup.exe"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_READY));
}

TEST_F(PathTest, PathsThatDoNotFitMaxPathFail) {
    const std::string name(MAX_PATH, 'n');
    EXPECT_EQ(GetFileAttributesA(("C:\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    // CreateDirectoryA leaves room for an 8.3 name: 248 characters at most.
    const std::string longest = "C:\\" + std::string(MAX_PATH - 12 - 3, 'd');
    EXPECT_FALSE(CreateDirectoryA((longest + "x").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_TRUE(CreateDirectoryA(longest.c_str(), nullptr));
}

TEST_F(PathTest, HiddenAndReadOnlyAttributesComeFromTheHost) {
    write_host_file(on_c(".profile"), "x");
    write_host_file(on_c("locked.txt"), "x");
    std::filesystem::permissions(on_c("locked.txt"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read);
    EXPECT_EQ(GetFileAttributesA("C:\\.profile"), DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA("C:\\locked.txt"), DWORD(FILE_ATTRIBUTE_READONLY));
}

TEST_F(PathTest, SetFileAttributesMapsReadOnlyToWriteBits) {
    write_host_file(on_c("file.txt"), "x");
    EXPECT_TRUE(SetFileAttributesA("C:\\FILE.TXT", FILE_ATTRIBUTE_READONLY));
    const auto perms = std::filesystem::status(on_c("file.txt")).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                       std::filesystem::perms::others_write),
              std::filesystem::perms::none);
    EXPECT_EQ(GetFileAttributesA("C:\\file.txt"), DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(SetFileAttributesA("C:\\file.txt", 0)); // 0 clears every attribute
    EXPECT_EQ(GetFileAttributesA("C:\\file.txt"), DWORD(FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(SetFileAttributesA("C:\\absent.txt", 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PathTest, CreateAndRemoveDirectoryErrors) {
    EXPECT_TRUE(CreateDirectoryA("C:\\New", nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(on_c("New")));
    EXPECT_FALSE(CreateDirectoryA("c:\\new", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryA("C:\\a\\b", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    write_host_file(on_c("New/inside.txt"), "x");
    EXPECT_FALSE(RemoveDirectoryA("C:\\New"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(RemoveDirectoryA("C:\\New\\inside.txt"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
    std::filesystem::remove(on_c("New/inside.txt"));
    EXPECT_TRUE(RemoveDirectoryA("C:\\NEW"));
    EXPECT_FALSE(std::filesystem::exists(on_c("New")));
}

TEST_F(PathTest, DrivesComeFromTheMap) {
    const DWORD mask = GetLogicalDrives();
    EXPECT_EQ(mask & (1u << 2 | 1u << 3 | 1u << 4), 1u << 2 | 1u << 3 | 1u << 4);
    EXPECT_EQ(GetDriveTypeA("C:\\"), UINT(DRIVE_FIXED));
    EXPECT_EQ(GetDriveTypeA("d:\\"), UINT(DRIVE_CDROM));
    EXPECT_EQ(GetDriveTypeA("E:\\"), UINT(DRIVE_REMOVABLE));
    EXPECT_EQ(GetDriveTypeA(nullptr), UINT(DRIVE_FIXED)); // the current directory's drive
    EXPECT_EQ(GetDriveTypeA("Q:\\"), UINT(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeA("C:\\dir\\"), UINT(DRIVE_NO_ROOT_DIR));
}

TEST_F(PathTest, DriveStringsListEveryRootThenAnEmptyString) {
    char buffer[128];
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof buffer);
    std::string roots;
    for (const char* root = buffer; *root; root += std::strlen(root) + 1)
        roots += std::string(root) + ";";
    EXPECT_NE(roots.find("C:\\;D:\\;E:\\;"), std::string::npos);
    EXPECT_EQ(buffer[length], '\0');
}

TEST_F(PathTest, FreeSpaceIsReportedInClassicUnits) {
    DWORD sectors = 0, bytes = 0, free_clusters = 0, total = 0;
    ASSERT_TRUE(GetDiskFreeSpaceA("E:\\", &sectors, &bytes, &free_clusters, &total));
    EXPECT_EQ(uint64_t(sectors) * bytes * free_clusters, 1048576u);
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &sectors, &bytes, &free_clusters, &total));
    // Never more than 2 GB, so the product fits in 32 bits unsigned.
    EXPECT_LE(uint64_t(sectors) * bytes * free_clusters, 0x80000000u);
    EXPECT_LE(uint64_t(sectors) * bytes * total, 0x80000000u);
    EXPECT_LE(sectors, 64u);
    EXPECT_FALSE(GetDiskFreeSpaceA("D:\\", &sectors, &bytes, &free_clusters, &total));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_READY));
}

TEST(DriveMapTest, OverridesReplaceAddAndRemoveDrives) {
    std::vector<mullion::DriveMap::Drive> drives = {{'C', "/c", DRIVE_FIXED, {}},
                                                    {'Z', "/", DRIVE_FIXED, {}}};
    mullion::DriveMap::apply_overrides(drives, "c=/data/c;D=/media/cd:cdrom;Z=;X=/x:bogus;junk");
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].letter, 'C');
    EXPECT_EQ(drives[0].root, "/data/c");
    EXPECT_EQ(drives[1].letter, 'D');
    EXPECT_EQ(drives[1].type, UINT(DRIVE_CDROM));
}

TEST_F(PathTest, HostPathsMapBackThroughTheClosestDrive) {
    auto& map = mullion::DriveMap::instance();
    EXPECT_EQ(map.windows_path(m_root / "c" / "Dir" / "f.txt"), "C:\\Dir\\f.txt");
    EXPECT_EQ(map.windows_path(m_root / "c"), "C:\\");
    // A sibling is not inside C:; the root drive Z: holds it.
    EXPECT_EQ(map.windows_path(m_root / "cc").substr(0, 3), "Z:\\");
}

} // namespace
