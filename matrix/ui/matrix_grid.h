#pragma once

#include "matrix/channel.h"
#include "matrix/grid_model.h"
#include "matrix/label_selection.h"
#include "matrix/popup_rules.h"

#include <QCursor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QDialog;
class QMenu;
class QScrollBar;

namespace qv {

class Clock;
class ConfigImage;
class EventPump;
class Prompter;

// The routing grid of QV-Matrix's main window: inputs as columns, outputs
// as rows, one 16-pixel icon per crosspoint with a 1-pixel line, label
// strips above and to the left, and two scroll bars. It edits the one
// configuration image in place; during remote control it sends crosspoint
// commands and shows what the instrument reports.
class MatrixGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCell = 17;        // 16-pixel icon + 1-pixel line
    static constexpr int kTopStrip = 58;    // input labels
    static constexpr int kLeftStrip = 70;   // output labels
    static constexpr int kScrollStep = 2;   // cells per arrow key or pan tick
    static constexpr int kPanIntervalMs = 100;
    static constexpr int kPanDeadZone = 25; // pixels from the start before panning moves
    static constexpr int kPanCentreZone = 28;
    static constexpr int kRestMs = 2000;    // resting mouse shows the output label
    static constexpr int kFlashPauses = 26; // 260 ms of 10 ms pauses
    static constexpr int kFlashPauseMs = 10;

    MatrixGrid(ConfigImage& image, Prompter& prompter, Clock& clock, EventPump& pump, QWidget* parent = nullptr);
    ~MatrixGrid() override;

    // --- state given by the main window ---
    void setSettings(const GridSettings& settings);
    // New settings from the Options dialog: cells follow their role's icon.
    void renumberIcons(const GridSettings& settings);
    const GridSettings& settings() const { return model_.settings(); }
    void setRemoteState(bool connected, uint16_t instrumentVersion, bool typeSupported);
    bool remote() const { return remote_; }
    void setMacroPending(bool pending) { macroPending_ = pending; }

    // Remote control: the command line sender (it clears the receive buffer
    // first), the live label write of a rename (false when the write
    // failed; the wait window and block write are the caller's) and the
    // live gain query (tenths of a dB).
    void setCommandSender(CommandSender send) { send_ = std::move(send); }
    void setLiveLabelWriter(std::function<bool(uint32_t, const std::string&, const std::string&)> write)
    {
        writeLabel_ = std::move(write);
    }
    void setLiveGainQuery(std::function<int(int output)> query) { liveGain_ = std::move(query); }

    // --- the image ---
    // Labels and grid from the image (after open, upload, preset change).
    void rebuild();
    void rebuildLabels();
    // " In - n" / "Out - n" labels and an empty grid with its illegal pattern.
    void setDefaultLabels();
    void markIllegal();
    // The pattern for software of another version: the instrument's during
    // remote control.
    void markIllegal(uint16_t version);
    // Shows or hides the grid with its strips and scroll bars; paste needs it shown.
    void showImage(bool shown);
    bool imageShown() const { return imageShown_; }

    // --- reports of the instrument (numbers): "AA" with remote = the
    // trailing "*", and the flash of an "F" refusal ---
    void applyCrosspointReport(int output, int input, bool remote);
    void flashCrosspoint(int output, int input);

    // --- Edit menu ---
    bool canCopy() const;
    bool canPasteLabels() const;
    bool canPasteXPoints() const;
    void copySelectedLabels();
    void pasteLabels();
    void copySelectedXPoints();
    void pasteXPoints();

    // --- scroll positions (GridPosX, GridPosY) ---
    int gridPosX() const;
    int gridPosY() const;
    void setGridPos(int x, int y);
    int visibleColumns() const;
    int visibleRows() const;

    // Arrow keys: 2 cells, with Ctrl to the first or last position; for the
    // main window to call when it has the keys. The space bar pans through
    // the grid's own key events (forward them with sendEvent).
    bool navigateKey(int key, Qt::KeyboardModifiers modifiers);
    // One tick of the panning timer.
    void panStep();
    bool panning() const { return panning_; }
    QString panCursorName() const { return panCursor_; }

    // Crosspoint and label geometry, in widget coordinates.
    QRect cellRect(int i, int o) const;
    QRect inputLabelRect(int i) const;
    QRect outputLabelRect(int o) const;

    const GridModel& model() const { return model_; }
    LabelSelection& selection() { return selection_; }
    const QVector<QPixmap>& icons() const { return icons_; }
    bool flashing() const { return flashing_; }

    // How popups and dialogs are run; tests replace these to answer them.
    // A popup runner triggers the entry it chooses, as a menu does.
    using PopupRunner = std::function<QAction*(QMenu&, const QPoint&)>;
    using DialogRunner = std::function<int(QDialog&)>;
    void setPopupRunner(PopupRunner run) { runPopup_ = std::move(run); }
    void setDialogRunner(DialogRunner run) { runDialog_ = std::move(run); }

    // The clipboard formats: Qt's names for the registered formats
    // "CF_QVMatrix" and "CF_QVMatrix_XPoints", carrying the bare blocks.
    static QString LabelsMimeType();
    static QString XPointsMimeType();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void imageModified();
    // The labels were built anew for the selected preset.
    void labelsRebuilt();
    void clipboardStateChanged();
    void gridPosChanged(int x, int y);
    // Hooks of the option dialogs. PPM channels are 0..31, the others numbers.
    // The selected PPM inputs and outputs, as PPM channels.
    void ppmOptionsRequested(int referencePpmChannel, const QList<int>& ppmInputs, const QList<int>& ppmOutputs);
    void phaseOptionsRequested(const QList<int>& outputs);
    void gainRequested(int output, int tenths, const QList<int>& selectedOutputs);
    void groupGainRequested(int group, int tenths, const QList<int>& selectedOutputs);
    void locksChanged(const QList<int>& outputs);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Cell {
        int i = -1;
        int o = -1;
        bool valid() const { return i >= 0 && o >= 0; }
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    enum class FlashPhase { None, Empty, Highlight };

    // Geometry
    QRect gridArea() const;
    Cell cellAt(const QPoint& pos) const;
    std::optional<Channel> labelAt(const QPoint& pos) const;
    void layoutScrollBars();
    void scrolled();
    QRegion hoverRegion(const Cell& c) const;
    void setHover(const Cell& c);
    void repaintCell(const Cell& c);

    // Painting (matrix_grid_paint.cpp)
    void paintCorner(QPainter& p) const;
    void paintInputStrip(QPainter& p, const QRect& dirty) const;
    void paintOutputStrip(QPainter& p, const QRect& dirty) const;
    void paintCells(QPainter& p, const QRect& dirty) const;
    void paintRestingLabel(QPainter& p) const;
    void paintPanOrigin(QPainter& p) const;
    QColor traceColour() const;
    QPixmap labelTile(Channel c, bool selected, bool hovered, const QColor& background) const;
    QColor labelBackground(int index, bool selected, bool hovered) const;

    // Mouse and keys
    void gridPress(QMouseEvent* event, const Cell& c);
    void labelPress(QMouseEvent* event, Channel c);
    void setCrosspoint(const Cell& c);
    void flash(const Cell& c);
    void startPanning(const QPoint& at);
    void stopPanningIfReleased();
    void setPanCursor(const QString& name);
    void scrollBy(int columns, int rows);

    // Popups and commands (matrix_grid_popups.cpp)
    PopupContext popupContext() const;
    // A popup entry: choosing it keeps its command, which runs once the
    // popup has closed. A forwarding entry whose signal nothing receives is
    // not offered.
    QAction* addCommand(QMenu& menu, QAction* entry, const char* name, bool enabled, std::function<void()> command);
    QAction* addCommand(QMenu& menu, const char* name, const QString& text, bool enabled,
                        std::function<void()> command);
    template <typename... Args>
    QAction* addForwarding(QMenu& menu, const char* name, const QString& text, bool enabled,
                           void (MatrixGrid::*signal)(Args...), std::function<void()> command);
    void runPopup(QMenu& menu, const QPoint& globalPos, const std::function<void()>& restore);
    void addSumCommands(QMenu& menu, bool enabled, const QString& minus3, const QString& plus0);
    void addGroupCommands(QMenu& menu, bool enabled, const LabelSelection& selection);
    void openLabelPopup(Channel clicked, const QPoint& globalPos, Qt::KeyboardModifiers modifiers);
    void openMatrixPopup(const Cell& c, const QPoint& globalPos);
    void renameLabels(Channel clicked, const std::vector<Channel>& targets, bool advanced);
    void requestPpmOptions(std::optional<int> reference, const LabelSelection& selection);
    void requestPhaseOptions(const LabelSelection& selection);
    void requestGain(int output, const LabelSelection& selection);
    void requestGroupGain(int group, const LabelSelection& selection);
    void setSum(bool minus3);
    void setGroup(const LabelSelection& selection, int entry);
    void toggleLocks(const LabelSelection& selection);
    std::string liveOrStoredGain(int output, bool& known) const;
    void changed();

    ConfigImage& image_;
    Prompter& prompter_;
    Clock& clock_;
    EventPump& pump_;
    GridModel model_;
    LabelSelection selection_;
    QVector<QPixmap> icons_;

    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    QTimer panTimer_;
    QTimer restTimer_;

    CommandSender send_;
    std::function<bool(uint32_t, const std::string&, const std::string&)> writeLabel_;
    std::function<int(int)> liveGain_;
    PopupRunner runPopup_;
    DialogRunner runDialog_;
    std::function<void()> chosenCommand_; // of the popup entry chosen last

    bool remote_ = false;
    uint16_t instrumentVersion_ = 0;
    bool typeSupported_ = false;
    bool macroPending_ = false;
    bool imageShown_ = false;

    bool advancedRename_ = false;
    Cell hover_;
    bool resting_ = false;
    bool flashing_ = false;
    Cell flashCell_;
    FlashPhase flashPhase_ = FlashPhase::None;

    bool panning_ = false;
    bool middleHeld_ = false;
    bool spaceHeld_ = false;
    QPoint panStart_;
    QPoint mousePos_;
    QString panCursor_;
    QHash<QString, QCursor> cursors_;
    mutable QHash<QString, QPixmap> labelTiles_;

    // Scroll positions asked for, kept while the window is too small to show them.
    int wantedX_ = 0;
    int wantedY_ = 0;
    bool layingOut_ = false;
};

} // namespace qv
