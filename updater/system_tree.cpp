#include "system_tree.h"

#include "mac_address.h"
#include "link/dot_identity.h"
#include "link/identity_tables.h"
#include "link/value_text.h"

#include <cstdio>

namespace qv {

namespace {

constexpr int kMainboardModules = 8;
constexpr int kInputModuleCount = 4;
constexpr uint8_t kNoRunCode = 255;
constexpr uint8_t kNoSlotModule = 255;
constexpr int kTemperatureOffset = 18;
constexpr int kVersionWithoutCommas = 20;
// No exchange supplies the mainboard's revision word.
constexpr uint16_t kMainboardRevision = 0;

std::string Dotted(const std::array<uint8_t, 4>& bytes)
{
    std::string text;
    for (uint8_t b : bytes)
        text += (text.empty() ? "" : ".") + std::to_string(b);
    return text;
}

std::string MacFromText(const std::string& macText)
{
    std::string text;
    for (size_t i = 0; i < macText.size(); i += 2)
        text += (i == 0 ? "" : ":") + macText.substr(i, 2);
    return text;
}

std::string CommunicationLine(uint8_t interface)
{
    return interface == at::kInterfaceUsb ? "Communication Interface: USB Port."
                                          : "Communication Interface: Serial Port.";
}

std::string SystemModeLine(uint8_t mode)
{
    switch (mode) {
    case 0:
        return "System Mode.: RUN Mode.";
    case 1:
        return "System Mode.: BOOT-Load Mode.";
    case 2:
        return "System Mode.: FPGA-Programming Mode.";
    default:
        return "I/O-Mode: Unknown.";
    }
}

std::string SpiModeLine(int spiMode)
{
    if (spiMode == at::kSpiNotSupportedByIo)
        return "SPI Mode: Not supported by I/O-Interface.";
    if (spiMode == at::kSpiNotSupportedByFpga)
        return "SPI Mode: Not supported by FPGA.";
    return "SPI Mode: Fully supported.";
}

void AddMainboard(TreeNode& hardware, const UpdateIdentity& identity, const IoInterface& io)
{
    const DotIdentity& dot = identity.dot;
    TreeNode& board = hardware.add("Mainboard.");
    board.add("Serial Number: " + std::to_string(identity.serial));
    board.add("Hardware Version: " + io.status.boardCode + " (" + HexText(kMainboardRevision >> 8, 2) + "." +
              HexText(kMainboardRevision & 0xFF, 2) + ")");
    board.add("Firmware Version: " + HexText(uint32_t(dot.value(DotIdentity::kFirmwareVersion)), 0));
    board.add("Hardware ID: " + HexText(uint32_t(dot.value(DotIdentity::kHardwareId)), 4));
    board.add("Extended BIOS ID: " + HexText(uint32_t(dot.value(DotIdentity::kExtendedBiosId)), 4));
    board.add("Flash Manufacturer ID: " + FlashManufacturerName(io.flash.manufacturer) + " (" +
              HexText(io.flash.manufacturer, 2) + ")");
    board.add("Flash ID: " + FlashDeviceName(io.flash.device) + " (" + HexText(io.flash.device, 2) + ")");
    board.add("Processor 1: Installed.");
}

void AddEthernet(TreeNode& ioNode, const IoInterface& io)
{
    TreeNode& eth = ioNode.add("Ethernet Interface.");
    const at::IoEthernet& e = io.ethernet;
    if (e.valid) {
        eth.add("MAC Address: " + MacAddressText(e.mac));
        eth.add(e.dhcp == 1 ? "DHCP: Enabled." : "DHCP: Disabled.");
        eth.add("IP Address: " + Dotted(e.ip));
        eth.add("Subnet Mask.: " + Dotted(e.subnet));
        eth.add("Gateway Address: " + Dotted(e.gateway));
        return;
    }
    eth.add("MAC Address: " + MacFromText(io.status.macText));
    eth.add("DHCP: Disabled.");
    eth.add("IP Address: 000.000.000.000");
    eth.add("Subnet Mask: 000.000.000.000");
    eth.add("Gateway Address: 000.000.000.000");
}

void AddIoInterface(TreeNode& hardware, const IoInterface& io)
{
    const at::IoStatus& s = io.status;
    TreeNode& node = hardware.add("I/O-Interface.");
    node.add("I/O String: " + io.versionText);
    node.add(SystemModeLine(s.systemMode));
    node.add(SpiModeLine(io.spiMode));

    TreeNode& boot = node.add("BOOT-Code.");
    boot.add("BOOT-Code Version: " + std::to_string(s.bootMajor) + "." + std::to_string(s.bootMinor));
    boot.add("BOOT-Code ID: " + std::to_string(s.bootId));

    TreeNode& run = node.add("RUN-Code.");
    if (s.runMajor == kNoRunCode) {
        run.add("RUN-Code Version: None.");
        run.add("RUN-Code ID: None.");
    } else {
        run.add("RUN-Code Version: " + std::to_string(s.runMajor) + "." + std::to_string(s.runMinor));
        run.add("RUN-Code ID: " + std::to_string(s.runId));
    }

    node.add(CommunicationLine(s.interface));
    node.add(s.interface == at::kInterfaceUsb ? "USB Connection: Connected." : "USB Connection: Disconnected.");
    node.add(s.rs232Levels == 1 ? "RS232 Interface Levels.: Connected" : "RS232 Interface Levels.: Disconnected");
    AddEthernet(node, io);
}

void AddExtensionModules(TreeNode& hardware, const DotIdentity& dot)
{
    for (int n = 1; n <= kMainboardModules; ++n) {
        const int code = int(dot.value(DotIdentity::kFirstInputModule + n - 1));
        if (code == 0)
            continue;
        const SlotKind kind = n <= kInputModuleCount ? SlotKind::Input : SlotKind::Output;
        hardware.add("Extension Module #" + std::to_string(n) + ".").add(ModuleText(code, kind, Program::Update));
    }
}

void AddExpansionModules(TreeNode& hardware, const IoInterface& io)
{
    for (size_t i = 0; i < io.slotInfo.size(); ++i) {
        const SlotInfo& slot = io.slotInfo[i];
        if (slot.moduleId == 0 || slot.moduleId == kNoSlotModule)
            continue;
        TreeNode& module = hardware.add("Expansion Module #" + std::to_string(i + 1) + ".");
        module.add(at::ModuleName(slot.moduleId));
        if (slot.softwareVersion != 0)
            module.add("Software Version.: " + HexText(slot.softwareVersion, 2));
        if (slot.firmwareVersion != 0)
            module.add("Firmware Version.: " + HexText(slot.firmwareVersion, 2));
        if (slot.temperature != 0)
            module.add("Board Temperature: " + std::to_string(int(slot.temperature) - kTemperatureOffset) +
                       " \u00B0C");
    }
}

} // namespace

std::string FlashManufacturerName(uint8_t id)
{
    return id == 0xBF ? "SST" : "Unsupported";
}

std::string FlashDeviceName(uint8_t id)
{
    switch (id) {
    case 0x10:
        return "SST29EE020";
    case 0x12:
        return "SST29LE020 / SST29VE020";
    case 0x13:
        return "SST29SF040";
    case 0x14:
        return "SST29VF040";
    case 0x24:
        return "SST29SF020";
    case 0x25:
        return "SST29VF020";
    default:
        return "Unsupported";
    }
}

std::string SoftwareVersionText(double version)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", version);
    std::string out = text;
    if (version >= kVersionWithoutCommas)
        std::erase(out, ',');
    return out;
}

StatusTree BuildSystemTree(const UpdateIdentity& identity, const IoInterface& io)
{
    StatusTree tree;
    tree.icons = false;
    const bool ioPresent = identity.ioInterfacePresent;
    TreeNode& root = tree.add(identity.typeName + ", Serial Nummer: " + std::to_string(identity.serial));
    root.expanded = true;
    if (!identity.connected && !ioPresent)
        return tree;
    const std::string suffix = ioPresent ? ", Serial Number: " + std::to_string(identity.serial) : ".";
    if (identity.biosMode)
        root.text = "The instrument is in BIOS-Mode" + suffix;

    root.add(ioPresent ? CommunicationLine(io.status.interface) : "Interface Connection: Serial Port.");
    root.add(ioPresent ? "I/O String: " + io.versionText : "Interface Information: No Information available.");
    if (identity.connected && !identity.biosMode)
        root.add("Software.").add("Software Version: " + SoftwareVersionText(identity.softwareVersion));

    TreeNode& hardware = root.add("Hardware.");
    AddMainboard(hardware, identity, io);
    if (ioPresent)
        AddIoInterface(hardware, io);
    AddExtensionModules(hardware, identity.dot);
    if (ioPresent)
        AddExpansionModules(hardware, io);
    return tree;
}

} // namespace qv
