// What QV-Update reads from the instrument and its I/O-interface module
// while it identifies them: "@AT" replies, the status and Ethernet records,
// the flash identity, mainboard blocks, expansion-module answers, the DOT
// text information and the binary identity, each answered with whatever
// the input says; then the system information built from all of it.
#include "fuzz/answering_port.h"
#include "link/identity_tables.h"
#include "link/update_instrument_info.h"
#include "link/update_text_info.h"
#include "updater/io_interface.h"
#include "updater/mac_address.h"
#include "updater/system_tree.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    qv::fuzz::AnsweringPort port(input, qv::fuzz::AnsweringPort::Pieces::OnWrite);
    qv::fuzz::FuzzHost host(port);
    port.open("FUZZ");
    UpdateChannel channel(port, {host.clock, host.pump, host.prompter});
    UpdateIdentity identity;
    IoInterface io(channel, identity);
    UpdateLink link(channel);
    UpdateInstrumentInfo info(link, identity);
    std::array<uint8_t, 16> block{};

    while (!input.empty()) {
        const uint8_t op = input.byte();
        channel.rxMode = RxMode(op / 16 % 4 + 1);
        switch (op % 14) {
        case 0: io.DetectIoInterface(op & 16); break;
        case 1: io.ReadIoStatus(); break;
        case 2: io.ReadIoEthernet(); break;
        case 3: io.ReadFlashIdentity(); break;
        case 4: io.ReadMainboardBlock(op, block); break;
        case 5: io.ReadEeInfo(); break;
        case 6: io.ReadModuleIds(); break;
        case 7: io.ScanSlots(SlotQuery(op / 16 % 4)); break;
        case 8: io.ReadLoaderRegister(); break;
        case 9: QueryTextInformation(channel, identity); break;
        case 10: info.ReadInstrumentInfo(op & 16); break;
        case 11: info.CheckedWordRead(); break;
        case 12: info.SearchSoftwareVersion(); break;
        case 13: io.SetIoMode(op & 16); break;
        }
    }
    MacBytes mac{};
    ParseMacText(io.status.macText, mac);
    MacAddressValid(mac);
    IncorrectMacText(mac);
    TypeName(Program::Update, identity.type);
    FlashSectors(identity.type);
    TypeFromSerial(identity.serial, identity.boardCode, identity.vp30Switch);
    const StatusTree tree = BuildSystemTree(identity, io);
    SystemInformationFileText(tree, "1.4.0.0");
    SystemInformationClipboardText(tree);
    return 0;
}
