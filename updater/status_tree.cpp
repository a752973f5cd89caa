#include "status_tree.h"

namespace qv {

namespace {

constexpr const char* kMakerLine = "Qvella A/S - Instrument System Information.";
constexpr const char* kFileMakerLine = "Copyright (C) Qvella A/S 2024";

void Flatten(const TreeNode& node, int depth, std::vector<std::pair<int, std::string>>& out)
{
    out.emplace_back(depth, node.text);
    for (const TreeNode& child : node.children)
        Flatten(child, depth + 1, out);
}

} // namespace

TreeNode& TreeNode::add(std::string childText, int childIcon)
{
    children.push_back({std::move(childText), childIcon, {}, false});
    return children.back();
}

TreeNode& StatusTree::add(std::string text, int icon)
{
    lines.push_back({std::move(text), icon, {}, false});
    return lines.back();
}

std::vector<std::pair<int, std::string>> StatusTree::flatten() const
{
    std::vector<std::pair<int, std::string>> out;
    for (const TreeNode& line : lines)
        Flatten(line, 0, out);
    return out;
}

std::string SystemInformationFileText(const StatusTree& tree, const std::string& programVersion)
{
    std::string text = "This file was created with QV-Update Version " + programVersion + "\r\n";
    text += std::string(kFileMakerLine) + "\r\n\r\n";
    for (const auto& [depth, line] : tree.flatten())
        text += std::string(size_t(depth), '\t') + line + "\r\n";
    return text;
}

std::string SystemInformationClipboardText(const StatusTree& tree)
{
    std::string text = kMakerLine;
    for (const auto& line : tree.flatten())
        text += "\r" + line.second;
    return text;
}

} // namespace qv
