#include "platform/os/WindowHints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::array kStates{"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE"};

xcb_connection_t* LiveX11Connection()
{
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return nullptr;
    xcb_connection_t* connection = x11->connection();
    return connection && !xcb_connection_has_error(connection) ? connection : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    xcb_atom_t atom = XCB_ATOM_NONE;
    if (reply)
        atom = reply->atom;
    std::free(reply);
    return atom;
}

// Before the window is mapped the state is a plain property, which Qt merges
// with its own states when it shows the window.
void SetStateProperty(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_atom_t netWmState = Atom(connection, "_NET_WM_STATE");
    std::vector<xcb_atom_t> atoms;
    const auto cookie = xcb_get_property(connection, 0, window, netWmState, XCB_ATOM_ATOM, 0, 1024);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        const auto* existing = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        if (reply->format == 32)
            atoms.assign(existing, existing + xcb_get_property_value_length(reply) / 4);
        std::free(reply);
    }
    for (const char* name : kStates) {
        const xcb_atom_t atom = Atom(connection, name);
        if (atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) == atoms.end())
            atoms.push_back(atom);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, netWmState, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection);
}

// A mapped window changes its state by asking the window manager.
void RequestStates(xcb_connection_t* connection, xcb_window_t window)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t netWmState = Atom(connection, "_NET_WM_STATE");
    for (const char* name : kStates) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = netWmState;
        event.data.data32[0] = 1; // _NET_WM_STATE_ADD
        event.data.data32[1] = Atom(connection, name);
        event.data.data32[3] = 1; // source: a normal application
        xcb_send_event(connection, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(connection);
}

// Sets the states again on every show: the show event comes before Qt maps
// the window. A show right after a hide can reach the window manager before
// it has finished withdrawing the window, and the withdrawal then clears the
// property just set; so once the window is on screen the states are also
// asked for, which the window manager handles after the map.
class ReapplyOnShow final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Show) {
            requested_ = false;
            if (xcb_connection_t* connection = LiveX11Connection())
                SetStateProperty(connection, static_cast<xcb_window_t>(window->winId()));
        } else if (event->type() == QEvent::Expose && !requested_ && window->isExposed()) {
            requested_ = true;
            if (xcb_connection_t* connection = LiveX11Connection())
                RequestStates(connection, static_cast<xcb_window_t>(window->winId()));
        }
        return false;
    }

private:
    bool requested_ = false;  // asked for since the last show
};

} // namespace

void ApplyBarWindowHints(QWindow* window)
{
    xcb_connection_t* connection = LiveX11Connection();
    if (!window || !connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId()); // creates the native window
    if (window->isVisible())
        RequestStates(connection, id);
    else
        SetStateProperty(connection, id);
    if (!window->findChild<ReapplyOnShow*>(QString(), Qt::FindDirectChildrenOnly))
        window->installEventFilter(new ReapplyOnShow(window));
}

void PreferX11Platform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                         qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (wayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
}
