// The search for instruments over every port of the list.
#include "update_connection.h"

#include "platform/host/port_names.h"
#include "link/update_link.h"

namespace qv {

int UpdateConnection::FindInstrument(bool stopAtFirst)
{
    view_.setCaption(UpdateControl::Exit, "Cancel");
    view_.setTag(UpdateControl::Exit, kExitCancelSearch);
    view_.setBannerBusy(true);
    RefreshPorts();
    view_.enable(UpdateControl::Refresh, false);
    view_.enable(UpdateControl::Open, false);
    view_.enable(UpdateControl::Find, false);
    view_.enable(UpdateControl::PortList, false);

    tree_.clear();
    tree_.icons = true;
    tree_.add("Searching for instruments...", kIconSuccess);
    tree_.add("Please be patient, this can take a few minutes...");
    tree_.add("");
    ShowTree(true);
    channel_.rxMode = RxMode::Binary;

    // From the highest-numbered port down: a search that stops at the first
    // finds the highest-numbered instrument.
    int found = 0;
    int foundIndex = -1;
    for (int index = int(ports_.size()) - 1; index >= 0 && !channel_.stop; --index) {
        if (channel_.port().isOpen())
            io_.SetIoMode(false);
        view_.selectPort(index);
        if (!skipPort.empty() && samePort(ports_[size_t(index)], skipPort))
            continue;
        if (TryPort(index)) {
            ++found;
            foundIndex = index;
            if (stopAtFirst)
                break;
        }
    }
    EndSearch(found, foundIndex);
    return found;
}

bool UpdateConnection::TryPort(int index)
{
    const std::string port = ports_[size_t(index)];
    tree_.add("Trying to open " + port + "...");
    const size_t line = tree_.lines.size() - 1;
    ShowTree(true);
    auto replaceLine = [&](std::string text, int icon) {
        tree_.lines[line].text = std::move(text);
        tree_.lines[line].icon = icon;
        ShowTree(true);
    };

    SerialPort& serial = channel_.port();
    serial.close();
    portName_ = port;
    if (!serial.open(port)) {
        replaceLine("Could not open " + port + ", the port might be in use  by another program.", kIconError);
        return false;
    }
    channel_.ClearRx();
    channel_.rxMode = RxMode::AtLines;
    serial.write(at::kCommandMode);
    bool answered = false;
    if (channel_.WaitReplyLine(kSearchReplyPolls) && channel_.accumulator.starts_with("OK")) {
        // Back to transparent; its reply is not awaited.
        serial.write(at::kTransparentMode);
        answered = true;
    } else {
        // The handshake's acknowledgement is counted only in binary mode.
        channel_.rxMode = RxMode::Binary;
        answered = UpdateLink(channel_).WakeUp();
    }
    if (answered)
        replaceLine("A instrument was detected on " + port + ".", kIconSuccess);
    else
        replaceLine("No instrument was detected on " + port + ".", kIconWarning);
    return answered;
}

void UpdateConnection::EndSearch(int found, int foundIndex)
{
    channel_.rxMode = RxMode::AtLines;
    channel_.port().close();
    SelectPort(foundIndex);
    if (foundIndex >= 0)
        view_.enable(UpdateControl::Open, true);

    tree_.add(std::to_string(found) + " instrument(s) detected.", found > 0 ? kIconSuccess : kIconWarning);
    if (found == 1)
        tree_.add("Press connect to continue.");
    else if (found > 1)
        tree_.add("Select the correct port from the dropdownlist and press connect.");
    ShowTree(true);

    view_.enable(UpdateControl::Refresh, true);
    view_.enable(UpdateControl::Find, true);
    view_.enable(UpdateControl::PortList, true);
    view_.setCaption(UpdateControl::Exit, "Exit");
    view_.setTag(UpdateControl::Exit, kExitProgram);
    channel_.ResetAbort();
    view_.setBannerBusy(false);
}

} // namespace qv
