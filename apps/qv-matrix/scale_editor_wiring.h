#pragma once

#include "link/instrument_record.h"
#include "matrix/config_document.h"
#include "matrix/main_view.h"
#include "matrix/matrix_connection.h"
#include "matrix/remote_control.h"
#include "matrix/ui/main_form.h"
#include "scale/scale_editor_host.h"
#include "scale/ui/qv_scale_form.h"

#include <functional>

namespace qv {

// The library QV-Scale starts with: our default scales.
ScaleLibrary DefaultScaleLibrary();

// QV-Scale joined to the program: "QV-Scale..." in the Tools menu, the
// instrument and its transfers, remote control, the loaded configuration,
// the main window and the settings.
class ScaleEditorWiring : public ScaleEditorHost {
public:
    ScaleEditorWiring(TMainForm& form, ConfigDocument& document, MatrixConnection& connection, RemoteControl& remote,
                      MainView& view, const InstrumentRecord& record, std::function<MatrixTransfer*()> transferWindow);
    ScaleEditorWiring(const ScaleEditorWiring&) = delete;
    ScaleEditorWiring& operator=(const ScaleEditorWiring&) = delete;

    TQVScaleForm& window() { return *window_; }
    // Before the program ends: an open editor's question about its changes.
    bool mayClose();

    bool instrumentIdentified() const override { return record_.connected; }
    bool liveLink() const override { return record_.remoteCapable; }
    MatrixTransfer* transferWindow() override { return transferWindow_(); }
    void restartInstrument() override { connection_.restart(); }
    bool remoteControlOn() const override { return remote_.connected(); }
    bool releaseRemoteControl() override { return remote_.disconnectAsk(); }
    bool configurationLoaded() const override { return document_.hasImage(); }
    void insertScale(int keyNo, const ScaleTable& table) override;
    void setMainWindowEnabled(bool enabled) override { view_.setMainEnabled(enabled); }
    std::string lastScaleFile() const override;
    void setLastScaleFile(const std::string& path) override;

private:
    TMainForm& form_;
    ConfigDocument& document_;
    MatrixConnection& connection_;
    RemoteControl& remote_;
    MainView& view_;
    const InstrumentRecord& record_;
    std::function<MatrixTransfer*()> transferWindow_;
    TQVScaleForm* window_; // owned by the main window
};

} // namespace qv
