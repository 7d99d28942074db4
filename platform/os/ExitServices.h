#pragma once
// The operating-system services behind the five exit actions, with the
// Windows meanings the actions are written against. The Linux backend maps
// them onto systemd-logind; a recording double serves the tests.
#include <memory>

#include "platform/core/System.h"

enum class TPlatformId { Win32Windows = 1, Win32NT = 2 };

struct TOsVersionInfo {
    TPlatformId PlatformId = TPlatformId::Win32NT;
    int MajorVersion = 0;
    int MinorVersion = 0;
};

// Which right the privilege step is taken for. On Linux this selects the
// logind Can* query; the Windows privilege is one for all of them.
enum class TShutdownRight { Reboot, PowerOff, Suspend, Hibernate, Logoff };

// "Reboot", "PowerOff", ... as the right is named in logs and recordings.
AnsiString ShutdownRightName(TShutdownRight right);

// ExitWindowsEx flags.
constexpr unsigned EWX_LOGOFF = 0;
constexpr unsigned EWX_SHUTDOWN = 1;
constexpr unsigned EWX_REBOOT = 2;
constexpr unsigned EWX_FORCE = 4;
constexpr unsigned EWX_POWEROFF = 8;

class IExitServices {
public:
    virtual ~IExitServices() = default;
    virtual TOsVersionInfo GetVersionEx() = 0;
    // Raise the process priority as far as the platform allows.
    virtual void SetRealtimePriority() = 0;
    // The privilege step on the NT family: true when the right is in force.
    virtual bool EnableShutdownPrivilege(TShutdownRight right) = 0;
    // EWX_REBOOT, EWX_POWEROFF, EWX_LOGOFF, each optionally | EWX_FORCE.
    virtual void ExitWindowsEx(unsigned flags) = 0;
    // Shut the local machine down at once, forcing applications closed when
    // asked, rebooting after it when asked.
    virtual void InitiateSystemShutdown(bool forceAppsClosed, bool rebootAfterShutdown) = 0;
    // suspend true: standby, false: hibernate.
    virtual void SetSystemPowerState(bool suspend, bool force) = 0;
    virtual void LockWorkStation() = 0;
};

// The services of this machine (systemd-logind on the system bus).
std::unique_ptr<IExitServices> CreateSystemExitServices();
