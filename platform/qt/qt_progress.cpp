#include "qt_progress.h"

#include <algorithm>
#include <limits>

namespace qv {

QtProgress::QtProgress(QProgressBar* bar, QLabel* label) : bar_(bar), label_(label)
{
    showPosition();
}

void QtProgress::setMaximum(int64_t maximum)
{
    BasicProgress::setMaximum(maximum);
    showPosition();
}

void QtProgress::setPosition(int64_t position)
{
    BasicProgress::setPosition(position);
    showPosition();
}

void QtProgress::setText(const std::string& text)
{
    BasicProgress::setText(text);
    if (label_)
        label_->setText(QString::fromStdString(text));
}

void QtProgress::showPosition()
{
    if (!bar_)
        return;
    // QProgressBar counts in int and ignores values outside its range, so
    // scale large jobs down and keep the value inside.
    const int64_t max = std::max<int64_t>(maximum(), 0);
    const int64_t scale = max / std::numeric_limits<int>::max() + 1;
    const int64_t pos = std::clamp<int64_t>(position(), 0, max);
    bar_->setRange(0, int(max / scale));
    bar_->setValue(int(pos / scale));
    // The bar's own text, where it shows one, rounds as the labels do.
    bar_->setFormat(QString::fromStdString(percent()));
}

} // namespace qv
