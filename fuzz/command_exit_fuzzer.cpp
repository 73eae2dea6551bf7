// What a format or mount command printed, classified into error number and
// message: any output must give a bounded, one-line message and never crash.
#include "disk/TKCommandExitClassifier.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int exitStatus = data[0];
    const bool throughPkexec = (data[1] & 1) != 0;
    const std::string_view output(reinterpret_cast<const char *>(data + 2), size - 2);
    const TKCommandResult result = TKClassifyCommandExit("mkfs.fat", exitStatus, output, throughPkexec);
    if (result.succeeded() != (exitStatus == 0))
        std::abort();
    if (result.errorMessage.size() > 600 || result.errorMessage.find('\n') != std::string::npos)
        std::abort();
    return 0;
}
