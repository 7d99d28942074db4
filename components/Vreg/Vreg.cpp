#include "components/Vreg/Vreg.h"

#include "platform/core/SysUtils.h"
#include "platform/gui/StdCtrls.h"
#include "platform/registry/Registry.h"

namespace Vreg {
void Register() { RegisterComponents("Varnell", {"TVReg"}); }

namespace detail {
bool Selected(const TRadioButton* button) { return button->Checked(); }
void Select(TRadioButton* button) { button->SetChecked(true); }
}  // namespace detail
}  // namespace Vreg

TVReg::TVReg(TComponent* owner) : TComponent(owner) {}

AnsiString TVReg::SettingsKey() const {
    return Firmenname.empty() ? "Software\\" + Programmname : "Software\\" + Firmenname + "\\" + Programmname;
}

void TVReg::Push(const AnsiString& name, const AnsiString& value) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    // A key that cannot be opened makes the write itself raise.
    reg.OpenKey(SettingsKey(), true);
    reg.WriteString(name, value);
}

AnsiString TVReg::Pop(const AnsiString& name) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKey(SettingsKey(), false) && reg.ValueExists(name)) return reg.ReadString(name);
    return {};
}

void TVReg::PushCheckBox(const AnsiString& name, const TCheckBox* box) { Push(name, box->Checked() ? "1" : "0"); }

bool TVReg::PopCheckBox(const AnsiString& name, bool fallback) {
    const AnsiString t = Pop(name);
    if (t == "1") return true;
    if (t == "0") return false;
    return fallback;
}

void TVReg::PushGroup(const AnsiString& name, std::initializer_list<bool> selected) {
    int position = 0;
    int k = 0;
    for (bool s : selected) {
        ++k;
        if (s) position = k;  // a later selected member wins
    }
    Push(name, IntToStr(position));
}

int TVReg::PoppedPosition(const AnsiString& name, int count, long long fallback) {
    const AnsiString t = Pop(name);
    // Exact texts only: "04" or " 4" name no position.
    for (int k = 1; k <= count; ++k)
        if (t == IntToStr(k)) return k;
    return fallback >= 1 && fallback <= count ? static_cast<int>(fallback) : 0;
}

bool TVReg::IsInt(const AnsiString& text) const { return !text.empty() && text[0] >= '0' && text[0] <= '9'; }
