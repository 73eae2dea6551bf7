#include "mp4/Mp4BoxChildren.h"

Mp4BoxChildren::Mp4BoxChildren(Mp4BoxReader &reader, const Mp4Box &parent, std::uint64_t skip)
    : m_reader(reader), m_parent(parent), m_offset(parent.payloadOffset())
{
    if (skip > parent.payloadSize()) {
        m_error = "box '" + parent.typeText() + "' is shorter than its own fields";
        m_offset = parent.end();
    } else {
        m_offset += skip;
    }
}

bool Mp4BoxChildren::next(Mp4Box &child)
{
    if (m_offset >= m_parent.end())
        return false;
    TKResult<Mp4Box> box = m_reader.boxAt(m_parent, m_offset);
    if (!box) {
        m_error = box.error();
        m_offset = m_parent.end();
        return false;
    }
    child = *box;
    m_offset = child.end();
    return true;
}
