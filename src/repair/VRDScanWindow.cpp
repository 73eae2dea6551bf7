#include "repair/VRDScanWindow.h"

#include <algorithm>

namespace {

// Reads ahead in large blocks: the scan moves forward through the file.
constexpr std::size_t kReadAhead = 4u << 20;

} // namespace

VRDScanWindow::VRDScanWindow(VRDByteSource &source, std::uint64_t begin, std::uint64_t end)
    : m_source(source), m_begin(begin), m_end(std::min(end, source.size()))
{
    if (m_begin > m_end)
        m_begin = m_end;
}

const std::uint8_t *VRDScanWindow::bytes(std::uint64_t offset, std::size_t count)
{
    if (offset < m_begin || count > kMaxContiguous || available(offset) < count)
        return nullptr;
    const bool inside = offset >= m_bufferOffset && offset - m_bufferOffset + count <= m_buffer.size();
    if (!inside && !load(offset, count))
        return nullptr;
    return m_buffer.data() + (offset - m_bufferOffset);
}

bool VRDScanWindow::load(std::uint64_t offset, std::size_t count)
{
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(std::max(count, kReadAhead), available(offset)));
    m_buffer.resize(wanted);
    const std::size_t got = m_source.readAt(offset, m_buffer.data(), wanted);
    m_buffer.resize(got);
    m_bufferOffset = offset;
    if (got < wanted)
        m_end = offset + got; // a read error ends the range
    return got >= count;
}
