#pragma once

#include "handle_table.h"

#include <filesystem>

namespace mullion {

// An open file: CreateFileA's handle over a host file descriptor.
class FileObject : public Object {
public:
    static constexpr ObjectKind object_kind = ObjectKind::File;
    ObjectKind kind() const override { return object_kind; }

    FileObject(int descriptor, std::filesystem::path host, bool delete_on_close)
        : m_descriptor(descriptor), m_host(std::move(host)), m_delete_on_close(delete_on_close) {}
    ~FileObject() override;
    FileObject(const FileObject&) = delete;
    FileObject& operator=(const FileObject&) = delete;

    int descriptor() const { return m_descriptor; }
    const std::filesystem::path& host() const { return m_host; }

private:
    const int m_descriptor;
    const std::filesystem::path m_host;
    const bool m_delete_on_close;
};

} // namespace mullion
