#pragma once

#include <string>
#include <vector>

namespace qv {

// A one-line text panel of the main window (pnlInfo, pnlTime).
class StatusPanel {
public:
    virtual ~StatusPanel() = default;
    virtual void setText(const std::string& text) = 0;
};

// Keeps every text it is given, for tests and headless use.
class TextPanel : public StatusPanel {
public:
    void setText(const std::string& text) override { texts.push_back(text); }
    std::string text() const { return texts.empty() ? std::string() : texts.back(); }

    std::vector<std::string> texts;
};

} // namespace qv
