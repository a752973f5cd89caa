// QV-Matrix in this process with its real serial port adapter, against
// qv-instrument-sim on a pseudo-terminal in real time: identify, upload,
// an offline edit, download. The flows themselves are tested on virtual time.
#include "apps/qv-matrix/matrix_application.h"
#include "platform/tests/qt_test_app.h"
#include "program_folders.h"
#include "platform/host/scripted_prompter.h"
#include "sim/testing/sim_process.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

TEST(MatrixEndToEnd, UploadEditAndDownloadThroughAPseudoTerminal)
{
    qv::test::ProgramFolders folders("");
    const std::filesystem::path dir = folders.work.path().toStdString();
    // Paced faster than the field's 9600 baud, and a short boot: the program
    // and the pseudo-terminal are under test here, not the line speed.
    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, {"--baud", "115200", "--boot-ms", "300"}, dir);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    {
        QFile ini(folders.config.path() + "/QV-Matrix/QV-Matrix.INI");
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[Settings]\nCheckFileAssociation=0\nComInterface=") + sim.device().c_str() + "\n");
    }

    qv::SteadyClock clock;
    qv::QtEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::RoutedSerialPort port;
    qv::MatrixCommandLine line;
    line.extraPorts = {sim.device()};
    qv::MatrixApplication app(line, {clock, pump, prompter, port, {sim.device()}});
    ASSERT_TRUE(app.start());
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
    EXPECT_TRUE(std::equal(image.begin(), image.end(), memory.begin() + 0x1C000))
        << "the instrument holds the edited configuration";
}
