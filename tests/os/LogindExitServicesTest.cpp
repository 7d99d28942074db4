// The logind backend against python3-dbusmock's logind template on a private
// system bus: which method with which arguments each exit action makes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "platform/os/LogindExitServices.h"
#include "tests/support/MockLogindBus.h"

namespace {

using Calls = std::vector<std::string>;

std::string Pid()
{
    return std::to_string(getpid());
}

class LogindBackend : public ::testing::Test {
protected:
    explicit LogindBackend(MockLogindBus::Options options = {}) : bus(options) {}
    std::unique_ptr<IExitServices> Services()
    {
        return CreateLogindExitServices(bus.PowerBus(), bus.SessionBus());
    }
    MockLogindBus bus;
};

struct ActionCase {
    const char* name;
    std::function<void(IExitServices&)> act;
    std::optional<std::pair<const char*, const char*>> inhibitor; // what, mode
    Calls expected;
};

void PrintTo(const ActionCase& c, std::ostream* os)
{
    *os << c.name;
}

class LogindAction : public LogindBackend, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(LogindAction, MakesExactlyTheExpectedCalls)
{
    const ActionCase& c = GetParam();
    if (c.inhibitor)
        bus.Inhibit(c.inhibitor->first, c.inhibitor->second);
    auto services = Services();
    c.act(*services);
    // The power calls do not wait for their reply; the mock's list is read on
    // the same connection, so whatever was sent is in it.
    EXPECT_EQ(bus.WaitForCalls(c.expected.size()), c.expected);
}

const unsigned kForcedPowerOff = EWX_POWEROFF | EWX_FORCE;

INSTANTIATE_TEST_SUITE_P(
    Actions, LogindAction,
    ::testing::Values(
        ActionCase{"RebootNormal", [](IExitServices& s) { s.ExitWindowsEx(EWX_REBOOT); }, {},
                   {"ListInhibitors()", "Reboot(false)"}},
        ActionCase{"PowerOffNormal", [](IExitServices& s) { s.ExitWindowsEx(EWX_POWEROFF); }, {},
                   {"ListInhibitors()", "PowerOff(false)"}},
        ActionCase{"PowerOffForced", [](IExitServices& s) { s.ExitWindowsEx(kForcedPowerOff); }, {},
                   {"PowerOff(true)"}},
        ActionCase{"ShutdownForced", [](IExitServices& s) { s.InitiateSystemShutdown(true, false); }, {},
                   {"PowerOff(true)"}},
        ActionCase{"RebootForced", [](IExitServices& s) { s.InitiateSystemShutdown(true, true); }, {},
                   {"Reboot(true)"}},
        ActionCase{"Standby", [](IExitServices& s) { s.SetSystemPowerState(true, false); }, {},
                   {"ListInhibitors()", "Suspend(false)"}},
        ActionCase{"HibernateForced", [](IExitServices& s) { s.SetSystemPowerState(false, true); }, {},
                   {"Hibernate(true)"}},
        ActionCase{"Lock", [](IExitServices& s) { s.LockWorkStation(); }, {},
                   {"GetSessionByPID(" + Pid() + ")", "LockSession(c1)"}},
        ActionCase{"LogoffWithoutSessionManager", [](IExitServices& s) { s.ExitWindowsEx(EWX_LOGOFF); }, {},
                   {"GetSessionByPID(" + Pid() + ")", "TerminateSession(c1)"}},
        ActionCase{"LogoffForced", [](IExitServices& s) { s.ExitWindowsEx(EWX_LOGOFF | EWX_FORCE); }, {},
                   {"GetSessionByPID(" + Pid() + ")", "TerminateSession(c1)"}},
        // A block inhibitor stops the normal actions of its kind, never a forced one.
        ActionCase{"BlockStopsPowerOff", [](IExitServices& s) { s.ExitWindowsEx(EWX_POWEROFF); },
                   {{"shutdown", "block"}}, {"ListInhibitors()"}},
        ActionCase{"BlockStopsReboot", [](IExitServices& s) { s.ExitWindowsEx(EWX_REBOOT); },
                   {{"sleep:shutdown", "block"}}, {"ListInhibitors()"}},
        ActionCase{"BlockIgnoredByForcedPowerOff", [](IExitServices& s) { s.ExitWindowsEx(kForcedPowerOff); },
                   {{"shutdown", "block"}}, {"PowerOff(true)"}},
        ActionCase{"BlockIgnoredByForcedShutdown",
                   [](IExitServices& s) { s.InitiateSystemShutdown(true, false); }, {{"shutdown", "block"}},
                   {"PowerOff(true)"}},
        ActionCase{"DelayDoesNotStopPowerOff", [](IExitServices& s) { s.ExitWindowsEx(EWX_POWEROFF); },
                   {{"shutdown", "delay"}}, {"ListInhibitors()", "PowerOff(false)"}},
        ActionCase{"SleepBlockDoesNotStopPowerOff", [](IExitServices& s) { s.ExitWindowsEx(EWX_POWEROFF); },
                   {{"sleep", "block"}}, {"ListInhibitors()", "PowerOff(false)"}},
        ActionCase{"SleepBlockStopsStandby", [](IExitServices& s) { s.SetSystemPowerState(true, false); },
                   {{"sleep", "block"}}, {"ListInhibitors()"}},
        ActionCase{"SleepBlockIgnoredByForcedHibernate",
                   [](IExitServices& s) { s.SetSystemPowerState(false, true); }, {{"sleep", "block"}},
                   {"Hibernate(true)"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CanCase {
    TShutdownRight right;
    const char* query;
    const char* answer; // nullptr: the query fails with a D-Bus error
    bool granted;
};

class LogindPrivilege : public LogindBackend, public ::testing::WithParamInterface<CanCase> {};

TEST_P(LogindPrivilege, FollowsTheCanQuery)
{
    const CanCase& c = GetParam();
    if (c.answer)
        bus.SetCan(c.query, c.answer);
    else
        bus.AddMethod(c.query, "", "s", "raise dbus.exceptions.DBusException('denied', name='org.test.Denied')");
    auto services = Services();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(services->EnableShutdownPrivilege(c.right), c.granted);
    const std::string log = ::testing::internal::GetCapturedStderr();
    // Only the query: the privilege step itself never acts.
    EXPECT_EQ(bus.Calls(), Calls{std::string(c.query) + "()"});
    // A refusal is logged with its reason.
    EXPECT_EQ(log.find(c.query) != std::string::npos, !c.granted) << log;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LogindPrivilege,
    ::testing::Values(CanCase{TShutdownRight::PowerOff, "CanPowerOff", "yes", true},
                      CanCase{TShutdownRight::PowerOff, "CanPowerOff", "challenge", true},
                      CanCase{TShutdownRight::PowerOff, "CanPowerOff", "no", false},
                      CanCase{TShutdownRight::Reboot, "CanReboot", "na", false},
                      CanCase{TShutdownRight::Reboot, "CanReboot", "yes", true},
                      CanCase{TShutdownRight::Suspend, "CanSuspend", "yes", true},
                      CanCase{TShutdownRight::Hibernate, "CanHibernate", "no", false},
                      CanCase{TShutdownRight::Hibernate, "CanHibernate", nullptr, false}),
    [](const auto& info) {
        return std::string(info.param.query) + "_" + (info.param.answer ? info.param.answer : "error");
    });

TEST_F(LogindBackend, LogoffNeedsNoQueryAndTheVersionIsNeverNt50)
{
    auto services = Services();
    EXPECT_TRUE(services->EnableShutdownPrivilege(TShutdownRight::Logoff));
    EXPECT_EQ(bus.Calls(), Calls{});
    const TOsVersionInfo version = services->GetVersionEx();
    EXPECT_EQ(version.PlatformId, TPlatformId::Win32NT);
    EXPECT_FALSE(version.MajorVersion == 5 && version.MinorVersion == 0);
}

TEST_F(LogindBackend, LockFallsBackToXdgSessionId)
{
    bus.AddMethod("GetSessionByPID", "u", "o",
                  "raise dbus.exceptions.DBusException('none', name='org.freedesktop.login1.NoSessionForPID')");
    setenv("XDG_SESSION_ID", "c7", 1);
    Services()->LockWorkStation();
    EXPECT_EQ(bus.WaitForCalls(2), (Calls{"GetSessionByPID(" + Pid() + ")", "LockSession(c7)"}));
}

TEST_F(LogindBackend, LockWithoutAnySessionMakesNoCallAndSaysWhy)
{
    bus.AddMethod("GetSessionByPID", "u", "o",
                  "raise dbus.exceptions.DBusException('none', name='org.freedesktop.login1.NoSessionForPID')");
    unsetenv("XDG_SESSION_ID");
    ::testing::internal::CaptureStderr();
    Services()->LockWorkStation();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("no own session"), std::string::npos);
    EXPECT_EQ(bus.Calls(), Calls{"GetSessionByPID(" + Pid() + ")"});
}

TEST_F(LogindBackend, BlockedPowerOffSaysWhoBlocks)
{
    bus.Inhibit("shutdown", "block");
    ::testing::internal::CaptureStderr();
    Services()->ExitWindowsEx(EWX_POWEROFF);
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("power-off not done"), std::string::npos) << log;
    EXPECT_NE(log.find("\"test\" blocks shutdown (holding)"), std::string::npos) << log;
}

class LogindWithGnome : public LogindBackend {
protected:
    LogindWithGnome() : LogindBackend(MockLogindBus::Options{.GnomeSessionManager = true}) {}
};

TEST_F(LogindWithGnome, NormalLogoffAsksTheSessionManager)
{
    Services()->ExitWindowsEx(EWX_LOGOFF);
    EXPECT_EQ(bus.SessionManagerCalls(), Calls{"Logout(1)"});
    EXPECT_EQ(bus.Calls(), Calls{});
}

TEST_F(LogindWithGnome, ForcedLogoffTerminatesTheSessionDirectly)
{
    Services()->ExitWindowsEx(EWX_LOGOFF | EWX_FORCE);
    EXPECT_EQ(bus.WaitForCalls(2), (Calls{"GetSessionByPID(" + Pid() + ")", "TerminateSession(c1)"}));
    EXPECT_EQ(bus.SessionManagerCalls(), Calls{});
}

} // namespace
