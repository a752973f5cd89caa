// Full repaints of the routing grid, offscreen: the visible grid at the
// main window's default size and at full HD, rendered into a QImage.
#include "config/config_image.h"
#include "matrix/ui/matrix_grid.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kRepeats = 50;

qv::ConfigImage BenchImage()
{
    qv::ConfigImage image;
    image.setImageVersion(0x0530);
    for (int n = 1; n <= qv::kInputCount; ++n)
        image.setInputLabel(0, n, "IN" + std::to_string(n));
    for (int n = 1; n <= 64; ++n)
        image.setOutputLabel(n, "OU" + std::to_string(n));
    for (int o = 0; o < qv::kOutputCount; ++o)
        image.setSource(0, o, (o * 7) % qv::kInputCount);
    return image;
}

void Measure(qv::MatrixGrid& grid, const QSize& size)
{
    grid.resize(size);
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    grid.render(&target); // warm up fonts and pixmaps
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < kRepeats; ++k)
        grid.render(&target);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() / kRepeats;
    std::printf("grid repaint %4dx%-4d  %2d x %2d cells  %7.2f ms per repaint\n", size.width(), size.height(),
                grid.visibleColumns(), grid.visibleRows(), ms);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qv::ConfigImage image = BenchImage();
    qv::ScriptedPrompter prompter;
    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::MatrixGrid grid(image, prompter, clock, pump);
    grid.rebuild();
    grid.showImage(true);
    Measure(grid, QSize(656, 487));
    Measure(grid, QSize(1920, 1080));
    return 0;
}
