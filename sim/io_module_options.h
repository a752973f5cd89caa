#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv::sim {

// Mainboard FPGA identities the probes look for; bits 28-31 (the revision)
// are not compared.
inline constexpr uint32_t kVp20Idcode = 0x01266093;
inline constexpr uint32_t kVp30Idcode = 0x0127E093;
// The FPGA on an expansion module, behind the module's own JTAG chain.
inline constexpr uint32_t kSlotFpgaIdcode = 0x0A5C5093;

// A module in one of the seven expansion slots behind the SPI UART.
struct SlotModuleOptions {
    uint8_t moduleId = 0;        // 0: the slot is empty and never answers
    uint8_t softwareVersion = 0;
    uint8_t firmwareVersion = 0;
    uint8_t temperature = 0;     // degrees Celsius + 18
    bool routable = true;        // false: "@ATSPIUartDest" to this slot is refused
    uint32_t fpgaIdcode = kSlotFpgaIdcode;

    // Faults.
    uint8_t swappedId = 0;       // the module reports this ID once it has answered ...
    int queriesBeforeSwap = 1;   // ... this many ID queries, as if exchanged after a scan
    int silentAfterBlocks = 0;   // after taking this many image blocks the module never answers again
    bool neverEnds = false;      // asks for further blocks after its image has ended
};

// The I/O-interface module between the host's port and the mainboard.
struct IoModuleOptions {
    bool present = false;

    uint8_t systemMode = 0;      // 0 RUN, 1 BOOT-load, 2 FPGA programming
    uint8_t bootMajor = 1;
    uint8_t bootMinor = 4;
    uint8_t bootId = 1;
    uint8_t runMajor = 2;        // 255: no RUN code
    uint8_t runMinor = 10;
    uint8_t runId = 3;           // 3 supports JTAG and flash transfers
    uint8_t interface = 2;       // 2 serial port, 4 USB
    uint8_t rs232Levels = 1;
    std::string boardCode = "200"; // mainboard hardware version, 3 characters
    std::string macText = "000B3C0012AB";
    uint8_t productCode = 0x20;  // above 0xD0: a meter of the newer family
    std::string versionText = "I/O-Interface RUN 2.10";

    bool ethernet = true;        // false: "@ATETH0" answers noEthernetReply
    std::string noEthernetReply = "NOT OK";
    uint8_t dhcp = 0;
    std::array<uint8_t, 4> ip{169, 254, 10, 20};
    std::array<uint8_t, 4> subnet{255, 255, 0, 0};
    std::array<uint8_t, 4> gateway{169, 254, 10, 1};

    bool flashAnswers = true;    // false: "@ATRDFlashID" goes unanswered
    uint8_t flashManufacturer = 0xBF;
    uint8_t flashDevice = 0x13;
    uint8_t loaderRegister = 12; // "@ATRDREG" value
    int fixedLoaderRegister = -1; // 0-255: "@ATRDREG" answers this whatever RUN code was downloaded

    // Mainboard information block (address 32) besides serial and board code.
    uint8_t inputVideoChannels = 2;
    uint8_t outputVideoChannels = 2;

    std::array<SlotModuleOptions, 7> slotModules{}; // "slots" is a macro where Qt is included

    // JTAG to the mainboard FPGA ("@ATJTAG").
    uint32_t fpgaIdcode = kVp20Idcode;
    size_t jtagMaxVectorBytes = 8192; // longer register shifts: data overflow

    std::string lineEnd = "\r\n"; // after every reply line
    int restartMs = 3000;         // unreachable after "@ATRUNBL" / "@ATRUN"

    // Faults.
    bool badStatusChecksum = false;
    int statusLengthError = 0;        // added to the status record's length byte
    bool statusRepliesDiffer = false; // every status reply carries a new count
    int blankBoardCodeReplies = 0;    // the first N status replies carry 0xFF board codes
    std::string modeSwitchReply = "OK"; // answer to "@AT+++" and "@AT---"; "" answers nothing
    bool refuseBootLoader = false;    // "@ATRUNBL" answered "Not OK"
    bool eraseFails = false;          // "@ATErase" answered with an E501 line
    int hexFault = 0;                 // 500-503: the HEX download answers "E5xx" ...
    int hexFaultRecord = 1;           // ... at this record (1 = the first) instead of taking it
    int jtagDamagedBlock = 0;         // this JTAG block (1 = the first) arrives damaged once
    bool jtagNeverEnds = false;       // JTAG asks for further blocks after the image has ended
    // Fast mainboard flash transfers ("@ATRDFlash", "@ATWRFlash").
    bool flashTransferAnswers = true; // false: their start command goes unanswered
    int flashDamagedBlock = 0;        // this block (1 = the first) is damaged, flashDamagedTimes times in a
    int flashDamagedTimes = 1;        // row: a read sends a wrong checksum, a write takes it as damaged
    int flashStopAtBlock = 0;         // the module stops answering in the middle of this block
    bool flashNoEnd = false;          // nothing follows the last block
};

} // namespace qv::sim
