// Renders QV-Update as a user sees it, against the in-process simulated
// instrument with its I/O-interface and expansion modules, into PNG files:
// the start page after connecting, the file page after a DSP file went in,
// the HELP page, the page while an XSVF image goes to the mainboard FPGA,
// the module selection, the flash read page, the PRE page with a preset
// file's information, the advanced menu and the package page while a
// package goes in. Run offscreen; see `make screenshots`.
#include "apps/qv-update/host_machine.h"
#include "apps/qv-update/update_application.h"
#include "config/config_file.h"
#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "screenshot_support.h"
#include "sim/default_memory.h"
#include "sim/fpga_image.h"
#include "sim/io_module_options.h"
#include "sim/virtual_instrument.h"
#include "updater/xsvf.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

// The banner comes to rest as it would with its timer running.
void SettleBanner(qv::TfrmMain& form)
{
    for (int tick = 0; tick < qv::BannerAnimation::kCounts && form.banner()->spinning(); ++tick)
        form.banner()->tmrSpinTimer();
}

bool Save(qv::TfrmMain& window, const QString& folder, const char* name)
{
    SettleBanner(window);
    QApplication::processEvents();
    return qv::screenshots::SavePicture(window.grab().toImage(), folder, name, "update-screenshots");
}

void Click(qv::TfrmMain& form, const char* name)
{
    QTest::mouseClick(form.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
}

void Type(qv::TfrmMain& form, const QString& text)
{
    auto* box = form.findChild<QLineEdit*>(QStringLiteral("editFilename"));
    box->clear();
    QTest::keyClicks(box, text);
}

qv::UpdateServices Services(qv::sim::VirtualInstrument& sim)
{
    // An update server is set, so that the link shows as it does for users
    // with one; nothing is asked.
    return {sim.clock, sim.pump, sim.prompter, sim.port, [] { return std::vector<std::string>{}; }, {},
            "http://127.0.0.1/"};
}

// A preset file as QV-Matrix saves it: the simulated instrument's
// configuration with a few names of a studio's own.
bool WritePresetFile(const QString& path)
{
    const std::vector<uint8_t> memory = qv::sim::defaultMemory(qv::SimulatedInstrumentOptions());
    qv::ConfigImage::Bytes bytes;
    std::copy_n(memory.begin() + qv::sim::kConfigImage, bytes.size(), bytes.begin());
    qv::IdentityTrailer trailer;
    trailer.serial = 12345;
    trailer.type = 5;
    trailer.version = 0x0530;
    trailer.extendedBiosVersion = 0x0001;
    trailer.hardwareId = 0x0003;
    qv::ConfigImage image;
    image.replace(bytes, trailer);
    const char* presets[] = {"Studio A", "Studio B", "OB Van", "Edit Suite"};
    for (int p = 0; p < 4; ++p)
        image.setPresetName(p, presets[p]);
    const char* scales[] = {"PPM ", "DIN ", "NORD", "VU  ", "DIG ", "LEQ ", "TP  "};
    for (int k = 0; k < 7; ++k)
        image.writeText(qv::ScaleSlotOffset(k), scales[k], 2);
    const std::vector<uint8_t> file = qv::EncodePresetFile(image.bytes(), image.trailer());
    QFile out(path);
    return out.open(QIODevice::WriteOnly) &&
           out.write(reinterpret_cast<const char*>(file.data()), qint64(file.size())) == qint64(file.size());
}

// A fixed folder, so that the pictures come out the same every time.
QString UpdateFiles()
{
    const QString files = QDir::temp().filePath(QStringLiteral("Updates"));
    QDir().mkpath(files);
    return files;
}

bool WriteBytes(const QString& path, const char* data, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data, size) == size;
}

// The start page after connecting with the mainboard's details open, the
// HELP page, the read page with its fields filled in, and the PRE page with
// a preset file's information, its origin opened.
bool StartPages(const qv::UpdateCommandLine& line, const QString& folder)
{
    qv::sim::VirtualInstrument sim(qv::SimulatedInstrumentOptions());
    qv::UpdateApplication program(line, Services(sim));
    program.start();
    qv::TfrmMain& form = program.mainForm();
    Click(form, "btnOpen");
    auto* tree = form.findChild<QTreeWidget*>(QStringLiteral("sysTree"));
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->text(0) == QStringLiteral("Hardware.") || (*it)->text(0) == QStringLiteral("Mainboard."))
            (*it)->setExpanded(true);
    bool ok = Save(form, folder, "qv-update-start.png");

    Click(form, "btnNext");
    Type(form, QStringLiteral("HELP"));
    ok = Save(form, folder, "qv-update-help.png") && ok;

    Type(form, QStringLiteral("RVT/R"));
    form.findChild<QLineEdit*>(QStringLiteral("txtFlashFile"))->setText(QStringLiteral("/home/service/flash/config"));
    form.findChild<QLineEdit*>(QStringLiteral("txtFlashAddr"))->setText(QStringLiteral("$1C000"));
    form.findChild<QLineEdit*>(QStringLiteral("txtFlashSectorCount"))->setText(QStringLiteral("128"));
    ok = Save(form, folder, "qv-update-read.png") && ok;

    const QString presetFolder = QDir::temp().filePath(QStringLiteral("Presets"));
    QDir().mkpath(presetFolder);
    const QString preset = QDir(presetFolder).filePath(QStringLiteral("Studio-A.PRE"));
    if (!WritePresetFile(preset))
        return false;
    Type(form, preset);
    auto* presetTree = form.findChild<QTreeWidget*>(QStringLiteral("PresetTree"));
    presetTree->topLevelItem(0)->child(0)->setExpanded(true);
    ok = Save(form, folder, "qv-update-preset.png") && ok;
    QFile::remove(preset);
    return ok;
}

// The file page once a DSP file went in, block by block: the module's flash
// is not asked for (as with /NOSPI), so the fast path stays out.
bool FilePage(const qv::UpdateCommandLine& line, const QString& folder)
{
    qv::sim::VirtualInstrument blocks(qv::SimulatedInstrumentOptions());
    qv::UpdateApplication program(line, Services(blocks));
    program.start();
    qv::TfrmMain& form = program.mainForm();
    program.core().io.spiDisabled = true;
    program.core().wizard.quiet = true; // no question to answer
    Click(form, "btnOpen");
    const QString dsp = QDir(UpdateFiles()).filePath(QStringLiteral("DSP-5.40.380"));
    if (!WriteBytes(dsp, QByteArray(16384, '\x5A').constData(), 16384))
        return false;
    Click(form, "btnNext");
    Type(form, dsp);
    Click(form, "btnNext");
    const bool ok = Save(form, folder, "qv-update-file.png");
    QFile::remove(dsp);
    return ok;
}

// The file page while an XSVF image goes to the mainboard FPGA, taken from
// inside the job once the image itself is on its way; then the module
// selection for an 8-ANA input image over the same window.
bool FpgaPages(const qv::UpdateCommandLine& line, const QString& folder)
{
    qv::sim::VirtualInstrument board(qv::SimulatedInstrumentOptions());
    qv::UpdateApplication program(line, Services(board));
    program.start();
    qv::TfrmMain& form = program.mainForm();
    program.core().wizard.quiet = true;
    Click(form, "btnOpen");
    const QString xsvf = QDir(UpdateFiles()).filePath(QStringLiteral("Mainboard-FPGA.xsvf"));
    const auto bytes =
        qv::xsvf::Encode(qv::sim::fpgaConfigurationProgram(qv::sim::kVp20Idcode, std::vector<uint8_t>(40000, 0x3C), 512));
    if (!WriteBytes(xsvf, reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())))
        return false;
    auto* status = form.findChild<QLabel*>(QStringLiteral("pnlInfo"));
    bool ok = true;
    bool taken = false;
    board.pump.add([&] {
        if (taken || status->text() != QStringLiteral("FPGA Programming in Progress..."))
            return;
        auto* bar = form.findChild<QProgressBar*>(QStringLiteral("ProgressBar"));
        if (bar->value() * 3 < bar->maximum())
            return;
        taken = true;
        ok = Save(form, folder, "qv-update-fpga.png");
    });
    Click(form, "btnNext");
    Type(form, xsvf);
    Click(form, "btnNext");
    ok = taken && ok;
    QFile::remove(xsvf);

    qv::TfrmModuleSelect& select = form.moduleSelectDialog();
    qv::ModuleSelection selection(0xB0, program.core().io.ReadModuleIds());
    select.Load(selection);
    select.show();
    QApplication::processEvents();
    return qv::screenshots::SavePicture(select.grab().toImage(), folder, "qv-update-module-select.png",
                                        "update-screenshots") &&
           ok;
}

// The package page in the middle of an installation: the backup taken, the
// second of two software blocks on its way, both bars moving.
bool PackagePage(const qv::UpdateCommandLine& line, const QString& folder)
{
    qv::sim::VirtualInstrument software(qv::SimulatedInstrumentOptions());
    qv::UpdateApplication program(line, Services(software));
    program.start();
    qv::TfrmMain& form = program.mainForm();
    program.core().wizard.quiet = true;
    Click(form, "btnOpen");
    qv::CdpDraft draft;
    draft.description = "RVT120S software 5.40";
    for (int part = 1; part <= 2; ++part) {
        qv::CdpDraftItem item;
        item.mask = 1u << 4;
        item.kind = qv::kCdpSoftwareBlock;
        item.address = uint32_t(part - 1) * 0x10000;
        item.description = "Writing the program (part " + std::to_string(part) + " of 2)";
        item.payload.assign(0x10000, uint8_t(0x40 + part));
        draft.items.push_back(item);
    }
    const QString files = UpdateFiles();
    const QString cdp = QDir(files).filePath(QStringLiteral("RVT120S-5.40.CDP"));
    std::string error;
    if (!qv::WriteCdp(cdp.toStdString(), draft, error))
        return false;
    auto* description = form.findChild<QLabel*>(QStringLiteral("ItemDescription"));
    auto* itemBar = form.findChild<QProgressBar*>(QStringLiteral("ItemProgress"));
    bool ok = true;
    bool installing = false;
    software.pump.add([&] {
        if (installing || !description->text().startsWith(QStringLiteral("Writing the program (part 2 of 2)")) ||
            itemBar->value() * 3 < itemBar->maximum())
            return;
        installing = true;
        ok = Save(form, folder, "qv-update-package.png");
    });
    Click(form, "btnNext");
    Type(form, cdp);
    form.findChild<QLineEdit*>(QStringLiteral("editBackupFileName"))
        ->setText(QDir(files).filePath(QStringLiteral("Backup-RVT120S")));
    Click(form, "btnNext");
    QFile::remove(cdp);
    QFile::remove(QDir(files).filePath(QStringLiteral("Backup-RVT120S.CDP")));
    return installing && ok;
}

// The advanced menu, opened from the banner once armed and attached.
bool AdvancedMenu(const qv::UpdateCommandLine& line, const QString& folder)
{
    qv::sim::VirtualInstrument serviced(qv::SimulatedInstrumentOptions());
    qv::UpdateApplication program(line, Services(serviced));
    program.start();
    qv::TfrmMain& form = program.mainForm();
    Click(form, "btnOpen");
    program.core().advanced.Arm();
    form.imgAdvancedClickDblClick();
    form.pnlBannerContextPopup(form.mapToGlobal(QPoint(150, 40)));
    qv::TAdvancedMenu* menu = form.advancedMenu();
    SettleBanner(form);
    QApplication::processEvents();
    QImage picture = form.grab().toImage();
    {
        QPainter painter(&picture);
        painter.drawPixmap(form.mapFromGlobal(menu->pos()), menu->grab());
    }
    menu->hide();
    return qv::screenshots::SavePicture(picture, folder, "qv-update-advanced.png", "update-screenshots");
}

} // namespace

int main(int argc, char** argv)
{
    qv::screenshots::UseOffscreenPlatform();
    QApplication app(argc, argv);
    const QString folder = qv::screenshots::PictureFolder(argc, argv);
    qv::UpdateCommandLine line;
    line.simulator = true;
    bool ok = StartPages(line, folder);
    ok = FilePage(line, folder) && ok;
    ok = FpgaPages(line, folder) && ok;
    ok = PackagePage(line, folder) && ok;
    ok = AdvancedMenu(line, folder) && ok;
    return ok ? 0 : 1;
}
