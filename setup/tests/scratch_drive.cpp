#include "scratch_drive.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace scratch {

namespace {

class ScratchDrive {
public:
    ScratchDrive() {
        std::string pattern = (std::filesystem::temp_directory_path() / "setup-tests-XXXXXX");
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_base = pattern;
        m_drive = m_base / "drive_c";
        std::filesystem::create_directories(m_drive);
        std::filesystem::create_directories(m_base / "config");
        std::filesystem::create_directories(m_base / "data");
        const std::string drives = "C=" + m_drive.string();
        setenv("MULLION_DRIVES", drives.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_base / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_base / "data").c_str(), 1);
        setenv("MULLION_DISPLAY", "headless", 0);
    }
    ~ScratchDrive() {
        std::error_code error;
        std::filesystem::remove_all(m_base, error);
    }

    const std::filesystem::path& drive() const { return m_drive; }

private:
    std::filesystem::path m_base;
    std::filesystem::path m_drive;
};

// Made during static initialisation, before the platform first reads the environment.
const ScratchDrive scratch_drive;

} // namespace

const std::filesystem::path& drive_root() {
    return scratch_drive.drive();
}

std::filesystem::path host_path(const std::string& windows_path) {
    std::filesystem::path path = drive_root();
    std::string rest = windows_path.substr(windows_path.rfind(':') + 1);
    std::stringstream parts(rest);
    for (std::string part; std::getline(parts, part, '\\');)
        if (!part.empty())
            path /= part;
    return path;
}

void write_file(const std::filesystem::path& path, const std::string& contents) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace scratch
