#pragma once

#include <QLabel>
#include <QWidget>

namespace qv {

// The "Please Wait..." panel: borderless, on top, centred over the main
// window each time it is shown. Its users may change the text.
class TWaitForm : public QWidget {
    Q_OBJECT
public:
    explicit TWaitForm(QWidget* mainWindow);

    void setText(const QString& text) { label_->setText(text); }
    QString text() const { return label_->text(); }
    // Shows the panel over the main window and paints it at once, as the
    // work it announces keeps the event loop busy.
    void showOverMainWindow();

private:
    QWidget* mainWindow_;
    QLabel* label_;
};

} // namespace qv
