// The screen grab's whole-screen and menu-area uploads, identification
// included, from the simulated instrument on virtual time at 9600 baud;
// each checked against the picture the instrument shows.
#include "bench_support.h"
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/tests/sim_fixture.h"
#include "platform/host/event_pump.h"
#include "service/screen_grab.h"

#include <algorithm>

namespace {

struct QuietView : qv::ScreenGrabView {
    void setStatus(const std::string& text) override { status = text; }
    void clearOffset() override {}
    void setFormEnabled(bool) override {}
    void showCapture(bool) override {}
    void setFileName(const std::string&) override {}
    std::string status;
};

void Capture(const char* name, const qv::LcdRect& rect, int firstRow, int endRow)
{
    MatrixSimBench b;
    b.sim.wire.setBaudRate(bench::kBaud);
    qv::HeadlessTransferView progress;
    qv::MatrixTransfer transfer(b.link, progress);
    QuietView view;
    qv::ScreenGrab grab(view, b.sim.prompter, [&] { return &transfer; });

    const bench::Measurement m = bench::Run(b.sim, [&] {
        grab.UploadSelection(rect);
        qv::CallbackEventPump pump;
        const qv::LcdPicture picture = qv::DecodeVideoMemory(grab.buffer(), grab.source().stride, pump);
        const auto& shown = b.sim.instrument.lcdPicture().codes;
        const auto row = [](const std::vector<uint8_t>& codes, int y) { return codes.begin() + y * qv::kLcdWidth; };
        return view.status == "Upload complete..." &&
               std::equal(row(picture.codes, firstRow), row(picture.codes, endRow), row(shown, firstRow));
    });
    bench::Report(name, m, bench::kBaud);
}

} // namespace

int main()
{
    std::printf("LCD screen grab at %d baud, simulated instrument, virtual time\n", bench::kBaud);
    Capture("screen grab: whole screen", qv::kWholeScreen, 0, qv::kLcdHeight);
    Capture("screen grab: menu area", qv::kMenuArea, 449, 479);
    return 0;
}
