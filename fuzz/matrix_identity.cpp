// What QV-Matrix reads from the instrument while it identifies it: the
// binary identity (revision, serial number, BIOS mode), the software version
// area and the DOT identity items, each answered with whatever the input
// says, one piece per byte sent.
#include "fuzz/answering_port.h"
#include "link/headless_transfer_view.h"
#include "link/identity_tables.h"
#include "link/matrix_transfer.h"
#include "link/version_marker.h"
#include "link/wire_protocol.h"
#include "matrix/dot_identity_query.h"
#include "options/installed_modules.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    qv::fuzz::AnsweringPort port(input, qv::fuzz::AnsweringPort::Pieces::OnWrite);
    qv::fuzz::FuzzHost host(port);
    MatrixChannel channel(port, {host.clock, host.pump, host.prompter});
    channel.init().selectPort("FUZZ");
    InstrumentRecord record;
    MatrixLink link(channel, record);
    HeadlessTransferView view;
    MatrixTransfer transfer(link, view);
    // Blocks are retried until the user cancels; here the user does once
    // the instrument has nothing more to say.
    host.pump.add([&] { transfer.cancel = transfer.cancel || port.exhausted(); });

    while (!input.empty()) {
        switch (input.byte() % 4) {
        case 0:
            transfer.ConnectInstrument(true);
            break;
        case 1: {
            std::vector<uint8_t> area(size_t(wire::kVersionAreaBlocks) * wire::kBlockSize);
            std::optional<std::vector<uint8_t>> read;
            if (transfer.ReadMemory(wire::kCmdReadBlock, wire::kVersionArea, area.data(), wire::kVersionAreaBlocks))
                read = std::move(area);
            MatrixSoftwareVersion(read, transfer.cancel);
            break;
        }
        case 2:
            QueryDotIdentity(channel, record);
            channel.collectOnly = false;
            break;
        case 3:
            link.GetInstrumentId(true);
            break;
        }
    }
    InstalledModulesOf(record.dot);
    TypeName(Program::Matrix, record.type);
    MatrixTransfersRefused(record.type);
    UnsupportedTypeText(record.type);
    ProgramBlocks(record.type);
    return 0;
}
