#include "platform/os/ExitServices.h"

#include "platform/os/LogindExitServices.h"

AnsiString ShutdownRightName(TShutdownRight right)
{
    switch (right) {
    case TShutdownRight::Reboot: return "Reboot";
    case TShutdownRight::PowerOff: return "PowerOff";
    case TShutdownRight::Suspend: return "Suspend";
    case TShutdownRight::Hibernate: return "Hibernate";
    case TShutdownRight::Logoff: return "Logoff";
    }
    return "Unknown";
}

std::unique_ptr<IExitServices> CreateSystemExitServices()
{
    return CreateLogindExitServices(QDBusConnection::systemBus(), QDBusConnection::sessionBus());
}
