#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace qv {

// The help pages of a program in a window of their own, opened at a topic:
// each topic number is an anchor "topic-N" of the page.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(const QUrl& page, QWidget* parent = nullptr);

    void showTopic(int topic);
    static QString anchorFor(int topic) { return QStringLiteral("topic-%1").arg(topic); }
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

} // namespace qv
