#include "tests/support/MockLogindBus.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");
constexpr int kStartTimeoutMs = 20000;
constexpr int kCallsTimeoutMs = 5000;

[[noreturn]] void Abort(const std::string& why)
{
    std::fprintf(stderr, "\n*** MockLogindBus SAFETY STOP: %s ***\n", why.c_str());
    std::fflush(stderr);
    std::abort();
}

QDBusMessage CallOrAbort(const QDBusConnection& bus, const QString& service, const QString& path,
                         const QString& iface, const QString& method, const QVariantList& args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, iface, method);
    call.setArguments(args);
    QDBusMessage reply = bus.call(call);
    if (reply.type() != QDBusMessage::ReplyMessage)
        Abort((method + QStringLiteral(" on the mock failed: ") + reply.errorMessage()).toStdString());
    return reply;
}

std::string FormatValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? "true" : "false";
    if (value.canConvert<QDBusObjectPath>() && value.typeId() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path().toStdString();
    return value.toString().toStdString();
}

// GetCalls gives a(tsav): time, method, arguments.
std::vector<std::string> ParseCalls(const QDBusMessage& reply)
{
    std::vector<std::string> calls;
    const auto arg = reply.arguments().at(0).value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
        qulonglong time = 0;
        QString method;
        arg.beginStructure();
        arg >> time >> method;
        std::string text = method.toStdString() + "(";
        arg.beginArray();
        for (bool first = true; !arg.atEnd(); first = false) {
            QDBusVariant value;
            arg >> value;
            text += (first ? "" : ",") + FormatValue(value.variant());
        }
        arg.endArray();
        arg.endStructure();
        calls.push_back(text + ")");
    }
    arg.endArray();
    return calls;
}

std::string Joined(const std::vector<std::string>& calls)
{
    std::string text;
    for (const auto& call : calls)
        text += call + " ";
    return text;
}

} // namespace

void RequirePrivateSystemBus(const std::string& expected)
{
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (!address || !*address)
        Abort("DBUS_SYSTEM_BUS_ADDRESS is unset: a power call would reach the real logind");
    const std::string text = address;
    for (const char* real : {"/run/dbus/system_bus_socket", "/var/run/dbus/system_bus_socket"})
        if (text.find(real) != std::string::npos)
            Abort("DBUS_SYSTEM_BUS_ADDRESS is the machine's system bus (" + text + ")");
    if (text != expected)
        Abort("DBUS_SYSTEM_BUS_ADDRESS is " + text + ", not the private bus " + expected);
}

MockLogindBus::MockLogindBus(Options options)
{
    QStringList args{QStringLiteral(VUVUVIRO_PRIVATE_BUS_PY), QStringLiteral("serve")};
    if (options.GnomeSessionManager)
        args << QStringLiteral("--gnome-session-manager");
    helper_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper_.start(QStringLiteral("/usr/bin/python3"), args);
    // The helper prints one JSON line once everything is up; it ends all it
    // started when our end of its stdin closes, also if this process dies.
    QDeadlineTimer deadline(kStartTimeoutMs);
    while (!helper_.canReadLine() && !deadline.hasExpired() && helper_.state() != QProcess::NotRunning)
        helper_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
    const QJsonObject info = QJsonDocument::fromJson(helper_.readLine()).object();
    systemAddress_ = info.value(QStringLiteral("system")).toString();
    sessionAddress_ = info.value(QStringLiteral("session")).toString();
    logindPid_ = info.value(QStringLiteral("logind_pid")).toInteger();
    if (systemAddress_.isEmpty() || sessionAddress_.isEmpty() || logindPid_ <= 0)
        Abort("private_bus.py did not start the private buses");

    qputenv("DBUS_SYSTEM_BUS_ADDRESS", systemAddress_.toUtf8());
    qputenv("DBUS_SESSION_BUS_ADDRESS", sessionAddress_.toUtf8());
    static int instances = 0;
    ++instances;
    systemName_ = QStringLiteral("mock-system-%1").arg(instances);
    sessionName_ = QStringLiteral("mock-session-%1").arg(instances);
    if (!QDBusConnection::connectToBus(systemAddress_, systemName_).isConnected() ||
        !QDBusConnection::connectToBus(sessionAddress_, sessionName_).isConnected())
        Abort("cannot connect to the private buses");
    RequireMockOwnsLogind();
}

MockLogindBus::~MockLogindBus()
{
    for (int fd : inhibitorFds_)
        ::close(fd);
    QDBusConnection::disconnectFromBus(systemName_);
    QDBusConnection::disconnectFromBus(sessionName_);
    helper_.closeWriteChannel();
    if (!helper_.waitForFinished(5000)) {
        helper_.kill();
        helper_.waitForFinished();
    }
}

QDBusConnection MockLogindBus::System() const
{
    return QDBusConnection(systemName_);
}

QDBusConnection MockLogindBus::PowerBus() const
{
    RequirePrivateSystemBus(systemAddress_.toStdString());
    RequireMockOwnsLogind();
    return System();
}

QDBusConnection MockLogindBus::SessionBus() const
{
    return QDBusConnection(sessionName_);
}

void MockLogindBus::RequireMockOwnsLogind() const
{
    const QDBusReply<uint> owner = System().interface()->servicePid(kLogind);
    if (!owner.isValid() || static_cast<qint64>(owner.value()) != logindPid_)
        Abort("org.freedesktop.login1 on the private bus does not belong to the mock (PID " +
              std::to_string(logindPid_) + ")");
}

std::vector<std::string> MockLogindBus::Calls() const
{
    return ParseCalls(CallOrAbort(System(), kLogind, kLogindPath, kMock, QStringLiteral("GetCalls"), {}));
}

std::vector<std::string> MockLogindBus::WaitForCalls(size_t count) const
{
    QDeadlineTimer deadline(kCallsTimeoutMs);
    for (;;) {
        auto calls = Calls();
        if (calls.size() >= count)
            return calls;
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "waited in vain for %zu mock calls, have: %s\n", count, Joined(calls).c_str());
            return calls;
        }
        QThread::msleep(10);
    }
}

void MockLogindBus::ClearCalls() const
{
    CallOrAbort(System(), kLogind, kLogindPath, kMock, QStringLiteral("ClearCalls"), {});
}

std::vector<std::string> MockLogindBus::SessionManagerCalls() const
{
    const QString path = QStringLiteral("/org/gnome/SessionManager");
    return ParseCalls(CallOrAbort(SessionBus(), QStringLiteral("org.gnome.SessionManager"), path, kMock,
                                  QStringLiteral("GetCalls"), {}));
}

void MockLogindBus::AddMethod(const QString& name, const QString& in, const QString& out,
                              const QString& code) const
{
    CallOrAbort(System(), kLogind, kLogindPath, kMock, QStringLiteral("AddMethod"), {kManager, name, in, out, code});
}

void MockLogindBus::SetCan(const QString& query, const QString& answer) const
{
    AddMethod(query, QString(), QStringLiteral("s"), QStringLiteral("ret = '%1'").arg(answer));
}

void MockLogindBus::Inhibit(const QString& what, const QString& mode)
{
    const QDBusMessage reply = CallOrAbort(System(), kLogind, kLogindPath, kManager, QStringLiteral("Inhibit"),
                                           {what, QStringLiteral("test"), QStringLiteral("holding"), mode});
    const auto fd = reply.arguments().at(0).value<QDBusUnixFileDescriptor>();
    inhibitorFds_.push_back(::dup(fd.fileDescriptor()));
    ClearCalls();
}
