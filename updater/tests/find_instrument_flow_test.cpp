// The search for instruments over several simulated ports.
#include "connection_fixture.h"

#include <gtest/gtest.h>

namespace {

using qv::UpdateControl;
using Lines = std::vector<std::string>;

// Nothing on COM1, the I/O module of an instrument on COM3, COM5 held by
// another program, an instrument without module on COM7; the host lists
// them out of order.
struct SearchBench : ConnectionBench {
    SearchBench()
    {
        hostPorts = {"COM7", "COM1", "COM5", "COM3"};
        port.addSilent("COM1");
        qv::sim::InstrumentOptions withModule = WithIoModule();
        withModule.serial = 45001;
        port.add("COM3", withModule);
        port.addBusy("COM5");
        qv::sim::InstrumentOptions plain;
        plain.serial = 30500;
        port.add("COM7", plain);
        connection.FormShow();
    }
};

TEST(FindInstrument, FullSearchCountsEveryInstrumentAndSelectsTheLowest)
{
    SearchBench b;
    EXPECT_EQ(b.view.ports, (Lines{"COM1", "COM3", "COM5", "COM7"}));

    EXPECT_EQ(b.connection.FindInstrument(false), 2);

    EXPECT_EQ(b.view.lines(), (Lines{"Searching for instruments...",
                                     "Please be patient, this can take a few minutes...",
                                     "",
                                     "A instrument was detected on COM7.",
                                     "Could not open COM5, the port might be in use  by another program.",
                                     "A instrument was detected on COM3.",
                                     "No instrument was detected on COM1.",
                                     "2 instrument(s) detected.",
                                     "Select the correct port from the dropdownlist and press connect."}));
    EXPECT_EQ(b.view.icons(), (std::vector<int>{0, -1, -1, 0, 1, 0, 2, 0, -1}));
    EXPECT_EQ(b.port.opened, (Lines{"COM7", "COM3", "COM1"}));

    EXPECT_EQ(b.view.selected, 1);
    EXPECT_EQ(b.connection.portName(), "COM3");
    EXPECT_FALSE(b.port.isOpen()) << "a search never leaves the port open";
    EXPECT_FALSE(b.port.wire("COM3").ioModule()->commandMode()) << "the module is left transparent";
    EXPECT_TRUE(b.view.enabled[UpdateControl::Open]);
    EXPECT_TRUE(b.view.enabled[UpdateControl::Find]);
    EXPECT_TRUE(b.view.enabled[UpdateControl::PortList]);
    EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Exit");
    EXPECT_EQ(b.view.tags[UpdateControl::Exit], 0);
    EXPECT_TRUE(b.prompter.shown().empty());
}

TEST(FindInstrument, StopAtFirstTakesTheHighestPortThatAnswers)
{
    SearchBench b;
    EXPECT_EQ(b.connection.FindInstrument(true), 1);
    EXPECT_EQ(b.port.opened, Lines{"COM7"});
    EXPECT_EQ(b.connection.portName(), "COM7");
    const Lines lines = b.view.lines();
    EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"1 instrument(s) detected.", "Press connect to continue."}));
}

TEST(FindInstrument, NeverOpensTheSkippedPort)
{
    // The skipped port may be named another way: COM7 is /dev/ttyS6.
    for (const char* skip : {"COM7", "/dev/ttyS6", "com7"}) {
        SearchBench b;
        b.connection.skipPort = skip;
        EXPECT_EQ(b.connection.FindInstrument(true), 1) << skip;
        EXPECT_EQ(b.port.opened, Lines{"COM3"}) << skip;
        EXPECT_EQ(b.connection.portName(), "COM3") << skip;
    }
}

TEST(FindInstrument, WithoutPortsFindsNothing)
{
    ConnectionBench b;
    b.connection.FormShow();
    EXPECT_EQ(b.connection.FindInstrument(false), 0);
    EXPECT_EQ(b.view.lines(), (Lines{"Searching for instruments...",
                                     "Please be patient, this can take a few minutes...", "",
                                     "0 instrument(s) detected."}));
    EXPECT_EQ(b.view.icons().back(), 2);
    EXPECT_EQ(b.view.selected, -1);
}

TEST(FindInstrument, CancelEndsTheSearchAndClearsTheFlags)
{
    SearchBench b;
    b.view.onTree = [&](const qv::StatusTree& tree) {
        if (tree.lines.back().text == "A instrument was detected on COM7.")
            b.channel.Abort(); // btnExit with tag 2
    };
    EXPECT_EQ(b.connection.FindInstrument(false), 1);
    EXPECT_EQ(b.port.opened, Lines{"COM7"});
    EXPECT_FALSE(b.channel.stop);
    EXPECT_FALSE(b.channel.cancel);
}

TEST(FindInstrument, FindButtonConnectsToTheInstrumentFound)
{
    SearchBench b;
    b.connection.btnFindClick();
    EXPECT_TRUE(b.connection.connected());
    EXPECT_EQ(b.port.opened, (Lines{"COM7", "COM7"}));
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 30500 on COM7");
}

} // namespace
