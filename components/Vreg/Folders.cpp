// Where the program and the user's folders are.
#include <optional>

#include "components/Vreg/Vreg.h"
#include "platform/core/SysUtils.h"
#include "platform/registry/UserFolders.h"

namespace {

// The shell's folder names and the desktop folder each stands for; names
// the desktop keeps no folder for give the empty text.
struct FolderName {
    const char* name;
    std::optional<TUserFolder> folder;
};

const FolderName kFolders[] = {
    {"Desktop", TUserFolder::Desktop},
    {"Personal", TUserFolder::Documents},
    {"My Pictures", TUserFolder::Pictures},
    {"My Music", TUserFolder::Music},
    {"My Video", TUserFolder::Videos},
    {"Fonts", TUserFolder::Fonts},
    {"Programs", TUserFolder::Applications},
    {"Start Menu", TUserFolder::Applications},  // the menu and its programs are one folder of entries
    {"Startup", TUserFolder::Autostart},
    {"AppData", TUserFolder::Data},
    {"Cache", TUserFolder::Cache},
    {"Favorites", std::nullopt},
    {"SendTo", std::nullopt},
    {"NetHood", std::nullopt},
    {"Quick Launch", std::nullopt},
};

AnsiString WithSeparator(AnsiString dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

}  // namespace

AnsiString TVReg::AppDir() const {
    const AnsiString exe = ParamStr0();
    const auto slash = exe.rfind('/');
    return slash == AnsiString::npos ? AnsiString() : exe.substr(0, slash + 1);
}

AnsiString TVReg::GetShellFolder(const AnsiString& name) const {
    // Folder names, like registry value names, are compared without regard to case.
    for (const FolderName& f : kFolders)
        if (LowerCase(name) == LowerCase(f.name)) return f.folder ? WithSeparator(UserFolderPath(*f.folder)) : AnsiString();
    return {};
}

AnsiString TVReg::GetDirQuickLaunch() const { return GetShellFolder("Quick Launch"); }
