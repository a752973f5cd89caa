// The main window, the grid, the document and the connection together,
// against the simulated instrument on virtual time.
#include "apps/qv-matrix/main_form_view.h"
#include "matrix/config_document.h"
#include "matrix/matrix_connection.h"
#include "matrix/ui/trs232_driver.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"

#include <QAction>
#include <QComboBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct WindowBench : qv::sim::VirtualInstrument {
    WindowBench()
    {
        // The window reads its settings from a folder of the test's own.
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        form.setGridWidget(grid);
        driver = std::make_unique<qv::TRS232Driver>(port, qv::HostServices{clock, pump, prompter}, record, "SIM", "",
                                                    &form);
        connection.transferWindow = [this] { return &driver->transfer(); };
        connection.interface = qv::MatrixInterface::Serial;
    }

    ~WindowBench() { qputenv("XDG_CONFIG_HOME", oldConfig); }

    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir config;
    qv::ConfigImage image;
    qv::InstrumentRecord record;
    qv::TMainForm form{prompter};
    qv::MatrixGrid* grid = new qv::MatrixGrid(image, prompter, clock, pump, &form);
    qv::MainFormView view{form, *grid, image};
    qv::ConfigDocument document{image, view, prompter};
    qv::MatrixConnection connection{document, record, view, prompter, clock};
    std::unique_ptr<qv::TRS232Driver> driver;
};

} // namespace

TEST(MainFormView, UploadFillsThePresetListAndTheGrid)
{
    WindowBench b;
    b.connection.upload();
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{"Configuration is uploaded correctly..."});
    EXPECT_EQ(b.form.field(qv::MainField::Connection), "RVT120S");
    auto* presets = b.form.findChild<QComboBox*>("PresetDropDown");
    ASSERT_TRUE(presets);
    EXPECT_EQ(presets->count(), 11);
    EXPECT_EQ(presets->currentText(), "Preset 1 - Preset 1  ");
    EXPECT_FALSE(b.grid->isHidden());
    // The simulator routes output 1 from input 1 in preset 1.
    EXPECT_EQ(b.grid->model().sourceOf(0), 0);
    EXPECT_TRUE(b.form.commandEnabled(qv::MainCommand::SaveAs));
    EXPECT_TRUE(b.form.action("mnuCopyLabels")->isEnabled());
    EXPECT_TRUE(b.form.isEnabled());
}
