#pragma once

#include "multi_port.h"
#include "platform/host/scripted_prompter.h"
#include "updater/update_connection.h"

#include <map>
#include <string>
#include <vector>

// The main window as discovery and connection drive it.
struct RecordingUpdateView : qv::UpdateView {
    void setTitle(const std::string& t) override { title = t; }
    void setVersionLine(const std::string& t) override { versionLine = t; }
    void setInfo(const std::string& t) override { info = t; }
    void showStatusTree(const qv::StatusTree& t, bool) override
    {
        tree = t;
        if (onTree)
            onTree(t);
    }
    void setPorts(const std::vector<std::string>& p) override { ports = p; }
    void selectPort(int index) override { selected = index; }
    void focusPortList() override {}
    void enable(qv::UpdateControl c, bool e) override { enabled[c] = e; }
    void setCaption(qv::UpdateControl c, const std::string& t) override { captions[c] = t; }
    void setTag(qv::UpdateControl c, int t) override { tags[c] = t; }
    void setBannerBusy(bool busy) override { bannerBusy = busy; }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
    void showStartPage() override { ++startPages; }
    void openWebSite(const std::string& address) override { webSites.push_back(address); }

    // Top-level lines of the status tree.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        for (const auto& l : tree.lines)
            out.push_back(l.text);
        return out;
    }
    std::vector<int> icons() const
    {
        std::vector<int> out;
        for (const auto& l : tree.lines)
            out.push_back(l.icon);
        return out;
    }

    std::string title, versionLine, info;
    qv::StatusTree tree;
    std::function<void(const qv::StatusTree&)> onTree;
    std::vector<std::string> ports;
    int selected = -1;
    std::map<qv::UpdateControl, bool> enabled;
    std::map<qv::UpdateControl, std::string> captions;
    std::map<qv::UpdateControl, int> tags;
    bool bannerBusy = false;
    bool busyCursor = false;
    int startPages = 0;
    std::vector<std::string> webSites;
};

// QV-Update's connection over simulated ports on virtual time. Ports are
// added before the first RefreshPorts (FormShow, FindInstrument).
struct ConnectionBench {
    ConnectionBench() { pump.add([this] { port.deliverNotifications(); }); }

    qv::UpdateConnectionSettings settings()
    {
        qv::UpdateConnectionSettings s;
        s.programVersion = "1.4.0.7";
        s.webSiteAddress = "https://maker.example/update";
        s.hostPorts = [this] { return hostPorts; };
        s.usbSupported = [this] { return usbSupported; };
        return s;
    }
    // One instrument on COM1, selected.
    qv::sim::Instrument& single(qv::sim::InstrumentOptions options = {})
    {
        hostPorts = {"COM1"};
        qv::sim::Instrument& instrument = port.add("COM1", options);
        connection.FormShow();
        return instrument;
    }
    std::vector<std::string> shownTexts() const { return prompter.texts(); }

    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    MultiPort port{clock};
    std::vector<std::string> hostPorts;
    bool usbSupported = true;
    qv::UpdateChannel channel{port, qv::HostServices{clock, pump, prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    RecordingUpdateView view;
    qv::UpdateConnection connection{io, identity, view, settings()};
};

inline qv::sim::InstrumentOptions WithIoModule(qv::sim::InstrumentOptions options = {})
{
    options.ioModule.present = true;
    return options;
}
