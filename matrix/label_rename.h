#pragma once

#include "channel.h"
#include "grid_model.h"
#include "label_selection.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

class ConfigImage;
class Prompter;

// Renaming channel labels: single (one text for every selected label) and
// advanced (a text per label).

// The labels a rename reaches: selected inputs, then selected outputs, each
// in number order.
std::vector<Channel> RenameTargets(const LabelSelection& selection);

// "Input #n" / "Output #n": dialog titles and the rows of the advanced rename.
std::string ChannelCaption(Channel c);
// "Input Name", "Output Name", or "Advanced Rename.".
std::string RenameGroupCaption(Channel clicked, bool advanced);

// True when every text passes the character rule; otherwise shows the
// message for the first bad one and returns false.
bool CheckRenameTexts(const std::vector<std::string>& texts, Prompter& prompter);

struct LabelWrite {
    Channel channel;
    std::string oldLabel;
    std::string text; // padded to 4 characters
};

// One write per target, texts padded to 4 characters: one text for every
// target (single rename) or one text each (advanced); any other count of
// texts plans nothing.
std::vector<LabelWrite> PlanRename(const ConfigImage& image, const std::vector<Channel>& targets,
                                   const std::vector<std::string>& texts);

// Instrument address of a label in the image's selected preset.
uint32_t LabelAddress(const ConfigImage& image, Channel c);
// "Modifying Input Label #n - old" / "Modifying Output Label #n - old".
std::string ModifyingLabelText(const LabelWrite& write);

// What a rename needs during remote control: the live block write (false
// when it failed), a pause, and the command sender.
struct LiveRename {
    std::function<bool(uint32_t address, const std::string& text, const std::string& waitText)> writeLabel;
    std::function<void(int ms)> pause;
    CommandSender send;
};
inline constexpr int kLiveLabelPauseMs = 250;

// Stores the writes into the image in order. An output 65+k is skipped when
// its partner input 57+k has just been given a new label: they share it.
// With `live`, each label is written to the instrument first and stored
// only when that succeeded. Returns the channels that were stored.
std::vector<Channel> ApplyRename(ConfigImage& image, const std::vector<LabelWrite>& writes,
                                 const LiveRename* live = nullptr);

} // namespace qv
