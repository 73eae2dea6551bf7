#include "export/VRDManifestWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

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

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

} // namespace

namespace VRDManifestWriter {

std::string json(double from, double to, double actualFrom, const std::string &createdUtc,
                 const std::vector<VRDExportFile> &files)
{
    std::string out = "{\"from\":" + seconds(from) + ",\"to\":" + seconds(to) + ",\"actualFrom\":" + seconds(actualFrom)
        + ",\"createdUtc\":" + quoted(createdUtc) + ",\"files\":[";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const VRDExportFile &file = files[i];
        if (i > 0)
            out += ",";
        out += "{\"name\":" + quoted(file.name) + ",\"role\":" + quoted(file.role) + ",\"sha256\":" + quoted(file.sha256)
            + ",\"bytes\":" + std::to_string(file.bytes) + "}";
    }
    return out + "]}\n";
}

} // namespace VRDManifestWriter
