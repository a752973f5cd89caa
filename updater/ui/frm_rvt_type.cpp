#include "frm_rvt_type.h"

namespace qv {

TfrmRVTType::TfrmRVTType(Prompter& prompter, QWidget* parent)
    : RvtTypeDialog(Program::Update, prompter, parent)
{
    setObjectName(QStringLiteral("frmRVTType"));
}

} // namespace qv
