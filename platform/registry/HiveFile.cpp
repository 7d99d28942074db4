#include "platform/registry/HiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace hive {
namespace {

// A writer holds the lock for one read-modify-write, a few milliseconds; a
// lock still taken after this long belongs to a hung writer.
constexpr auto kLockTimeout = std::chrono::seconds(10);

QString ToQ(const std::string& s) { return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size())); }

void Complain(const std::string& text) { std::fprintf(stderr, "registry: %s\n", text.c_str()); }

// The file's bytes; nothing when it exists but cannot be read. A missing file is "".
std::optional<std::string> ReadBytes(const std::string& path) {
    QFile file(ToQ(path));
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists()) return std::string();
        Complain(path + ": cannot be read: " + file.errorString().toStdString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Complain(path + ": cannot be read: " + file.errorString().toStdString());
        return std::nullopt;
    }
    return bytes.toStdString();
}

// Serialises the writers of one hive across processes: an advisory lock on
// a file beside it. The kernel drops the lock however its holder ends, kill
// -9 included, so no stale lock is ever left to detect, and taking it costs
// no flush (lock files that carry their owner's id must be flushed first).
class WriterLock {
public:
    explicit WriterLock(const std::string& path) : path_(path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            Fail();
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + kLockTimeout;
        while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
                Fail();
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        held_ = true;
    }
    ~WriterLock() {
        if (fd_ >= 0) ::close(fd_);  // releases the lock
    }
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    // False, with the reason on stderr, when the lock could not be taken.
    bool Held() const {
        if (!held_) Complain(path_ + ": cannot take the lock of the hive: " + reason_);
        return held_;
    }

private:
    void Fail() {
        reason_ = errno == EWOULDBLOCK ? "still held by another writer" : std::strerror(errno);
    }
    std::string path_;
    std::string reason_;
    int fd_ = -1;
    bool held_ = false;
};

bool WriteAtomically(const std::string& path, const std::string& text) {
    const QString qpath = ToQ(path);
    const bool isNew = !QFileInfo::exists(qpath);
    QSaveFile file(qpath);  // writes a temporary beside the file, flushes it and renames it over
    bool ok = file.open(QIODevice::WriteOnly);
    // Settings are the user's own: a new hive is readable by its owner only.
    if (ok && isNew) ok = file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ok = ok && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
    if (ok) ok = file.commit();
    if (!ok) {
        Complain(path + ": cannot be written: " + file.errorString().toStdString());
        file.cancelWriting();
    }
    return ok;
}

}  // namespace

std::string CurrentUserHivePath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : QDir::homePath().toStdString() + "/.config";
    return base + "/registry/HKEY_CURRENT_USER.reg";
}

HiveFile::HiveFile(std::string path, std::string rootName) : path_(std::move(path)), rootName_(std::move(rootName)) {}

std::optional<Hive> HiveFile::Read() const {
    const auto bytes = ReadBytes(path_);
    if (!bytes) return std::nullopt;
    ParseError error;
    auto hive = Hive::Parse(rootName_, *bytes, error);
    if (!hive)
        Complain(path_ + ":" + std::to_string(error.line) + ": " + error.reason +
                 " (the file is left as it is; mend or remove it)");
    return hive;
}

bool HiveFile::Update(const std::function<bool(Hive&)>& change) const {
    const QString dir = QFileInfo(ToQ(path_)).absolutePath();
    if (!QDir().mkpath(dir)) {
        Complain(dir.toStdString() + ": the folder of the hive cannot be created");
        return false;
    }
    const WriterLock lock(path_ + ".lock");
    if (!lock.Held()) return false;
    auto hive = Read();
    if (!hive) return false;
    if (!change(*hive)) return true;
    return WriteAtomically(path_, hive->ToText());
}

}  // namespace hive
