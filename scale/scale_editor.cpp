#include "scale/scale_editor.h"

#include "config/image_layout.h"

#include <filesystem>

namespace qv {

std::string ScaleListEntry(size_t number)
{
    return "Scale #" + std::to_string(number) + " - ";
}

std::string ScaleListEntry(size_t number, const ScaleRecord& record)
{
    return ScaleListEntry(number) + record.shortName.text();
}

std::optional<uint32_t> ScaleSlotAddress(int keyNo)
{
    const int offset = ScaleSlotOffset(keyNo);
    if (offset < 0)
        return std::nullopt;
    return kImageBaseAddress + uint32_t(offset);
}

std::string NoteAsMemoText(const std::string& note)
{
    std::string memo;
    for (size_t i = 0; i < note.size(); ++i) {
        if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n')
            continue;
        memo += note[i];
    }
    return memo;
}

std::string MemoTextAsNote(const std::string& memo)
{
    std::string note;
    for (char c : memo) {
        if (c == '\n')
            note += '\r';
        note += c;
    }
    return note;
}

void ScaleEditor::setNumber(size_t number)
{
    if (number >= 1 && number <= kScaleCount)
        number_ = number;
}

bool ScaleEditor::Open()
{
    const auto chosen = prompter_.openFile("Open Scale File", kScaleFileFilter, fileName_);
    return chosen && Load(*chosen);
}

bool ScaleEditor::Load(const std::string& path)
{
    std::string error;
    if (!LoadScaleLibrary(path, library_, error)) {
        prompter_.error(error);
        return false;
    }
    fileName_ = path;
    changed_ = false;
    return true;
}

bool ScaleEditor::Save()
{
    if (fileName_.empty())
        return SaveAs();
    return WriteTo(fileName_);
}

bool ScaleEditor::SaveAs()
{
    const auto chosen = prompter_.saveFile("Save Scale File As", kScaleFileFilter, fileName_);
    if (!chosen)
        return false;
    const std::string name = std::filesystem::path(*chosen).replace_extension(".dat").string();
    std::error_code ec;
    if (std::filesystem::exists(name, ec) &&
        !prompter_.confirm("The file" + name + " already exists. Do you want to replace the existing file?"))
        return false;
    if (!WriteTo(name))
        return false;
    fileName_ = name;
    return true;
}

bool ScaleEditor::WriteTo(const std::string& path)
{
    std::string error;
    if (!SaveScaleLibrary(path, library_, error)) {
        prompter_.error(error);
        return false;
    }
    changed_ = false;
    return true;
}

bool ScaleEditor::OfferReload(const std::string& lastFile)
{
    std::error_code ec;
    if (lastFile.empty() || !std::filesystem::is_regular_file(lastFile, ec))
        return false;
    return prompter_.confirm("Do you wish to reload the scalefile \"" + lastFile + "\" ?") && Load(lastFile);
}

Answer ScaleEditor::AskToSave()
{
    return prompter_.message(MessageKind::Confirmation,
                             "Do you wish to save the changes to the scalefile \"" + fileName_ + "\" ?",
                             ButtonYesNoCancel, Answer::Yes);
}

} // namespace qv
