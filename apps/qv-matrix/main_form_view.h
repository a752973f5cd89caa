#pragma once

#include "config/config_image.h"
#include "matrix/main_view.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/matrix_grid.h"
#include "matrix/ui/wait_form.h"

#include <QPointer>

class QLabel;

namespace qv {

// The main window as the connection and the document see it: the shell's
// fields and commands, the preset list, the backlight slider and the grid.
class MainFormView : public MainView {
public:
    MainFormView(TMainForm& form, MatrixGrid& grid, ConfigImage& image) : form_(form), grid_(grid), image_(image) {}
    ~MainFormView() override;

    void setField(MainField field, const std::string& text) override;
    void enable(MainCommand command, bool enabled) override;
    void setMainEnabled(bool enabled) override;
    void showWait(bool shown) override;
    void showImage(bool shown) override;
    void clearPresetList() override;
    void imageReplaced() override;
    void addRecentFile(const std::string& path) override;
    void advanceSplash(int amount) override;
    void hideSplash() override;
    void showProgressDialog(const std::string& caption, const std::string& text) override;
    void hideProgressDialog() override;
    std::string field(MainField field) const override;
    void setWaitText(const std::string& text) override;
    void rebuildLabels() override;
    void rebuildPresetList() override;
    void selectPreset(int preset) override;
    void enablePresetList(bool enabled) override;
    void showRemoteConnected(bool connected) override;
    void setRemoteState(bool connected, uint16_t instrumentVersion, bool typeSupported) override;
    void markIllegalCrosspoints(uint16_t version) override;
    void crosspointReport(int output, int input, bool remote) override;
    void flashCrosspoint(int output, int input) override;

    // The Edit menu follows the grid and the clipboard.
    void updateEditCommands();

private:
    TMainForm& form_;
    MatrixGrid& grid_;
    ConfigImage& image_;
    QPointer<QWidget> progressDialog_;
    TWaitForm& wait_ = *new TWaitForm(&form_); // owned by the main window
    const QString waitText_ = wait_.text();     // shown again once it hides
    int waitDepth_ = 0;
};

} // namespace qv
