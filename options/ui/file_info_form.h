#pragma once

#include <QDialog>

class QTableWidget;

namespace qv {

class ConfigImage;
class Prompter;

// The identity trailer of the loaded configuration as a table. With the
// version override of the command line the serial number and the software
// version can be changed by a double click on their rows.
class TFileInfoForm : public QDialog {
    Q_OBJECT

public:
    TFileInfoForm(ConfigImage& image, bool versionOverride, Prompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog, modal, with the trailer as it is now.
    void showInfo();
    // A double click on a row (0 to 5).
    void grdInfoDblClick(int row);

signals:
    // A value was taken into the trailer: the image counts as modified.
    void trailerChanged();

private:
    void fill();

    ConfigImage& image_;
    const bool versionOverride_;
    Prompter& prompter_;
    QTableWidget* grdInfo = nullptr;
};

} // namespace qv
