// The registry: values through the functions, persistence in the REGEDIT4 file, names
// without regard to case, and the Shell Folders key filled from the XDG user directories.
#include "scratch_drives.h"

#include "kernel/registry_store.h"
#include "kernel/registry_tree.h"
#include "kernel/shell_folders.h"
#include "windows.h"

#include <cstring>
#include <optional>

namespace {

// A scratch XDG configuration and home directory, so the registry file is the test's own.
class RegistryTest : public ScratchDrives {
protected:
    void SetUp() override {
        ScratchDrives::SetUp();
        save("XDG_CONFIG_HOME", m_config);
        save("HOME", m_home);
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        setenv("HOME", (m_root / "home").c_str(), 1);
        mullion::RegistryStore::instance().reload();
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", m_config);
        restore("HOME", m_home);
        mullion::RegistryStore::instance().reload();
        ScratchDrives::TearDown();
    }

    std::filesystem::path registry_file() const {
        return m_root / "config" / "mullion" / "user.reg";
    }

    static void save(const char* name, std::optional<std::string>& slot) {
        const char* value = std::getenv(name);
        slot = value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& slot) {
        if (slot)
            setenv(name, slot->c_str(), 1);
        else
            unsetenv(name);
    }

    static std::string query_string(HKEY key, const char* name) {
        char buffer[1024];
        DWORD size = sizeof buffer, type = 0;
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            return "<missing>";
        return buffer;
    }

    std::optional<std::string> m_config, m_home;
};

constexpr const char* shell_folders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST_F(RegistryTest, ValuesRoundTripThroughTheFile) {
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tellurion\\Recent File List", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
    const char path[] = "C:\\My \"Docs\"\\a.pnt";
    ASSERT_EQ(
        RegSetValueExA(key, "File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path),
        ERROR_SUCCESS);
    const DWORD number = 0xCAFE;
    RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4);
    const BYTE bytes[] = {0, 1, 0xFF};
    RegSetValueExA(key, "Raw", 0, REG_BINARY, bytes, 3);
    const char two_lines[] = "one\r\ntwo";
    RegSetValueExA(key, "Lines", 0, REG_SZ, reinterpret_cast<const BYTE*>(two_lines),
                   sizeof two_lines);
    RegCloseKey(key);

    // A fresh start reads everything back from the file.
    mullion::RegistryStore::instance().reload();
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\TELLURION\\recent file list", 0, KEY_READ,
                            &key),
              ERROR_SUCCESS);
    EXPECT_EQ(query_string(key, "file1"), path); // value names without regard to case
    EXPECT_EQ(query_string(key, "Lines"), two_lines);
    DWORD read_number = 0, size = 4, type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "COUNT", nullptr, &type, reinterpret_cast<LPBYTE>(&read_number),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_DWORD));
    EXPECT_EQ(read_number, number);
    BYTE read_bytes[8];
    size = sizeof read_bytes;
    EXPECT_EQ(RegQueryValueExA(key, "Raw", nullptr, &type, read_bytes, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_BINARY));
    ASSERT_EQ(size, 3u);
    EXPECT_EQ(std::memcmp(read_bytes, bytes, 3), 0);
    RegCloseKey(key);

    const std::string file = read_host_file(registry_file());
    EXPECT_EQ(file.rfind("REGEDIT4\n", 0), 0u);
    EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\Tellurion\\Recent File List]"),
              std::string::npos);
    EXPECT_NE(file.find("\"File1\"=\"C:\\\\My \\\"Docs\\\"\\\\a.pnt\""), std::string::npos);
    EXPECT_NE(file.find("\"Count\"=dword:0000cafe"), std::string::npos);
    EXPECT_NE(file.find("\"Raw\"=hex:00,01,ff"), std::string::npos);
}

TEST_F(RegistryTest, QuerySizesAndMissingValues) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Sizes", &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcdef"), 7);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Name", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 7u);
    char small[3];
    size = sizeof small;
    EXPECT_EQ(
        RegQueryValueExA(key, "Name", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(RegQueryValueExA(key, "Absent", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, "NAME"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "Name"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Nothing", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, EnumeratesValuesInCreationOrder) {
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Order", &key);
    for (const char* name : {"Zulu", "alpha", "Mike"})
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2);
    // Setting an existing value with another case keeps its place and first spelling.
    RegSetValueExA(key, "ZULU", 0, REG_SZ, reinterpret_cast<const BYTE*>("w"), 2);
    std::vector<std::string> names;
    for (DWORD index = 0;; ++index) {
        char name[64];
        DWORD length = sizeof name;
        LONG result = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(result, ERROR_SUCCESS);
        EXPECT_EQ(length, std::strlen(name));
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Zulu", "alpha", "Mike"}));
    char tiny[2];
    DWORD length = sizeof tiny;
    EXPECT_EQ(RegEnumValueA(key, 0, tiny, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    RegCloseKey(key);
}

TEST_F(RegistryTest, ReadOnlyHandlesCannotWriteAndDeletedKeysStopResolving) {
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Guarded", &key);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Guarded", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2),
              ERROR_ACCESS_DENIED);
    HKEY parent;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &parent);
    EXPECT_EQ(RegDeleteKeyA(parent, "guarded"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "x", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(parent, "Guarded"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    RegCloseKey(parent);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, ClassicDefaultValueFunctions) {
    ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, ".pnt", REG_SZ, "Paint.Document", 0), ERROR_SUCCESS);
    char buffer[64];
    LONG size = sizeof buffer;
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, ".PNT", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "Paint.Document");
    EXPECT_EQ(size, 15);
    HKEY key;
    RegCreateKeyA(HKEY_CLASSES_ROOT, "Empty", &key);
    RegCloseKey(key);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueA(HKEY_CLASSES_ROOT, "Empty", buffer, &size), ERROR_SUCCESS);
    EXPECT_STREQ(buffer, "");
}

TEST_F(RegistryTest, FileIsReplacedWholeAndNoTemporaryRemains) {
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Atomic", &key);
    for (int i = 0; i < 20; ++i) {
        const std::string text = "value " + std::to_string(i);
        RegSetValueExA(key, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       DWORD(text.size() + 1));
    }
    RegCloseKey(key);
    EXPECT_FALSE(std::filesystem::exists(registry_file().string() + ".tmp"));
    mullion::RegistryRoots roots;
    EXPECT_EQ(mullion::parse_registry_file(read_host_file(registry_file()), roots), 0u);
    auto atomic = roots.root("HKEY_CURRENT_USER")->find_path("Software\\Atomic");
    ASSERT_TRUE(atomic);
    const auto* value = atomic->value("v");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(std::string(value->data.begin(), value->data.end() - 1), "value 19");
}

TEST_F(RegistryTest, ShellFoldersComeFromUserDirs) {
    std::filesystem::create_directories(m_root / "config");
    std::ofstream(m_root / "config" / "user-dirs.dirs")
        << "# written by xdg-user-dirs-update\n"
           "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
           "XDG_DOCUMENTS_DIR=\""
        << (m_root / "c" / "Docs").string() << "\"\n";
    mullion::RegistryStore::instance().reload();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, shell_folders, 0, 0x20019, &key), ERROR_SUCCESS);
    // The desktop under the home directory is reached through Z:, the root drive.
    const std::string desktop =
        mullion::DriveMap::instance().windows_path(m_root / "home" / "Schreibtisch");
    EXPECT_EQ(desktop.substr(0, 3), "Z:\\");
    EXPECT_EQ(query_string(key, "DESKTOP"), desktop);
    EXPECT_EQ(query_string(key, "Personal"), "C:\\Docs");
    EXPECT_EQ(query_string(key, "FAVORITES"), "C:\\Windows\\Favorites");
    EXPECT_TRUE(std::filesystem::is_directory(m_root / "c" / "Windows" / "Favorites"));
    RegCloseKey(key);
}

TEST_F(RegistryTest, ExistingShellFoldersAreKept) {
    std::filesystem::create_directories(registry_file().parent_path());
    std::ofstream(registry_file()) << "REGEDIT4\n\n[HKEY_CURRENT_USER\\" << shell_folders
                                   << "]\n\"Desktop\"=\"D:\\\\Elsewhere\"\n";
    mullion::RegistryStore::instance().reload();
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, shell_folders, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(query_string(key, "Desktop"), "D:\\Elsewhere");
    EXPECT_EQ(query_string(key, "Favorites"), "<missing>");
    RegCloseKey(key);
}

TEST(RegistryFileTest, ParsesContinuationsRemovalsAndSkipsJunk) {
    mullion::RegistryRoots roots;
    const size_t skipped = mullion::parse_registry_file("REGEDIT4\r\n"
                                                        "\r\n"
                                                        "[HKEY_CURRENT_USER\\A\\B]\r\n"
                                                        "\"Bin\"=hex:01,02,\\\r\n"
                                                        "  03\r\n"
                                                        "@=\"default\"\r\n"
                                                        "\"Gone\"=\"x\"\r\n"
                                                        "\"Gone\"=-\r\n"
                                                        "\"Typed\"=hex(2):41,00\r\n"
                                                        "garbage line\r\n"
                                                        "\"Bad\"=dword:xyz\r\n"
                                                        "[HKEY_CURRENT_USER\\A\\C]\r\n"
                                                        "[-HKEY_CURRENT_USER\\A\\C]\r\n"
                                                        "[NOT_A_ROOT\\X]\r\n",
                                                        roots);
    EXPECT_EQ(skipped, 3u);
    auto b = roots.root("HKEY_CURRENT_USER")->find_path("a\\b");
    ASSERT_TRUE(b);
    ASSERT_NE(b->value("bin"), nullptr);
    EXPECT_EQ(b->value("bin")->data, (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_NE(b->value(""), nullptr);
    EXPECT_EQ(b->value("")->type, uint32_t(REG_SZ));
    EXPECT_EQ(b->value("gone"), nullptr);
    ASSERT_NE(b->value("Typed"), nullptr);
    EXPECT_EQ(b->value("Typed")->type, uint32_t(REG_EXPAND_SZ));
    EXPECT_FALSE(roots.root("HKEY_CURRENT_USER")->find_path("A\\C"));
}

TEST(RegistryFileTest, WrittenTextParsesBackToTheSameValues) {
    mullion::RegistryRoots roots;
    bool created;
    auto key = roots.root("HKEY_CURRENT_USER")->create_subkey("Odd \"Key\"", created);
    key->set_value({"quote\"and\\slash", REG_SZ, {'a', '"', '\\', 0}});
    key->set_value({"", REG_SZ, {'n', 'o', 'n', 'u', 'l'}}); // no final NUL: kept exactly
    key->set_value({"Multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}});
    mullion::RegistryRoots again;
    EXPECT_EQ(mullion::parse_registry_file(mullion::write_registry_file(roots), again), 0u);
    auto back = again.root("HKEY_CURRENT_USER")->subkey("odd \"key\"");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->values().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back->values()[i].name, key->values()[i].name);
        EXPECT_EQ(back->values()[i].type, key->values()[i].type);
        EXPECT_EQ(back->values()[i].data, key->values()[i].data);
    }
}

TEST(UserDirsTest, ReadsHomeRelativeAndAbsoluteEntries) {
    const auto entries = mullion::parse_user_dirs("XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                  "# comment\n"
                                                  "XDG_MUSIC_DIR=\"/srv/music\"\n"
                                                  "XDG_BAD_DIR=unquoted\n"
                                                  "XDG_HOME_ONLY_DIR=\"$HOME/\"\n",
                                                  "/home/ana");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].second, "/home/ana/Desktop");
    EXPECT_EQ(entries[1].second, "/srv/music");
    EXPECT_EQ(entries[2].second, "/home/ana");
}

} // namespace
