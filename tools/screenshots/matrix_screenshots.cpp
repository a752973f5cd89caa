// Renders QV-Matrix as a user sees it, against the in-process simulated
// instrument, into PNG files: the main window after an upload, with a label
// popup open, with the grid scrolled, and in remote control with crosspoints
// set from the window and at the instrument, each option dialog and the
// scale editor and the screen grab with a capture of the instrument's
// display. Run offscreen; see `make screenshots`.
#include "apps/qv-matrix/matrix_application.h"
#include "matrix/channel_options.h"
#include "matrix/remote_timer.h"
#include "sim/front_panel.h"
#include "screenshot_support.h"
#include "sim/virtual_instrument.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QMenu>
#include <QPainter>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The window as it is on screen, with an open popup drawn where it stands.
QImage Picture(QWidget& window, QWidget* popup = nullptr)
{
    QImage picture = window.grab().toImage();
    if (popup) {
        QPainter painter(&picture);
        painter.drawPixmap(window.mapFromGlobal(popup->pos()), popup->grab());
    }
    return picture;
}

// Output labels in the instrument's memory, pair-reversed as it keeps them.
void PokeOutputLabel(qv::sim::Instrument& instrument, int output, const char* label)
{
    std::vector<uint8_t> bytes(4, ' ');
    for (size_t k = 0; k < 4 && label[k]; ++k)
        bytes[k ^ 1] = uint8_t(label[k]);
    instrument.poke(qv::kImageBaseAddress + uint32_t(qv::OutputLabelBaseAdr + 4 * (output - 1)), bytes);
}

bool Save(const QImage& picture, const QString& folder, const char* name)
{
    return qv::screenshots::SavePicture(picture, folder, name, "matrix-screenshots");
}

template <typename T>
T& Child(qv::MatrixApplication& program)
{
    return *program.mainForm().findChild<T*>();
}

// A window of its own, drawn as it stands.
bool SaveWindow(QWidget& window, const QString& folder, const char* name)
{
    QApplication::processEvents();
    return Save(window.grab().toImage(), folder, name);
}

// The information windows, debug mode and the option windows.
bool SaveOptionWindows(qv::MatrixApplication& program, const QString& folder)
{
    qv::TMainForm& form = program.mainForm();
    form.action("mnuAbout")->trigger();
    auto& about = Child<qv::TAboutForm>(program);
    QTest::mouseDClick(about.findChild<QWidget*>("ImageLogo"), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QCheckBox*>("chkDebugMode"), Qt::LeftButton);
    bool ok = SaveWindow(about, folder, "qv-matrix-about.png");
    QTest::mouseClick(about.findChild<QPushButton*>("btnModules"), Qt::LeftButton);
    ok = SaveWindow(*about.findChild<QDialog*>("ModuleForm"), folder, "qv-matrix-modules.png") && ok;
    about.findChild<QDialog*>("ModuleForm")->accept();
    about.accept();
    ok = SaveWindow(form, folder, "qv-matrix-debug-mode.png") && ok;
    form.findChild<QAction*>("actDebug")->trigger();
    ok = SaveWindow(Child<qv::TDebugForm>(program), folder, "qv-matrix-debug-list.png") && ok;
    Child<qv::TDebugForm>(program).hide();
    program.debugMode().set(false);

    form.action("mnuFileInfo")->trigger();
    ok = SaveWindow(Child<qv::TFileInfoForm>(program), folder, "qv-matrix-file-info.png") && ok;
    Child<qv::TFileInfoForm>(program).accept();

    form.action("mnuKeyboard")->trigger();
    ok = SaveWindow(Child<qv::TKeyboardForm>(program), folder, "qv-matrix-keyboard.png") && ok;
    Child<qv::TKeyboardForm>(program).hide();

    form.action("mnuMousePad")->trigger();
    auto& pad = Child<qv::TMousePadForm>(program);
    pad.pad().move(212, 148);
    pad.pad().buttonDown(qv::MousePad::Button::Left);
    pad.mouseArea()->update();
    QMouseEvent move(QEvent::MouseMove, QPointF(212, 148), pad.mouseArea()->mapToGlobal(QPointF(212, 148)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pad.mouseArea(), &move);
    ok = SaveWindow(pad, folder, "qv-matrix-mouse-pad.png") && ok;
    pad.pad().buttonUp(qv::MousePad::Button::Left);
    pad.hide();

    form.action("mnuOptions")->trigger();
    ok = SaveWindow(Child<qv::TOptionsForm>(program), folder, "qv-matrix-options.png") && ok;
    Child<qv::TOptionsForm>(program).reject();

    // Its bar stands where it is put; hidden, it deletes itself.
    auto* splash = new qv::TSplashForm([](int, std::function<void()>) {});
    splash->show();
    splash->advance(1152);
    ok = SaveWindow(*splash, folder, "qv-matrix-splash.png") && ok;
    splash->finish();
    return ok;
}

// The screen grab holding a whole-screen capture of the instrument.
bool SaveScreenGrab(qv::MatrixApplication& program, const QString& folder)
{
    program.mainForm().action("mnuScreenGrab")->trigger();
    qv::TfrmSCG& grab = program.screenGrab();
    grab.findChild<QAction*>("mnuUploadLCD")->trigger();
    const bool ok = SaveWindow(grab, folder, "qv-matrix-screen-grab.png");
    grab.close();
    return ok;
}

// The installation window halfway through the example software package.
bool SaveInstallation(qv::MatrixApplication& program, qv::sim::VirtualInstrument& sim, const QString& folder)
{
    qv::TInstallForm& install = program.installation();
    // A fixed path, so that the picture does not show where the tree lies.
    const QString packages = QDir::temp().filePath(QStringLiteral("Packages"));
    QDir().mkpath(packages);
    const QString package = QDir(packages).filePath(QStringLiteral("RVT120S-5.40.CDP"));
    QFile::remove(package);
    if (!QFile::copy(QStringLiteral(QV_EXAMPLES_DIR "/software-blocks.CDP"), package))
        return false;
    // The pump keeps its hook after this returns: the hook owns what it sets.
    auto saved = std::make_shared<std::optional<bool>>();
    sim.pump.add([saved, &install, &sim, folder] {
        if (!*saved && install.isVisible() && sim.instrument.blockWrites() >= 4) {
            QApplication::processEvents();
            *saved = SaveWindow(install, folder, "qv-matrix-install.png");
        }
    });
    QTimer::singleShot(0, [&] {
        install.findChild<QCheckBox*>("BackupCheck")->setChecked(false);
        install.findChild<QLineEdit*>("SourceFileName")->setText(package);
        install.findChild<QPushButton*>("Execute")->click();
    });
    program.mainForm().action("mnuInstallSoftware")->trigger();
    QFile::remove(package);
    return saved->value_or(false);
}

} // namespace

int main(int argc, char** argv)
{
    qv::screenshots::UseOffscreenPlatform();
    QApplication app(argc, argv);
    const QString folder = qv::screenshots::PictureFolder(argc, argv);

    // Settings of its own, so a user's are neither read nor changed.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    qputenv("XDG_DATA_HOME", settings.path().toUtf8());
    qputenv("XDG_RUNTIME_DIR", settings.path().toUtf8());
    QDir(settings.path()).mkpath("QV-Matrix");
    QFile ini(settings.filePath("QV-Matrix/QV-Matrix.INI"));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Settings]\nComInterface=SIM\nCheckFileAssociation=0\nDebug=1\n") < 0)
        return 1;
    ini.close();

    qv::sim::VirtualInstrument sim;
    qv::ClockTimer timer(sim.clock);
    sim.pump.add([&] { timer.poll(); });
    auto idle = [&](int ms) {
        for (int t = 0; t < ms; t += 10) {
            sim.pump.pump();
            sim.clock.sleepMs(10);
        }
    };
    qv::MatrixCommandLine line;
    line.simulator = true;
    const qv::StartTimer startTimer = [&](int ms, std::function<void()> action) { timer.start(ms, std::move(action)); };
    qv::MatrixApplication program(line, {sim.clock, sim.pump, sim.prompter, sim.port, {"SIM"}, startTimer});
    if (!program.start())
        return 1;
    qv::TMainForm& form = program.mainForm();
    qv::MatrixGrid& grid = program.grid();
    form.action("mnuUpload")->trigger();
    // A few labels of a studio, so the picture reads like one.
    const char* outputs[] = {"PGM", "PGM", "AUX", "AUX", "MON", "MON", "CUE", "CUE"};
    for (int n = 1; n <= 8; ++n)
        program.image().setOutputLabel(n, outputs[n - 1]);
    grid.rebuild();
    QApplication::processEvents();
    bool ok = Save(Picture(form), folder, "qv-matrix-main.png");

    // Outputs 3 to 6 selected, their popup open.
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, grid.outputLabelRect(2).center());
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, grid.outputLabelRect(5).center());
    grid.setPopupRunner([&](QMenu& menu, const QPoint& at) {
        menu.popup(at);
        QApplication::processEvents();
        ok = Save(Picture(form, &menu), folder, "qv-matrix-popup.png") && ok;
        menu.close();
        return nullptr;
    });
    QTest::mouseClick(&grid, Qt::RightButton, {}, grid.outputLabelRect(4).center());

    grid.setGridPos(12, 20);
    QApplication::processEvents();
    ok = Save(Picture(form), folder, "qv-matrix-scrolled.png") && ok;
    ok = SaveOptionWindows(program, folder) && ok;
    ok = SaveScreenGrab(program, folder) && ok;
    ok = SaveInstallation(program, sim, folder) && ok;

    // The option dialogs, each as it opens on preset 1.
    const char* picture = nullptr;
    program.optionDialogs().setDialogRunner([&](QDialog& dialog) {
        dialog.show();
        QApplication::processEvents();
        ok = Save(dialog.grab().toImage(), folder, picture) && ok;
        dialog.hide();
        return int(QDialog::Rejected);
    });
    program.image().setPresetName(0, "Studio A");
    const char* scales[] = {"PPM ", "DIN ", "NORD", "VU  ", "DIG ", "LEQ ", "TP  "};
    for (int k = 0; k < 7; ++k)
        program.image().writeText(0x0500 + k * 0x100, scales[k], 2);
    const int ppm = program.image().addressTable().PPMOptionBaseAdr;
    for (int c : {3, 4})
        program.image().setWord(ppm + 2 * c, 0x4652); // yellow bars, aqua trace, red underload
    const std::pair<const char*, const char*> entries[] = {
        {"mnuPresetOptions", "qv-matrix-preset-options.png"}, {"mnuLCDOptions", "qv-matrix-lcd-options.png"},
        {"mnuLeqOptions", "qv-matrix-leqm-options.png"},       {"mnuScaleOptions", "qv-matrix-scale-options.png"},
        {"mnuLockCode", "qv-matrix-lock-code.png"},
    };
    for (const auto& [entry, name] : entries) {
        picture = name;
        form.action(entry)->trigger();
    }
    picture = "qv-matrix-ppm-options.png";
    emit grid.ppmOptionsRequested(3, {3, 4}, {3, 4});
    picture = "qv-matrix-phase-options.png";
    emit grid.phaseOptionsRequested({55});
    picture = "qv-matrix-gain.png";
    emit grid.groupGainRequested(qv::GroupAnalogue, -35, {33, 34});

    // QV-Scale on our default library: the 60 dB scale and its preview.
    form.action("mnuQVScale")->trigger();
    qv::TQVScaleForm& editor = program.scaleEditor();
    auto* scaleList = editor.findChild<QComboBox*>("ScaleNoEdit");
    scaleList->setCurrentIndex(1);
    emit scaleList->activated(1);
    QApplication::processEvents();
    ok = Save(editor.grab().toImage(), folder, "qv-matrix-scale-editor.png") && ok;
    editor.close();

    // Remote control: the instrument's labels and routing, two crosspoints
    // changed at its front panel (local icons, reload declined) and one
    // from the grid (remote icon).
    grid.setGridPos(0, 0);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, grid.outputLabelRect(0).center()); // no selection
    for (int n = 1; n <= 8; ++n)
        PokeOutputLabel(sim.instrument, n, outputs[n - 1]);
    sim.prompter.queueAnswer(qv::Answer::No); // the uploaded image's changes
    form.action("mnuConnect")->trigger();
    idle(2000);
    qv::sim::FrontPanel panel(sim.instrument, sim.clock);
    for (auto [output, input] : {std::pair{2, 6}, std::pair{5, 9}}) {
        sim.prompter.queueAnswer(qv::Answer::No);
        panel.route(output, input);
        idle(300);
    }
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, grid.cellRect(11, 3).center());
    idle(300);
    QApplication::processEvents();
    ok = Save(Picture(form), folder, "qv-matrix-remote.png") && ok;
    ok = qv::screenshots::SaveHelpPicture(QUrl(qv::kMatrixHelpPage), qv::HelpTopic::Options, folder,
                                          "qv-matrix-help-viewer.png", "matrix-screenshots") &&
         ok;

    // The theme, a service function of debug mode in remote control.
    program.debugMode().set(true);
    picture = "qv-matrix-theme.png";
    form.findChild<QAction*>("actTheme")->trigger();
    return ok ? 0 : 1;
}
