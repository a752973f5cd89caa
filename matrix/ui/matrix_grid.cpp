#include "matrix_grid.h"

#include "config/config_image.h"
#include "crosspoint_icons.h"
#include "grid_cursors.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace qv {

MatrixGrid::MatrixGrid(ConfigImage& image, Prompter& prompter, Clock& clock, EventPump& pump, QWidget* parent)
    : QWidget(parent), image_(image), prompter_(prompter), clock_(clock), pump_(pump), icons_(MakeCrosspointIcons())
{
    setObjectName(QStringLiteral("MatrixGrid"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    hBar_ = new QScrollBar(Qt::Horizontal, this);
    hBar_->setObjectName(QStringLiteral("sbGridX"));
    vBar_ = new QScrollBar(Qt::Vertical, this);
    vBar_->setObjectName(QStringLiteral("sbGridY"));
    for (QScrollBar* bar : {hBar_, vBar_}) {
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this, &MatrixGrid::scrolled);
    }

    for (const char* name : {"CursorLeft", "CursorRight", "CursorUP", "CursorDown", "CursorNone"})
        cursors_.insert(QLatin1String(name), GridCursor(QLatin1String(name)));

    panTimer_.setInterval(kPanIntervalMs);
    connect(&panTimer_, &QTimer::timeout, this, &MatrixGrid::panStep);
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(kRestMs);
    connect(&restTimer_, &QTimer::timeout, this, [this] {
        resting_ = hover_.valid();
        update(hoverRegion(hover_));
    });

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MatrixGrid::clipboardStateChanged);

    runPopup_ = [](QMenu& menu, const QPoint& at) { return menu.exec(at); };
    runDialog_ = [](QDialog& dialog) { return dialog.exec(); };

    model_.markIllegal(image_.imageVersion());
    layoutScrollBars();
    // Hidden until an image is loaded or uploaded.
    setVisible(false);
}

MatrixGrid::~MatrixGrid() = default;

// ---------------------------------------------------------------- state

void MatrixGrid::setSettings(const GridSettings& settings)
{
    model_.setSettings(settings);
    update();
}

void MatrixGrid::renumberIcons(const GridSettings& settings)
{
    model_.renumberIcons(settings);
    update();
}

void MatrixGrid::setRemoteState(bool connected, uint16_t instrumentVersion, bool typeSupported)
{
    remote_ = connected;
    instrumentVersion_ = instrumentVersion;
    typeSupported_ = typeSupported;
    emit clipboardStateChanged();
}

void MatrixGrid::rebuild()
{
    model_.rebuildLabels(image_);
    model_.rebuildGrid(image_);
    update();
    emit labelsRebuilt();
}

void MatrixGrid::rebuildLabels()
{
    model_.rebuildLabels(image_);
    update();
    emit labelsRebuilt();
}

void MatrixGrid::setDefaultLabels()
{
    model_.setDefaultLabels();
    model_.markIllegal(image_.imageVersion());
    update();
}

void MatrixGrid::markIllegal()
{
    markIllegal(image_.imageVersion());
}

void MatrixGrid::markIllegal(uint16_t version)
{
    model_.markIllegal(version);
    update();
}

void MatrixGrid::showImage(bool shown)
{
    imageShown_ = shown;
    setVisible(shown);
    emit clipboardStateChanged();
}

void MatrixGrid::applyCrosspointReport(int output, int input, bool remote)
{
    if (model_.applyReport(output, input, remote))
        update();
}

void MatrixGrid::flashCrosspoint(int output, int input)
{
    if (input >= 1 && input <= GridModel::kShownInputs && output >= 1 && output <= GridModel::kShownOutputs)
        flash(Cell{input - 1, output - 1});
}

void MatrixGrid::changed()
{
    update();
    emit imageModified();
}

// ---------------------------------------------------------------- geometry

QSize MatrixGrid::sizeHint() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {kLeftStrip + GridModel::kShownInputs * kCell + bar, kTopStrip + GridModel::kShownOutputs * kCell + bar};
}

QSize MatrixGrid::minimumSizeHint() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {kLeftStrip + 4 * kCell + bar, kTopStrip + 4 * kCell + bar};
}

QRect MatrixGrid::gridArea() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QRect(kLeftStrip, kTopStrip, std::max(0, width() - kLeftStrip - bar),
                 std::max(0, height() - kTopStrip - bar));
}

int MatrixGrid::visibleColumns() const
{
    return std::min(GridModel::kShownInputs, gridArea().width() / kCell);
}

int MatrixGrid::visibleRows() const
{
    return std::min(GridModel::kShownOutputs, gridArea().height() / kCell);
}

int MatrixGrid::gridPosX() const { return wantedX_; }
int MatrixGrid::gridPosY() const { return wantedY_; }

void MatrixGrid::setGridPos(int x, int y)
{
    wantedX_ = std::clamp(x, 0, GridModel::kShownInputs);
    wantedY_ = std::clamp(y, 0, GridModel::kShownOutputs);
    layoutScrollBars();
}

void MatrixGrid::layoutScrollBars()
{
    const QRect area = gridArea();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    hBar_->setGeometry(area.left(), area.bottom() + 1, area.width(), bar);
    vBar_->setGeometry(area.right() + 1, area.top(), bar, area.height());

    layingOut_ = true;
    hBar_->setRange(0, GridModel::kShownInputs - visibleColumns());
    hBar_->setPageStep(std::max(1, visibleColumns()));
    vBar_->setRange(0, GridModel::kShownOutputs - visibleRows());
    vBar_->setPageStep(std::max(1, visibleRows()));
    hBar_->setValue(wantedX_);
    vBar_->setValue(wantedY_);
    layingOut_ = false;
    update();
}

void MatrixGrid::scrolled()
{
    if (!layingOut_) {
        wantedX_ = hBar_->value();
        wantedY_ = vBar_->value();
        emit gridPosChanged(wantedX_, wantedY_);
    }
    hover_ = underMouse() ? cellAt(mousePos_) : Cell{};
    resting_ = false;
    update();
}

void MatrixGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutScrollBars();
}

QRect MatrixGrid::cellRect(int i, int o) const
{
    const int c = i - hBar_->value();
    const int r = o - vBar_->value();
    if (c < 0 || c >= visibleColumns() || r < 0 || r >= visibleRows())
        return {};
    return QRect(kLeftStrip + c * kCell, kTopStrip + r * kCell, kIconSize, kIconSize);
}

QRect MatrixGrid::inputLabelRect(int i) const
{
    const int c = i - hBar_->value();
    if (c < 0 || c >= visibleColumns())
        return {};
    return QRect(kLeftStrip + c * kCell, 0, kIconSize, kTopStrip - 1);
}

QRect MatrixGrid::outputLabelRect(int o) const
{
    const int r = o - vBar_->value();
    if (r < 0 || r >= visibleRows())
        return {};
    return QRect(0, kTopStrip + r * kCell, kLeftStrip - 1, kIconSize);
}

MatrixGrid::Cell MatrixGrid::cellAt(const QPoint& pos) const
{
    const int x = pos.x() - kLeftStrip;
    const int y = pos.y() - kTopStrip;
    if (x < 0 || y < 0)
        return {};
    const int c = x / kCell;
    const int r = y / kCell;
    if (c >= visibleColumns() || r >= visibleRows())
        return {};
    return Cell{hBar_->value() + c, vBar_->value() + r};
}

std::optional<Channel> MatrixGrid::labelAt(const QPoint& pos) const
{
    if (pos.y() >= 0 && pos.y() < kTopStrip && pos.x() >= kLeftStrip) {
        const int c = (pos.x() - kLeftStrip) / kCell;
        if (c < visibleColumns())
            return Channel{Channel::Input, hBar_->value() + c + 1};
    }
    if (pos.x() >= 0 && pos.x() < kLeftStrip && pos.y() >= kTopStrip) {
        const int r = (pos.y() - kTopStrip) / kCell;
        if (r < visibleRows())
            return Channel{Channel::Output, vBar_->value() + r + 1};
    }
    return std::nullopt;
}

QRegion MatrixGrid::hoverRegion(const Cell& c) const
{
    const QRect cell = cellRect(c.i, c.o);
    if (cell.isNull())
        return {};
    // The traced row and column with their labels, and room for the
    // resting label box, which stands a little taller than a row.
    QRegion r(QRect(0, cell.top() - 3, cell.right() + 2, kCell + 6));
    r += QRect(cell.left(), 0, kCell, cell.bottom() + 2);
    return r;
}

void MatrixGrid::setHover(const Cell& c)
{
    if (c == hover_ && !resting_)
        return;
    QRegion dirty = hoverRegion(hover_);
    hover_ = c;
    resting_ = false;
    dirty += hoverRegion(hover_);
    update(dirty);
}

void MatrixGrid::repaintCell(const Cell& c)
{
    const QRect r = cellRect(c.i, c.o);
    if (!r.isNull())
        repaint(r);
}

// ---------------------------------------------------------------- mouse

void MatrixGrid::mousePressEvent(QMouseEvent* event)
{
    mousePos_ = event->position().toPoint();
    if (auto label = labelAt(mousePos_)) {
        labelPress(event, *label);
        return;
    }
    const Cell c = cellAt(mousePos_);
    if (c.valid())
        gridPress(event, c);
}

void MatrixGrid::gridPress(QMouseEvent* event, const Cell& c)
{
    if (!selection_.empty() || selection_.anchor()) {
        selection_.clear();
        update();
    }
    switch (event->button()) {
    case Qt::MiddleButton:
        middleHeld_ = true;
        startPanning(mousePos_);
        break;
    case Qt::LeftButton:
        if (!settings().doubleClick)
            setCrosspoint(c);
        break;
    case Qt::RightButton:
        openMatrixPopup(c, event->globalPosition().toPoint());
        break;
    default:
        break;
    }
}

void MatrixGrid::labelPress(QMouseEvent* event, Channel c)
{
    if (event->button() == Qt::LeftButton) {
        if (event->modifiers() & Qt::ControlModifier)
            selection_.ctrlClick(c);
        else if (event->modifiers() & Qt::ShiftModifier)
            selection_.shiftClick(c);
        else
            selection_.plainClick();
        update();
    } else if (event->button() == Qt::RightButton) {
        openLabelPopup(c, event->globalPosition().toPoint(), event->modifiers());
    }
}

void MatrixGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePos_ = event->position().toPoint();
    const Cell c = cellAt(mousePos_);
    if (c.valid() && event->button() == Qt::LeftButton) {
        // With single clicks the first click of the pair has set it already.
        if (settings().doubleClick)
            setCrosspoint(c);
        return;
    }
    mousePressEvent(event);
}

void MatrixGrid::mouseMoveEvent(QMouseEvent* event)
{
    mousePos_ = event->position().toPoint();
    const Cell c = cellAt(mousePos_);
    setHover(c);
    if (c.valid())
        restTimer_.start();
    else
        restTimer_.stop();
}

void MatrixGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        middleHeld_ = false;
        stopPanningIfReleased();
    }
}

void MatrixGrid::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    restTimer_.stop();
    setHover(Cell{});
}

void MatrixGrid::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ShiftModifier)
        scrollBy(-notches * kScrollStep, 0);
    else
        scrollBy(0, -notches * kScrollStep);
    event->accept();
}

bool MatrixGrid::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const auto label = labelAt(help->pos());
        const std::string hint = label && !label->isInput() ? model_.hint(label->number - 1) : std::string();
        if (hint.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), QString::fromStdString(hint), this, outputLabelRect(label->number - 1));
        return true;
    }
    return QWidget::event(event);
}

// ---------------------------------------------------------------- crosspoints

void MatrixGrid::setCrosspoint(const Cell& c)
{
    if (flashing_)
        return;
    switch (model_.setCrosspoint(c.i, c.o, image_, remote_, send_)) {
    case GridModel::Click::FlashIllegal:
    case GridModel::Click::FlashLocked:
        flash(c);
        break;
    case GridModel::Click::Set:
        changed();
        break;
    case GridModel::Click::Sent:
        update();
        break;
    case GridModel::Click::Ignored:
        break;
    }
}

void MatrixGrid::flash(const Cell& c)
{
    if (macroPending_ || flashing_ || !c.valid())
        return;
    QPointer<MatrixGrid> self(this);
    flashing_ = true;
    flashCell_ = c;
    flashPhase_ = FlashPhase::Empty;
    repaintCell(c);
    flashPhase_ = FlashPhase::Highlight;
    repaintCell(c);
    for (int k = 0; k < kFlashPauses; ++k) {
        clock_.sleepMs(kFlashPauseMs);
        pump_.pump();
        if (!self)
            return;
    }
    flashing_ = false;
    flashPhase_ = FlashPhase::None;
    repaintCell(c);
}

} // namespace qv
