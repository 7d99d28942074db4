#pragma once
// Popup menus. A caption of "-" makes a separator.
#include <memory>
#include <vector>

#include "platform/core/Classes.h"

class TPopupMenu;

class TMenuItem : public TComponent {
public:
    TMenuItem(TPopupMenu* menu, const AnsiString& caption);
    ~TMenuItem() override;
    AnsiString Caption() const;
    bool Checked() const;
    void SetChecked(bool on);
    bool IsSeparator() const;
    // Runs OnClick as choosing the item does.
    void Click();
    TNotifyEvent OnClick;

    struct Native;
    Native& NativeItem() { return *native_; }

private:
    std::unique_ptr<Native> native_;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;
    TMenuItem* Add(const AnsiString& caption);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    // Opens the menu at the pointer.
    void PopupAtCursor();

    struct Native;
    Native& NativeMenu() { return *native_; }

private:
    std::unique_ptr<Native> native_;
    std::vector<TMenuItem*> items_;
};
