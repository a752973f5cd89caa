#pragma once

#include "io_interface.h"
#include "mac_address.h"
#include "status_tree.h"
#include "update_view.h"
#include "link/update_identity.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

// What the status tree shows after the port was closed (ShowDisconnected).
enum class DisconnectKind {
    Disconnected = 0,
    NoInstrument = 1,
    PortNotAvailable = 2,
    UsbNotSupported = 3,
};

struct UpdateConnectionSettings {
    // The program file's four-part version, "%d.%d.%d.%d".
    std::string programVersion = "0.0.0.0";
    // The maker's web site; empty: not named in messages, never opened.
    std::string webSiteAddress;
    // The host's serial port names in the host's order.
    std::function<std::vector<std::string>()> hostPorts = [] { return std::vector<std::string>{}; };
    std::vector<std::string> extraPorts; // --port
    bool simulator = false;              // --simulator
    // IsUsbSupported: the kernel drives the USB adapter on every host we run on.
    std::function<bool()> usbSupported = [] { return true; };
};

// The top of QV-Update's wizard: the port list, the search for instruments
// on all ports, connecting to one and disconnecting again.
class UpdateConnection {
public:
    // "@AT+++" during the search: about a second for the module to answer.
    static constexpr int kSearchReplyPolls = 100;
    static constexpr const char* kTitle = "QV-Update";

    UpdateConnection(IoInterface& io, UpdateIdentity& identity, UpdateView& view, UpdateConnectionSettings settings);

    // The window is shown: not connected, the port list, the version line.
    void FormShow();
    void RefreshPorts();
    // The user picked entry index of the port list.
    void cbCPPortChange(int index);
    // Number of instruments found; the port list then selects where one was.
    int FindInstrument(bool stopAtFirst);
    void btnFindClick();
    // Connects when the port is closed, disconnects when it is open.
    void btnOpenClick();
    void ShowDisconnected(DisconnectKind kind);
    // Warns about an I/O module whose MAC address is not one of ours.
    void CheckMacAddress();
    // Opens the maker's web site in the browser, when there is one.
    void OpenWebSite();
    // "/SERIAL": the instrument counts as the one with this serial number.
    void AssumeSerialNumber(int serial);

    // The port is open and something answered on it.
    bool connected() const;
    const std::vector<std::string>& ports() const { return ports_; }
    const std::string& portName() const { return portName_; }
    // The port the next connect opens (a typed name is matched to the list).
    void setPortName(const std::string& name);
    // "/SKIP": the search never opens this port.
    std::string skipPort;
    const StatusTree& statusTree() const { return tree_; }
    const MacBytes& macBytes() const { return mac_; }
    std::string versionLine() const { return "Version " + settings_.programVersion; }
    // IsUsbSupported.
    bool usbSupported() const { return settings_.usbSupported(); }

private:
    bool ConnectInstrument();
    void DisconnectInstrument();
    void ResetConnectionState();
    // Returns false when the connection cannot go on.
    bool DetectIo();
    void IdentifyInstrument();
    void ReadSlotInfo();
    void ShowConnected();
    void EndConnect();
    // One port of the search; true when an instrument answered.
    bool TryPort(int index);
    void EndSearch(int found, int foundIndex);
    void SelectPort(int index);
    void ShowTree(bool scrollToEnd = false) { view_.showStatusTree(tree_, scrollToEnd); }
    void EnablePortControls(bool enabled);

    IoInterface& io_;
    UpdateChannel& channel_;
    UpdateIdentity& identity_;
    UpdateView& view_;
    Prompter& prompter_;
    UpdateConnectionSettings settings_;
    std::vector<std::string> ports_;
    std::string portName_;
    StatusTree tree_;
    MacBytes mac_{};
};

} // namespace qv
