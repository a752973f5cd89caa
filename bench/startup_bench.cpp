// QV-Matrix's start-up to the shown main window, without an instrument: the
// splash, the window with its grid, settings, menus and the association
// check, offscreen. The time of creating the QApplication is not included.
#include "apps/qv-matrix/matrix_application.h"
#include "platform/host/scripted_prompter.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kRepeats = 10;

double StartOnce(const std::vector<std::string>& ports)
{
    qv::SteadyClock clock;
    qv::QtEventPump pump;
    qv::ScriptedPrompter prompter; // answers the missing-port message at once
    qv::RoutedSerialPort port;
    const auto t0 = std::chrono::steady_clock::now();
    // The splash as the program shows it, on Qt's timer.
    const qv::StartTimer splashTimer = [](int ms, std::function<void()> tick) { QTimer::singleShot(ms, tick); };
    qv::MatrixApplication program(qv::MatrixCommandLine{}, {clock, pump, prompter, port, ports, {}, splashTimer});
    if (!program.start())
        return -1;
    QApplication::processEvents();
    const bool shown = program.mainForm().isVisible();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    return shown ? ms : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir settings;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
        qputenv(name, settings.path().toUtf8());

    StartOnce({}); // fonts, icons and styles loaded once
    double total = 0, best = 1e9;
    for (int k = 0; k < kRepeats; ++k) {
        const double ms = StartOnce({});
        if (ms < 0) {
            std::fprintf(stderr, "startup_bench: the main window did not show\n");
            return 1;
        }
        total += ms;
        best = std::min(best, ms);
    }
    std::printf("qv-matrix start-up to the shown main window, no instrument: %.1f ms mean, %.1f ms best (%d runs)\n",
                total / kRepeats, best, kRepeats);
    return 0;
}
