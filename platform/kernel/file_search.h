#pragma once

#include "handle_table.h"

#include "windows.h"

#include <dirent.h>
#include <filesystem>
#include <string>

namespace mullion {

// An enumeration begun by FindFirstFileA: the directory stays open and is read in the file
// system's own order, one matching entry at a time.
class FileSearch : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::FindSearch;
    ObjectKind kind() const override { return object_kind; }

    // `skip_dot_entries`: a drive's root has no "." and ".." entries on Windows.
    FileSearch(DIR* directory, std::filesystem::path host_directory, std::string pattern,
               bool skip_dot_entries);
    ~FileSearch() override;
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    // Fills `data` with the next matching entry; false when there is none left.
    bool next(WIN32_FIND_DATAA& data);

private:
    DIR* m_directory;
    const std::filesystem::path m_host_directory;
    const std::string m_pattern;
    const bool m_skip_dot_entries;
};

} // namespace mullion
