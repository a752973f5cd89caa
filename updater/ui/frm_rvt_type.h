#pragma once

#include "link/ui/rvt_type_dialog.h"

namespace qv {

// QV-Update's BIOS-mode type dialog, shown before a package is installed
// on an instrument of unknown type.
class TfrmRVTType : public RvtTypeDialog {
    Q_OBJECT

public:
    explicit TfrmRVTType(Prompter& prompter, QWidget* parent = nullptr);
};

} // namespace qv
