#include "scale_editor_wiring.h"

#include "data/embedded_data.h"
#include "matrix/ui/matrix_settings.h"

namespace qv {

ScaleLibrary DefaultScaleLibrary()
{
    ScaleLibrary library;
    ScaleLibraryFromBytes(EmbeddedData("DefaultScales"), library);
    return library;
}

ScaleEditorWiring::ScaleEditorWiring(TMainForm& form, ConfigDocument& document, MatrixConnection& connection,
                                     RemoteControl& remote, MainView& view, const InstrumentRecord& record,
                                     std::function<MatrixTransfer*()> transferWindow)
    : form_(form), document_(document), connection_(connection), remote_(remote), view_(view), record_(record),
      transferWindow_(std::move(transferWindow)),
      window_(new TQVScaleForm(*this, form.prompter(), DefaultScaleLibrary(), &form))
{
    QObject::connect(&form, &TMainForm::qvScaleRequested, window_, &TQVScaleForm::FormShow);
}

bool ScaleEditorWiring::mayClose()
{
    return !window_->isVisible() || window_->close();
}

void ScaleEditorWiring::insertScale(int keyNo, const ScaleTable& table)
{
    document_.image().insertScale(keyNo, table);
    document_.UpdateCommands();
}

std::string ScaleEditorWiring::lastScaleFile() const
{
    return form_.settings().lastScaleFile.toStdString();
}

void ScaleEditorWiring::setLastScaleFile(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    form_.settings().lastScaleFile = file;
    // Kept at once, not only when the program ends.
    WriteLastScaleFile(file, form_.settingsPath());
}

} // namespace qv
