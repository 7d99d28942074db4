#include "platform/gui/ProgressBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/gui/QtColors.h"

namespace {
class ProgressWidget : public QWidget {
public:
    explicit ProgressWidget(const TdxfProgressBar* bar) : bar_(bar) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        // Lowered outer bevel.
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        const QRect inner = r.adjusted(1, 1, -1, -1);
        const int filled = inner.width() * bar_->Percent() / 100;
        if (filled > 0) {
            QLinearGradient g(inner.left(), 0, inner.right(), 0);
            g.setColorAt(0, ToQColor(bar_->BeginColor()));
            g.setColorAt(1, ToQColor(bar_->EndColor()));
            p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), g);
        }
        if (bar_->ShowsPercent()) {
            const QString text = QString::number(bar_->Percent()) + "%";
            p.setPen(Qt::white);
            p.setClipRect(QRect(inner.left(), inner.top(), filled, inner.height()));
            p.drawText(inner, Qt::AlignCenter, text);
            p.setPen(Qt::black);
            p.setClipRect(QRect(inner.left() + filled, inner.top(), inner.width() - filled, inner.height()));
            p.drawText(inner, Qt::AlignCenter, text);
        }
    }

private:
    const TdxfProgressBar* bar_;
};
}  // namespace

TdxfProgressBar::TdxfProgressBar(TComponent* owner) : TControl(owner, new ProgressWidget(this)) {}

void TdxfProgressBar::SetMin(int v) {
    min_ = v;
    SetPosition(position_);
}
void TdxfProgressBar::SetMax(int v) {
    max_ = v;
    SetPosition(position_);
}
void TdxfProgressBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, std::max(min_, max_));
    Widget()->update();
}
void TdxfProgressBar::SetShowPercent(bool on) {
    showPercent_ = on;
    Widget()->update();
}
void TdxfProgressBar::SetGradient(TColor begin, TColor end) {
    begin_ = begin;
    end_ = end;
    Widget()->update();
}
int TdxfProgressBar::Percent() const { return max_ > min_ ? (position_ - min_) * 100 / (max_ - min_) : 0; }
