// The shortcut to the install directory: folder mapping, file name, and the written link as
// the shell link reader tool sees it.
#include "scratch_drive.h"
#include "setup_globals.h"
#include "shortcut_placement.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

TEST(ShortcutFolderValueName, MapsEntryFourInAnyLetterCase) {
    EXPECT_STREQ(ShortcutFolderValueName("Desktop"), "DESKTOP");
    EXPECT_STREQ(ShortcutFolderValueName("desktop"), "DESKTOP");
    EXPECT_STREQ(ShortcutFolderValueName("My Documents"), "Personal");
    EXPECT_STREQ(ShortcutFolderValueName("my dOCUMENTS"), "Personal");
    EXPECT_STREQ(ShortcutFolderValueName("favorites"), "FAVORITES");
}

TEST(ShortcutFolderValueName, NullAndAnythingElsePlaceNoShortcut) {
    for (const char* entry : {"NULL", "null", "Desk top", "", "Personal", "Start Menu"})
        EXPECT_TRUE(ShortcutFolderValueName(entry).IsEmpty()) << entry;
}

TEST(BuildShortcutPath, AddsOneBackslashAndTheExtension) {
    EXPECT_STREQ(BuildShortcutPath("C:\\Users\\Desktop", "Vantrel"),
                 "C:\\Users\\Desktop\\Vantrel.Lnk");
    EXPECT_STREQ(BuildShortcutPath("C:\\Users\\Desktop\\", "Vantrel"),
                 "C:\\Users\\Desktop\\Vantrel.Lnk");
    EXPECT_STREQ(BuildShortcutPath("C:\\", "Samples Folder"), "C:\\Samples Folder.Lnk");
}

// Runs the shell link reader tool on a file and returns what it printed.
std::string LinkInfoOutput(const std::filesystem::path& link) {
    const std::string command = "lnkinfo '" + link.string() + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 512> buffer;
    while (pipe && fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get()))
        output += buffer.data();
    return output;
}

class PlaceShortcutTest : public testing::Test {
protected:
    static constexpr LPCSTR kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

    void SetUp() override {
        ASSERT_EQ(CoInitialize(nullptr) >= 0, true);
        m_base = std::string("C:\\shortcut_") +
                 testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(scratch::host_path(m_base));
        std::filesystem::create_directories(scratch::host_path(m_base + "\\Install"));
        g_strInstallDir = (m_base + "\\Install").c_str();
    }
    void TearDown() override {
        FreeConfigLines(g_iniLines);
        g_strInstallDir.Empty();
        CoUninitialize();
    }

    void SetShellFolder(LPCSTR lpszValue, const std::string& folder) {
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(hKey, lpszValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(hKey);
        std::filesystem::create_directories(scratch::host_path(folder));
    }

    void UseEntries(const std::string& folder, const std::string& name) {
        const std::string ini =
            "src\r\nC:\\Vantrel\r\nProduct\r\n" + folder + "\r\n" + name + "\r\n70000\r\n";
        ParseLines(kIniFile, ini.c_str());
    }

    std::string m_base;
};

TEST_F(PlaceShortcutTest, DesktopShortcutPointsAtTheInstallDirectory) {
    SetShellFolder("Desktop", m_base + "\\Desk");
    UseEntries("desktop", "Vantrel Samples");

    PlaceShortcut();

    const std::filesystem::path link = scratch::host_path(m_base + "\\Desk\\Vantrel Samples.Lnk");
    ASSERT_TRUE(std::filesystem::exists(link));
    const std::string info = LinkInfoOutput(link);
    EXPECT_NE(info.find("Local path\t\t\t: " + m_base + "\\Install\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Directory"), std::string::npos) << info;
}

TEST_F(PlaceShortcutTest, MyDocumentsUsesThePersonalFolder) {
    SetShellFolder("Personal", m_base + "\\Docs");
    UseEntries("My Documents", "Samples");

    PlaceShortcut();

    EXPECT_TRUE(std::filesystem::exists(scratch::host_path(m_base + "\\Docs\\Samples.Lnk")));
}

TEST_F(PlaceShortcutTest, AFolderEndingInABackslashGetsNoSecondOne) {
    SetShellFolder("Favorites", m_base + "\\Fav\\");
    UseEntries("FAVORITES", "Samples");

    PlaceShortcut();

    EXPECT_TRUE(std::filesystem::exists(scratch::host_path(m_base + "\\Fav\\Samples.Lnk")));
}

TEST_F(PlaceShortcutTest, AnExistingShortcutIsReplaced) {
    SetShellFolder("Desktop", m_base + "\\Desk");
    UseEntries("Desktop", "Samples");
    const std::filesystem::path link = scratch::host_path(m_base + "\\Desk\\Samples.Lnk");
    scratch::write_file(link, std::string(4096, '\x7f'));

    PlaceShortcut();

    const std::string info = LinkInfoOutput(link);
    EXPECT_NE(info.find("Local path\t\t\t: " + m_base + "\\Install\n"), std::string::npos) << info;
    EXPECT_LT(std::filesystem::file_size(link), 4096u);
}

TEST_F(PlaceShortcutTest, NullPlacesNoShortcut) {
    SetShellFolder("Desktop", m_base + "\\Desk");
    UseEntries("NULL", "Samples");

    PlaceShortcut();

    EXPECT_TRUE(std::filesystem::is_empty(scratch::host_path(m_base + "\\Desk")));
}

TEST_F(PlaceShortcutTest, AMissingFolderValueMeansNoShortcut) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &hKey) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(hKey, "Favorites");
        RegCloseKey(hKey);
    }
    UseEntries("Favorites", "Samples");

    PlaceShortcut();

    // An empty folder would have put the link at the root of the drive.
    EXPECT_FALSE(std::filesystem::exists(scratch::host_path("C:\\Samples.Lnk")));
}

TEST(CreateShortcut, FailsWithoutTheComponentLibrary) {
    EXPECT_EQ(CreateShortcut("C:\\Target", "C:\\link.Lnk", ""), CO_E_NOTINITIALIZED);
}

TEST(CreateShortcut, ReportsAnUnwritableLinkPath) {
    ASSERT_GE(CoInitialize(nullptr), 0);
    EXPECT_LT(CreateShortcut("C:\\Target", "C:\\NoSuchFolder\\Deeper\\link.Lnk", ""), 0);
    CoUninitialize();
}

} // namespace
