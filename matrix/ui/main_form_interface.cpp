#include "main_form.h"

#include "interface_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace qv {

namespace {

// Port names are shown as they are; "&" would become a mnemonic.
QString caption(const std::string& name)
{
    return QString::fromStdString(name).replace('&', "&&");
}

} // namespace

void TMainForm::buildInterfaceMenu(const std::vector<std::string>& ports)
{
    mnuInterface->clear();
    delete interfaceGroup_;
    interfaceGroup_ = new QActionGroup(this);
    interfaceGroup_->setExclusive(true);

    const InterfaceMenuModel model =
        BuildInterfaceMenuModel(ports, !settings_.extCmd.trimmed().isEmpty(), settings_.comInterface);
    QList<QAction*> entries;
    for (size_t i = 0; i < model.ports.size(); ++i) {
        QAction* entry = mnuInterface->addAction(caption(model.ports[i]));
        entry->setObjectName(QStringLiteral("mnuPort%1").arg(i + 1));
        entry->setData(QString::fromStdString(model.ports[i]));
        entries << entry;
    }
    if (model.external) {
        if (!model.ports.empty())
            mnuInterface->addSeparator();
        QAction* entry = mnuInterface->addAction(kExternalCommandCaption);
        entry->setObjectName("mnuExternalCommand");
        entry->setData(QString(kExtInterfaceName));
        entries << entry;
    }
    for (QAction* entry : entries) {
        entry->setCheckable(true);
        interfaceGroup_->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, entry] { chooseInterface(entry); });
    }
    if (model.empty()) {
        QAction* none = mnuInterface->addAction(kNoPortsCaption);
        none->setObjectName("mnuNoPorts");
        none->setEnabled(false);
    }

    if (model.missing()) {
        applyInterface({});
        prompter_.information(MissingPortText(settings_.comInterface.trimmed().toStdString()));
        return;
    }
    QAction* marked = entries[model.marked];
    marked->setChecked(true);
    applyInterface({model.externalMarked() ? InterfaceChoice::Kind::Ext : InterfaceChoice::Kind::Serial,
                    marked->data().toString()});
}

void TMainForm::chooseInterface(QAction* entry)
{
    entry->setChecked(true);
    const QString name = entry->data().toString();
    applyInterface({name == kExtInterfaceName ? InterfaceChoice::Kind::Ext : InterfaceChoice::Kind::Serial, name});
    emit interfaceChosen(name);
}

void TMainForm::applyInterface(const InterfaceChoice& choice)
{
    interface_ = choice;
    setField(MainField::Port, choice.name);
    if (choice.kind == InterfaceChoice::Kind::Ext) {
        setField(MainField::Connection, {});
        setField(MainField::Serial, {});
        enable(MainCommand::Upload, true);
        enable(MainCommand::Restart, true);
    }
}

QString TMainForm::portDisplayName() const
{
    const QString port = field(MainField::Port);
    return port.isEmpty() ? settings_.comInterface.trimmed() : port;
}

} // namespace qv
