// Writes seed texts: the sentence kinds the parser handles, and ones it
// refuses, as the camera stores them (CR LF line ends).
#include "SeedCorpus.h"

#include <string>
#include <utility>
#include <vector>

int main(int argc, char **argv)
{
    const std::optional<SeedCorpus> corpus = SeedCorpus::fromArguments(argc, argv);
    if (!corpus)
        return 1;
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"rmc", "$GPRMC,123519.000,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n"},
        {"gga", "$GNGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"},
        {"gsa", "$GNGSA,A,3,03,07,19,,,,,,,,,,1.0,0.9,0.5*00\r\n$GNGSA,A,3,65,72,,,,,,,,,,,1.0,0.9,0.5*00\r\n"},
        {"gns", "$GNGNS,123519,4807.038,N,01131.000,E,AA,14,0.7,545.4,46.9,,*00\r\n"},
        {"gsv", "$GPGSV,3,1,11,03,03,111,42,04,15,270,07,06,01,010,00,13,06,292,00*74\r\n$GPGSV,3,2,11,14,25,170,00*74\r\n"},
        {"refused", "$GPGSA,A,3,03,,,,,,,,,,,,1,1,1*00\r\n$GPGGA,1,2*3*4\r\n$GPGGA,1,\xff\r\nno sentence\r\n"},
    };
    for (const auto &[name, text] : seeds) {
        if (!corpus->add(name + ".txt", text))
            return 1;
    }
    return 0;
}
