#pragma once

#include "platform/host/prompter.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace qv {

// F1 anywhere in the window opens the help at the window's topic.
inline void AddHelpKey(QWidget& window, Prompter& prompter, HelpTopic topic)
{
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &window);
    f1->setObjectName(QStringLiteral("HelpKey"));
    QObject::connect(f1, &QShortcut::activated, &window, [&prompter, topic] { prompter.showHelp(topic); });
}

} // namespace qv
