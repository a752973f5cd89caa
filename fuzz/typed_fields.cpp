// Text the user types into QV-Matrix's dialogs: scale values and the
// reference, gains and their steps, the lock code, the file information
// fields, label texts, versions and port names. Each line of the input is
// offered to every field.
#include "config/config_image.h"
#include "config/image_version.h"
#include "config/label_text.h"
#include "fuzz/fuzz_input.h"
#include "options/file_info.h"
#include "options/gain_options.h"
#include "options/lock_code.h"
#include "platform/host/port_names.h"
#include "scale/number_text.h"

#include <cmath>

using namespace qv;
using qv::fuzz::Expect;

namespace {

void Offer(const std::string& text)
{
    const ParsedNumber number = String2Float(text);
    FormatScaleValue(number.value);
    FormatScaleValue(number.value, ',');
    ImageVersionFromDecimal(number.value);
    ParseDecimalInteger(text);
    ConversionErrorMessage(text);

    if (const auto db = ReadGainText(text))
        GainFieldText(*db);
    for (int direction : {-1, 1})
        if (const auto stepped = StepGainText(text, direction))
            Expect(ReadGainText(*stepped).has_value(), "a stepped gain reads");
    GainTenths(text);

    ConfigImage image;
    image.setImageVersion(0x0530);
    if (StoreLockCode(image, text))
        Expect(IsLockCode(text) && StoredLockCode(image) == text, "a stored lock code reads back");

    if (const auto serial = ParseSerialEntry(text))
        Expect(*serial >= 0 && *serial <= 65535, "serial numbers of 16 bits");
    for (FileInfoRow row : {FileInfoRow::Serial, FileInfoRow::Type, FileInfoRow::SoftwareVersion,
                            FileInfoRow::ExtendedBiosVersion, FileInfoRow::HardwareId, FileInfoRow::Checksum}) {
        IdentityTrailer trailer;
        const IdentityTrailer before = trailer;
        if (!ChangeFileInfo(trailer, row, text))
            Expect(trailer == before, "a refused value changes nothing");
        FileInfoRows(trailer);
    }

    if (IsLegalText(text))
        Expect(IsLegalText(FitText(text, 4)), "fitting keeps legal text legal");
    Expect(FitText(text, 10).size() == 10, "fitted to its length");

    if (const auto version = ParseImageVersion(text))
        Expect(ParseImageVersion(ImageVersionText(*version)) == version, "a version reads back as shown");

    const std::string port = portNameFromArgument(text);
    portDevicePath(port);
    Expect(samePort(port, port) || reducedPortName(port).empty(), "a port is itself");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    while (!input.empty())
        Offer(input.line());
    return 0;
}
