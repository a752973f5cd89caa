#include "macro_recording.h"

#include "grid_model.h"
#include "label_selection.h"
#include "macro_file.h"
#include "platform/host/prompter.h"
#include "platform/host/text_case.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>

namespace qv {

namespace {

int FirstInputWithIcon(const GridModel& grid, int o, int icon)
{
    for (int i = 0; i < GridModel::kShownInputs; ++i)
        if (grid.cell(i, o) == icon)
            return i + 1;
    return 0;
}

} // namespace

int RecordedSource(const GridModel& grid, int output)
{
    const GridSettings& icons = grid.settings();
    for (int icon : {icons.localXpoint, icons.remoteXpoint, icons.xpointFromFile})
        if (const int input = FirstInputWithIcon(grid, output - 1, icon))
            return input;
    return 0;
}

std::vector<std::string> RecordMacroLines(const GridModel& grid, const LabelSelection& selection)
{
    std::vector<std::string> lines;
    for (int output : selection.outputs())
        if (const int input = RecordedSource(grid, output))
            lines.push_back(".SA" + std::to_string(output) + "," + std::to_string(input));
    return lines;
}

std::string MacroSaveName(const std::string& typed)
{
    return EndsWithNoCase(typed, ".MCR") ? typed : typed + ".MCR";
}

bool SaveMacro(const std::string& name, const GridModel& grid, const LabelSelection& selection, Prompter& prompter)
{
    const auto typed = prompter.saveFile(kMacroSaveCaption, kMacroSaveFilter, {});
    if (!typed)
        return false;
    const std::string path = MacroSaveName(*typed);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        !prompter.confirm("The file " + path + " allready exists.\r\rDo you wish to replace it?", Answer::No))
        return false;
    std::string error;
    if (!SaveMacroFile(path, name.substr(0, kMacroNameLength), RecordMacroLines(grid, selection), error)) {
        prompter.error("Cannot create file \"" + path + "\". " + error);
        return false;
    }
    return true;
}

} // namespace qv
