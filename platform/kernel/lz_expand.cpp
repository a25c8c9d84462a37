// LZOpenFileA, LZCopy, LZClose, LZRead, LZSeek and GetExpandedNameA. LZ handles are small
// non-negative numbers of their own; failures are the negative LZERROR_ codes. A copy that
// fails removes the destination file it was writing when LZOpenFileA created it, so no
// partial file is left that looks like a finished one.
#include "host_path.h"
#include "szdd_expander.h"

#include "windows.h"
#include "lzexpand.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace mullion {
namespace {

struct LzFile {
    int descriptor = -1;
    std::filesystem::path host;
    bool created = false;
    // Filled on the first LZRead or LZSeek: the file's contents, expanded if compressed.
    std::optional<std::vector<uint8_t>> expanded;
    uint64_t read_position = 0;

    ~LzFile() {
        if (descriptor >= 0)
            close(descriptor);
    }
};

class LzFileTable {
public:
    static LzFileTable& instance() {
        static LzFileTable table;
        return table;
    }
    INT insert(std::shared_ptr<LzFile> file) {
        std::lock_guard lock(m_mutex);
        const INT handle = m_next++;
        m_files.emplace(handle, std::move(file));
        return handle;
    }
    std::shared_ptr<LzFile> find(INT handle) {
        std::lock_guard lock(m_mutex);
        auto it = m_files.find(handle);
        return it == m_files.end() ? nullptr : it->second;
    }
    void remove(INT handle) {
        std::lock_guard lock(m_mutex);
        m_files.erase(handle);
    }

private:
    std::mutex m_mutex;
    std::map<INT, std::shared_ptr<LzFile>> m_files;
    // Numbered apart from small integers so a stray 0 or 1 is never a valid handle.
    INT m_next = 0x400;
};

LONG lz_error(ExpandStatus status) {
    switch (status) {
    case ExpandStatus::Expanded:
    case ExpandStatus::NotCompressed:
        return 0;
    case ExpandStatus::ReadFailed:
    case ExpandStatus::Corrupt:
        return LZERROR_READ;
    case ExpandStatus::WriteFailed:
        return LZERROR_WRITE;
    case ExpandStatus::UnknownMethod:
        return LZERROR_UNKNOWNALG;
    case ExpandStatus::OutOfMemory:
        return LZERROR_GLOBALLOC;
    }
    return LZERROR_READ;
}

ExpandResult expand_or_copy(int descriptor, ByteSink& sink) {
    FileDescriptorSource source(descriptor);
    ExpandResult result = expand_szdd(source, sink);
    if (result.status == ExpandStatus::NotCompressed)
        result = copy_unchanged(source, sink);
    return result;
}

// Expands the whole file into memory for LZRead and LZSeek.
bool ensure_expanded(LzFile& file) {
    if (file.expanded)
        return true;
    MemorySink sink;
    if (expand_or_copy(file.descriptor, sink).status != ExpandStatus::Expanded)
        return false;
    file.expanded = std::move(sink.bytes);
    return true;
}

void fill_open_structure(LPOFSTRUCT structure, const std::string& full_path, WORD error) {
    if (!structure)
        return;
    structure->cBytes = BYTE(sizeof(OFSTRUCT));
    structure->fFixedDisk = 1;
    structure->nErrCode = error;
    const size_t length = std::min(full_path.size(), size_t(OFS_MAXPATHNAME - 1));
    std::memcpy(structure->szPathName, full_path.data(), length);
    structure->szPathName[length] = '\0';
}

} // namespace
} // namespace mullion

using namespace mullion;

INT WINAPI LZOpenFileA(LPSTR lpFileName, LPOFSTRUCT lpReOpenBuf, WORD wStyle) {
    if (!lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return LZERROR_BADINHANDLE;
    }
    const HostPath path = HostPath::resolve(lpFileName);
    auto fail = [&](DWORD error) {
        SetLastError(error);
        fill_open_structure(lpReOpenBuf, path.windows, WORD(error));
        return INT(LZERROR_BADINHANDLE);
    };
    const bool create = wStyle & OF_CREATE;
    const int access = wStyle & 3;
    if (access == 3 || (wStyle & (OF_PARSE | OF_DELETE | OF_EXIST | OF_CANCEL | OF_PROMPT)))
        return fail(ERROR_INVALID_PARAMETER);
    if (!path.exists() && !(create && path.status == PathStatus::MissingLeaf))
        return fail(path.error());
    struct stat status;
    if (path.exists() && (stat(path.host.c_str(), &status) != 0 || S_ISDIR(status.st_mode) ||
                          ((create || access != OF_READ) && !(status.st_mode & 0222))))
        return fail(ERROR_ACCESS_DENIED);
    int flags = O_CLOEXEC;
    flags |= access == OF_WRITE ? O_WRONLY : access == OF_READWRITE ? O_RDWR : O_RDONLY;
    if (create)
        flags |= O_CREAT | O_TRUNC | (access == OF_READ ? O_RDWR : 0);
    auto file = std::make_shared<LzFile>();
    file->descriptor = open(path.host.c_str(), flags, 0666);
    if (file->descriptor < 0)
        return fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
    file->host = path.host;
    file->created = create;
    fill_open_structure(lpReOpenBuf, path.windows, 0);
    return LzFileTable::instance().insert(std::move(file));
}

LONG WINAPI LZCopy(INT hfSource, INT hfDest) {
    auto source = LzFileTable::instance().find(hfSource);
    if (!source)
        return LZERROR_BADINHANDLE;
    auto destination = LzFileTable::instance().find(hfDest);
    if (!destination)
        return LZERROR_BADOUTHANDLE;
    FileDescriptorSink sink(destination->descriptor);
    const ExpandResult result = expand_or_copy(source->descriptor, sink);
    if (result.status != ExpandStatus::Expanded) {
        // What was written is not the file: drop it.
        if (ftruncate(destination->descriptor, 0) == 0 && destination->created)
            unlink(destination->host.c_str());
        return lz_error(result.status);
    }
    return LONG(result.bytes_written);
}

void WINAPI LZClose(INT hFile) {
    LzFileTable::instance().remove(hFile);
}

INT WINAPI LZRead(INT hFile, LPSTR lpBuffer, INT cbRead) {
    auto file = LzFileTable::instance().find(hFile);
    if (!file)
        return LZERROR_BADINHANDLE;
    if (cbRead < 0 || (!lpBuffer && cbRead > 0))
        return LZERROR_BADVALUE;
    if (!ensure_expanded(*file))
        return LZERROR_READ;
    const std::vector<uint8_t>& bytes = *file->expanded;
    const uint64_t available =
        file->read_position < bytes.size() ? bytes.size() - file->read_position : 0;
    const size_t count = size_t(std::min<uint64_t>(available, uint64_t(cbRead)));
    if (count > 0)
        std::memcpy(lpBuffer, bytes.data() + file->read_position, count);
    file->read_position += count;
    return INT(count);
}

LONG WINAPI LZSeek(INT hFile, LONG lOffset, INT iOrigin) {
    auto file = LzFileTable::instance().find(hFile);
    if (!file)
        return LZERROR_BADINHANDLE;
    if (!ensure_expanded(*file))
        return LZERROR_READ;
    const int64_t size = int64_t(file->expanded->size());
    const int64_t base = iOrigin == 0   ? 0
                         : iOrigin == 1 ? int64_t(file->read_position)
                         : iOrigin == 2 ? size
                                        : -1;
    if (base < 0 || base + lOffset < 0 || base + lOffset > size)
        return LZERROR_BADVALUE;
    file->read_position = uint64_t(base + lOffset);
    return LONG(file->read_position);
}

INT WINAPI GetExpandedNameA(LPSTR lpszSource, LPSTR lpszBuffer) {
    if (!lpszSource || !lpszBuffer)
        return LZERROR_BADVALUE;
    std::string name = lpszSource;
    const HostPath path = HostPath::resolve(name);
    const int descriptor = path.exists() ? open(path.host.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (descriptor < 0)
        return LZERROR_BADINHANDLE;
    uint8_t header[14];
    FileDescriptorSource source(descriptor);
    const long got = source.read_at(0, header, sizeof header);
    close(descriptor);
    static constexpr uint8_t signature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    // A compressed name ends in '_' in place of its extension's last letter, which the
    // header records.
    const size_t dot = name.find_last_of(".\\/");
    if (got == long(sizeof header) && std::memcmp(header, signature, 8) == 0 && header[9] &&
        !name.empty() && name.back() == '_' && dot != std::string::npos && name[dot] == '.')
        name.back() = char(header[9]);
    std::strcpy(lpszBuffer, name.c_str());
    return 1;
}
