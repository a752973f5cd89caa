#pragma once

// What is wrong with a program's help page as its viewer reads it, and
// where F1 opened it.
#include "platform/host/help_topics.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_prompter.h"

#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv::test {

// page: the page as the program opens it; program: its flag (InMatrixHelp,
// InUpdateHelp). Faults: a topic the program opens without its section, a
// "topic-N" section no topic of the program leads to, a link to an anchor
// the page lacks, a picture that does not load.
inline std::vector<std::string> HelpPageFaults(const QUrl& page, unsigned program)
{
    std::vector<std::string> faults;
    HelpViewer viewer(page);
    const QStringList anchors = viewer.anchors();
    if (anchors.isEmpty())
        return {"no page at " + page.toString().toStdString()};
    for (int number = 0; number < kHelpTopicLimit; ++number) {
        const bool wanted = (HelpPagesOf(HelpTopic{number}) & program) != 0;
        const bool present = anchors.contains(HelpViewer::anchorFor(number));
        if (wanted && !present)
            faults.push_back("no section for topic " + std::to_string(number));
        if (!wanted && present)
            faults.push_back("a section for topic " + std::to_string(number) + " that nothing opens");
    }
    QTextBrowser* browser = viewer.browser();
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString href = format.anchorHref();
            if (href.startsWith('#') && !anchors.contains(href.mid(1)))
                faults.push_back("a link to the missing anchor " + href.toStdString());
            if (format.isImageFormat()) {
                const QString name = format.toImageFormat().name();
                if (browser->loadResource(QTextDocument::ImageResource, QUrl(name)).isNull())
                    faults.push_back("the picture " + name.toStdString() + " does not load");
            }
        }
    }
    return faults;
}

// The anchor the help window shows, or nothing while it is closed.
inline QString HelpShownAt(const QtPrompter& dialogs)
{
    const HelpViewer* viewer = dialogs.helpViewer();
    return viewer && viewer->isVisible() ? viewer->browser()->source().fragment() : QString();
}

// F1 as the user presses it: through the window system into the active
// window, where shortcuts are looked up.
inline void PressF1(QWidget* window)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window->windowHandle(), Qt::Key_F1);
}

} // namespace qv::test
