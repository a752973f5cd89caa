#pragma once

#include "platform/host/progress.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>

namespace qv {

// Shows a Progress on a window's bar and, when given, the label beside it
// that carries the percent text. A bar that shows its text shows the
// rounded percentage.
class QtProgress : public BasicProgress {
public:
    explicit QtProgress(QProgressBar* bar, QLabel* label = nullptr);

    void setMaximum(int64_t maximum) override;
    void setPosition(int64_t position) override;
    void setText(const std::string& text) override;

private:
    void showPosition();

    QPointer<QProgressBar> bar_;
    QPointer<QLabel> label_;
};

} // namespace qv
