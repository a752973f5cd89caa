#include "mouse_pad_form.h"

#include "platform/host/prompter.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace qv {

namespace {

constexpr char kInfoText[] =
    "Mouse move (No buttons): .SmXXX,YYY\r\rLeft button Down/Click: .SaXXX,YYY\rLeft button UP: .SbXXX,YYY\r\r"
    "Middle button Down/Click : .ScXXX,YYY\rMiddle button Up: .SdXXX,YYY\r\rRight button Down/Click : "
    ".SeXXX,YYY\rRight button Up: .SfXXX,YYY\r\rScroll wheel (Scroll) Up : .SgXXX,YYY\rScroll wheel (Scroll) Down "
    ": .ShXXX,YYY";

std::optional<MousePad::Button> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return MousePad::Button::Left;
    case Qt::MiddleButton: return MousePad::Button::Middle;
    case Qt::RightButton: return MousePad::Button::Right;
    default: return std::nullopt;
    }
}

QLabel* StatusLabel(QLayout* layout, QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    layout->addWidget(label);
    return label;
}

} // namespace

TMouseArea::TMouseArea(MousePad& pad, QWidget* parent) : QWidget(parent), pad_(pad)
{
    setObjectName("MouseArea");
    setFixedSize(MousePad::kWidth, MousePad::kHeight);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void TMouseArea::paintEvent(QPaintEvent*)
{
    // A picture of the instrument's screen: a dark display with a faint
    // grid of its meter columns, and the pointer where it stands.
    QPainter p(this);
    p.fillRect(rect(), QColor(0x10, 0x16, 0x22));
    p.setPen(QColor(0x24, 0x30, 0x44));
    for (int x = 40; x < width(); x += 40)
        p.drawLine(x, 0, x, height());
    for (int y = 40; y < height(); y += 40)
        p.drawLine(0, y, width(), y);
    p.setPen(QColor(0x6F, 0x86, 0xA8));
    p.drawText(rect().adjusted(0, 0, 0, -8), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("%1 x %2").arg(MousePad::kWidth).arg(MousePad::kHeight));
    p.setPen(QPen(QColor(0xF2, 0xC1, 0x4E), 1));
    p.drawLine(pad_.x() - 6, pad_.y(), pad_.x() + 6, pad_.y());
    p.drawLine(pad_.x(), pad_.y() - 6, pad_.x(), pad_.y() + 6);
}

void TMouseArea::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    pad_.move(at.x(), at.y());
    update();
    emit changed();
}

void TMouseArea::mousePressEvent(QMouseEvent* event)
{
    if (const auto button = ButtonOf(event->button())) {
        pad_.buttonDown(*button);
        emit changed();
    }
}

void TMouseArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (const auto button = ButtonOf(event->button())) {
        pad_.buttonUp(*button);
        emit changed();
    }
}

TMousePadForm::TMousePadForm(const Clock& clock, std::function<void(const std::string&)> send, Prompter& prompter,
                             QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), pad_(clock, std::move(send)), prompter_(prompter)
{
    setObjectName("MousePadForm");
    setWindowTitle("Mouse Pad.");
    MouseArea = new TMouseArea(pad_, this);
    connect(MouseArea, &TMouseArea::changed, this, &TMousePadForm::showState);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(MouseArea, 0, Qt::AlignTop);
    layout->addWidget(buildControls());
    showState();
}

QWidget* TMousePadForm::buildControls()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);

    auto* state = new QGroupBox("Mouse.", panel);
    auto* lines = new QVBoxLayout(state);
    lblPositionX = StatusLabel(lines, state, "lblPositionX");
    lblPositionY = StatusLabel(lines, state, "lblPositionY");
    const char* buttonNames[] = {"lblLeftButton", "lblMiddleButton", "lblRightButton"};
    for (int b = 0; b < 3; ++b)
        lblButton[b] = StatusLabel(lines, state, buttonNames[b]);
    lblWheel = StatusLabel(lines, state, "lblWheel");
    column->addWidget(state);

    auto* click = new QGroupBox("Mouse Click.", panel);
    click->setObjectName("gbMouseClick");
    auto* clickLines = new QVBoxLayout(click);
    rbClick = new QRadioButton("Send Mouse Click.", click);
    rbClick->setObjectName("rbClick");
    rbClick->setChecked(true);
    rbUpDown = new QRadioButton("Send Mouse Up/Down", click);
    rbUpDown->setObjectName("rbUpDown");
    connect(rbUpDown, &QRadioButton::toggled, this, [this](bool on) {
        pad_.clickMode = on ? MousePad::ClickMode::UpDown : MousePad::ClickMode::Click;
    });
    clickLines->addWidget(rbClick);
    clickLines->addWidget(rbUpDown);
    column->addWidget(click);

    auto* timer = new QGroupBox("Mouse Timer Interval (mS)", panel);
    timer->setObjectName("gbTimer");
    auto* timerRow = new QHBoxLayout(timer);
    TimerEdit = new QLineEdit(QString::number(pad_.intervalMs()), timer);
    TimerEdit->setObjectName("TimerEdit");
    TimerEdit->setMaximumWidth(70);
    connect(TimerEdit, &QLineEdit::editingFinished, this, &TMousePadForm::TimerEditChange);
    timerRow->addWidget(TimerEdit);
    // UpDown1: steps the interval, within its range.
    auto* up = new QToolButton(timer);
    up->setObjectName("UpDown1Up");
    up->setArrowType(Qt::UpArrow);
    up->setAutoRepeat(true);
    connect(up, &QToolButton::clicked, this, [this] { stepInterval(1); });
    auto* down = new QToolButton(timer);
    down->setObjectName("UpDown1Down");
    down->setArrowType(Qt::DownArrow);
    down->setAutoRepeat(true);
    connect(down, &QToolButton::clicked, this, [this] { stepInterval(-1); });
    timerRow->addWidget(up);
    timerRow->addWidget(down);
    timerRow->addStretch();
    column->addWidget(timer);

    auto* dot = new QGroupBox("DOT Commands.", panel);
    dot->setObjectName("gbDotCommands");
    auto* dotRow = new QHBoxLayout(dot);
    auto* btnInfo = new QPushButton("Info", dot);
    btnInfo->setObjectName("btnInfo");
    connect(btnInfo, &QPushButton::clicked, this, &TMousePadForm::btnInfoClick);
    dotRow->addWidget(btnInfo);
    dotRow->addStretch();
    column->addWidget(dot);

    column->addStretch();
    auto* btnClose = new QPushButton("Close", panel);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    column->addWidget(btnClose);
    return panel;
}

void TMousePadForm::showState()
{
    lblPositionX->setText(QString::fromStdString(pad_.positionXText()));
    lblPositionY->setText(QString::fromStdString(pad_.positionYText()));
    const MousePad::Button buttons[] = {MousePad::Button::Left, MousePad::Button::Middle, MousePad::Button::Right};
    for (int b = 0; b < 3; ++b)
        lblButton[b]->setText(QString::fromStdString(pad_.buttonText(buttons[b])));
    lblWheel->setText(QString::fromStdString(pad_.wheelText()));
}

void TMousePadForm::wheelEvent(QWheelEvent* event)
{
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        event->ignore();
        return;
    }
    pad_.scroll(steps > 0 ? MousePad::Wheel::Up : MousePad::Wheel::Down);
    showState();
    event->accept();
}

void TMousePadForm::TimerEditChange()
{
    if (pad_.setIntervalText(TimerEdit->text().trimmed().toStdString()))
        return;
    // The interval stays; the field shows it again before the message
    // takes the focus (which ends the editing once more).
    TimerEdit->setText(QString::number(pad_.intervalMs()));
    prompter_.error("Invalid Entry.");
}

void TMousePadForm::stepInterval(int by)
{
    const int next = std::clamp(pad_.intervalMs() + by, MousePad::kMinIntervalMs, MousePad::kMaxIntervalMs);
    TimerEdit->setText(QString::number(next));
    pad_.setIntervalText(std::to_string(next));
}

void TMousePadForm::btnInfoClick()
{
    prompter_.information(kInfoText);
}

} // namespace qv
