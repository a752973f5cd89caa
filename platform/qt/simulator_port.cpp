#include "simulator_port.h"

namespace qv {

SimulatorPort::SimulatorPort(sim::InstrumentOptions options, QObject* parent)
    : QObject(parent), instrument_(options)
{
    port_.setReceiveHandler([this](int count) { notifyReceived(count); });
    notifyTimer_.setInterval(kNotifyIntervalMs);
    notifyTimer_.setTimerType(Qt::PreciseTimer);
    connect(&notifyTimer_, &QTimer::timeout, this, [this] { port_.deliverNotifications(); });
}

bool SimulatorPort::open(const std::string& name)
{
    if (!port_.open(name))
        return false;
    notifyTimer_.start();
    return true;
}

void SimulatorPort::close()
{
    notifyTimer_.stop();
    port_.close();
}

} // namespace qv
