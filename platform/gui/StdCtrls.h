#pragma once
// Standard controls: check box, radio button, edit, label, group box, list box.
#include <memory>

#include "platform/gui/Controls.h"

// What check boxes and radio buttons share: a caption and a checked state.
class TButtonControl : public TWinControl {
public:
    bool Checked() const;
    void SetCaption(const AnsiString& caption);
    AnsiString Caption() const;

protected:
    using TWinControl::TWinControl;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);
    // Raises OnClick when the state changes, also when set by the program.
    void SetChecked(bool checked);
};

// Checking a radio button unchecks the radio buttons with the same parent.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    void SetChecked(bool checked);
};

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    AnsiString Text() const;
    void SetText(const AnsiString& text);
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    int MaxLength() const;
    void SetMaxLength(int length);  // 0: no limit
    void SetColor(TColor color);
    TColor Color() const { return color_; }

    std::function<void(TObject* sender, WORD& key, TShiftState shift)> OnKeyDown;
    std::function<void(TObject* sender, WORD& key, TShiftState shift)> OnKeyUp;

    // Layer-internal: called by the native edit.
    void NativeKeyDown(WORD key, TShiftState shift);
    void NativeKeyUp(WORD key, TShiftState shift);
    void NativeExit();

protected:
    // Key codes are Windows virtual-key codes (see VirtualKeys.h).
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    // Focus left the edit: raises OnExit.
    virtual void DoExit();

private:
    TColor color_ = clWindow;
};

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);
    AnsiString Caption() const;
    void SetCaption(const AnsiString& caption);
    void SetAlignment(TAlignment a);
    void SetWordWrap(bool on);
    void SetTransparent(bool on);
};

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner);
    void SetCaption(const AnsiString& caption);
};

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;
    // The lines shown; changes show at once.
    TStrings& Items();

private:
    std::unique_ptr<TStrings> items_;
};
