// Word modifications typed for the installer: integers, "$" hexadecimal and
// "integer operator real" expressions, and the hexadecimal display; and the
// values typed for a package's items.
#include "fuzz/fuzz_input.h"
#include "link/value_text.h"
#include "packages/hex_data.h"

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
    const int width = digits - 1;
    if (const auto validated = ValidateHexData(width, text)) {
        Expect(validated->front() == '$' && validated->size() >= size_t(std::max(1, width)), "\"$\" and the digits");
        HexDataValue(*validated);
    }
    return 0;
}
