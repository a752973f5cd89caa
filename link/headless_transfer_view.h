#pragma once

#include "transfer_view.h"

namespace qv {

// A transfer view without a window: keeps what it is told, for the service
// tool, benchmarks and tests.
class HeadlessTransferView : public TransferView {
public:
    std::string caption() const override { return caption_; }
    void setCaption(const std::string& caption) override { caption_ = caption; }
    std::string textLine() const override { return textLine_; }
    void setTextLine(const std::string& text) override { textLine_ = text; }
    Progress& bar() override { return *bar_; }
    Progress& secondBar() override { return secondBar_; }
    void showSecondBar(bool shown) override { secondBarShown_ = shown; }
    std::string mainCaption() const override { return mainCaption_; }
    void placeOverMainWindow() override {}
    void showWindow() override { ++shown_; }
    void hideWindow() override {}
    void refresh() override {}
    void setBusyCursor(bool) override {}
    void enableMainWindow() override {}

    // The bar to report to; by default one of its own.
    void setBar(Progress& bar) { bar_ = &bar; }
    void setMainCaption(const std::string& caption) { mainCaption_ = caption; }
    int timesShown() const { return shown_; }
    bool secondBarShown() const { return secondBarShown_; }

private:
    std::string caption_;
    std::string textLine_;
    std::string mainCaption_;
    BasicProgress ownBar_;
    Progress* bar_ = &ownBar_;
    BasicProgress secondBar_;
    bool secondBarShown_ = false;
    int shown_ = 0;
};

} // namespace qv
