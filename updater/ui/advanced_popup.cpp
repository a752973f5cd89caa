#include "advanced_popup.h"

#include <functional>

namespace qv {

TAdvancedMenu::TAdvancedMenu(AdvancedMenu& menu, QWidget* parent) : QMenu(parent), menu_(menu)
{
    setObjectName(QStringLiteral("mnuPop"));
    items_[AdvancedItem::ReadVersion] = Add(this, "mnuPopVer", "Read Version String", &AdvancedMenu::mnuPopVerClick);
    addSeparator();
    items_[AdvancedItem::TransparentMode] =
        Add(this, "mnuPopTransMode", "Set Transparent Mode", &AdvancedMenu::mnuPopTransModeClick);
    items_[AdvancedItem::CommandMode] =
        Add(this, "mnuPopCMDMode", "Set Command Mode", &AdvancedMenu::mnuPopCMDModeClick);
    addSeparator();
    items_[AdvancedItem::BootCode] = Add(this, "mnuPopBoot", "Execute BOOT-Code", &AdvancedMenu::mnuPopBootClick);
    items_[AdvancedItem::RunCode] = Add(this, "mnuPopRun", "Execute RUN-Code", &AdvancedMenu::mnuPopRunClick);
    addSeparator();
    QAction* loaderDisable = Add(this, "mnuPopFPGALoaderDisable", "Disable FPGA-Loader Installation",
                                 &AdvancedMenu::mnuPopFPGALoaderDisableClick);
    loaderDisable->setCheckable(true);
    items_[AdvancedItem::FpgaLoaderDisable] = loaderDisable;
    items_[AdvancedItem::FpgaLoader] =
        Add(this, "mnuPopFPGALoader", "Install FPGA Loader", &AdvancedMenu::mnuPopFPGALoaderClick);
    items_[AdvancedItem::FpgaType] = Add(this, "GetFPGAType1", "Show FPGA Type", &AdvancedMenu::GetFPGAType1Click);
    items_[AdvancedItem::EraseFlash] = Add(this, "mnuPopErase", "Erase I/O Flash", &AdvancedMenu::mnuPopEraseClick);
    addSeparator();
    items_[AdvancedItem::Restart] =
        Add(this, "mnuPopRestart", "Restart Instrument", &AdvancedMenu::mnuPopRestartClick);
    items_[AdvancedItem::PressKey] = AddKeys()->menuAction();
    addSeparator();
    items_[AdvancedItem::SpiUartDestination] = AddSpiUartDestinations()->menuAction();
    items_[AdvancedItem::SpiModuleIds] =
        Add(this, "GetSPIModules1", "Show SPI Module ID's", &AdvancedMenu::GetSPIModules1Click);
    items_[AdvancedItem::WriteModules] =
        Add(this, "WritedatatoModules1", "Write data to SPI Modules", &AdvancedMenu::WritedatatoModules1Click);
    addSeparator();
    items_[AdvancedItem::CreateLabel] = Add(this, "mnuPopCreateLabel", "Create Instrument Label", nullptr);
    items_[AdvancedItem::CreateLabel]->setToolTip(
        QStringLiteral("Creating instrument labels is not available in this version of QV-Update."));
    setToolTipsVisible(true);

    connect(this, &QMenu::aboutToShow, this, &TAdvancedMenu::mnuPopPopup);
    mnuPopPopup();
}

QAction* TAdvancedMenu::Add(QMenu* into, const char* name, const char* caption, void (AdvancedMenu::*handler)())
{
    QAction* action = into->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (!handler)
        return action;
    const std::function<void()> run = std::bind(handler, &menu_);
    connect(action, &QAction::triggered, this, [this, run] {
        run();
        // The check mark follows the flag, whoever changed it.
        items_.at(AdvancedItem::FpgaLoaderDisable)->setChecked(menu_.fpgaLoaderDisabled());
    });
    return action;
}

QMenu* TAdvancedMenu::AddKeys()
{
    QMenu* keys = addMenu(QStringLiteral("Press Instrument Key"));
    keys->setObjectName(QStringLiteral("mnuPopWriteKeyboard"));
    keys->menuAction()->setObjectName(QStringLiteral("mnuPopWriteKeyboard"));
    for (int key = 1; key <= AdvancedMenu::kKeys; ++key) {
        QAction* action = keys->addAction(QStringLiteral("Key %1").arg(key));
        action->setObjectName(QStringLiteral("mnuPopKey%1").arg(key));
        action->setData(key);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + key - 1)));
        connect(action, &QAction::triggered, this, [this, key] { menu_.mnuPopKeyClick(key); });
    }
    return keys;
}

QMenu* TAdvancedMenu::AddSpiUartDestinations()
{
    QMenu* destinations = addMenu(QStringLiteral("Set SPI Uart Destination"));
    destinations->setObjectName(QStringLiteral("mnuPopSetSPIUartDest"));
    destinations->menuAction()->setObjectName(QStringLiteral("mnuPopSetSPIUartDest"));
    const auto add = [&](const QString& name, const QString& caption, int destination) {
        QAction* action = destinations->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this,
                [this, destination] { menu_.mnuPopSetSPIUartDestClick(destination); });
    };
    add(QStringLiteral("DSP1"), QStringLiteral("DSP"), AdvancedMenu::kDspDestination);
    for (int slot = 1; slot <= IoInterface::kSlots; ++slot)
        add(QStringLiteral("mnuPopSetSPIUartDest%1").arg(slot), QStringLiteral("Slot #%1").arg(slot), slot);
    return destinations;
}

void TAdvancedMenu::mnuPopPopup()
{
    menu_.mnuPopPopup();
    for (auto [which, action] : items_)
        action->setEnabled(menu_.enabled(which));
    items_.at(AdvancedItem::FpgaLoaderDisable)->setChecked(menu_.fpgaLoaderDisabled());
}

} // namespace qv
