#pragma once

#include <QWidget>

class QListWidget;

namespace qv {

// A tool window that lists lines in a fixed-width font, with "Clear" and
// "Close": the DOT log and the debug list.
class LogWindow : public QWidget {
    Q_OBJECT

public:
    // maxLines: the oldest lines go once the list holds this many.
    LogWindow(QWidget* mainWindow, const char* name, const QString& title, const char* listName, int maxLines);

    // Line breaks inside a line would only show as boxes.
    void addLine(const QString& line);
    void clear();
    QStringList lines() const;

private:
    QListWidget* list_ = nullptr;
    const int maxLines_;
};

} // namespace qv
