#pragma once
// The file that keeps one registry root, read afresh on every call and
// replaced atomically under a lock on every change. Platform-internal.
#include <functional>
#include <optional>
#include <string>

#include "platform/registry/Hive.h"

namespace hive {

// Where the current user's root lives:
// $XDG_CONFIG_HOME/registry/HKEY_CURRENT_USER.reg (XDG_CONFIG_HOME unset,
// empty or relative: ~/.config). Worked out on every call.
std::string CurrentUserHivePath();

class HiveFile {
public:
    HiveFile(std::string path, std::string rootName);
    const std::string& Path() const { return path_; }

    // The hive as the file holds it now; a missing file is an empty hive.
    // A file that cannot be read or does not parse gives nothing, with the
    // reason (file and line) on stderr.
    std::optional<Hive> Read() const;

    // Under the lock beside the file: reads the hive, lets `change` modify it
    // and, when it reports a change, writes the new file and renames it over
    // the old one. Gives false, with the reason on stderr, when the hive could
    // not be read, locked or written; the old file is then left as it was.
    bool Update(const std::function<bool(Hive&)>& change) const;

private:
    std::string path_;
    std::string rootName_;
};

}  // namespace hive
