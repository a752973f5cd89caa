#pragma once

#include <QLabel>

namespace qv {

// A status bar field that shortens a text too long for it with "..."
// instead of cutting it off; text() keeps the whole text.
class StatusField : public QLabel {
    Q_OBJECT

public:
    StatusField(Qt::TextElideMode mode, QWidget* parent) : QLabel(parent), mode_(mode) {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode mode_;
};

} // namespace qv
