// Word modifications typed for the installer: integers, "$" hexadecimal and
// "integer operator real" expressions, and the hexadecimal display.
#include "fuzz/fuzz_input.h"
#include "link/value_text.h"

#include <algorithm>

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const int digits = input.byte() % 12;
    const std::string text = input.restText();
    if (const auto value = EvaluateValueText(text)) {
        const std::string hex = HexText(uint32_t(*value), digits);
        Expect(hex.size() >= size_t(digits) && hex.size() <= size_t(std::max(8, digits)), "hex text of its digits");
        Expect(EvaluateValueText("$" + HexText(uint32_t(*value), 1)) == int64_t(uint32_t(*value)),
               "hexadecimal text reads back");
    }
    return 0;
}
