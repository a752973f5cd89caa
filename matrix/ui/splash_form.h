#pragma once

#include "matrix/remote_timer.h"
#include "platform/host/progress.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;

namespace qv {

// The start-up splash: title, build line and a progress bar. A 50 ms timer
// counts; from its 51st tick on it advances the bar, and transfers at
// start-up advance it too. When the bar is full the splash hides and goes.
// A click on the logo opens the maker's web site.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kProgressMaximum = 2047;
    static constexpr int kTickMs = 50;
    static constexpr int kQuietTicks = 50;
    static constexpr int kTickAdvance = 128;

    // tick: the 50 ms timer on another clock (tests); unset, its own.
    explicit TSplashForm(StartTimer tick = {}, QWidget* parent = nullptr);

    QString buildText() const;
    int position() const;
    // Advances the bar; a full bar closes the splash.
    void advance(int amount);
    // The bar as transfers advance it.
    Progress& progress() { return progress_; }
    // Hides the splash for good; it is deleted later.
    void finish();
    void setWebAddress(const QString& address) { webAddress_ = address; }

    // One tick of the 50 ms timer.
    void tmrSplashTimer();

signals:
    // Hidden for good: the main window may be used.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    class Bar : public Progress {
    public:
        explicit Bar(TSplashForm& splash) : splash_(splash) {}
        void setMaximum(int64_t) override {}
        int64_t maximum() const override { return kProgressMaximum; }
        void setPosition(int64_t position) override { splash_.advance(int(position - splash_.position())); }
        int64_t position() const override { return splash_.position(); }
        void setText(const std::string&) override {}
        std::string text() const override { return {}; }

    private:
        TSplashForm& splash_;
    };

    void scheduleTick();
    QRect logoRect() const;

    StartTimer tick_;
    QTimer tmrSplash;
    int ticks_ = 0;
    bool finished_ = false;
    QString webAddress_;
    QLabel* lblBuild = nullptr;
    QProgressBar* ProgressBar = nullptr;
    Bar progress_{*this};
};

} // namespace qv
