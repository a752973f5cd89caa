// The software version area read from the instrument: the marker search
// and the version text over any 2048 bytes (or fewer).
#include "fuzz/fuzz_input.h"
#include "link/version_marker.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> area(data, data + size);
    if (const auto text = FindVersionText(area.data(), area.size())) {
        Expect(text->size() <= 2 * kVersionTextPairs, "a version text of at most 12 characters");
        ParseVersionNumber(*text, true);
        ParseVersionNumber(*text, false);
    }
    UpdateSoftwareVersion(area);
    MatrixSoftwareVersion(area, false);
    return 0;
}
