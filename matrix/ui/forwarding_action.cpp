#include "forwarding_action.h"

#include <QActionGroup>

namespace qv {

namespace {

// QObject keeps isSignalConnected protected; a pointer to it may be taken
// through a derived class and applied to any object.
struct SignalPeek : QObject {
    static bool connected(const QObject* sender, const QMetaMethod& signal)
    {
        return (sender->*(&SignalPeek::isSignalConnected))(signal);
    }
};

// "Preset Options..." -> "Preset Options"
QString Caption(const QAction* entry)
{
    QString text = entry->text().remove(QLatin1Char('&')).simplified();
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

bool SignalReceived(const QObject* sender, const QMetaMethod& signal)
{
    return sender && signal.isValid() && SignalPeek::connected(sender, signal);
}

bool ForwardingAction::holdIfNotBuilt(QActionGroup* held)
{
    if (built())
        return false;
    setEnabled(false);
    setToolTip(Caption(this) + QStringLiteral(" is not available yet."));
    if (held)
        held->addAction(this);
    return true;
}

} // namespace qv
