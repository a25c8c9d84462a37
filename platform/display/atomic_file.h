#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace mullion {

// A file written whole or not at all: the data goes to FILE.tmp, which replaces FILE only when
// commit() succeeds, so a reader never sees half a snapshot or dump.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The temporary file to write to; null when it could not be created (see error()).
    std::FILE* stream() const { return m_stream; }
    bool commit();
    const std::string& error() const { return m_error; }

    // Writes `contents` to `path` atomically; on failure returns false and sets `error`.
    static bool write(const std::string& path, std::string_view contents, std::string& error);

private:
    std::string m_path;
    std::string m_temporary_path;
    std::FILE* m_stream = nullptr;
    std::string m_error;
};

} // namespace mullion
