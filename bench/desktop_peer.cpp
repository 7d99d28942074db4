// The peer of the desktop benchmark: a bare Qt window of the bar's size and
// kind, with no timers, so that the utility's figures can be read against
// what Qt alone costs in the same run.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Strip final : public QWidget {
public:
    Strip() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0xc0, 0xc0, 0xc0));
        painter.setPen(QPen(QColor(0, 0, 0x80), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Strip strip;
    strip.setWindowTitle(QStringLiteral("DErerevov"));
    strip.setGeometry(2, 600, 469, 69);
    strip.show();
    return app.exec();
}
