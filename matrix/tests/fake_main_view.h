#pragma once

#include "matrix/main_view.h"

#include <map>
#include <string>
#include <vector>

// Keeps what the connection and the document show.
struct FakeMainView : qv::MainView {
    void setField(qv::MainField field, const std::string& text) override { fields[field] = text; }
    void enable(qv::MainCommand command, bool enabled) override { enabled_[command] = enabled; }
    void setMainEnabled(bool enabled) override { mainEnabled = enabled; }
    void showWait(bool) override {}
    void showImage(bool shown) override { imageShown = shown; }
    void clearPresetList() override { ++presetListCleared; }
    void imageReplaced() override { ++imagesReplaced; }
    void addRecentFile(const std::string& path) override { recent.push_back(path); }
    void showProgressDialog(const std::string& caption, const std::string&) override { dialogs.push_back(caption); }
    void hideProgressDialog() override {}

    bool isEnabled(qv::MainCommand c) const
    {
        auto it = enabled_.find(c);
        return it != enabled_.end() && it->second;
    }
    std::string field(qv::MainField f) const
    {
        auto it = fields.find(f);
        return it == fields.end() ? std::string() : it->second;
    }

    std::map<qv::MainField, std::string> fields;
    std::map<qv::MainCommand, bool> enabled_;
    bool mainEnabled = true;
    bool imageShown = false;
    int presetListCleared = 0;
    int imagesReplaced = 0;
    std::vector<std::string> recent;
    std::vector<std::string> dialogs;
};
