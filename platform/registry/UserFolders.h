#pragma once
// The current user's folders as the desktop records them (the XDG user
// directories), standing in for the shell's folder list of the registry.
#include "platform/core/System.h"

enum class TUserFolder {
    Desktop,
    Documents,
    Pictures,
    Music,
    Videos,
    Fonts,
    Applications,  // menu entries (.desktop files)
    Autostart,     // entries started at login
    Data,          // per-user program data
    Cache,
};

// The folder's path without a trailing separator, or the empty text when the
// platform gives none. Worked out afresh on every call.
AnsiString UserFolderPath(TUserFolder folder);
