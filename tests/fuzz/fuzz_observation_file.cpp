// Any bytes into the observation-file parser; a file it accepts is written
// and read again, and must give the same file a second time.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ephemeris/ephemeris.h"
#include "workbench/core/observation_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvex;
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    ObservationFileData first;
    if (ParseObservationFile(content, BodyNames(), first).Number != 0) return 0;
    if (first.Layout != ObsFileLayout::Current) return 0;  // the old layout is never written
    const std::string written = WriteObservationFile(first);
    ObservationFileData second;
    if (ParseObservationFile(written, BodyNames(), second).Number != 0) std::abort();
    if (WriteObservationFile(second) != written) std::abort();
    return 0;
}
