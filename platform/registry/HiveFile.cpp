#include "platform/registry/HiveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace hive {
namespace {

// A writer holds the lock for one read-modify-write, a few milliseconds; a
// lock still taken after this long belongs to a hung writer.
constexpr int kLockTimeoutMs = 10000;
// A writer killed between creating the lock file and writing its process id
// into it leaves an empty lock that only its age shows to be stale. A live
// holder keeps a native lock on the file, which the stale-lock removal
// respects, so a short age is safe and spares the next writer a long wait.
constexpr int kStaleLockMs = 1000;

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
    QLockFile lock(ToQ(path_ + ".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockTimeoutMs)) {
        Complain(path_ + ".lock: cannot take the lock of the hive (error " + std::to_string(lock.error()) + ")");
        return false;
    }
    auto hive = Read();
    if (!hive) return false;
    if (!change(*hive)) return true;
    return WriteAtomically(path_, hive->ToText());
}

}  // namespace hive
