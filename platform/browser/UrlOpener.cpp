#include "platform/browser/UrlOpener.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace {

// Through the desktop services, never through a shell command line, so the
// URL's text cannot be taken for commands. Without a GUI application there
// is no desktop to ask.
void OpenWithDesktop(const AnsiString& url) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    const QUrl target = QUrl::fromUserInput(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())));
    if (target.isValid()) QDesktopServices::openUrl(target);
}

TUrlOpener& CurrentOpener() {
    static TUrlOpener opener = OpenWithDesktop;
    return opener;
}

}  // namespace

void OpenUrlExternally(const AnsiString& url) {
    CurrentOpener()(url);
}

TUrlOpener SetUrlOpener(TUrlOpener opener) {
    TUrlOpener previous = std::move(CurrentOpener());
    CurrentOpener() = opener ? std::move(opener) : TUrlOpener(OpenWithDesktop);
    return previous;
}
