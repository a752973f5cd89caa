#pragma once

#include <QWidget>

class QListWidget;

namespace qv {

// The DOT log: a tool window listing the DOT lines remote control sends and
// receives, and what the message parser notes about them.
class TDotLogForm : public QWidget {
    Q_OBJECT

public:
    // The oldest lines go once the list holds this many.
    static constexpr int kMaxLines = 2000;

    explicit TDotLogForm(QWidget* mainWindow);

    void addLine(const QString& line);
    void clear();
    QStringList lines() const;

private:
    QListWidget* lstDotLog = nullptr;
};

} // namespace qv
