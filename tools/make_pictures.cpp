// Draws every picture of the program: the marble tile of the forms, the bar's
// action glyphs, the small button and caption pictures, the logo and the
// application icon (PNG at each theme size plus its SVG source).
//
//   make_pictures <output folder>
//
// All pictures share one look: rounded strokes with a dark outline around a
// coloured body, so a glyph stays legible on the light marble and on a dark
// panel alike. Geometry is written in a 32-unit box and scaled.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

constexpr double kPi = 3.14159265358979323846;

const QColor kOutline(0x1c, 0x2a, 0x3e);
const QColor kGreen(0x3c, 0xb0, 0x5a);
const QColor kRed(0xdc, 0x45, 0x3b);
const QColor kAmber(0xf0, 0xad, 0x3c);
const QColor kGold(0xd8, 0xb2, 0x3a);
const QColor kSteel(0x9a, 0xa8, 0xb8);
const QColor kBlue(0x3f, 0x8a, 0xd6);
const QColor kGrey(0x98, 0xa4, 0xb0);
const QColor kIconTop(0x5c, 0xa4, 0xea);
const QColor kIconBottom(0x1b, 0x4c, 0x8c);
const QColor kIconEdge(0x14, 0x38, 0x68);

using Drawing = std::function<void(QPainter&)>;

// Renders a drawing made in a design box of `design` units into a
// transparent image of width x height pixels.
QImage render(int width, int height, double design, const Drawing& draw)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / design, width / design);
    draw(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QPen roundPen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The shared style for line glyphs: a dark rim, then the coloured stroke.
void outlinedStroke(QPainter& p, const QPainterPath& path, const QColor& color, double width = 3.0)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kOutline, width + 2.0));
    p.drawPath(path);
    p.setPen(roundPen(color, width));
    p.drawPath(path);
}

// The shared style for solid glyphs: coloured body with a dark rim.
void outlinedFill(QPainter& p, const QPainterPath& path, const QColor& color)
{
    p.setPen(roundPen(kOutline, 1.5));
    p.setBrush(color);
    p.drawPath(path);
}

// A point on a circle at `degrees` counted anticlockwise from 3 o'clock.
QPointF onCircle(QPointF centre, double radius, double degrees)
{
    const double a = degrees * kPi / 180.0;
    return {centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)};
}

QPainterPath arc(QPointF centre, double radius, double startDegrees, double sweepDegrees)
{
    QPainterPath path(onCircle(centre, radius, startDegrees));
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
               startDegrees, sweepDegrees);
    return path;
}

QPainterPath line(QPointF from, QPointF to)
{
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

// Arrow head whose tip lies `size` ahead of `at` in direction (dx, dy).
QPainterPath arrowHead(QPointF at, double dx, double dy, double size)
{
    const double len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    QPainterPath head(QPointF(at.x() + dx * size, at.y() + dy * size));
    head.lineTo(at.x() - dy * size, at.y() + dx * size);
    head.lineTo(at.x() + dy * size, at.y() - dx * size);
    head.closeSubpath();
    return head;
}

// ---- bar glyphs (32 units) ------------------------------------------------

void powerSymbol(QPainter& p, QPointF c, double r, const QColor& color, double width)
{
    QPainterPath path = arc(c, r, 60, -300);
    path.addPath(line(QPointF(c.x(), c.y() - r - 1.5), QPointF(c.x(), c.y() - 1.0)));
    outlinedStroke(p, path, color, width);
}

void drawPowerOff(QPainter& p)
{
    powerSymbol(p, QPointF(16, 17), 10, kRed, 3.2);
}

void drawReboot(QPainter& p)
{
    const QPointF c(16, 16);
    const double r = 10;
    const double end = -25;  // the arc runs anticlockwise from 65 degrees round to here
    QPainterPath ring = arc(c, r, 65, 270);
    const double a = end * kPi / 180.0;
    const QPointF tip = onCircle(c, r, end);
    // Tangent of the anticlockwise travel, in screen coordinates.
    QPainterPath head = arrowHead(tip, -std::sin(a), -std::cos(a), 5.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kOutline, 5.2));
    p.drawPath(ring);
    outlinedFill(p, head, kGreen);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kGreen, 3.2));
    p.drawPath(ring);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPath(arrowHead(tip, -std::sin(a), -std::cos(a), 3.6));
}

void drawSuspend(QPainter& p)
{
    QPainterPath moon;
    moon.addEllipse(QPointF(15, 17), 11, 11);
    QPainterPath bite;
    bite.addEllipse(QPointF(21, 12), 9, 9);
    outlinedFill(p, moon.subtracted(bite), kAmber);
    // Two small stars in the bite.
    for (const QPointF s : {QPointF(24.5, 9), QPointF(20, 17.5)}) {
        QPainterPath star;
        star.moveTo(s.x(), s.y() - 2.6);
        star.lineTo(s.x() + 0.8, s.y() - 0.8);
        star.lineTo(s.x() + 2.6, s.y());
        star.lineTo(s.x() + 0.8, s.y() + 0.8);
        star.lineTo(s.x(), s.y() + 2.6);
        star.lineTo(s.x() - 0.8, s.y() + 0.8);
        star.lineTo(s.x() - 2.6, s.y());
        star.lineTo(s.x() - 0.8, s.y() - 0.8);
        star.closeSubpath();
        p.setPen(roundPen(kOutline, 1.0));
        p.setBrush(kAmber);
        p.drawPath(star);
    }
}

void drawLock(QPainter& p)
{
    QPainterPath shackle(QPointF(10.5, 15));
    shackle.lineTo(10.5, 11);
    shackle.arcTo(QRectF(10.5, 5.5, 11, 11), 180, -180);
    shackle.lineTo(21.5, 15);
    outlinedStroke(p, shackle, kSteel, 3.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(6.5, 14, 19, 14), 2.5, 2.5);
    outlinedFill(p, body, kGold);
    QPainterPath hole;
    hole.addEllipse(QPointF(16, 19.5), 2, 2);
    hole.addRect(QRectF(15.2, 20, 1.6, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPath(hole.simplified());
}

void drawLogoff(QPainter& p)
{
    QPainterPath door(QPointF(17, 10));
    door.lineTo(17, 5);
    door.lineTo(6, 5);
    door.lineTo(6, 27);
    door.lineTo(17, 27);
    door.lineTo(17, 22);
    outlinedStroke(p, door, kSteel, 3.0);
    QPainterPath shaft = line(QPointF(12, 16), QPointF(23, 16));
    QPainterPath head = arrowHead(QPointF(23, 16), 1, 0, 5.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kOutline, 5.2));
    p.drawPath(shaft);
    outlinedFill(p, head, kBlue);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(kBlue, 3.2));
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPath(arrowHead(QPointF(23, 16), 1, 0, 3.6));
}

QPainterPath gear(QPointF c, double outer, double inner, double hole, int teeth)
{
    QPainterPath path;
    const double step = 360.0 / teeth;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step;
        const QPointF pts[] = {
            onCircle(c, inner, a - step * 0.5), onCircle(c, inner, a - step * 0.28),
            onCircle(c, outer, a - step * 0.18), onCircle(c, outer, a + step * 0.18),
            onCircle(c, inner, a + step * 0.28),
        };
        for (const QPointF& pt : pts) {
            if (path.elementCount() == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
    }
    path.closeSubpath();
    QPainterPath centre;
    centre.addEllipse(c, hole, hole);
    return path.subtracted(centre);
}

void drawSettings(QPainter& p)
{
    outlinedFill(p, gear(QPointF(16, 16), 13, 9.5, 4, 8), kGrey);
}

// ---- caption and button pictures -------------------------------------------

void drawOk(QPainter& p)
{
    QPainterPath tick(QPointF(3.5, 8.5));
    tick.lineTo(6.5, 12);
    tick.lineTo(12.5, 4);
    outlinedStroke(p, tick, kGreen, 2.4);
}

void drawCancel(QPainter& p)
{
    QPainterPath cross = line(QPointF(4, 4), QPointF(12, 12));
    cross.addPath(line(QPointF(12, 4), QPointF(4, 12)));
    outlinedStroke(p, cross, kRed, 2.4);
}

void drawClock(QPainter& p)
{
    const QPointF c(16, 16);
    p.setPen(roundPen(kOutline, 1.5));
    p.setBrush(kBlue);
    p.drawEllipse(c, 14.5, 14.5);
    p.setBrush(QColor(0xfa, 0xfb, 0xfd));
    p.drawEllipse(c, 11.5, 11.5);
    p.setPen(roundPen(kOutline, 1.4));
    for (int h = 0; h < 12; ++h) {
        const double len = h % 3 == 0 ? 2.6 : 1.2;
        p.drawLine(onCircle(c, 10.0, h * 30.0), onCircle(c, 10.0 - len, h * 30.0));
    }
    p.setPen(roundPen(kOutline, 2.2));
    p.drawLine(c, onCircle(c, 5.5, 150));  // hour hand near ten
    p.setPen(roundPen(kOutline, 1.6));
    p.drawLine(c, onCircle(c, 8.5, 30));   // minute hand at ten past
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(c, 1.6, 1.6);
}

void drawSliders(QPainter& p)
{
    const double rows[] = {8, 16, 24};
    const double knobs[] = {20, 10, 17};
    for (int i = 0; i < 3; ++i)
        outlinedStroke(p, line(QPointF(5, rows[i]), QPointF(27, rows[i])), kSteel, 1.6);
    for (int i = 0; i < 3; ++i) {
        QPainterPath knob;
        knob.addRoundedRect(QRectF(knobs[i] - 3, rows[i] - 4, 6, 8), 1.5, 1.5);
        outlinedFill(p, knob, kBlue);
    }
}

// ---- logo and application icon ---------------------------------------------
// The motif: a power symbol inside a ring of clock ticks (switch off, on time),
// white on a blue tile. Described once here and drawn both by QPainter and as
// SVG text, so the vector source and the bitmaps agree.

struct Motif {
    QRectF tile;
    double corner;
    QPointF centre;
    double powerRadius;
    double powerWidth;
    double tickInner;
    double tickOuter;
    double tickWidth;
    bool ticks;
};

// Without the ticks (small sizes) the symbol grows to fill the tile.
Motif iconMotif(bool ticks)
{
    if (!ticks)
        return {QRectF(1, 1, 62, 62), 12, QPointF(32, 34), 17, 7.5, 0, 0, 0, false};
    return {QRectF(2, 2, 60, 60), 12, QPointF(32, 33), 12.5, 5, 21, 25.5, 2.6, true};
}

void drawMotif(QPainter& p, const Motif& m)
{
    QLinearGradient fill(m.tile.topLeft(), m.tile.bottomLeft());
    fill.setColorAt(0, kIconTop);
    fill.setColorAt(1, kIconBottom);
    p.setPen(QPen(kIconEdge, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(m.tile, m.corner, m.corner);
    if (m.ticks) {
        p.setPen(roundPen(QColor(255, 255, 255, 200), m.tickWidth));
        for (int h = 0; h < 12; ++h)
            p.drawLine(onCircle(m.centre, m.tickInner, h * 30.0), onCircle(m.centre, m.tickOuter, h * 30.0));
    }
    QPainterPath power = arc(m.centre, m.powerRadius, 60, -300);
    power.addPath(line(QPointF(m.centre.x(), m.centre.y() - m.powerRadius - 2),
                       QPointF(m.centre.x(), m.centre.y() - 1)));
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(Qt::white, m.powerWidth));
    p.drawPath(power);
}

QString iconSvg(const Motif& m)
{
    auto n = [](double v) { return QString::number(std::round(v * 1000.0) / 1000.0, 'g', 8); };
    QString s;
    QTextStream out(&s);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << kIconTop.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << kIconBottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"" << n(m.tile.x()) << "\" y=\"" << n(m.tile.y()) << "\" width=\"" << n(m.tile.width())
        << "\" height=\"" << n(m.tile.height()) << "\" rx=\"" << n(m.corner) << "\" fill=\"url(#tile)\" stroke=\""
        << kIconEdge.name() << "\" stroke-width=\"1.5\"/>\n";
    out << "  <g stroke=\"#ffffff\" stroke-opacity=\"0.784\" stroke-width=\"" << n(m.tickWidth)
        << "\" stroke-linecap=\"round\">\n";
    for (int h = 0; h < 12; ++h) {
        const QPointF a = onCircle(m.centre, m.tickInner, h * 30.0);
        const QPointF b = onCircle(m.centre, m.tickOuter, h * 30.0);
        out << "    <line x1=\"" << n(a.x()) << "\" y1=\"" << n(a.y()) << "\" x2=\"" << n(b.x()) << "\" y2=\""
            << n(b.y()) << "\"/>\n";
    }
    out << "  </g>\n";
    const QPointF from = onCircle(m.centre, m.powerRadius, 60);
    const QPointF to = onCircle(m.centre, m.powerRadius, 120);
    out << "  <g fill=\"none\" stroke=\"#ffffff\" stroke-width=\"" << n(m.powerWidth)
        << "\" stroke-linecap=\"round\">\n"
        << "    <path d=\"M " << n(from.x()) << ' ' << n(from.y()) << " A " << n(m.powerRadius) << ' '
        << n(m.powerRadius) << " 0 1 1 " << n(to.x()) << ' ' << n(to.y()) << "\"/>\n"
        << "    <line x1=\"" << n(m.centre.x()) << "\" y1=\"" << n(m.centre.y() - m.powerRadius - 2) << "\" x2=\""
        << n(m.centre.x()) << "\" y2=\"" << n(m.centre.y() - 1) << "\"/>\n"
        << "  </g>\n"
        << "</svg>\n";
    return s;
}

void drawLogo(QPainter& p)
{
    // 41 x 33: the icon's motif on a landscape tile.
    Motif m{QRectF(0.75, 0.75, 39.5, 31.5), 6, QPointF(20.5, 16.75), 6.8, 2.8, 11.2, 14.2, 1.6, true};
    drawMotif(p, m);
}

// ---- marble tile -----------------------------------------------------------
// Periodic value noise on a lattice that wraps at the tile's edges, so the
// tile repeats without seams; veins follow sin(linear term + turbulence) where
// the linear term also completes whole periods across the tile.

double lattice(int x, int y, int periodX, int periodY, unsigned seed)
{
    x = ((x % periodX) + periodX) % periodX;
    y = ((y % periodY) + periodY) % periodY;
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffff) / 65535.0;
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

double noise(double x, double y, int periodX, int periodY, unsigned seed)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double a = lattice(x0, y0, periodX, periodY, seed);
    const double b = lattice(x0 + 1, y0, periodX, periodY, seed);
    const double c = lattice(x0, y0 + 1, periodX, periodY, seed);
    const double d = lattice(x0 + 1, y0 + 1, periodX, periodY, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

QImage marble(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const QColor base(0xe0, 0xe5, 0xec);
    const QColor vein(0x7d, 0x90, 0xac);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double turbulence = 0;
            double weight = 1;
            // Octaves with lattices of 4x3, 8x6 and 16x12 cells over the tile.
            for (int octave = 0; octave < 3; ++octave) {
                const int cellsX = 4 << octave;
                const int cellsY = 3 << octave;
                turbulence += weight * noise(x * cellsX / double(width), y * cellsY / double(height), cellsX, cellsY,
                                             17u + octave);
                weight *= 0.45;
            }
            const double phase = 2 * kPi * (1.0 * x / width + 1.0 * y / height) + 4.0 * turbulence;
            const double v = std::pow(1.0 - std::fabs(std::sin(phase)), 4.0);  // thin veins, soft edges
            const double cloud = 10.0 * (turbulence - 0.8);                   // faint clouding between veins
            auto mix = [&](int from, int to) {
                const double c = from + (to - from) * v * 0.6 + cloud;
                return std::clamp(static_cast<int>(std::lround(c)), 0, 255);
            };
            image.setPixel(x, y, qRgb(mix(base.red(), vein.red()), mix(base.green(), vein.green()),
                                      mix(base.blue(), vein.blue())));
        }
    }
    return image;
}

bool save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <output folder>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", argv[1]);
        return 1;
    }
    struct Glyph {
        const char* name;
        int width;
        int height;
        double design;
        Drawing draw;
    };
    const Glyph glyphs[] = {
        {"reboot.png", 32, 32, 32, drawReboot},     {"poweroff.png", 32, 32, 32, drawPowerOff},
        {"suspend.png", 32, 32, 32, drawSuspend},   {"lock.png", 32, 32, 32, drawLock},
        {"logoff.png", 32, 32, 32, drawLogoff},     {"settings.png", 32, 32, 32, drawSettings},
        {"ok16.png", 16, 16, 16, drawOk},           {"cancel16.png", 16, 16, 16, drawCancel},
        {"timer32.png", 32, 32, 32, drawClock},     {"options32.png", 32, 32, 32, drawSliders},
        {"logo.png", 41, 33, 41, drawLogo},
    };
    bool ok = save(marble(56, 48), dir, QStringLiteral("marble.png"));
    for (const Glyph& g : glyphs)
        ok = save(render(g.width, g.height, g.design, g.draw), dir, QString::fromLatin1(g.name)) && ok;
    for (int size : {16, 22, 32, 48, 64, 128}) {
        // The clock ticks blur into noise below 32 pixels; small sizes show the symbol alone.
        const Motif m = iconMotif(size >= 32);
        ok = save(render(size, size, 64, [&](QPainter& p) { drawMotif(p, m); }), dir,
                  QStringLiteral("icon-%1.png").arg(size)) && ok;
    }
    QFile svg(dir.filePath(QStringLiteral("icon.svg")));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(iconSvg(iconMotif(true)).toUtf8()) < 0) {
        std::fprintf(stderr, "make_pictures: cannot write icon.svg\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
