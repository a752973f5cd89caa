#include "label_rename.h"

#include "config/config_image.h"
#include "config/label_text.h"
#include "dot_commands.h"

#include <set>

namespace qv {

std::vector<Channel> RenameTargets(const LabelSelection& selection)
{
    std::vector<Channel> targets;
    for (int n : selection.inputs())
        if (n <= kInputCount)
            targets.push_back(Channel{Channel::Input, n});
    for (int n : selection.outputs())
        if (n <= kOutputCount)
            targets.push_back(Channel{Channel::Output, n});
    return targets;
}

std::string ChannelCaption(Channel c)
{
    return (c.isInput() ? "Input #" : "Output #") + std::to_string(c.number);
}

std::string RenameGroupCaption(Channel clicked, bool advanced)
{
    if (advanced)
        return "Advanced Rename.";
    return clicked.isInput() ? "Input Name" : "Output Name";
}

bool CheckRenameTexts(const std::vector<std::string>& texts, Prompter& prompter)
{
    for (const auto& t : texts)
        if (!CheckText(t, prompter))
            return false;
    return true;
}

namespace {
std::string CurrentLabel(const ConfigImage& image, Channel c)
{
    return c.isInput() ? image.inputLabel(image.selectedPreset(), c.number) : image.outputLabel(c.number);
}
} // namespace

std::vector<LabelWrite> PlanRename(const ConfigImage& image, const std::vector<Channel>& targets,
                                   const std::vector<std::string>& texts)
{
    std::vector<LabelWrite> writes;
    if (texts.size() != 1 && texts.size() != targets.size())
        return writes;
    for (size_t k = 0; k < targets.size(); ++k) {
        const std::string& text = texts.size() == 1 ? texts.front() : texts[k];
        writes.push_back(LabelWrite{targets[k], CurrentLabel(image, targets[k]), FitText(text, kLabelLength)});
    }
    return writes;
}

uint32_t LabelAddress(const ConfigImage& image, Channel c)
{
    int offset = 0;
    if (!c.isInput())
        offset = OutputLabelBaseAdr + kLabelLength * (c.number - 1);
    else if (c.number <= 32)
        offset = InputLabelBaseAdr + kLabelLength * (c.number - 1);
    else if (c.number <= 56)
        offset = LabelBlock(image.selectedPreset()) + kLabelLength * (c.number - 33);
    else
        offset = SharedLabelBaseAdr + kLabelLength * (c.number - 57);
    return kImageBaseAddress + uint32_t(offset);
}

std::string ModifyingLabelText(const LabelWrite& write)
{
    return std::string(write.channel.isInput() ? "Modifying Input Label #" : "Modifying Output Label #") +
           std::to_string(write.channel.number) + " - " + write.oldLabel;
}

std::vector<Channel> ApplyRename(ConfigImage& image, const std::vector<LabelWrite>& writes, const LiveRename* live)
{
    std::vector<Channel> stored;
    std::set<int> renamedPpm;
    for (const auto& w : writes) {
        const auto ppm = PpmChannelOf(w.channel);
        if (!w.channel.isInput() && ppm && renamedPpm.count(*ppm))
            continue;
        if (live) {
            const bool ok = live->writeLabel && live->writeLabel(LabelAddress(image, w.channel), w.text,
                                                                  ModifyingLabelText(w));
            if (live->pause)
                live->pause(kLiveLabelPauseMs);
            if (!ok)
                continue;
        }
        if (w.channel.isInput())
            image.setInputLabel(image.selectedPreset(), w.channel.number, w.text);
        else
            image.setOutputLabel(w.channel.number, w.text);
        stored.push_back(w.channel);
        if (w.channel.isInput() && ppm)
            renamedPpm.insert(*ppm);
    }
    if (live && live->send)
        live->send(kDotTakeOverConfiguration);
    return stored;
}

} // namespace qv
