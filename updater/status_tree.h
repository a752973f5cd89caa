#pragma once

#include <string>
#include <vector>

namespace qv {

// Icons of the status image list.
inline constexpr int kIconNone = -1;
inline constexpr int kIconSuccess = 0;
inline constexpr int kIconError = 1;
inline constexpr int kIconWarning = 2;
inline constexpr int kIconDisconnected = 4;

// One line of the status tree (sysTree) with the lines below it.
struct TreeNode {
    std::string text;
    int icon = kIconNone;
    std::vector<TreeNode> children;
    bool expanded = false;

    TreeNode& add(std::string childText, int childIcon = kIconNone);
};

// What sysTree shows: the search and connection messages, or the system
// information once connected.
struct StatusTree {
    std::vector<TreeNode> lines; // top level
    bool icons = true;           // false: the status image list is taken away

    TreeNode& add(std::string text, int icon = kIconNone);
    void clear() { lines.clear(); }
    // Every line's text in display order, with its depth (0 for top level).
    std::vector<std::pair<int, std::string>> flatten() const;
};

// "System Information" text file: two header lines, an empty line, then one
// line per tree line, indented by one tab per level; "\r\n" line ends.
std::string SystemInformationFileText(const StatusTree& tree, const std::string& programVersion);

// Clipboard form: a title, then "\r" and each line's text, unindented.
std::string SystemInformationClipboardText(const StatusTree& tree);

} // namespace qv
