#pragma once

#include "http_client.h"
#include "platform/host/prompter.h"
#include "updater/version_check.h"

#include <QLabel>

#include <optional>
#include <string>

namespace qv {

// Where "Check for updates..." asks, and the site its message names.
struct UpdateCheckSettings {
    std::string server;     // [Settings] UpdateServer or --update-server; "" none
    std::string webAddress; // [Settings] WebAddress; "" leaves it out of the message
};

// lblCheckUpdate, the link "Check for updates..." in the bottom bar. Without
// a usable server it says so and is no link.
class TCheckUpdateLink : public QLabel {
    Q_OBJECT

public:
    static constexpr int kReadTimeoutMs = 10000;
    // Once clicked the link stays in this colour.
    static constexpr const char* kVisitedColour = "#800080";

    TCheckUpdateLink(Prompter& prompter, const std::string& programVersion, const UpdateCheckSettings& settings,
                     QWidget* parent);

    void lblCheckUpdateClick();
    // The time each query may take; tests make it short.
    void setReadTimeout(int ms) { readTimeoutMs_ = ms; }
    bool checking() const { return checking_; }

private:
    void ShowLink();

    Prompter& prompter_;
    ProgramVersion programVersion_{};
    std::optional<UpdateServer> server_;
    std::string webAddress_;
    THTTP* http_ = new THTTP(this);
    int readTimeoutMs_ = kReadTimeoutMs;
    bool checking_ = false;
    bool visited_ = false;
};

} // namespace qv
