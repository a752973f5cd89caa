#pragma once

#include "link/host_services.h"
#include "link/matrix_channel.h"
#include "link/matrix_link.h"
#include "link/matrix_transfer.h"
#include "link/transfer_view.h"
#include "platform/qt/qt_progress.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

class QLabel;
class QProgressBar;

namespace qv {

// The transfer window: a small always-on-top progress window that owns the
// serial channel while it exists. Creating it opens the port; destroying
// it closes the port.
class TRS232Driver : public QDialog, public TransferView {
    Q_OBJECT

public:
    static constexpr int kHeight = 88;

    TRS232Driver(SerialPort& port, HostServices host, InstrumentRecord& record, const std::string& portName,
                 const std::string& trafficLog, QWidget* mainWindow);
    ~TRS232Driver() override;

    MatrixChannel& channel() { return channel_; }
    MatrixLink& link() { return link_; }
    MatrixTransfer& transfer() { return transfer_; }

    // TransferView
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    std::string textLine() const override;
    void setTextLine(const std::string& text) override;
    Progress& bar() override { return bar_; }
    Progress& secondBar() override { return secondBar_; }
    void showSecondBar(bool shown) override;
    std::string mainCaption() const override;
    void placeOverMainWindow() override;
    void showWindow() override;
    void hideWindow() override { hide(); }
    void refresh() override;
    void setBusyCursor(bool busy) override;
    void enableMainWindow() override;
    // The start-up splash follows the transfers while it shows.
    Progress* splashBar() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void WorkAroundRXFlagTimerTimer();
    // Asks the closing question of the running transfer; on Yes cancels it.
    bool mayClose();

    QPointer<QWidget> mainWindow_;
    QLabel* DSPProgressFileName = nullptr;
    QProgressBar* DSPProgressBar = nullptr;
    QProgressBar* SecondProgressBar = nullptr;
    QTimer WorkAroundRXFlagTimer;
    bool closing_ = false;
    QtProgress bar_;
    QtProgress secondBar_;
    MatrixChannel channel_;
    MatrixLink link_;
    MatrixTransfer transfer_;
};

} // namespace qv
