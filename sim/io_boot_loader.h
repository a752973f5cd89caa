#pragma once

#include "io_firmware_image.h"
#include "io_module_options.h"
#include "updater/intel_hex.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// The I/O module's flash and the boot loader's download mode ("@ATPrg"):
// Intel HEX records back to back, with or without line ends between them,
// and no acknowledgement. Trouble is answered by one unsolicited line:
// "E500" a record that cannot be decoded (or its checksum is wrong), "E501"
// flash that was not erased, "E502" a RUN code whose CRC-32 is wrong at the
// end-of-file record, "E503" an address outside the RUN-code area. After an
// error the rest of the stream is ignored. A command line ("@AT...") ends
// download mode, as does the end-of-file record.
class IoBootLoader {
public:
    IoBootLoader();

    // Erases the RUN-code area.
    void erase();
    void startDownload();
    bool downloading() const { return downloading_; }

    // One byte in download mode; replies go to out. False when download mode
    // ended with this byte and the byte belongs to a command line.
    bool receive(uint8_t byte, const IoModuleOptions& options, std::vector<uint8_t>& out);

    // The factory RUN code was erased: from now on the module runs what the
    // flash holds, if the boot loader accepts it.
    bool replaced() const { return replaced_; }
    IoFirmwareCheck runCode(IoFirmwareHeader& header) const;

    const std::vector<uint8_t>& flash() const { return flash_; }
    int records() const { return records_; } // taken since the last "@ATPrg"

private:
    void take(const ihex::Record& record, const IoModuleOptions& options, std::vector<uint8_t>& out);
    // 0, or the error that stopped it: 501 or 503.
    int program(const ihex::Record& record);
    void fail(int code, const IoModuleOptions& options, std::vector<uint8_t>& out);

    std::vector<uint8_t> flash_;
    bool replaced_ = false;
    bool downloading_ = false;
    bool failed_ = false;
    std::string record_;     // record text being received
    ihex::AddressBase base_;
    int records_ = 0;
};

} // namespace qv::sim
