#pragma once

#include "link/program.h"

#include <string>

namespace qv {

class Prompter;

struct BackupTarget {
    bool ok = false;  // the installation may go on with a backup to `name`
    std::string name; // the backup name as the edit shows it afterwards
};

// The check of the backup file named in the backup edit before a package
// goes in: ".CDP" appended, the directory created on request, an existing
// file replaced on request. The old file stays until the new backup has been
// written in full; what is checked here is that it can be. QV-Matrix does not
// ask again about the file last chosen in its save dialog (confirmedName),
// which already asked.
BackupTarget CheckBackupTarget(const std::string& text, Prompter& prompter, Program program = Program::Update,
                               const std::string& confirmedName = {});

} // namespace qv
