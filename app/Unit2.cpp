#include "app/Unit2.h"

#include "app/AppServices.h"
#include "app/Unit1.h"
#include "app/Unit3.h"
#include "platform/core/SysUtils.h"
#include "platform/desktop/Autostart.h"

TForm2* Form2 = nullptr;

namespace {
constexpr const char* kAutostartName = "DererezOzuvoruz";
}

// ---- Autostart

void SetAutostart() {
    if (!WriteAutostartEntry(kAutostartName, AppServices().ProgramPath()))
        throw ERegistryException(Format("Failed to set data for '%s'", kAutostartName));
}

void ClearAutostart() { RemoveAutostartEntry(kAutostartName); }

bool AutostartExists() { return AutostartEntryExists(kAutostartName); }

// ---- Dialog

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    Form2 = this;
    CreateLayout();
}

void TForm2::FormShow(TObject*) { Form1->FillMarble(Form1->Image1, Image1); }

void TForm2::CheckBox1Click(TObject*) {
    const bool on = CheckBox1->Checked();
    for (TEdit* e : {Edit1, Edit2, Edit3}) {
        e->SetColor(on ? clWindow : clBtnFace);
        e->SetEnabled(on);
    }
    for (TRadioButton* r : {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5}) r->SetEnabled(on);
    CheckBox2->SetEnabled(on);
    if (!on) CheckBox2->SetChecked(false);
}

void TForm2::TimeChange(TObject*) {
    auto twoDigits = [](const TEdit* e) {
        AnsiString t = IntToStr(StrToIntDef(e->Text(), 0));
        return t.size() < 2 ? "0" + t : t;
    };
    const AnsiString H = twoDigits(Edit2), M = twoDigits(Edit3);
    Edit1->SetText(H + ":" + M);
    Edit2->SetText(H);
    Edit3->SetText(M);
}

void TForm2::ResetSettings(TObject*) {
    const std::pair<const char*, const char*> resets[] = {
        {"noreset", "1"}, {"forced", "1"},      {"timerenabled", "0"}, {"confirmdialog", "0"},     {"time", "00:00"},
        {"action", "0"},  {"hibernate", "0"},   {"confirmtimer", "1"}, {"autodisabletimer", "0"},
    };
    for (const auto& [name, value] : resets) Form1->VReg1->Push(name, value);
    ClearAutostart();
}

void TForm2::LoadSettings(TObject* sender) {
    TVReg* reg = Form1->VReg1;
    if (reg->Pop("noreset") != "1") ResetSettings(sender);
    Edit1->SetText(reg->Pop("time"));
    const AnsiString time = Edit1->Text();
    if (time.size() >= 2 && time[1] == ':') {
        // A one-digit hour (written by hand) is still that hour.
        Edit2->SetText(Copy(time, 1, 1));
        Edit3->SetText(Copy(time, 3, 2));
    } else {
        Edit2->SetText(Copy(time, 1, 2));
        Edit3->SetText(Copy(time, 4, 2));
    }
    TimeChange(sender);
    CheckBox1->SetChecked(reg->PopCheckBox("timerenabled", false));
    CheckBox3->SetChecked(reg->PopCheckBox("confirmdialog", false));
    CheckBox5->SetChecked(reg->PopCheckBox("hibernate", false));
    CheckBox6->SetChecked(reg->PopCheckBox("autodisabletimer", false));
    CheckBox7->SetChecked(reg->PopCheckBox("confirmtimer", true));
    CheckBox2->SetChecked(AutostartExists());
    CheckBox4->SetChecked(reg->PopCheckBox("forced", false));
    int action = 0;
    try {
        action = StrToIntDef(reg->Pop("action"), 0);
    } catch (const ERegistryException&) {
        action = 0;  // a value of another type counts as no action
    }
    TRadioButton* const radios[] = {RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5};
    if (action >= 1 && action <= 5) radios[action - 1]->SetChecked(true);
    CheckBox1Click(sender);
    AutoTimer->SetEnabled(CheckBox1->Checked());
    Form1->ActivateTimer1->SetChecked(CheckBox1->Checked());
}

void TForm2::SaveSettings(TObject* sender) {
    TVReg* reg = Form1->VReg1;
    reg->PushCheckBox("forced", CheckBox4);
    reg->PushCheckBox("timerenabled", CheckBox1);
    reg->PushCheckBox("confirmdialog", CheckBox3);
    reg->PushCheckBox("hibernate", CheckBox5);
    reg->PushCheckBox("autodisabletimer", CheckBox6);
    reg->PushCheckBox("confirmtimer", CheckBox7);
    reg->Push("time", Edit1->Text());
    reg->PushRadioButtons("action", RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5);
    if (CheckBox2->Checked()) SetAutostart();
    else ClearAutostart();
    LoadSettings(sender);
}

void TForm2::SpeedButton1Click(TObject* sender) {
    TimeChange(sender);
    SaveSettings(sender);
    Close();
}

void TForm2::SpeedButton2Click(TObject*) { Close(); }

void TForm2::Label3Click(TObject*) { VHTML1->CallExternUrl(kMakerSiteUrl); }
void TForm2::Label4Click(TObject*) { VHTML1->CallExternUrl(kSecondSiteUrl); }

// ---- Daily timer

void TForm2::AutoTimerTimer(TObject* sender) {
    if (Visible()) return;
    const AnsiString now = TimeToStr(AppServices().Clock->Now());
    const AnsiString minute = Copy(now, 1, 5);
    if (minute != handledMinute_) handledMinute_.clear();
    if (Copy(now, 7, 2) != "00") return;
    if (minute != Edit1->Text()) return;
    // A matching minute runs its sequence once: a second tick in the same
    // second, or one arriving during the confirmation wait, does nothing.
    if (sequenceRunning_ || handledMinute_ == minute) return;
    handledMinute_ = minute;
    sequenceRunning_ = true;
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{sequenceRunning_};

    struct Choice {
        TRadioButton* button;
        int actionCode;
        void (TForm1::*handler)(TObject*);
    };
    const Choice choices[] = {
        {RadioButton1, 1, &TForm1::SpeedButton1Click}, {RadioButton2, 0, &TForm1::SpeedButton2Click},
        {RadioButton3, 4, &TForm1::SpeedButton3Click}, {RadioButton4, 2, &TForm1::SpeedButton4Click},
        {RadioButton5, 3, &TForm1::SpeedButton5Click},
    };
    if (CheckBox7->Checked()) {
        for (const auto& c : choices)
            if (c.button->Checked()) Form3->ActionCode = c.actionCode;
        Form3->Show();
        // Other handlers run while we wait; the wait sleeps until the next
        // event instead of spinning.
        while (Form3->Visible() && !Application->Terminated()) Application->HandleMessage();
        if (Form3->Cancelled) {
            Form1->TimerDriven = false;
            return;
        }
    }
    if (CheckBox6->Checked()) {
        CheckBox1->SetChecked(false);
        CheckBox1Click(sender);
        SaveSettings(sender);
    }
    Form1->TimerDriven = true;
    for (const auto& c : choices)
        if (c.button->Checked()) {
            (Form1->*c.handler)(sender);
            break;
        }
    Form1->TimerDriven = false;
}
