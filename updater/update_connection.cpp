// The port list, connecting to the instrument and disconnecting again.
#include "update_connection.h"

#include "system_tree.h"
#include "update_port_list.h"
#include "link/identity_tables.h"
#include "link/update_instrument_info.h"
#include "link/update_link.h"
#include "link/update_text_info.h"

namespace qv {

namespace {

// Without a web address the message only names the program to get.
std::string UnsupportedMeterText(const std::string& port, const std::string& webAddress)
{
    std::string text = "The qvMeter connected to " + port + " is not supported by QV-Update.\r\r" +
                       "Please download the program \"qvMeterUpdate\"";
    if (!webAddress.empty())
        text += " from \"" + webAddress + "\"";
    return text + ".";
}

} // namespace

UpdateConnection::UpdateConnection(IoInterface& io, UpdateIdentity& identity, UpdateView& view,
                                   UpdateConnectionSettings settings)
    : io_(io),
      channel_(io.channel()),
      identity_(identity),
      view_(view),
      prompter_(io.channel().host().prompter),
      settings_(std::move(settings))
{
}

void UpdateConnection::FormShow()
{
    view_.setTitle(std::string(kTitle) + " - Not Connected");
    tree_.clear();
    tree_.icons = true;
    tree_.add("Disconnected.", kIconDisconnected);
    ShowTree();
    RefreshPorts();
    view_.focusPortList();
    view_.setVersionLine(versionLine());
}

void UpdateConnection::RefreshPorts()
{
    view_.enable(UpdateControl::Refresh, false);
    ports_ = UpdatePortList(settings_.hostPorts(), settings_.extraPorts, settings_.simulator);
    view_.setPorts(ports_);
    // Keep the chosen port when it is still there.
    const int listed = FindListedPort(ports_, portName_);
    SelectPort(listed >= 0 ? listed : InitialPortIndex(ports_, settings_.extraPorts, settings_.simulator));
    view_.focusPortList();
    view_.enable(UpdateControl::Refresh, true);
}

void UpdateConnection::SelectPort(int index)
{
    view_.selectPort(index);
    if (index >= 0 && size_t(index) < ports_.size())
        portName_ = ports_[size_t(index)];
}

void UpdateConnection::cbCPPortChange(int index)
{
    if (index < 0 || size_t(index) >= ports_.size())
        return;
    portName_ = ports_[size_t(index)];
    view_.enable(UpdateControl::Find, true);
    view_.enable(UpdateControl::Open, true);
}

void UpdateConnection::setPortName(const std::string& name)
{
    const int listed = FindListedPort(ports_, name);
    view_.selectPort(listed);
    portName_ = listed >= 0 ? ports_[size_t(listed)] : name;
}

bool UpdateConnection::connected() const
{
    return channel_.port().isOpen() && (identity_.connected || identity_.ioInterfacePresent);
}

void UpdateConnection::EnablePortControls(bool enabled)
{
    view_.enable(UpdateControl::PortList, enabled);
    view_.enable(UpdateControl::Refresh, enabled);
    view_.enable(UpdateControl::Find, enabled);
}

void UpdateConnection::btnFindClick()
{
    if (FindInstrument(true) > 0)
        btnOpenClick();
}

void UpdateConnection::btnOpenClick()
{
    if (channel_.port().isOpen())
        DisconnectInstrument();
    else
        ConnectInstrument();
}

void UpdateConnection::ResetConnectionState()
{
    const bool vp30 = identity_.vp30Switch;
    identity_ = UpdateIdentity{};
    identity_.vp30Switch = vp30;
    io_.status = {};
    io_.ethernet = {};
    io_.versionText.clear();
    io_.flash = {};
    io_.spiMode = at::kSpiNotSupportedByFpga;
    io_.eeInfo = {};
    io_.slotInfo = {};
    mac_ = {};
}

bool UpdateConnection::ConnectInstrument()
{
    view_.setBannerBusy(true);
    ResetConnectionState();
    view_.enable(UpdateControl::Open, false);
    EnablePortControls(false);
    view_.setBusyCursor(true);

    if (!channel_.port().open(portName_)) {
        prompter_.message(MessageKind::Warning,
                          "The port is not available, it could be in use by another program.\rPlease select another "
                          "port.");
        ShowDisconnected(DisconnectKind::PortNotAvailable);
        EndConnect();
        return false;
    }
    tree_.clear();
    tree_.icons = true;
    tree_.add("Connecting...", kIconSuccess);
    tree_.add("Searching for I/O-Interface...", kIconSuccess);
    ShowTree();
    if (!DetectIo()) {
        EndConnect();
        return false;
    }

    channel_.rxMode = RxMode::AtLines;
    tree_.add("Searching for Instrument...", kIconSuccess);
    ShowTree();
    // Exit or Cancel was pressed meanwhile.
    if (channel_.stop) {
        ShowDisconnected(DisconnectKind::Disconnected);
        EndConnect();
        return false;
    }
    IdentifyInstrument();
    if (!identity_.connected && !identity_.ioInterfacePresent) {
        prompter_.error("No instrument found.");
        ShowDisconnected(DisconnectKind::NoInstrument);
        EndConnect();
        return false;
    }
    if (io_.status.interface == at::kInterfaceUsb && !settings_.usbSupported()) {
        prompter_.message(MessageKind::Warning, "The USB connection is not supported on this computer.\rPlease "
                                                "connect the instrument using the SERIAL connection.");
        ShowDisconnected(DisconnectKind::UsbNotSupported);
        EndConnect();
        return false;
    }
    if (identity_.ioInterfacePresent)
        ReadSlotInfo();
    tree_ = BuildSystemTree(identity_, io_);
    ShowTree();
    ShowConnected();
    CheckMacAddress();
    view_.enable(UpdateControl::Exit, true);
    EndConnect();
    return true;
}

void UpdateConnection::OpenWebSite()
{
    if (!settings_.webSiteAddress.empty())
        view_.openWebSite(settings_.webSiteAddress);
}

bool UpdateConnection::DetectIo()
{
    const int result = io_.DetectIoInterface(false);
    switch (result) {
    case IOSTAT_OK:
        identity_.ioInterfacePresent = true;
        tree_.add("I/O-Interface Detected.");
        ShowTree();
        return true;
    case IOSTAT_ERROR_CRC:
        prompter_.error("The I/O module did not respond correctly.\r\rIOSTAT_ERROR_CRC");
        break;
    case IOSTAT_ERROR_DATACOUNT:
        prompter_.error("The I/O module did not return enough data.\r\rIOSTAT_ERROR_DATACOUNT");
        break;
    case IOSTAT_UNSUPPORTED_METER:
        prompter_.information(UnsupportedMeterText(portName_, settings_.webSiteAddress));
        ShowDisconnected(DisconnectKind::Disconnected);
        OpenWebSite();
        return false;
    default:
        break;
    }
    // A module that answered but gave no usable status is left in command
    // mode; the instrument behind it answers only through transparent mode.
    if (result >= IOSTAT_ERROR_TIMEOUT && result <= IOSTAT_ERROR_MISMATCH)
        io_.SetIoMode(false);
    return true;
}

void UpdateConnection::IdentifyInstrument()
{
    UpdateLink link(channel_);
    UpdateInstrumentInfo(link, identity_).ReadInstrumentInfo(true);
    // Through the module the serial number comes from its status record; the
    // instrument's own items (software version, hardware, modules) from its
    // text reply.
    if (identity_.ioInterfacePresent)
        QueryTextInformation(channel_, identity_);
}

void UpdateConnection::ReadSlotInfo()
{
    io_.ScanSlots(SlotQuery::ModuleId);
    io_.ScanSlots(SlotQuery::SoftwareVersion);
    io_.ScanSlots(SlotQuery::Temperature);
    io_.ScanSlots(SlotQuery::FirmwareVersion);
    channel_.ClearRx();
}

void UpdateConnection::ShowConnected()
{
    const std::string serial = std::to_string(identity_.serial);
    view_.setTitle(std::string(kTitle) + " - Connected to " + serial + " on " + portName_);
    view_.setVersionLine(versionLine() + " - Connected to a " + identity_.typeName + " (" + serial + ") on " +
                         portName_);
    view_.setCaption(UpdateControl::Open, "Disconnect");
    view_.enable(UpdateControl::Open, true);
    view_.setTag(UpdateControl::Next, kNextToFileSelection);
    view_.enable(UpdateControl::Next, true);
}

void UpdateConnection::EndConnect()
{
    view_.setBusyCursor(false);
    view_.setBannerBusy(false);
}

void UpdateConnection::CheckMacAddress()
{
    mac_ = io_.ethernet.mac;
    ParseMacText(io_.status.macText, mac_);
    if (channel_.port().isOpen() && identity_.ioInterfacePresent && !MacAddressValid(mac_))
        prompter_.message(MessageKind::Warning, IncorrectMacText(mac_));
}

void UpdateConnection::AssumeSerialNumber(int serial)
{
    identity_.serial = serial;
    identity_.biosMode = false;
    identity_.type = TypeFromSerial(serial, identity_.boardCode, identity_.vp30Switch);
    identity_.typeName = TypeName(Program::Update, identity_.type);
    view_.setTitle(std::string(kTitle) + " - Connected to " + std::to_string(serial) + " on " + portName_);
}

void UpdateConnection::DisconnectInstrument()
{
    view_.setBannerBusy(true);
    tree_.clear();
    tree_.icons = true;
    tree_.add("Disconnecting - Please Wait...", kIconSuccess);
    ShowTree();
    view_.enable(UpdateControl::Next, false);
    view_.enable(UpdateControl::Find, false);
    if (identity_.ioInterfacePresent) {
        // Leave the module transparent for whoever uses the port next.
        io_.SetIoMode(true);
        channel_.ClearRx();
        channel_.rxMode = RxMode::AtLines;
        channel_.port().write(at::kTransparentMode);
        channel_.WaitReplyLine();
    }
    channel_.port().close();
    view_.setTitle(std::string(kTitle) + " - Not Connected");
    ShowDisconnected(DisconnectKind::Disconnected);
    view_.setCaption(UpdateControl::Open, "Connect");
    view_.enable(UpdateControl::Open, true);
    EnablePortControls(true);
    view_.setTag(UpdateControl::Next, kNextToStart);
    view_.showStartPage();
    view_.setBannerBusy(false);
}

void UpdateConnection::ShowDisconnected(DisconnectKind kind)
{
    tree_.clear();
    tree_.icons = true;
    switch (kind) {
    case DisconnectKind::NoInstrument:
        tree_.add("No instrument found. ", kIconWarning);
        tree_.add("");
        tree_.add("You can try to disconnect the power to the instrument.", kIconSuccess);
        tree_.add("Wait a few seconds and then reconnect the power.");
        tree_.add("");
        tree_.add("You might also try to select another communication port.", kIconSuccess);
        break;
    case DisconnectKind::PortNotAvailable:
        tree_.add("The port is not available, it could be in use by another program.", kIconError);
        tree_.add("Please select another port and try again.");
        break;
    case DisconnectKind::UsbNotSupported:
        tree_.add("The USB connection is not supported by this computer.", kIconError);
        tree_.add("Please connect the instrument using the SERIAL connection.");
        break;
    case DisconnectKind::Disconnected:
        tree_.add("Disconnected.", kIconSuccess);
        view_.setVersionLine(versionLine());
        break;
    }
    ShowTree();
    channel_.port().close();
    EnablePortControls(true);
    view_.enable(UpdateControl::Open, true);
    view_.setBusyCursor(false);
}

} // namespace qv
