#include "recorder/bytesource.h"

#include <cstring>

MemoryByteSource::MemoryByteSource(const void* data, std::size_t size)
    : m_data(static_cast<const unsigned char*>(data)), m_size(size)
{}

bool MemoryByteSource::ReadAt(std::uint64_t offset, void* out, std::size_t size)
{
    if (offset > m_size || size > m_size - offset)
        return false;
    if (size > 0)
        std::memcpy(out, m_data + offset, size);
    return true;
}
