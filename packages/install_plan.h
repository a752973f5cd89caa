#pragma once

#include "cdp_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qv {

// What a configuration upgrade item counts on the bars: a read and a write
// of the 16 KiB image.
inline constexpr int64_t kConfigUpgradeBytes = 32768;

// What the selection of a package's items depends on besides the package.
struct PlanFacts {
    int type = 0;
    bool biosMode = false;
    bool ioInterface = false;
    bool backup = false;                // chkBackup is checked
    size_t fpgaLoaderLines = 0;         // lines of the embedded "FPGA_PRG"
    std::array<uint8_t, 7> slotIds{};   // module ID in each expansion slot
};

// The items selected for the instrument and the overall bar's maximum.
struct InstallPlan {
    std::vector<size_t> selected; // indices into the package's items, in table order
    int64_t total = 0;
    bool wholeMemory = false;     // a kind 21 item is selected and an I/O-interface is present
};

// The flash sectors a backup reads for the type.
int64_t BackupBytes(int type);

// Selection and totals: what each selected item adds to the overall bar,
// the backup (unless the whole memory is read anyway) and a 3 % margin.
InstallPlan PlanInstall(const CdpPackage& package, const PlanFacts& facts);

// QV-Matrix's selection: the items for the type and the overall bar's
// maximum, which counts their sizes, a read and a write of the configuration
// for each upgrade the running software takes, and 2.
InstallPlan PlanMatrixInstall(const CdpPackage& package, int type, bool biosMode);

// The lines a HEX payload is sent as: each ends after its line feed, a last
// line without one at the end of the text.
size_t HexLineCount(std::span<const uint8_t> text);

// The type codes the hardware preparation may refine a type to (the type
// itself first): an item for any of them may still be selected.
std::vector<int> RefinableTypes(int type);

} // namespace qv
