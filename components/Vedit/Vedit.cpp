#include "components/Vedit/Vedit.h"

#include <algorithm>
#include <iterator>

#include "components/Vedit/EditChars.h"
#include "platform/core/SysUtils.h"

namespace Vedit {
void Register() { RegisterComponents("Varnell", {"TVEdit"}); }

bool KeyStartsNoCompletion(WORD key) {
    // Shift, Return, Home, Backspace, Clear, Caps Lock, Escape, Space, Page
    // Up/Down, End, the arrows, Select, Print, Execute, Print Screen, Insert,
    // Delete, the Windows keys, Applications, F1 to F12.
    static constexpr WORD kQuietKeys[] = {16, 13, 36, 8,  12, 20, 27, 32, 33, 34, 35, 37, 38, 39, 40, 41, 42,  43,
                                          44, 45, 46, 91, 92, 93, 112, 113, 114, 115, 116, 117, 118, 119, 120, 121, 122, 123};
    return std::find(std::begin(kQuietKeys), std::end(kQuietKeys), key) != std::end(kQuietKeys);
}
}  // namespace Vedit

namespace {
// The edit's text, compared with the beginnings of list entries.
struct TypedText {
    explicit TypedText(const AnsiString& t) : text(t), lower(AnsiLowerCase(t)), length(Vedit::EditLength(t)) {}

    // Whether the first `length` characters of `entry` equal the text, in
    // lower case on both sides unless `caseSensitive`.
    bool Begins(const AnsiString& entry, bool caseSensitive) const {
        const AnsiString head = Vedit::EditPrefix(entry, length);
        return caseSensitive ? head == text : AnsiLowerCase(head) == lower;
    }

    AnsiString text;
    AnsiString lower;
    int length;
};
}  // namespace

TVEdit::TVEdit(TComponent* owner)
    : TEdit(owner), dataList_(std::make_unique<TStringList>()), exclusionList_(std::make_unique<TStringList>()) {}

TVEdit::~TVEdit() = default;

void TVEdit::SetDataList(const TStrings* value) {
    if (value) dataList_->Assign(*value);
    else dataList_->Clear();
}

void TVEdit::SetExclusionList(const TStrings* value) {
    if (value) exclusionList_->Assign(*value);
    else exclusionList_->Clear();
}

void TVEdit::KeyDown(WORD& key, TShiftState shift) { TEdit::KeyDown(key, shift); }

void TVEdit::KeyUp(WORD& key, TShiftState) {
    if (!Vedit::KeyStartsNoCompletion(key)) Complete();
}

void TVEdit::DoExit() {
    if (ExitAfterTab) TEdit::DoExit();
    else SetFocus();
}

AnsiString TVEdit::Select(const AnsiString& text, int* selPos) {
    if (!OnSelect) return text;
    AnsiString selText = text;
    int pos = *selPos;
    OnSelect(this, selText, pos);
    *selPos = pos;
    return selText;
}

void TVEdit::Complete() {
    const TypedText typed(Text());
    for (int i = 0; i < exclusionList_->Count(); ++i)
        if (typed.Begins(exclusionList_->Get(i), CaseSensitiveExlusion)) return;

    int matches = 0;
    AnsiString candidate;
    for (int i = 0; i < dataList_->Count(); ++i) {
        const AnsiString entry = dataList_->Get(i);
        if (!typed.Begins(entry, CaseSensitiveData)) continue;
        if (matches++ == 0) candidate = entry;
    }
    if (matches == 0 || (OnlyIfUnequivocal && matches != 1)) return;

    int selPos = typed.length;
    const AnsiString proposal = Select(candidate, &selPos);
    SetText(proposal);
    SetSelStart(selPos);
    SetSelLength(Vedit::EditLength(proposal) - selPos);
}
