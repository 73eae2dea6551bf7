#include "devicedata/VRDDriveInfoLog.h"

#include "blackbox/TKDegreesFromNmea.h"
#include "devicedata/VRDDriveInfoColumns.h"
#include "io/TKLittleEndian.h"
#include "io/TKReadFully.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::uint32_t headerCount(std::span<const std::uint8_t> header)
{
    return le_u32::read(header.data());
}

TKFileError fileError(const std::string &path, const std::string &reason)
{
    return TKFileError{"msg.file_open_fail", path + ": " + reason, false};
}

double numberFromText(const std::string &text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

std::optional<TKFileError> VRDDriveInfoLog::read(const std::string &path, VRDDriveInfoLog &log)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return fileError(path, std::strerror(errno));
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return fileError(path, "not a regular file");
    }
    std::vector<std::uint8_t> header(kHeaderSize);
    if (TKReadFully(descriptor, header.data(), kHeaderSize) != kHeaderSize) {
        ::close(descriptor);
        return fileError(path, "shorter than the log header");
    }
    // The count never decides the allocation alone: the file size bounds it.
    const auto available = static_cast<std::uint64_t>(info.st_size) - kHeaderSize;
    const std::uint64_t count = std::min<std::uint64_t>(headerCount(header), available / VRDDriveInfoRecord::kSize);
    std::vector<std::uint8_t> bytes(kHeaderSize + count * VRDDriveInfoRecord::kSize);
    std::copy(header.begin(), header.end(), bytes.begin());
    const std::size_t got = TKReadFully(descriptor, bytes.data() + kHeaderSize, bytes.size() - kHeaderSize);
    ::close(descriptor);
    bytes.resize(kHeaderSize + got);
    log = fromBytes(bytes);
    return std::nullopt;
}

VRDDriveInfoLog VRDDriveInfoLog::fromBytes(std::span<const std::uint8_t> bytes)
{
    VRDDriveInfoLog log;
    if (bytes.size() < kHeaderSize)
        return log;
    const std::span<const std::uint8_t> body = bytes.subspan(kHeaderSize);
    const std::size_t count = std::min<std::size_t>(headerCount(bytes), body.size() / VRDDriveInfoRecord::kSize);
    log.m_records.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        log.m_records.push_back(VRDDriveInfoRecord::decode(
            body.subspan(i * VRDDriveInfoRecord::kSize).first<VRDDriveInfoRecord::kSize>()));
    return log;
}

std::vector<std::uint8_t> VRDDriveInfoLog::toBytes(const std::vector<VRDDriveInfoRecord> &records)
{
    std::vector<std::uint8_t> bytes(kHeaderSize, 0);
    const auto count = static_cast<std::uint32_t>(records.size());
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(count >> (8 * i));
    for (const VRDDriveInfoRecord &record : records) {
        const auto encoded = record.encode();
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return bytes;
}

std::string VRDDriveInfoLog::stringForColumnIndex(std::int64_t column, std::int64_t row) const
{
    if (column < 0 || column >= static_cast<std::int64_t>(VRDDriveInfoColumns::kCount))
        return "X";
    if (row < 0 || row >= count())
        return {};
    return VRDDriveInfoColumns::text(m_records[static_cast<std::size_t>(row)], static_cast<std::size_t>(column), row);
}

std::optional<VRDDriveInfoPosition> VRDDriveInfoLog::positionOfRow(std::int64_t row) const
{
    if (row < 0 || row >= count())
        return std::nullopt;
    const VRDDriveInfoRecord &record = m_records[static_cast<std::size_t>(row)];
    // The words are read back through their display text, so a fraction word
    // above 9999 gives what the table shows.
    return VRDDriveInfoPosition{
        TKDegreesFromNmea(numberFromText(VRDDriveInfoColumns::text(record, VRDDriveInfoColumns::kLatitude, row))),
        TKDegreesFromNmea(numberFromText(VRDDriveInfoColumns::text(record, VRDDriveInfoColumns::kLongitude, row)))};
}
