#pragma once

namespace qv {

// The topics of the help pages. Each number is the anchor "topic-N" on the
// page of every program that opens it. Whatever opens the help names its
// topic here, so the pages can be checked against this one list.
enum class HelpTopic : int {
    Contents = 0,         // the start of the page; a message with it has no Help button
    MissingPort = 6,      // the saved serial port is no longer there
    PresetUpgrade = 7,    // upgrading a preset for newer software; an interrupted download
    RvtType = 15,         // naming the type of an instrument in BIOS mode
    Options = 31,         // QV-Matrix's Options dialog
    InstallSoftware = 39, // QV-Matrix's software installation
    UnsupportedType = 69, // instruments QV-Matrix does not handle
};

// The programs' help pages, as flags.
enum HelpPageFlag : unsigned {
    InMatrixHelp = 1,
    InUpdateHelp = 2,
};

// The pages that need a section for a topic; 0 for a number that names no
// topic. No default: a new topic without its pages draws a warning here.
constexpr unsigned HelpPagesOf(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::Contents:
    case HelpTopic::PresetUpgrade:
    case HelpTopic::RvtType:
        return InMatrixHelp | InUpdateHelp;
    case HelpTopic::MissingPort:
    case HelpTopic::Options:
    case HelpTopic::InstallSoftware:
    case HelpTopic::UnsupportedType:
        return InMatrixHelp;
    }
    return 0;
}

// Topic numbers stay below this, so a check can walk all of them.
inline constexpr int kHelpTopicLimit = 1000;

constexpr int TopicNumber(HelpTopic topic) { return static_cast<int>(topic); }

} // namespace qv
