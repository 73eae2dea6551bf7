// Any text as NMEA: through the sentence parser line by line, the GSV
// handler, and the extractor's scan of a sample's text.
#include "blackbox/VRDBlackBoxData.h"
#include "blackbox/VRDNMEASentenceParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    VRDNMEASentenceParser parser;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        parser.parse(line);

        VRDNMEASentenceParser::Fields fields;
        std::size_t fieldStart = 0;
        for (;;) {
            const std::size_t comma = line.find(',', fieldStart);
            fields.push_back(line.substr(fieldStart, comma == std::string_view::npos ? std::string_view::npos : comma - fieldStart));
            if (comma == std::string_view::npos)
                break;
            fieldStart = comma + 1;
        }
        parser.parseGPGSV(fields);
        start = end + 1;
    }

    std::vector<char> writable(text.begin(), text.end());
    VRDBlackBoxData extractor;
    extractor.ParseNMEA(writable.data(), static_cast<std::uint32_t>(writable.size()));
    return 0;
}
