#include "platform/gui/Controls.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

#include "platform/gui/Forms.h"
#include "platform/gui/QtColors.h"

void RunHandler(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const Exception& e) {
        if (Application) Application->ShowException(e);
    }
}

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner), widget_(widget) {}

TControl::~TControl() {
    // Owned controls go first: their widgets may be children of ours.
    DestroyComponents();
    delete widget_;
}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }
void TControl::SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
void TControl::SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
void TControl::SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
void TControl::SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

void TControl::SetBounds(int left, int top, int width, int height) {
    widget_->setGeometry(left, top, width, height);
}

bool TControl::Visible() const { return widget_->isWindow() ? widget_->isVisible() : !hiddenByUser_; }

void TControl::SetVisible(bool v) {
    hiddenByUser_ = !v;
    widget_->setVisible(v);
}

bool TControl::Enabled() const { return widget_->isEnabled(); }
void TControl::SetEnabled(bool v) { widget_->setEnabled(v); }

void TControl::SetParent(TWinControl* parent) {
    parent_ = parent;
    const QRect g = widget_->geometry();
    widget_->setParent(parent ? parent->Widget() : nullptr);
    widget_->setGeometry(g);
    // Controls are visible unless hidden: a child shows with its parent.
    if (parent) widget_->setVisible(!hiddenByUser_);
}

void TControl::SetFont(const TFontSpec& font) {
    QFont f = widget_->font();
    if (font.Height < 0) f.setPixelSize(-font.Height);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    widget_->setFont(f);
    QPalette p = widget_->palette();
    p.setColor(QPalette::WindowText, ToQColor(font.Color));
    p.setColor(QPalette::ButtonText, ToQColor(font.Color));
    p.setColor(QPalette::Text, ToQColor(font.Color));
    widget_->setPalette(p);
}

void TControl::SetHandPointCursor() { widget_->setCursor(Qt::PointingHandCursor); }
void TControl::BringToFront() { widget_->raise(); }

int TControl::TextWidth(const AnsiString& text) const {
    return widget_->fontMetrics().horizontalAdvance(QString::fromStdString(text));
}

void TControl::WidenToFitContent() {
    const int wanted = widget_->sizeHint().width();
    if (wanted > Width()) SetWidth(wanted);
}

void TControl::Click() {
    RunHandler([this] {
        if (OnClick) OnClick(this);
    });
}

void TWinControl::SetFocus() { Widget()->setFocus(Qt::OtherFocusReason); }
bool TWinControl::Focused() const { return Widget()->hasFocus(); }
