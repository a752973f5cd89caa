#pragma once

#include "service/lcd_selection.h"
#include "service/screen_grab.h"

#include <QImage>
#include <QMainWindow>

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qv {

class EventPump;
class LcdView;
class Prompter;

// QV-ScreenGrab: captures the instrument's LCD, whole, a rectangle or the
// menu area; shows, copies and saves the picture or the raw video memory;
// sends the display commands. Shown over the disabled main window.
class TfrmSCG : public QMainWindow, public ScreenGrabView {
    Q_OBJECT

public:
    static constexpr char kCaption[] = "QV-ScreenGrab V.1.23";

    // restart and about: the main window's restart and About box.
    TfrmSCG(Prompter& prompter, EventPump& pump, ScreenGrab::TransferWindow transferWindow,
            std::function<void()> restart, std::function<void()> about, QWidget* mainWindow);
    ~TfrmSCG() override;

    // Shows the window for an instrument of `instrumentType`; without the
    // serial interface nothing can be read from the instrument or sent to it.
    void FormShow(int instrumentType, bool serialInterface);

    ScreenGrab& grab() { return grab_; }
    const LcdSelection& selection() const { return selection_; }
    // The last decoded picture, whole.
    const QImage& captureBitmap() const { return capture_; }
    LcdView& lcd() { return *LCD; }

    // ScreenGrabView
    void setStatus(const std::string& text) override;
    void clearOffset() override;
    void setFormEnabled(bool enabled) override { setEnabled(enabled); }
    void showCapture(bool fromFile) override;
    void setFileName(const std::string& path) override;

    void UploadButtonClick();
    void Button1Click();
    void SelectButtonClick();
    void OpenRamDataClick();
    void SaveRamDataAsClick();
    void SaveBitmapAsClick();
    void CopyToClipboardClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus(const std::function<void()>& restart, const std::function<void()>& about);
    QWidget* buildControls();
    QGroupBox* buildSelection();
    QGroupBox* buildScreenSource();
    QGroupBox* buildCommands(const char* name, const char* title, QPushButton*& first, const char* firstName,
                             const char* firstText, QPushButton*& second, const char* secondName,
                             const char* secondText);
    void LCDMouseDown(QPoint at);
    void LCDMouseMove(QPoint at);
    void LCDMouseUp(QPoint at);
    void EditChange(LcdSelection::Field field, int value);
    // The fields, the outline and the offset from the selection.
    void showSelection();
    void enableSelection(bool group);
    ScreenSource chosenSource() const;
    void upload(const LcdRect& rect);

    Prompter& prompter_;
    EventPump& pump_;
    QWidget* mainWindow_;
    ScreenGrab grab_;
    LcdSelection selection_;
    QImage capture_;
    QImage backdrop_;
    int instrumentType_ = 0;
    bool serialInterface_ = true;
    bool holdingMain_ = false;
    bool showingFields_ = false;

    LcdView* LCD = nullptr;
    QLabel* TempImage = nullptr;
    QPushButton* UploadButton = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* SelectButton = nullptr;
    QGroupBox* gbSelection = nullptr;
    QSpinBox* udTop = nullptr;
    QSpinBox* udBot = nullptr;
    QSpinBox* udLeft = nullptr;
    QSpinBox* udRight = nullptr;
    QGroupBox* gbScreenSource = nullptr;
    QRadioButton* rbScreen[kScreenCount] = {};
    QPushButton* btnFreeze = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QAction* mnuUploadLCD = nullptr;
    QAction* mnuSaveRamData = nullptr;
    QAction* mnuSaveBitmap = nullptr;
    QLabel* StatusPanel = nullptr;
    QLabel* OffsetPanel = nullptr;
    QLabel* FilePanel = nullptr;
};

} // namespace qv
