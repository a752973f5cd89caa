#pragma once

#include "matrix/grid_settings.h"

#include <QDialog>
#include <QPixmap>
#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QVBoxLayout;

namespace qv {

class MatrixGrid;
class Prompter;
class TMainForm;

// QV-Matrix's own preferences: how a crosspoint is set, the mouse trace of
// the grid and its colour, the icons of the crosspoint roles and the file
// types registered to the program. OK stores them in the main window's
// settings (written to the file when the program closes) and applies them
// to the grid at once; Cancel keeps everything as it was.
class TOptionsForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPreviewSize = 23;
    static constexpr int kPreviewOffset = 4;

    TOptionsForm(TMainForm& mainForm, MatrixGrid& grid, Prompter& prompter);

    // Shows the dialog, modal, with the stored values and the registration
    // as it is now.
    void showOptions();

    bool iconsChanged() const { return iconsChanged_; }
    bool fileTypesTouched() const { return fileTypesTouched_; }
    // The icon a role's preview shows.
    QImage preview(int role) const;

    void OKButtonClick();

private:
    void buildMatrixGroup(QVBoxLayout* layout);
    void buildFileTypeGroup(QVBoxLayout* layout);
    void fillColours();
    void selectColour(uint32_t rgb);
    uint32_t chosenColour() const;
    void drawPreview(int role, int icon);
    void spinChanged(int role, int icon);
    void CheckMouseTraceClick();
    GridSettings chosen() const;
    void applyFileTypes();

    TMainForm& mainForm_;
    MatrixGrid& grid_;
    Prompter& prompter_;
    QVector<QPixmap> icons_;
    bool iconsChanged_ = false;
    bool fileTypesTouched_ = false;

    QCheckBox* CheckMatrixClick = nullptr;
    QCheckBox* CheckMouseTrace = nullptr;
    QLabel* lblTraceColour = nullptr;
    QComboBox* ColorTrace = nullptr;
    QSpinBox* spins_[6] = {};
    QLabel* previews_[6] = {};
    QListWidget* ListFileAsc = nullptr;
    QCheckBox* CheckBoxFileAssociation = nullptr;
};

} // namespace qv
