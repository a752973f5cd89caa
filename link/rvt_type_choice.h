#pragma once

#include "platform/host/prompter.h"
#include "program.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// What the BIOS-mode type dialog shows and asks in each program. The window
// classes only lay it out; the texts, the list and the OK step live here.
class RvtTypeChoice {
public:
    static constexpr int kInitialIndex = 2;

    // Result of pressing OK: whether the dialog closes and, if an entry
    // was selected, the type code it stands for.
    struct Outcome {
        bool close = false;
        std::optional<int> code;
    };

    explicit RvtTypeChoice(Program program) : program_(program) {}

    Program program() const { return program_; }
    std::string caption() const { return "RVTType."; }
    std::string groupCaption() const { return "Select RVT-Type."; }
    std::string infoText() const;
    std::vector<std::string> entries() const;

    // The confirmation for the entry at index (-1 or out of range: none).
    std::string question(int index) const;
    std::optional<int> codeAt(int index) const;

    // OK with the entry at index selected: ask, and close only on Yes.
    Outcome confirm(int index, Prompter& prompter) const;

private:
    Program program_;
};

} // namespace qv
