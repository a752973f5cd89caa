#pragma once

#include <QDialog>
#include <QListWidget>

class QMenu;
class QTabWidget;

class QMimeData;

namespace qv {

// The local files of a drop.
QStringList LocalFiles(const QMimeData* mime);

// A list of dropped files whose entries can be dragged to a new place;
// files dropped on it from outside are passed on.
class DroppedFileList : public QListWidget {
    Q_OBJECT

public:
    explicit DroppedFileList(QWidget* parent = nullptr);

    // Moves entry from to position to; a position past the last entry (or
    // -1) means the end.
    void moveEntry(int from, int to);

signals:
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// "Files dropped from the explorer.": presets and macros dropped on
// QV-Matrix, to be loaded or run later.
class TDroppedFilesForm : public QDialog {
    Q_OBJECT

public:
    explicit TDroppedFilesForm(QWidget* parent = nullptr);

    // Each file appears once; macros are added unticked.
    void addPreset(const QString& path);
    void addMacro(const QString& path);
    QStringList presets() const;
    QStringList macros() const;
    QStringList tickedMacros() const;
    void showPresets();
    void showMacros();

signals:
    void loadPresetRequested(const QString& path);
    // Run one after the other, in list order.
    void executeMacrosRequested(const QStringList& paths);
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* buildPresetPage();
    QWidget* buildMacroPage();
    static QStringList paths(const QListWidget* list, bool tickedOnly);
    static void add(QListWidget* list, const QString& path, bool tickable);
    static void removeSelected(QListWidget* list);
    void popup(QListWidget* list, QMenu* menu, const QPoint& at);

    void btnLoadPresetClick();
    void btnExecuteClick();
    void btnExecuteSelectedClick();
    void btnExecuteAllClick();

    QTabWidget* PageControl = nullptr;
    DroppedFileList* lstPresets = nullptr;
    DroppedFileList* lstMacros = nullptr;
    QMenu* popPresets = nullptr;
    QMenu* popMacros = nullptr;
};

} // namespace qv
