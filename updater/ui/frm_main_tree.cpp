// sysTree: the search and connection messages, then the system
// information, with its context menu and the clipboard.
#include "frm_main.h"

#include "platform/host/file_io.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>

namespace qv {

namespace {

constexpr int kIconSize = 12;

// The status image list: success, error, warning and the initial line.
QIcon StatusIcon(int index)
{
    QColor colour;
    switch (index) {
    case kIconSuccess:
        colour = QColor(0x2e, 0x9d, 0x3a);
        break;
    case kIconError:
        colour = QColor(0xd0, 0x21, 0x21);
        break;
    case kIconWarning:
        colour = QColor(0xe8, 0xa3, 0x17);
        break;
    case kIconDisconnected:
        colour = QColor(0x8a, 0x8a, 0x8a);
        break;
    default:
        return {};
    }
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(130));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1, 1, kIconSize - 2, kIconSize - 2));
    return QIcon(pixmap);
}

void AddItem(QTreeWidgetItem* item, const TreeNode& node, bool icons)
{
    item->setText(0, QString::fromStdString(node.text));
    if (icons && node.icon != kIconNone)
        item->setIcon(0, StatusIcon(node.icon));
    for (const TreeNode& child : node.children)
        AddItem(new QTreeWidgetItem(item), child, icons);
    item->setExpanded(node.expanded);
}

void FillTree(QTreeWidget* widget, const StatusTree& tree)
{
    widget->clear();
    widget->setIconSize(tree.icons ? QSize(kIconSize, kIconSize) : QSize(0, 0));
    for (const TreeNode& line : tree.lines)
        AddItem(new QTreeWidgetItem(widget), line, tree.icons);
}

// The default extension of the save dialog.
std::string WithExtension(const std::string& path, const char* extension)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return path;
    return path + "." + extension;
}

} // namespace

void TfrmMain::createTreeMenu()
{
    mnuSysTreePopup = new QMenu(this);
    mnuSysTreePopup->setObjectName(QStringLiteral("mnuSysTreePopup"));
    const auto add = [this](const char* name, const char* text, void (TfrmMain::*handler)()) {
        QAction* action = mnuSysTreePopup->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    add("mnuExpandAll", "Expand All", &TfrmMain::mnuExpandAllClick);
    add("mnuCollapseAll", "Collapse All", &TfrmMain::mnuCollapseAllClick);
    mnuSysTreePopup->addSeparator();
    add("mnuSaveInfo", "Save information to file...", &TfrmMain::mnuSaveInfoClick);
}

void TfrmMain::showStatusTree(const StatusTree& tree, bool scrollToEnd)
{
    tree_ = tree;
    fillTree();
    if (scrollToEnd && sysTree->topLevelItemCount() > 0)
        sysTree->scrollToItem(sysTree->topLevelItem(sysTree->topLevelItemCount() - 1));
    // The user sees each line as it comes while a search or connect runs.
    sysTree->viewport()->update();
}

void TfrmMain::fillTree()
{
    FillTree(sysTree, tree_);
}

void TfrmMain::showPresetTree(const StatusTree& tree)
{
    FillTree(PresetTree, tree);
}

void TfrmMain::mnuExpandAllClick()
{
    sysTree->expandAll();
}

void TfrmMain::mnuCollapseAllClick()
{
    sysTree->collapseAll();
    if (sysTree->topLevelItemCount() > 0)
        sysTree->topLevelItem(0)->setExpanded(true);
}

void TfrmMain::mnuSaveInfoClick()
{
    const auto chosen = prompter_.saveFile("Save As", "Text Files (*.TXT)|*.TXT|All Files (*.*)|*.*", "");
    if (!chosen)
        return;
    const std::string path = WithExtension(*chosen, "TXT");
    const std::string text = SystemInformationFileText(tree_, programVersion_);
    std::string error;
    if (!WriteFileAtomically(path, {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, error)) {
        prompter_.error("The file \"" + path + "\" could not be created.\r\r" + error);
        return;
    }
    prompter_.information("The file \"" + path + "\" was succesfully created.");
}

void TfrmMain::CopyTreeToClipboard()
{
    // The host's line breaks, so the text pastes as lines.
    QString text = QString::fromStdString(SystemInformationClipboardText(tree_));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QApplication::clipboard()->setText(text);
}

} // namespace qv
