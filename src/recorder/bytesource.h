#pragma once

#include <cstddef>
#include <cstdint>

// Random access to the bytes of a file that may be hostile: every read states
// its offset and size and fails, rather than reading short, outside the data.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    // Fills `out` with exactly `size` bytes from `offset`; false when they are not all there.
    virtual bool ReadAt(std::uint64_t offset, void* out, std::size_t size) = 0;
};

// Bytes already in memory; the caller keeps them alive.
class MemoryByteSource : public ByteSource
{
public:
    MemoryByteSource(const void* data, std::size_t size);
    bool ReadAt(std::uint64_t offset, void* out, std::size_t size) override;

private:
    const unsigned char* m_data;
    std::size_t m_size;
};
