#include "config_document.h"

#include "config/preset_list.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qv {

std::string SaveAsName(const std::string& typed, int filterIndex)
{
    const char* extension = filterIndex == 1 ? ".PRE" : filterIndex == 2 ? ".380" : nullptr;
    if (extension && !EndsWithNoCase(typed, extension))
        return typed + extension;
    return typed;
}

ConfigDocument::ConfigDocument(ConfigImage& image, MainView& view, Prompter& prompter)
    : image_(image), view_(view), prompter_(prompter)
{
}

bool ConfigDocument::ReplacementGuard()
{
    if (releaseRemoteControl && !releaseRemoteControl())
        return false;
    if (!hasImage_ || !image_.modified())
        return true;
    switch (prompter_.message(MessageKind::Confirmation, "Do you wish to save the changes?", ButtonYesNoCancel,
                              Answer::Yes)) {
    case Answer::Yes:
        return SaveAs();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool ConfigDocument::Open(const std::string& givenPath)
{
    if (!ReplacementGuard())
        return false;
    std::string path = givenPath;
    if (path.empty()) {
        auto chosen = prompter_.openFile("Open", kOpenFilter, {});
        if (!chosen)
            return false;
        path = *chosen;
    }
    return Load(path, false);
}

bool ConfigDocument::OpenRecent(const std::string& path)
{
    return ReplacementGuard() && Load(path, true);
}

bool ConfigDocument::Load(const std::string& path, bool fromRecentList)
{
    if (!LoadConfiguration(path, image_, prompter_, versionOverride)) {
        if (!fromRecentList)
            prompter_.error(kNotValidConfigurationText);
        return false;
    }
    saveName_.clear();
    hasImage_ = true;
    view_.setField(MainField::File, path);
    view_.setField(MainField::Offset, OffsetStandardName(image_) + " Offset");
    if (!fromRecentList)
        view_.addRecentFile(path);
    image_.selectPreset(0);
    image_.setModified(false);
    view_.imageReplaced();
    view_.showImage(true);
    UpdateCommands();
    return true;
}

bool ConfigDocument::SaveTo(const std::string& path)
{
    if (!SaveConfiguration(path, image_, prompter_))
        return false; // the writer showed why; the changes stay marked
    image_.setModified(false);
    view_.setField(MainField::File, path);
    UpdateCommands();
    return true;
}

bool ConfigDocument::Save()
{
    if (saveName_.empty())
        return SaveAs();
    return SaveTo(saveName_);
}

bool ConfigDocument::SaveAs()
{
    auto typed = prompter_.saveFile("Save As", kSaveFilter, saveName_);
    if (!typed)
        return false;
    const std::string name = SaveAsName(*typed, prompter_.lastFilterIndex());
    std::error_code ec;
    if (std::filesystem::exists(name, ec) &&
        !prompter_.confirm("The file " + name + " allready exists.\r\rDo you wish to replace it?", Answer::No)) {
        saveName_.clear();
        return false;
    }
    if (!SaveTo(name))
        return false;
    saveName_ = name;
    view_.addRecentFile(name);
    return true;
}

void ConfigDocument::UpdateCommands()
{
    view_.enable(MainCommand::Save, hasImage_ && !saveName_.empty() && image_.modified());
    view_.enable(MainCommand::SaveAs, hasImage_);
}

} // namespace qv
