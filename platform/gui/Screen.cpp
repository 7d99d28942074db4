#include "platform/gui/Screen.h"

#include <QGuiApplication>
#include <QScreen>

TScreenMetrics PrimaryScreenMetrics() {
    TScreenMetrics m;
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return m;
    const QRect g = s->geometry();
    const QRect a = s->availableGeometry();  // follows _NET_WORKAREA
    m.Width = g.width();
    m.Height = g.height();
    m.WorkArea = Rect(a.x() - g.x(), a.y() - g.y(), a.x() - g.x() + a.width(), a.y() - g.y() + a.height());
    return m;
}
