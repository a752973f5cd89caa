#include "config/config_image.h"
#include "matrix/ui/crosspoint_icons.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/matrix_grid.h"
#include "options/ui/options_form.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr char kLockedConflict[] =
    "One or more icons are set to the same icon as the icon \"Locked X-Point\", this is not allowed.";
constexpr char kGreyedConflict[] =
    "One or more icons are set to the same icon as the icon \"Illegal X-Point grayed\", this is not allowed.";
constexpr char kRestartText[] = "You should restart windows for all the changes to take effect.";

struct OptionsBench {
    QTemporaryDir config, data;
    QByteArray old[2] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME")};
    ScriptedPrompter prompter;
    VirtualClock clock;
    CallbackEventPump pump;
    ConfigImage image;
    std::unique_ptr<TMainForm> main;
    MatrixGrid* grid = nullptr;
    std::unique_ptr<TOptionsForm> form;

    OptionsBench()
    {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        main = std::make_unique<TMainForm>(prompter);
        main->fileTypes().setRefreshCaches(false);
        grid = new MatrixGrid(image, prompter, clock, pump, main.get());
        form = std::make_unique<TOptionsForm>(*main, *grid, prompter);
    }
    ~OptionsBench()
    {
        form.reset();
        main.reset();
        qputenv("XDG_CONFIG_HOME", old[0]);
        qputenv("XDG_DATA_HOME", old[1]);
    }
    template <typename T>
    T* child(const char* name) const
    {
        return form->findChild<T*>(name);
    }
    QSpinBox* spin(const char* name) const { return child<QSpinBox>(name); }
    QListWidgetItem* fileType(int row) const { return child<QListWidget>("ListFileAsc")->item(row); }
    void ok() { QTest::mouseClick(child<QPushButton>("OKButton"), Qt::LeftButton); }
    // On its box: the row is wider than the box and its caption.
    void tick(const char* name)
    {
        auto* box = child<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void cancel() { QTest::mouseClick(child<QPushButton>("CancelButton"), Qt::LeftButton); }
};

QImage ExpectedPreview(int icon)
{
    const QVector<QPixmap> icons = MakeCrosspointIcons();
    QPixmap pm(23, 23);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.drawPixmap(4, 4, icons[0]);
    p.drawPixmap(4, 4, icons[icon]);
    p.end();
    return pm.toImage();
}

TEST(OptionsForm, OpensWithTheStoredValuesAndTheRealRegistration)
{
    OptionsBench b;
    b.main->settings().matrix.doubleClick = false;
    b.main->settings().matrix.traceMouse = false;
    b.main->settings().matrix.traceColor = 0x808000;
    b.main->settings().checkFileAssociation = false;
    ASSERT_TRUE(b.main->setAssociation("MCR", true));
    b.form->showOptions();

    EXPECT_EQ(b.form->windowTitle(), "Options.");
    EXPECT_TRUE(b.form->isModal());
    EXPECT_FALSE(b.child<QCheckBox>("CheckMatrixClick")->isChecked());
    EXPECT_FALSE(b.child<QCheckBox>("CheckBoxFileAssociation")->isChecked());
    EXPECT_FALSE(b.child<QCheckBox>("CheckMouseTrace")->isChecked());
    EXPECT_EQ(b.child<QComboBox>("ColorTrace")->currentText(), "Olive");
    EXPECT_FALSE(b.child<QComboBox>("ColorTrace")->isEnabled()) << "no trace, no colour";
    EXPECT_FALSE(b.child<QLabel>("lblTraceColour")->isEnabled());
    b.tick("CheckMouseTrace");
    EXPECT_TRUE(b.child<QComboBox>("ColorTrace")->isEnabled());

    const struct {
        const char* spin;
        int value, lowest;
    } spins[] = {{"SpinXpoint", 6, 2},       {"SpinIllegalGrayed", 2, 1}, {"SpinIllegal", 3, 2},
                 {"SpinLocalXpoint", 13, 2}, {"SpinRemoteXpoint", 8, 2},  {"SpinLockedXpoint", 4, 2}};
    for (size_t k = 0; k < std::size(spins); ++k) {
        EXPECT_EQ(b.spin(spins[k].spin)->value(), spins[k].value) << spins[k].spin;
        EXPECT_EQ(b.spin(spins[k].spin)->minimum(), spins[k].lowest) << spins[k].spin;
        EXPECT_EQ(b.spin(spins[k].spin)->maximum(), 25) << spins[k].spin;
        EXPECT_EQ(b.form->preview(int(k)), ExpectedPreview(spins[k].value)) << spins[k].spin;
    }
    const char* captions[] = {"Configuration Files (*.PRE)", "Macro Files (*.MCR)",
                              "Compiled Distribution Packages (*.CDP)"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(b.fileType(row)->text(), captions[row]);
        EXPECT_EQ(b.fileType(row)->checkState(), row == 1 ? Qt::Checked : Qt::Unchecked) << captions[row];
    }
    EXPECT_FALSE(b.form->iconsChanged());
    EXPECT_FALSE(b.form->fileTypesTouched());

    b.spin("SpinIllegalGrayed")->setValue(0);
    EXPECT_EQ(b.spin("SpinIllegalGrayed")->value(), 1) << "the greyed icon may be the plain box";
    b.spin("SpinXpoint")->setValue(1);
    EXPECT_EQ(b.spin("SpinXpoint")->value(), 2);
    EXPECT_TRUE(b.form->iconsChanged());
    EXPECT_EQ(b.form->preview(0), ExpectedPreview(2));
}

TEST(OptionsForm, OkStoresTheChoicesAppliesThemToTheGridAndLeavesTheFileTypesAlone)
{
    OptionsBench b;
    b.grid->setSettings(b.main->settings().matrix);
    b.image.setSource(0, 0, 4); // output 1 takes input 5, shown with the off-line icon
    b.grid->rebuild();
    ASSERT_EQ(b.grid->model().cell(4, 0), 6);
    b.form->showOptions();
    b.tick("CheckMatrixClick");
    b.tick("CheckBoxFileAssociation");
    b.spin("SpinXpoint")->setValue(9);
    b.spin("SpinLocalXpoint")->setValue(8);
    b.spin("SpinRemoteXpoint")->setValue(13);
    auto* colours = b.child<QComboBox>("ColorTrace");
    colours->setCurrentIndex(colours->findText("Teal"));
    b.ok();

    EXPECT_FALSE(b.form->isVisible());
    const MatrixSettings& s = b.main->settings();
    EXPECT_FALSE(s.matrix.doubleClick);
    EXPECT_FALSE(s.checkFileAssociation);
    EXPECT_EQ(s.matrix.xpointFromFile, 9);
    EXPECT_EQ(s.matrix.localXpoint, 8);
    EXPECT_EQ(s.matrix.remoteXpoint, 13);
    EXPECT_EQ(s.matrix.illegalXpointGreyed, 2);
    EXPECT_EQ(s.matrix.traceColor, 0x008080u);
    EXPECT_TRUE(s.matrix.traceMouse);
    EXPECT_EQ(b.grid->settings().xpointFromFile, 9) << "the grid has them at once";
    EXPECT_FALSE(b.grid->settings().doubleClick);
    EXPECT_EQ(b.grid->model().cell(4, 0), 9) << "the routed cell follows its icon";
    EXPECT_TRUE(b.prompter.shown().empty()) << "no restart note without file types touched";
    for (const QString& ext : FileTypeRegistry::extensions())
        EXPECT_FALSE(b.main->isAssociated(ext));
}

TEST(OptionsForm, SharedGreyedOrLockedIconsKeepTheDialogOpenWithTheFirstConflictOnly)
{
    const struct {
        const char* name;
        std::vector<std::pair<const char*, int>> spins;
        const char* message;
    } cases[] = {
        {"local as locked", {{"SpinLocalXpoint", 4}}, kLockedConflict},
        {"and off-line as greyed", {{"SpinLocalXpoint", 4}, {"SpinXpoint", 2}}, kGreyedConflict},
    };
    for (const auto& c : cases) {
        OptionsBench b;
        b.form->showOptions();
        for (auto [spin, value] : c.spins)
            b.spin(spin)->setValue(value);
        b.ok();
        EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(b.prompter.shown()[0].kind, MessageKind::Error) << c.name;
        EXPECT_TRUE(b.form->isVisible()) << c.name;
        EXPECT_EQ(b.main->settings().matrix.localXpoint, 13) << c.name << ": nothing stored";
        EXPECT_EQ(b.spin("SpinLocalXpoint")->value(), 4) << c.name << ": the choices stay";
    }
}

TEST(OptionsForm, CancelKeepsEverythingAndTickedTypesAreRegisteredOnOk)
{
    OptionsBench b;
    b.form->showOptions();
    b.spin("SpinLockedXpoint")->setValue(20);
    b.fileType(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(b.form->fileTypesTouched());
    b.cancel();
    EXPECT_EQ(b.main->settings().matrix.lockedXpoint, 4);
    EXPECT_FALSE(b.main->isAssociated("PRE"));

    b.form->showOptions();
    EXPECT_EQ(b.spin("SpinLockedXpoint")->value(), 4) << "the stored value again";
    EXPECT_EQ(b.fileType(0)->checkState(), Qt::Unchecked) << "the real registration again";
    EXPECT_FALSE(b.form->fileTypesTouched());

    b.fileType(0)->setCheckState(Qt::Checked);
    b.fileType(2)->setCheckState(Qt::Checked);
    b.ok();
    EXPECT_TRUE(b.main->isAssociated("PRE"));
    EXPECT_FALSE(b.main->isAssociated("MCR"));
    EXPECT_TRUE(b.main->isAssociated("CDP"));
    EXPECT_EQ(b.prompter.texts(), std::vector<std::string>{kRestartText});

    // Unticking takes a registration away again.
    b.prompter.clearShown();
    b.form->showOptions();
    EXPECT_EQ(b.fileType(2)->checkState(), Qt::Checked);
    b.fileType(2)->setCheckState(Qt::Unchecked);
    b.ok();
    EXPECT_FALSE(b.main->isAssociated("CDP"));
    EXPECT_TRUE(b.main->isAssociated("PRE"));

    QTest::mouseClick(b.child<QPushButton>("HelpButton"), Qt::LeftButton);
    EXPECT_EQ(b.prompter.helpTopics(), std::vector<HelpTopic>{HelpTopic::Options});
}

} // namespace
} // namespace qv
