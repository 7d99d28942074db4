#include "platform/gui/Buttons.h"

#include <QIcon>
#include <QToolButton>

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner, new QToolButton) {
    auto* b = static_cast<QToolButton*>(Widget());
    b->setAutoRaise(true);  // flat until the pointer is over it
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(32, 32));
    QObject::connect(b, &QToolButton::clicked, [this] { Click(); });
}

void TSpeedButton::SetCaption(const AnsiString& caption) {
    static_cast<QToolButton*>(Widget())->setText(QString::fromStdString(caption));
}

AnsiString TSpeedButton::Caption() const { return static_cast<QToolButton*>(Widget())->text().toStdString(); }

void TSpeedButton::SetGlyphResource(const AnsiString& resource) {
    QIcon icon(QString::fromStdString(resource));
    auto* b = static_cast<QToolButton*>(Widget());
    const QSize size = icon.availableSizes().value(0, QSize(32, 32));
    b->setIconSize(size);
    b->setIcon(icon);
}

void TSpeedButton::SetGlyphLeft(bool on) {
    static_cast<QToolButton*>(Widget())->setToolButtonStyle(on ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
}
