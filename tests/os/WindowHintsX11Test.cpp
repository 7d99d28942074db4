// The bar's window hints on a real X server with a window manager; ctest
// runs this inside the desktop rig (Xvfb + openbox).
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "platform/os/WindowHints.h"

namespace {

xcb_connection_t* Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

std::string AtomName(xcb_atom_t atom)
{
    auto* reply = xcb_get_atom_name_reply(Connection(), xcb_get_atom_name(Connection(), atom), nullptr);
    std::string name(xcb_get_atom_name_name(reply), xcb_get_atom_name_name_length(reply));
    std::free(reply);
    return name;
}

std::set<std::string> NetWmState(const QWindow& window)
{
    const char* name = "_NET_WM_STATE";
    auto* atom = xcb_intern_atom_reply(Connection(), xcb_intern_atom(Connection(), 0, std::strlen(name), name), nullptr);
    auto* reply = xcb_get_property_reply(
        Connection(), xcb_get_property(Connection(), 0, window.winId(), atom->atom, XCB_ATOM_ATOM, 0, 64), nullptr);
    std::set<std::string> states;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
            states.insert(AtomName(atoms[i]));
    }
    std::free(reply);
    std::free(atom);
    return states;
}

// The window manager takes the state over when it maps the window: wait for
// it with a deadline.
bool HasBarStates(const QWindow& window)
{
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        const auto states = NetWmState(window);
        if (window.isExposed() && states.count("_NET_WM_STATE_SKIP_TASKBAR") &&
            states.count("_NET_WM_STATE_SKIP_PAGER") && states.count("_NET_WM_STATE_ABOVE"))
            return true;
        QThread::msleep(10);
    }
    return false;
}

TEST(WindowHintsX11, BarIsOutOfTheTaskbarAndAboveAfterEveryShow)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    QWindow window;
    window.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setGeometry(2, 600, 469, 69);
    ApplyBarWindowHints(&window);
    window.show();
    EXPECT_TRUE(HasBarStates(window));
    // Withdrawing drops the state; the next show must bring it back.
    window.hide();
    QCoreApplication::processEvents();
    window.show();
    EXPECT_TRUE(HasBarStates(window));
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "needs an X display: run it inside tests/support/desktop_rig.py run --\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
