#include "platform/desktop/Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
QString EntryPath(const AnsiString& name) {
    return QString::fromStdString(AutostartDirectory()) + "/" + QString::fromStdString(name) + ".desktop";
}

// Characters that make an Exec argument need double quotes.
bool IsReserved(char c) {
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    return reserved.find(c) != std::string::npos;
}
}  // namespace

AnsiString AutostartDirectory() {
    return (QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart").toStdString();
}

AnsiString DesktopExecArgument(const AnsiString& path) {
    bool quote = false;
    for (char c : path) quote = quote || IsReserved(c);
    // First the Exec level: quotes around the argument, and inside them a
    // backslash before ", `, $ and \; a literal % is doubled in any case.
    AnsiString arg;
    if (quote) arg += '"';
    for (char c : path) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) arg += '\\';
        if (c == '%') arg += '%';
        arg += c;
    }
    if (quote) arg += '"';
    // Then the key-file level of a string value: backslashes doubled,
    // control characters escaped.
    AnsiString value;
    for (char c : arg) {
        if (c == '\\') value += "\\\\";
        else if (c == '\n') value += "\\n";
        else if (c == '\t') value += "\\t";
        else if (c == '\r') value += "\\r";
        else value += c;
    }
    return value;
}

bool WriteAutostartEntry(const AnsiString& name, const AnsiString& programPath) {
    if (!QDir().mkpath(QString::fromStdString(AutostartDirectory()))) return false;
    QSaveFile file(EntryPath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    const AnsiString text = "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Varnell Vuvuviro\n"
                            "Comment=Daily timer for reboot, power off, suspend, lock and log off\n"
                            "Exec=" + DesktopExecArgument(programPath) + "\n"
                            "Icon=com.varnell.Vuvuviro\n"
                            "Terminal=false\n"
                            "X-GNOME-Autostart-enabled=true\n";
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.commit();
}

bool RemoveAutostartEntry(const AnsiString& name) {
    const QString path = EntryPath(name);
    return !QFileInfo::exists(path) || QFile::remove(path);
}

bool AutostartEntryExists(const AnsiString& name) {
    const QFileInfo info(EntryPath(name));
    return info.exists() && info.isReadable();
}
