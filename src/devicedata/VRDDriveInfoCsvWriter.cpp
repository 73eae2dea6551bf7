#include "devicedata/VRDDriveInfoCsvWriter.h"

#include "devicedata/VRDDriveInfoColumns.h"
#include "io/TKSafeFileWriter.h"

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

void appendLine(std::string &out, const std::vector<std::string> &fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += VRDDriveInfoCsvWriter::field(fields[i]);
        out += i + 1 < fields.size() ? "," : "\n";
    }
}

std::vector<std::string> rowFields(const VRDDriveInfoLog &log, std::int64_t row)
{
    std::vector<std::string> fields;
    fields.reserve(VRDDriveInfoColumns::kCount);
    for (std::size_t column = 0; column < VRDDriveInfoColumns::kCount; ++column)
        fields.push_back(log.stringForColumnIndex(static_cast<std::int64_t>(column), row));
    return fields;
}

} // namespace

std::string VRDDriveInfoCsvWriter::field(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string VRDDriveInfoCsvWriter::text(const VRDDriveInfoLog &log, const std::vector<std::string> &titles)
{
    std::string out;
    appendLine(out, titles);
    for (std::int64_t row = 0; row < log.count(); ++row)
        appendLine(out, rowFields(log, row));
    return out;
}

std::optional<TKFileError> VRDDriveInfoCsvWriter::write(const VRDDriveInfoLog &log,
                                                        const std::vector<std::string> &titles,
                                                        const std::string &path)
{
    TKSafeFileWriter writer(path);
    if (auto error = writer.open())
        return error;
    std::string chunk;
    appendLine(chunk, titles);
    for (std::int64_t row = 0; row < log.count(); ++row) {
        appendLine(chunk, rowFields(log, row));
        if (chunk.size() >= kChunkSize) {
            if (auto error = writer.append(chunk))
                return error;
            chunk.clear();
        }
    }
    if (auto error = writer.append(chunk))
        return error;
    return writer.commit();
}
