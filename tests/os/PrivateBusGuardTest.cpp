// The safety guard of the test support: no power call may reach the
// machine's own system bus.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/MockLogindBus.h"

namespace {

const char* const kPrivate = "unix:path=/tmp/private-bus/system_bus_socket";

TEST(PrivateBusGuard, StopsWhenTheSystemBusIsUnsetOrTheMachines)
{
    struct Case {
        const char* address; // nullptr: unset
        const char* message;
    };
    for (const Case& c : {Case{nullptr, "unset"}, Case{"", "unset"},
                          Case{"unix:path=/run/dbus/system_bus_socket", "machine's system bus"},
                          Case{"unix:path=/var/run/dbus/system_bus_socket", "machine's system bus"},
                          Case{"unix:path=/tmp/other/socket", "not the private bus"}}) {
        EXPECT_DEATH(
            {
                if (c.address)
                    setenv("DBUS_SYSTEM_BUS_ADDRESS", c.address, 1);
                else
                    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
                RequirePrivateSystemBus(kPrivate);
            },
            c.message);
    }
}

TEST(PrivateBusGuard, LetsThePrivateBusThrough)
{
    setenv("DBUS_SYSTEM_BUS_ADDRESS", kPrivate, 1);
    RequirePrivateSystemBus(kPrivate);
}

TEST(PrivateBusGuard, TheMockOwnsLogindOnItsOwnBus)
{
    MockLogindBus bus;
    EXPECT_NE(bus.SystemAddress().toStdString().find("/system_bus_socket"), std::string::npos);
    EXPECT_EQ(bus.SystemAddress().toStdString().find("/run/dbus/"), std::string::npos);
    bus.RequireMockOwnsLogind(); // aborts otherwise
    EXPECT_EQ(std::getenv("DBUS_SYSTEM_BUS_ADDRESS"), bus.SystemAddress().toStdString());
}

} // namespace
