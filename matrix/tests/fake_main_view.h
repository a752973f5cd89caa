#pragma once

#include "matrix/main_view.h"

#include <map>
#include <string>
#include <vector>

// Keeps what the connection, the document and remote control show.
struct FakeMainView : qv::MainView {
    void setField(qv::MainField field, const std::string& text) override { fields[field] = text; }
    std::string field(qv::MainField f) const override
    {
        auto it = fields.find(f);
        return it == fields.end() ? std::string() : it->second;
    }
    void enable(qv::MainCommand command, bool enabled) override { enabled_[command] = enabled; }
    void setMainEnabled(bool enabled) override { mainEnabled = enabled; }
    void showWait(bool shown) override
    {
        if (shown)
            waitTexts.push_back(waitText);
        else
            waitText = "Please Wait...";
    }
    void setWaitText(const std::string& text) override { waitText = text; }
    void showImage(bool shown) override { imageShown = shown; }
    void clearPresetList() override
    {
        ++presetListCleared;
        presetListEnabled = false;
    }
    void imageReplaced() override { ++imagesReplaced; }
    void addRecentFile(const std::string& path) override { recent.push_back(path); }
    void advanceSplash(int amount) override { splashAdvanced += amount; }
    void hideSplash() override { ++splashHidden; }
    void showProgressDialog(const std::string& caption, const std::string&) override { dialogs.push_back(caption); }
    void hideProgressDialog() override {}

    void rebuildLabels() override { ++labelsRebuilt; }
    void rebuildPresetList() override
    {
        ++presetListsRebuilt;
        presetListEnabled = true;
    }
    void selectPreset(int preset) override { selectedPreset = preset; }
    void enablePresetList(bool enabled) override { presetListEnabled = enabled; }
    void showRemoteConnected(bool connected) override { remoteShown = connected; }
    void setRemoteState(bool connected, uint16_t, bool) override { remoteState = connected; }
    void markIllegalCrosspoints(uint16_t version) override { illegalVersion = version; }
    void crosspointReport(int output, int input, bool remote) override
    {
        reports.push_back(std::to_string(output) + "," + std::to_string(input) + (remote ? "*" : ""));
    }
    void flashCrosspoint(int output, int input) override
    {
        flashes.push_back(std::to_string(output) + "," + std::to_string(input));
    }

    bool isEnabled(qv::MainCommand c) const
    {
        auto it = enabled_.find(c);
        return it != enabled_.end() && it->second;
    }

    std::map<qv::MainField, std::string> fields;
    std::map<qv::MainCommand, bool> enabled_;
    bool mainEnabled = true;
    bool imageShown = false;
    int presetListCleared = 0;
    int imagesReplaced = 0;
    std::vector<std::string> recent;
    std::vector<std::string> dialogs;
    int splashAdvanced = 0;
    int splashHidden = 0;

    std::string waitText = "Please Wait...";
    std::vector<std::string> waitTexts; // the text each time the wait window was shown
    int labelsRebuilt = 0;
    int presetListsRebuilt = 0;
    bool presetListEnabled = false;
    int selectedPreset = 0;
    bool remoteShown = false;
    bool remoteState = false;
    uint16_t illegalVersion = 0;
    std::vector<std::string> reports; // "output,input" with "*" for remote
    std::vector<std::string> flashes;
};
