#include "platform/gui/StdCtrls.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "platform/gui/QtColors.h"
#include "platform/gui/VirtualKeys.h"

namespace {
QString Q(const AnsiString& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
AnsiString A(const QString& s) { return s.toStdString(); }

class NativeEdit : public QLineEdit {
public:
    explicit NativeEdit(TEdit* edit) : edit_(edit) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        edit_->NativeKeyDown(VirtualKeyOf(e->key()), ShiftStateOf(e->modifiers()));
        QLineEdit::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        QLineEdit::keyReleaseEvent(e);
        if (!e->isAutoRepeat()) edit_->NativeKeyUp(VirtualKeyOf(e->key()), ShiftStateOf(e->modifiers()));
    }
    void focusOutEvent(QFocusEvent* e) override {
        QLineEdit::focusOutEvent(e);
        // A popup (a context menu) taking the focus is not leaving the edit.
        if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason) edit_->NativeExit();
    }

private:
    TEdit* edit_;
};

class NativeLabel : public QLabel {
public:
    explicit NativeLabel(TLabel* label, void (*click)(TLabel*)) : label_(label), click_(click) {}

protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        QLabel::mouseReleaseEvent(e);
        if (rect().contains(e->position().toPoint())) click_(label_);
    }

private:
    TLabel* label_;
    void (*click_)(TLabel*);
};

// The lines of a list box, kept in the native list.
class ListBoxStrings : public TStrings {
public:
    explicit ListBoxStrings(QListWidget* list) : list_(list) {}
    int Count() const override { return list_->count(); }
    AnsiString Get(int index) const override {
        Check(index);
        return A(list_->item(index)->text());
    }
    void Put(int index, const AnsiString& s) override {
        Check(index);
        list_->item(index)->setText(Q(s));
    }
    void Insert(int index, const AnsiString& s) override {
        if (index < 0 || index > Count()) IndexError(index);
        list_->insertItem(index, Q(s));
    }
    void Delete(int index) override {
        Check(index);
        delete list_->takeItem(index);
    }
    void Clear() override { list_->clear(); }

private:
    void Check(int index) const {
        if (index < 0 || index >= Count()) IndexError(index);
    }
    QListWidget* list_;
};

}  // namespace

// ---- TButtonControl, TCheckBox, TRadioButton
static QAbstractButton* Button(const TButtonControl* b) { return static_cast<QAbstractButton*>(b->Widget()); }

bool TButtonControl::Checked() const { return Button(this)->isChecked(); }
void TButtonControl::SetCaption(const AnsiString& caption) { Button(this)->setText(Q(caption)); }
AnsiString TButtonControl::Caption() const { return A(Button(this)->text()); }

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner, new QCheckBox) {
    QObject::connect(Button(this), &QAbstractButton::toggled, [this](bool) { Click(); });
}
void TCheckBox::SetChecked(bool checked) { Button(this)->setChecked(checked); }

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner, new QRadioButton) {
    QObject::connect(Button(this), &QAbstractButton::toggled, [this](bool on) {
        if (on) Click();
    });
}
void TRadioButton::SetChecked(bool checked) {
    QAbstractButton* b = Button(this);
    if (checked) {
        b->setChecked(true);
        return;
    }
    // An exclusive button refuses to be unchecked; the program may.
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

// ---- TEdit
TEdit::TEdit(TComponent* owner) : TWinControl(owner, new NativeEdit(this)) {}

static QLineEdit* LineEdit(const TEdit* e) { return static_cast<QLineEdit*>(e->Widget()); }

AnsiString TEdit::Text() const { return A(LineEdit(this)->text()); }
void TEdit::SetText(const AnsiString& text) { LineEdit(this)->setText(Q(text)); }
int TEdit::SelStart() const {
    auto* e = LineEdit(this);
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}
void TEdit::SetSelStart(int start) {
    LineEdit(this)->deselect();
    LineEdit(this)->setCursorPosition(start);
}
int TEdit::SelLength() const { return static_cast<int>(LineEdit(this)->selectedText().size()); }
void TEdit::SetSelLength(int length) {
    const int start = SelStart();
    if (length <= 0) {
        LineEdit(this)->setCursorPosition(start);
        return;
    }
    LineEdit(this)->setSelection(start, length);
}
int TEdit::MaxLength() const {
    const int m = LineEdit(this)->maxLength();
    return m == 32767 ? 0 : m;
}
void TEdit::SetMaxLength(int length) { LineEdit(this)->setMaxLength(length <= 0 ? 32767 : length); }
void TEdit::SetColor(TColor color) {
    color_ = color;
    QPalette p = LineEdit(this)->palette();
    p.setColor(QPalette::Base, ToQColor(color));
    LineEdit(this)->setPalette(p);
}

void TEdit::NativeKeyDown(WORD key, TShiftState shift) { RunHandler([&] { KeyDown(key, shift); }); }
void TEdit::NativeKeyUp(WORD key, TShiftState shift) { RunHandler([&] { KeyUp(key, shift); }); }
void TEdit::NativeExit() { RunHandler([&] { DoExit(); }); }

void TEdit::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TEdit::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TEdit::DoExit() {
    if (OnExit) OnExit(this);
}

// ---- TLabel
TLabel::TLabel(TComponent* owner)
    : TControl(owner, new NativeLabel(this, [](TLabel* l) { l->Click(); })) {}
AnsiString TLabel::Caption() const { return A(static_cast<QLabel*>(Widget())->text()); }
void TLabel::SetCaption(const AnsiString& caption) { static_cast<QLabel*>(Widget())->setText(Q(caption)); }
void TLabel::SetAlignment(TAlignment a) {
    Qt::Alignment q = Qt::AlignTop;
    q |= a == TAlignment::taCenter ? Qt::AlignHCenter : a == TAlignment::taRightJustify ? Qt::AlignRight : Qt::AlignLeft;
    static_cast<QLabel*>(Widget())->setAlignment(q);
}
void TLabel::SetWordWrap(bool on) { static_cast<QLabel*>(Widget())->setWordWrap(on); }
void TLabel::SetTransparent(bool on) {
    Widget()->setAutoFillBackground(!on);
    Widget()->setAttribute(Qt::WA_TranslucentBackground, on);
}

// ---- TGroupBox
TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner, new QGroupBox) {}
void TGroupBox::SetCaption(const AnsiString& caption) { static_cast<QGroupBox*>(Widget())->setTitle(Q(caption)); }

// ---- TListBox
TListBox::TListBox(TComponent* owner) : TWinControl(owner, new QListWidget) {
    items_ = std::make_unique<ListBoxStrings>(static_cast<QListWidget*>(Widget()));
}
TListBox::~TListBox() = default;
TStrings& TListBox::Items() { return *items_; }
