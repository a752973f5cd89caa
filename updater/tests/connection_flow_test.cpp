// Connecting to the instrument and disconnecting, against the simulator.
#include "connection_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using qv::UpdateControl;
using Lines = std::vector<std::string>;

bool HasLine(const qv::StatusTree& tree, int depth, const std::string& text)
{
    const auto lines = tree.flatten();
    return std::find(lines.begin(), lines.end(), std::pair{depth, text}) != lines.end();
}

void ExpectConnectedView(const RecordingUpdateView& view)
{
    EXPECT_EQ(view.captions.at(UpdateControl::Open), "Disconnect");
    EXPECT_TRUE(view.enabled.at(UpdateControl::Open));
    EXPECT_EQ(view.tags.at(UpdateControl::Next), 1);
    EXPECT_TRUE(view.enabled.at(UpdateControl::Next));
    EXPECT_FALSE(view.enabled.at(UpdateControl::Find)) << "no search while connected";
    EXPECT_FALSE(view.tree.icons);
    EXPECT_FALSE(view.busyCursor);
    EXPECT_FALSE(view.bannerBusy);
}

TEST(Connection, StartsDisconnected)
{
    ConnectionBench b;
    b.single();
    EXPECT_EQ(b.view.title, "QV-Update - Not Connected");
    EXPECT_EQ(b.view.lines(), Lines{"Disconnected."});
    EXPECT_EQ(b.view.icons(), std::vector<int>{4});
    EXPECT_EQ(b.view.versionLine, "Version 1.4.0.7");
    EXPECT_EQ(b.view.selected, 0);
    EXPECT_EQ(b.connection.portName(), "COM1");
}

TEST(Connection, ThroughTheIoModule)
{
    ConnectionBench b;
    qv::sim::InstrumentOptions o = WithIoModule();
    o.ioModule.slotModules[0] = {0xB0, 0x12, 0x34, 43, true};
    qv::sim::Instrument& instrument = b.single(o);
    b.connection.btnOpenClick();

    EXPECT_TRUE(b.connection.connected());
    EXPECT_TRUE(b.identity.ioInterfacePresent);
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 12345 on COM1");
    EXPECT_EQ(b.view.versionLine, "Version 1.4.0.7 - Connected to a RVT120S (12345) on COM1");
    ExpectConnectedView(b.view);
    EXPECT_TRUE(b.prompter.shown().empty());
    EXPECT_EQ(b.io.slotInfo[0].temperature, 43);
    // The software version and the mainboard's items come from the text reply.
    EXPECT_DOUBLE_EQ(b.identity.softwareVersion, 5.3);
    EXPECT_FALSE(instrument.textLines().empty());

    qv::sim::IoModule& module = *b.port.wire("COM1").ioModule();
    EXPECT_EQ(module.spiDestination(), 8) << "the SPI UART is routed back to the DSP";
    EXPECT_FALSE(module.moduleLinkHigh());
    const size_t commandsBefore = module.commandLines().size();

    b.connection.btnOpenClick();
    EXPECT_EQ(Lines(module.commandLines().begin() + long(commandsBefore), module.commandLines().end()),
              (Lines{"@AT+++", "@AT---"}));
    EXPECT_FALSE(module.commandMode());
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(b.view.title, "QV-Update - Not Connected");
    EXPECT_EQ(b.view.lines(), Lines{"Disconnected."});
    EXPECT_EQ(b.view.versionLine, "Version 1.4.0.7");
    EXPECT_EQ(b.view.captions[UpdateControl::Open], "Connect");
    EXPECT_EQ(b.view.tags[UpdateControl::Next], 0);
    EXPECT_EQ(b.view.startPages, 1);
    for (auto control : {UpdateControl::Open, UpdateControl::PortList, UpdateControl::Refresh, UpdateControl::Find})
        EXPECT_TRUE(b.view.enabled[control]);
}

TEST(Connection, WithoutIoModule)
{
    ConnectionBench b;
    b.single();
    b.connection.btnOpenClick();

    EXPECT_TRUE(b.connection.connected());
    EXPECT_FALSE(b.identity.ioInterfacePresent);
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 12345 on COM1");
    EXPECT_EQ(b.view.versionLine, "Version 1.4.0.7 - Connected to a RVT120S (12345) on COM1");
    ExpectConnectedView(b.view);
    EXPECT_TRUE(b.prompter.shown().empty());
    EXPECT_TRUE(HasLine(b.view.tree, 1, "Interface Connection: Serial Port."));
    EXPECT_TRUE(HasLine(b.view.tree, 2, "Software Version: 5.3"));

    // Nothing is sent before the port closes.
    const uint64_t sent = b.port.wire("COM1").bytesToInstrument();
    b.connection.btnOpenClick();
    EXPECT_EQ(b.port.wire("COM1").bytesToInstrument(), sent);
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(b.view.lines(), Lines{"Disconnected."});
}

TEST(Connection, InstrumentInBiosMode)
{
    ConnectionBench b;
    qv::sim::InstrumentOptions o;
    o.biosMode = true;
    b.single(o);
    b.connection.btnOpenClick();

    EXPECT_TRUE(b.connection.connected());
    EXPECT_TRUE(b.identity.biosMode);
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 0 on COM1");
    EXPECT_EQ(b.view.versionLine, "Version 1.4.0.7 - Connected to a Instrument in BIOS-Mode (0) on COM1");
    ExpectConnectedView(b.view);
    ASSERT_EQ(b.view.tree.lines.size(), 1u);
    EXPECT_EQ(b.view.tree.lines[0].text, "The instrument is in BIOS-Mode.");
    EXPECT_FALSE(HasLine(b.view.tree, 1, "Software."));
    EXPECT_TRUE(HasLine(b.view.tree, 1, "Hardware."));
}

TEST(Connection, FailuresEndDisconnected)
{
    const std::string site = "https://maker.example/update";
    struct Case {
        const char* name;
        std::function<void(ConnectionBench&)> setup;
        qv::MessageKind kind;
        std::string message;
        Lines tree;
        Lines webSites;
    } cases[] = {
        {"port held by another program", [](ConnectionBench& b) { b.port.addBusy("COM1"); },
         qv::MessageKind::Warning,
         "The port is not available, it could be in use by another program.\rPlease select another port.",
         {"The port is not available, it could be in use by another program.",
          "Please select another port and try again."},
         {}},
        {"nothing answers", [](ConnectionBench& b) { b.port.addSilent("COM1"); }, qv::MessageKind::Error,
         "No instrument found.",
         {"No instrument found. ", "", "You can try to disconnect the power to the instrument.",
          "Wait a few seconds and then reconnect the power.", "",
          "You might also try to select another communication port."},
         {}},
        {"a meter of the newer family",
         [](ConnectionBench& b) {
             qv::sim::InstrumentOptions o = WithIoModule();
             o.ioModule.productCode = 209;
             b.port.add("COM1", o);
         },
         qv::MessageKind::Information,
         "The qvMeter connected to COM1 is not supported by QV-Update.\r\rPlease download the program "
         "\"qvMeterUpdate\" from \"" + site + "\".",
         {"Disconnected."},
         {site}},
        {"USB on a host without USB support",
         [](ConnectionBench& b) {
             qv::sim::InstrumentOptions o = WithIoModule();
             o.ioModule.interface = 4;
             b.port.add("COM1", o);
             b.usbSupported = false;
         },
         qv::MessageKind::Warning,
         "The USB connection is not supported on this computer.\rPlease connect the instrument using the SERIAL "
         "connection.",
         {"The USB connection is not supported by this computer.",
          "Please connect the instrument using the SERIAL connection."},
         {}},
    };
    for (const auto& c : cases) {
        ConnectionBench b;
        b.hostPorts = {"COM1"};
        c.setup(b);
        b.connection.FormShow();
        b.connection.btnOpenClick();

        EXPECT_FALSE(b.connection.connected()) << c.name;
        EXPECT_FALSE(b.port.isOpen()) << c.name;
        ASSERT_EQ(b.prompter.shown().size(), 1u) << c.name;
        EXPECT_EQ(b.prompter.shown()[0].kind, c.kind) << c.name;
        EXPECT_EQ(b.prompter.shown()[0].text, c.message) << c.name;
        EXPECT_EQ(b.view.lines(), c.tree) << c.name;
        EXPECT_EQ(b.view.webSites, c.webSites) << c.name;
        EXPECT_EQ(b.view.title, "QV-Update - Not Connected") << c.name;
        EXPECT_TRUE(b.view.enabled[UpdateControl::Open]) << c.name;
        EXPECT_TRUE(b.view.enabled[UpdateControl::PortList]) << c.name;
        EXPECT_FALSE(b.view.busyCursor) << c.name;
    }
}

TEST(Connection, TheSimulatorAskedForIsSelectedAtStart)
{
    ConnectionBench b;
    b.hostPorts = {"ttyS0", "ttyUSB0"};
    qv::UpdateConnectionSettings settings = b.settings();
    settings.simulator = true;
    qv::UpdateConnection connection{b.io, b.identity, b.view, settings};
    connection.FormShow();
    EXPECT_EQ(connection.ports(), (Lines{"ttyS0", "ttyUSB0", "SIM"}));
    EXPECT_EQ(connection.portName(), "SIM");
    EXPECT_EQ(b.view.selected, 2);

    // A port the user chose stays chosen over a refresh.
    connection.cbCPPortChange(0);
    connection.RefreshPorts();
    EXPECT_EQ(connection.portName(), "ttyS0");
    EXPECT_EQ(b.view.selected, 0);
}

TEST(Connection, WithoutAWebAddressTheRefusalNamesNoneAndOpensNothing)
{
    ConnectionBench b;
    qv::sim::InstrumentOptions o = WithIoModule();
    o.ioModule.productCode = 209;
    b.hostPorts = {"COM1"};
    b.port.add("COM1", o);
    qv::UpdateConnectionSettings settings = b.settings();
    settings.webSiteAddress.clear();
    qv::UpdateConnection connection{b.io, b.identity, b.view, settings};
    connection.FormShow();
    connection.btnOpenClick();
    EXPECT_EQ(b.prompter.texts(), Lines{"The qvMeter connected to COM1 is not supported by QV-Update.\r\rPlease "
                                        "download the program \"qvMeterUpdate\"."});
    EXPECT_TRUE(b.view.webSites.empty());
    connection.OpenWebSite();
    EXPECT_TRUE(b.view.webSites.empty()) << "the banner's double click neither";
    EXPECT_FALSE(connection.connected());
}

TEST(Connection, ABadStatusRecordIsReportedAndTheInstrumentReachedWithoutTheModule)
{
    struct Case {
        const char* name;
        std::function<void(qv::sim::IoModuleOptions&)> fault;
        const char* message;
    } cases[] = {
        {"checksum", [](qv::sim::IoModuleOptions& o) { o.badStatusChecksum = true; },
         "The I/O module did not respond correctly.\r\rIOSTAT_ERROR_CRC"},
        {"length byte", [](qv::sim::IoModuleOptions& o) { o.statusLengthError = -1; },
         "The I/O module did not return enough data.\r\rIOSTAT_ERROR_DATACOUNT"},
    };
    for (const auto& c : cases) {
        ConnectionBench b;
        qv::sim::InstrumentOptions o = WithIoModule();
        c.fault(o.ioModule);
        b.single(o);
        b.connection.btnOpenClick();

        EXPECT_EQ(b.prompter.texts(), Lines{c.message}) << c.name;
        // The module was put back into transparent mode, so the instrument answered.
        EXPECT_FALSE(b.port.wire("COM1").ioModule()->commandMode()) << c.name;
        EXPECT_TRUE(b.connection.connected()) << c.name;
        EXPECT_FALSE(b.identity.ioInterfacePresent) << c.name;
        EXPECT_EQ(b.view.title, "QV-Update - Connected to 12345 on COM1") << c.name;
        EXPECT_TRUE(HasLine(b.view.tree, 1, "Interface Connection: Serial Port.")) << c.name;
    }
}

TEST(Connection, CancelBeforeTheIdentificationDisconnects)
{
    ConnectionBench b;
    b.single(WithIoModule());
    b.view.onTree = [&](const qv::StatusTree& tree) {
        if (!tree.lines.empty() && tree.lines.back().text == "I/O-Interface Detected.")
            b.channel.Abort();
    };
    b.connection.btnOpenClick();
    EXPECT_FALSE(b.connection.connected());
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(b.view.lines(), Lines{"Disconnected."});
    EXPECT_EQ(b.view.title, "QV-Update - Not Connected");
}

TEST(Connection, MacAddressCheck)
{
    struct Case {
        const char* macText;
        const char* shown; // "" for no warning
    } cases[] = {
        {"000B3C123456", ""},
        {"000B57000001", ""},
        {"000B58000000", "00:0B:58:00:00:00"},
        {"010B3C123456", "01:0B:3C:12:34:56"},
    };
    for (const auto& c : cases) {
        ConnectionBench b;
        qv::sim::InstrumentOptions o = WithIoModule();
        o.ioModule.macText = c.macText;
        b.single(o);
        b.connection.btnOpenClick();
        ASSERT_TRUE(b.connection.connected()) << c.macText;
        if (*c.shown == '\0') {
            EXPECT_TRUE(b.prompter.shown().empty()) << c.macText;
            continue;
        }
        ASSERT_EQ(b.prompter.shown().size(), 1u) << c.macText;
        EXPECT_EQ(b.prompter.shown()[0].kind, qv::MessageKind::Warning);
        EXPECT_EQ(b.prompter.shown()[0].text,
                  "An incorrect MAC address has been detected in the I/O module.\r\rThe current MAC address is " +
                      std::string(c.shown) +
                      ".\r\rThis can prevent the I/O module from performing optimally.\r\rPlease contact Qvella A/S "
                      "for further information.");
    }
}

TEST(Connection, AnAssumedSerialNumberDecidesTheType)
{
    ConnectionBench b;
    qv::sim::InstrumentOptions o = WithIoModule();
    o.ioModule.boardCode = "201";
    b.single(o);
    b.connection.btnOpenClick();
    b.connection.AssumeSerialNumber(50000);
    EXPECT_EQ(b.identity.type, 15);
    EXPECT_EQ(b.identity.typeName, "RX4471K");
    EXPECT_EQ(b.view.title, "QV-Update - Connected to 50000 on COM1");
}

} // namespace
