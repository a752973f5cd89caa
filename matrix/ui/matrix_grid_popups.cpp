// The three popups of the routing grid and the commands behind them.
#include "matrix_grid.h"

#include "config/config_image.h"
#include "forwarding_action.h"
#include "label_edit_form.h"
#include "matrix/channel_options.h"
#include "matrix/label_rename.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"

#include <QAction>
#include <QHash>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <set>
#include <utility>

namespace qv {

namespace {

QString Headline(int number, const std::string& label)
{
    return QStringLiteral("#%1 [ %2 ]").arg(number).arg(QString::fromLatin1(label.data(), qsizetype(label.size())));
}

QAction* AddAction(QMenu& menu, const char* name, const QString& text, bool enabled)
{
    QAction* a = menu.addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setEnabled(enabled);
    return a;
}

QMenu* AddSubmenu(QMenu& menu, const char* name, const QString& title, bool enabled)
{
    QMenu* sub = menu.addMenu(title);
    sub->setObjectName(QLatin1String(name));
    sub->setToolTipsVisible(true);
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->menuAction()->setEnabled(enabled);
    return sub;
}

QAction* Tick(QAction* entry, bool checked)
{
    entry->setCheckable(true);
    entry->setChecked(checked);
    return entry;
}

QList<int> PpmChannels(Channel::Kind kind, const std::vector<int>& numbers)
{
    QList<int> out;
    for (int n : numbers)
        if (auto k = PpmChannelOf(Channel{kind, n}))
            out.push_back(*k);
    return out;
}

} // namespace

PopupContext MatrixGrid::popupContext() const
{
    PopupContext c;
    c.selection = selection_;
    c.imageVersion = image_.imageVersion();
    c.remote = remote_;
    c.instrumentVersion = instrumentVersion_;
    c.typeSupported = typeSupported_;
    return c;
}

std::string MatrixGrid::liveOrStoredGain(int output, bool& known) const
{
    known = false;
    if (remote_) {
        if (!liveGain_)
            return {};
        known = true;
        return FormatGain(liveGain_(output));
    }
    if (auto g = StoredGain(image_, output)) {
        known = true;
        return FormatGain(*g);
    }
    return {};
}

QAction* MatrixGrid::addCommand(QMenu& menu, QAction* entry, const char* name, bool enabled,
                               std::function<void()> command)
{
    entry->setObjectName(QLatin1String(name));
    entry->setEnabled(enabled);
    menu.addAction(entry);
    if (auto* forwarding = qobject_cast<ForwardingAction*>(entry))
        forwarding->holdIfNotBuilt();
    connect(entry, &QAction::triggered, this, [this, command = std::move(command)] { chosenCommand_ = command; });
    return entry;
}

QAction* MatrixGrid::addCommand(QMenu& menu, const char* name, const QString& text, bool enabled,
                               std::function<void()> command)
{
    return addCommand(menu, new QAction(text, &menu), name, enabled, std::move(command));
}

template <typename... Args>
QAction* MatrixGrid::addForwarding(QMenu& menu, const char* name, const QString& text, bool enabled,
                                  void (MatrixGrid::*signal)(Args...), std::function<void()> command)
{
    return addCommand(menu, new ForwardingAction(text, this, signal, &menu), name, enabled, std::move(command));
}

// "Set Group" and "Set Group Gain": their last entries are named after the
// first selected group output's own second group, ticks show its group.
void MatrixGrid::addGroupCommands(QMenu& menu, bool enabled, const LabelSelection& s)
{
    const int first = s.firstOutput(kFirstGroupOutput, kLastGroupOutput).value_or(kFirstGroupOutput);
    const int group = enabled ? GroupOf(image_, first) : -1;
    const GroupCode second = SecondGroup(first);
    const QString secondName = QString::fromStdString(GroupName(second));

    struct Entry {
        const char* name;
        QString text;
        int code;
    };
    QMenu* groups = AddSubmenu(menu, "mnuSetGroup", QStringLiteral("Set Group"), enabled);
    const Entry groupEntries[] = {{"mnuGroupNone", QStringLiteral("None"), GroupNone},
                                  {"mnuGroupMaster", QStringLiteral("Master"), GroupMaster},
                                  {"mnuGroupSecond", secondName, second}};
    for (int k = 0; k < 3; ++k) {
        const Entry& e = groupEntries[k];
        Tick(addCommand(*groups, e.name, e.text, true, [this, s, k] { setGroup(s, k); }), group == e.code);
    }

    // The group gains go to the gain dialog: offered once something takes them.
    const bool gains = enabled && SignalReceived(this, QMetaMethod::fromSignal(&MatrixGrid::groupGainRequested));
    QMenu* gainMenu = AddSubmenu(menu, "mnuSetGroupGain", QStringLiteral("Set Group Gain"), gains);
    const Entry gainEntries[] = {{"mnuGroupGainMaster", QStringLiteral("Master"), GroupMaster},
                                 {"mnuGroupGainSecond", secondName, second}};
    for (const Entry& e : gainEntries)
        Tick(addForwarding(*gainMenu, e.name, e.text, true, &MatrixGrid::groupGainRequested,
                           [this, code = e.code, s] { requestGroupGain(code, s); }),
             group == e.code);
}

void MatrixGrid::addSumCommands(QMenu& menu, bool enabled, const QString& minus3, const QString& plus0)
{
    QMenu* sum = AddSubmenu(menu, "mnuSum", QStringLiteral("SUM"), enabled);
    const auto current = CurrentSum(image_);
    Tick(addCommand(*sum, "mnuSumMinus3", minus3, true, [this] { setSum(true); }), current == SumSetting::Minus3dB);
    Tick(addCommand(*sum, "mnuSumPlus0", plus0, true, [this] { setSum(false); }), current == SumSetting::Plus0dB);
}

// Runs the popup; the selection it showed is restored before the chosen
// command runs on the selection as it was while the popup was open.
void MatrixGrid::runPopup(QMenu& menu, const QPoint& globalPos, const std::function<void()>& restore)
{
    QPointer<MatrixGrid> self(this);
    menu.setToolTipsVisible(true);
    chosenCommand_ = nullptr;
    runPopup_(menu, globalPos);
    if (!self)
        return;
    // Shift held while the command is chosen asks for the advanced rename.
    advancedRename_ = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    if (restore)
        restore();
    update();
    if (auto command = std::exchange(chosenCommand_, nullptr))
        command();
}

void MatrixGrid::openLabelPopup(Channel clicked, const QPoint& globalPos, Qt::KeyboardModifiers modifiers)
{
    const auto token =
        selection_.beginRightClick(clicked, modifiers & (Qt::ControlModifier | Qt::ShiftModifier));
    update();
    const PopupContext context = popupContext();
    const LabelSelection& s = context.selection;
    const std::string label =
        clicked.isInput() ? model_.inputLabel(clicked.number - 1) : model_.outputLabel(clicked.number - 1);

    QMenu menu(this);
    AddAction(menu, "mnuHeadline", Headline(clicked.number, label), false);
    menu.addSeparator();
    if (clicked.isInput()) {
        menu.setObjectName(QStringLiteral("pmInputLabel"));
        const auto rules = InputLabelPopup(context);
        addCommand(menu, "mnuRename", QStringLiteral("Rename Item..."), rules.rename,
                   [this, clicked, s] { renameLabels(clicked, RenameTargets(s), advancedRename_); });
        addForwarding(menu, "mnuPPM", QStringLiteral("PPM Options..."), rules.ppmOptions,
                      &MatrixGrid::ppmOptionsRequested,
                      [this, clicked, s] { requestPpmOptions(PpmChannelOf(clicked), s); });
        addSumCommands(menu, rules.sum, QStringLiteral("- 3 dB"), QStringLiteral("+ 0 dB"));
    } else {
        menu.setObjectName(QStringLiteral("pmOutputLabel"));
        const auto rules = OutputLabelPopup(context);
        addCommand(menu, "mnuRename", QStringLiteral("Rename Item..."), rules.rename,
                   [this, clicked, s] { renameLabels(clicked, RenameTargets(s), advancedRename_); });
        addForwarding(menu, "mnuPPM", QStringLiteral("PPM Options..."), rules.ppmOptions,
                      &MatrixGrid::ppmOptionsRequested,
                      [this, clicked, s] { requestPpmOptions(PpmChannelOf(clicked), s); });
        addForwarding(menu, "mnuPhase", QStringLiteral("Phase Options..."), rules.phaseOptions,
                      &MatrixGrid::phaseOptionsRequested, [this, s] { requestPhaseOptions(s); });
        addGroupCommands(menu, rules.setGroup, s);
        QString gainText = QStringLiteral("Set Gain...");
        bool known = false;
        const std::string gain = remote_ ? liveOrStoredGain(clicked.number, known) : std::string();
        if (known)
            gainText += QStringLiteral(" [%1 dB]").arg(QString::fromStdString(gain));
        addForwarding(menu, "mnuSetGain", gainText, rules.setGain, &MatrixGrid::gainRequested,
                      [this, clicked, s] { requestGain(clicked.number, s); });
        addCommand(menu, "mnuLock", QStringLiteral("Lock/Unlock X-Point"), rules.lock, [this, s] { toggleLocks(s); });
    }
    runPopup(menu, globalPos, [this, token] { selection_.endRightClick(token); });
}

void MatrixGrid::openMatrixPopup(const Cell& c, const QPoint& globalPos)
{
    const Channel input{Channel::Input, c.i + 1};
    const Channel output{Channel::Output, c.o + 1};
    const PopupContext context = popupContext();
    const auto rules = MatrixPopup(context, input.number, output.number);
    // The clicked cell counts as selected for the commands too.
    LabelSelection s = context.selection;
    s.set(input, true);
    s.set(output, true);

    QMenu menu(this);
    menu.setObjectName(QStringLiteral("pmMatrix"));
    AddAction(menu, "mnuInputHeadline", Headline(input.number, model_.inputLabel(c.i)), false);
    addCommand(menu, "mnuInputRename", QStringLiteral("Rename Item..."), rules.inputRename,
               [this, input] { renameLabels(input, {input}, advancedRename_); });
    addSumCommands(menu, rules.sum, QStringLiteral("-3 dB"), QStringLiteral("0 dB"));
    menu.addSeparator();
    AddAction(menu, "mnuOutputHeadline", Headline(output.number, model_.outputLabel(c.o)), false);
    addCommand(menu, "mnuOutputRename", QStringLiteral("Rename Item..."), rules.outputRename,
               [this, output] { renameLabels(output, {output}, advancedRename_); });
    addForwarding(menu, "mnuPhase", QStringLiteral("Phase options..."), rules.phaseOptions,
                  &MatrixGrid::phaseOptionsRequested, [this, s] { requestPhaseOptions(s); });
    addGroupCommands(menu, rules.setGroup, s);
    bool known = false;
    const std::string gain = liveOrStoredGain(output.number, known);
    const QString gainText =
        known ? QStringLiteral("Set Output Gain [%1 dB]").arg(QString::fromStdString(gain)) : QStringLiteral("Set Gain...");
    addForwarding(menu, "mnuSetGain", gainText, rules.setGain, &MatrixGrid::gainRequested,
                  [this, output, s] { requestGain(output.number, s); });
    // The reference PPM channel: the clicked input if it is one, else the output.
    const auto reference = PpmChannelOf(input) ? PpmChannelOf(input) : PpmChannelOf(output);
    addForwarding(menu, "mnuPPM", QStringLiteral("PPM Options"), rules.ppmOptions, &MatrixGrid::ppmOptionsRequested,
                  [this, reference, s] { requestPpmOptions(reference, s); });
    addCommand(menu, "mnuLock", QStringLiteral("Lock/Unlock X-Point"), rules.lock, [this, s] { toggleLocks(s); });
    runPopup(menu, globalPos, {});
}

// ---------------------------------------------------------------- commands

void MatrixGrid::renameLabels(Channel clicked, const std::vector<Channel>& targets, bool advanced)
{
    if (targets.empty())
        return;
    TLabelEditForm form(prompter_, this);
    const QString title = QString::fromStdString(ChannelCaption(clicked));
    auto current = [this](Channel c) {
        const std::string& l = c.isInput() ? model_.inputLabel(c.number - 1) : model_.outputLabel(c.number - 1);
        return QString::fromLatin1(l.data(), qsizetype(l.size()));
    };
    if (advanced) {
        QList<QPair<QString, QString>> rows;
        for (Channel c : targets)
            rows.push_back({QString::fromStdString(ChannelCaption(c)), current(c)});
        form.setupAdvanced(title, rows);
    } else {
        form.setupSingle(title, QString::fromStdString(RenameGroupCaption(clicked, false)), current(clicked));
    }

    QPointer<MatrixGrid> self(this);
    const int result = runDialog_(form);
    if (!self || result != QDialog::Accepted)
        return;
    std::vector<std::string> texts;
    for (const QString& t : form.texts())
        texts.push_back(t.toStdString());
    if (!CheckRenameTexts(texts, prompter_))
        return;
    const auto writes = PlanRename(image_, targets, texts);

    std::vector<Channel> stored;
    if (remote_) {
        LiveRename live;
        live.writeLabel = writeLabel_;
        live.pause = [this](int ms) {
            for (int k = 0; k < ms / kFlashPauseMs; ++k) {
                clock_.sleepMs(kFlashPauseMs);
                pump_.pump();
            }
        };
        live.send = send_;
        stored = ApplyRename(image_, writes, &live);
    } else {
        stored = ApplyRename(image_, writes);
    }
    if (!self)
        return;
    model_.rebuildLabels(image_);
    if (!stored.empty())
        changed();
    else
        update();
}

void MatrixGrid::requestPpmOptions(std::optional<int> reference, const LabelSelection& selection)
{
    const QList<int> inputs = PpmChannels(Channel::Input, selection.inputs());
    const QList<int> outputs = PpmChannels(Channel::Output, selection.outputs());
    if (inputs.empty() && outputs.empty())
        return;
    emit ppmOptionsRequested(reference.value_or(inputs.empty() ? outputs.front() : inputs.front()), inputs, outputs);
}

void MatrixGrid::requestPhaseOptions(const LabelSelection& selection)
{
    QList<int> outputs;
    for (int n : selection.outputs())
        if (n >= kFirstPhaseOutput && n <= kLastPhaseOutput)
            outputs.push_back(n);
    if (!outputs.isEmpty())
        emit phaseOptionsRequested(outputs);
}

void MatrixGrid::requestGain(int output, const LabelSelection& selection)
{
    int tenths = 0;
    if (remote_ && liveGain_)
        tenths = liveGain_(output);
    else if (auto g = StoredGain(image_, output))
        tenths = *g;
    const auto outputs = selection.outputs();
    emit gainRequested(output, tenths, QList<int>(outputs.begin(), outputs.end()));
}

void MatrixGrid::requestGroupGain(int group, const LabelSelection& selection)
{
    const auto outputs = selection.outputs();
    emit groupGainRequested(group, GroupGain(image_, GroupCode(group)), QList<int>(outputs.begin(), outputs.end()));
}

void MatrixGrid::setSum(bool minus3)
{
    if (SetSum(image_, minus3 ? SumSetting::Minus3dB : SumSetting::Plus0dB))
        changed();
}

void MatrixGrid::setGroup(const LabelSelection& selection, int entry)
{
    if (SetGroup(image_, selection.outputs(), entry) > 0)
        changed();
}

void MatrixGrid::toggleLocks(const LabelSelection& selection)
{
    const auto outputs = model_.toggleLocks(selection.outputs());
    if (outputs.empty())
        return;
    update();
    emit locksChanged(QList<int>(outputs.begin(), outputs.end()));
}

} // namespace qv
