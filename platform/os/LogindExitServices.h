#pragma once
// Platform-internal: the systemd-logind backend on explicit connections, so
// that tests can hand it private buses. The program itself goes through
// CreateSystemExitServices().
#include <QDBusConnection>
#include <memory>

#include "platform/os/ExitServices.h"

// systemBus carries org.freedesktop.login1; sessionBus the desktop's session
// manager (GNOME or KDE), asked first when logging off.
std::unique_ptr<IExitServices> CreateLogindExitServices(const QDBusConnection& systemBus,
                                                        const QDBusConnection& sessionBus);
