#pragma once

#include "blackbox/VRDGpsData.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Folds a stream of NMEA 0183 sentences into one current fix that keeps the
// latest figures of every sentence kind. Converts no units. One parser is
// used by one thread at a time; parsers share nothing.
class VRDNMEASentenceParser {
public:
    using Fields = std::vector<std::string_view>;

    const VRDGpsData &current() const { return m_Current; }
    void setCurrent(const VRDGpsData &fix) { m_Current = fix; }

    void clear();

    // A sentence from its "$" up to its line end (exclusive); it ends at its
    // first zero byte. Answers the handler's result, false when no handler
    // takes it, when it does not hold exactly one "*" or is not UTF-8.
    bool parse(std::string_view sentence);

    // Handlers; field 0 is the address such as "$GPRMC". A field beyond the
    // end of the sentence counts as empty.
    bool parseGPRMC(const Fields &fields);
    bool parseGPGGA(const Fields &fields);
    bool parseGNGSA(const Fields &fields);
    bool parseGNGNS(const Fields &fields);
    // Satellites in view; false for a message out of sequence.
    bool parseGPGSV(const Fields &fields);

private:
    VRDGpsData m_Current;
    // Satellites-in-view bookkeeping across the messages of one GSV group.
    std::int32_t m_nextFreeChannel = 0;
    std::int32_t m_lastGsvMessage = 0;
};
