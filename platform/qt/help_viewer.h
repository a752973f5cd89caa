#pragma once

#include "platform/host/help_topics.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace qv {

// The help pages of a program in a window of their own, opened at a topic:
// each topic is the anchor "topic-N" of the page.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 12;

    explicit HelpViewer(const QUrl& page, QWidget* parent = nullptr);

    void showTopic(HelpTopic topic);
    static QString anchorFor(int topicNumber) { return QStringLiteral("topic-%1").arg(topicNumber); }
    QTextBrowser* browser() const { return browser_; }
    // Every anchor name of the page as the viewer reads it.
    QStringList anchors() const;

private:
    QUrl page_;
    QTextBrowser* browser_;
};

} // namespace qv
