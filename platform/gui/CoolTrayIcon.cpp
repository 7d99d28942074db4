#include "platform/gui/CoolTrayIcon.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>

#include "platform/gui/Controls.h"
#include "platform/gui/Forms.h"
#include "platform/gui/MenusNative.h"

struct TCoolTrayIcon::Native {
    QSystemTrayIcon icon;
    // Opening the menu at the first click would swallow the second click of
    // a double click, so a left click waits for the double-click interval.
    QTimer clickDelay;
};

TCoolTrayIcon::TCoolTrayIcon(TComponent* owner) : TComponent(owner), native_(std::make_unique<Native>()) {
    native_->clickDelay.setSingleShot(true);
    QObject::connect(&native_->clickDelay, &QTimer::timeout, [this] { NativeSingleClick(); });
    QObject::connect(&native_->icon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason r) {
        switch (r) {
        case QSystemTrayIcon::Trigger:
            native_->clickDelay.start(QApplication::doubleClickInterval());
            break;
        case QSystemTrayIcon::DoubleClick:
            native_->clickDelay.stop();
            NativeDoubleClick();
            break;
        default:
            break;  // Context: the toolkit opens the context menu itself
        }
    });
}

TCoolTrayIcon::~TCoolTrayIcon() { native_->icon.hide(); }

void TCoolTrayIcon::SetIconVisible(bool on) {
    iconVisible_ = on;
    native_->icon.setVisible(on);
}

void TCoolTrayIcon::SetIconResource(const AnsiString& resource) {
    native_->icon.setIcon(QIcon(QString::fromStdString(resource)));
}

void TCoolTrayIcon::SetHint(const AnsiString& hint) {
    hint_ = hint;
    native_->icon.setToolTip(QString::fromStdString(hint));
}

void TCoolTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    menu_ = menu;
    native_->icon.setContextMenu(menu ? &menu->NativeMenu().menu : nullptr);
}

void TCoolTrayIcon::SetMinimizeToTray(bool on) {
    if (!Application) return;
    if (!on) {
        Application->OnMinimize = nullptr;
        Application->OnRestore = nullptr;
        return;
    }
    Application->OnMinimize = [](TObject*) {
        if (Application->MainForm()) Application->MainForm()->Hide();
    };
    Application->OnRestore = [](TObject*) {
        if (Application->MainForm()) Application->MainForm()->Show();
    };
}

bool TCoolTrayIcon::Embedded() const { return native_->icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

void TCoolTrayIcon::NativeSingleClick() {
    if (leftPopup_ && menu_) menu_->PopupAtCursor();
}

void TCoolTrayIcon::NativeDoubleClick() {
    RunHandler([this] {
        if (OnDblClick) OnDblClick(this);
    });
}
