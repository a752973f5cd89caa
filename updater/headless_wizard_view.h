#pragma once

#include "wizard_view.h"
#include "platform/host/recording_progress.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// A status panel that also tells a listener.
class ListenedPanel : public TextPanel {
public:
    void setText(const std::string& text) override
    {
        TextPanel::setText(text);
        if (onText)
            onText(text);
    }
    std::function<void(const std::string&)> onText;
};

// The main window without a window: keeps what the wizard and the
// connection show, for the unattended command line and for tests.
class HeadlessWizardView : public WizardView {
public:
    // The read page's fields start as the window's do.
    HeadlessWizardView()
    {
        panels[WizardText::FlashAddress].setText("0");
        panels[WizardText::FlashSectors].setText("2048");
    }

    // UpdateView.
    void setTitle(const std::string& text) override { title = text; }
    void setVersionLine(const std::string& text) override { versionLine = text; }
    void setInfo(const std::string& text) override { info = text; }
    void showStatusTree(const StatusTree& shown, bool) override { tree = shown; }
    void setPorts(const std::vector<std::string>& shown) override { ports = shown; }
    void selectPort(int index) override { selectedPort = index; }
    void focusPortList() override {}
    void enable(UpdateControl control, bool enabled) override { enabledControls[control] = enabled; }
    void setCaption(UpdateControl control, const std::string& caption) override { captions[control] = caption; }
    void setTag(UpdateControl control, int value) override { tags[control] = value; }
    void setBannerBusy(bool busy) override { bannerBusy = busy; }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
    void showStartPage() override
    {
        if (onStartPage)
            onStartPage();
    }
    void openWebSite(const std::string& address) override { webSites.push_back(address); }

    // WizardView.
    void showGroups(unsigned shown) override { groups = shown; }
    int tag(UpdateControl control) const override
    {
        const auto it = tags.find(control);
        return it == tags.end() ? 0 : it->second;
    }
    void enableWizard(WizardControl control, bool enabled) override { enabledWizard[control] = enabled; }
    void setChecked(WizardControl control, bool value) override { checkedWizard[control] = value; }
    bool checked(WizardControl control) const override
    {
        const auto it = checkedWizard.find(control);
        return it != checkedWizard.end() && it->second;
    }
    StatusPanel& panel(WizardText which) override { return panels[which]; }
    std::string text(WizardText which) const override
    {
        const auto it = panels.find(which);
        return it == panels.end() ? std::string() : it->second.text();
    }
    Progress& bar(WizardBar which) override { return bars[which]; }
    void setInputText(const std::string& text) override { input = text; }
    std::string inputText() const override { return input; }
    void showPresetTree(const StatusTree& shown) override { presetTree = shown; }
    void repaint() override {}
    void setBannerInterval(int ms) override { bannerIntervalMs = ms; }
    void closeWindow() override { closed = true; }
    // Without a window the dialog takes its default button: OK when a slot
    // is checked, else Cancel; a test may answer instead.
    bool selectModules(ModuleSelection& selection) override
    {
        ++moduleSelections;
        return onSelectModules ? onSelectModules(selection) : selection.okEnabled();
    }
    // Without a window nobody picks a type; a test may.
    std::optional<int> chooseBiosType() override
    {
        ++biosTypeChoices;
        return onChooseBiosType ? onChooseBiosType() : std::nullopt;
    }
    void startProgressDrain() override { ++progressDrains; }

    void setModuleTypes(const std::vector<ModuleTypeEntry>& entries) override { moduleTypes = entries; }

    bool isEnabled(UpdateControl control) const
    {
        const auto it = enabledControls.find(control);
        return it != enabledControls.end() && it->second;
    }
    bool isEnabled(WizardControl control) const
    {
        const auto it = enabledWizard.find(control);
        return it != enabledWizard.end() && it->second;
    }

    std::string title, versionLine, info, input;
    StatusTree tree;
    StatusTree presetTree;
    std::vector<std::string> ports;
    int selectedPort = -1;
    std::map<UpdateControl, bool> enabledControls;
    std::map<UpdateControl, std::string> captions;
    std::map<UpdateControl, int> tags;
    std::map<WizardControl, bool> enabledWizard;
    std::map<WizardControl, bool> checkedWizard;
    std::map<WizardText, ListenedPanel> panels;
    std::map<WizardBar, RecordingProgress> bars;
    unsigned groups = GroupNone;
    bool bannerBusy = false;
    bool busyCursor = false;
    int bannerIntervalMs = 0;
    bool closed = false;
    std::vector<std::string> webSites;
    std::function<void()> onStartPage;
    std::function<bool(ModuleSelection&)> onSelectModules;
    int moduleSelections = 0;
    std::vector<ModuleTypeEntry> moduleTypes;
    std::function<std::optional<int>()> onChooseBiosType;
    int biosTypeChoices = 0;
    int progressDrains = 0;
};

} // namespace qv
