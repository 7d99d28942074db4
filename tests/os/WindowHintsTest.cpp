// Window hints where there is no X server (offscreen), and the choice of
// the X11 platform under Wayland.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QWindow>

#include <cstdlib>
#include <string>

#include "platform/os/WindowHints.h"

namespace {

TEST(WindowHints, DoNothingWithoutAnXConnection)
{
    ASSERT_EQ(QGuiApplication::platformName(), "offscreen");
    QWindow window;
    window.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    ApplyBarWindowHints(&window); // must not reach xcb with a null connection
    window.show();
    window.hide();
    window.show();
    EXPECT_TRUE(window.isVisible());
    ApplyBarWindowHints(nullptr);
}

struct PlatformCase {
    const char* platform;       // QT_QPA_PLATFORM before, nullptr: unset
    const char* waylandDisplay; // nullptr: unset
    const char* sessionType;    // nullptr: unset
    const char* expected;       // QT_QPA_PLATFORM after, nullptr: unset
};

TEST(PreferX11Platform, ChoosesXcbOnlyInAWaylandSessionWithoutAChoice)
{
    auto set = [](const char* name, const char* value) {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    };
    for (const PlatformCase& c : {
             PlatformCase{nullptr, "wayland-0", nullptr, "xcb"},
             PlatformCase{nullptr, nullptr, "wayland", "xcb"},
             PlatformCase{nullptr, nullptr, "x11", nullptr},
             PlatformCase{nullptr, nullptr, nullptr, nullptr},
             PlatformCase{"wayland", "wayland-0", "wayland", "wayland"}, // the user's choice stands
             PlatformCase{"offscreen", nullptr, "wayland", "offscreen"},
         }) {
        set("QT_QPA_PLATFORM", c.platform);
        set("WAYLAND_DISPLAY", c.waylandDisplay);
        set("XDG_SESSION_TYPE", c.sessionType);
        PreferX11Platform();
        const char* after = std::getenv("QT_QPA_PLATFORM");
        EXPECT_EQ(after ? std::string(after) : "(unset)", c.expected ? c.expected : "(unset)")
            << "platform " << (c.platform ? c.platform : "-") << ", wayland display "
            << (c.waylandDisplay ? c.waylandDisplay : "-") << ", session " << (c.sessionType ? c.sessionType : "-");
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace
