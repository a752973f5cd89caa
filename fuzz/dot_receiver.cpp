// What the instrument says in DOT text reaches QV-Matrix in pieces of any
// size: line assembly, the receiver's waiting mode, the parser and its
// handler, the identity query and the gain reply, over whatever arrives.
#include "config/config_image.h"
#include "fuzz/answering_port.h"
#include "link/identity_tables.h"
#include "link/instrument_record.h"
#include "matrix/dot_gain.h"
#include "matrix/dot_identity_query.h"
#include "matrix/dot_parser.h"
#include "matrix/dot_receiver.h"
#include "matrix/grid_model.h"
#include "options/installed_modules.h"

using namespace qv;
using qv::fuzz::Expect;

namespace {

// Applies messages as the remote-control window does.
class GridHandler : public DotMessageHandler {
public:
    GridHandler(GridModel& grid, ConfigImage& image, InstrumentRecord& record)
        : grid_(grid), image_(image), record_(record)
    {
    }
    void crosspointReport(int output, int input, bool remote) override { grid_.applyReport(output, input, remote); }
    void presetReport(int preset) override
    {
        Expect(preset >= 1 && preset <= kPresetCount, "reported presets are presets");
        image_.selectPreset(preset - 1);
    }
    void identityReport(int item, int64_t value) override { record_.dot.store(item, value); }

private:
    GridModel& grid_;
    ConfigImage& image_;
    InstrumentRecord& record_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const uint8_t mode = input.byte();
    qv::fuzz::AnsweringPort port(input, qv::fuzz::AnsweringPort::Pieces::OnPump);
    qv::fuzz::FuzzHost host(port);
    MatrixChannel channel(port, {host.clock, host.pump, host.prompter});
    channel.init().selectPort("FUZZ");
    channel.OpenPort(true);

    InstrumentRecord record;
    ConfigImage image;
    GridModel grid;
    GridHandler handler(grid, image, record);
    const DotParseState state{bool(mode & 1), bool(mode & 2)};
    DotReceiver receiver(channel);
    receiver.parseLine = [&](const std::string& line) { ParseDotText(line, state, handler); };

    while (!input.empty()) {
        switch (input.byte() % 5) {
        case 0:
            host.pump.pump();
            break;
        case 1:
            receiver.enterWaitingMode();
            receiver.exchange(".LI1,-\r");
            ApplyIdentityReports(receiver.collected(), record.dot);
            DotAcknowledges(receiver.collected(), ".SA5,3");
            receiver.leaveWaitingMode();
            break;
        case 2:
            QueryDotIdentity(channel, record);
            break;
        case 3:
            QueryGain(receiver, 33, nullptr);
            break;
        case 4:
            receiver.leaveWaitingMode();
            break;
        }
    }
    InstalledModulesOf(record.dot);
    for (int item = 0; item <= DotIdentity::kLastItem + 1; ++item)
        for (Program program : {Program::Matrix, Program::Update})
            for (SlotKind slot : {SlotKind::Input, SlotKind::Output})
                ModuleText(int(record.dot.value(item)), slot, program);
    TypeFromSerial(Program::Matrix, int(record.dot.value(DotIdentity::kSerial)));
    return 0;
}
