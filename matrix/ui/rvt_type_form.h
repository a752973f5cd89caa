#pragma once

#include "link/ui/rvt_type_dialog.h"

namespace qv {

// QV-Matrix's BIOS-mode type dialog, shown by the installation window.
class TRVTTypeForm : public RvtTypeDialog {
    Q_OBJECT

public:
    explicit TRVTTypeForm(Prompter& prompter, QWidget* parent = nullptr);
};

} // namespace qv
