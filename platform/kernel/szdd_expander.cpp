#include "szdd_expander.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <mspack.h>
#include <unistd.h>

namespace mullion {

long FileDescriptorSource::read_at(uint64_t offset, void* buffer, size_t size) {
    for (;;) {
        const ssize_t got = pread(m_descriptor, buffer, size, off_t(offset));
        if (got >= 0 || errno != EINTR)
            return long(got);
    }
}

long MemorySource::read_at(uint64_t offset, void* buffer, size_t size) {
    if (offset >= m_bytes.size())
        return 0;
    const size_t count = std::min(size, size_t(m_bytes.size() - offset));
    std::memcpy(buffer, m_bytes.data() + offset, count);
    return long(count);
}

bool FileDescriptorSink::write(const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = ::write(m_descriptor, bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        size -= size_t(put);
    }
    return true;
}

bool MemorySink::write(const void* data, size_t size) {
    const uint8_t* begin = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), begin, begin + size);
    return true;
}

namespace {

constexpr uint8_t szdd_signature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t szdd_header_size = 14;

// The decompressor reaches its input and output through this system of callbacks: a
// "file name" it is given is really a pointer to one of these streams.
struct Stream {
    ByteSource* source = nullptr;
    ByteSink* sink = nullptr;
    uint64_t position = 0;
    uint64_t limit = 0; // the header's expanded length, for the sink
    bool overflowed = false;
};

mspack_file* stream_open(mspack_system*, const char* name, int mode) {
    auto* stream = reinterpret_cast<Stream*>(const_cast<char*>(name));
    const bool reading = mode == MSPACK_SYS_OPEN_READ;
    if (reading ? !stream->source : !stream->sink || mode != MSPACK_SYS_OPEN_WRITE)
        return nullptr;
    stream->position = 0;
    return reinterpret_cast<mspack_file*>(stream);
}

void stream_close(mspack_file*) {}

int stream_read(mspack_file* file, void* buffer, int bytes) {
    auto* stream = reinterpret_cast<Stream*>(file);
    if (!stream->source || bytes < 0)
        return -1;
    const long got = stream->source->read_at(stream->position, buffer, size_t(bytes));
    if (got > 0)
        stream->position += uint64_t(got);
    return int(got);
}

int stream_write(mspack_file* file, void* buffer, int bytes) {
    auto* stream = reinterpret_cast<Stream*>(file);
    if (!stream->sink || bytes < 0)
        return -1;
    // More output than the header announced means the data is corrupt: stop at once rather
    // than write it.
    if (stream->position + uint64_t(bytes) > stream->limit) {
        stream->overflowed = true;
        return -1;
    }
    if (!stream->sink->write(buffer, size_t(bytes)))
        return -1;
    stream->position += uint64_t(bytes);
    return bytes;
}

// Seeks from the start or the current position; expansion never needs the end.
int stream_seek(mspack_file* file, off_t offset, int mode) {
    auto* stream = reinterpret_cast<Stream*>(file);
    int64_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) {
        base = int64_t(stream->position);
    } else if (mode != MSPACK_SYS_SEEK_START) {
        return -1;
    }
    if (base + offset < 0)
        return -1;
    stream->position = uint64_t(base + offset);
    return 0;
}

off_t stream_tell(mspack_file* file) {
    return off_t(reinterpret_cast<Stream*>(file)->position);
}

void stream_message(mspack_file*, const char*, ...) {}

void* stream_alloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}

void stream_free(void* pointer) {
    std::free(pointer);
}

void stream_copy(void* from, void* to, size_t bytes) {
    std::memmove(to, from, bytes);
}

mspack_system stream_system = {stream_open, stream_close, stream_read,    stream_write,
                               stream_seek, stream_tell,  stream_message, stream_alloc,
                               stream_free, stream_copy,  nullptr};

} // namespace

ExpandResult copy_unchanged(ByteSource& source, ByteSink& sink) {
    ExpandResult result{ExpandStatus::Expanded};
    char buffer[1 << 16];
    for (;;) {
        const long got = source.read_at(result.bytes_written, buffer, sizeof buffer);
        if (got < 0)
            return {ExpandStatus::ReadFailed, result.bytes_written};
        if (got == 0)
            return result;
        if (!sink.write(buffer, size_t(got)))
            return {ExpandStatus::WriteFailed, result.bytes_written};
        result.bytes_written += uint64_t(got);
    }
}

ExpandResult expand_szdd(ByteSource& source, ByteSink& sink) {
    uint8_t header[szdd_header_size];
    const long got = source.read_at(0, header, sizeof header);
    if (got < 0)
        return {ExpandStatus::ReadFailed};
    if (size_t(got) < sizeof szdd_signature ||
        std::memcmp(header, szdd_signature, sizeof szdd_signature) != 0)
        return {ExpandStatus::NotCompressed};
    if (size_t(got) < szdd_header_size)
        return {ExpandStatus::Corrupt};
    if (header[8] != 'A')
        return {ExpandStatus::UnknownMethod};
    const uint64_t length = uint64_t(header[10]) | uint64_t(header[11]) << 8 |
                            uint64_t(header[12]) << 16 | uint64_t(header[13]) << 24;

    msszdd_decompressor* decompressor = mspack_create_szdd_decompressor(&stream_system);
    if (!decompressor)
        return {ExpandStatus::OutOfMemory};
    Stream input{&source, nullptr};
    Stream output{nullptr, &sink};
    output.limit = length;
    const int error = decompressor->decompress(decompressor, reinterpret_cast<const char*>(&input),
                                               reinterpret_cast<const char*>(&output));
    mspack_destroy_szdd_decompressor(decompressor);

    ExpandResult result{ExpandStatus::Expanded, output.position};
    if (output.overflowed)
        result.status = ExpandStatus::Corrupt;
    else if (error == MSPACK_ERR_WRITE)
        result.status = ExpandStatus::WriteFailed;
    else if (error == MSPACK_ERR_NOMEMORY)
        result.status = ExpandStatus::OutOfMemory;
    else if (error == MSPACK_ERR_READ || error == MSPACK_ERR_OPEN || error == MSPACK_ERR_SEEK)
        result.status = ExpandStatus::ReadFailed;
    else if (error != MSPACK_ERR_OK || output.position != length)
        result.status = ExpandStatus::Corrupt; // a short stream: the file was cut off
    return result;
}

} // namespace mullion
