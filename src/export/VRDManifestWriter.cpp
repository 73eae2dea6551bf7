#include "export/VRDManifestWriter.h"

#include "io/TKJsonString.h"

#include <charconv>
#include <cmath>

namespace {

// Seconds with at least one decimal ("2.0"), in the shortest form that
// reads back the same.
std::string seconds(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[40];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    return text;
}

} // namespace

namespace VRDManifestWriter {

std::string json(double from, double to, double actualFrom, const std::string &createdUtc,
                 const std::vector<VRDExportFile> &files)
{
    std::string out = "{\"from\":" + seconds(from) + ",\"to\":" + seconds(to) + ",\"actualFrom\":" + seconds(actualFrom)
        + ",\"createdUtc\":" + TKJsonString(createdUtc) + ",\"files\":[";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const VRDExportFile &file = files[i];
        if (i > 0)
            out += ",";
        out += "{\"name\":" + TKJsonString(file.name) + ",\"role\":" + TKJsonString(file.role) + ",\"sha256\":" + TKJsonString(file.sha256)
            + ",\"bytes\":" + std::to_string(file.bytes) + "}";
    }
    return out + "]}\n";
}

} // namespace VRDManifestWriter
