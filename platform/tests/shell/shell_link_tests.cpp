// The shell link object through the component object library: creation, interfaces,
// properties, and saving and loading link files at Windows paths.
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

// A scratch directory seen as drive C:, made before the platform reads the drive map.
class ScratchDrive {
public:
    ScratchDrive() {
        std::string pattern = std::filesystem::temp_directory_path() / "shell-tests-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_root = pattern;
        setenv("MULLION_DRIVES", ("C=" + (m_root / "drive_c").string()).c_str(), 1);
        std::filesystem::create_directories(m_root / "drive_c");
        // The registry lives here too, not in the user's own configuration.
        std::filesystem::create_directories(m_root / "config");
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
    }
    ~ScratchDrive() {
        std::error_code error;
        std::filesystem::remove_all(m_root, error);
    }
    std::filesystem::path drive() const { return m_root / "drive_c"; }
    std::filesystem::path m_root;
};
const ScratchDrive scratch_drive;

class ShellLinkTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&m_link)),
                  S_OK);
        ASSERT_EQ(m_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&m_file)),
                  S_OK);
    }
    void TearDown() override {
        if (m_file)
            m_file->Release();
        if (m_link)
            m_link->Release();
        CoUninitialize();
    }

    IShellLinkA* m_link = nullptr;
    IPersistFile* m_file = nullptr;
};

TEST(ComponentLibrary, CreationNeedsTheLibraryOnThisThread) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
        CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);

    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE); // already initialised: counted
    HRESULT other_thread = S_OK;
    std::thread([&] {
        void* unused = nullptr;
        other_thread = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IShellLinkA, &unused);
    }).join();
    EXPECT_EQ(other_thread, CO_E_NOTINITIALIZED);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &object),
        CO_E_NOTINITIALIZED);
}

TEST(ComponentLibrary, UnknownClassesContextsAndAggregation) {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    void* object = nullptr;
    EXPECT_EQ(
        CoCreateInstance(IID_IPersistFile, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
        REGDB_E_CLASSNOTREG);
    IUnknown* outer = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_ALL, IID_IUnknown,
                               reinterpret_cast<void**>(&outer)),
              S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              CLASS_E_NOAGGREGATION);
    const GUID unknown_interface = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, unknown_interface,
                               &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    outer->Release();
    CoUninitialize();
}

TEST_F(ShellLinkTest, BothInterfacesShareOneIdentityAndCount) {
    IUnknown* from_link = nullptr;
    IUnknown* from_file = nullptr;
    ASSERT_EQ(m_link->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&from_link)), S_OK);
    ASSERT_EQ(m_file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&from_file)), S_OK);
    EXPECT_EQ(from_link, from_file);
    // Two references from the set-up, two from these queries.
    EXPECT_EQ(m_link->AddRef(), 5u);
    EXPECT_EQ(m_link->Release(), 4u);
    from_link->Release();
    EXPECT_EQ(from_file->Release(), 2u);

    CLSID class_id = {};
    EXPECT_EQ(m_file->GetClassID(&class_id), S_OK);
    EXPECT_TRUE(IsEqualCLSID(class_id, CLSID_ShellLink));
}

TEST_F(ShellLinkTest, TextPropertiesAreCutToTheCallersBuffer) {
    EXPECT_EQ(m_link->SetDescription("A longer description"), S_OK);
    char buffer[8];
    EXPECT_EQ(m_link->GetDescription(buffer, sizeof buffer), S_OK);
    EXPECT_STREQ(buffer, "A longe");
    EXPECT_EQ(m_link->SetArguments("/x"), S_OK);
    EXPECT_EQ(m_link->GetArguments(buffer, sizeof buffer), S_OK);
    EXPECT_STREQ(buffer, "/x");
    int icon = 0;
    EXPECT_EQ(m_link->SetIconLocation("C:\\i.ico", 4), S_OK);
    EXPECT_EQ(m_link->GetIconLocation(buffer, sizeof buffer, &icon), S_OK);
    EXPECT_EQ(icon, 4);
    EXPECT_EQ(m_link->GetDescription(buffer, 0), E_INVALIDARG);
}

TEST_F(ShellLinkTest, AnEmptyLinkHasNoPath) {
    char path[MAX_PATH] = "x";
    EXPECT_EQ(m_link->GetPath(path, MAX_PATH, nullptr, 0), S_FALSE);
    EXPECT_STREQ(path, "");
}

TEST_F(ShellLinkTest, SetPathRecordsTheFullPathAndTheTargetsAttributes) {
    std::filesystem::create_directories(scratch_drive.drive() / "Target");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_EQ(m_link->SetPath("Target\\"), S_OK);
    char path[MAX_PATH];
    WIN32_FIND_DATAA found = {};
    EXPECT_EQ(m_link->GetPath(path, MAX_PATH, &found, 0), S_OK);
    EXPECT_STREQ(path, "C:\\Target");
    EXPECT_TRUE(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ(found.cFileName, "Target");
}

TEST_F(ShellLinkTest, SaveAndLoadRoundTripThroughAFile) {
    std::filesystem::create_directories(scratch_drive.drive() / "Folder");
    ASSERT_EQ(m_link->SetPath("C:\\Folder"), S_OK);
    ASSERT_EQ(m_link->SetDescription("Opens the folder"), S_OK);
    ASSERT_EQ(m_link->SetWorkingDirectory("C:\\"), S_OK);
    EXPECT_EQ(m_file->IsDirty(), S_OK);
    EXPECT_EQ(m_file->Save(u"C:\\Folder.lnk", TRUE), S_OK);
    EXPECT_EQ(m_file->IsDirty(), S_FALSE);
    EXPECT_TRUE(std::filesystem::exists(scratch_drive.drive() / "Folder.lnk"));

    LPOLESTR current = nullptr;
    EXPECT_EQ(m_file->GetCurFile(&current), S_OK);
    EXPECT_EQ(std::u16string(current), u"C:\\Folder.lnk");
    CoTaskMemFree(current);

    IShellLinkA* reader = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               reinterpret_cast<void**>(&reader)),
              S_OK);
    IPersistFile* reader_file = nullptr;
    ASSERT_EQ(reader->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&reader_file)),
              S_OK);
    EXPECT_EQ(reader_file->Load(u"C:\\Folder.lnk", STGM_READ), S_OK);
    char text[MAX_PATH];
    WIN32_FIND_DATAA found = {};
    EXPECT_EQ(reader->GetPath(text, MAX_PATH, &found, 0), S_OK);
    EXPECT_STREQ(text, "C:\\Folder");
    EXPECT_TRUE(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(reader->GetDescription(text, MAX_PATH), S_OK);
    EXPECT_STREQ(text, "Opens the folder");
    EXPECT_EQ(reader->GetWorkingDirectory(text, MAX_PATH), S_OK);
    EXPECT_STREQ(text, "C:\\");
    reader_file->Release();
    reader->Release();
}

TEST_F(ShellLinkTest, LoadRefusesFilesThatAreNotLinks) {
    std::ofstream(scratch_drive.drive() / "plain.txt") << "not a shortcut";
    EXPECT_LT(m_file->Load(u"C:\\plain.txt", STGM_READ), 0);
    EXPECT_LT(m_file->Load(u"C:\\missing.lnk", STGM_READ), 0);
}

TEST_F(ShellLinkTest, SaveIntoAMissingFolderFails) {
    ASSERT_EQ(m_link->SetPath("C:\\"), S_OK);
    EXPECT_LT(m_file->Save(u"C:\\No\\Such\\Folder\\x.lnk", TRUE), 0);
    EXPECT_EQ(m_file->Save(nullptr, TRUE), E_INVALIDARG); // nothing remembered yet
}

TEST(SHGetSpecialFolderPath, ReadsTheShellFoldersKeyAndCreatesOnRequest) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                        nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const char personal[] = "C:\\Papers";
    RegSetValueExA(key, "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(personal),
                   sizeof personal);
    RegCloseKey(key);

    char path[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE));
    EXPECT_STREQ(path, "C:\\Papers");
    EXPECT_FALSE(std::filesystem::exists(scratch_drive.drive() / "Papers"));
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, TRUE));
    EXPECT_TRUE(std::filesystem::is_directory(scratch_drive.drive() / "Papers"));
    EXPECT_FALSE(SHGetSpecialFolderPathA(nullptr, path, 0x0026, FALSE)); // not a shell folder
}

} // namespace
