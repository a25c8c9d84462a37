#include "current_directory.h"

#include "drive_map.h"

#include <filesystem>

namespace mullion {

CurrentDirectory& CurrentDirectory::instance() {
    static CurrentDirectory directory;
    return directory;
}

std::string CurrentDirectory::get() {
    std::lock_guard lock(m_mutex);
    if (m_path.empty()) {
        std::error_code error;
        const std::filesystem::path host = std::filesystem::current_path(error);
        DriveMap& drives = DriveMap::instance();
        if (!error)
            m_path = drives.windows_path_on('Z', host);
        if (m_path.empty() && !error)
            m_path = drives.windows_path(host);
        if (m_path.empty())
            m_path = "C:\\";
    }
    return m_path;
}

void CurrentDirectory::set(std::string windows_path) {
    std::lock_guard lock(m_mutex);
    m_path = std::move(windows_path);
}

void CurrentDirectory::reset() {
    std::lock_guard lock(m_mutex);
    m_path.clear();
}

} // namespace mullion
