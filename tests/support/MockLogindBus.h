#pragma once
// Test support: a private system bus with python3-dbusmock's logind template
// and a private session bus, started by private_bus.py next to this file.
// Every way to a power call goes through PowerBus(), which aborts the test
// binary unless the system bus is this private one and logind on it is the
// mock process.
#include <QDBusConnection>
#include <QProcess>
#include <QString>

#include <string>
#include <vector>

// Aborts (loudly, on stderr) when DBUS_SYSTEM_BUS_ADDRESS is unset, is the
// machine's own system bus, or is not `expected`.
void RequirePrivateSystemBus(const std::string& expected);

class MockLogindBus {
public:
    struct Options {
        bool GnomeSessionManager = false; // a mock org.gnome.SessionManager on the session bus
    };
    MockLogindBus() : MockLogindBus(Options{}) {}
    explicit MockLogindBus(Options options);
    ~MockLogindBus();
    MockLogindBus(const MockLogindBus&) = delete;
    MockLogindBus& operator=(const MockLogindBus&) = delete;

    // The system bus for code that makes power calls, after the safety checks.
    QDBusConnection PowerBus() const;
    QDBusConnection SessionBus() const;

    // Aborts unless org.freedesktop.login1 belongs to the mock's own PID.
    void RequireMockOwnsLogind() const;

    // Calls the logind mock received, in order, as "PowerOff(true)".
    std::vector<std::string> Calls() const;
    // Waits (with a deadline) until at least `count` calls were recorded.
    std::vector<std::string> WaitForCalls(size_t count) const;
    void ClearCalls() const;
    // Calls the GNOME session-manager mock received.
    std::vector<std::string> SessionManagerCalls() const;

    // Replaces a logind method of the mock, e.g. ("CanPowerOff", "", "s", "ret = 'no'").
    void AddMethod(const QString& name, const QString& in, const QString& out, const QString& code) const;
    void SetCan(const QString& query, const QString& answer) const;
    // Takes a logind inhibitor that lasts as long as this object; the
    // Inhibit call itself is cleared from the recorded calls.
    void Inhibit(const QString& what, const QString& mode);

    QString SystemAddress() const { return systemAddress_; }

private:
    QDBusConnection System() const;
    QProcess helper_;
    QString systemAddress_, sessionAddress_, systemName_, sessionName_;
    qint64 logindPid_ = 0;
    std::vector<int> inhibitorFds_;
};
