#include "platform/os/LogindExitServices.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QStringList>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/os/ProcessPriority.h"

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSessionIface = QStringLiteral("org.freedesktop.login1.Session");

// A refused action stays invisible to the user; the reason goes to stderr,
// which ends in the journal for a desktop session.
void LogRefusal(const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, qPrintable(text));
}

QString ErrorText(const QDBusMessage& reply)
{
    return reply.errorName() + QStringLiteral(": ") + reply.errorMessage();
}

struct Inhibitor {
    QString what, who, why, mode;
};

// The power calls of logind, with what a block inhibitor must name to stop
// them.
struct PowerCall {
    const char* method;   // Reboot, PowerOff, Suspend, Hibernate
    const char* inhibits; // "shutdown" or "sleep"
    const char* action;   // for the log
};
constexpr PowerCall kReboot{"Reboot", "shutdown", "reboot"};
constexpr PowerCall kPowerOff{"PowerOff", "shutdown", "power-off"};
constexpr PowerCall kSuspend{"Suspend", "sleep", "suspend"};
constexpr PowerCall kHibernate{"Hibernate", "sleep", "hibernate"};

class LogindExitServices final : public IExitServices {
public:
    LogindExitServices(const QDBusConnection& system, const QDBusConnection& session)
        : system_(system), session_(session)
    {
    }

    TOsVersionInfo GetVersionEx() override
    {
        // The NT family at 6.1: never 5.0, so the forced power-off takes the
        // InitiateSystemShutdown road.
        return {TPlatformId::Win32NT, 6, 1};
    }

    void SetRealtimePriority() override { RaiseProcessPriority(); }

    bool EnableShutdownPrivilege(TShutdownRight right) override
    {
        if (right == TShutdownRight::Logoff)
            return true; // ending one's own session needs no right
        const QString query = QStringLiteral("Can") + QString::fromStdString(ShutdownRightName(right));
        const QDBusMessage reply = CallManager(query, {});
        if (reply.type() != QDBusMessage::ReplyMessage) {
            LogRefusal(query + QStringLiteral(" failed: ") + ErrorText(reply));
            return false;
        }
        const QString answer = reply.arguments().value(0).toString();
        if (answer == QLatin1String("yes") || answer == QLatin1String("challenge"))
            return true;
        LogRefusal(query + QStringLiteral(" answered \"") + answer + QStringLiteral("\": refused"));
        return false;
    }

    void ExitWindowsEx(unsigned flags) override
    {
        const bool force = flags & EWX_FORCE;
        if (flags & EWX_REBOOT)
            Power(kReboot, force);
        else if (flags & (EWX_POWEROFF | EWX_SHUTDOWN))
            Power(kPowerOff, force);
        else
            Logoff(force);
    }

    void InitiateSystemShutdown(bool forceAppsClosed, bool rebootAfterShutdown) override
    {
        Power(rebootAfterShutdown ? kReboot : kPowerOff, forceAppsClosed);
    }

    void SetSystemPowerState(bool suspend, bool force) override
    {
        Power(suspend ? kSuspend : kHibernate, force);
    }

    void LockWorkStation() override
    {
        if (const auto id = OwnSessionId())
            CallManagerLater("LockSession", {*id}, QStringLiteral("lock"));
        else
            LogRefusal(QStringLiteral("lock not done: no own session found"));
    }

private:
    QDBusMessage Message(const QString& method, const QVariantList& args) const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kLogind, kLogindPath, kManager, method);
        call.setArguments(args);
        return call;
    }

    QDBusMessage CallManager(const QString& method, const QVariantList& args)
    {
        return system_.call(Message(method, args));
    }

    // The actions themselves do not wait: polkit may ask the user, and the
    // bar must stay alive meanwhile. An error reply is logged when it comes.
    void CallManagerLater(const QString& method, const QVariantList& args, const QString& action)
    {
        auto* watcher = new QDBusPendingCallWatcher(system_.asyncCall(Message(method, args)));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [watcher, action] {
            if (watcher->isError())
                LogRefusal(action + QStringLiteral(" refused: ") + watcher->error().name() +
                           QStringLiteral(": ") + watcher->error().message());
            watcher->deleteLater();
        });
    }

    std::optional<QList<Inhibitor>> Inhibitors()
    {
        const QDBusMessage reply = CallManager(QStringLiteral("ListInhibitors"), {});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            LogRefusal(QStringLiteral("ListInhibitors failed: ") + ErrorText(reply));
            return std::nullopt;
        }
        QList<Inhibitor> list;
        const auto arg = reply.arguments().at(0).value<QDBusArgument>();
        arg.beginArray();
        while (!arg.atEnd()) {
            Inhibitor inhibitor;
            uint uid = 0, pid = 0;
            arg.beginStructure();
            arg >> inhibitor.what >> inhibitor.who >> inhibitor.why >> inhibitor.mode >> uid >> pid;
            arg.endStructure();
            list.append(inhibitor);
        }
        arg.endArray();
        return list;
    }

    // True when an application holds a block inhibitor on `what`; the
    // normal (not forced) actions then leave the machine alone.
    bool Blocked(const PowerCall& call)
    {
        const auto list = Inhibitors();
        if (!list)
            return false; // logind itself still enforces its inhibitors
        for (const Inhibitor& inhibitor : *list) {
            if (inhibitor.mode == QLatin1String("block") &&
                inhibitor.what.split(QLatin1Char(':')).contains(QLatin1String(call.inhibits))) {
                LogRefusal(QStringLiteral("%1 not done: \"%2\" blocks %3 (%4)")
                               .arg(QLatin1String(call.action), inhibitor.who,
                                    QLatin1String(call.inhibits), inhibitor.why));
                return true;
            }
        }
        return false;
    }

    // Forced: interactive true and no inhibitor check, so that polkit may let
    // the user override other users' inhibitors.
    void Power(const PowerCall& call, bool force)
    {
        if (!force && Blocked(call))
            return;
        CallManagerLater(QLatin1String(call.method), {force}, QLatin1String(call.action));
    }

    std::optional<QString> OwnSessionId()
    {
        const QDBusMessage bySession =
            CallManager(QStringLiteral("GetSessionByPID"), {static_cast<uint>(getpid())});
        if (bySession.type() == QDBusMessage::ReplyMessage && !bySession.arguments().isEmpty()) {
            const QString path = bySession.arguments().at(0).value<QDBusObjectPath>().path();
            QDBusMessage get = QDBusMessage::createMethodCall(
                kLogind, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
            get.setArguments({kSessionIface, QStringLiteral("Id")});
            const QDBusMessage id = system_.call(get);
            if (id.type() == QDBusMessage::ReplyMessage && !id.arguments().isEmpty()) {
                const QString text = id.arguments().at(0).value<QDBusVariant>().variant().toString();
                if (!text.isEmpty())
                    return text;
            }
        }
        const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
        if (!fromEnvironment.isEmpty())
            return fromEnvironment;
        LogRefusal(QStringLiteral("GetSessionByPID failed: ") + ErrorText(bySession));
        return std::nullopt;
    }

    // Only a session manager that already runs is asked; nothing is started
    // by D-Bus activation.
    bool AskSessionManagerToLogout()
    {
        if (!session_.isConnected() || !session_.interface())
            return false;
        struct Manager {
            const char *service, *path, *iface, *method;
            QVariantList args;
        };
        const Manager managers[] = {
            {"org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", "Logout",
             {1u}}, // 1: no confirmation dialog
            {"org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", "logout", {}},
        };
        for (const Manager& manager : managers) {
            if (!session_.interface()->isServiceRegistered(QLatin1String(manager.service)))
                continue;
            QDBusMessage call = QDBusMessage::createMethodCall(
                QLatin1String(manager.service), QLatin1String(manager.path), QLatin1String(manager.iface),
                QLatin1String(manager.method));
            call.setArguments(manager.args);
            const QDBusMessage reply = session_.call(call);
            if (reply.type() == QDBusMessage::ReplyMessage)
                return true;
            LogRefusal(QLatin1String(manager.service) + QStringLiteral(" logout failed: ") + ErrorText(reply));
        }
        return false;
    }

    void Logoff(bool force)
    {
        if (!force && AskSessionManagerToLogout())
            return;
        if (const auto id = OwnSessionId())
            CallManagerLater("TerminateSession", {*id}, QStringLiteral("log off"));
        else
            LogRefusal(QStringLiteral("log off not done: no own session found"));
    }

    QDBusConnection system_;
    QDBusConnection session_;
};

} // namespace

std::unique_ptr<IExitServices> CreateLogindExitServices(const QDBusConnection& systemBus,
                                                        const QDBusConnection& sessionBus)
{
    return std::make_unique<LogindExitServices>(systemBus, sessionBus);
}
