// QV-Matrix in this process with its real serial port adapter, against
// qv-instrument-sim on a pseudo-terminal in real time: identify, upload,
// an offline edit, download; remote control, routing from the grid, from
// the simulator's front panel and from a macro; a screen grab. The flows
// themselves are tested on virtual time.
#include "apps/qv-matrix/matrix_application.h"
#include "platform/tests/qt_test_app.h"
#include "program_folders.h"
#include "platform/host/scripted_prompter.h"
#include "sim/default_memory.h"
#include "sim/routing.h"
#include "sim/testing/sim_process.h"
#include "service/ui/lcd_view.h"

#include <QAction>
#include <QPushButton>
#include <QDeadlineTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Paced faster than the field's 9600 baud, and a short boot: the program
// and the pseudo-terminal are under test here, not the line speed.
const std::vector<std::string> kFastSimulator = {"--baud", "115200", "--boot-ms", "300"};

// The program on the simulator's pseudo-terminal, with the settings naming it.
struct EndToEnd {
    explicit EndToEnd(const std::vector<std::string>& simOptions = kFastSimulator)
        : sim(QV_SIM_PATH, simOptions, folders.work.path().toStdString())
    {
    }

    qv::test::ProgramFolders folders{""};
    qv::sim::testing::SimulatorProcess sim;
    qv::SteadyClock clock;
    qv::QtEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::RoutedSerialPort port;
    std::unique_ptr<qv::MatrixApplication> app;

    // The program's start-up sequence; false when it ends without its
    // event loop (or the simulator is not there).
    bool start(const QStringList& arguments = {})
    {
        if (sim.device().empty())
            return false;
        QFile ini(folders.config.path() + "/QV-Matrix/QV-Matrix.INI");
        if (!ini.open(QIODevice::WriteOnly))
            return false;
        ini.write(QByteArray("[Settings]\nCheckFileAssociation=0\nComInterface=") + sim.device().c_str() + "\n");
        ini.close();
        const QString device = QString::fromStdString(sim.device());
        const qv::MatrixCommandLine line =
            qv::ParseMatrixCommandLine(QStringList{"qv-matrix", "--port", device} + arguments);
        app = std::make_unique<qv::MatrixApplication>(line, qv::MatrixServices{clock, pump, prompter, port,
                                                                               {sim.device()}});
        return app->start();
    }
};

// Runs the event loop until done, for at most a few seconds.
bool WaitFor(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QTest::qWait(10);
    return done();
}

// Input number routed to each output of preset 1, 0 for none.
using Routing = std::vector<int>;

Routing GridRouting(const qv::MatrixGrid& grid)
{
    Routing routing;
    for (int o = 0; o < qv::sim::kOutputs; ++o)
        routing.push_back(grid.model().sourceOf(o) + 1);
    return routing;
}

Routing StoredRouting(const std::vector<uint8_t>& memory)
{
    Routing routing;
    for (int o = 1; o <= qv::sim::kOutputs; ++o)
        routing.push_back(qv::sim::storedSource(memory, 1, o));
    return routing;
}

int CrosspointRequests(qv::MatrixApplication& app)
{
    int n = 0;
    for (const QString& line : app.dotLog().lines())
        n += line.startsWith("Tx: .LA") ? 1 : 0;
    return n;
}

} // namespace

TEST(MatrixEndToEnd, UploadEditAndDownloadThroughAPseudoTerminal)
{
    EndToEnd e;
    ASSERT_TRUE(e.start()) << "simulator or program did not start";
    qv::MatrixApplication& app = *e.app;
    qv::ScriptedPrompter& prompter = e.prompter;
    qv::sim::testing::SimulatorProcess& sim = e.sim;
    EXPECT_EQ(app.mainForm().field(qv::MainField::Connection), "RVT120S");

    app.mainForm().action("mnuUpload")->trigger();
    ASSERT_EQ(prompter.texts(), std::vector<std::string>{"Configuration is uploaded correctly..."});
    // Output 3 from input 9 in preset 1.
    QTest::mouseDClick(&app.grid(), Qt::LeftButton, {}, app.grid().cellRect(8, 2).center());
    ASSERT_EQ(app.grid().model().sourceOf(2), 8);

    prompter.clearShown();
    app.mainForm().action("mnuDownload")->trigger();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Download complete."});
    EXPECT_EQ(app.mainForm().field(qv::MainField::Connection), "RVT120S") << "identified after its restart";

    const auto& image = app.image().bytes();
    const std::string memory = sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    // Byte for byte: the dump's chars are signed, the image's bytes are not.
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin() + 0x1C000,
                           [](uint8_t a, char b) { return a == uint8_t(b); }))
        << "the instrument holds the edited configuration";
}

TEST(MatrixEndToEnd, DownloadModeSwitchRestartsTheInstrumentIntoDownloadMode)
{
    EndToEnd e;
    ASSERT_FALSE(e.sim.device().empty()) << "simulator did not start";
    EXPECT_FALSE(e.start({"/DLM"})) << "the switch ends the program";
    EXPECT_EQ(e.app->exitCode(), 0);
    EXPECT_TRUE(e.prompter.shown().empty());
    // Its display tells once it has taken the request.
    EXPECT_TRUE(WaitFor([&] {
        e.sim.frontPanel("state");
        QTest::qWait(50);
        return e.sim.output().find("download mode") != std::string::npos;
    })) << e.sim.output();
}

// At the field's 9600 baud the replies trickle in while the program waits
// and counts; every one of them must reach the grid.
TEST(MatrixEndToEnd, RemoteControlRoutesBothWays)
{
    EndToEnd e({"--boot-ms", "300"});
    ASSERT_TRUE(e.start()) << "simulator or program did not start";
    qv::MatrixApplication& app = *e.app;
    qv::MatrixGrid& grid = app.grid();
    Routing expected = StoredRouting(qv::sim::defaultMemory({}));
    app.mainForm().action("mnuConnect")->trigger();
    ASSERT_TRUE(WaitFor([&] { return app.remoteControl().connected() && !grid.isHidden(); }));
    EXPECT_EQ(CrosspointRequests(app), 10);
    EXPECT_TRUE(WaitFor([&] { return GridRouting(grid) == expected; }));
    EXPECT_EQ(GridRouting(grid), expected) << "every output as the instrument routes it";

    // Input 9 to output 3 from the grid, through the instrument.
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, grid.cellRect(8, 2).center());
    EXPECT_TRUE(WaitFor([&] { return grid.model().cell(8, 2) == grid.settings().remoteXpoint; }));
    expected[2] = 9;

    // Input 3 to output 7 at the instrument's front panel; no reload.
    e.prompter.queueAnswer(qv::Answer::No);
    ASSERT_TRUE(e.sim.frontPanel("route 7 3"));
    EXPECT_TRUE(WaitFor([&] { return grid.model().cell(2, 6) == grid.settings().localXpoint; }));
    EXPECT_TRUE(WaitFor([&] { return !e.prompter.shown().empty(); }));
    EXPECT_EQ(e.prompter.texts(), std::vector<std::string>{
                                      "Some of the X-points on the RVT has been updated, do you wish to reload the "
                                      "X-Points?"});
    expected[6] = 3;

    // A macro handed over: inputs 3 and 4 to outputs 5 and 6.
    QFile macro(e.folders.work.filePath("route.MCR"));
    ASSERT_TRUE(macro.open(QIODevice::WriteOnly));
    macro.write("MacroName=Route\r\n.SA5,3\r\n.SA6,4\r\n");
    macro.close();
    app.mainForm().handOver(macro.fileName());
    EXPECT_EQ(app.mainForm().field(qv::MainField::Message), "Macro finished...");
    expected[4] = 3;
    expected[5] = 4;

    // Switched off and on at the instrument: reloaded on request.
    e.prompter.clearShown();
    e.prompter.queueAnswer(qv::Answer::Yes);
    ASSERT_TRUE(e.sim.frontPanel("power"));
    EXPECT_TRUE(WaitFor([&] { return CrosspointRequests(app) == 20; }));
    EXPECT_EQ(e.prompter.texts(),
              std::vector<std::string>{"The connected RVT has been restarted, do you wish to reload the X-Points?"});
    EXPECT_TRUE(WaitFor([&] { return GridRouting(grid) == expected; }));
    EXPECT_EQ(GridRouting(grid), expected);
    EXPECT_TRUE(e.port.isOpen()) << "the port is still the program's";

    const std::string memory = e.sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_EQ(StoredRouting(std::vector<uint8_t>(memory.begin(), memory.end())), expected)
        << "the instrument routes what the grid shows";
}

// A rectangle over the first two meters, read after a routing change at the
// front panel, against the picture the simulator says its display shows.
TEST(MatrixEndToEnd, AScreenGrabShowsWhatTheInstrumentsDisplayShows)
{
    EndToEnd e;
    ASSERT_TRUE(e.start()) << "simulator or program did not start";
    qv::MatrixApplication& app = *e.app;
    ASSERT_TRUE(e.sim.frontPanel("route 65 9"));
    app.mainForm().action("mnuScreenGrab")->trigger();
    qv::TfrmSCG& grab = app.screenGrab();
    ASSERT_TRUE(grab.isVisible());
    const QRect area(64, 24, 72, 406);
    QTest::mousePress(&grab.lcd(), Qt::LeftButton, {}, area.topLeft());
    QTest::mouseMove(&grab.lcd(), area.topLeft() + QPoint(area.width(), area.height()));
    QTest::mouseRelease(&grab.lcd(), Qt::LeftButton, {}, area.topLeft() + QPoint(area.width(), area.height()));
    QTest::mouseClick(grab.findChild<QPushButton*>("SelectButton"), Qt::LeftButton);
    ASSERT_EQ(e.prompter.texts(), std::vector<std::string>{"Upload complete... The image is placed in the clipboard."});

    const QString ppm = e.folders.work.filePath("lcd.ppm");
    ASSERT_TRUE(e.sim.frontPanel("lcd " + ppm.toStdString()));
    QImage shown;
    ASSERT_TRUE(WaitFor([&] { return shown.load(ppm, "PPM"); })) << e.sim.output();
    ASSERT_EQ(shown.size(), QSize(640, 480));
    const QImage& captured = grab.captureBitmap();
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            differing += captured.pixel(x, y) != shown.pixel(x, y);
    EXPECT_EQ(differing, 0) << "pixels of the rectangle unlike the display";
}
