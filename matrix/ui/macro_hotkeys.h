#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QString>

#include <cstdint>
#include <vector>

namespace qv {

// Ctrl+F1 to Ctrl+F12 as system-wide hotkeys: keys 1 to 10 act as macro
// menu items 1 to 10, 11 as "Run Macro...", 12 stops a running macro.
// They are key grabs on X11; on any other display only the main window's
// menu shortcuts work, and the menu toggle says so in its tooltip.
class MacroHotkeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    static constexpr int kHotkeyCount = 12;

    explicit MacroHotkeys(QObject* parent = nullptr);
    ~MacroHotkeys() override;

    // Whether this session can have global hotkeys at all.
    static bool available();
    // The toggle's tooltip where they are not available.
    static QString unavailableText();

    // Grabs every hotkey it can; false when not available or another
    // program holds one of the keys (the others still work).
    bool registerHotkeys();
    void unregisterHotkeys();
    bool registered() const { return !grabs_.empty(); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // 1 to 12, whichever window has the focus.
    void hotkeyPressed(int number);

private:
    struct Grab {
        uint32_t root = 0;
        uint8_t keycode = 0;
        uint16_t modifiers = 0;
        int number = 0;
    };
    std::vector<Grab> grabs_;
};

} // namespace qv
