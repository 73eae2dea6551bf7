#pragma once

#include "mp4/Mp4Box.h"
#include "mp4/Mp4BoxReader.h"

#include <cstdint>
#include <string>

// The children of one box, read one after the other:
//   Mp4BoxChildren children(reader, moov);
//   for (Mp4Box box; children.next(box);) …
//   if (children.failed()) … children.error()
// Boxes whose payload starts with fields of their own before the children
// (stsd, sample entries) give their length as `skip`.
class Mp4BoxChildren {
public:
    Mp4BoxChildren(Mp4BoxReader &reader, const Mp4Box &parent, std::uint64_t skip = 0);

    // The next child; false at the parent's end or at the first fault, and
    // from then on.
    bool next(Mp4Box &child);
    bool failed() const { return !m_error.empty(); }
    const std::string &error() const { return m_error; }

private:
    Mp4BoxReader &m_reader;
    Mp4Box m_parent;
    std::uint64_t m_offset = 0;
    std::string m_error;
};
