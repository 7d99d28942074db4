#pragma once
// Visual controls of the class layer. A control wraps one native widget;
// its position is counted in pixels from its parent, as designed at 96 dpi.
#include <functional>

#include "platform/core/Classes.h"
#include "platform/graphics/Graphics.h"

class QWidget;
class TWinControl;

using WORD = unsigned short;
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct TFontSpec {
    int Height = -11;  // negative: pixel height of the characters
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TColor Color = clWindowText;
};

class TControl : public TComponent {
public:
    ~TControl() override;

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const;
    void SetEnabled(bool v);
    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    void SetFont(const TFontSpec& font);
    void SetHandPointCursor();
    void BringToFront();
    // Widens the control when its caption in the desktop's font needs more
    // room than designed; never narrows it.
    void WidenToFitContent();
    // Width in pixels of `text` in the control's font.
    int TextWidth(const AnsiString& text) const;

    TNotifyEvent OnClick;

    // The native widget; for use inside the layer only.
    QWidget* Widget() const { return widget_; }

protected:
    // Takes ownership of `widget`.
    TControl(TComponent* owner, QWidget* widget);
    // Runs OnClick, with exceptions shown by the application.
    void Click();

private:
    QWidget* widget_;
    TWinControl* parent_ = nullptr;
    bool hiddenByUser_ = false;
};

class TWinControl : public TControl {
public:
    void SetFocus();
    bool Focused() const;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    using TControl::TControl;
};

// Runs an event handler; an Exception escaping it is shown by the
// application's exception handling instead of unwinding into the toolkit.
void RunHandler(const std::function<void()>& handler);
