#include "macro_menu.h"

#include "macro_file.h"
#include "platform/host/prompter.h"

#include <cctype>
#include <cstdint>
#include <filesystem>

namespace qv {

std::string MacroItemKey(int item)
{
    return "File#" + std::to_string(item % kMacroMenuItems);
}

MacroMenuState MacroMenuStateFor(bool busy, bool remoteMenuEnabled, bool outputSelected)
{
    if (busy)
        return {false, false, true, false};
    return {remoteMenuEnabled, remoteMenuEnabled, false, outputSelected};
}

MacroMenu::MacroMenu(Prompter& prompter, MacroMenuHooks hooks) : prompter_(prompter), hooks_(std::move(hooks))
{
    captions_.fill(kUnassignedCaption);
}

void MacroMenu::load(const std::array<std::string, kMacroMenuItems>& files)
{
    files_ = files;
    for (int item = 1; item <= kMacroMenuItems; ++item)
        refreshCaption(item);
}

const std::string& MacroMenu::file(int item) const
{
    static const std::string none;
    return valid(item) ? files_[size_t(item - 1)] : none;
}

const std::string& MacroMenu::caption(int item) const
{
    static const std::string none;
    return valid(item) ? captions_[size_t(item - 1)] : none;
}

bool MacroMenu::unassigned(int item) const
{
    std::string reduced;
    for (char c : caption(item))
        if (std::isalpha(uint8_t(c)) || c == '<' || c == '>')
            reduced += c;
    return reduced == kUnassignedCaption;
}

void MacroMenu::setCaption(int item, const std::string& caption)
{
    captions_[size_t(item - 1)] = caption;
    if (captionChanged)
        captionChanged(item);
}

void MacroMenu::refreshCaption(int item)
{
    const std::string& path = file(item);
    std::error_code ec;
    MacroFile macro;
    if (!path.empty() && std::filesystem::is_regular_file(path, ec) && ReadMacroFile(path, macro))
        setCaption(item, macro.name);
}

bool MacroMenu::assign(int item)
{
    if (!valid(item) || !prompter_.confirm(kAssignMacroQuestion))
        return false;
    const auto chosen = prompter_.openFile(kMacroOpenCaption, kMacroOpenFilter, {});
    if (!chosen)
        return false;
    files_[size_t(item - 1)] = *chosen;
    hooks_.storeFile(item, *chosen);
    refreshCaption(item);
    return true;
}

bool MacroMenu::unassign(int item)
{
    if (!valid(item) || !prompter_.confirm(kUnassignMacroQuestion))
        return false;
    files_[size_t(item - 1)].clear();
    hooks_.storeFile(item, {});
    setCaption(item, kUnassignedCaption);
    return true;
}

void MacroMenu::choose(int item, Keys keys)
{
    if (!valid(item))
        return;
    if (keys.shift) {
        assign(item);
        return;
    }
    if (keys.deleteHeld && !file(item).empty()) {
        unassign(item);
        return;
    }
    if (unassigned(item)) {
        assign(item);
        return;
    }
    if (hooks_.remoteConnected()) {
        hooks_.run(file(item));
        return;
    }
    if (prompter_.confirm(kMacroConnectQuestion) && hooks_.connectRemote())
        hooks_.setPending(file(item));
}

void MacroMenu::runChosen()
{
    const bool connected = hooks_.remoteConnected();
    if (!connected && (!prompter_.confirm(kMacroConnectQuestion) || !hooks_.connectRemote()))
        return;
    const auto chosen = prompter_.openFile(kMacroOpenCaption, kMacroOpenFilter, {});
    if (!chosen)
        return;
    // Right after connecting the crosspoints are still being read; the macro
    // waits for them like any other pending one.
    if (connected)
        hooks_.run(*chosen);
    else
        hooks_.setPending(*chosen);
}

} // namespace qv
