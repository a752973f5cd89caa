#include "dropped_files_form.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QAction* popupEntry(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

} // namespace

QStringList LocalFiles(const QMimeData* mime)
{
    QStringList out;
    if (mime)
        for (const QUrl& url : mime->urls())
            if (url.isLocalFile())
                out << url.toLocalFile();
    return out;
}

DroppedFileList::DroppedFileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void DroppedFileList::moveEntry(int from, int to)
{
    if (from < 0 || from >= count())
        return;
    if (to < 0 || to >= count())
        to = count() - 1;
    if (from == to)
        return;
    QListWidgetItem* item = takeItem(from);
    insertItem(to, item);
    setCurrentItem(item);
}

void DroppedFileList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->source() == this || event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void DroppedFileList::dragMoveEvent(QDragMoveEvent* event)
{
    QListWidget::dragMoveEvent(event);
    if (event->source() == this || event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void DroppedFileList::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        const QStringList files = LocalFiles(event->mimeData());
        event->acceptProposedAction();
        if (!files.isEmpty())
            emit filesDropped(files);
        return;
    }
    const QModelIndex at = indexAt(event->position().toPoint());
    moveEntry(currentRow(), at.isValid() ? at.row() : count());
    // The move is done here: a copy action keeps the view from removing
    // the dragged entry afterwards.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

TDroppedFilesForm::TDroppedFilesForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("DroppedFilesForm");
    setWindowTitle("Files dropped from the explorer.");
    setModal(false);
    setAcceptDrops(true);
    resize(460, 300);

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->addTab(buildPresetPage(), "Presets");
    PageControl->addTab(buildMacroPage(), "Macros");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl);
}

QWidget* TDroppedFilesForm::buildPresetPage()
{
    auto* page = new QWidget;
    page->setObjectName("tabPresets");
    lstPresets = new DroppedFileList(page);
    lstPresets->setObjectName("lstPresets");
    auto* load = button("btnLoadPreset", "Load preset", page);
    auto* remove = button("btnRemovePreset", "Remove Item", page);
    auto* clear = button("btnClearPresets", "Clear List", page);
    auto* close = button("btnClosePresets", "Close", page);

    popPresets = new QMenu(this);
    popPresets->setObjectName("popPresets");
    connect(popupEntry(popPresets, "mnuPopLoadPreset", "Load preset"), &QAction::triggered, this,
            &TDroppedFilesForm::btnLoadPresetClick);
    connect(popupEntry(popPresets, "mnuPopRemovePreset", "Remove Item"), &QAction::triggered, this,
            [this] { removeSelected(lstPresets); });
    connect(popupEntry(popPresets, "mnuPopClearPresets", "Clear List"), &QAction::triggered, lstPresets,
            &QListWidget::clear);

    connect(load, &QPushButton::clicked, this, &TDroppedFilesForm::btnLoadPresetClick);
    connect(remove, &QPushButton::clicked, this, [this] { removeSelected(lstPresets); });
    connect(clear, &QPushButton::clicked, lstPresets, &QListWidget::clear);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(lstPresets, &QListWidget::itemDoubleClicked, this, &TDroppedFilesForm::btnLoadPresetClick);
    connect(lstPresets, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup(lstPresets, popPresets, at); });
    connect(lstPresets, &DroppedFileList::filesDropped, this, &TDroppedFilesForm::filesDropped);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {load, remove, clear})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(lstPresets, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget* TDroppedFilesForm::buildMacroPage()
{
    auto* page = new QWidget;
    page->setObjectName("tabMacros");
    lstMacros = new DroppedFileList(page);
    lstMacros->setObjectName("lstMacros");
    auto* execute = button("btnExecute", "Execute", page);
    auto* selected = button("btnExecuteSelected", "Execute Selected", page);
    auto* all = button("btnExecuteAll", "Execute All", page);
    auto* remove = button("btnRemoveMacro", "Remove Item", page);
    auto* clear = button("btnClearMacros", "Clear List", page);
    auto* close = button("btnCloseMacros", "Close", page);

    popMacros = new QMenu(this);
    popMacros->setObjectName("popMacros");
    connect(popupEntry(popMacros, "mnuPopExecute", "Execute"), &QAction::triggered, this,
            &TDroppedFilesForm::btnExecuteClick);
    connect(popupEntry(popMacros, "mnuPopExecuteSelected", "Execute Selected"), &QAction::triggered, this,
            &TDroppedFilesForm::btnExecuteSelectedClick);
    connect(popupEntry(popMacros, "mnuPopExecuteAll", "Execute All"), &QAction::triggered, this,
            &TDroppedFilesForm::btnExecuteAllClick);
    connect(popupEntry(popMacros, "mnuPopRemoveMacro", "Remove Item"), &QAction::triggered, this,
            [this] { removeSelected(lstMacros); });
    connect(popupEntry(popMacros, "mnuPopClearMacros", "Clear List"), &QAction::triggered, lstMacros,
            &QListWidget::clear);

    connect(execute, &QPushButton::clicked, this, &TDroppedFilesForm::btnExecuteClick);
    connect(selected, &QPushButton::clicked, this, &TDroppedFilesForm::btnExecuteSelectedClick);
    connect(all, &QPushButton::clicked, this, &TDroppedFilesForm::btnExecuteAllClick);
    connect(remove, &QPushButton::clicked, this, [this] { removeSelected(lstMacros); });
    connect(clear, &QPushButton::clicked, lstMacros, &QListWidget::clear);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(lstMacros, &QListWidget::itemDoubleClicked, this, &TDroppedFilesForm::btnExecuteClick);
    connect(lstMacros, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup(lstMacros, popMacros, at); });
    connect(lstMacros, &DroppedFileList::filesDropped, this, &TDroppedFilesForm::filesDropped);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {execute, selected, all, remove, clear})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(lstMacros, 1);
    layout->addLayout(buttons);
    return page;
}

void TDroppedFilesForm::add(QListWidget* list, const QString& path, bool tickable)
{
    if (!list->findItems(path, Qt::MatchExactly).isEmpty())
        return;
    auto* item = new QListWidgetItem(path, list);
    item->setToolTip(path);
    if (tickable) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TDroppedFilesForm::addPreset(const QString& path)
{
    add(lstPresets, path, false);
}

void TDroppedFilesForm::addMacro(const QString& path)
{
    add(lstMacros, path, true);
}

QStringList TDroppedFilesForm::paths(const QListWidget* list, bool tickedOnly)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (!tickedOnly || list->item(i)->checkState() == Qt::Checked)
            out << list->item(i)->text();
    return out;
}

QStringList TDroppedFilesForm::presets() const
{
    return paths(lstPresets, false);
}

QStringList TDroppedFilesForm::macros() const
{
    return paths(lstMacros, false);
}

QStringList TDroppedFilesForm::tickedMacros() const
{
    return paths(lstMacros, true);
}

void TDroppedFilesForm::showPresets()
{
    PageControl->setCurrentIndex(0);
}

void TDroppedFilesForm::showMacros()
{
    PageControl->setCurrentIndex(1);
}

void TDroppedFilesForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TDroppedFilesForm::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(files);
}

void TDroppedFilesForm::removeSelected(QListWidget* list)
{
    delete list->currentItem();
}

void TDroppedFilesForm::popup(QListWidget* list, QMenu* menu, const QPoint& at)
{
    const bool selected = list->currentItem() != nullptr && list->currentItem()->isSelected();
    for (QAction* a : menu->actions())
        a->setEnabled(selected);
    menu->popup(list->viewport()->mapToGlobal(at));
}

void TDroppedFilesForm::btnLoadPresetClick()
{
    if (QListWidgetItem* item = lstPresets->currentItem())
        emit loadPresetRequested(item->text());
}

void TDroppedFilesForm::btnExecuteClick()
{
    if (QListWidgetItem* item = lstMacros->currentItem())
        emit executeMacrosRequested({item->text()});
}

void TDroppedFilesForm::btnExecuteSelectedClick()
{
    const QStringList ticked = tickedMacros();
    if (!ticked.isEmpty())
        emit executeMacrosRequested(ticked);
}

void TDroppedFilesForm::btnExecuteAllClick()
{
    const QStringList all = macros();
    if (!all.isEmpty())
        emit executeMacrosRequested(all);
}

} // namespace qv
