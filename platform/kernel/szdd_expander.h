#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mullion {

// Where expansion reads from: random access by offset, so that a source can be an open
// file descriptor or bytes in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `size` bytes at `offset`; returns the count (0 at the end) or -1.
    virtual long read_at(uint64_t offset, void* buffer, size_t size) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(const void* data, size_t size) = 0;
};

class FileDescriptorSource : public ByteSource {
public:
    explicit FileDescriptorSource(int descriptor) : m_descriptor(descriptor) {}
    long read_at(uint64_t offset, void* buffer, size_t size) override;

private:
    int m_descriptor;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    long read_at(uint64_t offset, void* buffer, size_t size) override;

private:
    std::span<const uint8_t> m_bytes;
};

class FileDescriptorSink : public ByteSink {
public:
    explicit FileDescriptorSink(int descriptor) : m_descriptor(descriptor) {}
    bool write(const void* data, size_t size) override;

private:
    int m_descriptor;
};

class MemorySink : public ByteSink {
public:
    bool write(const void* data, size_t size) override;
    std::vector<uint8_t> bytes;
};

enum class ExpandStatus {
    Expanded,
    NotCompressed, // no SZDD signature: the caller copies the bytes as they are
    ReadFailed,
    WriteFailed,
    Corrupt,       // truncated, or decodes to another length than its header says
    UnknownMethod, // SZDD with a compression method other than 'A'
    OutOfMemory,
};

struct ExpandResult {
    ExpandStatus status;
    uint64_t bytes_written = 0;
};

// Expands an SZDD file (the format of the platform's LZ compression tool) with libmspack's
// decompressor, checking the result against the length its header records.
ExpandResult expand_szdd(ByteSource& source, ByteSink& sink);

// Copies a source unchanged, from its start.
ExpandResult copy_unchanged(ByteSource& source, ByteSink& sink);

} // namespace mullion
