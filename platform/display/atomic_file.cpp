#include "atomic_file.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace mullion {

AtomicFile::AtomicFile(std::string path)
    : m_path(std::move(path)), m_temporary_path(m_path + ".tmp") {
    m_stream = std::fopen(m_temporary_path.c_str(), "wb");
    if (!m_stream)
        m_error = m_temporary_path + ": " + std::strerror(errno);
}

AtomicFile::~AtomicFile() {
    if (m_stream) {
        std::fclose(m_stream);
        std::remove(m_temporary_path.c_str());
    }
}

bool AtomicFile::commit() {
    if (!m_stream)
        return false;
    bool written =
        std::fflush(m_stream) == 0 && !std::ferror(m_stream) && fsync(fileno(m_stream)) == 0;
    int write_errno = errno;
    bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!written || !closed) {
        m_error = m_temporary_path + ": " + std::strerror(written ? errno : write_errno);
        std::remove(m_temporary_path.c_str());
        return false;
    }
    if (std::rename(m_temporary_path.c_str(), m_path.c_str()) != 0) {
        m_error = m_path + ": " + std::strerror(errno);
        std::remove(m_temporary_path.c_str());
        return false;
    }
    return true;
}

bool AtomicFile::write(const std::string& path, std::string_view contents, std::string& error) {
    AtomicFile file(path);
    if (file.stream())
        std::fwrite(contents.data(), 1, contents.size(), file.stream());
    bool committed = file.commit();
    error = file.error();
    return committed;
}

} // namespace mullion
