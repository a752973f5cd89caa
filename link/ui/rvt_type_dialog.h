#pragma once

#include "link/program.h"
#include "link/rvt_type_choice.h"
#include "platform/host/prompter.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <optional>

namespace qv {

// The BIOS-mode type dialog both programs show when the instrument cannot
// tell its own type. Each program derives its window from it.
class RvtTypeDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 362;
    static constexpr int kClientHeight = 172;
    static constexpr int kFontPixels = 11;

    RvtTypeDialog(Program program, Prompter& prompter, QWidget* parent = nullptr);

    // The confirmed type code; empty until OK was confirmed with an entry.
    std::optional<int> chosenType() const { return chosenType_; }

protected:
    void OKButtonClick();

    QGroupBox* gbType = new QGroupBox(this);
    QLabel* lblInfo = new QLabel(gbType);
    QComboBox* cbRVTType = new QComboBox(gbType);
    QPushButton* OKButton = new QPushButton(this);

private:
    void layOut();

    RvtTypeChoice choice_;
    Prompter& prompter_;
    std::optional<int> chosenType_;
};

} // namespace qv
