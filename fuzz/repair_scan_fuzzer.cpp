// Any bytes as the media data of a cut-off recording, and as a whole file:
// the scan, the cut-off check and the reference reader must neither crash,
// hang nor hold more memory than their bounded window.
#include "RepairFuzzReference.h"
#include "io/VRDMemoryByteSource.h"
#include "repair/VRDCutOffDetector.h"
#include "repair/VRDMediaScanner.h"

#include <cstddef>
#include <cstdint>

namespace {

class CountingSink final : public VRDRecoveredSampleSink {
public:
    bool video(std::span<const std::uint8_t> sample, bool) override { return !sample.empty(); }
    bool audio(std::span<const std::uint8_t> frame) override { return !frame.empty(); }
    bool data(std::span<const std::uint8_t> chunk) override { return chunk.size() == 210; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const VRDReferenceRecording reference = repairFuzzReference();
    VRDMemoryByteSource source({data, size});
    VRDMediaScanner scanner(reference);
    CountingSink sink;
    scanner.scan(source, 0, size, sink);

    VRDCutOffDetector::inspect(source);
    std::string error;
    VRDReferenceRecording::read(source, error);
    return 0;
}
