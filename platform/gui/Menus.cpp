#include "platform/gui/Menus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "platform/gui/Controls.h"
#include "platform/gui/MenusNative.h"

TMenuItem::TMenuItem(TPopupMenu* menu, const AnsiString& caption) : TComponent(menu), native_(std::make_unique<Native>()) {
    QMenu& m = menu->NativeMenu().menu;
    native_->action = caption == "-" ? m.addSeparator() : m.addAction(QString::fromStdString(caption));
    QObject::connect(native_->action, &QAction::triggered, [this] { Click(); });
}

TMenuItem::~TMenuItem() = default;

AnsiString TMenuItem::Caption() const { return IsSeparator() ? AnsiString("-") : native_->action->text().toStdString(); }
bool TMenuItem::Checked() const { return native_->action->isChecked(); }
void TMenuItem::SetChecked(bool on) {
    native_->action->setCheckable(true);
    native_->action->setChecked(on);
}
bool TMenuItem::IsSeparator() const { return native_->action->isSeparator(); }
void TMenuItem::Click() {
    RunHandler([this] {
        if (OnClick) OnClick(this);
    });
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), native_(std::make_unique<Native>()) {}
TPopupMenu::~TPopupMenu() {
    DestroyComponents();
}

TMenuItem* TPopupMenu::Add(const AnsiString& caption) {
    items_.push_back(new TMenuItem(this, caption));
    return items_.back();
}

void TPopupMenu::PopupAtCursor() { native_->menu.popup(QCursor::pos()); }
