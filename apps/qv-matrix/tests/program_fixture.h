#pragma once

// The whole QV-Matrix program against the simulated instrument on virtual
// time, with its settings in folders of the test's own.
#include "apps/qv-matrix/matrix_application.h"
#include "matrix/remote_timer.h"
#include "program_folders.h"
#include "sim/front_panel.h"
#include "sim/virtual_instrument.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTest>

#include <memory>

namespace qv::test {

struct Program : qv::sim::VirtualInstrument {
    // arguments: the program's own, after "--simulator"; dialogs: other
    // dialogs than the scripted prompter's; splash: start with the splash.
    explicit Program(qv::sim::InstrumentOptions options = {}, const QStringList& arguments = {},
                     qv::Prompter* dialogs = nullptr, bool splash = false)
        : qv::sim::VirtualInstrument(options)
    {
        // The transfer window's one-shot timer and the splash's timer run on
        // the virtual clock.
        pump.add([this] {
            timer.poll();
            splashTimer.poll();
        });
        const qv::MatrixCommandLine line =
            qv::ParseMatrixCommandLine(QStringList{"qv-matrix", "--simulator"} + arguments);
        const qv::StartTimer startTimer = [this](int ms, std::function<void()> action) {
            timer.start(ms, std::move(action));
        };
        pump.add([this] { gainTimer.poll(); });
        const qv::StartTimer startGainTimer = [this](int ms, std::function<void()> action) {
            gainTimer.start(ms, std::move(action));
        };
        qv::StartTimer startSplashTimer;
        if (splash)
            startSplashTimer = [this](int ms, std::function<void()> action) { splashTimer.start(ms, std::move(action)); };
        app = std::make_unique<qv::MatrixApplication>(
            line, qv::MatrixServices{clock, pump, dialogs ? *dialogs : prompter, port, {"SIM"}, startTimer,
                                     startGainTimer, startSplashTimer});
    }
    ~Program() { app.reset(); }

    qv::test::ProgramFolders folders{"[Settings]\nComInterface=SIM\nCheckFileAssociation=0\n"};
    qv::ClockTimer timer{clock};
    qv::ClockTimer gainTimer{clock};
    qv::ClockTimer splashTimer{clock};
    qv::sim::FrontPanel panel{instrument, clock};
    std::unique_ptr<qv::MatrixApplication> app;

    qv::TMainForm& form() { return app->mainForm(); }
    qv::MatrixGrid& grid() { return app->grid(); }
    qv::ConfigImage& image() { return app->image(); }
    void trigger(const char* name) { form().action(name)->trigger(); }
    void doubleClickCell(int input, int output)
    {
        QTest::mouseDClick(&grid(), Qt::LeftButton, {}, grid().cellRect(input, output).center());
    }
    QComboBox& presets() { return *form().findChild<QComboBox*>("PresetDropDown"); }
    void choosePreset(int preset)
    {
        presets().setCurrentIndex(preset - 1);
        emit presets().activated(preset - 1);
    }
    // The event loop running for a while on virtual time.
    void idle(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            pump.pump();
            clock.sleepMs(10);
        }
    }
    QByteArray file(const std::string& path) const
    {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

constexpr char kUpdateQuestion[] =
    "Some of the X-points on the RVT has been updated, do you wish to reload the X-Points?";
constexpr char kDisconnectQuestion[] =
    "The remote connection to the RVT120S will be disconnected.\rDo you wish to proceed?";

// Long enough for the preset report, the 100 ms timer and the ten lists.
constexpr int kRemoteReadMs = 2000;

// Remote control started from the menu; true once it is connected.
inline bool StartRemote(Program& p)
{
    p.trigger("mnuConnect");
    p.idle(kRemoteReadMs);
    return p.app->remoteControl().connected();
}

// The crosspoint lists (".LA") the instrument has been asked for.
inline int CrosspointLists(const Program& p)
{
    int n = 0;
    for (const std::string& line : p.instrument.textLines())
        n += line.rfind(".LA", 0) == 0;
    return n;
}

} // namespace qv::test
