#pragma once

#include "kernel/current_directory.h"
#include "kernel/drive_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A test's own drives: C: a fixed drive, D: a CD-ROM drive without a medium and E: a
// removable drive reporting 1 MB free, all in a fresh scratch directory; the current
// directory starts at C:\.
class ScratchDrives : public ::testing::Test {
protected:
    void SetUp() override {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/mullion-kernel-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        std::filesystem::create_directories(m_root / "c");
        std::filesystem::create_directories(m_root / "e");
        const std::string drives = "C=" + (m_root / "c").string() +
                                   ";D=" + (m_root / "d").string() +
                                   ":cdrom;E=" + (m_root / "e").string() + ":removable:1048576";
        setenv("MULLION_DRIVES", drives.c_str(), 1);
        mullion::DriveMap::instance().reload();
        mullion::CurrentDirectory::instance().set("C:\\");
    }

    void TearDown() override {
        unsetenv("MULLION_DRIVES");
        mullion::DriveMap::instance().reload();
        mullion::CurrentDirectory::instance().reset();
        std::error_code error;
        std::filesystem::permissions(m_root, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(m_root, error);
    }

    // The host path of a file on drive C:.
    std::filesystem::path on_c(const std::string& relative) const {
        return m_root / "c" / relative;
    }

    void write_host_file(const std::filesystem::path& path, const std::string& contents) const {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
    }

    static std::string read_host_file(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path m_root;
};
