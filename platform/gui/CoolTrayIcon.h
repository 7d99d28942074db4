#pragma once
// Icon in the desktop's notification area, with hint, popup menu on left
// and right click, a double-click event and minimise-to-tray.
#include <memory>

#include "platform/core/Classes.h"

class TPopupMenu;

class TCoolTrayIcon : public TComponent {
public:
    explicit TCoolTrayIcon(TComponent* owner);
    ~TCoolTrayIcon() override;

    bool IconVisible() const { return iconVisible_; }
    // Shows the icon, or removes it at once.
    void SetIconVisible(bool on);
    void SetIconResource(const AnsiString& resource);
    const AnsiString& Hint() const { return hint_; }
    void SetHint(const AnsiString& hint);
    void SetPopupMenu(TPopupMenu* menu);
    TPopupMenu* PopupMenu() const { return menu_; }
    // The menu opens on a left click as well.
    void SetLeftPopup(bool on) { leftPopup_ = on; }
    // When the application is minimised the main form hides; when it is
    // restored the main form shows again.
    void SetMinimizeToTray(bool on);
    // True while a tray host shows the icon.
    bool Embedded() const;

    TNotifyEvent OnDblClick;

    // Layer-internal: a click that was not the first of a double click.
    void NativeSingleClick();
    void NativeDoubleClick();

private:
    struct Native;
    std::unique_ptr<Native> native_;
    TPopupMenu* menu_ = nullptr;
    AnsiString hint_;
    bool iconVisible_ = false;
    bool leftPopup_ = false;
};
