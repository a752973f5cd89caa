#include "qt_event_pump.h"

#include <QCoreApplication>

namespace qv {

void QtEventPump::pump()
{
    QCoreApplication::processEvents();
}

} // namespace qv
