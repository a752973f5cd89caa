#include "popup_rules.h"

#include "channel_options.h"

namespace qv {

namespace {

bool RenameAllowed(const PopupContext& c, uint16_t liveVersion)
{
    return !c.remote || (c.instrumentVersion >= liveVersion && c.typeSupported);
}

bool PpmAllowed(const PopupContext& c, bool ppmChannelSelected)
{
    return ppmChannelSelected && (!c.remote || c.instrumentVersion >= kLivePpmVersion);
}

bool PhaseAllowed(const PopupContext& c)
{
    return c.selection.anyOutput(kFirstPhaseOutput, kLastPhaseOutput) && (!c.remote || c.instrumentVersion >= kLivePhaseVersion);
}

bool SumAllowed(const PopupContext& c)
{
    return !c.remote && c.imageVersion != 0 && c.selection.anyInput(kSumInput, kSumInput);
}

// Groups and stored gains exist only in images of 5.00 and later, and are
// edited offline only.
bool GroupsAllowed(const PopupContext& c)
{
    return !c.remote && c.imageVersion >= kGroupsFromVersion &&
           c.selection.anyOutput(kFirstGroupOutput, kLastGroupOutput);
}

bool PpmInputSelected(const PopupContext& c) { return c.selection.anyInput(57, 88); }
bool PpmOutputSelected(const PopupContext& c) { return c.selection.anyOutput(65, 96); }

} // namespace

InputLabelPopupRules InputLabelPopup(const PopupContext& c)
{
    InputLabelPopupRules r;
    r.rename = RenameAllowed(c, kLiveLabelRenameVersion);
    r.ppmOptions = PpmAllowed(c, PpmInputSelected(c));
    r.sum = SumAllowed(c);
    return r;
}

OutputLabelPopupRules OutputLabelPopup(const PopupContext& c)
{
    OutputLabelPopupRules r;
    r.rename = RenameAllowed(c, kLiveLabelRenameVersion);
    r.ppmOptions = PpmAllowed(c, PpmOutputSelected(c));
    r.phaseOptions = PhaseAllowed(c);
    r.setGroup = GroupsAllowed(c);
    r.setGroupGain = GroupsAllowed(c);
    r.setGain = c.remote || GroupsAllowed(c);
    r.lock = c.remote;
    return r;
}

MatrixPopupRules MatrixPopup(const PopupContext& context, int clickedInput, int clickedOutput)
{
    PopupContext c = context;
    c.selection.set(Channel{Channel::Input, clickedInput}, true);
    c.selection.set(Channel{Channel::Output, clickedOutput}, true);

    MatrixPopupRules r;
    r.inputRename = RenameAllowed(c, kLiveMatrixRenameVersion);
    r.outputRename = r.inputRename;
    r.sum = SumAllowed(c);
    r.phaseOptions = PhaseAllowed(c);
    r.setGroup = GroupsAllowed(c);
    r.setGroupGain = GroupsAllowed(c);
    r.setGain = c.remote || GroupsAllowed(c);
    r.ppmOptions = PpmAllowed(c, PpmInputSelected(c) || PpmOutputSelected(c));
    r.lock = c.remote;
    return r;
}

} // namespace qv
