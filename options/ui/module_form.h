#pragma once

#include "link/dot_identity.h"

#include <QDialog>

class QGroupBox;
class QLabel;

namespace qv {

// The installed modules: the channel counts and the module in each of the
// instrument's four input and four output slots, as its DOT identity
// reports them.
class TModuleForm : public QDialog {
    Q_OBJECT

public:
    explicit TModuleForm(QWidget* parent = nullptr);

    // Shows the dialog, modal, for this identity.
    void showFor(const DotIdentity& identity);

private:
    QGroupBox* gbInputs = nullptr;
    QGroupBox* gbOutputs = nullptr;
    QLabel* lblInput[4] = {};
    QLabel* lblOutput[4] = {};
};

} // namespace qv
