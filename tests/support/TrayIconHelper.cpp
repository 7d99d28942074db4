// A tray icon and nothing else, for the self-test of the desktop rig: shows
// that icons embedded in the tray host are found and can be clicked. A click
// on the icon prints "activated <reason>".
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPixmap picture(22, 22);
    picture.fill(Qt::red);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.setToolTip(QStringLiteral("rig tray icon"));
    QObject::connect(&icon, &QSystemTrayIcon::activated, [](QSystemTrayIcon::ActivationReason reason) {
        std::printf("activated %d\n", static_cast<int>(reason));
        std::fflush(stdout);
    });
    icon.show();
    return app.exec();
}
