#pragma once

#include <string>
#include <vector>

namespace qv {

class GridModel;
class LabelSelection;
class Prompter;

// "Save Macro...": the current routing of the selected outputs as a macro.

// The name dialog (the label edit dialog) and its limit.
inline constexpr char kMacroNameTitle[] = "Macro Name";
inline constexpr char kMacroNameCaption[] = "Enter a name for the macro.";
inline constexpr char kMacroSaveCaption[] = "Save Macro";
inline constexpr char kMacroSaveFilter[] = "RVT Macro-Files (*.MCR)|*.MCR|All Files (*.*)|*.*";

// The input number an output (number) takes its signal from in the grid:
// the first cell with the local icon, else the first with the remote icon,
// else the first with the offline icon; 0 for none.
int RecordedSource(const GridModel& grid, int output);

// ".SA" + output + "," + input for every selected output with a source,
// in output order.
std::vector<std::string> RecordMacroLines(const GridModel& grid, const LabelSelection& selection);

// The typed file name with ".MCR" unless it already ends so (any case).
std::string MacroSaveName(const std::string& typed);

// The save dialog, the replace question and the write. name: what the name
// dialog gave (empty for none). True when the file was written.
bool SaveMacro(const std::string& name, const GridModel& grid, const LabelSelection& selection, Prompter& prompter);

} // namespace qv
