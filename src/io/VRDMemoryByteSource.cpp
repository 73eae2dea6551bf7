#include "io/VRDMemoryByteSource.h"

#include <algorithm>
#include <cstring>

std::size_t VRDMemoryByteSource::readAt(std::uint64_t offset, void *buffer, std::size_t count)
{
    if (offset >= m_bytes.size() || count == 0)
        return 0;
    const std::size_t available = static_cast<std::size_t>(m_bytes.size() - offset);
    const std::size_t copied = std::min(count, available);
    std::memcpy(buffer, m_bytes.data() + offset, copied);
    return copied;
}
