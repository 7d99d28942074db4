#include "platform/gui/ExtCtrls.h"

#include <QFrame>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "platform/gui/QtColors.h"

// ---- TTimer
struct TTimer::Native {
    QTimer timer;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), native_(std::make_unique<Native>()) {
    native_->timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&native_->timer, &QTimer::timeout, [this] {
        RunHandler([this] {
            if (OnTimer) OnTimer(this);
        });
    });
}

TTimer::~TTimer() = default;

void TTimer::SetInterval(int ms) {
    interval_ = ms;
    if (enabled_) native_->timer.start(interval_);
}

void TTimer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) native_->timer.start(interval_);
    else native_->timer.stop();
}

// ---- TImage
namespace {
class ImageWidget : public QWidget {
public:
    explicit ImageWidget(const TBitmap* picture) : picture_(picture) {}
    bool transparent = false;
    // The picture changed: convert it again at the next paint.
    void Invalidate() {
        stale_ = true;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (stale_) Rebuild();
        if (!image_.isNull()) QPainter(this).drawImage(0, 0, image_);
    }

private:
    void Rebuild() {
        stale_ = false;
        image_ = picture_->Empty() ? QImage() : ToQImage(*picture_);
        if (!transparent || image_.isNull()) return;
        QImage a = image_.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = a.pixel(0, a.height() - 1);
        for (int y = 0; y < a.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(a.scanLine(y));
            for (int x = 0; x < a.width(); ++x)
                if (line[x] == key) line[x] = 0;
        }
        image_ = a;
    }
    const TBitmap* picture_;
    QImage image_;
    bool stale_ = true;
};
}  // namespace

TImage::TImage(TComponent* owner) : TControl(owner, new ImageWidget(&picture_)) {
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    picture_.Canvas().OnChange = [this] { Repaint(); };
}

void TImage::SetPicture(const TBitmap& bmp) {
    picture_.Assign(bmp);
    if (autoSize_) SetBounds(Left(), Top(), bmp.Width(), bmp.Height());
    Repaint();
}

void TImage::ClearPicture() {
    picture_.SetSize(0, 0);
    Repaint();
}

TCanvas& TImage::Canvas() {
    if (picture_.Empty()) picture_.SetSize(Width(), Height());
    return picture_.Canvas();
}

void TImage::SetTransparent(bool on) {
    static_cast<ImageWidget*>(Widget())->transparent = on;
    Repaint();
}

void TImage::Repaint() { static_cast<ImageWidget*>(Widget())->Invalidate(); }

// ---- TBevel
namespace {
class BevelWidget : public QWidget {
public:
    TBevelShape shape = TBevelShape::bsBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor dark = palette().color(QPalette::Dark), light = palette().color(QPalette::Light);
        switch (shape) {
        case TBevelShape::bsLeftLine:
            p.fillRect(0, 0, 1, height(), dark);
            p.fillRect(1, 0, 1, height(), light);
            break;
        case TBevelShape::bsBottomLine:
            p.fillRect(0, height() - 2, width(), 1, dark);
            p.fillRect(0, height() - 1, width(), 1, light);
            break;
        case TBevelShape::bsBox:
            p.setPen(dark);
            p.drawRect(0, 0, width() - 1, height() - 1);
            break;
        }
    }
};

class ShapeWidget : public QWidget {
public:
    QColor color = Qt::black;
    int penWidth = 1;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        // The pen lies inside the bounds, as the shape control draws it.
        const int inset = penWidth / 2;
        QPen pen(color, penWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.drawRect(QRectF(inset + (penWidth % 2) * 0.5, inset + (penWidth % 2) * 0.5, width() - penWidth, height() - penWidth));
    }
};
}  // namespace

TBevel::TBevel(TComponent* owner) : TControl(owner, new BevelWidget) {
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}
void TBevel::SetShape(TBevelShape shape) {
    static_cast<BevelWidget*>(Widget())->shape = shape;
    Widget()->update();
}

TShape::TShape(TComponent* owner) : TControl(owner, new ShapeWidget) {
    Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}
void TShape::SetPen(TColor color, int width) {
    auto* w = static_cast<ShapeWidget*>(Widget());
    w->color = ToQColor(color);
    w->penWidth = width;
    w->update();
}

// ---- TPanel
TPanel::TPanel(TComponent* owner) : TWinControl(owner, new QFrame) {}
void TPanel::SetBevels(TBevelCut inner, TBevelCut outer) {
    auto* f = static_cast<QFrame*>(Widget());
    const TBevelCut cut = outer != TBevelCut::bvNone ? outer : inner;
    f->setFrameShape(cut == TBevelCut::bvNone ? QFrame::NoFrame : QFrame::Panel);
    f->setFrameShadow(cut == TBevelCut::bvLowered ? QFrame::Sunken : QFrame::Raised);
    f->setLineWidth(inner != TBevelCut::bvNone && outer != TBevelCut::bvNone ? 2 : 1);
}
