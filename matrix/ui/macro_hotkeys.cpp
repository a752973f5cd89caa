#include "macro_hotkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>

#if QV_HAVE_XCB
#include <xcb/xcb.h>
#include <QtGui/qguiapplication_platform.h>
#endif

#include <cstdlib>
#include <memory>

namespace qv {

#if QV_HAVE_XCB && QT_CONFIG(xcb)
#define QV_X11_HOTKEYS 1
#else
#define QV_X11_HOTKEYS 0
#endif

namespace {

#if QV_X11_HOTKEYS
constexpr uint32_t kKeysymF1 = 0xFFBE; // F2 .. F12 follow
// Ctrl+F<k> whatever the state of Caps Lock and Num Lock (usually Mod2).
constexpr uint16_t kLockStates[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr uint16_t kRelevantModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

xcb_connection_t* X11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The first keycode of each of F1 to F12 in the current keyboard map; 0
// where the map has none.
std::vector<uint8_t> FunctionKeycodes(xcb_connection_t* c)
{
    std::vector<uint8_t> codes(MacroHotkeys::kHotkeyCount, 0);
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const xcb_get_keyboard_mapping_cookie_t cookie = xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count));
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_keyboard_mapping_reply(c, cookie, nullptr), &std::free);
    if (!reply || reply->keysyms_per_keycode == 0)
        return codes;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int per = reply->keysyms_per_keycode;
    const int keycodes = xcb_get_keyboard_mapping_keysyms_length(reply.get()) / per;
    for (int k = 0; k < keycodes; ++k)
        for (int s = 0; s < per; ++s) {
            const uint32_t sym = syms[k * per + s];
            if (sym >= kKeysymF1 && sym < kKeysymF1 + MacroHotkeys::kHotkeyCount && codes[sym - kKeysymF1] == 0)
                codes[sym - kKeysymF1] = uint8_t(setup->min_keycode + k);
        }
    return codes;
}
#endif

} // namespace

MacroHotkeys::MacroHotkeys(QObject* parent) : QObject(parent) {}

MacroHotkeys::~MacroHotkeys()
{
    unregisterHotkeys();
}

bool MacroHotkeys::available()
{
#if QV_X11_HOTKEYS
    return X11Connection() != nullptr;
#else
    return false;
#endif
}

QString MacroHotkeys::unavailableText()
{
    return QStringLiteral("Global hotkeys need an X11 session. Here Ctrl+F1 to Ctrl+F12 work only while "
                          "QV-Matrix has the focus.");
}

bool MacroHotkeys::registerHotkeys()
{
    unregisterHotkeys();
#if QV_X11_HOTKEYS
    xcb_connection_t* c = X11Connection();
    if (!c)
        return false;
    const std::vector<uint8_t> codes = FunctionKeycodes(c);
    bool all = true;
    for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(c)); screen.rem;
         xcb_screen_next(&screen)) {
        const xcb_window_t root = screen.data->root;
        for (int k = 0; k < kHotkeyCount; ++k) {
            if (codes[size_t(k)] == 0) {
                all = false;
                continue;
            }
            for (uint16_t lock : kLockStates) {
                const uint16_t modifiers = XCB_MOD_MASK_CONTROL | lock;
                // Another program holding the key answers with an access error.
                const xcb_void_cookie_t cookie = xcb_grab_key_checked(
                    c, 1, root, modifiers, codes[size_t(k)], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
                    std::free(error);
                    all = false;
                    continue;
                }
                grabs_.push_back({root, codes[size_t(k)], modifiers, k + 1});
            }
        }
    }
    xcb_flush(c);
    if (!grabs_.empty())
        QCoreApplication::instance()->installNativeEventFilter(this);
    return all;
#else
    return false;
#endif
}

void MacroHotkeys::unregisterHotkeys()
{
    if (grabs_.empty())
        return;
#if QV_X11_HOTKEYS
    if (xcb_connection_t* c = X11Connection()) {
        for (const Grab& grab : grabs_)
            xcb_ungrab_key(c, grab.keycode, grab.root, grab.modifiers);
        xcb_flush(c);
    }
#endif
    grabs_.clear();
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool MacroHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#if QV_X11_HOTKEYS
    if (grabs_.empty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if ((key->state & kRelevantModifiers) != XCB_MOD_MASK_CONTROL)
        return false;
    for (const Grab& grab : grabs_)
        if (grab.keycode == key->detail) {
            // Taken here, so the focused window's menu shortcut does not act a second time.
            emit hotkeyPressed(grab.number);
            return true;
        }
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
}

} // namespace qv
