#include "platform/registry/UserFolders.h"

#include <QStandardPaths>

namespace {

AnsiString Writable(QStandardPaths::StandardLocation location) {
    return QStandardPaths::writableLocation(location).toStdString();
}

}  // namespace

AnsiString UserFolderPath(TUserFolder folder) {
    switch (folder) {
        case TUserFolder::Desktop: return Writable(QStandardPaths::DesktopLocation);
        case TUserFolder::Documents: return Writable(QStandardPaths::DocumentsLocation);
        case TUserFolder::Pictures: return Writable(QStandardPaths::PicturesLocation);
        case TUserFolder::Music: return Writable(QStandardPaths::MusicLocation);
        case TUserFolder::Videos: return Writable(QStandardPaths::MoviesLocation);
        case TUserFolder::Fonts: return Writable(QStandardPaths::FontsLocation);
        case TUserFolder::Applications: return Writable(QStandardPaths::ApplicationsLocation);
        case TUserFolder::Data: return Writable(QStandardPaths::GenericDataLocation);
        case TUserFolder::Cache: return Writable(QStandardPaths::GenericCacheLocation);
        case TUserFolder::Autostart: {
            // XDG autostart: $XDG_CONFIG_HOME/autostart; Qt has no name for it.
            const AnsiString config = Writable(QStandardPaths::GenericConfigLocation);
            return config.empty() ? config : config + "/autostart";
        }
    }
    return {};
}
