#include "rvt_type_form.h"

namespace qv {

TRVTTypeForm::TRVTTypeForm(Prompter& prompter, QWidget* parent)
    : RvtTypeDialog(Program::Matrix, prompter, parent)
{
    setObjectName(QStringLiteral("RVTTypeForm"));
}

} // namespace qv
